// The client's read stream as the parser's input, and the header scan that every
// reader of a file starts with.
#pragma once

#include "ZinStreams.h"
#include "ZinXML.h"
#include "manager/header.h"

namespace QvZin {

/// Passes the parser's requests to the client's stream. A negative result counts
/// as the end of the data; what the parser does with the answer is its own rule.
class CReadStreamAdapter final : public QuorveXML::XIXMLReadStream {
public:
  explicit CReadStreamAdapter(IZinReadStream* stream) : mStream(stream) {}
  uint32_t Read(void* buffer, uint32_t size) override;

private:
  IZinReadStream* mStream;
};

/// The writer's output as the client's stream (documents and shader files). The
/// client's write takes every byte and its result means nothing: clients return
/// anything there (often 0), so a stream that fails must say so itself (the file
/// stream does, through close()). A null stream fails at the first write with
/// "IZinWriteStream is NULL (pointer is NULL)".
class CWriteStreamAdapter final : public QuorveXML::XIXMLWriteStream {
public:
  explicit CWriteStreamAdapter(IZinWriteStream* stream) : mStream(stream) {}
  int32_t Write(const char* bytes, int32_t count) override;

private:
  IZinWriteStream* mStream;
};

/// Scans stream for the "Zin" header instruction (from where it stands; the stream
/// is left where the scan stopped). Never throws: what was found until a failure is
/// returned, library 0.0.0 when nothing was.
CZinHeaderInfo ScanHeader(IZinReadStream* stream);

/// Scans stream for the name of the "Application" instruction; "" when none comes
/// before the first element. Never throws.
std::string ScanCreator(IZinReadStream* stream);

}  // namespace QvZin
