// Rendering settings of views: image and light-simulation options, the radiosity
// control, movie compression options.
#pragma once

#include "ZinBase.h"

namespace QvZin {

/// Output file types, written as the labels "CmpPict", "Pict", "CmpTGA", "TGA",
/// "BMP", "JPEG", "CmpQTime", "QTime", "CmpVRQTime", "VRQTime", "Real", "AVI",
/// "Epix", "Tiff".
enum EZinOutputType : int32_t {
  eOutputCmpPict = 0,
  eOutputPict = 1,
  eOutputCmpTGA = 2,
  eOutputTGA = 3,
  eOutputBMP = 4,
  eOutputJPEG = 5,
  eOutputCmpQTime = 6,
  eOutputQTime = 7,
  eOutputCmpVRQTime = 8,
  eOutputVRQTime = 9,
  eOutputReal = 10,
  eOutputAVI = 11,
  eOutputEpix = 12,
  eOutputTiff = 13
};

/// Antialiasing levels, written as the labels "No", "Good", "Excellent", "Special".
enum EZinAntialias : int32_t { eAntialiasNo = 0, eAntialiasGood = 1, eAntialiasExcellent = 2, eAntialiasSpecial = 3 };

/// How the colours are exposed, written as the labels "Autolum", "IsoShutter".
enum EZinColorBehavior : int32_t { eColorAutolum = 0, eColorIsoShutter = 1 };

/// The radiosity settings of a view's rendering options. It shares them with the
/// rendering options, which clip before they store; these operations store as given.
class IZinRadiosityControl {
public:
  /// Radiosity on; default true.
  virtual bool getOn() = 0;
  virtual void setOn(bool on) = 0;
  /// Default 4.0.
  virtual double getQuality() = 0;
  virtual void setQuality(double quality) = 0;
  /// Default 1.0.
  virtual double getFactor() = 0;
  virtual void setFactor(double factor) = 0;

protected:
  ~IZinRadiosityControl() = default;
};

/// The image size, quality and light-simulation settings of a view. Owned by the
/// view; change it in place. The clip warnings go to the manager's feedback object
/// while the view is in a manager; the value is clipped in every case.
class IZinRenderingOpt {
public:
  /// Default true.
  virtual bool getRaytracing() = 0;
  virtual void setRaytracing(bool on) = 0;
  /// Default true.
  virtual bool getShadow() = 0;
  virtual void setShadow(bool on) = 0;
  /// Default true.
  virtual bool getTransparency() = 0;
  virtual void setTransparency(bool on) = 0;
  /// Default false.
  virtual bool getAlpha() = 0;
  virtual void setAlpha(bool on) = 0;
  /// Default 2; a negative count becomes 0 with the warning
  /// "class CRenderingOpt: Method setNbReflection has clipped a value out of range.".
  virtual int32_t getNbReflection() = 0;
  virtual void setNbReflection(int32_t count) = 0;
  /// Default 6; a negative count becomes 0 (warning naming setNbRefraction).
  virtual int32_t getNbRefraction() = 0;
  virtual void setNbRefraction(int32_t count) = 0;
  /// Pixels; default 240; negative becomes 0 (warning naming setHeight).
  virtual int32_t getHeight() = 0;
  virtual void setHeight(int32_t pixels) = 0;
  /// Pixels; default 320; negative becomes 0 (warning naming setWidth).
  virtual int32_t getWidth() = 0;
  virtual void setWidth(int32_t pixels) = 0;
  /// The cropped rectangle in pixels; default 0 each; no clipping.
  virtual int32_t getCropX() = 0;
  virtual void setCropX(int32_t x) = 0;
  virtual int32_t getCropY() = 0;
  virtual void setCropY(int32_t y) = 0;
  virtual int32_t getCropWidth() = 0;
  virtual void setCropWidth(int32_t width) = 0;
  virtual int32_t getCropHeight() = 0;
  virtual void setCropHeight(int32_t height) = 0;
  /// Where the image goes (borrowed text); default ""; null is stored as "".
  virtual const char* getOutputURL() = 0;
  virtual void setOutputURL(const char* url) = 0;
  /// One of EZinOutputType; default eOutputCmpTGA. A value outside the table fails the next write.
  virtual int32_t getOutputType() = 0;
  virtual void setOutputType(int32_t type) = 0;
  /// One of EZinAntialias; default eAntialiasNo.
  virtual int32_t getAntialias() = 0;
  virtual void setAntialias(int32_t level) = 0;
  /// Render every frame; default true.
  virtual bool getRenderAll() = 0;
  virtual void setRenderAll(bool all) = 0;
  /// First and last frames rendered; default 0; negative becomes 0 (warnings naming
  /// setRenderFirst, setRenderLast).
  virtual int32_t getRenderFirst() = 0;
  virtual void setRenderFirst(int32_t frame) = 0;
  virtual int32_t getRenderLast() = 0;
  virtual void setRenderLast(int32_t frame) = 0;
  /// Default false.
  virtual bool getUseViewOptions() = 0;
  virtual void setUseViewOptions(bool use) = 0;
  /// Default false.
  virtual bool getPreviewAntialias() = 0;
  virtual void setPreviewAntialias(bool on) = 0;
  /// Default false.
  virtual bool getHeightWidthLinked() = 0;
  virtual void setHeightWidthLinked(bool linked) = 0;
  /// Default true.
  virtual bool getScaleOn() = 0;
  virtual void setScaleOn(bool on) = 0;
  /// Default 100; negative becomes 0 (warning naming setParallelScale).
  virtual int32_t getParallelScale() = 0;
  virtual void setParallelScale(int32_t scale) = 0;
  /// Dots per inch; default 72; negative becomes 0 (warning naming setImageResolution).
  virtual int32_t getImageResolution() = 0;
  virtual void setImageResolution(int32_t dpi) = 0;
  /// Default 1; negative becomes 0 (warning naming setPanoramaResolution).
  virtual int32_t getPanoramaResolution() = 0;
  virtual void setPanoramaResolution(int32_t level) = 0;
  /// Radiosity on (held by the radiosity control); default true.
  virtual bool getRadiosity() = 0;
  virtual void setRadiosity(bool on) = 0;
  /// Default 1.0; negative becomes 0 with the warning
  /// "class CRenderingOpt:Method setRadiosityFactor has clipped a value out of range.".
  virtual double getRadiosityFactor() = 0;
  virtual void setRadiosityFactor(double factor) = 0;
  /// Default 4.0; clipped to [0, 2147483647] (warning naming setRadiosityQuality).
  virtual double getRadiosityQuality() = 0;
  virtual void setRadiosityQuality(double quality) = 0;
  /// Default 1.0; negative becomes 0 with the warning "CRenderingOpt::setContrast value must be positive".
  virtual double getContrast() = 0;
  virtual void setContrast(double contrast) = 0;
  /// Default 0.0; clipped to [-1, 1] with the warning
  /// "CRenderingOpt::setLuminosity value must be between -1 and 1.".
  virtual double getLuminosity() = 0;
  virtual void setLuminosity(double luminosity) = 0;
  /// Light simulation; defaults 96.0, 4.0, 4.0, 1.0, 0.3, 1.0; no clipping.
  virtual double getLongRange() = 0;
  virtual void setLongRange(double range) = 0;
  virtual double getShortRange() = 0;
  virtual void setShortRange(double range) = 0;
  virtual double getFirstBounce() = 0;
  virtual void setFirstBounce(double bounce) = 0;
  virtual double getNextBounces() = 0;
  virtual void setNextBounces(double bounces) = 0;
  virtual double getAttenuation() = 0;
  virtual void setAttenuation(double attenuation) = 0;
  virtual double getColorBleeding() = 0;
  virtual void setColorBleeding(double bleeding) = 0;
  /// The renderer's identifier (borrowed text); default ""; null is stored as "".
  virtual const char* getRendererIdentifier() = 0;
  virtual void setRendererIdentifier(const char* identifier) = 0;
  /// The renderer's own data: an element "Extended.Datas" owned by these options
  /// (borrowed; edit it in place), made empty on first use.
  virtual QuorveXML::XIXMLElement* getExtendedData() = 0;
  /// Replaces the renderer's data by a copy of element, renamed "Extended.Datas";
  /// null empties it.
  virtual void setExtendedData(QuorveXML::XIXMLElement* element) = 0;
  /// Default 200; no clipping.
  virtual int32_t getISO() = 0;
  virtual void setISO(int32_t iso) = 0;
  /// Default 500; no clipping.
  virtual int32_t getShutterSpeed() = 0;
  virtual void setShutterSpeed(int32_t speed) = 0;
  /// One of EZinColorBehavior; default eColorIsoShutter.
  virtual int32_t getColorBehavior() = 0;
  virtual void setColorBehavior(int32_t behavior) = 0;
  /// The radiosity control that holds the three radiosity settings (borrowed).
  virtual IZinRadiosityControl* getRadiosityControl() = 0;

protected:
  ~IZinRenderingOpt() = default;
};

/// The compression of a rendered movie. Owned by its view or animation rendering
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
