// Animation: the older camera animations with their paths and keys, and the
// scenarios with sequences, animated elements, key frames, time guides, sounds
// and free 3D paths.
//
// No setter here throws. Lists are collections (ZinObjectMgr.h) owned by their
// object: their index errors are warnings through the manager link.
#pragma once

#include "ZinBase.h"
#include "ZinGeometry.h"
#include "ZinObjectMgr.h"
#include "ZinRendering.h"
#include "ZinValues.h"
#include "ZinViews.h"

namespace QvZin {

// ---- key frames

/// The kinds of key-frame values, written as the labels "Coord3D", "Color",
/// "Double", "Boolean", "Integer", "Date", "UUID", "Enum".
enum EZinKeyValueType : int32_t {
  eKeyCoord3D = 0,
  eKeyColor = 1,
  eKeyDouble = 2,
  eKeyBoolean = 3,
  eKeyInteger = 4,
  eKeyDate = 5,
  eKeyUUID = 6,
  eKeyEnum = 7
};

/// How a value moves from one key frame to the next, written as the labels
/// "Linear", "Square", "OneMinusSquare", "Sinus", "Bezier", "DateInterpolation".
enum EZinInterpolationType : int32_t {
  eInterpolationLinear = 0,
  eInterpolationSquare = 1,
  eInterpolationOneMinusSquare = 2,
  eInterpolationSinus = 3,
  eInterpolationBezier = 4,
  eInterpolationDate = 5
};

/// A value of a key frame: its kind and the one member that kind uses (a tagged
/// union; read only the member of type). A new value is the point (0, 0, 0).
struct CZinKeyValue {
  int32_t type = eKeyCoord3D;  ///< one of EZinKeyValueType
  union {
    CZinVector3D coord3D;  ///< eKeyCoord3D; the largest member, so its zero clears them all
    CZinColor color;       ///< eKeyColor
    double real;           ///< eKeyDouble
    bool boolean;          ///< eKeyBoolean
    int32_t integer;       ///< eKeyInteger and eKeyEnum
    int64_t date;          ///< eKeyDate, a 64-bit count written "%lld"
    CZinUUID id;           ///< eKeyUUID
  };

  CZinKeyValue() : coord3D() {}

  /// The zero value of kind type (any number: a kind outside the enumeration is kept).
  static CZinKeyValue Zero(int32_t type) {
    CZinKeyValue value;
    value.type = type;
    return value;
  }
  static CZinKeyValue Coord3D(const CZinVector3D& v) {
    CZinKeyValue value;
    value.coord3D = v;
    return value;
  }
  static CZinKeyValue Color(const CZinColor& c) {
    CZinKeyValue value = Zero(eKeyColor);
    value.color = c;
    return value;
  }
  static CZinKeyValue Double(double d) {
    CZinKeyValue value = Zero(eKeyDouble);
    value.real = d;
    return value;
  }
  static CZinKeyValue Boolean(bool b) {
    CZinKeyValue value = Zero(eKeyBoolean);
    value.boolean = b;
    return value;
  }
  static CZinKeyValue Integer(int32_t i) {
    CZinKeyValue value = Zero(eKeyInteger);
    value.integer = i;
    return value;
  }
  static CZinKeyValue Date(int64_t date) {
    CZinKeyValue value = Zero(eKeyDate);
    value.date = date;
    return value;
  }
  static CZinKeyValue UUID(const CZinUUID& uuid) {
    CZinKeyValue value = Zero(eKeyUUID);
    value.id = uuid;
    return value;
  }
  static CZinKeyValue Enum(int32_t e) {
    CZinKeyValue value = Zero(eKeyEnum);
    value.integer = e;
    return value;
  }
};

/// A key frame of an interpolated value: a value with two control values of the
/// same kind (before and after, for Bezier curves), a frame time and its flags.
class IZinKeyFrame : public IZinBasic {
public:
  static constexpr CZinUUID sIID = CZinUUID::fromText("4BBC92790EB34901BB5938BD6FDA4DF1");

