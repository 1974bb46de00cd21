#include "support/mine.h"

#include "support/raise.h"
#include "support/reporter.h"

namespace Quorve {

XCMine::~XCMine() {
  const uint32_t word = mWord;
  if (word == kDestroyed)
    XCReporter::Error("XCMine::~XCMine - Double deletion detected");
  else if (word != kArmed)
    XCReporter::Error("XCMine::~XCMine - Invalid deletion detected");
  mWord = kDestroyed;
}

void XCMine::CheckMine() const {
  const uint32_t word = mWord;
  CheckAssertion(word != kDestroyed, "XCMine::CheckMine - Owner object is destroyed)");
  CheckAssertion(word == kArmed, "XCMine::CheckMine - Invalide mine state");
}

}  // namespace Quorve
