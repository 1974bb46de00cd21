// The rendering options of a view, the radiosity control that shares three of
// their settings, and the animation rendering options.
#pragma once

#include "ZinRendering.h"
#include "scene/compression_opt.h"
#include "serialization/fields.h"
#include "serialization/user_xml.h"

namespace QvZin {

extern const CZinLabel kOutputTypes[];
extern const CZinLabel kAntialiasLevels[];
extern const CZinLabel kColorBehaviors[];

/// The element of the renderer's own data, last in "Rendering".
constexpr const char* kExtendedDataTag = "Extended.Datas";

// Each count's warning names the class in front of the standard text; the factor's
// has no blank after the colon, and contrast and luminosity have texts of their own.
#define ZIN_RENDERING_OPT_FIELDS(F, P)                                                                           \
  F(bool, Raytracing, "Raytracing", true, ZinFlag(), Keep())                                                      \
  F(bool, Shadow, "Shadow", true, ZinFlag(), Keep())                                                              \
  F(bool, Transparency, "Transparency", true, ZinFlag(), Keep())                                                  \
  F(int32_t, NbReflection, "Nb.Reflections", 2, ZinInt(), AtLeast(0).prefixed("class CRenderingOpt: "))          \
  F(int32_t, NbRefraction, "Nb.Refractions", 6, ZinInt(), AtLeast(0).prefixed("class CRenderingOpt: "))          \
  F(int32_t, Width, "Width", 320, ZinInt(), AtLeast(0).prefixed("class CRenderingOpt: "))                        \
  F(int32_t, Height, "Height", 240, ZinInt(), AtLeast(0).prefixed("class CRenderingOpt: "))                      \
  F(int32_t, CropX, "Crop.X", 0, ZinInt(), Keep())                                                                \
  F(int32_t, CropY, "Crop.Y", 0, ZinInt(), Keep())                                                                \
  F(int32_t, CropWidth, "Crop.Width", 0, ZinInt(), Keep())                                                        \
  F(int32_t, CropHeight, "Crop.Height", 0, ZinInt(), Keep())                                                      \
  F(int32_t, Antialias, "Antialias", eAntialiasNo, ZinLabel{kAntialiasLevels}, Keep())                           \
  F(int32_t, OutputType, "Output.Type", eOutputCmpTGA, ZinLabel{kOutputTypes}, Keep())                           \
  F(bool, Alpha, "Alpha", false, ZinFlag(), Keep())                                                               \
  F(bool, RenderAll, "Render.All", true, ZinFlag(), Keep())                                                       \
  F(int32_t, RenderFirst, "Render.First", 0, ZinInt(), AtLeast(0).prefixed("class CRenderingOpt: "))            \
  F(int32_t, RenderLast, "Render.Last", 0, ZinInt(), AtLeast(0).prefixed("class CRenderingOpt: "))              \
  F(std::string, OutputURL, "URL", "", ZinText(), Keep())                                                         \
  F(bool, UseViewOptions, "Use.View.Options", false, ZinFlag(), Keep())                                           \
  F(bool, PreviewAntialias, "Preview.Antialias", false, ZinFlag(), Keep())                                        \
  F(bool, HeightWidthLinked, "Height.Width.Linked", false, ZinFlag(), Keep())                                     \
  F(bool, ScaleOn, "Scale.On", true, ZinFlag(), Keep())                                                           \
  F(int32_t, ParallelScale, "Scale", 100, ZinInt(), AtLeast(0).prefixed("class CRenderingOpt: "))               \
  F(int32_t, ImageResolution, "Resolution", 72, ZinInt(), AtLeast(0).prefixed("class CRenderingOpt: "))         \
  F(int32_t, PanoramaResolution, "Resolution.Level", 1, ZinInt(), AtLeast(0).prefixed("class CRenderingOpt: ")) \
  F(bool, Radiosity, "Radiosity", true, ZinFlag(), Keep())                                                        \
  F(double, RadiosityFactor, "Radiosity.Factor", 1.0, ZinDouble(), AtLeast(0.0).prefixed("class CRenderingOpt:")) \
  F(double, RadiosityQuality, "Radiosity.Quality", 4.0, ZinDouble(),                                              \
    Clamp(0.0, 2147483647.0).prefixed("class CRenderingOpt: "))                                                   \
  F(double, Contrast, "Contrast", 1.0, ZinDouble(), AtLeast(0.0).warns("CRenderingOpt::setContrast value must be positive")) \
  F(double, Luminosity, "Luminosity", 0.0, ZinDouble(),                                                           \
    Clamp(-1.0, 1.0).warns("CRenderingOpt::setLuminosity value must be between -1 and 1."))                      \
  F(double, LongRange, "Long.Range", 96.0, ZinDouble(), Keep())                                                   \
  F(double, ShortRange, "Short.Range", 4.0, ZinDouble(), Keep())                                                  \
  F(double, FirstBounce, "First.Bounce", 4.0, ZinDouble(), Keep())                                                \
  F(double, NextBounces, "Next.Bounces", 1.0, ZinDouble(), Keep())                                                \
  F(double, Attenuation, "Attenuation", 0.3, ZinDouble(), Keep())                                                 \
  F(double, ColorBleeding, "ColorBleeding", 1.0, ZinDouble(), Keep())                                             \
  F(int32_t, ISO, "ISO", 200, ZinInt(), Keep())                                                                   \
  F(int32_t, ShutterSpeed, "ShutterSpeed", 500, ZinInt(), Keep())                                                 \
  F(int32_t, ColorBehavior, "Color.Behavior", eColorIsoShutter, ZinLabel{kColorBehaviors}, Keep())              \
  F(std::string, RendererIdentifier, "Renderer", "", ZinName{"Identifier"}, Keep())                              \
  P(CZinUserXML, ExtendedData, kExtendedDataTag, ZinCopy())

class CRenderingOpt;

/// The radiosity settings of a rendering options object under their own interface.
/// They are the options' own rows (so that a file's values pass the options'
/// clipping); the control stores as given.
class CRadiosityControl final : public TZinFrontier<IZinRadiosityControl> {
public:
  explicit CRadiosityControl(CRenderingOpt& options) : mOptions(options) {}

