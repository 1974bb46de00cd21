// The heliodon: the sun of a scene, with its date, place and sky.
#pragma once

#include <array>

#include "ZinHeliodon.h"
#include "framework/scene_object.h"
#include "scene/fog.h"
#include "scene/lens_flare.h"
#include "scene/sky.h"
#include "scene/time_place.h"
#include "serialization/parts.h"

namespace QvZin {

extern const CZinLabel kSunPlacements[];

/// The north angle rule: a negative angle has 360 added once; one above 360 becomes
/// the remainder of its whole part divided by 360, computed in doubles so that no
/// angle is out of reach; a NaN, or a remainder that is not a number, keeps the previous angle.
double WrapNorthAngle(double degrees, const double& previous);

/// The sun's five colours through the day, index 0 to 4.
struct CZinSunColors : TZinArray<CZinColor, 5> {
  static constexpr std::array<CZinColor, 5> kDefaults{CZinColor(200, 182, 90), CZinColor(230, 230, 225),
                                                      CZinColor(255, 255, 255), CZinColor(222, 222, 130),
                                                      CZinColor(212, 135, 80)};
  CZinSunColors() { resetFields(); }
  void resetFields() { values = kDefaults; }
};

#define ZIN_HELIODON_FIELDS(F, P)                                                                           \
  F(bool, Active, "Active", true, ZinFlag(), Keep())                                                        \
  P(CZinTime, Time, "Time", ZinPart())                                                                      \
  P(CZinPlace, Place, "Place", ZinPart())                                                                   \
  F(double, Sunshine, "Sunshine", 0.5, ZinDouble(), Keep())                                                 \
  F(double, NorthAngle, "North.Angle", 0.0, ZinDouble(), Custom(WrapNorthAngle))                            \
  F(double, Theta, "Theta", 0.0, ZinDouble(), Keep())                                                       \
  F(double, Phi, "Phi", 0.785398, ZinDouble(), Keep())                                                      \
  F(bool, Shadow, "Shadow", true, ZinFlag(), Keep())                                                        \
  F(double, ShadowPower, "Shadow.Power", 0.8, ZinDouble(), Keep())                                          \
  F(int32_t, ShadowBlur, "Sun.Blur", 0, ZinInt(),                                                           \
    Clamp(0, 100).warns("IZinHeliodon::setShadowBlur: invalid blur level"))                                 \
  F(bool, GlobalIllumination, "Global.Illumination", false, ZinFlag(), Keep())                              \
  F(double, GlobalIlluminationPower, "Global.Illumination.Power", 0.5, ZinDouble(), Keep())                 \
  F(int32_t, GlobalIlluminationQuality, "Global.Illumination.Quality", 0, ZinInt(), Keep())                 \
  P(CZinBasicPart, Name, "Name", ZinBasicName())                                                            \
  P(CZinLensFlare, LensFlare, "Lens.Flare", ZinPart())                                                      \
  P(CZinGodRays, GodRays, "God.Rays", ZinPart())                                                            \
  F(bool, ColoredSun, "Colored", false, ZinFlag(), Keep())                                                  \
  P(CZinSunColors, Colors, "Colors", ZinArray("Sun.Color", ZinColour()))                                    \
  F(bool, SunPowerFlag, "Sun.PowerFlag", false, ZinFlag(), Keep())                                          \
  F(bool, Radiosity, "Radiosity", false, ZinFlag(), Keep())                                                 \
  F(double, CloudCoverage, "Cloud.Coverage", 0.5, ZinDouble(), Keep())                                      \
  F(bool, CloudMaskSun, "Cloud.Mask.Sun", false, ZinFlag(), Keep())                                         \
  P(CSkylight, Skylight, "Sky.Light", ZinPart())                                                            \
  P(CZinClouds, Clouds, "Clouds", ZinPart())                                                                \
  P(CZinFog, Fog, "Fog", ZinPart())                                                                         \
  P(CZinBasicPart, Id, "UUID", ZinBasicId())                                                                \
  F(int32_t, PlacementKind, "Placement.Kind", eSunDateAndPlace, ZinLabel{kSunPlacements}, Keep())           \
  F(int32_t, ColorType, "Color.Type", eColorAutomatic, ZinLabel{kColorChoices}, Keep())                     \
  P(CZinBasicPart, UIValue, "UI.Value", ZinBasicUIValue())

class CHeliodon final : public TZinSceneObject<IZinHeliodon> {
public:
  ZIN_FIELDS(ZIN_HELIODON_FIELDS)

  explicit CHeliodon(IZinMgrRef* owner) : TZinSceneObject(owner, "Heliodon") { linkParts(getMgrRef()); }

  IZinTime* getTime() override { return &mTime; }
  IZinPlace* getPlace() override { return &mPlace; }
  IZinLensFlare* getLensFlare() override { return &mLensFlare; }
  IZinGodRays* getGodRays() override { return &mGodRays; }
  const CZinColor& getColor(int32_t index) override {
    return mColors.get(index, "IZinHeliodon::getColor", warningSink(), "bad index");
  }
  void setColor(int32_t index, const CZinColor& color) override {
    mColors.set(index, color, "IZinHeliodon::setColor", warningSink(), "bad index");
  }
  IZinSkylight* getSkylight() override { return &mSkylight; }
  const CZinColor& getSunColor3() override { return mColors.values[2]; }
  void setSunColor3(const CZinColor& color) override { mColors.values[2] = color; }
  IZinClouds* getClouds() override { return &mClouds; }
  IZinFog* getFog() override { return &mFog; }
};

}  // namespace QvZin
