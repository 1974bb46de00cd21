#include <gtest/gtest.h>

#include <cstring>
#include <stdexcept>
#include <string>
#include <vector>

#include "xml/element.h"
#include "xml/tree.h"
#include "xml_test_support.h"

using namespace QuorveXML;
using namespace XMLTest;

namespace {

class DocumentTest : public CHeapCheckedTest {
protected:
  XIXMLElement* Root() { return mTree.GetRoot(); }
  const char* Key(const char* name) { return Root()->GetKey(name); }
  static std::string Written(XIXMLElement* element) {
    CStringWriteStream out;
    element->Write(&out);
    return out.mText;
  }
  // The names of element's children in order ("#" for data, "!" comment, "?" PI, "D" doctype).
  static std::string Children(XIXMLElement* element) {
    std::string names;
    for (XIXMLNode* node = element->GetFirstNode(); node; node = node->GetNext()) {
      if (!names.empty()) names += ' ';
      if (XIXMLElement* child = node->AsElement())
        names += child->GetKeyRef();
      else if (node->AsData())
        names += '#';
      else if (node->AsComment())
        names += '!';
      else if (node->AsPI())
        names += '?';
      else if (node->AsDocType())
        names += 'D';
    }
    return names;
  }
  XCXMLTree mTree;
};

TEST_F(DocumentTest, KeysAreInternedPerTree) {
  const char* a = Key("a");
  EXPECT_STREQ("a", a);
  EXPECT_EQ(a, Key("a"));
  EXPECT_NE(a, Key("b"));
  std::string copy = "a";
  EXPECT_EQ(a, Key(copy.c_str())) << "found by text, returned by identity";
  XCXMLTree other;
  EXPECT_NE(a, other.GetRoot()->GetKey("a"));

  XIXMLElement* top = Root()->AddElement(Key("top"));
  XIXMLElement* first = top->AddElement(Key("item"));
  top->AddElement(Key("other"));
  XIXMLElement* second = top->AddElement(Key("item"));
  EXPECT_EQ(first->GetKeyRef(), second->GetKeyRef());
  EXPECT_EQ(first, top->FindElement(Key("item")));
  EXPECT_EQ(second, first->GetNextSameElement());
  EXPECT_EQ(nullptr, second->GetNextSameElement());
  EXPECT_EQ(nullptr, top->FindElement(copy.c_str())) << "keys compare by pointer";
  EXPECT_EQ(Key("item"), second->GetNode()->AsElement()->GetKey("item")) << "GetKey asks up to the root";
  EXPECT_EQ("exception", MessageOf([&] { Key(nullptr); }));
}

TEST_F(DocumentTest, ElementsOutsideATreeHaveNoKeys) {
  XIXMLElement* top = Root()->AddElement(Key("top"));
  XIXMLElement* child = top->AddElement(Key("child"));
  Root()->RemoveNode(top->GetNode());
  EXPECT_EQ("XCXMLElement::GetKey - element isn't in a tree (pointer is NULL)", MessageOf([&] { child->GetKey("x"); }));
  EXPECT_EQ("XCXMLElement::GetKey - element isn't in a tree (pointer is NULL)",
            MessageOf([&] { Root()->GetFirstNode(); top->GetNode()->CopyTo(child); }));
  top->GetNode()->Delete();
}

TEST_F(DocumentTest, SearchingChildrenAndAttributes) {
  XIXMLElement* e = Root()->AddElement(Key("e"));
  e->AddComment("c");
  XIXMLElement* x = e->AddElement(Key("x"));
  XIXMLData* data = e->AddData("text");
  XIXMLElement* y = e->AddElement(Key("y"));
  e->AddPI("t", "d");
  XIXMLElement* z = e->AddElement(Key("z"));
  EXPECT_EQ("! x # y ? z", Children(e));
  EXPECT_EQ(3, e->CountElements());
  EXPECT_EQ(x, e->GetFirstElement());
  EXPECT_EQ(y, x->GetNextElement());
  EXPECT_EQ(z, y->GetNextElement());
  EXPECT_EQ(nullptr, z->GetNextElement());
  EXPECT_EQ(x, e->GetElement(0));
  EXPECT_EQ(z, e->GetElement(2));
  EXPECT_EQ(nullptr, e->GetElement(3));
  EXPECT_EQ(nullptr, e->GetElement(-1));
  EXPECT_EQ(data, e->GetData());
  EXPECT_EQ(nullptr, x->GetData());
  EXPECT_EQ(nullptr, x->GetFirstNode());
  EXPECT_EQ(nullptr, x->GetFirstElement());
  EXPECT_EQ(0, x->CountElements());
  EXPECT_EQ(e, y->GetNode()->GetParent());
  EXPECT_EQ(Root(), e->GetNode()->GetParent());
  EXPECT_EQ(nullptr, Root()->GetNode()->GetParent());
  EXPECT_EQ(3, y->GetNode()->GetIndex());
  EXPECT_EQ(3, e->GetNodeIndex(y->GetNode()));
  EXPECT_EQ(-1, e->GetNodeIndex(e->GetNode()));
  EXPECT_EQ(-1, e->GetNodeIndex(nullptr));
  EXPECT_EQ(-1, Root()->GetNode()->GetIndex());
  EXPECT_EQ(nullptr, z->GetNode()->GetNext());
  EXPECT_EQ(nullptr, Root()->GetKeyRef());
  EXPECT_EQ(Root(), Root()->GetNode()->AsElement());
  EXPECT_EQ(nullptr, e->GetNode()->AsData());
  EXPECT_EQ(data, data->GetNode()->AsData());
  EXPECT_EQ(nullptr, data->GetNode()->AsElement());

  EXPECT_EQ(nullptr, e->GetFirstAttribute());
  EXPECT_EQ(nullptr, e->FindAttribute(""));
  XIXMLAttribute* p = e->AddAttribute(Key("p"), "1");
  XIXMLAttribute* q = e->AddAttribute(Key("q"), "2");
  XIXMLAttribute* p2 = e->AddAttribute(Key("p"), "3");
  EXPECT_EQ(p, e->GetFirstAttribute());
  EXPECT_EQ(q, p->GetNext());
  EXPECT_EQ(p2, q->GetNext());
  EXPECT_EQ(nullptr, p2->GetNext());
  EXPECT_EQ(p, e->FindAttribute(Key("p"))) << "duplicates are kept; the first is found";
  EXPECT_EQ(q, e->FindAttribute(Key("q")));
  EXPECT_EQ(p, e->FindAttribute("")) << "an empty key text yields the first attribute";
  EXPECT_EQ(nullptr, e->FindAttribute(Key("r")));
  EXPECT_EQ(nullptr, e->FindAttribute(nullptr));
  EXPECT_EQ(e, q->GetOwner());
  EXPECT_TRUE(e->HasAttributeValue(Key("q"), "2"));
  EXPECT_FALSE(e->HasAttributeValue(Key("q"), "2 "));
  EXPECT_FALSE(e->HasAttributeValue(Key("r"), "2"));
  EXPECT_FALSE(e->HasAttributeValue(Key("q"), nullptr));
  q->SetValue("changed");
  EXPECT_STREQ("changed", q->GetValue());
  q->SetKey(Key("k"));
  EXPECT_EQ(q, e->FindAttribute(Key("k")));
  EXPECT_STREQ("1", p->GetValue());
}

TEST_F(DocumentTest, AddingChecksItsArguments) {
  XIXMLElement* e = Root()->AddElement(Key("e"));
  struct Case {
    std::string expected;
    std::string got;
  } cases[] = {
      {"exception (pointer is NULL)", MessageOf([&] { e->AddElement(nullptr); })},
      {"exception (pointer is NULL)", MessageOf([&] { e->AddAttribute(Key("a"), nullptr); })},
      {"exception (pointer is NULL)", MessageOf([&] { e->AddAttribute(nullptr, "v"); })},
      {"exception (pointer is NULL)", MessageOf([&] { e->AddComment(nullptr); })},
      {"exception (pointer is NULL)", MessageOf([&] { e->AddPI(nullptr, ""); })},
      {"exception (pointer is NULL)", MessageOf([&] { e->AddPI("t", nullptr); })},
      {"exception (pointer is NULL)", MessageOf([&] { e->AddDocType(nullptr, nullptr, nullptr, nullptr); })},
      {"exception", MessageOf([&] { e->AddData(static_cast<IXMLCData*>(nullptr)); })},
      {"exception (pointer is NULL)", MessageOf([&] { e->AddData(static_cast<const char*>(nullptr)); })},
      {"exception (pointer is NULL)", MessageOf([&] { e->SetKey(nullptr); })},
      {"exception (pointer is NULL)", MessageOf([&] { e->AddNode(nullptr); })},
  };
  for (const Case& c : cases) EXPECT_EQ(c.expected, c.got);
  EXPECT_EQ(nullptr, e->GetFirstNode()) << "nothing was added";
  EXPECT_EQ(nullptr, e->GetFirstAttribute());
}

TEST_F(DocumentTest, OneDataNodePerElement) {
  XIXMLElement* e = Root()->AddElement(Key("e"));
  XIXMLData* text = e->AddData("first");
  int released = 0;
  auto* provider = new CTextProvider("p", &released);
  EXPECT_EQ("Only one data node for an element", MessageOf([&] { e->AddData("second"); }));
  EXPECT_EQ("Only one data node for an element", MessageOf([&] { e->AddData(provider); }));
  EXPECT_EQ(0, released) << "the provider stays with the caller when nothing is added";
  EXPECT_EQ("#", Children(e));
  text->GetNode()->Delete();
  XIXMLData* block = e->AddData(provider);
  EXPECT_EQ(block, e->GetData());
  EXPECT_EQ("exception", MessageOf([&] { block->GetText(); }));
  EXPECT_EQ("exception", MessageOf([&] { block->SetText("x"); }));
  int value = 0;
  EXPECT_EQ("exception", MessageOf([&] { block->Scan("%d", &value); }));
  EXPECT_EQ("exception", MessageOf([&] { block->Format("%d", 1); }));
  e->RemoveNode(block->GetNode());
  EXPECT_EQ(nullptr, e->GetData());
  e->AddData("again");
  EXPECT_EQ("Only one data node for an element", MessageOf([&] { e->AddNode(block->GetNode()), e->AddData("x"); }));
  block->GetNode()->Delete();
  EXPECT_EQ(1, released);
}

TEST_F(DocumentTest, TextsOfEveryKindCanBeReplaced) {
  XIXMLElement* e = Root()->AddElement(Key("e"));
  XIXMLData* data = e->AddData("short");
  data->SetText(std::string(5000, 'd').c_str());
  data->SetText("again");
  EXPECT_STREQ("again", data->GetText());
  EXPECT_EQ("exception (pointer is NULL)", MessageOf([&] { data->SetText(nullptr); }));
  XIXMLComment* comment = e->AddComment("c");
  comment->SetText("comment");
  EXPECT_STREQ("comment", comment->GetText());
  XIXMLPI* pi = e->AddPI("target", "data");
  EXPECT_STREQ("target", pi->GetTarget());
  EXPECT_STREQ("data", pi->GetData());
  pi->SetData("d2");
  EXPECT_STREQ("target", pi->GetTarget());
  pi->SetTarget("t2");
  EXPECT_STREQ("t2", pi->GetTarget());
  EXPECT_STREQ("d2", pi->GetData());
  XIXMLDocType* docType = e->AddDocType(Key("d"), "pub", nullptr, "sub");
  EXPECT_STREQ("pub", docType->GetPublicId());
  EXPECT_EQ(nullptr, docType->GetSystemId());
  EXPECT_STREQ("sub", docType->GetSubset());
  docType->SetSystemId("sys");
  docType->SetPublicId(nullptr);
  docType->SetSubset("s2");
  docType->SetKey(Key("d2"));
  EXPECT_EQ(nullptr, docType->GetPublicId());
  EXPECT_STREQ("sys", docType->GetSystemId());
  EXPECT_STREQ("s2", docType->GetSubset());
  EXPECT_EQ(Key("d2"), docType->GetKeyRef());
  EXPECT_EQ("<e>again<!--comment-->\n\t<?t2 d2?>\n\t<!DOCTYPE d2 SYSTEM \"sys\" [s2]>\n</e>", Written(e))
      << "the text came first: the comment follows it directly";
}

TEST_F(DocumentTest, FormatAndScan) {
  XIXMLElement* e = Root()->AddElement(Key("e"));
  XIXMLAttribute* a = e->AddAttribute(Key("a"), "");
  XIXMLData* d = e->AddData("");
  a->Format("%lf", 1.5);
  EXPECT_STREQ("1.500000", a->GetValue());
  d->Format("%d|%s", 42, "x");
  EXPECT_STREQ("42|x", d->GetText());
  a->Format("%s", std::string(2047, 'x').c_str());
  EXPECT_EQ(2047u, std::strlen(a->GetValue())) << "2047 characters fit";
  EXPECT_EQ("exception", MessageOf([&] { a->Format("%s", std::string(2048, 'x').c_str()); }));
  EXPECT_EQ("exception", MessageOf([&] { d->Format("%s", std::string(4000, 'x').c_str()); }));

  struct Case {
    const char* text;
    const char* format;
    bool ok;
    double value;
  } cases[] = {
      {"1.25", "%lf", true, 1.25},
      {"  -3e2 tail", "%lf", true, -300},
      {"nan", "%lf", true, 1.0},
      {"inf", "%lf", true, 1.0},
      {"-inf", "%lf", true, 1.0},
      {"+inf", "%lf", true, 1.0},
      // Any other non-finite result reads as 1 too: written back it would read as 1.
      {"NaN", "%lf", true, 1.0},
      {"-INF", "%lf", true, 1.0},
      {"inf.5", "%lf", true, 1.0},
      {"1e999", "%lf", true, 1.0},
      {"1e-999", "%lf", true, 0.0},
      {"abc", "%lf", false, 0},
      {"", "%lf", false, 0},
      {"1.5", "%lf %lf", false, 0},
      {"1.5", "no conversion", false, 0},
      {"1.5", "%*lf", false, 0},
      {"7", "%*s%lf", false, 0},
  };
  for (const Case& c : cases) {
    a->SetValue(c.text);
    double value = -1;
    const std::string message = MessageOf([&] { a->Scan(c.format, &value); });
    if (!c.ok) {
      EXPECT_EQ("exception", message) << c.text;
      continue;
    }
    EXPECT_EQ("<no exception>", message) << c.text;
    EXPECT_EQ(c.value, value) << c.text;
  }
  float single = 0;
  a->SetValue("1e99");
  a->Scan("%f", &single);
  EXPECT_EQ(1.0f, single) << "too big for a float";
  long double extended = 0;
  a->SetValue("nan(1)");
  a->Scan("%Lf", &extended);
  EXPECT_EQ(1.0L, extended);
  int integer = 0;
  d->SetText("nan");
  d->Scan("%d", &integer);
  EXPECT_EQ(1, integer) << "the words read as 1.0 with any format";
  d->SetText("12 13");
  d->Scan("%d", &integer);
  EXPECT_EQ(12, integer);
  long long big = 0;
  d->SetText("-9000000000");
  d->Scan("%lld", &big);
  EXPECT_EQ(-9000000000LL, big);
  EXPECT_EQ("exception", MessageOf([&] { d->Scan("%d", nullptr); }));
  EXPECT_EQ("exception", MessageOf([&] { d->Scan(nullptr, &integer); }));
  char word[8];
  d->SetText("abc");
  d->Scan("%7[a-c]", word);
  EXPECT_STREQ("abc", word);
}

TEST_F(DocumentTest, StructureEditsKeepTheTreeSound) {
  XIXMLElement* e = Root()->AddElement(Key("e"));
  XIXMLElement* a = e->AddElement(Key("a"));
  XIXMLElement* b = e->AddElement(Key("b"));
  XIXMLElement* c = e->AddElement(Key("c"));
  XIXMLElement* inner = a->AddElement(Key("inner"));
  const std::string assertion = "exception (assertion failed)";

  EXPECT_EQ(assertion, MessageOf([&] { e->AddNode(b->GetNode()); })) << "b has a parent";
  EXPECT_EQ(assertion, MessageOf([&] { e->RemoveNode(inner->GetNode()); })) << "not e's child";
  EXPECT_EQ(assertion, MessageOf([&] { e->RemoveNode(nullptr); }));
  EXPECT_EQ(assertion, MessageOf([&] { a->AddNode(Root()->GetNode()); })) << "the root belongs to its tree";
  EXPECT_EQ(assertion, MessageOf([&] { Root()->GetNode()->Delete(); }));
  EXPECT_EQ(assertion, MessageOf([&] { b->GetNode()->SetNext(a->GetNode()); }));
  EXPECT_EQ(assertion, MessageOf([&] { b->GetNode()->SetParent(a); }));
  b->GetNode()->SetNext(c->GetNode());
  b->GetNode()->SetParent(e);
  EXPECT_EQ("a b c", Children(e)) << "failed edits changed nothing";

  // An element cannot come under itself or under its own descendant.
  e->RemoveNode(a->GetNode());
  EXPECT_EQ(assertion, MessageOf([&] { inner->AddNode(a->GetNode()); }));
  EXPECT_EQ(assertion, MessageOf([&] { a->AddNode(a->GetNode()); }));
  EXPECT_EQ("inner", Children(a));
  EXPECT_EQ(nullptr, a->GetNode()->GetParent());
  e->AddNode(a->GetNode());
  EXPECT_EQ("b c a", Children(e));

  // Moving.
  e->MoveNode(a->GetNode(), b->GetNode());
  EXPECT_EQ("a b c", Children(e));
  e->MoveNode(a->GetNode(), nullptr);
  EXPECT_EQ("b c a", Children(e));
  e->MoveNode(c->GetNode(), a->GetNode());
  EXPECT_EQ("b c a", Children(e)) << "c already stands before a";
  e->MoveNode(c->GetNode(), c->GetNode());
  EXPECT_EQ("b c a", Children(e));
  e->MoveNode(b->GetNode(), a->GetNode());
  EXPECT_EQ("c b a", Children(e));
  EXPECT_EQ("XCXMLElement::MoveNode previous == NULL (pointer is NULL)",
            MessageOf([&] { e->MoveNode(b->GetNode(), inner->GetNode()); }));
  EXPECT_EQ(assertion, MessageOf([&] { e->MoveNode(inner->GetNode(), nullptr); }));
  EXPECT_EQ(assertion, MessageOf([&] { a->MoveNode(a->GetNode(), inner->GetNode()); }));
  EXPECT_EQ("c b a", Children(e));
  EXPECT_EQ("inner", Children(a));
  EXPECT_EQ(a, e->GetElement(2));
  EXPECT_EQ(nullptr, a->GetNextElement());
  EXPECT_EQ(c, e->GetFirstElement());

  // Attributes.
  XIXMLAttribute* x = a->AddAttribute(Key("x"), "1");
  XIXMLAttribute* y = b->AddAttribute(Key("y"), "2");
  EXPECT_EQ("XCXMLElement::RemoveAttribute previous == NULL (pointer is NULL)",
            MessageOf([&] { a->RemoveAttribute(y); }));
  EXPECT_EQ("XCXMLElement::RemoveAttribute previous == NULL (pointer is NULL)",
            MessageOf([&] { a->RemoveAttribute(nullptr); }));
  EXPECT_EQ(assertion, MessageOf([&] { x->SetNext(y); }));
  x->SetNext(nullptr);
  a->RemoveAttribute(x);
  EXPECT_EQ(nullptr, a->GetFirstAttribute());
  EXPECT_EQ(nullptr, x->GetOwner());
  EXPECT_EQ(nullptr, x->GetNext());
  XIXMLAttribute* copy = x->CopyTo(b);
  EXPECT_EQ(copy, y->GetNext());
  x->Delete();
  y->Delete();
  EXPECT_EQ(copy, b->GetFirstAttribute());
  EXPECT_EQ(nullptr, copy->GetNext());
}

TEST_F(DocumentTest, DeletingAStaleObjectThrowsInsteadOfFreeingTwice) {
  XIXMLElement* e = Root()->AddElement(Key("e"));
  XIXMLElement* a = e->AddElement(Key("a"));
  XIXMLAttribute* x = e->AddAttribute(Key("x"), "1");
  XIXMLData* text = e->AddData("t");
  XIXMLNode* node = a->GetNode();
  node->Delete();
  x->Delete();
  text->GetNode()->Delete();
  const std::string destroyed = "XCMine::CheckMine - Owner object is destroyed) (assertion failed)";
  EXPECT_EQ(destroyed, MessageOf([&] { node->Delete(); }));
  EXPECT_EQ(destroyed, MessageOf([&] { x->Delete(); }));
  EXPECT_EQ(destroyed, MessageOf([&] { text->GetNode()->Delete(); }));
  EXPECT_EQ(destroyed, MessageOf([&] { e->AddNode(node); }));
  EXPECT_EQ("", Children(e));
  EXPECT_EQ(nullptr, e->GetFirstAttribute());
}

TEST_F(DocumentTest, TheDeletingDestructorsUnlinkToo) {
  XIXMLElement* e = Root()->AddElement(Key("e"));
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
  EXPECT_EQ(nullptr, e->GetData());
  delete e->GetFirstNode();
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
    XIXMLElement* b = root->AddElement(root->GetKey("b"));
    b->AddData(new CThrowingProvider(false));
    b->GetData()->GetNode()->Delete();
  }
  ASSERT_EQ(2u, reporter.mReports.size());
  EXPECT_EQ(Quorve::eReportError, reporter.mReports[0].first);
  EXPECT_EQ("XCXMLNode::~XCXMLNode: Exception in destructor (unknown exception)", reporter.mReports[0].second);
  EXPECT_EQ("XCXMLNode::~XCXMLNode: Exception in destructor (release failed)", reporter.mReports[1].second);
}

