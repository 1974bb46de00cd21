// Geometry storages: what the library asks of a client's storage and in which
// order, the manager as its own storage with its messages, refusals and
// cancellation at several positions, internal component definitions, and random
// geometry through every path there and back.
#include <charconv>
#include <cmath>
#include <random>

#include "fuzz/manager_targets.h"
#include "geometry/fast_writer.h"
#include "geometry_support.h"
#include "scene/objects.h"

using namespace QvZinGeoTest;

namespace {

Geometry SmallGeometry() {
  return {{{1, 0.1, -2.25}, {4, 5, 6}, {-7.5, 8, 9}},
          {Polygon(1, {Vertex(0), Vertex(1), Vertex(2)}),
           Polygon(2, {Vertex(0, CZinVertex::kMapped, 0.5f, 0.25f), Vertex(1), Vertex(2, CZinVertex::kMarked)},
                   {{Vertex(1), Vertex(2)}}),
           Polygon(3, {Vertex(2), Vertex(1), Vertex(0)}, {}, true)}};
}
const char kSmallPoints[] = "\n3 \n1.0 0.1 -2.25 \n4.0 5.0 6.0 \n-7.5 8.0 9.0 \n";
const char kSmallPolygons[] = "\n3 \np\t1 3 0 1 2 \nh\t2 2 3 M 0.5 0.25 0 1 I 2 2 1 2 \no\t3 3 2 1 0 \n";

// Geometry of count points and count one-vertex polygons.
Geometry Numbered(int count) {
  Geometry g;
  for (int i = 0; i < count; ++i) {
    g.points.push_back(CZinPoint{double(i), 0, 0});
    g.polygons.push_back(Polygon(i, {Vertex(i)}));
  }
  return g;
}

// The calls of one block: create, count, the items when logged, destroy.
Texts BlockCalls(const std::string& create, const std::string& count, const std::string& item, int items) {
  Texts calls = {create, count};
  for (int i = 0; i < items; ++i) calls.push_back(item + std::to_string(i));
  calls.push_back("destroy");
  return calls;
}

Texts Concat(std::initializer_list<Texts> parts) {
  Texts out;
  for (const Texts& part : parts) out.insert(out.end(), part.begin(), part.end());
  return out;
}

CZinZinObjectDefinition* Definition(IZinMgr* mgr, uint32_t index) {
  return static_cast<CZinZinObjectDefinition*>(mgr->getInternalComponentDefinitions()->getZinObject(index));
}

}  // namespace

TEST(GeometryStorage, ClientStoragesAreAskedInOrder) {
  ManagerHold source;
  FillManager(source.mgr, SmallGeometry());
  const std::string file = WriteToText(source.mgr);

  FeedbackRecorder feedback;
  ManagerHold mgr(&feedback);
  CRecordingReaderStorage storage;
  CZinMemoryReadStream in(file);
  mgr->readGeometry(&in, &storage);
  EXPECT_EQ(Concat({BlockCalls("create scene level0", "setPointCount 3", "setPoint ", 3),
                    BlockCalls("create scene level0", "setPolygonCount 3", "setPolygon ", 3)}),
            storage.calls);
  // One polygon object, reset between the calls.
  ASSERT_EQ(3u, storage.polygonObjects.size());
  EXPECT_EQ(storage.polygonObjects[0], storage.polygonObjects[2]);
  EXPECT_TRUE(SamePoints(SmallGeometry().points, storage.geometries["scene"].points));
  EXPECT_EQ(SmallGeometry().polygons, storage.geometries["scene"].polygons);
  // readGeometry feeds only the storage; read with a storage reads the document and
  // gives the geometry to the storage.
  EXPECT_EQ(0u, mgr->getPoints()->getCount());
  CRecordingReaderStorage other;
  CZinMemoryReadStream again(file);
  EXPECT_TRUE(mgr->read(&again, &other));
  EXPECT_EQ(SmallGeometry().polygons, other.geometries["scene"].polygons);
  EXPECT_EQ(0u, mgr->getPolygons()->getCount());
  CZinMemoryReadStream third(file);
  mgr->readGeometry(&third, nullptr);
  EXPECT_EQ(Texts{"IZinMgr::readGeometry - No geometry storage (pointer is NULL)"}, feedback.texts());

  CRecordingWriterStorage writer;
  writer.geometries["scene"] = SmallGeometry();
  const std::string written = WriteToText(mgr.mgr, &writer);
  EXPECT_EQ(Concat({BlockCalls("create scene", "getPointCount", "getPoint ", 3),
                    BlockCalls("create scene", "getPolygonCount", "getPolygon ", 3)}),
            writer.calls);
  EXPECT_EQ(kSmallPoints, BlockOf(written, "Points"));
  EXPECT_EQ(kSmallPolygons, BlockOf(written, "Polygons"));
  // The storage is the write's only: the next write uses the manager again.
  EXPECT_EQ("\n0 \n", BlockOf(WriteToText(mgr.mgr), "Points"));
  EXPECT_EQ(1u, feedback.warnings.size());
}

