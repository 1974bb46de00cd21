// Blocks from strangers: announced counts that the data does not hold, every cut of
// a valid block, numbers at and beyond every limit, and a large block read whole
// under the sanitizers.
#include <charconv>
#include <chrono>

#include "geometry_support.h"

using namespace QvZinGeoTest;

namespace {

constexpr int64_t kMiB = 1 << 20;

// Forwards to the manager's own reader and follows the heap while it works.
class CHeapWatch final : public IZinExtStorageReader::IReader {
public:
  CHeapWatch(IZinExtStorageReader::IReader* inner, int64_t base) : mInner(inner), mBase(base) {}
  void destroy() override { mInner->destroy(); }
  void setPointCount(int count) override {
    mInner->setPointCount(count);
    note();
  }
  bool setPoint(const double* xyz, int index) override {
    note();
    return mInner->setPoint(xyz, index);
  }
  void setPolygonCount(int count) override {
    mInner->setPolygonCount(count);
    note();
  }
  bool setPolygon(const IZinPolygon* polygon, int index) override {
    note();
    return mInner->setPolygon(polygon, index);
  }
  int64_t mPeak = 0;

private:
  void note() { mPeak = std::max(mPeak, HeapInUse() - mBase); }
  IZinExtStorageReader::IReader* mInner;
  int64_t mBase;
};

struct HostileRead {
  std::string error;
  Texts warnings;
  int64_t peak = 0;
  uint32_t points = 0, polygons = 0;
};

// Reads a block into a new manager as its own storage, following the heap.
HostileRead ReadIntoManager(const std::string& block, bool points) {
  HostileRead result;
  CFeedback feedback;
  ManagerHold mgr(&feedback);
  const int64_t base = HeapInUse();
  {
    CHeapWatch watch(mgr.zin()->createGeometryReader(CZinUUID(), true), base);
    CTextReadStream in(block);
    result.error = ErrorOf([&] {
      if (points)
        ReadPointsBlock(mgr.zin(), &watch, &in);
      else
        ReadPolygonsBlock(mgr.zin(), &watch, &in);
    });
    watch.destroy();
    result.peak = std::max(watch.mPeak, HeapInUse() - base);
  }
  result.warnings = feedback.warnings;
  result.points = mgr->getPoints()->getCount();
  result.polygons = mgr->getPolygons()->getCount();
  return result;
}

// The blocks of a small scene with every feature: marks, mapping, holes, smooth.
std::pair<std::string, std::string> ValidBlocks() {
  ManagerHold mgr;
  for (int i = 0; i < 5; ++i)
    *mgr->getPoints()->newZinObject(kZinEndOfList) = CZinPoint{i * 1.25, -i * 1000.5, 3000000000.5 + i};
  Shape a, b, c;
  a.outer = {Vertex(0), Vertex(1, CZinVertex::kMarked), Vertex(2, CZinVertex::kMapped, 0.5f, 0.125f)};
  b.smooth = true;
  b.property = -12;
  b.outer = {Vertex(4), Vertex(3), Vertex(2), Vertex(1, CZinVertex::kMarked | CZinVertex::kMapped, 1.5f, -2.0f)};
  c.property = 7;
  c.outer = a.outer;
  c.holes = {{Vertex(3), Vertex(4)}, {}};
  for (const Shape* s : {&a, &b, &c}) FillPolygon(mgr->getPolygons()->newZinObject(kZinEndOfList), *s);
  CZinMemoryWriteStream out;
  EXPECT_TRUE(mgr->write(&out, nullptr));
  return {BlockOf(out.bytes(), "Points"), BlockOf(out.bytes(), "Polygons")};
}

}  // namespace

