// The part every node kind shares: sibling and parent links, the guard word and the
// kind. Kinds derive from their interface first and from XCXMLNode second.
//
// Links are 32-bit heap references (xml/node_heap.h). Children form a circular list:
// an element keeps its last child, whose next link is the first child, so appending
// costs the same at any length without a second field. Only a node in a list has a
// next link; a detached node has neither parent nor next.
//
// Destruction never recurses: an element takes its subtree apart with a loop that
// descends through first children and destroys each node once it is empty.
#pragma once

#include <cstdint>
#include <new>

#include "ZinXML.h"
#include "support/mine.h"
#include "xml/node_heap.h"

namespace QuorveXML {

class XCXMLElement;
class CHashKey;
class CXMLRecycler;

enum class EXMLKind : uint8_t { kElement, kRoot, kData, kComment, kPI, kDocType };

class XCXMLNode : public XIXMLNode {
public:
  // ---- XIXMLNode
  void Delete() override;
  XIXMLNode* GetNext() override;
  void SetNext(XIXMLNode* node) override;
  XIXMLPI* AsPI() override { return nullptr; }
  XIXMLComment* AsComment() override { return nullptr; }
  XIXMLDocType* AsDocType() override { return nullptr; }
  XIXMLData* AsData() override { return nullptr; }
  XIXMLElement* AsElement() override { return nullptr; }
  XIXMLElement* GetParent() override;
  void SetParent(XIXMLElement* element) override;
  int32_t GetIndex() override;

  // ---- engine
  EXMLKind Kind() const { return mKind; }
  bool IsElement() const { return mKind == EXMLKind::kElement || mKind == EXMLKind::kRoot; }
  XCXMLElement* Parent() const { return static_cast<XCXMLElement*>(CNodeHeap::ToPtr(mParent)); }
  /// The raw next link: inside a list, the last child links to the first.
  XCXMLNode* RawNext() const { return At(mNext); }
  XRef NextRef() const { return mNext; }
  XRef Ref() const { return CNodeHeap::ToRef(this); }
  const Quorve::XCMine& Mine() const { return mMine; }
  static XCXMLNode* At(XRef ref) { return static_cast<XCXMLNode*>(CNodeHeap::ToPtr(ref)); }
  /// Our node behind a client's pointer (every XIXMLNode is an XCXMLNode).
  static XCXMLNode* From(XIXMLNode* node) { return static_cast<XCXMLNode*>(node); }

  /// Destroys the node and what it holds without checking the guard word: Delete()
  /// after its check, and the teardown of a parent.
  static void Destroy(XCXMLNode* node);
  /// The start of the node's allocation (the object of its most derived class).
  void* Allocation();

  static void* operator new(size_t, void* place) noexcept { return place; }
  static void operator delete(void* p) { CNodeHeap::Free(p); }
  static void operator delete(void* p, void*) { CNodeHeap::Free(p); }

protected:
  explicit XCXMLNode(EXMLKind kind) : mKind(kind) {}
  ~XCXMLNode() override;

  /// Asks the parent to unlink this node; a failure is reported with the node's
  /// destructor message. A detached node gives back its hold on a key table.
  void Unlink() noexcept;
  /// Ends the guard word's life and returns the memory: the last step of Destroy.
  void Bury() {
    void* allocation = Allocation();
    mMine.~XCMine();
    CNodeHeap::Free(allocation);
  }

  XRef mNext = 0;
  XRef mParent = 0;
  Quorve::XCMine mMine;
  EXMLKind mKind;
  uint8_t mFlags = 0;

  friend class XCXMLElement;
  friend class CXMLRecycler;
};

// ---- texts owned by nodes
//
// A text given when a node is made sits in the node's own allocation, right after
// the object; one set later gets an allocation of its own, freed when it is replaced
// or the node dies.
namespace NodeText {

/// A separate copy of text (length bytes and a terminator); 0 when memory runs out.
XRef Copy(const char* text, size_t length);
/// Frees a text made by Copy.
inline void Free(XRef text) {
  if (text) CNodeHeap::Free(CNodeHeap::ToPtr(text));
}
inline const char* Get(XRef text) { return static_cast<const char*>(CNodeHeap::ToPtr(text)); }

}  // namespace NodeText

/// Reports an exception caught in a destructor with the class's message format.
void ReportDestructorError(const char* format) noexcept;

}  // namespace QuorveXML
