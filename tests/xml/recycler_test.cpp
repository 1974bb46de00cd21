#include <gtest/gtest.h>

#include <cstring>
#include <new>
#include <random>
#include <string>
#include <vector>

#include "xml/element.h"
#include "xml/recycler.h"
#include "xml_test_support.h"

using namespace QuorveXML;
using namespace XMLTest;

namespace {

// A subtree to build: attributes, an optional text (first child), child elements
// and, in old trees only, comments.
struct CShape {
  std::string key;
  std::vector<std::pair<std::string, std::string>> attributes;
  bool hasText = false;
  std::string text;
  std::vector<CShape> children;
  bool comment = false;
};

class RecyclerTest : public CHeapCheckedTest {
protected:
  XIXMLElement* Root() { return mTree.GetRoot(); }
  const char* Key(const std::string& name) { return Root()->GetKey(name.c_str()); }

  std::string Value(std::mt19937& rng) {
    std::string value(rng() % 7, 'v');
    for (char& c : value) c = static_cast<char>('0' + rng() % 10);
    return value;
  }

  CShape Random(std::mt19937& rng, int depth) {
    CShape shape;
    shape.key = std::string(1, static_cast<char>('a' + rng() % 4));
    for (unsigned i = 0, n = rng() % 4; i < n; ++i)
      shape.attributes.emplace_back(std::string(1, static_cast<char>('x' + rng() % 3)), Value(rng));
    shape.hasText = rng() % 3 == 0;
    shape.text = Value(rng);
    if (depth < 3)
      for (unsigned i = 0, n = rng() % 4; i < n; ++i) shape.children.push_back(Random(rng, depth + 1));
    return shape;
  }

  // The old tree a writer meets: the new one with some edits, or another one.
  CShape Mutated(CShape shape, std::mt19937& rng, int depth) {
    if (rng() % 8 == 0) return Random(rng, depth);
    for (auto& attribute : shape.attributes)
      if (rng() % 3 == 0) attribute.second = Value(rng);  // shorter, as long, or longer
    if (!shape.attributes.empty() && rng() % 5 == 0) shape.attributes.erase(shape.attributes.begin());
    if (rng() % 6 == 0) shape.attributes.emplace_back("z", Value(rng));
    if (rng() % 5 == 0) shape.hasText = !shape.hasText;
    if (shape.hasText && rng() % 3 == 0) shape.text = Value(rng);
    shape.comment = rng() % 8 == 0;
    for (auto& child : shape.children) child = Mutated(child, rng, depth + 1);
    if (!shape.children.empty() && rng() % 5 == 0) shape.children.erase(shape.children.begin() + rng() % shape.children.size());
    if (depth < 3 && rng() % 5 == 0) shape.children.insert(shape.children.begin(), Random(rng, depth + 1));
    if (shape.children.size() > 1 && rng() % 6 == 0) std::swap(shape.children[0], shape.children[1]);
    return shape;
  }

  // Fills element as shape says through the interface alone.
  void Build(XIXMLElement* element, const CShape& shape) {
    for (const auto& attribute : shape.attributes) element->AddAttribute(Key(attribute.first), attribute.second.c_str());
    if (shape.comment) element->AddComment("old");
    if (shape.hasText) element->AddData(shape.text.c_str());
    for (const CShape& child : shape.children) Build(element->AddElement(Key(child.key)), child);
  }

  // Fills element as shape says, taking spares of handle where they fit; some nodes
  // go through the interface, as other code filling the same element would.
  void Recycle(CXMLRecycler& recycler, XCXMLElement* element, int handle, const CShape& shape, std::mt19937& rng) {
    const bool recycle = handle >= 0;
    for (const auto& attribute : shape.attributes) {
      const std::string& v = attribute.second;
      if (!recycle || rng() % 8 == 0 || !recycler.Attribute(handle, Key(attribute.first), v.c_str(), v.size()))
        element->AddAttribute(Key(attribute.first), v.c_str());
    }
    if (shape.hasText && (!recycle || !recycler.Text(handle, shape.text.c_str(), shape.text.size())))
      element->AddData(shape.text.c_str());
    for (const CShape& child : shape.children) {
      XCXMLElement* made = recycle && rng() % 8 ? recycler.Element(handle, Key(child.key)) : nullptr;
      const int spares = made ? recycler.SparesOf(made) : -1;
      if (!made) made = XCXMLElement::FromInterface(element->AddElement(Key(child.key)));
      Recycle(recycler, made, spares, child, rng);
    }
  }

