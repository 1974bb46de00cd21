#include "serialization/user_xml.h"

#include "xml/root.h"

namespace QvZin {

using QuorveXML::XIXMLElement;

CZinUserXML::CZinUserXML() = default;
CZinUserXML::~CZinUserXML() = default;

XIXMLElement* CZinUserXML::element(const char* tag) {
  if (!mTree) {
    auto tree = std::make_unique<QuorveXML::XCXMLTree>();
    QuorveXML::XCXMLRoot* root = tree->GetRoot();
    CZinXMLAdd(root).AddElement(tag);
    mTree = std::move(tree);
  }
  return mTree->GetRoot()->GetFirstElement();
}

void CZinUserXML::copyFrom(XIXMLElement* source, const char* tag) {
  if (!source || (!source->GetFirstAttribute() && !source->GetFirstNode())) {
    mTree.reset();
    return;
  }
  // The copy is complete before the old block goes: source may lie inside it.
  auto tree = std::make_unique<QuorveXML::XCXMLTree>();
  QuorveXML::XCXMLRoot* root = tree->GetRoot();
  XIXMLElement* copy = source->GetNode()->CopyTo(root)->AsElement();
  copy->SetKey(root->GetKey(tag));
  mTree = std::move(tree);
}

void CZinUserXML::resetFields() { mTree.reset(); }

void CZinUserXML::putCopy(CZinXMLAdd& out, const char* tag) {
  if (!mTree) {
    out.AddElement(tag);
    return;
  }
  mTree->GetRoot()->GetFirstElement()->GetNode()->CopyTo(out.GetElement());
}

}  // namespace QvZin
