// Streams, reporters and checks shared by the XML engine's tests.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>
#include <exception>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "ZinReporter.h"
#include "ZinXML.h"
#include "support/reporter.h"
#include "xml/colliding_names.h"
#include "xml/hash_key.h"
#include "xml/node_heap.h"

namespace XMLTest {

/// The message of what f throws, or "<no exception>".
template <class F>
std::string MessageOf(F&& f) {
  try {
    f();
  } catch (const std::exception& e) {
    return e.what();
  } catch (...) {
    return "<unknown exception>";
  }
  return "<no exception>";
}

/// Collects written bytes; after mLimit bytes it takes one byte less than given.
class CStringWriteStream : public QuorveXML::XIXMLWriteStream {
public:
  int32_t Write(const char* bytes, int32_t count) override {
    ++mCalls;
    mLargest = std::max(mLargest, count);
    int32_t taken = count;
    if (mText.size() + static_cast<size_t>(count) > mLimit) taken = count - 1;
    mText.append(bytes, static_cast<size_t>(taken));
    return taken;
  }
  std::string mText;
  size_t mLimit = SIZE_MAX;
  int mCalls = 0;
  int32_t mLargest = 0;
};

/// Counts written bytes without keeping them.
class CCountingWriteStream : public QuorveXML::XIXMLWriteStream {
public:
  int32_t Write(const char*, int32_t count) override {
    mBytes += static_cast<uint64_t>(count);
    return count;
  }
  uint64_t mBytes = 0;
};

/// Serves bytes in pieces of what is asked for, filling every request until the end.
/// mPiece below 1024 makes it end the data early (a short read is the last one);
/// mExtra makes it claim more than asked for.
class CMemoryReadStream : public QuorveXML::XIXMLReadStream {
public:
  CMemoryReadStream(const char* data, size_t size) : mData(data), mSize(size) {}
  /// Serves a copy of text.
  explicit CMemoryReadStream(std::string text)
      : mOwned(std::move(text)), mData(mOwned.data()), mSize(mOwned.size()) {}
  uint32_t Read(void* buffer, uint32_t size) override {
    ++mCalls;
    mAfterShortRead |= mShortSeen;
    const size_t want = std::min<size_t>(size, mPiece);
    const size_t n = std::min(want, mSize - mPosition);
    if (n) std::memcpy(buffer, mData + mPosition, n);
    mPosition += n;
    if (n < size) mShortSeen = true;
    return static_cast<uint32_t>(n) + mExtra;
  }
  std::string mOwned;
  const char* mData;
  size_t mSize;
  size_t mPosition = 0;
  size_t mPiece = SIZE_MAX;
  uint32_t mExtra = 0;
  int mCalls = 0;
  bool mShortSeen = false;
  bool mAfterShortRead = false;  // Read was called after a short read
};

/// Receives the calling thread's reports while alive.
class CCaptureReporter : public Quorve::XIReporter {
public:
  CCaptureReporter() : mPrevious(Quorve::XCReporter::SetThreadReporter(this)) {}
  ~CCaptureReporter() override { Quorve::XCReporter::SetThreadReporter(mPrevious); }
  void Report(Quorve::EReportLevel level, const char* text) override {
    mReports.emplace_back(level, text);
  }
  std::vector<std::pair<Quorve::EReportLevel, std::string>> mReports;

private:
  Quorve::XIReporter* mPrevious;
};

/// A fixture that fails a test which leaves node-heap allocations behind.
/// (Checked when the fixture dies, after the members of derived fixtures.)
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

}  // namespace XMLTest
