// Number text of the geometry blocks, written through a staging buffer: the
// blocks hold tens of millions of numbers, so no number goes through printf and
// no byte through a call of the client's stream.
#pragma once

#include <cstdint>
#include <cstring>

#include "ZinXML.h"

namespace QvZin {

/// Writes doubles the way geometry blocks hold them, followed by one blank:
/// "0.0 " for zero; "%lf " for magnitudes above 2147483647; otherwise the
/// shortest of one to six fraction digits that the rounding rule allows.
/// Returns the number of characters written (at most 50). The caller clamps.
size_t FormatGeoDouble(double value, char* out);

/// Writes a 32-bit integer in decimal followed by one blank; returns the length.
size_t FormatGeoInt(int32_t value, char* out);

class CFastWriter {
public:
  static constexpr size_t kBufferSize = 64 * 1024;
  /// The longest text one number may produce.
  static constexpr size_t kMaxNumber = 64;

  explicit CFastWriter(QuorveXML::XIXMLWriteStream* stream) : mStream(stream) {}
  /// Flushes quietly: errors surface through flush(), which callers call at the end.
  ~CFastWriter();
  CFastWriter(const CFastWriter&) = delete;
  CFastWriter& operator=(const CFastWriter&) = delete;

  void putChar(char c) {
    if (mFill == kBufferSize) flush();
    mBuffer[mFill++] = c;
  }
  void putText(const char* text, size_t size) {
    if (kBufferSize - mFill < size) flush();
    if (size > kBufferSize) {
      writeThrough(text, size);
      return;
    }
    std::memcpy(mBuffer + mFill, text, size);
    mFill += size;
  }
  void putInt(int32_t value) {
    if (kBufferSize - mFill < kMaxNumber) flush();
    mFill += FormatGeoInt(value, mBuffer + mFill);
  }
  /// Clamps to -1e30..1e30, then writes the geometry form.
  void putDouble(double value) {
    if (kBufferSize - mFill < kMaxNumber) flush();
    mFill += FormatGeoDouble(Clamp(value), mBuffer + mFill);
  }

  /// Hands the buffered bytes to the stream. Throws "CFastWriter::write - Can't
  /// write all data (assertion failed)" when it takes fewer.
  void flush();

  /// Clamps to -1e30..1e30; a NaN is written as 1e30, as it would be read.
  static double Clamp(double value) {
    if (value != value) return 1e30;
    return value > 1e30 ? 1e30 : value < -1e30 ? -1e30 : value;
  }

private:
  void writeThrough(const char* text, size_t size);

  QuorveXML::XIXMLWriteStream* mStream;
  size_t mFill = 0;
  char mBuffer[kBufferSize];
};

}  // namespace QvZin
