// The environments of a scene: named sets of fog, clouds, background picture and
// foreground that views choose by id. No element of the document's top level holds
// them; each writes and reads its own "Environment" element.
#pragma once

#include "ZinImageEffects.h"
#include "framework/scene_object.h"
#include "scene/fog.h"
#include "scene/image_effects.h"
#include "scene/sky.h"
#include "serialization/fields.h"

namespace QvZin {

/// The element of one environment.
constexpr const char* kEnvironmentTag = "Environment";

#define ZIN_ENVIRONMENT_FIELDS(F, P)                                                \
  P(CZinBasicPart, Id, "UUID", ZinBasicId())                                        \
  P(CZinBasicPart, Name, "Name", ZinBasicName())                                    \
  P(CZinFog, Fog, "Fog", ZinPart())                                                 \
  P(CZinClouds, Clouds, "Clouds", ZinPart())                                        \
  P(CZinBackgroundPicture, BackgroundPicture, "Background.Picture", ZinPart())      \
  P(CZinForeground, Foreground, "Foregroung", ZinPart())

class CZinEnvironment final : public TZinSceneObject<IZinEnvironment> {
public:
  ZIN_FIELDS(ZIN_ENVIRONMENT_FIELDS)

  explicit CZinEnvironment(IZinMgrRef* owner) : TZinSceneObject(owner) { linkParts(getMgrRef()); }

  IZinFog* getFog() override { return &mFog; }
  IZinClouds* getClouds() override { return &mClouds; }
  IZinBackgroundPicture* getBackgroundPicture() override { return &mBackgroundPicture; }
  IZinForeground* getForeground() override { return &mForeground; }
};

}  // namespace QvZin
