// One row per field: how a scene object declares its fields once.
//
// A field list is an X-macro of rows, in element order. It takes two row macros:
// F for a value the object stores, P for a part it owns (a settings object, a
// list of ids, a piece of its basic data):
//
//   #define ZIN_VIEW_FIELDS(F, P) ...
//     F(int32_t,      ViewFlags, "View.Flags", 2,                       ZinInt(),   Keep())
//     F(CZinVector3D, Position,  "Position",   CZinVector3D(0, 0, 0),   ZinPoint(), Keep())
//     P(CZinViewInfo, ViewInfo,  "View.Info",  ZinPart())
//
// F columns: storage type, accessor stem (getX/setX), tag, default, element form,
// setter rule (framework/clip.h). P columns: part type, stem, tag, part form.
// ZIN_FIELDS(LIST) inside the class expands to the members with their defaults,
// the getter and setter overrides of the hand-written interface, partX() for each
// part, and putFields/getFields (write and read the rows in list order through the
// typed element writer and reader), resetFields (back to a new object's state),
// linkParts (hand the manager link to the parts) and visitFields (each row's
// description, for the tests that walk every field). Reading goes through the
// setters, so a hostile file cannot store a value that a client could not.
#pragma once

#include <cstdint>
#include <string>
#include <type_traits>
#include <utility>

#include "ZinBase.h"
#include "ZinValues.h"
#include "framework/clip.h"
#include "framework/com_base.h"
#include "framework/string.h"
#include "framework/uuid.h"
#include "serialization/xml_add.h"
#include "serialization/xml_get.h"

namespace QvZin {

/// How a field of type T crosses an interface: small values by value, texts as
/// const char*, the rest by reference.
template <class T>
struct TZinArgOf {
  using type = std::conditional_t<std::is_arithmetic<T>::value || std::is_enum<T>::value, T, const T&>;
};
template <>
struct TZinArgOf<std::string> {
  using type = const char*;
};
template <class T>
using TZinArg = typename TZinArgOf<T>::type;

/// What a getter hands out for a stored value (a text: its characters, borrowed).
template <class T>
TZinArg<T> ZinArgOf(const T& value) {
  return value;
}
inline const char* ZinArgOf(const std::string& value) { return value.c_str(); }

/// What a setter stores for its argument; a null text is stored as "".
template <class T>
T ZinStoredOf(TZinArg<T> value) {
  return static_cast<T>(value);
}
template <>
inline std::string ZinStoredOf<std::string>(const char* value) {
  return value ? value : "";
}

/// The base of the defaults that each new object draws anew (an id, the clock's
/// reading): tests can only check that they were drawn.
struct CZinDrawnAnew {};

/// The default of an id field that each new object draws anew.
struct CZinNewId : CZinDrawnAnew {
  operator CZinUUID() const { return NewZinUUID(); }
};

// ---- value forms: put(out, tag, value) and get(in, tag) -> value

/// A child element holding "%d".
/// omitZero(): the element is written only for a value other than 0, and a missing
/// one reads as 0.
struct ZinInt {
  bool omitsZero = false;

