#include "geometry/polygon.h"

#include <cstdlib>
#include <cstring>
#include <stdexcept>

namespace QvZin {

namespace {

constexpr const char* kNoMemory = CZinObjectMgrText::kNoMemory;

// A contour collection refilled with count records.
void FillList(TSimpleMgr<CZinVertex>& list, const CZinVertex* records, uint32_t count) {
  list.removeAll();
  if (count && !list.reserveExactly(count)) throw std::runtime_error(kNoMemory);
  for (uint32_t i = 0; i < count; ++i) list.append(records[i]);
}

}  // namespace

// ---- CVertexRecords

void CVertexRecords::grow(uint32_t wanted) {
  // Doubling from the inline room; a contour never reaches 2^30 vertices, its text
  // alone would be larger than any block.
  uint32_t capacity = mCapacity;
  while (capacity < wanted) {
    if (capacity >= 0x40000000u) throw std::runtime_error(kNoMemory);
    capacity *= 2;
  }
  auto* block = static_cast<CZinVertex*>(std::malloc(size_t{capacity} * sizeof(CZinVertex)));
  if (!block) throw std::runtime_error(kNoMemory);
  std::memcpy(static_cast<void*>(block), data(), size_t{mSize} * sizeof(CZinVertex));
  if (mCapacity > kInline) std::free(mHeap);
  mHeap = block;
  mCapacity = capacity;
}

void CVertexRecords::assign(const CZinVertex* records, uint32_t count) {
  mSize = 0;
  if (count > mCapacity) grow(count);
  if (count) std::memcpy(static_cast<void*>(mCapacity > kInline ? mHeap : mInline), records, size_t{count} * sizeof(CZinVertex));
  mSize = count;
}

void CVertexRecords::release() {
  if (mCapacity > kInline) std::free(mHeap);
  mSize = 0;
  mCapacity = kInline;
}

// ---- CPolygon: basic data and collections, made when asked for

IZinObjectLink* CPolygon::getObjectLink() { return mOwner ? static_cast<IZinObjectLink*>(mOwner.get()) : nullptr; }

IZinBasicData* CPolygon::getBasicData() {
  if (!mBasicData) {
    try {
      mBasicData.reset(new CZinBasicData(mOwner.get()));
    } catch (const std::exception&) {
      // A client operation never throws: without memory (or an id) for its own
      // record, the polygon answers with the record of objects that have none.
      static CZinEmptyBasicData none(nullptr);
      return &none;
    }
  }
  return mBasicData.get();
}

CPolygon::CExtras& CPolygon::extras() {
  if (!mExtras) mExtras.reset(new CExtras);
  return *mExtras;
}

TZinObjectMgr<CZinVertex>* CPolygon::getContour() {
  if (TSimpleMgr<CZinVertex>* list = contourList()) return list;
  try {
    TZinComPtr<TSimpleMgr<CZinVertex>> list = NewZinCollection<TSimpleMgr<CZinVertex>>(mOwner.get());
    FillList(*list, mOuter.data(), mOuter.size());
    extras().contour = std::move(list);
    mOuter.release();
  } catch (const std::exception&) {
    return nullptr;
  }
  return contourList();
}

TZinObjectMgr<IZinPolygon::IZinHole>* CPolygon::getHoles() {
  if (TObject2Mgr<CLoop, IZinHole>* list = holeList()) return list;
  try {
    TZinComPtr<TObject2Mgr<CLoop, IZinHole>> list = NewZinCollection<TObject2Mgr<CLoop, IZinHole>>(mOwner.get());
    const uint32_t count = holeCount();
    if (count) list->reserve(count);
    for (uint32_t h = 0; h < count; ++h) {
      uint32_t size = 0;
      const CZinVertex* records = holeRecords(h, &size);
      auto* hole = static_cast<CLoop*>(list->newZinObject(kZinEndOfList));
      if (!hole) throw std::runtime_error(kNoMemory);
      FillList(*hole->contourRecords(), records, size);
    }
    CExtras& more = extras();
    more.holes = std::move(list);
    std::vector<CZinVertex>().swap(more.holeVertices);
    std::vector<uint32_t>().swap(more.holeEnds);
  } catch (const std::exception&) {
    return nullptr;
  }
  return holeList();
}

// ---- the record view

uint32_t CPolygon::holeCount() const {
  if (!mExtras) return 0;
  if (mExtras->holes) return mExtras->holes->getCount();
  return static_cast<uint32_t>(mExtras->holeEnds.size());
}

const CZinVertex* CPolygon::holeRecords(uint32_t index, uint32_t* count) const {
  if (TObject2Mgr<CLoop, IZinHole>* list = holeList()) {
    TSimpleMgr<CZinVertex>* contour = list->itemAt(index)->contourRecords();
    *count = contour->getCount();
    return contour->records();
  }
  const std::vector<uint32_t>& ends = mExtras->holeEnds;
  const uint32_t begin = index ? ends[index - 1] : 0;
  *count = ends[index] - begin;
  return mExtras->holeVertices.data() + begin;
}

void CPolygon::appendThrough(TSimpleMgr<CZinVertex>* list, const CZinVertex& vertex) {
  if (!list->append(vertex)) throw std::runtime_error(kNoMemory);
}

void CPolygon::addHole() {
  if (TObject2Mgr<CLoop, IZinHole>* list = holeList()) {
    if (!list->newZinObject(kZinEndOfList)) throw std::runtime_error(kNoMemory);
    return;
  }
  CExtras& more = extras();
  if (more.holeEnds.size() >= 0x7FFFFFFFu) throw std::runtime_error(kNoMemory);
  more.holeEnds.push_back(static_cast<uint32_t>(more.holeVertices.size()));
}

void CPolygon::appendHoleVertex(const CZinVertex& vertex) { appendHoleVertices(&vertex, 1); }

void CPolygon::appendHoleVertices(const CZinVertex* vertices, uint32_t count) {
  if (TObject2Mgr<CLoop, IZinHole>* list = holeList()) {
    TSimpleMgr<CZinVertex>* contour = list->itemAt(list->getCount() - 1)->contourRecords();
    for (uint32_t v = 0; v < count; ++v) appendThrough(contour, vertices[v]);
    return;
  }
  std::vector<CZinVertex>& records = mExtras->holeVertices;
  // The ends are 32-bit: all the holes of one polygon stay below 2^32 vertices.
  if (records.size() + count > 0xFFFFFFFFu) throw std::runtime_error(kNoMemory);
  records.insert(records.end(), vertices, vertices + count);
  mExtras->holeEnds.back() += count;
}

// ---- reset and copies

void CPolygon::clearHoles() {
  if (!mExtras) return;
  if (mExtras->holes) {
    if (mExtras->holes->getCount()) mExtras->holes->removeAll();
  } else {
    mExtras->holeVertices.clear();
    mExtras->holeEnds.clear();
  }
}

void CPolygon::reset() {
  mSmooth = false;
  mPropertyIndex = 0;
  if (TSimpleMgr<CZinVertex>* list = contourList())
    list->removeAll();
  else
    mOuter.clear();
  clearHoles();
}

void CPolygon::assign(IZinPolygon* other) {
  if (!other || other == this) return;
  // Only the library's own polygons can be read record by record; any other
  // implementation is read through its interface.
  if (auto* own = dynamic_cast<CPolygon*>(other))
    copyRecords(*own);
  else
    copyInterface(*other);
}

void CPolygon::copyRecords(CPolygon& other) {
  mSmooth = other.mSmooth;
  mPropertyIndex = other.mPropertyIndex;
  if (TSimpleMgr<CZinVertex>* list = contourList())
    FillList(*list, other.outerRecords(), other.outerCount());
  else
    mOuter.assign(other.outerRecords(), other.outerCount());
  clearHoles();
  const uint32_t holes = other.holeCount();
  for (uint32_t h = 0; h < holes; ++h) {
    uint32_t size = 0;
    const CZinVertex* records = other.holeRecords(h, &size);
    addHole();
    appendHoleVertices(records, size);
  }
}

void CPolygon::copyInterface(IZinPolygon& other) {
  reset();
  mSmooth = other.isSmooth();
  mPropertyIndex = other.getPropertyIndex();
  if (TZinObjectMgr<CZinVertex>* contour = other.getContour()) {
    const uint32_t count = contour->getCount();
    for (uint32_t v = 0; v < count; ++v)
      if (const CZinVertex* vertex = contour->getZinObject(v)) appendOuter(*vertex);
  }
  TZinObjectMgr<IZinHole>* holes = other.getHoles();
  const uint32_t count = holes ? holes->getCount() : 0;
  for (uint32_t h = 0; h < count; ++h) {
    addHole();
    IZinHole* hole = holes->getZinObject(h);
    TZinObjectMgr<CZinVertex>* contour = hole ? hole->getContour() : nullptr;
    const uint32_t size = contour ? contour->getCount() : 0;
    for (uint32_t v = 0; v < size; ++v)
      if (const CZinVertex* vertex = contour->getZinObject(v)) appendHoleVertex(*vertex);
  }
}

}  // namespace QvZin
