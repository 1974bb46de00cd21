// The image effects that a view's information holds: the foreground and background
// pictures, the depth of field, the clipping box, the camera and radiosity lights,
// the filters and the tone settings. An environment holds a foreground and a
// background picture too.
#pragma once

#include "ZinImageEffects.h"
#include "serialization/fields.h"

namespace QvZin {

extern const CZinLabel kBackgroundPictureTypes[];
extern const CZinLabel kDepthOfFieldTypes[];

// Its element is spelt "Foregroung", for writing and reading alike.
#define ZIN_FOREGROUND_FIELDS(F, P)                                     \
  F(std::string, URL, "URL", "", ZinText(), Keep())                     \
  F(double, PositionX, "Position.X", 0.0, ZinDouble(), Keep())          \
  F(double, PositionY, "Position.Y", 0.0, ZinDouble(), Keep())          \
  F(double, SizeX, "Size.X", 1.0, ZinDouble(), Keep())                  \
  F(double, SizeY, "Size.Y", 1.0, ZinDouble(), Keep())                  \
  F(CZinUUID, PictureId, "Id", CZinUUID(), ZinId(), Keep())             \
  F(double, Intensity, "Intensity", 0.5, ZinDouble(), Keep())           \
  F(bool, KeepProportions, "Keep.Proportions", true, ZinFlag(), Keep())

class CZinForeground final : public TZinSettings<IZinForeground> {
  ZIN_FIELDS(ZIN_FOREGROUND_FIELDS)
};

#define ZIN_BACKGROUND_PICTURE_FIELDS(F, P)                                                              \
  F(int32_t, Type, "Type", eBackgroundPictureNone, ZinLabel{kBackgroundPictureTypes}, Keep())            \
  F(std::string, URL, "URL", "", ZinText(), Keep())                                                      \
  F(CZinColor, FirstColor, "First.Color", CZinColor(255, 255, 255), ZinColour(), Keep())                 \
  F(CZinColor, SecondColor, "Second.Color", CZinColor(255, 255, 255), ZinColour(), Keep())               \
  F(CZinColor, ThirdColor, "Third.Color", CZinColor(255, 255, 255), ZinColour(), Keep())                 \
  F(CZinColor, FourthColor, "Fourth.Color", CZinColor(0, 0, 0), ZinColour(), Keep())                     \
  F(bool, 3D, "3D", false, ZinFlag(), Keep())                                                            \
  F(double, HOffset, "H.Offset", 0.0, ZinDouble(), Keep())                                               \
  F(double, VOffset, "V.Offset", 0.0, ZinDouble(), Keep())                                               \
  F(bool, LightingFlag, "Lighting.Flag", false, ZinFlag(), Keep())                                       \
  F(double, LightingIntensity, "Lighting.Intensity", 0.5, ZinDouble(), Keep())                           \
  F(double, BackgroundIntensity, "Background.Intensity", 0.5, ZinDouble(), Keep())                       \
  F(double, HorizontalRoll, "Horizontal.Roll", 0.0, ZinDouble(), Keep())                                 \
  F(double, Width, "Width", 1.0, ZinDouble(), Keep())                                                    \
  F(double, Height, "Height", 1.0, ZinDouble(), Keep())                                                  \
  F(bool, KeepProportions, "Keep.Proportions", true, ZinFlag(), Keep())

class CZinBackgroundPicture final : public TZinSettings<IZinBackgroundPicture> {
  ZIN_FIELDS(ZIN_BACKGROUND_PICTURE_FIELDS)
};

#define ZIN_DEPTH_OF_FIELD_FIELDS(F, P)                                                             \
  F(bool, Used, "Used", false, ZinFlag(), Keep())                                                   \
  F(int32_t, Type, "Type", eDepthFromPoint, ZinLabel{kDepthOfFieldTypes}, Keep())                   \
  F(CZinVector3D, ClearnessPoint, "Clearness.Point", CZinVector3D(), ZinPoint(), Keep())            \
  F(double, InvClearnessDistance, "Clearness.Dist.Inv", 0.0, ZinDouble(), Keep())                   \
  F(double, InvClearnessSize, "Clearness.Size.Inv", 0.0, ZinDouble(), Keep())

class CZinDepthOfField final : public TZinSettings<IZinDepthOfField> {
  ZIN_FIELDS(ZIN_DEPTH_OF_FIELD_FIELDS)
};

#define ZIN_CLIPPING_BOX_FIELDS(F, P)                                              \
  F(CZinVector3D, Minimum, "Minimum", CZinVector3D(), ZinPoint(), Keep())          \
  F(CZinVector3D, Maximum, "Maximum", CZinVector3D(), ZinPoint(), Keep())          \
  F(CZinVector3D, Pivot, "Pivot", CZinVector3D(), ZinPoint(), Keep())              \
  F(bool, Visible, "Visible", false, ZinFlag(), Keep())                            \
  F(bool, Active, "Active", false, ZinFlag(), Keep())                              \
  F(double, Angle, "Angle", 0.0, ZinDouble(), Keep())

class CZinClippingBox final : public TZinSettings<IZinClippingBox> {
  ZIN_FIELDS(ZIN_CLIPPING_BOX_FIELDS)
};

#define ZIN_CAMERA_LIGHT_FIELDS(F, P)                                              \
  F(bool, Used, "Used", false, ZinFlag(), Keep())                                  \
  F(CZinColor, Color, "Color", CZinColor(255, 255, 255), ZinColour(), Keep())      \
  F(double, Power, "Power", 1.0, ZinDouble(), Keep())

/// A view's camera light (CZinCameraLight) or its radiosity light
/// (CZinRadiosityLight): alike but for which one they are, fixed when they are made.
template <bool kRadiosity>
class TZinCameraLight final : public TZinSettings<IZinCameraLight> {
public:
  ZIN_FIELDS(ZIN_CAMERA_LIGHT_FIELDS)