  constexpr ZinInt omitZero() const { return {true}; }
  void put(CZinXMLAdd& out, const char* tag, int32_t value) const {
    if (!omitsZero || value != 0) out.AddInteger(tag, value);
  }
  int32_t get(CZinXMLGet& in, const char* tag) const {
    return omitsZero && !in.HasElement(tag) ? 0 : in.GetInteger(tag);
  }
};

/// A child element holding "%lld".
struct ZinInt64 {
  void put(CZinXMLAdd& out, const char* tag, int64_t value) const { out.AddInteger64(tag, value); }
  int64_t get(CZinXMLGet& in, const char* tag) const { return in.GetInteger64(tag); }
};

/// A child element holding "%lf".
struct ZinDouble {
  void put(CZinXMLAdd& out, const char* tag, double value) const { out.AddDouble(tag, value); }
  double get(CZinXMLGet& in, const char* tag) const { return in.GetDouble(tag); }
};

/// A child element holding the float widened to double, "%lf".
struct ZinFloat {
  void put(CZinXMLAdd& out, const char* tag, float value) const { out.AddFloat(tag, value); }
  float get(CZinXMLGet& in, const char* tag) const { return in.GetFloat(tag); }
};

/// An empty child element present only when true.
struct ZinFlag {
  void put(CZinXMLAdd& out, const char* tag, bool value) const { out.AddBool(tag, value); }
  bool get(CZinXMLGet& in, const char* tag) const { return in.HasElement(tag); }
};

/// A child element with the attributes "R", "G", "B".
struct ZinColour {
  void put(CZinXMLAdd& out, const char* tag, const CZinColor& value) const { out.AddColor(tag, value); }
  CZinColor get(CZinXMLGet& in, const char* tag) const { return in.GetColor(tag); }
  /// The colour held by element itself.
  CZinColor read(CZinXMLGet& element) const { return element.GetColor(); }
};

/// A child element with the attributes "X", "Y", "Z".
struct ZinPoint {
  void put(CZinXMLAdd& out, const char* tag, const CZinVector3D& value) const {
    const double xyz[3] = {value.x, value.y, value.z};
    out.AddXYZ(tag, xyz);
  }
  CZinVector3D get(CZinXMLGet& in, const char* tag) const {
    CZinXMLGet element(in.GetElement(tag));
    return read(element);
  }
  /// The point held by element's own attributes.
  CZinVector3D read(CZinXMLGet& element) const;
};

/// A child element with the attributes "X", "Y".
struct ZinXY {
  void put(CZinXMLAdd& out, const char* tag, const CZinVector2D& value) const {
    const double xy[2] = {value.x, value.y};
    out.AddXY(tag, xy);
  }
  CZinVector2D get(CZinXMLGet& in, const char* tag) const {
    CZinXMLGet element(in.GetElement(tag));
    return read(element);
  }
  /// The point held by element's own attributes.
  CZinVector2D read(CZinXMLGet& element) const;
};

/// An attribute of the object's own element holding the id's 32 digits.
/// omitZero(): the attribute is written only for an id that is not all zero, and a
/// missing one reads as all zero.
struct ZinId {
  bool omitsZero = false;

  constexpr ZinId omitZero() const { return {true}; }
  void put(CZinXMLAdd& out, const char* tag, const CZinUUID& value) const {
    if (!omitsZero || !value.isNull()) out.AddUUID(tag, value);
  }
  CZinUUID get(CZinXMLGet& in, const char* tag) const {
    return omitsZero && !in.GetAttribute(tag) ? CZinUUID() : in.GetUUID(tag);
  }
};

/// A child element holding a 4 x 4 matrix, four lines of four "%lf" numbers.
struct ZinMatrix {
  void put(CZinXMLAdd& out, const char* tag, const CZinMatrix& value) const { out.AddZinMatrix(tag, value.m); }
  CZinMatrix get(CZinXMLGet& in, const char* tag) const {
    CZinMatrix value;
    in.GetZinMatrix(tag, value.m);
    return value;
  }
};

/// The "%d" time zone of the place form. Older files hold it in hours, told apart by
/// its size: below 13 in magnitude, with a sibling "Longitude" below 901, it is read
/// as hours and turned into minutes.
struct ZinTimeZone {
  void put(CZinXMLAdd& out, const char* tag, int32_t minutes) const { out.AddInteger(tag, minutes); }
  int32_t get(CZinXMLGet& in, const char* tag) const;
};

/// The "%d" year of the date form, which older files lack: theirs reads as the year
/// of a new date, this one.
struct ZinYear {
  void put(CZinXMLAdd& out, const char* tag, int32_t year) const { out.AddInteger(tag, year); }
  int32_t get(CZinXMLGet& in, const char* tag) const;
};

/// A child element whose text is the field's text; an element without text reads
/// as "".
struct ZinText {
  void put(CZinXMLAdd& out, const char* tag, const char* value) const { out.AddText(tag, value); }
  const char* get(CZinXMLGet& in, const char* tag) const { return in.GetText(tag); }
};

/// A child element whose attribute (by default "en", the name form) holds the text.
struct ZinName {
  const char* attribute = "en";

  void put(CZinXMLAdd& out, const char* tag, const char* value) const {
    CZinXMLAdd(out.AddElement(tag)).AddAttributeText(attribute, value);
  }
  const char* get(CZinXMLGet& in, const char* tag) const;
};

/// An attribute of the object's own element holding the value's label. alias adds
/// a label accepted on reading only (an older spelling), without changing the table
/// that writing and the error messages use.
struct ZinLabel {
  const CZinLabel* table;
  const char* aliasLabel = nullptr;
  int32_t aliasValue = 0;

