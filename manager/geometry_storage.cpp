// The manager as its own geometry storage: readers append to, and writers read
// from, the scene's points and polygons or those of an internal component.
#include <algorithm>
#include <cstdint>
#include <stdexcept>
#include <typeinfo>

#include "geometry/polygon_store.h"
#include "manager/mgr.h"
#include "scene/objects.h"
#include "support/raise.h"

namespace QvZin {

namespace {

using CPointList = TSimpleMgr<CZinPoint>;
using CPolygonList = CPolygonStore;

// Records reserved ahead of the data when a block announces its count. A count is
// a stranger's number: beyond this the collections grow with the items actually
// delivered, doubling but never past the announced total, so a true count costs no
// spare room and a false one costs nothing.
constexpr uint32_t kAheadOfData = 16384;

// The room for the next items of a full collection of count items, at most
// announcedEnd (which is above count).
uint32_t NextCapacity(uint32_t count, uint32_t announcedEnd) {
  const uint64_t doubled = std::max<uint64_t>(uint64_t{count} * 2, kAheadOfData);
  return static_cast<uint32_t>(std::min<uint64_t>(doubled, announcedEnd));
}

// The room to make when count items are announced after have. A block that appends
// to items already there (several blocks for one definition) gets at least twice
// what the collection holds, so that many small blocks cost what one large one does.
uint32_t FirstRoom(uint32_t have, uint32_t announcedEnd) {
  uint64_t room = std::min<uint64_t>(announcedEnd, uint64_t{have} + kAheadOfData);
  if (have) room = std::max<uint64_t>(room, std::min<uint64_t>(uint64_t{have} * 2, kZinEndOfList - 1));
  return static_cast<uint32_t>(room);
}

// Where the announced items end: have plus the count (negative counts announce
// nothing), below the end-of-list index.
uint32_t AnnouncedEnd(uint32_t have, int count) {
  const uint64_t end = uint64_t{have} + static_cast<uint64_t>(count > 0 ? count : 0);
  return static_cast<uint32_t>(end < kZinEndOfList ? end : kZinEndOfList - 1);
}

class CZINGeoReader final : public IZinExtStorageReader::IReader {
public:
  CZINGeoReader(CZIN* manager, CPointList* points, CPolygonList* polygons)
      : mManager(manager), mPoints(points), mPolygons(polygons) {}

  void destroy() override { delete this; }
  void setPointCount(int count) override {
    const uint32_t have = mPoints->getCount();
    mPointsEnd = AnnouncedEnd(have, count);
    if (mPointsEnd > mPoints->capacity()) mPoints->reserveExactly(FirstRoom(have, mPointsEnd));
  }
  bool setPoint(const double* xyz, int) override {
    const uint32_t have = mPoints->getCount();
    if (have == mPoints->capacity() && have < mPointsEnd) mPoints->reserveExactly(NextCapacity(have, mPointsEnd));
    if (!mPoints->append(CZinPoint{xyz[0], xyz[1], xyz[2]})) {
      mManager->feedbackWarning("CZINGeoReader::setPoint - Can't allocate point");
      return false;
    }
    return true;
  }
  void setPolygonCount(int count) override {
    const uint32_t have = mPolygons->getCount();
    mPolygonsEnd = AnnouncedEnd(have, count);
    if (mPolygonsEnd > mPolygons->capacity()) mPolygons->reserveExactly(FirstRoom(have, mPolygonsEnd));
  }
  bool setPolygon(const IZinPolygon* polygon, int) override {
    const uint32_t have = mPolygons->getCount();
    if (have == mPolygons->capacity() && have < mPolygonsEnd) mPolygons->reserveExactly(NextCapacity(have, mPolygonsEnd));
    try {
      mPolygons->append(polygon);
    } catch (const std::exception&) {
      mManager->feedbackWarning("CZINGeoReader::setPolygon - Can't allocate polygon");
      return false;
    }
    return true;
  }

private:
  CZIN* mManager;
  CPointList* mPoints;
  CPolygonList* mPolygons;
  uint32_t mPointsEnd = 0;
  uint32_t mPolygonsEnd = 0;
};

class CZINGeoWriter final : public IZinExtStorageWriter::IWriter {
public:
  CZINGeoWriter(CZIN* manager, CPointList* points, CPolygonList* polygons)
      : mManager(manager), mPoints(points), mPolygons(polygons) {}

