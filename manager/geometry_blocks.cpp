#include "manager/geometry_blocks.h"

#include <stdexcept>

#include "geometry/fast_writer.h"
#include "geometry/number_reader.h"
#include "geometry/polygon.h"
#include "manager/mgr.h"
#include "support/platform.h"
#include "support/raise.h"

namespace QvZin {

using QuorveXML::XIXMLData;
using QuorveXML::XIXMLElement;

// ---- progress

CZinProgress::CClock CZinProgress::sClock = &Quorve::Platform::Milliseconds;

CZinProgress::CZinProgress(CZIN* manager, int base, int span, int64_t count)
    : mManager(manager),
      mFeedback(manager ? manager->getFeedback() : nullptr),
      mLastReport(sClock()),
      mBase(base),
      mSpan(span),
      mCount(count < 1 ? 1 : count),
      mNextCheck(100) {}

void CZinProgress::check(int64_t i, bool last) {
  if (!last) mNextCheck = i + 100 < mCount ? i + 100 : mCount;
  if (!mFeedback) return;
  const uint64_t now = sClock();
  if (now - mLastReport <= 100) return;
  mLastReport = now;
  // 64-bit: span x i stays exact for any count.
  const int64_t position = mBase + static_cast<int64_t>(mSpan) * (i > mCount ? mCount : i) / mCount;
  if (!mFeedback->progress(mManager, static_cast<int>(position), 2000))
    throw std::runtime_error("Operation cancelled");
}

namespace {

// Calls destroy() on a storage reader or writer whatever happens.
template <class T>
struct CDestroyGuard {
  T* object;
  ~CDestroyGuard() {
    if (object) object->destroy();
  }
};

// ---- reading

int32_t ReadCount(CGeoTextReader& text, const char* warning, CZIN* manager) {
  const int32_t count = text.readInt();
  if (count < 1 || count > 9999999) manager->link().warning(warning);
  return count;
}

// A contour: its vertex count, then per vertex an optional "I", an optional "M"
// with u and v, and the point index. Records grow with the vertices actually read,
// never with the announced count.
template <class Append>
void ReadContour(CGeoTextReader& text, Append append) {
  const int32_t count = text.readInt();
  for (int32_t v = 0; v < count; ++v) {
    CZinVertex vertex{};
    if (text.acceptMarker('I')) vertex.mFlags |= CZinVertex::kMarked;
    if (text.acceptMarker('M')) {
      vertex.mFlags |= CZinVertex::kMapped;
      vertex.mU = static_cast<float>(text.readDouble());
      vertex.mV = static_cast<float>(text.readDouble());
    }
    vertex.mPointIndex = text.readInt();
    append(vertex);
  }
}

}  // namespace

void ReadPointsBlock(CZIN* manager, IZinExtStorageReader::IReader* reader, QuorveXML::XIXMLReadStream* block) {
  CGeoTextReader text(block, &manager->link());
  const int32_t count = ReadCount(text, "Numbers of points seems wrong", manager);
  reader->setPointCount(count);
  CZinMgrRef& link = manager->link();
  CZinProgress progress(manager, 0, 1000, count);
  const bool transform = link.isActive();
  for (int32_t i = 0; i < count; ++i) {
    double xyz[3];
    text.readDoubles(xyz, 3);
    if (transform) link.transformPoint(xyz);
    if (!reader->setPoint(xyz, i)) throw std::runtime_error("External storage cancel IO");
    progress.step(i);
  }
  progress.finish();
}

void ReadPolygonsBlock(CZIN* manager, IZinExtStorageReader::IReader* reader, QuorveXML::XIXMLReadStream* block) {
  CGeoTextReader text(block, &manager->link());
  const int32_t count = ReadCount(text, "Numbers of polygons seems wrong", manager);
  reader->setPolygonCount(count);
  TZinComPtr<CPolygon> polygon(CreateZinObject<CPolygon>(&manager->link()));
  CZinProgress progress(manager, 1000, 1000, count);
  for (int32_t i = 0; i < count; ++i) {
    int type = text.readLetter();
    // The end of the data where a polygon should start is a cut block, not a
    // polygon of unknown type.
    if (type < 0) throw std::runtime_error("This is not a number");
    if (type != 'o' && type != 'p' && type != 'h') {
      manager->link().warning("Polygon type unknown");
      type = 'p';
    }
    polygon->setPropertyIndex(text.readInt());
    polygon->setSmooth(type == 'o');
    const int32_t contours = type == 'h' ? text.readInt() : 1;
    CPolygon* target = polygon.get();
    ReadContour(text, [target](const CZinVertex& vertex) { target->appendOuter(vertex); });
    for (int32_t h = 1; h < contours; ++h) {
      target->addHole();
      ReadContour(text, [target](const CZinVertex& vertex) { target->appendHoleVertex(vertex); });
    }
    if (!reader->setPolygon(polygon.get(), i)) throw std::runtime_error("External storage cancel IO");
    polygon->reset();
    progress.step(i);
  }
  progress.finish();
}

// ---- writing

namespace {

// The identifier of the geometry a block belongs to: the "UUID" of the block
// element's parent when it has one (an internal component), else the scene's.
CZinUUID BlockOwnerId(XIXMLData* dataNode, const char* nullMessage) {
  XIXMLElement* block = dataNode ? dataNode->GetNode()->GetParent() : nullptr;
  XIXMLElement* parent = block ? block->GetNode()->GetParent() : nullptr;
  if (!parent || !parent->GetKeyRef()) return CZinUUID();
  QuorveXML::XIXMLAttribute* uuid = parent->FindAttribute(parent->GetKey("UUID"));
  if (!uuid) return CZinUUID();
  const CZinUUID id = CZinUUID::fromText(uuid->GetValue());
  Quorve::CheckAssertion(!id.isNull(), "%s", nullMessage);
  return id;
}

void WriteContour(CFastWriter& out, const CZinVertex* vertices, uint32_t count) {
  out.putInt(static_cast<int32_t>(count));
  for (const CZinVertex* vertex = vertices; vertex < vertices + count; ++vertex) {
    if (vertex->mFlags & CZinVertex::kMarked) out.putText("I ", 2);
    if (vertex->mFlags & CZinVertex::kMapped) {
      out.putText("M ", 2);
      out.putDouble(vertex->mU);
      out.putDouble(vertex->mV);
    }
    out.putInt(vertex->mPointIndex);
  }
}

}  // namespace

bool CPointsProvider::Write(QuorveXML::XIXMLWriteStream* stream, int, XIXMLData* dataNode) {
  Write2(stream, dataNode);
  return true;
}

void CPointsProvider::Write2(QuorveXML::XIXMLWriteStream* stream, XIXMLData* dataNode) {
  const CZinUUID id = BlockOwnerId(dataNode, "CPointsProvider::Write2 - NULL UUID");
  IZinExtStorageWriter::IWriter* geometry = mManager->getGeometryWriter()->createGeometryWriter(id);
  if (!geometry) throw std::runtime_error("CPointsProvider::Write2 - No geometry writer");
  CDestroyGuard<IZinExtStorageWriter::IWriter> guard{geometry};
  const int count = geometry->getPointCount();
  if (count == -1) throw std::runtime_error("CPointsProvider::Write2 - External storage return -1");
  CFastWriter out(stream);
  out.putChar('\n');
  out.putInt(count);
  CZinProgress progress(mManager, 0, 1000, count);
  for (int i = 0; i < count; ++i) {
    double xyz[3] = {0, 0, 0};
    if (!geometry->getPoint(xyz, i)) throw std::runtime_error("CPointsProvider::Write2 - External storage cancel IO");
    out.putChar('\n');
    out.putDouble(xyz[0]);
    out.putDouble(xyz[1]);
    out.putDouble(xyz[2]);
    progress.step(i);
  }
  out.putChar('\n');
  out.flush();
  progress.finish();
}

bool CPolygonsProvider::Write(QuorveXML::XIXMLWriteStream* stream, int, XIXMLData* dataNode) {
  Write2(stream, dataNode);
  return true;
}

void CPolygonsProvider::Write2(QuorveXML::XIXMLWriteStream* stream, XIXMLData* dataNode) {
  const CZinUUID id = BlockOwnerId(dataNode, "CPolygonsProvider::Write2 - NULL UUID");
  IZinExtStorageWriter* storage = mManager->getGeometryWriter();
  IZinExtStorageWriter::IWriter* geometry = storage->createGeometryWriter(id);
  Quorve::CheckPointer(geometry, "CPolygonsProvider::Write2 - Current writter is NULL");
  CDestroyGuard<IZinExtStorageWriter::IWriter> guard{geometry};
  const int count = geometry->getPolygonCount();
  if (count == -1) throw std::runtime_error("CPolygonsProvider::Write2 - External storage return -1");
  TZinComPtr<CPolygon> polygon(CreateZinObject<CPolygon>(&mManager->link()));
  CFastWriter out(stream);
  out.putChar('\n');
  out.putInt(count);
  out.putChar('\n');
  CZinProgress progress(mManager, 1000, 1000, count);
  for (int i = 0; i < count; ++i) {
    polygon->reset();
    if (!geometry->getPolygon(polygon.get(), i))
      throw std::runtime_error("CPolygonsProvider::Write2 - External storage cancel IO");
    const uint32_t holeCount = polygon->holeCount();
    if (holeCount) {
      if (polygon->isSmooth()) mManager->link().warning("Holed polygon smoothed (smoothing will be loss)");
      out.putText("h\t", 2);
    } else {
      out.putText(polygon->isSmooth() ? "o\t" : "p\t", 2);
    }
    out.putInt(polygon->getPropertyIndex());
    if (holeCount) out.putInt(static_cast<int32_t>(holeCount + 1));
    WriteContour(out, polygon->outerRecords(), polygon->outerCount());
    for (uint32_t h = 0; h < holeCount; ++h) {
      uint32_t size = 0;
      const CZinVertex* records = polygon->holeRecords(h, &size);
      WriteContour(out, records, size);
    }
    out.putChar('\n');
    progress.step(i);
  }
  out.flush();
  progress.finish();
}

}  // namespace QvZin
