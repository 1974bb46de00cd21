#include "xml/tree_reader.h"

#include <gtest/gtest.h>

#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "xml_test_support.h"

using namespace QuorveXML;
using namespace XMLTest;

namespace {

std::string ReadError(const std::string& document, IXMLCDataReader* reader = nullptr) {
  return ErrorOf([&] { ReadTree(document, reader); });
}

// Reads up to mLimit bytes of each block in pieces of mPiece and records them.
class CBlockReader : public IXMLCDataReader {
public:
  bool Read(XIXMLElement* element, XIXMLReadStream* stream) override {
    mElements.push_back(element->GetKeyRef() ? element->GetKeyRef() : "(root)");
    std::string block;
    std::vector<char> piece(mPiece);
    while (block.size() < mLimit) {
      const uint32_t count = stream->Read(piece.data(), static_cast<uint32_t>(std::min(mPiece, mLimit - block.size())));
      if (!count) break;
      block.append(piece.data(), count);
    }
    mBlocks.push_back(block);
    if (mThrow) throw std::runtime_error("reader failed");
    return mResult;
  }
  size_t mPiece = 4096;
  size_t mLimit = SIZE_MAX;
  bool mResult = true;
  bool mThrow = false;
  std::vector<std::string> mElements;
  std::vector<std::string> mBlocks;
};

class TreeReaderTest : public CHeapCheckedTest {};

TEST_F(TreeReaderTest, BuildsTheDocumentItReads) {
  const std::string document =
      "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
      "<!DOCTYPE Zin.File SYSTEM \"zin.dtd\" []>\n"
      "<!--scene-->\n"
      "<Zin.File\n"
      "\t Version=\"5.1\"\n"
      "\t Name=\"a &amp; b\">\n"
      "\t<Object Id=\"0123456789ABCDEF0123456789ABCDEF\">\n"
      "\t\t<Point\n"
      "\t\t\t X=\"1.500000\"\n"
      "\t\t\t Y=\"-2.000000\"\n"
      "\t\t\t Z=\"0.000000\"/>\n"
      "\t\t<Value>12</Value>\n"
      "\t\t<Flag/>\n"
      "\t\t<!--note-->\n"
      "\t</Object>\n"
      "\t<Object Id=\"FEDCBA9876543210FEDCBA9876543210\">\n"
      "\t\t<Name>x &lt; y</Name>\n"
      "\t</Object>\n"
      "</Zin.File>\n";
  auto tree = ReadTree(document);
  XCXMLRoot* root = tree->GetRoot();
  EXPECT_EQ(document, Written(root)) << "the written layout reads back to the same bytes";

  // The declaration is an instruction of the root; names and values are decoded.
  EXPECT_STREQ("version=\"1.0\" encoding=\"UTF-8\"", root->GetFirstNode()->AsPI()->GetData());
  XIXMLElement* file = root->GetFirstElement();
  EXPECT_EQ(root->GetKey("Zin.File"), file->GetKeyRef());
  EXPECT_STREQ("a & b", file->FindAttribute(root->GetKey("Name"))->GetValue());
  XIXMLElement* second = file->FindElement(root->GetKey("Object"))->GetNextSameElement();
  EXPECT_STREQ("x < y", second->FindElement(root->GetKey("Name"))->GetData()->GetText());
}

TEST_F(TreeReaderTest, CallbackRules) {
  struct Case {
    std::string document;
    std::string message;
  } cases[] = {
      {"<a>t<b/>u</a>", "Only one data node for an element"},
      {"<a>t<![CDATA[u]]></a>", "Only one data node for an element"},
      {"<a><!DOCTYPE a SYSTEM 's'></a>", "exception (assertion failed)"},
      {"<a>", "exception"},
  };
  for (const Case& c : cases) EXPECT_EQ(c.message, ReadError(c.document)) << c.document;

  auto tree = ReadTree("<!DOCTYPE d SYSTEM 's'><d/>");
  EXPECT_EQ("<!DOCTYPE d SYSTEM \"s\" []>\n<d/>\n", Written(tree->GetRoot()))
      << "the empty subset is written back as an empty pair of brackets";

  CXMLTreeReader idle;
  EXPECT_EQ("exception (pointer is NULL)", ErrorOf([&] { idle.OnText("x"); }));
  EXPECT_EQ("exception (pointer is NULL)", ErrorOf([&] { idle.OnStartElement("x"); }));
  EXPECT_EQ("exception (pointer is NULL)", ErrorOf([&] { idle.OnEndElement(nullptr); }));

  class CWrongHandle : public CXMLTreeReader {
  public:
    void* OnStartElement(const char* name) override {
      CXMLTreeReader::OnStartElement(name);
      return this;
    }
  } wrong;
  CStringReadStream stream(std::string("<a/>"));
  EXPECT_EQ("exception (assertion failed)", ErrorOf([&] { delete wrong.Read(&stream); }));

  class CReentrant : public CXMLTreeReader {
  public:
    void OnText(const char* text) override {
      CStringReadStream inner(std::string("<b/>"));
      mInner = ErrorOf([&] { delete Read(&inner); });
      CXMLTreeReader::OnText(text);
    }
    std::string mInner;
  } reentrant;
  CStringReadStream outer(std::string("<a>x</a>"));
  delete reentrant.Read(&outer);
  EXPECT_EQ("exception (assertion failed)", reentrant.mInner);
}

TEST_F(TreeReaderTest, BlocksGoToTheRegisteredReader) {
  CBlockReader reader;
  auto tree = ReadTree("<r><a><![CDATA[first]]></a><b x='1'><c/><[CDATA[se]]cond]]><d/></b></r>", &reader);
  EXPECT_EQ((std::vector<std::string>{"a", "b"}), reader.mElements);
  EXPECT_EQ((std::vector<std::string>{"first", "se]]cond"}), reader.mBlocks);
  EXPECT_EQ("<r>\n\t<a/>\n\t<b x=\"1\">\n\t\t<c/>\n\t\t<d/>\n\t</b>\n</r>\n", Written(tree->GetRoot()))
      << "the blocks left nothing in the tree";

  reader.mResult = false;
  EXPECT_EQ("exception (assertion failed)", ReadError("<r><![CDATA[x]]></r>", &reader));
  reader.mResult = true;
  reader.mThrow = true;
  EXPECT_EQ("reader failed", ReadError("<r><a><b/></a><![CDATA[x]]></r>", &reader));
}

TEST_F(TreeReaderTest, AReaderThatStopsEarlyLeavesTheParserAfterTheBlock) {
  std::string block;
  for (int i = 0; i < 5000; ++i) block += "0123456789]]>"[i % 10];
  block += "]] ]>]]]";
  for (size_t limit : {size_t{0}, size_t{1}, size_t{3}, size_t{1023}, size_t{1024}, size_t{4096}, block.size()}) {
    for (size_t piece : {size_t{1}, size_t{7}, size_t{2048}}) {
      CBlockReader reader;
      reader.mLimit = limit;
      reader.mPiece = piece;
      auto tree = ReadTree("<r><a><![CDATA[" + block + "]]></a><b>after</b></r>", &reader);
      ASSERT_EQ(1u, reader.mBlocks.size());
      EXPECT_EQ(block.substr(0, limit), reader.mBlocks[0]) << limit << "/" << piece;
      EXPECT_EQ("<r>\n\t<a/>\n\t<b>after</b>\n</r>\n", Written(tree->GetRoot()));
    }
  }
}

// Names whose window in the key table is full wait for their keys a few at a time;
// every element and attribute has its key before a block reader or the caller looks.
TEST_F(TreeReaderTest, NamesBuiltToCollideHaveTheirKeysWhenAnyoneLooks) {
  const std::vector<std::string> names = CollidingNames(60);
  std::string document = "<r>", expected = "<r>\n";
  std::vector<std::string> elementNames, attributeNames;
  for (size_t i = 0; i < 45; ++i) {
    const std::string& element = names[i % 25];  // each of the later twenty comes back
    const std::string& attribute = names[59 - i % 7];
    elementNames.push_back(element);
    attributeNames.push_back(attribute);
    document += "<" + element + " " + attribute + "='1'>" + (i == 31 ? "<![CDATA[block]]>" : "") + "</" + element + ">";
    expected += "\t<" + element + " " + attribute + "=\"1\"/>\n";
  }
  document += "</r>";
  expected += "</r>\n";

  CBlockReader reader;
  auto tree = ReadTree(document, &reader);
  EXPECT_EQ(std::vector<std::string>{names[31 % 25]}, reader.mElements);
  EXPECT_EQ(expected, Written(tree->GetRoot()));
  size_t i = 0;
  for (XIXMLElement* e = tree->GetRoot()->GetFirstElement()->GetFirstElement(); e; e = e->GetNextElement(), ++i) {
    EXPECT_EQ(tree->GetRoot()->GetKey(elementNames[i].c_str()), e->GetKeyRef()) << i;
    EXPECT_EQ(tree->GetRoot()->GetKey(attributeNames[i].c_str()), e->GetFirstAttribute()->GetKeyRef()) << i;
  }
  EXPECT_EQ(elementNames.size(), i);

  // Thousands of names: the key table outgrows the caches, and every name waits.
  std::string many = "<r>", manyExpected = "<r>\n";
  for (int n = 0; n < 6000; ++n) {
    const std::string name = "n" + std::to_string(n % 4000);
    many += "<" + name + (n == 5000 ? "><![CDATA[x]]></" + name + ">" : "/>");
    manyExpected += "\t<" + name + "/>\n";
  }
  many += "</r>";
  manyExpected += "</r>\n";
  CBlockReader manyReader;
  auto manyTree = ReadTree(many, &manyReader);
  EXPECT_GT(static_cast<XCXMLRoot*>(manyTree->GetRoot())->Table()->Capacity(), CHashKey::kResidentCapacity);
  EXPECT_EQ(std::vector<std::string>{"n1000"}, manyReader.mElements);
  EXPECT_EQ(manyExpected, Written(manyTree->GetRoot()));
  XIXMLElement* element = manyTree->GetRoot()->GetFirstElement()->GetFirstElement();
  for (int n = 0; element; element = element->GetNextElement(), ++n)
    ASSERT_EQ(manyTree->GetRoot()->GetKey(("n" + std::to_string(n % 4000)).c_str()), element->GetKeyRef()) << n;
}

TEST_F(TreeReaderTest, TheBracketsOfTheClosingSequence) {
  struct Case {
    std::string content;   // between "<![CDATA[" and the closing "]]>"
    std::string delivered;
  } cases[] = {
      {"a]]b]", "a]]b]"},
      {"]", "]"},
      {"]]", "]]"},
      {"]>", "]>"},
      {"x]y", "x]y"},
      {"]] >", "]] >"},
  };
  for (const Case& c : cases) {
    CBlockReader reader;
    auto tree = ReadTree("<r><![CDATA[" + c.content + "]]></r>", &reader);
    ASSERT_EQ(1u, reader.mBlocks.size());
    EXPECT_EQ(c.delivered, reader.mBlocks[0]) << c.content;
    auto text = ReadTree("<r><![CDATA[" + c.content + "]]></r>");
    EXPECT_STREQ(c.delivered.c_str(), text->GetRoot()->GetFirstElement()->GetData()->GetText());
  }
  // An empty block reaches its reader, but read as text it makes no text at all.
  CBlockReader emptyReader;
  ReadTree("<r><![CDATA[]]></r>", &emptyReader);
  EXPECT_EQ(std::vector<std::string>{""}, emptyReader.mBlocks);
  EXPECT_EQ(nullptr, ReadTree("<r><![CDATA[]]></r>")->GetRoot()->GetFirstElement()->GetData());
  CBlockReader lazy;
  lazy.mLimit = 0;
  for (IXMLCDataReader* reader : {static_cast<IXMLCDataReader*>(nullptr), static_cast<IXMLCDataReader*>(&lazy)})
    for (const char* cut : {"<r><![CDATA[abc]]", "<r><![CDATA[abc]>"})
      EXPECT_EQ("Error while reading <[CDATA[...]]>", ReadError(cut, reader)) << cut;

  // Once ended, the stream delivers nothing more.
  class CEndReader : public IXMLCDataReader {
  public:
    bool Read(XIXMLElement*, XIXMLReadStream* stream) override {
      char buffer[16];
      mFirst = stream->Read(buffer, sizeof buffer);
      mSecond = stream->Read(buffer, sizeof buffer);
      mEmpty = stream->Read(buffer, 0);
      return true;
    }
    uint32_t mFirst = 9, mSecond = 9, mEmpty = 9;
  } end;
  ReadTree("<r><![CDATA[abc]]></r>", &end);
  EXPECT_EQ(3u, end.mFirst);
  EXPECT_EQ(0u, end.mSecond);
  EXPECT_EQ(0u, end.mEmpty);
}

}  // namespace
