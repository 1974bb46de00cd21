#include "xml/parser.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

#include "test_support.h"

using namespace QuorveXML;
using namespace QvZinTest;

namespace {

// Records every callback as one line; elements get handles 1, 2, 3, ...
class CEventParser : public CXMLParser {
public:
  void* OnStartElement(const char* name) override {
    Add(std::string("<") + name);
    return mSkip == name ? nullptr : reinterpret_cast<void*>(++mHandles);
  }
  void OnAttribute(const char* name, const char* value) override { Add(std::string(" ") + name + "=" + value); }
  void OnText(const char* text) override { Add(std::string("'") + text + "'"); }
  void OnEndElement(void* handle) override { Add("/" + std::to_string(reinterpret_cast<uintptr_t>(handle))); }
  void OnComment(const char* text) override { Add(std::string("!") + text); }
  bool OnPI(const char* target, const char* data) override {
    Add(std::string("?") + target + "|" + data);
    return mStopAt != target;
  }
  void OnDocType(const char* name, const char* publicId, const char* systemId, const char* subset) override {
    Add(std::string("D") + name + "|" + (publicId ? publicId : "-") + "|" + (systemId ? systemId : "-") + "|" + subset);
  }
  bool OnEntityReference(const char* buffer, int32_t size) override {
    Add("&" + std::string(buffer, static_cast<size_t>(size)));
    return true;
  }
  void Add(const std::string& event) { mEvents += event + "\n"; }
  std::string mEvents, mSkip = "skip", mStopAt = "<none>";
  uintptr_t mHandles = 0;
};

// The events of a document, then "error: " and the parse's message if it fails.
std::string ParseEvents(const std::string& document, CEventParser& parser, bool selective = false) {
  CStringReadStream stream(document);
  const std::string message = ErrorOf([&] { (selective ? ParseSelective : Parse)(&stream, &parser); });
  return parser.mEvents + (message != "<no exception>" ? "error: " + message + "\n" : "");
}

std::string ParseEvents(const std::string& document, bool selective = false) {
  CEventParser parser;
  parser.mSkip = "";
  return ParseEvents(document, parser, selective);
}

std::string ParseError(const std::string& document, bool selective = false) {
  CEventParser parser;
  CStringReadStream stream(document);
  return ErrorOf([&] { (selective ? ParseSelective : Parse)(&stream, &parser); });
}

TEST(Parser, EveryMessage) {
  struct Case {
    std::string document;
    std::string message;
  } cases[] = {
      {"", "XML file must begin with <"},
      {" \t\r\n", "XML file must begin with <"},
      {"\xEF\xBB\xBF<a/>", "XML file must begin with <"},
      {"x<a/>", "XML file must begin with <"},
      {"<?xml v?>x<a/>", "XML root must begin with '<'"},
      {"<!-- c -->x<a/>", "XML root must begin with '<'"},
      {"<?xml v?>", "XML root must begin with '<'"},
      {"<a/>x", "Only comments and processing instructions accepted here"},
      {"<a/><b/>", "Only comments and processing instructions accepted here"},
      {"<a/><!DOCTYPE a>", "Only comments and processing instructions accepted here"},
      {"<a/><![CDATA[x]]>", "Only comments and processing instructions accepted here"},
      {"<a x/>", "Attribute name must be followed by '='."},
      {"<a x=1/>", "Attribute value must begin with ''' or '\"'."},
      {"<a/ >", "Bad empty node closing."},
      {"<a></a x>", "exception"},
      {"<a></a", "End of data inside a name"},
      {"<a>text", "exception"},
      {"<a>", "exception"},
      {"<a><?pi?></a>", "Must be a name here"},
      {"<a></>", "Must be a name here"},
      {"< a/>", "Must be a name here"},
      {"<=a/>", "Must be a name here"},
      {"<a =''/>", "Must be a name here"},
      {"<a><!-x--></a>", "Comment must begin with '<!--'"},
      {"<a><!-- x", "Missing comment closing '-->'"},
      {"<a><!-- x ->", "Missing comment closing '-->'"},
      {"<a><![CDAT[x]]></a>", "Must be CDATA here"},
      {"<a><![CDATA", "Must be CDATA here"},
      {"<a><![CDATA[x]]", "Error while reading <[CDATA[...]]>"},
      {"<a><![CDATA[x]]]>]", "exception"},
      {"<!ELEMENT a><a/>", "Only !DOCTYPE is recognized."},
      {"<! DOCTYPE a><a/>", "Must be a name here"},
      {"<!DOCTYPE a FOO><a/>", "Only PUBLIC and SYSTEM can be specified here"},
      {"<!DOCTYPE a SYSTEM x><a/>", "Literal must start with ' or \"."},
      {"<!DOCTYPE a PUBLIC 'p'><a/>", "Literal must start with ' or \"."},
      {"<!DOCTYPE a SYSTEM 's' x><a/>", "Declaration must end with '>'."},
      {"<!DOCTYPE a [x] x><a/>", "Declaration must end with '>'."},
      {"<!DOCTYPE a><a/>", "Must be a name here"},
      {"<a>&lt</a>", "End of Data unexpected"},
      {"<a x='&amp", "End of Data unexpected"},
      {"<a>&" + std::string(254, 'x') + ";</a>", "Unrecognized entity"},
      {"<a>&" + std::string(255, 'x') + ";</a>", "Entity too big"},
      {"<a>&#X41;</a>", "Bad unicode value"},
      {"<a>&#x4G;</a>", "Bad unicode value"},
      {"<a>&#x4A;</a>", "Bad unicode value"},
      {"<a>&#1a;</a>", "Bad unicode value"},
      {"<a>&#-1;</a>", "Bad unicode value"},
      {"<a>&#x80000000;</a>", "Unicode value too big"},
      {"<a>&#2147483648;</a>", "Unicode value too big"},
      {"<a>&foo;</a>", "Unrecognized entity"},
      {"<a x='&nbsp;'/>", "Unrecognized entity"},
      {"<abc", "End of data inside a name"},
      {"<a x", "End of data inside a name"},
      {"<a x='1'", "End of data inside a name"},
      {"<a x='1", "End of data inside an attribute value"},
      {"<!DOCTYPE a SYSTEM 'x", "End of data inside a literal"},
      {"<?pi data", "End of data inside a processing instruction"},
      {"<?pi data?", "End of data inside a processing instruction"},
      {"<?pi", "End of data inside a name"},
      {"<!DOCTYPE a [x", "End of data inside a document type subset"},
  };
  for (const Case& c : cases) EXPECT_EQ(c.message, ParseError(c.document)) << c.document;

  const Case selective[] = {
      {"<r><skip>text", "End of data inside a skipped element"},
      {"<r><skip>a/", "End of data inside a skipped element"},
      {"<r><skip>a/ skip></r>", "Must be a name here"},
      {"<r><skip>a/=skip></r>", "Must be a name here"},
      {"<r><skip>a/skip", "End of data inside a name"},
      {"<r><skip x></skip></r>", "Attribute name must be followed by '='."},
  };
  for (const Case& c : selective) EXPECT_EQ(c.message, ParseError(c.document, true)) << c.document;
}

TEST(Parser, TheAcceptedGrammar) {
  struct Case {
    std::string document;
    std::string events;
  } cases[] = {
      {"<?xml version=\"1.0\"?>\n<!DOCTYPE r SYSTEM \"r.dtd\">\n<!-- c -->\n<r a=\"1\" b='2'>\n"
       "\t<e>text &lt;b&gt; &amp; &#65;&#x41;&#xc9;&apos;&quot;</e>\n\t<![CDATA[a]]b]]]>\n<f/></r>\n"
       "<!--after-->\n<?pi x?>\n",
       "?xml|version=\"1.0\"\nDr|-|r.dtd|\n! c \n<r\n a=1\n b=2\n<e\n'text <b> & AA\xC3\x89'\"'\n/2\n"
       "'a]]b]'\n<f\n/3\n/1\n!after\n?pi|x\n"},
      {"  <a>  x  </a>  ", "<a\n'x  '\n/1\n"},
      {"<a>\n\t \r\n</a>", "<a\n/1\n"},
      {"<a></b>", "<a\n/1\n"},
      {"<a>&lt;b&gt;</a>", "<a\n'<b>'\n/1\n"},
      {"<a>x&#;y&#x;z&#0;&#4294967296;</a>", "<a\n'xyz'\n/1\n"},
      {"<a>&#127;&#128;&#2047;&#2048;&#65535;&#65536;&#x1fffff;&#x200000;&#x3ffffff;&#x4000000;&#x7fffffff;</a>",
       "<a\n'\x7F\xC2\x80\xDF\xBF\xE0\xA0\x80\xEF\xBF\xBF\xF0\x90\x80\x80\xF7\xBF\xBF\xBF\xF8\x88\x80\x80\x80"
       "\xFB\xBF\xBF\xBF\xBF\xFC\x84\x80\x80\x80\x80\xFD\xBF\xBF\xBF\xBF\xBF'\n/1\n"},
      {"<a><!-- a - b -- c ---></a>", "<a\n! a - b -- c -\n/1\n"},
      {"<a><!----></a>", "<a\n!\n/1\n"},
      {"<a><!-- x -->y--></a>", "<a\n! x \n'y-->'\n/1\n"},
      {"<?t a?b?" "?>\n<a/>", "?t|a?b?\n<a\n/1\n"},
      {"<?t?><a/>", "?t|\n<a\n/1\n"},
      {"<?t  \t data  ?><a/>", "?t|data  \n<a\n/1\n"},
      {"<a><[CDATA[x]]></a>", "<a\n'x'\n/1\n"},
      {"<a><![CDATA[]]></a>", "<a\n''\n/1\n"},
      {"<a><![CDATA[<b>&amp;</b>]]></a>", "<a\n'<b>&amp;</b>'\n/1\n"},
      {"<a v='&quot;&apos;\"' w=\"'&#x26;\" />", "<a\n v=\"'\"\n w='&\n/1\n"},
      {"<a<b c\"d='1' &x='2'/>", "<a<b\n c\"d=1\n &x=2\n/1\n"},
      {"<a  x = '1'\n\ty\t=\"2\"  ></a  >", "<a\n x=1\n y=2\n/1\n"},
      {"<a x='1' x='2'/>", "<a\n x=1\n x=2\n/1\n"},
      {"<a>t<!--c-->u</a>", "<a\n't'\n!c\n'u'\n/1\n"},
      {"<a><b><c/></b></a><!--x--><?y?>", "<a\n<b\n<c\n/3\n/2\n/1\n!x\n?y|\n"},
      {"<!DOCTYPE d PUBLIC 'p' \"s\" [ <!x> ]><d/>", "Dd|p|s| <!x> \n<d\n/1\n"},
      {"<!DOCTYPE d [sub]><d/>", "Dd|-|-|sub\n<d\n/1\n"},
      {"<a/><!-x-->", "<a\n/1\nerror: Comment must begin with '<!--'\n"},
      {"<a>x&unknown;</a>", "<a\n&unknown\nerror: Unrecognized entity\n"},
      {std::string("<r><a>\xFF\x00\x01</a></r>", 17), "<r\n<a\n'\xFF'\n/2\n/1\n"},
  };
  for (const Case& c : cases) EXPECT_EQ(c.events, ParseEvents(c.document)) << c.document;
}

TEST(Parser, AProcessingInstructionCanEndTheParseQuietly) {
  const struct {
    const char* document;
    const char* events;
  } cases[] = {
      {"<?stop?><a>&bad;</a>", "?stop|\n"},
      {"<a/><?stop x?>garbage", "<a\n/1\n?stop|x\n"},
      // Inside an element a question mark is no instruction.
      {"<a><?stop?></a>", "<a\nerror: Must be a name here\n"},
  };
  for (const auto& c : cases) {
    CEventParser parser;
    parser.mStopAt = "stop";
    EXPECT_EQ(c.events, ParseEvents(c.document, parser)) << c.document;
  }
}

TEST(Parser, SelectiveSkipping) {
  struct Case {
    std::string document;
    std::string events;
  } cases[] = {
      {"<r><skip a='1'><x y='2'>&bad;<!-- /r --></x><y/>// />text</skip><k a='3'/></r>",
       "<r\n<skip\n<k\n a=3\n/2\n/1\n"},
      {"<r><skip a='1'/><k/></r>", "<r\n<skip\n/0\n<k\n/2\n/1\n"},
      {"<r><skip>/b c/k/skipper/skip></r>", "<r\n<skip\n/1\n"},
      // The byte after the name is the one passed over: here the tab, so '>' is text.
      {"<r><skip>/skip\t></r>", "<r\n<skip\n'>'\n/1\n"},
      {"<r><skip>/b/skip></r>", "<r\n<skip\n/1\n"},
      {"<r><skip>//skip>x</skip>y</r>", "<r\n<skip\n'y'\n/1\n"},
      {"<r><skip><skip></skip>tail</skip></r>",
       "<r\n<skip\n'tail'\n/1\nerror: Only comments and processing instructions accepted here\n"},
      {"<skip><r/></skip>", "<skip\n"},
      {"<skip/>", "<skip\n/0\n"},
      {std::string("<r><skip>\xFF\x00</skip><k/></r>", 26), "<r\n<skip\n<k\n/2\n/1\n"},
  };
  for (const Case& c : cases) {
    CEventParser parser;
    EXPECT_EQ(c.events, ParseEvents(c.document, parser, true)) << c.document;
  }
  CEventParser full;
  EXPECT_EQ("<r\n<skip\n a=1\n/0\n/1\n", ParseEvents("<r><skip a='1'></skip></r>", full, false))
      << "Parse passes null handles through like any other";
}

TEST(Parser, TheReadContract) {
  // A first piece of 1000 bytes is the last one: the parser never asks again.
  CEventParser parser;
  CStringReadStream stream("<a/>" + std::string(996, ' ') + "<b/>");
  stream.mPiece = 1000;
  Parse(&stream, &parser);
  EXPECT_EQ("<a\n/1\n", parser.mEvents);
  EXPECT_EQ(1u, stream.mRequests.size());

  // Every request is for 1024 bytes, and a full stream is read to its end once.
  const std::string big = "<a>" + std::string(5000, 'x') + "</a>";
  CStringReadStream full(big);
  Parse(&full, &parser);
  EXPECT_EQ(std::vector<uint32_t>(big.size() / 1024 + 1, 1024), full.mRequests);
  EXPECT_FALSE(full.mAfterShortRead);

  // A stream claiming more than asked for is refused.
  for (uint32_t extra : {1u, 0x80000000u}) {
    CStringReadStream liar(big);
    liar.mExtra = extra;
    EXPECT_EQ("The read stream returned more bytes than requested", ErrorOf([&] { Parse(&liar, &parser); }));
  }
}

TEST(Parser, EntryPointsAndReuse) {
  CEventParser parser;
  CStringReadStream stream(std::string("<a/>"));
  EXPECT_EQ("exception", ErrorOf([&] { Parse(nullptr, &parser); }));
  EXPECT_EQ("exception", ErrorOf([&] { Parse(&stream, nullptr); }));
  EXPECT_EQ("exception", ErrorOf([&] { ParseSelective(nullptr, &parser); }));

  // No nested parse on one parser; a failed parse leaves the parser reusable; a
  // handler's exception passes through unchanged.
  class CNesting : public CEventParser {
  public:
    void* OnStartElement(const char* name) override {
      CStringReadStream inner(std::string("<b/>"));
      mInner = ErrorOf([&] { Parse(&inner, this); });
      return CEventParser::OnStartElement(name);
    }
    void OnText(const char*) override { throw std::runtime_error("handler says no"); }
    std::string mInner;
  } nesting;
  EXPECT_EQ("<a\n/1\n", ParseEvents("<a/>", nesting));
  EXPECT_EQ("exception", nesting.mInner);
  nesting.mEvents.clear();
  EXPECT_EQ("<a\nerror: exception\n", ParseEvents("<a>", parser));
  parser.mEvents.clear();
  EXPECT_EQ("<b\n/2\n", ParseEvents("<b/>", parser));
  EXPECT_EQ("<x\nerror: handler says no\n", ParseEvents("<x>t</x>", nesting));
}

}  // namespace
