// The material of the scene: a property. Its flags, factors and shader graph come
// with the materials' own work.
#pragma once

#include "ZinMaterials.h"
#include "framework/scene_object.h"

namespace QvZin {

class CProperty final : public TZinSceneObject<IZinProperty> {
public:
  explicit CProperty(IZinMgrRef* owner) : TZinSceneObject(owner, "Material #0") {}
};

}  // namespace QvZin
