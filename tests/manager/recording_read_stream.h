// A read stream over bytes in memory that records every call the library makes.
#pragma once

#include <string>
#include <vector>

#include "ZinFileStreams.h"

namespace QvZinTest {

class CRecordingReadStream final : public QvZin::IZinReadStream {
public:
  explicit CRecordingReadStream(std::string bytes) : mBytes(std::move(bytes)), mInner(mBytes) {}
  /// Each call as "read <asked>-><delivered>", "tell" or "seek <position>".
  int read(void* buffer, int size) override {
    const int got = mInner.read(buffer, size);
    calls.push_back("read " + std::to_string(size) + "->" + std::to_string(got));
    return got;
  }
  int64_t tell() override {
    calls.push_back("tell");
    return mInner.tell();
  }
  void seek(int64_t position) override {
    calls.push_back("seek " + std::to_string(position));
    mInner.seek(position);
  }
  std::vector<std::string> calls;

private:
  std::string mBytes;
  QvZin::CZinMemoryReadStream mInner;
};

}  // namespace QvZinTest
