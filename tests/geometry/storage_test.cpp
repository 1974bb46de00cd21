// Geometry storages: what the library asks of a client's storage and in which
// order, the manager as its own storage with its messages, refusals and
// cancellation at several positions, internal component definitions, and random
// geometry through every path there and back.
#include <charconv>
#include <cmath>
#include <random>

#include "geometry/fast_writer.h"
#include "geometry_support.h"
#include "scene/objects.h"

using namespace QvZinGeoTest;

namespace {

std::string WriteFile(IZinMgr* mgr, IZinExtStorageWriter* storage = nullptr) {
  CZinMemoryWriteStream out;
  EXPECT_TRUE(mgr->write(&out, storage));
  return out.bytes();
}

Shape Polygon(int32_t property, std::vector<CZinVertex> outer, std::vector<std::vector<CZinVertex>> holes = {}) {
  Shape shape;
  shape.property = property;
  shape.outer = std::move(outer);
  shape.holes = std::move(holes);
  return shape;
}

Geometry SmallGeometry() {
  Geometry g;
  g.points = {{1, 0.1, -2.25}, {4, 5, 6}, {-7.5, 8, 9}};
  g.polygons = {Polygon(1, {Vertex(0), Vertex(1), Vertex(2)}),
                Polygon(2, {Vertex(0, CZinVertex::kMapped, 0.5f, 0.25f), Vertex(1), Vertex(2, CZinVertex::kMarked)},
                        {{Vertex(1), Vertex(2)}}),
                Polygon(3, {Vertex(2), Vertex(1), Vertex(0)})};
  g.polygons[2].smooth = true;
  return g;
}

void FillManager(IZinMgr* mgr, const Geometry& g) {
  for (const CZinPoint& p : g.points) *mgr->getPoints()->newZinObject(kZinEndOfList) = p;
  for (const Shape& s : g.polygons) FillPolygon(mgr->getPolygons()->newZinObject(kZinEndOfList), s);
}

Geometry ManagerGeometry(TZinObjectMgr<CZinPoint>* points, TZinObjectMgr<IZinPolygon>* polygons) {
  Geometry g;
  for (uint32_t i = 0; i < points->getCount(); ++i) g.points.push_back(*points->getZinObject(i));
  for (uint32_t i = 0; i < polygons->getCount(); ++i) g.polygons.push_back(ShapeOf(polygons->getZinObject(i)));
  return g;
}

void ExpectSamePoints(const std::vector<CZinPoint>& expected, const std::vector<CZinPoint>& got) {
  ASSERT_EQ(expected.size(), got.size());
  for (size_t i = 0; i < got.size(); ++i) {
    ASSERT_EQ(expected[i].mX, got[i].mX) << i;
    ASSERT_EQ(expected[i].mY, got[i].mY) << i;
    ASSERT_EQ(expected[i].mZ, got[i].mZ) << i;
  }
}

std::vector<std::string> Repeat(const std::string& text, int count, const std::string& prefix = "") {
  std::vector<std::string> out;
  for (int i = 0; i < count; ++i) out.push_back(prefix + text + std::to_string(i));
  return out;
}

std::vector<std::string> Concat(std::vector<std::vector<std::string>> parts) {
  std::vector<std::string> out;
  for (auto& part : parts) out.insert(out.end(), part.begin(), part.end());
  return out;
}

}  // namespace

