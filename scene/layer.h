// Layers, which group instances for visibility, and the layer information: the
// active layer and the default layer of each object kind.
#pragma once

#include "ZinObjects.h"
#include "framework/scene_object.h"
#include "serialization/fields.h"

namespace QvZin {

#define ZIN_LAYER_FIELDS(F, P)                \
  P(CZinBasicPart, Id, "UUID", ZinBasicId()) \
  P(CZinBasicPart, Name, "Name", ZinBasicName()) \
  P(CZinBasicPart, UIValue, "UI.Value", ZinBasicUIValue())

class CZinLayer final : public TZinSceneObject<IZinLayer> {
public:
  ZIN_FIELDS(ZIN_LAYER_FIELDS)

  explicit CZinLayer(IZinMgrRef* owner) : TZinSceneObject(owner) {}
};

/// The default layer of each object kind, by the kind's key.
class CZinLayerMap {
public:
  /// The keys, in the order of the entries.
  static constexpr const char* kKeys[] = {"3DPlant",   "3DPlantGroupInstances", "ZinObject",
                                          "Billboard", "LightObject",           "AnimatedObject"};
  static constexpr int kCount = 6;

  /// The entry of key, or -1.
  static int indexOf(const char* key);
  CZinUUID ids[kCount];

  void resetFields() {
    for (CZinUUID& id : ids) id = CZinUUID();
  }
};

/// The map as the attributes of its element: "Plant3D" (the plants' entry),
/// "ZinObject", "Billboard", "LightObject", "AnimatedObject". On reading, an older
/// writer's "3DPlant" sets the plants' and the plant groups' entries and wins over
/// "Plant3D"; a missing attribute leaves its entry as it was.
struct ZinLayerMap {
  template <class Owner>
  void put(CZinXMLAdd& out, const char* tag, CZinLayerMap& part, Owner&) const {
    write(out, tag, part);
  }
  template <class Owner>
  void get(CZinXMLGet& in, const char* tag, CZinLayerMap& part, Owner&) const {
    read(in, tag, part);
  }
  void write(CZinXMLAdd& out, const char* tag, CZinLayerMap& part) const;
  void read(CZinXMLGet& in, const char* tag, CZinLayerMap& part) const;
};

#define ZIN_LAYER_INFO_FIELDS(F, P)                                           \
  F(CZinUUID, ActiveLayer, "Active.Layer", CZinUUID(), ZinId(), Keep())       \
  P(CZinLayerMap, DefaultLayers, "Default.Layer.Map", ZinLayerMap())

class CZinLayerInfo final : public TZinSceneObject<IZinLayerInfo> {
public:
  ZIN_FIELDS(ZIN_LAYER_INFO_FIELDS)

  explicit CZinLayerInfo(IZinMgrRef* owner) : TZinSceneObject(owner) {}

  const CZinUUID& getDefaultLayer(const char* kind) override;
  void setDefaultLayer(const char* kind, const CZinUUID& id) override;
};

}  // namespace QvZin
