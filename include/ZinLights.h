// The scene's artificial lights and the light groups that views and lights name.
#pragma once

#include "ZinBase.h"

namespace QvZin {

/// An artificial light.
class IZinLight : public IZinBasic {
public:
  static constexpr CZinUUID sIID = CZinUUID::fromText("1254F117563C4EED972802DD0AB0C778");
};

/// A light group: a named id, nothing more (basic data).
class IZinLightsGroup : public IZinBasic {
public:
  static constexpr CZinUUID sIID = CZinUUID::fromText("22CEF1BFC12745C694A05C0EFA85E3F1");
};

}  // namespace QvZin
