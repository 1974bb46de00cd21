// The elements that new objects of the objects' classes write (ids and dates drawn
// anew written as zeros).
#pragma once

#include <string>

#include "scene/scene_documents.h"

namespace QvZinTest {

/// A matrix element of four zero lines.
inline std::string ZeroMatrix(const char* tag) {
  std::string text = std::string("<") + tag + ">";
  for (int i = 0; i < 4; ++i)
    text += "\n\t<Line Index=\"" + std::to_string(i) + "\">0.000000, 0.000000, 0.000000, 0.000000</Line>";
  return text + "\n</" + tag + ">";
}
/// A date element of zeros.
inline std::string ZeroTime(const char* tag) {
  return std::string("<") + tag + ">\n\t<Month>0</Month>\n\t<Day>0</Day>\n\t<Hour>0</Hour>\n\t<Minute>0</Minute>" +
         "\n\t<Year>0</Year>\n</" + tag + ">";
}
inline std::string Up(const char* tag) { return Point(tag, "0.000000", "1.000000", "0.000000"); }

inline const std::string kSetupText = "<Setup UUID=\"" + kZeroId + "\">\n\t<Name/>\n</Setup>";
inline const std::string kDefinitionText =
    "<Object.Definition\n\t UUID=\"" + kZeroId + "\"\n\t Placement=\"Perpendicular\"\n\t LightGroupID=\"" + kZeroId +
    "\"\n\t Model.Origin=\"Uninitialized\">\n\t<Class en=\"\"/>\n\t<Name/>" + Child(ZeroPoint("Anchor")) + Child(Up("Up")) +
    "\n\t<Initial.Angle>0.000000</Initial.Angle>\n\t<Properties/>" + Child(ZeroPoint("Model.Rotation")) +
    Child(ZeroMatrix("Model.Rotation.Matrixs")) + Child(ZeroPoint("Model.Position")) +
    "\n\t<Description1/>\n\t<Description2/>\n\t<Comment/>\n\t<UIValue>0</UIValue>\n\t<Setups/>\n</Object.Definition>";
inline const std::string kInstanceText =
    "<Object.Instance\n\t Id=\"" + kZeroId + "\"\n\t Attach.Id=\"" + kZeroId +
    "\"\n\t Placement.Property=\"Perpendicular\"\n\t Animation.Behavior=\"Normal\"\n\t Layer.Id=\"" + kZeroId +
    "\"\n\t Overload.Id=\"" + kZeroId + "\">\n\t<Name en=\"\"/>\n\t<Class en=\"\"/>" + Child(ZeroPoint("Normal")) +
    Child(ZeroPoint("Translation")) + Child(ZeroPoint("Rotation")) +
    Child(Point("Scale", "1.000000", "1.000000", "1.000000")) + "\n\t<Triangle.Id>0</Triangle.Id>" +
    Child(ZeroPoint("Anchor.Position")) + Child(Up("Up.Vector")) + "\n\t<Initial.Angle>0.000000</Initial.Angle>" +
    Child("<Bounding.Box>" + Child(ZeroPoint("Min.Point")) + Child(ZeroPoint("Max.Point")) + "\n</Bounding.Box>") +
    "\n\t<UIValue>0</UIValue>" + Child(ZeroPoint("Current.Path.Direction")) +
    "\n\t<Transparency>0.000000</Transparency>\n\t<Visible/>\n\t<Instance.Data/>\n</Object.Instance>";
inline const std::string kLibraryInstanceText =
    "<Instance.Data Current.Overload=\"" + kZeroId + "\">\n\t<Properties/>\n\t<Lights/>\n</Instance.Data>";
inline const char kBBInstanceText[] =
    "<Instance.Data\n\t Render.Type=\"Normal\"\n\t Kind=\"Flat\">\n\t<Shininess>0.000000</Shininess>"
    "\n\t<Roughness>0.000000</Roughness>\n\t<Brightness>0.000000</Brightness>\n\t<Contrast>0.000000</Contrast>"
    "\n\t<Definition.Size>0.000000</Definition.Size>\n\t<Definition.Name/>\n\t<Current.Config>0</Current.Config>"
    "\n\t<Overloaded.Properties/>\n</Instance.Data>";
inline const char kAnimatedInstanceText[] =
    "<Instance.Data>\n\t<Current.Frame>0</Current.Frame>\n\t<Current.Take>0</Current.Take>"
    "\n\t<Real.Duration>0</Real.Duration>\n\t<Start.Frame>0</Start.Frame>\n\t<Overloaded.Properties/>\n</Instance.Data>";
inline const std::string kPlantRefText =
    "<Instance.Data Color=\"Undefined\">" + Child(ZeroTime("Time")) + "\n</Instance.Data>";
inline const std::string kComponentInstanceText =
    "<Instance.Data Component.UUID=\"" + kZeroId + "\">\n\t<Properties/>\n</Instance.Data>";
inline const std::string kPlantSetUpText = "<Plant.Setup\n\t Color=\"Undefined\"\n\t Id=\"" + kZeroId + "\">" +
                                           Child(ZeroTime("StartTime")) + Child(ZeroTime("EndTime")) + "\n</Plant.Setup>";
inline const char kPlantText[] = "<Object.Definition Plant.Type=\"Undefined\">\n\t<Plant.Setups/>\n</Object.Definition>";
inline const char kTakeText[] =
    "<Take Type=\"Predefined\">\n\t<Duration>0</Duration>\n\t<FPS>0</FPS>\n\t<Name/>\n\t<Z.Min>0.000000</Z.Min>"
    "\n\t<Z.Angle>0.000000</Z.Angle>\n</Take>";
inline const std::string kAnimatedObjectText =
    "<Object.Definition External.File.Type=\"Skeleton\">\n\t<External.File></External.File>\n\t<Index>0</Index>" +
    Child(ZeroMatrix("Initial.Matrix")) + "\n\t<Takes/>\n</Object.Definition>";
inline const std::string kBillboardText =
    "<Billboard>\n\t<Quads/>" +
    Child("<Texture>" + Child(ZeroPoint("Origin")) + Child(ZeroPoint("X.Axis")) + Child(ZeroPoint("Y.Axis")) +
          "\n\t<Width>0.000000</Width>\n\t<Height>0.000000</Height>\n\t<CutOut1/>\n\t<CutOut2/>\n\t<CutSet/>\n</Texture>") +
    Child("<Bb.Info>\n\t<Names/>\n\t<Behavior Kind=\"Flat\"/>\n\t<NbFaces>0</NbFaces>\n\t<Scale>0.000000</Scale>" +
          Child(ZeroPoint("Normal")) + "\n</Bb.Info>") +
    "\n</Billboard>";
// The manager's billboard data: a billboard's element with the manager's information
// and the property first.
inline const std::string kBBMgrDataText =
    Replaced(kBillboardText, "<Billboard>\n", "<Billboard>\n\t<Mgr.Info/>\n\t<Property/>\n");
inline const std::string kLayerText = "<Layer UUID=\"" + kZeroId + "\">\n\t<Name en=\"\"/>\n\t<UI.Value>0</UI.Value>\n</Layer>";
inline const std::string kLayerInfoText =
    "<Layers.Info Active.Layer=\"" + kZeroId + "\">\n\t<Default.Layer.Map\n\t\t Plant3D=\"" + kZeroId +
    "\"\n\t\t ZinObject=\"" + kZeroId + "\"\n\t\t Billboard=\"" + kZeroId + "\"\n\t\t LightObject=\"" + kZeroId +
    "\"\n\t\t AnimatedObject=\"" + kZeroId + "\"/>\n</Layers.Info>";

}  // namespace QvZinTest
