// Environments and grounds of a scene.
#pragma once

#include "ZinBase.h"

namespace QvZin {

/// A named set of fog, clouds, background picture and foreground.
class IZinEnvironment : public IZinBasic {
public:
  static constexpr CZinUUID sIID = CZinUUID::fromText("11F79C88B9DF4F309F90F6259D5A6998");
};

/// A named, infinite ground plane with a material.
class IZinGround : public IZinBasic {
public:
  static constexpr CZinUUID sIID = CZinUUID::fromText("5DA0F7A7048A4D318FB25F92C1159D7E");
};

}  // namespace QvZin
