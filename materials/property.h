// The material of the scene: a property, and the lists of properties that the
// manager, object definitions and instances hold.
#pragma once

#include "ZinMaterials.h"
#include "framework/object_mgr.h"
#include "framework/scene_object.h"
#include "materials/tce.h"
#include "serialization/fields.h"

namespace QvZin {

// The element of a property, "Property": the graph's settings and node sit between
// the factors and the property's own id; "UI.Value" comes last, only when not 0.
#define ZIN_PROPERTY_FIELDS(F, P)                                                                     \
  P(CZinBasicPart, Name, "Name", ZinBasicName())                                                      \
  F(bool, Visible, "Visible", true, ZinFlag(), Keep())                                                \
  F(bool, CastShadow, "Cast.Shadow", true, ZinFlag(), Keep())                                         \
  F(bool, ReceiveShadow, "Receive.Shadow", true, ZinFlag(), Keep())                                   \
  F(bool, UVDefined, "UV.Defined", false, ZinFlag(), Keep())                                          \
  F(bool, Billboard, "Billboard", false, ZinFlag(), Keep())                                           \
  F(double, Smooth, "Smooth", 1.0, ZinDouble(), Clamp(0.01, 1.0).silent())                            \
  F(double, Bevel, "Bevel", 0.0, ZinDouble(), Clamp(0.0, 0.5).silent())                               \
  F(double, Scale, "Scale", 1.0, ZinDouble(), AtLeast(0.0).silent())                                  \
  P(CZinGraph, Graph, "Node", ZinGraph())                                                             \
  P(CZinBasicPart, Id, "Id", ZinBasicId())                                                            \
  F(CZinUUID, OverloadPropIndex, "Overload.Prop.Index", CZinNewId(), ZinId(), Keep())                 \
  F(CZinUUID, OverloadId, "Overload.Id", CZinUUID(), ZinId(), Keep())                                 \
  P(CZinBasicPart, UIValue, "UI.Value", ZinBasicUIValue().omitZero())

class CProperty final : public TZinSceneObject<IZinProperty> {
  ZIN_FIELDS(ZIN_PROPERTY_FIELDS)

  explicit CProperty(IZinMgrRef* owner) : TZinSceneObject(owner, "Material #0") { linkParts(getMgrRef()); }

  IZinTCE* getTCE() override { return &mGraph.tce(); }
  CZinTCE& graph() { return mGraph.tce(); }

  /// Appends a "Property" element to parent's element and writes the property into it.
  void putProperty(CZinXMLAdd& parent);
  /// Reads the property from its own "Property" element.
  void getProperty(CZinXMLGet& element) { getFields(element); }

  /// The basic data's element entry points write the property as a new "Property"
  /// child of the element they are given and read the first one: a shader file holds
  /// the property under its own root.
  static constexpr const char* kEntryTag = "Property";
};

using CZinPropertyList = TObject2Mgr<CProperty, IZinProperty>;

/// Writes one "Property" element per property of list into out's element, in order.
void PutProperties(CZinXMLAdd& out, CZinPropertyList& list);
/// Empties list, then appends one property per "Property" child of in's element, in
/// document order. A property that fails to read fails the whole list.
void GetProperties(CZinXMLGet& in, CZinPropertyList& list);

/// A list of properties owned by a scene object (a definition's or an instance's
/// materials), handed to clients as a collection. A new list is empty.
class CZinProperties {
public:
  CZinProperties() = default;
  CZinProperties(const CZinProperties&) = delete;
  CZinProperties& operator=(const CZinProperties&) = delete;

  /// The collection (borrowed); made with the first link given, which its
  /// properties and its index warnings go through.
  CZinPropertyList* list() const { return mList.get(); }
  void setLink(IZinMgrRef* link);
  void resetFields();

private:
  TZinComPtr<CZinPropertyList> mList;
};

/// A list of properties in its own child element tag, one "Property" per property.
/// A missing element reads as an empty list.
struct ZinProperties {
  template <class Owner>
  void put(CZinXMLAdd& out, const char* tag, CZinProperties& part, Owner&) const {
    CZinXMLAdd list(out.AddElement(tag), out);
    if (part.list()) PutProperties(list, *part.list());
  }
  template <class Owner>
  void get(CZinXMLGet& in, const char* tag, CZinProperties& part, Owner&) const {
    QuorveXML::XIXMLElement* element = in.FindElement(tag);
    if (!element || !part.list()) return part.resetFields();
    CZinXMLGet list(element);
    GetProperties(list, *part.list());
  }
};

}  // namespace QvZin
