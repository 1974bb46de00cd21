// Object definitions, instances, billboards, plants, animated-object takes,
// layers and the layer information.
#pragma once

#include "ZinObjects.h"
#include "framework/scene_object.h"
#include "framework/string.h"
#include "geometry/polygon_store.h"

namespace QvZin {

class CZinZinObjectDefinition final : public TZinSceneObject<IZinZinObjectDefinition> {
public:
  explicit CZinZinObjectDefinition(IZinMgrRef* owner)
      : TZinSceneObject(owner),
        mPoints(NewZinCollection<TSimpleMgr<CZinPoint>>(owner)),
        mPolygons(NewZinCollection<CPolygonStore>(owner)) {}

  /// The geometry of an internal component definition.
  TSimpleMgr<CZinPoint>& points() { return *mPoints; }
  CPolygonStore& polygons() { return *mPolygons; }
  /// "Geometry.Level" of an internal component definition.
  int32_t geometryLevel() const { return mGeometryLevel; }
  void setGeometryLevel(int32_t level) { mGeometryLevel = level; }

private:
  TZinComPtr<TSimpleMgr<CZinPoint>> mPoints;
  TZinComPtr<CPolygonStore> mPolygons;
  int32_t mGeometryLevel = 0;
};

class CObjectSetup final : public TZinSceneObject<IZinZinObjectDefinition::IZinZinObjectSetup> {
public:
  explicit CObjectSetup(IZinMgrRef* owner) : TZinSceneObject(owner) {}
};

class CZinObjectDefinitionMgr final : public TZinSceneObject<IZinObjectDefinitionMgr> {
public:
  explicit CZinObjectDefinitionMgr(IZinMgrRef* owner) : TZinSceneObject(owner), mNames(owner) {}

  IZinString* getNames() override { return &mNames; }
  CZinString* names() { return &mNames; }

private:
  CZinString mNames;
};

class CZinObjectInstance final : public TZinSceneObject<IZinObjectInstance> {
public:
  explicit CZinObjectInstance(IZinMgrRef* owner) : TZinSceneObject(owner) {}
};

class CZinLayer final : public TZinSceneObject<IZinLayer> {
public:
  explicit CZinLayer(IZinMgrRef* owner) : TZinSceneObject(owner) {}
};

class CZinLayerInfo final : public TZinSceneObject<IZinLayerInfo> {
public:
  explicit CZinLayerInfo(IZinMgrRef* owner) : TZinSceneObject(owner) {}
};

class CZinBBMgrData final : public TZinSceneObject<IZinBBMgrData> {
public:
  explicit CZinBBMgrData(IZinMgrRef* owner) : TZinSceneObject(owner) {}
};

class CZinQuad final : public TZinSceneObject<IZinQuad> {
public:
  explicit CZinQuad(IZinMgrRef* owner) : TZinSceneObject(owner) {}
};

class CZinBillboard final : public TZinSceneObject<IZinBillboard> {
public:
  explicit CZinBillboard(IZinMgrRef* owner) : TZinSceneObject(owner) {}

  class CZinBBName final : public IZinBillboard::IZinBBName {};
};

class CPlantSetUp final : public IZin3DPlant::IPlantSetUp {};

class CZinTake final : public TZinSceneObject<IZinAnimatedObject::IZinTake> {
public:
  explicit CZinTake(IZinMgrRef* owner) : TZinSceneObject(owner) {}
};

}  // namespace QvZin
