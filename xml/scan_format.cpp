#include "xml/scan_format.h"

#include <cstdio>
#include <cstring>

#include "support/c_locale.h"
#include "support/raise.h"

namespace QuorveXML {

namespace {

// The directives of a scanf format that store through a pointer. scanf would take
// one pointer per directive from the argument list, where only out exists, so a
// format with any other count is refused before it runs.
int CountStoringDirectives(const char* format) {
  int count = 0;
  for (const char* p = format; *p; ++p) {
    if (*p != '%') continue;
    ++p;
    if (*p == '%') continue;
    const bool suppressed = *p == '*';
    if (suppressed) ++p;
    while (*p >= '0' && *p <= '9') ++p;
    while (*p && std::strchr("hljztLqm", *p)) ++p;
    if (!*p) return -1;
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
  if (CountStoringDirectives(format) != 1) Quorve::ThrowError(nullptr);
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
}

}  // namespace QuorveXML
