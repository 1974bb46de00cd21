#include "scene/time_place.h"

namespace QvZin {

void CZinTime::takeClock() {
  const Quorve::Platform::CLocalTime now = Quorve::Platform::LocalTime();
  mMonth = now.month;
  mDay = now.day;
  mHour = now.hour;
  mMinute = now.minute;
  mYear = now.year;
}

}  // namespace QvZin
