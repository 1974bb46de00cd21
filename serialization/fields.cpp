#include "serialization/fields.h"

#include <cstring>

#include "support/platform.h"

namespace QvZin {

int32_t ZinLabel::get(CZinXMLGet& in, const char* tag) const {
  if (aliasLabel) {
    const char* text = in.GetAttribute(tag);
    if (text && std::strcmp(text, aliasLabel) == 0) return aliasValue;
  }
  return in.GetAttributeLabel(tag, table);
}

CZinVector3D ZinPoint::read(CZinXMLGet& element) const {
  CZinVector3D point;
  element.GetFmtAttribute("X", "%lf", &point.x);
  element.GetFmtAttribute("Y", "%lf", &point.y);
  element.GetFmtAttribute("Z", "%lf", &point.z);
  return point;
}

CZinVector2D ZinXY::read(CZinXMLGet& element) const {
  CZinVector2D point;
  element.GetFmtAttribute("X", "%lf", &point.x);
  element.GetFmtAttribute("Y", "%lf", &point.y);
  return point;
}

int32_t ZinTimeZone::get(CZinXMLGet& in, const char* tag) const {
  return ZoneInMinutes(in.GetInteger(tag), in.GetInteger("Longitude"));
}

int32_t ZinYear::get(CZinXMLGet& in, const char* tag) const {
  return in.HasElement(tag) ? in.GetInteger(tag) : Quorve::Platform::LocalTime().year;
}

const char* ZinName::get(CZinXMLGet& in, const char* tag) const {
  // The name form keeps its own failure text.
  if (std::strcmp(attribute, "en") == 0) return in.GetAttributeLanguage(tag);
  return CZinXMLGet(in.GetElement(tag)).GetAttributeText(attribute);
}

}  // namespace QvZin
