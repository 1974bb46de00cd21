// The points and polygons blocks: their exact bytes, the reading rules with every
// message, the transformation, and the spacing of progress reports.
#include <cmath>

#include "geometry_support.h"

using namespace QvZinGeoTest;

namespace {

Shape Smooth(int32_t property, std::vector<CZinVertex> outer, std::vector<std::vector<CZinVertex>> holes = {}) {
  return Polygon(property, std::move(outer), std::move(holes), true);
}

// Reads a block straight through the block routine into a recording storage.
struct BlockRead {
  CRecordingReaderStorage storage;
  FeedbackRecorder feedback;
  ManagerHold mgr{&feedback};
  std::string error;

  BlockRead(const std::string& text, bool points) {
    IZinExtStorageReader::IReader* reader = storage.createGeometryReader(CZinUUID(), true);
    CStringReadStream in(text);
    error = ErrorOf([&] { (points ? ReadPointsBlock : ReadPolygonsBlock)(Zin(mgr), reader, &in); });
    reader->destroy();
  }
  const Geometry& geometry() { return storage.geometries["scene"]; }
};

}  // namespace

TEST(GeometryBlocks, WrittenByteForByte) {
  const float half = 0.5f, quarter = 0.25f;
  const std::string big = "1000000000000000019884624838656.000000";
  const struct {
    Geometry geometry;
    std::string points, polygons;
    Texts warnings;
  } cases[] = {
      {{}, "\n0 \n", "\n0 \n", {}},
      {{{{0, -0.0, 1.0 / 3.0}, {2.0 / 3.0, 123456.5, -7}}, {}},
       "\n2 \n0.0 0.0 0.333333 \n0.666667 123456.5 -7.0 \n", "\n0 \n", {}},
      // Above 2147483647 the six-decimal form, beyond 1e30 the clamp; 2147483647 is
      // the last magnitude of the short form; a tiny negative keeps its sign.
      {{{{3000000000.5, 1e40, -INFINITY}, {2147483647.0, -2147483647.25, 0.0000004}, {-0.0000004, -0.000002, NAN}},
        {}},
       "\n3 \n3000000000.500000 " + big + " -" + big + " \n2147483647.0 -2147483647.250000 0.0 \n-0.0 -0.000002 " +
           big + " \n",
       "\n0 \n",
       {}},
      {{{},
        {Polygon(2, {Vertex(0), Vertex(1), Vertex(2)}), Smooth(-1, {Vertex(0), Vertex(1), Vertex(2), Vertex(3)}),
         Polygon(0, {Vertex(0), Vertex(1), Vertex(2), Vertex(3)}, {{Vertex(4), Vertex(5), Vertex(6)}, {Vertex(7)}}),
         Polygon(0, {Vertex(7, CZinVertex::kMarked), Vertex(7, CZinVertex::kMapped, half, quarter),
                     Vertex(-7, CZinVertex::kMarked | CZinVertex::kMapped, -1.0f / 3, 1e31f), Vertex(8, 4u)}),
         Polygon(1, {}), Smooth(2, {Vertex(1)})}},
       "\n0 \n",
       "\n6 \np\t2 3 0 1 2 \no\t-1 4 0 1 2 3 \nh\t0 3 4 0 1 2 3 3 4 5 6 1 7 \np\t0 4 I 7 M 0.5 0.25 7 I M -0.333333 " +
           big + " -7 8 \np\t1 0 \no\t2 1 1 \n",
       {}},
      // A holed polygon cannot say that it is smooth.
      {{{}, {Smooth(9, {Vertex(0), Vertex(1), Vertex(2)}, {{}})}},
       "\n0 \n",
       "\n1 \nh\t9 2 3 0 1 2 0 \n",
       {"Holed polygon smoothed (smoothing will be loss)"}},
  };
  for (const auto& c : cases) {
    FeedbackRecorder feedback;
    ManagerHold mgr(&feedback);
    FillManager(mgr.mgr, c.geometry);
    const std::string file = WriteToText(mgr.mgr);
    EXPECT_EQ(c.points, BlockOf(file, "Points"));
    EXPECT_EQ(c.polygons, BlockOf(file, "Polygons"));
    EXPECT_EQ(c.warnings, feedback.texts());
  }
}

