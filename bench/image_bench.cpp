// Image blocks: encoding and decoding a 4096 x 4096 picture, photo-like (nearly every
// pixel differs from its neighbour: literal runs) and flat (long repeat runs), beside
// the bare table loops that bound them, and the cost of refusing a hostile header.
#include <benchmark/benchmark.h>
#if __has_include(<malloc.h>)
#include <malloc.h>
#endif

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "xml/image.h"

using namespace Quorve;
using QuorveXML::XIXMLReadStream;
using QuorveXML::XIXMLWriteStream;

namespace {

using Pixel = imx_pixel_RGBAn8;
constexpr uint32_t kSide = 4096;

// Appends into memory reserved once, as a client's file buffer would.
class CMemoryWriteStream : public XIXMLWriteStream {
public:
  explicit CMemoryWriteStream(size_t capacity) : mData(capacity) {}
  int32_t Write(const char* bytes, int32_t count) override {
    std::memcpy(mData.data() + mUsed, bytes, static_cast<size_t>(count));
    mUsed += static_cast<size_t>(count);
    return count;
  }
  std::vector<char> mData;
  size_t mUsed = 0;
};

// Serves a text, filling each request completely until the end.
class CMemoryReadStream : public XIXMLReadStream {
public:
  CMemoryReadStream(const char* data, size_t size) : mData(data), mSize(size) {}
  uint32_t Read(void* buffer, uint32_t size) override {
    const size_t n = std::min<size_t>(size, mSize - mPos);
    std::memcpy(buffer, mData + mPos, n);
    mPos += n;
    return static_cast<uint32_t>(n);
  }

private:
  const char* mData;
  size_t mSize;
  size_t mPos = 0;
};

XCXMLImage* MakePicture(bool flat) {
  Pixel* pixels = XCXMLImage::AllocatePixels(uint64_t{kSide} * kSide);
  uint32_t state = 0x9E3779B9u;
  for (uint32_t y = 0; y < kSide; ++y) {
    for (uint32_t x = 0; x < kSide; ++x) {
      Pixel& p = pixels[uint64_t{y} * kSide + x];
      if (flat) {
        // Bands of one colour, 1000 pixels and more.
        const uint32_t band = (y * kSide + x) / 1531;
        p = Pixel{static_cast<unsigned char>(band * 7), static_cast<unsigned char>(band * 13),
                  static_cast<unsigned char>(band * 29), 255};
      } else {
        // A gradient with noise in the low bits, as a photograph has.
        state = state * 1664525u + 1013904223u;
        p = Pixel{static_cast<unsigned char>(x / 16 + (state >> 29)), static_cast<unsigned char>(y / 16 + (state >> 26 & 7)),
                  static_cast<unsigned char>((x + y) / 32 + (state >> 23 & 7)), 255};
      }
    }
  }
  return (new XCXMLImage(kSide, kSide, pixels))->Duplicate();
}

std::string Encode(const XCXMLImage& image) {
  CMemoryWriteStream out(size_t{kSide} * kSide * 16 + 64);
  image.Write(&out);
  return std::string(out.mData.data(), out.mUsed);
}

void EncodeBench(benchmark::State& state, bool flat) {
  XCXMLImage* image = MakePicture(flat);
  const size_t size = Encode(*image).size();
  CMemoryWriteStream out(size);
  for (auto _ : state) {
    out.mUsed = 0;
    image->Write(&out);
    benchmark::DoNotOptimize(out.mData.data());
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * size));
  state.SetItemsProcessed(static_cast<int64_t>(state.iterations()) * kSide * kSide);
  state.counters["text_bytes"] = static_cast<double>(size);
  image->Release();
}

