// The plain parts of texture nodes: sub-parts and their maps.
#pragma once

#include "ZinMaterials.h"

namespace QvZin {

class CZinSubPart final : public IZinSubPart {};

class CZinMultiMaps final : public IZinMultiMaps {};

}  // namespace QvZin
