// The generic walk of a field list: every class declared with ZIN_FIELDS gets,
// from the rows its class expands (visitFields), tests of its defaults, of each
// setter rule at, inside and just outside its bounds with the exact warning (with
// and without a manager link), a round trip through a document with every row away
// from its default, a read of the default element into an object whose rows were
// all moved, which must give a new object, and for a flagged value, that one moved
// while its flag is unset is not written and reads back as new. Parts are walked with their owner:
// a settings part row by row, the other kinds (id lists, optional values, arrays,
// user XML, basic data) as a whole.
//
// A test names its class once, with the exact element a new object writes (the
// element's name is taken from it):
//   ZIN_FIELD_WALK(CZinFog, "<Fog>...</Fog>")
// Defaults that each new object draws anew (CZinNewId, the clock's date), an owned
// object's included, are written as zeros there.
#pragma once

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <memory>
#include <string>
#include <type_traits>
#include <vector>

#include "framework/recording_link.h"
#include "framework/scene_object.h"
#include "serialization/fields.h"
#include "serialization/object_parts.h"
#include "serialization/parts.h"
#include "serialization/user_xml.h"
#include "test_support.h"
#include "xml/root.h"
#include "xml/tree.h"

namespace QvZinTest {

using namespace QvZin;

inline std::string ToText(bool v) { return v ? "true" : "false"; }
inline std::string ToText(int32_t v) { return std::to_string(v); }
inline std::string ToText(int64_t v) { return std::to_string(v); }
inline std::string ToText(double v) { return std::to_string(v); }
inline std::string ToText(float v) { return std::to_string(v); }
inline std::string ToText(const std::string& v) { return "\"" + v + "\""; }
inline std::string ToText(const CZinColor& c) {
  return std::to_string(c.red) + "/" + std::to_string(c.green) + "/" + std::to_string(c.blue);
}
inline std::string ToText(const CZinVector3D& v) { return ToText(v.x) + "/" + ToText(v.y) + "/" + ToText(v.z); }
inline std::string ToText(const CZinVector2D& v) { return ToText(v.x) + "/" + ToText(v.y); }
inline std::string ToText(const CZinMatrix& matrix) {
  std::string text;
  for (double v : matrix.m) text += ToText(v) + " ";
  return text;
}
inline std::string ToText(const CZinUUID& id) {
  char text[33];
  id.toText(text);
  return text;
}

// ---- a value away from the default that the rule lets through

template <class T>
T Away(T def, const ZinFlag&) {
  return !def;
}
inline CZinColor Away(const CZinColor& def, const ZinColour&) {
  return CZinColor(static_cast<uint8_t>(def.red + 1), static_cast<uint8_t>(def.green + 2),
                   static_cast<uint8_t>(def.blue + 3));
}
inline int32_t Away(int32_t def, const ZinLabel& form) {
  for (const CZinLabel* row = form.table; row->label; ++row)
    if (row->value != def) return row->value;
  return def;
}
inline CZinVector3D Away(const CZinVector3D& def, const ZinPoint&) {
  return CZinVector3D(def.x + 0.75, def.y - 1.5, def.z + 2.25);
}
inline CZinMatrix Away(const CZinMatrix& def, const ZinMatrix&) {
  CZinMatrix away = def;
  for (int i = 0; i < 16; ++i) away.m[i] += 0.25 * (i + 1);
  return away;
}
inline CZinVector2D Away(const CZinVector2D& def, const ZinXY&) { return CZinVector2D(def.x + 0.5, def.y - 1.25); }
inline CZinUUID Away(const CZinUUID& def, const ZinId&) {
  const CZinUUID away = CZinUUID::fromText("0123456789ABCDEF0123456789ABCDEF");
  return def == away ? CZinUUID::fromText("FEDCBA9876543210FEDCBA9876543210") : away;
}
// A zone in minutes that no older file's hours could give.
inline int32_t Away(int32_t def, const ZinTimeZone&) { return def + 120; }
inline std::string Away(const std::string& def, const ZinText&) { return def + "away <&> text"; }
inline std::string Away(const std::string& def, const ZinName&) { return def + "away \"name\""; }
template <class T, class Form>
T Away(T def, const Form&) {
  return def + (std::is_floating_point<T>::value ? T(0.75) : T(3));
}
template <class T, class F>
T Away(const T& def, const TZinUnder<F>& form) {
  return Away(def, form.form);
}
template <class T, class F>
T Away(const T& def, const TZinIfPresent<F>& form) {
  return Away(def, form.form);
}
inline bool Away(bool def, const ZinPresence&) { return !def; }
template <class T, class F, class G>
T Away(const T& def, const TZinFlaggedForm<F, G>& form) {
  return Away(def, form.form);
}
template <class Form>
struct IsFlagged : std::false_type {};
template <class F, class G>
struct IsFlagged<TZinFlaggedForm<F, G>> : std::true_type {};

template <class T, class Rule>
T Within(T value, const Rule&) {
  return value;
}
template <class T, class B>
T Within(T value, const TZinClip<B>& rule) {
  if (rule.hasHigh() && value > static_cast<T>(rule.high())) value = static_cast<T>(rule.high());
  if (rule.hasLow() && value < static_cast<T>(rule.low())) value = static_cast<T>(rule.low());
  return value;
}
template <class T, class A, class B>
T Within(T value, const TZinThen<A, B>& rule) {
  return Within(Within(value, rule.mFirst), rule.mSecond);
}

/// A value away from the default that the rule stores as it is: above the default,
/// or below it when the default sits on the rule's upper bound.
template <class T, class Form, class Rule>
T AwayWithin(const T& def, const Form& form, const Rule& rule) {
  T away = Within(Away(def, form), rule);
  if constexpr (std::is_arithmetic<T>::value && !std::is_same<T, bool>::value)
    if (away == def) away = Within(static_cast<T>(def - (Away(def, form) - def)), rule);
  return away;
}

// ---- the probes of a rule

template <class T>
struct Probe {
  T input;
  T stored;                           // with a manager link
  T storedDetached;                   // without one (never a warning)
  std::vector<std::string> warnings;  // with a link
};

/// What a rule stores for an input, and the warnings it sends, worked out from the
/// rule's description (not by applying it), with a manager link or without one.
template <class T>
struct Outcome {
  T stored;
  std::vector<std::string> warnings;
};

/// The rules that Expect can tell the outcome of.
template <class Rule>
struct Modelled : std::false_type {};
template <>
struct Modelled<TZinKeep> : std::true_type {};
template <class B>
struct Modelled<TZinClip<B>> : std::true_type {};
template <class B>
struct Modelled<TZinZeroBecomes<B>> : std::true_type {};
template <class A, class B>
struct Modelled<TZinThen<A, B>> : std::integral_constant<bool, Modelled<A>::value && Modelled<B>::value> {};

template <class T>
Outcome<T> Expect(const TZinKeep&, T input, bool, const std::string&) {
  return {input, {}};
}
template <class T, class B>
Outcome<T> Expect(const TZinClip<B>& rule, T input, bool attached, const std::string& setter) {
  if (rule.onlyWhileAttached() && !attached) return {input, {}};
  const bool below = rule.hasLow() && input < static_cast<T>(rule.low());
  const bool above = !below && rule.hasHigh() && input > static_cast<T>(rule.high());
  if (!below && !above) return {input, {}};
  const T bound = static_cast<T>(below ? rule.low() : rule.high());
  Outcome<T> outcome{rule.hasFallback() ? static_cast<T>(rule.fallback()) : bound, {}};
  if (!attached || !rule.warnsWhenClipping()) return outcome;
  if (rule.fixedText())
    outcome.warnings.push_back(rule.fixedText());
  else
    outcome.warnings.push_back(std::string(rule.prefixText() ? rule.prefixText() : "") + "Method " +
                               (rule.namedSetter() ? rule.namedSetter() : setter) +
                               " has clipped a value out of range.");
  return outcome;
}
template <class T, class B>
Outcome<T> Expect(const TZinZeroBecomes<B>& rule, T input, bool, const std::string&) {
  return {input == T(0) ? static_cast<T>(rule.mReplacement) : input, {}};
}
template <class T, class A, class B>
Outcome<T> Expect(const TZinThen<A, B>& rule, T input, bool attached, const std::string& setter) {
  Outcome<T> first = Expect(rule.mFirst, input, attached, setter);
  Outcome<T> second = Expect(rule.mSecond, first.stored, attached, setter);
  first.warnings.insert(first.warnings.end(), second.warnings.begin(), second.warnings.end());
  return {second.stored, first.warnings};
}

/// The inputs that try a rule: each bound, just inside and just outside it.
template <class T, class Rule>
std::vector<T> Inputs(const Rule&) {
  return {};
}
template <class T, class B>
std::vector<T> Inputs(const TZinClip<B>& rule) {
  const T step = std::is_floating_point<T>::value ? T(0.001) : T(1);
  std::vector<T> inputs;
  if (rule.hasLow()) {
    const T low = static_cast<T>(rule.low());
    inputs.insert(inputs.end(), {low, T(low + step), T(low - step)});
  }
  if (rule.hasHigh()) {
    const T high = static_cast<T>(rule.high());
    inputs.insert(inputs.end(), {high, T(high - step), T(high + step)});
  }
  return inputs;
}
template <class T, class B>
std::vector<T> Inputs(const TZinZeroBecomes<B>&) {
  std::vector<T> inputs{T(0), T(1)};
  if (std::is_signed<T>::value) inputs.push_back(T(-1));
  return inputs;
}
template <class T, class A, class B>
std::vector<T> Inputs(const TZinThen<A, B>& rule) {
  std::vector<T> inputs = Inputs<T>(rule.mFirst);
  const std::vector<T> second = Inputs<T>(rule.mSecond);
  inputs.insert(inputs.end(), second.begin(), second.end());
  return inputs;
}

template <class T, class Rule>
std::vector<Probe<T>> Probes(const Rule& rule, const std::string& setter) {
  std::vector<Probe<T>> probes;
  if constexpr (Modelled<Rule>::value) {
    for (const T& input : Inputs<T>(rule)) {
      const Outcome<T> attached = Expect(rule, input, true, setter);
      const Outcome<T> detached = Expect(rule, input, false, setter);
      probes.push_back({input, attached.stored, detached.stored, attached.warnings});
    }
  }
  return probes;
}

// ---- one row, seen through its accessors

template <class C>
struct FieldCheck {
  std::string name;
  std::function<void(C&)> checkDefault;
  std::function<void(C&)> normalise;  // fresh ids to zero, as the default text shows them
  std::function<void(C& attached, C& detached, RecordingLink&)> checkRule;
  std::function<void(C&)> setAway;
  std::function<void(C&, C&)> compare;
  std::function<void(C& moved, C& fresh)> checkMoved;
  std::function<void(C& lone)> checkAlone;  // a value moved while its flag is unset
};

template <class C>
struct TChecks;

template <class P, class = void>
struct HasRows : std::false_type {};
template <class P>
struct HasRows<P, std::void_t<decltype(&P::putFields)>> : std::true_type {};

template <class F>
const F& InnerForm(const F& form) {
  return form;
}
template <class F>
const auto& InnerForm(const TZinUnder<F>& form) {
  return InnerForm(form.form);
}

inline std::string TextOf(QuorveXML::XIXMLElement* element) {
  CStringWriteStream stream;
  element->Write(&stream);
  return stream.mText;
}

/// A document whose top element "Owner" receives what tests write.
struct Document {
  QuorveXML::XCXMLTree tree;
  QuorveXML::XIXMLElement* owner;
  Document() : owner(tree.GetRoot()->AddElement(tree.GetRoot()->GetKey("Owner"))) {}
};

// What a part that is not row by row looks like, as text; and how to move it.
inline std::string PartText(CZinIdList& part) {
  std::string text;
  for (uint32_t i = 0; i < part.ids()->getCount(); ++i) text += ToText(*part.ids()->getZinObject(i)) + " ";
  return text;
}
inline void MoveAway(CZinIdList& part) {
  *part.ids()->newZinObject(kZinEndOfList) = CZinUUID::fromText("11111111111111111111111111111111");
  *part.ids()->newZinObject(kZinEndOfList) = CZinUUID::fromText("2222222222222222222222222222222A");
}
template <class T>
std::string PartText(TZinOptional<T>& part) {
  return part.isSet ? ToText(part.value) : "unset";
}
template <class T, class F>
void MoveAway(TZinOptional<T>& part, const TZinOptionalForm<F>& form) {
  part.set(Away(T(), form.form));
}
template <class T, size_t N>
std::string PartText(TZinArray<T, N>& part) {
  std::string text;
  for (const T& value : part.values) text += ToText(value) + " ";
  return text;
}
template <class T, size_t N, class F>
void MoveAway(TZinArray<T, N>& part, const TZinArrayForm<F>& form) {
  T value{};
  for (T& slot : part.values) slot = value = Away(value, form.form);
}
inline std::string PartText(CZinUserXML& part) {
  Document document;
  CZinXMLAdd out(document.owner);
  part.putCopy(out, "Block");
  return TextOf(document.owner);
}
inline void MoveAway(CZinUserXML& part, const char* tag) {
  QuorveXML::XIXMLElement* block = part.element(tag);
  QuorveXML::XIXMLElement* setting = block->AddElement(block->GetKey("Setting"));
  setting->AddAttribute(setting->GetKey("Key"), "value & more");
  setting->AddData("text");
}
inline std::string PartText(CZinString& part) {
  std::string text;
  for (uint32_t i = 0; i < part.getCount(); ++i) {
    const uint32_t code = part.getLanguageAt(i);
    text += std::to_string(code) + "=" + part.get(code) + " ";
  }
  return text;
}
inline void MoveAway(CZinStringPart& part, const ZinStrings&) {
  part.set(ZinLanguageCode("en"), "away <text>");
  part.set(ZinLanguageCode("fr"), "loin \"texte\"");
}
template <class C>
std::string PartText(C& owner, const ZinBasicName&) {
  return owner.getName();
}
template <class C>
std::string PartText(C& owner, const ZinBasicId&) {
  return ToText(*owner.getId());
}
template <class C>
std::string PartText(C& owner, const ZinBasicUIValue&) {
  return ToText(owner.getUIValue());
}
// A form of the owner's id (ZinBasicId, or one that reads it otherwise).
template <class C, class Form>
void Normalise(C& owner, const Form&) {
  if constexpr (std::is_base_of<ZinBasicId, Form>::value) owner.setId(CZinUUID());
}
template <class C>
void MoveAway(C& owner, const ZinBasicName&) {
  owner.setName("away <name>");
}
template <class C>
void MoveAway(C& owner, const ZinBasicId&) {
  owner.setId(CZinUUID::fromText("ABCDEF0123456789ABCDEF0123456789"));
}
template <class C>
void MoveAway(C& owner, const ZinBasicUIValue&) {
  owner.setUIValue(owner.getUIValue() + 41);
}

// Parts that own objects: moved by adding (or changing) objects with every row away.
template <class C>
std::vector<FieldCheck<C>> ChecksOf();
template <class C>
void MoveEveryRow(C& object) {
  for (const auto& check : ChecksOf<C>()) check.setAway(object);
}
inline void MoveEveryRow(CZinPoint& point) { point = CZinPoint{1.5, -2.25, 3e6}; }
template <class M, class Form>
void MoveAway(TZinList<M>& part, const Form&) {
  M& list = *part.list();
  for (int i = 0; i < 2; ++i)
    if (list.newZinObject(kZinEndOfList)) MoveEveryRow(ZinItemAt(list, list.getCount() - 1));
}
template <class C, class Form>
void MoveAway(TZinChild<C>& part, const Form&) {
  MoveEveryRow(part.child());
}
// An owned object's ids drawn anew become zero, as the default text shows them.
template <class Part>
void NormalisePart(Part&) {}
template <class C>
void NormalisePart(TZinChild<C>& part) {
  for (const auto& check : ChecksOf<C>()) check.normalise(part.child());
}
template <class T, class F>
void MoveAway(TZinStored<T>& part, const TZinStoredForm<F>& form) {
  part.value = Away(T(), form.form);
}

/// The text that form writes of a part, for the parts without a PartText.
template <class C, class Form, class Part>
std::string FormText(C& owner, const Form& form, const char* tag, Part& part) {
  Document document;
  CZinXMLAdd out(document.owner);
  form.put(out, tag, part, owner);
  return TextOf(document.owner);
}
template <class Part, class = void>
struct HasPartText : std::false_type {};
template <class Part>
struct HasPartText<Part, std::void_t<decltype(PartText(std::declval<Part&>()))>> : std::true_type {};

/// Collects the checks of C's rows (the visitor of visitFields).
template <class C>
struct TChecks {
  std::vector<FieldCheck<C>> checks;

