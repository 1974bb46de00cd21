// The writer of documents: the one place that decides the visible form of a file.
//
// Element Write(stream) makes one writer on the stack, with suppressNewline set so
// that the first node starts at the first byte. Output is gathered in a 64 KiB buffer
// and handed to the client's stream in whole pieces. Block providers write through
// the writer itself (it is an XIXMLWriteStream), so their bytes keep their place in
// the output.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>

#include "ZinXML.h"

namespace QuorveXML {

// The writer's tables, outside the class so that they are complete where it uses them.
namespace WriterTables {

// Escape classes, one table for both escapings; the terminator ends every text.
constexpr uint8_t kEnd = 1;    // the terminating zero
constexpr uint8_t kText = 2;   // escaped in text and in attribute values: & < >
constexpr uint8_t kQuote = 4;  // escaped in attribute values only: "
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
inline constexpr CEscapeTable kEscape{};
inline constexpr char kTabs[] = "\t\t\t\t\t\t\t\t\t\t\t\t\t\t\t\t\t\t\t\t\t\t\t\t\t\t\t\t\t\t\t\t";
inline constexpr size_t kTabRun = sizeof kTabs - 1;

}  // namespace WriterTables

class XCXMLWriter final : public XIXMLWriteStream {
public:
  static constexpr size_t kCapacity = 64 * 1024;

  /// A writer onto stream with suppressNewline set. Throws "exception (pointer is
  /// NULL)" for a null stream or when memory runs out.
  explicit XCXMLWriter(XIXMLWriteStream* stream);
  ~XCXMLWriter();
  XCXMLWriter(const XCXMLWriter&) = delete;
  XCXMLWriter& operator=(const XCXMLWriter&) = delete;

  /// The bytes of text, without its terminator (nothing for null).
  void WriteString(const char* text) {
    if (text) WriteFiltered(reinterpret_cast<const uint8_t*>(text), 0);
  }
  void WriteChar(char c) {
    if (mLength == kCapacity) Flush();
    mBuffer[mLength++] = c;
  }
  void WriteBytes(const char* bytes, size_t count) {
    if (count <= kCapacity - mLength) {
      std::memcpy(mBuffer + mLength, bytes, count);
      mLength += count;
    } else {
      WriteLong(bytes, count);
    }
  }
  /// A line feed and depth tabs, unless suppressNewline is set: then it is cleared
  /// and nothing is written.
  void NewLine(int32_t depth) {
    if (mSuppressNewline) {
      mSuppressNewline = false;
      return;
    }
    // The common depths: one fixed-size copy of a tab run, of which depth counts.
    constexpr size_t kRun = WriterTables::kTabRun;
    if (static_cast<uint32_t>(depth) < kRun && kCapacity - mLength > kRun + 1) {
      mBuffer[mLength] = '\n';
      std::memcpy(mBuffer + mLength + 1, WriterTables::kTabs, kRun);
      mLength += static_cast<size_t>(depth) + 1;
      return;
    }
    NewLineLong(depth);
  }
  /// An attribute value: double quotes around it; inside, '"' '&' '<' '>' as entities.
  void WriteQuoted(const char* text) {
    constexpr uint8_t kEscaped = WriterTables::kText | WriterTables::kQuote;
    WriteChar('"');
    const uint8_t* end = WriteFiltered(reinterpret_cast<const uint8_t*>(text ? text : ""), kEscaped);
    if (*end) WriteEntities(end, kEscaped);
    WriteChar('"');
  }
  /// Text content: '&' '<' '>' as entities; everything else as it is.
  void WriteEscaped(const char* text) {
    if (!text) return;
    const uint8_t* end = WriteFiltered(reinterpret_cast<const uint8_t*>(text), WriterTables::kText);
    if (*end) WriteEntities(end, WriterTables::kText);
  }
  /// A CDATA block whose content provider writes through this writer. Fails with
  /// "Can't write character" when the stream failed meanwhile, "exception" when the
  /// provider returns false.
  void WriteBlock(IXMLCData* provider, int32_t depth, XIXMLData* node);
  /// Hands what is buffered to the stream; a short write throws "Can't write character".
  void Flush();

  /// As a stream for block providers: buffers count bytes and returns count; 0 once
  /// the client's stream has failed.
  int32_t Write(const char* bytes, int32_t count) override;

  bool mSuppressNewline = true;

private:
  void WriteLong(const char* bytes, size_t count);
  void NewLineLong(int32_t depth);
  bool TryFlush();
  /// Copies a zero-terminated text up to its end or a byte of class stop, straight
  /// into the buffer; returns where it stopped.
  const uint8_t* WriteFiltered(const uint8_t* text, uint8_t stop) {
    stop |= WriterTables::kEnd;
    for (;;) {
      char* out = mBuffer + mLength;
      char* const end = mBuffer + kCapacity;
      const uint8_t* const classes = WriterTables::kEscape.mClass;
      while (out < end && !(classes[*text] & stop)) *out++ = static_cast<char>(*text++);
      mLength = static_cast<size_t>(out - mBuffer);
      if (out < end) return text;
      Flush();
    }
  }
  /// Writes the rest of a text from a byte that needs an entity; returns its end.
  const uint8_t* WriteEntities(const uint8_t* text, uint8_t stop);

  XIXMLWriteStream* mStream;
  char* mBuffer;
  size_t mLength = 0;
  bool mFailed = false;
};

}  // namespace QuorveXML
