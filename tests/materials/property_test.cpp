#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "materials/graph_walk.h"
#include "materials/node_kinds_texts.h"
#include "materials/property.h"
#include "materials/table.h"

using namespace QvZin;
using QvZinTest::Parse;
using QvZinTest::RecordingLink;
using QvZinTest::Texts;

ZIN_FIELD_WALK(CZinTCE, "<Graph>\n\t<URL></URL>\n\t<Shader.Name/>\n\t<Editor.Name></Editor.Name>\n</Graph>")

ZIN_FIELD_WALK(CProperty, QvZinTest::kPropertyText)

TEST(Property, ElementWithEveryOptionalPart) {
  RecordingLink link;
  TZinComPtr<CProperty> property(CreateZinObject<CProperty>(&link));
  property->setName("Brick & <mortar>");
  property->setId(CZinUUID::fromText("11111111111111111111111111111111"));
  property->setOverloadPropIndex(CZinUUID::fromText("22222222222222222222222222222222"));
  property->setUIValue(-4);
  property->setVisible(false);
  property->setSmooth(0);  // 0.01, silently
  CZinTCE& graph = property->graph();
  graph.setURL("file:///noshader");
  graph.setEditorName("ed");
  graph.setShaderId(CZinUUID::fromText("33333333333333333333333333333333"));
  graph.getShaderName()->set(ZinLanguageCode("en"), "Brick");
  graph.getShaderName()->set(ZinLanguageCode("fr"), "Brique");
  graph.getRootNode()->setUIValue(9);  // the root node's UI value is the graph's
  TZinComPtr<ITCENode> top;
  top.attach(graph.createNode(eGlazingNode));
  top->setId(CZinUUID::fromText("44444444444444444444444444444444"));
  graph.setTopNode(top.get());

  QvZinTest::Document document;
  property->putInXML(document.owner);
  const std::string text = QvZinTest::TextOf(document.owner);
  const std::string head =
      "<Owner>\n\t<Property\n\t\t Shader.Id=\"33333333333333333333333333333333\"\n"
      "\t\t Id=\"11111111111111111111111111111111\"\n\t\t Overload.Prop.Index=\"22222222222222222222222222222222\"\n"
      "\t\t Overload.Id=\"00000000000000000000000000000000\">\n\t\t<Name en=\"Brick &amp; &lt;mortar&gt;\"/>\n"
      "\t\t<Cast.Shadow/>\n\t\t<Receive.Shadow/>\n\t\t<Smooth>0.010000</Smooth>\n\t\t<Bevel>0.000000</Bevel>\n"
      "\t\t<Scale>1.000000</Scale>\n\t\t<URL></URL>\n\t\t<Shader.Name\n\t\t\t en=\"Brick\"\n\t\t\t fr=\"Brique\"/>\n"
      "\t\t<TCE.UI.Value>9</TCE.UI.Value>\n\t\t<Editor.Name>ed</Editor.Name>\n"
      "\t\t<Node\n\t\t\t Id=\"44444444444444444444444444444444\"\n\t\t\t Type=\"Glazing\">\n\t\t\t<UI.Value>0</UI.Value>\n";
  const std::string tail = "\t\t</Node>\n\t\t<UI.Value>-4</UI.Value>\n\t</Property>\n</Owner>";
  EXPECT_EQ(head, text.substr(0, head.size()));  // the glazing node's own settings follow
  EXPECT_EQ(tail, text.substr(text.size() - std::min(text.size(), tail.size())));

  // Read back into a property that holds another tree, through the same entry point.
  TZinComPtr<CProperty> copy(CreateZinObject<CProperty>(&link));
  TZinComPtr<ITCENode> other;
  other.attach(copy->graph().createNode(eLeafNode));
  copy->graph().setTopNode(other.get());
  copy->initWithXML(document.owner);
  QvZinTest::Document again;
  copy->putInXML(again.owner);
  EXPECT_EQ(text, QvZinTest::TextOf(again.owner));
  EXPECT_TRUE(link.take().empty());
}

