#include "materials/node_parts.h"

namespace QvZin {

void ZinOwnText::put(CZinXMLAdd& out, const char*, const char* value) const {
  if (value && *value) out.GetElement()->AddData(value);
}

const char* ZinOwnText::get(CZinXMLGet& in, const char*) const {
  QuorveXML::XIXMLData* data = in.GetElement()->GetData();
  return data ? data->GetText() : "";
}

}  // namespace QvZin
