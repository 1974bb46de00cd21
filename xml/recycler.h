// Rewriting a subtree in place.
//
// The scene writer rebuilds every collection element on every save, most often with
// the layout and many of the values it had. Destroying each old node and allocating
// each new one read and wrote every node's memory twice more than serialising it
// does. A recycler hands the old nodes back instead, in order: an element's old
// content becomes its spares, and each element, attribute or text the writer adds
// takes the next spare when it has the same name (its value rewritten in place), or
// is allocated as before when not. Spares nobody took are destroyed by Sweep.
//
// An element whose content was taken looks empty to everything else, so whatever
// fills it another way (a copy, the interface) builds what a fresh element would
// hold; recycled nodes are linked at the end, in the order the writer asks for them.
// The tree written is therefore the tree a fresh build gives, whatever the old one
// held: reuse decides only the cost.
#pragma once

#include <cstddef>
#include <vector>

#include "xml/node_heap.h"

namespace QuorveXML {

class XCXMLAttribute;
class XCXMLElement;
class XCXMLNode;

class CXMLRecycler {
public:
  CXMLRecycler() = default;
  ~CXMLRecycler() { Sweep(0); }
  CXMLRecycler(const CXMLRecycler&) = delete;
  CXMLRecycler& operator=(const CXMLRecycler&) = delete;

  /// Takes from's children and attributes as spares for owner (from may be owner),
  /// leaving from empty. Returns their handle, -1 when from held nothing (or, memory
  /// running out, when its content had to be destroyed instead).
  int Adopt(XCXMLElement* from, XCXMLElement* owner);
  /// The handle of the spares element's old content went to: at once for the element
  /// Element() returned last, else among the few latest handles (rows that share a
  /// parent element come together); -1 when there are none.
  int SparesOf(const XCXMLElement* element) const {
    return element == mLastElement ? mLastSpares : RecentSparesOf(element);
  }

  /// The next spare of handle when it (or the one after it, the first then being
  /// destroyed) is an element named key: linked at the end of the owner, its own
  /// content taken as spares (SparesOf). Null when none fits.
  XCXMLElement* Element(int handle, const char* key);
  /// The same for an attribute key, given value (length bytes). False when none fits
  /// or memory for a longer value runs out.
  bool Attribute(int handle, const char* key, const char* value, size_t length);
  /// The same for a text node holding text. False when none fits, when the owner
  /// already has data, or when memory for a longer text runs out.
  bool Text(int handle, const char* text, size_t length);

  /// Destroys the spares of handle from and every later one, and forgets them.
  void Sweep(int from) noexcept;

private:
  struct CSpares {
    XCXMLElement* owner;
    XRef nextChild, lastChild;  // nextChild 0: none left
    XRef nextAttribute, lastAttribute;
  };

  /// The node that fits at the front of s (fits(node) true), the front being
  /// destroyed when only the one after it fits; null when neither does.
  template <class Fits>
  XCXMLNode* FrontChild(CSpares& s, Fits&& fits);
  XCXMLAttribute* FrontAttribute(CSpares& s, const char* key);
  /// Unlinks the front child of s and links it at the end of its owner.
  void TakeChild(CSpares& s, XCXMLNode* node);

  int RecentSparesOf(const XCXMLElement* element) const;
  static void DestroyChild(XCXMLNode* node) noexcept;
  static void DestroyAttribute(XCXMLAttribute* attribute) noexcept;

  std::vector<CSpares> mSpares;
  const XCXMLElement* mLastElement = nullptr;
  int mLastSpares = -1;
};

}  // namespace QuorveXML
