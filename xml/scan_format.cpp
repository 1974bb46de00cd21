#include "xml/scan_format.h"

#include <cmath>
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
