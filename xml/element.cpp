#include "xml/element.h"

#include <cstring>
#include <vector>

#include "support/raise.h"
#include "xml/comment.h"
#include "xml/data.h"
#include "xml/detached_keys.h"
#include "xml/doc_type.h"
#include "xml/hash_key.h"
#include "xml/pi.h"
#include "xml/root.h"
#include "xml/writer.h"

namespace QuorveXML {

namespace {

const char* const kElementDestructor = "XCXMLElement::~XCXMLElement: Exception in destructor (%s)";
const char* const kRootDestructor = "XCXMLRoot::~XCXMLRoot: Exception in destructor (%s)";

const char* Require(const char* text) {
  if (!text) Quorve::ThrowNullPointer(nullptr);
  return text;
}

// Calls f(node, ref) for each child of element in order until f returns true.
template <class F>
XCXMLNode* FindChild(const XCXMLElement* element, F&& f) {
  const XRef last = element->LastChildRef();
  if (!last) return nullptr;
  for (XRef ref = XCXMLNode::At(last)->NextRef();;) {
    XCXMLNode* node = XCXMLNode::At(ref);
    if (f(node)) return node;
    if (ref == last) return nullptr;
    ref = node->NextRef();
  }
}

// Calls f(node) for each subtree node of top in a fixed order (no recursion).
template <class F>
void WalkSubtree(XCXMLNode* top, F&& f) {
  std::vector<XCXMLNode*> stack{top};
  while (!stack.empty()) {
    XCXMLNode* node = stack.back();
    stack.pop_back();
    f(node);
    if (node->IsElement())
      FindChild(XCXMLElement::FromNode(node), [&stack](XCXMLNode* child) {
        stack.push_back(child);
        return false;
      });
  }
}

// Calls f(attribute) for each attribute of element in order.
template <class F>
void ForEachAttribute(XCXMLElement* element, F&& f) {
  const XRef last = element->LastAttributeRef();
  if (!last) return;
  for (XRef ref = XCXMLAttribute::At(last)->NextRef();;) {
    XCXMLAttribute* attribute = XCXMLAttribute::At(ref);
    f(attribute);
    if (ref == last) return;
    ref = attribute->NextRef();
  }
}

// Re-interns every key of a subtree into table. Every new key is made before any is
// set, so a failure leaves the subtree as it was.
void Reintern(XCXMLNode* top, CHashKey* table) {
  std::vector<const char*> keys;
  auto intern = [table](const char* key) { return key ? table->GetKey(key) : nullptr; };
  WalkSubtree(top, [&](XCXMLNode* node) {
    if (node->Kind() == EXMLKind::kDocType) keys.push_back(intern(static_cast<XCXMLDocType*>(node)->Key()));
    if (!node->IsElement()) return;
    XCXMLElement* element = XCXMLElement::FromNode(node);
    keys.push_back(intern(element->Key()));
    ForEachAttribute(element, [&](XCXMLAttribute* attribute) { keys.push_back(intern(attribute->Key())); });
  });
  size_t next = 0;
  WalkSubtree(top, [&](XCXMLNode* node) {
    if (node->Kind() == EXMLKind::kDocType) static_cast<XCXMLDocType*>(node)->Rekey(keys[next++]);
    if (!node->IsElement()) return;
    XCXMLElement* element = XCXMLElement::FromNode(node);
    element->Rekey(keys[next++]);
    ForEachAttribute(element, [&](XCXMLAttribute* attribute) { attribute->Rekey(keys[next++]); });
  });
}

}  // namespace

// ---- making and linking

XCXMLElement* XCXMLElement::New(CNodeHeap* heap, const char* key) {
  void* memory = heap->Allocate(sizeof(XCXMLElement));
  return memory ? new (memory) XCXMLElement(EXMLKind::kElement, key) : nullptr;
}

void XCXMLElement::LinkChild(XCXMLNode* child, XRef childRef, XRef selfRef) {
  if (mLastChild) {
    XCXMLNode* last = At(mLastChild);
    child->mNext = last->mNext;
    last->mNext = childRef;
  } else {
    child->mNext = childRef;
  }
  mLastChild = childRef;
  child->mParent = selfRef;
}

void XCXMLElement::LinkAttribute(XCXMLAttribute* attribute, XRef attributeRef, XRef selfRef) {
  if (mLastAttribute) {
    XCXMLAttribute* last = XCXMLAttribute::At(mLastAttribute);
    attribute->mNext = last->mNext;
    last->mNext = attributeRef;
  } else {
    attribute->mNext = attributeRef;
  }
  mLastAttribute = attributeRef;
  attribute->mOwner = selfRef;
}

bool XCXMLElement::UnlinkChild(XCXMLNode* child) {
  if (!mLastChild) return false;
  const XRef childRef = CNodeHeap::ToRef(child);
  XCXMLNode* const last = At(mLastChild);
  XCXMLNode* previous = last;
  while (previous->mNext != childRef) {
    previous = At(previous->mNext);
    if (previous == last) return false;
  }
  if (previous == child) {
    mLastChild = 0;
  } else {
    previous->mNext = child->mNext;
    if (mLastChild == childRef) mLastChild = CNodeHeap::ToRef(previous);
  }
  child->mNext = child->mParent = 0;
  if (child->mKind == EXMLKind::kData && (mFlags & kHasData)) {
    if (!FindChild(this, [](XCXMLNode* node) { return node->Kind() == EXMLKind::kData; })) mFlags &= ~kHasData;
  }
  return true;
}

bool XCXMLElement::UnlinkAttribute(XCXMLAttribute* attribute) {
  if (!mLastAttribute) return false;
  const XRef attributeRef = CNodeHeap::ToRef(attribute);
  XCXMLAttribute* const last = XCXMLAttribute::At(mLastAttribute);
  XCXMLAttribute* previous = last;
  while (previous->mNext != attributeRef) {
    previous = XCXMLAttribute::At(previous->mNext);
    if (previous == last) return false;
  }
  if (previous == attribute) {
    mLastAttribute = 0;
  } else {
    previous->mNext = attribute->mNext;
    if (mLastAttribute == attributeRef) mLastAttribute = CNodeHeap::ToRef(previous);
  }
  attribute->mNext = attribute->mOwner = 0;
  return true;
}

CHashKey* XCXMLElement::FindKeyTable() {
  XCXMLElement* top = this;
  while (top->mParent) top = top->Parent();
  if (top->mKind == EXMLKind::kRoot) return static_cast<XCXMLRoot*>(top)->Table();
  return CDetachedKeys::Find(static_cast<XCXMLNode*>(top));
}

// ---- destruction

XCXMLElement::~XCXMLElement() {
  Unlink();
  DestroyContent();
}

void XCXMLElement::Dispose() noexcept {
  Unlink();
  DestroyContent();
  Bury();
}

void XCXMLElement::DestroyContent() noexcept {
  // Children die after their own children, found by walking down first children, so
  // the depth of the document never reaches the stack. Nothing is unlinked on the
  // way: every node below this element dies, so each is freed where it stands and
  // the element forgets its lists at the end. A node whose guard word is broken is
  // reported and left alone, as it cannot be trusted to free.
  const char* format = mKind == EXMLKind::kRoot ? kRootDestructor : kElementDestructor;
  auto broken = [&](const Quorve::XCMine& mine, const XCXMLElement* owner) {
    if (mine.Word() == Quorve::XCMine::kArmed) return false;
    try {
      mine.CheckMine();
    } catch (...) {
      ReportDestructorError(owner == this ? format : kElementDestructor);
    }
    return true;
  };
  CNodeHeap::CFreeBatch batch;
  XCXMLElement* current = this;
  for (;;) {
    if (const XRef last = current->mLastAttribute) {
      current->mLastAttribute = 0;
      for (XRef ref = XCXMLAttribute::At(last)->mNext;;) {
        XCXMLAttribute* attribute = XCXMLAttribute::At(ref);
        const XRef next = attribute->mNext;
        attribute->mNext = attribute->mOwner = 0;
        if (!broken(attribute->Mine(), current)) attribute->Dispose();
        if (ref == last) break;
        ref = next;
      }
    }
    // The next child to destroy; 0 once current has none left.
    XRef ref = current->mLastChild ? At(current->mLastChild)->mNext : 0;
    for (;;) {
      if (!ref) {
        current->mLastChild = 0;
        current->mFlags &= ~kHasData;
        if (current == this) return;
        XCXMLElement* parent = current->Parent();
        const XRef self = CNodeHeap::ToRef(static_cast<XCXMLNode*>(current));
        const XRef next = self == parent->mLastChild ? 0 : current->mNext;
        current->mParent = current->mNext = 0;
        current->Bury();
        current = parent;
        ref = next;
        continue;
      }
      XCXMLNode* child = At(ref);
      const XRef next = ref == current->mLastChild ? 0 : child->mNext;
      const bool sound = !broken(child->mMine, current);
      if (sound && child->mKind == EXMLKind::kElement) {
        // Down into it; its siblings resume from its own link when it is done.
        current = FromNode(child);
        break;
      }
      child->mParent = child->mNext = 0;
      if (sound) Destroy(child);
      ref = next;
    }
  }
}

// ---- XIXMLElement: structure

const char* XCXMLElement::GetKey(const char* name) {
  XCXMLElement* top = this;
  while (top->mParent) top = top->Parent();
  if (top->mKind != EXMLKind::kRoot) Quorve::FailPointer("XCXMLElement::GetKey - element isn't in a tree");
  return static_cast<XCXMLRoot*>(top)->Table()->GetKey(name);
}

void XCXMLElement::AddNode(XIXMLNode* node) {
  if (!node) Quorve::ThrowNullPointer(nullptr);
  XCXMLNode* child = From(node);
  child->mMine.CheckMine();
  if (child->mParent || child->mNext || child->mKind == EXMLKind::kRoot) Quorve::ThrowAssertion(nullptr);
  if (child->mKind == EXMLKind::kElement) {
    for (XCXMLElement* ancestor = this; ancestor; ancestor = ancestor->Parent())
      if (ancestor == FromNode(child)) Quorve::ThrowAssertion(nullptr);
  }
  if (!CDetachedKeys::Empty()) {
    if (CHashKey* from = CDetachedKeys::Find(child)) {
      CHashKey* to = FindKeyTable();
      if (to && to != from) Reintern(child, to);
      if (!to) {
        XCXMLElement* top = this;
        while (top->mParent) top = top->Parent();
        CDetachedKeys::Hold(static_cast<XCXMLNode*>(top), from);
      }
      CDetachedKeys::Drop(child);
    }
  }
  LinkChild(child, CNodeHeap::ToRef(child), CNodeHeap::ToRef(this));
  if (child->mKind == EXMLKind::kData) MarkData();
}

void XCXMLElement::RemoveNode(XIXMLNode* node) {
  XCXMLNode* child = node ? From(node) : nullptr;
  if (!child || child->Parent() != this) Quorve::ThrowAssertion(nullptr);
  CHashKey* table = nullptr;
  if (child->mKind == EXMLKind::kElement || child->mKind == EXMLKind::kDocType) {
    table = FindKeyTable();
    CDetachedKeys::Hold(child, table);
  }
  if (!UnlinkChild(child)) {
    if (table) CDetachedKeys::Drop(child);
    Quorve::FailPointer("XCXMLElement::RemoveNode previous == NULL");
  }
}

void XCXMLElement::MoveNode(XIXMLNode* node, XIXMLNode* before) {
  XCXMLNode* child = node ? From(node) : nullptr;
  if (!child || child->Parent() != this) Quorve::ThrowAssertion(nullptr);
  XCXMLNode* target = before ? From(before) : nullptr;
  if (target && target->Parent() != this) Quorve::FailPointer("XCXMLElement::MoveNode previous == NULL");
  if (child == target || NextChild(child) == target) return;
  UnlinkChild(child);
  const XRef childRef = CNodeHeap::ToRef(child);
  const XRef selfRef = CNodeHeap::ToRef(this);
  if (!target) {
    LinkChild(child, childRef, selfRef);
  } else {
    const XRef targetRef = CNodeHeap::ToRef(target);
    XCXMLNode* previous = At(mLastChild);
    while (previous->mNext != targetRef) previous = At(previous->mNext);
    previous->mNext = childRef;
    child->mNext = targetRef;
    child->mParent = selfRef;
  }
  if (child->mKind == EXMLKind::kData) MarkData();
}

int32_t XCXMLElement::GetNodeIndex(XIXMLNode* node) {
  if (!node) return -1;
  const XCXMLNode* wanted = From(node);
  int32_t index = 0;
  const bool found = FindChild(this, [&](XCXMLNode* child) {
                       if (child == wanted) return true;
                       ++index;
                       return false;
                     }) != nullptr;
  return found ? index : -1;
}

// ---- XIXMLElement: adding

XIXMLAttribute* XCXMLElement::AddAttribute(const char* key, const char* value) {
  Require(value);
  return AddAttribute(key, value, std::strlen(value));
}

XCXMLAttribute* XCXMLElement::AddAttribute(const char* key, const char* value, size_t length) {
  Require(key);
  XCXMLAttribute* attribute = XCXMLAttribute::New(CNodeHeap::ForThread(), key, value, length);
  if (!attribute) return nullptr;
  LinkAttribute(attribute, CNodeHeap::ToRef(attribute), CNodeHeap::ToRef(this));
  return attribute;
}

void XCXMLElement::RemoveAttribute(XIXMLAttribute* attribute) {
  XCXMLAttribute* own = attribute ? XCXMLAttribute::From(attribute) : nullptr;
  if (!own || own->Owner() != this) Quorve::FailPointer("XCXMLElement::RemoveAttribute previous == NULL");
  CHashKey* table = FindKeyTable();
  CDetachedKeys::Hold(own, table);
  if (!UnlinkAttribute(own)) {
    CDetachedKeys::Drop(own);
    Quorve::FailPointer("XCXMLElement::RemoveAttribute previous == NULL");
  }
}

XIXMLPI* XCXMLElement::AddPI(const char* target, const char* data) {
  Require(target);
  Require(data);
  XCXMLPI* pi = XCXMLPI::New(CNodeHeap::ForThread(), target, std::strlen(target), data, std::strlen(data));
  if (!pi) return nullptr;
  LinkChild(pi, CNodeHeap::ToRef(static_cast<XCXMLNode*>(pi)), CNodeHeap::ToRef(this));
  return pi;
}

XIXMLComment* XCXMLElement::AddComment(const char* text) {
  Require(text);
  XCXMLComment* comment = XCXMLComment::New(CNodeHeap::ForThread(), text, std::strlen(text));
  if (!comment) return nullptr;
  LinkChild(comment, CNodeHeap::ToRef(static_cast<XCXMLNode*>(comment)), CNodeHeap::ToRef(this));
  return comment;
}

XIXMLDocType* XCXMLElement::AddDocType(const char* key, const char* publicId, const char* systemId,
                                       const char* subset) {
  Require(key);
  XCXMLDocType* docType = XCXMLDocType::New(CNodeHeap::ForThread(), key, publicId, systemId, subset);
  if (!docType) return nullptr;
  LinkChild(docType, CNodeHeap::ToRef(static_cast<XCXMLNode*>(docType)), CNodeHeap::ToRef(this));
  return docType;
}

XIXMLData* XCXMLElement::AddData(IXMLCData* provider) {
  if (!provider) Quorve::ThrowError(nullptr);
  if (HasData()) Quorve::ThrowError("Only one data node for an element");
  XCXMLData* data = XCXMLData::NewBlock(CNodeHeap::ForThread(), provider);
  if (!data) return nullptr;
  LinkChild(data, CNodeHeap::ToRef(static_cast<XCXMLNode*>(data)), CNodeHeap::ToRef(this));
  MarkData();
  return data;
}

XIXMLData* XCXMLElement::AddData(const char* text) {
  Require(text);
  if (HasData()) Quorve::ThrowError("Only one data node for an element");
  XCXMLData* data = XCXMLData::NewText(CNodeHeap::ForThread(), text, std::strlen(text));
  if (!data) return nullptr;
  LinkChild(data, CNodeHeap::ToRef(static_cast<XCXMLNode*>(data)), CNodeHeap::ToRef(this));
  MarkData();
  return data;
}

XIXMLElement* XCXMLElement::AddElement(const char* key) {
  Require(key);
  XCXMLElement* element = New(CNodeHeap::ForThread(), key);
  if (!element) return nullptr;
  LinkChild(element, CNodeHeap::ToRef(static_cast<XCXMLNode*>(element)), CNodeHeap::ToRef(this));
  return element;
}

void XCXMLElement::SetKey(const char* key) { mKey = Require(key); }

// ---- XIXMLElement: searching

XIXMLData* XCXMLElement::GetData() {
  if (!HasData()) return nullptr;
  XCXMLNode* node = FindChild(this, [](XCXMLNode* child) { return child->Kind() == EXMLKind::kData; });
  return node ? static_cast<XCXMLData*>(node) : nullptr;
}

XIXMLElement* XCXMLElement::GetFirstElement() {
  XCXMLNode* node = FindChild(this, [](XCXMLNode* child) { return child->IsElement(); });
  return node ? FromNode(node) : nullptr;
}

XIXMLElement* XCXMLElement::GetNextElement() {
  XCXMLElement* parent = Parent();
  if (!parent) return nullptr;
  for (XCXMLNode* node = parent->NextChild(this); node; node = parent->NextChild(node))
    if (node->IsElement()) return FromNode(node);
  return nullptr;
}

XIXMLElement* XCXMLElement::FindElement(const char* key) {
  XCXMLNode* node =
      FindChild(this, [key](XCXMLNode* child) { return child->IsElement() && FromNode(child)->mKey == key; });
  return node ? FromNode(node) : nullptr;
}

XIXMLElement* XCXMLElement::GetNextSameElement() {
  XCXMLElement* parent = Parent();
  if (!parent) return nullptr;
  for (XCXMLNode* node = parent->NextChild(this); node; node = parent->NextChild(node))
    if (node->IsElement() && FromNode(node)->mKey == mKey) return FromNode(node);
  return nullptr;
}

int32_t XCXMLElement::CountElements() {
  int32_t count = 0;
  FindChild(this, [&count](XCXMLNode* child) {
    if (child->IsElement()) ++count;
    return false;
  });
  return count;
}

XIXMLElement* XCXMLElement::GetElement(int32_t index) {
  if (index < 0) return nullptr;
  XCXMLNode* node = FindChild(this, [&index](XCXMLNode* child) { return child->IsElement() && index-- == 0; });
  return node ? FromNode(node) : nullptr;
}

XIXMLAttribute* XCXMLElement::FindAttribute(const char* key) {
  if (!key || !mLastAttribute) return nullptr;
  XCXMLAttribute* first = FirstAttribute();
  if (!*key) return first;
  for (XCXMLAttribute* attribute = first;;) {
    if (attribute->mKey == key) return attribute;
    if (CNodeHeap::ToRef(attribute) == mLastAttribute) return nullptr;
    attribute = XCXMLAttribute::At(attribute->mNext);
  }
}

bool XCXMLElement::HasAttributeValue(const char* key, const char* text) {
  XIXMLAttribute* attribute = FindAttribute(key);
  return attribute && text && std::strcmp(attribute->GetValue(), text) == 0;
}

// ---- writing

void XCXMLElement::Write(XIXMLWriteStream* stream) {
  XCXMLWriter writer(stream);
  WriteTree(writer, 0);
  writer.Flush();
}

void XCXMLElement::Write(XCXMLWriter& writer, int32_t depth) { WriteTree(writer, depth); }

bool XCXMLElement::WriteStart(XCXMLWriter& writer, int32_t depth) {
  writer.NewLine(depth);
  writer.WriteChar('<');
  writer.WriteString(mKey);
  if (mLastAttribute) {
    XCXMLAttribute* const last = XCXMLAttribute::At(mLastAttribute);
    const bool breaks = last->mNext != mLastAttribute;  // two or more attributes
    XRef ref = last->mNext;
    for (;;) {
      XCXMLAttribute* attribute = XCXMLAttribute::At(ref);
      if (breaks) writer.NewLine(depth + 1);
      writer.WriteChar(' ');
      writer.WriteString(attribute->mKey);
      writer.WriteChar('=');
      writer.WriteQuoted(attribute->Value());
      if (ref == mLastAttribute) break;
      ref = attribute->mNext;
    }
  }
  if (!mLastChild) {
    writer.WriteBytes("/>", 2);
    return false;
  }
  writer.WriteChar('>');
  return true;
}

void XCXMLElement::WriteTree(XCXMLWriter& writer, int32_t depth) {
  if (!WriteStart(writer, depth)) return;
  XCXMLElement* current = this;
  int32_t childDepth = depth + 1;
  XRef ref = At(mLastChild)->mNext;
  for (;;) {
    XCXMLNode* node = At(ref);
    switch (node->mKind) {
      case EXMLKind::kElement:
      case EXMLKind::kRoot: {
        XCXMLElement* element = FromNode(node);
        if (element->WriteStart(writer, childDepth)) {
          current = element;
          ++childDepth;
          ref = At(element->mLastChild)->mNext;
          continue;
        }
        break;
      }
      case EXMLKind::kData: static_cast<XCXMLData*>(node)->XCXMLData::Write(writer, childDepth); break;
      case EXMLKind::kComment: static_cast<XCXMLComment*>(node)->XCXMLComment::Write(writer, childDepth); break;
      case EXMLKind::kPI: static_cast<XCXMLPI*>(node)->XCXMLPI::Write(writer, childDepth); break;
      case EXMLKind::kDocType: static_cast<XCXMLDocType*>(node)->XCXMLDocType::Write(writer, childDepth); break;
    }
    // Next sibling, or the end tags of every element this node was the last of.
    while (ref == current->mLastChild) {
      --childDepth;
      writer.NewLine(childDepth);
      writer.WriteBytes("</", 2);
      writer.WriteString(current->mKey);
      writer.WriteChar('>');
      if (current == this) return;
      ref = CNodeHeap::ToRef(static_cast<XCXMLNode*>(current));
      current = current->Parent();
    }
    ref = At(ref)->mNext;
  }
}

// ---- copying

XIXMLNode* XCXMLElement::CopyTo(XIXMLElement* element) {
  if (!element) Quorve::ThrowNullPointer(nullptr);
  XCXMLElement* target = FromInterface(element);
  XCXMLElement* top = target;
  while (top->mParent) top = top->Parent();
  if (top->mKind != EXMLKind::kRoot) Quorve::FailPointer("XCXMLElement::GetKey - element isn't in a tree");
  CHashKey* table = static_cast<XCXMLRoot*>(top)->Table();
  CNodeHeap* heap = CNodeHeap::ForThread();

  // The copy is built detached and linked at the end, so a target inside this
  // subtree never sees its own copy while the walk goes on.
  auto copyElement = [&](XCXMLElement* source) {
    XCXMLElement* copy = New(heap, source->mKey ? table->GetKey(source->mKey) : nullptr);
    if (!copy) Quorve::ThrowNullPointer(nullptr);
    if (source->mLastAttribute) {
      const XRef copyRef = CNodeHeap::ToRef(static_cast<XCXMLElement*>(copy));
      try {
        for (XRef ref = XCXMLAttribute::At(source->mLastAttribute)->mNext;;) {
          XCXMLAttribute* attribute = XCXMLAttribute::At(ref);
          const char* value = attribute->Value();
          XCXMLAttribute* attributeCopy =
              XCXMLAttribute::New(heap, table->GetKey(attribute->mKey), value, std::strlen(value));
          if (!attributeCopy) Quorve::ThrowNullPointer(nullptr);
          copy->LinkAttribute(attributeCopy, CNodeHeap::ToRef(attributeCopy), copyRef);
          if (ref == source->mLastAttribute) break;
          ref = attribute->mNext;
        }
      } catch (...) {
        Destroy(copy);
        throw;
      }
    }
    return copy;
  };

  XCXMLElement* copy = copyElement(this);
  try {
    XCXMLElement* source = this;
    XCXMLElement* destination = copy;
    XRef ref = mLastChild ? At(mLastChild)->mNext : 0;
    while (ref) {
      XCXMLNode* node = At(ref);
      XCXMLNode* made;
      if (node->mKind == EXMLKind::kElement || node->mKind == EXMLKind::kRoot) {
        made = copyElement(FromNode(node));
      } else {
        XCXMLNode* leaf = nullptr;
        switch (node->mKind) {
          case EXMLKind::kData: {
            XCXMLData* data = static_cast<XCXMLData*>(node);
            if (const char* text = data->Text()) {
              leaf = XCXMLData::NewText(heap, text, std::strlen(text));
            } else {
              IXMLCData* provider = data->Provider()->Duplicate();
              if (!provider) Quorve::ThrowNullPointer(nullptr);
              leaf = XCXMLData::NewBlock(heap, provider);
              if (!leaf) provider->Release();
            }
            break;
          }
          case EXMLKind::kComment: {
            const char* text = static_cast<XCXMLComment*>(node)->Text();
            leaf = XCXMLComment::New(heap, text, std::strlen(text));
            break;
          }
          case EXMLKind::kPI: {
            XCXMLPI* pi = static_cast<XCXMLPI*>(node);
            leaf = XCXMLPI::New(heap, pi->Target(), std::strlen(pi->Target()), pi->Data(), std::strlen(pi->Data()));
            break;
          }
          default: {
            XCXMLDocType* docType = static_cast<XCXMLDocType*>(node);
            leaf = XCXMLDocType::New(heap, docType->Key() ? table->GetKey(docType->Key()) : nullptr,
                                     docType->GetPublicId(), docType->GetSystemId(), docType->GetSubset());
            break;
          }
        }
        if (!leaf) Quorve::ThrowNullPointer(nullptr);
        made = leaf;
      }
      destination->LinkChild(made, CNodeHeap::ToRef(made), CNodeHeap::ToRef(static_cast<XCXMLElement*>(destination)));
      if (made->mKind == EXMLKind::kData) destination->MarkData();
      if (made->IsElement() && FromNode(node)->mLastChild) {
        source = FromNode(node);
        destination = FromNode(made);
        ref = At(source->mLastChild)->mNext;
        continue;
      }
      while (ref == source->mLastChild) {
        if (source == this) {
          ref = 0;
          break;
        }
        ref = CNodeHeap::ToRef(static_cast<XCXMLNode*>(source));
        source = source->Parent();
        destination = destination->Parent();
      }
      if (ref) ref = At(ref)->mNext;
    }
  } catch (...) {
    Destroy(copy);
    throw;
  }
  target->LinkChild(copy, CNodeHeap::ToRef(static_cast<XCXMLNode*>(copy)), CNodeHeap::ToRef(target));
  return copy;
}

}  // namespace QuorveXML
