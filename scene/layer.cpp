#include "scene/layer.h"

#include <cstring>

namespace QvZin {

int CZinLayerMap::indexOf(const char* key) {
  for (int i = 0; key && i < kCount; ++i)
    if (std::strcmp(kKeys[i], key) == 0) return i;
  return -1;
}

namespace {

// The written attributes and the entries they hold; the plant groups' entry is
// not written.
const struct {
  const char* attribute;
  int entry;
} kWritten[] = {{"Plant3D", 0}, {"ZinObject", 2}, {"Billboard", 3}, {"LightObject", 4}, {"AnimatedObject", 5}};

}  // namespace

void ZinLayerMap::write(CZinXMLAdd& out, const char* tag, CZinLayerMap& part) const {
  CZinXMLAdd map(out.AddElement(tag), out);
  for (const auto& row : kWritten) map.AddUUID(row.attribute, part.ids[row.entry]);
}

void ZinLayerMap::read(CZinXMLGet& in, const char* tag, CZinLayerMap& part) const {
  QuorveXML::XIXMLElement* element = in.FindElement(tag);
  if (!element) return;
  CZinXMLGet map(element);
  for (const auto& row : kWritten)
    if (map.GetAttribute(row.attribute)) part.ids[row.entry] = map.GetUUID(row.attribute);
  if (map.GetAttribute("3DPlant")) part.ids[0] = part.ids[1] = map.GetUUID("3DPlant");
}

const CZinUUID& CZinLayerInfo::getDefaultLayer(const char* kind) {
  static const CZinUUID kNone;
  const int index = CZinLayerMap::indexOf(kind);
  return index < 0 ? kNone : mDefaultLayers.ids[index];
}

void CZinLayerInfo::setDefaultLayer(const char* kind, const CZinUUID& id) {
  const int index = CZinLayerMap::indexOf(kind);
  if (index < 0) {
    if (IZinWarning* sink = warningSink()) sink->warning("setDefaultLayer: Unknown object kind");
    return;
  }
  mDefaultLayers.ids[index] = id;
}

}  // namespace QvZin
