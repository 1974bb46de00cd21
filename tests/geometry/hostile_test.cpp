// Blocks from strangers: announced counts that the data does not hold, every cut of
// a valid block, numbers at and beyond every limit. (Large blocks are hostile shapes.)
#include "geometry_support.h"

using namespace QvZinGeoTest;

namespace {

constexpr int64_t kMiB = 1 << 20;

// Forwards to the manager's own reader and follows the heap while it works.
class CHeapWatch final : public IZinExtStorageReader::IReader {
public:
  CHeapWatch(IZinExtStorageReader::IReader* inner, int64_t base) : mInner(inner), mBase(base) {}
  void destroy() override { mInner->destroy(); }
  void setPointCount(int count) override { mInner->setPointCount(count), note(); }
  bool setPoint(const double* xyz, int index) override { return note(), mInner->setPoint(xyz, index); }
  void setPolygonCount(int count) override { mInner->setPolygonCount(count), note(); }
  bool setPolygon(const IZinPolygon* polygon, int index) override { return note(), mInner->setPolygon(polygon, index); }
  void note() { mPeak = std::max(mPeak, HeapInUse() - mBase); }
  IZinExtStorageReader::IReader* mInner;
  int64_t mBase, mPeak = 0;
};

struct HostileRead {
  std::string error;
  Texts warnings;
  int64_t peak = 0;
  uint32_t items = 0;  // points or polygons the manager holds
};

// Reads a block into a new manager as its own storage, following the heap.
HostileRead ReadIntoManager(const std::string& block, bool points) {
  HostileRead result;
  FeedbackRecorder feedback;
  ManagerHold mgr(&feedback);
  const int64_t base = HeapInUse();
  CHeapWatch watch(Zin(mgr)->createGeometryReader(CZinUUID(), true), base);
  CStringReadStream in(block);
  result.error = ErrorOf([&] { (points ? ReadPointsBlock : ReadPolygonsBlock)(Zin(mgr), &watch, &in); });
  watch.destroy();
  result.peak = std::max(watch.mPeak, HeapInUse() - base);
  result.warnings = feedback.texts();
  result.items = points ? mgr->getPoints()->getCount() : mgr->getPolygons()->getCount();
  return result;
}

}  // namespace

TEST(GeometryHostile, AnnouncedCountsNeverAllocateAheadOfTheData) {
  const struct {
    const char* name;
    std::string block;
    bool points;
    const char* error;
    uint32_t delivered;
    Texts warnings;
  } cases[] = {
      {"points", "\n2147483647 \n1 2 3 \n4 5 6 \n7 8 9 \n", true, "This is not a number", 3,
       {"Numbers of points seems wrong"}},
      {"polygons", "\n2147483647 \np\t0 3 0 1 2 \np\t0 0 \n", false, "This is not a number", 2,
       {"Numbers of polygons seems wrong"}},
      {"contour", "\n1 \np\t0 2147483647 0 1 2 \n", false, "This is not a number", 0, {}},
      {"holes", "\n1 \nh\t0 2147483647 3 0 1 2 0 1 5 \n", false, "This is not a number", 0, {}},
      {"saturated count", "\n99999999999999999999999 \n1 2 3 \n", true, "This is not a number", 1,
       {"Numbers of points seems wrong"}},
      {"smallest count", "\n-2147483648 \n1 2 3 \n", true, "<no exception>", 0, {"Numbers of points seems wrong"}},
      {"negative count", "\n-1 \np\t0 0 \n", false, "<no exception>", 0, {"Numbers of polygons seems wrong"}},
      // A negative contour count reads no vertex; the property saturates.
      {"negative contour", "\n1 \np\t99999999999 -5 \n", false, "<no exception>", 1, {}},
      {"negative contours", "\n1 \nh\t-2147483648 -3 -1 \n", false, "<no exception>", 1, {}},
  };
  for (const auto& c : cases) {
    const HostileRead read = ReadIntoManager(c.block, c.points);
    EXPECT_EQ(c.error, read.error) << c.name;
    EXPECT_EQ(c.warnings, read.warnings) << c.name;
    EXPECT_EQ(c.delivered, read.items) << c.name;
    EXPECT_LT(read.peak, kMiB) << c.name;
  }

  // A client storage is told the count, and gets only what the data holds.
  CRecordingReaderStorage storage;
  storage.logItems = false;
  ManagerHold mgr;
  IZinExtStorageReader::IReader* reader = storage.createGeometryReader(CZinUUID(), true);
  CStringReadStream in(cases[0].block);
  EXPECT_EQ("This is not a number", ErrorOf([&] { ReadPointsBlock(Zin(mgr), reader, &in); }));
  reader->destroy();
  EXPECT_EQ((Texts{"create scene level0", "setPointCount 2147483647", "destroy"}), storage.calls);
  EXPECT_EQ(3u, storage.geometries["scene"].points.size());
}

