#include "materials/tce.h"

#include <cstring>

#include "materials/node_kinds.h"
#include "materials/node_tree.h"
#include "support/raise.h"

namespace QvZin {

std::string NormalisedShaderURL(std::string url) {
  if (url == "file:///" || url == "file://" || url == "file:///noshader") url.clear();
  return url;
}

CZinTCE::CZinTCE(IZinMgrRef* owner) : TTCENode<IRootNode>(owner) { linkParts(owner); }

ITCENode* CZinTCE::createNode(ETCENodeType kind) {
  if (kind == eRootNode) {
    WarnThrough(owner(), "CZinTCE::createNode - eRootNode node cannot be created");
    return nullptr;
  }
  const CZinNodeKind* row = FindNodeKind(kind);
  if (!row || !row->make) {
    WarnThrough(owner(), "CZinTCE::createNode - Unknown node type");
    return nullptr;
  }
  try {
    ITCENode* node = row->make(owner())->asInterface();
    node->AddRef();
    return node;
  } catch (...) {
    return nullptr;
  }
}

void CZinTCE::setTopNode(ITCENode* node) {
  while (childCount() > 0) dropChild(childCount() - 1);
  // Not appendChild: a read must not succeed with its node silently dropped.
  if (CTCENode* top = From(node)) adopt(top);
}

// ---- the property's hold

void CZinGraph::setLink(IZinMgrRef* link) {
  if (!mTCE) mTCE.reset(CreateZinObject<CZinTCE>(link));
}

void CZinGraph::resetFields() {
  if (!mTCE) return;
  mTCE->resetFields();
  mTCE->setTopNode(nullptr);
}

CZinTCE& CZinGraph::tce() const {
  Quorve::CheckPointer(mTCE.get(), "Property root is NULL");
  return *mTCE;
}

void ZinGraph::Put(CZinXMLAdd& out, CZinGraph& part) {
  CZinTCE& graph = part.tce();
  graph.putFields(out);
  if (CTCENode* top = graph.topNode()) PutNodeTree(out.AddElement("Node"), *top);
}

void ZinGraph::Get(CZinXMLGet& in, CZinGraph& part) {
  CZinTCE& graph = part.tce();
  graph.getFields(in);
  QuorveXML::XIXMLElement* element = in.FindElement("Node");
  if (!element) return graph.setTopNode(nullptr);
  CZinNodeReading reading(graph.owner());
  TZinComPtr<ITCENode> top = GetNodeTree(element, reading);
  Quorve::CheckAssertion(top.get() != nullptr, "Can't root's child");
  graph.setTopNode(top.get());
}

}  // namespace QvZin
