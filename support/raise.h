// The library's one way of failing: every error is a std::runtime_error whose
// what() is the composed message.
#pragma once

#include <cstdarg>

namespace Quorve {

/// Throws the text itself ("exception" when text is null); the text is kept whole.
[[noreturn]] void ThrowError(const char* text);
/// Throws "<text> (pointer is NULL)", text defaulting to "exception"; cut to 1023 characters.
[[noreturn]] void ThrowNullPointer(const char* text);
/// Throws "<text> (assertion failed)", text defaulting to "exception"; cut to 1023 characters.
[[noreturn]] void ThrowAssertion(const char* text);

/// The failing halves of CheckPointer and CheckAssertion: format into 1024 bytes and throw.
[[noreturn]] void FailPointer(const char* format, ...);
[[noreturn]] void FailAssertion(const char* format, ...);

/// Nothing when pointer is set; otherwise ThrowNullPointer with the formatted text.
/// Inline, so the common case costs one test and formats nothing.
template <class... Args>
inline void CheckPointer(const void* pointer, const char* format, Args... args) {
  if (__builtin_expect(pointer == nullptr, 0)) FailPointer(format, args...);
}

/// Nothing when condition holds; otherwise ThrowAssertion with the formatted text.
template <class... Args>
inline void CheckAssertion(bool condition, const char* format, Args... args) {
  if (__builtin_expect(!condition, 0)) FailAssertion(format, args...);
}

}  // namespace Quorve
