#include "xml/node_heap.h"

#include <algorithm>
#include <cstdlib>
#include <mutex>
#include <new>
#include <vector>

namespace QuorveXML {

std::atomic<char*> CNodeHeap::sTable[CNodeHeap::kMaxChunks];

struct CNodeHeap::CSegment {
  void* mBlock;  // as the C allocator gave it
  char* mBase;   // the first chunk-aligned address in it
  uint32_t mCarved = 0;  // chunks cut so far, from the front
  uint32_t mUsed = 0;    // chunks handed out and not yet back
  uint32_t mFreeCount = 0;
  CChunk* mFree[kSegmentChunks];
};

namespace {

// Chunk and segment bookkeeping; taken only when a chunk is made or released (every
// 256 KiB of nodes).
struct CPool {
  std::mutex mLock;
  std::vector<uint32_t> mFreeIndices;
  uint32_t mNextIndex = 1;  // index 0 stays unused, so reference 0 is null
  std::vector<CNodeHeap::CSegment*> mSegments;
  uint32_t mIdleSegments = 0;  // segments with no chunk in use
  uint32_t mLiveChunks = 0;
  uint64_t mLiveBytes = 0;
};

CPool& Pool() {
  static CPool* pool = new CPool;  // outlives every thread's allocator
  return *pool;
}

}  // namespace

CNodeHeap* CNodeHeap::ForThread() {
  thread_local CNodeHeap heap;
  return &heap;
}

CNodeHeap::CChunk* CNodeHeap::NewChunk(size_t bytes, uint32_t live) {
  CPool& pool = Pool();
  std::lock_guard<std::mutex> lock(pool.mLock);
  uint32_t index;
  if (!pool.mFreeIndices.empty()) {
    index = pool.mFreeIndices.back();
    pool.mFreeIndices.pop_back();
  } else if (pool.mNextIndex < kMaxChunks) {
    // Room for every index ever taken, so that releasing one never allocates.
    try {
      pool.mFreeIndices.reserve(pool.mNextIndex + 1);
    } catch (...) {
      return nullptr;
    }
    index = pool.mNextIndex++;
  } else {
    return nullptr;
  }
  void* memory = nullptr;
  CSegment* segment = nullptr;
  size_t size = kChunkSize;
  if (bytes > kChunkSize) {
    size = (bytes + kChunkSize - 1) & ~(kChunkSize - 1);
    memory = size >= bytes ? std::aligned_alloc(kChunkSize, size) : nullptr;
  } else {
    for (CSegment* candidate : pool.mSegments) {
      if (candidate->mFreeCount || candidate->mCarved < kSegmentChunks) {
        segment = candidate;
        break;
      }
    }
    if (!segment) {
      // A plain block one chunk larger, aligned by hand: the C allocator then sees
      // requests of one size, which a released segment's hole fits again. Aligned
      // requests leave remainders that small blocks take, and an allocator that
      // keeps freed memory would grow by a segment per document.
      void* base = std::malloc(kChunkSize * (kSegmentChunks + 1));
      segment = base ? new (std::nothrow) CSegment : nullptr;
      if (segment) {
        segment->mBlock = base;
        const uintptr_t address = reinterpret_cast<uintptr_t>(base);
        const uintptr_t aligned = (address + kChunkSize - 1) & ~(uintptr_t{kChunkSize} - 1);
        segment->mBase = static_cast<char*>(base) + (aligned - address);
        try {
          pool.mSegments.push_back(segment);
        } catch (...) {
          delete segment;
          segment = nullptr;
        }
      }
      if (!segment) std::free(base);
    }
    if (segment) {
      if (segment->mUsed == 0 && (segment->mFreeCount || segment->mCarved)) --pool.mIdleSegments;
      if (segment->mFreeCount)
        memory = segment->mFree[--segment->mFreeCount];
      else
        memory = segment->mBase + size_t{segment->mCarved++} * kChunkSize;
      ++segment->mUsed;
    }
  }
  if (!memory) {
    pool.mFreeIndices.push_back(index);
    return nullptr;
  }
  CChunk* chunk = new (memory) CChunk;
  chunk->mIndex = index;
  chunk->mLive.store(live, std::memory_order_relaxed);
  chunk->mSegment = segment;
  chunk->mSize = size;
  sTable[index].store(static_cast<char*>(memory), std::memory_order_release);
  ++pool.mLiveChunks;
  pool.mLiveBytes += size;
  return chunk;
}

void CNodeHeap::ReleaseChunk(CChunk* chunk) {
  CPool& pool = Pool();
  std::lock_guard<std::mutex> lock(pool.mLock);
  sTable[chunk->mIndex].store(nullptr, std::memory_order_relaxed);
  pool.mFreeIndices.push_back(chunk->mIndex);
  --pool.mLiveChunks;
  pool.mLiveBytes -= chunk->mSize;
  CSegment* segment = chunk->mSegment;
  chunk->~CChunk();
  if (!segment) {
    std::free(chunk);
    return;
  }
  segment->mFree[segment->mFreeCount++] = chunk;
  if (--segment->mUsed) return;
  ++pool.mIdleSegments;
  if (uint64_t{pool.mIdleSegments} * kChunkSize * kSegmentChunks <= kKeptFree) return;
  --pool.mIdleSegments;
  pool.mSegments.erase(std::find(pool.mSegments.begin(), pool.mSegments.end(), segment));
  std::free(segment->mBlock);
  delete segment;
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

namespace {
thread_local CNodeHeap::CFreeBatch* tFreeBatch = nullptr;
}  // namespace

void CNodeHeap::Free(void* p) {
  if (!p) return;
  CChunk* chunk = reinterpret_cast<CChunk*>(reinterpret_cast<uintptr_t>(p) & ~(uintptr_t{kChunkSize} - 1));
  if (CFreeBatch* batch = tFreeBatch) {
    if (batch->mChunk != chunk) {
      batch->Settle();
      batch->mChunk = chunk;
    }
    ++batch->mCount;
    return;
  }
  if (chunk->mLive.fetch_sub(1, std::memory_order_acq_rel) == 1) ReleaseChunk(chunk);
}

CNodeHeap::CFreeBatch::CFreeBatch() : mInCharge(tFreeBatch == nullptr) {
  if (mInCharge) tFreeBatch = this;
}

CNodeHeap::CFreeBatch::~CFreeBatch() {
  if (!mInCharge) return;
  Settle();
  tFreeBatch = nullptr;
}

void CNodeHeap::CFreeBatch::Settle() {
  if (!mCount) return;
  CChunk* chunk = static_cast<CChunk*>(mChunk);
  const uint32_t count = mCount;
  mCount = 0;
  if (chunk->mLive.fetch_sub(count, std::memory_order_acq_rel) == count) ReleaseChunk(chunk);
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
  return Pool().mLiveChunks;
}

uint64_t CNodeHeap::LiveBytes() {
  std::lock_guard<std::mutex> lock(Pool().mLock);
  return Pool().mLiveBytes;
}

}  // namespace QuorveXML
