// Object instances: the values every kind shares, and "Instance.Data", which holds
// the values of the kind that the class selects beside what no kind models.
#pragma once

#include <string>

#include "ZinObjects.h"
#include "framework/scene_object.h"
#include "scene/instance_kinds.h"
#include "scene/object_definition.h"

namespace QvZin {

extern const CZinLabel kAnimationBehaviors[];

/// The kinds a class selects, written into "Instance.Data" in this order.
enum EZinInstanceKind : unsigned {
  kInstanceLibrary = 1u,
  kInstanceBillboard = 2u,
  kInstanceAnimated = 4u,
  kInstancePlant = 8u,
  kInstanceGroup = 16u,
  kInstanceComponent = 32u
};
/// The kinds of an instance of class name.
unsigned InstanceKinds(const char* name);

/// "Instance.Data": what no kind of the instance's class models (kept as read,
/// edited by clients in place) and the values of each kind.
class CZinInstanceData {
public:
  static constexpr const char* kTag = "Instance.Data";

  CZinUserXML kept;
  TZinKinds<CZinZinObjectInstance, CZinBBObjectInstance, CZinAnimatedObjectInstance, C3DPlantRef,
            CZinInternalComponentInstance>
      kinds;

  void setLink(IZinMgrRef* link) { kinds.setLink(link); }
  void resetFields() {
    kept.resetFields();
    kinds.resetFields();
  }

