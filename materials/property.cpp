#include "materials/property.h"

namespace QvZin {

void CProperty::putProperty(CZinXMLAdd& parent) {
  CZinXMLAdd out(parent.AddElement(kEntryTag), parent);
  putFields(out);
}

// ---- lists

void PutProperties(CZinXMLAdd& out, CZinPropertyList& list) {
  for (uint32_t i = 0; i < list.getCount(); ++i) list.itemAt(i)->putProperty(out);
}

void GetProperties(CZinXMLGet& in, CZinPropertyList& list) {
  list.removeAll();
  const char* key = in.GetElement()->GetKey("Property");
  for (QuorveXML::XIXMLElement* item = in.GetElement()->FindElement(key); item; item = item->GetNextSameElement()) {
    if (!list.newZinObject(kZinEndOfList)) continue;
    CZinXMLGet one(item);
    list.itemAt(list.getCount() - 1)->getProperty(one);
  }
}

void CZinProperties::setLink(IZinMgrRef* link) {
  if (!mList) mList = NewZinCollection<CZinPropertyList>(link);
}

void CZinProperties::resetFields() {
  if (mList) mList->removeAll();
}

}  // namespace QvZin
