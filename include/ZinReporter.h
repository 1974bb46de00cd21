// The library's diagnostic channel: leveled reports for what must not stop the
// work (warnings, errors met inside destructors).
#pragma once

#include "ZinDefs.h"
#include "ZinUUID.h"

namespace Quorve {

/// Report levels, in order of decreasing severity.
enum EReportLevel : int32_t {
  eReportError = 0,    ///< printed as "Error"
  eReportWarning = 1,  ///< printed as "Warning"
  eReportMessage = 2,  ///< printed as "Message"
  eReportTrace = 3,    ///< printed as "Trace"
  eReportBench = 4,    ///< printed as "Bench"
  eReportMemory = 5,   ///< printed as "Memory"
  eReportNone = 6      ///< printed as "NoMessage"
};

/// A receiver of reports. Implement it and install it with IZinReporterControl.
class XIReporter {
public:
  virtual ~XIReporter() = default;
  /// Receives one report; text is zero-terminated and valid only during the call.
  /// An exception thrown from here is caught and dropped by the library.
  virtual void Report(EReportLevel level, const char* text) = 0;
};

}  // namespace Quorve

namespace QvZin {

/// Installs reporters. A report goes to the calling thread's reporter when one is
/// set, else to the process reporter, else to standard output as one line
/// "XCReporter: Level(\"text\")". Obtain this interface from any manager:
///   IZinReporterControl* rc = nullptr;
///   mgr->QueryInterface(IZinReporterControl::sIID, (void**)&rc);  // one reference
/// The reporters are borrowed: keep them alive while installed.
class IZinReporterControl {
public:
  static constexpr CZinUUID sIID = CZinUUID::fromText("6A1C93F2B0D84E57A3C2E1F05B7D9A41");
  virtual ZinResult QueryInterface(const CZinUUID& iid, void** out) = 0;
  virtual int32_t AddRef() = 0;
  virtual int32_t Release() = 0;
  /// Sets the calling thread's reporter (null removes it); returns the previous one.
  virtual Quorve::XIReporter* setThreadReporter(Quorve::XIReporter* reporter) = 0;
  /// Sets the process reporter (null removes it); returns the previous one.
  virtual Quorve::XIReporter* setProcessReporter(Quorve::XIReporter* reporter) = 0;

protected:
  ~IZinReporterControl() = default;
};

}  // namespace QvZin
