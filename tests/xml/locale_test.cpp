// Number text does not depend on the client's locale.
#include <gtest/gtest.h>

#include <clocale>
#include <cstdio>
#include <string>
#include <thread>

#include "support/c_locale.h"
#include "xml/tree.h"
#include "xml_test_support.h"

using namespace QuorveXML;
using namespace XMLTest;

namespace {

// The first locale on this machine whose decimal separator is a comma, or "".
std::string SetCommaLocale() {
  for (const char* name : {"de_DE.UTF-8", "de_DE.utf8", "de_DE", "fr_FR.UTF-8", "fr_FR.utf8", "nl_NL.UTF-8"}) {
    if (std::setlocale(LC_ALL, name) && std::localeconv()->decimal_point[0] == ',') return name;
  }
  std::setlocale(LC_ALL, "C");
  return "";
}

class LocaleTest : public CHeapCheckedTest {
protected:
  ~LocaleTest() override { std::setlocale(LC_ALL, "C"); }
};

TEST_F(LocaleTest, NumbersAreWrittenAndReadWithAPointUnderACommaLocale) {
  const std::string name = SetCommaLocale();
  if (name.empty()) GTEST_SKIP() << "no locale with a decimal comma here (CI makes one: localedef -i de_DE -f UTF-8 de_DE.UTF-8)";
  char probe[32];
  std::snprintf(probe, sizeof probe, "%.1f", 1.5);
  ASSERT_STREQ("1,5", probe) << name << " is active for the client";

  XCXMLTree tree;
  XIXMLElement* e = tree.GetRoot()->AddElement(tree.GetRoot()->GetKey("e"));
  XIXMLAttribute* a = e->AddAttribute(tree.GetRoot()->GetKey("X"), "");
  XIXMLData* d = e->AddData("");
  a->Format("%lf", 1.5);
  d->Format("%lf, %lf", -0.25, 1e6);
  EXPECT_STREQ("1.500000", a->GetValue());
  EXPECT_STREQ("-0.250000, 1000000.000000", d->GetText());
  double x = 0;
  a->SetValue("1.5");
  a->Scan("%lf", &x);
  EXPECT_EQ(1.5, x);
  d->SetText("2,75");
  d->Scan("%lf", &x);
  EXPECT_EQ(2.0, x) << "a comma ends the number";

  std::snprintf(probe, sizeof probe, "%.1f", 1.5);
  EXPECT_STREQ("1,5", probe) << "the client's locale is back after each conversion";

  // The switch is per thread: another thread's conversions keep their locale.
  std::string other;
  {
    Quorve::CCLocale c;
    std::thread([&] {
      char text[32];
      std::snprintf(text, sizeof text, "%.1f", 1.5);
      other = text;
    }).join();
    std::snprintf(probe, sizeof probe, "%.1f", 1.5);
    EXPECT_STREQ("1.5", probe);
  }
  EXPECT_EQ("1,5", other);
}

}  // namespace
