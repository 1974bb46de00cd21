#include "xml/image.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <new>

#include "support/raise.h"

namespace Quorve {

namespace {

using QuorveXML::XIXMLReadStream;
using QuorveXML::XIXMLWriteStream;
using Pixel = imx_pixel_RGBAn8;

constexpr uint32_t kTag = 1;
constexpr uint32_t kReversedTag = 0x01000000u;
constexpr size_t kDigits = 8;  // characters of one number or pixel
// Both sides move text in pieces this large, so that the stream's virtual call and
// the refill bookkeeping vanish next to the table work.
constexpr size_t kReadChunk = 16 * 1024;
constexpr size_t kWriteChunk = 16 * 1024;
// First capacity of the decoded pixels; it doubles from there, up to the announced size.
constexpr uint64_t kFirstCapacity = 16 * 1024;

const char kWrongData[] = "XCXMLImage::Read - Wrong data";
const char kInvalidHex[] = "XCXMLImage::ReadHex - Invalid hex value";
const char kReadError[] = "XCXMLImage::ReadHex - Read stream error";
const char kWriteError[] = "XCXMLImage::WriteHex - Write stream error";

// ---- digit tables

// A digit's value is 0-15; every other byte maps to kBadDigit, whose bit 4 survives
// an OR over a whole number, so one test per run of numbers finds any bad character.
constexpr uint8_t kBadDigit = 0x10;

struct CHexTables {
  char mPair[256][2];   // byte -> its two upper-case digits
  uint8_t mValue[256];  // character -> digit value or kBadDigit
};

constexpr CHexTables MakeHexTables() {
  CHexTables tables{};
  const char digits[] = "0123456789ABCDEF";
  for (int i = 0; i < 256; ++i) {
    tables.mPair[i][0] = digits[i >> 4];
    tables.mPair[i][1] = digits[i & 15];
    tables.mValue[i] = kBadDigit;
  }
  for (int i = 0; i < 16; ++i) tables.mValue[static_cast<unsigned char>(digits[i])] = static_cast<uint8_t>(i);
  return tables;
}

constexpr CHexTables kHex = MakeHexTables();

// Two characters (first one high) -> their byte, or kBadPair when either is not a
// digit: one lookup per byte of a pixel. 128 KiB, but valid digit pairs touch only
// about 3 KiB of it, which stays in the first-level cache.
constexpr uint16_t kBadPair = kBadDigit << 4;
struct CPairTable {
  uint16_t mValue[65536];
};
constexpr CPairTable MakePairTable() {
  CPairTable table{};
  for (int i = 0; i < 65536; ++i) {
    const uint8_t high = kHex.mValue[i >> 8], low = kHex.mValue[i & 0xFF];
    table.mValue[i] = (high | low) & kBadDigit ? kBadPair : static_cast<uint16_t>(high << 4 | low);
  }
  return table;
}
constexpr CPairTable kPairs = MakePairTable();

inline uint32_t Swap32(uint32_t v) { return __builtin_bswap32(v); }

inline uint32_t PixelWord(const Pixel* p) {
  uint32_t word;
  std::memcpy(&word, p, sizeof word);
  return word;
}

// ---- encoding

inline void EncodeNumber(char* out, uint32_t v) {
  std::memcpy(out, kHex.mPair[v >> 24], 2);
  std::memcpy(out + 2, kHex.mPair[(v >> 16) & 0xFF], 2);
  std::memcpy(out + 4, kHex.mPair[(v >> 8) & 0xFF], 2);
  std::memcpy(out + 6, kHex.mPair[v & 0xFF], 2);
}

inline void EncodePixel(char* out, const Pixel& p) {
  std::memcpy(out, kHex.mPair[p.mAlpha], 2);
  std::memcpy(out + 2, kHex.mPair[p.mRed], 2);
  std::memcpy(out + 4, kHex.mPair[p.mGreen], 2);
  std::memcpy(out + 6, kHex.mPair[p.mBlue], 2);
}

class CHexWriter {
public:
  explicit CHexWriter(XIXMLWriteStream* stream) : mStream(stream) {}

  void Number(uint32_t v) {
    if (kWriteChunk - mUsed < kDigits) Flush();
    EncodeNumber(mBuffer + mUsed, v);
    mUsed += kDigits;
  }

  void Pixels(const Pixel* pixels, uint64_t count) {
    while (count != 0) {
      if (kWriteChunk - mUsed < kDigits) Flush();
      const uint64_t n = std::min<uint64_t>(count, (kWriteChunk - mUsed) / kDigits);
      char* out = mBuffer + mUsed;
      for (uint64_t i = 0; i < n; ++i) EncodePixel(out + i * kDigits, pixels[i]);
      mUsed += n * kDigits;
      pixels += n;
      count -= n;
    }
  }

