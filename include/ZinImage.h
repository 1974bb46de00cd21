// Picture objects: the manager's preview image and the entries of its images.
#pragma once

#include "ZinBase.h"

namespace QvZin {

class IZinImage : public IZinBasic {
public:
  static constexpr CZinUUID sIID = CZinUUID::fromText("8697F44E6B7A4284970D3FB3C7447206");

  /// Each pointer that is set receives the width, the height and the pixels: rows
  /// back to back, four bytes a pixel in the order red, green, blue, alpha. The
  /// pixels stay the image's and valid until it changes. An empty image gives 0, 0
  /// and null.
  virtual void getPixels(uint32_t* width, uint32_t* height, const uint8_t** pixels) = 0;
  /// Replaces the picture by a copy of width x height pixels (layout as getPixels).
  /// A zero size or null pixels empty the image. A size beyond 4 GiB fails with
  /// std::bad_alloc and keeps the previous picture.
  virtual void setPixels(uint32_t width, uint32_t height, const uint8_t* pixels) = 0;
  /// The identifier by which other data refers to the picture (the stored value,
  /// not a copy); all zero on a new image, distinct from the basic-data id.
  virtual const CZinUUID* getImageId() = 0;
  /// Copies the 16 bytes of id and returns id; a null id changes nothing.
  virtual const CZinUUID* setImageId(const CZinUUID* id) = 0;
};

}  // namespace QvZin
