#include "serialization/object_parts.h"

#include "support/raise.h"

namespace QvZin {

void ZinPutItem(CZinXMLAdd& list, const char* item, CZinPoint& point) {
  ZinPoint().put(list, item, CZinVector3D(point.mX, point.mY, point.mZ));
}

void ZinGetItem(QuorveXML::XIXMLElement* element, CZinPoint& point) {
  CZinXMLGet one(element);
  const CZinVector3D read = ZinPoint().read(one);
  point.mX = read.x;
  point.mY = read.y;
  point.mZ = read.z;
}

QuorveXML::XIXMLElement* ZinChild::Require(CZinXMLGet& in, const char* tag, const char* text) {
  QuorveXML::XIXMLElement* element = in.FindElement(tag);
  if (!element) Quorve::ThrowError(text);
  return element;
}

}  // namespace QvZin
