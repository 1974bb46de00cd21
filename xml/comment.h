// A comment node; the text it was made with sits right after the object.
#pragma once

#include <cstddef>

#include "xml/node.h"

namespace QuorveXML {

class XCXMLComment final : public XIXMLComment, public XCXMLNode {
public:
  /// A new detached comment holding a copy of text; null when memory runs out.
  static XCXMLComment* New(CNodeHeap* heap, const char* text, size_t length);

  // ---- XIXMLNode
  XIXMLComment* AsComment() override { return this; }
  void Write(XCXMLWriter& writer, int32_t depth) override;
  XIXMLNode* CopyTo(XIXMLElement* element) override;

  // ---- XIXMLComment
  XIXMLNode* GetNode() override { return static_cast<XCXMLNode*>(this); }
  const char* GetText() override { return Text(); }
  void SetText(const char* text) override;

  ~XCXMLComment() override;

  // ---- engine
  using XCXMLNode::operator new;
  using XCXMLNode::operator delete;

  const char* Text() const { return NodeText::Get(mText); }
  void Dispose() noexcept;

private:
  explicit XCXMLComment(XRef text) : XCXMLNode(EXMLKind::kComment), mText(text) {}
  void ReleaseContent() noexcept;

  static constexpr uint8_t kSeparateText = 1;

  XRef mText;
};

}  // namespace QuorveXML
