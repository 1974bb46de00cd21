// Camera animations and scenarios. The collection table names the camera path's
// class CAnimation and the camera animation's class CZinAnimation.
#pragma once

#include "ZinAnimation.h"
#include "framework/scene_object.h"

namespace QvZin {

class CZinAnimation final : public TZinSceneObject<IZinAnimation> {
public:
  explicit CZinAnimation(IZinMgrRef* owner) : TZinSceneObject(owner) {}
};

class CAnimation final : public TZinSceneObject<IZinCameraPath> {
public:
  explicit CAnimation(IZinMgrRef* owner) : TZinSceneObject(owner) {}
};

class CCamKey final : public IZinCamKey {};

class CZinScenario final : public TZinSceneObject<IZinScenario> {
public:
  explicit CZinScenario(IZinMgrRef* owner) : TZinSceneObject(owner) {}
};

class CZinSequence final : public TZinSceneObject<IZinSequence> {
public:
  explicit CZinSequence(IZinMgrRef* owner) : TZinSceneObject(owner, "Sequence 0") {}
};

class CZinAnimatedElement final : public TZinSceneObject<IZinAnimatedElement> {
public:
  explicit CZinAnimatedElement(IZinMgrRef* owner) : TZinSceneObject(owner) {}
};

class CZinInterpolatedValue final : public TZinSceneObject<IZinInterpolatedValue> {
public:
  explicit CZinInterpolatedValue(IZinMgrRef* owner) : TZinSceneObject(owner) {}
};

class CZinKeyFrame final : public TZinSceneObject<IZinKeyFrame> {
public:
  explicit CZinKeyFrame(IZinMgrRef* owner) : TZinSceneObject(owner) {}
};

class CZinScenarioTimeGuide final : public TZinSceneObject<IZinScenarioTimeGuide> {
public:
  explicit CZinScenarioTimeGuide(IZinMgrRef* owner) : TZinSceneObject(owner) {}
};

class CZinSnd final : public TZinSceneObject<IZinSnd> {
public:
  explicit CZinSnd(IZinMgrRef* owner) : TZinSceneObject(owner) {}
};

class CZin3DPath final : public TZinSceneObject<IZin3DPath> {
public:
  explicit CZin3DPath(IZinMgrRef* owner) : TZinSceneObject(owner) {}
};

class CZinBezierPoint final : public TZinSceneObject<IZinBezierPoint> {
public:
  explicit CZinBezierPoint(IZinMgrRef* owner) : TZinSceneObject(owner) {}
};

}  // namespace QvZin
