// Materials: properties, and the parts of texture nodes.
#pragma once

#include "ZinBase.h"

namespace QvZin {

/// A material of the scene. New properties are named "Material #0".
class IZinProperty : public IZinBasic {
public:
  static constexpr CZinUUID sIID = CZinUUID::fromText("CD5B3D7D4175487F9E6AE05DEFC83B5C");
};

/// A sub-part of a texture node: its maps (a plain record, owned by its list).
class IZinSubPart {
public:
  static constexpr CZinUUID sIID = CZinUUID::fromText("ACC4A3A5FC0F4459BF083D362B6191F9");

protected:
  ~IZinSubPart() = default;
};

/// A map of a texture sub-part (a plain record, owned by its list).
class IZinMultiMaps {
public:
  static constexpr CZinUUID sIID = CZinUUID::fromText("57420C346A954C989B036A92F67F073E");

protected:
  ~IZinMultiMaps() = default;
};

}  // namespace QvZin
