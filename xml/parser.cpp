#include "xml/parser.h"

#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "support/raise.h"
#include "xml/cdata_stream.h"
#include "xml/char_source.h"

namespace QuorveXML {

namespace {

// ---- byte classes

constexpr uint8_t kSpace = 1;       // blank, tab, carriage return, line feed
constexpr uint8_t kDelimiter = 2;   // > = / ! * ? + : a name ends here as at whitespace
constexpr uint8_t kNameStop = 4;    // whitespace, delimiters and zero: the name loop stops
constexpr uint8_t kTextStop = 8;    // < & and zero: the text loop stops
constexpr uint8_t kDoubleStop = 16; // " & and zero: the loop of a double-quoted value stops
constexpr uint8_t kSingleStop = 32; // ' & and zero: the loop of a single-quoted value stops

// Zero stops every loop: it is the sentinel after the buffered bytes, or a zero
// byte of the data, told apart where the loop stops.
struct CByteClasses {
  uint8_t mClass[256] = {};
  constexpr CByteClasses() {
    for (unsigned char c : {' ', '\t', '\r', '\n'}) mClass[c] |= kSpace | kNameStop;
    for (unsigned char c : {'>', '=', '/', '!', '*', '?', '+'}) mClass[c] |= kDelimiter | kNameStop;
    mClass[0] |= kNameStop | kTextStop | kDoubleStop | kSingleStop;
    mClass[static_cast<unsigned char>('<')] |= kTextStop;
    mClass[static_cast<unsigned char>('&')] |= kTextStop | kDoubleStop | kSingleStop;
    mClass[static_cast<unsigned char>('"')] |= kDoubleStop;
    mClass[static_cast<unsigned char>('\'')] |= kSingleStop;
  }
};
constexpr CByteClasses kBytes;

inline bool IsSpace(int c) { return c >= 0 && (kBytes.mClass[c] & kSpace); }

// The end of the data where the format leaves the message open.
const char* const kEndInName = "End of data inside a name";
const char* const kEndInValue = "End of data inside an attribute value";
const char* const kEndInLiteral = "End of data inside a literal";
const char* const kEndInPI = "End of data inside a processing instruction";
const char* const kEndInSubset = "End of data inside a document type subset";
const char* const kEndInSkipped = "End of data inside a skipped element";

}  // namespace

// ---- buffers

CXMLBuffer::CXMLBuffer() : mCapacity(256) {
  mData = static_cast<char*>(std::malloc(mCapacity));
  if (!mData) Quorve::ThrowError("Can't allocate buffer.");
}

CXMLBuffer::~CXMLBuffer() { std::free(mData); }

void CXMLBuffer::Append(const void* bytes, size_t count) {
  Reserve(count);
  std::memcpy(mData + mLength, bytes, count);
  mLength += count;
}

void CXMLBuffer::Grow(size_t count) {
  size_t capacity = mCapacity;
  while (count >= capacity - mLength) {
    if (capacity > SIZE_MAX / 2) Quorve::ThrowError("Can't allocate buffer.");
    capacity *= 2;
  }
  char* data = static_cast<char*>(std::realloc(mData, capacity));
  if (!data) Quorve::ThrowError("Can't allocate buffer.");
  mData = data;
  mCapacity = capacity;
}

// ---- the default callbacks

void CXMLParser::OnComment(const char*) {}

bool CXMLParser::OnPI(const char*, const char*) { return true; }

void CXMLParser::OnDocType(const char*, const char*, const char*, const char*) {}

void CXMLParser::OnCData(XIXMLReadStream* stream) {
  constexpr uint32_t kPiece = 2048;
  mValue.Clear();
  for (;;) {
    mValue.Reserve(kPiece);
    const uint32_t count = stream->Read(mValue.mData + mValue.mLength, kPiece);
    if (count == 0) break;
    mValue.mLength += count > kPiece ? kPiece : count;
  }
  OnText(mValue.Terminate());
}

bool CXMLParser::OnEntityReference(const char*, int32_t) { return false; }

// ---- the engine

class CXMLEngine {
public:
  CXMLEngine(CXMLParser& parser, XIXMLReadStream* stream, bool selective)
      : mParser(parser), mName(parser.mName), mValue(parser.mValue), mSource(stream), mSelective(selective) {
    mParser.mSource = &mSource;
  }
  ~CXMLEngine() { mParser.mSource = nullptr; }
  CXMLEngine(const CXMLEngine&) = delete;
  CXMLEngine& operator=(const CXMLEngine&) = delete;