TEST(GeometryHostile, AnnouncedCountsNeverAllocateAheadOfTheData) {
  struct Case {
    const char* name;
    std::string block;
    bool points;
    uint32_t delivered;
    Texts warnings;
  } cases[] = {
      {"points", "\n2147483647 \n1 2 3 \n4 5 6 \n7 8 9 \n", true, 3, {"Numbers of points seems wrong"}},
      {"polygons", "\n2147483647 \np\t0 3 0 1 2 \np\t0 0 \n", false, 2, {"Numbers of polygons seems wrong"}},
      {"contour", "\n1 \np\t0 2147483647 0 1 2 \n", false, 0, {}},
      {"holes", "\n1 \nh\t0 2147483647 3 0 1 2 0 1 5 \n", false, 0, {}},
      {"saturated count", "\n99999999999999999999999 \n1 2 3 \n", true, 1, {"Numbers of points seems wrong"}},
  };
  for (const Case& c : cases) {
    const HostileRead read = ReadIntoManager(c.block, c.points);
    EXPECT_EQ("This is not a number", read.error) << c.name;
    EXPECT_EQ(c.warnings, read.warnings) << c.name;
    EXPECT_EQ(c.delivered, c.points ? read.points : read.polygons) << c.name;
    EXPECT_LT(read.peak, kMiB) << c.name;
  }

  // A client storage is told the count, and gets only what the data holds.
  CRecordingReaderStorage storage;
  storage.logItems = false;
  CFeedback feedback;
  ManagerHold mgr(&feedback);
  IZinExtStorageReader::IReader* reader = storage.createGeometryReader(CZinUUID(), true);
  CTextReadStream in(cases[0].block);
  EXPECT_EQ("This is not a number", ErrorOf([&] { ReadPointsBlock(mgr.zin(), reader, &in); }));
  reader->destroy();
  EXPECT_EQ((Texts{"create scene level0", "setPointCount 2147483647", "destroy"}), storage.calls);
  EXPECT_EQ(3u, storage.geometries["scene"].points.size());
}

TEST(GeometryHostile, NegativeAndExtremeCounts) {
  struct Case {
    std::string block;
    bool points;
    const char* error;
    uint32_t delivered;
  } cases[] = {
      {"\n-2147483648 \n1 2 3 \n", true, "<none>", 0},
      {"\n-99999999999999999999 \n", true, "<none>", 0},
      {"\n-1 \np\t0 0 \n", false, "<none>", 0},
      // Contour counts: negative reads no vertex; the property saturates.
      {"\n1 \np\t99999999999 -5 \n", false, "<none>", 1},
      {"\n1 \nh\t-2147483648 -3 -1 \n", false, "<none>", 1},
  };
  for (const Case& c : cases) {
    const HostileRead read = ReadIntoManager(c.block, c.points);
    EXPECT_EQ(c.error, read.error) << c.block;
    EXPECT_EQ(c.delivered, c.points ? read.points : read.polygons) << c.block;
  }
}

TEST(GeometryHostile, EveryCutOfAValidBlockFails) {
  const auto blocks = ValidBlocks();
  for (const bool points : {true, false}) {
    const std::string& block = points ? blocks.first : blocks.second;
    ASSERT_EQ('\n', block.back());
    const HostileRead whole = ReadIntoManager(block, points);
    ASSERT_EQ("<none>", whole.error);
    ASSERT_EQ(points ? 5u : 3u, points ? whole.points : whole.polygons);
    // Only the final line feed can go without loss: every longer cut fails.
    for (size_t length = 0; length + 1 < block.size(); ++length) {
      const HostileRead cut = ReadIntoManager(block.substr(0, length), points);
      EXPECT_TRUE(cut.error == "This is not a number" || cut.error == "This is not a integer")
          << length << ": " << cut.error;
      EXPECT_EQ(Texts{}, cut.warnings) << length;
    }
    const HostileRead last = ReadIntoManager(block.substr(0, block.size() - 1), points);
    EXPECT_EQ("<none>", last.error);
  }
}

