// A data node: a text (written escaped) or a block provider (written as a CDATA
// block while the document is written). The text or the provider pointer sits right
// after the object.
#pragma once

#include <cstddef>

#include "xml/node.h"

namespace QuorveXML {

class XCXMLData final : public XIXMLData, public XCXMLNode {
public:
  /// A new detached text node holding a copy of text (length bytes); null when memory runs out.
  static XCXMLData* NewText(CNodeHeap* heap, const char* text, size_t length);
  /// A new detached block node holding provider; null when memory runs out.
  static XCXMLData* NewBlock(CNodeHeap* heap, IXMLCData* provider);

  // ---- XIXMLNode
  XIXMLData* AsData() override { return this; }
  void Write(XCXMLWriter& writer, int32_t depth) override;
  XIXMLNode* CopyTo(XIXMLElement* element) override;

  // ---- XIXMLData
  XIXMLNode* GetNode() override { return static_cast<XCXMLNode*>(this); }
  const char* GetText() override;
  void SetText(const char* text) override;
  void Scan(const char* format, void* out) override;
  __attribute__((format(printf, 2, 3))) void Format(const char* format, ...) override;

  ~XCXMLData() override;

  // ---- engine
  using XCXMLNode::operator new;
  using XCXMLNode::operator delete;

  /// The text, null for a block node.
  const char* Text() const { return NodeText::Get(mText); }
  /// The provider of a block node, null for a text node.
  IXMLCData* Provider() const { return mText ? nullptr : *reinterpret_cast<IXMLCData* const*>(this + 1); }
  void Dispose() noexcept;

private:
  explicit XCXMLData(XRef text) : XCXMLNode(EXMLKind::kData), mText(text) {}
  void ReleaseContent() noexcept;

  static constexpr uint8_t kSeparateText = 1;

  XRef mText;

  friend class CXMLRecycler;
};

static_assert(sizeof(void*) != 8 || sizeof(XCXMLData) == 40, "data nodes stay small");

}  // namespace QuorveXML
