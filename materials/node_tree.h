// Whole node trees: writing one into an element, reading one back, copying one.
// Each walks the tree with its own stack, so a file's nesting costs memory in
// proportion to the file, never the thread's stack.
#pragma once

#include <unordered_map>

#include "ZinComPtr.h"
#include "framework/uuid.h"
#include "materials/tce_node.h"

namespace QvZin {

/// The most levels of nodes a tree may have in an element, the top node's counted.
/// Finding a child element by name costs the element's depth in the document (the
/// name's key is looked up from the top), so a deeper tree would cost its square;
/// real materials stay far below. Writing refuses the same trees as reading, so what
/// is written reads back.
constexpr int kZinMaxNodeDepth = 100;

/// What the readers of one node tree share: the owner its new nodes get, and the
/// nodes read so far by id, for kinds whose elements name other nodes of the same
/// tree. A node counts as read once its content is.
class CZinNodeReading {
public:
  /// owner is the link the new nodes warn through (borrowed, may be null).
  explicit CZinNodeReading(IZinMgrRef* owner) : mOwner(owner) {}

  IZinMgrRef* owner() const { return mOwner; }
  /// The node read so far that bears id (the latest of several), or null. Borrowed:
  /// the tree being read holds it.
  CTCENode* find(const CZinUUID& id) const;
  void remember(CTCENode* node) { mRead[node->id()] = node; }

private:
  IZinMgrRef* mOwner;
  std::unordered_map<CZinUUID, CTCENode*, CZinUUIDHash> mRead;
};

/// Writes node into element: attribute "Id", element "UI.Value", an empty "Shader"
/// when the flag is set, attribute "Type", the kind's content, then the sub-nodes
/// where the kind's row places them, each the same way. A tree deeper than
/// kZinMaxNodeDepth fails with "Node tree deeper than 100 levels".
void PutNodeTree(QuorveXML::XIXMLElement* element, CTCENode& node);

/// The node held by element with all the sub-nodes under it, with one reference.
/// Empty when its "Type" is "Root" (no node of that kind is made alone); a "Root"
/// below it fails with "CZinTCE::createNode - eRootNode node cannot be created".
/// A tree deeper than kZinMaxNodeDepth fails with "Node tree deeper than 100
/// levels". Every element failure throws as the typed reader does, and nothing is kept.
TZinComPtr<ITCENode> GetNodeTree(QuorveXML::XIXMLElement* element, CZinNodeReading& reading);

/// A deep copy of node with the same ids, shader flags and UI values, its nodes
/// owned by owner (borrowed, may be null). A null node throws "Node is NULL"; a
/// node anywhere in the tree that cannot be copied (a custom node, the root, a node
/// not made by this library) throws "Node is unknown".
TZinComPtr<ITCENode> CopyNodeTree(ITCENode* node, IZinMgrRef* owner);

}  // namespace QvZin
