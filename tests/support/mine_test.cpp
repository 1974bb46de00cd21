#include "support/mine.h"

#include <gtest/gtest.h>

#include <cstring>
#include <new>
#include <stdexcept>
#include <string>
#include <vector>

#include "support/reporter.h"
#include "test_support.h"

using namespace Quorve;

namespace {

struct RecordingReporter : XIReporter {
  std::vector<std::string> errors;
  void Report(EReportLevel level, const char* text) override {
    if (level == eReportError) errors.emplace_back(text);
  }
};

std::string CheckMessage(const XCMine& mine) {
  return QvZinTest::ErrorOf([&] { mine.CheckMine(); });
}

}  // namespace

// The guard is exercised in storage the test owns: destroying in place leaves the
// word readable, which freed memory would not be.
TEST(Mine, StatesAndReports) {
  RecordingReporter reporter;
  XCReporter::SetThreadReporter(&reporter);
  alignas(XCMine) unsigned char storage[sizeof(XCMine)];

  XCMine* mine = new (storage) XCMine;
  EXPECT_EQ(XCMine::kArmed, mine->Word());
  EXPECT_EQ("<no exception>", CheckMessage(*mine));
  mine->~XCMine();
  EXPECT_TRUE(reporter.errors.empty());
  EXPECT_EQ(XCMine::kDestroyed, mine->Word());
  EXPECT_EQ("XCMine::CheckMine - Owner object is destroyed) (assertion failed)", CheckMessage(*mine));

  mine->~XCMine();  // double deletion: reported once, never thrown
  ASSERT_EQ(1u, reporter.errors.size());
  EXPECT_EQ("XCMine::~XCMine - Double deletion detected", reporter.errors[0]);

  std::memset(storage, 0x5A, sizeof storage);
  EXPECT_EQ("XCMine::CheckMine - Invalide mine state (assertion failed)", CheckMessage(*mine));
  mine->~XCMine();
  ASSERT_EQ(2u, reporter.errors.size());
  EXPECT_EQ("XCMine::~XCMine - Invalid deletion detected", reporter.errors[1]);
  EXPECT_EQ(XCMine::kDestroyed, mine->Word());
  XCReporter::SetThreadReporter(nullptr);
}
