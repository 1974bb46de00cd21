#include "framework/com_base.h"

#include "support/platform.h"

namespace QvZin {

void ObsoleteLibraryStop() {
  Quorve::Platform::FatalStop("ZIN Library is obsolete", "Please update ZIN Library and relaunch the application.");
}

}  // namespace QvZin
