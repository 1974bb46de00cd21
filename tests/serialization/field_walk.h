// The generic walk of a field list: every scene object declared with ZIN_FIELDS
// gets, from the same list its class expands, tests of its defaults, of each setter
// rule at, inside and just outside its bounds with the exact warning, and a round
// trip through a document with every field away from its default.
//
// A test names its class and list once:
//   ZIN_FIELD_WALK(CZinFog, ZIN_FOG_FIELDS, "<Fog>...</Fog>")
// where the text is the exact element a default object writes.
#pragma once

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <string>
#include <type_traits>
#include <vector>

#include "framework/recording_link.h"
#include "serialization/fields.h"
#include "xml/root.h"
#include "xml/tree.h"

namespace QvZinTest {

using namespace QvZin;

inline std::string ToText(bool v) { return v ? "true" : "false"; }
inline std::string ToText(int32_t v) { return std::to_string(v); }
inline std::string ToText(double v) { return std::to_string(v); }
inline std::string ToText(const CZinColor& c) {
  return std::to_string(c.red) + "/" + std::to_string(c.green) + "/" + std::to_string(c.blue);
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
template <class T, class Form>
T Away(T def, const Form&) {
  return def + (std::is_floating_point<T>::value ? T(0.75) : T(3));
}

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

// ---- the probes of a rule: (input, stored with a sink, warned)

template <class T>
struct Probe {
  T input;
  T stored;
  bool warns;
};

template <class T, class Rule>
std::vector<Probe<T>> Probes(const Rule&) {
  return {};
}

template <class T, class B>
std::vector<Probe<T>> Probes(const TZinClip<B>& rule) {
  std::vector<Probe<T>> probes;
  const T step = std::is_floating_point<T>::value ? T(0.001) : T(1);
  if (rule.hasLow()) {
    const T low = static_cast<T>(rule.low());
    probes.push_back({low, low, false});
    probes.push_back({low + step, low + step, false});
    probes.push_back({low - step, low, rule.warnsWhenClipping()});
  }
  if (rule.hasHigh()) {
    const T high = static_cast<T>(rule.high());
    probes.push_back({high, high, false});
    probes.push_back({high - step, high - step, false});
    probes.push_back({high + step, high, rule.warnsWhenClipping()});
  }
  return probes;
}

// ---- one field, seen through its accessors

template <class C>
struct FieldCheck {
  std::string name;
  std::function<void(C&)> checkDefault;
  std::function<void(C&, RecordingLink&)> checkRule;
  std::function<void(C&)> setAway;
  std::function<void(C&, C&)> compare;
  std::function<void(C&)> checkMoved;
};

template <class C, class T, class Form, class Rule, class Get, class Set>
FieldCheck<C> MakeFieldCheck(const char* name, T def, const Form& form, const Rule& rule, Get get, Set set) {
  FieldCheck<C> check;
  check.name = name;
  check.checkDefault = [=](C& c) { EXPECT_EQ(ToText(def), ToText(static_cast<T>(get(c)))) << name; };
  check.checkRule = [=](C& c, RecordingLink& link) {
    const std::string message = std::string("Method set") + name + " has clipped a value out of range.";
    for (const Probe<T>& p : Probes<T>(rule)) {
      c.setLink(&link);
      set(c, p.input);
      EXPECT_EQ(ToText(p.stored), ToText(static_cast<T>(get(c)))) << name << " <- " << ToText(p.input);
      const std::vector<std::string> warnings = link.take();
      EXPECT_EQ(p.warns ? std::vector<std::string>{message} : std::vector<std::string>{}, warnings)
          << name << " <- " << ToText(p.input);
      // Without a sink the value is still clipped (unless the rule clips only
      // while attached), and nothing is said.
      c.setLink(nullptr);
      set(c, p.input);
      EXPECT_EQ(ToText(p.stored), ToText(static_cast<T>(get(c)))) << name << " (no sink)";
    }
    set(c, def);
  };
  check.setAway = [=](C& c) { set(c, Within(Away(def, form), rule)); };
  check.compare = [=](C& a, C& b) {
    EXPECT_EQ(ToText(static_cast<T>(get(a))), ToText(static_cast<T>(get(b)))) << name;
  };
  check.checkMoved = [=](C& c) { EXPECT_NE(ToText(def), ToText(static_cast<T>(get(c)))) << name << " kept its default"; };
  return check;
}

#define ZIN_FIELD_CHECK_(type, name, tag, def, form, rule)                                                  \
  checks.push_back(::QvZinTest::MakeFieldCheck<Class, type>(                                                  \
      #name, static_cast<type>(def), form, rule, [](Class& c) { return c.get##name(); },                    \
      [](Class& c, ::QvZin::TZinArg<type> v) { c.set##name(v); }));

class CStringWriteStream final : public QuorveXML::XIXMLWriteStream {
public:
  int32_t Write(const char* bytes, int32_t count) override {
    text.append(bytes, static_cast<size_t>(count));
    return count;
  }
  std::string text;
};

/// Writes object into a fresh document and returns the text of what it added.
template <class C>
std::string WrittenText(C& object) {
  QuorveXML::XCXMLTree tree;
  QuorveXML::XCXMLRoot* root = tree.GetRoot();
  QuorveXML::XIXMLElement* owner = root->AddElement(root->GetKey("Owner"));
  CZinXMLAdd add(owner);
  object.putInXML(add);
  CStringWriteStream stream;
  owner->GetFirstElement()->Write(&stream);
  return stream.text;
}

template <class C>
void WalkFields(const std::vector<FieldCheck<C>>& checks, const std::string& defaultText) {
  C fresh;
  for (const auto& check : checks) check.checkDefault(fresh);
  EXPECT_EQ(defaultText, WrittenText(fresh));

  RecordingLink link;
  C probed;
  for (const auto& check : checks) check.checkRule(probed, link);
  probed.setLink(nullptr);

  // Round trip with every field away from its default, compared field by field.
  C original;
  for (const auto& check : checks) check.setAway(original);
  QuorveXML::XCXMLTree tree;
  QuorveXML::XCXMLRoot* root = tree.GetRoot();
  QuorveXML::XIXMLElement* owner = root->AddElement(root->GetKey("Owner"));
  CZinXMLAdd add(owner);
  original.putInXML(add);
  C copy;
  CZinXMLGet get(owner);
  copy.initWithXML(get);
  for (const auto& check : checks) {
    check.compare(original, copy);
    check.checkMoved(copy);
  }
}

}  // namespace QvZinTest

/// Walks the field list LIST of class Class; defaultText is the exact element that
/// a default object writes.
#define ZIN_FIELD_WALK(Class_, LIST, defaultText)                   \
  TEST(FieldWalk, Class_) {                                        \
    using Class = Class_;                                          \
    std::vector<::QvZinTest::FieldCheck<Class>> checks;              \
    LIST(ZIN_FIELD_CHECK_)                                          \
    ::QvZinTest::WalkFields(checks, defaultText);                   \
  }
