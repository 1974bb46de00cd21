// The interfaces that clients supply: byte streams and the feedback object.
#pragma once

#include "ZinDefs.h"

namespace QvZin {

class IZinMgr;

/// A client's input stream. The library asks for pieces and relies on read
/// filling every request completely until the very end of the data.
class IZinReadStream {
public:
  /// Reads up to size bytes; returns the number delivered, 0 at the end.
  virtual int read(void* buffer, int size) = 0;
  /// The current position.
  virtual int64_t tell() = 0;
  /// Moves back to a position obtained from tell.
  virtual void seek(int64_t position) = 0;

protected:
  ~IZinReadStream() = default;
};

/// A client's output stream. The library hands it the document in pieces.
class IZinWriteStream {
public:
  /// Takes all size bytes. The result is ignored (clients return anything, often 0), so
  /// a stream that can fail keeps the failure for its owner, as CZinFileWriteStream
  /// does: its close() returns false after a write that failed or fell short.
  virtual int write(const void* data, int size) = 0;

protected:
  ~IZinWriteStream() = default;
};

/// Receives every warning of a manager and may cancel long operations.
/// A null feedback object is allowed everywhere: messages are then dropped.
class IZinFeedback {
public:
  /// One warning or error text; mgr is null when no manager exists yet. Result ignored.
  virtual bool warning(IZinMgr* mgr, const char* message) = 0;
  /// Progress of a geometry block: position out of range. Return false to cancel.
  virtual bool progress(IZinMgr* mgr, int position, int range) = 0;

protected:
  ~IZinFeedback() = default;
};

}  // namespace QvZin
