#include <gtest/gtest.h>

#include <set>
#include <stdexcept>
#include <string>

#include "ZinBase.h"
#include "framework/uuid.h"
#include "test_support.h"

using namespace QvZin;

namespace {

std::string TextOf(const CZinUUID& id) {
  char text[33];
  id.toText(text);
  return text;
}


}  // namespace

TEST(ZinUUID, TextForm) {
  const CZinUUID upper = CZinUUID::fromText("C004284570564264AF20152F86A9D67E");
  const CZinUUID lower = CZinUUID::fromText("c004284570564264af20152f86a9d67e");
  EXPECT_EQ(upper, lower);
  EXPECT_EQ(0xC0, upper.mBytes[0]);
  EXPECT_EQ(0x04, upper.mBytes[1]);
  EXPECT_EQ(0x7E, upper.mBytes[15]);
  EXPECT_EQ("C004284570564264AF20152F86A9D67E", TextOf(lower));
  // Characters after the 32nd are not read.
  EXPECT_EQ(upper, CZinUUID::fromText("C004284570564264AF20152F86A9D67E01234567"));
  EXPECT_EQ(upper, CZinUUID::fromText("C004284570564264AF20152F86A9D67Ezz"));
}

TEST(ZinUUID, InvalidDigits) {
  const char* bad[] = {
      "G004284570564264AF20152F86A9D67E",  // first character
      "C004284570564264AF20152F86A9D67G",  // last character
      "C0042845-0564264AF20152F86A9D67E",  // inside
      "C00428457056",                      // too short: the terminator is no digit
      "",
  };
  for (const char* text : bad)
    EXPECT_EQ("Invalid hex value", QvZinTest::ErrorOf([&] { CZinUUID::fromText(text); })) << text;
}

TEST(ZinUUID, KnownIdentifiersAndNewOnes) {
  const uint8_t unknownBytes[16] = {0, 0, 0, 0, 0, 0, 0, 0, 0xC0, 0, 0, 0, 0, 0, 0, 0x46};
  EXPECT_EQ(0, std::memcmp(unknownBytes, IID_IUnknown.mBytes, 16));
  EXPECT_EQ(IID_IUnknown, IUnknown::sIID);
  EXPECT_TRUE(CZinUUID().isNull());
  EXPECT_FALSE(IID_IUnknown.isNull());

  std::set<CZinUUID> seen;
  for (int i = 0; i < 1000; ++i) {
    const CZinUUID id = NewZinUUID();
    EXPECT_FALSE(id.isNull());
    EXPECT_TRUE(seen.insert(id).second);
  }
}
