// The views of a scene: cameras, parallel views and view objects. Each owns its
// view information and the rendering and compression options of its "Options"
// element.
#pragma once

#include "ZinViews.h"
#include "framework/scene_object.h"
#include "scene/compression_opt.h"
#include "scene/insertion_object.h"
#include "scene/rendering_opt.h"
#include "scene/view_info.h"

namespace QvZin {

extern const CZinLabel kTargetTypes[];
extern const CZinLabel kParallelViewTypes[];

/// The roll rule: a value that is not finite keeps the previous roll; any other is
/// wrapped into [0, 2 pi] by whole turns.
double WrapRoll(double roll, const double& previous);

#define ZIN_CAMERA_FIELDS(F, P)                                                                                \
  P(CZinBasicPart, Name, "Name", ZinBasicName())                                                               \
  F(int32_t, ViewFlags, "View.Flags", 2, ZinInt(), Keep())                                                     \
  F(CZinVector3D, Position, "Position", CZinVector3D(50, 50, -60), ZinPoint(), Keep())                        \
  F(CZinVector3D, Target, "Target", CZinVector3D(50, 50, 50), ZinPoint(), Keep())                             \
  F(double, Roll, "Roll", 0.00001, ZinDouble(), Custom(WrapRoll))                                              \
  F(double, Focal, "Focal", 50.0, ZinDouble(), Clamp(0.0, 180.0).whileAttached())                             \
  F(CZinUUID, TargetObjectId, "Object.Id", CZinUUID(), ZinId(), Keep())                                       \
  F(int32_t, TargetType, "Target.type", eTargetFixedVertex, ZinLabel{kTargetTypes},                           \
    Clamp(0, 1).silent().orElse(0))                                                                            \
  P(CZinViewInfo, ViewInfo, "View.Info", ZinPart())                                                            \
  P(CRenderingOpt, RenderingOpt, "Rendering", ZinUnder("Options", ZinPart()))                                 \
  P(CCompressionOpt, CompressionOpt, "Compression", ZinUnder("Options", ZinPart().optional()))               \
  P(CZinInsertionObject, InsertionObject, "InsertionObject", ZinUnder("Options", ZinPart().optional()))      \
  P(TZinOptional<CZinVector3D>, UpVector, "Up", ZinOptional(ZinPoint()))                                      \
  F(bool, ArchitectFlag, "Architect.Flag", false, ZinFlag(), Keep())

class CCamera final : public TZinViewBase<IZinCamera> {
public:
  ZIN_FIELDS(ZIN_CAMERA_FIELDS)

  explicit CCamera(IZinMgrRef* owner) : TZinViewBase(owner, "View 0") { linkParts(getMgrRef()); }

  const CZinVector3D& getUpVector() override;
  void setUpVector(const CZinVector3D& up) override { mUpVector.set(up); }
  bool isUpVectorSet() override { return mUpVector.isSet; }
  bool isFlagBit0() override { return (mViewFlags & 1) != 0; }
  void setFlagBit0() override { mViewFlags |= 1; }
  bool isFlagBit1() override { return (mViewFlags & 2) != 0; }
  void setFlagBit1(bool on) override { mViewFlags = on ? mViewFlags | 2 : mViewFlags & ~2; }
  IZinViewInfo* getViewInfo() override { return &mViewInfo; }
  IZinRenderingOpt* getRenderingOpt() override { return &mRenderingOpt; }
  IZinInsertionObject* getInsertionObject() override { return &mInsertionObject; }
};

#define ZIN_PARALLEL_VIEW_FIELDS(F, P)                                                            \
  P(CZinBasicPart, Name, "Name", ZinBasicName())                                                  \
  F(int32_t, Type, "PV.Type", eParallelPlan, ZinLabel{kParallelViewTypes}, Keep())               \
  F(int32_t, ViewFlags, "View.Flags", 2, ZinInt(), Keep())                                        \
  F(double, NorthAngle, "North.Angle", 0.0, ZinDouble(), Keep())                                  \
  F(double, Size, "Size", 0.0, ZinDouble(), Keep())                                               \
  F(CZinVector3D, Position, "Position", CZinVector3D(), ZinPoint(), Keep())                       \
  F(CZinVector3D, Target, "Target", CZinVector3D(), ZinPoint(), Keep())                           \
  P(CZinViewInfo, ViewInfo, "View.Info", ZinPart())                                               \
  P(CRenderingOpt, RenderingOpt, "Rendering", ZinUnder("Options", ZinPart()))                    \
  P(CCompressionOpt, CompressionOpt, "Compression", ZinUnder("Options", ZinPart().optional())) \
  F(bool, SpecialShading, "Special.Shading", false, ZinFlag(), Keep())

class CZinParallelView final : public TZinViewBase<IZinParallelView> {
public:
  ZIN_FIELDS(ZIN_PARALLEL_VIEW_FIELDS)