TEST(GeometryHostile, LongTokensAndRunsOfBlanks) {
  // A megabyte of blanks between two numbers, a 200 000-digit coordinate, and a
  // 200 000-digit integer: read in bounded pieces, with the limits' values.
  const std::string block = "\n2 \n1" + std::string(1 << 20, ' ') + "2 " + std::string(200000, '7') + " \n0." +
                            std::string(200000, '0') + "5 -" + std::string(200000, '0') + "1.5 1 \n";
  const HostileRead read = ReadIntoManager(block, true);
  EXPECT_EQ("<none>", read.error);
  EXPECT_EQ(2u, read.points);
  EXPECT_LT(read.peak, 2 * kMiB);

  CRecordingReaderStorage storage;
  ManagerHold mgr;
  IZinExtStorageReader::IReader* reader = storage.createGeometryReader(CZinUUID(), true);
  CTextReadStream in(block);
  ReadPointsBlock(mgr.zin(), reader, &in);
  reader->destroy();
  const std::vector<CZinPoint>& p = storage.geometries["scene"].points;
  ASSERT_EQ(2u, p.size());
  EXPECT_EQ(1, p[0].mX);
  EXPECT_EQ(2, p[0].mY);
  EXPECT_EQ(1e30, p[0].mZ);
  EXPECT_EQ(0, p[1].mX);
  EXPECT_EQ(-1.5, p[1].mY);
  EXPECT_EQ(1, p[1].mZ);

  const HostileRead integer =
      ReadIntoManager("\n1 \np\t0 1 " + std::string(200000, '9') + " \n", false);
  EXPECT_EQ("<none>", integer.error);
  EXPECT_EQ(1u, integer.polygons);
}

TEST(GeometryHostile, LargeBlockUnderTheSanitizers) {
  // 3 million points with progress at every check, counts and positions near the
  // 32-bit limits exercised by the sanitizers on the way.
  constexpr int kCount = 3000000;
  std::string block = "\n" + std::to_string(kCount) + " \n";
  block.reserve(size_t{kCount} * 32);
  // Lines "i.fff -i.5 2147483647.d", made without printf to keep the test short.
  char line[64];
  for (int i = 0; i < kCount; ++i) {
    char* p = std::to_chars(line, line + 12, i).ptr;
    *p++ = '.';
    p[0] = static_cast<char>('0' + i / 100 % 10);
    p[1] = static_cast<char>('0' + i / 10 % 10);
    p[2] = static_cast<char>('0' + i % 10);
    p += 3;
    *p++ = ' ';
    *p++ = '-';
    p = std::to_chars(p, p + 12, i).ptr;
    std::memcpy(p, ".5 2147483647.", 14);
    p += 14;
    *p++ = static_cast<char>('0' + i % 10);
    *p++ = ' ';
    *p++ = '\n';
    block.append(line, static_cast<size_t>(p - line));
  }
  CFastClock clock;
  CFeedback feedback;
  ManagerHold mgr(&feedback);
  const auto start = std::chrono::steady_clock::now();
  IZinExtStorageReader::IReader* reader = mgr.zin()->createGeometryReader(CZinUUID(), true);
  CTextReadStream in(block);
  ReadPointsBlock(mgr.zin(), reader, &in);
  reader->destroy();
  const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  ASSERT_EQ(static_cast<uint32_t>(kCount), mgr->getPoints()->getCount());
  const CZinPoint& last = *mgr->getPoints()->getZinObject(kCount - 1);
  EXPECT_EQ(2999999.999, last.mX);
  EXPECT_EQ(-2999999.5, last.mY);
  EXPECT_EQ(2147483647.9, last.mZ);
  ASSERT_EQ(size_t{kCount / 100}, feedback.positions.size());
  EXPECT_EQ(999, feedback.positions[feedback.positions.size() - 2]);
  EXPECT_EQ(1000, feedback.positions.back());
  RecordProperty("read_seconds", std::to_string(seconds));
}
