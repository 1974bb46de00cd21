// The polygons of a geometry as flat records.
//
// A scene read from a file holds millions of polygons that no client ever asks
// for one by one, so a polygon is a record of 28 bytes: the point indices of a
// triangle or a quad inline, its property, its flags packed into one word. What few
// polygons need beyond that lives in arrays shared by the whole collection: the
// mapping coordinates of mapped triangles and quads, and every vertex of a polygon
// with holes, more than four corners or vertex flags of its own. The counted
// IZinPolygon object is made when a client asks for the polygon, and from then on
// the polygon lives in that object: the client's changes are what the manager
// writes, and it gets the same object every time it asks.
#pragma once

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <stdexcept>
#include <type_traits>

#include "ZinGeometry.h"
#include "framework/object_mgr.h"
#include "geometry/polygon.h"

namespace QvZin {

/// Plain records back to back in one block that grows by realloc: a large block
/// moves its pages instead of copying them, so growing never holds the old and the
/// new block at once, and room not yet written costs no memory.
template <class T>
class TFlatArray {
  static_assert(std::is_trivially_copyable<T>::value, "records are moved as bytes");

public:
  TFlatArray() = default;
  ~TFlatArray() { std::free(mData); }
  TFlatArray(const TFlatArray&) = delete;
  TFlatArray& operator=(const TFlatArray&) = delete;

  uint32_t size() const { return mSize; }
  uint32_t capacity() const { return mCapacity; }
  T* data() const { return mData; }
  T& operator[](uint32_t index) const { return mData[index]; }

  /// Room for count records; false (nothing changed) when it cannot be had.
  bool reserve(uint32_t count) {
    if (count <= mCapacity) return true;
    void* block = std::realloc(static_cast<void*>(mData), size_t{count} * sizeof(T));
    if (!block) return false;
    mData = static_cast<T*>(block);
    mCapacity = count;
    return true;
  }
  /// Appends count records; throws "No memory availiable" when the block cannot
  /// grow (the records stay as they were).
  void append(const T* records, uint32_t count) {
    T* at = extend(count);
    if (count) std::memcpy(static_cast<void*>(at), records, size_t{count} * sizeof(T));
  }
  void push(const T& record) { *extend(1) = record; }
  /// Makes count more records (unset) at the end and returns the first.
  T* extend(uint32_t count) {
    if (count > kLimit - mSize) throw std::runtime_error(CZinObjectMgrText::kNoMemory);
    if (mSize + count > mCapacity && !reserve(grown(mSize + count))) throw std::runtime_error(CZinObjectMgrText::kNoMemory);
    T* at = mData + mSize;
    mSize += count;
    return at;
  }
  /// Drops the records from size on.
  void shrink(uint32_t size) {
    if (size < mSize) mSize = size;
  }
  /// Empty, giving the block back.
  void release() {
    std::free(mData);
    mData = nullptr;
    mSize = mCapacity = 0;
  }
  /// Takes other's records, leaving it empty.
  void take(TFlatArray& other) {
    release();
    mData = other.mData;
    mSize = other.mSize;
    mCapacity = other.mCapacity;
    other.mData = nullptr;
    other.mSize = other.mCapacity = 0;
  }

private:
  // Offsets into the arrays are 32-bit; one polygon collection holding 2^32 shared
  // vertices would come from a file of a hundred gigabytes.
  static constexpr uint32_t kLimit = 0xFFFFFFF0u;

  uint32_t grown(uint32_t wanted) const {
    const uint64_t doubled = uint64_t{mCapacity} * 2;
    const uint64_t room = doubled > wanted ? doubled : wanted;
    return static_cast<uint32_t>(room < 16 ? 16 : room > kLimit ? kLimit : room);
  }

  T* mData = nullptr;
  uint32_t mSize = 0;
  uint32_t mCapacity = 0;
};

/// The polygon collection of a geometry (the scene's or an internal component's).
class CPolygonStore final : public TObjectMgrBase<IZinPolygon> {
  using Base = TObjectMgrBase<IZinPolygon>;

public:
  explicit CPolygonStore(IZinMgrRef* owner) : Base(owner) {}
  ~CPolygonStore() override { dropAll(); }

  uint32_t getCount() override { return mRecords.size(); }
  /// The polygon's object, made on the first call (the polygon lives in it from
  /// then on); null with "getZinObject: Bad index value" out of range, or with
  /// "No memory availiable" when it cannot be made.
  IZinPolygon* getZinObject(uint32_t index) override;
  IZinPolygon* newZinObject(uint32_t index) override;
  void removeObject(uint32_t index) override;
  void moveObject(uint32_t from, uint32_t to) override;
  void removeAll() override { dropAll(); }
  void reserve(uint32_t count) override;

  // ---- for the library's geometry storage

  /// The number of records the collection holds before it must grow.
  uint32_t capacity() const { return mRecords.capacity(); }
  /// Room for count records without reserve's limit; false (nothing changed) when
  /// it cannot be had. No warning.
  bool reserveExactly(uint32_t count) { return mRecords.reserve(count); }
  /// Appends a copy of polygon as a record. Throws "No memory availiable" (nothing
  /// appended) when it cannot.
  void append(const IZinPolygon* polygon);
  /// Fills target, emptied first, with polygon index (below the count).
  void copyTo(uint32_t index, CPolygon& target) const;
  /// Bytes of records and shared arrays in use, for the benchmarks.
  size_t bytesUsed() const;

private:
  struct CRecord {
    // Inline: the point indices. Spilled: the first vertex, the first contour
    // size and the number of contours. Made: the object's address.
    int32_t mCorners[4];
    int32_t mProperty;
    uint32_t mBits;
    uint32_t mMapping;  // the first mapping pair, with kMappingBit
  };
  struct CMapping {
    float mU, mV;
  };
  static constexpr uint32_t kCornerMask = 7;
  static constexpr uint32_t kSmoothBit = 1u << 3;
  static constexpr uint32_t kSpilledBit = 1u << 4;
  static constexpr uint32_t kMappingBit = 1u << 5;
  static constexpr uint32_t kObjectBit = 1u << 6;
  static constexpr int kMarkedShift = 8;   // four bits, one per corner
  static constexpr int kMappedShift = 12;  // four bits, one per corner

  static CPolygon* objectOf(const CRecord& record) {
    CPolygon* object;
    std::memcpy(&object, record.mCorners, sizeof object);
    return object;
  }
  CRecord recordOf(const CPolygon& polygon);
  void fill(const CRecord& record, CPolygon& target) const;
  CPolygon* makeObject(uint32_t index);
  // Counts the shared data of a record that is going as garbage, and compacts the
  // arrays when garbage outweighs what is in use.
  void discard(const CRecord& record);
  void compactIfWasteful();
  void dropAll();

  TFlatArray<CRecord> mRecords;
  TFlatArray<CMapping> mMappings;
  TFlatArray<CZinVertex> mVertices;
  TFlatArray<uint32_t> mContourSizes;
  uint64_t mWaste = 0;  // bytes of the shared arrays no record uses
};

}  // namespace QvZin