TEST(GeometryBlocks, ReadingRules) {
  const struct {
    const char* block;
    bool points;
    Geometry expected;
    Texts warnings;
    const char* error;
  } cases[] = {
      {"\n2 \n1.0 0.1 -2.25 \n4 5 6 \n", true, {{{1, 0.1, -2.25}, {4, 5, 6}}, {}}, {}, "<no exception>"},
      // Any run of blanks, tabs, carriage returns and line feeds separates tokens.
      {"\r\n\t1\t\r\n  +1.5\t\t-.5\r\n3. \r\n", true, {{{1.5, -0.5, 3}}, {}}, {}, "<no exception>"},
      // No exponent: "1e5" is 1, its "e" ends it and is consumed.
      {"\n1 \n1e5 2 \n", true, {{{1, 5, 2}}, {}}, {}, "<no exception>"},
      {"\n1 \n-NaN +inf 0.30000000000000004441 \n", true, {{{-1e30, 1e30, 0.30000000000000004}}, {}},
       {"NaN double.", "INF double."}, "<no exception>"},
      {"\n0 \n", true, {}, {"Numbers of points seems wrong"}, "<no exception>"},
      {"\n-3 \n1 2 3 \n", true, {}, {"Numbers of points seems wrong"}, "<no exception>"},
      {"\n10000000 \n1 2 3 \n", true, {{{1, 2, 3}}, {}}, {"Numbers of points seems wrong"}, "This is not a number"},
      {"\n9999999 \n1 2 3 \n", true, {{{1, 2, 3}}, {}}, {}, "This is not a number"},
      {"\n1 \n1 2 x \n", true, {}, {}, "This is not a number"},
      {"\n1 \n1 - 2 3 \n", true, {}, {}, "This is not a number"},
      {"\n1.5 \n", true, {}, {}, "This is not a integer"},
      {"", true, {}, {}, "This is not a number"},
      {"\n3 \np\t2 3 0 1 2 \no\t-1 1 5 \nh\t4 3 1 0 2 1 2 1 3 \n", false,
       {{},
        {Polygon(2, {Vertex(0), Vertex(1), Vertex(2)}), Smooth(-1, {Vertex(5)}),
         Polygon(4, {Vertex(0)}, {{Vertex(1), Vertex(2)}, {Vertex(3)}})}},
       {}, "<no exception>"},
      {"\n1 \nx\t0 3 0 1 2 \n", false, {{}, {Polygon(0, {Vertex(0), Vertex(1), Vertex(2)})}}, {"Polygon type unknown"},
       "<no exception>"},
      // "h" with one contour, or none, has no holes (and is not smooth).
      {"\n2 \nh\t0 1 2 0 1 \nh\t0 0 1 9 \n", false, {{}, {Polygon(0, {Vertex(0), Vertex(1)}), Polygon(0, {Vertex(9)})}},
       {}, "<no exception>"},
      {"\n1 \np\t0 4 M 0.5 0.25 7 I 8 I M -1 2 9 M nan 0.1 3 \n", false,
       {{},
        {Polygon(0, {Vertex(7, CZinVertex::kMapped, 0.5f, 0.25f), Vertex(8, CZinVertex::kMarked),
                     Vertex(9, CZinVertex::kMarked | CZinVertex::kMapped, -1.0f, 2.0f),
                     Vertex(3, CZinVertex::kMapped, 1e30f, 0.1f)})}},
       {"NaN double."}, "<no exception>"},
      {"\n0 \n", false, {}, {"Numbers of polygons seems wrong"}, "<no exception>"},
      {"\n10000000 \np\t0 0 \n", false, {{}, {Polygon(0, {})}}, {"Numbers of polygons seems wrong"},
       "This is not a number"},
      // The marks come in their order: "M" before "I" leaves "I" where u should be.
      {"\n1 \np\t0 1 M I 0 0 7 \n", false, {}, {}, "This is not a number"},
      {"\n1 \np\t0 3 0 1.5 2 \n", false, {}, {}, "This is not a integer"},
      {"\n1 \np\t0.5 3 0 1 2 \n", false, {}, {}, "This is not a integer"},
      {"\n2 \np\t0 3 0 1 2 \n", false, {{}, {Polygon(0, {Vertex(0), Vertex(1), Vertex(2)})}}, {},
       "This is not a number"},
  };
  for (const auto& c : cases) {
    BlockRead read(c.block, c.points);
    EXPECT_EQ(c.error, read.error) << c.block;
    EXPECT_EQ(c.warnings, read.feedback.texts()) << c.block;
    EXPECT_TRUE(SamePoints(c.expected.points, read.geometry().points)) << c.block;
    EXPECT_EQ(c.expected.polygons, read.geometry().polygons) << c.block;
  }

  // In a document read, a bad block is reported once, with the block's name.
  ManagerHold source;
  FillManager(source.mgr, {{{1, 2, 3}}, {Polygon(0, {Vertex(0)})}});
  const std::string file = WriteToText(source.mgr);
  const struct {
    std::string from, to, warning;
  } damages[] = {{"\n1.0 2.0 3.0 \n", "\n1.0 2.0 x \n", "Error \"This is not a number\" while parsing 'Points' data block"},
                 {"p\t0 1 0 ", "p\t0 1 1.5 ", "Error \"This is not a integer\" while parsing 'Polygons' data block"}};
  for (const auto& d : damages) {
    FeedbackRecorder feedback;
    ManagerHold mgr(&feedback);
    const std::string damaged = Replaced(file, d.from, d.to);
    CZinMemoryReadStream in(damaged);
    EXPECT_FALSE(mgr->read(&in, nullptr));
    EXPECT_EQ((Texts{d.warning, "exception (assertion failed)"}), feedback.texts());
    for (const auto& warning : feedback.warnings) EXPECT_EQ(mgr.mgr, warning.mgr);
  }
}