  /// Runs one parse; refuses a missing stream or parser, and a parser already parsing.
  static void Start(XIXMLReadStream* stream, CXMLParser* parser, bool selective);

private:
  void Run();
  int Next() { return mSource.Next(); }
  void Skip() {
    while (IsSpace(mC)) {
      const uint8_t* p = mSource.mPos;
      while (kBytes.mClass[*p] & kSpace) ++p;
      mSource.mPos = p;
      mC = Next();
    }
  }
  void ReadName();
  void ReadText();
  void ReadValue();
  void ReadEntity(CXMLBuffer& out);
  bool ReadPI();
  void ReadDeclaration();
  void ReadComment();
  void ReadCData();
  void ReadDocType();
  void ReadLiteral(std::string& out);
  void ReadSubset(std::string& out);
  void ReadElements();
  void SkipContent(const std::string& name);
  // Appends bytes from the buffer up to (not including) the first byte of class stop.
  void AppendRun(CXMLBuffer& out, uint8_t stop) {
    const uint8_t* p = mSource.mPos;
    while (!(kBytes.mClass[*p] & stop)) ++p;
    out.Append(mSource.mPos, static_cast<size_t>(p - mSource.mPos));
    mSource.mPos = p;
  }
  // Appends bytes from the buffer up to (not including) the next byte c.
  void AppendUntil(CXMLBuffer& out, uint8_t c) {
    const size_t available = static_cast<size_t>(mSource.mEnd - mSource.mPos);
    const void* found = std::memchr(mSource.mPos, c, available);
    const size_t run = found ? static_cast<size_t>(static_cast<const uint8_t*>(found) - mSource.mPos) : available;
    out.Append(mSource.mPos, run);
    mSource.mPos += run;
  }

