// The fuzz findings of the XML engine, each kept as a named input under
// fuzz/regressions/<target>/, and the seed corpora: every file runs through the same
// harness as in the fuzzer (whose oracles stop the process when they fail), and each
// finding's behaviour is pinned down here.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "fuzz/xml_targets.h"
#include "fuzz_inputs.h"
#include "xml_test_support.h"

namespace {

using FuzzInputs::Regression;
using FuzzInputs::Harness;

TEST(FuzzRegressions, EveryXmlSeedAndRegressionInputPassesItsHarness) {
  const std::pair<const char*, Harness> targets[] = {{"tree_reader", ZinFuzz::TreeReader},
                                                     {"selective_parser", ZinFuzz::SelectiveParser},
                                                     {"tree_edit", ZinFuzz::TreeEdit},
                                                     {"image_block", ZinFuzz::ImageBlock}};
  for (const auto& [target, harness] : targets) FuzzInputs::ReplayAll(target, harness);
}

std::string WriteOf(const std::string& text, std::string* message) {
  auto tree = ZinFuzz::ReadTree(text.data(), text.size(), message);
  return tree ? ZinFuzz::WriteElement(tree->GetRoot()) : "";
}

TEST(FuzzRegressions, TreeReaderFindings) {
  std::string message;
  // A name of one zero byte reaches the tree as the empty key: callbacks get
  // zero-terminated texts. Its output cannot be read (no document names an element
  // with nothing), which is why the round trip skips inputs holding a zero byte.
  const std::string zero = Regression("tree_reader", "zero_byte_name");
  ASSERT_EQ(zero, std::string("<\0/>", 4));
  EXPECT_EQ(WriteOf(zero, &message), "</>\n");
  WriteOf("</>\n", &message);
  EXPECT_EQ(message, "error: Must be a name here");

  // An empty data block read as text, or a character reference to nothing, makes no
  // text: an empty one would be written as an open and a close tag, which reads back
  // as an empty element, so the document would change on its second round.
  const std::string empty = Regression("tree_reader", "empty_data_block");
  EXPECT_EQ(WriteOf(empty, &message), "<I/>\n");
  EXPECT_EQ(WriteOf("<I>&#;</I>", &message), "<I/>\n");
  EXPECT_EQ(WriteOf("<I>&#0;<J/>x</I>", &message), "<I>\n\t<J/>x</I>\n");
  // A text that a reference starts with a blank keeps it, and loses it on the next
  // read (the parser skips leading whitespace): the format itself changes it once.
  EXPECT_EQ(WriteOf("<I>&#32;x</I>", &message), "<I> x</I>\n");
  EXPECT_EQ(WriteOf("<I> x</I>", &message), "<I>x</I>\n");

  // "[" may open the name of the top element, but inside content it opens a data
  // block: a copy of such an element into another element writes a document that the
  // parser refuses.
  const std::string bracket = Regression("tree_reader", "bracket_named_top_element");
  auto tree = ZinFuzz::ReadTree(bracket.data(), bracket.size(), &message);
  ASSERT_TRUE(tree);
  QuorveXML::XIXMLElement* top = tree->GetRoot()->GetFirstElement();
  EXPECT_STREQ(top->GetKeyRef(), "[");
  top->GetNode()->CopyTo(top);
  const std::string grown = ZinFuzz::WriteElement(tree->GetRoot());
  EXPECT_EQ(grown, "<[>\n\t<[/>\n</[>\n");
  WriteOf(grown, &message);
  EXPECT_EQ(message, "error: Must be CDATA here");

  // A literal in single quotes may hold a double quote: it is written in single
  // quotes again, so the document reads back (it was written in double quotes, which
  // ended the literal early).
  const std::string literal = Regression("tree_reader", "doctype_literal_with_quote");
  message.clear();
  const std::string written = WriteOf(literal, &message);
  EXPECT_EQ(written, "<!DOCTYPE Zin.File PUBLIC \"-//ZIN//Scene\" 'zin.dtd\" name=\"\"' []>\n<Zin.File/>\n");
  EXPECT_EQ(WriteOf(written, &message), written);
  EXPECT_EQ(message, "");

  // A data block before the top element is read as a text of the document node; the
  // writer puts texts out as they are, so the document begins with text and cannot be
  // read again.
  const std::string before = Regression("tree_reader", "data_block_before_top_element");
  EXPECT_EQ(before, "<![CDATA[0]]><s/>");
  const std::string textFirst = WriteOf(before, &message);
  EXPECT_EQ(textFirst, "0<s/>\n");
  WriteOf(textFirst, &message);
  EXPECT_EQ(message, "error: XML file must begin with <");
}

TEST(FuzzRegressions, ImageBlockFindings) {
  // Width 2 and height 0: a picture without pixels, which writes an empty block and
  // so reads back as 0 x 0.
  const std::string block = Regression("image_block", "width_without_height");
  ZinFuzz::CBytesReadStream in(block);
  Quorve::XCXMLImage* image = Quorve::XCXMLImage::ReadNew(&in);
  EXPECT_EQ(image->GetWidth(), 2u);
  EXPECT_EQ(image->GetHeight(), 0u);
  EXPECT_EQ(ZinFuzz::WriteImage(*image), "");
  image->Release();
}

// Numbers that scan to infinity or NaN under any spelling read as 1, as the four
// exact words do: written back, a non-finite value would read differently.
TEST(FuzzRegressions, ScansNeverYieldNonFiniteNumbers) {
  auto tree = std::make_unique<QuorveXML::XCXMLTree>();
  QuorveXML::XIXMLElement* root = tree->GetRoot();
  QuorveXML::XIXMLElement* e = root->AddElement(root->GetKey("e"));
  QuorveXML::XIXMLAttribute* a = e->AddAttribute(root->GetKey("v"), "");
  struct Case {
    const char* text;
    double value;
    long double extended;  // 1e999 is finite in a long double
  };
  const Case cases[] = {{"inf", 1, 1},           {"inf.5", 1, 1},         {"INF", 1, 1},
                        {"-Infinity", 1, 1},     {"1e999", 1, 1e999L},    {"-1e999", 1, -1e999L},
                        {"nan", 1, 1},           {"NAN", 1, 1},           {"nan(0x7)", 1, 1},
                        {"2.5", 2.5, 2.5},       {"-0.125", -0.125, -0.125}, {"1e300", 1e300, 1e300L}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    a->SetValue(c.text);
    double d = 0;
    a->Scan("%lf", &d);
    EXPECT_EQ(d, c.value);
    float f = 0;
    a->Scan("%f", &f);
    EXPECT_EQ(f, c.value == 1e300 ? 1.0f : static_cast<float>(c.value));  // 1e300 overflows a float
    long double l = 0;
    a->Scan("%Lf", &l);
    EXPECT_EQ(l, c.extended);
  }
  a->SetValue("1e5000");
  long double big = 0;
  a->Scan("%Lf", &big);
  EXPECT_EQ(big, 1.0L);
  a->SetValue("inf");
  int whole = 7;
  EXPECT_EQ(QvZinTest::ErrorOf([&] { a->Scan("%d", &whole); }), "<no exception>");  // "1.0" scans as 1
  EXPECT_EQ(whole, 1);
}

}  // namespace
