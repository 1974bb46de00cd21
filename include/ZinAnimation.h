// Animation: the older camera animations with their paths and keys, and the
// scenarios with sequences, animated elements, key frames, time guides, sounds
// and free 3D paths.
#pragma once

#include "ZinBase.h"

namespace QvZin {

/// A camera animation: camera paths and their rendering options.
class IZinAnimation : public IZinBasic {
public:
  static constexpr CZinUUID sIID = CZinUUID::fromText("F29F8DF27BE94522ADC5FF107041EBA8");
};

/// A camera path of a camera animation.
class IZinCameraPath : public IZinBasic {
public:
  static constexpr CZinUUID sIID = CZinUUID::fromText("6B01EDFAF52F432AA9AE129E481106FC");
};

/// A camera key of a camera path (a plain record, owned by its list).
class IZinCamKey {
public:
  static constexpr CZinUUID sIID = CZinUUID::fromText("D399F769F7E04435A77988B4E47ED30A");

protected:
  ~IZinCamKey() = default;
};

/// A scenario: a timeline in frames.
class IZinScenario : public IZinBasic {
public:
  static constexpr CZinUUID sIID = CZinUUID::fromText("AA07FC601C724B4193F8D884D10FEA66");
};

/// A camera shot on a scenario's timeline. New sequences are named "Sequence 0".
class IZinSequence : public IZinBasic {
public:
  static constexpr CZinUUID sIID = CZinUUID::fromText("2E9174E2853B4A2AB49E6060145DCFE0");
};

/// An animated scene object of a scenario with its interpolated values.
class IZinAnimatedElement : public IZinBasic {
public:
  static constexpr CZinUUID sIID = CZinUUID::fromText("FCA532B10018429AADDE01FAA8A5402C");
};

/// One animated quantity driven by key frames.
class IZinInterpolatedValue : public IZinBasic {
public:
  static constexpr CZinUUID sIID = CZinUUID::fromText("EE9B48B60FB04627805B26B0EFA340D3");
};

/// A key frame of an interpolated value.
class IZinKeyFrame : public IZinBasic {
public:
  static constexpr CZinUUID sIID = CZinUUID::fromText("4BBC92790EB34901BB5938BD6FDA4DF1");
};

/// A time guide of a scenario.
class IZinScenarioTimeGuide : public IZinBasic {
public:
  static constexpr CZinUUID sIID = CZinUUID::fromText("567933ED95DE47B4AFC295D02521AAD7");
};

/// A sound of a scenario.
class IZinSnd : public IZinBasic {
public:
  static constexpr CZinUUID sIID = CZinUUID::fromText("0EA795F3EDBC4AA1B14C2CFF3E1F729E");
};

/// A free 3D path made of Bezier points.
class IZin3DPath : public IZinBasic {
public:
  static constexpr CZinUUID sIID = CZinUUID::fromText("B27CF0E2236148A1BFCD9043D59B5726");
};

/// A point of a 3D path with its two control points.
class IZinBezierPoint : public IZinBasic {
public:
  static constexpr CZinUUID sIID = CZinUUID::fromText("EA9FA51A5E0648098C396B2DBC3DCD7B");
};

}  // namespace QvZin
