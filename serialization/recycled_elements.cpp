#include "serialization/recycled_elements.h"

#include <new>

#include "serialization/parts.h"
#include "xml/element.h"

namespace QvZin {

using QuorveXML::XCXMLElement;
using QuorveXML::XIXMLElement;

namespace {

// Only the library's own tree lends its nodes; the guard word of the element that
// lends is checked first, as deleting it would.
int Lend(QuorveXML::CXMLRecycler& recycler, XIXMLElement* old, XIXMLElement* fresh) {
  auto* own = dynamic_cast<XCXMLElement*>(old);
  if (!own || !dynamic_cast<XCXMLElement*>(fresh)) return -1;
  own->Mine().CheckMine();
  return recycler.Adopt(own, XCXMLElement::FromInterface(fresh));
}

}  // namespace

// The new element is made before anything old dies, so a failure to make it leaves
// the old collection as it was.
XIXMLElement* CZinRecycledList::Start(CZinXMLAdd& parent, const char* tag, XIXMLElement*& old) {
  XIXMLElement* element = parent.GetElement();
  old = element->FindElement(element->GetKey(tag));
  XIXMLElement* fresh = parent.AddElement(tag);
  if (old) {
    for (XIXMLElement* other = old->GetNextSameElement(); other != fresh;) {
      XIXMLElement* next = other->GetNextSameElement();
      other->GetNode()->Delete();
      other = next;
    }
  }
  return fresh;
}

CZinRecycledList::CZinRecycledList(CZinXMLAdd& parent, const char* tag) : mOut(Start(parent, tag, mOld), parent) {
  if (!mOld) return;
  mOut.Recycle(&mRecycler, Lend(mRecycler, mOld, mOut.GetElement()));
  mOld->GetNode()->Delete();
  mOld = nullptr;
}

CZinRecycledSiblings::CZinRecycledSiblings(XIXMLElement* parent, const char* tag) {
  try {
    for (XIXMLElement* old = parent->FindElement(parent->GetKey(tag)); old; old = old->GetNextSameElement())
      mOld.push_back(old);
  } catch (const std::bad_alloc&) {
    // No room to remember them: they go now, and the new ones are built fresh.
    mOld.clear();
    DeleteChildElements(parent, tag);
  }
}

CZinRecycledSiblings::~CZinRecycledSiblings() {
  try {
    finish();
  } catch (...) {
    // Already failing: the write reports its own error, and the next write deletes
    // what is left.
  }
}

void CZinRecycledSiblings::lend(CZinXMLAdd& item) {
  if (mNext >= mOld.size()) return;
  mLent = true;
  item.Recycle(&mRecycler, Lend(mRecycler, mOld[mNext], item.GetElement()));
}

void CZinRecycledSiblings::itemDone() {
  if (!mLent) return;
  mLent = false;
  mRecycler.Sweep(0);
  mOld[mNext++]->GetNode()->Delete();
}

void CZinRecycledSiblings::finish() {
  mRecycler.Sweep(0);
  while (mNext < mOld.size()) mOld[mNext++]->GetNode()->Delete();
}

}  // namespace QvZin
