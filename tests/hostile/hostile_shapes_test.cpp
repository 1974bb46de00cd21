// Inputs shaped to hurt a parser: deep, wide, long, colliding, dense, or announcing
// far more than they hold. For each shape an input of 4 MiB and one of 16 MiB are
// generated; every entry point must stay within 64 times the input plus 16 MiB of
// heap. In a release build without sanitizers the times are checked too: the 16 MiB
// input takes at most 5 times as long as the 4 MiB one, and each at most 2 seconds
// (sanitized builds skip that part: their costs are not the product's).
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "ZinFileStreams.h"
#include "ZinSDK.h"
#include "counting_allocator.h"
#include "fuzz/fuzz_support.h"
#include "geometry/blocks.h"
#include "manager/mgr.h"
#include "xml/image.h"
#include "xml/tree_reader.h"
#include "xml/xml_test_support.h"

namespace {

constexpr size_t kMiB = size_t{1} << 20;

#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__) || !defined(NDEBUG)
constexpr bool kTimed = false;
#else
constexpr bool kTimed = true;
#endif

// head, then unit(i) for i = 0, 1, ... until the text reaches size, then tail.
std::string Repeat(const std::string& head, const std::function<std::string(size_t)>& unit, const std::string& tail,
                   size_t size) {
  std::string text = head;
  text.reserve(size + tail.size() + 64);
  for (size_t i = 0; text.size() + tail.size() < size; ++i) text += unit(i);
  return text + tail;
}

std::string Fixed(const char* unit) { return unit; }

const char kHeader[] = "<?Zin library=\"5.1.1\" file=\"5.0\" min_version=\"5.1.0\" safe_version=\"5.1.0\"?>\n";

// ---- the shapes

std::string DeepNesting(size_t size) {
  const size_t depth = size / 7;
  std::string text;
  text.reserve(depth * 7);
  for (size_t i = 0; i < depth; ++i) text += "<a>";
  for (size_t i = 0; i < depth; ++i) text += "</a>";
  return text;
}

std::string ManySiblings(size_t size) {
  return Repeat("<r>", [](size_t) { return Fixed("<a/>"); }, "</r>", size);
}

std::string ManyAttributes(size_t size) {
  return Repeat("<r", [](size_t) { return Fixed(" a=\"1\""); }, "/>", size);
}

std::string LongName(size_t size) { return "<" + std::string(size - 3, 'n') + "/>"; }

std::string LongText(size_t size) { return "<r>" + std::string(size - 7, 't') + "</r>"; }

std::string ManyDistinctNames(size_t size) {
  return Repeat("<r>", [](size_t i) { return "<n" + std::to_string(i) + "/>"; }, "</r>", size);
}

std::string CollidingNames(size_t size) {
  static const std::vector<std::string> names = XMLTest::CollidingNames(1 << 20);
  return Repeat("<r>", [](size_t i) { return "<" + names[i % names.size()] + "/>"; }, "</r>", size);
}

std::string DenseReferences(size_t size) {
  const std::string attribute = Repeat("<r a=\"", [](size_t) { return Fixed("&#x263a;&lt;&#65;"); }, "\">", size / 2);
  return attribute + Repeat("", [](size_t) { return Fixed("&#x263a;&amp;&#233;"); }, "</r>", size - attribute.size());
}

std::string DenseDataBlocks(size_t size) {
  return Repeat("<r>", [](size_t) { return Fixed("<b><![CDATA[x]]]></b>"); }, "</r>", size);
}

// A picture announcing about a thousand million pixels, followed by the pixels of one
// literal run that the input actually holds.
std::string HugeImage(size_t size) {
  std::string text = "00000001" "00008000" "00007FFF" "00000001" "FF000000";
  const size_t pixels = (size - text.size() - 8) / 8;
  char count[24];
  std::snprintf(count, sizeof count, "%08X", static_cast<unsigned>(pixels));
  text += count;
  for (size_t i = 0; i < pixels; ++i) text += (i & 1) ? "FF102030" : "FF405060";
  return text;
}

std::string HugePointCount(size_t size) {
  return Repeat("\n9999999\n", [](size_t) { return Fixed("1.0 -2.5 3.25\n"); }, "", size);
}

std::string HugePolygonCounts(size_t size) {
  return Repeat("\n2000000000\nh\t0 2000000000 2000000000 ", [](size_t i) { return std::to_string(i % 1000) + " "; },
                "", size);
}

std::string ManySceneObjects(size_t size) {
  return Repeat(std::string(kHeader) + "<Zin.File><Working.Window/><Perspective.Views>",
                [](size_t) { return Fixed("<Perspective.View/>"); }, "</Perspective.Views></Zin.File>", size);
}

std::string ManyImages(size_t size) {
  return Repeat(std::string(kHeader) + "<Zin.File><Working.Window/><Images>",
                [](size_t) { return Fixed("<Image><![CDATA[]]></Image>"); }, "</Images></Zin.File>", size);
}

// Internal component definitions whose blocks come back to the first one's id after
// many others: each block must find its definition without searching them all.
std::string RepeatedComponents(size_t size) {
  return Repeat(std::string(kHeader) + "<Zin.File><Working.Window/><InternalComponentDefinitions>",
                [](size_t i) {
                  char id[40];
                  std::snprintf(id, sizeof id, "%032zX", i % 2 ? size_t{1} : i + 1);
                  return std::string("<InternalComponentDefinition UUID=\"") + id +
                         "\"><Geometry.Level>0</Geometry.Level><Points><![CDATA[1 \n1.0 2.0 3.0 \n]]></Points>"
                         "</InternalComponentDefinition>";
                },
                "</InternalComponentDefinitions></Zin.File>", size);
}

// ---- the entry points

void ReadTree(const std::string& text) {
  ZinFuzz::CBytesReadStream in(text);
  QuorveXML::CXMLTreeReader reader;
  std::unique_ptr<QuorveXML::XCXMLTree> tree(reader.Read(&in));
  ASSERT_TRUE(tree);
}

void ReadImage(const std::string& text) {
  ZinFuzz::CBytesReadStream in(text);
  // The run ends before the announced pixels: the data runs out.
  EXPECT_THROW(Quorve::XCXMLImage::ReadNew(&in), std::runtime_error);
}

void ReadGeometry(const std::string& text, bool points) {
  ZinFuzz::CRecordingFeedback feedback;
  ZinFuzz::CManager mgr(&feedback);
  auto* manager = static_cast<QvZin::CZIN*>(mgr.get());
  ZinFuzz::CBytesReadStream in(text);
  QvZin::IZinExtStorageReader::IReader* reader = manager->createGeometryReader(QvZin::CZinUUID(), true);
  const std::string error = ZinFuzz::MessageOf([&] {
    if (points)
      QvZin::ReadPointsBlock(manager, reader, &in);
    else
      QvZin::ReadPolygonsBlock(manager, reader, &in);
  });
  reader->destroy();
  EXPECT_NE(error, "") << "the block announces more than it holds";
}

void ReadDocument(const std::string& text) {
  ZinFuzz::CRecordingFeedback feedback;
  ZinFuzz::CManager mgr(&feedback);
  QvZin::CZinMemoryReadStream in(text);
  EXPECT_TRUE(mgr->read(&in, nullptr)) << (feedback.mWarnings.empty() ? "" : feedback.mWarnings[0]);
}

struct CShape {
  const char* name;
  std::string (*make)(size_t);
  std::function<void(const std::string&)> read;
};

const std::vector<CShape>& Shapes() {
  static const std::vector<CShape> shapes = {
      {"deep nesting", DeepNesting, ReadTree},
      {"many siblings", ManySiblings, ReadTree},
      {"many attributes", ManyAttributes, ReadTree},
      {"long name", LongName, ReadTree},
      {"long text", LongText, ReadTree},
      {"many distinct names", ManyDistinctNames, ReadTree},
      {"names colliding in the key table", CollidingNames, ReadTree},
      {"dense character references", DenseReferences, ReadTree},
      {"dense data blocks", DenseDataBlocks, ReadTree},
      {"deep nesting in a document", [](size_t size) { return kHeader + DeepNesting(size - sizeof kHeader); },
       [](const std::string& text) {
         ZinFuzz::CRecordingFeedback feedback;
         ZinFuzz::CManager mgr(&feedback);
         QvZin::CZinMemoryReadStream in(text);
         EXPECT_FALSE(mgr->read(&in, nullptr));  // no "Working.Window": one warning
         EXPECT_EQ(feedback.mWarnings.size(), 1u);
       }},
      {"many scene objects", ManySceneObjects, ReadDocument},
      {"many image blocks", ManyImages, ReadDocument},
      {"component blocks returning to one id", RepeatedComponents, ReadDocument},
      {"huge announced picture", HugeImage, ReadImage},
      {"huge announced point count", HugePointCount, [](const std::string& t) { ReadGeometry(t, true); }},
      {"huge announced polygon counts", HugePolygonCounts, [](const std::string& t) { ReadGeometry(t, false); }},
  };
  return shapes;
}

// Runs read over text and returns the seconds it took; checks the heap peak.
double Measure(const CShape& shape, const std::string& text) {
  HostileTest::ResetPeak();
  const int64_t before = HostileTest::CurrentBytes();
  const auto start = std::chrono::steady_clock::now();
  try {
    shape.read(text);
  } catch (const std::exception& e) {
    ADD_FAILURE() << shape.name << ", " << text.size() / kMiB << " MiB input: " << e.what();
  }
  const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  const int64_t peak = HostileTest::PeakBytes() - before;
  const int64_t bound = 64 * static_cast<int64_t>(text.size()) + static_cast<int64_t>(16 * kMiB);
  EXPECT_LE(peak, bound) << shape.name << ", " << text.size() / kMiB << " MiB input: peak " << peak / kMiB << " MiB";
  return seconds;
}

TEST(HostileShapes, HeapStaysWithin64TimesTheInputAndTimeGrowsLinearly) {
  for (const CShape& shape : Shapes()) {
    SCOPED_TRACE(shape.name);
    const std::string small = shape.make(4 * kMiB);
    const std::string large = shape.make(16 * kMiB);
    double smallSeconds = 1e9, largeSeconds = 1e9;
    // The least of a few runs: the machine is shared, and only the program's own cost
    // is of interest.
    for (int run = 0; run < (kTimed ? 3 : 1); ++run) {
      smallSeconds = std::min(smallSeconds, Measure(shape, small));
      largeSeconds = std::min(largeSeconds, Measure(shape, large));
    }
    std::printf("  %-36s 4 MiB %.3f s, 16 MiB %.3f s\n", shape.name, smallSeconds, largeSeconds);
    if (!kTimed) continue;
    EXPECT_LE(largeSeconds, 5 * std::max(smallSeconds, 0.001));
    EXPECT_LE(smallSeconds, 2.0);
    EXPECT_LE(largeSeconds, 2.0);
  }
}

}  // namespace
