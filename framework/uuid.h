// New identifiers for objects, nodes and images.
#pragma once

#include "ZinUUID.h"

namespace QvZin {

/// A new random identifier; throws "Can't create UUID" when the system fails.
CZinUUID NewZinUUID();

}  // namespace QvZin
