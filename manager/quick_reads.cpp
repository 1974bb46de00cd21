// The quick reads: answers from the first elements of a file, without building a
// document. Each is a handler on the selective parser that stops the parse by
// throwing as soon as it has what it wants.
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <stdexcept>

#include "ZinMgr.h"
#include "manager/file_info.h"
#include "manager/image.h"
#include "manager/mgr.h"
#include "manager/stream_adapter.h"
#include "support/c_locale.h"
#include "support/platform.h"
#include "xml/parser.h"

namespace QvZin {

namespace {

// Handlers that want no text pass over data blocks without holding them.
class CQuickScan : public QuorveXML::CXMLParser {
public:
  void OnAttribute(const char*, const char*) override {}
  void OnText(const char*) override {}
  void OnEndElement(void*) override {}
  void OnCData(QuorveXML::XIXMLReadStream* stream) override {
    char sink[4096];
    while (stream->Read(sink, sizeof sink) == sizeof sink) {
    }
  }

protected:
  // A non-null handle: go on inside the element.
  void* Enter() { return this; }
};

// ---- the origin

class COriginScan final : public CQuickScan {
public:
  double origin[3] = {0, 0, 0};
  bool done = false;

  void* OnStartElement(const char* name) override {
    if (!std::strcmp(name, "Zin.File") || !std::strcmp(name, "Preview.Image") || !std::strcmp(name, "File.Info"))
      return Enter();
    if (!std::strcmp(name, "Origin")) {
      mInOrigin = true;
      return Enter();
    }
    done = true;
    throw std::runtime_error("No origin");
  }
  void OnAttribute(const char* name, const char* value) override {
    if (!mInOrigin) return;
    double number = 0;
    {
      Quorve::CCLocale cLocale;
      if (std::sscanf(value, "%lf", &number) != 1) throw std::runtime_error("Not a double value");
    }
    if (!std::strcmp(name, "X")) {
      origin[0] = number;
    } else if (!std::strcmp(name, "Y")) {
      origin[1] = number;
    } else if (!std::strcmp(name, "Z")) {
      origin[2] = number;
      done = true;
      throw std::runtime_error("Succeed");
    } else {
      throw std::runtime_error("Unexpected attribute");
    }
  }
  void OnEndElement(void*) override { mInOrigin = false; }

private:
  bool mInOrigin = false;
};

// ---- the preview image

class CPreviewScan final : public CQuickScan {
public:
  TZinComPtr<CZinImage> image;

  void* OnStartElement(const char* name) override {
    if (!std::strcmp(name, "Zin.File")) return Enter();
    if (!std::strcmp(name, "Preview.Image")) {
      mInPreview = true;
      return Enter();
    }
    throw std::runtime_error("No Preview image availiable");
  }
  void OnCData(QuorveXML::XIXMLReadStream* stream) override {
    if (!mInPreview) return CQuickScan::OnCData(stream);
    TZinComPtr<CZinImage> decoded(CreateZinObject<CZinImage>(nullptr));
    decoded->readBlock(stream);
    // An empty block is a file without a preview.
    uint32_t width = 0;
    decoded->getPixels(&width, nullptr, nullptr);
    if (width) image = decoded;
  }
  void OnEndElement(void*) override { mInPreview = false; }

private:
  bool mInPreview = false;
};

// ---- the localised names of an object file

// Enters only "Zin.File", its "Object.Definition" children and their "Name"
// children: every other element, geometry blocks included, is skipped by the
// parser without being delivered, so a big file streams through in constant
// memory. The names of setups, properties and nested definitions stay out.
class CMediaScan final : public CQuickScan {
  inline static char sFileTag = 0;
  inline static char sDefinitionTag = 0;
  inline static char sNameTag = 0;

public:
  explicit CMediaScan(IZinString* names) : mNames(names) {}

