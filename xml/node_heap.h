// Storage of document nodes and their texts.
//
// A scene document holds millions of small nodes, so their size decides both the
// memory of a loaded file and the time to load it (each new page costs a fault).
// Nodes therefore link to each other through 32-bit references instead of pointers,
// and they are carved from large chunks instead of one heap call each:
// - A chunk is kChunkSize bytes aligned to its size and starts with a header; the
//   header of any address in it is found by masking the address.
// - A reference is the chunk's index in one process-wide table and the offset in
//   8-byte units; 0 is null. References stay valid wherever a node moves, so nodes
//   pass freely between documents and threads.
// - Each thread allocates by bumping a pointer in its own current chunk. A chunk
//   counts its live allocations and goes back to the system when the count reaches
//   zero and no thread allocates from it any more. Freed space inside a chunk is not
//   reused; a chunk whose nodes all died is, so adding and deleting nodes in a loop
//   keeps a bounded footprint.
// - Chunks are cut from 8 MiB segments, so that aligning them wastes little. A chunk
//   whose allocations all died goes back to its segment for reuse; a segment whose
//   chunks are all back is returned to the system, except that up to kKeptFree bytes
//   of such segments stay for the next document (loading one file after another
//   then touches no new memory).
// - Allocations above kLargeSize get a block of their own.
#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>

namespace QuorveXML {

/// A reference to a heap allocation (or to a spot inside one); 0 is null.
using XRef = uint32_t;

class CNodeHeap {
public:
  static constexpr size_t kChunkSize = size_t{1} << 18;  // 256 KiB
  static constexpr unsigned kOffsetBits = 15;            // 8-byte units within a chunk
  static constexpr uint32_t kMaxChunks = uint32_t{1} << (32 - kOffsetBits);
  static constexpr size_t kLargeSize = 32 * 1024;
  static constexpr uint32_t kSegmentChunks = 32;
  static constexpr size_t kKeptFree = size_t{16} << 20;

  /// The calling thread's allocator; hold on to it for a burst of allocations.
  static CNodeHeap* ForThread();

  /// bytes rounded up to 8, aligned to 8; null when memory runs out.
  void* Allocate(size_t bytes) {
    bytes = (bytes + 7) & ~size_t{7};
    if (static_cast<size_t>(mLimit - mCursor) >= bytes) {
      char* result = mCursor;
      mCursor += bytes;
      ++mCount;
      return result;
    }
    return AllocateSlow(bytes);
  }

  /// Releases an allocation made by any thread's allocator.
  static void Free(void* p);

  /// While one lives, this thread's Free calls are counted per chunk and settled in
  /// one atomic step when the chunk changes or the batch ends: the nodes of a subtree
  /// being destroyed sit together in a few chunks, and a step per node was a tenth of
  /// the time of a document's rewrite. An inner batch leaves the outer in charge.
  class CFreeBatch {
  public:
    CFreeBatch();
    ~CFreeBatch();
    CFreeBatch(const CFreeBatch&) = delete;
    CFreeBatch& operator=(const CFreeBatch&) = delete;

  private:
    friend class CNodeHeap;
    void Settle();

    bool mInCharge;
    void* mChunk = nullptr;
    uint32_t mCount = 0;
  };

  static XRef ToRef(const void* p) {
    const uintptr_t address = reinterpret_cast<uintptr_t>(p);
    const uintptr_t base = address & ~(uintptr_t{kChunkSize} - 1);
    const uint32_t index = reinterpret_cast<const CChunk*>(base)->mIndex;
    return (index << kOffsetBits) | static_cast<uint32_t>((address - base) >> 3);
  }
  static void* ToPtr(XRef ref) {
    if (!ref) return nullptr;
    char* base = sTable[ref >> kOffsetBits].load(std::memory_order_relaxed);
    return base + (size_t{ref & ((1u << kOffsetBits) - 1)} << 3);
  }

  /// Allocations not yet freed, over every thread; valid only while no other thread
  /// allocates or frees (tests).
  static int64_t LiveAllocations();
  /// Chunks currently held, large ones included (tests and benchmarks).
  static uint32_t LiveChunks();
  /// Bytes currently held in chunks (benchmarks).
  static uint64_t LiveBytes();

  struct CSegment;

  CNodeHeap() = default;
  ~CNodeHeap() { Retire(); }
  CNodeHeap(const CNodeHeap&) = delete;
  CNodeHeap& operator=(const CNodeHeap&) = delete;

private:
  struct CChunk {
    uint32_t mIndex;
    // Live allocations, plus kHold while a thread allocates from the chunk. The
    // allocating thread counts in mCount and settles when it moves on, so the
    // bump path needs no atomic operation.
    std::atomic<uint32_t> mLive;
    CSegment* mSegment;  // null for a block of its own
    uint64_t mSize;
  };
  static constexpr uint32_t kHold = uint32_t{1} << 31;
  static constexpr size_t kHeaderSize = 24;
  static_assert(sizeof(CChunk) == kHeaderSize, "chunk header");

  void* AllocateSlow(size_t bytes);
  void Retire();
  static CChunk* NewChunk(size_t bytes, uint32_t live);
  static void ReleaseChunk(CChunk* chunk);

  char* mCursor = nullptr;
  char* mLimit = nullptr;
  CChunk* mChunk = nullptr;
  uint32_t mCount = 0;

  static std::atomic<char*> sTable[kMaxChunks];
};

}  // namespace QuorveXML
