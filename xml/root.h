// The document root: an element without a name whose children are the top-level
// nodes (processing instructions, comments, the document type and the top-level
// element). It owns the key table of its tree and writes the whole document.
#pragma once

#include "xml/element.h"
#include "xml/hash_key.h"

namespace QuorveXML {

class XCXMLRoot final : public XCXMLElement {
public:
  /// A new root with an empty key table. Throws "Can't allocate key hash table." or
  /// "exception (pointer is NULL)" when memory runs out.
  static XCXMLRoot* New();

  // ---- XIXMLNode
  /// The tree owns its root: deleting it through the node fails the assertion.
  void Delete() override;
  void Write(XCXMLWriter& writer, int32_t depth) override;

  // ---- XIXMLElement
  void Write(XIXMLWriteStream* stream) override;
  const char* GetKey(const char* name) override { return mTable->GetKey(name); }

  ~XCXMLRoot() override;

  // ---- engine
  CHashKey* Table() const { return mTable; }
  /// Destroys the root and the document (the tree's destructor).
  void Dispose() noexcept;

private:
  explicit XCXMLRoot(CHashKey* table) : XCXMLElement(EXMLKind::kRoot, nullptr), mTable(table) {}

  CHashKey* mTable;
};

}  // namespace QuorveXML
