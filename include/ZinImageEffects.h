// The image effects of a view (foreground and background pictures, depth of field,
// clipping box, camera and radiosity lights, filters, tone settings), the older
// background and atmosphere, and the environments and grounds of a scene.
//
// The settings objects are owned by what holds them (a view's information, an
// environment); change them in place. Their clip warnings go to the manager's
// feedback object while their owner is in a manager; the clipped value is stored
// in every case unless an operation says otherwise.
#pragma once

#include "ZinBase.h"
#include "ZinMaterials.h"
#include "ZinSky.h"
#include "ZinValues.h"

namespace QvZin {

/// The picture of the older background, written as the labels "None", "Stretched",
/// "3D", "Motif", "QTVRCubic".
enum EZinBackgroundImageType : int32_t {
  eBackgroundImageNone = 0,
  eBackgroundImageStretched = 1,
  eBackgroundImage3D = 2,
  eBackgroundImageMotif = 3,
  eBackgroundImageQTVRCubic = 4
};

/// The colouring of the older background, written as the labels "None", "Uniform",
/// "Graduated", "Graduated.Line".
enum EZinBackgroundColorType : int32_t {
  eBackgroundColorNone = 0,
  eBackgroundColorUniform = 1,
  eBackgroundColorGraduated = 2,
  eBackgroundColorGraduatedLine = 3
};

/// What a background picture shows, written as the labels "None", "User.Gradiant",
/// "Picture.2D", "Movie.3D", "User.Gradiant.4.Colors", "HDRI".
enum EZinBackgroundPictureType : int32_t {
  eBackgroundPictureNone = 0,
  eBackgroundPictureGradient = 1,
  eBackgroundPicture2D = 2,
  eBackgroundPictureMovie3D = 3,
  eBackgroundPictureGradient4Colors = 4,
  eBackgroundPictureHDRI = 5
};

/// Where the depth of field is sharp, written as the labels "FromPoint",
/// "FromTarget", "FromInfinity", "FromDistance".
enum EZinDepthOfFieldType : int32_t {
  eDepthFromPoint = 0,
  eDepthFromTarget = 1,
  eDepthFromInfinity = 2,
  eDepthFromDistance = 3
};

/// A picture laid over the rendered image. No clipping.
class IZinForeground {
public:
  /// The picture's location (borrowed text); default ""; null is stored as "".
  virtual const char* getURL() = 0;
  virtual void setURL(const char* url) = 0;
  /// Position of the picture; default 0 each.
  virtual double getPositionX() = 0;
  virtual void setPositionX(double x) = 0;
  virtual double getPositionY() = 0;
  virtual void setPositionY(double y) = 0;
  /// Size of the picture; default 1.0 each.
  virtual double getSizeX() = 0;
  virtual void setSizeX(double x) = 0;
  virtual double getSizeY() = 0;
  virtual void setSizeY(double y) = 0;
  /// The id of the picture; default all zero.
  virtual const CZinUUID& getPictureId() = 0;
  virtual void setPictureId(const CZinUUID& id) = 0;
  /// Default 0.5.
  virtual double getIntensity() = 0;
  virtual void setIntensity(double intensity) = 0;
  /// Default true.
  virtual bool getKeepProportions() = 0;
  virtual void setKeepProportions(bool keep) = 0;

protected:
  ~IZinForeground() = default;
};

/// The picture or gradient behind the scene. No clipping.
class IZinBackgroundPicture {
public:
  /// An EZinBackgroundPictureType; default eBackgroundPictureNone.
  virtual int32_t getType() = 0;
  virtual void setType(int32_t type) = 0;
  /// The picture's location (borrowed text); default ""; null is stored as "".
  virtual const char* getURL() = 0;
  virtual void setURL(const char* url) = 0;
  /// The gradient's colours; default white, white, white, black.
  virtual const CZinColor& getFirstColor() = 0;
  virtual void setFirstColor(const CZinColor& color) = 0;
  virtual const CZinColor& getSecondColor() = 0;
  virtual void setSecondColor(const CZinColor& color) = 0;
  virtual const CZinColor& getThirdColor() = 0;
  virtual void setThirdColor(const CZinColor& color) = 0;
  virtual const CZinColor& getFourthColor() = 0;
  virtual void setFourthColor(const CZinColor& color) = 0;
  /// Default false.
  virtual bool get3D() = 0;
  virtual void set3D(bool on) = 0;
  /// Offsets of the picture; default 0 each.
  virtual double getHOffset() = 0;
  virtual void setHOffset(double offset) = 0;
  virtual double getVOffset() = 0;
  virtual void setVOffset(double offset) = 0;
  /// Whether the picture lights the scene; default false.
  virtual bool getLightingFlag() = 0;
  virtual void setLightingFlag(bool on) = 0;
  /// Default 0.5.
  virtual double getLightingIntensity() = 0;
  virtual void setLightingIntensity(double intensity) = 0;
  /// Default 0.5.
  virtual double getBackgroundIntensity() = 0;
  virtual void setBackgroundIntensity(double intensity) = 0;
  /// Default 0.
  virtual double getHorizontalRoll() = 0;
  virtual void setHorizontalRoll(double roll) = 0;
  /// Default 1.0 each.
  virtual double getWidth() = 0;
  virtual void setWidth(double width) = 0;
  virtual double getHeight() = 0;
  virtual void setHeight(double height) = 0;
  /// Default true.
  virtual bool getKeepProportions() = 0;
  virtual void setKeepProportions(bool keep) = 0;

protected:
  ~IZinBackgroundPicture() = default;
};

/// The depth of field of a view. No clipping.
class IZinDepthOfField {
public:
  /// Default false.
  virtual bool getUsed() = 0;
  virtual void setUsed(bool used) = 0;
  /// An EZinDepthOfFieldType; default eDepthFromPoint.
  virtual int32_t getType() = 0;
  virtual void setType(int32_t type) = 0;
  /// The sharp point; default the origin.
  virtual const CZinVector3D& getClearnessPoint() = 0;
  virtual void setClearnessPoint(const CZinVector3D& point) = 0;
  /// Inverse of the sharp distance; default 0.
  virtual double getInvClearnessDistance() = 0;
  virtual void setInvClearnessDistance(double inverse) = 0;
  /// Inverse of the sharp zone's size; default 0.
  virtual double getInvClearnessSize() = 0;
  virtual void setInvClearnessSize(double inverse) = 0;

protected:
  ~IZinDepthOfField() = default;
};

/// A box outside which a view shows nothing. No clipping.
class IZinClippingBox {
public:
  /// Corners and pivot; default the origin each.
  virtual const CZinVector3D& getMinimum() = 0;
  virtual void setMinimum(const CZinVector3D& point) = 0;
  virtual const CZinVector3D& getMaximum() = 0;
  virtual void setMaximum(const CZinVector3D& point) = 0;
  virtual const CZinVector3D& getPivot() = 0;
  virtual void setPivot(const CZinVector3D& point) = 0;
  /// Default false.
  virtual bool getVisible() = 0;
  virtual void setVisible(bool visible) = 0;
  /// Default false.
  virtual bool getActive() = 0;
  virtual void setActive(bool active) = 0;
  /// Default 0.
  virtual double getAngle() = 0;
  virtual void setAngle(double angle) = 0;

protected:
  ~IZinClippingBox() = default;
};

/// A light that follows the view: its camera light or its radiosity light. No clipping.
class IZinCameraLight {
public:
  /// Default false.
  virtual bool getUsed() = 0;
  virtual void setUsed(bool used) = 0;
  /// Default white.
  virtual const CZinColor& getColor() = 0;
  virtual void setColor(const CZinColor& color) = 0;
  /// Default 1.0.
  virtual double getPower() = 0;
  virtual void setPower(double power) = 0;

protected:
  ~IZinCameraLight() = default;
};

/// Brightness, contrast and saturation of the image, and a colour mixed into it.
/// No clipping.
class IZinImageSettingsFilter {
public:
  /// Default true.
  virtual bool getActive() = 0;
  virtual void setActive(bool active) = 0;
  /// Default 0.5 each.
  virtual double getBrightness() = 0;
  virtual void setBrightness(double brightness) = 0;
  virtual double getContrast() = 0;
  virtual void setContrast(double contrast) = 0;
  virtual double getSaturation() = 0;
  virtual void setSaturation(double saturation) = 0;
  /// Default false.
  virtual bool getUseMixColor() = 0;
  virtual void setUseMixColor(bool use) = 0;
  /// Default white.
  virtual const CZinColor& getMixColor() = 0;
  virtual void setMixColor(const CZinColor& color) = 0;

protected:
  ~IZinImageSettingsFilter() = default;
};

/// Grain added to the image. No clipping.
class IZinGrainFilter {
public:
  /// Default false.
  virtual bool getActive() = 0;
  virtual void setActive(bool active) = 0;
  /// Default 0.5.
  virtual double getBrightness() = 0;
  virtual void setBrightness(double brightness) = 0;
  /// Default 0.5.
  virtual double getSize() = 0;
  virtual void setSize(double size) = 0;

protected:
  ~IZinGrainFilter() = default;
};

/// Glow around the bright parts of the image. No clipping.
class IZinExposureFilter {
public:
  /// Default false.
  virtual bool getActive() = 0;
  virtual void setActive(bool active) = 0;
  /// Default 0.5.
  virtual double getExposure() = 0;
  virtual void setExposure(double exposure) = 0;
  /// Default 0.5.
  virtual double getSize() = 0;
  virtual void setSize(double size) = 0;

protected:
  ~IZinExposureFilter() = default;
};

/// The image drawn as hatching. No clipping.
class IZinHatchingFilter {
public:
  /// Default false.
  virtual bool getActive() = 0;
  virtual void setActive(bool active) = 0;
  /// Default 0.5.
  virtual double getIntensityThreshold() = 0;
  virtual void setIntensityThreshold(double threshold) = 0;
  /// Default 0.5.
  virtual double getContourThreshold() = 0;
  virtual void setContourThreshold(double threshold) = 0;
  /// Default true.
  virtual bool getUseTransparency() = 0;
  virtual void setUseTransparency(bool use) = 0;
  /// Default 1.0.
  virtual double getTransparency() = 0;
  virtual void setTransparency(double transparency) = 0;

protected:
  ~IZinHatchingFilter() = default;
};

/// The image filters of a view, one of each kind (borrowed; owned by the filters).
class IZinFilters {
public:
  virtual IZinImageSettingsFilter* getImageSettingsFilter() = 0;
  virtual IZinGrainFilter* getGrainFilter() = 0;
  virtual IZinExposureFilter* getExposureFilter() = 0;
  virtual IZinHatchingFilter* getHatchingFilter() = 0;

protected:
  ~IZinFilters() = default;
};

/// How light and dark tones of the image are lifted. No clipping.
class IZinToneSettings {
public:
  /// Default 0.
  virtual double getLightTones() = 0;
  virtual void setLightTones(double tones) = 0;
  /// Default 0.
  virtual double getDarkTones() = 0;
  virtual void setDarkTones(double tones) = 0;

protected:
  ~IZinToneSettings() = default;
};

/// The older background of a scene.
class IZinBackground {
public:
  /// An EZinBackgroundImageType; default eBackgroundImageNone.
  virtual int32_t getImageType() = 0;
  virtual void setImageType(int32_t type) = 0;
  /// An EZinBackgroundColorType; default eBackgroundColorGraduated.
  virtual int32_t getColorType() = 0;
  virtual void setColorType(int32_t type) = 0;
  /// Default white.
  virtual const CZinColor& getColor() = 0;
  virtual void setColor(const CZinColor& color) = 0;
  /// Default 0/100/255.
  virtual const CZinColor& getSecondColor() = 0;
  virtual void setSecondColor(const CZinColor& color) = 0;
  /// Default (1.296153, 1, 0).
  virtual const CZinVector3D& getUpDirection() = 0;
  virtual void setUpDirection(const CZinVector3D& direction) = 0;
  /// Default 1.0. While in a manager the value is clipped to [0, 100] with the
  /// warning "Method setLinePower has clipped a value out of range."; then, in every
  /// case, a value below 10 is stored as 1.0.
  virtual double getLinePower() = 0;
  virtual void setLinePower(double power) = 0;
  /// The picture's location (borrowed text); default ""; null is stored as "".
  virtual const char* getURL() = 0;
  virtual void setURL(const char* url) = 0;
  /// Default 1.0.
  virtual double getOrigin() = 0;
  virtual void setOrigin(double origin) = 0;
  /// Default true.
  virtual bool getUseDefault() = 0;
  virtual void setUseDefault(bool use) = 0;
  /// Default 1.0.
  virtual double getDirectionAngle() = 0;
  virtual void setDirectionAngle(double angle) = 0;

protected:
  ~IZinBackground() = default;
};

/// The older atmosphere of a scene. Clipped values warn "Method <setter> has
/// clipped a value out of range." while in a manager.
class IZinAtmosphere {
public:
  /// Default false.
  virtual bool getUsed() = 0;
  virtual void setUsed(bool used) = 0;
  /// Default 221/221/221.
  virtual const CZinColor& getColor() = 0;
  virtual void setColor(const CZinColor& color) = 0;
  /// Default 0.6 each; clipped to [0, 1].
  virtual double getHighDensity() = 0;
  virtual void setHighDensity(double density) = 0;
  virtual double getMediumDensity() = 0;
  virtual void setMediumDensity(double density) = 0;
  virtual double getLowDensity() = 0;
  virtual void setLowDensity(double density) = 0;
  /// Default 2.0; negative is stored as 0.
  virtual double getScale() = 0;
  virtual void setScale(double scale) = 0;
  /// Default 0; stored as given.
  virtual double getMinDistance() = 0;
  virtual void setMinDistance(double distance) = 0;
  /// Default 0; negative is stored as 0, with the warning that names setScale.
  virtual double getMaxDistance() = 0;
  virtual void setMaxDistance(double distance) = 0;
  /// Default 0; negative is stored as 0.
  virtual double getNoise() = 0;
  virtual void setNoise(double noise) = 0;
  /// Default true.
  virtual bool getUseDefault() = 0;
  virtual void setUseDefault(bool use) = 0;

protected:
  ~IZinAtmosphere() = default;
};

/// A named set of fog, clouds, background picture and foreground. Its id and name
/// are its basic data's.
class IZinEnvironment : public IZinBasic {
public:
  static constexpr CZinUUID sIID = CZinUUID::fromText("11F79C88B9DF4F309F90F6259D5A6998");
  /// Its parts (borrowed; owned by the environment).
  virtual IZinFog* getFog() = 0;
  virtual IZinClouds* getClouds() = 0;
  virtual IZinBackgroundPicture* getBackgroundPicture() = 0;
  virtual IZinForeground* getForeground() = 0;
};

/// A named, infinite ground plane with a material. Its name and id are its basic
/// data's.
class IZinGround : public IZinBasic {
public:
  static constexpr CZinUUID sIID = CZinUUID::fromText("5DA0F7A7048A4D318FB25F92C1159D7E");
  /// Default false.
  virtual bool getActive() = 0;
  virtual void setActive(bool active) = 0;
  /// Default 0.
  virtual double getHeight() = 0;
  virtual void setHeight(double height) = 0;
  /// The ground's material, read from and written to its "Property" element (borrowed; owned by the ground).
  virtual IZinProperty* getProperty() = 0;
};

}  // namespace QvZin
