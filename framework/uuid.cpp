#include "framework/uuid.h"

#include <stdexcept>

#include "support/platform.h"

extern "C" ZIN_API const QvZin::CZinUUID IID_IUnknown = QvZin::CZinUUID::fromText("0000000000000000C000000000000046");

namespace QvZin {

CZinUUID NewZinUUID() {
  CZinUUID id;
  if (!Quorve::Platform::NewGuid(id.mBytes)) throw std::runtime_error("Can't create UUID");
  return id;
}

uint64_t ZinHashSeed() {
  static const uint64_t seed = [] {
    const CZinUUID id = NewZinUUID();
    uint64_t value;
    std::memcpy(&value, id.mBytes, 8);
    return value;
  }();
  return seed;
}

}  // namespace QvZin