TEST(GeometryHostile, EveryCutOfAValidBlockFails) {
  ManagerHold mgr;
  Geometry g;
  for (int i = 0; i < 5; ++i) g.points.push_back(CZinPoint{i * 1.25, -i * 1000.5, 3000000000.5 + i});
  const std::vector<CZinVertex> outer = {Vertex(0), Vertex(1, CZinVertex::kMarked),
                                         Vertex(2, CZinVertex::kMapped, 0.5f, 0.125f)};
  g.polygons = {Polygon(0, outer),
                Polygon(-12, {Vertex(4), Vertex(1, CZinVertex::kMarked | CZinVertex::kMapped, 1.5f, -2.0f)}, {}, true),
                Polygon(7, outer, {{Vertex(3), Vertex(4)}, {}})};
  FillManager(mgr.mgr, g);
  const std::string file = WriteToText(mgr.mgr);
  for (const bool points : {true, false}) {
    const std::string block = BlockOf(file, points ? "Points" : "Polygons");
    ASSERT_EQ('\n', block.back());
    // Only the final line feed can go without loss: every longer cut fails.
    for (size_t length = 0; length + 1 < block.size(); ++length) {
      const HostileRead cut = ReadIntoManager(block.substr(0, length), points);
      EXPECT_TRUE(cut.error == "This is not a number" || cut.error == "This is not a integer") << length << cut.error;
      EXPECT_EQ(Texts{}, cut.warnings) << length;
    }
    const HostileRead last = ReadIntoManager(block.substr(0, block.size() - 1), points);
    EXPECT_EQ("<no exception>", last.error);
    EXPECT_EQ(points ? 5u : 3u, last.items);
  }
}

TEST(GeometryHostile, LongTokensAndRunsOfBlanks) {
  // A megabyte of blanks between two numbers, a 200 000-digit coordinate, and a
  // 200 000-digit integer: read in bounded pieces, with the limits' values.
  const std::string block = "\n2 \n1" + std::string(1 << 20, ' ') + "2 " + std::string(200000, '7') + " \n0." +
                            std::string(200000, '0') + "5 -" + std::string(200000, '0') + "1.5 1 \n";
  const HostileRead read = ReadIntoManager(block, true);
  EXPECT_EQ("<no exception>", read.error);
  EXPECT_LT(read.peak, 2 * kMiB);
  CRecordingReaderStorage storage;
  ManagerHold mgr;
  IZinExtStorageReader::IReader* reader = storage.createGeometryReader(CZinUUID(), true);
  CStringReadStream in(block);
  ReadPointsBlock(Zin(mgr), reader, &in);
  reader->destroy();
  EXPECT_TRUE(SamePoints({{1, 2, 1e30}, {0, -1.5, 1}}, storage.geometries["scene"].points));

  const HostileRead integer = ReadIntoManager("\n1 \np\t0 1 " + std::string(200000, '9') + " \n", false);
  EXPECT_EQ("<no exception>", integer.error);
  EXPECT_EQ(1u, integer.items);
}
