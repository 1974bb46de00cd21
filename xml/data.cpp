#include "xml/data.h"

#include <cstring>

#include "support/raise.h"
#include "xml/element.h"
#include "xml/scan_format.h"
#include "xml/writer.h"

namespace QuorveXML {

XCXMLData* XCXMLData::NewText(CNodeHeap* heap, const char* text, size_t length) {
  void* memory = heap->Allocate(sizeof(XCXMLData) + length + 1);
  if (!memory) return nullptr;
  char* copy = static_cast<char*>(memory) + sizeof(XCXMLData);
  std::memcpy(copy, text, length);
  copy[length] = 0;
  return new (memory) XCXMLData(CNodeHeap::ToRef(memory) + static_cast<XRef>(sizeof(XCXMLData) / 8));
}

XCXMLData* XCXMLData::NewBlock(CNodeHeap* heap, IXMLCData* provider) {
  void* memory = heap->Allocate(sizeof(XCXMLData) + sizeof provider);
  if (!memory) return nullptr;
  std::memcpy(static_cast<char*>(memory) + sizeof(XCXMLData), &provider, sizeof provider);
  return new (memory) XCXMLData(0);
}

XCXMLData::~XCXMLData() {
  Unlink();
  ReleaseContent();
}

void XCXMLData::Dispose() noexcept {
  Unlink();
  ReleaseContent();
  Bury();
}

void XCXMLData::ReleaseContent() noexcept {
  if (mText) {
    if (mFlags & kSeparateText) NodeText::Free(mText);
    mText = 0;
    return;
  }
  IXMLCData** slot = reinterpret_cast<IXMLCData**>(this + 1);
  IXMLCData* provider = *slot;
  *slot = nullptr;
  try {
    if (provider) provider->Release();
  } catch (...) {
    ReportDestructorError("XCXMLNode::~XCXMLNode: Exception in destructor (%s)");
  }
}

const char* XCXMLData::GetText() {
  if (!mText) Quorve::ThrowError(nullptr);
  return Text();
}

void XCXMLData::SetText(const char* text) {
  if (!mText) Quorve::ThrowError(nullptr);
  if (!text) Quorve::ThrowNullPointer(nullptr);
  const XRef copy = NodeText::Copy(text, std::strlen(text));
  if (!copy) Quorve::ThrowNullPointer(nullptr);
  if (mFlags & kSeparateText) NodeText::Free(mText);
  mText = copy;
  mFlags |= kSeparateText;
}

void XCXMLData::Scan(const char* format, void* out) {
  if (!mText) Quorve::ThrowError(nullptr);
  ScanValue(Text(), format, out);
}

void XCXMLData::Format(const char* format, ...) {
  char buffer[kFormatSize];
  va_list args;
  va_start(args, format);
  try {
    FormatValue(buffer, format, args);
  } catch (...) {
    va_end(args);
    throw;
  }
  va_end(args);
  SetText(buffer);
}

void XCXMLData::Write(XCXMLWriter& writer, int32_t depth) {
  if (mText) {
    writer.WriteEscaped(Text());
    // The parent's end tag follows the text directly.
    writer.mSuppressNewline = true;
    return;
  }
  writer.WriteBlock(Provider(), depth, this);
}

XIXMLNode* XCXMLData::CopyTo(XIXMLElement* element) {
  if (!element) Quorve::ThrowNullPointer(nullptr);
  if (mText) return element->AddData(Text())->GetNode();
  IXMLCData* provider = Provider()->Duplicate();
  if (!provider) Quorve::ThrowNullPointer(nullptr);
  XIXMLData* copy;
  try {
    copy = element->AddData(provider);
  } catch (...) {
    provider->Release();
    throw;
  }
  if (!copy) {
    provider->Release();
    Quorve::ThrowNullPointer(nullptr);
  }
  return copy->GetNode();
}

}  // namespace QuorveXML
