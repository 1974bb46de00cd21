#include "xml/node_heap.h"

#include <cstdlib>
#include <mutex>
#include <new>
#include <vector>

namespace QuorveXML {

std::atomic<char*> CNodeHeap::sTable[CNodeHeap::kMaxChunks];

namespace {

// Index bookkeeping; taken only when a chunk is made or released (every 256 KiB).
struct CIndexPool {
  std::mutex mLock;
  std::vector<uint32_t> mFree;
  uint32_t mNext = 1;  // index 0 stays unused, so reference 0 is null
  uint32_t mLive = 0;
  uint64_t mBytes = 0;
};

CIndexPool& Pool() {
  static CIndexPool* pool = new CIndexPool;  // outlives every thread's allocator
  return *pool;
}

}  // namespace

CNodeHeap* CNodeHeap::ForThread() {
  thread_local CNodeHeap heap;
  return &heap;
}

CNodeHeap::CChunk* CNodeHeap::NewChunk(size_t bytes, uint32_t live) {
  const size_t size = (bytes + kChunkSize - 1) & ~(kChunkSize - 1);
  if (size < bytes) return nullptr;
  CIndexPool& pool = Pool();
  uint32_t index;
  {
    std::lock_guard<std::mutex> lock(pool.mLock);
    if (!pool.mFree.empty()) {
      index = pool.mFree.back();
      pool.mFree.pop_back();
    } else if (pool.mNext < kMaxChunks) {
      index = pool.mNext++;
    } else {
      return nullptr;
    }
  }
  void* memory = std::aligned_alloc(kChunkSize, size);
  if (!memory) {
    std::lock_guard<std::mutex> lock(pool.mLock);
    pool.mFree.push_back(index);
    return nullptr;
  }
  CChunk* chunk = new (memory) CChunk;
  chunk->mIndex = index;
  chunk->mLive.store(live, std::memory_order_relaxed);
  chunk->mSize = size;
  std::lock_guard<std::mutex> lock(pool.mLock);
  sTable[index].store(static_cast<char*>(memory), std::memory_order_release);
  ++pool.mLive;
  pool.mBytes += size;
  return chunk;
}

void CNodeHeap::ReleaseChunk(CChunk* chunk) {
  CIndexPool& pool = Pool();
  {
    std::lock_guard<std::mutex> lock(pool.mLock);
    sTable[chunk->mIndex].store(nullptr, std::memory_order_relaxed);
    pool.mFree.push_back(chunk->mIndex);
    --pool.mLive;
    pool.mBytes -= chunk->mSize;
  }
  chunk->~CChunk();
  std::free(chunk);
}

void CNodeHeap::Retire() {
  if (!mChunk) return;
  CChunk* chunk = mChunk;
  const uint32_t settle = mCount - kHold;  // modular: replaces the hold by the count
  mChunk = nullptr;
  mCursor = mLimit = nullptr;
  mCount = 0;
  if (chunk->mLive.fetch_add(settle, std::memory_order_acq_rel) + settle == 0) ReleaseChunk(chunk);
}

void* CNodeHeap::AllocateSlow(size_t bytes) {
  if (bytes > kLargeSize) {
    CChunk* chunk = NewChunk(kHeaderSize + bytes, 1);
    return chunk ? reinterpret_cast<char*>(chunk) + kHeaderSize : nullptr;
  }
  CChunk* chunk = NewChunk(kChunkSize, kHold);
  if (!chunk) return nullptr;
  Retire();
  mChunk = chunk;
  mCursor = reinterpret_cast<char*>(chunk) + kHeaderSize;
  mLimit = reinterpret_cast<char*>(chunk) + kChunkSize;
  char* result = mCursor;
  mCursor += bytes;
  mCount = 1;
  return result;
}

void CNodeHeap::Free(void* p) {
  if (!p) return;
  CChunk* chunk = reinterpret_cast<CChunk*>(reinterpret_cast<uintptr_t>(p) & ~(uintptr_t{kChunkSize} - 1));
  if (chunk->mLive.fetch_sub(1, std::memory_order_acq_rel) == 1) ReleaseChunk(chunk);
}

int64_t CNodeHeap::LiveAllocations() {
  CNodeHeap* own = ForThread();
  int64_t total = 0;
  std::lock_guard<std::mutex> lock(Pool().mLock);
  for (uint32_t index = 1; index < kMaxChunks; ++index) {
    char* base = sTable[index].load(std::memory_order_acquire);
    if (!base) continue;
    const CChunk* chunk = reinterpret_cast<const CChunk*>(base);
    uint32_t live = chunk->mLive.load(std::memory_order_acquire);
    if (chunk == own->mChunk) live += own->mCount - kHold;
    // Another thread's current chunk still carries its hold; count what is visible.
    if (live >= kHold) live -= kHold;
    total += live;
  }
  return total;
}

uint32_t CNodeHeap::LiveChunks() {
  std::lock_guard<std::mutex> lock(Pool().mLock);
  return Pool().mLive;
}

uint64_t CNodeHeap::LiveBytes() {
  std::lock_guard<std::mutex> lock(Pool().mLock);
  return Pool().mBytes;
}

}  // namespace QuorveXML
