// The sun of a scene with its sky. A new manager holds exactly one heliodon.
#pragma once

#include "ZinBase.h"

namespace QvZin {

/// A heliodon. New heliodons are named "Heliodon".
class IZinHeliodon : public IZinBasic {
public:
  static constexpr CZinUUID sIID = CZinUUID::fromText("341D943027194BF7938ADC54ED8A391B");
};

}  // namespace QvZin
