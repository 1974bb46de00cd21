#include "xml/hash_key.h"

#include <cstdlib>
#include <cstring>
#include <new>

#include "support/platform.h"
#include "support/raise.h"
#include "support/reporter.h"

namespace QuorveXML {

namespace {

// Names are a few bytes long: a plain loop beats the library call on them.
inline bool SameText(const char* a, const char* b) {
  for (;; ++a, ++b) {
    if (*a != *b) return false;
    if (!*a) return true;
  }
}

constexpr size_t kBlockSize = 4096;

// Each key text is preceded by its hash and its length, so that a probe and a
// growth read both from the line the text starts on.
struct CKeyHeader {
  uint32_t mHash;
  uint32_t mLength;
};

CKeyHeader HeaderOf(const char* key) {
  CKeyHeader header;
  std::memcpy(&header, key - sizeof header, sizeof header);
  return header;
}

uint64_t Mix(uint64_t x) {
  x = (x ^ (x >> 30)) * 0xBF58476D1CE4E5B9ull;
  x = (x ^ (x >> 27)) * 0x94D049BB133111EBull;
  return x ^ (x >> 31);
}

uint64_t OverflowSeed() {
  static const uint64_t seed = [] {
    uint8_t bytes[16] = {};
    Quorve::Platform::NewGuid(bytes);
    uint64_t value;
    std::memcpy(&value, bytes, sizeof value);
    return value;
  }();
  return seed;
}

// The overflow's hash: the name's bytes mixed with the process's random seed.
uint64_t SeededHash(const char* name, uint32_t length) {
  uint64_t h = OverflowSeed() ^ (length * 0x9E3779B97F4A7C15ull);
  size_t at = 0;
  for (; at + 8 <= length; at += 8) {
    uint64_t word;
    std::memcpy(&word, name + at, 8);
    h = Mix(h ^ word);
  }
  uint64_t tail = 0;
  if (at < length) std::memcpy(&tail, name + at, length - at);
  return Mix(h ^ tail);
}

// A slot's tag: its key's hash, or 1 for a hash of 0, since 0 marks an empty slot.
uint32_t TagOf(uint32_t hash) { return hash ? hash : 1; }

// An overflow entry's control byte: the top of its seeded hash, never 0 (empty).
uint8_t ControlOf(uint64_t seeded) {
  const uint8_t top = static_cast<uint8_t>(seeded >> 56);
  return top ? top : 1;
}

// Asks for the line at p ahead of its use: a new name lands at a random place in
// a table, and the fetches of its lines overlap with the work before them.
inline void Prefetch(const void* p) {
#if defined(__GNUC__)
  __builtin_prefetch(p);
#else
  (void)p;
#endif
}

}  // namespace

CHashKey::CHashKey() : mCapacity(kFirstCapacity), mProbeLimit(kFirstProbeLimit), mCount(0) {
  mSlots = static_cast<char**>(std::calloc(mCapacity, sizeof(char*)));
  mTags = static_cast<uint32_t*>(std::calloc(mCapacity, sizeof(uint32_t)));
  if (!mSlots || !mTags) {
    std::free(mSlots);
    std::free(mTags);
    Quorve::ThrowError("Can't allocate key hash table.");
  }
}

CHashKey::~CHashKey() {
  std::free(mSlots);
  std::free(mTags);
  for (char* block : mBlocks) std::free(block);
}

void CHashKey::Release() {
  if (mReferences.fetch_sub(1, std::memory_order_acq_rel) == 1) delete this;
}

uint32_t CHashKey::Hash(const char* name) {
  if (!name) Quorve::ThrowError(nullptr);
  uint32_t h = 0;
  for (const unsigned char* p = reinterpret_cast<const unsigned char*>(name); *p; ++p) h = HashStep(h, *p);
  return h;
}

template <class Same>
CHashKey::CProbe CHashKey::Walk(uint32_t hash, Same same) const {
  const uint32_t mask = mCapacity - 1;
  const uint32_t tag = TagOf(hash);
  uint32_t h = hash;
  for (uint32_t i = 0; i < mProbeLimit; ++i) {
    h = (h + 1) & mask;
    const uint32_t slotTag = mTags[h];
    if (!slotTag) return {h, false};
    if (slotTag == tag && same(mSlots[h])) return {h, true};
  }
  return {-1, false};
}

CHashKey::CProbe CHashKey::Probe(const char* name, uint32_t length, uint32_t hash) const {
  return Walk(hash, [&](const char* key) {
    const CKeyHeader header = HeaderOf(key);
    return header.mHash == hash && header.mLength == length && std::memcmp(key, name, length) == 0;
  });
}

bool CHashKey::WindowHoldsOnly(uint32_t hash) const {
  const uint32_t mask = mCapacity - 1;
  const uint32_t tag = TagOf(hash);
  uint32_t h = hash;
  for (uint32_t i = 0; i < mProbeLimit; ++i) {
    h = (h + 1) & mask;
    if (mTags[h] != tag || HeaderOf(mSlots[h]).mHash != hash) return false;
  }
  return true;
}

void CHashKey::Place(int64_t slot, const char* key, uint32_t hash) {
  mSlots[slot] = const_cast<char*>(key);
  mTags[slot] = TagOf(hash);
}

const char* CHashKey::Store(const char* name, uint32_t length, uint32_t hash) {
  const size_t need = sizeof(CKeyHeader) + size_t{length} + 1;
  const size_t rounded = (need + 7) & ~size_t{7};
  if (rounded > mBlockRoom) {
    const size_t size = rounded > kBlockSize ? rounded : kBlockSize;
    char* block = static_cast<char*>(std::malloc(size));
    if (!block) Quorve::ThrowError("Can't grow hash vector.");
    try {
      mBlocks.push_back(block);
    } catch (...) {
      std::free(block);
      Quorve::ThrowError("Can't grow hash vector.");
    }
    mBlockCursor = block;
    mBlockRoom = size;
  }
  const CKeyHeader header{hash, length};
  char* key = mBlockCursor + sizeof header;
  std::memcpy(mBlockCursor, &header, sizeof header);
  std::memcpy(key, name, length);
  key[length] = 0;
  mBlockCursor += rounded;
  mBlockRoom -= rounded;
  return key;
}

bool CHashKey::MayGrowTo(uint64_t capacity) const {
  const uint64_t bound = 16 * (uint64_t{mCount} + 1);
  return capacity <= (bound > kFirstCapacity ? bound : kFirstCapacity);
}

void CHashKey::Grow(uint64_t capacity) {
  // Keys no slot takes; helpable tells whether a doubling might take one of them
  // (it cannot when a key's window holds only its own hash).
  std::vector<const char*> pending;
  try {
    pending.reserve(size_t{mCount} + 1);  // no allocation between unhooking and restoring the slots
  } catch (const std::bad_alloc&) {
    Quorve::ThrowError("Can't grow hash vector.");
  }
  for (;;) {
    if (capacity > (uint64_t{1} << 31)) Quorve::ThrowError("Can't grow hash vector.");
    char** slots = static_cast<char**>(std::calloc(capacity, sizeof(char*)));
    uint32_t* tags = static_cast<uint32_t*>(std::calloc(capacity, sizeof(uint32_t)));
    if (!slots || !tags) {
      std::free(slots);
      std::free(tags);
      Quorve::ThrowError("Can't grow hash vector.");
    }
    char** oldSlots = mSlots;
    uint32_t* oldTags = mTags;
    const uint32_t oldCapacity = mCapacity;
    auto restore = [&] {
      std::free(slots);
      std::free(tags);
      mSlots = oldSlots;
      mTags = oldTags;
      mCapacity = oldCapacity;
    };
    mSlots = slots;
    mTags = tags;
    mCapacity = static_cast<uint32_t>(capacity);
    ++mProbeLimit;
    pending.clear();
    bool duplicate = false, helpable = false;
    auto reinsert = [&](const char* key, uint32_t hash) {
      // The key itself is read only when a slot's tag matches its hash.
      const CProbe probe = Walk(hash, [key](const char* other) {
        const CKeyHeader mine = HeaderOf(key), theirs = HeaderOf(other);
        return mine.mHash == theirs.mHash && mine.mLength == theirs.mLength &&
               std::memcmp(key, other, mine.mLength) == 0;
      });
      if (probe.mFound) {
        duplicate = true;
      } else if (probe.mSlot >= 0) {
        Place(probe.mSlot, key, hash);
      } else {
        if (!WindowHoldsOnly(hash)) helpable = true;
        pending.push_back(key);
      }
    };
    // Slots are re-inserted in order, with their hashes from the tags: the new
    // table is written nearly in order and no key is read unless its tag says 1.
    for (uint32_t i = 0; i < oldCapacity; ++i)
      if (const char* key = oldSlots[i]) reinsert(key, oldTags[i] != 1 ? oldTags[i] : HeaderOf(key).mHash);
    for (const char* key : mOverflowKeys) reinsert(key, HeaderOf(key).mHash);
    if (duplicate) {
      restore();
      Quorve::ThrowAssertion("CHashKey::Grow - Duplicate key ???");
    }
    if (helpable && MayGrowTo(capacity * 2)) {
      restore();
      Quorve::XCReporter::Warning("CHashKey::Grow - Double grow needed");
      capacity *= 2;
      continue;
    }
    // Whatever found no slot stays in, or goes to, the overflow. The old one is
    // let go only once the new one is built, so that a failure keeps the table.
    std::vector<const char*> oldKeys;
    std::vector<uint8_t> oldControl;
    std::vector<uint32_t> oldPositions;
    oldKeys.swap(mOverflowKeys);
    oldControl.swap(mOverflowControl);
    oldPositions.swap(mOverflowPositions);
    try {
      for (const char* key : pending) OverflowAdd(key, SeededHash(key, HeaderOf(key).mLength));
    } catch (...) {
      mOverflowKeys.swap(oldKeys);
      mOverflowControl.swap(oldControl);
      mOverflowPositions.swap(oldPositions);
      restore();
      throw;
    }
    std::free(oldSlots);
    std::free(oldTags);
    return;
  }
}

const char* CHashKey::OverflowFind(const char* name, uint32_t length, uint64_t seeded) const {
  if (mOverflowControl.empty()) return nullptr;
  const size_t mask = mOverflowControl.size() - 1;
  const uint8_t control = ControlOf(seeded);
  for (size_t at = seeded & mask;; at = (at + 1) & mask) {
    const uint8_t entry = mOverflowControl[at];
    if (!entry) return nullptr;
    if (entry != control) continue;
    const char* key = mOverflowKeys[mOverflowPositions[at]];
    if (HeaderOf(key).mLength == length && std::memcmp(key, name, length) == 0) return key;
  }
}

void CHashKey::OverflowAdd(const char* key, uint64_t seeded) {
  try {
    if (2 * (mOverflowKeys.size() + 1) > mOverflowControl.size()) {
      const size_t size = mOverflowControl.empty() ? 64 : 2 * mOverflowControl.size();
      std::vector<uint8_t> control(size, 0);
      std::vector<uint32_t> positions(size);
      mOverflowControl.swap(control);
      mOverflowPositions.swap(positions);
      // Rebuilt from the list, whose texts lie in the order they were stored. Each
      // key lands at a random place: the hashes are taken kAhead keys early and
      // their lines asked for, so that the fetches overlap instead of queueing.
      constexpr size_t kAhead = 16;
      uint64_t ahead[kAhead];
      const size_t count = mOverflowKeys.size();
      auto hashOf = [&](size_t position) {
        const char* other = mOverflowKeys[position];
        const uint64_t otherSeeded = SeededHash(other, HeaderOf(other).mLength);
        FetchOverflowEntry(otherSeeded);
        return otherSeeded;
      };
      for (size_t position = 0; position < count && position < kAhead; ++position) ahead[position] = hashOf(position);
      for (size_t position = 0; position < count; ++position) {
        const uint64_t otherSeeded = ahead[position % kAhead];
        if (position + kAhead < count) ahead[position % kAhead] = hashOf(position + kAhead);
        OverflowPlace(position, otherSeeded);
      }
    }
    mOverflowKeys.push_back(key);
  } catch (const std::bad_alloc&) {
    Quorve::ThrowError("Can't grow hash vector.");
  }
  OverflowPlace(mOverflowKeys.size() - 1, seeded);
}

void CHashKey::FetchOverflowEntry(uint64_t seeded) const {
  const size_t at = seeded & (mOverflowControl.size() - 1);
  Prefetch(&mOverflowControl[at]);
  Prefetch(&mOverflowPositions[at]);
}

void CHashKey::OverflowPlace(size_t position, uint64_t seeded) {
  const size_t mask = mOverflowControl.size() - 1;
  size_t at = seeded & mask;
  while (mOverflowControl[at]) at = (at + 1) & mask;
  mOverflowControl[at] = ControlOf(seeded);
  mOverflowPositions[at] = static_cast<uint32_t>(position);
}

const char* CHashKey::GetKey(const char* name) {
  const uintptr_t address = reinterpret_cast<uintptr_t>(name);
  // Literal names sit a few bytes apart: a multiplicative mix spreads them over the slots.
  CByAddress& cached = mByAddress[(uint64_t{address} * 0x9E3779B97F4A7C15u) >> (64 - kByAddressBits)];
  if (name && cached.mName == name && SameText(cached.mKey, name)) return cached.mKey;
  const uint32_t hash = Hash(name);
  const char* key = GetKey(name, static_cast<uint32_t>(std::strlen(name)), hash);
  if (key) cached = {name, key};
  return key;
}

const char* CHashKey::GetKey(const char* name, uint32_t length, uint32_t hash) {
  return Finish(name, length, hash, Begin(name, length, hash));
}

const char* CHashKey::Answer(const CProbe& probe, const char* name, uint32_t length, uint32_t hash) {
  if (probe.mFound) return mSlots[probe.mSlot];
  if (probe.mSlot < 0) return nullptr;
  const char* key = Store(name, length, hash);
  Place(probe.mSlot, key, hash);
  ++mCount;
  return key;
}

CHashKey::CPending CHashKey::Begin(const char* name, uint32_t length, uint32_t hash) {
  if (!name) Quorve::ThrowError(nullptr);
  CPending pending{nullptr, 0, mCapacity, false};
  const bool overflow = !mOverflowControl.empty();
  if (overflow) {
    // Only files of colliding names have an overflow.
    pending.mSeeded = SeededHash(name, length);
    FetchOverflowEntry(pending.mSeeded);
  }
  if (mCapacity > kResidentCapacity) {
    // A large table: the window's lines are fetched, and Finish reads them.
    const uint32_t first = (hash + 1) & (mCapacity - 1);
    Prefetch(&mTags[first]);
    Prefetch(&mSlots[first]);
    return pending;
  }
  // A small table stays in the caches: the window answers at once, unless it is full.
  pending.mKey = Answer(Probe(name, length, hash), name, length, hash);
  if (!pending.mKey) {
    pending.mWindowFull = true;
    if (!overflow) pending.mSeeded = SeededHash(name, length);
  }
  return pending;
}

const char* CHashKey::Finish(const char* name, uint32_t length, uint32_t hash, const CPending& pending) {
  if (pending.mKey) return pending.mKey;
  if (!name) Quorve::ThrowError(nullptr);
  // Slots are only ever filled, so a full window stays full while the capacity stays.
  bool windowFull = pending.mWindowFull && pending.mCapacity == mCapacity;
  uint64_t seeded = pending.mSeeded;  // 0 when not known yet (or, harmlessly, when it is 0)
  for (;; windowFull = false) {
    if (!windowFull) {
      if (const char* key = Answer(Probe(name, length, hash), name, length, hash)) return key;
    }
    if (!seeded) seeded = SeededHash(name, length);
    if (const char* key = OverflowFind(name, length, seeded)) return key;
    if (!WindowHoldsOnly(hash) && MayGrowTo(uint64_t{mCapacity} * 2)) {
      Grow(uint64_t{mCapacity} * 2);
      continue;
    }
    const char* key = Store(name, length, hash);
    OverflowAdd(key, seeded);
    ++mCount;
    return key;
  }
}

}  // namespace QuorveXML
