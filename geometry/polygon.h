// A polygon as an object: what a client is handed for one polygon of a
// collection (geometry/polygon_store.h keeps the rest as flat records), and the
// reusable polygon through which the blocks pass. Its vertices are plain records
// (a triangle or a quad inside the object itself), and its basic data, contour
// collection and hole collection are made only when a client asks for them; from
// then on those collections hold the vertices. The library reads and fills
// polygons through the record view below, whichever form holds them.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "ZinComPtr.h"
#include "ZinGeometry.h"
#include "framework/basic_data.h"
#include "framework/com_base.h"
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

/// Vertex records back to back, with room for a quad inside the object: the common
/// polygon needs no allocation of its own.
class CVertexRecords {
public:
  static constexpr uint32_t kInline = 4;

  CVertexRecords() {}
  ~CVertexRecords() { release(); }
  CVertexRecords(const CVertexRecords&) = delete;
  CVertexRecords& operator=(const CVertexRecords&) = delete;

  uint32_t size() const { return mSize; }
  const CZinVertex* data() const { return mCapacity > kInline ? mHeap : mInline; }
  /// Appends one record; throws "No memory availiable" when the block cannot grow.
  void push(const CZinVertex& vertex) {
    if (mSize == mCapacity) grow(mSize + 1);
    (mCapacity > kInline ? mHeap : mInline)[mSize++] = vertex;
  }
  /// Becomes a copy of count records.
  void assign(const CZinVertex* records, uint32_t count);
  /// Empty, keeping the block for the next records.
  void clear() { mSize = 0; }
  /// Empty, giving the block back.
  void release();

private:
  void grow(uint32_t wanted);

  uint32_t mSize = 0;
  uint32_t mCapacity = kInline;  // above kInline: the records are on the heap
  union {
    CZinVertex mInline[kInline];
    CZinVertex* mHeap;
  };
};

class CPolygon final : public TZinCOMBase<IZinPolygon> {
public:
  explicit CPolygon(IZinMgrRef* owner) : mOwner(owner) {}

  /// The owner's link, null when there is none.
  IZinObjectLink* getObjectLink() override;
  /// Made on the first call: a new id, no name, the owner's link.
  IZinBasicData* getBasicData() override;

  bool isSmooth() override { return mSmooth; }
  void setSmooth(bool smooth) override { mSmooth = smooth; }
  int32_t getPropertyIndex() override { return mPropertyIndex; }
  void setPropertyIndex(int32_t index) override { mPropertyIndex = index; }
  /// Made on the first call (null only when it cannot be made); holds the outer
  /// vertices from then on.
  TZinObjectMgr<CZinVertex>* getContour() override;
  /// Made on the first call, each hole with its contour; holds the holes from then on.
  TZinObjectMgr<IZinHole>* getHoles() override;

  /// Back to a new polygon: not smooth, property 0, no vertices, no holes.
  void reset();
  /// Becomes a copy of other: flags, property, contour and holes. A library polygon
  /// is copied record by record without making its collections.
  void assign(IZinPolygon* other);

  // ---- the record view, for the library's block code and storage

  bool smooth() const { return mSmooth; }
  int32_t property() const { return mPropertyIndex; }

  uint32_t outerCount() const { return contourList() ? contourList()->getCount() : mOuter.size(); }
  const CZinVertex* outerRecords() const { return contourList() ? contourList()->records() : mOuter.data(); }
  uint32_t holeCount() const;
  /// The records of hole index (below holeCount()); count receives their number.
  const CZinVertex* holeRecords(uint32_t index, uint32_t* count) const;
  /// Appends a vertex to the outer contour. Throws "No memory availiable" when it
  /// cannot grow.
  void appendOuter(const CZinVertex& vertex) {
    if (!contourList())
      mOuter.push(vertex);
    else
      appendThrough(contourList(), vertex);
  }
  /// Starts a new, empty hole; the vertices that follow go into it.
  void addHole();
  /// Appends a vertex to the last hole (addHole first).
  void appendHoleVertex(const CZinVertex& vertex);
  /// Appends count vertices to the last hole.
  void appendHoleVertices(const CZinVertex* vertices, uint32_t count);

private:
  // What few polygons need: the holes while no client has asked for them (their
  // vertices back to back, and where each hole ends), and the collections once a
  // client has.
  struct CExtras {
    std::vector<CZinVertex> holeVertices;
    std::vector<uint32_t> holeEnds;
    TZinComPtr<TSimpleMgr<CZinVertex>> contour;
    TZinComPtr<TObject2Mgr<CLoop, IZinHole>> holes;
  };

  TSimpleMgr<CZinVertex>* contourList() const { return mExtras ? mExtras->contour.get() : nullptr; }
  TObject2Mgr<CLoop, IZinHole>* holeList() const { return mExtras ? mExtras->holes.get() : nullptr; }
  CExtras& extras();
  static void appendThrough(TSimpleMgr<CZinVertex>* list, const CZinVertex& vertex);
  void clearHoles();
  void copyRecords(CPolygon& other);
  void copyInterface(IZinPolygon& other);

  TZinComPtr<IZinMgrRef> mOwner;
  std::unique_ptr<CZinBasicData> mBasicData;
  int32_t mPropertyIndex = 0;
  bool mSmooth = false;
  CVertexRecords mOuter;
  std::unique_ptr<CExtras> mExtras;
};

}  // namespace QvZin
