// The counting allocator of the hostile-input tests (see counting_allocator.h), and
// the tests that it counts and fails what it should.
#include "counting_allocator.h"

#include <gtest/gtest.h>
#include <malloc.h>

#include <atomic>
#include <cstdlib>
#include <new>
#include <string>
#include <vector>

extern "C" {
void* __real_malloc(size_t size);
void* __real_calloc(size_t count, size_t size);
void* __real_realloc(void* p, size_t size);
void* __real_aligned_alloc(size_t alignment, size_t size);
int __real_posix_memalign(void** out, size_t alignment, size_t size);
void __real_free(void* p);
}

namespace HostileTest {
namespace {

std::atomic<int64_t> gCurrent{0};
std::atomic<int64_t> gPeak{0};
std::atomic<uint64_t> gCount{0};
std::atomic<uint64_t> gFailAt{0};  // value of gCount that fails; 0: none
std::atomic<bool> gFailed{false};
thread_local bool tPaused = false;

// Counts one allocation attempt; true when this one is to fail.
// Allocations made while failures are paused are not numbered.
bool Attempt() {
  if (tPaused) return false;
  const uint64_t n = gCount.fetch_add(1, std::memory_order_relaxed) + 1;
  if (n != gFailAt.load(std::memory_order_relaxed)) return false;
  gFailed.store(true, std::memory_order_relaxed);
  return true;
}

void Add(void* p) {
  if (!p) return;
  const int64_t now = gCurrent.fetch_add(static_cast<int64_t>(malloc_usable_size(p))) +
                      static_cast<int64_t>(malloc_usable_size(p));
  int64_t peak = gPeak.load(std::memory_order_relaxed);
  while (now > peak && !gPeak.compare_exchange_weak(peak, now)) {
  }
}

void Remove(void* p) {
  if (p) gCurrent.fetch_sub(static_cast<int64_t>(malloc_usable_size(p)));
}

void* NewBytes(size_t size, bool nothrow) {
  void* p = Attempt() ? nullptr : __real_malloc(size ? size : 1);
  if (!p && !nothrow) throw std::bad_alloc();
  Add(p);
  return p;
}

void* NewAligned(size_t size, std::align_val_t alignment, bool nothrow) {
  const size_t align = static_cast<size_t>(alignment);
  void* p = nullptr;
  if (!Attempt() && __real_posix_memalign(&p, align < sizeof(void*) ? sizeof(void*) : align, size ? size : 1) != 0)
    p = nullptr;
  if (!p && !nothrow) throw std::bad_alloc();
  Add(p);
  return p;
}

void Delete(void* p) {
  Remove(p);
  __real_free(p);
}

}  // namespace

int64_t CurrentBytes() { return gCurrent.load(); }
int64_t PeakBytes() { return gPeak.load(); }
void ResetPeak() { gPeak.store(gCurrent.load()); }

void FailAllocation(uint64_t k) {
  gFailed.store(false);
  gFailAt.store(k ? gCount.load() + k : 0);
}
bool FailureHappened() { return gFailed.load(); }

CNoFailures::CNoFailures() : mPrevious(tPaused) { tPaused = true; }
CNoFailures::~CNoFailures() { tPaused = mPrevious; }

}  // namespace HostileTest

// ---- the C functions, for the library's objects (linked with -Wl,--wrap=...)

