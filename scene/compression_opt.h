// Movie compression options of a view's animation rendering options.
#pragma once

#include "ZinRendering.h"
#include "serialization/fields.h"

namespace QvZin {

#define ZIN_COMPRESSION_OPT_FIELDS(F, P)                                                        \
  F(int32_t, Codec, "Codec", 0x72617720, ZinInt(), Keep()) /* "raw " */                      \
  F(int32_t, Depth, "Depth", 0, ZinInt(), Keep())                                            \
  F(int32_t, SpatialQuality, "Spacial.Quality", 512, ZinInt(), Keep())                       \
  F(int32_t, TemporalQuality, "Temporal.Quality", 512, ZinInt(), Keep())                     \
  F(double, FrameRate, "Frame.Rate", 25.0, ZinDouble(), AtLeast(1.0).silent())               \
  F(int32_t, KeyFrameRate, "Key.Frame.Rate", 10, ZinInt(), Keep())

class CCompressionOpt final : public TZinSettings<IZinCompressionOpt> {
  ZIN_FIELDS(ZIN_COMPRESSION_OPT_FIELDS)
};

}  // namespace QvZin
