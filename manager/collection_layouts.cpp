#include "manager/collection_layouts.h"

#include "ZinBasicData.h"

namespace QvZin {

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
