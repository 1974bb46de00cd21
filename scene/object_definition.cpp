#include "scene/object_definition.h"

#include <cstring>

#include "serialization/parts.h"
#include "xml/root.h"

namespace QvZin {

const CZinLabel kPlacements[] = {
    {"Perpendicular", ePlacementPerpendicular}, {"Vertical", ePlacementVertical}, {nullptr, 0}};
const CZinLabel kModelOrigins[] = {{"Uninitialized", eOriginUninitialized}, {"CenterXYBottom", eOriginCenterXYBottom},
                                   {"CenterXYTop", eOriginCenterXYTop},     {"CenterXY", eOriginCenterXY},
                                   {"Camera.Target", eOriginCameraTarget},  {nullptr, 0}};

unsigned DefinitionKinds(const char* name) {
  if (!name) return 0;
  if (std::strcmp(name, "3DPlant") == 0) return kDefinitionPlant;
  if (std::strcmp(name, "AnimatedObject") == 0) return kDefinitionAnimated;
  return 0;
}

CZinKindTags ZinDefinitionData::tagsOf(unsigned kinds) {
  CZinKindTags tags;
  if (kinds & kDefinitionPlant) tags.add(KindTags<C3DPlant>());
  if (kinds & kDefinitionAnimated) tags.add(KindTags<CZinAnimatedObject>());
  return tags;
}

ZinResult CZinZinObjectDefinition::QueryInterface(const CZinUUID& iid, void** out) {
  const unsigned kinds = DefinitionKinds(getClass());
  IZinBasic* kind = nullptr;
  void* answer = nullptr;
  if (out && iid == IZin3DPlant::sIID && (kinds & kDefinitionPlant)) {
    IZin3DPlant* plant = &mData.kinds.get<C3DPlant>(this);
    kind = plant;
    answer = plant;
  } else if (out && iid == IZinAnimatedObject::sIID && (kinds & kDefinitionAnimated)) {
    IZinAnimatedObject* animated = &mData.kinds.get<CZinAnimatedObject>(this);
    kind = animated;
    answer = animated;
  }
  if (!kind) return TZinSceneObject::QueryInterface(iid, out);
  kind->AddRef();
  *out = answer;
  return kZinOk;
}

void CZinZinObjectDefinition::putDefinition(CZinXMLAdd& out) {
  if (mClass.empty()) return;
  putFields(out);
}

void CZinZinObjectDefinition::getDefinition(CZinXMLGet& in) {
  QuorveXML::XIXMLElement* element = in.GetElement();
  if (element && !element->GetFirstAttribute() && !element->GetFirstNode()) {
    resetFields();
    setId(CZinUUID());
    return;
  }
  getFields(in);
}

void CZinObjectDefinitionMgr::putDefinitions(CZinXMLAdd& root) {
  DeleteChildElements(root.GetElement(), kItemTag);
  CZinObjectDefinitionList& list = *mDefinitions;
  for (uint32_t i = 0; i < list.getCount(); ++i) {
    CZinXMLAdd item(root.AddElement(kItemTag));
    list.itemAt(i)->putDefinition(item);
  }
}

void CZinObjectDefinitionMgr::getDefinitions(CZinXMLGet& root) {
  CZinObjectDefinitionList& list = *mDefinitions;
  list.removeAll();
  for (QuorveXML::XIXMLElement* e = root.FindElement(kItemTag); e; e = e->GetNextSameElement()) {
    if (!list.newZinObject(kZinEndOfList)) continue;
    CZinXMLGet item(e);
    list.itemAt(list.getCount() - 1)->getDefinition(item);
  }
}

}  // namespace QvZin
