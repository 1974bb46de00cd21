#include "serialization/fields.h"

#include <cstring>

namespace QvZin {

int32_t ZinLabel::get(CZinXMLGet& in, const char* tag) const {
  if (aliasLabel) {
    const char* text = in.GetAttribute(tag);
    if (text && std::strcmp(text, aliasLabel) == 0) return aliasValue;
  }
  return in.GetAttributeLabel(tag, table);
}

}  // namespace QvZin
