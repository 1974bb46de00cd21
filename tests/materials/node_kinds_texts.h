// The exact elements that new nodes of each kind write as their content, and the
// maps and sub-parts they hold; and what the node tests share to make, write and
// parse graphs.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "framework/recording_link.h"
#include "fuzz/fuzz_support.h"
#include "materials/node_tree.h"
#include "materials/tce.h"
#include "scene/effects_texts.h"
#include "serialization/field_walk.h"
#include "xml/tree_reader.h"

namespace QvZinTest {

inline std::string Value(const char* tag, const char* text) { return std::string("\n\t<") + tag + ">" + text + "</" + tag + ">"; }
inline std::string Zero(const char* tag) { return Value(tag, "0.000000"); }
inline std::string Point(const char* tag) { return Child(ZeroPoint(tag)); }
inline std::string Colour(const char* tag, int level = 0) { return Child(Colour(tag, level, level, level)); }
inline std::string Empty(const char* tag) { return std::string("\n\t<") + tag + "/>"; }
inline std::string Table(const char* tag) { return std::string("\n\t<") + tag + " Length=\"0\"/>"; }
inline std::string Element(const std::string& start, const char* tag, const std::string& body) {
  return "<" + start + ">" + body + "\n</" + tag + ">";
}

const std::string kMapText = "<URL Type=\"Diffuse\"/>";
const std::string kMultiMapsText = "<URL\n\t Type=\"Diffuse\"\n\t Width=\"1.000000\"\n\t Height=\"1.000000\"/>";
const std::string kMixText = Value("Mix.Value", "0.000000") + Colour("Mix.Color", 127);

const std::string kChessText =
    Element("Chess Geometry=\"Cube\"", "Chess",
            Point("Origin") + Point("X.Axis") + Point("Y.Axis") + Point("Z.Axis") + Point("Size") + Point("Proportion") +
                Table("Table1") + Table("Table2") + Table("Table3"));

const std::string kMappingText = Element(
    "Mapping Projection=\"X.Cylindrical\"", "Mapping",
    Empty("Maps") + Empty("Maps.Linked") + Point("Normal") + Point("Origin") + Point("X.Axis") + Point("Y.Axis") +
        Zero("Angle") + Value("Width", "1.000000") + Value("Height", "1.000000") + Zero("Bump") + Zero("Relief") +
        Value("X.Center", "0.500000") + Value("Y.Center", "0.500000") + Zero("X.Delta") + Zero("Y.Delta") +
        Value("Glossy", "1000.000000") + Colour("Specular") + Colour("Transparent") + Colour("Reflection") +
        Zero("Reflection.Limit") + Empty("Visible") + Colour("Mix.Color", 127) + Zero("Mix.Value") +
        Zero("Brightness") + Value("Contrast", "1.000000") + Value("Frame", "0") + Value("Movie.Length", "0") +
        Zero("Normal.Map"));

const std::string kTurbulenceText = Element(
    "Turbulence", "Turbulence", Point("Origin") + Point("Amplitude") + Point("Direction") + Zero("Size") + Table("Table"));

const std::string kLeafText = Element(
    "Leaf\n\t Shape=\"General\"\n\t Illumination.Model=\"Phong\"", "Leaf",
    Colour("Diffuse", 100) + Colour("Transparent") + Colour("Specular") + Colour("Reflection") + Colour("Neon.Color") +
        Zero("Neon.Value") + Value("Refraction", "1.000000") + Value("Glossy", "1000.000000") +
        Colour("Emitting.Color") + Zero("Emitting.Power") + Zero("Reflection.Limit") +
        Value("Glossy.Reflection.Sampling", "0") + Value("Glossy.Refraction.Sampling", "0") + Zero("Roughness") +
        Value("Reflectance", "1.000000") + Value("Glossy.Reflection.Shininess", "1") +
        Value("Glossy.Refraction.Shininess", "1"));

const std::string kFresnelText =
    Element("Fresnel", "Fresnel", Value("Min.Reflection", "0.050000") + Value("Power.Factor", "5.000000"));

const std::string kGlazingText =
    Element("Glazing", "Glazing",
            Value("X.Scale", "50.000000") + Value("Y.Scale", "50.000000") + Value("Flatness", "0.500000") +
                Empty("Tilt.Detect") + Value("Tilt.Factor", "0.500000") + Value("Speed", "2.000000"));

const std::string kAltitudeText = Element(
    "Altitude", "Altitude",
    Zero("Angle") + Point("Origin") + Zero("X.Center") + Zero("Y.Center") + Value("HighStartValue", "0.700000") +
        Value("MedStartValue", "0.500000") + Value("Smoothness", "1.000000") + Zero("Slope") +
        Value("SlopeAmplify", "1.000000") + Value("TransitionContrast", "0.800000") + Zero("RandomSeed") +
        Zero("Bump") + Zero("Normal.Map") + kMixText + Empty("Sub.Parts"));

const std::string kPlaceText = Zero("Angle") + Point("Origin") + Zero("X.Center") + Zero("Y.Center") +
                               Point("Normal") + Point("X.Axis") + Point("Y.Axis");

const std::string kMultiTextureText = Element(
    "MultiTexture Projection=\"Vertical\"", "MultiTexture",
    kPlaceText + Empty("Sub.Parts") + Colour("Reflection") + Zero("Reflection.Limit") +
        Value("Glossy", "1000.000000") + Zero("Bump") + Zero("Normal.Map") + kMixText +
        Value("Threshold1", "0.500000") + Value("Threshold2", "0.800000") + Value("Transition", "0.200000") +
        Value("Resolution", "512.000000") + Zero("RandomSeed"));

const std::string kWangTilesText = Element(
    "WangTiles Projection=\"Vertical\"", "WangTiles",
    kPlaceText + Zero("RandomSeed") + Value("TexturesWidth", "1.000000") + Value("TexturesHeight", "1.000000") +
        Colour("Reflection") + Zero("Reflection.Limit") + Value("Glossy", "1.000000") + Zero("Bump") +
        Zero("Normal.Map") + kMixText + Colour("Transparent") + Zero("Ambient") +
        "\n\t<Sub.Parts>\n\t\t<Maps/>\n\t</Sub.Parts>");

const std::string kCustomText = "<Custom>\n\t<Custom.Data Class=\"Unknown\"/>\n</Custom>";

/// A node kind's content text split for a node element: the attributes its start
/// tag adds, and its children's lines.
struct KindText {
  std::string attributes;
  std::string body;
};
inline KindText SplitKindText(const std::string& text) {
  const size_t open = text.find('>');
  const std::string start = text.substr(1, open - 1);
  const size_t space = start.find_first_of(" \n");
  return {space == std::string::npos ? "" : start.substr(space), text.substr(open + 1, text.rfind("\n</") - open - 1)};
}

/// A graph and the nodes made for a test.
struct Graph {
  RecordingLink link;
  TZinComPtr<CZinTCE> tce{CreateZinObject<CZinTCE>(&link)};
  std::vector<TZinComPtr<ITCENode>> made;

  ~Graph() {
    made.clear();
    tce.reset();
  }
  ITCENode* make(ETCENodeType kind, const char* id = nullptr) {
    made.emplace_back();
    made.back().attach(tce->createNode(kind));
    if (id) made.back()->setId(CZinUUID::fromText(id));
    return made.back().get();
  }
};

/// The element that node's tree writes, in a document's "Owner".
inline std::string Written(ITCENode* node) {
  Document document;
  PutNodeTree(document.owner, *CTCENode::From(node));
  return TextOf(document.owner);
}

inline std::unique_ptr<QuorveXML::XCXMLTree> Parse(const std::string& text) {
  QuorveXML::CXMLTreeReader reader;
  ZinFuzz::CBytesReadStream stream(text);
  return std::unique_ptr<QuorveXML::XCXMLTree>(reader.Read(&stream));
}

}  // namespace QvZinTest