  void* OnStartElement(const char* name) override {
    if (mDepth == 0 && !std::strcmp(name, "Zin.File")) return enter(&sFileTag);
    if (mDepth == 1 && !std::strcmp(name, "Object.Definition")) return enter(&sDefinitionTag);
    if (mDepth == 2 && !std::strcmp(name, "Name")) return enter(&sNameTag);
    return nullptr;
  }
  void OnAttribute(const char* name, const char* value) override {
    if (mDepth != 3 || !mNames) return;
    const auto* n = reinterpret_cast<const unsigned char*>(name);
    mNames->set(n[0] ? n[0] * 256u + n[1] : 0u, value);
  }
  void OnEndElement(void* handle) override {
    if (handle) --mDepth;
  }

private:
  void* enter(char* tag) {
    ++mDepth;
    return tag;
  }

  IZinString* mNames;
  int mDepth = 0;  // entered elements: 1 "Zin.File", 2 a definition, 3 its name
};

}  // namespace

bool IZinMgr::checkFormat2(IZinReadStream* stream, eReadability* readability, CZinVersion* version, char* creator,
                           int creatorSize) {
  if (!readability) return false;
  *readability = eNotZin;
  if (!stream) return false;
  try {
    const int64_t start = stream->tell();
    unsigned char first = 0;
    const int got = stream->read(&first, 1);
    stream->seek(start);
    if (got != 1 || first != '<') return false;
    const CZinHeaderInfo header = ScanHeader(stream);
    stream->seek(start);
    const std::string name = ScanCreator(stream);
    stream->seek(start);
    if (header.library.major == 0) return false;
    if (version) *version = header.library;
    bool readable = false;
    *readability = ClassifyFile(header, name.c_str(), readable);
    if (!readable) return false;
    if (creator && creatorSize > 0)
      std::snprintf(creator, static_cast<size_t>(creatorSize), "Orvelle (%d.%d)", header.fileMajor, header.fileMinor);
    return true;
  } catch (...) {
    // A client stream that throws: the file is not readable.
    return false;
  }
}

void IZinMgr::readFileInfo(IZinFileInfo** info, IZinReadStream* stream) {
  if (!info) return;
  double origin[3] = {0, 0, 0};
  int64_t start = 0;
  // Every step that allocates stays inside a try: an entry point throws nothing,
  // not even when memory runs out.
  try {
    COriginScan scan;
    try {
      if (stream) start = stream->tell();
      CReadStreamAdapter adapter(stream);
      QuorveXML::ParseSelective(&adapter, &scan);
    } catch (const std::exception& e) {
      if (!scan.done) Quorve::Platform::Diagnostic("CZinMgr::readOrigin - Exception %s\n", e.what());
    } catch (...) {
      if (!scan.done) Quorve::Platform::Diagnostic("CZinMgr::readOrigin - Unknown exception\n");
    }
    std::copy(scan.origin, scan.origin + 3, origin);
  } catch (...) {
  }
  try {
    if (stream) stream->seek(start);
  } catch (...) {
  }
  try {
    CZinFileInfo* result = CreateZinObject<CZinFileInfo>(nullptr);
    result->AddRef();
    result->setOrigin(origin);
    *info = result;
  } catch (...) {
    // Out of memory: no object can be given.
    *info = nullptr;
  }
}

void IZinMgr::readPreviewImage(IZinImage** image, IZinReadStream* stream) {
  if (!image) return;
  *image = nullptr;
  try {
    CPreviewScan scan;
    try {
      CReadStreamAdapter adapter(stream);
      QuorveXML::ParseSelective(&adapter, &scan);
    } catch (...) {
      // The scan ends by throwing at the first element after the preview.
    }
    if (scan.image) *image = scan.image.detach();
  } catch (...) {
    // The scan could not be made: no preview.
  }
}

bool CZIN::readMediaInfo(IZinReadStream* stream) {
  try {
    mScene.mObjectDefinitions->names()->clear();
    CMediaScan scan(mScene.mObjectDefinitions->names());
    CReadStreamAdapter adapter(stream);
    QuorveXML::ParseSelective(&adapter, &scan);
  } catch (...) {
    // What was found until a failure stays found.
  }
  return true;
}

}  // namespace QvZin
