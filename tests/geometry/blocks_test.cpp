// The points and polygons blocks: their exact bytes, the reading rules with every
// message, the transformation, and the spacing of progress reports.
#include <cmath>

#include "geometry_support.h"

using namespace QvZinGeoTest;

namespace {

std::string WriteFile(IZinMgr* mgr, IZinExtStorageWriter* storage = nullptr) {
  CZinMemoryWriteStream out;
  EXPECT_TRUE(mgr->write(&out, storage));
  return out.bytes();
}

void AddPoint(IZinMgr* mgr, double x, double y, double z) {
  *mgr->getPoints()->newZinObject(kZinEndOfList) = CZinPoint{x, y, z};
}

void AddPolygon(IZinMgr* mgr, const Shape& shape) { FillPolygon(mgr->getPolygons()->newZinObject(kZinEndOfList), shape); }

Shape Flat(int32_t property, std::vector<CZinVertex> outer, std::vector<std::vector<CZinVertex>> holes = {}) {
  Shape shape;
  shape.property = property;
  shape.outer = std::move(outer);
  shape.holes = std::move(holes);
  return shape;
}

Shape Smooth(int32_t property, std::vector<CZinVertex> outer, std::vector<std::vector<CZinVertex>> holes = {}) {
  Shape shape = Flat(property, std::move(outer), std::move(holes));
  shape.smooth = true;
  return shape;
}

// Reads a block straight through the block routine into a recording storage.
struct BlockRead {
  CRecordingReaderStorage storage;
  CFeedback feedback;
  ManagerHold mgr{&feedback};
  std::string error = "<none>";

  BlockRead(const std::string& text, bool points) {
    IZinExtStorageReader::IReader* reader = storage.createGeometryReader(CZinUUID(), true);
    CTextReadStream in(text);
    error = ErrorOf([&] {
      if (points)
        ReadPointsBlock(mgr.zin(), reader, &in);
      else
        ReadPolygonsBlock(mgr.zin(), reader, &in);
    });
    reader->destroy();
  }
  const Geometry& geometry() { return storage.geometries["scene"]; }
};

}  // namespace

TEST(GeometryBlocks, PointsWrittenByteForByte) {
  struct Case {
    std::vector<CZinPoint> points;
    const char* block;
  } cases[] = {
      {{}, "\n0 \n"},
      {{{1, 0.1, -2.25}}, "\n1 \n1.0 0.1 -2.25 \n"},
      {{{0, -0.0, 1.0 / 3.0}, {2.0 / 3.0, 123456.5, -7}},
       "\n2 \n0.0 0.0 0.333333 \n0.666667 123456.5 -7.0 \n"},
      // Above 2147483647 the six-decimal form; beyond 1e30 the clamped value in it.
      {{{3000000000.5, 1e40, -1e40}},
       "\n1 \n3000000000.500000 1000000000000000019884624838656.000000 -1000000000000000019884624838656.000000 \n"},
      // 2147483647 is the last magnitude of the short form.
      {{{2147483647.0, -2147483647.25, 0.0000004}}, "\n1 \n2147483647.0 -2147483647.250000 0.0 \n"},
      // A tiny negative keeps its sign; zero of either sign is "0.0".
      {{{-0.0000004, -0.000002, -0.0}}, "\n1 \n-0.0 -0.000002 0.0 \n"},
      {{{NAN, INFINITY, -INFINITY}},
       "\n1 \n1000000000000000019884624838656.000000 1000000000000000019884624838656.000000 "
       "-1000000000000000019884624838656.000000 \n"},
  };
  for (const Case& c : cases) {
    CFeedback feedback;
    ManagerHold mgr(&feedback);
    for (const CZinPoint& p : c.points) AddPoint(mgr.mgr, p.mX, p.mY, p.mZ);
    const std::string file = WriteFile(mgr.mgr);
    EXPECT_EQ(c.block, BlockOf(file, "Points"));
    EXPECT_EQ("\n0 \n", BlockOf(file, "Polygons"));
    EXPECT_EQ(Texts{}, feedback.warnings);
  }
}

