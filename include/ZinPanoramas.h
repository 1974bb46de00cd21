// Panoramas: walk-throughs of nodes joined by links.
#pragma once

#include "ZinBase.h"

namespace QvZin {

/// A panorama. Answers the view-basic identifier (kIID_ZinViewBasic) besides its own.
class IZinPanoramaV2 : public IZinBasic {
public:
  static constexpr CZinUUID sIID = CZinUUID::fromText("E746CA7862344968A0DACF66003DFDA7");
};

/// A node of a panorama: a place where a spherical image is taken.
class IZinPanoNodeV2 : public IZinBasic {
public:
  static constexpr CZinUUID sIID = CZinUUID::fromText("C98074929E694ED5968AD99AECB8012B");
};

/// A link between two nodes of a panorama.
class IZinPanoLinkV2 : public IZinBasic {
public:
  static constexpr CZinUUID sIID = CZinUUID::fromText("DC920CE649BC43CBAD8E8A2CECF4ACF4");
};

}  // namespace QvZin