// A 64 MiB picture is beyond the C allocator's largest heap block, so each decode
// gets fresh pages from the system, and touching them the first time costs more than
// the decoding on some machines (BM_TouchFreshPicture). The warm variants keep
// freed memory in the heap for the benchmark's duration, which isolates the codec.
class CWarmHeap {
public:
  explicit CWarmHeap(bool warm) : mWarm(warm) {
#if defined(M_MMAP_MAX)
    if (mWarm) {
      mallopt(M_MMAP_MAX, 0);
      mallopt(M_TRIM_THRESHOLD, 1 << 30);
    }
#endif
  }
  ~CWarmHeap() {
#if defined(M_MMAP_MAX)
    if (mWarm) {
      mallopt(M_MMAP_MAX, 65536);
      mallopt(M_TRIM_THRESHOLD, 128 * 1024);
      malloc_trim(0);
    }
#endif
  }

private:
  bool mWarm;
};

void DecodeBench(benchmark::State& state, bool flat, bool warm) {
  CWarmHeap heap(warm);
  XCXMLImage* image = MakePicture(flat);
  const std::string text = Encode(*image);
  image->Release();
  for (auto _ : state) {
    CMemoryReadStream in(text.data(), text.size());
    XCXMLImage* back = XCXMLImage::ReadNew(&in);
    benchmark::DoNotOptimize(back->GetPixels());
    back->Release();
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * text.size()));
  state.SetItemsProcessed(static_cast<int64_t>(state.iterations()) * kSide * kSide);
}

void BM_EncodePhoto(benchmark::State& state) { EncodeBench(state, false); }
void BM_EncodeFlat(benchmark::State& state) { EncodeBench(state, true); }
void BM_DecodePhoto(benchmark::State& state) { DecodeBench(state, false, false); }
void BM_DecodeFlat(benchmark::State& state) { DecodeBench(state, true, false); }
void BM_DecodePhotoWarm(benchmark::State& state) { DecodeBench(state, false, true); }
void BM_DecodeFlatWarm(benchmark::State& state) { DecodeBench(state, true, true); }

// The machine's floor for any decoder that returns a new 64 MiB picture: allocate it
// and write every byte once.
void BM_TouchFreshPicture(benchmark::State& state) {
  const size_t bytes = size_t{kSide} * kSide * sizeof(Pixel);
  for (auto _ : state) {
    void* pixels = std::malloc(bytes);
    std::memset(pixels, 0x5A, bytes);
    benchmark::DoNotOptimize(pixels);
    benchmark::ClobberMemory();
    std::free(pixels);
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * bytes));
}

// The floor of encoding: every byte of the pixels through a two-digit table, nothing else.
void BM_BareTableEncode(benchmark::State& state) {
  XCXMLImage* image = MakePicture(false);
  const size_t bytes = size_t{kSide} * kSide * sizeof(Pixel);
  const unsigned char* in = reinterpret_cast<const unsigned char*>(image->GetPixels());
  char pairs[256][2];
  for (int i = 0; i < 256; ++i) {
    pairs[i][0] = "0123456789ABCDEF"[i >> 4];
    pairs[i][1] = "0123456789ABCDEF"[i & 15];
  }
  std::vector<char> out(bytes * 2);
  for (auto _ : state) {
    char* o = out.data();
    for (size_t i = 0; i < bytes; ++i) std::memcpy(o + 2 * i, pairs[in[i]], 2);
    benchmark::DoNotOptimize(out.data());
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * out.size()));
  image->Release();
}

// The floor of decoding: the photo block's text through a digit table into bytes,
// without validation, runs or a stream.
void BM_BareTableDecode(benchmark::State& state) {
  XCXMLImage* image = MakePicture(false);
  const std::string text = Encode(*image);
  image->Release();
  unsigned char value[256] = {};
  for (int i = 0; i < 16; ++i) value[static_cast<unsigned char>("0123456789ABCDEF"[i])] = static_cast<unsigned char>(i);
  std::vector<unsigned char> out(text.size() / 2);
  const unsigned char* in = reinterpret_cast<const unsigned char*>(text.data());
  for (auto _ : state) {
    for (size_t i = 0; i < out.size(); ++i) out[i] = static_cast<unsigned char>(value[in[2 * i]] << 4 | value[in[2 * i + 1]]);
    benchmark::DoNotOptimize(out.data());
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * text.size()));
}

