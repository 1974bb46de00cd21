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

// Names of 16 bytes in 0x60..0x7F whose hashes are all equal. The hash is linear over
// the bits of the name (xor and shifts only, starting from 0), so flipping the low
// five bits of each byte by any vector of the map's kernel keeps the hash.
inline std::vector<std::string> CollidingNames(size_t count) {
  constexpr int kBytes = 16, kBits = kBytes * 5;
  // Column j: the hash of the name whose only set bit is bit (j % 5) of byte j / 5.
  std::array<uint32_t, kBits> columns{};
  for (int j = 0; j < kBits; ++j) {
    uint32_t h = 0;
    for (int b = 0; b < kBytes; ++b) h = QuorveXML::CHashKey::HashStep(h, b == j / 5 ? static_cast<uint8_t>(1u << (j % 5)) : 0);
    columns[j] = h;
  }
  // Gaussian elimination over GF(2): reduce columns, recording which originals make each.
  std::vector<std::pair<uint32_t, std::array<uint8_t, kBits>>> basis;  // (value, combination)
  std::vector<std::array<uint8_t, kBits>> kernel;
  for (int j = 0; j < kBits; ++j) {
    uint32_t value = columns[j];
    std::array<uint8_t, kBits> combination{};
    combination[j] = 1;
    for (auto& [pivotValue, pivotCombination] : basis) {
      if ((value ^ pivotValue) < value) {
        value ^= pivotValue;
        for (int k = 0; k < kBits; ++k) combination[k] ^= pivotCombination[k];
      }
    }
    if (value)
      basis.emplace_back(value, combination);
    else
      kernel.push_back(combination);
  }
  std::vector<std::string> names;
  for (size_t n = 0; names.size() < count; ++n) {
    std::string name(kBytes, '\x60');
    for (size_t v = 0; v < kernel.size() && v < 63; ++v) {
      if (!((n >> v) & 1)) continue;
      for (int j = 0; j < kBits; ++j)
        if (kernel[v][j]) name[j / 5] = static_cast<char>(name[j / 5] ^ (1 << (j % 5)));
    }
    names.push_back(name);
  }
  return names;
}

}  // namespace XMLTest
