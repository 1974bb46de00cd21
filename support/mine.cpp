#include "support/mine.h"

#include "support/raise.h"
#include "support/reporter.h"

namespace Quorve {

void XCMine::ReportDeletion() const {
  if (mWord == kDestroyed)
    XCReporter::Error("XCMine::~XCMine - Double deletion detected");
  else
    XCReporter::Error("XCMine::~XCMine - Invalid deletion detected");
}

void XCMine::Fail() const {
  if (mWord == kDestroyed) FailAssertion("XCMine::CheckMine - Owner object is destroyed)");
  FailAssertion("XCMine::CheckMine - Invalide mine state");
}

}  // namespace Quorve