TEST(GeometryStorage, ClientReaderGetsCountsFirstAndOnePolygonObject) {
  ManagerHold source;
  FillManager(source.mgr, SmallGeometry());
  const std::string file = WriteFile(source.mgr);

  CFeedback feedback;
  ManagerHold mgr(&feedback);
  CRecordingReaderStorage storage;
  CZinMemoryReadStream in(file);
  mgr->readGeometry(&in, &storage);
  EXPECT_EQ(Concat({{"create scene level0", "setPointCount 3"}, Repeat("setPoint ", 3), {"destroy"},
                    {"create scene level0", "setPolygonCount 3"}, Repeat("setPolygon ", 3), {"destroy"}}),
            storage.calls);
  // One polygon object, reset between the calls.
  ASSERT_EQ(3u, storage.polygonObjects.size());
  EXPECT_EQ(storage.polygonObjects[0], storage.polygonObjects[2]);
  Geometry expected = SmallGeometry();
  ExpectSamePoints(expected.points, storage.geometries["scene"].points);
  EXPECT_EQ(expected.polygons, storage.geometries["scene"].polygons);
  // readGeometry feeds only the storage.
  EXPECT_EQ(0u, mgr->getPoints()->getCount());
  EXPECT_EQ(0u, mgr->getPolygons()->getCount());
  EXPECT_EQ(Texts{}, feedback.warnings);

  // read with a client storage: the document is read, the geometry goes to the client.
  CRecordingReaderStorage other;
  CZinMemoryReadStream again(file);
  EXPECT_TRUE(mgr->read(&again, &other));
  EXPECT_EQ(expected.polygons, other.geometries["scene"].polygons);
  EXPECT_EQ(0u, mgr->getPolygons()->getCount());
  EXPECT_EQ(1u, mgr->getHeliodons()->getCount());

  // readGeometry without a storage does nothing but say so.
  CZinMemoryReadStream third(file);
  mgr->readGeometry(&third, nullptr);
  EXPECT_EQ(Texts{"IZinMgr::readGeometry - No geometry storage (pointer is NULL)"}, feedback.warnings);
}

TEST(GeometryStorage, ClientWriterAskedInOrderWithAResetPolygon) {
  CRecordingWriterStorage storage;
  storage.geometries["scene"] = SmallGeometry();
  CFeedback feedback;
  ManagerHold mgr(&feedback);
  const std::string file = WriteFile(mgr.mgr, &storage);
  EXPECT_EQ(Concat({{"create scene", "getPointCount"}, Repeat("getPoint ", 3), {"destroy"},
                    {"create scene", "getPolygonCount"}, Repeat("getPolygon ", 3), {"destroy"}}),
            storage.calls);
  EXPECT_EQ("\n3 \n1.0 0.1 -2.25 \n4.0 5.0 6.0 \n-7.5 8.0 9.0 \n", BlockOf(file, "Points"));
  EXPECT_EQ("\n3 \np\t1 3 0 1 2 \nh\t2 2 3 M 0.5 0.25 0 1 I 2 2 1 2 \no\t3 3 2 1 0 \n", BlockOf(file, "Polygons"));
  EXPECT_EQ(Texts{}, feedback.warnings);
  // The storage is the write's only: the next write uses the manager again.
  EXPECT_EQ("\n0 \n", BlockOf(WriteFile(mgr.mgr), "Points"));
}