TEST(GeometryBlocks, PolygonsWrittenByteForByte) {
  const float half = 0.5f, quarter = 0.25f;
  struct Case {
    std::vector<Shape> polygons;
    const char* block;
    Texts warnings;
  } cases[] = {
      {{Flat(2, {Vertex(0), Vertex(1), Vertex(2)})}, "\n1 \np\t2 3 0 1 2 \n", {}},
      {{Smooth(-1, {Vertex(0), Vertex(1), Vertex(2), Vertex(3)})}, "\n1 \no\t-1 4 0 1 2 3 \n", {}},
      {{Flat(0, {Vertex(0), Vertex(1), Vertex(2), Vertex(3)}, {{Vertex(4), Vertex(5), Vertex(6)}, {Vertex(7)}})},
       "\n1 \nh\t0 3 4 0 1 2 3 3 4 5 6 1 7 \n",
       {}},
      // A holed polygon cannot say that it is smooth.
      {{Smooth(9, {Vertex(0), Vertex(1), Vertex(2)}, {{}})},
       "\n1 \nh\t9 2 3 0 1 2 0 \n",
       {"Holed polygon smoothed (smoothing will be loss)"}},
      {{Flat(0, {Vertex(7, CZinVertex::kMarked), Vertex(7, CZinVertex::kMapped, half, quarter),
                 Vertex(-7, CZinVertex::kMarked | CZinVertex::kMapped, -1.0f / 3, 1e31f), Vertex(8, 4u)})},
       "\n1 \np\t0 4 I 7 M 0.5 0.25 7 I M -0.333333 1000000000000000019884624838656.000000 -7 8 \n",
       {}},
      {{Flat(1, {}), Smooth(2, {Vertex(1)}), Flat(3, {Vertex(2), Vertex(3)}, {{Vertex(4)}})},
       "\n3 \np\t1 0 \no\t2 1 1 \nh\t3 2 2 2 3 1 4 \n",
       {}},
  };
  for (const Case& c : cases) {
    CFeedback feedback;
    ManagerHold mgr(&feedback);
    for (const Shape& shape : c.polygons) AddPolygon(mgr.mgr, shape);
    const std::string file = WriteFile(mgr.mgr);
    EXPECT_EQ(c.block, BlockOf(file, "Polygons"));
    EXPECT_EQ(c.warnings, feedback.warnings);
  }
}

TEST(GeometryBlocks, PointsReadingRules) {
  struct Case {
    const char* block;
    std::vector<CZinPoint> points;
    Texts warnings;
    const char* error;
  } cases[] = {
      {"\n2 \n1.0 0.1 -2.25 \n4 5 6 \n", {{1, 0.1, -2.25}, {4, 5, 6}}, {}, "<none>"},
      // Any run of blanks, tabs, carriage returns and line feeds separates tokens.
      {"\r\n\t1\t\r\n  +1.5\t\t-.5\r\n3. \r\n", {{1.5, -0.5, 3}}, {}, "<none>"},
      // No exponent: "1e5" is 1, its "e" ends it and is consumed.
      {"\n1 \n1e5 2 \n", {{1, 5, 2}}, {}, "<none>"},
      {"\n1 \nnan -INF iNf \n", {{1e30, -1e30, 1e30}}, {"NaN double.", "INF double.", "INF double."}, "<none>"},
      {"\n1 \n-NaN +inf 0.30000000000000004441 \n", {{-1e30, 1e30, 0.30000000000000004}},
       {"NaN double.", "INF double."}, "<none>"},
      {"\n0 \n", {}, {"Numbers of points seems wrong"}, "<none>"},
      {"\n-3 \n1 2 3 \n", {}, {"Numbers of points seems wrong"}, "<none>"},
      {"\n10000000 \n1 2 3 \n", {{1, 2, 3}}, {"Numbers of points seems wrong"}, "This is not a number"},
      {"\n9999999 \n1 2 3 \n", {{1, 2, 3}}, {}, "This is not a number"},
      {"\n1 \n1 2 x \n", {}, {}, "This is not a number"},
      {"\n1 \n1 2 na \n", {}, {}, "This is not a number"},
      {"\n1 \n1 - 2 3 \n", {}, {}, "This is not a number"},
      {"\n1.5 \n", {}, {}, "This is not a integer"},
      {"\nabc \n", {}, {}, "This is not a number"},
      {"", {}, {}, "This is not a number"},
  };
  for (const Case& c : cases) {
    BlockRead read(c.block, true);
    EXPECT_EQ(c.error, read.error) << c.block;
    EXPECT_EQ(c.warnings, read.feedback.warnings) << c.block;
    const std::vector<CZinPoint>& got = read.geometry().points;
    ASSERT_EQ(c.points.size(), got.size()) << c.block;
    for (size_t i = 0; i < got.size(); ++i) {
      EXPECT_EQ(c.points[i].mX, got[i].mX) << c.block;
      EXPECT_EQ(c.points[i].mY, got[i].mY) << c.block;
      EXPECT_EQ(c.points[i].mZ, got[i].mZ) << c.block;
    }
  }
}