extern "C" {

void* __wrap_malloc(size_t size) {
  void* p = HostileTest::Attempt() ? nullptr : __real_malloc(size);
  HostileTest::Add(p);
  return p;
}

void* __wrap_calloc(size_t count, size_t size) {
  void* p = HostileTest::Attempt() ? nullptr : __real_calloc(count, size);
  HostileTest::Add(p);
  return p;
}

void* __wrap_realloc(void* old, size_t size) {
  if (HostileTest::Attempt()) return nullptr;
  const size_t before = old ? malloc_usable_size(old) : 0;
  void* p = __real_realloc(old, size);
  if (p) {
    HostileTest::gCurrent.fetch_sub(static_cast<int64_t>(before));
    HostileTest::Add(p);
  } else if (size == 0) {
    HostileTest::gCurrent.fetch_sub(static_cast<int64_t>(before));
  }
  return p;
}

void* __wrap_aligned_alloc(size_t alignment, size_t size) {
  void* p = HostileTest::Attempt() ? nullptr : __real_aligned_alloc(alignment, size);
  HostileTest::Add(p);
  return p;
}

int __wrap_posix_memalign(void** out, size_t alignment, size_t size) {
  if (HostileTest::Attempt()) return ENOMEM;
  const int result = __real_posix_memalign(out, alignment, size);
  if (result == 0) HostileTest::Add(*out);
  return result;
}

void __wrap_free(void* p) { HostileTest::Delete(p); }

}  // extern "C"

// ---- operator new and delete, for everything in the binary

void* operator new(size_t size) { return HostileTest::NewBytes(size, false); }
void* operator new[](size_t size) { return HostileTest::NewBytes(size, false); }
void* operator new(size_t size, const std::nothrow_t&) noexcept { return HostileTest::NewBytes(size, true); }
void* operator new[](size_t size, const std::nothrow_t&) noexcept { return HostileTest::NewBytes(size, true); }
void* operator new(size_t size, std::align_val_t a) { return HostileTest::NewAligned(size, a, false); }
void* operator new[](size_t size, std::align_val_t a) { return HostileTest::NewAligned(size, a, false); }
void* operator new(size_t size, std::align_val_t a, const std::nothrow_t&) noexcept {
  return HostileTest::NewAligned(size, a, true);
}
void* operator new[](size_t size, std::align_val_t a, const std::nothrow_t&) noexcept {
  return HostileTest::NewAligned(size, a, true);
}
void operator delete(void* p) noexcept { HostileTest::Delete(p); }
void operator delete[](void* p) noexcept { HostileTest::Delete(p); }
void operator delete(void* p, size_t) noexcept { HostileTest::Delete(p); }
void operator delete[](void* p, size_t) noexcept { HostileTest::Delete(p); }
void operator delete(void* p, const std::nothrow_t&) noexcept { HostileTest::Delete(p); }
void operator delete[](void* p, const std::nothrow_t&) noexcept { HostileTest::Delete(p); }
void operator delete(void* p, std::align_val_t) noexcept { HostileTest::Delete(p); }
void operator delete[](void* p, std::align_val_t) noexcept { HostileTest::Delete(p); }
void operator delete(void* p, size_t, std::align_val_t) noexcept { HostileTest::Delete(p); }
void operator delete[](void* p, size_t, std::align_val_t) noexcept { HostileTest::Delete(p); }

// ---- the allocator's own tests

namespace {

TEST(CountingAllocator, CountsPeaksAndFailsTheChosenAllocation) {
  // The C functions the library calls are counted too (this file is linked with the
  // same --wrap options as the library's objects).
  HostileTest::ResetPeak();
  const int64_t start = HostileTest::CurrentBytes();
  void* volatile c = std::malloc(3 << 20);  // volatile: the pair must not be elided
  std::free(c);
  EXPECT_LT(HostileTest::CurrentBytes() - start, 1 << 20);
  EXPECT_GE(HostileTest::PeakBytes() - start, 3 << 20);

  // Only the second allocation from now fails, and only once; a paused scope is
  // counted but not failed.
  HostileTest::FailAllocation(2);
  std::string* first = new std::string(1, 'x');
  EXPECT_THROW(new std::string(1, 'y'), std::bad_alloc);
  EXPECT_TRUE(HostileTest::FailureHappened());
  delete new std::string(1, 'z');
  delete first;
  HostileTest::FailAllocation(1);
  {
    HostileTest::CNoFailures paused;
    delete new std::string(1, 'k');
  }
  void* volatile failed = std::malloc(16);
  EXPECT_EQ(failed, nullptr);
  HostileTest::FailAllocation(0);
}

}  // namespace
