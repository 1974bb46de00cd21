#include <gtest/gtest.h>

#include <clocale>
#include <string>

#include "manager/header.h"

using namespace QvZin;

namespace {

std::string Text(const CZinVersion& v) {
  return std::to_string(v.major) + "." + std::to_string(v.minor) + "." + std::to_string(v.build);
}

}  // namespace

TEST(Header, BothFormsAndTheFileNumber) {
  struct Case {
    const char* data;
    const char* library;
    const char* minVersion;
    const char* safeVersion;
    int fileMajor, fileMinor;
  } cases[] = {
      {"library=\"2.01\" file=\"5.0\"", "2.0.1", "0.0.0", "0.0.0", 5, 0},
      {"library=\"5.11\" file=\"5.0\" min_version=\"5.1\" safe_version=\"5.10\"", "5.1.1", "5.1.0", "5.1.0", 5, 0},
      {"library=\"5.1.1\" file=\"5.0\" min_version=\"5.1.0\" safe_version=\"5.1.0\"", "5.1.1", "5.1.0", "5.1.0", 5, 0},
      {"library=\"6.0.0\" file=\"4.5\" min_version=\"5.2.0\" safe_version=\"5.3.1\"", "6.0.0", "5.2.0", "5.3.1", 4, 5},
      // The dotted form needs all ten values.
      {"library=\"5.1.1\" file=\"5.0\" min_version=\"5.1.0\"", "0.0.0", "0.0.0", "0.0.0", 0, 0},
      {"garbage", "0.0.0", "0.0.0", "0.0.0", 0, 0},
  };
  for (const Case& c : cases) {
    CZinHeaderInfo info;
    ParseHeaderData(c.data, info);
    EXPECT_EQ(c.library, Text(info.library)) << c.data;
    EXPECT_EQ(c.minVersion, Text(info.minVersion)) << c.data;
    EXPECT_EQ(c.safeVersion, Text(info.safeVersion)) << c.data;
    EXPECT_EQ(c.fileMajor, info.fileMajor) << c.data;
    EXPECT_EQ(c.fileMinor, info.fileMinor) << c.data;
  }
  // Hostile numbers convert without overflow (UBSan checks every cast).
  CZinHeaderInfo hostile;
  ParseHeaderData("library=\"1e300\" file=\"-1e300\" min_version=\"nan\" safe_version=\"-inf\"", hostile);
  EXPECT_EQ(INT32_MAX, hostile.library.major);
  EXPECT_EQ(INT32_MIN, hostile.fileMajor);
  EXPECT_EQ(0, hostile.minVersion.major);
  CZinHeaderInfo untouched;
  ParseHeaderData(nullptr, untouched);
  EXPECT_EQ(0, untouched.library.major);
}

TEST(Header, DecimalFormUnderACommaLocale) {
  const char* previous = std::setlocale(LC_NUMERIC, nullptr);
  const std::string saved = previous ? previous : "C";
  if (!std::setlocale(LC_NUMERIC, "de_DE.UTF-8")) GTEST_SKIP() << "no de_DE.UTF-8 locale on this machine";
  CZinHeaderInfo info;
  ParseHeaderData("library=\"2.01\" file=\"5.0\"", info);
  std::setlocale(LC_NUMERIC, saved.c_str());
  EXPECT_EQ("2.0.1", Text(info.library));
}

TEST(Header, ReadabilityRulesOutsideWhatFilesShow) {
  const struct {
    CZinVersion library, minVersion, safeVersion;
    const char* creator;
    eReadability expected;
    bool readable;
  } cases[] = {
      {{5, 0, 9}, {}, {}, "", eOlderFile, true},
      {{1, 0, 0}, {}, {}, "Other", eOlderFile, true},  // not above 1.0.0: not judged foreign
      {{0, 9, 9}, {}, {}, "", eNotZin, false},
  };
  for (const auto& c : cases) {
    bool readable = !c.readable;
    EXPECT_EQ(c.expected, ClassifyFile({c.library, c.minVersion, c.safeVersion}, c.creator, readable)) << c.creator;
    EXPECT_EQ(c.readable, readable);
  }
}
