// Parts through which a scene object owns other scene objects: a list of them
// (a scenario's sequences, a path's camera keys or points), a single one (an
// interpolated value's default key frame), and a value that a file sets as written
// while clients go through a setter that checks it against the owner (the index
// of an animation's current path):
//
//   P(CZinKeyFrameList, KeyFrames, "KeyFrames", ZinList("KeyFrame"))
//   P(TZinChild<CZinKeyFrame>, DefaultValue, "Default.Value", ZinChild())
//   P(TZinChild<CProperty>, Property, "Property", ZinChild().missing(kGroundWithoutProperty))
//   P(TZinStored<int32_t>, CurrentPath, "Current", ZinStored(ZinInt()))
//
// Each object of a list writes and reads its own rows; lists are read in one pass
// over the item elements, and nest only as deep as the classes do.
#pragma once

#include "ZinGeometry.h"
#include "framework/object_mgr.h"
#include "serialization/fields.h"

namespace QvZin {

// ---- the items of a list, by the kind of element

/// Element index of a list of objects or records (borrowed; index < count).
template <class C, class I, class H>
C& ZinItemAt(TZinPointerMgr<C, I, H>& list, uint32_t index) {
  return *list.itemAt(index);
}
template <class C>
C& ZinItemAt(TSimpleMgr<C>& list, uint32_t index) {
  return list.records()[index];
}

/// An object is one item element holding its rows.
template <class C>
void ZinPutItem(CZinXMLAdd& list, const char* item, C& object) {
  CZinXMLAdd one(list.AddElement(item), list);
  object.putFields(one);
}
template <class C>
void ZinGetItem(QuorveXML::XIXMLElement* element, C& object) {
  CZinXMLGet one(element);
  object.getFields(one);
}
/// A point is one item element with the attributes "X", "Y", "Z".
void ZinPutItem(CZinXMLAdd& list, const char* item, CZinPoint& point);
void ZinGetItem(QuorveXML::XIXMLElement* element, CZinPoint& point);

// ---- a list of objects

/// The objects a scene object owns in a collection of kind M, handed to clients
/// as that collection. The collection is made on first use, owned by the link
/// given to setLink (its objects warn through it).
template <class M>
class TZinList {
public:
  TZinList() = default;
  TZinList(const TZinList&) = delete;
  TZinList& operator=(const TZinList&) = delete;

  /// The collection (borrowed).
  M* list() {
    if (!mList) mList = NewZinCollection<M>(mLink);
    return mList.get();
  }
  /// The objects made from now on are owned by link (may be null). Called while
  /// the list is empty, as its owner is made: a collection already made with
  /// another owner is replaced, and what it held goes with it.
  void setLink(IZinMgrRef* link) {
    mLink = link;
    if (mList && mList->owner() != link) mList.reset();
  }
  void resetFields() {
    if (mList) mList->removeAll();
  }

  /// One item child of list per object, in order.
  void putItems(CZinXMLAdd& parent, const char* item) {
    M& objects = *list();
    const uint32_t count = objects.getCount();
    for (uint32_t i = 0; i < count; ++i) ZinPutItem(parent, item, ZinItemAt(objects, i));
  }
  /// Empties the list, then appends one object per item child of parent, in
  /// document order (other children are not read). The first failure ends the
  /// read; the objects read so far stay.
  void getItems(CZinXMLGet& parent, const char* item) {
    M& objects = *list();
    objects.removeAll();
    for (QuorveXML::XIXMLElement* e = parent.FindElement(item); e; e = e->GetNextSameElement()) {
      if (!objects.newZinObject(kZinEndOfList)) continue;
      ZinGetItem(e, ZinItemAt(objects, objects.getCount() - 1));
    }
  }

private:
  TZinComPtr<M> mList;
  IZinMgrRef* mLink = nullptr;  // borrowed: the owner holds the link
};

/// A list in its own child element tag, one item child per object. A missing
/// element reads as an empty list.
struct ZinList {
  const char* item;

