// Parts that field lists hold beside their values, each with the form that places
// it in an element: a list of ids, an optional value, a fixed array of values; and the rows of a flagged value.
//
//   P(CZinIdList,                 LightsGroups,  "Lights.Groups", ZinIds("Light"))
//   P(TZinOptional<CZinVector3D>, UpVector,      "Up",            ZinOptional(ZinPoint()))
//   P(CZinAxesPositions,          AxesPositions, "AxesPositions", ZinArray("Vector2D", ZinXY()))
// (a type with a comma, as TZinArray<CZinVector2D, 4>, takes an alias first).
#pragma once

#include <array>
#include <cstddef>

#include "framework/object_mgr.h"
#include "framework/uuid_x.h"
#include "serialization/fields.h"

namespace QvZin {

// ---- a list of ids

/// Ids an object refers to (the light groups a view uses...), handed to clients as
/// a collection. A new list is empty.
class CZinIdList {
public:
  using List = TObjectMgr<CZinUUIDX, CZinUUID>;

  CZinIdList();
  CZinIdList(const CZinIdList&) = delete;
  CZinIdList& operator=(const CZinIdList&) = delete;

  /// The collection (borrowed). Its index warnings go through the link.
  List* ids() const { return mIds.get(); }
  /// The ids move to a collection owned by link (may be null: no warnings).
  void setLink(IZinMgrRef* link);
  void resetFields() { mIds->removeAll(); }

  /// One item child per id, in order, carrying it in "UUID".
  void putIds(CZinXMLAdd& list, const char* item);
  /// Empties the list, then appends the "UUID" of every item child in document
  /// order (other children are not read). A child without "UUID" fails with
  /// "CZinXMLGet::GetUUID - NULL ptr for tag UUID".
  void getIds(CZinXMLGet& list, const char* item);

private:
  TZinComPtr<List> mIds;
};

/// A list of ids in its own child element tag, one item child per id. A missing
/// element reads as an empty list.
struct ZinIds {
  const char* item;

  constexpr explicit ZinIds(const char* itemTag) : item(itemTag) {}
  template <class Owner>
  void put(CZinXMLAdd& out, const char* tag, CZinIdList& part, Owner&) const {
    CZinXMLAdd list(out.AddElement(tag), out);
    part.putIds(list, item);
  }
  template <class Owner>
  void get(CZinXMLGet& in, const char* tag, CZinIdList& part, Owner&) const {
    QuorveXML::XIXMLElement* element = in.FindElement(tag);
    if (!element) return part.resetFields();
    CZinXMLGet list(element);
    part.getIds(list, item);
  }
};

// ---- a value that may be unset

/// A value with a flag that says whether it was ever set; a new one is unset.
template <class T>
struct TZinOptional {
  T value{};
  bool isSet = false;

  void set(const T& v) {
    value = v;
    isSet = true;
  }
  void resetFields() {
    value = T();
    isSet = false;
  }
};

/// An optional value in the value form Form: written only when set; read as set
/// exactly when its element is there.
template <class Form>
struct TZinOptionalForm {
  Form form;

