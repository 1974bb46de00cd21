// A processing instruction: target and data, both right after the object when given
// at creation.
#pragma once

#include <cstddef>

#include "xml/node.h"

namespace QuorveXML {

class XCXMLPI final : public XIXMLPI, public XCXMLNode {
public:
  /// A new detached instruction holding copies of target and data; null when memory runs out.
  static XCXMLPI* New(CNodeHeap* heap, const char* target, size_t targetLength, const char* data,
                      size_t dataLength);

  // ---- XIXMLNode
  XIXMLPI* AsPI() override { return this; }
  void Write(XCXMLWriter& writer, int32_t depth) override;
  XIXMLNode* CopyTo(XIXMLElement* element) override;

  // ---- XIXMLPI
  XIXMLNode* GetNode() override { return static_cast<XCXMLNode*>(this); }
  const char* GetTarget() override { return Target(); }
  void SetTarget(const char* text) override;
  const char* GetData() override { return Data(); }
  void SetData(const char* text) override;

  ~XCXMLPI() override;

  // ---- engine
  using XCXMLNode::operator new;
  using XCXMLNode::operator delete;

  const char* Target() const { return NodeText::Get(mTarget); }
  const char* Data() const { return NodeText::Get(mData); }
  void Dispose() noexcept;

private:
  XCXMLPI(XRef target, XRef data) : XCXMLNode(EXMLKind::kPI), mTarget(target), mData(data) {}
  void ReleaseContent() noexcept;

  static constexpr uint8_t kSeparateTarget = 1;
  static constexpr uint8_t kSeparateData = 2;

  XRef mTarget;
  XRef mData;
};

}  // namespace QuorveXML