TEST(GeometryStorage, WriteFailuresGiveExactlyOneWarning) {
  CFastClock clock;
  struct Case {
    const char* name;
    std::function<void(CRecordingWriterStorage&, CFeedback&)> arrange;
    const char* warning;
  } cases[] = {
      {"first point refused", [](auto& s, auto&) { s.refusePoint = 0; },
       "Error \"CPointsProvider::Write2 - External storage cancel IO\" while writting"},
      {"middle point refused", [](auto& s, auto&) { s.refusePoint = 150; },
       "Error \"CPointsProvider::Write2 - External storage cancel IO\" while writting"},
      {"last point refused", [](auto& s, auto&) { s.refusePoint = 299; },
       "Error \"CPointsProvider::Write2 - External storage cancel IO\" while writting"},
      {"first polygon refused", [](auto& s, auto&) { s.refusePolygon = 0; },
       "Error \"CPolygonsProvider::Write2 - External storage cancel IO\" while writting"},
      {"last polygon refused", [](auto& s, auto&) { s.refusePolygon = 299; },
       "Error \"CPolygonsProvider::Write2 - External storage cancel IO\" while writting"},
      {"point count -1", [](auto& s, auto&) { s.pointCount = -1; },
       "Error \"CPointsProvider::Write2 - External storage return -1\" while writting"},
      {"polygon count -1", [](auto& s, auto&) { s.polygonCount = -1; },
       "Error \"CPolygonsProvider::Write2 - External storage return -1\" while writting"},
      {"no points writer", [](auto& s, auto&) { s.nullAtCreation = 0; },
       "Error \"CPointsProvider::Write2 - No geometry writer\" while writting"},
      {"no polygons writer", [](auto& s, auto&) { s.nullAtCreation = 1; },
       "Error \"CPolygonsProvider::Write2 - Current writter is NULL (pointer is NULL)\" while writting"},
      {"cancelled at the first report", [](auto&, auto& f) { f.cancelAt = 0; },
       "Error \"Operation cancelled\" while writting"},
      {"cancelled after the points", [](auto&, auto& f) { f.cancelAt = 2; },
       "Error \"Operation cancelled\" while writting"},
      {"cancelled at the last report", [](auto&, auto& f) { f.cancelAt = 5; },
       "Error \"Operation cancelled\" while writting"},
  };
  for (const Case& c : cases) {
    CRecordingWriterStorage storage;
    storage.logItems = false;
    Geometry& g = storage.geometries["scene"];
    for (int i = 0; i < 300; ++i) {
      g.points.push_back(CZinPoint{double(i), 0, 0});
      g.polygons.push_back(Polygon(i, {Vertex(i)}));
    }
    CFeedback feedback;
    c.arrange(storage, feedback);
    ManagerHold mgr(&feedback);
    CZinMemoryWriteStream out;
    EXPECT_FALSE(mgr->write(&out, &storage)) << c.name;
    EXPECT_EQ(Texts{c.warning}, feedback.warnings) << c.name;
    // Every writer made is destroyed, failure or not.
    const auto made = std::count_if(storage.calls.begin(), storage.calls.end(),
                                    [](const std::string& call) { return call.rfind("create", 0) == 0; });
    const auto destroyed = std::count(storage.calls.begin(), storage.calls.end(), std::string("destroy"));
    EXPECT_EQ(made - (storage.nullAtCreation >= 0 ? 1 : 0), destroyed) << c.name;
  }
}

TEST(GeometryStorage, ReadRefusalsAndCancellationKeepWhatWasDelivered) {
  CFastClock clock;
  ManagerHold source;
  Geometry g;
  for (int i = 0; i < 1000; ++i) {
    g.points.push_back(CZinPoint{double(i), 0, 0});
    g.polygons.push_back(Polygon(i, {Vertex(i)}));
  }
  FillManager(source.mgr, g);
  const std::string file = WriteFile(source.mgr);
  const std::string pointsFailed = "while parsing 'Points' data block";
  const std::string polygonsFailed = "while parsing 'Polygons' data block";
  struct Case {
    int refusePoint, refusePolygon, cancelAt;
    size_t points, polygons;
    std::string warning;
  } cases[] = {
      {0, -1, -1, 0, 0, "Error \"External storage cancel IO\" " + pointsFailed},
      {500, -1, -1, 500, 0, "Error \"External storage cancel IO\" " + pointsFailed},
      {999, -1, -1, 999, 0, "Error \"External storage cancel IO\" " + pointsFailed},
      {-1, 0, -1, 1000, 0, "Error \"External storage cancel IO\" " + polygonsFailed},
      {-1, 999, -1, 1000, 999, "Error \"External storage cancel IO\" " + polygonsFailed},
      // Reports come at items 100, 200 ... 900 and after the last, in each block.
      {-1, -1, 0, 101, 0, "Error \"Operation cancelled\" " + pointsFailed},
      {-1, -1, 4, 501, 0, "Error \"Operation cancelled\" " + pointsFailed},
      {-1, -1, 9, 1000, 0, "Error \"Operation cancelled\" " + pointsFailed},
      {-1, -1, 10, 1000, 101, "Error \"Operation cancelled\" " + polygonsFailed},
      {-1, -1, 19, 1000, 1000, "Error \"Operation cancelled\" " + polygonsFailed},
  };
  for (const Case& c : cases) {
    CFeedback feedback;
    feedback.cancelAt = c.cancelAt;
    ManagerHold mgr(&feedback);
    CRecordingReaderStorage storage;
    storage.logItems = false;
    storage.refusePoint = c.refusePoint;
    storage.refusePolygon = c.refusePolygon;
    CZinMemoryReadStream in(file);
    EXPECT_FALSE(mgr->read(&in, &storage)) << c.warning;
    // The block's failure, then the parse's end that it causes.
    EXPECT_EQ((Texts{c.warning, "exception (assertion failed)"}), feedback.warnings) << c.warning;
    EXPECT_EQ(c.points, storage.geometries["scene"].points.size()) << c.warning;
    EXPECT_EQ(c.polygons, storage.geometries["scene"].polygons.size()) << c.warning;
    EXPECT_EQ(storage.calls.back(), "destroy");

    // The same through the manager as storage.
    CFeedback own;
    own.cancelAt = c.cancelAt;
    if (c.cancelAt < 0) continue;
    ManagerHold target(&own);
    CZinMemoryReadStream again(file);
    EXPECT_FALSE(target->read(&again, nullptr));
    EXPECT_EQ((Texts{c.warning, "exception (assertion failed)"}), own.warnings);
    EXPECT_EQ(c.points, target->getPoints()->getCount());
    EXPECT_EQ(c.polygons, target->getPolygons()->getCount());
  }
}