  void destroy() override { delete this; }
  int getPointCount() override { return static_cast<int>(std::min<uint32_t>(mPoints->getCount(), INT32_MAX)); }
  bool getPoint(double* xyz, int index) override {
    if (index < 0 || static_cast<uint32_t>(index) >= mPoints->getCount()) {
      mManager->feedbackWarning("CZINGeoWriter::getPoint - Invalid point index");
      return false;
    }
    const CZinPoint& p = mPoints->records()[index];
    xyz[0] = p.mX;
    xyz[1] = p.mY;
    xyz[2] = p.mZ;
    return true;
  }
  int getPolygonCount() override { return static_cast<int>(std::min<uint32_t>(mPolygons->getCount(), INT32_MAX)); }
  bool getPolygon(IZinPolygon* polygon, int index) override {
    if (index < 0 || static_cast<uint32_t>(index) >= mPolygons->getCount() || !polygon) {
      mManager->feedbackWarning("CZINGeoWriter::getPolygon - Invalid polygon index");
      return false;
    }
    if (typeid(*polygon) == typeid(CPolygon)) {
      mPolygons->copyTo(static_cast<uint32_t>(index), *static_cast<CPolygon*>(polygon));
      return true;
    }
    // Another implementation of polygons is filled through its interface.
    if (!mScratch) mScratch.reset(CreateZinObject<CPolygon>(&mManager->link()));
    CPolygon* stored = mScratch.get();
    mPolygons->copyTo(static_cast<uint32_t>(index), *stored);
    polygon->setSmooth(stored->isSmooth());
    polygon->setPropertyIndex(stored->getPropertyIndex());
    FillContour(polygon->getContour(), stored->outerRecords(), stored->outerCount());
    if (TZinObjectMgr<IZinPolygon::IZinHole>* holes = polygon->getHoles()) {
      for (uint32_t h = 0; h < stored->holeCount(); ++h) {
        uint32_t size = 0;
        const CZinVertex* records = stored->holeRecords(h, &size);
        IZinPolygon::IZinHole* hole = holes->newZinObject(kZinEndOfList);
        if (hole) FillContour(hole->getContour(), records, size);
      }
    }
    return true;
  }

private:
  static void FillContour(TZinObjectMgr<CZinVertex>* contour, const CZinVertex* records, uint32_t count) {
    for (uint32_t v = 0; contour && v < count; ++v)
      if (CZinVertex* vertex = contour->newZinObject(kZinEndOfList)) *vertex = records[v];
  }

  CZIN* mManager;
  CPointList* mPoints;
  CPolygonList* mPolygons;
  TZinComPtr<CPolygon> mScratch;  // the stored polygon, for a client's own polygon class
};

}  // namespace

CZinZinObjectDefinition* CZIN::findComponent(const CZinUUID& id) {
  return mScene.mInternalComponentDefinitions->find(id);
}

IZinExtStorageReader::IReader* CZIN::createGeometryReader(const CZinUUID& id, bool) {
  if (id.isNull()) return new CZINGeoReader(this, mScene.mPoints.get(), mScene.mPolygons.get());
  CZinObjectDefinitionList& components = *mScene.mInternalComponentDefinitions;
  CZinZinObjectDefinition* definition = findComponent(id);
  if (!definition) {
    definition = static_cast<CZinZinObjectDefinition*>(components.newZinObject(kZinEndOfList));
    if (!definition) throw std::runtime_error("newZinObject: Can't allocate object");
    definition->setId(id);
  }
  return new CZINGeoReader(this, &definition->points(), &definition->polygons());
}

IZinExtStorageWriter::IWriter* CZIN::createGeometryWriter(const CZinUUID& id) {
  if (id.isNull()) return new CZINGeoWriter(this, mScene.mPoints.get(), mScene.mPolygons.get());
  CZinZinObjectDefinition* definition = findComponent(id);
  if (!definition) {
    feedbackWarning("CZIN::createGeometryWriter - Invalid component id");
    return nullptr;
  }
  return new CZINGeoWriter(this, &definition->points(), &definition->polygons());
}

IZinExtStorageWriter* CZIN::getGeometryWriter() const {
  Quorve::CheckPointer(mGeometryWriter, "CZIN::getGeometryWriter - No external geometry reader set");
  return mGeometryWriter;
}

IZinExtStorageWriter* CZIN::setGeometryWriter(IZinExtStorageWriter* writer) {
  IZinExtStorageWriter* previous = mGeometryWriter;
  mGeometryWriter = writer;
  return previous;
}

}  // namespace QvZin
