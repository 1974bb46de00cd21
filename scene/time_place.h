// The date, time and place a heliodon stands for, in the date and place forms.
#pragma once

#include "ZinHeliodon.h"
#include "serialization/fields.h"
#include "support/platform.h"

namespace QvZin {

/// The default of a date row: the local clock's reading when the object is made.
template <int Quorve::Platform::CLocalTime::*Reading>
struct CZinClockNow : CZinDrawnAnew {
  operator int32_t() const { return Quorve::Platform::LocalTime().*Reading; }
};

#define ZIN_TIME_FIELDS(F, P)                                                                               \
  F(int32_t, Month, "Month", CZinClockNow<&Quorve::Platform::CLocalTime::month>(), ZinInt(), Keep())       \
  F(int32_t, Day, "Day", CZinClockNow<&Quorve::Platform::CLocalTime::day>(), ZinInt(), Keep())             \
  F(int32_t, Hour, "Hour", CZinClockNow<&Quorve::Platform::CLocalTime::hour>(), ZinInt(), Keep())          \
  F(int32_t, Minute, "Minute", CZinClockNow<&Quorve::Platform::CLocalTime::minute>(), ZinInt(), Keep())    \
  F(int32_t, Year, "Year", CZinClockNow<&Quorve::Platform::CLocalTime::year>(), ZinYear(), Keep())

class CZinTime final : public TZinSettings<IZinTime> {
public:
  ZIN_FIELDS(ZIN_TIME_FIELDS)

  CZinTime() { takeClock(); }
  CZinTime(const CZinTime&) = delete;
  CZinTime& operator=(const CZinTime&) = delete;

private:
  // The rows read the clock one by one; a new date takes all of one reading, so
  // that it cannot straddle a minute, a day or a year.
  void takeClock();
};

#define ZIN_PLACE_FIELDS(F, P)                                     \
  F(int32_t, Longitude, "Longitude", 0, ZinInt(), Keep())         \
  F(int32_t, Latitude, "Latitude", 0, ZinInt(), Keep())           \
  F(int32_t, TimeZone, "TimeZone", 0, ZinTimeZone(), Keep())      \
  F(bool, Daylight, "Daylight", false, ZinFlag(), Keep())

class CZinPlace final : public TZinSettings<IZinPlace> {
  ZIN_FIELDS(ZIN_PLACE_FIELDS)
};

}  // namespace QvZin
