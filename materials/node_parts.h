// What the node kinds' field lists hold besides plain values: their label tables,
// their float tables, and the forms of values kept in a map element's own text
// and attributes.
#pragma once

#include "ZinMaterials.h"
#include "materials/table.h"
#include "serialization/fields.h"

namespace QvZin {

/// "Cylinder" 0, "Sphere" 1, "Cube" 2.
extern const CZinLabel kZinChessGeometries[];
/// "General" 0, "Bulb" 1, "Plane" 2.
extern const CZinLabel kZinLeafShapes[];
/// "Phong" 0, "Cook.Torrance" 1.
extern const CZinLabel kZinIlluminationModels[];
/// "Planetary" 0 to "Planar" 8.
extern const CZinLabel kZinProjections[];
/// "Diffuse" 1 to "Movie" 11. 4 has two labels: the first, "Reflection", is the one
/// written; the older "Refletion" is still read.
extern const CZinLabel kZinMapChannels[];

/// The element's own text (a map's location); an element without text reads as "".
struct ZinOwnText {
  void put(CZinXMLAdd& out, const char*, const char* value) const;
  const char* get(CZinXMLGet& in, const char*) const;
};

/// An attribute of the object's own element holding "%lf"; required on reading.
struct ZinAttrDouble {
  void put(CZinXMLAdd& out, const char* tag, double value) const { out.AddFmtAttribute(tag, "%lf", value); }
  double get(CZinXMLGet& in, const char* tag) const {
    double value = 0;
    in.GetFmtAttribute(tag, "%lf", &value);
    return value;
  }
};

/// A float table that a node owns; clients edit it in place through ITable. A new
/// one is empty.
class CZinNodeTable {
public:
  CZinNodeTable() = default;
  CZinNodeTable(const CZinNodeTable&) = delete;
  CZinNodeTable& operator=(const CZinNodeTable&) = delete;

  /// The table (borrowed), made on first use.
  ITable* table() {
    if (!mTable) mTable = TZinComPtr<CTable>(CreateZinObject<CTable>());
    return mTable.get();
  }
  void resetFields() {
    if (mTable) mTable->setLength(0);
  }
  void copyFrom(CZinNodeTable& from) { table()->copy(from.table()); }

private:
  TZinComPtr<CTable> mTable;
};

/// A float table in its own child element tag ("Length" and one "Float" per value).
struct ZinNodeTable {
  template <class Owner>
  void put(CZinXMLAdd& out, const char* tag, CZinNodeTable& part, Owner&) const {
    out.AddTable(tag, part.table());
  }
  template <class Owner>
  void get(CZinXMLGet& in, const char* tag, CZinNodeTable& part, Owner&) const {
    in.GetTable(tag, part.table());
  }
};

}  // namespace QvZin
