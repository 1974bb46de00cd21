// Leveled reports: for what must not stop the work (warnings, errors met in
// destructors). Delivery: the calling thread's reporter, else the process
// reporter, else one line on standard output.
#pragma once

#include <cstdint>

#include "ZinReporter.h"
#include "support/platform.h"

namespace Quorve {

/// Holds one thread-local-storage index for the life of the library.
class CBaseThreadData {
public:
  /// Throws "CBaseThreadData::CBaseThreadData - Can't get thread data" when no index is free.
  CBaseThreadData();
  ~CBaseThreadData();
  CBaseThreadData(const CBaseThreadData&) = delete;
  CBaseThreadData& operator=(const CBaseThreadData&) = delete;

protected:
  void* GetRaw() const { return mSlot.Get(); }
  void SetRaw(void* value) const { mSlot.Set(value); }

private:
  Platform::CThreadSlot mSlot;
};

/// The calling thread's value of one pointer type; null until the thread stores one.
template <class T>
class TThreadData : private CBaseThreadData {
public:
  T Get() const { return static_cast<T>(GetRaw()); }
  void Set(T value) const { SetRaw(static_cast<void*>(value)); }
};

class XCReporter {
public:
  /// Formats into a 2048-byte buffer (longer output is cut) and delivers at level.
  static void Report(EReportLevel level, const char* format, ...) __attribute__((format(printf, 2, 3)));
  /// Report at level 0 (error).
  static void Error(const char* format, ...) __attribute__((format(printf, 1, 2)));
  /// Report at level 1 (warning).
  static void Warning(const char* format, ...) __attribute__((format(printf, 1, 2)));

  /// Delivers an already formatted text. Never throws.
  static void Deliver(EReportLevel level, const char* text) noexcept;

  /// Installs the calling thread's reporter; returns the previous one.
  static XIReporter* SetThreadReporter(XIReporter* reporter);
  /// Installs the process reporter; returns the previous one.
  static XIReporter* SetProcessReporter(XIReporter* reporter);

  /// The one per-thread reporter slot of the process.
  static const TThreadData<XIReporter*>& ThreadSlot();
};

}  // namespace Quorve
