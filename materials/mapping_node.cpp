#include "materials/mapping_node.h"

#include "materials/node_tree.h"
#include "support/raise.h"

namespace QvZin {

void CMappingNode::putContent(CZinXMLAdd& out) {
  putFields(out);
  out.AddUUID("MappingNode.Id", id());
  CZinUUID parentId;
  if (ITCENode* parent = lockParent()) {
    if (parent->getType() == eMappingNode) parentId = parent->getId();
    parent->Release();
  }
  out.AddUUID("MappingNode.Parent.Id", parentId);
}

void CMappingNode::getContent(CZinXMLGet& in, CZinNodeReading& reading) {
  setNodeId(GetMappingNode(in, reading));
  getFields(in);
}

CZinUUID GetMappingNode(CZinXMLGet& in, const CZinNodeReading& reading) {
  if (in.GetAttributeLabel("Type", kTCENodeTypes) != eMappingNode)
    Quorve::ThrowError("CZinXMLIO::GetMappingNode : xml node is not a mapping node");
  const char* idText = in.GetAttribute("MappingNode.Id");
  const CZinUUID id = idText ? CZinUUID::fromText(idText) : CZinUUID();
  if (id.isNull()) Quorve::ThrowError("CZinXMLIO::GetMappingNode - nodeId is NULL");
  const char* parentText = in.GetAttribute("MappingNode.Parent.Id");
  const CZinUUID parentId = parentText ? CZinUUID::fromText(parentText) : CZinUUID();
  if (!parentId.isNull()) {
    CTCENode* parent = reading.find(parentId);
    if (!parent || parent->type() != eMappingNode)
      Quorve::ThrowError("CZinXMLIO::GetMappingNode - ParentId refered by child before we meet the parent");
  }
  return id;
}

}  // namespace QvZin