  /// The kind of the three values (EZinKeyValueType); default eKeyCoord3D. Setting
  /// another kind makes the three values the zero value of that kind; a kind
  /// outside the enumeration is stored and fails the next write.
  virtual int32_t getType() = 0;
  virtual void setType(int32_t type) = 0;
  /// The value (borrowed). A value of another kind than the key frame's changes
  /// nothing and warns "Invalid choice of m<Kind> to initialize CZinKeyFrame::uValue
  /// union", <Kind> being the key frame's kind (Coord3D, Color, Double, Boolean,
  /// Integer, Date, UUID, Enum; Unknown outside them).
  virtual const CZinKeyValue& getValue() = 0;
  virtual void setValue(const CZinKeyValue& value) = 0;
  /// The control value before the key, as the value.
  virtual const CZinKeyValue& getCPBefore() = 0;
  virtual void setCPBefore(const CZinKeyValue& value) = 0;
  /// The control value after the key, as the value.
  virtual const CZinKeyValue& getCPAfter() = 0;
  virtual void setCPAfter(const CZinKeyValue& value) = 0;
  /// Frame; default 0.
  virtual int32_t getTime() = 0;
  virtual void setTime(int32_t frame) = 0;
  /// Default true.
  virtual bool getVisible() = 0;
  virtual void setVisible(bool visible) = 0;
  /// One of EZinInterpolationType; default eInterpolationLinear. A value outside
  /// the enumeration fails the next write.
  virtual int32_t getInterpolationType() = 0;
  virtual void setInterpolationType(int32_t type) = 0;
  /// Whether the control points are locked together; default false.
  virtual bool getAreLocked() = 0;
  virtual void setAreLocked(bool locked) = 0;
};

/// One animated quantity driven by key frames.
class IZinInterpolatedValue : public IZinBasic {
public:
  static constexpr CZinUUID sIID = CZinUUID::fromText("EE9B48B60FB04627805B26B0EFA340D3");

  /// The code of the quantity in the table of animatable values (1
  /// "Camera.Position" ... 268 "Sequence.ToneSettings.DarkTones"); default 1. A code
  /// without a label fails the next write.
  virtual int32_t getType() = 0;
  virtual void setType(int32_t code) = 0;
  /// Default false.
  virtual bool getLoop() = 0;
  virtual void setLoop(bool loop) = 0;
  /// Default 0.
  virtual int32_t getNbLoops() = 0;
  virtual void setNbLoops(int32_t loops) = 0;
  /// The id of the 3D path the value follows; default all zero (none).
  virtual const CZinUUID& getPathId() = 0;
  virtual void setPathId(const CZinUUID& id) = 0;
  /// The value before any key frame (borrowed; owned by the interpolated value).
  virtual IZinKeyFrame* getDefaultValue() = 0;
  /// The key frames in time order, kept as the client or the file gives them
  /// (borrowed collection).
  virtual TZinObjectMgr<IZinKeyFrame>* getKeyFrames() = 0;
};

/// What an animated element animates, written as the labels "Sequence", "Light",
/// "Heliodon", "Object", "Property", "Mapping.Node".
enum EZinAnimatedType : int32_t {
  eAnimatedSequence = 1,
  eAnimatedLight = 2,
  eAnimatedHeliodon = 3,
  eAnimatedObject = 4,
  eAnimatedProperty = 5,
  eAnimatedMappingNode = 6
};

/// An animated scene object of a scenario with its interpolated values.
class IZinAnimatedElement : public IZinBasic {
public:
  static constexpr CZinUUID sIID = CZinUUID::fromText("FCA532B10018429AADDE01FAA8A5402C");

  /// One of EZinAnimatedType; default eAnimatedSequence. A value outside the
  /// enumeration fails the next write.
  virtual int32_t getType() = 0;
  virtual void setType(int32_t type) = 0;
  /// The id of the animated object; default all zero.
  virtual const CZinUUID& getObjectId() = 0;
  virtual void setObjectId(const CZinUUID& id) = 0;
  /// Its interpolated values (borrowed collection).
  virtual TZinObjectMgr<IZinInterpolatedValue>* getInterpolatedValues() = 0;
};

// ---- scenarios

/// What a sequence's camera looks at, written as the labels "Fixed.Vertex",
/// "Forward.Path" (also read as "Relative.Angle") and "Object.Instance". The
/// setter also accepts 1, which has no label: a sequence holding it fails the
/// next write.
enum EZinSequenceTargetType : int32_t {
  eSequenceFixedVertex = 0,
  eSequenceForwardPath = 2,
  eSequenceObjectInstance = 3
};

/// A camera shot on a scenario's timeline. New sequences are named "Sequence 0".
class IZinSequence : public IZinBasic {
public:
  static constexpr CZinUUID sIID = CZinUUID::fromText("2E9174E2853B4A2AB49E6060145DCFE0");

