// Allocation failures: for a small scene file, an image block and a geometry block,
// the k-th allocation fails, for every k until the operation runs without reaching
// k. Each run must end cleanly (a false result with its warning, a null result or an
// exception at the library's inner boundary, or success), never throw out of an
// entry point, leak nothing (LeakSanitizer watches the C heap, the node-heap census
// the document nodes), and leave the manager able to read again.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "ZinFileStreams.h"
#include "ZinSDK.h"
#include "counting_allocator.h"
#include "fuzz/manager_targets.h"
#include "manager/geometry_blocks.h"
#include "manager/mgr.h"
#include "support/reporter.h"
#include "test_support.h"
#include "xml/colliding_names.h"
#include "xml/hash_key.h"
#include "xml/image.h"
#include "xml/node_heap.h"
#include "xml/tree_reader.h"

namespace {

using QvZin::CZinMemoryReadStream;
using QvZin::CZinMemoryWriteStream;

// Records warnings; recording must not itself meet the injected failure.
class CSweepFeedback final : public QvZin::IZinFeedback {
public:
  bool warning(QvZin::IZinMgr*, const char* message) override {
    HostileTest::CNoFailures paused;
    mWarnings.push_back(message ? message : "<null>");
    return true;
  }
  bool progress(QvZin::IZinMgr*, int, int) override { return true; }
  std::vector<std::string> mWarnings;
};

// Arms the failure of the k-th allocation for its lifetime.
class CFailure {
public:
  explicit CFailure(uint64_t k) { HostileTest::FailAllocation(k); }
  ~CFailure() { HostileTest::FailAllocation(0); }
  CFailure(const CFailure&) = delete;
  CFailure& operator=(const CFailure&) = delete;
};

// Runs op with the k-th allocation from now failing; true when that failure came.
template <class Op>
bool FailsAt(uint64_t k, Op&& op) {
  CFailure failure(k);
  op();
  return HostileTest::FailureHappened();
}

std::vector<uint8_t> Pixels(uint32_t width, uint32_t height) {
  std::vector<uint8_t> pixels;
  for (uint32_t i = 0; i < width * height; ++i) {
    const bool run = i % 5 < 2;
    pixels.insert(pixels.end(), {static_cast<uint8_t>(run ? 9 : i), static_cast<uint8_t>(i >> 3), 7, 255});
  }
  return pixels;
}

QvZin::CZinVertex Vertex(int32_t index) { return {index, 0, 0, 0}; }

// A small scene with a preview, an image, views, lights and geometry, written by the
// library.
std::string SmallScene() {
  ZinFuzz::CManager mgr(nullptr);
  for (const char* name : {"Entrance", "Garden"})
    mgr->getPerspectiveViews()->newZinObject(QvZin::kZinEndOfList)->getBasicData()->setName(name);
  mgr->getLights()->newZinObject(QvZin::kZinEndOfList)->getBasicData()->setName("Porch");
  mgr->getLayers()->newZinObject(QvZin::kZinEndOfList)->getBasicData()->setName("Walls");
  const std::vector<uint8_t> preview = Pixels(6, 4);
  mgr->getPreviewImage().setPixels(6, 4, preview.data());
  mgr->getImages().newZinObject(QvZin::kZinEndOfList)->setPixels(6, 4, preview.data());
  for (int i = 0; i < 4; ++i) *mgr->getPoints()->newZinObject(QvZin::kZinEndOfList) = QvZin::CZinPoint{i * 1.5, -i * 0.25, 3};
  QvZin::IZinPolygon* polygon = mgr->getPolygons()->newZinObject(QvZin::kZinEndOfList);
  for (int i = 0; i < 4; ++i) *polygon->getContour()->newZinObject(QvZin::kZinEndOfList) = Vertex(i);
  QvZin::IZinPolygon::IZinHole* hole = polygon->getHoles()->newZinObject(QvZin::kZinEndOfList);
  for (int i = 0; i < 3; ++i) *hole->getContour()->newZinObject(QvZin::kZinEndOfList) = Vertex(i);
  CZinMemoryWriteStream out;
  EXPECT_TRUE(mgr->write(&out, nullptr));
  return out.bytes();
}

using QvZinTest::BlockOf;

TEST(AllocationFailures, SmallSceneReadFailsWithItsWarningAndTheManagerReadsAgain) {
  const std::string scene = SmallScene();
  const int64_t nodesAtStart = QuorveXML::CNodeHeap::LiveAllocations();
  uint64_t k = 1;
  for (;; ++k) {
    CSweepFeedback feedback;
    ZinFuzz::CManager mgr(&feedback);
    bool read = false;
    CZinMemoryReadStream in(scene);
    if (!FailsAt(k, [&] { read = mgr->read(&in, nullptr); })) {
      EXPECT_TRUE(read);
      EXPECT_TRUE(feedback.mWarnings.empty());
      break;
    }
    // A false result ends with the read's one warning. Before it, and on a true result,
    // come only the reports of the layers that met the failure: a collection or a
    // storage that could not grow (and then dropped that element, as collections do),
    // and the data-block reader whose block it stopped.
    const std::vector<std::string>& w = feedback.mWarnings;
    const size_t own = read ? w.size() : w.size() - 1;
    EXPECT_TRUE(read || !w.empty()) << "allocation " << k << ": a failed read without its warning";
    for (size_t i = 0; i < own && i < w.size(); ++i)
      EXPECT_TRUE(w[i].find("allocate") != std::string::npos || w[i].rfind("Error \"", 0) == 0)
          << "allocation " << k << ": " << w[i];
    // The same manager reads the file again, whole.
    feedback.mWarnings.clear();
    CZinMemoryReadStream again(scene);
    ASSERT_TRUE(mgr->read(&again, nullptr)) << "allocation " << k << ": "
                                            << (feedback.mWarnings.empty() ? "" : feedback.mWarnings[0]);
    // Collections are refilled by a read; images and geometry are appended to, so the
    // failed read may have left some of its own.
    EXPECT_EQ(mgr->getPerspectiveViews()->getCount(), 2u) << "allocation " << k;
    EXPECT_GE(mgr->getImages().getCount(), 1u) << "allocation " << k;
    CZinMemoryWriteStream out;
    EXPECT_TRUE(mgr->write(&out, nullptr)) << "allocation " << k;
  }
  EXPECT_EQ(QuorveXML::CNodeHeap::LiveAllocations(), nodesAtStart) << "document nodes left behind";
  EXPECT_GT(k, 20u);
}

// A write rebuilds its elements from the nodes of the old ones: a failure half way
// leaves old and new nodes mixed in the document. The write fails with a warning,
// nothing leaks, and the next write is whole (the bytes of a write over a document
// without those elements).
TEST(AllocationFailures, ARewriteThatFailsLeavesADocumentTheNextWriteMendsWhole) {
  std::string scene;
  {
    ZinFuzz::CManager mgr(nullptr);
    const std::string small = SmallScene();
    CZinMemoryReadStream in(small);
    ASSERT_TRUE(mgr->read(&in, nullptr));
    for (const char* kind : {"ZinObject", "Billboard", "3DPlant", "ModelObject"})
      mgr->getObjectInstances()->newZinObject(QvZin::kZinEndOfList)->setClass(kind);
    CZinMemoryWriteStream out;
    ASSERT_TRUE(mgr->write(&out, nullptr));
    scene = out.bytes();
  }
  const int64_t nodesAtStart = QuorveXML::CNodeHeap::LiveAllocations();
  uint64_t k = 1;
  for (;; ++k) {
    CSweepFeedback feedback;
    ZinFuzz::CManager mgr(&feedback);
    CZinMemoryReadStream in(scene);
    ASSERT_TRUE(mgr->read(&in, nullptr));
    mgr->getPerspectiveViews()->moveObject(0, 1);
    auto* instances = mgr->getObjectInstances();
    for (uint32_t i = 0; i < instances->getCount(); ++i) {
      instances->getZinObject(i)->setClass(i % 2 ? "AnimatedObject" : "LightObject");
      instances->getZinObject(i)->getBasicData()->setName("A longer name than the one it had");
    }
    bool written = false;
    CZinMemoryWriteStream out;
    if (!FailsAt(k, [&] { written = mgr->write(&out, nullptr); })) {
      EXPECT_TRUE(written);
      break;
    }
    EXPECT_TRUE(written || !feedback.mWarnings.empty()) << "allocation " << k << ": a failed write without its warning";
    CZinMemoryWriteStream again, fresh;
    ASSERT_TRUE(mgr->write(&again, nullptr)) << "allocation " << k;
    ZinFuzz::WithoutRebuiltElements(ZinFuzz::Concrete(mgr.get())->fileNode());
    ASSERT_TRUE(mgr->write(&fresh, nullptr)) << "allocation " << k;
    ASSERT_EQ(fresh.bytes(), again.bytes()) << "allocation " << k;
  }
  EXPECT_EQ(QuorveXML::CNodeHeap::LiveAllocations(), nodesAtStart) << "document nodes left behind";
  EXPECT_GT(k, 20u);
}

TEST(AllocationFailures, ImageBlockDecodesWhollyOrThrowsAndThePreviewReadGivesNullOrThePicture) {
  const std::string scene = SmallScene();
  const std::string block = BlockOf(scene, "Preview.Image");
  const std::vector<uint8_t> pixels = Pixels(6, 4);
  int failedReads = 0;
  for (uint64_t k = 1;; ++k) {
    std::string error;
    ZinFuzz::CBytesReadStream in(block);
    const bool failed = FailsAt(k, [&] {
      error = ZinFuzz::MessageOf([&] {
        Quorve::XCXMLImage* image = Quorve::XCXMLImage::ReadNew(&in);
        const bool same = image->GetWidth() == 6 && image->GetHeight() == 4 &&
                          std::memcmp(image->GetPixels(), pixels.data(), pixels.size()) == 0;
        image->Release();
        if (!same) throw std::runtime_error("other pixels");
      });
    });
    EXPECT_NE(error, "error: other pixels") << "allocation " << k;
    if (!failed) {
      EXPECT_EQ(error, "");
      break;
    }
    failedReads += !error.empty();
  }
  EXPECT_GT(failedReads, 0);

  for (uint64_t k = 1;; ++k) {
    QvZin::IZinImage* image = nullptr;
    CZinMemoryReadStream in(scene);
    const bool failed = FailsAt(k, [&] { QvZin::CZinEntryPoints::readPreviewImage(&image, &in); });
    if (image) {
      uint32_t width = 0, height = 0;
      const uint8_t* got = nullptr;
      image->getPixels(&width, &height, &got);
      EXPECT_TRUE(width == 6 && height == 4 && std::memcmp(got, pixels.data(), pixels.size()) == 0)
          << "allocation " << k;
      image->Release();
    }
    if (!failed) {
      EXPECT_NE(image, nullptr);
      break;
    }
  }
}

TEST(AllocationFailures, GeometryBlocksStopWithAnErrorAndTheManagerReadsTheNextBlock) {
  const std::string scene = SmallScene();
  for (const char* tag : {"Points", "Polygons"}) {
    SCOPED_TRACE(tag);
    const bool points = std::string(tag) == "Points";
    const std::string block = BlockOf(scene, tag);
    int failedReads = 0;
    for (uint64_t k = 1;; ++k) {
      CSweepFeedback feedback;
      ZinFuzz::CManager mgr(&feedback);
      auto* manager = static_cast<QvZin::CZIN*>(mgr.get());
      auto readBlock = [&] {
        ZinFuzz::CBytesReadStream in(block);
        return ZinFuzz::CGeometryBlockReader::ReadBlock(manager, manager, points, &in);
      };
      // Making the storage reader may fail too, before the block's own boundary.
      std::string inner, outer;
      const bool failed = FailsAt(k, [&] { outer = ZinFuzz::MessageOf([&] { inner = readBlock(); }); });
      const std::string error = outer.empty() ? inner : outer;
      if (!failed) {
        EXPECT_EQ(error, "");
        break;
      }
      failedReads += !error.empty();
      // The manager takes the next block whole.
      const uint32_t before = points ? mgr->getPoints()->getCount() : mgr->getPolygons()->getCount();
      EXPECT_EQ(readBlock(), "") << "allocation " << k;
      const uint32_t after = points ? mgr->getPoints()->getCount() : mgr->getPolygons()->getCount();
      EXPECT_EQ(after - before, points ? 4u : 1u) << "allocation " << k;
    }
    EXPECT_GT(failedReads, 0);
  }
}

// A tree of names built to collide: their keys wait in the tree reader a few at a
// time, so a failure may come while some of its nodes have none yet.
TEST(AllocationFailures, ATreeOfCollidingNamesReadsWhollyOrNotAtAll) {
  const std::vector<std::string> names = XMLTest::CollidingNames(120);
  std::string document = "<r>";
  for (size_t i = 0; i < 300; ++i)
    document += "<" + names[i % names.size()] + " " + names[119 - i % 13] + "='v'/>";
  document += "</r>";
  auto written = [](QuorveXML::XCXMLTree* tree) {
    ZinFuzz::CStringWriteStream out;
    tree->GetRoot()->Write(&out);
    return out.mText;
  };
  auto read = [&document] {
    ZinFuzz::CBytesReadStream in(document);
    QuorveXML::CXMLTreeReader reader;
    return std::unique_ptr<QuorveXML::XCXMLTree>(reader.Read(&in));
  };
  const std::string expected = written(read().get());
  const int64_t nodesAtStart = QuorveXML::CNodeHeap::LiveAllocations();
  int failedReads = 0;
  for (uint64_t k = 1;; ++k) {
    std::unique_ptr<QuorveXML::XCXMLTree> tree;
    std::string error;
    const bool failed = FailsAt(k, [&] { error = ZinFuzz::MessageOf([&] { tree = read(); }); });
    if (!failed) {
      ASSERT_EQ(error, "");
      EXPECT_EQ(expected, written(tree.get()));
      break;
    }
    if (tree) {
      EXPECT_EQ(expected, written(tree.get())) << "allocation " << k;
    } else {
      ++failedReads;
      EXPECT_NE(error, "") << "allocation " << k;
      EXPECT_EQ(nodesAtStart, QuorveXML::CNodeHeap::LiveAllocations()) << "allocation " << k;
    }
  }
  EXPECT_GT(failedReads, 10);
}

// Growth of a key table holding an overflow replaces its slots and rebuilds the
// overflow: a failure anywhere in that must leave the table as it was.
TEST(AllocationFailures, AKeyTableThatCannotGrowKeepsEveryKeyItGave) {
  // The ordinary names grow the table twice at a time now and then; those warnings
  // are not what this test is about.
  struct CQuiet final : Quorve::XIReporter {
    void Report(Quorve::EReportLevel, const char*) override {}
  } quiet;
  Quorve::XIReporter* const previous = Quorve::XCReporter::SetThreadReporter(&quiet);
  std::vector<std::string> names;
  const std::vector<std::string> colliding = XMLTest::CollidingNames(200);
  for (size_t i = 0; i < colliding.size(); ++i) {
    names.push_back(colliding[i]);
    names.push_back("ordinary" + std::to_string(i));
  }
  int failedRuns = 0;
  for (uint64_t k = 1;; ++k) {
    QuorveXML::CHashKey* table = new QuorveXML::CHashKey;
    std::vector<const char*> keys(names.size(), nullptr);
    std::string error;
    const bool failed = FailsAt(k, [&] {
      error = ZinFuzz::MessageOf([&] {
        for (size_t i = 0; i < names.size(); ++i) keys[i] = table->GetKey(names[i].c_str());
      });
    });
    if (!failed) {
      EXPECT_EQ(error, "");
      table->Release();
      break;
    }
    EXPECT_EQ(error, "error: Can't grow hash vector.") << "allocation " << k;
    for (size_t i = 0; i < names.size(); ++i) {
      if (keys[i]) {
        EXPECT_EQ(keys[i], table->GetKey(names[i].c_str())) << "allocation " << k << ", name " << i;
      }
      keys[i] = table->GetKey(names[i].c_str());
    }
    EXPECT_EQ(names.size(), table->Count()) << "allocation " << k;
    EXPECT_GT(table->OverflowCount(), 0u) << "allocation " << k;
    table->Release();
    ++failedRuns;
  }
  Quorve::XCReporter::SetThreadReporter(previous);
  EXPECT_GT(failedRuns, 10);
}

// A material of every way of holding children, written as a shader file.
std::string ShaderOf(QvZin::IZinMgrEx* ex, QvZin::IZinProperty* property) {
  HostileTest::CNoFailures paused;
  CZinMemoryWriteStream out;
  return ex->writeShader(property, &out) ? out.bytes() : "";
}

QvZin::ITCENode* AddNode(QvZin::IZinTCE* graph, QvZin::ITCENode* parent, QvZin::ETCENodeType kind) {
  QvZin::ITCENode* node = graph->createNode(kind);
  parent->addChild(node);
  node->Release();
  return node;
}

TEST(AllocationFailures, ShaderFilesReadAndWriteWhollyOrFailWithOneWarning) {
  CSweepFeedback feedback;
  ZinFuzz::CManager mgr(&feedback);
  QvZin::IZinMgrEx* ex = mgr->getMgrEx(QvZin::eZinVersionCurrent);
  QvZin::IZinProperty* source = mgr->getProperties()->newZinObject(QvZin::kZinEndOfList);
  QvZin::IZinTCE* graph = source->getTCE();
  QvZin::ITCENode* chess = AddNode(graph, graph->getRootNode(), QvZin::eChessNode);
  AddNode(graph, AddNode(graph, chess, QvZin::eFresnelNode), QvZin::eLeafNode)->setShader(true);
  QvZin::ITCENode* custom = AddNode(graph, chess, QvZin::eCustomNode);
  for (int i = 0; i < 3; ++i) AddNode(graph, custom, QvZin::eGlazingNode);
  const std::string file = ShaderOf(ex, source);
  ASSERT_NE("", file);

  int failedReads = 0, failedWrites = 0;
  for (uint64_t k = 1;; ++k) {
    // An empty property: the read must give it the whole tree or nothing.
    QvZin::IZinProperty* target = mgr->getProperties()->newZinObject(QvZin::kZinEndOfList);
    ASSERT_NE(nullptr, target);
    feedback.mWarnings.clear();
    bool read = false;
    QvZin::CZinMemoryReadStream in(file);
    const bool failed = FailsAt(k, [&] { read = ex->readShader(target, &in); });
    if (read) {
      EXPECT_EQ(file, ShaderOf(ex, target)) << "allocation " << k;
      EXPECT_TRUE(feedback.mWarnings.empty()) << "allocation " << k;
    } else {
      EXPECT_EQ(0u, target->getTCE()->getRootNode()->getChildCount()) << "allocation " << k;
      EXPECT_EQ(1u, feedback.mWarnings.size()) << "allocation " << k;
    }
    if (!failed) {
      EXPECT_TRUE(read);
      break;
    }
    failedReads += !read;
  }
  for (uint64_t k = 1;; ++k) {
    feedback.mWarnings.clear();
    bool written = false, failed;
    std::string bytes;
    {
      CZinMemoryWriteStream out;
      failed = FailsAt(k, [&] { written = ex->writeShader(source, &out); });
      HostileTest::CNoFailures paused;
      bytes = out.bytes();
    }
    EXPECT_EQ(written ? 0u : 1u, feedback.mWarnings.size()) << "allocation " << k;
    if (written) {
      EXPECT_EQ(file, bytes) << "allocation " << k;
    }
    if (!failed) {
      EXPECT_TRUE(written);
      break;
    }
    failedWrites += !written;
  }
  EXPECT_GT(failedReads, 0);
  EXPECT_GT(failedWrites, 0);
}

}  // namespace
