#include "scene/heliodon.h"

#include <cmath>

namespace QvZin {

const CZinLabel kSunPlacements[] = {
    {"Manual", eSunManual}, {"45.Degree", eSun45Degree}, {"Date.And.Place", eSunDateAndPlace}, {nullptr, 0}};

double WrapNorthAngle(double degrees, const double& previous) {
  if (std::isnan(degrees)) return previous;
  if (degrees < 0) return degrees + 360;
  if (degrees <= 360) return degrees;
  // The whole part's remainder; an integer cast would be undefined past 2^31.
  const double wrapped = std::fmod(std::trunc(degrees), 360.0);
  return std::isnan(wrapped) ? previous : wrapped;
}

}  // namespace QvZin
