// The manager as its own geometry storage: readers append to, and writers read
// from, the scene's points and polygons or those of an internal component.
#include <stdexcept>

#include "geometry/polygon.h"
#include "manager/mgr.h"
#include "scene/objects.h"
#include "support/raise.h"

namespace QvZin {

namespace {

using CPointList = TSimpleMgr<CZinPoint>;
using CPolygonList = TObject2Mgr<CPolygon, IZinPolygon>;

class CZINGeoReader final : public IZinExtStorageReader::IReader {
public:
  CZINGeoReader(CZIN* manager, CPointList* points, CPolygonList* polygons)
      : mManager(manager), mPoints(points), mPolygons(polygons) {}

  void destroy() override { delete this; }
  void setPointCount(int count) override {
    if (count > 0) mPoints->reserve(mPoints->getCount() + static_cast<uint32_t>(count));
  }
  bool setPoint(const double* xyz, int) override {
    if (!mPoints->append(CZinPoint{xyz[0], xyz[1], xyz[2]})) {
      mManager->feedbackWarning("CZINGeoReader::setPoint - Can't allocate point");
      return false;
    }
    return true;
  }
  void setPolygonCount(int count) override {
    if (count > 0) mPolygons->reserve(mPolygons->getCount() + static_cast<uint32_t>(count));
  }
  bool setPolygon(const IZinPolygon* polygon, int) override {
    auto* added = static_cast<CPolygon*>(mPolygons->newZinObject(kZinEndOfList));
    if (!added) {
      mManager->feedbackWarning("CZINGeoReader::setPolygon - Can't allocate polygon");
      return false;
    }
    added->assign(const_cast<IZinPolygon*>(polygon));
    return true;
  }

private:
  CZIN* mManager;
  CPointList* mPoints;
  CPolygonList* mPolygons;
};

class CZINGeoWriter final : public IZinExtStorageWriter::IWriter {
public:
  CZINGeoWriter(CZIN* manager, CPointList* points, CPolygonList* polygons)
      : mManager(manager), mPoints(points), mPolygons(polygons) {}

  void destroy() override { delete this; }
  int getPointCount() override { return static_cast<int>(mPoints->getCount()); }
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
  int getPolygonCount() override { return static_cast<int>(mPolygons->getCount()); }
  bool getPolygon(IZinPolygon* polygon, int index) override {
    if (index < 0 || static_cast<uint32_t>(index) >= mPolygons->getCount() || !polygon) {
      mManager->feedbackWarning("CZINGeoWriter::getPolygon - Invalid polygon index");
      return false;
    }
    static_cast<CPolygon*>(polygon)->assign(mPolygons->getZinObject(static_cast<uint32_t>(index)));
    return true;
  }

private:
  CZIN* mManager;
  CPointList* mPoints;
  CPolygonList* mPolygons;
};

// The internal component definition with that id, searched from the last.
CZinZinObjectDefinition* FindComponent(CZinObjectDefinitionList& list, const CZinUUID& id) {
  for (uint32_t i = list.getCount(); i-- > 0;) {
    auto* definition = static_cast<CZinZinObjectDefinition*>(list.getZinObject(i));
    if (definition && *definition->getId() == id) return definition;
  }
  return nullptr;
}

}  // namespace

IZinExtStorageReader::IReader* CZIN::createGeometryReader(const CZinUUID& id, bool) {
  if (id.isNull()) return new CZINGeoReader(this, mScene.mPoints.get(), static_cast<CPolygonList*>(mScene.mPolygons.get()));
  CZinObjectDefinitionList& components = *mScene.mInternalComponentDefinitions;
  CZinZinObjectDefinition* definition = FindComponent(components, id);
  if (!definition) {
    definition = static_cast<CZinZinObjectDefinition*>(components.newZinObject(kZinEndOfList));
    if (!definition) throw std::runtime_error("newZinObject: Can't allocate object");
    definition->setId(id);
  }
  return new CZINGeoReader(this, &definition->points(), &definition->polygons());
}

IZinExtStorageWriter::IWriter* CZIN::createGeometryWriter(const CZinUUID& id) {
  if (id.isNull()) return new CZINGeoWriter(this, mScene.mPoints.get(), static_cast<CPolygonList*>(mScene.mPolygons.get()));
  CZinZinObjectDefinition* definition = FindComponent(*mScene.mInternalComponentDefinitions, id);
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