  bool getOn() override;
  void setOn(bool on) override;
  double getQuality() override;
  void setQuality(double quality) override;
  double getFactor() override;
  void setFactor(double factor) override;

private:
  CRenderingOpt& mOptions;
};

class CRenderingOpt final : public TZinSettings<IZinRenderingOpt> {
  friend class CRadiosityControl;

public:
  ZIN_FIELDS(ZIN_RENDERING_OPT_FIELDS)

  CRenderingOpt() = default;
  CRenderingOpt(const CRenderingOpt&) = delete;
  CRenderingOpt& operator=(const CRenderingOpt&) = delete;

  QuorveXML::XIXMLElement* getExtendedData() override;
  void setExtendedData(QuorveXML::XIXMLElement* element) override;
  IZinRadiosityControl* getRadiosityControl() override { return &mControl; }

private:
  CRadiosityControl mControl{*this};
};

inline bool CRadiosityControl::getOn() { return mOptions.mRadiosity; }
inline void CRadiosityControl::setOn(bool on) { mOptions.mRadiosity = on; }
inline double CRadiosityControl::getQuality() { return mOptions.mRadiosityQuality; }
inline void CRadiosityControl::setQuality(double quality) { mOptions.mRadiosityQuality = quality; }
inline double CRadiosityControl::getFactor() { return mOptions.mRadiosityFactor; }
inline void CRadiosityControl::setFactor(double factor) { mOptions.mRadiosityFactor = factor; }

// The options of a view's movie: rendering options whose output type starts as a
// movie, and its compression.
#define ZIN_ANIM_RENDERING_OPT_FIELDS(F, P)                      \
  P(CRenderingOpt, RenderingOpt, "Rendering", ZinPart())         \
  P(CCompressionOpt, CompressionOpt, "Compression", ZinPart().optional())

class CAnimRenderingOpt final {
public:
  ZIN_FIELDS(ZIN_ANIM_RENDERING_OPT_FIELDS)

  CAnimRenderingOpt() { mRenderingOpt.setOutputType(eOutputQTime); }
  CAnimRenderingOpt(const CAnimRenderingOpt&) = delete;
  CAnimRenderingOpt& operator=(const CAnimRenderingOpt&) = delete;

  IZinRenderingOpt* getRenderingOpt() { return &mRenderingOpt; }
  IZinCompressionOpt* getCompressionOpt() { return &mCompressionOpt; }
};

}  // namespace QvZin
