// The grounds of a scene: named, infinite ground planes, each with its material.
// The document's "Grounds" element holds one "Ground" per ground.
#pragma once

#include "ZinImageEffects.h"
#include "framework/com_base.h"
#include "framework/scene_object.h"
#include "materials/property.h"
#include "serialization/fields.h"
#include "serialization/user_xml.h"

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

/// The ground's material in its "Property" element, kept as it was read and written
/// back unchanged. Reading fails with kGroundWithoutProperty when it is missing.
struct ZinGroundProperty {
  template <class Owner>
  void put(CZinXMLAdd& out, const char* tag, CZinUserXML& part, Owner&) const {
    part.putCopy(out, tag);
  }
  template <class Owner>
  void get(CZinXMLGet& in, const char* tag, CZinUserXML& part, Owner&) const {
    part.copyFrom(require(in, tag), tag);
  }
  static QuorveXML::XIXMLElement* require(CZinXMLGet& in, const char* tag);
};

#define ZIN_GROUND_FIELDS(F, P)                                   \
  P(CZinBasicPart, Name, "Name", ZinBasicName())                  \
  P(CZinBasicPart, Id, "UUID", ZinGroundId())                     \
  F(bool, Active, "Active", false, ZinFlag(), Keep())             \
  F(double, Height, "Height", 0.0, ZinDouble(), Keep())           \
  P(CZinUserXML, Property, "Property", ZinGroundProperty())

class CZinGround final : public TZinSceneObject<IZinGround> {
public:
  ZIN_FIELDS(ZIN_GROUND_FIELDS)

  explicit CZinGround(IZinMgrRef* owner)
      : TZinSceneObject(owner), mMaterial(CreateZinObject<CProperty>(getMgrRef())) {
    linkParts(getMgrRef());
  }

  IZinProperty* getProperty() override { return mMaterial.get(); }

private:
  TZinComPtr<CProperty> mMaterial;
};

}  // namespace QvZin
