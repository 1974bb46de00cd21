// A multi-texture node: several textures mixed by thresholds, from its sub-parts.
#pragma once

#include "materials/node_kinds.h"
#include "materials/sub_part.h"

namespace QvZin {

#define ZIN_MULTI_TEXTURE_FIELDS(F, P)                                               \
  F(int32_t, Projection, "Projection", 2, ZinLabel{kZinProjections}, Keep())         \
  F(double, Angle, "Angle", 0.0, ZinDouble(), Keep())                                \
  F(CZinVector3D, Origin, "Origin", CZinVector3D(), ZinPoint(), Keep())              \
  F(double, XCenter, "X.Center", 0.0, ZinDouble(), Keep())                           \
  F(double, YCenter, "Y.Center", 0.0, ZinDouble(), Keep())                           \
  F(CZinVector3D, Normal, "Normal", CZinVector3D(), ZinPoint(), Keep())              \
  F(CZinVector3D, XAxis, "X.Axis", CZinVector3D(), ZinPoint(), Keep())               \
  F(CZinVector3D, YAxis, "Y.Axis", CZinVector3D(), ZinPoint(), Keep())               \
  P(CZinSubPartList, SubParts, "Sub.Parts", ZinList("Sub.Part"))                     \
  F(CZinColor, Reflection, "Reflection", CZinColor(), ZinColour(), Keep())           \
  F(double, ReflectionLimit, "Reflection.Limit", 0.0, ZinDouble(), Keep())           \
  F(double, Glossy, "Glossy", 1000.0, ZinDouble(), Keep())                           \
  F(double, Bump, "Bump", 0.0, ZinDouble(), Keep())                                  \
  F(double, NormalMap, "Normal.Map", 0.0, ZinDouble(), Keep())                       \
  F(bool, Mix, "Mix", false, ZinFlag(), Keep())                                      \
  F(double, MixValue, "Mix.Value", 0.0, ZinDouble(), Keep())                         \
  F(CZinColor, MixColor, "Mix.Color", CZinColor(127, 127, 127), ZinColour(), Keep()) \
  F(double, Threshold1, "Threshold1", 0.5, ZinDouble(), Keep())                      \
  F(double, Threshold2, "Threshold2", 0.8, ZinDouble(), Keep())                      \
  F(double, Transition, "Transition", 0.2, ZinDouble(), Keep())                      \
  F(double, Resolution, "Resolution", 512.0, ZinDouble(), Keep())                    \
  F(double, RandomSeed, "RandomSeed", 0.0, ZinDouble(), Keep())

class CMultiTextureNode final : public TZinNodeKind<CMultiTextureNode, IMultiTextureNode> {
  ZIN_FIELDS(ZIN_MULTI_TEXTURE_FIELDS)

  explicit CMultiTextureNode(IZinMgrRef* owner) : TZinNodeKind(owner) { linkParts(owner); }

  TZinObjectMgr<IZinSubPart>* getSubParts() override { return mSubParts.list(); }
};

}  // namespace QvZin
