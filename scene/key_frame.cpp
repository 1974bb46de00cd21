#include "scene/key_frame.h"

#include <string>

#include "support/raise.h"

namespace QvZin {

const CZinLabel kKeyValueTypes[] = {{"Coord3D", eKeyCoord3D}, {"Color", eKeyColor},   {"Double", eKeyDouble},
                                    {"Boolean", eKeyBoolean}, {"Integer", eKeyInteger}, {"Date", eKeyDate},
                                    {"UUID", eKeyUUID},       {"Enum", eKeyEnum},       {nullptr, 0}};
const CZinLabel kInterpolationTypes[] = {{"Linear", eInterpolationLinear},
                                         {"Square", eInterpolationSquare},
                                         {"OneMinusSquare", eInterpolationOneMinusSquare},
                                         {"Sinus", eInterpolationSinus},
                                         {"Bezier", eInterpolationBezier},
                                         {"DateInterpolation", eInterpolationDate},
                                         {nullptr, 0}};

namespace {

// Each kind: the union member it uses and the value form of its three elements.
struct CKind {
  int32_t type;
  const char* member;
  void (*put)(CZinXMLAdd& out, const char* tag, const CZinKeyValue& value);
  CZinKeyValue (*get)(CZinXMLGet& in, const char* tag);
};

const CKind kKinds[] = {
    {eKeyCoord3D, "mCoord3D", [](CZinXMLAdd& o, const char* t, const CZinKeyValue& v) { ZinPoint().put(o, t, v.coord3D); },
     [](CZinXMLGet& i, const char* t) { return CZinKeyValue::Coord3D(ZinPoint().get(i, t)); }},
    {eKeyColor, "mColor", [](CZinXMLAdd& o, const char* t, const CZinKeyValue& v) { ZinColour().put(o, t, v.color); },
     [](CZinXMLGet& i, const char* t) { return CZinKeyValue::Color(ZinColour().get(i, t)); }},
    {eKeyDouble, "mDouble", [](CZinXMLAdd& o, const char* t, const CZinKeyValue& v) { ZinDouble().put(o, t, v.real); },
     [](CZinXMLGet& i, const char* t) { return CZinKeyValue::Double(ZinDouble().get(i, t)); }},
    {eKeyBoolean, "mBoolean", [](CZinXMLAdd& o, const char* t, const CZinKeyValue& v) { ZinFlag().put(o, t, v.boolean); },
     [](CZinXMLGet& i, const char* t) { return CZinKeyValue::Boolean(ZinFlag().get(i, t)); }},
    {eKeyInteger, "mInteger", [](CZinXMLAdd& o, const char* t, const CZinKeyValue& v) { ZinInt().put(o, t, v.integer); },
     [](CZinXMLGet& i, const char* t) { return CZinKeyValue::Integer(ZinInt().get(i, t)); }},
    {eKeyDate, "mDate", [](CZinXMLAdd& o, const char* t, const CZinKeyValue& v) { ZinInt64().put(o, t, v.date); },
     [](CZinXMLGet& i, const char* t) { return CZinKeyValue::Date(ZinInt64().get(i, t)); }},
    {eKeyUUID, "mUUID", [](CZinXMLAdd& o, const char* t, const CZinKeyValue& v) { ZinId().put(o, t, v.id); },
     [](CZinXMLGet& i, const char* t) { return CZinKeyValue::UUID(ZinId().get(i, t)); }},
    {eKeyEnum, "mEnum", [](CZinXMLAdd& o, const char* t, const CZinKeyValue& v) { ZinInt().put(o, t, v.integer); },
     [](CZinXMLGet& i, const char* t) { return CZinKeyValue::Enum(ZinInt().get(i, t)); }},
};

const char* const kSlotTags[] = {"Value", "CPBefore", "CPAfter"};

const CKind* FindKind(int32_t type) {
  for (const CKind& kind : kKinds)
    if (kind.type == type) return &kind;
  return nullptr;
}

}  // namespace

void CZinKeyValues::setType(int32_t type) {
  if (type == this->type()) return;
  mValues.fill(CZinKeyValue::Zero(type));
}

void CZinKeyValues::set(size_t slot, const CZinKeyValue& value, IZinWarning* sink) {
  if (value.type == type()) {
    mValues[slot] = value;
    return;
  }
  if (!sink) return;
  const CKind* kind = FindKind(type());
  const std::string text = std::string("Invalid choice of ") + (kind ? kind->member : "mUnknown") +
                           " to initialize CZinKeyFrame::uValue union";
  sink->warning(text.c_str());
}

void CZinKeyValues::putValues(CZinXMLAdd& out, const char* tag) const {
  const CKind* kind = FindKind(type());
  if (!kind) Quorve::ThrowError("CZinXMLIO::AddKeyFrame : Unknow value type");
  out.AddAttributeLabel(tag, type(), kKeyValueTypes);
  for (size_t slot = 0; slot < mValues.size(); ++slot) kind->put(out, kSlotTags[slot], mValues[slot]);
}

void CZinKeyValues::getValues(CZinXMLGet& in, const char* tag) {
  const CKind* kind = FindKind(in.GetAttributeLabel(tag, kKeyValueTypes));
  // The label table and the kinds are one list apart: a label is always a kind.
  if (!kind) Quorve::ThrowError("CZinXMLIO::GetKeyFrame : Unknow value type");
  for (size_t slot = 0; slot < mValues.size(); ++slot) mValues[slot] = kind->get(in, kSlotTags[slot]);
}

}  // namespace QvZin
