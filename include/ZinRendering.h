// Rendering settings of views: movie compression options.
#pragma once

#include "ZinBase.h"

namespace QvZin {

/// The compression of a rendered movie. Owned by its view's animation rendering
/// options; change it in place.
class IZinCompressionOpt {
public:
  /// A four-character code; default "raw " (0x72617720).
  virtual int32_t getCodec() = 0;
  virtual void setCodec(int32_t codec) = 0;
  /// Colour depth; default 0.
  virtual int32_t getDepth() = 0;
  virtual void setDepth(int32_t depth) = 0;
  /// Default 512.
  virtual int32_t getSpatialQuality() = 0;
  virtual void setSpatialQuality(int32_t quality) = 0;
  /// Default 512.
  virtual int32_t getTemporalQuality() = 0;
  virtual void setTemporalQuality(int32_t quality) = 0;
  /// Frames per second; default 25.0; values below 1.0 are stored as 1.0, silently.
  virtual double getFrameRate() = 0;
  virtual void setFrameRate(double rate) = 0;
  /// Default 10.
  virtual int32_t getKeyFrameRate() = 0;
  virtual void setKeyFrameRate(int32_t rate) = 0;

protected:
  ~IZinCompressionOpt() = default;
};

}  // namespace QvZin
