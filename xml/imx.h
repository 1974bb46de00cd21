// The image template library: a counted base, a picture of any pixel type with
// conversions to and from 8-bit RGBA, and the 8-bit RGBA picture itself. The XML
// engine stores every picture of a document in it (see xml/image.h).
#pragma once

#include <atomic>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <new>
#include <type_traits>

#include "support/raise.h"

namespace Quorve {

/// Weight of the four-pixel average.
using imx_float = float;

/// One pixel of four channels, in memory in the order red, green, blue, alpha.
template <class T>
struct imx_generic_RGBA {
  T mRed;
  T mGreen;
  T mBlue;
  T mAlpha;
};

/// The exchange pixel through which every pixel type converts: 8-bit red, green, blue,
/// alpha. A type of its own, so that the two conversions of a picture stay distinct
/// operations even for 8-bit RGBA pixels.
struct imx_RGBAn8 {
  unsigned char mRed;
  unsigned char mGreen;
  unsigned char mBlue;
  unsigned char mAlpha;
};

/// The pixel of imx_image_RGBAn8.
using imx_pixel_RGBAn8 = imx_generic_RGBA<unsigned char>;
static_assert(sizeof(imx_pixel_RGBAn8) == 4 && sizeof(imx_RGBAn8) == 4,
              "an 8-bit RGBA pixel is four packed bytes");

/// Largest byte size of one pixel array. Pictures travel with 32-bit counts and were
/// always bounded by a 32-bit address space, so a larger size is refused rather than
/// attempted (a header alone must not be able to ask for tens of gigabytes). A build
/// may set a lower cap (the fuzz targets do, to stay under the fuzzer's allocation
/// limit) with ZIN_IMX_MAX_PIXEL_BYTES, the same for every object of the program.
#ifndef ZIN_IMX_MAX_PIXEL_BYTES
#define ZIN_IMX_MAX_PIXEL_BYTES 0xFFFFFFFFu
#endif
constexpr uint64_t kImxMaxPixelBytes = ZIN_IMX_MAX_PIXEL_BYTES;

/// Polymorphic base with a 32-bit reference count, 0 at construction. The count
/// changes only through atomic operations, so references may be taken and dropped
/// from several threads; what the count protects is the owner's business.
class imx_reference {
public:
  imx_reference() = default;
  imx_reference(const imx_reference&) = delete;
  imx_reference& operator=(const imx_reference&) = delete;
  virtual ~imx_reference() = default;

  /// Adds one reference; returns the new count.
  int32_t AddReference() { return mReferences.fetch_add(1, std::memory_order_relaxed) + 1; }
  /// Drops one reference; returns the new count (0 or less: the last one is gone).
  /// Acquire-release, so the thread that sees 0 also sees every write made through
  /// the other references before they were dropped.
  int32_t DropReference() { return mReferences.fetch_sub(1, std::memory_order_acq_rel) - 1; }
  /// The current count (a snapshot when other threads hold references).
  int32_t GetReferenceCount() const { return mReferences.load(std::memory_order_relaxed); }

private:
  std::atomic<int32_t> mReferences{0};
  static_assert(std::atomic<int32_t>::is_always_lock_free, "the count must be interlocked");
};

/// A picture of width x height pixels of type T, rows back to back. An owned pixel
/// array lives in the C heap: arrays handed to the adopting constructor must come
/// from AllocatePixels (or std::malloc), because the picture frees them with std::free.
template <class T>
class imx_timage : public imx_reference {
  static_assert(std::is_trivially_copyable<T>::value, "pixels are moved as raw bytes");

public:
  /// An empty picture: width and height 0, no pixels, owns-pixels set.
  imx_timage() = default;
  /// Adopts pixels (width x height of them); the picture frees them when ownsPixels is set.
  imx_timage(uint32_t width, uint32_t height, T* pixels, bool ownsPixels = true)
      : mWidth(width), mHeight(height), mPixels(pixels), mOwnsPixels(ownsPixels) {}
  /// Frees the pixel array when the picture owns it.
  ~imx_timage() override { FreePixels(); }

  /// Converts an 8-bit RGBA pixel to T. The template throws
  /// "imx_timage< _T >::convert_from ( const imx_RGBAn8 &, _T & ) not defined".
  virtual void convert_from(const imx_RGBAn8& from, T& to) const;
  /// Converts a T pixel to 8-bit RGBA. The template throws
  /// "imx_timage< _T >::convert_from ( const _T &, imx_RGBAn8 & ) not defined".
  virtual void convert_from(const T& from, imx_RGBAn8& to) const;
  /// Weighted average of four pixels. The template throws "imx_timage< _T >::average(...) not defined".
  virtual T average(const T& p1, imx_float w1, const T& p2, imx_float w2, const T& p3, imx_float w3,
                    const T& p4, imx_float w4) const;

  /// Replaces the pixels by width x height zero pixels, owned. A byte size above
  /// kImxMaxPixelBytes, or a failed allocation, throws std::bad_alloc and leaves the
  /// picture unchanged.
  void Resize(uint32_t width, uint32_t height) {
    const uint64_t count = uint64_t{width} * height;
    T* pixels = nullptr;
    if (count != 0) {
      CheckSize(count);
      pixels = static_cast<T*>(std::calloc(static_cast<size_t>(count), sizeof(T)));
      if (pixels == nullptr) throw std::bad_alloc();
    }
    Adopt(width, height, pixels);
  }

