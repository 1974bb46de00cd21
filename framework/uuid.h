// New identifiers for objects, nodes and images.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>

#include "ZinUUID.h"

namespace QvZin {

/// A new random identifier; throws "Can't create UUID" when the system fails.
CZinUUID NewZinUUID();

/// A random value drawn once per process.
uint64_t ZinHashSeed();

/// Hashes an id for hash maps, mixed with the process's seed: ids come from files,
/// and a fixed hash would let a file choose ids that all fall into one bucket.
struct CZinUUIDHash {
  static uint64_t Mix(uint64_t x) {
    x ^= x >> 30;
    x *= 0xBF58476D1CE4E5B9ull;
    x ^= x >> 27;
    x *= 0x94D049BB133111EBull;
    return x ^ (x >> 31);
  }
  size_t operator()(const CZinUUID& id) const {
    uint64_t low, high;
    std::memcpy(&low, id.mBytes, 8);
    std::memcpy(&high, id.mBytes + 8, 8);
    const uint64_t seed = ZinHashSeed();
    return static_cast<size_t>(Mix(low ^ seed) ^ Mix(high + seed));
  }
};

}  // namespace QvZin
