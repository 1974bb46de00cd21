// The view classes. Their fields, companions (view information, rendering
// options) and element layouts come with the views' own work.
#pragma once

#include "ZinViews.h"
#include "framework/scene_object.h"

namespace QvZin {

class CCamera final : public TZinViewBase<IZinCamera> {
public:
  explicit CCamera(IZinMgrRef* owner) : TZinViewBase(owner, "View 0") {}
};

class CZinParallelView final : public TZinViewBase<IZinParallelView> {
public:
  explicit CZinParallelView(IZinMgrRef* owner) : TZinViewBase(owner) {}
};

// A view object answers its own identifier only: the view-basic one belongs to the
// cameras, parallel views and panoramas.
class CViewObject final : public TZinSceneObject<IZinViewObject> {
public:
  explicit CViewObject(IZinMgrRef* owner) : TZinSceneObject(owner, "Vue objet 1") {}
};

}  // namespace QvZin
