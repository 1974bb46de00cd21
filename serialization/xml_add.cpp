#include "serialization/xml_add.h"

#include <cstdarg>
#include <cstdio>
#include <cstring>

#include "serialization/text_form.h"
#include "support/c_locale.h"
#include "xml/element.h"
#include "xml/hash_key.h"
#include "xml/recycler.h"

namespace QvZin {

using QuorveXML::XIXMLElement;

namespace {

const char* LastLabel(const CZinLabel* table) {
  const char* last = "";
  for (const CZinLabel* row = table; row && row->label; ++row) last = row->label;
  return last;
}

// Formats into a 2048-byte buffer; false when the text needs 2048 characters or more.
bool FormatInto(char (&text)[2048], const char* format, va_list args) {
  Quorve::CCLocale cLocale;
  const int size = std::vsnprintf(text, sizeof text, format, args);
  return size >= 0 && size < static_cast<int>(sizeof text);
}

[[noreturn]] void ThrowTooLong(const char* operation, const char* tag) {
  if (tag) ThrowElementError("%s - Assertion failed for tag %s", operation, tag);
  ThrowElementError("%s - Assertion failed", operation);
}

}  // namespace

CZinXMLAdd::CZinXMLAdd(XIXMLElement* element) : mElement(element) {
  if (!element) ThrowElementError("%s - NULL ptr", "CZinXMLAdd::CZinXMLAdd");
  mOwn = dynamic_cast<QuorveXML::XCXMLElement*>(element);
}

// An element of the same tree is of the same make and shares its keys.
CZinXMLAdd::CZinXMLAdd(XIXMLElement* element, const CZinXMLAdd& sameTree)
    : mElement(element), mKeys(sameTree.mKeys), mTable(sameTree.mTable) {
  if (!element) ThrowElementError("%s - NULL ptr", "CZinXMLAdd::CZinXMLAdd");
  if (!sameTree.mOwn) return;
  mOwn = QuorveXML::XCXMLElement::FromInterface(element);
  if (sameTree.mRecycler && (mSpares = sameTree.mRecycler->SparesOf(mOwn)) >= 0) mRecycler = sameTree.mRecycler;
}

void CZinXMLAdd::Recycle(QuorveXML::CXMLRecycler* recycler, int handle) {
  if (!mOwn || handle < 0) return;
  mRecycler = recycler;
  mSpares = handle;
}

// Any element answers for its tree's keys, after a walk to the top; the top answers
// at once. A writer asks for a name per value, so the walk is made once per writer.
const char* CZinXMLAdd::Key(const char* name) {
  if (mTable) return mTable->GetKey(name);
  if (mOwn && (mTable = mOwn->FindKeyTable())) return mTable->GetKey(name);
  if (!mKeys) {
    mKeys = mElement;
    while (XIXMLElement* up = mKeys->GetNode()->GetParent()) mKeys = up;
  }
  return mKeys->GetKey(name);
}

XIXMLElement* CZinXMLAdd::AddElement(const char* tag) {
  XIXMLElement* child = nullptr;
  if (tag) {
    const char* key = Key(tag);
    if (mRecycler) child = mRecycler->Element(mSpares, key);
    if (!child) child = mOwn ? mOwn->XCXMLElement::AddElement(key) : mElement->AddElement(key);
  }
  if (!child) {
    if (tag) ThrowElementError("%s - NULL ptr for tag %s", "CZinXMLAdd::AddElement", tag);
    ThrowElementError("%s - NULL ptr", "CZinXMLAdd::AddElement");
  }
  return child;
}

XIXMLElement* CZinXMLAdd::ReuseElement(const char* tag) {
  if (!tag) ThrowElementError("%s - NULL ptr", "CZinXMLAdd::ReuseElement");
  const char* key = Key(tag);
  if (XIXMLElement* found = mElement->FindElement(key)) return found;
  if (mRecycler)
    if (XIXMLElement* recycled = mRecycler->Element(mSpares, key)) return recycled;
  XIXMLElement* child = mElement->AddElement(key);
  if (!child) ThrowElementError("%s - NULL ptr for tag %s", "CZinXMLAdd::ReuseElement", tag);
  return child;
}

XIXMLElement* CZinXMLAdd::AddTextElement(const char* tag, const char* text) {
  XIXMLElement* child = AddElement(tag);
  if (mRecycler) {
    const int spares = mRecycler->SparesOf(QuorveXML::XCXMLElement::FromInterface(child));
    if (spares >= 0 && mRecycler->Text(spares, text, std::strlen(text))) return child;
  }
  if (mOwn)
    QuorveXML::XCXMLElement::FromInterface(child)->XCXMLElement::AddData(text);
  else
    child->AddData(text);
  return child;
}

void CZinXMLAdd::AddAttribute(const char* name, const char* value) {
  if (!name) ThrowElementError("%s - NULL ptr", "CZinXMLAdd::AddAttribute");
  if (mOwn && value)
    AddAttribute(name, value, std::strlen(value));
  else
    mElement->AddAttribute(Key(name), value);
}

void CZinXMLAdd::AddAttribute(const char* name, const char* value, size_t length) {
  if (!name) ThrowElementError("%s - NULL ptr", "CZinXMLAdd::AddAttribute");
  const char* key = Key(name);
  if (mRecycler && mRecycler->Attribute(mSpares, key, value, length)) return;
  if (mOwn)
    mOwn->AddAttribute(key, value, length);
  else
    mElement->AddAttribute(key, value);
}

void CZinXMLAdd::AddBool(const char* tag, bool value) {
  if (value) AddElement(tag);
}

void CZinXMLAdd::AddInteger(const char* tag, int32_t value) {
  char text[kNumberTextSize];
  FormatDecimal(value, text);
  AddTextElement(tag, text);
}

void CZinXMLAdd::AddInteger64(const char* tag, int64_t value) {
  char text[kNumberTextSize];
  FormatDecimal(static_cast<long long>(value), text);
  AddTextElement(tag, text);
}

void CZinXMLAdd::AddDouble(const char* tag, double value) {
  char text[kNumberTextSize];
  FormatLf(value, text);
  AddTextElement(tag, text);
}

void CZinXMLAdd::AddFloat(const char* tag, float value) { AddDouble(tag, static_cast<double>(value)); }

void CZinXMLAdd::AddFmtData(const char* tag, const char* format, ...) {
  char text[2048];
  va_list args;
  va_start(args, format);
  const bool fits = FormatInto(text, format, args);
  va_end(args);
  if (!fits) ThrowTooLong("CZinXMLAdd::AddFmtData", tag);
  AddTextElement(tag, text);
}

void CZinXMLAdd::AddFmtAttribute(const char* name, const char* format, ...) {
  char text[2048];
  va_list args;
  va_start(args, format);
  const bool fits = FormatInto(text, format, args);
  va_end(args);
  if (!fits) ThrowTooLong("CZinXMLAdd::AddFmtAttribute", name);
  AddAttribute(name, text);
}

void CZinXMLAdd::AddUUID(const char* name, const CZinUUID& id) {
  char text[33];
  id.toText(text);
  AddAttribute(name, text, 32);
}

void CZinXMLAdd::AddAttributeLabel(const char* name, int32_t value, const CZinLabel* table) {
  for (const CZinLabel* row = table; row && row->label; ++row)
    if (row->value == value) {
      AddAttribute(name, row->label);
      return;
    }
  ThrowElementError("No label for the value (%d) [%s..%s]", value, table && table->label ? table->label : "",
                    LastLabel(table));
}

void CZinXMLAdd::AddColor(const char* tag, const CZinColor& color) {
  CZinXMLAdd child(AddElement(tag), *this);
  char text[kNumberTextSize];
  child.AddAttribute("R", text, FormatDecimal(static_cast<int>(color.red), text));
  child.AddAttribute("G", text, FormatDecimal(static_cast<int>(color.green), text));
  child.AddAttribute("B", text, FormatDecimal(static_cast<int>(color.blue), text));
}

void CZinXMLAdd::AddXYZ(const char* tag, const double* xyz) {
  CZinXMLAdd child(AddElement(tag), *this);
  static const char* const kNames[] = {"X", "Y", "Z"};
  char text[kNumberTextSize];
  for (int i = 0; i < 3; ++i) child.AddAttribute(kNames[i], text, FormatLf(xyz[i], text));
}

void CZinXMLAdd::AddXY(const char* tag, const double* xy) {
  CZinXMLAdd child(AddElement(tag), *this);
  char text[kNumberTextSize];
  child.AddAttribute("X", text, FormatLf(xy[0], text));
  child.AddAttribute("Y", text, FormatLf(xy[1], text));
}

void CZinXMLAdd::AddTriangle(const char* tag, const double* nine) {
  CZinXMLAdd child(AddElement(tag), *this);
  child.AddXYZ("Pt.0", nine);
  child.AddXYZ("Pt.1", nine + 3);
  child.AddXYZ("Pt.2", nine + 6);
}

void CZinXMLAdd::AddZinMatrix(const char* tag, const double* m) {
  CZinXMLAdd child(AddElement(tag), *this);
  for (int row = 0; row < 4; ++row) {
    const double* r = m + row * 4;
    char text[4 * kNumberTextSize];
    size_t size = 0;
    for (int column = 0; column < 4; ++column) {
      if (column) {
        text[size++] = ',';
        text[size++] = ' ';
      }
      size += FormatLf(r[column], text + size);
    }
    XIXMLElement* line = child.AddTextElement("Line", text);
    CZinXMLAdd(line, child).AddFmtAttribute("Index", "%d", row);
  }
}

void CZinXMLAdd::AddTable(const char* tag, ITable* table) {
  CZinXMLAdd child(AddElement(tag), *this);
  const int32_t length = table ? table->getLength() : 0;
  child.AddFmtAttribute("Length", "%d", length);
  for (int32_t i = 0; i < length; ++i) child.AddFloat("Float", table->getValue(i));
}

void CZinXMLAdd::AddTime(const char* tag, const CZinTimeValue& time) {
  CZinXMLAdd child(AddElement(tag), *this);
  child.AddInteger("Month", time.month);
  child.AddInteger("Day", time.day);
  child.AddInteger("Hour", time.hour);
  child.AddInteger("Minute", time.minute);
  child.AddInteger("Year", time.year);
}

void CZinXMLAdd::AddPlace(const CZinPlaceValue& place) {
  CZinXMLAdd child(AddElement("Place"), *this);
  child.AddInteger("Longitude", place.longitude);
  child.AddInteger("Latitude", place.latitude);
  child.AddInteger("TimeZone", place.timeZone);
  child.AddBool("Daylight", place.daylight);
}

void CZinXMLAdd::AddString(const char* tag, const IZinString* text) {
  CZinXMLAdd child(AddElement(tag), *this);
  const uint32_t count = text ? text->getCount() : 0;
  for (uint32_t i = 0; i < count; ++i) {
    const uint32_t code = text->getLanguageAt(i);
    // A code without a first letter has no attribute name to go under.
    if (((code >> 8) & 0xFF) == 0) continue;
    const char name[3] = {static_cast<char>((code >> 8) & 0xFF), static_cast<char>(code & 0xFF), 0};
    const char* value = text->get(code);
    child.AddAttribute(name, value ? value : "");
  }
}

void CZinXMLAdd::AddLanguage(const char* tag, const char* text) {
  CZinXMLAdd child(AddElement(tag), *this);
  child.AddAttribute("en", text ? text : "");
}

void CZinXMLAdd::AddText(const char* tag, const char* text) { AddTextElement(tag, text ? text : ""); }

void CZinXMLAdd::AddAttributeText(const char* name, const char* value) { AddAttribute(name, value ? value : ""); }

}  // namespace QvZin
