// The heliodon: the sun of a scene.
#pragma once

#include "ZinHeliodon.h"
#include "framework/scene_object.h"

namespace QvZin {

class CHeliodon final : public TZinSceneObject<IZinHeliodon> {
public:
  explicit CHeliodon(IZinMgrRef* owner) : TZinSceneObject(owner, "Heliodon") {}
};

}  // namespace QvZin
