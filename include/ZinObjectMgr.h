// Indexed collections: every list of a scene (views, lights, points, key frames...)
// is handed to clients as a TZinObjectMgr<I>.
#pragma once

#include "ZinBase.h"

namespace QvZin {

/// The index that stands for the end of a list: count in newZinObject, count - 1
/// in removeObject.
constexpr uint32_t kZinEndOfList = 0xFFFFFFFFu;

/// The operations of a collection that do not depend on the element type.
/// Index errors never throw: they are warnings through the owner's link object
/// ("getZinObject: Bad index value", "newZinObject: Bad index value",
/// "removeObject: Bad index value", "moveObject: Bad index value"), after which the
/// operation does nothing. A collection without owner throws
/// "TZinComPtr::operator->() - Dereferencing NULL" instead of warning.
class IZinObjectMgrBase : public IZinBasic {
public:
  /// The identifier every collection answers in QueryInterface.
  static constexpr CZinUUID sIID = kIID_ZinObjectMgr;

  /// The identifier of the element interface (borrowed, lives as long as the library).
  virtual const CZinUUID& getItemIID() = 0;
  /// The number of elements.
  virtual uint32_t getCount() = 0;
  /// Removes element index (kZinEndOfList: the last one); the following ones move
  /// down. The collection drops its hold on it: a counted element lives on while the
  /// client holds its own reference.
  virtual void removeObject(uint32_t index) = 0;
  /// Moves element from so that it ends at index to; from == to does nothing; an
  /// index not below the count warns.
  virtual void moveObject(uint32_t from, uint32_t to) = 0;
  /// Removes every element, the last one first.
  virtual void removeAll() = 0;
  /// Prepares room for count elements; changes no index. One call prepares at most
  /// 65536 elements beyond the current count: larger announcements grow with the
  /// elements actually added.
  virtual void reserve(uint32_t count) = 0;
};

/// The element identifier that getItemIID reports for element interface I.
template <class I>
struct TZinItemIID {
  static constexpr const CZinUUID& value = I::sIID;
};

/// Identifiers kept as plain values: CZinUUID cannot carry a member of its own type.
template <>
struct TZinItemIID<CZinUUID> {
  static constexpr CZinUUID value = CZinUUID::fromText("4F9C1F83DEFB4453B882001C03F72FC0");
};

/// A collection of elements reached through interface I.
template <class I>
class TZinObjectMgr : public IZinObjectMgrBase {
public:
  /// Element index (borrowed: no reference added), or null with the warning
  /// "getZinObject: Bad index value" when index is not below the count.
  virtual I* getZinObject(uint32_t index) = 0;
  /// Creates an element at index (kZinEndOfList or the count: at the end; the
  /// following ones move up) with a new id, and returns it borrowed. An index above
  /// the count warns "newZinObject: Bad index value"; a failed creation warns
  /// "newZinObject: Can't allocate object"; both return null.
  virtual I* newZinObject(uint32_t index) = 0;
};

}  // namespace QvZin