  XCXMLTree mTree;
};

// Whatever the old subtree held, the rewritten one is what a fresh build gives,
// and nothing is left behind (the fixture counts the node heap).
TEST_F(RecyclerTest, ARewriteGivesTheFreshTreeWhateverWasThere) {
  std::mt19937 rng(20261207);
  for (int round = 0; round < 3000; ++round) {
    const CShape shape = Random(rng, 0);
    XIXMLElement* fresh = Root()->AddElement(Key("top"));
    Build(fresh, shape);
    const std::string expected = Written(fresh);
    fresh->GetNode()->Delete();

    XIXMLElement* old = Root()->AddElement(Key("top"));
    Build(old, Mutated(shape, rng, 0));
    XIXMLElement* target = Root()->AddElement(Key("top"));
    {
      CXMLRecycler recycler;
      const int handle = recycler.Adopt(XCXMLElement::FromInterface(old), XCXMLElement::FromInterface(target));
      EXPECT_EQ(nullptr, old->GetFirstNode());
      EXPECT_EQ(nullptr, old->GetFirstAttribute());
      old->GetNode()->Delete();
      Recycle(recycler, XCXMLElement::FromInterface(target), handle, shape, rng);
      // A rewrite may end by the sweep or by the recycler's end.
      if (round % 2) recycler.Sweep(0);
    }
    ASSERT_EQ(expected, Written(target)) << "round " << round;
    target->GetNode()->Delete();
  }
}

// The cases the random rounds may miss, each with the node counts that show reuse.
TEST_F(RecyclerTest, NodesAreReusedInPlaceAndTheRestDies) {
  XIXMLElement* old = Root()->AddElement(Key("list"));
  XIXMLElement* item = old->AddElement(Key("item"));
  item->AddAttribute(Key("x"), "12345");
  item->AddAttribute(Key("y"), "1");
  item->AddElement(Key("n"))->AddData("long text");
  item->AddElement(Key("gone"));
  item->AddElement(Key("m"))->AddData("t");
  old->AddElement(Key("extra"))->AddComment("c");
  XIXMLElement* target = Root()->AddElement(Key("list"));
  const int64_t before = CNodeHeap::LiveAllocations();
  {
    CXMLRecycler recycler;
    const int list = recycler.Adopt(XCXMLElement::FromInterface(old), XCXMLElement::FromInterface(target));
    ASSERT_EQ(0, list);
    EXPECT_EQ(-1, recycler.Adopt(XCXMLElement::FromInterface(old), XCXMLElement::FromInterface(old)));
    EXPECT_EQ(nullptr, recycler.Element(list, Key("other"))) << "neither the next spare nor the one after";
    XCXMLElement* reused = recycler.Element(list, Key("item"));
    ASSERT_EQ(item, reused);
    const int spares = recycler.SparesOf(reused);
    EXPECT_EQ(nullptr, reused->GetFirstNode()) << "its old content waits as spares";
    EXPECT_EQ(list, recycler.SparesOf(XCXMLElement::FromInterface(target))) << "found among the recent ones";
    EXPECT_TRUE(recycler.Attribute(spares, Key("x"), "123", 3)) << "shorter: in place";
    EXPECT_TRUE(recycler.Attribute(spares, Key("y"), "123456789", 9)) << "longer: a copy";
    EXPECT_FALSE(recycler.Attribute(spares, Key("y"), "1", 1)) << "none left";
    XCXMLElement* n = recycler.Element(spares, Key("n"));
    ASSERT_NE(nullptr, n);
    EXPECT_TRUE(recycler.Text(recycler.SparesOf(n), "short", 5));
    EXPECT_FALSE(recycler.Text(recycler.SparesOf(n), "again", 5)) << "one data node per element";
    XCXMLElement* m = recycler.Element(spares, Key("m"));
    ASSERT_NE(nullptr, m) << "the one after the next fits: the next (gone) dies";
    EXPECT_TRUE(recycler.Text(recycler.SparesOf(m), "longer text", 11));
    EXPECT_EQ(2, recycler.SparesOf(n)) << "no longer the last: found among the recent ones";
    recycler.Sweep(1);
    EXPECT_EQ(-1, recycler.SparesOf(m));
  }
  old->GetNode()->Delete();
  const int64_t after = CNodeHeap::LiveAllocations();
  XIXMLElement* fresh = Root()->AddElement(Key("list"));
  XIXMLElement* expected = fresh->AddElement(Key("item"));
  expected->AddAttribute(Key("x"), "123");
  expected->AddAttribute(Key("y"), "123456789");
  expected->AddElement(Key("n"))->AddData("short");
  expected->AddElement(Key("m"))->AddData("longer text");
  EXPECT_EQ(Written(fresh), Written(target));
  fresh->GetNode()->Delete();
  // Reused: the list, the item and its attributes, n, m and their texts; gone: "gone",
  // "extra" and its comment, the old list; new: the longer texts' copies.
  EXPECT_EQ(before - 4 + 2, after);
  target->GetNode()->Delete();
}

// A spare whose guard word is smashed is never reused: it is reported when the
// spares die, as a smashed node is when its parent dies, and left alone.
TEST_F(RecyclerTest, ASmashedSpareIsReportedAndLeft) {
  XIXMLElement* old = Root()->AddElement(Key("e"));
  XIXMLAttribute* badAttribute = old->AddAttribute(Key("x"), "1");
  XIXMLElement* bad = old->AddElement(Key("a"));
  SmashMine(static_cast<XCXMLAttribute*>(badAttribute)->Mine());
  SmashMine(static_cast<XCXMLNode*>(bad->GetNode())->Mine());
  {
    CCaptureReporter reporter;
    {
      CXMLRecycler recycler;
      XCXMLElement* target = XCXMLElement::FromInterface(old);
      const int handle = recycler.Adopt(target, target);
      EXPECT_FALSE(recycler.Attribute(handle, Key("x"), "1", 1));
      EXPECT_EQ(nullptr, recycler.Element(handle, Key("a")));
    }
    const std::string report =
        "XCXMLElement::~XCXMLElement: Exception in destructor (XCMine::CheckMine - Invalide mine state (assertion failed))";
    ASSERT_EQ(2u, reporter.mReports.size());
    EXPECT_EQ(report, reporter.mReports[0].second);
    EXPECT_EQ(report, reporter.mReports[1].second);
  }
  EXPECT_EQ("<e/>", Written(old));
  RepairMine(static_cast<XCXMLAttribute*>(badAttribute)->Mine());
  RepairMine(static_cast<XCXMLNode*>(bad->GetNode())->Mine());
  EXPECT_EQ(nullptr, bad->GetNode()->GetParent());
  EXPECT_EQ(nullptr, badAttribute->GetOwner());
  bad->GetNode()->Delete();
  badAttribute->Delete();
  old->GetNode()->Delete();
}

}  // namespace
