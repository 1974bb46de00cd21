// Elements a write replaces, built from the nodes of the ones they replace.
//
// The scene writer replaces each collection element, and each object's element in
// it, on every save. Most often the new element has the layout and many of the
// values of the old one: taking the old nodes back, values rewritten in place
// (xml/recycler.h), costs a save far less memory traffic than destroying every old
// node and allocating every new one. The bytes written are those of a fresh build.
#pragma once

#include <cstddef>
#include <vector>

#include "serialization/xml_add.h"
#include "xml/recycler.h"

namespace QvZin {

/// The collection element a write fills: a new one at the end of parent, built
/// from the nodes of the old one (the first of that name; any others are deleted).
/// What an item leaves of the old item's nodes dies with itemDone(), what the
/// collection leaves with finish() (or the destructor, when a write fails half way).
class CZinRecycledList {
public:
  CZinRecycledList(CZinXMLAdd& parent, const char* tag);
  CZinRecycledList(const CZinRecycledList&) = delete;
  CZinRecycledList& operator=(const CZinRecycledList&) = delete;

  /// The writer of the new collection element.
  CZinXMLAdd& writer() { return mOut; }
  /// Destroys what the item just written left of its old nodes.
  void itemDone() { mRecycler.Sweep(1); }
  /// Destroys what is left of the old collection element.
  void finish() { mRecycler.Sweep(0); }

private:
  static QuorveXML::XIXMLElement* Start(CZinXMLAdd& parent, const char* tag, QuorveXML::XIXMLElement*& old);

  QuorveXML::CXMLRecycler mRecycler;
  QuorveXML::XIXMLElement* mOld = nullptr;
  CZinXMLAdd mOut;
};

/// Elements tag directly under parent, one per object (no collection element):
/// the new ones are appended by the caller, and the n-th lends the nodes of the
/// n-th old one. Every old one is gone once finish() (or the destructor) has run.
class CZinRecycledSiblings {
public:
  CZinRecycledSiblings(QuorveXML::XIXMLElement* parent, const char* tag);
  ~CZinRecycledSiblings();
  CZinRecycledSiblings(const CZinRecycledSiblings&) = delete;
  CZinRecycledSiblings& operator=(const CZinRecycledSiblings&) = delete;

  /// Lends the next old element's nodes to item, a new element just appended.
  void lend(CZinXMLAdd& item);
  /// Destroys what item left of them, and the old element.
  void itemDone();
  /// Deletes the old elements no item took.
  void finish();

private:
  QuorveXML::CXMLRecycler mRecycler;
  std::vector<QuorveXML::XIXMLElement*> mOld;
  size_t mNext = 0;
  bool mLent = false;
};

}  // namespace QvZin