TEST(GeometryBlocks, PolygonsReadingRules) {
  struct Case {
    const char* block;
    std::vector<Shape> polygons;
    Texts warnings;
    const char* error;
  } cases[] = {
      {"\n3 \np\t2 3 0 1 2 \no\t-1 1 5 \nh\t4 3 1 0 2 1 2 1 3 \n",
       {Flat(2, {Vertex(0), Vertex(1), Vertex(2)}), Smooth(-1, {Vertex(5)}),
        Flat(4, {Vertex(0)}, {{Vertex(1), Vertex(2)}, {Vertex(3)}})},
       {},
       "<none>"},
      {"\n1 \nx\t0 3 0 1 2 \n", {Flat(0, {Vertex(0), Vertex(1), Vertex(2)})}, {"Polygon type unknown"}, "<none>"},
      // "h" with one contour, or none, has no holes (and is not smooth).
      {"\n2 \nh\t0 1 2 0 1 \nh\t0 0 1 9 \n", {Flat(0, {Vertex(0), Vertex(1)}), Flat(0, {Vertex(9)})}, {}, "<none>"},
      {"\n1 \np\t0 4 M 0.5 0.25 7 I 8 I M -1 2 9 M nan 0.1 3 \n",
       {Flat(0, {Vertex(7, CZinVertex::kMapped, 0.5f, 0.25f), Vertex(8, CZinVertex::kMarked),
                 Vertex(9, CZinVertex::kMarked | CZinVertex::kMapped, -1.0f, 2.0f),
                 Vertex(3, CZinVertex::kMapped, 1e30f, 0.1f)})},
       {"NaN double."},
       "<none>"},
      {"\n0 \n", {}, {"Numbers of polygons seems wrong"}, "<none>"},
      {"\n10000000 \np\t0 0 \n", {Flat(0, {})}, {"Numbers of polygons seems wrong"}, "This is not a number"},
      // The marks come in their order: "M" before "I" leaves "I" where u should be.
      {"\n1 \np\t0 1 M I 0 0 7 \n", {}, {}, "This is not a number"},
      {"\n1 \np\t0 3 0 1.5 2 \n", {}, {}, "This is not a integer"},
      {"\n1 \np\t0.5 3 0 1 2 \n", {}, {}, "This is not a integer"},
      {"\n2 \np\t0 3 0 1 2 \n", {Flat(0, {Vertex(0), Vertex(1), Vertex(2)})}, {}, "This is not a number"},
  };
  for (const Case& c : cases) {
    BlockRead read(c.block, false);
    EXPECT_EQ(c.error, read.error) << c.block;
    EXPECT_EQ(c.warnings, read.feedback.warnings) << c.block;
    EXPECT_EQ(c.polygons, read.geometry().polygons) << c.block;
  }
}

TEST(GeometryBlocks, DocumentReadReportsABadBlockOnce) {
  struct Case {
    const char* points;
    const char* polygons;
    Texts warnings;
  } cases[] = {
      {"\n1 \n1 2 x \n", "\n0 \n",
       {"Error \"This is not a number\" while parsing 'Points' data block", "exception (assertion failed)"}},
      {"\n1 \n1 2 3 \n", "\n1 \np\t0 1 1.5 \n",
       {"Error \"This is not a integer\" while parsing 'Polygons' data block", "exception (assertion failed)"}},
  };
  ManagerHold source;
  AddPoint(source.mgr, 1, 2, 3);
  AddPolygon(source.mgr, Flat(0, {Vertex(0)}));
  const std::string file = WriteFile(source.mgr);
  for (const Case& c : cases) {
    std::string damaged = file;
    const std::string points = BlockOf(file, "Points"), polygons = BlockOf(file, "Polygons");
    damaged.replace(damaged.find(polygons, damaged.find("<Polygons>")), polygons.size(), c.polygons);
    damaged.replace(damaged.find(points, damaged.find("<Points>")), points.size(), c.points);
    CFeedback feedback;
    ManagerHold mgr(&feedback);
    CZinMemoryReadStream in(damaged);
    EXPECT_FALSE(mgr->read(&in, nullptr));
    EXPECT_EQ(c.warnings, feedback.warnings);
    for (IZinMgr* reported : feedback.managers) EXPECT_EQ(mgr.mgr, reported);
  }
}

