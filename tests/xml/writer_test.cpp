#include "xml/writer.h"

#include <gtest/gtest.h>

#include <string>

#include "xml/tree.h"
#include "xml_test_support.h"

using namespace QuorveXML;
using namespace XMLTest;

namespace {

class WriterTest : public CHeapCheckedTest {
protected:
  XIXMLElement* Root() { return mTree.GetRoot(); }
  const char* Key(const char* name) { return Root()->GetKey(name); }
  XCXMLTree mTree;
};

TEST_F(WriterTest, ElementForms) {
  const struct {
    void (*build)(XIXMLElement* root);
    const char* expected;
  } cases[] = {
      {[](XIXMLElement*) {}, "<e/>"},
      {[](XIXMLElement* e) { e->AddAttribute(e->GetKey("x"), "1"); }, "<e x=\"1\"/>"},
      // Two attributes or more: each on its own line.
      {[](XIXMLElement* e) {
         e->AddAttribute(e->GetKey("x"), "1");
         e->AddAttribute(e->GetKey("y"), "2");
       },
       "<e\n\t x=\"1\"\n\t y=\"2\"/>"},
      {[](XIXMLElement* e) { e->AddElement(e->GetKey("c")); }, "<e>\n\t<c/>\n</e>"},
      {[](XIXMLElement* e) { e->AddData("text"); }, "<e>text</e>"},
      // A text follows its sibling directly, and the end tag follows the text.
      {[](XIXMLElement* e) {
         e->AddElement(e->GetKey("c"));
         e->AddData("after");
       },
       "<e>\n\t<c/>after</e>"},
      {[](XIXMLElement* e) {
         XIXMLElement* inner = e->AddElement(e->GetKey("i"));
         inner->AddAttribute(e->GetKey("p"), "1");
         inner->AddAttribute(e->GetKey("q"), "2");
         inner->AddElement(e->GetKey("c"));
       },
       "<e>\n\t<i\n\t\t p=\"1\"\n\t\t q=\"2\">\n\t\t<c/>\n\t</i>\n</e>"},
  };
  for (const auto& c : cases) {
    XIXMLElement* e = Root()->AddElement(Key("e"));
    c.build(e);
    EXPECT_EQ(c.expected, Written(e));
  }
}

TEST_F(WriterTest, Escaping) {
  struct Case {
    const char* value;
    const char* asText;       // inside <t>...</t>
    const char* asAttribute;  // the quoted attribute value
  } cases[] = {
      {"x<y & \"z\"", "x&lt;y &amp; \"z\"", "\"x&lt;y &amp; &quot;z&quot;\""},
      {"'\"\"", "'\"\"", "\"'&quot;&quot;\""},
      {"a>b", "a&gt;b", "\"a&gt;b\""},
      {"&amp;", "&amp;amp;", "\"&amp;amp;\""},
      {"", "", "\"\""},
      {"\t\r\n tabs", "\t\r\n tabs", "\"\t\r\n tabs\""},
      {"\xC3\xA9\xFF", "\xC3\xA9\xFF", "\"\xC3\xA9\xFF\""},
  };
  for (const Case& c : cases) {
    XIXMLElement* t = Root()->AddElement(Key("t"));
    t->AddData(c.value);
    EXPECT_EQ(std::string("<t>") + c.asText + "</t>", Written(t)) << c.value;
    XIXMLElement* a = Root()->AddElement(Key("a"));
    a->AddAttribute(Key("v"), c.value);
    EXPECT_EQ(std::string("<a v=") + c.asAttribute + "/>", Written(a)) << c.value;
  }
}

TEST_F(WriterTest, TopLevelNodeForms) {
  const struct {
    void (*build)(XIXMLElement* root);
    const char* expected;
  } cases[] = {
      {[](XIXMLElement*) {}, "\n"},
      {[](XIXMLElement* root) { root->AddPI("xml", "version=\"1.0\""); }, "<?xml version=\"1.0\"?>\n"},
      {[](XIXMLElement* root) { root->AddPI("t", ""); }, "<?t ?>\n"},
      {[](XIXMLElement* root) { root->AddComment(" a -- <b> & "); }, "<!-- a -- <b> & -->\n"},
      {[](XIXMLElement* root) { root->AddDocType(root->GetKey("d"), nullptr, nullptr, nullptr); },
       "<!DOCTYPE d>\n"},
      {[](XIXMLElement* root) { root->AddDocType(root->GetKey("d"), "p", "s", nullptr); },
       "<!DOCTYPE d PUBLIC \"p\" \"s\">\n"},
      {[](XIXMLElement* root) { root->AddDocType(root->GetKey("d"), "p", nullptr, "x"); },
       "<!DOCTYPE d PUBLIC \"p\" \"\" [x]>\n"},
      {[](XIXMLElement* root) { root->AddDocType(root->GetKey("d"), nullptr, "s", ""); },
       "<!DOCTYPE d SYSTEM \"s\" []>\n"},
      {[](XIXMLElement* root) { root->AddDocType(root->GetKey("d"), nullptr, nullptr, "<!ENTITY e 'v'>"); },
       "<!DOCTYPE d [<!ENTITY e 'v'>]>\n"},
      {[](XIXMLElement* root) {
         root->AddPI("xml", "v");
         root->AddComment("c");
         root->AddElement(root->GetKey("a"))->AddComment("inner");
       },
       "<?xml v?>\n<!--c-->\n<a>\n\t<!--inner-->\n</a>\n"},
  };
  for (const auto& c : cases) {
    XCXMLTree tree;
    c.build(tree.GetRoot());
    EXPECT_EQ(c.expected, Written(tree.GetRoot()));
  }
}

TEST_F(WriterTest, BlocksAreFramedAndTheirProviderWritesThroughTheWriter) {
  XIXMLElement* r = Root()->AddElement(Key("r"));
  XIXMLElement* b = r->AddElement(Key("b"));
  auto* provider = new CTextProvider("DATA]");
  XIXMLData* node = b->AddData(provider);
  b->AddAttribute(Key("n"), "1");
  EXPECT_EQ("<r>\n\t<b n=\"1\"><![CDATA[DATA]]]>\n\t</b>\n</r>\n", Written(Root()));
  EXPECT_EQ(2, provider->mDepth) << "the depth of the data node";
  EXPECT_EQ(node, provider->mNode);

  provider->mResult = false;
  EXPECT_EQ("exception", ErrorOf([&] { Written(Root()); }));
}

TEST_F(WriterTest, StreamFailures) {
  XIXMLElement* r = Root()->AddElement(Key("r"));
  r->AddElement(Key("child"));
  {
    CStringWriteStream out;
    out.mLimit = 3;
    EXPECT_EQ("Can't write character", ErrorOf([&] { Root()->Write(&out); }));
  }
  // A stream failing while a provider writes: the provider sees a short write and the
  // writer reports the stream, not the provider.
  XIXMLElement* b = r->AddElement(Key("b"));
  auto* provider = new CTextProvider(std::string(200000, 'x'));
  b->AddData(provider);
  CStringWriteStream out;
  out.mLimit = 100000;
  EXPECT_EQ("Can't write character", ErrorOf([&] { Root()->Write(&out); }));
  EXPECT_EQ(2 * XCXMLWriter::kCapacity - 1, out.mText.size()) << "what was written stays written";
  EXPECT_EQ("exception (pointer is NULL)", ErrorOf([&] { Root()->Write(nullptr); }));
}

TEST_F(WriterTest, OutputGoesOutInLargePieces) {
  XIXMLElement* r = Root()->AddElement(Key("r"));
  for (int i = 0; i < 20000; ++i) r->AddElement(Key("item"))->AddData("0123456789");
  CStringWriteStream out;
  Root()->Write(&out);
  EXPECT_GT(out.mText.size(), 500000u);
  EXPECT_EQ(static_cast<int>((out.mText.size() + XCXMLWriter::kCapacity - 1) / XCXMLWriter::kCapacity), out.mCalls);
  EXPECT_EQ(static_cast<int32_t>(XCXMLWriter::kCapacity), out.mLargest);
}

}  // namespace
