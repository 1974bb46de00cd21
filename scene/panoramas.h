// Panoramas, their nodes and links.
#pragma once

#include "ZinPanoramas.h"
#include "framework/scene_object.h"

namespace QvZin {

class CZinPanoramaV2 final : public TZinViewBase<IZinPanoramaV2> {
public:
  explicit CZinPanoramaV2(IZinMgrRef* owner) : TZinViewBase(owner) {}
};

class CZinPanoNodeV2 final : public TZinSceneObject<IZinPanoNodeV2> {
public:
  explicit CZinPanoNodeV2(IZinMgrRef* owner) : TZinSceneObject(owner) {}
};

class CZinPanoLinkV2 final : public TZinSceneObject<IZinPanoLinkV2> {
public:
  explicit CZinPanoLinkV2(IZinMgrRef* owner) : TZinSceneObject(owner) {}
};

}  // namespace QvZin
