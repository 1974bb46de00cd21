// The Fresnel nodes: a Fresnel mix over their sub-node ("Node"). The diffuse one
// has the same settings, rules and messages, its texts naming IFresnelNode too.
#pragma once

#include "materials/node_kinds.h"

namespace QvZin {

#define ZIN_FRESNEL_FIELDS(F, P)                                                                                                                    \
  F(double, MinReflection, "Min.Reflection", 0.05, ZinDouble(), Then(AtLeast(0.0).warns("IFresnelNode::setMinReflection - Value is lower than 0"), AtMost(1.0).warns("IFresnelNode::setMinReflection - Value is higer than 1"))) \
  F(double, PowerFactor, "Power.Factor", 5.0, ZinDouble(), Keep())

class CFresnelNode final : public TZinNodeKind<CFresnelNode, IFresnelNode> {
  ZIN_FIELDS(ZIN_FRESNEL_FIELDS)

  explicit CFresnelNode(IZinMgrRef* owner) : TZinNodeKind(owner) { linkParts(owner); }
};

class CFresnelDiffuseNode final : public TZinNodeKind<CFresnelDiffuseNode, IFresnelDiffuseNode> {
  ZIN_FIELDS(ZIN_FRESNEL_FIELDS)

  explicit CFresnelDiffuseNode(IZinMgrRef* owner) : TZinNodeKind(owner) { linkParts(owner); }
};

}  // namespace QvZin