TEST(GeometryStorage, WriteFailuresGiveExactlyOneWarning) {
  CFastClock clock;
  const std::string points = "Error \"CPointsProvider::Write2 - ", polygons = "Error \"CPolygonsProvider::Write2 - ";
  const std::string refused = "External storage cancel IO\" while writting", minus = "External storage return -1\" while writting";
  const std::string cancelled = "Error \"Operation cancelled\" while writting";
  const struct {
    int refusePoint, refusePolygon, pointCount, polygonCount, nullAt, cancelAt;
    std::string warning;
  } cases[] = {
      {0, -1, -2, -2, -1, -1, points + refused},
      {150, -1, -2, -2, -1, -1, points + refused},
      {299, -1, -2, -2, -1, -1, points + refused},
      {-1, 0, -2, -2, -1, -1, polygons + refused},
      {-1, 299, -2, -2, -1, -1, polygons + refused},
      {-1, -1, -1, -2, -1, -1, points + minus},
      {-1, -1, -2, -1, -1, -1, polygons + minus},
      {-1, -1, -2, -2, 0, -1, points + "No geometry writer\" while writting"},
      {-1, -1, -2, -2, 1, -1, polygons + "Current writter is NULL (pointer is NULL)\" while writting"},
      {-1, -1, -2, -2, -1, 0, cancelled},
      {-1, -1, -2, -2, -1, 2, cancelled},
      {-1, -1, -2, -2, -1, 5, cancelled},
  };
  for (const auto& c : cases) {
    CRecordingWriterStorage storage;
    storage.logItems = false;
    storage.geometries["scene"] = Numbered(300);
    storage.refusePoint = c.refusePoint;
    storage.refusePolygon = c.refusePolygon;
    storage.pointCount = c.pointCount;
    storage.polygonCount = c.polygonCount;
    storage.nullAtCreation = c.nullAt;
    FeedbackRecorder feedback;
    feedback.cancelAt = c.cancelAt;
    ManagerHold mgr(&feedback);
    CZinMemoryWriteStream out;
    EXPECT_FALSE(mgr->write(&out, &storage)) << c.warning;
    EXPECT_EQ(Texts{c.warning}, feedback.texts());
    // Every writer made is destroyed, failure or not.
    const auto made = std::count_if(storage.calls.begin(), storage.calls.end(),
                                    [](const std::string& call) { return call.rfind("create", 0) == 0; });
    EXPECT_EQ(made - (c.nullAt >= 0), std::count(storage.calls.begin(), storage.calls.end(), "destroy")) << c.warning;
  }
}

