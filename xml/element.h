// An element: a name key, a circular list of children and a circular list of
// attributes (each list kept by its last entry). 48 bytes on 64-bit builds.
#pragma once

#include <cstddef>
#include <cstdint>

#include "xml/attribute.h"
#include "xml/node.h"

namespace QuorveXML {

class XCXMLData;
class XCXMLWriter;

class XCXMLElement : public XIXMLElement, public XCXMLNode {
public:
  /// A new detached element in the calling thread's heap; null when memory runs out.
  static XCXMLElement* New(CNodeHeap* heap, const char* key);

  // ---- XIXMLNode
  XIXMLElement* AsElement() override { return this; }
  void Write(XCXMLWriter& writer, int32_t depth) override;
  XIXMLNode* CopyTo(XIXMLElement* element) override;

  // ---- XIXMLElement
  XIXMLNode* GetNode() override { return static_cast<XCXMLNode*>(this); }
  void Write(XIXMLWriteStream* stream) override;
  const char* GetKey(const char* name) override;
  void AddNode(XIXMLNode* node) override;
  void RemoveNode(XIXMLNode* node) override;
  void MoveNode(XIXMLNode* node, XIXMLNode* before) override;
  int32_t GetNodeIndex(XIXMLNode* node) override;
  XIXMLAttribute* AddAttribute(const char* key, const char* value) override;
  void RemoveAttribute(XIXMLAttribute* attribute) override;
  XIXMLPI* AddPI(const char* target, const char* data) override;
  XIXMLComment* AddComment(const char* text) override;
  XIXMLDocType* AddDocType(const char* key, const char* publicId, const char* systemId,
                           const char* subset) override;
  XIXMLData* AddData(IXMLCData* provider) override;
  XIXMLData* AddData(const char* text) override;
  XIXMLElement* AddElement(const char* key) override;
  const char* GetKeyRef() override { return mKey; }
  void SetKey(const char* key) override;
  XIXMLData* GetData() override;
  XIXMLNode* GetFirstNode() override { return FirstChild(); }
  XIXMLElement* GetFirstElement() override;
  XIXMLElement* GetNextElement() override;
  XIXMLElement* FindElement(const char* key) override;
  XIXMLElement* GetNextSameElement() override;
  int32_t CountElements() override;
  XIXMLElement* GetElement(int32_t index) override;
  XIXMLAttribute* GetFirstAttribute() override { return FirstAttribute(); }
  XIXMLAttribute* FindAttribute(const char* key) override;
  bool HasAttributeValue(const char* key, const char* text) override;

  ~XCXMLElement() override;

  // ---- engine
  using XCXMLNode::operator new;
  using XCXMLNode::operator delete;

  const char* Key() const { return mKey; }
  XRef LastChildRef() const { return mLastChild; }
  XCXMLNode* LastChild() const { return At(mLastChild); }
  XCXMLNode* FirstChild() const { return mLastChild ? At(At(mLastChild)->mNext) : nullptr; }
  /// The child after child, null after the last.
  XCXMLNode* NextChild(const XCXMLNode* child) const {
    return CNodeHeap::ToRef(child) == mLastChild ? nullptr : At(child->mNext);
  }
  XCXMLAttribute* FirstAttribute() const {
    return mLastAttribute ? XCXMLAttribute::At(XCXMLAttribute::At(mLastAttribute)->mNext) : nullptr;
  }
  XCXMLAttribute* LastAttribute() const { return XCXMLAttribute::At(mLastAttribute); }
  XRef LastAttributeRef() const { return mLastAttribute; }
  bool HasData() const { return mFlags & kHasData; }
  static XCXMLElement* FromNode(XCXMLNode* node) { return static_cast<XCXMLElement*>(node); }
  static XCXMLElement* FromInterface(XIXMLElement* element) { return static_cast<XCXMLElement*>(element); }

  /// Appends a node made by this engine (no checks). selfRef is this element's reference.
  void LinkChild(XCXMLNode* child, XRef childRef, XRef selfRef);
  /// AddAttribute for a value whose length is known: the element writer's path, which
  /// skips the interface and the measuring. Null when memory runs out.
  XCXMLAttribute* AddAttribute(const char* key, const char* value, size_t length);
  /// Appends an attribute made by this engine (no checks).
  void LinkAttribute(XCXMLAttribute* attribute, XRef attributeRef, XRef selfRef);
  void MarkData() { mFlags |= kHasData; }
  /// Renames without checks (re-interning into another tree).
  void Rekey(const char* key) { mKey = key; }
  /// The key table of the tree this element is in: its root's, or the one a detached
  /// subtree still holds; null when there is none.
  CHashKey* FindKeyTable();
  /// Unlinks a child without any check beyond finding it; false when it is not in the list.
  bool UnlinkChild(XCXMLNode* child);
  /// Unlinks an attribute; false when it is not in the list.
  bool UnlinkAttribute(XCXMLAttribute* attribute);
  /// Destroys the attributes, then every descendant, leaving the element empty.
  void DestroyContent() noexcept;
  /// Destroy() of an element: unlink, content, memory.
  void Dispose() noexcept;

protected:
  XCXMLElement(EXMLKind kind, const char* key) : XCXMLNode(kind), mKey(key) {}

  /// Writes the start tag and, for an element without children, its end; returns
  /// true when children follow.
  bool WriteStart(XCXMLWriter& writer, int32_t depth);
  /// Writes the subtree of this element iteratively.
  void WriteTree(XCXMLWriter& writer, int32_t depth);

  static constexpr uint8_t kHasData = 1;

  XRef mLastChild = 0;
  XRef mLastAttribute = 0;
  const char* mKey;

  friend class XCXMLNode;
  friend class XCXMLRoot;
  friend class CXMLRecycler;
};

static_assert(sizeof(void*) != 8 || sizeof(XCXMLElement) == 48, "elements stay small");

}  // namespace QuorveXML
