// Scenarios: timelines of camera sequences, animated elements with their
// interpolated values, time guides and sounds.
#pragma once

#include "ZinAnimation.h"
#include "framework/scene_object.h"
#include "scene/animatable_values.h"
#include "scene/compression_opt.h"
#include "scene/key_frame.h"
#include "scene/rendering_opt.h"
#include "scene/view_info.h"
#include "serialization/object_parts.h"

namespace QvZin {

extern const CZinLabel kAnimatedTypes[];
extern const CZinLabel kSequenceTargetTypes[];

using CZinKeyFrameList = TZinList<TObject2Mgr<CZinKeyFrame, IZinKeyFrame>>;

// A new value animates code 1: code 0 has no label, so it could not be written.
#define ZIN_INTERPOLATED_VALUE_FIELDS(F, P)                                              \
  F(int32_t, Type, "Type", 1, ZinLabel{kAnimatableValues}, Keep())                       \
  F(bool, Loop, "Loop", false, ZinFlag(), Keep())                                        \
  F(int32_t, NbLoops, "Nb.Loops", 0, ZinInt(), Keep())                                   \
  F(CZinUUID, PathId, "Path.Id", CZinUUID(), ZinId(), Keep())                            \
  P(TZinChild<CZinKeyFrame>, DefaultValue, "Default.Value", ZinChild())                  \
  P(CZinKeyFrameList, KeyFrames, "KeyFrames", ZinList("KeyFrame"))

class CZinInterpolatedValue final : public TZinSceneObject<IZinInterpolatedValue> {
public:
  ZIN_FIELDS(ZIN_INTERPOLATED_VALUE_FIELDS)

  explicit CZinInterpolatedValue(IZinMgrRef* owner) : TZinSceneObject(owner) { linkParts(getMgrRef()); }

  IZinKeyFrame* getDefaultValue() override { return &mDefaultValue.child(); }
  TZinObjectMgr<IZinKeyFrame>* getKeyFrames() override { return mKeyFrames.list(); }
};

using CZinInterpolatedValueList = TZinList<TObject2Mgr<CZinInterpolatedValue, IZinInterpolatedValue>>;

// A new element animates a sequence: kind 0 has no label.
#define ZIN_ANIMATED_ELEMENT_FIELDS(F, P)                                                              \
  F(int32_t, Type, "Type", eAnimatedSequence, ZinLabel{kAnimatedTypes}, Keep())                        \
  F(CZinUUID, ObjectId, "UUID", CZinUUID(), ZinId(), Keep())                                           \
  P(CZinInterpolatedValueList, InterpolatedValues, "Interpolated.Values", ZinList("Interpolated.Value"))

class CZinAnimatedElement final : public TZinSceneObject<IZinAnimatedElement> {
public:
  ZIN_FIELDS(ZIN_ANIMATED_ELEMENT_FIELDS)

  explicit CZinAnimatedElement(IZinMgrRef* owner) : TZinSceneObject(owner) { linkParts(getMgrRef()); }

  TZinObjectMgr<IZinInterpolatedValue>* getInterpolatedValues() override { return mInterpolatedValues.list(); }
};

#define ZIN_SEQUENCE_FIELDS(F, P)                                                                 \
  P(CZinBasicPart, Id, "UUID", ZinBasicId())                                                      \
  F(int32_t, StartFrame, "Start.Frame", 0, ZinInt(), Keep())                                      \
  F(int32_t, EndFrame, "End.Frame", 250, ZinInt(), Keep())                                        \
  P(CZinBasicPart, Name, "Name", ZinBasicName())                                                  \
  F(int32_t, ViewFlags, "View.Flags", 2, ZinInt(), Keep())                                        \
  F(double, Focal, "Focal", 50.0, ZinDouble(), Clamp(0.0, 180.0).whileAttached())                \
  F(CZinVector3D, Position, "Position", CZinVector3D(50, 50, -60), ZinPoint(), Keep())           \
  F(int32_t, TargetType, "Target.Type", eSequenceFixedVertex, ZinLabel{kSequenceTargetTypes},     \
    Clamp(0, 3).silent().orElse(0))                                                               \
  F(double, TargetDistance, "Target.Distance", 100.0, ZinDouble(), Keep())                        \
  F(double, HorizontalAngle, "Horizontal.Angle", 0.0, ZinDouble(), Keep())                        \
  F(double, VerticalAngle, "Vertical.Angle", 0.0, ZinDouble(), Keep())                            \
  F(CZinVector3D, CurrentPathTangent, "Current.Path.Tangent", CZinVector3D(1, 0, 0), ZinPoint(), \
    Keep())                                                                                       \
  F(CZinVector3D, Target, "Target", CZinVector3D(50, 50, 50), ZinPoint(), Keep())                \
  F(double, Roll, "Roll", 0.00001, ZinDouble(), Keep())                                           \
  F(CZinUUID, TargetObjectId, "Object.UUID", CZinUUID(), ZinId(), Keep())                         \
  F(bool, ArchitectFlag, "Architect.Flag", false, ZinFlag(), Keep())                              \
  P(CZinViewInfo, ViewInfo, "View.Info", ZinPart())                                               \
  P(CRenderingOpt, RenderingOpt, "Rendering", ZinUnder("Options", ZinPart()))                    \
  P(CCompressionOpt, CompressionOpt, "Compression", ZinUnder("Options", ZinPart().optional()))

class CZinSequence final : public TZinSceneObject<IZinSequence> {
public:
  ZIN_FIELDS(ZIN_SEQUENCE_FIELDS)