TEST_F(DocumentTest, CopiesGoAcrossTrees) {
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
  const std::string expected = Written(e);

  XCXMLTree other;
  XIXMLElement* target = other.GetRoot()->AddElement(other.GetRoot()->GetKey("target"));
  XIXMLNode* copy = e->GetNode()->CopyTo(target);
  EXPECT_EQ(1, duplicated);
  EXPECT_EQ(copy, target->GetFirstNode());
  XIXMLElement* copied = copy->AsElement();
  EXPECT_EQ(expected, Written(copied));
  EXPECT_EQ(other.GetRoot()->GetKey("e"), copied->GetKeyRef()) << "names re-interned in the target tree";
  EXPECT_EQ(other.GetRoot()->GetKey("inner"), copied->GetFirstElement()->GetKeyRef());
  EXPECT_EQ(other.GetRoot()->GetKey("b"), copied->GetFirstAttribute()->GetNext()->GetKeyRef());
  EXPECT_NE(Key("e"), copied->GetKeyRef());

  // Single nodes and attributes copy the same way.
  XIXMLNode* text = inner->GetData()->GetNode()->CopyTo(target);
  EXPECT_STREQ("text", text->AsData()->GetText());
  EXPECT_STREQ("c", inner->GetNode()->GetNext()->CopyTo(target)->AsComment()->GetText());
  XIXMLAttribute* attribute = e->GetFirstAttribute()->CopyTo(target);
  EXPECT_EQ(other.GetRoot()->GetKey("a"), attribute->GetKeyRef());
  EXPECT_EQ("exception (pointer is NULL)", MessageOf([&] { e->GetNode()->CopyTo(nullptr); }));
}

