#include "support/raise.h"

#include <cstdio>
#include <stdexcept>
#include <string>

namespace Quorve {

namespace {

// Pointer and assertion messages live in a 1024-byte buffer: longer text is cut.
constexpr size_t kMessageSize = 1024;

[[noreturn]] void ThrowComposed(const char* text, const char* suffix) {
  char message[kMessageSize];
  std::snprintf(message, sizeof message, "%s %s", text ? text : "exception", suffix);
  throw std::runtime_error(message);
}

}  // namespace

void ThrowError(const char* text) { throw std::runtime_error(text ? text : "exception"); }

void ThrowNullPointer(const char* text) { ThrowComposed(text, "(pointer is NULL)"); }

void ThrowAssertion(const char* text) { ThrowComposed(text, "(assertion failed)"); }

void FailPointer(const char* format, ...) {
  char text[kMessageSize];
  va_list args;
  va_start(args, format);
  std::vsnprintf(text, sizeof text, format ? format : "exception", args);
  va_end(args);
  ThrowNullPointer(text);
}

void FailAssertion(const char* format, ...) {
  char text[kMessageSize];
  va_list args;
  va_start(args, format);
  std::vsnprintf(text, sizeof text, format ? format : "exception", args);
  va_end(args);
  ThrowAssertion(text);
}

}  // namespace Quorve
