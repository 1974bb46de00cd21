#include <gtest/gtest.h>

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <functional>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "ZinMgr.h"
#include "materials/node_kinds.h"
#include "materials/node_kinds_texts.h"

using namespace QvZin;
using namespace QvZinTest;

namespace {

// The children of node as indices into made.
std::string Children(Graph& g, ITCENode* node) {
  std::string text;
  for (uint32_t i = 0; i < node->getChildCount(); ++i)
    for (size_t m = 0; m < g.made.size(); ++m)
      if (g.made[m].get() == node->getChild(i)) text += std::to_string(m) + " ";
  return text;
}

ITCENode* ParentOf(ITCENode* node) {
  ITCENode* parent = node->getParent();
  if (parent) parent->Release();  // the tree holds it
  return parent;
}

TEST(NodeTree, ChildOperations) {
  using Edit = std::function<void(Graph&, ITCENode*, ITCENode*, ITCENode*)>;
  const std::pair<Edit, const char*> cases[] = {
      {[](Graph&, ITCENode* a, ITCENode* b, ITCENode* c) { a->addChild(b), a->addChild(c); }, "1 2 "},
      {[](Graph&, ITCENode* a, ITCENode* b, ITCENode*) { a->setChild(0, b); }, "1 "},  // at count: appends
      {[](Graph&, ITCENode* a, ITCENode* b, ITCENode* c) { a->addChild(b), a->setChild(2, c); }, "1 "},
      {[](Graph&, ITCENode* a, ITCENode* b, ITCENode* c) { a->addChild(b), a->setChild(0, c); }, "2 "},
      {[](Graph&, ITCENode* a, ITCENode* b, ITCENode* c) { a->addChild(b), a->addChild(c), a->removeChild(0); }, "2 "},
      {[](Graph&, ITCENode* a, ITCENode* b, ITCENode*) { a->addChild(b), a->removeChild(1); }, "1 "},
      {[](Graph&, ITCENode* a, ITCENode* b, ITCENode*) { a->addChild(b), a->addChild(nullptr), a->setChild(0, nullptr); },
       "1 "},
      // No node under itself, its parent or its grandparent, whatever the parent links say.
      {[](Graph&, ITCENode* a, ITCENode* b, ITCENode*) { a->addChild(a), a->addChild(b), a->setChild(0, a); }, "1 "},
      {[](Graph&, ITCENode* a, ITCENode* b, ITCENode*) { b->addChild(a), a->addChild(b), a->setChild(0, b); }, ""},
      {[](Graph&, ITCENode* a, ITCENode* b, ITCENode* c) { c->addChild(b), b->addChild(a), b->setParent(nullptr), a->addChild(c); },
       ""},
      {[](Graph& g, ITCENode* a, ITCENode*, ITCENode*) { g.tce->addChild(a), a->addChild(g.tce.get()); }, ""},
      {[](Graph&, ITCENode* a, ITCENode* b, ITCENode* c) { b->addChild(c), a->addChild(b), a->addChild(c); }, "1 2 "},
  };
  for (size_t i = 0; i < std::size(cases); ++i) {
    Graph g;
    ITCENode* a = g.make(eLeafNode);
    ITCENode* b = g.make(eChessNode);
    ITCENode* c = g.make(eGlazingNode);
    cases[i].first(g, a, b, c);
    EXPECT_EQ(cases[i].second, Children(g, a)) << i;
    EXPECT_TRUE(g.link.take().empty());
  }
}

TEST(NodeTree, ParentLinks) {
  Graph g;
  ITCENode* a = g.make(eLeafNode);
  ITCENode* b = g.make(eLeafNode);
  ITCENode* c = g.make(eLeafNode);
  a->addChild(b);
  EXPECT_EQ(a, ParentOf(b));
  a->setChild(0, c);
  EXPECT_EQ(nullptr, ParentOf(b));
  EXPECT_EQ(a, ParentOf(c));
  a->removeChild(0);
  EXPECT_EQ(nullptr, ParentOf(c));
  a->addChild(b);
  b->setParent(c);  // a link elsewhere survives the removal
  a->removeChild(0);
  EXPECT_EQ(c, ParentOf(b));
  {
    TZinComPtr<ITCENode> dying;
    dying.attach(g.tce->createNode(eChessNode));
    dying->addChild(a);
  }
  EXPECT_EQ(nullptr, ParentOf(a));
}

TEST(NodeTree, FindNodeSearchesTheLastChildFirst) {
  Graph g;
  ITCENode* top = g.make(eChessNode);
  ITCENode* first = g.make(eLeafNode);
  ITCENode* second = g.make(eFresnelNode);
  ITCENode* grandchild = g.make(eLeafNode);
  ITCENode* twin = g.make(eLeafNode);
  top->addChild(first), top->addChild(second), second->addChild(grandchild), second->addChild(twin);
  twin->setId(first->getId());
  EXPECT_EQ(top, top->findNode(top->getId()));
  EXPECT_EQ(grandchild, top->findNode(grandchild->getId()));
  EXPECT_EQ(twin, top->findNode(first->getId()));
  EXPECT_EQ(nullptr, top->findNode(CZinUUID::fromText("00000000000000000000000000000001")));
}

// The table slot of a virtual operation (the Itanium form of a pointer to one).
template <class F>
size_t Slot(F operation) {
  struct {
    uintptr_t pointer;
    ptrdiff_t adjust;
  } form;
  static_assert(sizeof form == sizeof operation, "a pointer to a member operation");
  std::memcpy(&form, &operation, sizeof form);
  return (form.pointer - 1) / sizeof(void*);
}

TEST(NodeTree, InterfaceSlots) {
  const std::vector<size_t> managerEx = {
      Slot(&IZinMgrEx::getAnimations),     Slot(&IZinMgrEx::getBBMgrData),      Slot(&IZinMgrEx::readShader),
      Slot(&IZinMgrEx::writeShader),       Slot(&IZinMgrEx::getWorkingWindows), Slot(&IZinMgrEx::newShaderProperty),
      Slot(&IZinMgrEx::removeShaderProperty), Slot(&IZinMgrEx::getRenderConfig)};
  EXPECT_EQ((std::vector<size_t>{0, 1, 2, 3, 4, 5, 6, 7}), managerEx);
  // After the counting, the destructor's two slots and the basic-object operations.
  EXPECT_EQ(7u, Slot(&ITCENode::getParent));
  const std::vector<size_t> casts = {
      Slot(&ITCENode::getType),          Slot(&ITCENode::asRootNode),      Slot(&ITCENode::asChessNode),
      Slot(&ITCENode::asMappingNode),    Slot(&ITCENode::asTurbulenceNode), Slot(&ITCENode::asLeafNode),
      Slot(&ITCENode::asFresnelNode),    Slot(&ITCENode::asFresnelDiffuseNode), Slot(&ITCENode::asGlazingNode),
      Slot(&ITCENode::asCustomNode),     Slot(&ITCENode::asAltitudeNode),  Slot(&ITCENode::asMultiTextureNode),
      Slot(&ITCENode::asWangTilesNode),  Slot(&ITCENode::asReservedNode1), Slot(&ITCENode::asReservedNode2),
      Slot(&ITCENode::asReservedNode3),  Slot(&ITCENode::isShader)};
  for (size_t i = 0; i < casts.size(); ++i) EXPECT_EQ(casts[0] + i, casts[i]) << i;
}

TEST(NodeTree, KindsAndCasts) {
  Graph g;
  EXPECT_EQ(nullptr, g.tce->createNode(eRootNode));
  EXPECT_EQ(nullptr, g.tce->createNode(static_cast<ETCENodeType>(12)));
  EXPECT_EQ((Texts{"CZinTCE::createNode - eRootNode node cannot be created", "CZinTCE::createNode - Unknown node type"}),
            g.link.take());
  auto casts = [](ITCENode* n) {
    const void* all[] = {n->asRootNode(),         n->asChessNode(),         n->asMappingNode(), n->asTurbulenceNode(),
                         n->asLeafNode(),         n->asFresnelNode(),       n->asFresnelDiffuseNode(),
                         n->asGlazingNode(),      n->asAltitudeNode(),      n->asMultiTextureNode(),
                         n->asWangTilesNode(),    n->asCustomNode(),        n->asReservedNode1()};
    std::string text;
    for (const void* p : all) text += p ? (p == static_cast<void*>(n) ? "=" : "?") : ".";
    return text;
  };
  EXPECT_EQ("=............", casts(g.tce.get()));
  for (int kind = 1; kind <= 11; ++kind) {
    ITCENode* node = g.make(static_cast<ETCENodeType>(kind));
    EXPECT_EQ(kind, node->getType());
    std::string expected(13, '.');
    expected[static_cast<size_t>(kind)] = '=';
    EXPECT_EQ(expected, casts(node)) << kind;
  }
  EXPECT_NE(g.made[0]->getId(), g.made[1]->getId());
}

TEST(NodeTree, DeepTreesWithoutRecursion) {
  Graph g;
  TZinComPtr<ITCENode> top;
  top.attach(g.tce->createNode(eFresnelNode));
  ITCENode* deepest = top.get();
  for (int i = 1; i < 100000; ++i) {
    ITCENode* next = g.tce->createNode(eFresnelNode);
    deepest->addChild(next);
    next->Release();
    deepest = next;
  }
  EXPECT_EQ(deepest, top->findNode(deepest->getId()));
  deepest->addChild(top.get());  // a cycle 100,000 long
  EXPECT_EQ(0u, deepest->getChildCount());
  TZinComPtr<ITCENode> copy = CopyNodeTree(top.get(), &g.link);
  EXPECT_NE(nullptr, copy->findNode(deepest->getId()));
  Document document;
  EXPECT_THROW(PutNodeTree(document.owner, *CTCENode::From(top.get())), std::runtime_error);
  top.reset();  // released by one loop, not 100,000 nested destructors
  copy.reset();
}

TEST(NodeTree, CopyIsDeepAndKeepsIds) {
  Graph g;
  ITCENode* top = g.make(eChessNode);
  ITCENode* left = g.make(eFresnelNode);
  ITCENode* under = g.make(eMappingNode);
  top->addChild(left), top->addChild(g.make(eLeafNode)), left->addChild(under);
  top->getChild(1)->setShader(true);
  under->setUIValue(-7);
  TZinComPtr<ITCENode> copy = CopyNodeTree(top, &g.link);
  ITCENode* copiedUnder = copy->getChild(0)->getChild(0);
  EXPECT_NE(under, copiedUnder);
  EXPECT_EQ(under->getId(), copiedUnder->getId());
  EXPECT_EQ(-7, copiedUnder->getUIValue());
  EXPECT_EQ(eMappingNode, copiedUnder->getType());
  EXPECT_TRUE(copy->getChild(1)->isShader());
  EXPECT_EQ(copy.get(), ParentOf(copy->getChild(1)));

  left->addChild(g.make(eCustomNode));
  for (auto [node, text] : {std::pair<ITCENode*, const char*>{nullptr, "Node is NULL"},
                            {g.tce.get(), "Node is unknown"}, {top, "Node is unknown"}}) {
    try {
      CopyNodeTree(node, &g.link);
      ADD_FAILURE() << text;
    } catch (const std::runtime_error& e) {
      EXPECT_STREQ(text, e.what());
    }
  }
}

// A node of a kind with id and UI value.
TZinComPtr<ITCENode> Made(IZinMgrRef* owner, ETCENodeType kind, const char* id, int32_t ui = 0) {
  TZinComPtr<ITCENode> node(FindNodeKind(kind)->make(owner)->asInterface());
  node->setId(CZinUUID::fromText(id));
  node->setUIValue(ui);
  return node;
}

// The element of a new node of kind type, id and UI value, depth levels down, with
// its sub-node elements, each a line.
std::string NodeText(const char* tag, const char* type, const char* id, int ui, const std::string& kind,
                     const std::string& header, const std::string& subNodes, int depth) {
  const KindText split = SplitKindText(kind);
  const std::string tab(static_cast<size_t>(depth), '\t');
  // A start tag with one attribute holds it on its line; with more, each on its own.
  const std::string attributes = split.attributes.empty() ? "" : "\n\t " + split.attributes.substr(split.attributes.find_first_not_of(" \n\t"));
  return tab + "<" + tag + "\n" + tab + "\t Id=\"" + id + "\"\n" + tab + "\t Type=\"" + type + "\"" +
         Nested(attributes, depth) + ">\n" + tab + "\t<UI.Value>" + std::to_string(ui) + "</UI.Value>" +
         Nested(header + split.body, depth) + "\n" + subNodes + tab + "</" + tag + ">\n";
}

TEST(NodeTree, WrittenElement) {
  RecordingLink link;
  auto chess = Made(&link, eChessNode, "0000000000000000000000000000000A", 3);
  auto first = Made(&link, eFresnelNode, "0000000000000000000000000000000B", -1);
  auto second = Made(&link, eCustomNode, "0000000000000000000000000000000C");
  auto leaf = Made(&link, eLeafNode, "0000000000000000000000000000000D");
  chess->setShader(true);
  chess->addChild(first.get()), chess->addChild(second.get()), chess->addChild(leaf.get());  // no place for a third
  second->addChild(leaf.get()), second->addChild(leaf.get());
  Document document;
  PutNodeTree(document.owner, *CTCENode::From(chess.get()));
  const std::string leafText = NodeText("Node", "Leaf", "0000000000000000000000000000000D", 0, kLeafText, "", "", 3);
  const std::string childs = "\t\t<Childs>\n" + leafText + leafText + "\t\t</Childs>\n";
  std::string expected =
      NodeText("Owner", "Chess", "0000000000000000000000000000000A", 3, kChessText, "\n\t<Shader/>",
               NodeText("Node", "Fresnel", "0000000000000000000000000000000B", -1, kFresnelText, "", "", 1) +
                   NodeText("SecondNode", "Custom", "0000000000000000000000000000000C", 0, kCustomText, "",
                            childs, 1),
               0);
  expected.pop_back();
  EXPECT_EQ(expected, TextOf(document.owner));
  EXPECT_TRUE(link.take().empty());
}

// Reads text (a node element) into a tree: its kinds and ids, or the error.
std::string ReadNode(const std::string& text) {
  try {
    auto tree = Parse(text);
    CZinNodeReading reading(nullptr);
    TZinComPtr<ITCENode> node = GetNodeTree(tree->GetRoot()->GetFirstElement(), reading);
    if (!node) return "empty";
    std::string shape;
    std::vector<std::pair<ITCENode*, ITCENode*>> stack{{node.get(), nullptr}};
    while (!stack.empty()) {
      auto [at, parent] = stack.back();
      stack.pop_back();
      EXPECT_EQ(parent, ParentOf(at));
      shape += std::to_string(at->getType()) + ":" + ToText(at->getId()).substr(31) + ":" +
               std::to_string(at->getUIValue()) + (at->isShader() ? "s " : " ");
      for (uint32_t i = at->getChildCount(); i-- > 0;) stack.emplace_back(at->getChild(i), at);
    }
    return shape;
  } catch (const std::exception& e) {
    return e.what();
  }
}

// A node element whose content is a new node's of its kind, after inside.
std::string Node(const char* id, const char* type, const std::string& inside = "<UI.Value>0</UI.Value>") {
  const std::pair<const char*, const std::string*> kinds[] = {
      {"Chess", &kChessText}, {"Fresnel", &kFresnelText}, {"Custom", &kCustomText},
      {"Glazing", &kGlazingText}, {"Leaf", &kLeafText}, {"Mapping", &kMappingText}};
  KindText kind;
  for (const auto& [label, text] : kinds)
    if (std::string(label) == type) kind = SplitKindText(*text);
  if (std::string(type) == "Mapping") kind.attributes += " MappingNode.Id=\"0000000000000000000000000000000" + std::string(id) + "\"";
  return std::string("<Node Id=\"0000000000000000000000000000000") + id + "\" Type=\"" + type + "\"" + kind.attributes +
         ">" + inside + kind.body + "</Node>";
}

TEST(NodeTree, ReadBack) {
  const std::pair<std::string, const char*> cases[] = {
      // A missing "Node": the second sub-node is the first child; "Childs" keep their order.
      {"<N Id=\"0000000000000000000000000000000A\" Type=\"Chess\" Geometry=\"Cube\"><UI.Value>3</UI.Value><Shader/>" +
           SplitKindText(kChessText).body +
           "<SecondNode Id=\"0000000000000000000000000000000C\" Type=\"Custom\"><UI.Value>0</UI.Value>"
           "<Custom.Data Class=\"Unknown\"/><Childs>" +
           Node("E", "Glazing", "<UI.Value>7</UI.Value>") + "<Other/>" + Node("D", "Leaf") + "</Childs></SecondNode></N>",
       "1:A:3s 11:C:0 7:E:7 4:D:0 "},
      {Node("A", "Root"), "empty"},
      {Node("A", "Fresnel", "<UI.Value>0</UI.Value>" + Node("B", "Root")),
       "CZinTCE::createNode - eRootNode node cannot be created"},
      {Node("A", "chess"), "Invalid label (chess) [Root..Custom]"},
      {"<Node Id=\"0000000000000000000000000000000A\"><UI.Value>0</UI.Value></Node>",
       "CZinXMLGet::GetAttributeLabel - NULL ptr for tag Type"},
      {"<Node Type=\"Leaf\"><UI.Value>0</UI.Value></Node>", "CZinXMLGet::GetUUID - NULL ptr for tag Id"},
      {Node("A", "Mapping", "<UI.Value>0</UI.Value>" + Node("B", "Leaf", "")),
       "CZinXMLGet::GetElement - NULL ptr for tag UI.Value"},
  };
  for (const auto& [text, result] : cases) EXPECT_EQ(result, ReadNode(text)) << text;
}

}  // namespace
