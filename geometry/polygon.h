// Polygons of a geometry and their holes.
#pragma once

#include "ZinComPtr.h"
#include "ZinGeometry.h"
#include "framework/object_mgr.h"
#include "framework/scene_object.h"

namespace QvZin {

class CLoop final : public TZinSceneObject<IZinPolygon::IZinHole> {
public:
  explicit CLoop(IZinMgrRef* owner)
      : TZinSceneObject(owner), mContour(NewZinCollection<TSimpleMgr<CZinVertex>>(owner)) {}

  TZinObjectMgr<CZinVertex>* getContour() override { return mContour.get(); }
  TSimpleMgr<CZinVertex>* contourRecords() { return mContour.get(); }

private:
  TZinComPtr<TSimpleMgr<CZinVertex>> mContour;
};

class CPolygon final : public TZinSceneObject<IZinPolygon> {
public:
  explicit CPolygon(IZinMgrRef* owner)
      : TZinSceneObject(owner),
        mContour(NewZinCollection<TSimpleMgr<CZinVertex>>(owner)),
        mHoles(NewZinCollection<TObject2Mgr<CLoop, IZinHole>>(owner)) {}

  bool isSmooth() override { return mSmooth; }
  void setSmooth(bool smooth) override { mSmooth = smooth; }
  int32_t getPropertyIndex() override { return mPropertyIndex; }
  void setPropertyIndex(int32_t index) override { mPropertyIndex = index; }
  TZinObjectMgr<CZinVertex>* getContour() override { return mContour.get(); }
  TZinObjectMgr<IZinHole>* getHoles() override { return mHoles.get(); }

  /// Back to a new polygon: not smooth, property 0, no vertices, no holes.
  void reset();
  /// Becomes a copy of other: flags, property, contour and holes.
  void assign(IZinPolygon* other);
  /// The outer contour's records.
  TSimpleMgr<CZinVertex>& contour() { return *mContour; }

private:
  bool mSmooth = false;
  int32_t mPropertyIndex = 0;
  TZinComPtr<TSimpleMgr<CZinVertex>> mContour;
  TZinComPtr<TObject2Mgr<CLoop, IZinHole>> mHoles;
};

}  // namespace QvZin
