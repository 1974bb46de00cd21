#include "xml/scan_format.h"

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>

#include "support/c_locale.h"
#include "support/raise.h"

namespace QuorveXML {

namespace {

// The directives of a scanf format that store through a pointer. scanf would take
// one pointer per directive from the argument list, where only out exists, so a
// format with any other count is refused before it runs.
// conversion and size receive the conversion letter of the last storing directive
// and its last length modifier (0 when none).
int CountStoringDirectives(const char* format, char* conversion, char* size) {
  int count = 0;
  for (const char* p = format; *p; ++p) {
    if (*p != '%') continue;
    ++p;
    if (*p == '%') continue;
    const bool suppressed = *p == '*';
    if (suppressed) ++p;
    while (*p >= '0' && *p <= '9') ++p;
    char modifier = 0;
    while (*p && std::strchr("hljztLqm", *p)) modifier = *p++;
    if (!*p) return -1;
    if (!suppressed) {
      *conversion = *p;
      *size = modifier;
    }
    if (*p == '[') {
      ++p;
      if (*p == '^') ++p;
      if (*p == ']') ++p;
      while (*p && *p != ']') ++p;
      if (!*p) return -1;
    }
    if (!suppressed) ++count;
  }
  return count;
}

template <class T>
void Finite(T* value) {
  if (!std::isfinite(*value)) *value = 1;
}

// The number texts the writer makes ("%lf" and "%d" of moderate size) read without
// scanf, whose setup costs more than the conversion: a document holds millions.
// Only a whole text of the plain form -?digits[.digits] takes this path, and only
// when the result is exact by construction; anything else goes to scanf as before.
// "%lf": at most 15 significant digits and 22 decimals, so the integer of the
// digits and the power of ten are both exact doubles and their one quotient is
// the correctly rounded value, which is what scanf's conversion gives.
bool ScanPlainDouble(const char* text, double* out) {
  const char* p = text;
  const bool negative = *p == '-';
  if (negative) ++p;
  if (*p < '0' || *p > '9') return false;
  uint64_t digits = 0;
  int significant = 0, decimals = 0;
  for (; *p >= '0' && *p <= '9'; ++p) {
    if (digits || *p != '0') ++significant;
    digits = digits * 10 + static_cast<uint64_t>(*p - '0');
    if (significant > 15) return false;
  }
  if (*p == '.') {
    const char* fraction = ++p;
    const char* end = fraction;
    while (*end >= '0' && *end <= '9') ++end;
    if (*end) return false;
    while (end > fraction && end[-1] == '0') --end;  // trailing zeros change nothing
    for (; p < end; ++p) {
      if (digits || *p != '0') ++significant;
      digits = digits * 10 + static_cast<uint64_t>(*p - '0');
      ++decimals;
      if (significant > 15 || decimals > 22) return false;
    }
  } else if (*p) {
    return false;
  }
  static const double kPowers[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,  1e8,  1e9,  1e10, 1e11,
                                   1e12, 1e13, 1e14, 1e15, 1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
  const double value = static_cast<double>(digits) / kPowers[decimals];
  *out = negative ? -value : value;
  return true;
}

// "%d": -?digits of at most nine digits, which no int overflows.
bool ScanPlainInt(const char* text, int* out) {
  const char* p = text;
  const bool negative = *p == '-';
  if (negative) ++p;
  int value = 0, count = 0;
  for (; *p >= '0' && *p <= '9'; ++p, ++count) {
    if (count == 9) return false;
    value = value * 10 + (*p - '0');
  }
  if (!count || *p) return false;
  *out = negative ? -value : value;
  return true;
}

}  // namespace

void FormatValue(char (&buffer)[kFormatSize], const char* format, va_list args) {
  if (!format) Quorve::ThrowError(nullptr);
  int length;
  {
    Quorve::CCLocale locale;
    length = std::vsnprintf(buffer, kFormatSize, format, args);
  }
  if (length < 0 || static_cast<size_t>(length) >= kFormatSize) Quorve::ThrowError(nullptr);
}

void ScanValue(const char* text, const char* format, void* out) {
  if (!out || !text || !format) Quorve::ThrowError(nullptr);
  if (format[0] == '%') {
    if (format[1] == 'l' && format[2] == 'f' && !format[3] && ScanPlainDouble(text, static_cast<double*>(out))) return;
    if (format[1] == 'd' && !format[2] && ScanPlainInt(text, static_cast<int*>(out))) return;
  }
  char conversion = 0, size = 0;
  if (CountStoringDirectives(format, &conversion, &size) != 1) Quorve::ThrowError(nullptr);
  // Non-finite numbers never enter a scene: these words read as 1.
  if (!std::strcmp(text, "nan") || !std::strcmp(text, "-inf") || !std::strcmp(text, "+inf") ||
      !std::strcmp(text, "inf"))
    text = "1.0";
  int converted;
  {
    Quorve::CCLocale locale;
    converted = std::sscanf(text, format, out);
  }
  if (converted != 1) Quorve::ThrowError(nullptr);
  // Other spellings ("inf.5", "INF", "1e999") convert to non-finite values too; they
  // would be written as "inf" and read back as 1, so they read as 1 at once.
  if (conversion && std::strchr("aAeEfFgG", conversion)) {
    if (size == 'L')
      Finite(static_cast<long double*>(out));
    else if (size == 'l')
      Finite(static_cast<double*>(out));
    else
      Finite(static_cast<float*>(out));
  }
}

}  // namespace QuorveXML