TEST(GeometryStorage, ReadRefusalsAndCancellationKeepWhatWasDelivered) {
  CFastClock clock;
  ManagerHold source;
  FillManager(source.mgr, Numbered(1000));
  const std::string file = WriteToText(source.mgr);
  const std::string pointsFailed = "while parsing 'Points' data block";
  const std::string polygonsFailed = "while parsing 'Polygons' data block";
  const struct {
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
  for (const auto& c : cases) {
    // Into a client storage, and (cancellation only) into the manager itself.
    for (bool client : {true, false}) {
      if (!client && c.cancelAt < 0) continue;
      FeedbackRecorder feedback;
      feedback.cancelAt = c.cancelAt;
      ManagerHold mgr(&feedback);
      CRecordingReaderStorage storage;
      storage.logItems = false;
      storage.refusePoint = c.refusePoint;
      storage.refusePolygon = c.refusePolygon;
      CZinMemoryReadStream in(file);
      EXPECT_FALSE(mgr->read(&in, client ? &storage : nullptr)) << c.warning;
      // The block's failure, then the parse's end that it causes.
      EXPECT_EQ((Texts{c.warning, "exception (assertion failed)"}), feedback.texts());
      const Geometry& got = storage.geometries["scene"];
      EXPECT_EQ(c.points, client ? got.points.size() : mgr->getPoints()->getCount()) << c.warning;
      EXPECT_EQ(c.polygons, client ? got.polygons.size() : mgr->getPolygons()->getCount()) << c.warning;
      if (client) {
        EXPECT_EQ("destroy", storage.calls.back());
      }
    }
  }
}

TEST(GeometryStorage, ManagerAsStorageMessages) {
  FeedbackRecorder feedback;
  ManagerHold mgr(&feedback);
  FillManager(mgr.mgr, SmallGeometry());
  CZIN* zin = Zin(mgr);
  IZinExtStorageWriter::IWriter* writer = zin->createGeometryWriter(CZinUUID());
  ASSERT_NE(nullptr, writer);
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
  const char* point = "CZINGeoWriter::getPoint - Invalid point index";
  const char* polygon = "CZINGeoWriter::getPolygon - Invalid polygon index";
  EXPECT_EQ((Texts{point, point, polygon, polygon}), feedback.texts());
  feedback.warnings.clear();

  const CZinUUID unknown = CZinUUID::fromText("0123456789ABCDEF0123456789ABCDEF");
  EXPECT_EQ(nullptr, zin->createGeometryWriter(unknown));
  EXPECT_EQ(Texts{"CZIN::createGeometryWriter - Invalid component id"}, feedback.texts());
  // A reader for an unknown id makes the definition; the next one finds it.
  IZinExtStorageReader::IReader* reader = zin->createGeometryReader(unknown, true);
  const double one[3] = {1, 2, 3};
  reader->setPointCount(1);
  EXPECT_TRUE(reader->setPoint(one, 0));
  reader->destroy();
  zin->createGeometryReader(unknown, false)->destroy();
  ASSERT_EQ(1u, mgr->getInternalComponentDefinitions()->getCount());
  EXPECT_EQ(unknown, *Definition(mgr.mgr, 0)->getBasicData()->getId());
  writer = zin->createGeometryWriter(unknown);
  ASSERT_NE(nullptr, writer);
  EXPECT_EQ(1, writer->getPointCount());
  writer->destroy();
  // Reading appends: the scene's points are not emptied first.
  reader = zin->createGeometryReader(CZinUUID(), true);
  reader->setPointCount(2);
  reader->setPoint(one, 0);
  reader->destroy();
  EXPECT_EQ(4u, mgr->getPoints()->getCount());
  EXPECT_EQ(1u, feedback.warnings.size());
}

TEST(GeometryStorage, InternalComponentDefinitions) {
  const std::string first = "00000000000000000000000000000001", second = "FEDCBA9876543210FEDCBA9876543210";
  const Geometry a = SmallGeometry(), b{{{10, 20, 30}}, {Polygon(7, {Vertex(0), Vertex(0), Vertex(0)})}};
  const char* bPoints = "\n1 \n10.0 20.0 30.0 \n";

  ManagerHold source;
  FillManager(source.mgr, b);  // the scene's own geometry is not written once there are definitions
  for (const auto& [id, level, geometry] : {std::make_tuple(first, 0, &a), std::make_tuple(second, 2, &b)}) {
    auto* definition = static_cast<CZinZinObjectDefinition*>(
        source->getInternalComponentDefinitions()->newZinObject(kZinEndOfList));
    definition->setId(CZinUUID::fromText(id.c_str()));
    definition->setGeometryLevel(level);
    for (const CZinPoint& p : geometry->points) *definition->points().newZinObject(kZinEndOfList) = p;
    for (const Shape& s : geometry->polygons) FillPolygon(definition->polygons().newZinObject(kZinEndOfList), s);
  }
  const std::string file = WriteToText(source.mgr);
  EXPECT_EQ(std::string::npos, file.find("\n\t<Points>"));
  EXPECT_EQ(kSmallPoints, BlockOf(file, "Points"));
  EXPECT_EQ(bPoints, BlockOf(file, "Points", file.find(second)));

  FeedbackRecorder feedback;
  ManagerHold mgr(&feedback);
  CZinMemoryReadStream in(file);
  ASSERT_TRUE(mgr->read(&in, nullptr));
  EXPECT_EQ(0u, mgr->getPoints()->getCount());
  ASSERT_EQ(2u, mgr->getInternalComponentDefinitions()->getCount());
  CZinZinObjectDefinition *readOne = Definition(mgr.mgr, 0), *readTwo = Definition(mgr.mgr, 1);
  EXPECT_EQ(CZinUUID::fromText(second.c_str()), *readTwo->getBasicData()->getId());
  EXPECT_EQ(2, readTwo->geometryLevel());
  const Geometry gotOne = GeometryOf(&readOne->points(), &readOne->polygons());
  EXPECT_TRUE(SamePoints(a.points, gotOne.points));
  EXPECT_EQ(a.polygons, gotOne.polygons);
  EXPECT_EQ(b.polygons, GeometryOf(&readTwo->points(), &readTwo->polygons()).polygons);
  EXPECT_EQ(file, WriteToText(mgr.mgr)) << "written again, the same bytes";

  // A client storage is asked per definition, with the level-zero flag.
  CRecordingReaderStorage storage;
  storage.logItems = false;
  CZinMemoryReadStream third(file);
  mgr->readGeometry(&third, &storage);
  EXPECT_EQ(Concat({BlockCalls("create " + first + " level0", "setPointCount 3", "", 0),
                    BlockCalls("create " + first + " level0", "setPolygonCount 3", "", 0),
                    BlockCalls("create " + second, "setPointCount 1", "", 0),
                    BlockCalls("create " + second, "setPolygonCount 1", "", 0)}),
            storage.calls);
  CRecordingWriterStorage writer;
  writer.logItems = false;
  writer.geometries[first] = b;
  writer.geometries[second] = a;
  const std::string swapped = WriteToText(mgr.mgr, &writer);
  EXPECT_EQ(Concat({BlockCalls("create " + first, "getPointCount", "", 0),
                    BlockCalls("create " + first, "getPolygonCount", "", 0),
                    BlockCalls("create " + second, "getPointCount", "", 0),
                    BlockCalls("create " + second, "getPolygonCount", "", 0)}),
            writer.calls);
  EXPECT_EQ(bPoints, BlockOf(swapped, "Points"));

  // The manager finds its definitions by id however the client changes the list
  // between writes: ids swapped, a definition removed, one appended with an id that
  // is already there (the last of them holds the geometry).
  readOne->setId(CZinUUID::fromText(second.c_str()));
  readTwo->setId(CZinUUID::fromText(first.c_str()));
  const std::string exchanged = WriteToText(mgr.mgr);
  EXPECT_EQ(kSmallPoints, BlockOf(exchanged, "Points", exchanged.find(second)));
  EXPECT_EQ(bPoints, BlockOf(exchanged, "Points", exchanged.find("\"" + first + "\"")));
  mgr->getInternalComponentDefinitions()->removeObject(0);
  auto* twin = static_cast<CZinZinObjectDefinition*>(mgr->getInternalComponentDefinitions()->newZinObject(kZinEndOfList));
  twin->setId(CZinUUID::fromText(first.c_str()));
  *twin->points().newZinObject(kZinEndOfList) = CZinPoint{-1, -2, -3};
  const std::string twins = WriteToText(mgr.mgr);
  EXPECT_EQ("\n1 \n-1.0 -2.0 -3.0 \n", BlockOf(twins, "Points"));
  EXPECT_EQ("\n1 \n-1.0 -2.0 -3.0 \n", BlockOf(twins, "Points", twins.find("<Points>") + 1));
  EXPECT_EQ(Texts{}, feedback.texts());
}

// Every change a client can make to the component list, at random, against a search
// of the list from the last definition to the first: ids changed after insertion,
// definitions inserted, moved and removed (one held by the client beyond its removal),
// ids that several definitions share, the list emptied.
TEST(GeometryStorage, ComponentsFoundByIdAfterEveryChange) {
  std::vector<CZinUUID> ids;
  for (const char* id : {"1", "2", "3", "4", "5", "F"})  // "F" is never given
    ids.push_back(CZinUUID::fromText((std::string(31, '0') + id).c_str()));
  for (uint64_t seed = 1; seed <= 40; ++seed) {
    TZinComPtr<IZinZinObjectDefinition> survivor;  // outlives its manager
    {
      FeedbackRecorder feedback;
      ManagerHold mgr(&feedback);
      TZinObjectMgr<IZinZinObjectDefinition>* list = mgr->getInternalComponentDefinitions();
      std::mt19937_64 random(seed);
      auto pick = [&](uint32_t n) { return static_cast<uint32_t>(std::uniform_int_distribution<uint64_t>(0, n - 1)(random)); };
      for (int step = 0; step < 200; ++step) {
        const uint32_t count = list->getCount();
        switch (pick(count ? 7 : 2)) {
          case 0: list->newZinObject(kZinEndOfList)->getBasicData()->setId(ids[pick(5)]); break;
          case 1: list->newZinObject(pick(count + 1)); break;  // with its own new id
          case 2: list->getZinObject(pick(count))->getBasicData()->setId(ids[pick(5)]); break;
          case 3: list->moveObject(pick(count), pick(count)); break;
          case 4: {
            const uint32_t at = pick(count);
            TZinComPtr<IZinZinObjectDefinition> held(list->getZinObject(at));
            list->removeObject(at);
            held->getBasicData()->setId(ids[pick(5)]);  // out of the list: changes nothing there
            break;
          }
          case 5: list->removeObject(kZinEndOfList); break;
          default:
            if (pick(10) == 0) list->removeAll();
            break;
        }
        for (const CZinUUID& id : ids) {
          IZinZinObjectDefinition* expected = nullptr;
          for (uint32_t i = list->getCount(); i-- > 0 && !expected;)
            if (*list->getZinObject(i)->getBasicData()->getId() == id) expected = list->getZinObject(i);
          ASSERT_EQ(expected, static_cast<IZinZinObjectDefinition*>(Zin(mgr)->findComponent(id)))
              << "seed " << seed << " step " << step;
        }
      }
      if (list->getCount()) survivor.reset(list->getZinObject(0));
      EXPECT_EQ(Texts{}, feedback.texts());
    }
    if (survivor) survivor->getBasicData()->setId(ids[0]);
  }
}

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
  std::uniform_real_distribution<double> unit(-1.0, 1.0);
  switch (std::uniform_int_distribution<int>(0, 9)(random)) {
    case 0: return std::round(unit(random) * 1e6);
    case 1: return std::round(unit(random) * 1e7) / 1000.0;
    case 2: return std::ldexp(unit(random), std::uniform_int_distribution<int>(-40, 110)(random));
    case 3: return unit(random) * 3e9;
    case 4: return std::uniform_int_distribution<int>(0, 3)(random) == 0 ? -0.0 : 0.5;
    default: return unit(random) * 1e5;
  }
}

