// The values of each instance kind, written into the instance's "Instance.Data".
#pragma once

#include "ZinObjects.h"
#include "materials/property.h"
#include "scene/lights.h"
#include "scene/object_kinds.h"
#include "scene/plant.h"
#include "scene/time_place.h"
#include "serialization/object_parts.h"

namespace QvZin {

extern const CZinLabel kBBRenderTypes[];
extern const CZinLabel kBBInstanceKinds[];

using CZinInstanceLightList = TComObjectMgr<CLight, IZinLight>;

#define ZIN_LIBRARY_INSTANCE_FIELDS(F, P)                                            \
  F(CZinUUID, CurrentOverload, "Current.Overload", CZinUUID(), ZinId(), Keep())      \
  P(CZinProperties, Properties, "Properties", ZinProperties())                      \
  P(TZinList<CZinInstanceLightList>, Lights, "Lights", ZinList("Light"))

/// A library object instance's part; billboard and animated instances have it first.
class CZinZinObjectInstance final : public TZinKindPart<IZinZinObjectInstance> {
public:
  ZIN_FIELDS(ZIN_LIBRARY_INSTANCE_FIELDS)

  TZinObjectMgr<IZinProperty>* getProperties() override { return mProperties.list(); }
  TZinObjectMgr<IZinLight>* getLights() override { return mLights.list(); }
};

#define ZIN_BB_INSTANCE_FIELDS(F, P)                                                            \
  F(bool, OrientWithCamera, "Orient.With.Camera", false, ZinFlag(), Keep())                     \
  F(bool, VerticalFlip, "Vertical.Flip", false, ZinFlag(), Keep())                              \
  F(bool, HorizontalFlip, "Horizontal.Flip", false, ZinFlag(), Keep())                          \
  F(int32_t, RenderType, "Render.Type", eBBRenderNormal, ZinLabel{kBBRenderTypes}, Keep())      \
  F(double, Shininess, "Shininess", 0.0, ZinDouble(), Keep())                                   \
  F(double, Roughness, "Roughness", 0.0, ZinDouble(), Keep())                                   \
  F(double, Brightness, "Brightness", 0.0, ZinDouble(), Keep())                                 \
  F(double, Contrast, "Contrast", 0.0, ZinDouble(), Keep())                                     \
  F(int32_t, Kind, "Kind", eBBFlat, ZinLabel{kBBInstanceKinds}, Keep())                         \
  F(double, DefinitionSize, "Definition.Size", 0.0, ZinDouble(), Keep())                        \
  P(CZinStringPart, DefinitionName, "Definition.Name", ZinStrings())                            \
  F(int32_t, CurrentConfig, "Current.Config", 0, ZinInt(), Keep())                              \
  P(CZinProperties, OverloadedProperties, "Overloaded.Properties", ZinProperties())

class CZinBBObjectInstance final : public TZinKindPart<IZinBBObjectInstance> {
public:
  ZIN_FIELDS(ZIN_BB_INSTANCE_FIELDS)

  IZinString* getDefinitionName() override { return &mDefinitionName; }
  TZinObjectMgr<IZinProperty>* getOverloadedProperties() override { return mOverloadedProperties.list(); }
};

#define ZIN_ANIMATED_INSTANCE_FIELDS(F, P)                                   \
  F(int32_t, CurrentFrame, "Current.Frame", 0, ZinInt(), Keep())             \
  F(int32_t, CurrentTake, "Current.Take", 0, ZinInt(), Keep())               \
  F(int32_t, RealDuration, "Real.Duration", 0, ZinInt(), Keep())             \
  F(int32_t, StartFrame, "Start.Frame", 0, ZinInt(), Keep())                 \
  P(CZinProperties, OverloadedProperties, "Overloaded.Properties", ZinProperties())

class CZinAnimatedObjectInstance final : public TZinKindPart<IZinAnimatedObjectInstance> {
public:
  ZIN_FIELDS(ZIN_ANIMATED_INSTANCE_FIELDS)

  TZinObjectMgr<IZinProperty>* getOverloadedProperties() override { return mOverloadedProperties.list(); }
};

#define ZIN_PLANT_REF_FIELDS(F, P)                                                    \
  F(bool, HeliodonAttached, "Heliodon.Attached", false, ZinFlag(), Keep())           \
  P(CZinTime, Time, "Time", ZinPart())                                                \
  F(int32_t, Color, "Color", eFlowerUndefined, ZinLabel{kFlowerColors}, Keep())

/// A plant instance's part; a plant group answers its group interface as well.
class C3DPlantRef final : public TZinKindPart<IZinGroupInstances> {
public:
  ZIN_FIELDS(ZIN_PLANT_REF_FIELDS)

  IZinTime* getTime() override { return &mTime; }
};

#define ZIN_COMPONENT_INSTANCE_FIELDS(F, P)                                    \
  F(CZinUUID, ComponentId, "Component.UUID", CZinUUID(), ZinId(), Keep())      \
  P(CZinProperties, Properties, "Properties", ZinProperties())

class CZinInternalComponentInstance final : public TZinKindPart<IZinInternalComponentInstance> {
public:
  ZIN_FIELDS(ZIN_COMPONENT_INSTANCE_FIELDS)

  TZinObjectMgr<IZinProperty>* getProperties() override { return mProperties.list(); }
};

}  // namespace QvZin