  CXMLParser& mParser;
  CXMLBuffer& mName;
  CXMLBuffer& mValue;
  CCharSource mSource;
  int mC = -1;  // the current character: a byte, or -1 at the end of the data
  const bool mSelective;
  std::vector<void*> mOpen;  // handles of the open elements, innermost last
};

// The current character always sits at mSource.mPos[-1]: every character comes from
// the buffer, so a token that lies whole in the buffer is scanned in place and copied
// once; only a token cut by the end of the piece takes the byte-by-byte road.

void CXMLEngine::ReadName() {
  if (mC < 0) Quorve::ThrowError(kEndInName);
  if (kBytes.mClass[mC] & (kSpace | kDelimiter)) Quorve::ThrowError("Must be a name here");
  const uint8_t* const start = mSource.mPos - 1;
  const uint8_t* p = mSource.mPos;
  while (!(kBytes.mClass[*p] & kNameStop)) ++p;
  if (*p) {
    // Ended by whitespace or a delimiter inside the piece.
    mName.Assign(start, static_cast<size_t>(p - start));
    mSource.mPos = p + 1;
    mParser.mNameClean = mC != 0;
    mC = *p;
    return;
  }
  mName.Assign(start, static_cast<size_t>(p - start));
  mSource.mPos = p;
  bool clean = mC != 0;
  for (;;) {
    mC = Next();
    if (mC < 0) Quorve::ThrowError(kEndInName);
    if (kBytes.mClass[mC] & (kSpace | kDelimiter)) break;
    if (mC == 0) clean = false;
    mName.Push(static_cast<char>(mC));
    AppendRun(mName, kNameStop);
  }
  mName.Terminate();
  mParser.mNameClean = clean;
}

void CXMLEngine::ReadText() {
  if (mC < 0) Quorve::ThrowError(nullptr);
  const uint8_t* const start = mSource.mPos - 1;
  const uint8_t* p = mSource.mPos;
  while (!(kBytes.mClass[*p] & kTextStop)) ++p;
  if (mC != '&' && *p == '<') {
    mValue.Assign(start, static_cast<size_t>(p - start));
    mSource.mPos = p + 1;
    mC = '<';
    return;
  }
  mValue.Clear();
  for (;;) {
    if (mC == '<') break;
    if (mC < 0) Quorve::ThrowError(nullptr);
    if (mC == '&') {
      ReadEntity(mValue);
    } else {
      mValue.Push(static_cast<char>(mC));
      AppendRun(mValue, kTextStop);
    }
    mC = Next();
  }
  mValue.Terminate();
}

void CXMLEngine::ReadValue() {
  const int quote = mC;
  const uint8_t stop = quote == '"' ? kDoubleStop : kSingleStop;
  const uint8_t* p = mSource.mPos;
  while (!(kBytes.mClass[*p] & stop)) ++p;
  if (*p == quote) {
    mValue.Assign(mSource.mPos, static_cast<size_t>(p - mSource.mPos));
    mSource.mPos = p + 1;
  } else {
    mValue.Clear();
    for (;;) {
      mC = Next();
      if (mC == quote) break;
      if (mC < 0) Quorve::ThrowError(kEndInValue);
      if (mC == '&') {
        ReadEntity(mValue);
        continue;
      }
      mValue.Push(static_cast<char>(mC));
      AppendRun(mValue, stop);
    }
    mValue.Terminate();
  }
  mC = Next();
  Skip();
}

void CXMLEngine::ReadEntity(CXMLBuffer& out) {
  char name[256];
  int32_t length = 0;
  for (;;) {
    const int c = Next();
    if (c < 0) Quorve::ThrowError("End of Data unexpected");
    if (c == ';') break;
    if (length == 254) Quorve::ThrowError("Entity too big");
    name[length++] = static_cast<char>(c);
  }
  name[length] = 0;
  if (name[0] == '#') {
    // Accumulated in unsigned 32-bit arithmetic: an overlong number wraps.
    uint32_t code = 0;
    if (name[1] == 'x') {
      for (int32_t i = 2; i < length; ++i) {
        const char c = name[i];
        uint32_t digit;
        if (c >= '0' && c <= '9')
          digit = static_cast<uint32_t>(c - '0');
        else if (c >= 'a' && c <= 'f')
          digit = static_cast<uint32_t>(c - 'a' + 10);
        else
          Quorve::ThrowError("Bad unicode value");
        code = code * 16 + digit;
      }
    } else {
      for (int32_t i = 1; i < length; ++i) {
        const char c = name[i];
        if (c < '0' || c > '9') Quorve::ThrowError("Bad unicode value");
        code = code * 10 + static_cast<uint32_t>(c - '0');
      }
    }
    if (code > 0x7FFFFFFFu) Quorve::ThrowError("Unicode value too big");
    if (code == 0) return;
    char bytes[6];
    int count;
    if (code < 0x80) {
      bytes[0] = static_cast<char>(code);
      count = 1;
    } else {
      static const uint32_t kLimits[] = {0x800, 0x10000, 0x200000, 0x4000000, 0x80000000u};
      static const uint8_t kLeads[] = {0xC0, 0xE0, 0xF0, 0xF8, 0xFC};
      int index = 0;
      while (code >= kLimits[index]) ++index;
      count = index + 2;
      for (int i = count - 1; i > 0; --i) {
        bytes[i] = static_cast<char>(0x80 | (code & 0x3F));
        code >>= 6;
      }
      bytes[0] = static_cast<char>(kLeads[index] | code);
    }
    out.Append(bytes, static_cast<size_t>(count));
    return;
  }
  static const struct {
    const char* mName;
    char mByte;
  } kNamed[] = {{"lt", '<'}, {"amp", '&'}, {"gt", '>'}, {"apos", '\''}, {"quot", '"'}};
  for (const auto& entity : kNamed) {
    if (std::strcmp(name, entity.mName) == 0) {
      out.Push(entity.mByte);
      return;
    }
  }
  mParser.OnEntityReference(name, length);
  Quorve::ThrowError("Unrecognized entity");
}

bool CXMLEngine::ReadPI() {
  mC = Next();
  ReadName();
  Skip();
  mValue.Clear();
  for (;;) {
    if (mC < 0) Quorve::ThrowError(kEndInPI);
    if (mC == '?') {
      mC = Next();
      if (mC == '>') break;
      mValue.Push('?');
      continue;
    }
    mValue.Push(static_cast<char>(mC));
    AppendUntil(mValue, '?');
    mC = Next();
  }
  if (!mParser.OnPI(mName.mData, mValue.Terminate())) return false;
  mC = Next();
  Skip();
  return true;
}

void CXMLEngine::ReadDeclaration() {
  mC = Next();
  if (mC == '-')
    ReadComment();
  else if (mC == '[')
    ReadCData();
  else
    ReadDocType();
}

void CXMLEngine::ReadComment() {
  mC = Next();
  if (mC != '-') Quorve::ThrowError("Comment must begin with '<!--'");
  mValue.Clear();
  size_t hyphens = 0;
  auto appendHyphens = [this](size_t count) {
    mValue.Reserve(count);
    std::memset(mValue.mData + mValue.mLength, '-', count);
    mValue.mLength += count;
  };
  for (;;) {
    mC = Next();
    if (mC < 0) Quorve::ThrowError("Missing comment closing '-->'");
    if (mC == '-') {
      ++hyphens;
      continue;
    }
    if (mC == '>' && hyphens >= 2) {
      appendHyphens(hyphens - 2);
      break;
    }
    appendHyphens(hyphens);
    hyphens = 0;
    mValue.Push(static_cast<char>(mC));
    AppendUntil(mValue, '-');
  }
  mParser.OnComment(mValue.Terminate());
  mC = Next();
  Skip();
}

void CXMLEngine::ReadCData() {
  for (const char* expected = "CDATA["; *expected; ++expected) {
    mC = Next();
    if (mC != static_cast<unsigned char>(*expected)) Quorve::ThrowError("Must be CDATA here");
  }
  CXMLCDataStream stream(mSource);
  mParser.OnCData(&stream);
  // Whatever the handler left of the block is passed over, so the parse goes on
  // right after it.
  stream.Drain();
  if (!stream.ClosedProperly()) Quorve::ThrowError("Error while reading <[CDATA[...]]>");
  mC = Next();
  Skip();
}

void CXMLEngine::ReadLiteral(std::string& out) {
  Skip();
  if (mC != '"' && mC != '\'') Quorve::ThrowError("Literal must start with ' or \".");
  const int quote = mC;
  for (;;) {
    mC = Next();
    if (mC < 0) Quorve::ThrowError(kEndInLiteral);
    if (mC == quote) break;
    out.push_back(static_cast<char>(mC));
  }
  mC = Next();
  Skip();
}

void CXMLEngine::ReadSubset(std::string& out) {
  for (;;) {
    mC = Next();
    if (mC < 0) Quorve::ThrowError(kEndInSubset);
    if (mC == ']') break;
    out.push_back(static_cast<char>(mC));
  }
  mC = Next();
  Skip();
}

void CXMLEngine::ReadDocType() {
  ReadName();
  if (std::strcmp(mName.mData, "DOCTYPE") != 0) Quorve::ThrowError("Only !DOCTYPE is recognized.");
  Skip();
  ReadName();
  const std::string name = mName.mData;
  Skip();
  std::string publicId, systemId, subset;
  bool hasPublic = false, hasSystem = false;
  if (mC == '[') {
    ReadSubset(subset);
  } else {
    ReadName();
    if (std::strcmp(mName.mData, "PUBLIC") == 0) {
      ReadLiteral(publicId);
      ReadLiteral(systemId);
      hasPublic = hasSystem = true;
    } else if (std::strcmp(mName.mData, "SYSTEM") == 0) {
      ReadLiteral(systemId);
      hasSystem = true;
    } else {
      Quorve::ThrowError("Only PUBLIC and SYSTEM can be specified here");
    }
    Skip();
    if (mC == '[') ReadSubset(subset);
  }
  if (mC != '>') Quorve::ThrowError("Declaration must end with '>'.");
  mParser.OnDocType(name.c_str(), hasPublic ? publicId.c_str() : nullptr, hasSystem ? systemId.c_str() : nullptr,
                    subset.c_str());
  mC = Next();
  Skip();
}

void CXMLEngine::SkipContent(const std::string& name) {
  for (;;) {
    if (mC < 0) Quorve::ThrowError(kEndInSkipped);
    if (mC != '/') {
      const size_t available = static_cast<size_t>(mSource.mEnd - mSource.mPos);
      const void* slash = std::memchr(mSource.mPos, '/', available);
      if (slash) {
        mSource.mPos = static_cast<const uint8_t*>(slash) + 1;
        mC = '/';
      } else {
        mSource.mPos = mSource.mEnd;
        mC = Next();
      }
      continue;
    }
    mC = Next();
    if (mC == '/' || mC == '>') {
      mC = Next();
      continue;
    }
    if (mC < 0) Quorve::ThrowError(kEndInSkipped);
    ReadName();
    if (mName.mLength == name.size() && std::memcmp(mName.mData, name.data(), name.size()) == 0) break;
  }
  mC = Next();
  Skip();
}

void CXMLEngine::ReadElements() {
  // mC is the first byte of the root element's name.
  for (;;) {
    ReadName();
    void* const handle = mParser.OnStartElement(mName.mData);
    const bool skipped = mSelective && !handle;
    std::string skippedName;
    if (skipped) skippedName.assign(mName.mData, mName.mLength);
    Skip();
    while (mC != '/' && mC != '>') {
      ReadName();
      Skip();
      if (mC != '=') Quorve::ThrowError("Attribute name must be followed by '='.");
      mC = Next();
      Skip();
      if (mC != '"' && mC != '\'') Quorve::ThrowError("Attribute value must begin with ''' or '\"'.");
      ReadValue();
      if (!skipped) mParser.OnAttribute(mName.mData, mValue.mData);
    }
    bool closed = true;
    if (mC == '/') {
      mC = Next();
      if (mC != '>') Quorve::ThrowError("Bad empty node closing.");
      mParser.OnEndElement(handle);
      mC = Next();
      Skip();
    } else {
      mC = Next();
      Skip();
      if (skipped) {
        SkipContent(skippedName);
      } else {
        mOpen.push_back(handle);
        closed = false;
      }
    }
    // The content of the innermost open element, up to a child's start tag.
    for (;;) {
      if (closed && mOpen.empty()) return;
      closed = false;
      Skip();
      if (mC != '<') {
        ReadText();
        mParser.OnText(mValue.mData);
        continue;
      }
      mC = Next();
      if (mC == '/') {
        mC = Next();
        ReadName();
        Skip();
        if (mC != '>') Quorve::ThrowError(nullptr);
        void* const open = mOpen.back();
        mOpen.pop_back();
        mParser.OnEndElement(open);
        mC = Next();
        Skip();
        closed = true;
        continue;
      }
      if (mC == '[') {
        ReadCData();
        continue;
      }
      if (mC == '!') {
        ReadDeclaration();
        continue;
      }
      break;
    }
  }
}

void CXMLEngine::Run() {
  mC = Next();
  Skip();
  if (mC != '<') Quorve::ThrowError("XML file must begin with <");
  for (;;) {
    mC = Next();
    if (mC == '?') {
      if (!ReadPI()) return;
    } else if (mC == '!') {
      ReadDeclaration();
    } else {
      break;
    }
    Skip();
    if (mC != '<') Quorve::ThrowError("XML root must begin with '<'");
  }
  ReadElements();
  for (;;) {
    Skip();
    if (mC < 0) return;
    if (mC != '<') Quorve::ThrowError("Only comments and processing instructions accepted here");
    mC = Next();
    if (mC == '?') {
      if (!ReadPI()) return;
      continue;
    }
    if (mC == '!') {
      mC = Next();
      if (mC == '-') {
        ReadComment();
        continue;
      }
    }
    Quorve::ThrowError("Only comments and processing instructions accepted here");
  }
}

// ---- entry points

void CXMLEngine::Start(XIXMLReadStream* stream, CXMLParser* parser, bool selective) {
  if (!stream || !parser || parser->mSource) Quorve::ThrowError(nullptr);
  CXMLEngine engine(*parser, stream, selective);
  engine.Run();
}

void Parse(XIXMLReadStream* stream, CXMLParser* parser) { CXMLEngine::Start(stream, parser, false); }

void ParseSelective(XIXMLReadStream* stream, CXMLParser* parser) { CXMLEngine::Start(stream, parser, true); }

}  // namespace QuorveXML
