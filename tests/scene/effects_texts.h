// The exact elements that new image effects write, for the tests of the effects
// themselves and of the views and environments that hold them.
#pragma once

#include <string>

namespace QvZinTest {

const std::string kZeroIdText(32, '0');

/// element moved depth levels down: a tab more after every line break.
inline std::string Nest(const std::string& element, int depth) {
  std::string out;
  for (char c : element) {
    out += c;
    if (c == '\n') out.append(static_cast<size_t>(depth), '\t');
  }
  return out;
}

/// A child line of an element at depth 0: a line break, a tab, the child moved down.
inline std::string Child(const std::string& element) { return "\n\t" + Nest(element, 1); }

inline std::string PointText(const char* tag, const char* x, const char* y, const char* z) {
  return std::string("<") + tag + "\n\t X=\"" + x + "\"\n\t Y=\"" + y + "\"\n\t Z=\"" + z + "\"/>";
}
inline std::string OriginText(const char* tag) { return PointText(tag, "0.000000", "0.000000", "0.000000"); }
inline std::string ColourText(const char* tag, int r, int g, int b) {
  return std::string("<") + tag + "\n\t R=\"" + std::to_string(r) + "\"\n\t G=\"" + std::to_string(g) +
         "\"\n\t B=\"" + std::to_string(b) + "\"/>";
}
inline std::string WhiteText(const char* tag) { return ColourText(tag, 255, 255, 255); }

inline constexpr char kCloudsText[] =
    "<Clouds>\n\t<Cumulus.Size>0.600000</Cumulus.Size>\n\t<Cumulus.Seed>0</Cumulus.Seed>"
    "\n\t<Cirrus.Size>0.500000</Cirrus.Size>\n\t<Cirrus.Seed>0</Cirrus.Seed>\n\t<Stratus.Size>0.200000</Stratus.Size>"
    "\n\t<Stratus.Seed>0</Stratus.Seed>\n\t<Cirrocumulus.Size>0.400000</Cirrocumulus.Size>"
    "\n\t<Cirrocumulus.Seed>0</Cirrocumulus.Seed>\n\t<Wind.Speed>20.000000</Wind.Speed>"
    "\n\t<Wind.Direction>0.000000</Wind.Direction>\n</Clouds>";

inline std::string FogText() {
  return "<Fog>" + Child(ColourText("Color", 221, 221, 221)) +
         "\n\t<Density>0.500000</Density>\n\t<Start.Distance>50.000000</Start.Distance>"
         "\n\t<End.Distance>2500.000000</End.Distance>\n\t<Altitude>300.000000</Altitude>\n</Fog>";
}

inline std::string ForegroundText() {
  return "<Foregroung Id=\"" + kZeroIdText +
         "\">\n\t<URL></URL>\n\t<Position.X>0.000000</Position.X>\n\t<Position.Y>0.000000</Position.Y>"
         "\n\t<Size.X>1.000000</Size.X>\n\t<Size.Y>1.000000</Size.Y>\n\t<Intensity>0.500000</Intensity>"
         "\n\t<Keep.Proportions/>\n</Foregroung>";
}

inline std::string BackgroundPictureText() {
  return "<Background.Picture Type=\"None\">\n\t<URL></URL>" + Child(WhiteText("First.Color")) +
         Child(WhiteText("Second.Color")) + Child(WhiteText("Third.Color")) + Child(ColourText("Fourth.Color", 0, 0, 0)) +
         "\n\t<H.Offset>0.000000</H.Offset>\n\t<V.Offset>0.000000</V.Offset>"
         "\n\t<Lighting.Intensity>0.500000</Lighting.Intensity>"
         "\n\t<Background.Intensity>0.500000</Background.Intensity>"
         "\n\t<Horizontal.Roll>0.000000</Horizontal.Roll>\n\t<Width>1.000000</Width>\n\t<Height>1.000000</Height>"
         "\n\t<Keep.Proportions/>\n</Background.Picture>";
}

inline std::string DepthOfFieldText() {
  return "<Depth.Of.Field Type=\"FromPoint\">" + Child(OriginText("Clearness.Point")) +
         "\n\t<Clearness.Dist.Inv>0.000000</Clearness.Dist.Inv>"
         "\n\t<Clearness.Size.Inv>0.000000</Clearness.Size.Inv>\n</Depth.Of.Field>";
}

inline std::string ClippingBoxText() {
  return "<Clipping.Box>" + Child(OriginText("Minimum")) + Child(OriginText("Maximum")) + Child(OriginText("Pivot")) +
         "\n\t<Angle>0.000000</Angle>\n</Clipping.Box>";
}

/// A camera light or, tagged "Radiosity.Light", a radiosity light.
inline std::string CameraLightText(const std::string& tag) {
  return "<" + tag + ">" + Child(WhiteText("Color")) + "\n\t<Power>1.000000</Power>\n</" + tag + ">";
}

inline std::string FiltersText() {
  const std::string imageSettings = "<Image.Settings.Filter>\n\t<Active/>\n\t<Brightness>0.500000</Brightness>"
                                    "\n\t<Contrast>0.500000</Contrast>\n\t<Saturation>0.500000</Saturation>" +
                                    Child(WhiteText("Mix.Color")) + "\n</Image.Settings.Filter>";
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

/// A new view information, its own id shown as id.
inline std::string ViewInfoText(const std::string& id = kZeroIdText) {
  return "<View.Info\n\t UUID=\"" + id + "\"\n\t Environment=\"" + kZeroIdText + "\"\n\t Ground=\"" + kZeroIdText +
         "\">\n\t<UI.Value>0</UI.Value>" + Child(ForegroundText()) +
         "\n\t<Lights.Groups/>\n\t<Heliodon.Name en=\"\"/>" + Child(DepthOfFieldText()) + Child(ClippingBoxText()) +
         Child(CameraLightText("Camera.Light")) + Child(CameraLightText("Radiosity.Light")) + Child(FiltersText()) +
         "\n\t<Neon.Shaders/>" + Child(BackgroundPictureText()) + "\n\t<Layers/>" + Child(ToneSettingsText()) +
         "\n</View.Info>";
}

}  // namespace QvZinTest
