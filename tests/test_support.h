// What the tests of every module share: the text of what an operation throws, byte
// streams over strings for the XML engine, and, for tests through the public
// interface, a manager held for a scope and a feedback object that records.
#pragma once

#include <gtest/gtest.h>
#include <pthread.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <exception>
#include <functional>
#include <string>
#include <vector>

#include "ZinFileStreams.h"
#include "ZinSDK.h"
#include "ZinXML.h"

namespace QvZinTest {

using Texts = std::vector<std::string>;

/// The message of what f throws, or "<no exception>".
template <class F>
std::string ErrorOf(F&& f) {
  try {
    f();
  } catch (const std::exception& e) {
    return e.what();
  } catch (...) {
    return "<unknown exception>";
  }
  return "<no exception>";
}

/// Collects written bytes; past mLimit bytes it takes one byte less than given.
class CStringWriteStream : public QuorveXML::XIXMLWriteStream {
public:
  int32_t Write(const char* bytes, int32_t count) override {
    ++mCalls;
    mLargest = std::max(mLargest, count);
    const int32_t taken = mText.size() + static_cast<size_t>(count) > mLimit ? count - 1 : count;
    mText.append(bytes, static_cast<size_t>(taken));
    return taken;
  }
  std::string mText;
  size_t mLimit = SIZE_MAX;
  int mCalls = 0;
  int32_t mLargest = 0;
};

/// Serves bytes, filling every request until the end (a short answer is the last).
/// mPiece caps each answer (so ends the data early); mExtra claims more than served.
class CStringReadStream : public QuorveXML::XIXMLReadStream {
public:
  CStringReadStream(const char* data, size_t size) : mData(data), mSize(size) {}
  explicit CStringReadStream(std::string text) : mOwned(std::move(text)), mData(mOwned.data()), mSize(mOwned.size()) {}
  uint32_t Read(void* buffer, uint32_t size) override {
    mRequests.push_back(size);
    mAfterShortRead |= mShortSeen;
    const size_t n = std::min({size_t{size}, mPiece, mSize - mPosition});
    if (n) std::memcpy(buffer, mData + mPosition, n);
    mPosition += n;
    mShortSeen |= n < size;
    return static_cast<uint32_t>(n) + mExtra;
  }
  std::string mOwned;
  const char* mData;
  size_t mSize;
  size_t mPosition = 0;
  size_t mPiece = SIZE_MAX;
  uint32_t mExtra = 0;
  std::vector<uint32_t> mRequests;
  bool mShortSeen = false;
  bool mAfterShortRead = false;  // asked again after a short answer
};

/// Records every warning and progress report with its manager.
struct FeedbackRecorder : QvZin::IZinFeedback {
  struct Warning {
    QvZin::IZinMgr* mgr;
    std::string text;
  };
  std::vector<Warning> warnings;
  std::vector<int> positions, ranges;
  std::vector<QvZin::IZinMgr*> progressManagers;
  int cancelAt = -1;  // the progress report (from 0) that answers false