// The same with a table of character pairs, one lookup per byte.
void BM_BarePairTableDecode(benchmark::State& state) {
  XCXMLImage* image = MakePicture(false);
  const std::string text = Encode(*image);
  image->Release();
  std::vector<unsigned char> pairs(65536);
  for (int i = 0; i < 256; ++i)
    pairs[static_cast<unsigned char>("0123456789ABCDEF"[i >> 4]) << 8 | static_cast<unsigned char>("0123456789ABCDEF"[i & 15])] =
        static_cast<unsigned char>(i);
  std::vector<unsigned char> out(text.size() / 2);
  const unsigned char* in = reinterpret_cast<const unsigned char*>(text.data());
  for (auto _ : state) {
    for (size_t i = 0; i < out.size(); ++i) out[i] = pairs[in[2 * i] << 8 | in[2 * i + 1]];
    benchmark::DoNotOptimize(out.data());
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * text.size()));
}

// A block announcing a huge picture backed by one run: refused at the header
// (65535 x 65535) or when the data ends (65535 x 16384, within the size limit).
void HostileBench(benchmark::State& state, uint32_t height) {
  char text[64];
  std::snprintf(text, sizeof text, "%08X%08X%08X%08X%08X", 1u, 65535u, height, 1u, 0u);
  for (auto _ : state) {
    CMemoryReadStream in(text, std::strlen(text));
    try {
      XCXMLImage::ReadNew(&in)->Release();
      state.SkipWithError("the hostile block was accepted");
    } catch (const std::exception& e) {
      benchmark::DoNotOptimize(e.what());
    }
  }
}

void BM_HostileHeader65535x65535(benchmark::State& state) { HostileBench(state, 65535); }
void BM_HostileHeader65535x16384(benchmark::State& state) { HostileBench(state, 16384); }

// The machine is shared: other work only ever adds time, so the least of the
// repetitions is the figure to compare.
double Least(const std::vector<double>& values) { return *std::min_element(values.begin(), values.end()); }

}  // namespace

BENCHMARK(BM_EncodePhoto)->Unit(benchmark::kMillisecond)->ComputeStatistics("min", Least);
BENCHMARK(BM_BareTableEncode)->Unit(benchmark::kMillisecond)->ComputeStatistics("min", Least);
BENCHMARK(BM_EncodeFlat)->Unit(benchmark::kMillisecond)->ComputeStatistics("min", Least);
BENCHMARK(BM_DecodePhoto)->Unit(benchmark::kMillisecond)->ComputeStatistics("min", Least);
BENCHMARK(BM_BareTableDecode)->Unit(benchmark::kMillisecond)->ComputeStatistics("min", Least);
BENCHMARK(BM_BarePairTableDecode)->Unit(benchmark::kMillisecond)->ComputeStatistics("min", Least);
BENCHMARK(BM_DecodeFlat)->Unit(benchmark::kMillisecond)->ComputeStatistics("min", Least);
BENCHMARK(BM_DecodePhotoWarm)->Unit(benchmark::kMillisecond)->ComputeStatistics("min", Least);
BENCHMARK(BM_DecodeFlatWarm)->Unit(benchmark::kMillisecond)->ComputeStatistics("min", Least);
BENCHMARK(BM_TouchFreshPicture)->Unit(benchmark::kMillisecond)->ComputeStatistics("min", Least);
BENCHMARK(BM_HostileHeader65535x65535)->Unit(benchmark::kMicrosecond)->ComputeStatistics("min", Least);
BENCHMARK(BM_HostileHeader65535x16384)->Unit(benchmark::kMicrosecond)->ComputeStatistics("min", Least);

BENCHMARK_MAIN();
