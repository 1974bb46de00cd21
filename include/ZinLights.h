// The scene's artificial lights, the light groups that lights and views name, and
// the handles through which an object carries a light.
#pragma once

#include "ZinBase.h"
#include "ZinLensFlare.h"
#include "ZinObjectMgr.h"
#include "ZinValues.h"
#include "ZinViews.h"

namespace QvZin {

/// Light kinds, written as the labels "Point", "Spot", "Parallel".
enum EZinLightType : int32_t { eLightPoint = 0, eLightSpot = 1, eLightParallel = 2 };

/// Shadow kinds of a light, written as the labels "None", "Traced", "Soft".
enum EZinShadowType : int32_t { eShadowNone = 0, eShadowTraced = 1, eShadowSoft = 2 };

/// The cone of light a light casts, owned by its light; change it in place. No clipping.
class IZinLightCone {
public:
  /// Default false.
  virtual bool getUsed() = 0;
  virtual void setUsed(bool used) = 0;
  /// Default 0.
  virtual double getPower() = 0;
  virtual void setPower(double power) = 0;

protected:
  ~IZinLightCone() = default;
};

/// An artificial light. Its setters clip silently, as each line says.
class IZinLight : public IZinBasic {
public:
  static constexpr CZinUUID sIID = CZinUUID::fromText("1254F117563C4EED972802DD0AB0C778");

  /// One of EZinLightType; default eLightPoint. A value outside the table is kept
  /// and fails the next write.
  virtual int32_t getType() = 0;
  virtual void setType(int32_t type) = 0;
  /// Default true.
  virtual bool getActive() = 0;
  virtual void setActive(bool active) = 0;
  /// Default 127/127/127.
  virtual const CZinColor& getColor() = 0;
  virtual void setColor(const CZinColor& color) = 0;
  /// Default 3; clipped to [1, 1000000].
  virtual double getPower() = 0;
  virtual void setPower(double power) = 0;
  /// Default 0.
  virtual double getNearDistance() = 0;
  virtual void setNearDistance(double distance) = 0;
  /// Default 0.
  virtual double getFarDistance() = 0;
  virtual void setFarDistance(double distance) = 0;
  /// Default (200, 200, -200).
  virtual const CZinVector3D& getPosition() = 0;
  virtual void setPosition(const CZinVector3D& position) = 0;
  /// Default (0, 0, 0).
  virtual const CZinVector3D& getTarget() = 0;
  virtual void setTarget(const CZinVector3D& target) = 0;
  /// Degrees; default 20; clipped to [0, 360].
  virtual double getConeAngle() = 0;
  virtual void setConeAngle(double degrees) = 0;
  /// Default 0.5; clipped to [0, 1].
  virtual double getSharpness() = 0;
  virtual void setSharpness(double sharpness) = 0;
  /// One of EZinShadowType; default eShadowTraced. A value outside the table is kept
  /// and fails the next write.
  virtual int32_t getShadowType() = 0;
  virtual void setShadowType(int32_t type) = 0;
  /// Default 0.1; clipped to [0, 1].
  virtual double getShadowPower() = 0;
  virtual void setShadowPower(double power) = 0;
  /// Default 0; a negative size becomes 0.
  virtual int32_t getShadowMapSize() = 0;
  virtual void setShadowMapSize(int32_t size) = 0;
  /// Default 0.3; clipped to [0, 1].
  virtual double getBias() = 0;
  virtual void setBias(double bias) = 0;
  /// Default false.
  virtual bool getGlobalIllumination() = 0;
  virtual void setGlobalIllumination(bool on) = 0;
  /// Default 0.5.
  virtual double getGlobalIlluminationPower() = 0;
  virtual void setGlobalIlluminationPower(double power) = 0;
  /// Default 0.
  virtual int32_t getGlobalIlluminationQuality() = 0;
  virtual void setGlobalIlluminationQuality(int32_t quality) = 0;
  /// Default false.
  virtual bool getLocked() = 0;
  virtual void setLocked(bool locked) = 0;
  /// The ids of the light groups the light belongs to (borrowed collection), empty at first.
  virtual TZinObjectMgr<CZinUUID>* getLightsGroups() = 0;
  /// The light's lens flare and light cone (borrowed; owned by the light).
  virtual IZinLensFlare* getLensFlare() = 0;
  virtual IZinLightCone* getLightCone() = 0;
  /// Default true.
  virtual bool getRadiosity() = 0;
  virtual void setRadiosity(bool on) = 0;
  /// What the light aims at, one of EZinTargetType; default eTargetFixedVertex; any
  /// other value is stored as eTargetFixedVertex.
  virtual int32_t getTargetType() = 0;
  virtual void setTargetType(int32_t type) = 0;
  /// The object aimed at when the target type is eTargetOnObject; default all zero.
  virtual const CZinUUID& getTargetObjectId() = 0;
  virtual void setTargetObjectId(const CZinUUID& id) = 0;
  /// The id of the light's photometric profile; default D174E7C83EF6C841BB95ACAE11258616.
  virtual const CZinUUID& getIESProfileId() = 0;
  virtual void setIESProfileId(const CZinUUID& id) = 0;
};

/// A light group: a named id, nothing more (basic data).
class IZinLightsGroup : public IZinBasic {
public:
  static constexpr CZinUUID sIID = CZinUUID::fromText("22CEF1BFC12745C694A05C0EFA85E3F1");
};

/// The light an object carries, owned by this handle (which its object owns).
class IZinObjectLight {
public:
  /// The held light (borrowed).
  virtual IZinLight* getLight() = 0;
  virtual const IZinLight* getLight() const = 0;

protected:
  ~IZinObjectLight() = default;
};

/// A light that an object shows but does not own: the handle keeps one reference.
class IZinObjectLightRef {
public:
  /// The held light (borrowed).
  virtual IZinLight* getLight() = 0;
  virtual const IZinLight* getLight() const = 0;

protected:
  ~IZinObjectLightRef() = default;
};

}  // namespace QvZin
