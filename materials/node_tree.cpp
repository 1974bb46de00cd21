#include "materials/node_tree.h"

#include <utility>
#include <vector>

#include "materials/node_kinds.h"
#include "support/raise.h"

namespace QvZin {

using QuorveXML::XIXMLElement;

CTCENode* CZinNodeReading::find(const CZinUUID& id) const {
  auto found = mRead.find(id);
  return found == mRead.end() ? nullptr : found->second;
}

namespace {

constexpr const char* kTooDeep = "Node tree deeper than 100 levels";
static_assert(kZinMaxNodeDepth == 100, "the message names the depth");

}  // namespace

// ---- writing

void PutNodeTree(XIXMLElement* element, CTCENode& top) {
  struct CPending {
    XIXMLElement* element;
    CTCENode* node;
    int depth;
  };
  std::vector<CPending> stack{{element, &top, 1}};
  while (!stack.empty()) {
    const auto [at, node, depth] = stack.back();
    stack.pop_back();
    if (depth > kZinMaxNodeDepth) Quorve::ThrowError(kTooDeep);
    CZinXMLAdd out(at);
    out.AddUUID("Id", node->id());
    out.AddInteger("UI.Value", node->asInterface()->getUIValue());  // the graph's own, for a root
    out.AddBool("Shader", node->shader());
    out.AddAttributeLabel("Type", node->type(), kTCENodeTypes);
    node->putContent(out);
    // Each sub-node's element is made here, in its place; its content comes when the
    // stack reaches it.
    const CZinSubNodes& sub = FindNodeKind(node->type())->subNodes;
    const uint32_t count = node->childCount();
    if (sub.first && count > 0) stack.push_back({out.AddElement(sub.first), node->childAt(0), depth + 1});
    if (sub.second && count > 1) stack.push_back({out.AddElement(sub.second), node->childAt(1), depth + 1});
    if (sub.list) {
      CZinXMLAdd list(out.AddElement(sub.list), out);
      for (uint32_t i = 0; i < count; ++i) stack.push_back({list.AddElement("Node"), node->childAt(i), depth + 1});
    }
  }
}

// ---- reading

namespace {

// A new node of the kind that element's "Type" names, with its header read; empty
// for a root.
TZinComPtr<ITCENode> NewNodeOf(XIXMLElement* element, CZinNodeReading& reading) {
  CZinXMLGet in(element);
  const CZinNodeKind* kind = FindNodeKind(in.GetAttributeLabel("Type", kTCENodeTypes));
  if (!kind || !kind->make) return TZinComPtr<ITCENode>();
  TZinComPtr<ITCENode> made(kind->make(reading.owner())->asInterface());
  CTCENode* node = CTCENode::From(made.get());
  node->setNodeId(in.GetUUID("Id"));
  node->setNodeUIValue(in.GetInteger("UI.Value"));
  node->setNodeShader(in.HasElement("Shader"));
  return made;
}

struct CPendingNode {
  XIXMLElement* element;
  CTCENode* node;
  int depth;
};

// Makes the node of a sub-node element and attaches it to parent at once, so that
// the children keep the order of their elements.
CPendingNode SubNode(XIXMLElement* element, const CPendingNode& parent, CZinNodeReading& reading) {
  if (parent.depth >= kZinMaxNodeDepth) Quorve::ThrowError(kTooDeep);
  TZinComPtr<ITCENode> made = NewNodeOf(element, reading);
  if (!made) throw std::runtime_error("CZinTCE::createNode - eRootNode node cannot be created");
  CTCENode* node = CTCENode::From(made.get());
  parent.node->adopt(node);
  return {element, node, parent.depth + 1};
}

}  // namespace

TZinComPtr<ITCENode> GetNodeTree(XIXMLElement* element, CZinNodeReading& reading) {
  TZinComPtr<ITCENode> top = NewNodeOf(element, reading);
  if (!top) return top;
  std::vector<CPendingNode> stack{{element, CTCENode::From(top.get()), 1}};
  std::vector<CPendingNode> found;
  while (!stack.empty()) {
    const CPendingNode at = stack.back();
    stack.pop_back();
    CZinXMLGet in(at.element);
    at.node->getContent(in, reading);
    reading.remember(at.node);
    const CZinSubNodes& sub = FindNodeKind(at.node->type())->subNodes;
    found.clear();
    for (const char* tag : {sub.first, sub.second})
      if (XIXMLElement* child = tag ? in.FindElement(tag) : nullptr) found.push_back(SubNode(child, at, reading));
    if (XIXMLElement* list = sub.list ? in.FindElement(sub.list) : nullptr) {
      const char* key = list->GetKey("Node");
      for (XIXMLElement* child = list->FindElement(key); child; child = child->GetNextSameElement())
        found.push_back(SubNode(child, at, reading));
    }
    // Reversed onto the stack: the sub-nodes' contents are read in document order.
    stack.insert(stack.end(), found.rbegin(), found.rend());
  }
  return top;
}

// ---- copying

namespace {

TZinComPtr<ITCENode> CopyOne(CTCENode* from, IZinMgrRef* owner) {
  const CZinNodeKind* kind = from ? FindNodeKind(from->type()) : nullptr;
  if (!kind || !kind->copyable || !kind->make) Quorve::ThrowError("Node is unknown");
  TZinComPtr<ITCENode> made(kind->make(owner)->asInterface());
  CTCENode* node = CTCENode::From(made.get());
  node->copyContent(*from);
  node->setNodeId(from->id());
  node->setNodeUIValue(from->uiValue());
  node->setNodeShader(from->shader());
  return made;
}

}  // namespace

TZinComPtr<ITCENode> CopyNodeTree(ITCENode* source, IZinMgrRef* owner) {
  if (!source) Quorve::ThrowError("Node is NULL");
  CTCENode* top = CTCENode::From(source);
  TZinComPtr<ITCENode> copy = CopyOne(top, owner);
  std::vector<std::pair<CTCENode*, CTCENode*>> stack{{top, CTCENode::From(copy.get())}};
  while (!stack.empty()) {
    auto [from, to] = stack.back();
    stack.pop_back();
    for (uint32_t i = 0; i < from->childCount(); ++i) {
      TZinComPtr<ITCENode> child = CopyOne(from->childAt(i), owner);
      CTCENode* made = CTCENode::From(child.get());
      to->adopt(made);
      stack.emplace_back(from->childAt(i), made);
    }
  }
  return copy;
}

}  // namespace QvZin