TEST(GeometryStorage, ManagerAsStorageMessages) {
  CFeedback feedback;
  ManagerHold mgr(&feedback);
  FillManager(mgr.mgr, SmallGeometry());
  CZIN* zin = mgr.zin();
  IZinExtStorageWriter::IWriter* writer = zin->createGeometryWriter(CZinUUID());
  ASSERT_NE(nullptr, writer);
  EXPECT_EQ(3, writer->getPointCount());
  EXPECT_EQ(3, writer->getPolygonCount());
  double xyz[3];
  EXPECT_TRUE(writer->getPoint(xyz, 2));
  EXPECT_EQ(-7.5, xyz[0]);
  EXPECT_FALSE(writer->getPoint(xyz, 3));
  EXPECT_FALSE(writer->getPoint(xyz, -1));
  // A polygon of another implementation is filled through its interface.
  CClientPolygon foreign(&zin->link());
  EXPECT_TRUE(writer->getPolygon(&foreign, 1));
  EXPECT_EQ(SmallGeometry().polygons[1], ShapeOf(&foreign));
  EXPECT_FALSE(writer->getPolygon(&foreign, 3));
  EXPECT_FALSE(writer->getPolygon(nullptr, 0));
  writer->destroy();
  EXPECT_EQ((Texts{"CZINGeoWriter::getPoint - Invalid point index", "CZINGeoWriter::getPoint - Invalid point index",
                   "CZINGeoWriter::getPolygon - Invalid polygon index",
                   "CZINGeoWriter::getPolygon - Invalid polygon index"}),
            feedback.warnings);
  feedback.warnings.clear();

  const CZinUUID unknown = CZinUUID::fromText("0123456789ABCDEF0123456789ABCDEF");
  EXPECT_EQ(nullptr, zin->createGeometryWriter(unknown));
  EXPECT_EQ(Texts{"CZIN::createGeometryWriter - Invalid component id"}, feedback.warnings);
  // A reader for an unknown id makes the definition; the next one finds it.
  IZinExtStorageReader::IReader* reader = zin->createGeometryReader(unknown, true);
  const double point[3] = {1, 2, 3};
  reader->setPointCount(1);
  EXPECT_TRUE(reader->setPoint(point, 0));
  reader->destroy();
  ASSERT_EQ(1u, mgr->getInternalComponentDefinitions()->getCount());
  auto* definition = static_cast<CZinZinObjectDefinition*>(mgr->getInternalComponentDefinitions()->getZinObject(0));
  EXPECT_EQ(unknown, *definition->getBasicData()->getId());
  EXPECT_EQ(1u, definition->points().getCount());
  zin->createGeometryReader(unknown, false)->destroy();
  EXPECT_EQ(1u, mgr->getInternalComponentDefinitions()->getCount());
  writer = zin->createGeometryWriter(unknown);
  ASSERT_NE(nullptr, writer);
  EXPECT_EQ(1, writer->getPointCount());
  writer->destroy();
  // Reading appends: the scene's points are not emptied first.
  reader = zin->createGeometryReader(CZinUUID(), true);
  reader->setPointCount(2);
  reader->setPoint(point, 0);
  reader->destroy();
  EXPECT_EQ(4u, mgr->getPoints()->getCount());
  EXPECT_EQ(1u, feedback.warnings.size());
}

