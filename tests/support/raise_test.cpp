#include "support/raise.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

using namespace Quorve;

using QvZinTest::ErrorOf;

TEST(Raise, ComposedMessages) {
  const std::string cases[][2] = {
      {"text", ErrorOf([] { ThrowError("text"); })},
      {"exception", ErrorOf([] { ThrowError(nullptr); })},
      {"p (pointer is NULL)", ErrorOf([] { ThrowNullPointer("p"); })},
      {"exception (pointer is NULL)", ErrorOf([] { ThrowNullPointer(nullptr); })},
      {"a (assertion failed)", ErrorOf([] { ThrowAssertion("a"); })},
      {"exception (assertion failed)", ErrorOf([] { ThrowAssertion(nullptr); })},
      {"mTree is NULL (pointer is NULL)", ErrorOf([] { CheckPointer(nullptr, "mTree is NULL"); })},
      {"x 7 y (pointer is NULL)", ErrorOf([] { CheckPointer(nullptr, "x %d %s", 7, "y"); })},
      {"Invalid tag (assertion failed)", ErrorOf([] { CheckAssertion(false, "Invalid %s", "tag"); })},
  };
  for (const auto& c : cases) EXPECT_EQ(c[0], c[1]);

  int value = 1;
  EXPECT_NO_THROW(CheckPointer(&value, "never"));
  EXPECT_NO_THROW(CheckAssertion(true, "never"));
}

TEST(Raise, BufferLimits) {
  const std::string longText(3000, 'x');
  // ThrowError keeps its text whole.
  EXPECT_EQ(longText, ErrorOf([&] { ThrowError(longText.c_str()); }));
  // The pointer and assertion forms compose into 1023 characters at most.
  const std::string pointer = ErrorOf([&] { ThrowNullPointer(longText.c_str()); });
  EXPECT_EQ(1023u, pointer.size());
  EXPECT_EQ(std::string(1023, 'x'), pointer);
  // A formatted text is cut to 1023 characters before the suffix is added, then the
  // whole message is cut again.
  const std::string formatted = ErrorOf([&] { CheckAssertion(false, "%s", longText.c_str()); });
  EXPECT_EQ(1023u, formatted.size());
  const std::string shortEnough(1000, 'y');
  EXPECT_EQ(shortEnough + " (assertion failed)",
            ErrorOf([&] { CheckAssertion(false, "%s", shortEnough.c_str()); }).substr(0, 1019));
}