  /// Calls f(part) for the part of each kind in kinds, in writing order.
  template <class F>
  void forEachKind(unsigned selected, IZinBasic* owner, F&& f) {
    if (selected & (kInstanceLibrary | kInstanceBillboard | kInstanceAnimated))
      f(kinds.get<CZinZinObjectInstance>(owner));
    if (selected & kInstanceBillboard) f(kinds.get<CZinBBObjectInstance>(owner));
    if (selected & kInstanceAnimated) f(kinds.get<CZinAnimatedObjectInstance>(owner));
    if (selected & (kInstancePlant | kInstanceGroup)) f(kinds.get<C3DPlantRef>(owner));
    if (selected & kInstanceComponent) f(kinds.get<CZinInternalComponentInstance>(owner));
  }
  /// The names the parts of the kinds in selected write.
  static const CZinKindTags& tagsOf(unsigned selected);
};

/// "Instance.Data" in its own child element: what was kept first, then the kinds'
/// values; reading takes the kinds' values and keeps the rest.
struct ZinInstanceData {
  template <class Owner>
  void put(CZinXMLAdd& out, const char* tag, CZinInstanceData& part, Owner& owner) const {
    const unsigned kinds = InstanceKinds(owner.getClass());
    CZinXMLAdd data(out.AddElement(tag), out);
    if (!part.kept.empty()) CopyOthers(part.kept.element(tag), data.GetElement(), part.tagsOf(kinds));
    part.forEachKind(kinds, &owner, [&data](auto& kind) { kind.putFields(data); });
  }
  template <class Owner>
  void get(CZinXMLGet& in, const char* tag, CZinInstanceData& part, Owner& owner) const {
    part.resetFields();
    QuorveXML::XIXMLElement* element = in.FindElement(tag);
    if (!element) return;
    const unsigned kinds = InstanceKinds(owner.getClass());
    CZinXMLGet data(element);
    part.forEachKind(kinds, &owner, [&data](auto& kind) { kind.getFields(data); });
    const CZinKindTags& tags = part.tagsOf(kinds);
    if (HoldsOthers(element, tags)) CopyOthers(element, part.kept.element(tag), tags);
  }
};

/// An instance's transparency: "Transparency" written; on reading "Tansparency"
/// (an older spelling) comes first, and an instance with neither reads 0.
struct ZinTransparency {
  void put(CZinXMLAdd& out, const char* tag, double value) const { out.AddDouble(tag, value); }
  double get(CZinXMLGet& in, const char* tag) const;
};

#define ZIN_OBJECT_INSTANCE_FIELDS(F, P)                                                                     \
  P(CZinBasicPart, Name, "Name", ZinBasicName())                                                             \
  F(std::string, Class, "Class", "", ZinName(), Keep())                                                      \
  P(CZinBasicPart, Id, "Id", ZinBasicId())                                                                   \
  F(CZinUUID, AttachId, "Attach.Id", CZinUUID(), ZinId(), Keep())                                            \
  F(CZinVector3D, Normal, "Normal", CZinVector3D(), ZinPoint(), Keep())                                      \
  F(CZinVector3D, Translation, "Translation", CZinVector3D(), ZinPoint(), Keep())                            \
  F(CZinVector3D, Rotation, "Rotation", CZinVector3D(), ZinPoint(), Keep())                                  \
  F(CZinVector3D, Scale, "Scale", CZinVector3D(1, 1, 1), ZinPoint(), Keep())                                 \
  F(int32_t, TriangleId, "Triangle.Id", 0, ZinInt(), Keep())                                                 \
  F(CZinVector3D, AnchorPosition, "Anchor.Position", CZinVector3D(), ZinPoint(), Keep())                     \
  F(CZinVector3D, UpVector, "Up.Vector", CZinVector3D(0, 1, 0), ZinPoint(), Keep())                          \
  F(int32_t, PlacementProperty, "Placement.Property", ePlacementPerpendicular, ZinLabel{kPlacements}, Keep()) \
  F(double, InitialAngle, "Initial.Angle", 0.0, ZinDouble(), Keep())                                         \
  F(CZinVector3D, BoundingBoxMin, "Min.Point", CZinVector3D(), ZinUnder("Bounding.Box", ZinPoint()), Keep()) \
  F(CZinVector3D, BoundingBoxMax, "Max.Point", CZinVector3D(), ZinUnder("Bounding.Box", ZinPoint()), Keep()) \
  P(CZinBasicPart, UIValue, "UIValue", ZinBasicUIValue())                                                    \
  F(bool, CoordinatesLocked, "Coordinates.Locked", false, ZinFlag(), Keep())                                 \
  F(bool, ScaleLocked, "Scale.Locked", false, ZinFlag(), Keep())                                             \
  F(CZinVector3D, CurrentPathDirection, "Current.Path.Direction", CZinVector3D(), ZinPoint(), Keep())        \
  F(int32_t, AnimationBehavior, "Animation.Behavior", eBehaviorNormal, ZinLabel{kAnimationBehaviors}, Keep()) \
  F(bool, Target, "Target", false, ZinFlag(), Keep())                                                        \
  F(double, Transparency, "Transparency", 0.0, ZinTransparency(), Keep())                                    \
  F(CZinUUID, LayerId, "Layer.Id", CZinUUID(), ZinId(), Keep())                                              \
  F(bool, MaterialsDifferent, "Materials.Differents", false, ZinFlag(), Keep())                              \
  F(bool, Visible, "Visible", true, ZinFlag(), Keep())                                                       \
  F(CZinUUID, OverloadId, "Overload.Id", CZinUUID(), ZinId(), Keep())                                        \
  F(bool, Optimised, "Optimised", false, ZinFlag(), Keep())                                                  \
  F(bool, SubInstance, "Sub.Instance", false, ZinFlag(), Keep())                                             \
  P(CZinInstanceData, InstanceData, CZinInstanceData::kTag, ZinInstanceData())

class CZinObjectInstance final : public TZinSceneObject<IZinObjectInstance> {
public:
  ZIN_FIELDS(ZIN_OBJECT_INSTANCE_FIELDS)

  explicit CZinObjectInstance(IZinMgrRef* owner) : TZinSceneObject(owner) { linkParts(getMgrRef()); }

  /// Answers the kind interfaces that the class selects (see ZinObjects.h),
  /// besides the instance's own identifiers.
  ZinResult QueryInterface(const CZinUUID& iid, void** out) override;

  QuorveXML::XIXMLElement* getInstanceData() override { return mInstanceData.kept.element(CZinInstanceData::kTag); }
};

}  // namespace QvZin
