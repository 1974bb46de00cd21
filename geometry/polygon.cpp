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
  if (count) list.reserve(count);
  for (uint32_t i = 0; i < count; ++i)
    if (!list.append(records[i])) throw std::runtime_error(kNoMemory);
}

}  // namespace

// ---- CVertexRecords

void CVertexRecords::grow(uint32_t wanted) {
  // Doubling from the inline room; a contour never reaches 2^31 vertices, its text
  // alone would be larger than any block.
  uint32_t capacity = mCapacity;
  while (capacity < wanted) {
    if (capacity >= 0x40000000u) throw std::runtime_error(kNoMemory);
    capacity *= 2;
  }
  auto* block = static_cast<CZinVertex*>(std::malloc(size_t{capacity} * sizeof(CZinVertex)));
  if (!block) throw std::runtime_error(kNoMemory);
  std::memcpy(static_cast<void*>(block), mData, size_t{mSize} * sizeof(CZinVertex));
  if (mData != mInline) std::free(mData);
  mData = block;
  mCapacity = capacity;
}

void CVertexRecords::assign(const CZinVertex* records, uint32_t count) {
  mSize = 0;
  if (count > mCapacity) grow(count);
  if (count) std::memcpy(static_cast<void*>(mData), records, size_t{count} * sizeof(CZinVertex));
  mSize = count;
}

void CVertexRecords::release() {
  if (mData != mInline) std::free(mData);
  mData = mInline;
  mSize = 0;
  mCapacity = kInline;
}

// ---- CPolygon: the collections, made when asked for

TZinObjectMgr<CZinVertex>* CPolygon::getContour() {
  if (mContour) return mContour.get();
  try {
    TZinComPtr<TSimpleMgr<CZinVertex>> list = NewZinCollection<TSimpleMgr<CZinVertex>>(getMgrRef());
    FillList(*list, mOuter.data(), mOuter.size());
    mContour = std::move(list);
    mOuter.release();
  } catch (const std::exception&) {
    // A client operation never throws; the records stay where they were.
    return nullptr;
  }
  return mContour.get();
}

TZinObjectMgr<IZinPolygon::IZinHole>* CPolygon::getHoles() {
  if (mHoles) return mHoles.get();
  try {
    TZinComPtr<TObject2Mgr<CLoop, IZinHole>> list = NewZinCollection<TObject2Mgr<CLoop, IZinHole>>(getMgrRef());
    const uint32_t count = holeCount();
    if (count) list->reserve(count);
    for (uint32_t h = 0; h < count; ++h) {
      uint32_t size = 0;
      const CZinVertex* records = holeRecords(h, &size);
      auto* hole = static_cast<CLoop*>(list->newZinObject(kZinEndOfList));
      if (!hole) throw std::runtime_error(kNoMemory);
      FillList(*hole->contourRecords(), records, size);
    }
    mHoles = std::move(list);
    mHoleRecords.reset();
  } catch (const std::exception&) {
    return nullptr;
  }
  return mHoles.get();
}

// ---- the record view

uint32_t CPolygon::holeCount() const {
  if (mHoles) return mHoles->getCount();
  return mHoleRecords ? static_cast<uint32_t>(mHoleRecords->ends.size()) : 0;
}

const CZinVertex* CPolygon::holeRecords(uint32_t index, uint32_t* count) const {
  if (mHoles) {
    TSimpleMgr<CZinVertex>* contour = mHoles->itemAt(index)->contourRecords();
    *count = contour->getCount();
    return contour->records();
  }
  const std::vector<uint32_t>& ends = mHoleRecords->ends;
  const uint32_t begin = index ? ends[index - 1] : 0;
  *count = ends[index] - begin;
  return mHoleRecords->vertices.data() + begin;
}

void CPolygon::appendThrough(TSimpleMgr<CZinVertex>* list, const CZinVertex& vertex) {
  if (!list->append(vertex)) throw std::runtime_error(kNoMemory);
}

void CPolygon::addHole() {
  if (mHoles) {
    if (!mHoles->newZinObject(kZinEndOfList)) throw std::runtime_error(kNoMemory);
    return;
  }
  if (!mHoleRecords) mHoleRecords.reset(new CHoleRecords);
  std::vector<uint32_t>& ends = mHoleRecords->ends;
  if (ends.size() >= 0x7FFFFFFFu) throw std::runtime_error(kNoMemory);
  ends.push_back(static_cast<uint32_t>(mHoleRecords->vertices.size()));
}

void CPolygon::appendHoleVertex(const CZinVertex& vertex) {
  if (mHoles) {
    appendThrough(mHoles->itemAt(mHoles->getCount() - 1)->contourRecords(), vertex);
    return;
  }
  std::vector<CZinVertex>& vertices = mHoleRecords->vertices;
  // The ends are 32-bit: all the holes of one polygon stay below 2^32 vertices.
  if (vertices.size() >= 0xFFFFFFFFu) throw std::runtime_error(kNoMemory);
  vertices.push_back(vertex);
  ++mHoleRecords->ends.back();
}

// ---- reset and copies

void CPolygon::reset() {
  mSmooth = false;
  mPropertyIndex = 0;
  if (mContour)
    mContour->removeAll();
  else
    mOuter.clear();
  if (mHoles) {
    if (mHoles->getCount()) mHoles->removeAll();
  } else if (mHoleRecords) {
    mHoleRecords->vertices.clear();
    mHoleRecords->ends.clear();
  }
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
  if (mContour)
    FillList(*mContour, other.outerRecords(), other.outerCount());
  else
    mOuter.assign(other.outerRecords(), other.outerCount());
  if (mHoles) {
    if (mHoles->getCount()) mHoles->removeAll();
  } else if (mHoleRecords) {
    mHoleRecords->vertices.clear();
    mHoleRecords->ends.clear();
  }
  const uint32_t holes = other.holeCount();
  for (uint32_t h = 0; h < holes; ++h) {
    uint32_t size = 0;
    const CZinVertex* records = other.holeRecords(h, &size);
    addHole();
    for (uint32_t v = 0; v < size; ++v) appendHoleVertex(records[v]);
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
