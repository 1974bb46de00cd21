// The older background of a scene. No list holds it: it sits alone under its
// parent, written "Background" and read under that name or the older "Backgroung".
#pragma once

#include "ZinImageEffects.h"
#include "serialization/fields.h"
#include "serialization/parts.h"

namespace QvZin {

extern const CZinLabel kBackgroundImageTypes[];
extern const CZinLabel kBackgroundColorTypes[];

/// Where a background goes under its parent; "Background" wins when both are there.
constexpr CZinPlacement kBackgroundPlacement{"Background", "Backgroung"};

// The up direction's x really is 1.296153. The line power is clipped to [0, 100]
// only while attached; then a power below 10 becomes 1.0 in every case.
#define ZIN_BACKGROUND_FIELDS(F, P)                                                                         \
  F(int32_t, ImageType, "Image.Type", eBackgroundImageNone, ZinLabel{kBackgroundImageTypes}, Keep())        \
  F(int32_t, ColorType, "Color.Type", eBackgroundColorGraduated, ZinLabel{kBackgroundColorTypes}, Keep())   \
  F(CZinColor, Color, "Color", CZinColor(255, 255, 255), ZinColour(), Keep())                               \
  F(CZinColor, SecondColor, "Second.Color", CZinColor(0, 100, 255), ZinColour(), Keep())                    \
  F(CZinVector3D, UpDirection, "Up.Direction", CZinVector3D(1.296153, 1, 0), ZinPoint(), Keep())            \
  F(double, LinePower, "Line.Power", 1.0, ZinDouble(),                                                      \
    Then(Clamp(0.0, 100.0).whileAttached(), AtLeast(10.0).silent().orElse(1.0)))                            \
  F(std::string, URL, "URL", "", ZinText(), Keep())                                                         \
  F(double, Origin, "Origin", 1.0, ZinDouble(), Keep())                                                     \
  F(bool, UseDefault, "Use.Default", true, ZinFlag(), Keep())                                               \
  F(double, DirectionAngle, "Direction.Angle", 1.0, ZinDouble(), Keep())

class CBackground final : public TZinSettings<IZinBackground> {
  ZIN_FIELDS(ZIN_BACKGROUND_FIELDS)
};

}  // namespace QvZin
