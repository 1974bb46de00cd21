#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <new>
#include <random>
#include <stdexcept>
#include <string>

#include "support/c_locale.h"
#include "xml/attribute.h"
#include "xml/element.h"
#include "xml_test_support.h"

using namespace QuorveXML;
using namespace XMLTest;

namespace {

const std::string kAssertion = "exception (assertion failed)";
const std::string kNull = "exception (pointer is NULL)";

class DocumentTest : public CHeapCheckedTest {
protected:
  XIXMLElement* Root() { return mTree.GetRoot(); }
  const char* Key(const char* name) { return Root()->GetKey(name); }
  // The children of element in order: names, "#" data, "!" comment, "?" PI, "D" doctype.
  static std::string Children(XIXMLElement* element) {
    std::string names;
    for (XIXMLNode* node = element->GetFirstNode(); node; node = node->GetNext()) {
      if (!names.empty()) names += ' ';
      XIXMLElement* child = node->AsElement();
      names += child ? child->GetKeyRef() : node->AsData() ? "#" : node->AsComment() ? "!" : node->AsPI() ? "?" : "D";
    }
    return names;
  }
  XCXMLTree mTree;
};

TEST_F(DocumentTest, KeysAreInternedPerTree) {
  const char* a = Key("a");
  std::string copy = "a";
  EXPECT_EQ(a, Key(copy.c_str())) << "found by text, returned by identity";
  EXPECT_NE(a, Key("b"));
  XCXMLTree other;
  EXPECT_NE(a, other.GetRoot()->GetKey("a"));

  XIXMLElement* top = Root()->AddElement(Key("top"));
  XIXMLElement* first = top->AddElement(Key("item"));
  top->AddElement(Key("other"));
  XIXMLElement* second = top->AddElement(Key("item"));
  EXPECT_EQ(first, top->FindElement(Key("item")));
  EXPECT_EQ(second, first->GetNextSameElement());
  EXPECT_EQ(nullptr, second->GetNextSameElement());
  EXPECT_EQ(nullptr, top->FindElement(copy.c_str())) << "keys compare by pointer";
  EXPECT_EQ(Key("item"), second->GetKey("item")) << "GetKey asks up to the root";
  EXPECT_EQ("exception", ErrorOf([&] { Key(nullptr); }));

  Root()->RemoveNode(top->GetNode());
  const std::string outside = "XCXMLElement::GetKey - element isn't in a tree (pointer is NULL)";
  EXPECT_EQ(outside, ErrorOf([&] { first->GetKey("x"); }));
  EXPECT_EQ(outside, ErrorOf([&] { top->GetNode()->CopyTo(first); }));
  top->GetNode()->Delete();
}

TEST_F(DocumentTest, SearchingChildrenAndAttributes) {
  XIXMLElement* e = Root()->AddElement(Key("e"));
  e->AddComment("c");
  e->AddElement(Key("x"));
  XIXMLData* data = e->AddData("text");
  XIXMLElement* y = e->AddElement(Key("y"));
  e->AddPI("t", "d");
  XIXMLElement* z = e->AddElement(Key("z"));
  EXPECT_EQ("! x # y ? z", Children(e));
  EXPECT_EQ(3, e->CountElements());
  EXPECT_EQ(z, y->GetNextElement());
  EXPECT_EQ(z, e->GetElement(2));
  EXPECT_EQ(nullptr, e->GetElement(3));
  EXPECT_EQ(nullptr, e->GetElement(-1));
  EXPECT_EQ(data, e->GetData());
  EXPECT_EQ(3, e->GetNodeIndex(y->GetNode()));
  EXPECT_EQ(-1, e->GetNodeIndex(e->GetNode()));
  EXPECT_EQ(-1, Root()->GetNode()->GetIndex());

  EXPECT_EQ(nullptr, e->FindAttribute(""));
  XIXMLAttribute* p = e->AddAttribute(Key("p"), "1");
  XIXMLAttribute* q = e->AddAttribute(Key("q"), "2");
  e->AddAttribute(Key("p"), "3");
  EXPECT_EQ(p, e->FindAttribute(Key("p"))) << "duplicates are kept; the first is found";
  EXPECT_EQ(q, e->FindAttribute(Key("q")));
  EXPECT_EQ(p, e->FindAttribute("")) << "an empty key text yields the first attribute";
  EXPECT_EQ(nullptr, e->FindAttribute(Key("r")));
  EXPECT_TRUE(e->HasAttributeValue(Key("q"), "2"));
  EXPECT_FALSE(e->HasAttributeValue(Key("q"), "2 "));
  EXPECT_FALSE(e->HasAttributeValue(Key("q"), nullptr));
  EXPECT_EQ("<e\n\t p=\"1\"\n\t q=\"2\"\n\t p=\"3\">\n\t<!--c-->\n\t<x/>text<y/>\n\t<?t d?>\n\t<z/>\n</e>",
            Written(e));
}

TEST_F(DocumentTest, AddingChecksItsArguments) {
  XIXMLElement* e = Root()->AddElement(Key("e"));
  const std::string cases[][2] = {
      {kNull, ErrorOf([&] { e->AddElement(nullptr); })},
      {kNull, ErrorOf([&] { e->AddAttribute(Key("a"), nullptr); })},
      {kNull, ErrorOf([&] { e->AddAttribute(nullptr, "v"); })},
      {kNull, ErrorOf([&] { e->AddComment(nullptr); })},
      {kNull, ErrorOf([&] { e->AddPI(nullptr, ""); })},
      {kNull, ErrorOf([&] { e->AddPI("t", nullptr); })},
      {kNull, ErrorOf([&] { e->AddDocType(nullptr, nullptr, nullptr, nullptr); })},
      {"exception", ErrorOf([&] { e->AddData(static_cast<IXMLCData*>(nullptr)); })},
      {kNull, ErrorOf([&] { e->AddData(static_cast<const char*>(nullptr)); })},
      {kNull, ErrorOf([&] { e->SetKey(nullptr); })},
      {kNull, ErrorOf([&] { e->AddNode(nullptr); })},
  };
  for (const auto& c : cases) EXPECT_EQ(c[0], c[1]);
  EXPECT_EQ("", Children(e)) << "nothing was added";
  EXPECT_EQ(nullptr, e->GetFirstAttribute());
}

TEST_F(DocumentTest, OneDataNodePerElement) {
  XIXMLElement* e = Root()->AddElement(Key("e"));
  XIXMLData* text = e->AddData("first");
  int released = 0;
  auto* provider = new CTextProvider("p", &released);
  const std::string onlyOne = "Only one data node for an element";
  EXPECT_EQ(onlyOne, ErrorOf([&] { e->AddData("second"); }));
  EXPECT_EQ(onlyOne, ErrorOf([&] { e->AddData(provider); }));
  EXPECT_EQ(0, released) << "the provider stays with the caller when nothing is added";
  EXPECT_EQ("#", Children(e));
  text->GetNode()->Delete();
  XIXMLData* block = e->AddData(provider);
  int value = 0;
  for (const std::string& message : {ErrorOf([&] { block->GetText(); }), ErrorOf([&] { block->SetText("x"); }),
                                     ErrorOf([&] { block->Scan("%d", &value); }),
                                     ErrorOf([&] { block->Format("%d", 1); })})
    EXPECT_EQ("exception", message) << "a block has no text";
  e->RemoveNode(block->GetNode());
  EXPECT_EQ(nullptr, e->GetData());
  e->AddData("again");
  EXPECT_EQ(onlyOne, ErrorOf([&] { e->AddNode(block->GetNode()), e->AddData("x"); }));
  block->GetNode()->Delete();
  EXPECT_EQ(1, released);
}

TEST_F(DocumentTest, TextsOfEveryKindCanBeReplaced) {
  XIXMLElement* e = Root()->AddElement(Key("e"));
  XIXMLData* data = e->AddData("short");
  data->SetText(std::string(5000, 'd').c_str());
  data->SetText("again");
  EXPECT_EQ(kNull, ErrorOf([&] { data->SetText(nullptr); }));
  e->AddComment("c")->SetText("comment");
  XIXMLPI* pi = e->AddPI("target", "data");
  pi->SetData("d2");
  EXPECT_STREQ("target", pi->GetTarget());
  pi->SetTarget("t2");
  EXPECT_STREQ("d2", pi->GetData());
  XIXMLDocType* docType = e->AddDocType(Key("d"), "pub", nullptr, "sub");
  EXPECT_STREQ("pub", docType->GetPublicId());
  EXPECT_EQ(nullptr, docType->GetSystemId());
  docType->SetSystemId("sys");
  docType->SetPublicId(nullptr);
  docType->SetSubset("s2");
  docType->SetKey(Key("d2"));
  // The text came first: the comment follows it directly.
  EXPECT_EQ("<e>again<!--comment-->\n\t<?t2 d2?>\n\t<!DOCTYPE d2 SYSTEM \"sys\" [s2]>\n</e>", Written(e));
}

TEST_F(DocumentTest, FormatAndScan) {
  XIXMLElement* e = Root()->AddElement(Key("e"));
  XIXMLAttribute* a = e->AddAttribute(Key("a"), "");
  XIXMLData* d = e->AddData("");
  d->Format("%d|%s", 42, "x");
  EXPECT_STREQ("42|x", d->GetText());
  a->Format("%s", std::string(2047, 'x').c_str());
  EXPECT_EQ(2047u, std::strlen(a->GetValue())) << "2047 characters fit";
  EXPECT_EQ("exception", ErrorOf([&] { a->Format("%s", std::string(2048, 'x').c_str()); }));
  EXPECT_EQ("exception", ErrorOf([&] { d->Format("%s", std::string(4000, 'x').c_str()); }));
  // A scan must convert exactly one value.
  const struct {
    const char* text;
    const char* format;
  } refused[] = {{"abc", "%lf"}, {"", "%lf"}, {"1.5", "%lf %lf"}, {"1.5", "no conversion"}, {"1.5", "%*lf"}};
  for (const auto& c : refused) {
    a->SetValue(c.text);
    double value = -1;
    EXPECT_EQ("exception", ErrorOf([&] { a->Scan(c.format, &value); })) << c.text << c.format;
  }
  int integer = 0;
  d->SetText("12 13");
  d->Scan("%d", &integer);
  EXPECT_EQ(12, integer);
  EXPECT_EQ("exception", ErrorOf([&] { d->Scan("%d", nullptr); }));
  EXPECT_EQ("exception", ErrorOf([&] { d->Scan(nullptr, &integer); }));
}

// Plain number texts are read without scanf: every text must still give exactly
// what scanf gives (bit for bit, negative zero included), or the same exception.
TEST_F(DocumentTest, ScansGiveWhatScanfGives) {
  XIXMLAttribute* a = Root()->AddElement(Key("e"))->AddAttribute(Key("a"), "");
  std::vector<std::string> texts = {"0", "-0", "-0.000000", "1.", "007", "0.1", "-.5", "+1", "1e5", "1.5e",
                                    "1.5x", " 1.5", "1.5 ", "-", "", "999999999", "1000000000", "-999999999",
                                    "2147483647", "123456789012345", "1234567890123456", "0.0000000000000000000001",
                                    "0.00000000000000000000001", "1.0000000000000000000000000", "9007199254740993",
                                    "00000000000000000000001.5", "4.35", "0.3", "1e22", "12 13"};
  std::mt19937_64 rng(5);
  for (int i = 0; i < 20000; ++i) {
    char text[64];
    const double magnitude = std::pow(10.0, static_cast<int>(rng() % 24) - 8);
    const double value = (static_cast<double>(rng() % 2000001) - 1e6) / 1e6 * magnitude;
    if (i % 2)
      std::snprintf(text, sizeof text, "%lf", value);
    else
      std::snprintf(text, sizeof text, "%.*f", static_cast<int>(rng() % 20), value);
    texts.push_back(text);
    std::snprintf(text, sizeof text, "%lld", static_cast<long long>(rng() % 4000000000ULL) - 2000000000LL);
    texts.push_back(text);
  }
  for (const std::string& text : texts) {
    a->SetValue(text.c_str());
    for (const char* format : {"%lf", "%d"}) {
      double expected = 0, got = 0;  // room for either conversion
      int expectedConverted;
      {
        Quorve::CCLocale c;
        expectedConverted = std::sscanf(text.c_str(), format, &expected);
      }
      const std::string error = ErrorOf([&] { a->Scan(format, &got); });
      if (expectedConverted != 1) {
        EXPECT_EQ("exception", error) << text << " " << format;
        continue;
      }
      EXPECT_EQ("<no exception>", error) << text << " " << format;
      const bool isDouble = std::strcmp(format, "%d") != 0;
      if (isDouble && !std::isfinite(expected)) expected = 1;
      EXPECT_EQ(0, std::memcmp(&expected, &got, isDouble ? sizeof(double) : sizeof(int)))
          << text << " " << format;
    }
  }
}

TEST_F(DocumentTest, StructureEditsKeepTheTreeSound) {
  XIXMLElement* e = Root()->AddElement(Key("e"));
  XIXMLElement* a = e->AddElement(Key("a"));
  XIXMLElement* b = e->AddElement(Key("b"));
  XIXMLElement* c = e->AddElement(Key("c"));
  XIXMLElement* inner = a->AddElement(Key("inner"));
  const std::string refused[] = {
      ErrorOf([&] { e->AddNode(b->GetNode()); }),          // b has a parent
      ErrorOf([&] { e->RemoveNode(inner->GetNode()); }),   // not e's child
      ErrorOf([&] { e->RemoveNode(nullptr); }),
      ErrorOf([&] { a->AddNode(Root()->GetNode()); }),     // the root belongs to its tree
      ErrorOf([&] { Root()->GetNode()->Delete(); }),
      ErrorOf([&] { b->GetNode()->SetNext(a->GetNode()); }),
      ErrorOf([&] { b->GetNode()->SetParent(a); }),
      ErrorOf([&] { e->MoveNode(inner->GetNode(), nullptr); }),
      ErrorOf([&] { a->MoveNode(a->GetNode(), inner->GetNode()); }),
  };
  for (const std::string& message : refused) EXPECT_EQ(kAssertion, message);
  b->GetNode()->SetNext(c->GetNode());
  b->GetNode()->SetParent(e);
  EXPECT_EQ("a b c", Children(e)) << "failed edits changed nothing";

  // An element cannot come under itself or under its own descendant.
  e->RemoveNode(a->GetNode());
  EXPECT_EQ(kAssertion, ErrorOf([&] { inner->AddNode(a->GetNode()); }));
  EXPECT_EQ(kAssertion, ErrorOf([&] { a->AddNode(a->GetNode()); }));
  EXPECT_EQ(nullptr, a->GetNode()->GetParent());
  e->AddNode(a->GetNode());
  EXPECT_EQ("b c a", Children(e));

  const struct {
    XIXMLElement *node, *before;
    const char* after;
  } moves[] = {{a, b, "a b c"}, {a, nullptr, "b c a"}, {c, a, "b c a"}, {c, c, "b c a"}, {b, a, "c b a"}};
  for (const auto& m : moves) {
    e->MoveNode(m.node->GetNode(), m.before ? m.before->GetNode() : nullptr);
    EXPECT_EQ(m.after, Children(e));
  }
  EXPECT_EQ("XCXMLElement::MoveNode previous == NULL (pointer is NULL)",
            ErrorOf([&] { e->MoveNode(b->GetNode(), inner->GetNode()); }));
  EXPECT_EQ(a, e->GetElement(2));
  EXPECT_EQ(nullptr, a->GetNextElement());

  XIXMLAttribute* x = a->AddAttribute(Key("x"), "1");
  XIXMLAttribute* y = b->AddAttribute(Key("y"), "2");
  const std::string noPrevious = "XCXMLElement::RemoveAttribute previous == NULL (pointer is NULL)";
  EXPECT_EQ(noPrevious, ErrorOf([&] { a->RemoveAttribute(y); }));
  EXPECT_EQ(noPrevious, ErrorOf([&] { a->RemoveAttribute(nullptr); }));
  EXPECT_EQ(kAssertion, ErrorOf([&] { x->SetNext(y); }));
  a->RemoveAttribute(x);
  EXPECT_EQ(nullptr, a->GetFirstAttribute());
  EXPECT_EQ(nullptr, x->GetOwner());
  XIXMLAttribute* copy = x->CopyTo(b);
  EXPECT_EQ(copy, y->GetNext());
  x->Delete();
  y->Delete();
  EXPECT_EQ(copy, b->GetFirstAttribute());
  EXPECT_EQ(nullptr, copy->GetNext());
}

TEST_F(DocumentTest, DeletingAStaleObjectThrowsAndDestructorsUnlink) {
  XIXMLElement* e = Root()->AddElement(Key("e"));
  XIXMLNode* node = e->AddElement(Key("a"))->GetNode();
  XIXMLAttribute* x = e->AddAttribute(Key("x"), "1");
  XIXMLNode* text = e->AddData("t")->GetNode();
  node->Delete();
  x->Delete();
  text->Delete();
  const std::string destroyed = "XCMine::CheckMine - Owner object is destroyed) (assertion failed)";
  EXPECT_EQ(destroyed, ErrorOf([&] { node->Delete(); }));
  EXPECT_EQ(destroyed, ErrorOf([&] { x->Delete(); }));
  EXPECT_EQ(destroyed, ErrorOf([&] { text->Delete(); }));
  EXPECT_EQ(destroyed, ErrorOf([&] { e->AddNode(node); }));
  EXPECT_EQ("", Children(e));

  // The deleting destructors unlink as Delete does.
  XIXMLElement* child = e->AddElement(Key("child"));
  child->AddElement(Key("grandchild"))->AddAttribute(Key("x"), "1");
  XIXMLAttribute* attribute = e->AddAttribute(Key("a"), "1");
  e->AddAttribute(Key("b"), "2");
  XIXMLData* data = e->AddData("text");
  e->AddComment("c");
  delete child;
  delete attribute;
  delete data;
  EXPECT_EQ("!", Children(e));
  EXPECT_STREQ("2", e->GetFirstAttribute()->GetValue());
  delete static_cast<XIXMLNode*>(e->GetNode());
  EXPECT_EQ(nullptr, Root()->GetFirstNode());
}

TEST_F(DocumentTest, DestructorsReportInsteadOfThrowing) {
  class CThrowingProvider : public CTextProvider {
  public:
    explicit CThrowingProvider(bool standard) : CTextProvider("x"), mStandard(standard) {}
    void Release() override {
      const bool standard = mStandard;
      delete this;
      if (standard) throw std::runtime_error("release failed");
      throw 7;
    }
    bool mStandard;
  };
  CCaptureReporter reporter;
  {
    XCXMLTree tree;
    XIXMLElement* root = tree.GetRoot();
    root->AddElement(root->GetKey("a"))->AddData(new CThrowingProvider(true));
    root->AddElement(root->GetKey("b"))->AddData(new CThrowingProvider(false))->GetNode()->Delete();
  }
  ASSERT_EQ(2u, reporter.mReports.size());
  EXPECT_EQ(Quorve::eReportError, reporter.mReports[0].first);
  EXPECT_EQ("XCXMLNode::~XCXMLNode: Exception in destructor (unknown exception)", reporter.mReports[0].second);
  EXPECT_EQ("XCXMLNode::~XCXMLNode: Exception in destructor (release failed)", reporter.mReports[1].second);
}

// A node whose guard word is smashed while it is still linked is reported and left
// alone when its parent dies (it cannot be trusted to free); everything else dies.
TEST_F(DocumentTest, ASmashedNodeIsReportedAndLeftWhenItsParentDies) {
  XIXMLElement* parent = Root()->AddElement(Key("p"));
  XIXMLAttribute* badAttribute = parent->AddAttribute(Key("a"), "1");
  parent->AddAttribute(Key("b"), "2");
  parent->AddElement(Key("before"))->AddData("x");
  XIXMLElement* bad = parent->AddElement(Key("bad"));
  bad->AddElement(Key("inner"))->AddAttribute(Key("c"), "3");
  parent->AddElement(Key("after"))->AddElement(Key("deep"));
  SmashMine(static_cast<XCXMLAttribute*>(badAttribute)->Mine());
  SmashMine(static_cast<XCXMLNode*>(bad->GetNode())->Mine());
  {
    CCaptureReporter reporter;
    parent->GetNode()->Delete();
    const std::string report =
        "XCXMLElement::~XCXMLElement: Exception in destructor (XCMine::CheckMine - Invalide mine state (assertion failed))";
    ASSERT_EQ(2u, reporter.mReports.size());
    EXPECT_EQ(report, reporter.mReports[0].second);
    EXPECT_EQ(report, reporter.mReports[1].second);
  }
  EXPECT_EQ("", Children(Root()));
  // Left detached: repaired, they can still be deleted, with what they hold.
  RepairMine(static_cast<XCXMLAttribute*>(badAttribute)->Mine());
  RepairMine(static_cast<XCXMLNode*>(bad->GetNode())->Mine());
  EXPECT_EQ(nullptr, bad->GetNode()->GetParent());
  EXPECT_EQ(nullptr, badAttribute->GetOwner());
  EXPECT_EQ("inner", Children(bad));
  bad->GetNode()->Delete();
  badAttribute->Delete();
}

TEST_F(DocumentTest, CopiesGoAcrossTreesAndIntoTheirOwnSubtree) {
  XIXMLElement* e = Root()->AddElement(Key("e"));
  e->AddAttribute(Key("a"), "1");
  e->AddAttribute(Key("b"), "2");
  XIXMLElement* inner = e->AddElement(Key("inner"));
  inner->AddData("text");
  e->AddComment("c");
  e->AddPI("t", "d");
  int duplicated = 0, released = 0;
  e->AddElement(Key("block"))->AddData(new CTextProvider("B", &released, &duplicated));
  e->AddDocType(Key("d"), "p", "s", nullptr);

  XCXMLTree other;
  XIXMLElement* target = other.GetRoot()->AddElement(other.GetRoot()->GetKey("target"));
  XIXMLElement* copied = e->GetNode()->CopyTo(target)->AsElement();
  EXPECT_EQ(1, duplicated);
  EXPECT_EQ(Written(e), Written(copied));
  // Names are interned anew in the target tree.
  EXPECT_EQ(other.GetRoot()->GetKey("e"), copied->GetKeyRef());
  EXPECT_EQ(other.GetRoot()->GetKey("inner"), copied->GetFirstElement()->GetKeyRef());
  EXPECT_EQ(other.GetRoot()->GetKey("b"), copied->GetFirstAttribute()->GetNext()->GetKeyRef());
  EXPECT_STREQ("text", inner->GetData()->GetNode()->CopyTo(target)->AsData()->GetText());
  EXPECT_EQ(other.GetRoot()->GetKey("a"), e->GetFirstAttribute()->CopyTo(target)->GetKeyRef());
  EXPECT_EQ(kNull, ErrorOf([&] { e->GetNode()->CopyTo(nullptr); }));

  // Into its own subtree: one copy, made before it is linked.
  XIXMLElement* f = Root()->AddElement(Key("f"));
  XIXMLElement* a = f->AddElement(Key("a"));
  a->AddElement(Key("leaf"));
  f->GetNode()->CopyTo(a);
  EXPECT_EQ("<f>\n\t<a>\n\t\t<leaf/>\n\t\t<f>\n\t\t\t<a>\n\t\t\t\t<leaf/>\n\t\t\t</a>\n\t\t</f>\n\t</a>\n</f>", Written(f));
  f->GetNode()->CopyTo(f);
  EXPECT_EQ(2, f->CountElements());
}

TEST_F(DocumentTest, NodesMovedBetweenTreesTakeTheirKeysAlong) {
  auto other = std::make_unique<XCXMLTree>();
  XIXMLElement* otherRoot = other->GetRoot();
  XIXMLElement* moved = otherRoot->AddElement(otherRoot->GetKey("moved"));
  moved->AddAttribute(otherRoot->GetKey("attr"), "v");
  moved->AddElement(otherRoot->GetKey("child"))->AddDocType(otherRoot->GetKey("dt"), nullptr, nullptr, nullptr);
  XIXMLElement* keeper = otherRoot->AddElement(otherRoot->GetKey("keeper"));
  XIXMLAttribute* lonely = keeper->AddAttribute(otherRoot->GetKey("lonely"), "x");
  otherRoot->RemoveNode(moved->GetNode());
  keeper->RemoveAttribute(lonely);
  other.reset();  // the old tree dies; the removed nodes keep their names

  EXPECT_STREQ("lonely", lonely->GetKeyRef());
  XIXMLElement* e = Root()->AddElement(Key("e"));
  e->AddNode(moved->GetNode());
  EXPECT_EQ(moved, e->FindElement(Key("moved")));
  EXPECT_EQ(Key("attr"), moved->GetFirstAttribute()->GetKeyRef());
  EXPECT_EQ(Key("dt"), moved->GetFirstElement()->GetFirstNode()->AsDocType()->GetKeyRef());
  EXPECT_EQ("<e>\n\t<moved attr=\"v\">\n\t\t<child>\n\t\t\t<!DOCTYPE dt>\n\t\t</child>\n\t</moved>\n</e>", Written(e));
  EXPECT_EQ(Key("lonely"), lonely->CopyTo(e)->GetKeyRef());
  lonely->Delete();
}

TEST_F(DocumentTest, DeletingGivesMemoryBack) {
  const char* key = Key("k");
  XIXMLElement* f = Root()->AddElement(key);
  const uint32_t chunks = CNodeHeap::LiveChunks();
  for (int i = 0; i < 300000; ++i) {
    XIXMLElement* child = f->AddElement(key);
    child->AddAttribute(key, "some value");
    child->AddData("some text");
    child->GetNode()->Delete();
    f->AddAttribute(key, "x")->Delete();
  }
  EXPECT_LE(CNodeHeap::LiveChunks(), chunks + 2);
}

}  // namespace
