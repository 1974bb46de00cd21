// A turbulence node: a noise pattern with its float table.
#pragma once

#include "materials/node_kinds.h"
#include "materials/sub_part.h"

namespace QvZin {

#define ZIN_TURBULENCE_FIELDS(F, P)                                           \
  F(CZinVector3D, Origin, "Origin", CZinVector3D(), ZinPoint(), Keep())       \
  F(CZinVector3D, Amplitude, "Amplitude", CZinVector3D(), ZinPoint(), Keep()) \
  F(CZinVector3D, Direction, "Direction", CZinVector3D(), ZinPoint(), Keep()) \
  F(double, Size, "Size", 0.0, ZinDouble(), Keep())                           \
  P(CZinNodeTable, Table, "Table", ZinNodeTable())

class CTurbulenceNode final : public TZinNodeKind<CTurbulenceNode, ITurbulenceNode> {
  ZIN_FIELDS(ZIN_TURBULENCE_FIELDS)

  explicit CTurbulenceNode(IZinMgrRef* owner) : TZinNodeKind(owner) { linkParts(owner); }

  ITable* getTable() override { return mTable.table(); }
};

}  // namespace QvZin
