#include "support/platform.h"

#include <pthread.h>
#include <sys/random.h>

#include <cerrno>
#include <chrono>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>

namespace Quorve {
namespace Platform {

namespace {

bool FillRandom(uint8_t* out, size_t size) {
  size_t done = 0;
  while (done < size) {
    const ssize_t got = getrandom(out + done, size - done, 0);
    if (got < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    done += static_cast<size_t>(got);
  }
  return true;
}

}  // namespace

bool NewGuid(uint8_t out[16]) {
  // Files with many objects make many ids: the system's bytes are fetched 4 KiB at
  // a time per thread, then handed out 16 at a time.
  thread_local uint8_t pool[4096];
  thread_local size_t left = 0;
  if (left < 16) {
    if (!FillRandom(pool, sizeof pool)) return false;
    left = sizeof pool;
  }
  left -= 16;
  std::memcpy(out, pool + left, 16);
  std::memset(pool + left, 0, 16);
  return true;
}

void FatalStop(const char* text, const char* title) {
  std::fprintf(stderr, "%s\n%s\n", text, title);
  std::fflush(stderr);
  std::exit(0);
}

uint64_t Milliseconds() {
  using namespace std::chrono;
  return static_cast<uint64_t>(duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
}

CLocalTime LocalTime() {
  const std::time_t now = std::time(nullptr);
  std::tm parts{};
  localtime_r(&now, &parts);
  return {parts.tm_year + 1900, parts.tm_mon + 1, parts.tm_mday, parts.tm_hour, parts.tm_min, parts.tm_sec};
}

void Diagnostic(const char* format, ...) {
  va_list args;
  va_start(args, format);
  std::vfprintf(stderr, format, args);
  va_end(args);
}

bool CThreadSlot::Create() {
  pthread_key_t key;
  if (pthread_key_create(&key, nullptr) != 0) return false;
  mIndex = static_cast<uint32_t>(key);
  return true;
}

void CThreadSlot::Destroy() {
  if (IsValid()) pthread_key_delete(static_cast<pthread_key_t>(mIndex));
  mIndex = kInvalid;
}

void* CThreadSlot::Get() const {
  return IsValid() ? pthread_getspecific(static_cast<pthread_key_t>(mIndex)) : nullptr;
}

void CThreadSlot::Set(void* value) const {
  if (IsValid()) pthread_setspecific(static_cast<pthread_key_t>(mIndex), value);
}

}  // namespace Platform
}  // namespace Quorve
