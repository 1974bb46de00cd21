#include "serialization/xml_io.h"

#include "support/raise.h"

namespace QvZin {

CZinXMLIO::CZinXMLIO(QuorveXML::XIXMLElement* element, IZinMgrRef* link) : mElement(element), mLink(link) {
  if (!element) Quorve::ThrowNullPointer(nullptr);
}

int32_t CZinXMLBasicData::putInXML(QuorveXML::XIXMLElement* element) {
  CZinXMLIO io(element, getMgrRef());
  return putInXML(io);
}

int32_t CZinXMLBasicData::initWithXML(QuorveXML::XIXMLElement* element) {
  CZinXMLIO io(element, getMgrRef());
  return initWithXML(io);
}

}  // namespace QvZin
