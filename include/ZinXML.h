// The library's XML engine as clients see it: the streams it reads and writes,
// the data-block provider interface, and the document-model interfaces.
#pragma once

#include <cstdint>

namespace QuorveXML {

class XIXMLNode;
class XIXMLElement;
class XIXMLAttribute;
class XIXMLData;
class XIXMLComment;
class XIXMLPI;
class XIXMLDocType;

/// Output of the XML writer. Write must take every byte: any result other than
/// count fails the write with "Can't write character".
class XIXMLWriteStream {
public:
  /// Writes count bytes; returns the number written.
  virtual int32_t Write(const char* bytes, int32_t count) = 0;

protected:
  ~XIXMLWriteStream() = default;
};

/// Input of the XML parser. The parser always asks for 1024 bytes; a result
/// smaller than the request is the last piece of the data (0: end of data at
/// once). A result larger than the request is an error.
class XIXMLReadStream {
public:
  virtual ~XIXMLReadStream() = default;
  /// Reads up to size bytes into buffer; returns the number delivered.
  virtual uint32_t Read(void* buffer, uint32_t size) = 0;
};

/// A data-block provider: produces the content of one CDATA block while the
/// writer serialises the document. A data node takes over one reference at
/// creation and calls Release once when destroyed.
class IXMLCData {
public:
  /// Writes the block's bytes (never the sequence "]]>"); true when written.
  virtual bool Write(XIXMLWriteStream* stream, int depth, XIXMLData* dataNode) = 0;
  /// The provider that a copy of the data node is to hold (this one with one more
  /// reference, or a new provider).
  virtual IXMLCData* Duplicate() = 0;
  /// Drops the data node's reference; the base behaviour destroys the provider.
  virtual void Release() { delete this; }
  virtual ~IXMLCData() = default;
};

}  // namespace QuorveXML
