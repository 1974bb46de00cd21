#include "serialization/xml_get.h"

#include <cstdio>
#include <cstring>

#include "serialization/text_form.h"
#include "support/c_locale.h"

namespace QvZin {

using QuorveXML::XIXMLAttribute;
using QuorveXML::XIXMLData;
using QuorveXML::XIXMLElement;

namespace {

const char* LastLabel(const CZinLabel* table) {
  const char* last = "";
  for (const CZinLabel* row = table; row && row->label; ++row) last = row->label;
  return last;
}

int64_t Magnitude(int32_t value) { return value < 0 ? -static_cast<int64_t>(value) : value; }

}  // namespace

int32_t ZoneInMinutes(int32_t zone, int32_t longitude) {
  // Older files hold the zone in hours; minutes are told apart by their size.
  const bool hours = Magnitude(zone) < 13 && Magnitude(longitude) < 901;
  return hours ? zone * 60 : zone;
}

CZinXMLGet::CZinXMLGet(XIXMLElement* element) : mElement(element) {
  if (!element) ThrowElementError("%s - NULL ptr", "CZinXMLGet::CZinXMLGet");
}

XIXMLElement* CZinXMLGet::FindElement(const char* tag) {
  return tag ? mElement->FindElement(mElement->GetKey(tag)) : nullptr;
}

XIXMLElement* CZinXMLGet::GetElement(const char* tag) {
  XIXMLElement* child = FindElement(tag);
  if (!child) ThrowElementError("%s - NULL ptr for tag %s", "CZinXMLGet::GetElement", tag ? tag : "");
  return child;
}

bool CZinXMLGet::HasElement(const char* tag) { return FindElement(tag) != nullptr; }

XIXMLData* CZinXMLGet::TextOf(const char* tag, const char* operation) {
  XIXMLData* data = GetElement(tag)->GetData();
  if (!data) ThrowElementError("%s - NULL ptr", operation);
  return data;
}

int32_t CZinXMLGet::GetInteger(const char* tag) {
  int value = 0;
  TextOf(tag, "CZinXMLGet::GetInteger")->Scan("%d", &value);
  return value;
}

int64_t CZinXMLGet::GetInteger64(const char* tag) {
  long long value = 0;
  TextOf(tag, "CZinXMLGet::GetInteger64")->Scan("%lld", &value);
  return value;
}

double CZinXMLGet::GetDouble(const char* tag) {
  double value = 0;
  TextOf(tag, "CZinXMLGet::GetDouble")->Scan("%lf", &value);
  return value;
}

float CZinXMLGet::GetFloat(const char* tag) {
  double value = 0;
  TextOf(tag, "CZinXMLGet::GetFloat")->Scan("%lf", &value);
  return static_cast<float>(value);
}

void CZinXMLGet::GetFmtAttribute(const char* name, const char* format, void* out) {
  XIXMLAttribute* attribute = name ? mElement->FindAttribute(mElement->GetKey(name)) : nullptr;
  if (!attribute) ThrowElementError("%s - NULL ptr for tag %s", "CZinXMLGet::GetFmtAttribute", name ? name : "");
  attribute->Scan(format, out);
}

const char* CZinXMLGet::GetAttribute(const char* name) {
  XIXMLAttribute* attribute = name ? mElement->FindAttribute(mElement->GetKey(name)) : nullptr;
  return attribute ? attribute->GetValue() : nullptr;
}

CZinUUID CZinXMLGet::GetUUID(const char* name) {
  const char* text = GetAttribute(name);
  if (!text) ThrowElementError("%s - NULL ptr for tag %s", "CZinXMLGet::GetUUID", name ? name : "");
  return CZinUUID::fromText(text);
}

int32_t CZinXMLGet::GetAttributeLabel(const char* name, const CZinLabel* table) {
  const char* text = GetAttribute(name);
  if (!text) ThrowElementError("%s - NULL ptr for tag %s", "CZinXMLGet::GetAttributeLabel", name ? name : "");
  for (const CZinLabel* row = table; row && row->label; ++row)
    if (std::strcmp(row->label, text) == 0) return row->value;
  ThrowElementError("Invalid label (%s) [%s..%s]", text, table && table->label ? table->label : "", LastLabel(table));
}

CZinColor CZinXMLGet::GetColor(const char* tag) { return CZinXMLGet(GetElement(tag)).GetColor(); }

CZinColor CZinXMLGet::GetColor() {
  int r = 0, g = 0, b = 0;
  if (GetAttribute("R")) {
    GetFmtAttribute("R", "%d", &r);
    GetFmtAttribute("G", "%d", &g);
    GetFmtAttribute("B", "%d", &b);
  } else {
    r = GetInteger("Red");
    g = GetInteger("Green");
    b = GetInteger("Blue");
  }
  return CZinColor(static_cast<uint8_t>(r), static_cast<uint8_t>(g), static_cast<uint8_t>(b));
}

void CZinXMLGet::GetXYZ(const char* tag, double* xyz) {
  CZinXMLGet child(GetElement(tag));
  child.GetFmtAttribute("X", "%lf", xyz);
  child.GetFmtAttribute("Y", "%lf", xyz + 1);
  child.GetFmtAttribute("Z", "%lf", xyz + 2);
}

void CZinXMLGet::GetXY(const char* tag, double* xy) {
  CZinXMLGet child(GetElement(tag));
  child.GetFmtAttribute("X", "%lf", xy);
  child.GetFmtAttribute("Y", "%lf", xy + 1);
}

void CZinXMLGet::GetTriangle(const char* tag, double* nine) {
  CZinXMLGet child(GetElement(tag));
  child.GetXYZ("Pt.0", nine);
  child.GetXYZ("Pt.1", nine + 3);
  child.GetXYZ("Pt.2", nine + 6);
}

void CZinXMLGet::GetZinMatrix(const char* tag, double* m) {
  XIXMLElement* element = GetElement(tag);
  XIXMLElement* line = element->FindElement(element->GetKey("Line"));
  Quorve::CCLocale cLocale;
  for (int row = 0; row < 4; ++row) {
    XIXMLData* data = line ? line->GetData() : nullptr;
    if (!data) ThrowElementError("%s - NULL ptr", "CZinXMLGet::GetZinMatrix");
    double* r = m + row * 4;
    if (std::sscanf(data->GetText(), "%lf, %lf, %lf, %lf", r, r + 1, r + 2, r + 3) != 4)
      ThrowElementError("%s - Assertion failed for tag %s", "CZinXMLGet::GetZinMatrix", tag);
    line = line->GetNextSameElement();
  }
}

void CZinXMLGet::GetTable(const char* tag, ITable* table) {
  CZinXMLGet child(GetElement(tag));
  int length = 0;
  child.GetFmtAttribute("Length", "%d", &length);
  XIXMLElement* first = child.FindElement("Float");
  // The announced length is a stranger's number: the table grows only as far as
  // the "Float" elements that back it.
  int32_t backed = 0;
  for (XIXMLElement* f = first; f && backed < length; f = f->GetNextSameElement()) ++backed;
  if (table) table->setLength(backed);
  XIXMLElement* f = first;
  for (int32_t i = 0; i < length; ++i, f = f->GetNextSameElement()) {
    if (!f) ThrowElementError("%s - NULL ptr", "CZinXMLGet::GetTable 1");
    XIXMLData* data = f->GetData();
    if (!data) ThrowElementError("%s - NULL ptr", "CZinXMLGet::GetTable 2");
    double value = 0;
    data->Scan("%lf", &value);
    if (table) table->setValue(i, static_cast<float>(value));
  }
}

void CZinXMLGet::GetTime(const char* tag, CZinTimeValue& time) {
  CZinXMLGet child(GetElement(tag));
  time.month = child.GetInteger("Month");
  time.day = child.GetInteger("Day");
  time.hour = child.GetInteger("Hour");
  time.minute = child.GetInteger("Minute");
  if (child.HasElement("Year")) time.year = child.GetInteger("Year");
}

void CZinXMLGet::GetPlace(CZinPlaceValue& place) {
  CZinXMLGet child(GetElement("Place"));
  place.longitude = child.GetInteger("Longitude");
  place.latitude = child.GetInteger("Latitude");
  place.timeZone = ZoneInMinutes(child.GetInteger("TimeZone"), place.longitude);
  place.daylight = child.HasElement("Daylight");
}

void CZinXMLGet::GetString(const char* tag, IZinString* text) {
  XIXMLElement* element = FindElement(tag);
  if (!element || !text) return;
  for (XIXMLAttribute* a = element->GetFirstAttribute(); a; a = a->GetNext()) {
    const unsigned char* name = reinterpret_cast<const unsigned char*>(a->GetKeyRef());
    const uint32_t code = name[0] ? name[0] * 256u + name[1] : 0;
    text->set(code, a->GetValue());
  }
}

const char* CZinXMLGet::GetAttributeLanguage(const char* tag) {
  XIXMLElement* element = GetElement(tag);
  XIXMLAttribute* attribute = element->FindAttribute(element->GetKey("en"));
  if (!attribute) ThrowElementError("%s - NULL ptr", "CZinXMLGet::GetAttributeLanguage");
  return attribute->GetValue();
}

const char* CZinXMLGet::GetText(const char* tag) {
  XIXMLData* data = GetElement(tag)->GetData();
  return data ? data->GetText() : "";
}

const char* CZinXMLGet::GetAttributeText(const char* name) {
  const char* text = GetAttribute(name);
  if (!text) ThrowElementError("%s - NULL ptr for tag %s", "CZinXMLGet::GetAttributeText", name ? name : "");
  return text;
}

}  // namespace QvZin