  // Each row's accessors are captureless lambdas of their own type; they are turned
  // into plain function pointers here so that the checks below are compiled once per
  // kind of row (value type, form, rule), not once per row: the walks of the largest
  // classes otherwise take minutes and gigabytes to compile.
  template <class T, class D, class Form, class Rule, class Get, class Set>
  void field(const char* name, const char* tag, const D& rawDefault, const Form& form, const Rule& rule, Get get, Set set) {
    // A default drawn anew for each object can only be checked for being drawn.
    constexpr Drawn drawn = std::is_same<D, CZinNewId>::value       ? Drawn::kNewId
                            : std::is_base_of<CZinDrawnAnew, D>::value ? Drawn::kAnew
                                                                     : Drawn::kFixed;
    using Got = decltype(get(std::declval<C&>()));
    addField<T>(name, tag, static_cast<T>(rawDefault), drawn, form, rule, static_cast<Got (*)(C&)>(get),
                static_cast<void (*)(C&, TZinArg<T>)>(set));
  }

  enum class Drawn { kFixed, kAnew, kNewId };

  template <class T, class Form, class Rule, class Got>
  void addField(const char* name, const char* tag, const T def, Drawn drawn, const Form& form, const Rule& rule,
                Got (*get)(C&), void (*set)(C&, TZinArg<T>)) {
    FieldCheck<C> check;
    check.name = name;
    check.checkDefault = [=](C& c) {
      if (drawn == Drawn::kNewId) {
        if constexpr (std::is_same<T, CZinUUID>::value) {
          EXPECT_FALSE(T(get(c)).isNull()) << name;
        }
      } else if (drawn == Drawn::kFixed) {
        EXPECT_EQ(ToText(def), ToText(T(get(c)))) << name;
      }
    };
    check.normalise = [=](C& c) {
      if (drawn != Drawn::kFixed) set(c, ZinArgOf(T()));
    };
    check.checkRule = [=](C& attached, C& detached, RecordingLink& link) {
      for (const Probe<T>& p : Probes<T>(rule, std::string("set") + name)) {
        set(attached, ZinArgOf(p.input));
        EXPECT_EQ(ToText(p.stored), ToText(T(get(attached)))) << name << " <- " << ToText(p.input);
        EXPECT_EQ(p.warnings, link.take())
            << name << " <- " << ToText(p.input);
        set(detached, ZinArgOf(p.input));
        EXPECT_EQ(ToText(p.storedDetached), ToText(T(get(detached)))) << name << " (no link) <- " << ToText(p.input);
        EXPECT_TRUE(link.take().empty()) << name;
      }
    };
    check.setAway = [=](C& c) { set(c, ZinArgOf(AwayWithin(def, form, rule))); };
    check.compare = [=](C& a, C& b) { EXPECT_EQ(ToText(T(get(a))), ToText(T(get(b)))) << name; };
    check.checkMoved = [=](C& c, C& freshObject) {
      EXPECT_NE(ToText(T(get(freshObject))), ToText(T(get(c)))) << name << " kept its default";
    };
    if constexpr (IsFlagged<Form>::value) {
      // Moved while its flag is unset, the value is not written, and reads back as new.
      check.checkAlone = [=](C& lone) {
        ASSERT_FALSE(form.flag(lone)) << name;
        set(lone, ZinArgOf(AwayWithin(def, form, rule)));
        Document document;
        CZinXMLAdd out(document.owner);
        lone.putFields(out);
        EXPECT_EQ(std::string::npos, TextOf(document.owner).find("<" + std::string(tag))) << name;
        CZinXMLGet in(document.owner);
        lone.getFields(in);
        EXPECT_EQ(ToText(def), ToText(T(get(lone)))) << name;
      };
    }
    checks.push_back(std::move(check));
  }

