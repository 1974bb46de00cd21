// The element I/O context of an object's XML entry points, and the basic data
// of objects that have an element layout.
#pragma once

#include <exception>
#include <string>
#include <vector>

#include "ZinXML.h"
#include "framework/basic_data.h"
#include "serialization/xml_add.h"
#include "serialization/xml_get.h"
#include "support/raise.h"

namespace QvZin {

/// What an object's putInXML/initWithXML receive: the element, the owner's link
/// object, and a list the readers of composite objects may use.
class CZinXMLIO {
public:
  /// Throws "exception (pointer is NULL)" for a null element.
  CZinXMLIO(QuorveXML::XIXMLElement* element, IZinMgrRef* link) : mElement(element), mLink(link) {
    if (!element) Quorve::ThrowNullPointer(nullptr);
  }

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
/// IZinBasicData build a context and call the object's own halves. Defined here in
/// full, so that the bases of scene objects need no module beyond the framework.
class CZinXMLBasicData : public CZinBasicData {
public:
  using CZinBasicData::CZinBasicData;

  /// The object-specific halves of the element form. Failures throw (the typed
  /// writer's and reader's errors): the file reader and the import report them.
  virtual int32_t putInXML(CZinXMLIO& io) = 0;
  virtual int32_t initWithXML(CZinXMLIO& io) = 0;

  /// Null element: throws "exception (pointer is NULL)". Any other failure is the
  /// warning "CZinXMLBasicData::putInXML - <error>" through the owner link and
  /// kZinFail: a client's call never throws for what an element holds.
  int32_t putInXML(QuorveXML::XIXMLElement* element) override {
    return guarded(element, &CZinXMLBasicData::putInXML, "CZinXMLBasicData::putInXML - ");
  }
  /// As putInXML, with "CZinXMLBasicData::initWithXML - <error>". The rows read
  /// before the failing one keep what they read.
  int32_t initWithXML(QuorveXML::XIXMLElement* element) override {
    return guarded(element, &CZinXMLBasicData::initWithXML, "CZinXMLBasicData::initWithXML - ");
  }

private:
  // Runs one half on element; its failure becomes the warning operation + error.
  int32_t guarded(QuorveXML::XIXMLElement* element, int32_t (CZinXMLBasicData::*half)(CZinXMLIO&),
                  const char* operation) {
    CZinXMLIO io(element, getMgrRef());
    try {
      return (this->*half)(io);
    } catch (const std::exception& e) {
      warn((operation + std::string(e.what())).c_str());
      return kZinFail;
    }
  }
};

}  // namespace QvZin
