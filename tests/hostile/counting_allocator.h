// The test binary's own allocator: counts the bytes held by operator new and by the
// C allocation functions that the library calls (linked with --wrap), keeps the peak,
// and can make the k-th allocation fail.
#pragma once

#include <cstdint>

namespace HostileTest {

/// Bytes held now, and the most held since the last ResetPeak.
int64_t CurrentBytes();
int64_t PeakBytes();
/// Starts a new peak from what is held now.
void ResetPeak();

/// Makes the k-th allocation from now fail (1 is the next one); 0 disarms. Only one
/// allocation fails: the ones after it succeed again.
void FailAllocation(uint64_t k);
/// Whether the armed failure has happened.
bool FailureHappened();

/// Suspends failures on this thread while alive (for test code that must allocate,
/// such as a feedback object that records a warning).
class CNoFailures {
public:
  CNoFailures();
  ~CNoFailures();
  CNoFailures(const CNoFailures&) = delete;
  CNoFailures& operator=(const CNoFailures&) = delete;

private:
  bool mPrevious;
};

}  // namespace HostileTest