  template <class Form, class Access>
  void part(const char* name, const char* tag, const Form& form, Access accessRow) {
    using Part = std::remove_reference_t<decltype(accessRow(std::declval<C&>()))>;
    Part& (*access)(C&) = accessRow;
    if constexpr (HasRows<Part>::value) {
      // A settings part: its own rows, reached through the owner.
      TChecks<Part> inner;
      Part::visitFields(inner);
      for (const FieldCheck<Part>& s : inner.checks) {
        FieldCheck<C> check;
        check.name = std::string(name) + "." + s.name;
        check.checkDefault = [s, access](C& c) { s.checkDefault(access(c)); };
        check.normalise = [s, access](C& c) { s.normalise(access(c)); };
        check.checkRule = [s, access](C& a, C& d, RecordingLink& link) { s.checkRule(access(a), access(d), link); };
        check.setAway = [s, access](C& c) { s.setAway(access(c)); };
        check.compare = [s, access](C& a, C& b) { s.compare(access(a), access(b)); };
        check.checkMoved = [s, access](C& c, C& f) { s.checkMoved(access(c), access(f)); };
        checks.push_back(std::move(check));
      }
    } else {
      partAsWhole<Part>(name, tag, form, access);
    }
  }

  // A part of another kind, compared and moved as a whole.
  template <class Part, class Form>
  void partAsWhole(const char* name, const char* tag, const Form& form, Part& (*access)(C&)) {
    const auto inner = InnerForm(form);
    std::function<std::string(C&)> text;
    std::function<void(C&)> away;
    std::function<void(C&)> normalise = [](C&) {};
    if constexpr (std::is_same<std::decay_t<decltype(inner)>, ZinEmpty>::value) {
      return;  // holds nothing; the default element shows it
    } else if constexpr (std::is_same<Part, CZinBasicPart>::value) {
      text = [inner](C& c) { return PartText(c, inner); };
      away = [inner](C& c) { MoveAway(c, inner); };
      normalise = [inner](C& c) { Normalise(c, inner); };
    } else if constexpr (!HasPartText<Part>::value) {
      // Lists, owned objects and the like: by their form's text; MoveAway is
      // found for the part's type (here, or beside the class's test).
      text = [access, form, tag](C& c) { return FormText(c, form, tag, access(c)); };
      away = [access, inner](C& c) { MoveAway(access(c), inner); };
      normalise = [access](C& c) { NormalisePart(access(c)); };
    } else {
      text = [access](C& c) { return PartText(access(c)); };
      if constexpr (std::is_same<Part, CZinIdList>::value)
        away = [access](C& c) { MoveAway(access(c)); };
      else if constexpr (std::is_same<Part, CZinUserXML>::value)
        away = [access, tag](C& c) { MoveAway(access(c), tag); };
      else
        away = [access, inner](C& c) { MoveAway(access(c), inner); };
    }
    FieldCheck<C> check;
    check.name = name;
    check.checkDefault = [](C&) {};  // the default element shows it
    check.normalise = normalise;
    check.checkRule = [](C&, C&, RecordingLink&) {};
    check.setAway = away;
    check.compare = [text, name](C& a, C& b) { EXPECT_EQ(text(a), text(b)) << name; };
    check.checkMoved = [text, name](C& c, C& f) { EXPECT_NE(text(f), text(c)) << name << " kept its default"; };
    checks.push_back(std::move(check));
  }
};

/// The checks of every row of C.
template <class C>
std::vector<FieldCheck<C>> ChecksOf() {
  TChecks<C> collect;
  C::visitFields(collect);
  return collect.checks;
}

/// One object of C, attached to link or not: a counted scene object made with it,
/// or a settings object linked to it.
template <class C>
class Subject {
  static constexpr bool kCounted = std::is_constructible<C, IZinMgrRef*>::value;

public:
  explicit Subject(IZinMgrRef* link) {
    if constexpr (kCounted) {
      mCounted = CreateZinObject<C>(link);
      mCounted->AddRef();
    } else {
      mPlain = std::make_unique<C>();
      ZinLinkPart(*mPlain, link);
    }
  }
  ~Subject() {
    if constexpr (kCounted) mCounted->Release();
  }
  Subject(const Subject&) = delete;
  Subject& operator=(const Subject&) = delete;
  C& operator*() { return mPlain ? *mPlain : *mCounted; }

private:
  C* mCounted = nullptr;
  std::unique_ptr<C> mPlain;
};

/// Writes object's rows into a new element tag of document and returns it.
template <class C>
QuorveXML::XIXMLElement* WriteRows(Document& document, const char* tag, C& object) {
  CZinXMLAdd owner(document.owner);
  CZinXMLAdd out(owner.AddElement(tag));
  object.putFields(out);
  return out.GetElement();
}

/// Reads object's rows from element.
template <class C>
void ReadRows(QuorveXML::XIXMLElement* element, C& object) {
  CZinXMLGet in(element);
  object.getFields(in);
}

/// The element C's entry points write into (and read from): the one they are given,
/// or its child of C's entry tag.
template <class C>
constexpr const char* entryTag() {
  return TZinEntryTag<C>::value;
}

/// A scene object's element entry points, the client's way to the same rows: a new
/// object writes the default element into a fresh one, the moved element reads back
/// into a new object, a null element throws.
template <class C>
void WalkEntryPoints(const std::vector<FieldCheck<C>>& checks, const std::string& tag,
                     const std::string& defaultText, C& fresh, C& original, QuorveXML::XIXMLElement* moved) {
  IZinBasicData& written = fresh;
  Document entry;
  // At the depth of the default element: the writer indents by depth.
  QuorveXML::XIXMLElement* holder =
      entryTag<C>() ? entry.owner : entry.owner->AddElement(entry.owner->GetKey(tag.c_str()));
  EXPECT_EQ(kZinOk, written.putInXML(holder));
  EXPECT_EQ(defaultText, TextOf(entryTag<C>() ? holder->GetFirstElement() : holder));

  Subject<C> copy(nullptr);
  IZinBasicData& read = *copy;
  EXPECT_EQ(kZinOk, read.initWithXML(moved));
  for (const auto& check : checks) check.compare(original, *copy);

  EXPECT_EQ("exception (pointer is NULL)", ErrorOf([&] { written.putInXML(nullptr); }));
  EXPECT_EQ("exception (pointer is NULL)", ErrorOf([&] { read.initWithXML(nullptr); }));
}

template <class C>
void WalkFields(const std::vector<FieldCheck<C>>& checks, const std::string& defaultText) {
  const std::string tag = defaultText.substr(1, defaultText.find_first_of(" \t\n/>") - 1);
  Subject<C> fresh(nullptr);
  for (const auto& check : checks) check.checkDefault(*fresh);
  for (const auto& check : checks) check.normalise(*fresh);
  Document defaults;
  QuorveXML::XIXMLElement* defaultElement = WriteRows(defaults, tag.c_str(), *fresh);
  EXPECT_EQ(defaultText, TextOf(defaultElement));

  {
    RecordingLink link;
    {
      Subject<C> attached(&link), detached(nullptr);
      for (const auto& check : checks) check.checkRule(*attached, *detached, link);
    }
    EXPECT_TRUE(link.take().empty());
  }
  for (const auto& check : checks) {
    if (!check.checkAlone) continue;
    Subject<C> lone(nullptr);
    check.checkAlone(*lone);
  }

  // Round trip with every row away from its default, compared row by row.
  Subject<C> original(nullptr);
  for (const auto& check : checks) check.setAway(*original);
  Document moved;
  QuorveXML::XIXMLElement* movedElement = WriteRows(moved, tag.c_str(), *original);
  Subject<C> copy(nullptr);
  ReadRows(movedElement, *copy);
  for (const auto& check : checks) {
    check.compare(*original, *copy);
    check.checkMoved(*copy, *fresh);
  }
  if constexpr (std::is_base_of<CZinXMLBasicData, C>::value)
    WalkEntryPoints(checks, tag, defaultText, *fresh, *original, entryTag<C>() ? moved.owner : movedElement);
  // Reading into an object that holds something equals reading into a new one.
  ReadRows(defaultElement, *original);
  for (const auto& check : checks) check.compare(*original, *fresh);
}

}  // namespace QvZinTest

/// Walks every row of Class; defaultText is the exact element that a new object
/// writes (its name is the element's).
#define ZIN_FIELD_WALK(Class_, defaultText) \
  TEST(FieldWalk, Class_) { ::QvZinTest::WalkFields(::QvZinTest::ChecksOf<Class_>(), defaultText); }