  /// True for a view's radiosity light.
  static constexpr bool isRadiosityLight() { return kRadiosity; }
};
using CZinCameraLight = TZinCameraLight<false>;
using CZinRadiosityLight = TZinCameraLight<true>;

// The flags come first in each filter's element, ahead of the values they switch.
#define ZIN_IMAGE_SETTINGS_FILTER_FIELDS(F, P)                                       \
  F(bool, Active, "Active", true, ZinFlag(), Keep())                                 \
  F(bool, UseMixColor, "Use.Mix.Color", false, ZinFlag(), Keep())                    \
  F(double, Brightness, "Brightness", 0.5, ZinDouble(), Keep())                      \
  F(double, Contrast, "Contrast", 0.5, ZinDouble(), Keep())                          \
  F(double, Saturation, "Saturation", 0.5, ZinDouble(), Keep())                      \
  F(CZinColor, MixColor, "Mix.Color", CZinColor(255, 255, 255), ZinColour(), Keep())

class CZinImageSettingsFilter final : public TZinSettings<IZinImageSettingsFilter> {
  ZIN_FIELDS(ZIN_IMAGE_SETTINGS_FILTER_FIELDS)
};

#define ZIN_GRAIN_FILTER_FIELDS(F, P)                              \
  F(bool, Active, "Active", false, ZinFlag(), Keep())              \
  F(double, Brightness, "Brightness", 0.5, ZinDouble(), Keep())    \
  F(double, Size, "Size", 0.5, ZinDouble(), Keep())

class CZinGrainFilter final : public TZinSettings<IZinGrainFilter> {
  ZIN_FIELDS(ZIN_GRAIN_FILTER_FIELDS)
};

#define ZIN_EXPOSURE_FILTER_FIELDS(F, P)                           \
  F(bool, Active, "Active", false, ZinFlag(), Keep())              \
  F(double, Exposure, "Exposure", 0.5, ZinDouble(), Keep())        \
  F(double, Size, "Size", 0.5, ZinDouble(), Keep())

class CZinExposureFilter final : public TZinSettings<IZinExposureFilter> {
  ZIN_FIELDS(ZIN_EXPOSURE_FILTER_FIELDS)
};

#define ZIN_HATCHING_FILTER_FIELDS(F, P)                                            \
  F(bool, Active, "Active", false, ZinFlag(), Keep())                               \
  F(bool, UseTransparency, "Use.Transparency", true, ZinFlag(), Keep())             \
  F(double, IntensityThreshold, "Intensity.Threshold", 0.5, ZinDouble(), Keep())    \
  F(double, ContourThreshold, "Contour.Threshold", 0.5, ZinDouble(), Keep())        \
  F(double, Transparency, "Transparency", 1.0, ZinDouble(), Keep())

class CZinHatchingFilter final : public TZinSettings<IZinHatchingFilter> {
  ZIN_FIELDS(ZIN_HATCHING_FILTER_FIELDS)
};

// A filter whose element is missing reads as a new filter, as the view's effects do.
#define ZIN_FILTERS_FIELDS(F, P)                                                                         \
  P(CZinImageSettingsFilter, ImageSettingsFilter, "Image.Settings.Filter", ZinPart().optional())         \
  P(CZinGrainFilter, GrainFilter, "Grain.Filter", ZinPart().optional())                                  \
  P(CZinExposureFilter, ExposureFilter, "Exposure.Filter", ZinPart().optional())                         \
  P(CZinHatchingFilter, HatchingFilter, "Hatching.Filter", ZinPart().optional())

class CZinFilters final : public TZinSettings<IZinFilters> {
public:
  ZIN_FIELDS(ZIN_FILTERS_FIELDS)

  IZinImageSettingsFilter* getImageSettingsFilter() override { return &mImageSettingsFilter; }
  IZinGrainFilter* getGrainFilter() override { return &mGrainFilter; }
  IZinExposureFilter* getExposureFilter() override { return &mExposureFilter; }
  IZinHatchingFilter* getHatchingFilter() override { return &mHatchingFilter; }
};

// "Lights.Tones" is the element's own spelling.
#define ZIN_TONE_SETTINGS_FIELDS(F, P)                              \
  F(double, LightTones, "Lights.Tones", 0.0, ZinDouble(), Keep())   \
  F(double, DarkTones, "Dark.Tones", 0.0, ZinDouble(), Keep())

class CZinToneSettings final : public TZinSettings<IZinToneSettings> {
  ZIN_FIELDS(ZIN_TONE_SETTINGS_FIELDS)
};

}  // namespace QvZin
