// A chess node: two sub-nodes ("Node" and "SecondNode") laid out as a 3D checker.
#pragma once

#include "materials/node_kinds.h"
#include "materials/sub_part.h"

namespace QvZin {

#define ZIN_CHESS_FIELDS(F, P)                                                  \
  F(CZinVector3D, Origin, "Origin", CZinVector3D(), ZinPoint(), Keep())         \
  F(CZinVector3D, XAxis, "X.Axis", CZinVector3D(), ZinPoint(), Keep())          \
  F(CZinVector3D, YAxis, "Y.Axis", CZinVector3D(), ZinPoint(), Keep())          \
  F(CZinVector3D, ZAxis, "Z.Axis", CZinVector3D(), ZinPoint(), Keep())          \
  F(CZinVector3D, Size, "Size", CZinVector3D(), ZinPoint(), Keep())             \
  F(CZinVector3D, Proportion, "Proportion", CZinVector3D(), ZinPoint(), Keep()) \
  F(bool, Checker, "Checker", false, ZinFlag(), Keep())                         \
  F(bool, Smooth, "Smooth", false, ZinFlag(), Keep())                           \
  F(int32_t, Geometry, "Geometry", 2, ZinLabel{kZinChessGeometries}, Keep())    \
  P(CZinNodeTable, Table1, "Table1", ZinNodeTable())                            \
  P(CZinNodeTable, Table2, "Table2", ZinNodeTable())                            \
  P(CZinNodeTable, Table3, "Table3", ZinNodeTable())

class CChessNode final : public TZinNodeKind<CChessNode, IChessNode> {
  ZIN_FIELDS(ZIN_CHESS_FIELDS)

  explicit CChessNode(IZinMgrRef* owner) : TZinNodeKind(owner) { linkParts(owner); }

  ITable* getTable1() override { return mTable1.table(); }
  ITable* getTable2() override { return mTable2.table(); }
  ITable* getTable3() override { return mTable3.table(); }
};

}  // namespace QvZin
