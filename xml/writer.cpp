#include "xml/writer.h"

#include <cstdlib>

#include "support/raise.h"

namespace QuorveXML {

namespace {

// Escape classes, one table walked by both escapings: the terminator ends the text.
constexpr uint8_t kEnd = 1;     // the terminating zero
constexpr uint8_t kText = 2;    // escaped in text and in attribute values: & < >
constexpr uint8_t kQuote = 4;   // escaped in attribute values only: "

struct CEscapeTable {
  uint8_t mClass[256] = {};
  constexpr CEscapeTable() {
    mClass[0] = kEnd;
    mClass[static_cast<uint8_t>('&')] = kText;
    mClass[static_cast<uint8_t>('<')] = kText;
    mClass[static_cast<uint8_t>('>')] = kText;
    mClass[static_cast<uint8_t>('"')] = kQuote;
  }
};
constexpr CEscapeTable kEscape;

const char kTabs[] =
    "\t\t\t\t\t\t\t\t\t\t\t\t\t\t\t\t\t\t\t\t\t\t\t\t\t\t\t\t\t\t\t\t\t\t\t\t\t\t\t\t\t\t\t\t\t\t\t\t\t\t\t\t\t\t\t\t\t\t\t\t\t\t\t\t";
constexpr size_t kTabRun = sizeof kTabs - 1;

}  // namespace

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

const uint8_t* XCXMLWriter::WriteFiltered(const uint8_t* text, uint8_t stop) {
  // Bytes go straight into the buffer; the table test stops at the terminator too.
  stop |= kEnd;
  for (;;) {
    char* out = mBuffer + mLength;
    char* const end = mBuffer + kCapacity;
    while (out < end && !(kEscape.mClass[*text] & stop)) *out++ = static_cast<char>(*text++);
    mLength = static_cast<size_t>(out - mBuffer);
    if (out < end) return text;
    Flush();
  }
}

void XCXMLWriter::NewLine(int32_t depth) {
  if (mSuppressNewline) {
    mSuppressNewline = false;
    return;
  }
  const size_t tabs = depth > 0 ? static_cast<size_t>(depth) : 0;
  if (tabs < kCapacity - mLength) {
    mBuffer[mLength] = '\n';
    std::memset(mBuffer + mLength + 1, '\t', tabs);
    mLength += tabs + 1;
    return;
  }
  WriteChar('\n');
  for (size_t left = tabs; left;) {
    const size_t n = left < kTabRun ? left : kTabRun;
    WriteBytes(kTabs, n);
    left -= n;
  }
}

void XCXMLWriter::WriteEscaped(const char* text) {
  if (!text) return;
  const uint8_t* p = reinterpret_cast<const uint8_t*>(text);
  for (;;) {
    p = WriteFiltered(p, kText);
    switch (*p) {
      case 0: return;
      case '&': WriteBytes("&amp;", 5); break;
      case '<': WriteBytes("&lt;", 4); break;
      default: WriteBytes("&gt;", 4); break;
    }
    ++p;
  }
}

void XCXMLWriter::WriteQuoted(const char* text) {
  WriteChar('"');
  const uint8_t* p = reinterpret_cast<const uint8_t*>(text ? text : "");
  for (;;) {
    p = WriteFiltered(p, kText | kQuote);
    switch (*p) {
      case 0: WriteChar('"'); return;
      case '"': WriteBytes("&quot;", 6); break;
      case '&': WriteBytes("&amp;", 5); break;
      case '<': WriteBytes("&lt;", 4); break;
      default: WriteBytes("&gt;", 4); break;
    }
    ++p;
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
