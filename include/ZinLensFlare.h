// The lens flare of a light or of the sun.
#pragma once

#include "ZinBase.h"

namespace QvZin {

/// Lens flare types, written as the labels "LensFlare1", "LensFlare2", "Halo1", "Halo2".
enum EZinLensFlareType : int32_t { eLensFlare1 = 0, eLensFlare2 = 1, eHalo1 = 2, eHalo2 = 3 };

/// A lens flare, owned by its light or heliodon; change it in place. No clipping.
class IZinLensFlare {
public:
  /// Default false.
  virtual bool getUsed() = 0;
  virtual void setUsed(bool used) = 0;
  /// One of EZinLensFlareType; default eLensFlare1.
  virtual int32_t getType() = 0;
  virtual void setType(int32_t type) = 0;
  /// Default 1.0.
  virtual double getSize() = 0;
  virtual void setSize(double size) = 0;
  /// Default 1.0.
  virtual double getIntensity() = 0;
  virtual void setIntensity(double intensity) = 0;

protected:
  ~IZinLensFlare() = default;
};

}  // namespace QvZin
