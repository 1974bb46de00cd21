#include "serialization/text_form.h"

#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <stdexcept>

namespace QvZin {

// A scene writes millions of coordinates, and the general conversion spent a
// hundred and fifty instructions on each. A double below 2^43 is m * 2^-s exactly,
// with m below 2^53 and s at least 10, so its value in millionths is m * 10^6 / 2^s:
// the quotient of a 128-bit product, rounded half to even on the exact remainder as
// printf rounds. Larger values, infinities and NaNs take the general conversion.
size_t FormatLf(double value, char* out) {
  uint64_t bits;
  std::memcpy(&bits, &value, sizeof bits);
  const uint32_t biased = static_cast<uint32_t>(bits >> 52) & 0x7ff;
  if (biased >= 1023 + 43) {
    const std::to_chars_result done =
        std::to_chars(out, out + kNumberTextSize - 1, value, std::chars_format::fixed, 6);
    *done.ptr = 0;
    return static_cast<size_t>(done.ptr - out);
  }
  uint64_t mantissa = bits & ((uint64_t{1} << 52) - 1);
  uint32_t shift = 1074;  // subnormal: m * 2^-1074
  if (biased) {
    mantissa |= uint64_t{1} << 52;
    shift = 1075 - biased;
  }
  uint64_t millionths = 0;
  if (shift < 74) {  // beyond, the product is below half a millionth
    const unsigned __int128 scaled = static_cast<unsigned __int128>(mantissa) * 1000000u;
    millionths = static_cast<uint64_t>(scaled >> shift);
    const unsigned __int128 rest = scaled & ((static_cast<unsigned __int128>(1) << shift) - 1);
    const unsigned __int128 half = static_cast<unsigned __int128>(1) << (shift - 1);
    if (rest > half || (rest == half && (millionths & 1))) ++millionths;
  }
  // The whole part's digits, then the point and six decimals, two digits at a time.
  static const char kPairs[] =
      "00010203040506070809101112131415161718192021222324252627282930313233343536373839"
      "40414243444546474849505152535455565758596061626364656667686970717273747576777879"
      "8081828384858687888990919293949596979899";
  char* at = out;
  if (bits >> 63) *at++ = '-';
  if (millionths == 0) {  // most coordinates of a scene
    std::memcpy(at, "0.000000", 9);
    return static_cast<size_t>(at + 8 - out);
  }
  uint64_t whole = millionths / 1000000;
  const uint32_t fraction = static_cast<uint32_t>(millionths - whole * 1000000);
  int digits = 1;
  for (uint64_t rest = whole; rest >= 10; rest /= 10) ++digits;
  char* const point = at + digits;
  for (char* digit = point; digit > at; whole /= 10) *--digit = static_cast<char>('0' + whole % 10);
  const uint32_t high = fraction / 10000, low = fraction % 10000;
  *point = '.';
  std::memcpy(point + 1, kPairs + 2 * high, 2);
  std::memcpy(point + 3, kPairs + 2 * (low / 100), 2);
  std::memcpy(point + 5, kPairs + 2 * (low % 100), 2);
  point[7] = 0;
  return static_cast<size_t>(point + 7 - out);
}

void ThrowElementError(const char* format, ...) {
  char text[2048];
  va_list args;
  va_start(args, format);
  std::vsnprintf(text, sizeof text, format, args);
  va_end(args);
  throw std::runtime_error(text);
}

}  // namespace QvZin
