#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "ZinFileStreams.h"
#include "ZinSDK.h"
#include "test_support.h"
#include "materials/node_tree.h"
#include "materials/property.h"

using namespace QvZin;
using QvZinTest::CZeroAnsweringWriteStream;
using QvZinTest::FeedbackRecorder;
using QvZinTest::RunWithSmallStack;
using Texts = std::vector<std::string>;

namespace {

struct Manager {
  FeedbackRecorder feedback;
  IZinMgr* mgr = nullptr;
  Manager() { CZinEntryPoints::newZinMgr(&mgr, eZinVersionCurrent, &feedback); }
  ~Manager() { mgr->Release(); }
  IZinMgrEx* ex() { return mgr->getMgrEx(eZinVersionCurrent); }
  IZinProperty* newProperty() { return mgr->getProperties()->newZinObject(kZinEndOfList); }
  Texts warnings() {
    Texts texts = feedback.texts();
    feedback.warnings.clear();
    return texts;
  }
};

ITCENode* Add(IZinTCE* graph, ITCENode* parent, ETCENodeType kind, const char* id) {
  ITCENode* node = graph->createNode(kind);
  if (id) node->setId(CZinUUID::fromText(id));
  parent->addChild(node);
  node->Release();
  return node;
}

// A material: a chess board over a Fresnel mix of a leaf, and a mapping.
void FillMaterial(IZinProperty* property) {
  IZinTCE* graph = property->getTCE();
  ITCENode* chess = Add(graph, graph->getRootNode(), eChessNode, "00000000000000000000000000000001");
  ITCENode* fresnel = Add(graph, chess, eFresnelNode, "00000000000000000000000000000002");
  ITCENode* leaf = Add(graph, fresnel, eLeafNode, "00000000000000000000000000000003");
  ITCENode* mapping = Add(graph, chess, eMappingNode, "00000000000000000000000000000004");
  leaf->setShader(true);
  mapping->setUIValue(-2);
}

// The tree under node, one line per node: depth, kind, id, UI value, shader flag.
std::string TreeText(ITCENode* node) {
  std::string text;
  std::vector<std::pair<ITCENode*, int>> stack{{node, 0}};
  while (!stack.empty()) {
    auto [at, depth] = stack.back();
    stack.pop_back();
    char id[33];
    at->getId().toText(id);
    text += std::string(static_cast<size_t>(depth), ' ') + std::to_string(at->getType()) + " " + id + " " +
            std::to_string(at->getUIValue()) + (at->isShader() ? " shader" : "") + "\n";
    for (uint32_t i = at->getChildCount(); i-- > 0;) stack.emplace_back(at->getChild(i), depth + 1);
  }
  return text;
}

std::string Written(Manager& m, IZinProperty* property) {
  CZinMemoryWriteStream out;
  EXPECT_TRUE(m.ex()->writeShader(property, &out));
  return out.bytes();
}

TEST(ShaderFile, WrittenShaderReadsBackIntoAnotherProperty) {
  Manager m;
  IZinProperty* source = m.newProperty();
  FillMaterial(source);
  const std::string file = Written(m, source);
  const std::string head =
      "<Zin.Shader>\n\t<Node\n\t\t Id=\"00000000000000000000000000000001\"\n\t\t Type=\"Chess\"\n\t\t Geometry=\"Cube\">\n"
      "\t\t<UI.Value>0</UI.Value>\n";
  EXPECT_EQ(head, file.substr(0, head.size()));
  EXPECT_EQ("\t</Node>\n</Zin.Shader>\n", file.substr(file.size() - 23));
  EXPECT_NE(std::string::npos, file.find("\t\t\t\t<Shader/>\n"));

  Manager other;
  IZinProperty* target = other.newProperty();
  CZinMemoryReadStream in(file);
  ASSERT_TRUE(other.ex()->readShader(target, &in));
  ITCENode* read = target->getTCE()->getRootNode();
  EXPECT_EQ(TreeText(source->getTCE()->getRootNode()->getChild(0)), TreeText(read->getChild(0)));
  EXPECT_EQ(Written(m, source), Written(other, target));
  EXPECT_EQ(Texts{}, m.warnings());
  EXPECT_EQ(Texts{}, other.warnings());

  // A second read replaces the top node and keeps what else the root holds.
  ITCENode* extra = Add(target->getTCE(), read, eLeafNode, "000000000000000000000000000000EE");
  CZinMemoryReadStream again(file);
  ASSERT_TRUE(other.ex()->readShader(target, &again));
  ASSERT_EQ(2u, read->getChildCount());
  EXPECT_EQ(eChessNode, read->getChild(0)->getType());
  EXPECT_EQ(extra, read->getChild(1));
}

// The element of a new leaf node ...A with UI value 4 and the shader flag, as written.
std::string LeafElement() {
  Manager m;
  IZinProperty* property = m.newProperty();
  ITCENode* leaf = Add(property->getTCE(), property->getTCE()->getRootNode(), eLeafNode, "0000000000000000000000000000000A");
  leaf->setUIValue(4);
  leaf->setShader(true);
  const std::string file = Written(m, property);
  const size_t from = file.find("<Node");
  return file.substr(from, file.rfind("</Node>") + 7 - from);
}

TEST(ShaderFile, AcceptedForms) {
  const std::string node = LeafElement();
  const std::string property =
      "<Property Id=\"0000000000000000000000000000000B\" Overload.Prop.Index=\"0000000000000000000000000000000C\" "
      "Overload.Id=\"0000000000000000000000000000000D\"><Name en=\"Glass\"/><Smooth>0.5</Smooth><Bevel>0.1</Bevel>"
      "<Scale>2</Scale><URL>a.tce</URL><Shader.Name fr=\"Verre\"/><Editor.Name>e</Editor.Name>" +
      node + "</Property>";
  struct Case {
    std::string file;
    const char* name;  // of the property after the read
  };
  const Case cases[] = {
      {"<Quorve.Shader>" + node + "</Quorve.Shader>", "Material #0"},
      {"<Zin.Shader>" + node + "</Zin.Shader>", "Material #0"},
      {"<?xml version=\"1.0\"?>\n<Zin.Shader>" + node + "</Zin.Shader>\n", "Material #0"},
      {"<Zin.Shader>" + property + "</Zin.Shader>", "Glass"},
      {"<Zin.Shader><Other/>" + property + node + "</Zin.Shader>", "Glass"},
  };
  for (const Case& c : cases) {
    Manager m;
    IZinProperty* target = m.newProperty();
    QvZinTest::CRecordingReadStream in(c.file);
    ASSERT_TRUE(m.ex()->readShader(target, &in)) << c.file;
    EXPECT_EQ((Texts{"tell", "read 1->1", "seek 0"}), Texts(in.calls.begin(), in.calls.begin() + 3));
    EXPECT_STREQ(c.name, target->getBasicData()->getName());
    ITCENode* top = target->getTCE()->getRootNode()->getChild(0);
    ASSERT_NE(nullptr, top) << c.file;
    EXPECT_EQ(eLeafNode, top->getType());
    EXPECT_EQ(4, top->getUIValue());
    EXPECT_TRUE(top->isShader());
    EXPECT_EQ(Texts{}, m.warnings());
  }
}

TEST(ShaderFile, ReadFailuresLeaveThePropertyAsItWas) {
  const std::string leaf = "<Node Id=\"0000000000000000000000000000000A\" Type=\"Leaf\"><UI.Value>0</UI.Value></Node>";
  struct Case {
    std::string file;
    const char* warning;
  };
  const Case cases[] = {
      {" <Zin.Shader>" + leaf + "</Zin.Shader>", "CZIN::readShader - Only XML shader are supported"},
      {"", "CZIN::readShader - Only XML shader are supported"},
      {"<Other>" + leaf + "</Other>", "This is not a shader (pointer is NULL)"},
      {"<Zin.Shader><Nodes/></Zin.Shader>", "Missing property data (pointer is NULL)"},
      {"<Quorve.Shader><Property/></Quorve.Shader>", "CZinXMLGet::GetElement - NULL ptr for tag Node"},
      {"<Zin.Shader><Node Id=\"0000000000000000000000000000000A\" Type=\"Root\"><UI.Value>0</UI.Value></Node>"
       "</Zin.Shader>",
       "Can't root's child (assertion failed)"},
      {"<Zin.Shader><Node Id=\"0000000000000000000000000000000A\" Type=\"Leaves\"/></Zin.Shader>",
       "Invalid label (Leaves) [Root..Custom]"},
      {"<Zin.Shader><Node Id=\"0000000000000000000000000000000A\" Type=\"Fresnel\"><UI.Value>0</UI.Value>"
       "<Min.Reflection>0</Min.Reflection><Power.Factor>5</Power.Factor><Node Type=\"Leaf\"/></Node></Zin.Shader>",
       "CZinXMLGet::GetUUID - NULL ptr for tag Id"},
  };
  for (const Case& c : cases) {
    Manager m;
    IZinProperty* target = m.newProperty();
    FillMaterial(target);
    const std::string before = TreeText(target->getTCE()->getRootNode());
    CZinMemoryReadStream in(c.file);
    EXPECT_FALSE(m.ex()->readShader(target, &in)) << c.file;
    EXPECT_EQ(Texts{c.warning}, m.warnings()) << c.file;
    EXPECT_EQ(before, TreeText(target->getTCE()->getRootNode())) << c.file;
  }

  Manager m;
  const std::string file = "<Zin.Shader>" + leaf + "</Zin.Shader>";
  CZinMemoryReadStream in(file);
  EXPECT_FALSE(m.ex()->readShader(m.newProperty(), nullptr));
  EXPECT_FALSE(m.ex()->readShader(nullptr, &in));
  EXPECT_FALSE(m.ex()->readShader(nullptr, nullptr));
  EXPECT_EQ((Texts{"read stream is NULL (pointer is NULL)", "Property is NULL (pointer is NULL)",
                   "read stream is NULL (pointer is NULL)"}),
            m.warnings());
}

TEST(ShaderFile, WriteFailures) {
  Manager m;
  IZinProperty* empty = m.newProperty();
  IZinProperty* full = m.newProperty();
  FillMaterial(full);
  CZinMemoryWriteStream out;
  EXPECT_FALSE(m.ex()->writeShader(nullptr, &out));
  EXPECT_FALSE(m.ex()->writeShader(empty, &out));
  EXPECT_FALSE(m.ex()->writeShader(full, nullptr));
  EXPECT_EQ((Texts{"Property is NULL (pointer is NULL)", "Property root's child is NULL (pointer is NULL)",
                 "IZinWriteStream is NULL (pointer is NULL)"}),
            m.warnings());
  EXPECT_EQ("", out.bytes());
  CZeroAnsweringWriteStream zero;
  EXPECT_TRUE(m.ex()->writeShader(full, &zero));
  EXPECT_EQ(Written(m, full), zero.bytes);
  EXPECT_EQ(Texts{}, m.warnings());
}

// A shader file of one Fresnel node as the library writes it, whatever its settings,
// nested depth times as its own sub-node.
std::string Chain(int depth) {
  Manager m;
  IZinProperty* one = m.newProperty();
  Add(one->getTCE(), one->getTCE()->getRootNode(), eFresnelNode, "00000000000000000000000000000001");
  const std::string single = Written(m, one);
  const size_t open = single.find("<Node");
  const std::string head = single.substr(open, single.rfind("</Node>") - open);
  std::string file = "<Zin.Shader>";
  file.reserve((head.size() + 8) * static_cast<size_t>(depth) + 32);
  for (int i = 0; i < depth; ++i) file += head;
  for (int i = 0; i < depth; ++i) file += "</Node>";
  return file + "</Zin.Shader>";
}

TEST(ShaderFile, DeepChains) {
  struct Case {
    int depth;
    Texts warnings;
  };
  const Case cases[] = {{100, {}}, {101, {"Node tree deeper than 100 levels"}}, {100000, {"Node tree deeper than 100 levels"}}};
  for (const Case& c : cases) {
    const std::string file = Chain(c.depth);
    RunWithSmallStack([&] {
      Manager m;
      IZinProperty* target = m.newProperty();
      CZinMemoryReadStream in(file);
      EXPECT_EQ(c.warnings.empty(), m.ex()->readShader(target, &in));
      EXPECT_EQ(c.warnings, m.warnings()) << c.depth;
      ITCENode* at = target->getTCE()->getRootNode();
      int depth = 0;
      while (at->getChildCount() == 1) at = at->getChild(0), ++depth;
      EXPECT_EQ(c.warnings.empty() ? c.depth : 0, depth);
      if (depth) {
        CZinMemoryWriteStream out;
        EXPECT_TRUE(m.ex()->writeShader(target, &out));
        // A node more and the tree no longer writes.
        Add(target->getTCE(), at, eFresnelNode, "00000000000000000000000000000002");
        EXPECT_FALSE(m.ex()->writeShader(target, &out));
        EXPECT_EQ(Texts{"Node tree deeper than 100 levels"}, m.warnings());
      }
    });  // the manager and its tree released inside the small stack too
  }
}

TEST(ShaderFile, PropertiesInADocument) {
  // The properties collection: each property whole, its tree, id and UI value included.
  Manager m;
  IZinProperty* first = m.newProperty();
  FillMaterial(first);
  first->getBasicData()->setUIValue(17);
  m.newProperty();  // a new one: no "Node", no "UI.Value"
  CZinMemoryWriteStream out;
  ASSERT_TRUE(m.mgr->write(&out, nullptr));
  Manager other;
  CZinMemoryReadStream in(out.bytes());
  ASSERT_TRUE(other.mgr->read(&in, nullptr));
  TZinObjectMgr<IZinProperty>* read = other.mgr->getProperties();
  ASSERT_EQ(2u, read->getCount());
  EXPECT_EQ(17, read->getZinObject(0)->getBasicData()->getUIValue());
  EXPECT_EQ(*first->getBasicData()->getId(), *read->getZinObject(0)->getBasicData()->getId());
  EXPECT_EQ(TreeText(first->getTCE()->getRootNode()->getChild(0)),
            TreeText(read->getZinObject(0)->getTCE()->getRootNode()->getChild(0)));
  EXPECT_EQ(0u, read->getZinObject(1)->getTCE()->getRootNode()->getChildCount());
  CZinMemoryWriteStream again;
  ASSERT_TRUE(other.mgr->write(&again, nullptr));
  EXPECT_EQ(out.bytes(), again.bytes());
  EXPECT_EQ(Texts{}, m.warnings());
}


// A material with a node of every kind, each with settings, lists and tables away
// from a new node's: what a shader file and a document carry of each.
TEST(ShaderFile, EveryKindThroughAShaderFileAndADocument) {
  Manager m;
  IZinProperty* source = m.newProperty();
  IZinTCE* graph = source->getTCE();
  ITCENode* custom = Add(graph, graph->getRootNode(), eCustomNode, "00000000000000000000000000000001");
  custom->asCustomNode()->setClass("Ivy");
  for (int kind = eChessNode; kind < eCustomNode; ++kind) Add(graph, custom, static_cast<ETCENodeType>(kind), nullptr);
  Add(graph, custom->getChild(0), eMappingNode, "00000000000000000000000000000002");
  Add(graph, custom->getChild(1), eMappingNode, "00000000000000000000000000000003");
  custom->getChild(0)->asChessNode()->getTable1()->setLength(2);
  custom->getChild(0)->asChessNode()->setZAxis(CZinVector3D(0, 0, 1));
  IMappingNode* mapping = custom->getChild(1)->asMappingNode();
  mapping->getMaps()->newZinObject(kZinEndOfList)->setType(4);
  mapping->addLinkedMap(CZinUUID::fromText("00000000000000000000000000000002"));
  mapping->setCutOut2Flag(true);
  mapping->setCutOut2(CZinColor(9, 8, 7));
  custom->getChild(2)->asTurbulenceNode()->setSize(4);
  custom->getChild(3)->asLeafNode()->setIlluminationModel(1);
  custom->getChild(4)->asFresnelNode()->setMinReflection(1.5);
  custom->getChild(5)->asFresnelDiffuseNode()->setMinReflection(-1);
  custom->getChild(6)->asGlazingNode()->setTiltDetect(false);
  IZinSubPart* part = custom->getChild(7)->asAltitudeNode()->getSubParts()->newZinObject(kZinEndOfList);
  part->getMaps()->newZinObject(kZinEndOfList)->setURL("maps/snow.png");
  custom->getChild(8)->asMultiTextureNode()->setProjection(0);
  custom->getChild(9)->asWangTilesNode()->getMaps()->newZinObject(kZinEndOfList)->setType(11);
  EXPECT_EQ((Texts{"IFresnelNode::setMinReflection - Value is higer than 1",
                   "IFresnelNode::setMinReflection - Value is lower than 0"}),
            m.warnings());

  const std::string file = Written(m, source);
  for (const char* part : {"<CutOut2", "Type=\"Reflection\"", "Type=\"Movie\"", "maps/snow.png", "Class=\"Ivy\"",
                           "Projection=\"Planetary\"", "MappingNode.Parent.Id=\"00000000000000000000000000000000\"",
                           "<Map.Node Id=\"00000000000000000000000000000002\"/>", "Illumination.Model=\"Cook.Torrance\""})
    EXPECT_NE(std::string::npos, file.find(part)) << part;
  Manager other;
  IZinProperty* target = other.newProperty();
  CZinMemoryReadStream in(file);
  ASSERT_TRUE(other.ex()->readShader(target, &in));
  EXPECT_EQ(file, Written(other, target));

  CZinMemoryWriteStream document;
  ASSERT_TRUE(m.mgr->write(&document, nullptr));
  Manager third;
  CZinMemoryReadStream again(document.bytes());
  ASSERT_TRUE(third.mgr->read(&again, nullptr));
  EXPECT_EQ(file, Written(third, third.mgr->getProperties()->getZinObject(0)));
  EXPECT_EQ(Texts{}, other.warnings());
}

TEST(ShaderFile, ANodeThatCannotBeReadFailsTheDocumentRead) {
  Manager m;
  FillMaterial(m.newProperty());
  CZinMemoryWriteStream out;
  ASSERT_TRUE(m.mgr->write(&out, nullptr));
  struct Case {
    const char* written;
    const char* changed;
    const char* warning;
  };
  const Case cases[] = {
      {"Type=\"Leaf\"", "Type=\"Leaves\"", "Invalid label (Leaves) [Root..Custom]"},
      {"Type=\"Leaf\"", "Type=\"Root\"", "CZinTCE::createNode - eRootNode node cannot be created"},
      {"Type=\"Chess\"", "Type=\"Root\"", "Can't root's child (assertion failed)"},  // the top node
      {" Id=\"00000000000000000000000000000003\"", "", "CZinXMLGet::GetUUID - NULL ptr for tag Id"},
  };
  for (const Case& c : cases) {
    std::string file = out.bytes();
    const size_t at = file.find(c.written);
    ASSERT_NE(std::string::npos, at) << c.written;
    file.replace(at, std::strlen(c.written), c.changed);
    Manager other;
    CZinMemoryReadStream in(file);
    EXPECT_FALSE(other.mgr->read(&in, nullptr)) << c.warning;
    // The read's own warning comes last, after the empty geometry blocks' notes.
    const Texts warnings = other.warnings();
    EXPECT_EQ(c.warning, warnings.empty() ? "" : warnings.back());
  }
}

}  // namespace
