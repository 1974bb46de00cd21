// How the field walk sees a property's graph, for every walk that reaches a
// property (the properties' own, and the owners of one).
#pragma once

#include <string>

#include "materials/tce.h"
#include "serialization/field_walk.h"

namespace QvZin {

// The graph of a property as the field walk sees it: its element, node tree
// included; moved away, every setting changes and it gains a small tree.
inline std::string PartText(CZinGraph& part) {
  QvZinTest::Document document;
  CZinXMLAdd out(document.owner);
  ZinGraph::Put(out, part);
  return QvZinTest::TextOf(document.owner);
}

inline void MoveAway(CZinGraph& part, const ZinGraph&) {
  CZinTCE& graph = part.tce();
  graph.setURL("shaders/brick.tce");
  graph.setShaderId(CZinUUID::fromText("5555555555555555555555555555555A"));
  graph.getShaderName()->set(ZinLanguageCode("de"), "Ziegel");
  graph.setUIValue(12);
  graph.setEditorName("Editor <2>");
  TZinComPtr<ITCENode> top, under;
  top.attach(graph.createNode(eFresnelNode));
  under.attach(graph.createNode(eLeafNode));
  under->setShader(true);
  top->addChild(under.get());
  graph.setTopNode(top.get());
}

}  // namespace QvZin

namespace QvZinTest {

/// The element a new property writes, its ids drawn anew written as zeros.
const std::string kPropertyText =
    "<Property\n\t Id=\"00000000000000000000000000000000\"\n"
    "\t Overload.Prop.Index=\"00000000000000000000000000000000\"\n"
    "\t Overload.Id=\"00000000000000000000000000000000\">\n"
    "\t<Name en=\"Material #0\"/>\n\t<Visible/>\n\t<Cast.Shadow/>\n\t<Receive.Shadow/>\n"
    "\t<Smooth>1.000000</Smooth>\n\t<Bevel>0.000000</Bevel>\n\t<Scale>1.000000</Scale>\n"
    "\t<URL></URL>\n\t<Shader.Name/>\n\t<Editor.Name></Editor.Name>\n</Property>";

}  // namespace QvZinTest