TEST(GeometryBlocks, TransformationOnReadingNeverOnWriting) {
  const double translate[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 10, 0, 0, 1};
  ManagerHold source;
  AddPoint(source.mgr, 1, 2, 3);
  AddPolygon(source.mgr, Flat(0, {Vertex(0)}));
  const std::string file = WriteFile(source.mgr);

  CFeedback feedback;
  ManagerHold mgr(&feedback);
  mgr->setTransformation(translate);
  CZinMemoryReadStream in(file);
  ASSERT_TRUE(mgr->read(&in, nullptr));
  ASSERT_EQ(1u, mgr->getPoints()->getCount());
  EXPECT_EQ(11, mgr->getPoints()->getZinObject(0)->mX);
  EXPECT_EQ(2, mgr->getPoints()->getZinObject(0)->mY);
  // Written as stored: the transformation is not applied a second time.
  EXPECT_EQ("\n1 \n11.0 2.0 3.0 \n", BlockOf(WriteFile(mgr.mgr), "Points"));

  // A client storage's points go out as it gives them, and come in transformed.
  CRecordingWriterStorage out;
  out.geometries["scene"].points = {{1, 2, 3}};
  EXPECT_EQ("\n1 \n1.0 2.0 3.0 \n", BlockOf(WriteFile(mgr.mgr, &out), "Points"));
  CRecordingReaderStorage into;
  CZinMemoryReadStream again(file);
  mgr->readGeometry(&again, &into);
  ASSERT_EQ(1u, into.geometries["scene"].points.size());
  EXPECT_EQ(11, into.geometries["scene"].points[0].mX);
  EXPECT_EQ(Texts{}, feedback.warnings);
}

TEST(GeometryBlocks, ProgressSpacing) {
  CFastClock clock;
  struct Case {
    int count;
    std::vector<int> reading, writing;
  } cases[] = {
      {0, {1000}, {1000}},
      {100, {1000}, {1000}},
      {250, {400, 800, 1000}, {400, 800, 1000}},
      {1000, {100, 200, 300, 400, 500, 600, 700, 800, 900, 1000}, {100, 200, 300, 400, 500, 600, 700, 800, 900, 1000}},
  };
  for (const Case& c : cases) {
    CRecordingWriterStorage storage;
    Geometry& geometry = storage.geometries["scene"];
    for (int i = 0; i < c.count; ++i) {
      geometry.points.push_back(CZinPoint{double(i), 0, 0});
      geometry.polygons.push_back(Flat(i, {Vertex(i)}));
    }
    CFeedback feedback;
    ManagerHold mgr(&feedback);
    const std::string file = WriteFile(mgr.mgr, &storage);
    std::vector<int> expected = c.writing;
    for (int position : c.writing) expected.push_back(1000 + position);
    EXPECT_EQ(expected, feedback.positions) << c.count;
    EXPECT_EQ(std::vector<int>(expected.size(), 2000), feedback.ranges);
    for (IZinMgr* reported : feedback.managers) EXPECT_EQ(mgr.mgr, reported);

    CFeedback readFeedback;
    ManagerHold reader(&readFeedback);
    CZinMemoryReadStream in(file);
    ASSERT_TRUE(reader->read(&in, nullptr));
    expected = c.reading;
    for (int position : c.reading) expected.push_back(1000 + position);
    EXPECT_EQ(expected, readFeedback.positions) << c.count;
  }
}

TEST(GeometryBlocks, NoProgressWithoutTimeOrFeedback) {
  // The real clock: a small block is done long before 100 ms.
  CRecordingWriterStorage storage;
  for (int i = 0; i < 500; ++i) storage.geometries["scene"].points.push_back(CZinPoint{double(i), 0, 0});
  CFeedback feedback;
  ManagerHold mgr(&feedback);
  const std::string file = WriteFile(mgr.mgr, &storage);
  EXPECT_EQ(std::vector<int>{}, feedback.positions);

  // No feedback object: nothing is reported, nothing can cancel.
  CFastClock clock;
  ManagerHold silent;
  CZinMemoryReadStream in(file);
  EXPECT_TRUE(silent->read(&in, nullptr));
  EXPECT_EQ(500u, silent->getPoints()->getCount());
  CZinMemoryWriteStream out;
  EXPECT_TRUE(silent->write(&out, nullptr));
}
