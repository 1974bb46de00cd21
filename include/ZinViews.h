// The views of a scene: perspective views (cameras), parallel views and view
// objects. Their fields come with the views' own interface operations.
#pragma once

#include "ZinBase.h"

namespace QvZin {

/// A perspective view. New cameras are named "View 0". Answers the view-basic
/// identifier (kIID_ZinViewBasic) besides its own.
class IZinCamera : public IZinBasic {
public:
  static constexpr CZinUUID sIID = CZinUUID::fromText("B60F6146384C440B942E81AA5F822019");
};

/// A parallel view (front, plan or axonometric); also the element of the working
/// windows. Answers the view-basic identifier besides its own.
class IZinParallelView : public IZinBasic {
public:
  static constexpr CZinUUID sIID = CZinUUID::fromText("B76B9ACD18034DD586D5A542E2C5B27F");
};

/// A camera turning round a centre to produce a series of images. New view objects
/// are named "Vue objet 1".
class IZinViewObject : public IZinBasic {
public:
  static constexpr CZinUUID sIID = CZinUUID::fromText("9201CC60367947AAA12F1B45DC526B0D");
};

}  // namespace QvZin
