// What the geometry tests share: polygons as plain values, client storages that
// record every call the library makes, a clock that makes every progress check a
// report, and the library's heap use.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <map>
#include <string>
#include <vector>

#if defined(__SANITIZE_ADDRESS__)
// The sanitizer's own count of live heap bytes (its runtime exports it).
extern "C" size_t __sanitizer_get_current_allocated_bytes();
#elif __has_include(<malloc.h>)
#include <malloc.h>
#endif

#include "manager/geometry_blocks.h"
#include "geometry/polygon.h"
#include "manager/mgr.h"
#include "test_support.h"

namespace QvZinGeoTest {

using namespace QvZin;
using namespace QvZinTest;

inline CZIN* Zin(const ManagerHold& hold) { return static_cast<CZIN*>(hold.mgr); }

inline std::string IdText(const CZinUUID& id) {
  if (id.isNull()) return "scene";
  char text[33];
  id.toText(text);
  return text;
}

/// Every progress check becomes a report: the clock moves 101 ms per reading.
class CFastClock {
public:
  CFastClock() : mPrevious(CZinProgress::sClock) {
    CZinProgress::sClock = [] {
      static uint64_t now = 0;
      return now += 101;
    };
  }
  ~CFastClock() { CZinProgress::sClock = mPrevious; }
  CFastClock(const CFastClock&) = delete;
  CFastClock& operator=(const CFastClock&) = delete;

private:
  CZinProgress::CClock mPrevious;
};

inline CZinVertex Vertex(int32_t index, uint32_t flags = 0, float u = 0, float v = 0) {
  return CZinVertex{index, flags, u, v};
}

/// A polygon as plain values, for comparisons.
struct Shape {
  bool smooth = false;
  int32_t property = 0;
  std::vector<CZinVertex> outer;
  std::vector<std::vector<CZinVertex>> holes;
};

inline Shape Polygon(int32_t property, std::vector<CZinVertex> outer, std::vector<std::vector<CZinVertex>> holes = {},
                     bool smooth = false) {
  return Shape{smooth, property, std::move(outer), std::move(holes)};
}

inline bool SameContour(const std::vector<CZinVertex>& a, const std::vector<CZinVertex>& b) {
  return a.size() == b.size() && (a.empty() || std::memcmp(a.data(), b.data(), a.size() * sizeof(CZinVertex)) == 0);
}

inline bool operator==(const Shape& a, const Shape& b) {
  if (a.smooth != b.smooth || a.property != b.property || !SameContour(a.outer, b.outer) ||
      a.holes.size() != b.holes.size())
    return false;
  for (size_t h = 0; h < a.holes.size(); ++h)
    if (!SameContour(a.holes[h], b.holes[h])) return false;
  return true;
}

inline std::vector<CZinVertex> ContourOf(TZinObjectMgr<CZinVertex>* contour) {
  std::vector<CZinVertex> out;
  for (uint32_t i = 0; contour && i < contour->getCount(); ++i) out.push_back(*contour->getZinObject(i));
  return out;
}

/// A polygon read through its public interface.
inline Shape ShapeOf(IZinPolygon* polygon) {
  Shape shape{polygon->isSmooth(), polygon->getPropertyIndex(), ContourOf(polygon->getContour()), {}};
  TZinObjectMgr<IZinPolygon::IZinHole>* holes = polygon->getHoles();
  for (uint32_t h = 0; h < holes->getCount(); ++h) shape.holes.push_back(ContourOf(holes->getZinObject(h)->getContour()));
  return shape;
}

/// Fills a polygon through its public interface.
inline void FillPolygon(IZinPolygon* polygon, const Shape& shape) {
  polygon->setSmooth(shape.smooth);
  polygon->setPropertyIndex(shape.property);
  for (const CZinVertex& v : shape.outer) *polygon->getContour()->newZinObject(kZinEndOfList) = v;
  for (const auto& hole : shape.holes) {
    TZinObjectMgr<CZinVertex>* contour = polygon->getHoles()->newZinObject(kZinEndOfList)->getContour();
    for (const CZinVertex& v : hole) *contour->newZinObject(kZinEndOfList) = v;
  }
}

/// A client's own implementation of polygons (its collections borrowed from the
/// library), for the paths that must not assume the library's class.
class CClientPolygon final : public IZinPolygon {
public:
  explicit CClientPolygon(IZinMgrRef* owner)
      : mContour(NewZinCollection<TSimpleMgr<CZinVertex>>(owner)),
        mHoles(NewZinCollection<TObject2Mgr<CLoop, IZinHole>>(owner)) {}
  ZinResult QueryInterface(const CZinUUID&, void** out) override { return *out = nullptr, kZinNoInterface; }
  int32_t AddRef() override { return 1; }
  int32_t Release() override { return 1; }
  IZinObjectLink* getObjectLink() override { return nullptr; }
  IZinBasicData* getBasicData() override { return nullptr; }
  bool isSmooth() override { return mSmooth; }
  void setSmooth(bool smooth) override { mSmooth = smooth; }
  int32_t getPropertyIndex() override { return mProperty; }
  void setPropertyIndex(int32_t index) override { mProperty = index; }
  TZinObjectMgr<CZinVertex>* getContour() override { return mContour.get(); }
  TZinObjectMgr<IZinHole>* getHoles() override { return mHoles.get(); }

private:
  bool mSmooth = false;
  int32_t mProperty = 0;
  TZinComPtr<TSimpleMgr<CZinVertex>> mContour;
  TZinComPtr<TObject2Mgr<CLoop, IZinHole>> mHoles;
};

/// Geometry as plain values: what a client storage holds.
struct Geometry {
  std::vector<CZinPoint> points;
  std::vector<Shape> polygons;
};

inline bool SamePoints(const std::vector<CZinPoint>& a, const std::vector<CZinPoint>& b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (a[i].mX != b[i].mX || a[i].mY != b[i].mY || a[i].mZ != b[i].mZ) return false;
  return true;
}

inline void FillManager(IZinMgr* mgr, const Geometry& g) {
  for (const CZinPoint& p : g.points) *mgr->getPoints()->newZinObject(kZinEndOfList) = p;
  for (const Shape& s : g.polygons) FillPolygon(mgr->getPolygons()->newZinObject(kZinEndOfList), s);
}

inline Geometry GeometryOf(TZinObjectMgr<CZinPoint>* points, TZinObjectMgr<IZinPolygon>* polygons) {
  Geometry g;
  for (uint32_t i = 0; i < points->getCount(); ++i) g.points.push_back(*points->getZinObject(i));
  for (uint32_t i = 0; i < polygons->getCount(); ++i) g.polygons.push_back(ShapeOf(polygons->getZinObject(i)));
  return g;
}

/// A client storage for reads: records every call, keeps what it is given, and
/// refuses the item at a chosen index.
class CRecordingReaderStorage final : public IZinExtStorageReader {
public:
  struct CReader final : IReader {
    CReader(CRecordingReaderStorage* o, Geometry* g) : owner(o), geometry(g) {}
    CRecordingReaderStorage* owner;
    Geometry* geometry;
    void destroy() override {
      owner->calls.push_back("destroy");
      delete this;
    }
    void setPointCount(int count) override { owner->calls.push_back("setPointCount " + std::to_string(count)); }
    bool setPoint(const double* xyz, int index) override {
      if (owner->logItems) owner->calls.push_back("setPoint " + std::to_string(index));
      if (index == owner->refusePoint) return false;
      geometry->points.push_back(CZinPoint{xyz[0], xyz[1], xyz[2]});
      return true;
    }
    void setPolygonCount(int count) override { owner->calls.push_back("setPolygonCount " + std::to_string(count)); }
    bool setPolygon(const IZinPolygon* polygon, int index) override {
      if (owner->logItems) owner->calls.push_back("setPolygon " + std::to_string(index));
      owner->polygonObjects.push_back(polygon);
      if (index == owner->refusePolygon) return false;
      geometry->polygons.push_back(ShapeOf(const_cast<IZinPolygon*>(polygon)));
      return true;
    }
  };

