#include "xml/attribute.h"

#include <cstring>

#include "support/raise.h"
#include "xml/detached_keys.h"
#include "xml/element.h"
#include "xml/node.h"
#include "xml/scan_format.h"
#include "xml/writer.h"

namespace QuorveXML {

XCXMLAttribute* XCXMLAttribute::New(CNodeHeap* heap, const char* key, const char* value, size_t length) {
  void* memory = heap->Allocate(sizeof(XCXMLAttribute) + length + 1);
  if (!memory) return nullptr;
  char* text = static_cast<char*>(memory) + sizeof(XCXMLAttribute);
  std::memcpy(text, value, length);
  text[length] = 0;
  // The value sits right after the object, in the same chunk: its reference is the
  // attribute's own plus the object's size.
  const XRef ref = CNodeHeap::ToRef(memory) + static_cast<XRef>(sizeof(XCXMLAttribute) / 8);
  return new (memory) XCXMLAttribute(key, ref);
}

XCXMLAttribute::~XCXMLAttribute() {
  Unlink();
  FreeValue();
}

void XCXMLAttribute::Dispose() noexcept {
  Unlink();
  FreeValue();
  mMine.~XCMine();
  CNodeHeap::Free(this);
}

void XCXMLAttribute::Unlink() noexcept {
  try {
    if (mOwner) {
      if (!Owner()->UnlinkAttribute(this)) Quorve::FailPointer("XCXMLElement::RemoveAttribute previous == NULL");
    } else if (!CDetachedKeys::Empty()) {
      CDetachedKeys::Drop(this);
    }
  } catch (...) {
    mOwner = mNext = 0;
    ReportDestructorError("XCXMLAttribute::~XCXMLAttribute: Exception in destructor (%s)");
  }
}

void XCXMLAttribute::FreeValue() {
  if (Value() != InlineValue()) NodeText::Free(mValue);
  mValue = 0;
}

void XCXMLAttribute::Delete() {
  mMine.CheckMine();
  Dispose();
}

XIXMLAttribute* XCXMLAttribute::GetNext() {
  if (!mOwner) return nullptr;
  const XCXMLElement* owner = Owner();
  return CNodeHeap::ToRef(this) == owner->LastAttributeRef() ? nullptr : At(mNext);
}

void XCXMLAttribute::SetNext(XIXMLAttribute* attribute) {
  if (GetNext() != attribute) Quorve::ThrowAssertion(nullptr);
}

XIXMLElement* XCXMLAttribute::GetOwner() { return Owner(); }

void XCXMLAttribute::SetKey(const char* key) {
  if (!key) Quorve::ThrowNullPointer(nullptr);
  mKey = key;
}

void XCXMLAttribute::SetValue(const char* text) {
  if (!text) Quorve::ThrowNullPointer(nullptr);
  const XRef copy = NodeText::Copy(text, std::strlen(text));
  if (!copy) Quorve::ThrowNullPointer(nullptr);
  FreeValue();
  mValue = copy;
}

void XCXMLAttribute::Scan(const char* format, void* out) { ScanValue(Value(), format, out); }

void XCXMLAttribute::Format(const char* format, ...) {
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
  SetValue(buffer);
}

void XCXMLAttribute::Write(XCXMLWriter& writer) {
  writer.WriteChar(' ');
  writer.WriteString(mKey);
  writer.WriteChar('=');
  writer.WriteQuoted(Value());
}

XIXMLAttribute* XCXMLAttribute::CopyTo(XIXMLElement* element) {
  if (!element) Quorve::ThrowNullPointer(nullptr);
  return element->AddAttribute(element->GetKey(mKey), Value());
}

}  // namespace QuorveXML
