// Names whose hashes collide in the XML engine's key table, for the tests and the
// benchmarks that feed them to it. No test framework here: benchmarks include it too.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "xml/hash_key.h"

namespace XMLTest {

// Names of 16 bytes in 0x60..0x7F whose hashes are all equal. The hash is linear over
// the bits of the name (xor and shifts only, starting from 0), so flipping the low
// five bits of each byte by any vector of the map's kernel keeps the hash.
inline std::vector<std::string> CollidingNames(size_t count) {
  constexpr int kBytes = 16, kBits = kBytes * 5;
  // Column j: the hash of the name whose only set bit is bit (j % 5) of byte j / 5.
  std::array<uint32_t, kBits> columns{};
  for (int j = 0; j < kBits; ++j) {
    uint32_t h = 0;
    for (int b = 0; b < kBytes; ++b) h = QuorveXML::CHashKey::HashStep(h, b == j / 5 ? static_cast<uint8_t>(1u << (j % 5)) : 0);
    columns[j] = h;
  }
  // Gaussian elimination over GF(2): reduce columns, recording which originals make each.
  std::vector<std::pair<uint32_t, std::array<uint8_t, kBits>>> basis;  // (value, combination)
  std::vector<std::array<uint8_t, kBits>> kernel;
  for (int j = 0; j < kBits; ++j) {
    uint32_t value = columns[j];
    std::array<uint8_t, kBits> combination{};
    combination[j] = 1;
    for (auto& [pivotValue, pivotCombination] : basis) {
      if ((value ^ pivotValue) < value) {
        value ^= pivotValue;
        for (int k = 0; k < kBits; ++k) combination[k] ^= pivotCombination[k];
      }
    }
    if (value)
      basis.emplace_back(value, combination);
    else
      kernel.push_back(combination);
  }
  std::vector<std::string> names;
  for (size_t n = 0; names.size() < count; ++n) {
    std::string name(kBytes, '\x60');
    for (size_t v = 0; v < kernel.size() && v < 63; ++v) {
      if (!((n >> v) & 1)) continue;
      for (int j = 0; j < kBits; ++j)
        if (kernel[v][j]) name[j / 5] = static_cast<char>(name[j / 5] ^ (1 << (j % 5)));
    }
    names.push_back(name);
  }
  return names;
}

}  // namespace XMLTest
