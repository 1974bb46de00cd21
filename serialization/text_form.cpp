#include "serialization/text_form.h"

#include <cstdarg>
#include <cstdio>
#include <stdexcept>

namespace QvZin {

void ThrowElementError(const char* format, ...) {
  char text[2048];
  va_list args;
  va_start(args, format);
  std::vsnprintf(text, sizeof text, format, args);
  va_end(args);
  throw std::runtime_error(text);
}

}  // namespace QvZin