TEST(GeometryStorage, InternalComponentDefinitions) {
  const CZinUUID first = CZinUUID::fromText("00000000000000000000000000000001");
  const CZinUUID second = CZinUUID::fromText("FEDCBA9876543210FEDCBA9876543210");
  Geometry a = SmallGeometry(), b;
  b.points = {{10, 20, 30}};
  b.polygons = {Polygon(7, {Vertex(0), Vertex(0), Vertex(0)})};

  ManagerHold source;
  // The scene's own geometry is not written once there are definitions.
  FillManager(source.mgr, b);
  TZinObjectMgr<IZinZinObjectDefinition>* definitions = source->getInternalComponentDefinitions();
  auto* one = static_cast<CZinZinObjectDefinition*>(definitions->newZinObject(kZinEndOfList));
  one->setId(first);
  auto* two = static_cast<CZinZinObjectDefinition*>(definitions->newZinObject(kZinEndOfList));
  two->setId(second);
  two->setGeometryLevel(2);
  for (const CZinPoint& p : a.points) *one->points().newZinObject(kZinEndOfList) = p;
  for (const Shape& s : a.polygons) FillPolygon(one->polygons().newZinObject(kZinEndOfList), s);
  *two->points().newZinObject(kZinEndOfList) = b.points[0];
  FillPolygon(two->polygons().newZinObject(kZinEndOfList), b.polygons[0]);

  CFeedback feedback;
  ManagerHold mgr(&feedback);
  const std::string file = WriteFile(source.mgr);
  EXPECT_EQ(std::string::npos, file.find("\n\t<Points>"));
  EXPECT_EQ("\n3 \n1.0 0.1 -2.25 \n4.0 5.0 6.0 \n-7.5 8.0 9.0 \n", BlockOf(file, "Points"));
  EXPECT_EQ("\n1 \n10.0 20.0 30.0 \n", BlockOf(file, "Points", file.find("FEDCBA9876543210FEDCBA9876543210")));

  CZinMemoryReadStream in(file);
  ASSERT_TRUE(mgr->read(&in, nullptr));
  EXPECT_EQ(Texts{}, feedback.warnings);
  EXPECT_EQ(0u, mgr->getPoints()->getCount());
  ASSERT_EQ(2u, mgr->getInternalComponentDefinitions()->getCount());
  auto* readOne = static_cast<CZinZinObjectDefinition*>(mgr->getInternalComponentDefinitions()->getZinObject(0));
  auto* readTwo = static_cast<CZinZinObjectDefinition*>(mgr->getInternalComponentDefinitions()->getZinObject(1));
  EXPECT_EQ(first, *readOne->getBasicData()->getId());
  EXPECT_EQ(second, *readTwo->getBasicData()->getId());
  EXPECT_EQ(2, readTwo->geometryLevel());
  Geometry gotOne = ManagerGeometry(&readOne->points(), &readOne->polygons());
  ExpectSamePoints(a.points, gotOne.points);
  EXPECT_EQ(a.polygons, gotOne.polygons);
  EXPECT_EQ(b.polygons, ManagerGeometry(&readTwo->points(), &readTwo->polygons()).polygons);
  // Written again, the blocks come out the same.
  const std::string again = WriteFile(mgr.mgr);
  EXPECT_EQ(BlockOf(file, "Polygons"), BlockOf(again, "Polygons"));
  EXPECT_EQ(BlockOf(file, "Polygons", file.find("FEDCBA98")), BlockOf(again, "Polygons", again.find("FEDCBA98")));

  // A client storage is asked per definition, with the level-zero flag.
  CRecordingReaderStorage storage;
  storage.logItems = false;
  CZinMemoryReadStream third(file);
  mgr->readGeometry(&third, &storage);
  EXPECT_EQ((Texts{"create 00000000000000000000000000000001 level0", "setPointCount 3", "destroy",
                   "create 00000000000000000000000000000001 level0", "setPolygonCount 3", "destroy",
                   "create FEDCBA9876543210FEDCBA9876543210", "setPointCount 1", "destroy",
                   "create FEDCBA9876543210FEDCBA9876543210", "setPolygonCount 1", "destroy"}),
            storage.calls);
  EXPECT_EQ(b.polygons, storage.geometries["FEDCBA9876543210FEDCBA9876543210"].polygons);

  CRecordingWriterStorage writer;
  writer.logItems = false;
  writer.geometries["00000000000000000000000000000001"] = b;
  writer.geometries["FEDCBA9876543210FEDCBA9876543210"] = a;
  const std::string swapped = WriteFile(mgr.mgr, &writer);
  EXPECT_EQ((Texts{"create 00000000000000000000000000000001", "getPointCount", "destroy",
                   "create 00000000000000000000000000000001", "getPolygonCount", "destroy",
                   "create FEDCBA9876543210FEDCBA9876543210", "getPointCount", "destroy",
                   "create FEDCBA9876543210FEDCBA9876543210", "getPolygonCount", "destroy"}),
            writer.calls);
  EXPECT_EQ("\n1 \n10.0 20.0 30.0 \n", BlockOf(swapped, "Points"));

  // The manager finds its definitions by id however the client changes the list
  // between writes: ids swapped, a definition removed, one appended with an id that
  // is already there (the last of them holds the geometry).
  readOne->setId(second);
  readTwo->setId(first);
  const std::string exchanged = WriteFile(mgr.mgr);
  EXPECT_EQ("\n3 \n1.0 0.1 -2.25 \n4.0 5.0 6.0 \n-7.5 8.0 9.0 \n",
            BlockOf(exchanged, "Points", exchanged.find("FEDCBA9876543210FEDCBA9876543210")));
  EXPECT_EQ("\n1 \n10.0 20.0 30.0 \n", BlockOf(exchanged, "Points", exchanged.find("\"00000000000000000000000000000001\"")));
  mgr->getInternalComponentDefinitions()->removeObject(0);
  auto* twin = static_cast<CZinZinObjectDefinition*>(mgr->getInternalComponentDefinitions()->newZinObject(kZinEndOfList));
  twin->setId(first);
  *twin->points().newZinObject(kZinEndOfList) = CZinPoint{-1, -2, -3};
  const std::string twins = WriteFile(mgr.mgr);
  EXPECT_EQ("\n1 \n-1.0 -2.0 -3.0 \n", BlockOf(twins, "Points"));
  EXPECT_EQ("\n1 \n-1.0 -2.0 -3.0 \n", BlockOf(twins, "Points", twins.find("<Points>") + 1));
  EXPECT_EQ(Texts{}, feedback.warnings);
}

