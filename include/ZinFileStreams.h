// Ready-made streams for clients: over a file path and over a byte buffer.
// Header-only, so they work with the shared library as with the static one.
#pragma once

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "ZinStreams.h"

namespace QvZin {

/// Reads a file in large pieces: the library asks for 1 KiB at a time, and one
/// system call per request would cap any reader far below the disk's speed.
class CZinFileReadStream final : public IZinReadStream {
public:
  /// Opens path for reading; check isOpen().
  explicit CZinFileReadStream(const char* path, size_t bufferSize = 1 << 18)
      : mFile(std::fopen(path, "rb")), mBuffer(bufferSize ? bufferSize : 1) {}
  ~CZinFileReadStream() {
    if (mFile) std::fclose(mFile);
  }
  CZinFileReadStream(const CZinFileReadStream&) = delete;
  CZinFileReadStream& operator=(const CZinFileReadStream&) = delete;

  bool isOpen() const { return mFile != nullptr; }
  /// Bytes delivered so far by read (for tests and statistics).
  int64_t bytesDelivered() const { return mDelivered; }

  int read(void* buffer, int size) override {
    if (!mFile || size <= 0 || !buffer) return 0;
    char* out = static_cast<char*>(buffer);
    int done = 0;
    while (done < size) {
      if (mPos == mFill && !refill()) break;
      size_t take = mFill - mPos;
      if (take > static_cast<size_t>(size - done)) take = static_cast<size_t>(size - done);
      std::memcpy(out + done, mBuffer.data() + mPos, take);
      mPos += take;
      done += static_cast<int>(take);
    }
    mDelivered += done;
    return done;
  }

  int64_t tell() override { return mBufferStart + static_cast<int64_t>(mPos); }

  void seek(int64_t position) override {
    if (!mFile) return;
    if (position >= mBufferStart && position <= mBufferStart + static_cast<int64_t>(mFill)) {
      mPos = static_cast<size_t>(position - mBufferStart);  // still inside the buffer
      return;
    }
    if (fseeko(mFile, static_cast<off_t>(position), SEEK_SET) == 0) {
      mBufferStart = position;
      mPos = mFill = 0;
    }
  }

private:
  bool refill() {
    mBufferStart += static_cast<int64_t>(mFill);
    mPos = 0;
    mFill = std::fread(mBuffer.data(), 1, mBuffer.size(), mFile);
    return mFill > 0;
  }

  std::FILE* mFile;
  std::vector<char> mBuffer;
  int64_t mBufferStart = 0;  // file position of mBuffer[0]
  size_t mPos = 0;
  size_t mFill = 0;
  int64_t mDelivered = 0;
};

/// Writes a file through a large buffer. The manager ignores what write returns, so
/// call close() to learn whether every byte reached the file (a full disk, a failed
/// open or a short write makes it false); the destructor closes too, silently.
class CZinFileWriteStream final : public IZinWriteStream {
public:
  explicit CZinFileWriteStream(const char* path, size_t bufferSize = 1 << 18)
      : mFile(std::fopen(path, "wb")), mBuffer(bufferSize ? bufferSize : 1), mFailed(mFile == nullptr) {}
  ~CZinFileWriteStream() { close(); }
  CZinFileWriteStream(const CZinFileWriteStream&) = delete;
  CZinFileWriteStream& operator=(const CZinFileWriteStream&) = delete;

  bool isOpen() const { return mFile != nullptr; }
  /// Bytes accepted so far.
  int64_t bytesWritten() const { return mWritten; }

  int write(const void* data, int size) override {
    if (!mFile || size <= 0 || !data) return 0;
    const char* in = static_cast<const char*>(data);
    size_t left = static_cast<size_t>(size);
    while (left > 0) {
      if (mFill == mBuffer.size() && !flush()) return size - static_cast<int>(left);
      size_t take = mBuffer.size() - mFill;
      if (take > left) take = left;
      std::memcpy(mBuffer.data() + mFill, in, take);
      mFill += take;
      in += take;
      left -= take;
    }
    mWritten += size;
    return size;
  }

  /// Flushes and closes the file; false when it did not open or any write failed or fell short.
  bool close() {
    if (!mFile) return !mFailed;
    flush();
    if (std::fclose(mFile) != 0) mFailed = true;
    mFile = nullptr;
    return !mFailed;
  }

private:
  bool flush() {
    if (mFill && std::fwrite(mBuffer.data(), 1, mFill, mFile) != mFill) mFailed = true;
    mFill = 0;
    return !mFailed;
  }

  std::FILE* mFile;
  std::vector<char> mBuffer;
  size_t mFill = 0;
  int64_t mWritten = 0;
  bool mFailed;  // a file that did not open, or a byte that did not reach it
};

/// Reads from bytes held in memory. The bytes are borrowed: keep them alive.
class CZinMemoryReadStream final : public IZinReadStream {
public:
  CZinMemoryReadStream(const void* data, size_t size) : mData(static_cast<const char*>(data)), mSize(size) {}
  explicit CZinMemoryReadStream(const std::string& bytes) : CZinMemoryReadStream(bytes.data(), bytes.size()) {}
  /// A temporary would be gone before the first read.
  explicit CZinMemoryReadStream(std::string&&) = delete;

  int read(void* buffer, int size) override {
    if (size <= 0 || !buffer) return 0;
    size_t take = mSize - mPos;
    if (take > static_cast<size_t>(size)) take = static_cast<size_t>(size);
    std::memcpy(buffer, mData + mPos, take);
    mPos += take;
    mDelivered += static_cast<int64_t>(take);
    return static_cast<int>(take);
  }
  int64_t tell() override { return static_cast<int64_t>(mPos); }
  void seek(int64_t position) override {
    mPos = position < 0 ? 0 : static_cast<size_t>(position) > mSize ? mSize : static_cast<size_t>(position);
  }
  /// Bytes delivered so far by read.
  int64_t bytesDelivered() const { return mDelivered; }

private:
  const char* mData;
  size_t mSize;
  size_t mPos = 0;
  int64_t mDelivered = 0;
};

/// Collects written bytes in memory.
class CZinMemoryWriteStream final : public IZinWriteStream {
public:
  int write(const void* data, int size) override {
    if (size <= 0 || !data) return 0;
    mBytes.append(static_cast<const char*>(data), static_cast<size_t>(size));
    return size;
  }
  const std::string& bytes() const { return mBytes; }
  std::string& bytes() { return mBytes; }

private:
  std::string mBytes;
};

}  // namespace QvZin
