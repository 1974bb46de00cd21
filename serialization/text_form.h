// Number text of the element writer, and its error funnel. The numbers use the
// printf forms of the format ("%d", "%lld", "%lf") produced without the C
// library's locale, so a host with a comma locale still writes "1.500000".
#pragma once

#include <charconv>
#include <cstddef>
#include <cstdint>

namespace QvZin {

/// Longest text any of the functions below writes, with the terminator.
constexpr size_t kNumberTextSize = 360;

/// "%d" / "%lld"; returns the length, out is zero-terminated.
template <class Integer>
inline size_t FormatDecimal(Integer value, char* out) {
  const std::to_chars_result done = std::to_chars(out, out + kNumberTextSize - 1, value);
  *done.ptr = 0;
  return static_cast<size_t>(done.ptr - out);
}

/// "%lf": six decimals, exactly as printf rounds them ("inf", "nan" for the rest).
/// Returns the length; out is zero-terminated.
size_t FormatLf(double value, char* out);

/// Throws std::runtime_error with the text formatted into 2048 bytes.
[[noreturn]] void ThrowElementError(const char* format, ...) __attribute__((format(printf, 1, 2)));

}  // namespace QvZin
