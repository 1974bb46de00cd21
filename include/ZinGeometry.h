// The scene's own geometry: points, and polygons whose contours index them.
#pragma once

#include "ZinObjectMgr.h"

namespace QvZin {

/// A point of a geometry: three coordinates.
struct CZinPoint {
  static constexpr CZinUUID sIID = CZinUUID::fromText("C821EB72833F4FFDBB6A3122214E5B64");
  double mX;
  double mY;
  double mZ;
};

/// A vertex of a contour. A new vertex is all zero.
struct CZinVertex {
  static constexpr CZinUUID sIID = CZinUUID::fromText("39A68E1301F14D29AE55CDAB548A807E");
  /// Bit of mFlags carried by the marker "I"; its meaning belongs to the users.
  static constexpr uint32_t kMarked = 1u;
  /// Bit of mFlags set when mU and mV hold mapping coordinates.
  static constexpr uint32_t kMapped = 2u;

  int32_t mPointIndex;  ///< index into the points of the same geometry
  uint32_t mFlags;      ///< kMarked, kMapped
  float mU;             ///< mapping coordinates, meaningful with kMapped
  float mV;
};

/// A polygon: an outer contour, holes, a smooth flag and a property index.
class IZinPolygon : public IZinBasic {
public:
  static constexpr CZinUUID sIID = CZinUUID::fromText("F30DC520463B4D53950CEE9DFAF36FF2");

  /// One hole of a polygon: a contour of its own.
  class IZinHole : public IZinBasic {
  public:
    static constexpr CZinUUID sIID = CZinUUID::fromText("FE405466A1354D50934C1DC31C061D78");
    /// The hole's vertices in contour order (borrowed; owned by the hole).
    virtual TZinObjectMgr<CZinVertex>* getContour() = 0;
  };

  /// Whether the polygon is smoothed; false on a new polygon.
  virtual bool isSmooth() = 0;
  virtual void setSmooth(bool smooth) = 0;
  /// The index of the polygon's material, carried through files unchanged; 0 at first.
  virtual int32_t getPropertyIndex() = 0;
  virtual void setPropertyIndex(int32_t index) = 0;
  /// The outer contour's vertices (borrowed; owned by the polygon).
  virtual TZinObjectMgr<CZinVertex>* getContour() = 0;
  /// The holes, each with its contour (borrowed; owned by the polygon).
  virtual TZinObjectMgr<IZinHole>* getHoles() = 0;
};

}  // namespace QvZin
