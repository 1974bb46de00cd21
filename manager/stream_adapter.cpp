#include "manager/stream_adapter.h"

#include <cstring>
#include <stdexcept>
#include <string>
#include <utility>

#include "support/raise.h"
#include "xml/parser.h"

namespace QvZin {

uint32_t CReadStreamAdapter::Read(void* buffer, uint32_t size) {
  if (!mStream) return 0;
  const int got = mStream->read(buffer, static_cast<int>(size));
  return got < 0 ? 0 : static_cast<uint32_t>(got);
}

int32_t CWriteStreamAdapter::Write(const char* bytes, int32_t count) {
  Quorve::CheckPointer(mStream, "%s", "IZinWriteStream is NULL");
  mStream->write(bytes, count);
  return count;
}

namespace {

// The scans stop the parse from inside a handler: by a false answer to an
// instruction, or by throwing at the first element.
class CHeaderScan final : public QuorveXML::CXMLParser {
public:
  CZinHeaderInfo info;
  bool OnPI(const char* target, const char* data) override {
    if (std::strcmp(target, "Zin") != 0) return true;
    ParseHeaderData(data, info);
    return false;
  }
  void* OnStartElement(const char*) override { throw std::runtime_error("XML mais pas ZIN"); }
  void OnAttribute(const char*, const char*) override {}
  void OnText(const char*) override {}
  void OnEndElement(void*) override {}
};

class CCreatorScan final : public QuorveXML::CXMLParser {
public:
  std::string creator;
  bool OnPI(const char* target, const char* data) override {
    if (std::strcmp(target, "Application") != 0) return true;
    if (const char* name = std::strstr(data, "name=\"")) {
      name += 6;
      const char* end = std::strchr(name, '"');
      creator.assign(name, end ? static_cast<size_t>(end - name) : std::strlen(name));
    }
    return false;
  }
  void* OnStartElement(const char*) override { throw std::runtime_error("XML mais pas ZIN"); }
  void OnAttribute(const char*, const char*) override {}
  void OnText(const char*) override {}
  void OnEndElement(void*) override {}
};

}  // namespace

CZinHeaderInfo ScanHeader(IZinReadStream* stream) {
  CZinHeaderInfo info;
  // The scan itself is made inside: its buffers are allocated, and when memory runs
  // out that is one more failure with nothing found.
  try {
    CHeaderScan scan;
    CReadStreamAdapter adapter(stream);
    try {
      QuorveXML::ParseSelective(&adapter, &scan);
    } catch (...) {
      // A stop or a failure: what was found until then is the answer.
    }
    info = scan.info;
  } catch (...) {
  }
  return info;
}

std::string ScanCreator(IZinReadStream* stream) {
  try {
    CCreatorScan scan;
    CReadStreamAdapter adapter(stream);
    try {
      QuorveXML::ParseSelective(&adapter, &scan);
    } catch (...) {
    }
    return std::move(scan.creator);
  } catch (...) {
    return std::string();
  }
}

}  // namespace QvZin
