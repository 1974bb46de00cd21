#include "scene/ground.h"

#include "support/raise.h"

namespace QvZin {

CZinUUID ZinGroundId::read(CZinXMLGet& in, const char* tag) {
  const char* text = in.GetAttribute(tag);
  if (!text) Quorve::ThrowError(kGroundWithoutId);
  // A text that is not an id fails as a missing one does: either way the ground
  // cannot be told apart from the others.
  try {
    return CZinUUID::fromText(text);
  } catch (const std::exception&) {
    Quorve::ThrowError(kGroundWithoutId);
  }
}

}  // namespace QvZin