// ---- random geometry there and back

namespace {

// What a value becomes once written and read: the block text of the clamped
// value, read as the nearest double.
double Written(double value) {
  char text[64];
  const size_t size = FormatGeoDouble(CFastWriter::Clamp(value), text);
  double read = 0;
  std::from_chars(text, text + size - 1, read, std::chars_format::fixed);
  return read;
}

double RandomValue(std::mt19937_64& random) {
  std::uniform_int_distribution<int> kind(0, 9);
  std::uniform_real_distribution<double> unit(-1.0, 1.0);
  switch (kind(random)) {
    case 0: return std::round(unit(random) * 1e6);
    case 1: return std::round(unit(random) * 1e7) / 1000.0;
    case 2: return std::ldexp(unit(random), std::uniform_int_distribution<int>(-40, 110)(random));
    case 3: return unit(random) * 3e9;
    case 4: return std::uniform_int_distribution<int>(0, 3)(random) == 0 ? -0.0 : 0.5;
    default: return unit(random) * 1e5;
  }
}

Geometry RandomGeometry(uint64_t seed, int points, int polygons) {
  std::mt19937_64 random(seed);
  Geometry g;
  for (int i = 0; i < points; ++i) g.points.push_back(CZinPoint{RandomValue(random), RandomValue(random), RandomValue(random)});
  std::uniform_int_distribution<int> small(0, 7), index(-5, points + 5);
  for (int i = 0; i < polygons; ++i) {
    Shape s;
    s.property = index(random) * 1000;
    s.smooth = small(random) < 3;
    auto contour = [&](int size) {
      std::vector<CZinVertex> c;
      for (int v = 0; v < size; ++v) {
        CZinVertex vertex{index(random), 0, 0, 0};
        if (small(random) == 0) vertex.mFlags |= CZinVertex::kMarked;
        if (small(random) < 2) {
          vertex.mFlags |= CZinVertex::kMapped;
          vertex.mU = static_cast<float>(RandomValue(random));
          vertex.mV = static_cast<float>(RandomValue(random) / 1e5);
        }
        c.push_back(vertex);
      }
      return c;
    };
    s.outer = contour(small(random) == 0 ? 0 : 3 + small(random) % 3);
    if (small(random) == 0) {
      // A holed polygon is written flat; keep the values what a read gives back.
      s.smooth = false;
      for (int h = small(random) % 3; h >= 0; --h) s.holes.push_back(contour(small(random)));
    }
    g.polygons.push_back(s);
  }
  return g;
}

// A block as written again after a read: a tiny negative value is written "-0.0",
// read as a negative zero, and a zero of either sign is written "0.0".
std::string AsWrittenAgain(std::string block) {
  for (size_t at = block.find("-0.0 "); at != std::string::npos; at = block.find("-0.0 ", at))
    if (at > 0 && (block[at - 1] == ' ' || block[at - 1] == '\n'))
      block.erase(at, 1);
    else
      ++at;
  return block;
}

Geometry AsRead(Geometry g) {
  for (CZinPoint& p : g.points) p = CZinPoint{Written(p.mX), Written(p.mY), Written(p.mZ)};
  auto contour = [](std::vector<CZinVertex>& c) {
    for (CZinVertex& v : c) {
      v.mU = static_cast<float>(Written(v.mU));
      v.mV = static_cast<float>(Written(v.mV));
    }
  };
  for (Shape& s : g.polygons) {
    contour(s.outer);
    for (auto& hole : s.holes) contour(hole);
  }
  return g;
}

}  // namespace

