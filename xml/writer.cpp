#include "xml/writer.h"

#include <cstdlib>

#include "support/raise.h"

namespace QuorveXML {

XCXMLWriter::XCXMLWriter(XIXMLWriteStream* stream) : mStream(stream) {
  if (!stream) Quorve::ThrowNullPointer(nullptr);
  mBuffer = static_cast<char*>(std::malloc(kCapacity));
  if (!mBuffer) Quorve::ThrowNullPointer(nullptr);
}

XCXMLWriter::~XCXMLWriter() { std::free(mBuffer); }

bool XCXMLWriter::TryFlush() {
  if (mFailed) return false;
  if (mLength == 0) return true;
  const int32_t count = static_cast<int32_t>(mLength);
  mLength = 0;
  if (mStream->Write(mBuffer, count) != count) mFailed = true;
  return !mFailed;
}

void XCXMLWriter::Flush() {
  if (!TryFlush()) Quorve::ThrowError("Can't write character");
}

void XCXMLWriter::WriteLong(const char* bytes, size_t count) {
  while (count) {
    if (mLength == kCapacity) Flush();
    const size_t room = kCapacity - mLength;
    const size_t n = count < room ? count : room;
    std::memcpy(mBuffer + mLength, bytes, n);
    mLength += n;
    bytes += n;
    count -= n;
  }
}

void XCXMLWriter::NewLineLong(int32_t depth) {
  WriteChar('\n');
  for (size_t left = depth > 0 ? static_cast<size_t>(depth) : 0; left;) {
    const size_t n = left < WriterTables::kTabRun ? left : WriterTables::kTabRun;
    WriteBytes(WriterTables::kTabs, n);
    left -= n;
  }
}

const uint8_t* XCXMLWriter::WriteEntities(const uint8_t* text, uint8_t stop) {
  for (;;) {
    switch (*text) {
      case 0: return text;
      case '"': WriteBytes("&quot;", 6); break;
      case '&': WriteBytes("&amp;", 5); break;
      case '<': WriteBytes("&lt;", 4); break;
      default: WriteBytes("&gt;", 4); break;
    }
    text = WriteFiltered(text + 1, stop);
  }
}

void XCXMLWriter::WriteBlock(IXMLCData* provider, int32_t depth, XIXMLData* node) {
  WriteBytes("<![CDATA[", 9);
  const bool written = provider->Write(this, depth, node);
  if (mFailed) Quorve::ThrowError("Can't write character");
  if (!written) Quorve::ThrowError(nullptr);
  WriteBytes("]]>", 3);
}

int32_t XCXMLWriter::Write(const char* bytes, int32_t count) {
  if (mFailed || count <= 0 || !bytes) return 0;
  size_t left = static_cast<size_t>(count);
  while (left) {
    if (mLength == kCapacity && !TryFlush()) return 0;
    const size_t room = kCapacity - mLength;
    const size_t n = left < room ? left : room;
    std::memcpy(mBuffer + mLength, bytes, n);
    mLength += n;
    bytes += n;
    left -= n;
  }
  return count;
}

}  // namespace QuorveXML
