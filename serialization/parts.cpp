#include "serialization/parts.h"

#include <cstdio>

namespace QvZin {

CZinIdList::CZinIdList() : mIds(NewZinCollection<List>(nullptr)) {}

void CZinIdList::setLink(IZinMgrRef* link) {
  if (mIds->owner() == link) return;
  // A collection's owner is fixed when it is made: the ids move to a new one.
  TZinComPtr<List> moved = NewZinCollection<List>(link);
  const uint32_t count = mIds->getCount();
  moved->reserve(count);
  for (uint32_t i = 0; i < count; ++i)
    if (CZinUUID* slot = moved->newZinObject(kZinEndOfList)) *slot = *mIds->itemAt(i);
  mIds = std::move(moved);
}

void CZinIdList::putIds(CZinXMLAdd& list, const char* item) {
  const uint32_t count = mIds->getCount();
  for (uint32_t i = 0; i < count; ++i) CZinXMLAdd(list.AddElement(item)).AddUUID("UUID", *mIds->itemAt(i));
}

void CZinIdList::getIds(CZinXMLGet& list, const char* item) {
  mIds->removeAll();
  for (QuorveXML::XIXMLElement* e = list.FindElement(item); e; e = e->GetNextSameElement()) {
    const CZinUUID id = CZinXMLGet(e).GetUUID("UUID");
    if (CZinUUID* slot = mIds->newZinObject(kZinEndOfList)) *slot = id;
  }
}

void DeleteChildElements(QuorveXML::XIXMLElement* parent, const char* tag) {
  // Each deletion starts from the sibling found before it: searching from the first
  // child again would cost a parent of many such children their square.
  QuorveXML::XIXMLElement* old = parent->FindElement(parent->GetKey(tag));
  while (old) {
    QuorveXML::XIXMLElement* next = old->GetNextSameElement();
    old->GetNode()->Delete();
    old = next;
  }
}

void SendIndexWarning(IZinWarning* sink, const char* operation, const char* complaint) {
  if (!sink) return;
  char text[256];
  std::snprintf(text, sizeof text, "%s: %s", operation ? operation : "", complaint ? complaint : "");
  sink->warning(text);
}

}  // namespace QvZin
