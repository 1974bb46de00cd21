// The lens flare of a light or of the sun.
#pragma once

#include "ZinLensFlare.h"
#include "serialization/fields.h"

namespace QvZin {

/// The labels of the lens flare types; the first label of a value is written.
extern const CZinLabel kLensFlareTypes[];

// Older files call the first type "Standard": accepted on reading, never written.
#define ZIN_LENS_FLARE_FIELDS(F)                                                                \
  F(bool, Used, "Used", false, ZinFlag(), Keep())                                               \
  F(int32_t, Type, "Type", eLensFlare1, (ZinLabel{kLensFlareTypes}.alias("Standard", eLensFlare1)), Keep()) \
  F(double, Size, "Size", 1.0, ZinDouble(), Keep())                                             \
  F(double, Intensity, "Intensity", 1.0, ZinDouble(), Keep())

class CZinLensFlare final : public TZinSettings<IZinLensFlare> {
  ZIN_FIELDS(ZIN_LENS_FLARE_FIELDS)

  /// Writes the "Lens.Flare" element into its owner's element.
  void putInXML(CZinXMLAdd& owner) {
    CZinXMLAdd out(owner.AddElement("Lens.Flare"));
    putFields(out);
  }
  /// Reads the "Lens.Flare" element of its owner's element.
  void initWithXML(CZinXMLGet& owner) {
    CZinXMLGet in(owner.GetElement("Lens.Flare"));
    getFields(in);
  }
};

}  // namespace QvZin