  /// Frames; defaults 0 and 250.
  virtual int32_t getStartFrame() = 0;
  virtual void setStartFrame(int32_t frame) = 0;
  virtual int32_t getEndFrame() = 0;
  virtual void setEndFrame(int32_t frame) = 0;
  /// The view flags, a bit set; default 2 (bit 1 set).
  virtual int32_t getViewFlags() = 0;
  virtual void setViewFlags(int32_t flags) = 0;
  /// Bit 0 of the view flags; it can be set, not cleared, on its own.
  virtual bool isFlagBit0() = 0;
  virtual void setFlagBit0() = 0;
  /// Bit 1 of the view flags, set or cleared.
  virtual bool isFlagBit1() = 0;
  virtual void setFlagBit1(bool on) = 0;
  /// Degrees; default 50. In a manager the value is clipped to [0, 180] with the
  /// warning "Method setFocal has clipped a value out of range."; a sequence outside
  /// any manager keeps it as given.
  virtual double getFocal() = 0;
  virtual void setFocal(double focal) = 0;
  /// Default (50, 50, -60).
  virtual const CZinVector3D& getPosition() = 0;
  virtual void setPosition(const CZinVector3D& position) = 0;
  /// One of EZinSequenceTargetType, or 1; default eSequenceFixedVertex; a value
  /// outside [0, 3] is stored as eSequenceFixedVertex.
  virtual int32_t getTargetType() = 0;
  virtual void setTargetType(int32_t type) = 0;
  /// Default 100.
  virtual double getTargetDistance() = 0;
  virtual void setTargetDistance(double distance) = 0;
  /// Default 0 each.
  virtual double getHorizontalAngle() = 0;
  virtual void setHorizontalAngle(double angle) = 0;
  virtual double getVerticalAngle() = 0;
  virtual void setVerticalAngle(double angle) = 0;
  /// Default (1, 0, 0).
  virtual const CZinVector3D& getCurrentPathTangent() = 0;
  virtual void setCurrentPathTangent(const CZinVector3D& tangent) = 0;
  /// Default (50, 50, 50).
  virtual const CZinVector3D& getTarget() = 0;
  virtual void setTarget(const CZinVector3D& target) = 0;
  /// Radians; default 0.00001; stored as given.
  virtual double getRoll() = 0;
  virtual void setRoll(double roll) = 0;
  /// The object instance looked at; default all zero.
  virtual const CZinUUID& getTargetObjectId() = 0;
  virtual void setTargetObjectId(const CZinUUID& id) = 0;
  /// Default false.
  virtual bool getArchitectFlag() = 0;
  virtual void setArchitectFlag(bool on) = 0;
  /// The sequence's companions (borrowed; owned by the sequence).
  virtual IZinViewInfo* getViewInfo() = 0;
  virtual IZinRenderingOpt* getRenderingOpt() = 0;
};

/// A time guide of a scenario: a mark on its timeline.
class IZinScenarioTimeGuide : public IZinBasic {
public:
  static constexpr CZinUUID sIID = CZinUUID::fromText("567933ED95DE47B4AFC295D02521AAD7");

  /// Frame; default 0.
  virtual int32_t getTime() = 0;
  virtual void setTime(int32_t frame) = 0;
};

/// A sound of a scenario.
class IZinSnd : public IZinBasic {
public:
  static constexpr CZinUUID sIID = CZinUUID::fromText("0EA795F3EDBC4AA1B14C2CFF3E1F729E");

