// A Wang-tile node: tiles drawn from its tile maps without visible repetition.
#pragma once

#include "materials/node_kinds.h"
#include "materials/sub_part.h"

namespace QvZin {

#define ZIN_WANG_TILES_FIELDS(F, P)                                                  \
  F(int32_t, Projection, "Projection", 2, ZinLabel{kZinProjections}, Keep())         \
  F(double, Angle, "Angle", 0.0, ZinDouble(), Keep())                                \
  F(CZinVector3D, Origin, "Origin", CZinVector3D(), ZinPoint(), Keep())              \
  F(double, XCenter, "X.Center", 0.0, ZinDouble(), Keep())                           \
  F(double, YCenter, "Y.Center", 0.0, ZinDouble(), Keep())                           \
  F(CZinVector3D, Normal, "Normal", CZinVector3D(), ZinPoint(), Keep())              \
  F(CZinVector3D, XAxis, "X.Axis", CZinVector3D(), ZinPoint(), Keep())               \
  F(CZinVector3D, YAxis, "Y.Axis", CZinVector3D(), ZinPoint(), Keep())               \
  F(double, RandomSeed, "RandomSeed", 0.0, ZinDouble(), Keep())                      \
  F(double, TexturesWidth, "TexturesWidth", 1.0, ZinDouble(), Keep())                \
  F(double, TexturesHeight, "TexturesHeight", 1.0, ZinDouble(), Keep())              \
  F(CZinColor, Reflection, "Reflection", CZinColor(), ZinColour(), Keep())           \
  F(double, ReflectionLimit, "Reflection.Limit", 0.0, ZinDouble(), Keep())           \
  F(double, Glossy, "Glossy", 1.0, ZinDouble(), Keep())                              \
  F(double, Bump, "Bump", 0.0, ZinDouble(), Keep())                                  \
  F(double, NormalMap, "Normal.Map", 0.0, ZinDouble(), Keep())                       \
  F(bool, Mix, "Mix", false, ZinFlag(), Keep())                                      \
  F(double, MixValue, "Mix.Value", 0.0, ZinDouble(), Keep())                         \
  F(CZinColor, MixColor, "Mix.Color", CZinColor(127, 127, 127), ZinColour(), Keep()) \
  F(CZinColor, Transparent, "Transparent", CZinColor(), ZinColour(), Keep())         \
  F(double, Ambient, "Ambient", 0.0, ZinDouble(), Keep())                            \
  P(CZinMapList, Maps, "Maps", ZinUnder("Sub.Parts", ZinList("URL")))

class CWangTilesNode final : public TZinNodeKind<CWangTilesNode, IWangTilesNode> {
  ZIN_FIELDS(ZIN_WANG_TILES_FIELDS)

  explicit CWangTilesNode(IZinMgrRef* owner) : TZinNodeKind(owner) { linkParts(owner); }

  TZinObjectMgr<IZinMap>* getMaps() override { return mMaps.list(); }
};

}  // namespace QvZin
