// One row per field: how a scene object declares its fields once.
//
// A field list is an X-macro of rows, in element order:
//
//   #define ZIN_FOG_FIELDS(F) ...
//     F(bool,      Active,  "Active",  false,                  ZinFlag(),   Keep())
//     F(CZinColor, Color,   "Color",   CZinColor(221,221,221), ZinColour(), Keep())
//     F(double,    Density, "Density", 0.5,                    ZinDouble(), Keep())
//
// Columns: storage type, accessor stem (getX/setX), tag, default, element form,
// setter rule (framework/clip.h). ZIN_FIELDS(LIST) inside the class expands to the
// members with their defaults, the getter and setter overrides of the hand-written
// interface, and putFields/getFields, which write and read the fields in list order
// through the typed element writer and reader. Tests expand the same list to walk
// every field. Reading goes through the setter, so a hostile file cannot store a
// value that a client could not.
#pragma once

#include <cstdint>
#include <type_traits>

#include "ZinBase.h"
#include "ZinValues.h"
#include "framework/clip.h"
#include "framework/com_base.h"
#include "serialization/xml_add.h"
#include "serialization/xml_get.h"

namespace QvZin {

/// How a field of type T crosses an interface: small values by value, the rest by reference.
template <class T>
using TZinArg = std::conditional_t<std::is_arithmetic<T>::value || std::is_enum<T>::value, T, const T&>;

// ---- element forms

/// A child element holding "%d".
struct ZinInt {
  void put(CZinXMLAdd& out, const char* tag, int32_t value) const { out.AddInteger(tag, value); }
  int32_t get(CZinXMLGet& in, const char* tag) const { return in.GetInteger(tag); }
};

/// A child element holding "%lf".
struct ZinDouble {
  void put(CZinXMLAdd& out, const char* tag, double value) const { out.AddDouble(tag, value); }
  double get(CZinXMLGet& in, const char* tag) const { return in.GetDouble(tag); }
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

// ---- the expansion

#define ZIN_FIELD_MEMBER_(type, name, tag, def, form, rule) type m##name = def;
#define ZIN_FIELD_ACCESSORS_(type, name, tag, def, form, rule)                  \
  ::QvZin::TZinArg<type> get##name() override { return m##name; }              \
  void set##name(::QvZin::TZinArg<type> value) override {                     \
    m##name = (rule).apply(static_cast<type>(value), "set" #name, warningSink()); \
  }
#define ZIN_FIELD_PUT_(type, name, tag, def, form, rule) (form).put(out, tag, m##name);
#define ZIN_FIELD_GET_(type, name, tag, def, form, rule) set##name((form).get(in, tag));

/// Inside a class: the fields of LIST with their accessors and element I/O. The
/// class provides warningSink() (the IZinWarning* of its manager link, or null).
#define ZIN_FIELDS(LIST)                                 \
 public:                                                 \
  LIST(ZIN_FIELD_ACCESSORS_)                             \
  /** Writes the fields into out's element, in order. */ \
  void putFields(::QvZin::CZinXMLAdd& out) { LIST(ZIN_FIELD_PUT_) } \
  /** Reads the fields from in's element, in order. */   \
  void getFields(::QvZin::CZinXMLGet& in) { LIST(ZIN_FIELD_GET_) } \
                                                         \
 private:                                                \
  LIST(ZIN_FIELD_MEMBER_)                                \
 public:

/// The base of a settings object owned by a scene object: its interface with the
/// reserved operations, and the back-link to the manager through which its clip
/// warnings go (only while set).
template <class I>
class TZinSettings : public TZinFrontier<I> {
public:
  /// Sets or clears (null) the manager link; borrowed, the owner keeps it alive.
  void setLink(IZinMgrRef* link) { mLink = link; }
  IZinWarning* warningSink() const { return mLink; }

protected:
  TZinSettings() = default;
  ~TZinSettings() = default;

private:
  IZinMgrRef* mLink = nullptr;
};

}  // namespace QvZin
