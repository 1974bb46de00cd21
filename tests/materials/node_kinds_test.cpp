#include <gtest/gtest.h>

#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "materials/altitude_node.h"
#include "materials/chess_node.h"
#include "materials/custom_node.h"
#include "materials/fresnel_node.h"
#include "materials/glazing_node.h"
#include "materials/leaf_node.h"
#include "materials/mapping_node.h"
#include "materials/multi_texture_node.h"
#include "materials/node_kinds_texts.h"
#include "materials/turbulence_node.h"
#include "materials/wang_tiles_node.h"

using namespace QvZin;
using namespace QvZinTest;

namespace {

// Reads the node element text into a tree through link; the tree, or the error.
TZinComPtr<ITCENode> Read(const std::string& text, IZinMgrRef* link, std::string& error) {
  try {
    auto tree = Parse(text);
    CZinNodeReading reading(link);
    return GetNodeTree(tree->GetRoot()->GetFirstElement(), reading);
  } catch (const std::exception& e) {
    error = e.what();
  }
  return TZinComPtr<ITCENode>();
}

TEST(NodeKinds, NewGlazingNodeWritten) {
  Graph g;
  ITCENode* glazing = g.make(eGlazingNode, "0123456789ABCDEF0123456789ABCDEF");
  EXPECT_EQ(
      "<Owner\n\t Id=\"0123456789ABCDEF0123456789ABCDEF\"\n\t Type=\"Glazing\">\n\t<UI.Value>0</UI.Value>\n"
      "\t<X.Scale>50.000000</X.Scale>\n\t<Y.Scale>50.000000</Y.Scale>\n\t<Flatness>0.500000</Flatness>\n"
      "\t<Tilt.Detect/>\n\t<Tilt.Factor>0.500000</Tilt.Factor>\n\t<Speed>2.000000</Speed>\n</Owner>",
      Written(glazing));
  EXPECT_TRUE(g.link.take().empty());
}

TEST(NodeKinds, EveryKindReadsBackAsWritten) {
  for (int kind = eChessNode; kind <= eCustomNode; ++kind) {
    Graph g;
    ITCENode* node = g.make(static_cast<ETCENodeType>(kind));
    ASSERT_NE(nullptr, node) << kind;
    const std::string text = Written(node);
    std::string error;
    TZinComPtr<ITCENode> back = Read(text, &g.link, error);
    ASSERT_TRUE(back) << kind << ": " << error;
    EXPECT_EQ(kind, back->getType());
    EXPECT_EQ(text, Written(back.get())) << kind;
    EXPECT_TRUE(g.link.take().empty()) << kind;
  }
}

TEST(NodeKinds, LinkedMaps) {
  const CZinUUID a = CZinUUID::fromText("AAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAA");
  const CZinUUID b = CZinUUID::fromText("BBBBBBBBBBBBBBBBBBBBBBBBBBBBBBBB");
  Graph g;
  IMappingNode* mapping = g.make(eMappingNode)->asMappingNode();
  mapping->addLinkedMap(a);
  mapping->addLinkedMap(a);
  mapping->addLinkedMap(CZinUUID());
  mapping->addLinkedMap(b);
  EXPECT_EQ((Texts{"CMappingNode::addLinkedMap - Map already linked", "CMappingNode::addLinkedMap - NULL UUID is Invalid"}),
            g.link.take());
  ASSERT_EQ(2u, mapping->getMapLinkedCount());
  EXPECT_EQ(b, mapping->getMapLinked(1));
  EXPECT_TRUE(mapping->getMapLinked(2).isNull());
  EXPECT_EQ(Texts{"CMappingNode::getMapLinked - Invalid index"}, g.link.take());
  mapping->removeLinkedMap(a);
  EXPECT_TRUE(g.link.take().empty());
  mapping->removeLinkedMap(a);
  EXPECT_EQ(Texts{"CMappingNode::removeLinkedMap - Map isn't linked"}, g.link.take());
  EXPECT_EQ(1u, mapping->getMapLinkedCount());
  mapping->addLinkedMap(a);  // removed ids may come back
  EXPECT_TRUE(g.link.take().empty());

  // A file's zero and repeated ids warn as the client's would, and are dropped.
  std::string text = Written(g.made[0].get());
  const std::string linked = "\t<Maps.Linked>\n";
  text.insert(text.find(linked) + linked.size(),
              "<Map.Node Id=\"00000000000000000000000000000000\"/><Map.Node Id=\"AAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAA\"/>");
  std::string error;
  TZinComPtr<ITCENode> back = Read(text, &g.link, error);
  ASSERT_TRUE(back) << error;
  EXPECT_EQ((Texts{"CMappingNode::addLinkedMap - NULL UUID is Invalid", "CMappingNode::addLinkedMap - Map already linked"}),
            g.link.take());
  IMappingNode* read = back->asMappingNode();
  ASSERT_EQ(2u, read->getMapLinkedCount());
  EXPECT_EQ(a, read->getMapLinked(0));
  EXPECT_EQ(b, read->getMapLinked(1));
}

// Mapping nodes name themselves and their mapping parent in attributes of their own.
TEST(NodeKinds, MappingNodeIdentity) {
  Graph g;
  ITCENode* outer = g.make(eMappingNode, "000000000000000000000000000000A1");
  ITCENode* inner = g.make(eMappingNode, "000000000000000000000000000000A2");
  ITCENode* fresnel = g.make(eFresnelNode, "000000000000000000000000000000F1");
  ITCENode* below = g.make(eMappingNode, "000000000000000000000000000000A3");
  outer->addChild(inner);
  inner->addChild(fresnel);
  fresnel->addChild(below);
  const std::string text = Written(outer);
  for (const char* attributes : {"MappingNode.Id=\"000000000000000000000000000000A1\"\n\t MappingNode.Parent.Id=\"00000000000000000000000000000000\"",
                                 "MappingNode.Id=\"000000000000000000000000000000A2\"\n\t\t MappingNode.Parent.Id=\"000000000000000000000000000000A1\"",
                                 "MappingNode.Id=\"000000000000000000000000000000A3\"\n\t\t\t\t MappingNode.Parent.Id=\"00000000000000000000000000000000\""})
    EXPECT_NE(std::string::npos, text.find(attributes)) << attributes << "\n" << text;

  auto replaced = [&](const std::string& from, const std::string& to) { return Replaced(text, from, to); };
  const std::string parent2 = "MappingNode.Parent.Id=\"000000000000000000000000000000A1\"";
  const std::string id1 = "MappingNode.Id=\"000000000000000000000000000000A1\"";
  const std::pair<std::string, std::string> cases[] = {
      {text, ""},
      // The parent named is read before: the node still hangs where its element is.
      {replaced("MappingNode.Parent.Id=\"00000000000000000000000000000000\">\n\t\t\t\t<UI",
                "MappingNode.Parent.Id=\"000000000000000000000000000000A1\">\n\t\t\t\t<UI"),
       ""},
      {replaced(parent2, "MappingNode.Parent.Id=\"000000000000000000000000000000A9\""),
       "CZinXMLIO::GetMappingNode - ParentId refered by child before we meet the parent"},
      {replaced(parent2, "MappingNode.Parent.Id=\"000000000000000000000000000000F1\""),
       "CZinXMLIO::GetMappingNode - ParentId refered by child before we meet the parent"},
      {replaced(id1, ""), "CZinXMLIO::GetMappingNode - nodeId is NULL"},
      {replaced(id1, "MappingNode.Id=\"00000000000000000000000000000000\""), "CZinXMLIO::GetMappingNode - nodeId is NULL"},
  };
  for (const auto& [edited, result] : cases) {
    std::string error;
    TZinComPtr<ITCENode> back = Read(edited, &g.link, error);
    EXPECT_EQ(result, error);
    if (edited == text && back) {
      EXPECT_EQ(text, Written(back.get()));
    }
  }
  // The identity comes from "MappingNode.Id", not "Id".
  std::string error;
  TZinComPtr<ITCENode> back = Read(replaced("Id=\"000000000000000000000000000000A1\"\n\t Type", "Id=\"000000000000000000000000000000B1\"\n\t Type"),
                                   &g.link, error);
  ASSERT_TRUE(back) << error;
  EXPECT_EQ(CZinUUID::fromText("000000000000000000000000000000A1"), back->getId());

  auto leaf = Parse("<Node Type=\"Leaf\" MappingNode.Id=\"000000000000000000000000000000A1\"/>");
  CZinXMLGet in(leaf->GetRoot()->GetFirstElement());
  CZinNodeReading reading(nullptr);
  try {
    GetMappingNode(in, reading);
    ADD_FAILURE();
  } catch (const std::exception& e) {
    EXPECT_STREQ("CZinXMLIO::GetMappingNode : xml node is not a mapping node", e.what());
  }
  EXPECT_TRUE(g.link.take().empty());
}

TEST(NodeKinds, MapChannels) {
  Graph g;
  IMappingNode* mapping = g.make(eMappingNode)->asMappingNode();
  IZinMap* map = mapping->getMaps()->newZinObject(kZinEndOfList);
  EXPECT_EQ(1, map->getType());
  map->setType(4);
  map->setURL("maps/sky.png");
  const std::string text = Written(g.made[0].get());
  EXPECT_NE(std::string::npos, text.find("<URL Type=\"Reflection\">maps/sky.png</URL>")) << text;
  std::string older = text;
  older.replace(older.find("Reflection\">"), 10, "Refletion");
  std::string error;
  TZinComPtr<ITCENode> back = Read(older, &g.link, error);
  ASSERT_TRUE(back) << error;
  IZinMap* read = back->asMappingNode()->getMaps()->getZinObject(0);
  EXPECT_EQ(4, read->getType());
  EXPECT_STREQ("maps/sky.png", read->getURL());
  EXPECT_EQ(text, Written(back.get()));
}

TEST(NodeKinds, CustomNode) {
  Graph g;
  ITCENode* node = g.make(eCustomNode);
  node->addChild(g.make(eLeafNode));
  ICustomNode* custom = node->asCustomNode();
  EXPECT_STREQ("Unknown", custom->getClass());
  custom->setClass("Ivy");
  EXPECT_STREQ("Ivy", custom->getClass());
  EXPECT_TRUE(g.link.take().empty());

  // The copy is refused, whole, wherever a custom node sits.
  ITCENode* top = g.make(eFresnelNode);
  top->addChild(node);
  for (ITCENode* from : {node, top}) {
    try {
      CopyNodeTree(from, &g.link);
      ADD_FAILURE();
    } catch (const std::exception& e) {
      EXPECT_STREQ("Node is unknown", e.what());
    }
  }

  // Without "Custom.Data" the node warns, keeps a fresh one and reads its children.
  std::string text = Written(node);
  const size_t from = text.find("\t<Custom.Data");
  text.erase(from, text.find("\t<Childs>") - from);
  std::string error;
  TZinComPtr<ITCENode> back = Read(text, &g.link, error);
  ASSERT_TRUE(back) << error;
  EXPECT_EQ(Texts{"ICustomNode::initWithXML - invalid parameter"}, g.link.take());
  EXPECT_STREQ("Unknown", back->asCustomNode()->getClass());
  EXPECT_EQ(1u, back->getChildCount());

  // The attribute gone: both accessors warn, and setClass does not bring it back.
  QuorveXML::XIXMLElement* data = custom->getCustomData();
  data->RemoveAttribute(data->FindAttribute(data->GetKey("Class")));
  EXPECT_EQ(nullptr, custom->getClass());
  custom->setClass("Ivy");
  EXPECT_EQ(nullptr, custom->getClass());
  EXPECT_EQ((Texts{"ICustomNode::getClass - data integrity failed", "ICustomNode::setClass - data integrity failed",
                   "ICustomNode::getClass - data integrity failed"}),
            g.link.take());
}

// A copy takes every part: lists through their elements, tables, linked maps and
// optional cut-outs.
TEST(NodeKinds, CopiesCarryTheParts) {
  Graph g;
  IMappingNode* mapping = g.make(eMappingNode)->asMappingNode();
  mapping->getMaps()->newZinObject(kZinEndOfList)->setURL("a.png");
  mapping->addLinkedMap(CZinUUID::fromText("AAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAA"));
  mapping->setCutOut2Flag(true);
  mapping->setCutOut2(CZinColor(1, 2, 3));
  IAltitudeNode* altitude = g.make(eAltitudeNode)->asAltitudeNode();
  IZinSubPart* part = altitude->getSubParts()->newZinObject(kZinEndOfList);
  part->getMaps()->newZinObject(kZinEndOfList)->setWidth(2.5);
  IChessNode* chess = g.make(eChessNode)->asChessNode();
  chess->getTable2()->setLength(3);
  chess->getTable2()->setValue(1, 0.5f);
  chess->addChild(g.made[0].get());
  chess->addChild(g.made[1].get());
  TZinComPtr<ITCENode> copy = CopyNodeTree(chess, &g.link);
  EXPECT_EQ(Written(chess), Written(copy.get()));
  EXPECT_NE(std::string::npos, Written(copy.get()).find("Width=\"2.500000\"")) << Written(copy.get());
  EXPECT_TRUE(g.link.take().empty());
}

}  // namespace
