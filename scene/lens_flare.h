// The lens flare of a light or of the sun.
#pragma once

#include "ZinLensFlare.h"
#include "serialization/fields.h"

namespace QvZin {

/// The labels of the lens flare types; the first label of a value is written.
extern const CZinLabel kLensFlareTypes[];

// Older files call the first type "Standard": accepted on reading, never written.
#define ZIN_LENS_FLARE_FIELDS(F, P)                                                                \
  F(bool, Used, "Used", false, ZinFlag(), Keep())                                               \
  F(int32_t, Type, "Type", eLensFlare1, (ZinLabel{kLensFlareTypes}.alias("Standard", eLensFlare1)), Keep()) \
  F(double, Size, "Size", 1.0, ZinDouble(), Keep())                                             \
  F(double, Intensity, "Intensity", 1.0, ZinDouble(), Keep())

class CZinLensFlare final : public TZinSettings<IZinLensFlare> {
  ZIN_FIELDS(ZIN_LENS_FLARE_FIELDS)
};

}  // namespace QvZin
