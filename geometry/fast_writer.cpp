#include "geometry/fast_writer.h"

#include <charconv>
#include <cmath>

#include "support/raise.h"

namespace QvZin {

namespace {

// Two digits at a time: the integer part of a coordinate is printed with one
// table lookup per pair.
constexpr char kDigitPairs[] =
    "00010203040506070809101112131415161718192021222324252627282930313233343536373839"
    "40414243444546474849505152535455565758596061626364656667686970717273747576777879"
    "8081828384858687888990919293949596979899";

char* WriteUnsigned(uint32_t value, char* out) {
  char digits[10];
  char* end = digits + sizeof digits;
  char* p = end;
  while (value >= 100) {
    const uint32_t pair = (value % 100) * 2;
    value /= 100;
    *--p = kDigitPairs[pair + 1];
    *--p = kDigitPairs[pair];
  }
  if (value >= 10) {
    *--p = kDigitPairs[value * 2 + 1];
    *--p = kDigitPairs[value * 2];
  } else {
    *--p = static_cast<char>('0' + value);
  }
  const size_t size = static_cast<size_t>(end - p);
  std::memcpy(out, p, size);
  return out + size;
}

// The precision after each fraction digit, made by the same repeated
// multiplication as the stopping rule describes, so the cut-offs match it bit
// for bit.
struct CPrecisions {
  double value[6];
  CPrecisions() {
    double precision = 0.000001;
    for (double& v : value) {
      precision *= 10;
      v = precision;
    }
  }
};
const CPrecisions kPrecisions;

}  // namespace

size_t FormatGeoInt(int32_t value, char* out) {
  char* p = out;
  uint32_t magnitude = static_cast<uint32_t>(value);
  if (value < 0) {
    *p++ = '-';
    magnitude = 0u - magnitude;
  }
  p = WriteUnsigned(magnitude, p);
  *p++ = ' ';
  return static_cast<size_t>(p - out);
}

size_t FormatGeoDouble(double value, char* out) {
  if (value == 0.0) {
    std::memcpy(out, "0.0 ", 4);
    return 4;
  }
  const double magnitude = std::fabs(value);
  if (!(magnitude <= 2147483647.0)) {
    // Same digits as "%lf", without the C library's locale.
    const std::to_chars_result done = std::to_chars(out, out + 48, value, std::chars_format::fixed, 6);
    *done.ptr = ' ';
    return static_cast<size_t>(done.ptr + 1 - out);
  }
  char* p = out;
  if (value < 0) *p++ = '-';
  const double rounded = magnitude + 0.0000005;
  const uint32_t whole = static_cast<uint32_t>(rounded);
  double fraction = rounded - whole;
  p = WriteUnsigned(whole, p);
  *p++ = '.';
  int digits = 0;
  do {
    fraction *= 10;
    const int digit = static_cast<int>(fraction);
    fraction -= digit;
    *p++ = static_cast<char>('0' + digit);
  } while (fraction > kPrecisions.value[digits] && ++digits < 6);
  *p++ = ' ';
  return static_cast<size_t>(p - out);
}

CFastWriter::~CFastWriter() {
  try {
    flush();
  } catch (...) {
    // The caller's own flush reports failures; a destructor must not.
  }
}

void CFastWriter::flush() {
  if (mFill == 0) return;
  const size_t size = mFill;
  mFill = 0;
  writeThrough(mBuffer, size);
}

void CFastWriter::writeThrough(const char* text, size_t size) {
  while (size > 0) {
    const int32_t piece = size > (1u << 30) ? (1 << 30) : static_cast<int32_t>(size);
    Quorve::CheckAssertion(mStream && mStream->Write(text, piece) == piece, "CFastWriter::write - Can't write all data");
    text += piece;
    size -= static_cast<size_t>(piece);
  }
}

}  // namespace QvZin
