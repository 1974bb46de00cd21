// What the XML engine's tests share beyond tests/test_support.h.
#pragma once

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <new>
#include <string>
#include <utility>
#include <vector>

#include "ZinReporter.h"
#include "support/mine.h"
#include "support/reporter.h"
#include "test_support.h"
#include "xml/colliding_names.h"
#include "xml/hash_key.h"
#include "xml/node_heap.h"
#include "xml/tree.h"
#include "xml/tree_reader.h"

namespace XMLTest {

using namespace QvZinTest;

/// Counts written bytes without keeping them.
class CCountingWriteStream : public QuorveXML::XIXMLWriteStream {
public:
  int32_t Write(const char*, int32_t count) override {
    mBytes += static_cast<uint64_t>(count);
    return count;
  }
  uint64_t mBytes = 0;
};

/// Receives the calling thread's reports while alive.
class CCaptureReporter : public Quorve::XIReporter {
public:
  CCaptureReporter() : mPrevious(Quorve::XCReporter::SetThreadReporter(this)) {}
  ~CCaptureReporter() override { Quorve::XCReporter::SetThreadReporter(mPrevious); }
  void Report(Quorve::EReportLevel level, const char* text) override { mReports.emplace_back(level, text); }
  std::vector<std::pair<Quorve::EReportLevel, std::string>> mReports;

private:
  Quorve::XIReporter* mPrevious;
};

/// A fixture that fails a test which leaves node-heap allocations behind
/// (checked when the fixture dies, after the members of derived fixtures).
class CHeapCheckedTest : public ::testing::Test {
protected:
  CHeapCheckedTest() : mLiveAtStart(QuorveXML::CNodeHeap::LiveAllocations()) {}
  ~CHeapCheckedTest() override {
    EXPECT_EQ(mLiveAtStart, QuorveXML::CNodeHeap::LiveAllocations()) << "node memory left behind";
  }
  int64_t mLiveAtStart;
};

/// A block provider writing a fixed text; counts its calls.
class CTextProvider : public QuorveXML::IXMLCData {
public:
  explicit CTextProvider(std::string text, int* released = nullptr, int* duplicated = nullptr)
      : mText(std::move(text)), mReleased(released), mDuplicated(duplicated) {}
  bool Write(QuorveXML::XIXMLWriteStream* stream, int depth, QuorveXML::XIXMLData* node) override {
    mDepth = depth;
    mNode = node;
    const int32_t count = static_cast<int32_t>(mText.size());
    return stream->Write(mText.data(), count) == count && mResult;
  }
  IXMLCData* Duplicate() override {
    if (mDuplicated) ++*mDuplicated;
    return new CTextProvider(mText, mReleased, mDuplicated);
  }
  void Release() override {
    if (mReleased) ++*mReleased;
    delete this;
  }
  std::string mText;
  int* mReleased;
  int* mDuplicated;
  bool mResult = true;
  int mDepth = -1;
  QuorveXML::XIXMLData* mNode = nullptr;
};

/// Breaks a node's guard word, as a stray write into freed or foreign memory would.
inline void SmashMine(const Quorve::XCMine& mine) {
  std::memset(static_cast<void*>(const_cast<Quorve::XCMine*>(&mine)), 0x5A, sizeof mine);
}
/// Arms a smashed guard word again, so that the node can be deleted.
inline void RepairMine(const Quorve::XCMine& mine) { new (const_cast<Quorve::XCMine*>(&mine)) Quorve::XCMine; }

/// The bytes element writes.
inline std::string Written(QuorveXML::XIXMLElement* element) {
  CStringWriteStream out;
  element->Write(&out);
  return out.mText;
}

/// The tree of a document read with reader (may be null).
inline std::unique_ptr<QuorveXML::XCXMLTree> ReadTree(const std::string& document,
                                                      QuorveXML::IXMLCDataReader* reader = nullptr) {
  CStringReadStream stream(document);
  QuorveXML::CXMLTreeReader treeReader(reader);
  return std::unique_ptr<QuorveXML::XCXMLTree>(treeReader.Read(&stream));
}

}  // namespace XMLTest
