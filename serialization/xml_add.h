// The typed element writer: every value of a scene file gets its text form here.
#pragma once

#include <cstddef>
#include <cstdint>

#include "ZinValues.h"
#include "ZinXML.h"

namespace QuorveXML {
class CHashKey;
class CXMLRecycler;
class XCXMLElement;
}  // namespace QuorveXML

namespace QvZin {

/// Writes values as children and attributes of one current element. Every failure
/// throws std::runtime_error with a text composed as "CZinXMLAdd::<operation> - ...".
class CZinXMLAdd {
public:
  /// Throws "CZinXMLAdd::CZinXMLAdd - NULL ptr" for a null element.
  explicit CZinXMLAdd(QuorveXML::XIXMLElement* element);
  /// The same for an element of sameTree's tree (a child just added): names are
  /// then looked up where sameTree looks them up, without a walk to the root, and
  /// a child that sameTree recycled recycles its own old content.
  CZinXMLAdd(QuorveXML::XIXMLElement* element, const CZinXMLAdd& sameTree);

  /// What this writer adds takes the old nodes of recycler's spares handle where
  /// they fit (see xml/recycler.h): the element ends the same, built at less cost.
  /// Only for an element of the library's own make.
  void Recycle(QuorveXML::CXMLRecycler* recycler, int handle);

  QuorveXML::XIXMLElement* GetElement() const { return mElement; }

  /// Appends an empty child element tag.
  QuorveXML::XIXMLElement* AddElement(const char* tag);
  /// The first child element tag, appended when there is none.
  QuorveXML::XIXMLElement* ReuseElement(const char* tag);
  /// An empty child element tag when value is true; nothing otherwise.
  void AddBool(const char* tag, bool value);
  /// Child element tag with text "%d".
  void AddInteger(const char* tag, int32_t value);
  /// Child element tag with text "%lld".
  void AddInteger64(const char* tag, int64_t value);
  /// Child element tag with text "%lf" (35 gives 35.000000).
  void AddDouble(const char* tag, double value);
  /// Child element tag with the value widened to double, "%lf".
  void AddFloat(const char* tag, float value);
  /// Child element tag whose text is formatted into 2048 bytes; longer text throws
  /// "CZinXMLAdd::AddFmtData - Assertion failed for tag <tag>".
  void AddFmtData(const char* tag, const char* format, ...) __attribute__((format(printf, 3, 4)));
  /// Attribute name with a formatted value; too long throws
  /// "CZinXMLAdd::AddFmtAttribute - Assertion failed for tag <name>".
  void AddFmtAttribute(const char* name, const char* format, ...) __attribute__((format(printf, 3, 4)));
  /// Attribute name holding the 32 upper-case digits of id.
  void AddUUID(const char* name, const CZinUUID& id);
  /// Attribute name holding the first label of table whose value is value; none:
  /// "No label for the value (<value>) [<first>..<last>]".
  void AddAttributeLabel(const char* name, int32_t value, const CZinLabel* table);
  /// Child element tag with attributes "R", "G", "B" ("%d").
  void AddColor(const char* tag, const CZinColor& color);
  /// Child element tag with attributes "X", "Y", "Z" ("%lf").
  void AddXYZ(const char* tag, const double* xyz);
  /// Child element tag with attributes "X", "Y" ("%lf").
  void AddXY(const char* tag, const double* xy);
  /// Child element tag with children "Pt.0", "Pt.1", "Pt.2", each an XYZ.
  void AddTriangle(const char* tag, const double* nine);
  /// Child element tag with four "Line" children: attribute "Index" ("%d") and the
  /// text "%lf, %lf, %lf, %lf" of one row.
  void AddZinMatrix(const char* tag, const double* sixteen);
  /// Child element tag with attribute "Length" and one "Float" child per value.
  void AddTable(const char* tag, ITable* table);
  /// Child element tag with "Month", "Day", "Hour", "Minute", "Year" ("%d").
  void AddTime(const char* tag, const CZinTimeValue& time);
  /// Child element "Place" with "Longitude", "Latitude", "TimeZone" and, when
  /// daylight saving is on, an empty "Daylight".
  void AddPlace(const CZinPlaceValue& place);
  /// Child element tag with one attribute per entry: the two-letter code as name.
  void AddString(const char* tag, const IZinString* text);
  /// Child element tag whose attribute "en" holds text (the name form).
  void AddLanguage(const char* tag, const char* text);
  /// Child element tag whose text is text, of any length (null: empty).
  void AddText(const char* tag, const char* text);
  /// Attribute name holding value, of any length (null: empty).
  void AddAttributeText(const char* name, const char* value);

private:
  QuorveXML::XIXMLElement* AddTextElement(const char* tag, const char* text);
  void AddAttribute(const char* name, const char* value);
  void AddAttribute(const char* name, const char* value, size_t length);
  /// The key of name in the element's tree.
  const char* Key(const char* name);

  QuorveXML::XIXMLElement* mElement;
  QuorveXML::XIXMLElement* mKeys = nullptr;  // the top of the tree, found at the first name
  // The scene writer adds millions of elements and attributes to the library's own
  // tree: for that tree it calls the element and the key table directly, without
  // the interface's virtual calls. A client's element of another make takes the
  // interface.
  QuorveXML::XCXMLElement* mOwn = nullptr;
  QuorveXML::CHashKey* mTable = nullptr;  // mOwn's key table, found at the first name
  QuorveXML::CXMLRecycler* mRecycler = nullptr;  // set with the spares of mOwn's old content
  int mSpares = -1;
};

}  // namespace QvZin
