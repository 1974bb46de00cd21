// The fog of a heliodon or an environment.
#pragma once

#include "ZinSky.h"
#include "serialization/fields.h"

namespace QvZin {

#define ZIN_FOG_FIELDS(F, P)                                                     \
  F(bool, Active, "Active", false, ZinFlag(), Keep())                         \
  F(CZinColor, Color, "Color", CZinColor(221, 221, 221), ZinColour(), Keep()) \
  F(double, Density, "Density", 0.5, ZinDouble(), Keep())                     \
  F(double, StartDistance, "Start.Distance", 50.0, ZinDouble(), Keep())       \
  F(double, EndDistance, "End.Distance", 2500.0, ZinDouble(), Keep())         \
  F(double, Altitude, "Altitude", 300.0, ZinDouble(), Keep())

class CZinFog final : public TZinSettings<IZinFog> {
  ZIN_FIELDS(ZIN_FOG_FIELDS)
};

}  // namespace QvZin
