// The key table of a document: every element, attribute and document-type name is
// stored once, and the pointer to that copy (the key) stands for the name.
//
// Open addressing over a power-of-two slot array: a name's hash is fixed by the file
// format's history, and a lookup tries at most "probe limit" slots after it. When a
// new name finds no free slot within the limit, the table doubles and the limit grows
// by one. Each slot's hash is kept beside it, so a probe reads a key's text only
// when the hashes agree; each key's hash is also stored before its text, so growth
// never hashes a name again.
//
// The hash is linear over the bits of the name, so names that collide on every bit
// are easy to make; a file of such names would double the table once per name.
// Doubling cannot part names whose hashes are equal, so a full window holding only
// the new name's hash sends it straight to an overflow index; and growth stops at
// max(64, 16 x names) slots, past which a name that finds no slot goes there too,
// until a later growth finds it one. That index hashes names with a seed drawn at
// random once per process, so a file cannot aim its names at it. A file of such
// names reaches the overflow once per name, so it is flat and small: a list of the
// keys, and a table whose probes read one byte per entry. Ordinary names never reach it.
//
// Keys never move: growth copies slot pointers only. A table is shared by counted
// references: its document's root holds one, and so does each node removed from the
// document while it still carries keys of this table.
#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace QuorveXML {

class CHashKey {
public:
  static constexpr uint32_t kFirstCapacity = 64;
  static constexpr uint32_t kFirstProbeLimit = 10;

  /// An empty table: 64 slots, probe limit 10, one reference held by the caller.
  /// Throws "Can't allocate key hash table." when memory runs out.
  CHashKey();

  void AddRef() { mReferences.fetch_add(1, std::memory_order_relaxed); }
  /// Drops one reference; the last one destroys the table and every key.
  void Release();

  /// The key of name, inserted when new. A null name throws "exception". A name
  /// asked for again at the same address (a literal) is answered from a small cache.
  const char* GetKey(const char* name);
  /// The same for a name of known length and hash (the parser computes both while
  /// scanning); name need not be terminated.
  const char* GetKey(const char* name, uint32_t length, uint32_t hash);

  /// GetKey in two halves, for a caller that looks up several names at once. Begin
  /// asks for the lines of the table that the lookup will read; in a table small
  /// enough to stay in the caches it answers at once, unless the name's window is
  /// full. Finish answers the rest, given the same name, length and hash; other
  /// names may be looked up in between. A null name throws "exception".
  struct CPending {
    const char* mKey;  // the answer, or null while pending
    uint64_t mSeeded;  // the overflow's hash of the name, when known
    uint32_t mCapacity;
    bool mWindowFull;  // Begin found the window full
  };
  static constexpr uint32_t kResidentCapacity = 4096;
  CPending Begin(const char* name, uint32_t length, uint32_t hash);
  const char* Finish(const char* name, uint32_t length, uint32_t hash, const CPending& pending);

  /// The hash of the format: h = h ^ (((h * 2) ^ c) << 4 ^ (h >> 27) ^ c) per byte.
  static uint32_t Hash(const char* name);
  static uint32_t HashStep(uint32_t h, uint8_t c) {
    return h ^ ((((h << 1) ^ c) << 4) ^ (h >> 27) ^ c);
  }

  uint32_t Capacity() const { return mCapacity; }
  uint32_t ProbeLimit() const { return mProbeLimit; }
  uint32_t Count() const { return mCount; }
  /// Names kept in the overflow index (0 unless names were crafted to collide).
  uint32_t OverflowCount() const { return static_cast<uint32_t>(mOverflowKeys.size()); }

private:
  ~CHashKey();
  CHashKey(const CHashKey&) = delete;
  CHashKey& operator=(const CHashKey&) = delete;

  // Result of a probe: the slot found or free (-1 when the window is full).
  struct CProbe {
    int64_t mSlot;
    bool mFound;
  };
  /// The window of hash: the first empty slot, or the first whose tag matches and
  /// whose key same(key) accepts.
  template <class Same>
  CProbe Walk(uint32_t hash, Same same) const;
  CProbe Probe(const char* name, uint32_t length, uint32_t hash) const;
  /// True when every slot of hash's window holds a name with that very hash.
  bool WindowHoldsOnly(uint32_t hash) const;
  void Place(int64_t slot, const char* key, uint32_t hash);
  /// The key a probe found, or a new one in the free slot it found; null when the
  /// window is full.
  const char* Answer(const CProbe& probe, const char* name, uint32_t length, uint32_t hash);
  const char* Store(const char* name, uint32_t length, uint32_t hash);
  bool MayGrowTo(uint64_t capacity) const;
  void Grow(uint64_t capacity);
  const char* OverflowFind(const char* name, uint32_t length, uint64_t seeded) const;
  void OverflowAdd(const char* key, uint64_t seeded);
  void OverflowPlace(size_t position, uint64_t seeded);
  /// Asks for the lines of the overflow entry where seeded's probe starts.
  void FetchOverflowEntry(uint64_t seeded) const;

  // Fields of the format first: slot array, capacity, probe limit, count.
  char** mSlots;
  uint32_t mCapacity;
  uint32_t mProbeLimit;
  uint32_t mCount;

  std::atomic<uint32_t> mReferences{1};
  // Beside each slot, its key's hash (1 for a hash of 0; 0 when empty): a probe
  // reads a key only when the hashes agree, and finds the window in one line.
  uint32_t* mTags;
  // The overflow: its keys in the order they came, and an open-addressing table
  // over them on the seeded hash, at most half full (see OverflowAdd): a control
  // byte per entry (the top of the hash; 0 when empty), which a probe reads alone,
  // and apart from it the key's position in the list.
  std::vector<const char*> mOverflowKeys;
  std::vector<uint8_t> mOverflowControl;
  std::vector<uint32_t> mOverflowPositions;
  // The keys last asked for by text, by the name's address: writers ask for the same
  // literal names for every object they add, and a hit costs a comparison of the
  // name with the key instead of its hash and probe. The comparison keeps a name
  // in a reused buffer from getting another name's key.
  struct CByAddress {
    const char* mName;
    const char* mKey;
  };
  static constexpr uint32_t kByAddressBits = 10;
  static constexpr uint32_t kByAddressSlots = uint32_t{1} << kByAddressBits;
  CByAddress mByAddress[kByAddressSlots] = {};
  // Key texts live in blocks that never move; each is preceded by its hash and length.
  std::vector<char*> mBlocks;
  char* mBlockCursor = nullptr;
  size_t mBlockRoom = 0;
};

}  // namespace QuorveXML
