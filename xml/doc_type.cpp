#include "xml/doc_type.h"

#include <cstring>

#include "support/raise.h"
#include "xml/element.h"
#include "xml/writer.h"

namespace QuorveXML {

namespace {

// Texts inside a node start on 8-byte boundaries: references count 8-byte units.
size_t Space(const char* text) { return text ? (std::strlen(text) + 1 + 7) & ~size_t{7} : 0; }

}  // namespace

XCXMLDocType* XCXMLDocType::New(CNodeHeap* heap, const char* key, const char* publicId, const char* systemId,
                                 const char* subset) {
  const char* texts[3] = {publicId, systemId, subset};
  size_t size = sizeof(XCXMLDocType);
  for (const char* text : texts) size += Space(text);
  void* memory = heap->Allocate(size);
  if (!memory) return nullptr;
  XCXMLDocType* docType = new (memory) XCXMLDocType(key);
  const XRef base = CNodeHeap::ToRef(memory);
  size_t offset = sizeof(XCXMLDocType);
  for (int i = 0; i < 3; ++i) {
    if (!texts[i]) continue;
    std::memcpy(static_cast<char*>(memory) + offset, texts[i], std::strlen(texts[i]) + 1);
    docType->mTexts[i] = base + static_cast<XRef>(offset / 8);
    offset += Space(texts[i]);
  }
  return docType;
}

XCXMLDocType::~XCXMLDocType() {
  Unlink();
  ReleaseContent();
}

void XCXMLDocType::Dispose() noexcept {
  Unlink();
  ReleaseContent();
  Bury();
}

void XCXMLDocType::ReleaseContent() noexcept {
  for (int i = 0; i < 3; ++i) {
    if (mFlags & (1u << i)) NodeText::Free(mTexts[i]);
    mTexts[i] = 0;
  }
  mFlags = 0;
}

void XCXMLDocType::Replace(int which, const char* text) {
  XRef copy = 0;
  if (text) {
    copy = NodeText::Copy(text, std::strlen(text));
    if (!copy) Quorve::ThrowNullPointer(nullptr);
  }
  if (mFlags & (1u << which)) NodeText::Free(mTexts[which]);
  mTexts[which] = copy;
  mFlags = static_cast<uint8_t>(mFlags | (1u << which));
}

void XCXMLDocType::SetKey(const char* key) {
  if (!key) Quorve::ThrowNullPointer(nullptr);
  mKey = key;
}

namespace {

// A blank and the literal in double quotes, or in single quotes when it holds a double
// quote: the parser reads either kind, and a literal it read never holds its own quote.
void WriteLiteral(XCXMLWriter& writer, const char* text) {
  const char quote = text && std::strchr(text, '"') ? '\'' : '"';
  writer.WriteChar(' ');
  writer.WriteChar(quote);
  writer.WriteString(text);
  writer.WriteChar(quote);
}

}  // namespace

void XCXMLDocType::Write(XCXMLWriter& writer, int32_t depth) {
  writer.NewLine(depth);
  writer.WriteBytes("<!DOCTYPE ", 10);
  writer.WriteString(mKey);
  if (const char* publicId = GetPublicId()) {
    writer.WriteBytes(" PUBLIC", 7);
    WriteLiteral(writer, publicId);
    WriteLiteral(writer, GetSystemId());
  } else if (const char* systemId = GetSystemId()) {
    writer.WriteBytes(" SYSTEM", 7);
    WriteLiteral(writer, systemId);
  }
  if (const char* subset = GetSubset()) {
    writer.WriteBytes(" [", 2);
    writer.WriteString(subset);
    writer.WriteChar(']');
  }
  writer.WriteChar('>');
}

XIXMLNode* XCXMLDocType::CopyTo(XIXMLElement* element) {
  if (!element) Quorve::ThrowNullPointer(nullptr);
  XIXMLDocType* copy =
      element->AddDocType(element->GetKey(mKey), GetPublicId(), GetSystemId(), GetSubset());
  if (!copy) Quorve::ThrowNullPointer(nullptr);
  return copy->GetNode();
}

}  // namespace QuorveXML