  template <class T, class Owner>
  void put(CZinXMLAdd& out, const char* tag, TZinOptional<T>& part, Owner&) const {
    if (part.isSet) form.put(out, tag, part.value);
  }
  template <class T, class Owner>
  void get(CZinXMLGet& in, const char* tag, TZinOptional<T>& part, Owner&) const {
    if (in.HasElement(tag))
      part.set(form.get(in, tag));
    else
      part.resetFields();
  }
};
template <class Form>
constexpr TZinOptionalForm<Form> ZinOptional(Form form) {
  return {form};
}

// ---- a value used only while its flag is set

/// The two rows of a value that counts only while its flag is set (a mapping's
/// cut-out colours): name##Flag, a bool (new: false), and name, of type (new: its
/// zero), each with its getter and setter. One element tag, in form, is written only
/// while the flag is set; a file's flag is that element's presence, and without it
/// the value reads as new.
///   ZIN_FLAGGED(F, CZinColor, CutOut1, "CutOut1", ZinColour())
#define ZIN_FLAGGED(F, type, name, tag, form)                                                               \
  F(bool, name##Flag, tag, false, ZinPresence(), Keep())                                                    \
  F(type, name, tag, type(), ZinFlagged(form, [](auto& owner) { return owner.get##name##Flag(); }), Keep())

/// The flag row of a flagged value: no element of its own; read as whether the
/// value's element is there.
struct ZinPresence {
  void put(CZinXMLAdd&, const char*, bool) const {}
  bool get(CZinXMLGet& in, const char* tag) const { return in.HasElement(tag); }
};

/// The value row of a flagged value, in the value form Form; flag(owner) tells
/// whether it is written.
template <class Form, class Flag>
struct TZinFlaggedForm {
  static constexpr bool kTakesOwner = true;
  Form form;
  Flag flag;

  template <class V, class Owner>
  void put(CZinXMLAdd& out, const char* tag, const V& value, Owner& owner) const {
    if (flag(owner)) form.put(out, tag, value);
  }
  auto get(CZinXMLGet& in, const char* tag) const -> std::decay_t<decltype(form.get(in, tag))> {
    if (!in.HasElement(tag)) return {};
    return form.get(in, tag);
  }
};
template <class Form, class Flag>
constexpr TZinFlaggedForm<Form, Flag> ZinFlagged(Form form, Flag flag) {
  return {form, flag};
}

// ---- a fixed array of values reached by index

/// Sends "<operation>: <complaint>" through sink, when there is one.
void SendIndexWarning(IZinWarning* sink, const char* operation, const char* complaint = "index out of range");

/// N values reached by index; new values are zero. An array whose new values are
/// others derives from it and hides resetFields (and sets them in its constructor).
template <class T, size_t N>
struct TZinArray {
  std::array<T, N> values{};

  /// Value index; outside [0, N) it warns "<getter>: <complaint>" and gives the zero
  /// value.
  const T& get(int32_t index, const char* getter, IZinWarning* sink,
               const char* complaint = "index out of range") const {
    static const T kZero{};
    if (index >= 0 && static_cast<size_t>(index) < N) return values[static_cast<size_t>(index)];
    SendIndexWarning(sink, getter, complaint);
    return kZero;
  }
  /// Stores value at index; outside [0, N) it warns "<setter>: <complaint>" and
  /// changes nothing.
  void set(int32_t index, const T& value, const char* setter, IZinWarning* sink,
           const char* complaint = "index out of range") {
    if (index >= 0 && static_cast<size_t>(index) < N)
      values[static_cast<size_t>(index)] = value;
    else
      SendIndexWarning(sink, setter, complaint);
  }
  void resetFields() { values.fill(T()); }
};

/// An array in its own child element tag, one item child per value in the value
/// form Form (which reads an item from the item's own attributes). Reading takes
/// the first N item children in one pass; values without a child keep a new
/// array's values.
template <class Form>
struct TZinArrayForm {
  const char* item;
  Form form;

  template <class Part, class Owner>
  void put(CZinXMLAdd& out, const char* tag, Part& part, Owner&) const {
    CZinXMLAdd list(out.AddElement(tag), out);
    for (const auto& value : part.values) form.put(list, item, value);
  }
  template <class Part, class Owner>
  void get(CZinXMLGet& in, const char* tag, Part& part, Owner&) const {
    CZinXMLGet list(in.GetElement(tag));
    part.resetFields();
    size_t i = 0;
    for (QuorveXML::XIXMLElement* e = list.FindElement(item); e && i < part.values.size();
         e = e->GetNextSameElement(), ++i) {
      CZinXMLGet one(e);
      part.values[i] = form.read(one);
    }
  }
};
template <class Form>
constexpr TZinArrayForm<Form> ZinArray(const char* item, Form form) {
  return {item, form};
}

// ---- an object placed alone under a parent

/// Deletes every child tag of parent, in one pass over the siblings.
void DeleteChildElements(QuorveXML::XIXMLElement* parent, const char* tag);

/// Where an object that no list holds sits under its parent: one child tag, which
/// replaces what an earlier write left, also under an older name that reading still
/// accepts ("Backgroung").
struct CZinPlacement {
  const char* tag;
  const char* oldTag = nullptr;

  /// Deletes every tag and oldTag child of parent, then appends tag holding part's rows.
  template <class Part>
  void put(CZinXMLAdd& parent, Part& part) const {
    DeleteChildElements(parent.GetElement(), tag);
    if (oldTag) DeleteChildElements(parent.GetElement(), oldTag);
    CZinXMLAdd out(parent.AddElement(tag), parent);
    part.putFields(out);
  }
  /// Reads part from the first tag child of parent, else from the first oldTag
  /// child. False, and part untouched, when there is neither.
  template <class Part>
  bool get(CZinXMLGet& parent, Part& part) const {
    QuorveXML::XIXMLElement* element = parent.FindElement(tag);
    if (!element && oldTag) element = parent.FindElement(oldTag);
    if (!element) return false;
    CZinXMLGet in(element);
    part.getFields(in);
    return true;
  }
};

}  // namespace QvZin
