// The exact elements that new image effects and view options write, for the tests of
// the effects themselves and of the views, environments and animations that hold them.
#pragma once

#include <string>

#include "scene/scene_documents.h"

namespace QvZinTest {

inline constexpr char kCloudsText[] =
    "<Clouds>\n\t<Cumulus.Size>0.600000</Cumulus.Size>\n\t<Cumulus.Seed>0</Cumulus.Seed>"
    "\n\t<Cirrus.Size>0.500000</Cirrus.Size>\n\t<Cirrus.Seed>0</Cirrus.Seed>\n\t<Stratus.Size>0.200000</Stratus.Size>"
    "\n\t<Stratus.Seed>0</Stratus.Seed>\n\t<Cirrocumulus.Size>0.400000</Cirrocumulus.Size>"
    "\n\t<Cirrocumulus.Seed>0</Cirrocumulus.Seed>\n\t<Wind.Speed>20.000000</Wind.Speed>"
    "\n\t<Wind.Direction>0.000000</Wind.Direction>\n</Clouds>";

inline std::string FogText() {
  return "<Fog>" + Child(Colour("Color", 221, 221, 221)) +
         "\n\t<Density>0.500000</Density>\n\t<Start.Distance>50.000000</Start.Distance>"
         "\n\t<End.Distance>2500.000000</End.Distance>\n\t<Altitude>300.000000</Altitude>\n</Fog>";
}

inline std::string ForegroundText() {
  return "<Foregroung Id=\"" + kZeroId +
         "\">\n\t<URL></URL>\n\t<Position.X>0.000000</Position.X>\n\t<Position.Y>0.000000</Position.Y>"
         "\n\t<Size.X>1.000000</Size.X>\n\t<Size.Y>1.000000</Size.Y>\n\t<Intensity>0.500000</Intensity>"
         "\n\t<Keep.Proportions/>\n</Foregroung>";
}

inline std::string BackgroundPictureText() {
  return "<Background.Picture Type=\"None\">\n\t<URL></URL>" + Child(White("First.Color")) +
         Child(White("Second.Color")) + Child(White("Third.Color")) + Child(Colour("Fourth.Color", 0, 0, 0)) +
         "\n\t<H.Offset>0.000000</H.Offset>\n\t<V.Offset>0.000000</V.Offset>"
         "\n\t<Lighting.Intensity>0.500000</Lighting.Intensity>"
         "\n\t<Background.Intensity>0.500000</Background.Intensity>"
         "\n\t<Horizontal.Roll>0.000000</Horizontal.Roll>\n\t<Width>1.000000</Width>\n\t<Height>1.000000</Height>"
         "\n\t<Keep.Proportions/>\n</Background.Picture>";
}

inline std::string DepthOfFieldText() {
  return "<Depth.Of.Field Type=\"FromPoint\">" + Child(ZeroPoint("Clearness.Point")) +
         "\n\t<Clearness.Dist.Inv>0.000000</Clearness.Dist.Inv>"
         "\n\t<Clearness.Size.Inv>0.000000</Clearness.Size.Inv>\n</Depth.Of.Field>";
}

inline std::string ClippingBoxText() {
  return "<Clipping.Box>" + Child(ZeroPoint("Minimum")) + Child(ZeroPoint("Maximum")) + Child(ZeroPoint("Pivot")) +
         "\n\t<Angle>0.000000</Angle>\n</Clipping.Box>";
}

/// A camera light or, tagged "Radiosity.Light", a radiosity light.
inline std::string CameraLightText(const std::string& tag) {
  return "<" + tag + ">" + Child(White("Color")) + "\n\t<Power>1.000000</Power>\n</" + tag + ">";
}

inline std::string FiltersText() {
  const std::string imageSettings = "<Image.Settings.Filter>\n\t<Active/>\n\t<Brightness>0.500000</Brightness>"
                                    "\n\t<Contrast>0.500000</Contrast>\n\t<Saturation>0.500000</Saturation>" +
                                    Child(White("Mix.Color")) + "\n</Image.Settings.Filter>";
  return "<Filters>" + Child(imageSettings) +
         "\n\t<Grain.Filter>\n\t\t<Brightness>0.500000</Brightness>\n\t\t<Size>0.500000</Size>\n\t</Grain.Filter>"
         "\n\t<Exposure.Filter>\n\t\t<Exposure>0.500000</Exposure>\n\t\t<Size>0.500000</Size>\n\t</Exposure.Filter>"
         "\n\t<Hatching.Filter>\n\t\t<Use.Transparency/>\n\t\t<Intensity.Threshold>0.500000</Intensity.Threshold>"
         "\n\t\t<Contour.Threshold>0.500000</Contour.Threshold>\n\t\t<Transparency>1.000000</Transparency>"
         "\n\t</Hatching.Filter>\n</Filters>";
}

inline std::string ToneSettingsText() {
  return "<Tone.Settings>\n\t<Lights.Tones>0.000000</Lights.Tones>\n\t<Dark.Tones>0.000000</Dark.Tones>"
         "\n</Tone.Settings>";
}

inline std::string RenderingText(const char* outputType = "CmpTGA") {
  return std::string("<Rendering\n\t Antialias=\"No\"\n\t Output.Type=\"") + outputType +
         "\"\n\t Color.Behavior=\"IsoShutter\">\n\t<Raytracing/>\n\t<Shadow/>\n\t<Transparency/>"
         "\n\t<Nb.Reflections>2</Nb.Reflections>\n\t<Nb.Refractions>6</Nb.Refractions>\n\t<Width>320</Width>"
         "\n\t<Height>240</Height>\n\t<Crop.X>0</Crop.X>\n\t<Crop.Y>0</Crop.Y>\n\t<Crop.Width>0</Crop.Width>"
         "\n\t<Crop.Height>0</Crop.Height>\n\t<Render.All/>\n\t<Render.First>0</Render.First>"
         "\n\t<Render.Last>0</Render.Last>\n\t<URL></URL>\n\t<Scale.On/>\n\t<Scale>100</Scale>"
         "\n\t<Resolution>72</Resolution>\n\t<Resolution.Level>1</Resolution.Level>\n\t<Radiosity/>"
         "\n\t<Radiosity.Factor>1.000000</Radiosity.Factor>\n\t<Radiosity.Quality>4.000000</Radiosity.Quality>"
         "\n\t<Contrast>1.000000</Contrast>\n\t<Luminosity>0.000000</Luminosity>\n\t<Long.Range>96.000000</Long.Range>"
         "\n\t<Short.Range>4.000000</Short.Range>\n\t<First.Bounce>4.000000</First.Bounce>"
         "\n\t<Next.Bounces>1.000000</Next.Bounces>\n\t<Attenuation>0.300000</Attenuation>"
         "\n\t<ColorBleeding>1.000000</ColorBleeding>\n\t<ISO>200</ISO>\n\t<ShutterSpeed>500</ShutterSpeed>"
         "\n\t<Renderer Identifier=\"\"/>\n\t<Extended.Datas/>\n</Rendering>";
}

inline constexpr char kCompressionText[] =
    "<Compression>\n\t<Codec>1918990112</Codec>\n\t<Depth>0</Depth>\n\t<Spacial.Quality>512</Spacial.Quality>"
    "\n\t<Temporal.Quality>512</Temporal.Quality>\n\t<Frame.Rate>25.000000</Frame.Rate>"
    "\n\t<Key.Frame.Rate>10</Key.Frame.Rate>\n</Compression>";

inline constexpr char kLensFlareText[] =
    "<Lens.Flare Type=\"LensFlare1\">\n\t<Size>1.000000</Size>\n\t<Intensity>1.000000</Intensity>\n</Lens.Flare>";

/// "Options" holding new rendering options of outputType, new compression options and
/// more.
inline std::string OptionsText(const char* outputType = "CmpTGA", const std::string& more = "") {
  return "<Options>" + Child(RenderingText(outputType)) + Child(kCompressionText) + more + "\n</Options>";
}

/// A new view information, its own id shown as id.
inline std::string ViewInfoText(const std::string& id = kZeroId) {
  return "<View.Info\n\t UUID=\"" + id + "\"\n\t Environment=\"" + kZeroId + "\"\n\t Ground=\"" + kZeroId +
         "\">\n\t<UI.Value>0</UI.Value>" + Child(ForegroundText()) +
         "\n\t<Lights.Groups/>\n\t<Heliodon.Name en=\"\"/>" + Child(DepthOfFieldText()) + Child(ClippingBoxText()) +
         Child(CameraLightText("Camera.Light")) + Child(CameraLightText("Radiosity.Light")) + Child(FiltersText()) +
         "\n\t<Neon.Shaders/>" + Child(BackgroundPictureText()) + "\n\t<Layers/>" + Child(ToneSettingsText()) +
         "\n</View.Info>";
}

}  // namespace QvZinTest
