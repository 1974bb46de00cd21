// A custom node: the client's own XML in a private document, and any children,
// all written in its "Childs". Custom nodes are never copied.
#pragma once

#include "materials/node_kinds.h"
#include "serialization/user_xml.h"

namespace QvZin {

/// The node's private document: its element "Custom.Data", whose attribute "Class"
/// names the client's kind of data. A new one's "Class" is "Unknown".
class CZinCustomData {
public:
  CZinCustomData() { resetFields(); }
  CZinCustomData(const CZinCustomData&) = delete;
  CZinCustomData& operator=(const CZinCustomData&) = delete;

  /// Where the warnings go (borrowed, may be null).
  void setLink(IZinMgrRef* link) { mLink = link; }
  /// A fresh "Custom.Data" with "Class" "Unknown".
  void resetFields();
  /// The element (borrowed).
  QuorveXML::XIXMLElement* element() { return mXML.element(kTag); }
  const char* getClass();
  void setClass(const char* text);
  void put(CZinXMLAdd& out) { mXML.putCopy(out, kTag); }
  /// A copy of in's "Custom.Data"; without one, the warning
  /// "ICustomNode::initWithXML - invalid parameter" and a fresh one.
  void get(CZinXMLGet& in);

  static constexpr const char* kTag = "Custom.Data";

private:
  CZinUserXML mXML;
  IZinMgrRef* mLink = nullptr;
};

/// The custom data as the node's child "Custom.Data" (tag unused).
struct ZinCustomData {
  template <class Owner>
  void put(CZinXMLAdd& out, const char*, CZinCustomData& part, Owner&) const {
    part.put(out);
  }
  template <class Owner>
  void get(CZinXMLGet& in, const char*, CZinCustomData& part, Owner&) const {
    part.get(in);
  }
};

#define ZIN_CUSTOM_FIELDS(F, P) P(CZinCustomData, CustomData, "Custom.Data", ZinCustomData())

class CCustomNode final : public TZinNodeKind<CCustomNode, ICustomNode> {
  ZIN_FIELDS(ZIN_CUSTOM_FIELDS)

  explicit CCustomNode(IZinMgrRef* owner) : TZinNodeKind(owner) { linkParts(owner); }

  QuorveXML::XIXMLElement* getCustomData() override { return mCustomData.element(); }
  const char* getClass() override { return mCustomData.getClass(); }
  void setClass(const char* text) override { mCustomData.setClass(text); }
};

}  // namespace QvZin
