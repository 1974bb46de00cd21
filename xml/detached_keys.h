// Keys of nodes that left their document. A removed element, document type or
// attribute still carries keys owned by its old root's table; until it is deleted or
// added somewhere, this registry holds a reference on that table, so the keys
// outlive the old document. AddNode re-interns such a node into its new tree.
// Removals are client operations, rare next to parsing: one lock guards the map.
#pragma once

#include <atomic>

namespace QuorveXML {

class CHashKey;

class CDetachedKeys {
public:
  /// Records that object holds keys of table (one more reference on table).
  static void Hold(const void* object, CHashKey* table);
  /// The table object holds, with its reference handed to the caller; null when none.
  static CHashKey* Take(const void* object);
  /// The table object holds, still held; null when none.
  static CHashKey* Find(const void* object);
  /// Drops object's hold, if any.
  static void Drop(const void* object) noexcept;
  /// True when nothing is held (the common case: no lock taken).
  static bool Empty() { return sCount.load(std::memory_order_acquire) == 0; }

private:
  static std::atomic<int> sCount;
};

}  // namespace QuorveXML
