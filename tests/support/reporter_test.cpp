#include "support/reporter.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

using namespace Quorve;

namespace {

struct RecordingReporter : XIReporter {
  std::vector<std::pair<EReportLevel, std::string>> reports;
  bool throwing = false;
  void Report(EReportLevel level, const char* text) override {
    reports.emplace_back(level, text);
    if (throwing) throw std::runtime_error("reporter failed");
  }
};

// Leaves both reporter places empty whatever a test does.
class ReporterTest : public ::testing::Test {
protected:
  void TearDown() override {
    XCReporter::SetThreadReporter(nullptr);
    XCReporter::SetProcessReporter(nullptr);
  }
};

}  // namespace

TEST_F(ReporterTest, FallbackLineOnStandardOutput) {
  testing::internal::CaptureStdout();
  XCReporter::Warning("CHashKey::Grow - Double grow needed");
  XCReporter::Error("e %d", 5);
  XCReporter::Report(eReportNone, "quiet");
  XCReporter::Report(static_cast<EReportLevel>(7), "x");  // above NoMessage: silent
  XCReporter::Report(static_cast<EReportLevel>(-1), "y");  // outside the table: silent
  EXPECT_EQ(
      "XCReporter: Warning(\"CHashKey::Grow - Double grow needed\")\n"
      "XCReporter: Error(\"e 5\")\n"
      "XCReporter: NoMessage(\"quiet\")\n",
      testing::internal::GetCapturedStdout());
}

TEST_F(ReporterTest, DeliveryOrder) {
  RecordingReporter threadReporter, processReporter;
  EXPECT_EQ(nullptr, XCReporter::SetProcessReporter(&processReporter));
  XCReporter::Report(eReportTrace, "to process");
  EXPECT_EQ(nullptr, XCReporter::SetThreadReporter(&threadReporter));
  XCReporter::Report(eReportMessage, "to thread");
  // Another thread has no thread reporter of its own: the process one receives it.
  std::thread([] { XCReporter::Warning("from elsewhere"); }).join();
  EXPECT_EQ(&threadReporter, XCReporter::SetThreadReporter(nullptr));
  XCReporter::Report(static_cast<EReportLevel>(7), "level seven reaches a reporter");

  ASSERT_EQ(1u, threadReporter.reports.size());
  EXPECT_EQ(eReportMessage, threadReporter.reports[0].first);
  EXPECT_EQ("to thread", threadReporter.reports[0].second);
  ASSERT_EQ(3u, processReporter.reports.size());
  EXPECT_EQ("to process", processReporter.reports[0].second);
  EXPECT_EQ("from elsewhere", processReporter.reports[1].second);
  EXPECT_EQ(eReportWarning, processReporter.reports[1].first);
  EXPECT_EQ(7, processReporter.reports[2].first);
}

TEST_F(ReporterTest, CutsAt2048AndNeverThrows) {
  RecordingReporter reporter;
  reporter.throwing = true;
  XCReporter::SetThreadReporter(&reporter);
  const std::string longText(3000, 'z');
  EXPECT_NO_THROW(XCReporter::Report(eReportWarning, "%s", longText.c_str()));
  ASSERT_EQ(1u, reporter.reports.size());
  EXPECT_EQ(std::string(2047, 'z'), reporter.reports[0].second);
}
