#include "manager/collection_layouts.h"

#include "ZinBasicData.h"

namespace QvZin {

void DeleteChildren(QuorveXML::XIXMLElement* element, const char* tag) {
  // One pass over the siblings: searching from the first child after each deletion
  // would cost a file of many such elements their square.
  QuorveXML::XIXMLElement* old = element->FindElement(element->GetKey(tag));
  while (old) {
    QuorveXML::XIXMLElement* next = old->GetNextSameElement();
    old->GetNode()->Delete();
    old = next;
  }
}

CZinStaleLists::CZinStaleLists(QuorveXML::XIXMLElement* parent, const char* tag)
    : mCurrent(parent->FindElement(parent->GetKey(tag))) {}

CZinStaleLists::~CZinStaleLists() {
  try {
    finish();
  } catch (...) {
    // Already failing: the write reports its own error, and the next write deletes
    // what is left.
  }
}

void CZinStaleLists::finish() {
  while (mCurrent) {
    QuorveXML::XIXMLElement* next = nextList(mCurrent);
    mCurrent->GetNode()->Delete();
    mCurrent = next;
  }
}

void CZinStaleLists::dropOne() {
  while (mCurrent) {
    if (QuorveXML::XIXMLNode* first = mCurrent->GetFirstNode()) {
      first->Delete();
      return;
    }
    QuorveXML::XIXMLElement* next = nextList(mCurrent);
    mCurrent->GetNode()->Delete();
    mCurrent = next;
  }
}

QuorveXML::XIXMLElement* CZinStaleLists::nextList(QuorveXML::XIXMLElement* list) const {
  QuorveXML::XIXMLElement* next = list->GetNextSameElement();
  return next == mFresh ? next->GetNextSameElement() : next;
}

QuorveXML::XIXMLElement* FindList(CZinXMLGet& parent, const CZinListLayout& layout) {
  QuorveXML::XIXMLElement* element = parent.FindElement(layout.listTag);
  if (!element && layout.oldListTag) element = parent.FindElement(layout.oldListTag);
  return element;
}

void PutBasics(CZinXMLAdd& item, IZinBasic* object, const CZinListLayout& layout) {
  IZinBasicData* basic = object ? object->getBasicData() : nullptr;
  if (!basic) return;
  if (layout.idAttribute) item.AddUUID(layout.idAttribute, *basic->getId());
  if (layout.nameTag) item.AddLanguage(layout.nameTag, basic->getName());
  if (layout.uiTag) item.AddInteger(layout.uiTag, basic->getUIValue());
}

void GetBasics(CZinXMLGet& item, IZinBasic* object, const CZinListLayout& layout) {
  IZinBasicData* basic = object ? object->getBasicData() : nullptr;
  if (!basic) return;
  if (layout.idAttribute && item.GetAttribute(layout.idAttribute)) basic->setId(item.GetUUID(layout.idAttribute));
  if (layout.nameTag && item.HasElement(layout.nameTag)) basic->setName(item.GetAttributeLanguage(layout.nameTag));
  if (layout.uiTag && item.HasElement(layout.uiTag)) basic->setUIValue(item.GetInteger(layout.uiTag));
}

}  // namespace QvZin
