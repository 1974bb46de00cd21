// Environments and grounds.
#pragma once

#include "ZinImageEffects.h"
#include "framework/scene_object.h"

namespace QvZin {

class CZinEnvironment final : public TZinSceneObject<IZinEnvironment> {
public:
  explicit CZinEnvironment(IZinMgrRef* owner) : TZinSceneObject(owner) {}
};

class CZinGround final : public TZinSceneObject<IZinGround> {
public:
  explicit CZinGround(IZinMgrRef* owner) : TZinSceneObject(owner) {}
};

}  // namespace QvZin
