// Documents generated inside the accepted subset read the same through our tree and
// through expat's events.
#if defined(ZIN_HAVE_EXPAT)

#include <expat.h>
#include <gtest/gtest.h>

#include <memory>
#include <random>
#include <string>
#include <vector>

#include "xml_test_support.h"

using namespace QuorveXML;
using namespace XMLTest;

namespace {

// ---- a generator of documents both parsers accept

class CGenerator {
public:
  explicit CGenerator(uint32_t seed) : mRandom(seed) {}

  std::string Document() {
    std::string out;
    if (Chance(2)) out += "<?xml version=\"1.0\"?>\n";
    if (Chance(3)) out += "<!DOCTYPE " + Name() + (Chance(2) ? " SYSTEM \"s.dtd\">\n" : " PUBLIC \"-//p\" 's'>\n");
    Misc(out);
    Element(out, 0);
    Misc(out);
    return out;
  }

private:
  bool Chance(int in) { return std::uniform_int_distribution<int>(0, in - 1)(mRandom) == 0; }
  int Number(int low, int high) { return std::uniform_int_distribution<int>(low, high)(mRandom); }

  std::string Name() {
    static const char kFirst[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ_";
    static const char kRest[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ_0123456789.-";
    std::string name(1, kFirst[Number(0, sizeof kFirst - 2)]);
    for (int i = Number(0, 8); i > 0; --i) name += kRest[Number(0, sizeof kRest - 2)];
    return name;
  }

  // Text with entities and character references; never "]]>", never a leading blank.
  std::string Text(char quote) {
    static const char kPlain[] = "abcxyzABC019 .,;:!?()[]{}/|=+-*#%$@~^'\"";
    static const char* const kEntities[] = {"&lt;", "&gt;", "&amp;", "&apos;", "&quot;"};
    std::string text;
    for (int i = Number(1, 30); i > 0; --i) {
      const int kind = Number(0, 9);
      if (kind < 6) {
        const char c = kPlain[Number(0, sizeof kPlain - 2)];
        if (c == quote || (c == ' ' && text.empty()) || (c == ']')) continue;
        text += c;
      } else if (kind < 8) {
        text += kEntities[Number(0, 4)];
      } else {
        // Code points that expat accepts: no controls, surrogates or non-characters.
        static const uint32_t kRanges[][2] = {{0x21, 0x7E}, {0xA0, 0xD7FF}, {0xE000, 0xFFFD}, {0x10000, 0x10FFFF}};
        const auto& range = kRanges[Number(0, 3)];
        const uint32_t code = std::uniform_int_distribution<uint32_t>(range[0], range[1])(mRandom);
        char reference[16];
        std::snprintf(reference, sizeof reference, Chance(2) ? "&#%u;" : "&#x%x;", code);
        text += reference;
      }
    }
    if (text.empty()) text = "t";
    return text;
  }

  std::string CommentText() {
    std::string text = " ";
    for (int i = Number(0, 20); i > 0; --i) text += "ab -<>&'\"x"[Number(0, 9)];
    // No "--" inside and no '-' at the end.
    std::string clean;
    for (char c : text)
      if (!(c == '-' && !clean.empty() && clean.back() == '-')) clean += c;
    if (!clean.empty() && clean.back() == '-') clean += ' ';
    return clean;
  }

  void Misc(std::string& out) {
    for (int i = Number(0, 2); i > 0; --i) {
      if (Chance(2))
        out += "<!--" + CommentText() + "-->\n";
      else
        out += "<?" + Name() + (Chance(2) ? "" : " data " + Name() + " 'x' <y>") + "?>\n";
    }
  }

  void Element(std::string& out, int depth) {
    const std::string name = Name();
    out += "<" + name;
    for (int i = Number(0, 3); i > 0; --i) {
      const char quote = Chance(2) ? '"' : '\'';
      out += " " + name + std::to_string(i) + "=" + quote + (Chance(4) ? "" : Text(quote)) + quote;
    }
    const int kind = depth > 4 ? Number(0, 2) : Number(0, 3);
    if (kind == 0) {
      out += Chance(2) ? "/>" : "></" + name + ">";
      return;
    }
    out += ">";
    if (kind == 1) {
      out += Text(0) + (Chance(3) ? "  " : "");
    } else if (kind == 2) {
      std::string block;
      for (int i = Number(0, 20); i > 0; --i) block += " ab<&>]'\"\n\t"[Number(0, 10)];
      if (block.find("]]") != std::string::npos || (!block.empty() && block.back() == ']')) block = "[x]";
      out += "<![CDATA[" + block + "]]>";
    } else {
      for (int i = Number(1, 4); i > 0; --i) {
        out += "\n" + std::string(static_cast<size_t>(depth + 1), '\t');
        if (Chance(5))
          out += "<!--" + CommentText() + "-->";
        else
          Element(out, depth + 1);
      }
      out += "\n" + std::string(static_cast<size_t>(depth), '\t');
    }
    out += "</" + name + ">";
  }

  std::mt19937 mRandom;
};

// ---- the events of both sides, one line each

void TreeEvents(XIXMLNode* node, std::vector<std::string>& events) {
  if (XIXMLPI* pi = node->AsPI()) {
    events.push_back(std::string("?") + pi->GetTarget() + "|" + pi->GetData());
  } else if (XIXMLComment* comment = node->AsComment()) {
    events.push_back(std::string("!") + comment->GetText());
  } else if (XIXMLDocType* docType = node->AsDocType()) {
    events.push_back(std::string("D") + docType->GetKeyRef() + "|" +
                     (docType->GetPublicId() ? docType->GetPublicId() : "-") + "|" +
                     (docType->GetSystemId() ? docType->GetSystemId() : "-"));
  } else if (XIXMLData* data = node->AsData()) {
    events.push_back(std::string("'") + data->GetText());
  } else if (XIXMLElement* element = node->AsElement()) {
    std::string start = std::string("<") + element->GetKeyRef();
    for (XIXMLAttribute* a = element->GetFirstAttribute(); a; a = a->GetNext())
      start += std::string(" ") + a->GetKeyRef() + "=" + a->GetValue();
    events.push_back(start);
    for (XIXMLNode* child = element->GetFirstNode(); child; child = child->GetNext()) TreeEvents(child, events);
    events.push_back("/");
  }
}

struct CExpatEvents {
  std::vector<std::string> mEvents;
  std::string mText;
  std::string mBlock;
  bool mInBlock = false;

  // Character data between markup: our parser skips leading whitespace and drops
  // whitespace-only runs; a data block arrives whole.
  void FlushText() {
    const size_t start = mText.find_first_not_of(" \t\r\n");
    if (start != std::string::npos) mEvents.push_back("'" + mText.substr(start));
    mText.clear();
  }

  static CExpatEvents* Of(void* data) { return static_cast<CExpatEvents*>(data); }
  static void Start(void* data, const XML_Char* name, const XML_Char** attributes) {
    Of(data)->FlushText();
    std::string start = std::string("<") + name;
    for (const XML_Char** a = attributes; *a; a += 2) start += std::string(" ") + a[0] + "=" + a[1];
    Of(data)->mEvents.push_back(start);
  }
  static void End(void* data, const XML_Char*) {
    Of(data)->FlushText();
    Of(data)->mEvents.push_back("/");
  }
  static void Characters(void* data, const XML_Char* text, int length) {
    (Of(data)->mInBlock ? Of(data)->mBlock : Of(data)->mText).append(text, static_cast<size_t>(length));
  }
  static void Comment(void* data, const XML_Char* text) {
    Of(data)->FlushText();
    Of(data)->mEvents.push_back(std::string("!") + text);
  }
  static void Instruction(void* data, const XML_Char* target, const XML_Char* text) {
    Of(data)->FlushText();
    Of(data)->mEvents.push_back(std::string("?") + target + "|" + text);
  }
  static void Declaration(void* data, const XML_Char* version, const XML_Char*, int) {
    Of(data)->mEvents.push_back(std::string("?xml|version=\"") + version + "\"");
  }
  static void DocType(void* data, const XML_Char* name, const XML_Char* systemId, const XML_Char* publicId, int) {
    Of(data)->mEvents.push_back(std::string("D") + name + "|" + (publicId ? publicId : "-") + "|" +
                                (systemId ? systemId : "-"));
  }
  static void BlockStart(void* data) {
    Of(data)->FlushText();
    Of(data)->mInBlock = true;
    Of(data)->mBlock.clear();
  }
  // A data block arrives whole as one text; an empty one makes no text in our tree.
  static void BlockEnd(void* data) {
    Of(data)->mInBlock = false;
    if (!Of(data)->mBlock.empty()) Of(data)->mEvents.push_back("'" + Of(data)->mBlock);
  }
};

std::vector<std::string> ExpatEvents(const std::string& document, std::string& error) {
  CExpatEvents events;
  XML_Parser parser = XML_ParserCreate("UTF-8");
  XML_SetUserData(parser, &events);
  XML_SetElementHandler(parser, CExpatEvents::Start, CExpatEvents::End);
  XML_SetCharacterDataHandler(parser, CExpatEvents::Characters);
  XML_SetCommentHandler(parser, CExpatEvents::Comment);
  XML_SetProcessingInstructionHandler(parser, CExpatEvents::Instruction);
  XML_SetXmlDeclHandler(parser, CExpatEvents::Declaration);
  XML_SetStartDoctypeDeclHandler(parser, CExpatEvents::DocType);
  XML_SetCdataSectionHandler(parser, CExpatEvents::BlockStart, CExpatEvents::BlockEnd);
  if (XML_Parse(parser, document.data(), static_cast<int>(document.size()), 1) == XML_STATUS_ERROR)
    error = XML_ErrorString(XML_GetErrorCode(parser));
  XML_ParserFree(parser);
  events.FlushText();
  return events.mEvents;
}

class DifferentialTest : public CHeapCheckedTest {};

std::vector<std::string> OurEvents(const std::string& document) {
  auto tree = ReadTree(document);
  std::vector<std::string> events;
  for (XIXMLNode* node = tree->GetRoot()->GetFirstNode(); node; node = node->GetNext()) TreeEvents(node, events);
  return events;
}

TEST_F(DifferentialTest, OurTreeAndExpatsEventsAgree) {
  for (uint32_t seed = 1; seed <= 600; ++seed) {
    const std::string document = CGenerator(seed).Document();
    std::string expatError;
    const std::vector<std::string> expected = ExpatEvents(document, expatError);
    ASSERT_EQ("", expatError) << "the generator left expat's language:\n" << document;
    ASSERT_EQ(expected, OurEvents(document)) << "seed " << seed << ":\n" << document;

    // What we write is read the same way by both parsers. (A block comes back as a
    // text, whose leading whitespace both parsers then skip.)
    const std::string written = Written(ReadTree(document)->GetRoot());
    const std::vector<std::string> rewritten = ExpatEvents(written, expatError);
    ASSERT_EQ("", expatError) << written;
    ASSERT_EQ(rewritten, OurEvents(written)) << "seed " << seed << ":\n" << written;
  }
}

}  // namespace

#endif  // ZIN_HAVE_EXPAT
