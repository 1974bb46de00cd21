#include "xml/node.h"

#include <cstring>
#include <exception>

#include "support/raise.h"
#include "support/reporter.h"
#include "xml/comment.h"
#include "xml/data.h"
#include "xml/detached_keys.h"
#include "xml/doc_type.h"
#include "xml/element.h"
#include "xml/pi.h"
#include "xml/root.h"

namespace QuorveXML {

void ReportDestructorError(const char* format) noexcept {
  try {
    throw;
  } catch (const std::exception& e) {
    Quorve::XCReporter::Error(format, e.what());
  } catch (...) {
    Quorve::XCReporter::Error(format, "unknown exception");
  }
}

XRef NodeText::Copy(const char* text, size_t length) {
  char* copy = static_cast<char*>(CNodeHeap::ForThread()->Allocate(length + 1));
  if (!copy) return 0;
  std::memcpy(copy, text, length);
  copy[length] = 0;
  return CNodeHeap::ToRef(copy);
}

// ---- XCXMLNode

XCXMLNode::~XCXMLNode() { Unlink(); }

void* XCXMLNode::Allocation() {
  switch (mKind) {
    case EXMLKind::kElement: return static_cast<XCXMLElement*>(this);
    case EXMLKind::kRoot: return static_cast<XCXMLRoot*>(this);
    case EXMLKind::kData: return static_cast<XCXMLData*>(this);
    case EXMLKind::kComment: return static_cast<XCXMLComment*>(this);
    case EXMLKind::kPI: return static_cast<XCXMLPI*>(this);
    case EXMLKind::kDocType: return static_cast<XCXMLDocType*>(this);
  }
  return this;
}

void XCXMLNode::Unlink() noexcept {
  try {
    if (mParent) {
      if (!Parent()->UnlinkChild(this)) Quorve::FailPointer("XCXMLElement::RemoveNode previous == NULL");
    } else if (!CDetachedKeys::Empty()) {
      CDetachedKeys::Drop(this);
    }
  } catch (...) {
    mParent = mNext = 0;
    ReportDestructorError("XCXMLNode::~XCXMLNode: Exception in destructor (%s)");
  }
}

void XCXMLNode::Destroy(XCXMLNode* node) {
  switch (node->mKind) {
    case EXMLKind::kElement: static_cast<XCXMLElement*>(node)->Dispose(); break;
    case EXMLKind::kRoot: static_cast<XCXMLRoot*>(node)->Dispose(); break;
    case EXMLKind::kData: static_cast<XCXMLData*>(node)->Dispose(); break;
    case EXMLKind::kComment: static_cast<XCXMLComment*>(node)->Dispose(); break;
    case EXMLKind::kPI: static_cast<XCXMLPI*>(node)->Dispose(); break;
    case EXMLKind::kDocType: static_cast<XCXMLDocType*>(node)->Dispose(); break;
  }
}

void XCXMLNode::Delete() {
  mMine.CheckMine();
  Destroy(this);
}

XIXMLNode* XCXMLNode::GetNext() {
  if (!mParent) return nullptr;
  return Parent()->NextChild(this);
}

void XCXMLNode::SetNext(XIXMLNode* node) {
  if (GetNext() != node) Quorve::ThrowAssertion(nullptr);
}

XIXMLElement* XCXMLNode::GetParent() { return Parent(); }

void XCXMLNode::SetParent(XIXMLElement* element) {
  if (static_cast<XIXMLElement*>(Parent()) != element) Quorve::ThrowAssertion(nullptr);
}

int32_t XCXMLNode::GetIndex() {
  if (!mParent) return -1;
  return Parent()->GetNodeIndex(this);
}

}  // namespace QuorveXML
