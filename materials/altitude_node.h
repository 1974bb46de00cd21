// An altitude node: texture bands by height, from its sub-parts.
#pragma once

#include "materials/node_kinds.h"
#include "materials/sub_part.h"

namespace QvZin {

#define ZIN_ALTITUDE_FIELDS(F, P)                                                    \
  F(double, Angle, "Angle", 0.0, ZinDouble(), Keep())                                \
  F(CZinVector3D, Origin, "Origin", CZinVector3D(), ZinPoint(), Keep())              \
  F(double, XCenter, "X.Center", 0.0, ZinDouble(), Keep())                           \
  F(double, YCenter, "Y.Center", 0.0, ZinDouble(), Keep())                           \
  F(double, HighStartValue, "HighStartValue", 0.7, ZinDouble(), Keep())              \
  F(double, MedStartValue, "MedStartValue", 0.5, ZinDouble(), Keep())                \
  F(double, Smoothness, "Smoothness", 1.0, ZinDouble(), Keep())                      \
  F(double, Slope, "Slope", 0.0, ZinDouble(), Keep())                                \
  F(double, SlopeAmplify, "SlopeAmplify", 1.0, ZinDouble(), Keep())                  \
  F(double, TransitionContrast, "TransitionContrast", 0.8, ZinDouble(), Keep())      \
  F(double, RandomSeed, "RandomSeed", 0.0, ZinDouble(), Keep())                      \
  F(double, Bump, "Bump", 0.0, ZinDouble(), Keep())                                  \
  F(double, NormalMap, "Normal.Map", 0.0, ZinDouble(), Keep())                       \
  F(bool, Mix, "Mix", false, ZinFlag(), Keep())                                      \
  F(double, MixValue, "Mix.Value", 0.0, ZinDouble(), Keep())                         \
  F(CZinColor, MixColor, "Mix.Color", CZinColor(127, 127, 127), ZinColour(), Keep()) \
  P(CZinSubPartList, SubParts, "Sub.Parts", ZinList("Sub.Part"))

class CAltitudeNode final : public TZinNodeKind<CAltitudeNode, IAltitudeNode> {
  ZIN_FIELDS(ZIN_ALTITUDE_FIELDS)

  explicit CAltitudeNode(IZinMgrRef* owner) : TZinNodeKind(owner) { linkParts(owner); }

  TZinObjectMgr<IZinSubPart>* getSubParts() override { return mSubParts.list(); }
};

}  // namespace QvZin