  constexpr ZinLabel alias(const char* label, int32_t value) const { return {table, label, value}; }
  void put(CZinXMLAdd& out, const char* tag, int32_t value) const { out.AddAttributeLabel(tag, value, table); }
  int32_t get(CZinXMLGet& in, const char* tag) const;
};

/// Any form, one element further down: the row's element (or attribute) lives in
/// the child parent, which the first row of that parent creates and the others
/// reuse ("Horizontal" with "Angle" and "Step"; "Options" with "Rendering").
template <class Form>
struct TZinUnder {
  const char* parent;
  Form form;

  template <class... A>
  void put(CZinXMLAdd& out, const char* tag, A&&... args) const {
    CZinXMLAdd inner(out.ReuseElement(parent), out);
    form.put(inner, tag, std::forward<A>(args)...);
  }
  template <class... A>
  decltype(auto) get(CZinXMLGet& in, const char* tag, A&&... args) const {
    CZinXMLGet inner(in.GetElement(parent));
    return form.get(inner, tag, std::forward<A>(args)...);
  }
};
template <class Form>
constexpr TZinUnder<Form> ZinUnder(const char* parent, Form form) {
  return {parent, form};
}

/// Any value form whose element a file may lack: reading then leaves the field as
/// it was (the setter is not called).
template <class Form>
struct TZinIfPresent {
  Form form;

  template <class... A>
  void put(CZinXMLAdd& out, const char* tag, A&&... args) const {
    form.put(out, tag, std::forward<A>(args)...);
  }
  decltype(auto) get(CZinXMLGet& in, const char* tag) const { return form.get(in, tag); }
  bool present(CZinXMLGet& in, const char* tag) const { return in.HasElement(tag); }
};
template <class Form>
constexpr TZinIfPresent<Form> ZinIfPresent(Form form) {
  return {form};
}

template <class Form, class = void>
struct TZinHasPresent : std::false_type {};
template <class Form>
struct TZinHasPresent<Form, std::void_t<decltype(std::declval<const Form&>().present(
                                std::declval<CZinXMLGet&>(), std::declval<const char*>()))>> : std::true_type {};

/// Whether a row in form is to be read from in: always, unless the form says.
template <class Form>
bool ZinPresent(const Form& form, CZinXMLGet& in, const char* tag) {
  if constexpr (TZinHasPresent<Form>::value) return form.present(in, tag);
  (void)form, (void)in, (void)tag;
  return true;
}

/// Whether a value form writes with a look at the rest of its object (a value used
/// only while another row, its flag, is set): such a form says kTakesOwner and has
/// put(out, tag, value, owner).
template <class Form, class = void>
struct TZinTakesOwner : std::false_type {};
template <class Form>
struct TZinTakesOwner<Form, std::enable_if_t<Form::kTakesOwner>> : std::true_type {};

/// Writes one value row of owner in form.
template <class Form, class V, class Owner>
void ZinPutValue(const Form& form, CZinXMLAdd& out, const char* tag, const V& value, Owner& owner) {
  if constexpr (TZinTakesOwner<Form>::value)
    form.put(out, tag, value, owner);
  else
    form.put(out, tag, value), (void)owner;
}

// ---- part forms: put(out, tag, part, owner) and get(in, tag, part, owner)
//
// A part type has resetFields() (back to a new part) and, when it warns,
// setLink(link); a settings part also putFields/getFields. The owner is the
// object that holds the row, for the forms that reach its basic data.

/// A part in its own child element tag. Reading requires the element, unless
/// optional(): then a missing element gives the part of a new object.
struct ZinPart {
  bool isOptional = false;

