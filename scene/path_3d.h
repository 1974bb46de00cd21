// Free 3D paths made of Bezier points, which values and objects follow by id.
#pragma once

#include "ZinAnimation.h"
#include "framework/scene_object.h"
#include "serialization/object_parts.h"

namespace QvZin {

#define ZIN_BEZIER_POINT_FIELDS(F, P)                                            \
  F(CZinVector3D, Position, "Position", CZinVector3D(), ZinPoint(), Keep())      \
  F(CZinVector3D, CPBefore, "CPBefore", CZinVector3D(), ZinPoint(), Keep())      \
  F(CZinVector3D, CPAfter, "CPAfter", CZinVector3D(), ZinPoint(), Keep())        \
  F(bool, AreLocked, "AreLocked", false, ZinFlag(), Keep())

class CZinBezierPoint final : public TZinSceneObject<IZinBezierPoint> {
public:
  ZIN_FIELDS(ZIN_BEZIER_POINT_FIELDS)

  explicit CZinBezierPoint(IZinMgrRef* owner) : TZinSceneObject(owner) {}
};

using CZinBezierPointList = TZinList<TObject2Mgr<CZinBezierPoint, IZinBezierPoint>>;

#define ZIN_3D_PATH_FIELDS(F, P)                                                       \
  F(bool, Closed, "Closed", false, ZinFlag(), Keep())                                  \
  P(CZinBasicPart, Id, "UUID", ZinBasicId())                                           \
  P(CZinBezierPointList, BezierPoints, "Bezier.points", ZinList("Bezier.Point"))

class CZin3DPath final : public TZinSceneObject<IZin3DPath> {
public:
  ZIN_FIELDS(ZIN_3D_PATH_FIELDS)

  explicit CZin3DPath(IZinMgrRef* owner) : TZinSceneObject(owner) { linkParts(getMgrRef()); }

  TZinObjectMgr<IZinBezierPoint>* getBezierPoints() override { return mBezierPoints.list(); }
};

}  // namespace QvZin
