// The parser's view of a client read stream: a 1024-byte buffer refilled on demand.
//
// The stream contract: every Read asks for 1024 bytes; a piece shorter than that is
// the last one (0: the data ends at once), so Read is never called after it. A
// stream that claims more bytes than asked for is refused, never trusted.
//
// A zero byte always follows the filled part of the buffer. Scanning loops stop on
// it as on their own stop bytes, so they test for the end of the buffer only when
// they stop, not at every byte.
#pragma once

#include <cstdint>

#include "ZinXML.h"

namespace QuorveXML {

class CCharSource {
public:
  static constexpr uint32_t kPiece = 1024;

  explicit CCharSource(XIXMLReadStream* stream);
  ~CCharSource();
  CCharSource(const CCharSource&) = delete;
  CCharSource& operator=(const CCharSource&) = delete;

  /// The next byte (0 to 255), or -1 at the end of the data.
  int Next() {
    if (mPos < mEnd) return *mPos++;
    return Fill() ? *mPos++ : -1;
  }
  /// Refills an exhausted buffer; false at the end of the data.
  bool Fill();

  // The unread part of the buffer, for the scanning loops: [mPos, mEnd), *mEnd == 0.
  const uint8_t* mPos;
  const uint8_t* mEnd;

private:
  XIXMLReadStream* mStream;
  bool mLast = false;  // the stream gave its last piece
  uint8_t mBuffer[kPiece + 1];
};

}  // namespace QuorveXML
