// An owned block of user XML: an element carried whole and never interpreted (a
// renderer's extended data, an object's own data).
#pragma once

#include <memory>

#include "serialization/xml_add.h"
#include "serialization/xml_get.h"
#include "xml/tree.h"

namespace QvZin {

/// A new block is empty: no element until something is put in or asked for.
class CZinUserXML {
public:
  CZinUserXML();
  ~CZinUserXML();
  CZinUserXML(const CZinUserXML&) = delete;
  CZinUserXML& operator=(const CZinUserXML&) = delete;

  /// The block's element, named tag (borrowed; the owner edits it in place); an
  /// empty one is made on first use.
  QuorveXML::XIXMLElement* element(const char* tag);
  /// Replaces the block by a copy of source, renamed tag; a null source, or one
  /// without attributes and children, empties the block.
  void copyFrom(QuorveXML::XIXMLElement* source, const char* tag);
  /// True when the block holds no element.
  bool empty() const { return !mTree; }
  void resetFields();
  /// Appends a copy of the block, or an empty element tag, as the last child of out.
  void putCopy(CZinXMLAdd& out, const char* tag);

private:
  std::unique_ptr<QuorveXML::XCXMLTree> mTree;
};

/// A user-XML block as the child element tag: written as the last child so far,
/// read as a copy of the first child tag (none: empty).
struct ZinCopy {
  template <class Owner>
  void put(CZinXMLAdd& out, const char* tag, CZinUserXML& part, Owner&) const {
    part.putCopy(out, tag);
  }
  template <class Owner>
  void get(CZinXMLGet& in, const char* tag, CZinUserXML& part, Owner&) const {
    part.copyFrom(in.FindElement(tag), tag);
  }
};

}  // namespace QvZin
