#include "xml/pi.h"

#include <cstring>

#include "support/raise.h"
#include "xml/element.h"
#include "xml/writer.h"

namespace QuorveXML {

namespace {

// Texts inside a node start on 8-byte boundaries: references count 8-byte units.
size_t Space(size_t length) { return (length + 1 + 7) & ~size_t{7}; }

}  // namespace

XCXMLPI* XCXMLPI::New(CNodeHeap* heap, const char* target, size_t targetLength, const char* data,
                      size_t dataLength) {
  void* memory = heap->Allocate(sizeof(XCXMLPI) + Space(targetLength) + dataLength + 1);
  if (!memory) return nullptr;
  char* targetCopy = static_cast<char*>(memory) + sizeof(XCXMLPI);
  std::memcpy(targetCopy, target, targetLength);
  targetCopy[targetLength] = 0;
  char* dataCopy = targetCopy + Space(targetLength);
  std::memcpy(dataCopy, data, dataLength);
  dataCopy[dataLength] = 0;
  const XRef base = CNodeHeap::ToRef(memory);
  const XRef targetRef = base + static_cast<XRef>(sizeof(XCXMLPI) / 8);
  return new (memory) XCXMLPI(targetRef, targetRef + static_cast<XRef>(Space(targetLength) / 8));
}

XCXMLPI::~XCXMLPI() {
  Unlink();
  ReleaseContent();
}

void XCXMLPI::Dispose() noexcept {
  Unlink();
  ReleaseContent();
  Bury();
}

void XCXMLPI::ReleaseContent() noexcept {
  if (mFlags & kSeparateTarget) NodeText::Free(mTarget);
  if (mFlags & kSeparateData) NodeText::Free(mData);
  mTarget = mData = 0;
}

void XCXMLPI::SetTarget(const char* text) {
  if (!text) Quorve::ThrowNullPointer(nullptr);
  const XRef copy = NodeText::Copy(text, std::strlen(text));
  if (!copy) Quorve::ThrowNullPointer(nullptr);
  if (mFlags & kSeparateTarget) NodeText::Free(mTarget);
  mTarget = copy;
  mFlags |= kSeparateTarget;
}

void XCXMLPI::SetData(const char* text) {
  if (!text) Quorve::ThrowNullPointer(nullptr);
  const XRef copy = NodeText::Copy(text, std::strlen(text));
  if (!copy) Quorve::ThrowNullPointer(nullptr);
  if (mFlags & kSeparateData) NodeText::Free(mData);
  mData = copy;
  mFlags |= kSeparateData;
}

void XCXMLPI::Write(XCXMLWriter& writer, int32_t depth) {
  writer.NewLine(depth);
  writer.WriteBytes("<?", 2);
  writer.WriteString(Target());
  writer.WriteChar(' ');
  writer.WriteString(Data());
  writer.WriteBytes("?>", 2);
}

XIXMLNode* XCXMLPI::CopyTo(XIXMLElement* element) {
  if (!element) Quorve::ThrowNullPointer(nullptr);
  XIXMLPI* copy = element->AddPI(Target(), Data());
  if (!copy) Quorve::ThrowNullPointer(nullptr);
  return copy->GetNode();
}

}  // namespace QuorveXML
