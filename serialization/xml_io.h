// The element I/O context of an object's XML entry points, and the basic data
// of objects that have an element layout.
#pragma once

#include <vector>

#include "ZinXML.h"
#include "framework/basic_data.h"
#include "serialization/xml_add.h"
#include "serialization/xml_get.h"

namespace QvZin {

/// What an object's putInXML/initWithXML receive: the element, the owner's link
/// object, and a list the readers of composite objects may use.
class CZinXMLIO {
public:
  /// Throws "exception (pointer is NULL)" for a null element.
  CZinXMLIO(QuorveXML::XIXMLElement* element, IZinMgrRef* link);

  QuorveXML::XIXMLElement* element() const { return mElement; }
  IZinMgrRef* link() const { return mLink; }
  CZinXMLAdd writer() const { return CZinXMLAdd(mElement); }
  CZinXMLGet reader() const { return CZinXMLGet(mElement); }
  std::vector<void*>& list() { return mList; }

private:
  QuorveXML::XIXMLElement* mElement;
  IZinMgrRef* mLink;
  std::vector<void*> mList;
};

/// Basic data of an object with an element layout: the element entry points of
/// IZinBasicData build a context and call the object's own halves.
class CZinXMLBasicData : public CZinBasicData {
public:
  using CZinBasicData::CZinBasicData;

  /// The object-specific halves of the element form.
  virtual int32_t putInXML(CZinXMLIO& io) = 0;
  virtual int32_t initWithXML(CZinXMLIO& io) = 0;

  /// Null element: "exception (pointer is NULL)".
  int32_t putInXML(QuorveXML::XIXMLElement* element) override;
  int32_t initWithXML(QuorveXML::XIXMLElement* element) override;
};

}  // namespace QvZin
