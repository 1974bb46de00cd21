// The element of identifier lists (light groups of a light, layers of a view...).
#pragma once

#include "ZinUUID.h"

namespace QvZin {

/// An identifier owned by a TObjectMgr<CZinUUIDX, CZinUUID>; all zero when new.
class CZinUUIDX final : public CZinUUID {};

}  // namespace QvZin