TEST(GeometryStorage, RandomGeometryRoundTrips) {
  for (uint64_t seed : {1u, 2u, 3u}) {
    const Geometry original = RandomGeometry(seed, 3000, 1500);
    const Geometry expected = AsRead(original);
    CFeedback feedback;
    ManagerHold writer(&feedback);
    CRecordingWriterStorage out;
    out.logItems = false;
    out.geometries["scene"] = original;
    const std::string file = WriteFile(writer.mgr, &out);

    // Into a client storage...
    CRecordingReaderStorage in;
    in.logItems = false;
    CZinMemoryReadStream stream(file);
    writer->readGeometry(&stream, &in);
    ExpectSamePoints(expected.points, in.geometries["scene"].points);
    ASSERT_EQ(expected.polygons, in.geometries["scene"].polygons);

    // ...and into a manager, whose own write gives the same blocks again.
    ManagerHold reader(&feedback);
    CZinMemoryReadStream second(file);
    ASSERT_TRUE(reader->read(&second, nullptr));
    const Geometry held = ManagerGeometry(reader->getPoints(), reader->getPolygons());
    ExpectSamePoints(expected.points, held.points);
    ASSERT_EQ(expected.polygons, held.polygons);
    const std::string again = WriteFile(reader.mgr);
    EXPECT_EQ(AsWrittenAgain(BlockOf(file, "Points")), BlockOf(again, "Points"));
    EXPECT_EQ(AsWrittenAgain(BlockOf(file, "Polygons")), BlockOf(again, "Polygons"));

    // The values as read, written by a client storage, give the same blocks too.
    CRecordingWriterStorage readBack;
    readBack.logItems = false;
    readBack.geometries["scene"] = expected;
    const std::string third = WriteFile(writer.mgr, &readBack);
    EXPECT_EQ(BlockOf(again, "Points"), BlockOf(third, "Points"));
    EXPECT_EQ(BlockOf(again, "Polygons"), BlockOf(third, "Polygons"));
    EXPECT_EQ(Texts{}, feedback.warnings);
  }
}