  void Flush() {
    if (mUsed == 0) return;
    const int32_t written = mStream->Write(mBuffer, static_cast<int32_t>(mUsed));
    CheckAssertion(written == static_cast<int32_t>(mUsed), kWriteError);
    mUsed = 0;
  }

private:
  XIXMLWriteStream* mStream;
  size_t mUsed = 0;
  char mBuffer[kWriteChunk];
};

// ---- decoding

class CHexReader {
public:
  explicit CHexReader(XIXMLReadStream* stream) : mStream(stream) {}

  // True when the stream has no data at all: the empty block.
  bool IsEmpty() {
    Refill();
    return mEnd == 0;
  }

  uint32_t Number() {
    const unsigned char* s = Take(1);
    uint32_t bad = 0;
    uint32_t v = 0;
    for (size_t i = 0; i < kDigits; ++i) {
      const uint32_t digit = kHex.mValue[s[i]];
      bad |= digit;
      v = (v << 4) | digit;
    }
    CheckDigits(bad);
    return v;
  }

  // Makes at least one whole number available; returns how many are, at most limit.
  uint64_t Available(uint64_t limit) {
    if (mEnd - mPos < kDigits) Refill();
    const uint64_t numbers = (mEnd - mPos) / kDigits;
    if (numbers == 0) FailAssertion(kReadError);
    return std::min(numbers, limit);
  }

  // Consumes count whole numbers (count at most what Available returned) and returns
  // their first character.
  const unsigned char* Take(uint64_t count) {
    if (mEnd - mPos < count * kDigits) {
      Refill();
      if (mEnd - mPos < count * kDigits) FailAssertion(kReadError);
    }
    const unsigned char* s = mBuffer + mPos;
    mPos += count * kDigits;
    return s;
  }

  static void CheckDigits(uint32_t bad) {
    if (bad & kBadDigit) ThrowError(kInvalidHex);
  }

private:
  // Keeps the unread tail of a number and appends the next piece of the stream. A
  // piece shorter than asked is the last one: the stream is not asked again.
  void Refill() {
    if (mEnded) return;
    const size_t left = mEnd - mPos;
    std::memmove(mBuffer, mBuffer + mPos, left);
    mPos = 0;
    mEnd = left;
    const uint32_t wanted = static_cast<uint32_t>(kReadChunk - left);
    const uint32_t got = mStream->Read(mBuffer + left, wanted);
    // A stream that claims more than it was asked for has already broken the buffer's
    // bounds or lies; either way its data cannot be trusted.
    CheckAssertion(got <= wanted, kReadError);
    mEnd += got;
    if (got < wanted) mEnded = true;
  }

  XIXMLReadStream* mStream;
  size_t mPos = 0;
  size_t mEnd = 0;
  bool mEnded = false;
  unsigned char mBuffer[kReadChunk];
};

inline Pixel DecodePixel(const unsigned char* s, uint32_t& bad) {
  const uint32_t a = kPairs.mValue[s[0] << 8 | s[1]], r = kPairs.mValue[s[2] << 8 | s[3]];
  const uint32_t g = kPairs.mValue[s[4] << 8 | s[5]], b = kPairs.mValue[s[6] << 8 | s[7]];
  bad |= (a | r | g | b) >> 4;  // kBadPair lands on kBadDigit
  return Pixel{static_cast<unsigned char>(r), static_cast<unsigned char>(g), static_cast<unsigned char>(b),
               static_cast<unsigned char>(a)};
}

// The old byte-reversed form keeps only the first byte of each pixel, as red.
inline Pixel DecodeReversedPixel(const unsigned char* s, uint32_t& bad) {
  const uint32_t high = kHex.mValue[s[0]], low = kHex.mValue[s[1]];
  bad |= high | low | kHex.mValue[s[2]] | kHex.mValue[s[3]] | kHex.mValue[s[4]] | kHex.mValue[s[5]] |
         kHex.mValue[s[6]] | kHex.mValue[s[7]];
  return Pixel{static_cast<unsigned char>(high << 4 | low), 0, 0, 0};
}

// Decoded pixels, growing with what the runs deliver (doubling, capped at the
// announced size), so that a header alone cannot claim memory.
class CPixelStore {
public:
  explicit CPixelStore(uint64_t total) : mTotal(total) {}
  ~CPixelStore() { std::free(mData); }
  CPixelStore(const CPixelStore&) = delete;
  CPixelStore& operator=(const CPixelStore&) = delete;

  uint64_t Left() const { return mTotal - mCount; }

  // Room for n more pixels (n at most Left()); returns where they go.
  Pixel* Reserve(uint64_t n) {
    const uint64_t needed = mCount + n;
    if (needed > mCapacity) {
      const uint64_t grown = std::max(needed, std::max(mCapacity * 2, kFirstCapacity));
      const uint64_t capacity = std::min(grown, mTotal);
      void* data = std::realloc(mData, static_cast<size_t>(capacity * sizeof(Pixel)));
      if (data == nullptr) throw std::bad_alloc();
      mData = static_cast<Pixel*>(data);
      mCapacity = capacity;
    }
    return mData + mCount;
  }

