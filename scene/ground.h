// The grounds of a scene: named, infinite ground planes, each with its material.
// The document's "Grounds" element holds one "Ground" per ground; its material is
// a property like the scene's own, in the same "Property" form, node graph and all.
#pragma once

#include "ZinImageEffects.h"
#include "framework/com_base.h"
#include "framework/scene_object.h"
#include "materials/property.h"
#include "serialization/fields.h"
#include "serialization/object_parts.h"

namespace QvZin {

/// The failures of reading a ground, as clients see them.
constexpr const char* kGroundWithoutProperty = "CZinXMLIO::GetGround : no property!";
constexpr const char* kGroundWithoutId = "CZinXMLIO::GetGround - no UUID or mGetUUID == false\n";

/// The ground's own id in its "UUID" attribute. Reading fails with kGroundWithoutId
/// unless the attribute is there and parses; the all-zero id is an id like another.
struct ZinGroundId : ZinBasicId {
  template <class Owner>
  void get(CZinXMLGet& in, const char* tag, CZinBasicPart&, Owner& owner) const {
    owner.setId(read(in, tag));
  }
  static CZinUUID read(CZinXMLGet& in, const char* tag);
};

#define ZIN_GROUND_FIELDS(F, P)                                                             \
  P(CZinBasicPart, Name, "Name", ZinBasicName())                                            \
  P(CZinBasicPart, Id, "UUID", ZinGroundId())                                               \
  F(bool, Active, "Active", false, ZinFlag(), Keep())                                       \
  F(double, Height, "Height", 0.0, ZinDouble(), Keep())                                     \
  P(TZinChild<CProperty>, Property, "Property", ZinChild().missing(kGroundWithoutProperty))

class CZinGround final : public TZinSceneObject<IZinGround> {
public:
  ZIN_FIELDS(ZIN_GROUND_FIELDS)

  explicit CZinGround(IZinMgrRef* owner) : TZinSceneObject(owner) { linkParts(getMgrRef()); }

  IZinProperty* getProperty() override { return &mProperty.child(); }
};

}  // namespace QvZin
