#include "serialization/object_parts.h"

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

}  // namespace QvZin
