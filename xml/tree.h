// A document: the owner of one root, and through it of every node.
#pragma once

#include "xml/root.h"

namespace QuorveXML {

class XCXMLTree {
public:
  /// A document with an empty root. Throws when memory runs out.
  XCXMLTree();
  /// Destroys the whole document; failures are reported, never thrown.
  ~XCXMLTree();
  XCXMLTree(const XCXMLTree&) = delete;
  XCXMLTree& operator=(const XCXMLTree&) = delete;

  /// The root: its children are the top-level nodes. Owned by the tree.
  XCXMLRoot* GetRoot() const { return mRoot; }

private:
  XCXMLRoot* mRoot;
};

}  // namespace QuorveXML
