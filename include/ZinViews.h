// The views of a scene: perspective views (cameras), parallel views and view
// objects, with the view information that each of them owns.
#pragma once

#include "ZinBase.h"
#include "ZinImageEffects.h"
#include "ZinObjectMgr.h"
#include "ZinObjects.h"
#include "ZinRendering.h"
#include "ZinValues.h"

namespace QvZin {

/// What a camera looks at, written as the labels "Fixed.Vertex", "On.Object".
enum EZinTargetType : int32_t { eTargetFixedVertex = 0, eTargetOnObject = 1 };

/// Parallel view kinds, written as the labels "Front", "Plan", "Axono".
enum EZinParallelViewType : int32_t { eParallelFront = 0, eParallelPlan = 1, eParallelAxono = 2 };

/// Which light groups, heliodon, environment, ground, layers and image effects a
/// view uses. Owned by its view; change it in place. No clipping.
class IZinViewInfo {
public:
  /// Its own id; a new view information draws one.
  virtual const CZinUUID& getId() = 0;
  virtual void setId(const CZinUUID& id) = 0;
  /// Default false.
  virtual bool getLocked() = 0;
  virtual void setLocked(bool locked) = 0;
  /// A value free for the client; default 0.
  virtual int32_t getUIValue() = 0;
  virtual void setUIValue(int32_t value) = 0;
  /// The picture laid over the image (borrowed; owned by the view information).
  virtual IZinForeground* getForeground() = 0;
  /// The ids of the light groups the view uses (borrowed collection), empty at first.
  virtual TZinObjectMgr<CZinUUID>* getLightsGroups() = 0;
  /// The name of the heliodon the view uses (borrowed text); default ""; null is stored as "".
  virtual const char* getHeliodonName() = 0;
  virtual void setHeliodonName(const char* name) = 0;
  /// The image effects that follow (borrowed; owned by the view information).
  virtual IZinDepthOfField* getDepthOfField() = 0;
  virtual IZinClippingBox* getClippingBox() = 0;
  virtual IZinCameraLight* getCameraLight() = 0;
  virtual IZinCameraLight* getRadiosityLight() = 0;
  /// The id of the environment the view uses; default all zero.
  virtual const CZinUUID& getEnvironment() = 0;
  virtual void setEnvironment(const CZinUUID& id) = 0;
  /// The image filters (borrowed; owned by the view information).
  virtual IZinFilters* getFilters() = 0;
  /// The ids of the neon shaders that are on (borrowed collection).
  virtual TZinObjectMgr<CZinUUID>* getNeonShaders() = 0;
  /// The picture or gradient behind the scene (borrowed; owned by the view information).
  virtual IZinBackgroundPicture* getBackgroundPicture() = 0;
  /// The ids of the visible layers (borrowed collection).
  virtual TZinObjectMgr<CZinUUID>* getLayers() = 0;
  /// The tone settings (borrowed; owned by the view information).
  virtual IZinToneSettings* getToneSettings() = 0;
  /// The id of the ground the view uses; default all zero.
  virtual const CZinUUID& getGround() = 0;
  virtual void setGround(const CZinUUID& id) = 0;

protected:
  ~IZinViewInfo() = default;
};

/// A perspective view. New cameras are named "View 0". Answers the view-basic
/// identifier (kIID_ZinViewBasic) besides its own.
class IZinCamera : public IZinBasic {
public:
  static constexpr CZinUUID sIID = CZinUUID::fromText("B60F6146384C440B942E81AA5F822019");

  /// Where the camera stands; default (50, 50, -60).
  virtual const CZinVector3D& getPosition() = 0;
  virtual void setPosition(const CZinVector3D& position) = 0;
  /// Where it looks; default (50, 50, 50).
  virtual const CZinVector3D& getTarget() = 0;
  virtual void setTarget(const CZinVector3D& target) = 0;
  /// The up vector; (0, 1, 0) until set. Setting it, even to (0, 1, 0), marks it set:
  /// only a set up vector is written.
  virtual const CZinVector3D& getUpVector() = 0;
  virtual void setUpVector(const CZinVector3D& up) = 0;
  virtual bool isUpVectorSet() = 0;
  /// The view flags, a bit set; default 2 (bit 1 set). Bits other than 0 and 1 are
  /// the client's.
  virtual int32_t getViewFlags() = 0;
  virtual void setViewFlags(int32_t flags) = 0;
  /// Bit 0 of the view flags; it can be set, not cleared, on its own.
  virtual bool isFlagBit0() = 0;
  virtual void setFlagBit0() = 0;
  /// Bit 1 of the view flags, set or cleared.
  virtual bool isFlagBit1() = 0;
  virtual void setFlagBit1(bool on) = 0;
  /// Radians; default 0.00001. Stored wrapped into [0, 2 pi]; a value that is not
  /// finite keeps the roll as it was.
  virtual double getRoll() = 0;
  virtual void setRoll(double roll) = 0;
  /// Degrees; default 50. In a manager the value is clipped to [0, 180] with the
  /// warning "Method setFocal has clipped a value out of range."; a camera outside
  /// any manager keeps it as given.
  virtual void setFocal(double focal) = 0;
  virtual double getFocal() = 0;
  /// One of EZinTargetType; default eTargetFixedVertex; any other value is stored
  /// as eTargetFixedVertex.
  virtual int32_t getTargetType() = 0;
  virtual void setTargetType(int32_t type) = 0;
  /// The scene object looked at when the target type is eTargetOnObject; default all zero.
  virtual const CZinUUID& getTargetObjectId() = 0;
  virtual void setTargetObjectId(const CZinUUID& id) = 0;
  /// Default false.
  virtual bool getArchitectFlag() = 0;
  virtual void setArchitectFlag(bool on) = 0;
  /// The view's companions (borrowed; owned by the camera).
  virtual IZinViewInfo* getViewInfo() = 0;
  virtual IZinRenderingOpt* getRenderingOpt() = 0;
  virtual IZinInsertionObject* getInsertionObject() = 0;
};

/// A parallel view (front, plan or axonometric); also the element of the working
/// windows. Answers the view-basic identifier besides its own. No clipping.
class IZinParallelView : public IZinBasic {
public:
  static constexpr CZinUUID sIID = CZinUUID::fromText("B76B9ACD18034DD586D5A542E2C5B27F");

