// Tokens of the geometry blocks, read from a data-block stream in large pieces:
// integers, doubles (correctly rounded), type letters and vertex marks.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "ZinBase.h"
#include "ZinXML.h"

namespace QvZin {

class CGeoTextReader {
public:
  static constexpr uint32_t kBufferSize = 64 * 1024;
  /// Every token shorter than this is parsed in place, in one pass; longer ones
  /// (only in damaged or hostile files) are gathered first.
  static constexpr uint32_t kShortToken = 80;

  /// warnings receives "NaN double." and "INF double." (may be null).
  CGeoTextReader(QuorveXML::XIXMLReadStream* stream, IZinWarning* warnings);
  CGeoTextReader(const CGeoTextReader&) = delete;
  CGeoTextReader& operator=(const CGeoTextReader&) = delete;

  /// An optional sign and one or more digits; the character after them is
  /// consumed. Throws "This is not a integer" when a '.' follows the digits and
  /// "This is not a number" when no digit starts the token or the data ends inside
  /// it. Values beyond 32 bits saturate.
  int32_t readInt();

  /// An optional sign, digits with an optional '.' and fraction digits, no
  /// exponent; the character after them is consumed. NaN and INF (any case) warn
  /// and read as 1e30, or -1e30 after a '-'. Anything else, or data ending inside
  /// the number, throws "This is not a number". The value is the decimal text
  /// correctly rounded to the nearest double.
  double readDouble();

  /// count doubles in a row (at most 4), as readDouble reads each; the form for
  /// the coordinates of points, which are most of a file.
  void readDoubles(double* out, int count);

  /// The next non-blank character, consumed; -1 at the end of the data.
  int readLetter();

  /// Consumes the next non-blank character when it is c.
  bool acceptMarker(char c);

  /// Skips blanks; true when nothing but blanks remains.
  bool atEnd();

private:
  // Skips blanks and makes sure that want bytes are buffered (fewer only at the
  // end of the data), so that a short token is there whole.
  void nextToken(uint32_t want = kShortToken);
  // Moves what is left to the front and reads once; false when nothing came.
  bool refill();
  int peek() {
    if (mPos == mFill && !refill()) return -1;
    return static_cast<unsigned char>(mBuffer[mPos]);
  }
  [[noreturn]] void notANumber();
  int32_t readLongInt();
  double readLongDouble();
  double readSpecial(bool negative);

  QuorveXML::XIXMLReadStream* mStream;
  IZinWarning* mWarnings;
  uint32_t mPos = 0;
  uint32_t mFill = 0;
  bool mEnded = false;
  std::unique_ptr<char[]> mBuffer;  // kBufferSize bytes and a zero after the data
  std::string mLongToken;  // a number longer than what the buffer holds at once
};

}  // namespace QvZin