  IReader* createGeometryReader(const CZinUUID& id, bool levelZero) override {
    calls.push_back("create " + IdText(id) + (levelZero ? " level0" : ""));
    return new CReader(this, &geometries[IdText(id)]);
  }

  std::vector<std::string> calls;
  std::map<std::string, Geometry> geometries;
  std::vector<const IZinPolygon*> polygonObjects;
  bool logItems = true;
  int refusePoint = -1;
  int refusePolygon = -1;
};

/// A client storage for writes over plain values, recording every call.
class CRecordingWriterStorage final : public IZinExtStorageWriter {
public:
  struct CWriter final : IWriter {
    CWriter(CRecordingWriterStorage* o, const Geometry* g) : owner(o), geometry(g) {}
    CRecordingWriterStorage* owner;
    const Geometry* geometry;
    void destroy() override {
      owner->calls.push_back("destroy");
      delete this;
    }
    int getPointCount() override {
      owner->calls.push_back("getPointCount");
      return owner->pointCount >= -1 ? owner->pointCount : static_cast<int>(geometry->points.size());
    }
    bool getPoint(double* xyz, int index) override {
      if (owner->logItems) owner->calls.push_back("getPoint " + std::to_string(index));
      if (index == owner->refusePoint) return false;
      const CZinPoint& p = geometry->points.at(static_cast<size_t>(index));
      xyz[0] = p.mX;
      xyz[1] = p.mY;
      xyz[2] = p.mZ;
      return true;
    }
    int getPolygonCount() override {
      owner->calls.push_back("getPolygonCount");
      return owner->polygonCount >= -1 ? owner->polygonCount : static_cast<int>(geometry->polygons.size());
    }
    bool getPolygon(IZinPolygon* polygon, int index) override {
      if (owner->logItems) owner->calls.push_back("getPolygon " + std::to_string(index));
      // The library hands a reset polygon every time.
      if (!(ShapeOf(polygon) == Shape())) owner->calls.push_back("polygon not reset");
      if (index == owner->refusePolygon) return false;
      FillPolygon(polygon, geometry->polygons.at(static_cast<size_t>(index)));
      return true;
    }
  };

  IWriter* createGeometryWriter(const CZinUUID& id) override {
    const std::string key = IdText(id);
    calls.push_back("create " + key);
    auto found = geometries.find(key);
    if (creations++ == nullAtCreation || found == geometries.end()) return nullptr;
    return new CWriter(this, &found->second);
  }

  std::vector<std::string> calls;
  std::map<std::string, Geometry> geometries;
  bool logItems = true;
  int nullAtCreation = -1;  // the creation (from 0) that answers null
  int creations = 0;
  int pointCount = -2;  // -2: the real count
  int polygonCount = -2;
  int refusePoint = -1;
  int refusePolygon = -1;
};

/// Bytes the library holds on the heap now (the sanitizer's count under ASan).
inline int64_t HeapInUse() {
#if defined(__SANITIZE_ADDRESS__)
  return static_cast<int64_t>(__sanitizer_get_current_allocated_bytes());
#elif __has_include(<malloc.h>)
  const struct mallinfo2 info = mallinfo2();
  return static_cast<int64_t>(info.uordblks + info.hblkhd);
#else
  return 0;
#endif
}

}  // namespace QvZinGeoTest
