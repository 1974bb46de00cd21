#include "xml/hash_key.h"

#include <cstdlib>
#include <cstring>
#include <new>

#include "support/platform.h"
#include "support/raise.h"
#include "support/reporter.h"

namespace QuorveXML {

namespace {

constexpr size_t kBlockSize = 4096;

uint32_t LengthOf(const char* key) {
  uint32_t length;
  std::memcpy(&length, key - sizeof length, sizeof length);
  return length;
}

}  // namespace

CHashKey::CHashKey() : mCapacity(kFirstCapacity), mProbeLimit(kFirstProbeLimit), mCount(0) {
  mSlots = static_cast<char**>(std::calloc(mCapacity, sizeof(char*)));
  if (!mSlots) Quorve::ThrowError("Can't allocate key hash table.");
}

CHashKey::~CHashKey() {
  std::free(mSlots);
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

CHashKey::CProbe CHashKey::Probe(const char* name, uint32_t length, uint32_t hash) const {
  const uint32_t mask = mCapacity - 1;
  uint32_t h = hash;
  for (uint32_t i = 0; i < mProbeLimit; ++i) {
    h = (h + 1) & mask;
    const char* key = mSlots[h];
    if (!key) return {h, false};
    if (LengthOf(key) == length && std::memcmp(key, name, length) == 0) return {h, true};
  }
  return {-1, false};
}

const char* CHashKey::Store(const char* name, uint32_t length) {
  const size_t need = sizeof(uint32_t) + size_t{length} + 1;
  const size_t rounded = (need + 3) & ~size_t{3};
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
  char* key = mBlockCursor + sizeof(uint32_t);
  std::memcpy(mBlockCursor, &length, sizeof length);
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
  std::vector<const char*> pending;
  pending.reserve(size_t{mCount} + 1);  // no allocation between unhooking and restoring the slots
  for (;;) {
    if (capacity > (uint64_t{1} << 31)) Quorve::ThrowError("Can't grow hash vector.");
    char** slots = static_cast<char**>(std::calloc(capacity, sizeof(char*)));
    if (!slots) Quorve::ThrowError("Can't grow hash vector.");
    char** oldSlots = mSlots;
    const uint32_t oldCapacity = mCapacity;
    mSlots = slots;
    mCapacity = static_cast<uint32_t>(capacity);
    ++mProbeLimit;
    pending.clear();
    bool duplicate = false;
    auto reinsert = [&](char* key) {
      const CProbe probe = Probe(key, LengthOf(key), Hash(key));
      if (probe.mFound)
        duplicate = true;
      else if (probe.mSlot < 0)
        pending.push_back(key);
      else
        mSlots[probe.mSlot] = key;
    };
    for (uint32_t i = 0; i < oldCapacity; ++i)
      if (oldSlots[i]) reinsert(oldSlots[i]);
    for (const auto& entry : mOverflow) reinsert(const_cast<char*>(entry.second));
    if (duplicate) {
      std::free(slots);
      mSlots = oldSlots;
      mCapacity = oldCapacity;
      Quorve::ThrowAssertion("CHashKey::Grow - Duplicate key ???");
    }
    if (pending.empty()) {
      std::free(oldSlots);
      mOverflow.clear();
      return;
    }
    if (MayGrowTo(capacity * 2)) {
      std::free(slots);
      mSlots = oldSlots;
      mCapacity = oldCapacity;
      Quorve::XCReporter::Warning("CHashKey::Grow - Double grow needed");
      capacity *= 2;
      continue;
    }
    // Flooded: keep this size and index whatever found no slot.
    std::free(oldSlots);
    mOverflow.clear();
    for (const char* key : pending) mOverflow.emplace(std::string_view(key, LengthOf(key)), key);
    return;
  }
}

namespace {

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

}  // namespace

size_t CHashKey::CSeededHash::operator()(std::string_view name) const {
  uint64_t h = OverflowSeed() ^ (name.size() * 0x9E3779B97F4A7C15ull);
  size_t at = 0;
  for (; at + 8 <= name.size(); at += 8) {
    uint64_t word;
    std::memcpy(&word, name.data() + at, 8);
    h = Mix(h ^ word);
  }
  uint64_t tail = 0;
  if (at < name.size()) std::memcpy(&tail, name.data() + at, name.size() - at);
  return static_cast<size_t>(Mix(h ^ tail));
}

const char* CHashKey::GetKey(const char* name) {
  const uint32_t hash = Hash(name);
  return GetKey(name, static_cast<uint32_t>(std::strlen(name)), hash);
}

const char* CHashKey::GetKey(const char* name, uint32_t length, uint32_t hash) {
  if (!name) Quorve::ThrowError(nullptr);
  for (;;) {
    const CProbe probe = Probe(name, length, hash);
    if (probe.mFound) return mSlots[probe.mSlot];
    if (probe.mSlot >= 0) {
      const char* key = Store(name, length);
      mSlots[probe.mSlot] = const_cast<char*>(key);
      ++mCount;
      return key;
    }
    // The window is full: the name may sit in the overflow index.
    if (!mOverflow.empty()) {
      auto found = mOverflow.find(std::string_view(name, length));
      if (found != mOverflow.end()) return found->second;
    }
    if (MayGrowTo(uint64_t{mCapacity} * 2)) {
      Grow(uint64_t{mCapacity} * 2);
      continue;
    }
    const char* key = Store(name, length);
    mOverflow.emplace(std::string_view(key, length), key);
    ++mCount;
    return key;
  }
}

}  // namespace QuorveXML