  /// Replaces the pixels by an adopted array, owned from now on (the old one is freed
  /// when owned). Never throws.
  void Adopt(uint32_t width, uint32_t height, T* pixels) noexcept {
    FreePixels();
    mWidth = width;
    mHeight = height;
    mPixels = pixels;
    mOwnsPixels = true;
  }

  uint32_t GetWidth() const { return mWidth; }
  uint32_t GetHeight() const { return mHeight; }
  /// The pixel array, borrowed; null for an empty picture.
  T* GetPixels() { return mPixels; }
  const T* GetPixels() const { return mPixels; }
  /// Width x height, the number of pixels.
  uint64_t GetPixelCount() const { return uint64_t{mWidth} * mHeight; }
  bool OwnsPixels() const { return mOwnsPixels; }

  /// An uninitialised array of count pixels for the adopting constructor or Adopt.
  /// A byte size above kImxMaxPixelBytes, or a failed allocation, throws std::bad_alloc.
  static T* AllocatePixels(uint64_t count) {
    if (count == 0) return nullptr;
    CheckSize(count);
    T* pixels = static_cast<T*>(std::malloc(static_cast<size_t>(count * sizeof(T))));
    if (pixels == nullptr) throw std::bad_alloc();
    return pixels;
  }

  /// True when count pixels stay within kImxMaxPixelBytes.
  static bool FitsSize(uint64_t count) { return count <= kImxMaxPixelBytes / sizeof(T); }

protected:
  uint32_t mWidth = 0;
  uint32_t mHeight = 0;
  T* mPixels = nullptr;
  bool mOwnsPixels = true;

private:
  static void CheckSize(uint64_t count) {
    if (!FitsSize(count)) throw std::bad_alloc();
  }
  void FreePixels() noexcept {
    if (mOwnsPixels) std::free(mPixels);
    mPixels = nullptr;
  }
};

template <class T>
void imx_timage<T>::convert_from(const imx_RGBAn8&, T&) const {
  ThrowError("imx_timage< _T >::convert_from ( const imx_RGBAn8 &, _T & ) not defined");
}

template <class T>
void imx_timage<T>::convert_from(const T&, imx_RGBAn8&) const {
  ThrowError("imx_timage< _T >::convert_from ( const _T &, imx_RGBAn8 & ) not defined");
}

template <class T>
T imx_timage<T>::average(const T&, imx_float, const T&, imx_float, const T&, imx_float, const T&,
                         imx_float) const {
  ThrowError(
      "imx_timage< _T >::average(const _T&,imx_float,const _T&,imx_float,const _T&,imx_float,"
      "const _T&,imx_float) not defined");
}

/// The 8-bit RGBA picture: conversions copy the four channels, and average works in
/// unsigned 32-bit integers.
class imx_image_RGBAn8 : public imx_timage<imx_pixel_RGBAn8> {
public:
  using imx_timage<imx_pixel_RGBAn8>::imx_timage;

  /// Copies the four channels.
  void convert_from(const imx_RGBAn8& from, imx_pixel_RGBAn8& to) const override {
    to = imx_pixel_RGBAn8{from.mRed, from.mGreen, from.mBlue, from.mAlpha};
  }
  /// Copies the four channels.
  void convert_from(const imx_pixel_RGBAn8& from, imx_RGBAn8& to) const override {
    to = imx_RGBAn8{from.mRed, from.mGreen, from.mBlue, from.mAlpha};
  }

  /// Per channel (p1*w1 + p2*w2 + p3*w3 + p4*w4) / (w1 + w2 + w3 + w4) in unsigned 32-bit
  /// arithmetic (products and sums wrap), quotient truncated. Each weight is first
  /// truncated to an unsigned integer: negative and NaN weights count as 0, weights of
  /// 2^32 or more as 2^32 - 1. Weights whose sum is 0 throw
  /// "imx_image_RGBAn8::average - Weights sum to 0 (assertion failed)".
  imx_pixel_RGBAn8 average(const imx_pixel_RGBAn8& p1, imx_float w1, const imx_pixel_RGBAn8& p2,
                           imx_float w2, const imx_pixel_RGBAn8& p3, imx_float w3,
                           const imx_pixel_RGBAn8& p4, imx_float w4) const override {
    const uint32_t weights[4] = {Weight(w1), Weight(w2), Weight(w3), Weight(w4)};
    const uint32_t sum = weights[0] + weights[1] + weights[2] + weights[3];
    CheckAssertion(sum != 0, "imx_image_RGBAn8::average - Weights sum to 0");
    const imx_pixel_RGBAn8* pixels[4] = {&p1, &p2, &p3, &p4};
    uint32_t red = 0, green = 0, blue = 0, alpha = 0;
    for (int i = 0; i < 4; ++i) {
      red += pixels[i]->mRed * weights[i];
      green += pixels[i]->mGreen * weights[i];
      blue += pixels[i]->mBlue * weights[i];
      alpha += pixels[i]->mAlpha * weights[i];
    }
    return imx_pixel_RGBAn8{static_cast<unsigned char>(red / sum), static_cast<unsigned char>(green / sum),
                            static_cast<unsigned char>(blue / sum),
                            static_cast<unsigned char>(alpha / sum)};
  }

private:
  // Converting an out-of-range float to an integer is undefined, so clamp first.
  static uint32_t Weight(imx_float w) {
    if (!(w > 0)) return 0;
    if (w >= 4294967296.0f) return 0xFFFFFFFFu;
    return static_cast<uint32_t>(w);
  }
};

}  // namespace Quorve
