// The typed element reader: the mirror of CZinXMLAdd.
#pragma once

#include <cstdint>

#include "ZinValues.h"
#include "ZinXML.h"

namespace QvZin {

/// The time zone of a place in minutes: a zone below 13 in magnitude with a
/// longitude below 901 in magnitude is in hours (older files).
int32_t ZoneInMinutes(int32_t zone, int32_t longitude);

/// Reads values from children and attributes of one current element. Every failure
/// throws std::runtime_error with a text composed as "CZinXMLGet::<operation> - ...".
class CZinXMLGet {
public:
  /// Throws "CZinXMLGet::CZinXMLGet - NULL ptr" for a null element.
  explicit CZinXMLGet(QuorveXML::XIXMLElement* element);

  QuorveXML::XIXMLElement* GetElement() const { return mElement; }

  /// The first child element tag; missing: "CZinXMLGet::GetElement - NULL ptr for tag <tag>".
  QuorveXML::XIXMLElement* GetElement(const char* tag);
  /// The first child element tag, or null.
  QuorveXML::XIXMLElement* FindElement(const char* tag);
  /// True when a child element tag exists (the reading of flags).
  bool HasElement(const char* tag);
  /// The "%d" text of child tag. No text: "CZinXMLGet::GetInteger - NULL ptr".
  int32_t GetInteger(const char* tag);
  /// The "%lld" text of child tag.
  int64_t GetInteger64(const char* tag);
  /// The "%lf" text of child tag.
  double GetDouble(const char* tag);
  /// The "%lf" text of child tag, narrowed to float.
  float GetFloat(const char* tag);
  /// Scans attribute name with format into out (one conversion). Missing:
  /// "CZinXMLGet::GetFmtAttribute - NULL ptr for tag <name>".
  void GetFmtAttribute(const char* name, const char* format, void* out);
  /// The identifier held by attribute name; missing: "CZinXMLGet::GetUUID - NULL ptr
  /// for tag <name>"; a bad digit: "Invalid hex value".
  CZinUUID GetUUID(const char* name);
  /// The value of the first label of table equal to attribute name; missing attribute:
  /// "CZinXMLGet::GetAttributeLabel - NULL ptr for tag <name>"; unknown text:
  /// "Invalid label (<text>) [<first>..<last>]".
  int32_t GetAttributeLabel(const char* name, const CZinLabel* table);
  /// The text of attribute name, or null.
  const char* GetAttribute(const char* name);
  /// The colour of child tag: attributes "R", "G", "B", or the older children
  /// "Red", "Green", "Blue".
  CZinColor GetColor(const char* tag);
  /// The colour held by the current element itself, in either form.
  CZinColor GetColor();
  /// Attributes "X", "Y", "Z" of child tag into xyz.
  void GetXYZ(const char* tag, double* xyz);
  /// Attributes "X", "Y" of child tag into xy.
  void GetXY(const char* tag, double* xy);
  /// Children "Pt.0", "Pt.1", "Pt.2" of child tag into nine doubles.
  void GetTriangle(const char* tag, double* nine);
  /// The four "Line" children of child tag into sixteen doubles. A missing line or
  /// text: "CZinXMLGet::GetZinMatrix - NULL ptr"; fewer than four numbers in a line:
  /// "CZinXMLGet::GetZinMatrix - Assertion failed for tag <tag>".
  void GetZinMatrix(const char* tag, double* sixteen);
  /// The table of child tag: "Length" resizes it, then one "Float" per value. A
  /// missing "Float": "CZinXMLGet::GetTable 1 - NULL ptr"; one without text:
  /// "CZinXMLGet::GetTable 2 - NULL ptr".
  void GetTable(const char* tag, ITable* table);
  /// The time of child tag; "Year" is optional (kept when absent).
  void GetTime(const char* tag, CZinTimeValue& time);
  /// The child "Place"; a time zone below 13 in magnitude with a longitude below 901
  /// is taken as hours (older files) and turned into minutes.
  void GetPlace(CZinPlaceValue& place);
  /// Every attribute of child tag as one entry of text; a missing child leaves it unchanged.
  void GetString(const char* tag, IZinString* text);
  /// The attribute "en" of child tag; missing: "CZinXMLGet::GetAttributeLanguage - NULL ptr".
  const char* GetAttributeLanguage(const char* tag);
  /// The text of child tag (required); "" when it holds none: an empty text reads
  /// back as no text at all.
  const char* GetText(const char* tag);
  /// The text of attribute name; missing: "CZinXMLGet::GetAttributeText - NULL ptr
  /// for tag <name>".
  const char* GetAttributeText(const char* name);

private:
  QuorveXML::XIXMLData* TextOf(const char* tag, const char* operation);

  QuorveXML::XIXMLElement* mElement;
};

}  // namespace QvZin