  /// One of EZinParallelViewType; default eParallelPlan. A value outside the table
  /// fails the next write.
  virtual int32_t getType() = 0;
  virtual void setType(int32_t type) = 0;
  /// Default 2.
  virtual int32_t getViewFlags() = 0;
  virtual void setViewFlags(int32_t flags) = 0;
  /// Default 0.
  virtual double getNorthAngle() = 0;
  virtual void setNorthAngle(double angle) = 0;
  /// Default 0.
  virtual double getSize() = 0;
  virtual void setSize(double size) = 0;
  /// Default (0, 0, 0).
  virtual const CZinVector3D& getPosition() = 0;
  virtual void setPosition(const CZinVector3D& position) = 0;
  /// Default (0, 0, 0).
  virtual const CZinVector3D& getTarget() = 0;
  virtual void setTarget(const CZinVector3D& target) = 0;
  /// Default false.
  virtual bool getSpecialShading() = 0;
  virtual void setSpecialShading(bool on) = 0;
  /// The view's companions (borrowed; owned by the view).
  virtual IZinViewInfo* getViewInfo() = 0;
  virtual IZinRenderingOpt* getRenderingOpt() = 0;
};

/// A camera turning round a centre to produce a series of images, stepped
/// horizontally and vertically. New view objects are named "Vue objet 1". The
/// setters clip silently.
class IZinViewObject : public IZinBasic {
public:
  static constexpr CZinUUID sIID = CZinUUID::fromText("9201CC60367947AAA12F1B45DC526B0D");

  /// Default 2.
  virtual int32_t getViewFlags() = 0;
  virtual void setViewFlags(int32_t flags) = 0;
  /// Degrees; default 50; clipped to [1, 180].
  virtual double getFocal() = 0;
  virtual void setFocal(double focal) = 0;
  /// Default (50, 50, 50).
  virtual const CZinVector3D& getCenter() = 0;
  virtual void setCenter(const CZinVector3D& center) = 0;
  /// Default 110; negative becomes 0.
  virtual double getRadius() = 0;
  virtual void setRadius(double radius) = 0;
  /// Degrees; defaults 360 and 180; negative becomes 0.
  virtual int32_t getHorizontalAngle() = 0;
  virtual void setHorizontalAngle(int32_t degrees) = 0;
  virtual int32_t getVerticalAngle() = 0;
  virtual void setVerticalAngle(int32_t degrees) = 0;
  /// Default 10 each; 0 becomes 1 (a negative step is kept).
  virtual int32_t getHorizontalStep() = 0;
  virtual void setHorizontalStep(int32_t step) = 0;
  virtual int32_t getVerticalStep() = 0;
  virtual void setVerticalStep(int32_t step) = 0;
  /// Default 0 each; a negative horizontal shift becomes 0, the vertical one is kept.
  virtual int32_t getHorizontalShift() = 0;
  virtual void setHorizontalShift(int32_t shift) = 0;
  virtual int32_t getVerticalShift() = 0;
  virtual void setVerticalShift(int32_t shift) = 0;
  /// Degrees; defaults 270 and 0.
  virtual double getHorizontalStart() = 0;
  virtual void setHorizontalStart(double degrees) = 0;
  virtual double getVerticalStart() = 0;
  virtual void setVerticalStart(double degrees) = 0;
  /// Degrees; default -90.
  virtual int32_t getOriginAngle() = 0;
  virtual void setOriginAngle(int32_t degrees) = 0;
  /// The view's companions (borrowed; owned by the view object).
  virtual IZinViewInfo* getViewInfo() = 0;
  virtual IZinRenderingOpt* getRenderingOpt() = 0;
};

}  // namespace QvZin
