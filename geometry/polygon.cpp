#include "geometry/polygon.h"

namespace QvZin {

namespace {

void CopyContour(TZinObjectMgr<CZinVertex>* from, TSimpleMgr<CZinVertex>& to) {
  to.removeAll();
  const uint32_t count = from ? from->getCount() : 0;
  if (count) to.reserve(count);
  for (uint32_t i = 0; i < count; ++i)
    if (const CZinVertex* v = from->getZinObject(i)) to.append(*v);
}

}  // namespace

void CPolygon::reset() {
  mSmooth = false;
  mPropertyIndex = 0;
  mContour->removeAll();
  if (mHoles->getCount()) mHoles->removeAll();
}

void CPolygon::assign(IZinPolygon* other) {
  if (!other || other == this) return;
  mSmooth = other->isSmooth();
  mPropertyIndex = other->getPropertyIndex();
  CopyContour(other->getContour(), *mContour);
  mHoles->removeAll();
  TZinObjectMgr<IZinHole>* holes = other->getHoles();
  const uint32_t count = holes ? holes->getCount() : 0;
  for (uint32_t i = 0; i < count; ++i) {
    IZinHole* from = holes->getZinObject(i);
    IZinHole* to = mHoles->newZinObject(kZinEndOfList);
    if (!from || !to) continue;
    CopyContour(from->getContour(), *static_cast<CLoop*>(to)->contourRecords());
  }
}

}  // namespace QvZin
