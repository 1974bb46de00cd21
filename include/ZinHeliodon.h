// The sun of a scene with its sky, and the date, time and place it stands for. A
// new manager holds exactly one heliodon.
#pragma once

#include "ZinBase.h"
#include "ZinLensFlare.h"
#include "ZinSky.h"
#include "ZinValues.h"

namespace QvZin {

/// How the sun is placed, written as the labels "Manual", "45.Degree", "Date.And.Place".
enum EZinSunPlacement : int32_t { eSunManual = 0, eSun45Degree = 1, eSunDateAndPlace = 2 };

/// The date and time of a heliodon, owned by it; change it in place. A new one holds
/// the local date, hour and minute of its creation. Values are stored as given.
class IZinTime {
public:
  /// Day of the month, 1-31.
  virtual int32_t getDay() = 0;
  virtual void setDay(int32_t day) = 0;
  /// 1-12.
  virtual int32_t getMonth() = 0;
  virtual void setMonth(int32_t month) = 0;
  /// 0-23.
  virtual int32_t getHour() = 0;
  virtual void setHour(int32_t hour) = 0;
  /// 0-59.
  virtual int32_t getMinute() = 0;
  virtual void setMinute(int32_t minute) = 0;
  /// Four digits.
  virtual int32_t getYear() = 0;
  virtual void setYear(int32_t year) = 0;

protected:
  ~IZinTime() = default;
};

/// Where a heliodon stands, owned by it; change it in place. Default: longitude,
/// latitude and time zone 0, no daylight saving. No clipping.
class IZinPlace {
public:
  /// Default 0.
  virtual int32_t getLongitude() = 0;
  virtual void setLongitude(int32_t longitude) = 0;
  /// Default 0.
  virtual int32_t getLatitude() = 0;
  virtual void setLatitude(int32_t latitude) = 0;
  /// Minutes; default 0.
  virtual int32_t getTimeZone() = 0;
  virtual void setTimeZone(int32_t minutes) = 0;
  /// Default false.
  virtual bool getDaylight() = 0;
  virtual void setDaylight(bool on) = 0;

protected:
  ~IZinPlace() = default;
};

/// A heliodon: the sun, its light and shadows, and the sky that goes with it. New
/// heliodons are named "Heliodon". Setters store values as given unless a line says
/// otherwise; the owned parts are changed in place (borrowed pointers).
class IZinHeliodon : public IZinBasic {
public:
  static constexpr CZinUUID sIID = CZinUUID::fromText("341D943027194BF7938ADC54ED8A391B");

  /// Default true.
  virtual bool getActive() = 0;
  virtual void setActive(bool active) = 0;
  /// The date and time (borrowed); a new heliodon's is its creation's.
  virtual IZinTime* getTime() = 0;
  /// The place (borrowed).
  virtual IZinPlace* getPlace() = 0;
  /// Default 0.5.
  virtual double getSunshine() = 0;
  virtual void setSunshine(double sunshine) = 0;
  /// Degrees; default 0. A negative angle has 360 added once; an angle above 360
  /// becomes the remainder of its whole part divided by 360 (725.5 gives 5); a NaN,
  /// or an angle whose remainder is not a number, keeps the angle as it was.
  virtual double getNorthAngle() = 0;
  virtual void setNorthAngle(double degrees) = 0;
  /// Default true.
  virtual bool getShadow() = 0;
  virtual void setShadow(bool on) = 0;
  /// Default 0.8.
  virtual double getShadowPower() = 0;
  virtual void setShadowPower(double power) = 0;
  /// Default 0; clipped to [0, 100]. In a manager a clipped level warns
  /// "IZinHeliodon::setShadowBlur: invalid blur level".
  virtual int32_t getShadowBlur() = 0;
  virtual void setShadowBlur(int32_t level) = 0;
  /// Default false.
  virtual bool getGlobalIllumination() = 0;
  virtual void setGlobalIllumination(bool on) = 0;
  /// Default 0.5.
  virtual double getGlobalIlluminationPower() = 0;
  virtual void setGlobalIlluminationPower(double power) = 0;
  /// Default 0.
  virtual int32_t getGlobalIlluminationQuality() = 0;
  virtual void setGlobalIlluminationQuality(int32_t quality) = 0;
  /// The sun's lens flare and god rays (borrowed).
  virtual IZinLensFlare* getLensFlare() = 0;
  virtual IZinGodRays* getGodRays() = 0;
  /// Whether the sun takes the colours below; default false.
  virtual bool getColoredSun() = 0;
  virtual void setColoredSun(bool on) = 0;
  /// The sun's colour index 0-4, through the day. Defaults 200/182/90, 230/230/225,
  /// 255/255/255, 222/222/130, 212/135/80. Another index warns (in a manager)
  /// "IZinHeliodon::getColor: bad index" and gives 0/0/0, or
  /// "IZinHeliodon::setColor: bad index" and changes nothing.
  virtual const CZinColor& getColor(int32_t index) = 0;
  virtual void setColor(int32_t index, const CZinColor& color) = 0;
  /// Default false.
  virtual bool getRadiosity() = 0;
  virtual void setRadiosity(bool on) = 0;
  /// The sky light (borrowed).
  virtual IZinSkylight* getSkylight() = 0;
  /// One of EZinSunPlacement; default eSunDateAndPlace. A value outside the table is
  /// kept and fails the next write.
  virtual int32_t getPlacementKind() = 0;
  virtual void setPlacementKind(int32_t kind) = 0;
  /// One of EZinColorChoice; default eColorAutomatic. A value outside the table is
  /// kept and fails the next write.
  virtual int32_t getColorType() = 0;
  virtual void setColorType(int32_t type) = 0;
  /// The sun's colour index 2, directly.
  virtual const CZinColor& getSunColor3() = 0;
  virtual void setSunColor3(const CZinColor& color) = 0;
  /// Default 0.
  virtual double getTheta() = 0;
  virtual void setTheta(double theta) = 0;
  /// Default 0.785398.
  virtual double getPhi() = 0;
  virtual void setPhi(double phi) = 0;
  /// The clouds (borrowed).
  virtual IZinClouds* getClouds() = 0;
  /// Default 0.5.
  virtual double getCloudCoverage() = 0;
  virtual void setCloudCoverage(double coverage) = 0;
  /// Whether the clouds hide the sun; default false.
  virtual bool getCloudMaskSun() = 0;
  virtual void setCloudMaskSun(bool on) = 0;
  /// The fog (borrowed).
  virtual IZinFog* getFog() = 0;
  /// Default false.
  virtual bool getSunPowerFlag() = 0;
  virtual void setSunPowerFlag(bool on) = 0;
};

}  // namespace QvZin
