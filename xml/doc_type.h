// A document type declaration: name key, optional public and system identifiers and
// an optional internal subset (the texts given at creation sit after the object).
#pragma once

#include <cstddef>

#include "xml/node.h"

namespace QuorveXML {

class XCXMLDocType final : public XIXMLDocType, public XCXMLNode {
public:
  /// A new detached declaration holding copies of the texts (each may be null); null
  /// when memory runs out.
  static XCXMLDocType* New(CNodeHeap* heap, const char* key, const char* publicId, const char* systemId,
                           const char* subset);

  // ---- XIXMLNode
  XIXMLDocType* AsDocType() override { return this; }
  void Write(XCXMLWriter& writer, int32_t depth) override;
  XIXMLNode* CopyTo(XIXMLElement* element) override;

  // ---- XIXMLDocType
  XIXMLNode* GetNode() override { return static_cast<XCXMLNode*>(this); }
  const char* GetKeyRef() override { return mKey; }
  void SetKey(const char* key) override;
  const char* GetPublicId() override { return NodeText::Get(mTexts[kPublic]); }
  void SetPublicId(const char* text) override { Replace(kPublic, text); }
  const char* GetSystemId() override { return NodeText::Get(mTexts[kSystem]); }
  void SetSystemId(const char* text) override { Replace(kSystem, text); }
  const char* GetSubset() override { return NodeText::Get(mTexts[kSubset]); }
  void SetSubset(const char* text) override { Replace(kSubset, text); }

  ~XCXMLDocType() override;

  // ---- engine
  using XCXMLNode::operator new;
  using XCXMLNode::operator delete;

  const char* Key() const { return mKey; }
  void Rekey(const char* key) { mKey = key; }
  void Dispose() noexcept;

private:
  enum { kPublic, kSystem, kSubset };
  explicit XCXMLDocType(const char* key) : XCXMLNode(EXMLKind::kDocType), mKey(key) {}
  void Replace(int which, const char* text);
  void ReleaseContent() noexcept;

  const char* mKey;
  XRef mTexts[3] = {0, 0, 0};
};

}  // namespace QuorveXML