  constexpr explicit ZinList(const char* itemTag) : item(itemTag) {}
  template <class M, class Owner>
  void put(CZinXMLAdd& out, const char* tag, TZinList<M>& part, Owner&) const {
    CZinXMLAdd list(out.AddElement(tag), out);
    part.putItems(list, item);
  }
  template <class M, class Owner>
  void get(CZinXMLGet& in, const char* tag, TZinList<M>& part, Owner&) const {
    QuorveXML::XIXMLElement* element = in.FindElement(tag);
    if (!element) return part.resetFields();
    CZinXMLGet list(element);
    part.getItems(list, item);
  }
};

/// A list whose items, named tag, stand straight in the current element among
/// other rows (under ZinUnder: in that element).
struct ZinItems {
  template <class M, class Owner>
  void put(CZinXMLAdd& out, const char* tag, TZinList<M>& part, Owner&) const {
    part.putItems(out, tag);
  }
  template <class M, class Owner>
  void get(CZinXMLGet& in, const char* tag, TZinList<M>& part, Owner&) const {
    part.getItems(in, tag);
  }
};

// ---- one object

/// A counted object of class C that a scene object owns whole, made on first use
/// with the link given to setLink.
template <class C>
class TZinChild {
public:
  TZinChild() = default;
  TZinChild(const TZinChild&) = delete;
  TZinChild& operator=(const TZinChild&) = delete;

  /// The object (borrowed).
  C& child() {
    if (!mChild) mChild = TZinComPtr<C>(CreateZinObject<C>(mLink));
    return *mChild;
  }
  /// As TZinList::setLink: an object made with another owner is replaced.
  void setLink(IZinMgrRef* link) {
    mLink = link;
    if (mChild && mChild->getMgrRef() != link) mChild.reset();
  }
  void resetFields() {
    if (mChild) mChild->resetFields();
  }

private:
  TZinComPtr<C> mChild;
  IZinMgrRef* mLink = nullptr;  // borrowed: the owner holds the link
};

/// The object's rows in the child element tag, which reading requires: without
/// it reading fails as the typed reader does, or with missing(text) with that text
/// (the owner's own complaint).
struct ZinChild {
  const char* missingText = nullptr;

  constexpr ZinChild missing(const char* text) const { return {text}; }
  template <class C, class Owner>
  void put(CZinXMLAdd& out, const char* tag, TZinChild<C>& part, Owner&) const {
    CZinXMLAdd inner(out.AddElement(tag), out);
    part.child().putFields(inner);
  }
  template <class C, class Owner>
  void get(CZinXMLGet& in, const char* tag, TZinChild<C>& part, Owner&) const {
    CZinXMLGet inner(missingText ? Require(in, tag, missingText) : in.GetElement(tag));
    part.child().getFields(inner);
  }
  /// The first child tag of in's element; fails with text when there is none.
  static QuorveXML::XIXMLElement* Require(CZinXMLGet& in, const char* tag, const char* text);
};

// ---- a value the file sets as written

/// A value whose client setter, written beside the field list, checks it against
/// the owner's state; a file's value is stored as written. New: T's zero.
template <class T>
struct TZinStored {
  T value{};

  void resetFields() { value = T(); }
};

/// A stored value in the value form Form.
template <class Form>
struct TZinStoredForm {
  Form form;

  template <class T, class Owner>
  void put(CZinXMLAdd& out, const char* tag, TZinStored<T>& part, Owner&) const {
    form.put(out, tag, part.value);
  }
  template <class T, class Owner>
  void get(CZinXMLGet& in, const char* tag, TZinStored<T>& part, Owner&) const {
    part.value = form.get(in, tag);
  }
};
template <class Form>
constexpr TZinStoredForm<Form> ZinStored(Form form) {
  return {form};
}

// ---- an element that holds nothing

/// An empty child element tag, always written and never read (a place other
/// programs fill). Its part is CZinBasicPart.
struct ZinEmpty {
  template <class Owner>
  void put(CZinXMLAdd& out, const char* tag, CZinBasicPart&, Owner&) const {
    out.AddElement(tag);
  }
  template <class Owner>
  void get(CZinXMLGet&, const char*, CZinBasicPart&, Owner&) const {}
};

}  // namespace QvZin
