// The older atmosphere of a scene. No list holds it: it sits alone under its
// parent as "Atmosphere".
#pragma once

#include "ZinImageEffects.h"
#include "serialization/fields.h"
#include "serialization/parts.h"

namespace QvZin {

/// Where an atmosphere goes under its parent.
constexpr CZinPlacement kAtmospherePlacement{"Atmosphere"};

// A negative maximum distance is clipped with the message that names setScale.
#define ZIN_ATMOSPHERE_FIELDS(F, P)                                                          \
  F(bool, Used, "Used", false, ZinFlag(), Keep())                                            \
  F(CZinColor, Color, "Color", CZinColor(221, 221, 221), ZinColour(), Keep())                \
  F(double, HighDensity, "Density.High", 0.6, ZinDouble(), Clamp(0.0, 1.0))                  \
  F(double, MediumDensity, "Density.Medium", 0.6, ZinDouble(), Clamp(0.0, 1.0))              \
  F(double, LowDensity, "Density.Low", 0.6, ZinDouble(), Clamp(0.0, 1.0))                    \
  F(double, Scale, "Scale", 2.0, ZinDouble(), AtLeast(0.0))                                  \
  F(double, MinDistance, "Distance.Minimum", 0.0, ZinDouble(), Keep())                       \
  F(double, MaxDistance, "Distance.Maximum", 0.0, ZinDouble(), AtLeast(0.0).naming("setScale")) \
  F(double, Noise, "Noise", 0.0, ZinDouble(), AtLeast(0.0))                                  \
  F(bool, UseDefault, "Use.Default", true, ZinFlag(), Keep())

class CAtmosphere final : public TZinSettings<IZinAtmosphere> {
  ZIN_FIELDS(ZIN_ATMOSPHERE_FIELDS)
};

}  // namespace QvZin
