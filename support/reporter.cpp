#include "support/reporter.h"

#include <atomic>
#include <cstdarg>
#include <cstdio>

#include "support/raise.h"

namespace Quorve {

CBaseThreadData::CBaseThreadData() {
  if (!mSlot.Create()) ThrowError("CBaseThreadData::CBaseThreadData - Can't get thread data");
}

CBaseThreadData::~CBaseThreadData() { mSlot.Destroy(); }

namespace {

constexpr size_t kReportSize = 2048;

const char* const kLevelNames[] = {"Error", "Warning", "Message", "Trace", "Bench", "Memory", "NoMessage"};

std::atomic<XIReporter*> gProcessReporter{nullptr};

void DeliverV(EReportLevel level, const char* format, va_list args) {
  char text[kReportSize];
  std::vsnprintf(text, sizeof text, format ? format : "", args);
  XCReporter::Deliver(level, text);
}

}  // namespace

const TThreadData<XIReporter*>& XCReporter::ThreadSlot() {
  static const TThreadData<XIReporter*> slot;
  return slot;
}

void XCReporter::Deliver(EReportLevel level, const char* text) noexcept {
  try {
    if (XIReporter* reporter = ThreadSlot().Get()) {
      reporter->Report(level, text);
      return;
    }
    if (XIReporter* reporter = gProcessReporter.load(std::memory_order_acquire)) {
      reporter->Report(level, text);
      return;
    }
    // Levels above "NoMessage" are silent; compared unsigned so no level indexes
    // outside the name table.
    const uint32_t index = static_cast<uint32_t>(level);
    if (index <= static_cast<uint32_t>(eReportNone)) {
      std::printf("XCReporter: %s(\"%s\")\n", kLevelNames[index], text);
      std::fflush(stdout);
    }
  } catch (...) {
    // Reporting never throws.
  }
}

void XCReporter::Report(EReportLevel level, const char* format, ...) {
  va_list args;
  va_start(args, format);
  DeliverV(level, format, args);
  va_end(args);
}

void XCReporter::Error(const char* format, ...) {
  va_list args;
  va_start(args, format);
  DeliverV(eReportError, format, args);
  va_end(args);
}

void XCReporter::Warning(const char* format, ...) {
  va_list args;
  va_start(args, format);
  DeliverV(eReportWarning, format, args);
  va_end(args);
}

XIReporter* XCReporter::SetThreadReporter(XIReporter* reporter) {
  XIReporter* previous = ThreadSlot().Get();
  ThreadSlot().Set(reporter);
  return previous;
}

XIReporter* XCReporter::SetProcessReporter(XIReporter* reporter) {
  return gProcessReporter.exchange(reporter, std::memory_order_acq_rel);
}

}  // namespace Quorve
