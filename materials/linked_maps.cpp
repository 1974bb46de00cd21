#include "materials/linked_maps.h"

#include <algorithm>

#include "framework/basic_data.h"

namespace QvZin {

void CZinLinkedMaps::resetFields() {
  mIds.clear();
  mSet.clear();
}

void CZinLinkedMaps::copyFrom(CZinLinkedMaps& from) {
  mIds = from.mIds;
  mSet = from.mSet;
}

CZinUUID CZinLinkedMaps::at(uint32_t index) const {
  if (index < mIds.size()) return mIds[index];
  WarnThrough(mLink, "CMappingNode::getMapLinked - Invalid index");
  return CZinUUID();
}

void CZinLinkedMaps::add(const CZinUUID& id) {
  if (id.isNull()) return WarnThrough(mLink, "CMappingNode::addLinkedMap - NULL UUID is Invalid");
  if (mSet.count(id)) return WarnThrough(mLink, "CMappingNode::addLinkedMap - Map already linked");
  mIds.push_back(id);
  try {
    mSet.insert(id);
  } catch (...) {
    mIds.pop_back();
    throw;
  }
}

void CZinLinkedMaps::remove(const CZinUUID& id) {
  auto found = std::find(mIds.begin(), mIds.end(), id);
  if (found == mIds.end()) return WarnThrough(mLink, "CMappingNode::removeLinkedMap - Map isn't linked");
  mIds.erase(found);
  mSet.erase(id);
}

void ZinLinkedMaps::Put(CZinXMLAdd& out, const char* tag, CZinLinkedMaps& part) {
  CZinXMLAdd list(out.AddElement(tag), out);
  for (const CZinUUID& id : part.ids()) CZinXMLAdd(list.AddElement("Map.Node")).AddUUID("Id", id);
}

void ZinLinkedMaps::Get(CZinXMLGet& in, const char* tag, CZinLinkedMaps& part) {
  part.resetFields();
  QuorveXML::XIXMLElement* list = in.FindElement(tag);
  if (!list) return;
  for (QuorveXML::XIXMLElement* e = CZinXMLGet(list).FindElement("Map.Node"); e; e = e->GetNextSameElement())
    part.add(CZinXMLGet(e).GetUUID("Id"));
}

}  // namespace QvZin