  bool warning(QvZin::IZinMgr* mgr, const char* message) override {
    warnings.push_back({mgr, message ? message : "<null>"});
    return true;
  }
  bool progress(QvZin::IZinMgr* mgr, int position, int range) override {
    positions.push_back(position);
    ranges.push_back(range);
    progressManagers.push_back(mgr);
    return static_cast<int>(positions.size()) - 1 != cancelAt;
  }
  Texts texts() const {
    Texts out;
    for (const Warning& w : warnings) out.push_back(w.text);
    return out;
  }
};

/// A new manager, released at the end of the scope.
struct ManagerHold {
  QvZin::IZinMgr* mgr = nullptr;
  explicit ManagerHold(QvZin::IZinFeedback* feedback = nullptr) {
    QvZin::CZinEntryPoints::newZinMgr(&mgr, QvZin::eZinVersionCurrent, feedback);
  }
  ~ManagerHold() {
    if (mgr) mgr->Release();
  }
  ManagerHold(const ManagerHold&) = delete;
  ManagerHold& operator=(const ManagerHold&) = delete;
  QvZin::IZinMgr* operator->() const { return mgr; }
};

/// The document mgr writes (the write must succeed).
inline std::string WriteToText(QvZin::IZinMgr* mgr, QvZin::IZinExtStorageWriter* storage = nullptr,
                               const QvZin::CZinVersion* version = nullptr) {
  QvZin::CZinMemoryWriteStream out;
  EXPECT_TRUE(mgr->writeEx(&out, storage, version));
  return out.bytes();
}

/// The first piece of text from open to the end of close, or "".
inline std::string Section(const std::string& text, const std::string& open, const std::string& close) {
  const size_t start = text.find(open);
  const size_t end = start == std::string::npos ? start : text.find(close, start);
  if (end == std::string::npos) return "";
  return text.substr(start, end + close.size() - start);
}

/// Reads text into mgr.
inline bool Read(QvZin::IZinMgr* mgr, const std::string& text) {
  QvZin::CZinMemoryReadStream in(text);
  return mgr->read(&in, nullptr);
}

/// What feedback heard, without the notes on the empty geometry blocks of a scene
/// that has none.
inline Texts Heard(const FeedbackRecorder& feedback) {
  Texts out;
  for (const std::string& text : feedback.texts())
    if (text.find("seems wrong") == std::string::npos) out.push_back(text);
  return out;
}

/// text with the first from replaced by to (which must be there).
inline std::string Replaced(std::string text, const std::string& from, const std::string& to) {
  const size_t at = text.find(from);
  EXPECT_NE(std::string::npos, at) << from;
  if (at != std::string::npos) text.replace(at, from.size(), to);
  return text;
}

/// The content of the first data block of element name at or after from.
inline std::string BlockOf(const std::string& file, const std::string& name, size_t from = 0) {
  const std::string open = "<" + name + "><![CDATA[";
  const size_t start = file.find(open, from);
  if (start == std::string::npos) return "<no " + name + " block>";
  const size_t begin = start + open.size();
  return file.substr(begin, file.find("]]>", begin) - begin);
}

/// A client read stream over bytes that records each call: "read <asked>-><got>",
/// "tell", "seek <position>".
class CRecordingReadStream final : public QvZin::IZinReadStream {
public:
  explicit CRecordingReadStream(std::string bytes) : mBytes(std::move(bytes)), mInner(mBytes) {}
  int read(void* buffer, int size) override {
    const int got = mInner.read(buffer, size);
    calls.push_back("read " + std::to_string(size) + "->" + std::to_string(got));
    return got;
  }
  int64_t tell() override {
    calls.push_back("tell");
    return mInner.tell();
  }
  void seek(int64_t position) override {
    calls.push_back("seek " + std::to_string(position));
    mInner.seek(position);
  }
  std::vector<std::string> calls;

private:
  std::string mBytes;
  QvZin::CZinMemoryReadStream mInner;
};

/// A client write stream that keeps every byte and answers 0, as many clients do:
/// the answer of write means nothing.
struct CZeroAnsweringWriteStream final : QvZin::IZinWriteStream {
  int write(const void* data, int size) override {
    bytes.append(static_cast<const char*>(data), static_cast<size_t>(size));
    return 0;
  }
  std::string bytes;
};

/// A client read stream of any length made as it is read: head, then line repeated
/// up to size bytes, then tail. Counts the bytes it delivers.
class CGeneratedReadStream final : public QvZin::IZinReadStream {
public:
  CGeneratedReadStream(std::string head, std::string line, size_t size, std::string tail = "")
      : mHead(std::move(head)), mLine(std::move(line)), mTail(std::move(tail)) {
    mLines = (size - mHead.size() - mTail.size()) / mLine.size();
    mSize = mHead.size() + mLines * mLine.size() + mTail.size();
  }
  int read(void* buffer, int size) override {
    char* out = static_cast<char*>(buffer);
    int given = 0;
    while (given < size && mPosition < mSize) {
      const size_t bodyEnd = mHead.size() + mLines * mLine.size();
      const char* from;
      size_t available;
      if (mPosition < mHead.size()) {
        from = mHead.data() + mPosition;
        available = mHead.size() - mPosition;
      } else if (mPosition < bodyEnd) {
        const size_t at = (mPosition - mHead.size()) % mLine.size();
        from = mLine.data() + at;
        available = mLine.size() - at;
      } else {
        from = mTail.data() + (mPosition - bodyEnd);
        available = mSize - mPosition;
      }
      const size_t n = std::min(available, static_cast<size_t>(size - given));
      std::memcpy(out + given, from, n);
      given += static_cast<int>(n);
      mPosition += n;
    }
    delivered += given;
    return given;
  }
  int64_t tell() override { return static_cast<int64_t>(mPosition); }
  void seek(int64_t position) override { mPosition = static_cast<size_t>(position); }
  size_t size() const { return mSize; }
  int64_t delivered = 0;

private:
  std::string mHead, mLine, mTail;
  size_t mLines = 0, mSize = 0, mPosition = 0;
};

/// Runs f in a thread whose stack is 1 MiB: deep documents must not need more.
inline void RunWithSmallStack(const std::function<void()>& f) {
  pthread_attr_t attributes;
  pthread_attr_init(&attributes);
  pthread_attr_setstacksize(&attributes, 1 << 20);
  pthread_t thread;
  auto body = [](void* argument) -> void* {
    (*static_cast<const std::function<void()>*>(argument))();
    return nullptr;
  };
  ASSERT_EQ(0, pthread_create(&thread, &attributes, body, const_cast<std::function<void()>*>(&f)));
  pthread_join(thread, nullptr);
  pthread_attr_destroy(&attributes);
}

}  // namespace QvZinTest
