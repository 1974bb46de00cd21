// Small value types that scene interfaces pass by value.
#pragma once

#include <cstdint>

#include "ZinBase.h"

namespace QvZin {

/// A colour: four bytes, the first unused; written as the attributes "R", "G", "B".
struct CZinColor {
  uint8_t unused = 0;
  uint8_t red = 0;
  uint8_t green = 0;
  uint8_t blue = 0;

  constexpr CZinColor() = default;
  constexpr CZinColor(uint8_t r, uint8_t g, uint8_t b) : red(r), green(g), blue(b) {}
  friend constexpr bool operator==(const CZinColor& a, const CZinColor& b) {
    return a.red == b.red && a.green == b.green && a.blue == b.blue;
  }
  friend constexpr bool operator!=(const CZinColor& a, const CZinColor& b) { return !(a == b); }
};

/// A point or vector in space: three doubles, written as the attributes "X", "Y", "Z".
struct CZinVector3D {
  double x = 0;
  double y = 0;
  double z = 0;

  constexpr CZinVector3D() = default;
  constexpr CZinVector3D(double px, double py, double pz) : x(px), y(py), z(pz) {}
  friend constexpr bool operator==(const CZinVector3D& a, const CZinVector3D& b) {
    return a.x == b.x && a.y == b.y && a.z == b.z;
  }
  friend constexpr bool operator!=(const CZinVector3D& a, const CZinVector3D& b) { return !(a == b); }
};

/// A point in a plane: two doubles, written as the attributes "X", "Y".
struct CZinVector2D {
  double x = 0;
  double y = 0;

  constexpr CZinVector2D() = default;
  constexpr CZinVector2D(double px, double py) : x(px), y(py) {}
  friend constexpr bool operator==(const CZinVector2D& a, const CZinVector2D& b) { return a.x == b.x && a.y == b.y; }
  friend constexpr bool operator!=(const CZinVector2D& a, const CZinVector2D& b) { return !(a == b); }
};

/// A date and time: month 1-12, day, hour 0-23, minute, four-digit year.
struct CZinTimeValue {
  int32_t month = 1;
  int32_t day = 1;
  int32_t hour = 0;
  int32_t minute = 0;
  int32_t year = 2000;

  friend bool operator==(const CZinTimeValue& a, const CZinTimeValue& b) {
    return a.month == b.month && a.day == b.day && a.hour == b.hour && a.minute == b.minute && a.year == b.year;
  }
};

/// A place on earth: longitude and latitude (integers), the time zone in minutes
/// and whether daylight saving is on.
struct CZinPlaceValue {
  int32_t longitude = 0;
  int32_t latitude = 0;
  int32_t timeZone = 0;
  bool daylight = false;

  friend bool operator==(const CZinPlaceValue& a, const CZinPlaceValue& b) {
    return a.longitude == b.longitude && a.latitude == b.latitude && a.timeZone == b.timeZone &&
           a.daylight == b.daylight;
  }
};

/// A 4 x 4 matrix, row by row; written as four lines of four "%lf" numbers.
struct CZinMatrix {
  double m[16] = {};

  friend bool operator==(const CZinMatrix& a, const CZinMatrix& b) {
    for (int i = 0; i < 16; ++i)
      if (a.m[i] != b.m[i]) return false;
    return true;
  }
  friend bool operator!=(const CZinMatrix& a, const CZinMatrix& b) { return !(a == b); }
};

/// One row of an enumeration's label table; a table ends with a null label.
struct CZinLabel {
  const char* label;
  int32_t value;
};

/// A resizable list of floats (used by material nodes), counted like other objects.
class ITable : public IZinBasic {
public:
  static constexpr CZinUUID sIID = CZinUUID::fromText("9D41A6C2E8F34B7A8C05D3E1F2B6A974");
  /// The number of values.
  virtual int32_t getLength() = 0;
  /// Resizes, keeping the first min(old, n) values; new values are 0; n < 0 counts as 0.
  virtual void setLength(int32_t n) = 0;
  /// The value at i; 0 when i is negative or not below the length.
  virtual float getValue(int32_t i) = 0;
  /// Stores v at i when 0 <= i < length; otherwise nothing.
  virtual void setValue(int32_t i, float v) = 0;
  /// Takes the length and all values of from (null: nothing).
  virtual void copy(ITable* from) = 0;
};

}  // namespace QvZin
