#include "scene/object_instance.h"

#include <cstring>

namespace QvZin {

const CZinLabel kAnimationBehaviors[] = {{"Normal", eBehaviorNormal},
                                         {"FollowOnPath", eBehaviorFollowOnPath},
                                         {"FollowOnPathXY", eBehaviorFollowOnPathXY},
                                         {nullptr, 0}};

unsigned InstanceKinds(const char* name) {
  static const struct {
    const char* name;
    unsigned kinds;
  } kClasses[] = {{"ZinObject", kInstanceLibrary},
                  {"LightObject", kInstanceLibrary},
                  {"Billboard", kInstanceBillboard},
                  {"3DPlant", kInstancePlant},
                  {"3DPlantGroupInstances", kInstanceGroup},
                  {"AnimatedObject", kInstanceAnimated},
                  {"ModelObject", kInstanceComponent}};
  for (const auto& row : kClasses)
    if (name && std::strcmp(row.name, name) == 0) return row.kinds;
  return 0;
}

const CZinKindTags& CZinInstanceData::tagsOf(unsigned selected) {
  // Made once per combination of kinds: a write or a read asks for every instance.
  static const auto kTags = [] {
    struct Table {
      CZinKindTags tags[64];
    } table;
    for (unsigned kinds = 0; kinds < 64; ++kinds) {
      CZinKindTags& tags = table.tags[kinds];
      if (kinds & (kInstanceLibrary | kInstanceBillboard | kInstanceAnimated))
        tags.add(KindTags<CZinZinObjectInstance>());
      if (kinds & kInstanceBillboard) tags.add(KindTags<CZinBBObjectInstance>());
      if (kinds & kInstanceAnimated) tags.add(KindTags<CZinAnimatedObjectInstance>());
      if (kinds & (kInstancePlant | kInstanceGroup)) tags.add(KindTags<C3DPlantRef>());
      if (kinds & kInstanceComponent) tags.add(KindTags<CZinInternalComponentInstance>());
    }
    return table;
  }();
  return kTags.tags[selected & 63u];
}

double ZinTransparency::get(CZinXMLGet& in, const char* tag) const {
  if (in.HasElement("Tansparency")) return in.GetDouble("Tansparency");
  return in.HasElement(tag) ? in.GetDouble(tag) : 0.0;
}

ZinResult CZinObjectInstance::QueryInterface(const CZinUUID& iid, void** out) {
  const unsigned kinds = InstanceKinds(mClass.c_str());
  TZinKinds<CZinZinObjectInstance, CZinBBObjectInstance, CZinAnimatedObjectInstance, C3DPlantRef,
            CZinInternalComponentInstance>& parts = mInstanceData.kinds;
  IZinBasic* kind = nullptr;
  void* answer = nullptr;
  auto take = [&](auto* part) {
    kind = part;
    answer = part;
  };
  const unsigned library = kInstanceLibrary | kInstanceBillboard | kInstanceAnimated;
  if (!out) {
  } else if (iid == IZinZinObjectInstance::sIID && (kinds & library)) {
    take(static_cast<IZinZinObjectInstance*>(&parts.get<CZinZinObjectInstance>(this)));
  } else if (iid == IZinBBObjectInstance::sIID && (kinds & kInstanceBillboard)) {
    take(static_cast<IZinBBObjectInstance*>(&parts.get<CZinBBObjectInstance>(this)));
  } else if (iid == IZinAnimatedObjectInstance::sIID && (kinds & kInstanceAnimated)) {
    take(static_cast<IZinAnimatedObjectInstance*>(&parts.get<CZinAnimatedObjectInstance>(this)));
  } else if (iid == IZin3DPlantRef::sIID && (kinds & (kInstancePlant | kInstanceGroup))) {
    take(static_cast<IZin3DPlantRef*>(&parts.get<C3DPlantRef>(this)));
  } else if (iid == IZinGroupInstances::sIID && (kinds & kInstanceGroup)) {
    take(static_cast<IZinGroupInstances*>(&parts.get<C3DPlantRef>(this)));
  } else if (iid == IZinInternalComponentInstance::sIID && (kinds & kInstanceComponent)) {
    take(static_cast<IZinInternalComponentInstance*>(&parts.get<CZinInternalComponentInstance>(this)));
  }
  if (!kind) return TZinSceneObject::QueryInterface(iid, out);
  kind->AddRef();
  *out = answer;
  return kZinOk;
}

}  // namespace QvZin
