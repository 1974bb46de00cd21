#include "scene/object_kinds.h"

#include "xml/root.h"

namespace QvZin {

using QuorveXML::XIXMLAttribute;
using QuorveXML::XIXMLElement;
using QuorveXML::XIXMLNode;

namespace {

bool Skipped(XIXMLNode* node, const CZinKindTags& tags) {
  XIXMLElement* element = node->AsElement();
  return element && tags.has(element->GetKeyRef());
}

void CopyNodes(XIXMLNode* node, XIXMLElement* target, const CZinKindTags& tags) {
  for (; node; node = node->GetNext())
    if (!Skipped(node, tags)) node->CopyTo(target);
}

}  // namespace

bool HoldsOthers(XIXMLElement* element, const CZinKindTags& tags) {
  for (XIXMLAttribute* a = element->GetFirstAttribute(); a; a = a->GetNext())
    if (!tags.has(a->GetKeyRef())) return true;
  for (XIXMLNode* node = element->GetFirstNode(); node; node = node->GetNext())
    if (!Skipped(node, tags)) return true;
  return false;
}

void CopyOthers(XIXMLElement* source, XIXMLElement* target, const CZinKindTags& tags) {
  for (XIXMLAttribute* a = source->GetFirstAttribute(); a; a = a->GetNext())
    if (!tags.has(a->GetKeyRef())) target->AddAttribute(target->GetKey(a->GetKeyRef()), a->GetValue());
  CopyNodes(source->GetFirstNode(), target, tags);
}

bool OthersFollow(XIXMLElement* after, const CZinKindTags& tags) {
  for (XIXMLNode* node = after ? after->GetNode()->GetNext() : nullptr; node; node = node->GetNext())
    if (!Skipped(node, tags)) return true;
  return false;
}

void CopyOthersAfter(XIXMLElement* after, XIXMLElement* target, const CZinKindTags& tags) {
  if (after) CopyNodes(after->GetNode()->GetNext(), target, tags);
}

}  // namespace QvZin
