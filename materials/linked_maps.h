// The linked maps of a mapping node: the ids of other mapping nodes whose image
// settings it shares.
#pragma once

#include <unordered_set>
#include <vector>

#include "framework/uuid.h"
#include "serialization/xml_add.h"
#include "serialization/xml_get.h"

namespace QvZin {

/// An ordered list of ids without the all-zero id and without repeats; a set beside
/// it finds repeats, so a file's long list costs no scan per id. Its complaints are
/// warnings through the owner's link.
class CZinLinkedMaps {
public:
  CZinLinkedMaps() = default;
  CZinLinkedMaps(const CZinLinkedMaps&) = delete;
  CZinLinkedMaps& operator=(const CZinLinkedMaps&) = delete;

  /// Where the warnings go (borrowed, may be null).
  void setLink(IZinMgrRef* link) { mLink = link; }
  void resetFields();
  void copyFrom(CZinLinkedMaps& from);

  uint32_t count() const { return static_cast<uint32_t>(mIds.size()); }
  /// The id at index; past the end, "CMappingNode::getMapLinked - Invalid index" and
  /// the all-zero id.
  CZinUUID at(uint32_t index) const;
  /// Appends id, or warns "CMappingNode::addLinkedMap - NULL UUID is Invalid" or
  /// "CMappingNode::addLinkedMap - Map already linked" and changes nothing.
  void add(const CZinUUID& id);
  /// Removes id, or warns "CMappingNode::removeLinkedMap - Map isn't linked".
  void remove(const CZinUUID& id);
  const std::vector<CZinUUID>& ids() const { return mIds; }

private:
  std::vector<CZinUUID> mIds;
  std::unordered_set<CZinUUID, CZinUUIDHash> mSet;
  IZinMgrRef* mLink = nullptr;
};

/// The list in its child element tag, one "Map.Node" with attribute "Id" per id.
/// Reading goes through add, so zero and repeated ids warn and are dropped; a
/// missing element reads as an empty list.
struct ZinLinkedMaps {
  template <class Owner>
  void put(CZinXMLAdd& out, const char* tag, CZinLinkedMaps& part, Owner&) const {
    Put(out, tag, part);
  }
  template <class Owner>
  void get(CZinXMLGet& in, const char* tag, CZinLinkedMaps& part, Owner&) const {
    Get(in, tag, part);
  }
  static void Put(CZinXMLAdd& out, const char* tag, CZinLinkedMaps& part);
  static void Get(CZinXMLGet& in, const char* tag, CZinLinkedMaps& part);
};

}  // namespace QvZin