  constexpr ZinPart optional() const { return {true}; }
  template <class Part, class Owner>
  void put(CZinXMLAdd& out, const char* tag, Part& part, Owner&) const {
    CZinXMLAdd inner(out.AddElement(tag), out);
    part.putFields(inner);
  }
  template <class Part, class Owner>
  void get(CZinXMLGet& in, const char* tag, Part& part, Owner&) const {
    QuorveXML::XIXMLElement* element = isOptional ? in.FindElement(tag) : in.GetElement(tag);
    if (!element) return part.resetFields();
    CZinXMLGet inner(element);
    part.getFields(inner);
  }
};

/// A part whose rows go straight into the owner's element (tag unused).
struct ZinInline {
  template <class Part, class Owner>
  void put(CZinXMLAdd& out, const char*, Part& part, Owner&) const {
    part.putFields(out);
  }
  template <class Part, class Owner>
  void get(CZinXMLGet& in, const char*, Part& part, Owner&) const {
    part.getFields(in);
  }
};

/// The part type of rows that hold nothing themselves: their form reads and writes
/// the owner's basic data.
struct CZinBasicPart {
  void resetFields() {}
};

/// The owner's name in the name form: child tag, attribute "en". Required on reading.
struct ZinBasicName {
  template <class Owner>
  void put(CZinXMLAdd& out, const char* tag, CZinBasicPart&, Owner& owner) const {
    out.AddLanguage(tag, owner.getName());
  }
  template <class Owner>
  void get(CZinXMLGet& in, const char* tag, CZinBasicPart&, Owner& owner) const {
    owner.setName(in.GetAttributeLanguage(tag));
  }
};

/// The owner's own id as an attribute of its element. Required on reading.
struct ZinBasicId {
  template <class Owner>
  void put(CZinXMLAdd& out, const char* tag, CZinBasicPart&, Owner& owner) const {
    out.AddUUID(tag, *owner.getId());
  }
  template <class Owner>
  void get(CZinXMLGet& in, const char* tag, CZinBasicPart&, Owner& owner) const {
    owner.setId(in.GetUUID(tag));
  }
};

/// The owner's UI value as a "%d" child element. Required on reading, unless
/// omitZero(): then written only for a value other than 0, and a missing one reads as 0.
struct ZinBasicUIValue {
  ZinInt form;

  constexpr ZinBasicUIValue omitZero() const { return {form.omitZero()}; }
  template <class Owner>
  void put(CZinXMLAdd& out, const char* tag, CZinBasicPart&, Owner& owner) const {
    form.put(out, tag, owner.getUIValue());
  }
  template <class Owner>
  void get(CZinXMLGet& in, const char* tag, CZinBasicPart&, Owner& owner) const {
    owner.setUIValue(form.get(in, tag));
  }
};

/// A multi-language text owned by its object (a shader's name): the link gives it
/// the document's current language. A new one is empty.
class CZinStringPart : public CZinString {
public:
  void setLink(IZinMgrRef* link) { setOwner(link); }
  void resetFields() { clear(); }
};

/// A multi-language text in its own child element tag, one attribute per language
/// (the two letters as its name). Reading replaces every entry; a missing element
/// reads as an empty text.
struct ZinStrings {
  template <class Owner>
  void put(CZinXMLAdd& out, const char* tag, CZinStringPart& part, Owner&) const {
    out.AddString(tag, &part);
  }
  template <class Owner>
  void get(CZinXMLGet& in, const char* tag, CZinStringPart& part, Owner&) const {
    part.clear();
    in.GetString(tag, &part);
  }
};

// ---- the part protocol

template <class Part, class = void>
struct TZinHasSetLink : std::false_type {};
template <class Part>
struct TZinHasSetLink<Part, std::void_t<decltype(std::declval<Part&>().setLink(nullptr))>> : std::true_type {};
template <class Part, class = void>
struct TZinHasParts : std::false_type {};
template <class Part>
struct TZinHasParts<Part, std::void_t<decltype(std::declval<Part&>().linkParts(nullptr))>> : std::true_type {};

/// Gives part (and the parts it holds) the manager link its warnings go through.
template <class Part>
void ZinLinkPart(Part& part, IZinMgrRef* link) {
  if constexpr (TZinHasSetLink<Part>::value) part.setLink(link);
  if constexpr (TZinHasParts<Part>::value) part.linkParts(link);
}

// ---- the expansion

#define ZIN_NO_ROW_(...)
#define ZIN_FIELD_MEMBER_(type, name, tag, def, form, rule) type m##name = def;
#define ZIN_FIELD_ACCESSORS_(type, name, tag, def, form, rule)                                          \
  ::QvZin::TZinArg<type> get##name() override { return ::QvZin::ZinArgOf(m##name); }                  \
  void set##name(::QvZin::TZinArg<type> value) override {                                             \
    m##name = (rule).apply(::QvZin::ZinStoredOf<type>(value), "set" #name, warningSink(), m##name); \
  }
