// Lights, their light cones, light groups and the handles through which an object
// carries a light.
#pragma once

#include "ZinLights.h"
#include "framework/scene_object.h"
#include "scene/lens_flare.h"
#include "scene/views.h"
#include "serialization/fields.h"
#include "serialization/parts.h"

namespace QvZin {

extern const CZinLabel kLightTypes[];
extern const CZinLabel kShadowTypes[];
/// The photometric profile of a new light.
constexpr CZinUUID kDefaultIESProfile = CZinUUID::fromText("D174E7C83EF6C841BB95ACAE11258616");

#define ZIN_LIGHT_CONE_FIELDS(F, P)               \
  F(bool, Used, "Used", false, ZinFlag(), Keep()) \
  F(double, Power, "Power", 0.0, ZinDouble(), Keep())

class CZinLightCone final : public TZinSettings<IZinLightCone> {
  ZIN_FIELDS(ZIN_LIGHT_CONE_FIELDS)
};

#define ZIN_LIGHT_FIELDS(F, P)                                                                               \
  P(CZinBasicPart, Name, "Name", ZinBasicName())                                                             \
  F(int32_t, Type, "Type", eLightPoint, ZinLabel{kLightTypes}, Keep())                                       \
  F(bool, Active, "Active", true, ZinFlag(), Keep())                                                         \
  F(CZinColor, Color, "Color", CZinColor(127, 127, 127), ZinColour(), Keep())                                \
  F(double, Power, "Power", 3.0, ZinDouble(), Clamp(1.0, 1000000.0).silent())                                \
  F(double, NearDistance, "Distance.Near", 0.0, ZinDouble(), Keep())                                         \
  F(double, FarDistance, "Distance.Far", 0.0, ZinDouble(), Keep())                                           \
  F(CZinVector3D, Position, "Position", CZinVector3D(200, 200, -200), ZinPoint(), Keep())                    \
  F(CZinVector3D, Target, "Target", CZinVector3D(0, 0, 0), ZinPoint(), Keep())                               \
  F(double, ConeAngle, "Cone.Angle", 20.0, ZinDouble(), Clamp(0.0, 360.0).silent())                          \
  F(double, Sharpness, "Sharpness", 0.5, ZinDouble(), Clamp(0.0, 1.0).silent())                              \
  F(int32_t, ShadowType, "Shadow.Type", eShadowTraced, ZinLabel{kShadowTypes}, Keep())                       \
  F(double, ShadowPower, "Shadow.Power", 0.1, ZinDouble(), Clamp(0.0, 1.0).silent())                         \
  F(int32_t, ShadowMapSize, "Map.Size", 0, ZinInt(), AtLeast(0).silent())                                    \
  F(double, Bias, "Bias", 0.3, ZinDouble(), Clamp(0.0, 1.0).silent())                                        \
  F(bool, GlobalIllumination, "Global.Illumination", false, ZinFlag(), Keep())                               \
  F(double, GlobalIlluminationPower, "Global.Illumination.Power", 0.5, ZinDouble(), Keep())                  \
  F(int32_t, GlobalIlluminationQuality, "Global.Illumination.Quality", 0, ZinInt(), Keep())                  \
  F(bool, Locked, "Locked", false, ZinFlag(), Keep())                                                        \
  P(CZinBasicPart, UIValue, "UI.Value", ZinBasicUIValue())                                                   \
  P(CZinIdList, LightsGroups, "Lights.Groups", ZinIds("Light"))                                              \
  P(CZinLensFlare, LensFlare, "Lens.Flare", ZinPart())                                                       \
  P(CZinLightCone, LightCone, "Light.Cone", ZinPart())                                                       \
  F(bool, Radiosity, "Radiosity", true, ZinFlag(), Keep())                                                   \
  P(CZinBasicPart, Id, "UUID", ZinBasicId())                                                                 \
  F(CZinUUID, TargetObjectId, "Object.Id", CZinUUID(), ZinId(), Keep())                                      \
  F(int32_t, TargetType, "Target.type", eTargetFixedVertex, ZinLabel{kTargetTypes},                           \
    Clamp(0, 1).silent().orElse(0))                                                                          \
  F(CZinUUID, IESProfileId, "IES", kDefaultIESProfile, ZinId(), Keep())

class CLight final : public TZinSceneObject<IZinLight> {
public:
  ZIN_FIELDS(ZIN_LIGHT_FIELDS)

  explicit CLight(IZinMgrRef* owner) : TZinSceneObject(owner) { linkParts(getMgrRef()); }

  TZinObjectMgr<CZinUUID>* getLightsGroups() override { return mLightsGroups.ids(); }
  IZinLensFlare* getLensFlare() override { return &mLensFlare; }
  IZinLightCone* getLightCone() override { return &mLightCone; }
};

#define ZIN_LIGHTS_GROUP_FIELDS(F, P)              \
  P(CZinBasicPart, Name, "Name", ZinBasicName()) \
  P(CZinBasicPart, Id, "ID", ZinBasicId())       \
  P(CZinBasicPart, UIValue, "UI.Value", ZinBasicUIValue())

class CZinLightsGroup final : public TZinSceneObject<IZinLightsGroup> {
public:
  ZIN_FIELDS(ZIN_LIGHTS_GROUP_FIELDS)

  explicit CZinLightsGroup(IZinMgrRef* owner) : TZinSceneObject(owner) {}
};

/// The light an object carries: made with the object and owned by this handle.
class CZinObjectLight final : public TZinFrontier<IZinObjectLight> {
public:
  /// owner (may be null) is the new light's manager link.
  explicit CZinObjectLight(IZinMgrRef* owner) : mLight(CreateZinObject<CLight>(owner)) {}

  IZinLight* getLight() override { return mLight.get(); }
  const IZinLight* getLight() const override { return mLight.get(); }

private:
  TZinComPtr<CLight> mLight;
};

/// A light that lives elsewhere (a collection, another object), shown by an object:
/// the handle keeps one reference, so the light outlives its removal from there.
class CZinObjectLightRef final : public TZinFrontier<IZinObjectLightRef> {
public:
  /// Takes a reference to light (may be null: the handle shows no light).
  explicit CZinObjectLightRef(IZinLight* light) : mLight(light) {}

  IZinLight* getLight() override { return mLight.get(); }
  const IZinLight* getLight() const override { return mLight.get(); }

private:
  TZinComPtr<IZinLight> mLight;
};

}  // namespace QvZin
