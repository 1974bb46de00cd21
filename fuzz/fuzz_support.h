// What every fuzz target shares: streams over the fuzzer's bytes, a byte cursor that
// turns input into choices, recording feedback and storage, and the oracle check.
// Header-only, so that the unit tests replay the same harness on the committed inputs.
#pragma once

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <exception>
#include <string>
#include <vector>

#include "ZinMgr.h"
#include "ZinXML.h"

/// An oracle that does not hold: print what and stop, so the fuzzer keeps the input.
#define ZIN_FUZZ_CHECK(condition, what)                                                   \
  do {                                                                                    \
    if (!(condition)) ::ZinFuzz::Fail(__FILE__, __LINE__, #condition, what);              \
  } while (0)

namespace ZinFuzz {

[[noreturn]] inline void Fail(const char* file, int line, const char* condition, const std::string& what) {
  std::fprintf(stderr, "%s:%d: oracle failed: %s\n  %s\n", file, line, condition, what.c_str());
  std::abort();
}

/// The message of what f throws, or "" when it returns normally.
template <class F>
std::string MessageOf(F&& f) {
  try {
    f();
  } catch (const std::exception& e) {
    return std::string("error: ") + e.what();
  } catch (...) {
    return "error: <unknown>";
  }
  return "";
}

/// Serves bytes to the parser, filling every request until the end (the parser's
/// contract: a short answer is the last one).
class CBytesReadStream final : public QuorveXML::XIXMLReadStream {
public:
  CBytesReadStream(const void* data, size_t size) : mData(static_cast<const char*>(data)), mSize(size) {}
  explicit CBytesReadStream(const std::string& text) : CBytesReadStream(text.data(), text.size()) {}
  uint32_t Read(void* buffer, uint32_t size) override {
    const size_t n = size < mSize - mPosition ? size : mSize - mPosition;
    if (n) std::memcpy(buffer, mData + mPosition, n);
    mPosition += n;
    return static_cast<uint32_t>(n);
  }

private:
  const char* mData;
  size_t mSize;
  size_t mPosition = 0;
};

/// Collects what the XML writer writes.
class CStringWriteStream final : public QuorveXML::XIXMLWriteStream {
public:
  int32_t Write(const char* bytes, int32_t count) override {
    mText.append(bytes, static_cast<size_t>(count));
    return count;
  }
  std::string mText;
};

/// Answers every request of its reader in full, but pulls the bytes from the inner
/// stream in pieces of mPiece bytes, so that a data-block stream is exercised with
/// tiny and with parser-sized requests while its reader sees the same data.
class CPiecewiseReadStream final : public QuorveXML::XIXMLReadStream {
public:
  CPiecewiseReadStream(QuorveXML::XIXMLReadStream* inner, uint32_t piece) : mInner(inner), mPiece(piece) {}
  uint32_t Read(void* buffer, uint32_t size) override {
    char* out = static_cast<char*>(buffer);
    uint32_t done = 0;
    while (done < size && !mEnded) {
      const uint32_t want = size - done < mPiece ? size - done : mPiece;
      const uint32_t got = mInner->Read(out + done, want);
      done += got;
      if (got < want) mEnded = true;
    }
    return done;
  }

private:
  QuorveXML::XIXMLReadStream* mInner;
  uint32_t mPiece;
  bool mEnded = false;
};

/// Turns the input into choices: a byte, a small number below a bound, a name from a
/// list. Past the end of the input every choice is 0.
class CCursor {
public:
  CCursor(const uint8_t* data, size_t size) : mData(data), mSize(size) {}
  bool More() const { return mPosition < mSize; }
  uint8_t Byte() { return mPosition < mSize ? mData[mPosition++] : 0; }
  /// A number below bound (bound at least 1).
  uint32_t Below(uint32_t bound) {
    uint32_t value = Byte();
    if (bound > 256) value = value << 8 | Byte();
    return value % bound;
  }
  /// Up to limit bytes of the input as a text (zero bytes end it early).
  std::string Text(size_t limit) {
    const size_t length = Below(static_cast<uint32_t>(limit + 1));
    std::string text;
    for (size_t i = 0; i < length && More(); ++i) text.push_back(static_cast<char>(Byte()));
    return text.c_str();
  }
  const uint8_t* Rest() const { return mData + mPosition; }
  size_t RestSize() const { return mSize - mPosition; }

private:
  const uint8_t* mData;
  size_t mSize;
  size_t mPosition = 0;
};

/// A feedback object that keeps every warning and never cancels.
class CRecordingFeedback final : public QvZin::IZinFeedback {
public:
  bool warning(QvZin::IZinMgr*, const char* message) override {
    mWarnings.push_back(message ? message : "<null>");
    return true;
  }
  bool progress(QvZin::IZinMgr*, int, int) override { return true; }
  std::vector<std::string> mWarnings;
};

/// One text per geometry block: every point and polygon that reached the storage, in
/// a form that compares exactly (doubles by their bits).
inline void AppendNumber(std::string& out, uint64_t value) {
  char text[24];
  std::snprintf(text, sizeof text, "%llx ", static_cast<unsigned long long>(value));
  out += text;
}
inline void AppendDouble(std::string& out, double value) {
  uint64_t bits;
  std::memcpy(&bits, &value, sizeof bits);
  AppendNumber(out, bits);
}
inline void AppendContour(std::string& out, QvZin::TZinObjectMgr<QvZin::CZinVertex>* contour) {
  const uint32_t count = contour ? contour->getCount() : 0;
  AppendNumber(out, count);
  for (uint32_t i = 0; i < count; ++i) {
    const QvZin::CZinVertex* vertex = contour->getZinObject(i);
    AppendNumber(out, static_cast<uint32_t>(vertex->mPointIndex));
    AppendNumber(out, vertex->mFlags);
    if (vertex->mFlags & QvZin::CZinVertex::kMapped) {
      AppendDouble(out, vertex->mU);
      AppendDouble(out, vertex->mV);
    }
  }
}
inline void AppendPolygon(std::string& out, QvZin::IZinPolygon* polygon) {
  out += polygon->isSmooth() ? "o " : "p ";
  AppendNumber(out, static_cast<uint32_t>(polygon->getPropertyIndex()));
  AppendContour(out, polygon->getContour());
  QvZin::TZinObjectMgr<QvZin::IZinPolygon::IZinHole>* holes = polygon->getHoles();
  const uint32_t count = holes ? holes->getCount() : 0;
  for (uint32_t h = 0; h < count; ++h) {
    out += "h ";
    AppendContour(out, holes->getZinObject(h)->getContour());
  }
  out += "\n";
}

/// A client storage that records what it is given: per block its identifier, level
/// flag and announced counts in mBlocks, and the items themselves in mItems (in the
/// form that the manager's collections are compared in).
class CRecordingStorage final : public QvZin::IZinExtStorageReader {
public:
  class CRecorder final : public IReader {
  public:
    explicit CRecorder(CRecordingStorage* owner) : mOwner(owner) {}
    void destroy() override {
      ++mOwner->mDestroyed;
      delete this;
    }
    void setPointCount(int count) override {
      mOwner->mBlocks += "points ";
      AppendNumber(mOwner->mBlocks, static_cast<uint32_t>(count));
    }
    bool setPoint(const double* xyz, int index) override {
      ZIN_FUZZ_CHECK(index == mPoints++, "point index out of order");
      for (int i = 0; i < 3; ++i) AppendDouble(mOwner->mPoints, xyz[i]);
      return mOwner->Accept();
    }
    void setPolygonCount(int count) override {
      mOwner->mBlocks += "polygons ";
      AppendNumber(mOwner->mBlocks, static_cast<uint32_t>(count));
    }
    bool setPolygon(const QvZin::IZinPolygon* polygon, int index) override {
      ZIN_FUZZ_CHECK(index == mPolygons++, "polygon index out of order");
      AppendPolygon(mOwner->mPolygons, const_cast<QvZin::IZinPolygon*>(polygon));
      return mOwner->Accept();
    }

  private:
    CRecordingStorage* mOwner;
    int mPoints = 0;
    int mPolygons = 0;
  };

  IReader* createGeometryReader(const QvZin::CZinUUID& id, bool levelZero) override {
    char text[33];
    id.toText(text);
    mBlocks += std::string(text) + (levelZero ? " 0 " : " n ");
    ++mCreated;
    return new CRecorder(this);
  }
  bool Accept() { return mAccept < 0 || mAccepted++ < mAccept; }

  std::string mBlocks;
  std::string mPoints;
  std::string mPolygons;
  int mCreated = 0;
  int mDestroyed = 0;
  int mAccept = -1;  // items to accept before refusing; -1: all
  int mAccepted = 0;
};

/// The manager's own geometry in the recording storage's form.
inline void ManagerGeometry(QvZin::IZinMgr* mgr, std::string* points, std::string* polygons) {
  QvZin::TZinObjectMgr<QvZin::CZinPoint>* list = mgr->getPoints();
  for (uint32_t i = 0; i < list->getCount(); ++i) {
    const QvZin::CZinPoint* p = list->getZinObject(i);
    AppendDouble(*points, p->mX);
    AppendDouble(*points, p->mY);
    AppendDouble(*points, p->mZ);
  }
  QvZin::TZinObjectMgr<QvZin::IZinPolygon>* polygonList = mgr->getPolygons();
  for (uint32_t i = 0; i < polygonList->getCount(); ++i) AppendPolygon(*polygons, polygonList->getZinObject(i));
}

/// Holds a manager for one input.
class CManager {
public:
  explicit CManager(QvZin::IZinFeedback* feedback) {
    QvZin::CZinEntryPoints::newZinMgr(&mMgr, QvZin::eZinVersionCurrent, feedback);
    if (!mMgr) Fail(__FILE__, __LINE__, "mMgr", "no manager");
  }
  ~CManager() { mMgr->Release(); }
  CManager(const CManager&) = delete;
  CManager& operator=(const CManager&) = delete;
  QvZin::IZinMgr* operator->() const { return mMgr; }
  QvZin::IZinMgr* get() const { return mMgr; }

private:
  QvZin::IZinMgr* mMgr = nullptr;
};

}  // namespace ZinFuzz
