#include "xml/char_source.h"

#include "support/raise.h"

#if defined(__SANITIZE_ADDRESS__)
#include <sanitizer/asan_interface.h>
#define ZIN_POISON(address, size) ASAN_POISON_MEMORY_REGION(address, size)
#define ZIN_UNPOISON(address, size) ASAN_UNPOISON_MEMORY_REGION(address, size)
#else
#define ZIN_POISON(address, size) ((void)(address), (void)(size))
#define ZIN_UNPOISON(address, size) ((void)(address), (void)(size))
#endif

namespace QuorveXML {

CCharSource::CCharSource(XIXMLReadStream* stream) : mPos(mBuffer), mEnd(mBuffer), mStream(stream) {
  mBuffer[0] = 0;
}

CCharSource::~CCharSource() { ZIN_UNPOISON(mBuffer, sizeof mBuffer); }

bool CCharSource::Fill() {
  if (mLast) return false;
  ZIN_UNPOISON(mBuffer, sizeof mBuffer);
  const uint32_t count = mStream->Read(mBuffer, kPiece);
  if (count > kPiece) {
    mLast = true;
    mPos = mEnd = mBuffer;
    mBuffer[0] = 0;
    Quorve::ThrowError("The read stream returned more bytes than requested");
  }
  mLast = count < kPiece;
  mPos = mBuffer;
  mEnd = mBuffer + count;
  mBuffer[count] = 0;
  // In sanitized builds, what lies past the sentinel of a short piece is poisoned, so
  // a scanning loop that missed the sentinel trips at once.
  if (count + 1 < sizeof mBuffer) ZIN_POISON(mBuffer + count + 1, sizeof mBuffer - count - 1);
  return count > 0;
}

}  // namespace QuorveXML
