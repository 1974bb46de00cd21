#include "xml/comment.h"

#include <cstring>

#include "support/raise.h"
#include "xml/element.h"
#include "xml/writer.h"

namespace QuorveXML {

XCXMLComment* XCXMLComment::New(CNodeHeap* heap, const char* text, size_t length) {
  void* memory = heap->Allocate(sizeof(XCXMLComment) + length + 1);
  if (!memory) return nullptr;
  char* copy = static_cast<char*>(memory) + sizeof(XCXMLComment);
  std::memcpy(copy, text, length);
  copy[length] = 0;
  return new (memory) XCXMLComment(CNodeHeap::ToRef(memory) + static_cast<XRef>(sizeof(XCXMLComment) / 8));
}

XCXMLComment::~XCXMLComment() {
  Unlink();
  ReleaseContent();
}

void XCXMLComment::Dispose() noexcept {
  Unlink();
  ReleaseContent();
  Bury();
}

void XCXMLComment::ReleaseContent() noexcept {
  if (mFlags & kSeparateText) NodeText::Free(mText);
  mText = 0;
}

void XCXMLComment::SetText(const char* text) {
  if (!text) Quorve::ThrowNullPointer(nullptr);
  const XRef copy = NodeText::Copy(text, std::strlen(text));
  if (!copy) Quorve::ThrowNullPointer(nullptr);
  ReleaseContent();
  mText = copy;
  mFlags |= kSeparateText;
}

void XCXMLComment::Write(XCXMLWriter& writer, int32_t depth) {
  writer.NewLine(depth);
  writer.WriteBytes("<!--", 4);
  writer.WriteString(Text());
  writer.WriteBytes("-->", 3);
}

XIXMLNode* XCXMLComment::CopyTo(XIXMLElement* element) {
  if (!element) Quorve::ThrowNullPointer(nullptr);
  XIXMLComment* copy = element->AddComment(Text());
  if (!copy) Quorve::ThrowNullPointer(nullptr);
  return copy->GetNode();
}

}  // namespace QuorveXML