  /// Frame; default 0.
  virtual int32_t getStartFrame() = 0;
  virtual void setStartFrame(int32_t frame) = 0;
  /// The sound file (borrowed text); default ""; null is stored as "".
  virtual const char* getURL() = 0;
  virtual void setURL(const char* url) = 0;
};

/// A scenario: a timeline in frames with camera sequences, animated elements,
/// time guides and sounds. No clipping.
class IZinScenario : public IZinBasic {
public:
  static constexpr CZinUUID sIID = CZinUUID::fromText("AA07FC601C724B4193F8D884D10FEA66");

  /// Frame; default 0.
  virtual int32_t getCurrentFrame() = 0;
  virtual void setCurrentFrame(int32_t frame) = 0;
  /// Index into the sequences; default 0.
  virtual int32_t getCurrentSequence() = 0;
  virtual void setCurrentSequence(int32_t index) = 0;
  /// Frames; default 500.
  virtual int32_t getMaxTime() = 0;
  virtual void setMaxTime(int32_t frames) = 0;
  /// Frames per second; default 25.
  virtual int32_t getFPS() = 0;
  virtual void setFPS(int32_t fps) = 0;
  /// The visible range of the timeline, frames; defaults 0 and 500.
  virtual int32_t getStartVisibleTime() = 0;
  virtual void setStartVisibleTime(int32_t frame) = 0;
  virtual int32_t getEndVisibleTime() = 0;
  virtual void setEndVisibleTime(int32_t frame) = 0;
  /// The lists (borrowed collections).
  virtual TZinObjectMgr<IZinSequence>* getSequences() = 0;
  virtual TZinObjectMgr<IZinAnimatedElement>* getAnimatedElements() = 0;
  virtual TZinObjectMgr<IZinScenarioTimeGuide>* getTimeGuides() = 0;
  virtual TZinObjectMgr<IZinSnd>* getSnds() = 0;
};

// ---- free 3D paths

/// A point of a 3D path with its two control points.
class IZinBezierPoint : public IZinBasic {
public:
  static constexpr CZinUUID sIID = CZinUUID::fromText("EA9FA51A5E0648098C396B2DBC3DCD7B");

  /// Default (0, 0, 0) each.
  virtual const CZinVector3D& getPosition() = 0;
  virtual void setPosition(const CZinVector3D& position) = 0;
  virtual const CZinVector3D& getCPBefore() = 0;
  virtual void setCPBefore(const CZinVector3D& point) = 0;
  virtual const CZinVector3D& getCPAfter() = 0;
  virtual void setCPAfter(const CZinVector3D& point) = 0;
  /// Whether the control points are locked together; default false.
  virtual bool getAreLocked() = 0;
  virtual void setAreLocked(bool locked) = 0;
};

/// A free 3D path made of Bezier points, followed by values and objects by its id.
class IZin3DPath : public IZinBasic {
public:
  static constexpr CZinUUID sIID = CZinUUID::fromText("B27CF0E2236148A1BFCD9043D59B5726");

  /// Default false.
  virtual bool getClosed() = 0;
  virtual void setClosed(bool closed) = 0;
  /// Its points (borrowed collection).
  virtual TZinObjectMgr<IZinBezierPoint>* getBezierPoints() = 0;
};

// ---- camera animations

/// What a camera key sets, written as the labels "Timing", "Path", "Local",
/// "Global", "Target".
enum EZinCamKeyType : int32_t { eCamKeyTiming = 0, eCamKeyPath = 1, eCamKeyLocal = 2, eCamKeyGlobal = 3, eCamKeyTarget = 4 };

/// A camera key of a camera path: how the camera looks from a place on the path.
/// A plain object owned by its list. No clipping.
class IZinCamKey {
public:
  static constexpr CZinUUID sIID = CZinUUID::fromText("D399F769F7E04435A77988B4E47ED30A");

