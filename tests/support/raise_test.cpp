#include "support/raise.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

using namespace Quorve;

namespace {

template <class F>
std::string MessageOf(F&& f) {
  try {
    f();
  } catch (const std::runtime_error& e) {
    return e.what();
  }
  return "<no exception>";
}

}  // namespace

TEST(Raise, ComposedMessages) {
  struct Case {
    std::string expected;
    std::string got;
  } cases[] = {
      {"text", MessageOf([] { ThrowError("text"); })},
      {"exception", MessageOf([] { ThrowError(nullptr); })},
      {"p (pointer is NULL)", MessageOf([] { ThrowNullPointer("p"); })},
      {"exception (pointer is NULL)", MessageOf([] { ThrowNullPointer(nullptr); })},
      {"a (assertion failed)", MessageOf([] { ThrowAssertion("a"); })},
      {"exception (assertion failed)", MessageOf([] { ThrowAssertion(nullptr); })},
      {"mTree is NULL (pointer is NULL)", MessageOf([] { CheckPointer(nullptr, "mTree is NULL"); })},
      {"x 7 y (pointer is NULL)", MessageOf([] { CheckPointer(nullptr, "x %d %s", 7, "y"); })},
      {"Invalid tag (assertion failed)", MessageOf([] { CheckAssertion(false, "Invalid %s", "tag"); })},
  };
  for (const Case& c : cases) EXPECT_EQ(c.expected, c.got);

  int value = 1;
  EXPECT_NO_THROW(CheckPointer(&value, "never"));
  EXPECT_NO_THROW(CheckAssertion(true, "never"));
}

TEST(Raise, BufferLimits) {
  const std::string longText(3000, 'x');
  // ThrowError keeps its text whole.
  EXPECT_EQ(longText, MessageOf([&] { ThrowError(longText.c_str()); }));
  // The pointer and assertion forms compose into 1023 characters at most.
  const std::string pointer = MessageOf([&] { ThrowNullPointer(longText.c_str()); });
  EXPECT_EQ(1023u, pointer.size());
  EXPECT_EQ(std::string(1023, 'x'), pointer);
  // A formatted text is cut to 1023 characters before the suffix is added, then the
  // whole message is cut again.
  const std::string formatted = MessageOf([&] { CheckAssertion(false, "%s", longText.c_str()); });
  EXPECT_EQ(1023u, formatted.size());
  const std::string shortEnough(1000, 'y');
  EXPECT_EQ(shortEnough + " (assertion failed)",
            MessageOf([&] { CheckAssertion(false, "%s", shortEnough.c_str()); }).substr(0, 1019));
}
