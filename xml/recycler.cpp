#include "xml/recycler.h"

#include <cstring>

#include "xml/attribute.h"
#include "xml/data.h"
#include "xml/element.h"

namespace QuorveXML {

namespace {

const char* const kElementDestructor = "XCXMLElement::~XCXMLElement: Exception in destructor (%s)";

bool Sound(const Quorve::XCMine& mine) { return mine.Word() == Quorve::XCMine::kArmed; }

// Rewrites a text that sits in its own allocation (a node's inline text or a
// separate copy): in place when the new one is no longer, as a frees only by
// address; otherwise into a new copy, handed back for the caller to install.
// Returns false when memory runs out (nothing changed).
bool Rewrite(XRef& text, bool& separate, const char* value, size_t length) {
  char* old = static_cast<char*>(CNodeHeap::ToPtr(text));
  if (length <= std::strlen(old)) {
    std::memmove(old, value, length);
    old[length] = 0;
    return true;
  }
  const XRef copy = NodeText::Copy(value, length);
  if (!copy) return false;
  if (separate) NodeText::Free(text);
  text = copy;
  separate = true;
  return true;
}

}  // namespace

int CXMLRecycler::Adopt(XCXMLElement* from, XCXMLElement* owner) {
  if (!from->mLastChild && !from->mLastAttribute) return -1;
  try {
    mSpares.push_back(CSpares{owner, 0, 0, 0, 0});
  } catch (...) {
    // Without a record the old content cannot wait to be reused: it goes now, and
    // the element fills as a fresh one.
    from->DestroyContent();
    return -1;
  }
  CSpares& s = mSpares.back();
  if (const XRef last = from->mLastChild) {
    s.nextChild = XCXMLNode::At(last)->mNext;
    s.lastChild = last;
  }
  if (const XRef last = from->mLastAttribute) {
    s.nextAttribute = XCXMLAttribute::At(last)->mNext;
    s.lastAttribute = last;
  }
  from->mLastChild = from->mLastAttribute = 0;
  from->mFlags &= ~XCXMLElement::kHasData;
  return static_cast<int>(mSpares.size() - 1);
}

int CXMLRecycler::RecentSparesOf(const XCXMLElement* element) const {
  const size_t stop = mSpares.size() > 8 ? mSpares.size() - 8 : 0;
  for (size_t i = mSpares.size(); i > stop; --i)
    if (mSpares[i - 1].owner == element) return static_cast<int>(i - 1);
  return -1;
}

template <class Fits>
XCXMLNode* CXMLRecycler::FrontChild(CSpares& s, Fits&& fits) {
  const XRef ref = s.nextChild;
  if (!ref) return nullptr;
  XCXMLNode* node = XCXMLNode::At(ref);
  if (Sound(node->mMine) && fits(node)) return node;
  // One node less than before (a flag turned off, a value no longer written): the
  // rest of the layout still lines up after it.
  if (ref == s.lastChild) return nullptr;
  XCXMLNode* second = XCXMLNode::At(node->mNext);
  if (!Sound(second->mMine) || !fits(second)) return nullptr;
  s.nextChild = node->mNext;
  DestroyChild(node);
  return second;
}

XCXMLAttribute* CXMLRecycler::FrontAttribute(CSpares& s, const char* key) {
  const XRef ref = s.nextAttribute;
  if (!ref) return nullptr;
  XCXMLAttribute* attribute = XCXMLAttribute::At(ref);
  if (Sound(attribute->mMine) && attribute->mKey == key) return attribute;
  if (ref == s.lastAttribute) return nullptr;
  XCXMLAttribute* second = XCXMLAttribute::At(attribute->mNext);
  if (!Sound(second->mMine) || second->mKey != key) return nullptr;
  s.nextAttribute = attribute->mNext;
  DestroyAttribute(attribute);
  return second;
}

void CXMLRecycler::TakeChild(CSpares& s, XCXMLNode* node) {
  const XRef ref = s.nextChild;
  s.nextChild = ref == s.lastChild ? 0 : node->mNext;
  s.owner->LinkChild(node, ref, CNodeHeap::ToRef(s.owner));
}

XCXMLElement* CXMLRecycler::Element(int handle, const char* key) {
  CSpares& s = mSpares[static_cast<size_t>(handle)];
  XCXMLNode* node = FrontChild(s, [key](XCXMLNode* n) {
    return n->mKind == EXMLKind::kElement && XCXMLElement::FromNode(n)->mKey == key;
  });
  if (!node) return nullptr;
  TakeChild(s, node);
  XCXMLElement* element = XCXMLElement::FromNode(node);
  mLastSpares = Adopt(element, element);  // may move s
  mLastElement = element;
  return element;
}

bool CXMLRecycler::Attribute(int handle, const char* key, const char* value, size_t length) {
  CSpares& s = mSpares[static_cast<size_t>(handle)];
  XCXMLAttribute* attribute = FrontAttribute(s, key);
  if (!attribute) return false;
  bool separate = attribute->Value() != attribute->InlineValue();
  if (!Rewrite(attribute->mValue, separate, value, length)) return false;
  const XRef ref = s.nextAttribute;
  s.nextAttribute = ref == s.lastAttribute ? 0 : attribute->mNext;
  s.owner->LinkAttribute(attribute, ref, CNodeHeap::ToRef(s.owner));
  return true;
}

bool CXMLRecycler::Text(int handle, const char* text, size_t length) {
  CSpares& s = mSpares[static_cast<size_t>(handle)];
  if (s.owner->HasData()) return false;
  XCXMLNode* node = FrontChild(s, [](XCXMLNode* n) {
    return n->mKind == EXMLKind::kData && static_cast<XCXMLData*>(n)->mText != 0;
  });
  if (!node) return false;
  XCXMLData* data = static_cast<XCXMLData*>(node);
  bool separate = data->mFlags & XCXMLData::kSeparateText;
  if (!Rewrite(data->mText, separate, text, length)) return false;
  if (separate) data->mFlags |= XCXMLData::kSeparateText;
  TakeChild(s, node);
  s.owner->MarkData();
  return true;
}

void CXMLRecycler::DestroyChild(XCXMLNode* node) noexcept {
  // A spare is in no list: it must not look for itself in its old parent's.
  node->mParent = node->mNext = 0;
  if (Sound(node->mMine)) {
    XCXMLNode::Destroy(node);
    return;
  }
  // As when its parent dies: reported, and left alone since it cannot be trusted.
  try {
    node->mMine.CheckMine();
  } catch (...) {
    ReportDestructorError(kElementDestructor);
  }
}

void CXMLRecycler::DestroyAttribute(XCXMLAttribute* attribute) noexcept {
  attribute->mOwner = attribute->mNext = 0;
  if (Sound(attribute->mMine)) {
    attribute->Dispose();
    return;
  }
  try {
    attribute->mMine.CheckMine();
  } catch (...) {
    ReportDestructorError(kElementDestructor);
  }
}

void CXMLRecycler::Sweep(int from) noexcept {
  if (from < 0) from = 0;
  CNodeHeap::CFreeBatch batch;
  while (mSpares.size() > static_cast<size_t>(from)) {
    CSpares& s = mSpares.back();
    for (XRef ref = s.nextChild; ref;) {
      XCXMLNode* node = XCXMLNode::At(ref);
      const XRef next = ref == s.lastChild ? 0 : node->mNext;
      DestroyChild(node);
      ref = next;
    }
    for (XRef ref = s.nextAttribute; ref;) {
      XCXMLAttribute* attribute = XCXMLAttribute::At(ref);
      const XRef next = ref == s.lastAttribute ? 0 : attribute->mNext;
      DestroyAttribute(attribute);
      ref = next;
    }
    mSpares.pop_back();
  }
  if (mLastSpares >= from) {
    mLastElement = nullptr;
    mLastSpares = -1;
  }
}

}  // namespace QuorveXML
