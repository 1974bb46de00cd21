#include "xml/cdata_stream.h"

#include <cstring>

#include "support/raise.h"
#include "xml/char_source.h"

namespace QuorveXML {

uint32_t CXMLCDataStream::Read(void* buffer, uint32_t size) {
  if (mEnded || size == 0) return 0;
  if (!buffer) Quorve::ThrowNullPointer(nullptr);
  uint8_t* out = static_cast<uint8_t*>(buffer);
  uint8_t* const limit = out + size;
  CCharSource& source = mSource;
  while (out < limit) {
    if (mPending == 0) {
      // The common case: copy the run up to the next bracket in one piece.
      if (source.mPos == source.mEnd && !source.Fill()) {
        mEnded = true;
        break;
      }
      const size_t available = static_cast<size_t>(source.mEnd - source.mPos);
      const size_t room = static_cast<size_t>(limit - out);
      const size_t n = available < room ? available : room;
      const void* bracket = std::memchr(source.mPos, ']', n);
      const size_t run = bracket ? static_cast<size_t>(static_cast<const uint8_t*>(bracket) - source.mPos) : n;
      std::memcpy(out, source.mPos, run);
      out += run;
      source.mPos += run;
      if (bracket) {
        ++source.mPos;
        mPending = 1;
      }
      continue;
    }
    const int c = source.Next();
    if (c < 0) {
      mEnded = true;
      break;
    }
    if (c == ']') {
      if (mPending == 2)
        *out++ = ']';
      else
        ++mPending;
      continue;
    }
    if (c == '>' && mPending == 2) {
      mEnded = true;
      mClosedProperly = true;
      break;
    }
    // Deliver one pending bracket and look at this byte again.
    --source.mPos;
    *out++ = ']';
    --mPending;
  }
  return static_cast<uint32_t>(out - static_cast<uint8_t*>(buffer));
}

void CXMLCDataStream::Drain() {
  uint8_t scratch[4096];
  while (!mEnded) Read(scratch, sizeof scratch);
}

}  // namespace QuorveXML
