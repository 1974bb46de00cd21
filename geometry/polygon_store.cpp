#include "geometry/polygon_store.h"

#include <typeinfo>

namespace QvZin {

namespace {

using Text = CZinObjectMgrText;

// A coordinate that is not all zero bits: minus zero and NaN payloads survive.
bool AnyBits(float value) {
  uint32_t bits;
  std::memcpy(&bits, &value, sizeof bits);
  return bits != 0;
}

// The waste below which the shared arrays are never compacted.
constexpr uint64_t kTolerableWaste = uint64_t{1} << 20;

}  // namespace

// ---- records

CPolygonStore::CRecord CPolygonStore::recordOf(const CPolygon& polygon) {
  CRecord record{};
  record.mProperty = polygon.property();
  record.mBits = polygon.smooth() ? kSmoothBit : 0;
  const uint32_t count = polygon.outerCount();
  const CZinVertex* outer = polygon.outerRecords();
  const uint32_t holes = polygon.holeCount();
  bool flat = holes == 0 && count <= 4;
  bool mapped = false;
  for (uint32_t i = 0; flat && i < count; ++i) {
    if (outer[i].mFlags & ~(CZinVertex::kMarked | CZinVertex::kMapped)) flat = false;
    if ((outer[i].mFlags & CZinVertex::kMapped) || AnyBits(outer[i].mU) || AnyBits(outer[i].mV)) mapped = true;
  }
  if (flat) {
    record.mBits |= count;
    for (uint32_t i = 0; i < count; ++i) {
      record.mCorners[i] = outer[i].mPointIndex;
      record.mBits |= (outer[i].mFlags & CZinVertex::kMarked) << (kMarkedShift + i);
      record.mBits |= ((outer[i].mFlags & CZinVertex::kMapped) >> 1) << (kMappedShift + i);
    }
    if (mapped) {
      record.mMapping = mMappings.size();
      CMapping* at = mMappings.extend(count);
      for (uint32_t i = 0; i < count; ++i) at[i] = CMapping{outer[i].mU, outer[i].mV};
      record.mBits |= kMappingBit;
    }
    return record;
  }
  // Everything else goes whole into the shared arrays; a failure takes back what
  // was added.
  const uint32_t vertexMark = mVertices.size(), contourMark = mContourSizes.size();
  try {
    record.mCorners[0] = static_cast<int32_t>(vertexMark);
    record.mCorners[1] = static_cast<int32_t>(contourMark);
    record.mCorners[2] = static_cast<int32_t>(holes + 1);
    mVertices.append(outer, count);
    mContourSizes.push(count);
    for (uint32_t h = 0; h < holes; ++h) {
      uint32_t size = 0;
      const CZinVertex* records = polygon.holeRecords(h, &size);
      mVertices.append(records, size);
      mContourSizes.push(size);
    }
  } catch (...) {
    mVertices.shrink(vertexMark);
    mContourSizes.shrink(contourMark);
    throw;
  }
  record.mBits |= kSpilledBit;
  return record;
}

void CPolygonStore::fill(const CRecord& record, CPolygon& target) const {
  target.setSmooth((record.mBits & kSmoothBit) != 0);
  target.setPropertyIndex(record.mProperty);
  if (record.mBits & kSpilledBit) {
    const CZinVertex* vertex = mVertices.data() + static_cast<uint32_t>(record.mCorners[0]);
    const uint32_t* size = mContourSizes.data() + static_cast<uint32_t>(record.mCorners[1]);
    const uint32_t contours = static_cast<uint32_t>(record.mCorners[2]);
    for (const CZinVertex* end = vertex + size[0]; vertex < end; ++vertex) target.appendOuter(*vertex);
    for (uint32_t c = 1; c < contours; ++c) {
      target.addHole();
      target.appendHoleVertices(vertex, size[c]);
      vertex += size[c];
    }
    return;
  }
  const uint32_t count = record.mBits & kCornerMask;
  const CMapping* mapping = (record.mBits & kMappingBit) ? mMappings.data() + record.mMapping : nullptr;
  for (uint32_t i = 0; i < count; ++i) {
    CZinVertex vertex{record.mCorners[i], 0u, 0.0f, 0.0f};
    vertex.mFlags = ((record.mBits >> (kMarkedShift + i)) & 1u) | (((record.mBits >> (kMappedShift + i)) & 1u) << 1);
    if (mapping) {
      vertex.mU = mapping[i].mU;
      vertex.mV = mapping[i].mV;
    }
    target.appendOuter(vertex);
  }
}

void CPolygonStore::append(const IZinPolygon* polygon) {
  // The block reader's polygon is read record by record; any other implementation
  // through a copy made by its interface; none at all is an empty polygon.
  if (!polygon) {
    mRecords.push(CRecord{});
    return;
  }
  if (typeid(*polygon) == typeid(CPolygon)) {
    const CRecord record = recordOf(*static_cast<const CPolygon*>(polygon));
    try {
      mRecords.push(record);
    } catch (...) {
      discard(record);
      throw;
    }
    return;
  }
  TZinComPtr<CPolygon> copy(CreateZinObject<CPolygon>(owner()));
  copy->assign(const_cast<IZinPolygon*>(polygon));
  append(copy.get());
}

void CPolygonStore::copyTo(uint32_t index, CPolygon& target) const {
  const CRecord& record = mRecords[index];
  if (record.mBits & kObjectBit) {
    target.assign(objectOf(record));
    return;
  }
  target.reset();
  fill(record, target);
}

size_t CPolygonStore::bytesUsed() const {
  return size_t{mRecords.size()} * sizeof(CRecord) + size_t{mMappings.size()} * sizeof(CMapping) +
         size_t{mVertices.size()} * sizeof(CZinVertex) + size_t{mContourSizes.size()} * sizeof(uint32_t);
}

// ---- objects

CPolygon* CPolygonStore::makeObject(uint32_t index) {
  TZinComPtr<CPolygon> object(CreateZinObject<CPolygon>(owner()));
  fill(mRecords[index], *object);
  CPolygon* made = object.get();
  made->selfLink()->addStrong();  // the collection's own hold
  CRecord& record = mRecords[index];
  discard(record);
  record = CRecord{};
  record.mBits = kObjectBit;
  std::memcpy(record.mCorners, &made, sizeof made);
  compactIfWasteful();
  return made;
}

IZinPolygon* CPolygonStore::getZinObject(uint32_t index) {
  if (!acceptGet(index, mRecords.size())) return nullptr;
  if (mRecords[index].mBits & kObjectBit) return objectOf(mRecords[index]);
  try {
    return makeObject(index);
  } catch (const std::exception&) {
    warnOwner(Text::kNoMemory);
    return nullptr;
  }
}

IZinPolygon* CPolygonStore::newZinObject(uint32_t index) {
  if (!acceptNew(index, mRecords.size())) return nullptr;
  CPolygon* made = nullptr;
  try {
    TZinComPtr<CPolygon> object(CreateZinObject<CPolygon>(owner()));
    mRecords.extend(1);
    made = object.get();
    made->selfLink()->addStrong();
  } catch (...) {
    warnOwner(Text::kNewCantAllocate);
    return nullptr;
  }
  CRecord* records = mRecords.data();
  std::memmove(static_cast<void*>(records + index + 1), records + index,
               size_t{mRecords.size() - 1 - index} * sizeof(CRecord));
  records[index] = CRecord{};
  records[index].mBits = kObjectBit;
  std::memcpy(records[index].mCorners, &made, sizeof made);
  return made;
}

void CPolygonStore::removeObject(uint32_t index) {
  if (!acceptRemove(index, mRecords.size())) return;
  const CRecord record = mRecords[index];
  // Out of the list before it goes, as in every collection.
  CRecord* records = mRecords.data();
  std::memmove(static_cast<void*>(records + index), records + index + 1,
               size_t{mRecords.size() - 1 - index} * sizeof(CRecord));
  mRecords.shrink(mRecords.size() - 1);
  if (record.mBits & kObjectBit) {
    objectOf(record)->selfLink()->releaseStrong();
    return;
  }
  discard(record);
  compactIfWasteful();
}

void CPolygonStore::moveObject(uint32_t from, uint32_t to) {
  if (!acceptMove(from, to, mRecords.size())) return;
  MoveZinItem(mRecords.data(), from, to);
}

void CPolygonStore::reserve(uint32_t count) {
  if (!mRecords.reserve(static_cast<uint32_t>(reserveTarget(count, mRecords.size())))) warnOwner(Text::kNoMemory);
}

void CPolygonStore::dropAll() {
  while (mRecords.size()) {
    const CRecord record = mRecords[mRecords.size() - 1];
    mRecords.shrink(mRecords.size() - 1);
    if (record.mBits & kObjectBit) objectOf(record)->selfLink()->releaseStrong();
  }
  mRecords.release();
  mMappings.release();
  mVertices.release();
  mContourSizes.release();
  mWaste = 0;
}

// ---- waste

void CPolygonStore::discard(const CRecord& record) {
  if (record.mBits & kMappingBit) mWaste += uint64_t{record.mBits & kCornerMask} * sizeof(CMapping);
  if (!(record.mBits & kSpilledBit)) return;
  const uint32_t* size = mContourSizes.data() + static_cast<uint32_t>(record.mCorners[1]);
  const uint32_t contours = static_cast<uint32_t>(record.mCorners[2]);
  for (uint32_t c = 0; c < contours; ++c) mWaste += uint64_t{size[c]} * sizeof(CZinVertex) + sizeof(uint32_t);
}

// Copies what the records use into new arrays. Waste must reach half of the
// shared arrays first, so the copies cost a constant share of what was stored.
void CPolygonStore::compactIfWasteful() {
  const uint64_t shared = uint64_t{mMappings.size()} * sizeof(CMapping) +
                          uint64_t{mVertices.size()} * sizeof(CZinVertex) +
                          uint64_t{mContourSizes.size()} * sizeof(uint32_t);
  if (mWaste < kTolerableWaste || mWaste * 2 < shared) return;
  // The room first, so that the copy below cannot fail halfway with some records
  // already pointing into the new arrays.
  uint64_t mappingCount = 0, vertexCount = 0, sizeCount = 0;
  for (uint32_t i = 0; i < mRecords.size(); ++i) {
    const CRecord& record = mRecords[i];
    if (record.mBits & kMappingBit) mappingCount += record.mBits & kCornerMask;
    if (!(record.mBits & kSpilledBit)) continue;
    const uint32_t* size = mContourSizes.data() + static_cast<uint32_t>(record.mCorners[1]);
    const uint32_t contours = static_cast<uint32_t>(record.mCorners[2]);
    sizeCount += contours;
    for (uint32_t c = 0; c < contours; ++c) vertexCount += size[c];
  }
  TFlatArray<CMapping> mappings;
  TFlatArray<CZinVertex> vertices;
  TFlatArray<uint32_t> sizes;
  // The live data is below what the arrays hold now, so the counts fit 32 bits.
  if (!mappings.reserve(static_cast<uint32_t>(mappingCount)) || !vertices.reserve(static_cast<uint32_t>(vertexCount)) ||
      !sizes.reserve(static_cast<uint32_t>(sizeCount)))
    return;
  for (uint32_t i = 0; i < mRecords.size(); ++i) {
    CRecord& record = mRecords[i];
    if (record.mBits & kMappingBit) {
      const uint32_t first = mappings.size();
      mappings.append(mMappings.data() + record.mMapping, record.mBits & kCornerMask);
      record.mMapping = first;
    } else if (record.mBits & kSpilledBit) {
      const uint32_t* size = mContourSizes.data() + static_cast<uint32_t>(record.mCorners[1]);
      const uint32_t contours = static_cast<uint32_t>(record.mCorners[2]);
      uint32_t total = 0;
      for (uint32_t c = 0; c < contours; ++c) total += size[c];
      const uint32_t firstVertex = vertices.size(), firstSize = sizes.size();
      vertices.append(mVertices.data() + static_cast<uint32_t>(record.mCorners[0]), total);
      sizes.append(size, contours);
      record.mCorners[0] = static_cast<int32_t>(firstVertex);
      record.mCorners[1] = static_cast<int32_t>(firstSize);
    }
  }
  mMappings.take(mappings);
  mVertices.take(vertices);
  mContourSizes.take(sizes);
  mWaste = 0;
}

}  // namespace QvZin
