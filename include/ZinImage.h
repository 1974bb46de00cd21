// Picture objects: the manager's preview image and the entries of its images.
#pragma once

#include "ZinBase.h"

namespace QvZin {

class IZinImage : public IZinBasic {
public:
  static constexpr CZinUUID sIID = CZinUUID::fromText("8697F44E6B7A4284970D3FB3C7447206");

  /// The identifier by which other data refers to the picture (the stored value,
  /// not a copy); all zero on a new image, distinct from the basic-data id.
  virtual const CZinUUID* getImageId() = 0;
  /// Copies the 16 bytes of id and returns id; a null id changes nothing.
  virtual const CZinUUID* setImageId(const CZinUUID* id) = 0;
};

}  // namespace QvZin
