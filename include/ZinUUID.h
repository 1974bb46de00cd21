// 128-bit identifiers of interfaces, objects, nodes, images and user-data keys.
#pragma once

#include <cstring>
#include <stdexcept>

#include "ZinDefs.h"

namespace QvZin {

/// A 128-bit identifier stored as 16 bytes. Text form: 32 hexadecimal digits,
/// byte 0 first, high nibble first, no braces or dashes; written upper case,
/// read in either case. The default identifier is all zero (the null identifier).
class CZinUUID {
public:
  uint8_t mBytes[16];

  constexpr CZinUUID() : mBytes{} {}

  /// Parses the first 32 characters of text; characters after them are not read.
  /// Throws std::runtime_error("Invalid hex value") on a character that is not a
  /// hexadecimal digit (the terminating zero of a short text included). Usable in
  /// constant expressions, where a bad constant fails to compile.
  static constexpr CZinUUID fromText(const char* text) {
    CZinUUID id;
    for (int i = 0; i < 16; ++i) {
      const int high = digit(text[2 * i]);
      if (high < 0) throw std::runtime_error("Invalid hex value");
      const int low = digit(text[2 * i + 1]);
      if (low < 0) throw std::runtime_error("Invalid hex value");
      id.mBytes[i] = static_cast<uint8_t>(high * 16 + low);
    }
    return id;
  }

  /// Writes the 32 upper-case digits and a terminating zero into out.
  void toText(char out[33]) const {
    static const char kDigits[] = "0123456789ABCDEF";
    for (int i = 0; i < 16; ++i) {
      out[2 * i] = kDigits[mBytes[i] >> 4];
      out[2 * i + 1] = kDigits[mBytes[i] & 15];
    }
    out[32] = 0;
  }

  /// True for the all-zero identifier.
  constexpr bool isNull() const {
    for (uint8_t b : mBytes)
      if (b) return false;
    return true;
  }

  constexpr bool operator==(const CZinUUID& other) const {
    for (int i = 0; i < 16; ++i)
      if (mBytes[i] != other.mBytes[i]) return false;
    return true;
  }
  constexpr bool operator!=(const CZinUUID& other) const { return !(*this == other); }
  /// Byte order, so identifiers can key ordered maps.
  bool operator<(const CZinUUID& other) const { return std::memcmp(mBytes, other.mBytes, 16) < 0; }

private:
  static constexpr int digit(char c) {
    return c >= '0' && c <= '9'   ? c - '0'
           : c >= 'A' && c <= 'F' ? c - 'A' + 10
           : c >= 'a' && c <= 'f' ? c - 'a' + 10
                                  : -1;
  }
};

}  // namespace QvZin

/// The identifier that every object answers in QueryInterface; exported by the
/// library. Bytes 00 00 00 00 00 00 00 00 C0 00 00 00 00 00 00 46.
extern "C" ZIN_API const QvZin::CZinUUID IID_IUnknown;