  explicit CZinParallelView(IZinMgrRef* owner) : TZinViewBase(owner) { linkParts(getMgrRef()); }

  IZinViewInfo* getViewInfo() override { return &mViewInfo; }
  IZinRenderingOpt* getRenderingOpt() override { return &mRenderingOpt; }
};

// The steps, angles, shifts and starts of each direction share one element.
#define ZIN_VIEW_OBJECT_FIELDS(F, P)                                                                  \
  P(CZinBasicPart, Name, "Name", ZinBasicName())                                                      \
  F(int32_t, ViewFlags, "View.Flags", 2, ZinInt(), Keep())                                            \
  F(double, Focal, "Focal", 50.0, ZinDouble(), Clamp(1.0, 180.0).silent())                            \
  F(CZinVector3D, Center, "Center", CZinVector3D(50, 50, 50), ZinPoint(), Keep())                    \
  F(double, Radius, "Radius", 110.0, ZinDouble(), AtLeast(0.0).silent())                              \
  F(int32_t, HorizontalAngle, "Angle", 360, ZinUnder("Horizontal", ZinInt()), AtLeast(0).silent())   \
  F(int32_t, HorizontalStep, "Step", 10, ZinUnder("Horizontal", ZinInt()), ZeroBecomes(1))           \
  F(int32_t, HorizontalShift, "Shift", 0, ZinUnder("Horizontal", ZinInt()), AtLeast(0).silent())     \
  F(double, HorizontalStart, "Start", 270.0, ZinUnder("Horizontal", ZinDouble()), Keep())            \
  F(int32_t, VerticalAngle, "Angle", 180, ZinUnder("Vertical", ZinInt()), AtLeast(0).silent())       \
  F(int32_t, VerticalStep, "Step", 10, ZinUnder("Vertical", ZinInt()), ZeroBecomes(1))               \
  F(int32_t, VerticalShift, "Shift", 0, ZinUnder("Vertical", ZinInt()), Keep())                      \
  F(double, VerticalStart, "Start", 0.0, ZinUnder("Vertical", ZinDouble()), Keep())                  \
  F(int32_t, OriginAngle, "Origin.Angle", -90, ZinInt(), Keep())                                      \
  P(CZinViewInfo, ViewInfo, "View.Info", ZinPart())                                                   \
  P(CRenderingOpt, RenderingOpt, "Rendering", ZinUnder("Options", ZinPart()))                        \
  P(CCompressionOpt, CompressionOpt, "Compression", ZinUnder("Options", ZinPart().optional()))

// A view object answers its own identifier only: the view-basic one belongs to the
// cameras, parallel views and panoramas.
class CViewObject final : public TZinSceneObject<IZinViewObject> {
public:
  ZIN_FIELDS(ZIN_VIEW_OBJECT_FIELDS)

  explicit CViewObject(IZinMgrRef* owner) : TZinSceneObject(owner, "Vue objet 1") { linkParts(getMgrRef()); }

  IZinViewInfo* getViewInfo() override { return &mViewInfo; }
  IZinRenderingOpt* getRenderingOpt() override { return &mRenderingOpt; }
};

}  // namespace QvZin
