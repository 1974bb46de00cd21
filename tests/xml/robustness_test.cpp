// Hostile and extreme input: every prefix of a document, every position of every
// token against the 1024-byte pieces, deep and wide documents, crafted names.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>

#include "xml_test_support.h"

using namespace QuorveXML;
using namespace XMLTest;

namespace {

const std::string kSample =
    "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
    "<!DOCTYPE Zin.File PUBLIC \"-//ZIN//Scene\" 'zin.dtd' [<!ENTITY e \"v\">]>\n"
    "<!-- a comment -- with - hyphens --->\n"
    "<?app one two?>\n"
    "<Zin.File Version='5.1' Name=\"a &amp; b &lt;c&gt; &#x263a; &#65;\">\n"
    "\t<Object Id=\"0123456789ABCDEF0123456789ABCDEF\" Flags=''>\n"
    "\t\t<Point X=\"1.500000\" Y=\"-2.250000\" Z=\"0.000000\"/>\n"
    "\t\t<Text>  leading and trailing  &quot;quoted&quot; &apos;x&apos;  </Text>\n"
    "\t\t<Empty></Empty>\n"
    "\t\t<Flag/>\n"
    "\t\t<!---->\n"
    "\t\t<Block><![CDATA[raw <b>&amp;</b> ]] ]> ]]]></Block>\n"
    "\t\t<Old><[CDATA[0000000100000001]]></Old>\n"
    "\t</Object>\n"
    "\t<a<b c\"d='x' e=\"'\" >t</a<b>\n"
    "\t<Deep><D><D><D><D>&#233;</D></D></D></D></Deep>\n"
    "</Zin.File>\n";

// Reads a fixed number of bytes from each block, so blocks also take the stream path.
class CPartialReader : public IXMLCDataReader {
public:
  bool Read(XIXMLElement*, XIXMLReadStream* stream) override {
    char buffer[5];
    stream->Read(buffer, sizeof buffer);
    return true;
  }
};

// Parses size bytes that end exactly at the end of a heap allocation, so that any
// read past the data trips AddressSanitizer. Returns the written tree or "error: ...".
std::string ParseAtEndOfHeap(const char* data, size_t size, IXMLCDataReader* reader) {
  char* copy = static_cast<char*>(std::malloc(size ? size : 1));
  if (size) std::memcpy(copy, data, size);
  CStringReadStream stream(copy, size);
  CXMLTreeReader treeReader(reader);
  std::string result;
  const std::string message = ErrorOf([&] { result = Written(std::unique_ptr<XCXMLTree>(treeReader.Read(&stream))->GetRoot()); });
  std::free(copy);
  if (message != "<no exception>") return "error: " + message;
  EXPECT_FALSE(stream.mAfterShortRead);
  return result;
}

class RobustnessTest : public CHeapCheckedTest {};

TEST_F(RobustnessTest, EveryPrefixParsesCompletelyOrFailsWithAMessage) {
  CPartialReader partial;
  for (IXMLCDataReader* reader : {static_cast<IXMLCDataReader*>(nullptr), static_cast<IXMLCDataReader*>(&partial)}) {
    const std::string whole = ParseAtEndOfHeap(kSample.data(), kSample.size(), reader);
    ASSERT_EQ(0u, whole.rfind("<?xml", 0)) << whole;
    for (size_t size = 0; size < kSample.size(); ++size) {
      const std::string result = ParseAtEndOfHeap(kSample.data(), size, reader);
      if (result.rfind("error: ", 0) == 0) {
        EXPECT_GT(result.size(), 7u) << size;
        EXPECT_NE("error: <unknown exception>", result) << size;
      } else {
        EXPECT_EQ(whole, result) << "a prefix of " << size << " bytes parsed to another tree";
        EXPECT_GE(size, kSample.rfind('>')) << "only the closing line feed may be missing";
      }
    }
  }
}

TEST_F(RobustnessTest, EveryTokenMayCrossAPieceBoundary) {
  const std::string whole = ParseAtEndOfHeap(kSample.data(), kSample.size(), nullptr);
  CPartialReader partial;
  const std::string wholePartial = ParseAtEndOfHeap(kSample.data(), kSample.size(), &partial);
  for (size_t blanks = 0; blanks <= 1100; ++blanks) {
    const std::string shifted = std::string(blanks, blanks % 3 ? ' ' : '\n') + kSample;
    ASSERT_EQ(whole, ParseAtEndOfHeap(shifted.data(), shifted.size(), nullptr)) << blanks;
    ASSERT_EQ(wholePartial, ParseAtEndOfHeap(shifted.data(), shifted.size(), &partial)) << blanks;
  }
  // Prefixes too, with the document shifted so that its tokens meet the boundary.
  for (size_t blanks : {1u, 500u, 1000u, 1023u}) {
    const std::string shifted = std::string(blanks, ' ') + kSample;
    for (size_t size = blanks; size < shifted.size(); size += 3) {
      const std::string result = ParseAtEndOfHeap(shifted.data(), size, nullptr);
      if (result.rfind("error: ", 0) != 0) {
        EXPECT_EQ(whole, result);
      }
    }
  }
}

TEST_F(RobustnessTest, AMillionLevelsDeep) {
  constexpr size_t kDepth = 1000000;
  std::string document;
  document.reserve(kDepth * 9);
  for (size_t i = 0; i < kDepth; ++i) document += "<a x='1'>";
  document += "leaf";
  for (size_t i = 0; i < kDepth; ++i) document += "</a>";
  RunWithSmallStack([&] {
    CStringReadStream stream(document.data(), document.size());
    CXMLTreeReader reader;
    std::unique_ptr<XCXMLTree> tree(reader.Read(&stream));
    XIXMLElement* element = tree->GetRoot()->GetFirstElement();
    size_t depth = 1;
    while (XIXMLElement* child = element->GetFirstElement()) {
      element = child;
      ++depth;
    }
    EXPECT_EQ(kDepth, depth);
    EXPECT_STREQ("leaf", element->GetData()->GetText());
    EXPECT_EQ(tree->GetRoot()->GetKey("a"), element->GetKey("a")) << "GetKey walks up a million parents";

    // Copying into the deepest element of its own subtree makes one copy, and the
    // tree cannot take its top element under itself.
    XIXMLElement* top = tree->GetRoot()->GetFirstElement();
    top->GetNode()->CopyTo(element);
    EXPECT_EQ(2, element->CountElements() + (element->GetData() ? 1 : 0));
    EXPECT_EQ("exception (assertion failed)", ErrorOf([&] {
                tree->GetRoot()->RemoveNode(top->GetNode());
                try {
                  element->AddNode(top->GetNode());
                } catch (...) {
                  tree->GetRoot()->AddNode(top->GetNode());
                  throw;
                }
              }));
    // A failing stream ends a write cleanly at any depth.
    CStringWriteStream out;
    out.mLimit = 1 << 20;
    EXPECT_EQ("Can't write character", ErrorOf([&] { tree->GetRoot()->Write(&out); }));
  });
}

TEST_F(RobustnessTest, WritingDeepDocumentsNeedsNoStack) {
  // The layout gives a line of n tabs at depth n, so a document of d levels is about
  // d * d bytes: 40,000 levels write 1.6 GB (counted, not kept).
  constexpr int kDepth = 40000;
  std::string document;
  for (int i = 0; i < kDepth; ++i) document += "<a>";
  for (int i = 0; i < kDepth; ++i) document += "</a>";
  RunWithSmallStack([&] {
    CStringReadStream stream(document.data(), document.size());
    CXMLTreeReader reader;
    std::unique_ptr<XCXMLTree> tree(reader.Read(&stream));
    CCountingWriteStream out;
    tree->GetRoot()->Write(&out);
    const uint64_t d = kDepth;
    // Start tags of levels 0..d-2, the innermost "<a/>" and the end tags, each but the
    // first on its own line after its depth in tabs, and the final line feed.
    EXPECT_EQ(10 * d - 5 + (d - 2) * (d - 1), out.mBytes);
  });
}

TEST_F(RobustnessTest, LongRunsOfSpecialBytes) {
  const std::string hyphens(100000, '-');
  const std::string brackets(100000, ']');
  std::string entities;
  for (int i = 0; i < 50000; ++i) entities += "&#x10ffff;&lt;";
  struct Case {
    std::string document;
    size_t size;  // of the first child's text, comment or attribute value
  } cases[] = {
      {"<r><!--" + hyphens + "x" + hyphens + "--></r>", 2 * hyphens.size() + 1},
      {"<r><![CDATA[" + brackets + "x]]></r>", brackets.size() + 1},
      {"<r>" + entities + "</r>", 50000u * 5},
      {"<r a='" + entities + "'/>", 50000u * 5},
  };
  for (const Case& c : cases) {
    auto tree = ReadTree(c.document);
    XIXMLElement* r = tree->GetRoot()->GetFirstElement();
    const char* text = r->GetFirstAttribute() ? r->GetFirstAttribute()->GetValue()
                       : r->GetData()            ? r->GetData()->GetText()
                                                 : r->GetFirstNode()->AsComment()->GetText();
    EXPECT_EQ(c.size, std::strlen(text));
  }
}

}  // namespace
