// Camera animations: camera paths with their points and camera keys, and the
// options of the movie. The collection table names the camera path's class
// CAnimation and the camera animation's class CZinAnimation. The scenarios and
// the free 3D paths have headers of their own, included here.
#pragma once

#include "ZinAnimation.h"
#include "framework/scene_object.h"
#include "scene/path_3d.h"
#include "scene/rendering_opt.h"
#include "scene/scenario.h"
#include "scene/view_info.h"
#include "serialization/object_parts.h"

namespace QvZin {

extern const CZinLabel kCamKeyTypes[];

#define ZIN_CAM_KEY_FIELDS(F, P)                                                              \
  F(double, Pitch, "Pitch", 0.0, ZinDouble(), Keep())                                         \
  F(double, Focal, "Focal", 50.0, ZinDouble(), Keep())                                        \
  F(int32_t, KeyType, "Key.Type", eCamKeyTiming, ZinLabel{kCamKeyTypes}, Keep())             \
  F(int32_t, FadingDuration, "Fading.Duration", 0, ZinInt(), Keep())                          \
  F(int32_t, FadingNbImages, "Fading.Nb.Images", 0, ZinInt(), Keep())                         \
  F(double, HorizontalAngle, "Horizontal.Angle", 0.0, ZinDouble(), Keep())                    \
  F(double, VerticalAngle, "Vertical.Angle", 0.0, ZinDouble(), Keep())                        \
  F(double, Anticipation, "Anticipation", 0.0, ZinDouble(), Keep())                           \
  F(int32_t, BezierSection, "Bezier.Section", 0, ZinInt(), Keep())                            \
  F(double, BezierT, "Bezier.T", 0.0, ZinDouble(), Keep())                                    \
  F(int32_t, BezierTransition, "Bezier.Transition", 0, ZinInt(), Keep())                      \
  F(double, BezierTransitionT, "Bezier.Transition.T", 0.0, ZinDouble(), Keep())               \
  F(CZinVector3D, Target, "Target", CZinVector3D(), ZinPoint(), Keep())

/// A camera key: a plain object owned by its path's list.
class CCamKey final : public TZinSettings<IZinCamKey> {
  ZIN_FIELDS(ZIN_CAM_KEY_FIELDS)
};

using CZinPathPointList = TZinList<TSimpleMgr<CZinPoint>>;
using CZinCamKeyList = TZinList<TObjectMgr<CCamKey, IZinCamKey>>;

// "Camera.Keys" holds the path's view information and current time before the keys.
#define ZIN_CAMERA_PATH_FIELDS(F, P)                                                                   \
  P(CZinBasicPart, Name, "Name", ZinBasicName())                                                       \
  F(int32_t, ViewFlags, "View.Flags", 2, ZinInt(), Keep())                                             \
  F(bool, Active, "Active", false, ZinFlag(), Keep())                                                  \
  F(double, Duration, "Movie.Duration", 0.0, ZinDouble(), AtLeast(0.0).whileAttached())               \
  F(int32_t, NbXImage, "Nb.Images.Extra", 0, ZinInt(), AtLeast(0).whileAttached())                    \
  F(bool, SpeedOn, "Speed.On", false, ZinFlag(), Keep())                                               \
  F(double, Speed, "Speed", 0.0, ZinDouble(), Keep())                                                  \
  F(bool, PathClosed, "Path.Closed", false, ZinFlag(), Keep())                                         \
  P(CZinPathPointList, Points, "Points", ZinList("Point"))                                             \
  P(CZinViewInfo, ViewInfo, "View.Info", ZinUnder("Camera.Keys", ZinPart()))                          \
  F(double, CurrentTime, "Current.Time", 0.0, ZinUnder("Camera.Keys", ZinDouble()), Keep())           \
  P(CZinCamKeyList, CamKeys, "Camera.Key", ZinUnder("Camera.Keys", ZinItems()))

class CAnimation final : public TZinSceneObject<IZinCameraPath> {
public:
  ZIN_FIELDS(ZIN_CAMERA_PATH_FIELDS)

  explicit CAnimation(IZinMgrRef* owner) : TZinSceneObject(owner) { linkParts(getMgrRef()); }

  TZinObjectMgr<CZinPoint>* getPoints() override { return mPoints.list(); }
  IZinViewInfo* getViewInfo() override { return &mViewInfo; }
  TZinObjectMgr<IZinCamKey>* getCamKeys() override { return mCamKeys.list(); }
};

using CZinCameraPathList = TZinList<TObject2Mgr<CAnimation, IZinCameraPath>>;

#define ZIN_ANIMATION_FIELDS(F, P)                                                \
  P(CZinBasicPart, Name, "Name", ZinBasicName())                                  \
  P(CZinCameraPathList, CameraPaths, "Camera.Paths", ZinList("Camera.Path"))      \
  P(CAnimRenderingOpt, Options, "Options", ZinPart())                             \
  P(TZinStored<int32_t>, CurrentPath, "Current", ZinStored(ZinInt()))

class CZinAnimation final : public TZinSceneObject<IZinAnimation> {
public:
  ZIN_FIELDS(ZIN_ANIMATION_FIELDS)

  explicit CZinAnimation(IZinMgrRef* owner) : TZinSceneObject(owner) { linkParts(getMgrRef()); }

  TZinObjectMgr<IZinCameraPath>* getCameraPaths() override { return mCameraPaths.list(); }
  IZinRenderingOpt* getRenderingOpt() override { return mOptions.getRenderingOpt(); }
  IZinCompressionOpt* getCompressionOpt() override { return mOptions.getCompressionOpt(); }
  int32_t getCurrentPath() override { return mCurrentPath.value; }
  void setCurrentPath(int32_t index) override;
};

}  // namespace QvZin
