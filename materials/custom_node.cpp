#include "materials/custom_node.h"

#include "framework/basic_data.h"

namespace QvZin {

using QuorveXML::XIXMLAttribute;
using QuorveXML::XIXMLElement;

namespace {

XIXMLAttribute* ClassOf(XIXMLElement* element) { return element->FindAttribute(element->GetKey("Class")); }

}  // namespace

void CZinCustomData::resetFields() {
  mXML.resetFields();
  XIXMLElement* data = element();
  data->AddAttribute(data->GetKey("Class"), "Unknown");
}

const char* CZinCustomData::getClass() {
  XIXMLAttribute* attribute = ClassOf(element());
  if (!attribute) WarnThrough(mLink, "ICustomNode::getClass - data integrity failed");
  return attribute ? attribute->GetValue() : nullptr;
}

void CZinCustomData::setClass(const char* text) {
  XIXMLAttribute* attribute = ClassOf(element());
  if (!attribute) return WarnThrough(mLink, "ICustomNode::setClass - data integrity failed");
  attribute->SetValue(text ? text : "");
}

void CZinCustomData::get(CZinXMLGet& in) {
  XIXMLElement* source = in.FindElement(kTag);
  if (!source) {
    WarnThrough(mLink, "ICustomNode::initWithXML - invalid parameter");
    return resetFields();
  }
  mXML.copyFrom(source, kTag);
}

}  // namespace QvZin
