#include "support/platform.h"

#include <pthread.h>
#include <sys/random.h>

#include <cerrno>
#include <chrono>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <ctime>

namespace Quorve {
namespace Platform {

bool NewGuid(uint8_t out[16]) {
  size_t done = 0;
  while (done < 16) {
    const ssize_t got = getrandom(out + done, 16 - done, 0);
    if (got < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    done += static_cast<size_t>(got);
  }
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
