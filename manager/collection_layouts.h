// Where each scene collection lives in a file: its collection element, the
// element of one object, and where the object's basic data goes. The writer and
// the reader of every collection walk these rows, so the two cannot disagree. A
// collection whose objects declare their rows (ZIN_FIELDS) names only its two
// elements: each object writes and reads its whole element itself.
#pragma once

#include "ZinObjectMgr.h"
#include "serialization/parts.h"
#include "serialization/recycled_elements.h"
#include "serialization/xml_add.h"
#include "serialization/xml_get.h"

namespace QvZin {

struct CZinListLayout {
  const char* listTag;      ///< the collection element under its parent
  const char* itemTag;      ///< one element per object, in index order
  const char* nameTag;      ///< child element whose "en" attribute holds the name, or null
  const char* idAttribute;  ///< attribute of the object's element holding its id, or null
  const char* uiTag;        ///< child element holding the UI value ("%d"), or null
  const char* oldListTag;   ///< another collection element accepted on reading, or null
};

constexpr CZinListLayout kHeliodonsLayout{"Heliodons", "Heliodon", nullptr, nullptr, nullptr, nullptr};
// Properties declare their rows, their name, id and UI value included.
constexpr CZinListLayout kPropertiesLayout{"Properties", "Property", nullptr, nullptr, nullptr, nullptr};
constexpr CZinListLayout kBillboardsLayout{"Billboards", "Billboard", nullptr, nullptr, nullptr, nullptr};
constexpr CZinListLayout kLightsLayout{"Lights", "Light", nullptr, nullptr, nullptr, nullptr};
constexpr CZinListLayout kLightsGroupsLayout{"Lights.Groups", "Lights.Group", nullptr, nullptr, nullptr, nullptr};
constexpr CZinListLayout kPerspectiveViewsLayout{"Perspective.Views", "Perspective.View", nullptr, nullptr, nullptr,
                                                 nullptr};
constexpr CZinListLayout kParallelViewsLayout{"Parallel.Views", "Parallel.View", nullptr, nullptr, nullptr, nullptr};
constexpr CZinListLayout kPanoramasLayout{"PanoramasV2", "PanoramaV2", nullptr, nullptr, nullptr, nullptr};
constexpr CZinListLayout kAnimationsLayout{"Animations", "Animation", nullptr, nullptr, nullptr, nullptr};
constexpr CZinListLayout kViewObjectsLayout{"View.Objects", "View.Object", nullptr, nullptr, nullptr, nullptr};
constexpr CZinListLayout kObjectInstancesLayout{"Object.Instances", "Object.Instance", nullptr, nullptr, nullptr,
                                                nullptr};
constexpr CZinListLayout kScenariosLayout{"Scenarios", "Scenario", nullptr, nullptr, nullptr, nullptr};
constexpr CZinListLayout k3DPathsLayout{"Paths.3D", "Path.3D", nullptr, nullptr, nullptr, "3D.Paths"};
constexpr CZinListLayout kGroundsLayout{"Grounds", "Ground", nullptr, nullptr, nullptr, nullptr};
constexpr CZinListLayout kLayersLayout{"Layers", "Layer", nullptr, nullptr, nullptr, nullptr};
constexpr CZinListLayout kComponentsLayout{"InternalComponentDefinitions", "InternalComponentDefinition", nullptr,
                                           "UUID", nullptr, nullptr};

/// The collection element of layout under parent (or its older name), or null.
QuorveXML::XIXMLElement* FindList(CZinXMLGet& parent, const CZinListLayout& layout);

/// Writes the basic data of object into its element as layout says.
void PutBasics(CZinXMLAdd& item, IZinBasic* object, const CZinListLayout& layout);
/// Reads what layout says of the basic data from an object's element; absent parts
/// keep their values.
void GetBasics(CZinXMLGet& item, IZinBasic* object, const CZinListLayout& layout);

/// Replaces every listTag child of parent by a new one at the end holding one
/// itemTag element per object with its basic data. Returns the new element.
template <class I>
QuorveXML::XIXMLElement* PutList(CZinXMLAdd& parent, TZinObjectMgr<I>* list, const CZinListLayout& layout) {
  DeleteChildElements(parent.GetElement(), layout.listTag);
  CZinXMLAdd out(parent.AddElement(layout.listTag), parent);
  const uint32_t count = list ? list->getCount() : 0;
  for (uint32_t i = 0; i < count; ++i) {
    CZinXMLAdd item(out.AddElement(layout.itemTag), out);
    PutBasics(item, list->getZinObject(i), layout);
  }
  return out.GetElement();
}

/// When parent has the collection element (or its older name), empties list and
/// appends one object per item element in document order. Returns the collection
/// element, or null when there is none (the list is then left alone).
template <class I>
QuorveXML::XIXMLElement* GetList(CZinXMLGet& parent, TZinObjectMgr<I>* list, const CZinListLayout& layout) {
  QuorveXML::XIXMLElement* element = FindList(parent, layout);
  if (!element || !list) return element;
  while (list->getCount() > 0) list->removeObject(kZinEndOfList);
  const char* key = element->GetKey(layout.itemTag);
  for (QuorveXML::XIXMLElement* child = element->FindElement(key); child; child = child->GetNextSameElement()) {
    I* object = list->newZinObject(kZinEndOfList);
    if (!object) continue;
    CZinXMLGet item(child);
    GetBasics(item, object, layout);
  }
  return element;
}

/// As PutList, for a collection whose objects declare their rows: each object
/// fills its element with putFields.
template <class M>
QuorveXML::XIXMLElement* PutObjects(CZinXMLAdd& parent, M& list, const CZinListLayout& layout) {
  CZinRecycledList recycled(parent, layout.listTag);
  CZinXMLAdd& out = recycled.writer();
  const uint32_t count = list.getCount();
  for (uint32_t i = 0; i < count; ++i) {
    {
      CZinXMLAdd item(out.AddElement(layout.itemTag), out);
      list.itemAt(i)->putFields(item);
    }
    recycled.itemDone();
  }
  recycled.finish();
  return out.GetElement();
}

/// As GetList, for a collection whose objects declare their rows: each new object
/// reads its element with getFields. Only children named itemTag are read, in one
/// pass; the first failure ends the read (the objects read so far stay).
template <class M>
QuorveXML::XIXMLElement* GetObjects(CZinXMLGet& parent, M& list, const CZinListLayout& layout) {
  QuorveXML::XIXMLElement* element = FindList(parent, layout);
  if (!element) return nullptr;
  list.removeAll();
  const char* key = element->GetKey(layout.itemTag);
  for (QuorveXML::XIXMLElement* child = element->FindElement(key); child; child = child->GetNextSameElement()) {
    if (!list.newZinObject(kZinEndOfList)) continue;
    CZinXMLGet item(child);
    list.itemAt(list.getCount() - 1)->getFields(item);
  }
  return element;
}

}  // namespace QvZin
