// A leaf node: the terminal shading settings of a surface.
#pragma once

#include "materials/node_kinds.h"
#include "materials/sub_part.h"

namespace QvZin {

#define ZIN_LEAF_FIELDS(F, P)                                                                      \
  F(int32_t, Shape, "Shape", 0, ZinLabel{kZinLeafShapes}, Keep())                                  \
  F(CZinColor, Diffuse, "Diffuse", CZinColor(100, 100, 100), ZinColour(), Keep())                  \
  F(CZinColor, Transparent, "Transparent", CZinColor(), ZinColour(), Keep())                       \
  F(CZinColor, Specular, "Specular", CZinColor(), ZinColour(), Keep())                             \
  F(CZinColor, Reflection, "Reflection", CZinColor(), ZinColour(), Keep())                         \
  F(CZinColor, NeonColor, "Neon.Color", CZinColor(), ZinColour(), Keep())                          \
  F(double, NeonValue, "Neon.Value", 0.0, ZinDouble(), Keep())                                     \
  F(double, Refraction, "Refraction", 1.0, ZinDouble(), Keep())                                    \
  F(double, Glossy, "Glossy", 1000.0, ZinDouble(), Keep())                                         \
  F(CZinColor, EmittingColor, "Emitting.Color", CZinColor(), ZinColour(), Keep())                  \
  F(double, EmittingPower, "Emitting.Power", 0.0, ZinDouble(), Keep())                             \
  F(double, ReflectionLimit, "Reflection.Limit", 0.0, ZinDouble(), Keep())                         \
  F(int32_t, IlluminationModel, "Illumination.Model", 0, ZinLabel{kZinIlluminationModels}, Keep()) \
  F(int32_t, GlossyReflectionSampling, "Glossy.Reflection.Sampling", 0, ZinInt(), Keep())          \
  F(int32_t, GlossyRefractionSampling, "Glossy.Refraction.Sampling", 0, ZinInt(), Keep())          \
  F(double, Roughness, "Roughness", 0.0, ZinDouble(), Keep())                                      \
  F(double, Reflectance, "Reflectance", 1.0, ZinDouble(), Keep())                                  \
  F(int32_t, GlossyReflectionShininess, "Glossy.Reflection.Shininess", 1, ZinInt(), Keep())        \
  F(int32_t, GlossyRefractionShininess, "Glossy.Refraction.Shininess", 1, ZinInt(), Keep())

class CLeafNode final : public TZinNodeKind<CLeafNode, ILeafNode> {
  ZIN_FIELDS(ZIN_LEAF_FIELDS)

  explicit CLeafNode(IZinMgrRef* owner) : TZinNodeKind(owner) { linkParts(owner); }
};

}  // namespace QvZin