TEST(Property, ReadingTheGraph) {
  const std::string property =
      "<Property Id=\"0000000000000000000000000000000B\" Overload.Prop.Index=\"0000000000000000000000000000000C\" "
      "Overload.Id=\"0000000000000000000000000000000D\"><Name en=\"x\"/><Smooth>0.5</Smooth><Bevel>0</Bevel>"
      "<Scale>1</Scale><URL>file://</URL><Shader.Name/><Editor.Name/>";
  const std::pair<const char*, const char*> cases[] = {
      {"", ""},  // no "Node": the graph keeps none
      {"<Node Id=\"0000000000000000000000000000000A\" Type=\"Root\"><UI.Value>0</UI.Value></Node>",
       "Can't root's child (assertion failed)"},
  };
  for (const auto& [node, error] : cases) {
    RecordingLink link;
    TZinComPtr<CProperty> target(CreateZinObject<CProperty>(&link));
    TZinComPtr<ITCENode> before;
    before.attach(target->graph().createNode(eLeafNode));
    target->graph().setTopNode(before.get());
    auto tree = Parse("<Holder>" + property + node + "</Property></Holder>");
    const int32_t result = target->initWithXML(tree->GetRoot()->GetFirstElement());
    EXPECT_EQ(*error ? kZinFail : kZinOk, result);
    EXPECT_EQ(*error ? Texts{std::string("CZinXMLBasicData::initWithXML - ") + error} : Texts{}, link.take());
    EXPECT_EQ(*error ? before.get() : nullptr, target->getTCE()->getRootNode()->getChild(0));
    EXPECT_STREQ("", target->getTCE()->getURL());  // "file://" names no shader; an empty text is ""
    EXPECT_STREQ("", target->getTCE()->getEditorName());
  }
}

TEST(Property, ShaderURLs) {
  const std::pair<const char*, const char*> cases[] = {
      {"file:///noshader", ""}, {"file:///", ""}, {"file://", ""},         {"file:///a.tce", "file:///a.tce"},
      {"file:", "file:"},       {nullptr, ""},    {"FILE:///", "FILE:///"}};
  TZinComPtr<CZinTCE> graph(CreateZinObject<CZinTCE>(nullptr));
  for (const auto& [given, stored] : cases) {
    graph->setURL("previous");
    graph->setURL(given);
    EXPECT_STREQ(stored, graph->getURL()) << (given ? given : "null");
  }
}

TEST(Property, Lists) {
  RecordingLink link;
  CZinProperties part, read;
  part.setLink(&link);
  read.setLink(&link);
  part.list()->newZinObject(kZinEndOfList)->getBasicData()->setName("A");
  part.list()->newZinObject(kZinEndOfList)->getBasicData()->setName("B");
  read.list()->newZinObject(kZinEndOfList);
  QvZinTest::Document document;
  CZinXMLAdd out(document.owner);
  ZinProperties().put(out, "Properties", part, part);
  CZinXMLGet in(document.owner);
  ZinProperties().get(in, "Properties", read, read);
  ASSERT_EQ(2u, read.list()->getCount());
  EXPECT_STREQ("B", read.list()->getZinObject(1)->getBasicData()->getName());
  EXPECT_EQ(*part.list()->getZinObject(0)->getBasicData()->getId(), *read.list()->getZinObject(0)->getBasicData()->getId());
  CZinXMLGet without(document.owner->GetFirstElement());  // holds no "Properties": an empty list
  ZinProperties().get(without, "Properties", read, read);
  EXPECT_EQ(0u, read.list()->getCount());
  EXPECT_TRUE(link.take().empty());
}

TEST(Property, Tables) {
  TZinComPtr<CTable> table(CreateZinObject<CTable>());
  table->setLength(3);
  table->setValue(0, 1.5f);
  table->setValue(2, -2.0f);
  table->setValue(3, 9.0f);
  table->setValue(-1, 9.0f);
  table->setLength(5);  // keeps the first values, zeros after
  for (int32_t i = -1; i <= 5; ++i)
    EXPECT_EQ(i == 0 ? 1.5f : i == 2 ? -2.0f : 0.0f, table->getValue(i)) << i;
  TZinComPtr<CTable> copy(CreateZinObject<CTable>());
  copy->copy(table.get());
  EXPECT_EQ(5, copy->getLength());
  EXPECT_EQ(-2.0f, copy->getValue(2));
  table->setLength(1);
  EXPECT_EQ(1.5f, table->getValue(0));
  table->setLength(-4);
  EXPECT_EQ(0, table->getLength());

  // A file's "Length" grows the table only as far as the "Float" elements that back
  // it; a negative one is 0.
  const std::pair<const char*, int32_t> files[] = {
      {"<T Length=\"2000000000\"><Float>1</Float><Float>2</Float></T>", 2},
      {"<T Length=\"-5\"><Float>1</Float></T>", 0},
  };
  for (const auto& [text, length] : files) {
    auto tree = Parse(std::string("<Holder>") + text + "</Holder>");
    CZinXMLGet in(tree->GetRoot()->GetFirstElement());
    std::string thrown;
    try {
      in.GetTable("T", table.get());
    } catch (const std::exception& e) {
      thrown = e.what();
    }
    EXPECT_EQ(length ? "CZinXMLGet::GetTable 1 - NULL ptr" : "", thrown) << text;
    EXPECT_EQ(length, table->getLength()) << text;
  }
}
