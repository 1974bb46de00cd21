// The record that every object and collection carries: id, name, user data and
// UI value, with the object's XML entry points.
#pragma once

#include "ZinBase.h"

namespace QvZin {

class IZinBasicData {
public:
  /// Writes the scene object into element (borrowed: it stays the caller's): its name,
  /// id and every setting, laid out as a file holds the object's own element (a
  /// property as a new "Property" child). Returns kZinOk. Throws "exception (pointer
  /// is NULL)" for a null element; any other failure is the warning
  /// "CZinXMLBasicData::putInXML - <error>" through the owner link and kZinFail.
  /// Collections and objects without settings warn
  /// "CZinEmptyBasicData::putInXML - This class doesn't implement XML" and return 0.
  virtual int32_t putInXML(QuorveXML::XIXMLElement* element) = 0;
  /// Reads the object from element (borrowed), in putInXML's layout, through the
  /// setters (values are clipped as a client's would be). Returns kZinOk. Throws
  /// "exception (pointer is NULL)" for a null element; a missing child or a bad
  /// value is the warning "CZinXMLBasicData::initWithXML - <error>" through the owner
  /// link and kZinFail, the settings read before it kept.
  virtual int32_t initWithXML(QuorveXML::XIXMLElement* element) = 0;
  /// The stored id (not a copy).
  virtual const CZinUUID* getId() = 0;
  virtual void setId(const CZinUUID& id) = 0;
  /// The name; "" when unset, never null.
  virtual const char* getName() = 0;
  /// Copies text; a null text warns "CZinBasicData::setName - inName is NULL" and
  /// keeps the name.
  virtual void setName(const char* text) = 0;
  /// The object's user XML; no object implements it (warning, null).
  virtual QuorveXML::XIXMLElement* getUserXML() = 0;
  virtual void setUserXML(QuorveXML::XIXMLElement* element) = 0;
  /// The client value stored under key (borrowed: no reference added), or null.
  virtual IUnknown* getUserData(const CZinUUID& key) = 0;
  /// Stores value under key: AddRef of the new value, Release of the old one.
  /// Storing null keeps the key with a null value. All are released with the object.
  virtual void setUserData(const CZinUUID& key, IUnknown* value) = 0;
  /// A 32-bit value free for the client; 0 on a new object.
  virtual int32_t getUIValue() = 0;
  virtual void setUIValue(int32_t value) = 0;
  /// The owner's link object (borrowed), or null when the object has no owner.
  virtual IZinMgrRef* getMgrRef() = 0;

protected:
  ~IZinBasicData() = default;
};

}  // namespace QvZin