#define ZIN_FIELD_PUT_(type, name, tag, def, form, rule) \
  ::QvZin::ZinPutValue(form, out, tag, ::QvZin::ZinArgOf(m##name), *this);
#define ZIN_FIELD_GET_(type, name, tag, def, form, rule) \
  if (::QvZin::ZinPresent(form, in, tag)) set##name((form).get(in, tag));
#define ZIN_FIELD_RESET_(type, name, tag, def, form, rule) m##name = def;
#define ZIN_FIELD_VISIT_(type, name, tag, def, form, rule)                                   \
  visit.template field<type>(                                                                \
      #name, tag, def, form, rule, [](auto& c) { return ::QvZin::TZinArg<type>(c.get##name()); }, \
      [](auto& c, ::QvZin::TZinArg<type> v) { c.set##name(v); });

#define ZIN_PART_MEMBER_(type, name, tag, form) type m##name;
#define ZIN_PART_ACCESSOR_(type, name, tag, form) \
  /** The part itself (borrowed). */              \
  type& part##name() { return m##name; }
#define ZIN_PART_PUT_(type, name, tag, form) (form).put(out, tag, m##name, *this);
#define ZIN_PART_GET_(type, name, tag, form) (form).get(in, tag, m##name, *this);
#define ZIN_PART_RESET_(type, name, tag, form) m##name.resetFields();
#define ZIN_PART_LINK_(type, name, tag, form) ::QvZin::ZinLinkPart(m##name, link);
#define ZIN_PART_VISIT_(type, name, tag, form) \
  visit.part(#name, tag, form, [](auto& c) -> type& { return c.part##name(); });

/// Inside a class: the rows of LIST with their accessors and element I/O. A class
/// with value rows provides warningSink() (the IZinWarning* of its manager link,
/// or null); a counted class calls linkParts(getMgrRef()) in its constructor.
#define ZIN_FIELDS(LIST)                                                                          \
 public:                                                                                          \
  LIST(ZIN_FIELD_ACCESSORS_, ZIN_PART_ACCESSOR_)                                                  \
  /** Writes the rows into out's element, in order. */                                            \
  void putFields(::QvZin::CZinXMLAdd& out) { LIST(ZIN_FIELD_PUT_, ZIN_PART_PUT_) }                \
  /** Reads the rows from in's element, in order. */                                              \
  void getFields(::QvZin::CZinXMLGet& in) { LIST(ZIN_FIELD_GET_, ZIN_PART_GET_) }                 \
  /** Every row back to what a new object holds. */                                               \
  void resetFields() { LIST(ZIN_FIELD_RESET_, ZIN_PART_RESET_) }                                  \
  /** Hands link (borrowed; may be null) to the parts. */                                         \
  void linkParts(::QvZin::IZinMgrRef* link) {                                                     \
    (void)link;                                                                                   \
    LIST(ZIN_NO_ROW_, ZIN_PART_LINK_)                                                             \
  }                                                                                               \
  /** Calls visit.field<T>(...) or visit.part(...) for each row (the tests' walk). */             \
  template <class V>                                                                              \
  static void visitFields(V&& visit) {                                                            \
    LIST(ZIN_FIELD_VISIT_, ZIN_PART_VISIT_)                                                       \
  }                                                                                               \
                                                                                                  \
 private:                                                                                         \
  LIST(ZIN_FIELD_MEMBER_, ZIN_PART_MEMBER_)                                                       \
 public:

/// The base of a settings object owned by a scene object: its interface with the
/// reserved operations, and the back-link to the manager through which its clip
/// warnings go (only while set).
template <class I>
class TZinSettings : public TZinFrontier<I> {
public:
  /// Sets or clears (null) the manager link; borrowed, the owner keeps it alive.
  /// ZinLinkPart also links the parts.
  void setLink(IZinMgrRef* link) { mLink = link; }
  IZinWarning* warningSink() const { return mLink; }

protected:
  TZinSettings() = default;
  ~TZinSettings() = default;

private:
  IZinMgrRef* mLink = nullptr;
};

}  // namespace QvZin
