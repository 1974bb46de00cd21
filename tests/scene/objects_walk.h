// How the field walk moves the objects' parts that are not rows of values.
#pragma once

#include "scene/objects.h"
#include "serialization/field_walk.h"

namespace QvZin {

inline void MoveAway(CZinProperties& part, const ZinProperties&) {
  part.list()->newZinObject(kZinEndOfList)->getBasicData()->setName("Away <material>");
}
inline void MoveAway(CZinDefinitionData& part, const ZinDefinitionData&) {
  QvZinTest::MoveAway(part.extended, CZinDefinitionData::kHolderTag);
}
inline void MoveAway(CZinInstanceData& part, const ZinInstanceData&) {
  QvZinTest::MoveAway(part.kept, CZinInstanceData::kTag);
}
// The plant groups' entry is never written: only the written entries move.
inline void MoveAway(CZinLayerMap& part, const ZinLayerMap&) {
  for (int entry : {0, 2, 3, 4, 5})
    part.ids[entry] = CZinUUID::fromText("ABCDEF0123456789000000000000000A");
  part.ids[5] = CZinUUID::fromText("ABCDEF01234567890000000000000005");
}
inline std::string PartText(CZinLayerMap& part) {
  std::string text;
  for (const CZinUUID& id : part.ids) text += QvZinTest::ToText(id) + " ";
  return text;
}

}  // namespace QvZin
