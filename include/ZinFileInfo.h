// File information: what the "File.Info" element of a file carries.
#pragma once

#include "ZinBase.h"

namespace QvZin {

class IZinFileInfo : public IZinBasic {
public:
  static constexpr CZinUUID sIID = CZinUUID::fromText("3B8E51D0C7A2493F9E6D02A1B4C8F75E");
  /// The origin of the scene: three doubles x, y, z (0, 0, 0 at first); the
  /// pointer stays valid for the object's life.
  virtual const double* getOrigin() = 0;
  /// Copies three doubles; null is ignored.
  virtual void setOrigin(const double* xyz) = 0;
};

}  // namespace QvZin
