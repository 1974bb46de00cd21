// A glazing node: water and glass surfaces.
#pragma once

#include "materials/node_kinds.h"
#include "materials/sub_part.h"

namespace QvZin {

#define ZIN_GLAZING_FIELDS(F, P)                                 \
  F(double, XScale, "X.Scale", 50.0, ZinDouble(), Keep())        \
  F(double, YScale, "Y.Scale", 50.0, ZinDouble(), Keep())        \
  F(double, Flatness, "Flatness", 0.5, ZinDouble(), Keep())      \
  F(bool, TiltDetect, "Tilt.Detect", true, ZinFlag(), Keep())    \
  F(double, TiltFactor, "Tilt.Factor", 0.5, ZinDouble(), Keep()) \
  F(bool, Animation, "Animation", false, ZinFlag(), Keep())      \
  F(double, Speed, "Speed", 2.0, ZinDouble(), Keep())

class CGlazingNode final : public TZinNodeKind<CGlazingNode, IGlazingNode> {
  ZIN_FIELDS(ZIN_GLAZING_FIELDS)

  explicit CGlazingNode(IZinMgrRef* owner) : TZinNodeKind(owner) { linkParts(owner); }
};

}  // namespace QvZin
