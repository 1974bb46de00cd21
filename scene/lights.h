// Lights and light groups.
#pragma once

#include "ZinLights.h"
#include "framework/scene_object.h"

namespace QvZin {

class CLight final : public TZinSceneObject<IZinLight> {
public:
  explicit CLight(IZinMgrRef* owner) : TZinSceneObject(owner) {}
};

class CZinLightsGroup final : public TZinSceneObject<IZinLightsGroup> {
public:
  explicit CZinLightsGroup(IZinMgrRef* owner) : TZinSceneObject(owner) {}
};

}  // namespace QvZin