TEST(GeometryBlocks, TransformationOnReadingNeverOnWriting) {
  const double translate[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 10, 0, 0, 1};
  ManagerHold source;
  FillManager(source.mgr, {{{1, 2, 3}}, {Polygon(0, {Vertex(0)})}});
  const std::string file = WriteToText(source.mgr);

  FeedbackRecorder feedback;
  ManagerHold mgr(&feedback);
  mgr->setTransformation(translate);
  CZinMemoryReadStream in(file);
  ASSERT_TRUE(mgr->read(&in, nullptr));
  // Written as stored: the transformation is not applied a second time.
  EXPECT_EQ("\n1 \n11.0 2.0 3.0 \n", BlockOf(WriteToText(mgr.mgr), "Points"));

  // A client storage's points go out as it gives them, and come in transformed.
  CRecordingWriterStorage out;
  out.geometries["scene"].points = {{1, 2, 3}};
  EXPECT_EQ("\n1 \n1.0 2.0 3.0 \n", BlockOf(WriteToText(mgr.mgr, &out), "Points"));
  CRecordingReaderStorage into;
  CZinMemoryReadStream again(file);
  mgr->readGeometry(&again, &into);
  EXPECT_TRUE(SamePoints({{11, 2, 3}}, into.geometries["scene"].points));
  EXPECT_EQ(Texts{}, feedback.texts());
}

TEST(GeometryBlocks, ProgressSpacing) {
  // A clock that stands still never reaches the spacing; one that moves exactly
  // 100 ms between readings is past it at every other check only. Both are fake,
  // so a busy machine cannot change what is reported.
  CRecordingWriterStorage small;
  for (int i = 0; i < 500; ++i) small.geometries["scene"].points.push_back(CZinPoint{double(i), 0, 0});
  FeedbackRecorder quiet, exact;
  ManagerHold quietMgr(&quiet), exactMgr(&exact);
  const CZinProgress::CClock previous = CZinProgress::sClock;
  CZinProgress::sClock = [] { return uint64_t(5); };
  WriteToText(quietMgr.mgr, &small);
  EXPECT_EQ(std::vector<int>{}, quiet.positions);
  CZinProgress::sClock = [] {
    static uint64_t now = 0;
    return now += 100;
  };
  WriteToText(exactMgr.mgr, &small);
  CZinProgress::sClock = previous;
  EXPECT_EQ((std::vector<int>{400, 800}), exact.positions);

  CFastClock clock;
  const struct {
    int count;
    std::vector<int> positions;  // in each block, the same reading and writing
  } cases[] = {
      {0, {1000}},
      {100, {1000}},
      {250, {400, 800, 1000}},
      {1000, {100, 200, 300, 400, 500, 600, 700, 800, 900, 1000}},
  };
  for (const auto& c : cases) {
    CRecordingWriterStorage storage;
    Geometry& geometry = storage.geometries["scene"];
    for (int i = 0; i < c.count; ++i) {
      geometry.points.push_back(CZinPoint{double(i), 0, 0});
      geometry.polygons.push_back(Polygon(i, {Vertex(i)}));
    }
    std::vector<int> expected = c.positions;
    for (int position : c.positions) expected.push_back(1000 + position);
    FeedbackRecorder feedback;
    ManagerHold mgr(&feedback);
    const std::string file = WriteToText(mgr.mgr, &storage);
    EXPECT_EQ(expected, feedback.positions) << c.count;
    EXPECT_EQ(std::vector<int>(expected.size(), 2000), feedback.ranges);
    EXPECT_EQ(std::vector<IZinMgr*>(expected.size(), mgr.mgr), feedback.progressManagers);

    FeedbackRecorder readFeedback;
    ManagerHold reader(&readFeedback);
    CZinMemoryReadStream in(file);
    ASSERT_TRUE(reader->read(&in, nullptr));
    EXPECT_EQ(expected, readFeedback.positions) << c.count;

    // Without a feedback object nothing is reported, and nothing can cancel.
    ManagerHold silent;
    CZinMemoryReadStream again(file);
    EXPECT_TRUE(silent->read(&again, nullptr));
  }
}