// Random geometry, and the same as a read gives it back.
std::pair<Geometry, Geometry> RandomGeometry(uint64_t seed, int points, int polygons) {
  std::mt19937_64 random(seed);
  Geometry g, read;
  for (int i = 0; i < points; ++i) {
    const double x = RandomValue(random), y = RandomValue(random), z = RandomValue(random);
    g.points.push_back(CZinPoint{x, y, z});
    read.points.push_back(CZinPoint{Written(x), Written(y), Written(z)});
  }
  std::uniform_int_distribution<int> small(0, 7), index(-5, points + 5);
  for (int i = 0; i < polygons; ++i) {
    Shape s, r;
    auto contour = [&](int size, std::vector<CZinVertex>& c, std::vector<CZinVertex>& asRead) {
      for (int v = 0; v < size; ++v) {
        CZinVertex vertex{index(random), 0, 0, 0};
        if (small(random) == 0) vertex.mFlags |= CZinVertex::kMarked;
        if (small(random) < 2) {
          vertex.mFlags |= CZinVertex::kMapped;
          vertex.mU = static_cast<float>(RandomValue(random));
          vertex.mV = static_cast<float>(RandomValue(random) / 1e5);
        }
        c.push_back(vertex);
        vertex.mU = static_cast<float>(Written(vertex.mU));
        vertex.mV = static_cast<float>(Written(vertex.mV));
        asRead.push_back(vertex);
      }
    };
    s.property = r.property = index(random) * 1000;
    s.smooth = r.smooth = small(random) < 3;
    contour(small(random) == 0 ? 0 : 3 + small(random) % 3, s.outer, r.outer);
    if (small(random) == 0) {
      // A holed polygon is written flat; keep the values what a read gives back.
      s.smooth = r.smooth = false;
      for (int h = small(random) % 3; h >= 0; --h) {
        s.holes.emplace_back();
        r.holes.emplace_back();
        contour(small(random), s.holes.back(), r.holes.back());
      }
    }
    g.polygons.push_back(s);
    read.polygons.push_back(r);
  }
  return {g, read};
}

}  // namespace

