// The few operating-system services the library needs, behind one small layer:
// identifier generation, a recursive lock, a per-thread slot, the fatal stop of
// the reserved interface operations, a millisecond clock, local time and the
// diagnostic output.
#pragma once

#include <cstdint>
#include <mutex>

namespace Quorve {
namespace Platform {

/// Fills out with 16 random bytes from the operating system's generator.
/// Returns false when the generator fails.
bool NewGuid(uint8_t out[16]);

/// Writes "<text>\n<title>\n" to standard error and ends the process with exit code 0.
[[noreturn]] void FatalStop(const char* text, const char* title);

/// A monotonic clock in milliseconds, for spacing progress reports.
uint64_t Milliseconds();

/// The local date and time (thread-safe).
struct CLocalTime {
  int year, month, day, hour, minute, second;  // month 1-12, day 1-31
};
CLocalTime LocalTime();

/// Writes one formatted diagnostic line to the process's standard error.
void Diagnostic(const char* format, ...) __attribute__((format(printf, 1, 2)));

/// A process-wide recursive lock: one thread may enter it several times.
using CRecursiveLock = std::recursive_mutex;

/// A per-thread slot of one pointer. Allocation failure returns false from Create.
class CThreadSlot {
public:
  static constexpr uint32_t kInvalid = 0xFFFFFFFFu;
  bool Create();
  void Destroy();
  bool IsValid() const { return mIndex != kInvalid; }
  void* Get() const;
  void Set(void* value) const;

private:
  uint32_t mIndex = kInvalid;
};

}  // namespace Platform
}  // namespace Quorve
