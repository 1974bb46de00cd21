// The sky around the sun of a heliodon: sky light, god rays, clouds and fog.
#pragma once

#include "ZinBase.h"
#include "ZinValues.h"

namespace QvZin {

/// Who chooses a colour (the sky light's sky type, the heliodon's colour type),
/// written as the labels "Automatic", "User".
enum EZinColorChoice : int32_t { eColorAutomatic = 0, eColorUser = 1 };

/// The light of the sky, owned by its heliodon; change it in place. No clipping.
class IZinSkylight {
public:
  /// Default false.
  virtual bool getUsed() = 0;
  virtual void setUsed(bool used) = 0;
  /// Default 0.5.
  virtual double getFactor() = 0;
  virtual void setFactor(double factor) = 0;
  /// Default 255/255/255.
  virtual const CZinColor& getColor() = 0;
  virtual void setColor(const CZinColor& color) = 0;
  /// One of EZinColorChoice; default eColorAutomatic. A value outside the table is
  /// kept and fails the next write.
  virtual int32_t getSkyType() = 0;
  virtual void setSkyType(int32_t type) = 0;
  /// Default false.
  virtual bool getBackground() = 0;
  virtual void setBackground(bool on) = 0;
  /// Default 0.2.
  virtual double getPollution() = 0;
  virtual void setPollution(double pollution) = 0;
  /// Whether the mix colour tints the sky; default false.
  virtual bool getMixColorFlag() = 0;
  virtual void setMixColorFlag(bool on) = 0;
  /// Default 255/255/255.
  virtual const CZinColor& getMixColor() = 0;
  virtual void setMixColor(const CZinColor& color) = 0;
  /// Default false.
  virtual bool getPowerFlag() = 0;
  virtual void setPowerFlag(bool on) = 0;
  /// Default false.
  virtual bool getSkyColorFlag() = 0;
  virtual void setSkyColorFlag(bool on) = 0;

protected:
  ~IZinSkylight() = default;
};

/// Rays of sunlight through the air, owned by their heliodon; change them in place.
/// No clipping.
class IZinGodRays {
public:
  /// Default false.
  virtual bool getUsed() = 0;
  virtual void setUsed(bool used) = 0;
  /// Default 1.0.
  virtual double getPower() = 0;
  virtual void setPower(double power) = 0;

protected:
  ~IZinGodRays() = default;
};

/// The clouds of the sky, owned by their heliodon; change them in place. No clipping;
/// sizes and the wind speed are stored as given.
class IZinClouds {
public:
  /// Default false.
  virtual bool getActive() = 0;
  virtual void setActive(bool active) = 0;
  /// Default 0.6.
  virtual double getCumulusSize() = 0;
  virtual void setCumulusSize(double size) = 0;
  /// Default 0.
  virtual int32_t getCumulusSeed() = 0;
  virtual void setCumulusSeed(int32_t seed) = 0;
  /// Default 0.5.
  virtual double getCirrusSize() = 0;
  virtual void setCirrusSize(double size) = 0;
  /// Default 0.
  virtual int32_t getCirrusSeed() = 0;
  virtual void setCirrusSeed(int32_t seed) = 0;
  /// Default 0.2.
  virtual double getStratusSize() = 0;
  virtual void setStratusSize(double size) = 0;
  /// Default 0.
  virtual int32_t getStratusSeed() = 0;
  virtual void setStratusSeed(int32_t seed) = 0;
  /// Default 0.4.
  virtual double getCirrocumulusSize() = 0;
  virtual void setCirrocumulusSize(double size) = 0;
  /// Default 0.
  virtual int32_t getCirrocumulusSeed() = 0;
  virtual void setCirrocumulusSeed(int32_t seed) = 0;
  /// Default false.
  virtual bool getWindActive() = 0;
  virtual void setWindActive(bool active) = 0;
  /// Default 20.0.
  virtual double getWindSpeed() = 0;
  virtual void setWindSpeed(double speed) = 0;
  /// Degrees; default 0.
  virtual double getWindDirection() = 0;
  virtual void setWindDirection(double degrees) = 0;

protected:
  ~IZinClouds() = default;
};

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