  explicit CZinSequence(IZinMgrRef* owner) : TZinSceneObject(owner, "Sequence 0") { linkParts(getMgrRef()); }

  bool isFlagBit0() override { return (mViewFlags & 1) != 0; }
  void setFlagBit0() override { mViewFlags |= 1; }
  bool isFlagBit1() override { return (mViewFlags & 2) != 0; }
  void setFlagBit1(bool on) override { mViewFlags = on ? mViewFlags | 2 : mViewFlags & ~2; }
  IZinViewInfo* getViewInfo() override { return &mViewInfo; }
  IZinRenderingOpt* getRenderingOpt() override { return &mRenderingOpt; }
};

#define ZIN_TIME_GUIDE_FIELDS(F, P) F(int32_t, Time, "Time", 0, ZinInt(), Keep())

class CZinScenarioTimeGuide final : public TZinSceneObject<IZinScenarioTimeGuide> {
public:
  ZIN_FIELDS(ZIN_TIME_GUIDE_FIELDS)

  explicit CZinScenarioTimeGuide(IZinMgrRef* owner) : TZinSceneObject(owner) {}
};

#define ZIN_SND_FIELDS(F, P)                                      \
  F(int32_t, StartFrame, "Start.Frame", 0, ZinInt(), Keep())      \
  P(CZinBasicPart, Id, "UUID", ZinBasicId())                      \
  F(std::string, URL, "URL", "", ZinText(), Keep())

class CZinSnd final : public TZinSceneObject<IZinSnd> {
public:
  ZIN_FIELDS(ZIN_SND_FIELDS)

  explicit CZinSnd(IZinMgrRef* owner) : TZinSceneObject(owner) {}
};

using CZinSequenceList = TZinList<TObject2Mgr<CZinSequence, IZinSequence>>;
using CZinAnimatedElementList = TZinList<TObject2Mgr<CZinAnimatedElement, IZinAnimatedElement>>;
using CZinTimeGuideList = TZinList<TObject2Mgr<CZinScenarioTimeGuide, IZinScenarioTimeGuide>>;
using CZinSndList = TZinList<TObject2Mgr<CZinSnd, IZinSnd>>;

#define ZIN_SCENARIO_FIELDS(F, P)                                                                  \
  P(CZinBasicPart, Name, "Name", ZinBasicName())                                                   \
  F(int32_t, CurrentFrame, "Current.Frame", 0, ZinInt(), Keep())                                   \
  F(int32_t, CurrentSequence, "Current.Sequence", 0, ZinInt(), Keep())                             \
  F(int32_t, MaxTime, "Max.Time", 500, ZinInt(), Keep())                                           \
  F(int32_t, FPS, "FPS", 25, ZinInt(), Keep())                                                     \
  F(int32_t, StartVisibleTime, "Start.Visible.Time", 0, ZinInt(), Keep())                          \
  F(int32_t, EndVisibleTime, "End.Visible.Time", 500, ZinInt(), Keep())                            \
  P(CZinSequenceList, Sequences, "Sequences", ZinList("Sequence"))                                 \
  P(CZinAnimatedElementList, AnimatedElements, "Animated.Elements", ZinList("Animated.Element"))  \
  P(CZinTimeGuideList, TimeGuides, "Time.Guides", ZinList("Time.Guide"))                           \
  P(CZinSndList, Snds, "Snds", ZinList("Snd"))

class CZinScenario final : public TZinSceneObject<IZinScenario> {
public:
  ZIN_FIELDS(ZIN_SCENARIO_FIELDS)

  explicit CZinScenario(IZinMgrRef* owner) : TZinSceneObject(owner) { linkParts(getMgrRef()); }

  TZinObjectMgr<IZinSequence>* getSequences() override { return mSequences.list(); }
  TZinObjectMgr<IZinAnimatedElement>* getAnimatedElements() override { return mAnimatedElements.list(); }
  TZinObjectMgr<IZinScenarioTimeGuide>* getTimeGuides() override { return mTimeGuides.list(); }
  TZinObjectMgr<IZinSnd>* getSnds() override { return mSnds.list(); }
};

}  // namespace QvZin