  void Commit(uint64_t n) { mCount += n; }

  Pixel* Release() {
    Pixel* data = mData;
    mData = nullptr;
    return data;
  }

private:
  Pixel* mData = nullptr;
  uint64_t mCount = 0;
  uint64_t mCapacity = 0;
  uint64_t mTotal;
};

template <bool kReversed>
inline Pixel Decode(const unsigned char* s, uint32_t& bad) {
  if constexpr (kReversed)
    return DecodeReversedPixel(s, bad);
  else
    return DecodePixel(s, bad);
}

template <bool kReversed>
void DecodeRuns(CHexReader& in, CPixelStore& store) {
  const auto count = [&in] {
    const uint32_t v = in.Number();
    return kReversed ? Swap32(v) : v;
  };
  while (store.Left() != 0) {
    // Counts are compared with what is left, never added to what is done, so a count
    // near 2^32 cannot wrap past the check.
    const uint32_t repeat = count();
    CheckAssertion(repeat <= store.Left(), kWrongData);
    uint32_t bad = 0;
    const Pixel pixel = Decode<kReversed>(in.Take(1), bad);
    CHexReader::CheckDigits(bad);
    std::fill_n(store.Reserve(repeat), repeat, pixel);
    store.Commit(repeat);
    if (store.Left() == 0) break;

    uint64_t literal = count();
    CheckAssertion(literal <= store.Left(), kWrongData);
    while (literal != 0) {
      const uint64_t n = in.Available(literal);
      const unsigned char* s = in.Take(n);
      Pixel* out = store.Reserve(n);
      for (uint64_t i = 0; i < n; ++i) out[i] = Decode<kReversed>(s + i * kDigits, bad);
      CHexReader::CheckDigits(bad);
      store.Commit(n);
      literal -= n;
    }
  }
}

}  // namespace

// ---- XCXMLImage

void XCXMLImage::Write(XIXMLWriteStream* stream) const {
  CheckPointer(stream, "XCXMLImage::Write - No stream");
  if (mWidth == 0 || mHeight == 0) return;
  const uint64_t total = GetPixelCount();
  // Run counts are 32-bit; only an adopted array could be larger.
  CheckAssertion(total <= 0xFFFFFFFFu, "XCXMLImage::Write - Image too big");
  CHexWriter out(stream);
  out.Number(kTag);
  out.Number(mWidth);
  out.Number(mHeight);
  const Pixel* p = mPixels;
  uint64_t i = 0;
  while (i < total) {
    const uint32_t word = PixelWord(p + i);
    uint64_t j = i + 1;
    while (j < total && PixelWord(p + j) == word) ++j;
    out.Number(static_cast<uint32_t>(j - i));
    out.Pixels(p + i, 1);
    i = j;
    if (i == total) break;
    // The literal run ends with the first pixel equal to its successor: that pixel
    // stays in the literal run, and the next repeat run starts after it.
    uint64_t k = i;
    uint32_t current = PixelWord(p + k);
    while (k + 1 < total) {
      const uint32_t next = PixelWord(p + k + 1);
      if (next == current) break;
      current = next;
      ++k;
    }
    out.Number(static_cast<uint32_t>(k + 1 - i));
    out.Pixels(p + i, k + 1 - i);
    i = k + 1;
  }
  out.Flush();
}

void XCXMLImage::Read(XIXMLReadStream* stream) {
  CheckPointer(stream, "XCXMLImage::Read - No stream");
  CHexReader in(stream);
  if (in.IsEmpty()) {
    Adopt(0, 0, nullptr);
    return;
  }
  const uint32_t tag = in.Number();
  if (tag != kTag && tag != kReversedTag) ThrowError("Unknown format");
  const bool reversed = tag == kReversedTag;
  uint32_t width = in.Number();
  uint32_t height = in.Number();
  if (reversed) {
    width = Swap32(width);
    height = Swap32(height);
  }
  const uint64_t total = uint64_t{width} * height;
  CheckAssertion(FitsSize(total), kWrongData);
  CPixelStore store(total);
  if (reversed)
    DecodeRuns<true>(in, store);
  else
    DecodeRuns<false>(in, store);
  Adopt(width, height, store.Release());
}

XCXMLImage* XCXMLImage::ReadNew(XIXMLReadStream* stream) {
  XCXMLImage* image = new XCXMLImage();
  image->Duplicate();
  try {
    image->Read(stream);
  } catch (...) {
    image->Release();
    throw;
  }
  return image;
}

bool XCXMLImage::Write(XIXMLWriteStream* stream, int, QuorveXML::XIXMLData*) {
  try {
    Write(stream);
    return true;
  } catch (...) {
    return false;
  }
}

XCXMLImage* XCXMLImage::Duplicate() {
  AddReference();
  return this;
}

void XCXMLImage::Release() {
  if (DropReference() <= 0) delete this;
}

}  // namespace Quorve