TEST(GeometryStorage, RandomGeometryRoundTrips) {
  for (uint64_t seed : {1u, 2u, 3u}) {
    const auto [original, expected] = RandomGeometry(seed, 3000, 1500);
    FeedbackRecorder feedback;
    ManagerHold writer(&feedback);
    CRecordingWriterStorage out;
    out.logItems = false;
    out.geometries["scene"] = original;
    const std::string file = WriteToText(writer.mgr, &out);

    // Into a client storage...
    CRecordingReaderStorage in;
    in.logItems = false;
    CZinMemoryReadStream stream(file);
    writer->readGeometry(&stream, &in);
    ASSERT_TRUE(SamePoints(expected.points, in.geometries["scene"].points));
    ASSERT_EQ(expected.polygons, in.geometries["scene"].polygons);

    // ...and into a manager, whose own write gives the same blocks again.
    ManagerHold reader(&feedback);
    CZinMemoryReadStream second(file);
    ASSERT_TRUE(reader->read(&second, nullptr));
    const Geometry held = GeometryOf(reader->getPoints(), reader->getPolygons());
    ASSERT_TRUE(SamePoints(expected.points, held.points));
    ASSERT_EQ(expected.polygons, held.polygons);
    const std::string again = WriteToText(reader.mgr);
    // A tiny negative value is written "-0.0", read as a negative zero, and written "0.0".
    EXPECT_EQ(BlockOf(ZinFuzz::WithoutNegativeZeros(file), "Points"), BlockOf(again, "Points"));
    EXPECT_EQ(BlockOf(ZinFuzz::WithoutNegativeZeros(file), "Polygons"), BlockOf(again, "Polygons"));

    // The values as read, written by a client storage, give the same blocks too.
    CRecordingWriterStorage readBack;
    readBack.logItems = false;
    readBack.geometries["scene"] = expected;
    const std::string third = WriteToText(writer.mgr, &readBack);
    EXPECT_EQ(BlockOf(again, "Points"), BlockOf(third, "Points"));
    EXPECT_EQ(BlockOf(again, "Polygons"), BlockOf(third, "Polygons"));
    EXPECT_EQ(Texts{}, feedback.texts());
  }
}