  /// Default 0.
  virtual double getPitch() = 0;
  virtual void setPitch(double pitch) = 0;
  /// Degrees; default 50.
  virtual double getFocal() = 0;
  virtual void setFocal(double focal) = 0;
  /// One of EZinCamKeyType; default eCamKeyTiming. A value outside the enumeration
  /// fails the next write.
  virtual int32_t getKeyType() = 0;
  virtual void setKeyType(int32_t type) = 0;
  /// Default 0 each.
  virtual int32_t getFadingDuration() = 0;
  virtual void setFadingDuration(int32_t duration) = 0;
  virtual int32_t getFadingNbImages() = 0;
  virtual void setFadingNbImages(int32_t images) = 0;
  virtual double getHorizontalAngle() = 0;
  virtual void setHorizontalAngle(double angle) = 0;
  virtual double getVerticalAngle() = 0;
  virtual void setVerticalAngle(double angle) = 0;
  virtual double getAnticipation() = 0;
  virtual void setAnticipation(double anticipation) = 0;
  /// Where on the path's Bezier curve the key stands; default 0 each.
  virtual int32_t getBezierSection() = 0;
  virtual void setBezierSection(int32_t section) = 0;
  virtual double getBezierT() = 0;
  virtual void setBezierT(double t) = 0;
  virtual int32_t getBezierTransition() = 0;
  virtual void setBezierTransition(int32_t transition) = 0;
  virtual double getBezierTransitionT() = 0;
  virtual void setBezierTransitionT(double t) = 0;
  /// Default (0, 0, 0).
  virtual const CZinVector3D& getTarget() = 0;
  virtual void setTarget(const CZinVector3D& target) = 0;

protected:
  ~IZinCamKey() = default;
};

/// A camera path of a camera animation: a polyline with camera keys.
class IZinCameraPath : public IZinBasic {
public:
  static constexpr CZinUUID sIID = CZinUUID::fromText("6B01EDFAF52F432AA9AE129E481106FC");

  /// Default 2.
  virtual int32_t getViewFlags() = 0;
  virtual void setViewFlags(int32_t flags) = 0;
  /// Default false.
  virtual bool getActive() = 0;
  virtual void setActive(bool active) = 0;
  /// The movie's duration; default 0. In a manager a negative value is stored as
  /// 0 with the warning "Method setDuration has clipped a value out of range."; a
  /// path outside any manager keeps it as given.
  virtual double getDuration() = 0;
  virtual void setDuration(double duration) = 0;
  /// Extra images; default 0; a negative count as for the duration, with
  /// "Method setNbXImage has clipped a value out of range.".
  virtual int32_t getNbXImage() = 0;
  virtual void setNbXImage(int32_t images) = 0;
  /// Default false.
  virtual bool getSpeedOn() = 0;
  virtual void setSpeedOn(bool on) = 0;
  /// Default 0.
  virtual double getSpeed() = 0;
  virtual void setSpeed(double speed) = 0;
  /// Default false.
  virtual bool getPathClosed() = 0;
  virtual void setPathClosed(bool closed) = 0;
  /// The polyline (borrowed collection); removing from an empty one warns
  /// "removeObject: no more object to remove".
  virtual TZinObjectMgr<CZinPoint>* getPoints() = 0;
  /// The path's view information (borrowed; owned by the path).
  virtual IZinViewInfo* getViewInfo() = 0;
  /// Default 0.
  virtual double getCurrentTime() = 0;
  virtual void setCurrentTime(double time) = 0;
  /// Its camera keys (borrowed collection).
  virtual TZinObjectMgr<IZinCamKey>* getCamKeys() = 0;
};

/// A camera animation: camera paths and the options of the movie rendered along them.
class IZinAnimation : public IZinBasic {
public:
  static constexpr CZinUUID sIID = CZinUUID::fromText("F29F8DF27BE94522ADC5FF107041EBA8");

  /// Its camera paths (borrowed collection).
  virtual TZinObjectMgr<IZinCameraPath>* getCameraPaths() = 0;
  /// The movie's rendering options (output type eOutputQTime when new) and
  /// compression options (borrowed; owned by the animation).
  virtual IZinRenderingOpt* getRenderingOpt() = 0;
  virtual IZinCompressionOpt* getCompressionOpt() = 0;
  /// The index of the current path; default 0. An index that is not below the
  /// number of paths keeps the old one and warns "IZinAnimation::setCurrentPath -
  /// index invalid". A file's index is kept as written.
  virtual int32_t getCurrentPath() = 0;
  virtual void setCurrentPath(int32_t index) = 0;
};

}  // namespace QvZin