TEST_F(DocumentTest, CopyingIntoOwnSubtreeMakesOneCopy) {
  XIXMLElement* e = Root()->AddElement(Key("e"));
  XIXMLElement* a = e->AddElement(Key("a"));
  a->AddElement(Key("leaf"));
  e->GetNode()->CopyTo(a);
  EXPECT_EQ("<e>\n\t<a>\n\t\t<leaf/>\n\t\t<e>\n\t\t\t<a>\n\t\t\t\t<leaf/>\n\t\t\t</a>\n\t\t</e>\n\t</a>\n</e>", Written(e));
  e->GetNode()->CopyTo(e);
  EXPECT_EQ(2, e->CountElements());
  Root()->GetNode()->CopyTo(e);
  EXPECT_EQ(3, e->CountElements());
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
  XIXMLNode* orphan = otherRoot->AddElement(otherRoot->GetKey("orphan"))->GetNode();
  otherRoot->RemoveNode(orphan);
  other.reset();  // the old tree dies; the removed nodes keep their names

  EXPECT_STREQ("moved", moved->GetKeyRef());
  EXPECT_STREQ("lonely", lonely->GetKeyRef());
  XIXMLElement* e = Root()->AddElement(Key("e"));
  e->AddNode(moved->GetNode());
  EXPECT_EQ(Key("moved"), moved->GetKeyRef());
  EXPECT_EQ(Key("attr"), moved->GetFirstAttribute()->GetKeyRef());
  EXPECT_EQ(moved, e->FindElement(Key("moved")));
  EXPECT_EQ(Key("dt"), moved->GetFirstElement()->GetFirstNode()->AsDocType()->GetKeyRef());
  EXPECT_EQ("<e>\n\t<moved attr=\"v\">\n\t\t<child>\n\t\t\t<!DOCTYPE dt>\n\t\t</child>\n\t</moved>\n</e>", Written(e));
  XIXMLAttribute* copy = lonely->CopyTo(e);
  EXPECT_EQ(Key("lonely"), copy->GetKeyRef());
  lonely->Delete();
  orphan->Delete();

  // Moving within one tree keeps the keys as they are.
  e->RemoveNode(moved->GetNode());
  Root()->AddNode(moved->GetNode());
  EXPECT_EQ(Key("moved"), moved->GetKeyRef());
}

TEST_F(DocumentTest, AppendingIsConstantTime) {
  XIXMLElement* e = Root()->AddElement(Key("e"));
  const char* key = Key("k");
  for (int i = 0; i < 200000; ++i) e->AddElement(key);
  for (int i = 0; i < 100000; ++i) e->AddAttribute(key, "v");
  EXPECT_EQ(200000, e->CountElements());
  int attributes = 0;
  for (XIXMLAttribute* a = e->GetFirstAttribute(); a; a = a->GetNext()) ++attributes;
  EXPECT_EQ(100000, attributes);
}

TEST_F(DocumentTest, AddingAndDeletingInALoopKeepsMemoryBounded) {
  XIXMLElement* e = Root()->AddElement(Key("e"));
  const char* key = Key("k");
  const uint32_t chunks = CNodeHeap::LiveChunks();
  for (int i = 0; i < 300000; ++i) {
    XIXMLElement* child = e->AddElement(key);
    child->AddAttribute(key, "some value");
    child->AddData("some text");
    child->GetNode()->Delete();
    e->AddAttribute(key, "x")->Delete();
  }
  EXPECT_LE(CNodeHeap::LiveChunks(), chunks + 2);
}

}  // namespace
