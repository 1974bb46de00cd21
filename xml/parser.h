// The streaming parser: reads a client stream once and reports what it finds to a
// handler through virtual callbacks, in document order.
//
// It accepts a pragmatic subset of XML: elements, attributes, texts with the five
// named entities and numeric character references, comments, processing
// instructions, one document type and data blocks. It does not validate, does not
// compare end tags with start tags and converts no encoding: bytes pass through, and
// character references become UTF-8. Every error ends the parse by throwing; there
// is no recovery and no error position.
//
// The grammar is walked by loops with an explicit stack of open elements, never by
// recursion, and the hot loops classify bytes through one 256-entry table.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>

#include "ZinXML.h"

namespace QuorveXML {

class CCharSource;
class CXMLEngine;

/// A growable byte buffer for names and texts: starts at 256 bytes and doubles.
/// Running out of memory throws "Can't allocate buffer.".
class CXMLBuffer {
public:
  CXMLBuffer();
  ~CXMLBuffer();
  CXMLBuffer(const CXMLBuffer&) = delete;
  CXMLBuffer& operator=(const CXMLBuffer&) = delete;

  void Clear() { mLength = 0; }
  void Push(char c) {
    if (mLength + 1 >= mCapacity) Grow(1);
    mData[mLength++] = c;
  }
  void Append(const void* bytes, size_t count);
  /// Replaces the content with count bytes and a terminator.
  void Assign(const void* bytes, size_t count) {
    if (count >= mCapacity) {
      mLength = 0;
      Grow(count);
    }
    std::memcpy(mData, bytes, count);
    mData[count] = 0;
    mLength = count;
  }
  /// Makes room for count more bytes after the content (and a terminator).
  void Reserve(size_t count) {
    if (count >= mCapacity - mLength) Grow(count);
  }
  /// The content, zero-terminated.
  const char* Terminate() {
    mData[mLength] = 0;
    return mData;
  }

  char* mData;
  size_t mLength = 0;
  size_t mCapacity;

private:
  void Grow(size_t count);
};

/// The callback base of the parser. Texts passed to callbacks are zero-terminated
/// and valid only during the call; publicId and systemId are null when absent.
class CXMLParser {
public:
  CXMLParser() = default;
  virtual ~CXMLParser() = default;
  CXMLParser(const CXMLParser&) = delete;
  CXMLParser& operator=(const CXMLParser&) = delete;

  /// A comment. Ignored by default.
  virtual void OnComment(const char* text);
  /// A processing instruction; return false to end the parse at once, quietly.
  virtual bool OnPI(const char* target, const char* data);
  /// The document type; subset is an empty text when absent. Ignored by default.
  virtual void OnDocType(const char* name, const char* publicId, const char* systemId, const char* subset);
  /// A start tag; the handle returned comes back in OnEndElement. Under
  /// ParseSelective, null skips the element's content.
  virtual void* OnStartElement(const char* name) = 0;
  /// An attribute of the element just started, in document order.
  virtual void OnAttribute(const char* name, const char* value) = 0;
  /// A text, entities decoded; leading whitespace is never part of it.
  virtual void OnText(const char* text) = 0;
  /// A data block as a stream of its bytes. By default the whole block is read in
  /// pieces of 2048 bytes and delivered with OnText.
  virtual void OnCData(XIXMLReadStream* stream);
  /// The end of the element whose OnStartElement returned handle.
  virtual void OnEndElement(void* handle) = 0;
  /// An entity reference of another name than the five; the reference then fails
  /// with "Unrecognized entity". Returns false by default.
  virtual bool OnEntityReference(const char* buffer, int32_t size);

protected:
  CXMLBuffer mName;
  CXMLBuffer mValue;
  /// The character source of the running parse; null while none runs.
  CCharSource* mSource = nullptr;
  /// False when the name in mName holds a zero byte (its text then ends early).
  bool mNameClean = true;

  friend class CXMLEngine;
};

/// Parses stream into parser. A null stream or parser, or a parser that is already
/// parsing, throws "exception".
void Parse(XIXMLReadStream* stream, CXMLParser* parser);

/// Parses as Parse, except that an element whose OnStartElement returns null is
/// skipped: its attributes are not reported, and its content is passed over without
/// any grammar up to the first slash followed by the element's own name, with no
/// callback for anything inside and no OnEndElement; an empty element ("/>") still
/// gets OnEndElement with the null handle. For quick looks at big files.
void ParseSelective(XIXMLReadStream* stream, CXMLParser* parser);

}  // namespace QuorveXML
