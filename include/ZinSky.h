// The sky around the sun of a heliodon.
#pragma once

#include "ZinBase.h"
#include "ZinValues.h"

namespace QvZin {

/// Fog, owned by its heliodon or environment; change it in place. No clipping.
class IZinFog {
public:
  /// Default false.
  virtual bool getActive() = 0;
  virtual void setActive(bool active) = 0;
  /// Default 221/221/221.
  virtual const CZinColor& getColor() = 0;
  virtual void setColor(const CZinColor& color) = 0;
  /// Default 0.5.
  virtual double getDensity() = 0;
  virtual void setDensity(double density) = 0;
  /// Default 50.0.
  virtual double getStartDistance() = 0;
  virtual void setStartDistance(double distance) = 0;
  /// Default 2500.0.
  virtual double getEndDistance() = 0;
  virtual void setEndDistance(double distance) = 0;
  /// Default 300.0.
  virtual double getAltitude() = 0;
  virtual void setAltitude(double altitude) = 0;

protected:
  ~IZinFog() = default;
};

}  // namespace QvZin
