#include "scene/billboard.h"

namespace QvZin {

// A billboard spells the third kind "Multifaces", an instance "Multiface".
const CZinLabel kBillboardKinds[] = {
    {"Flat", eBBFlat}, {"Uniface", eBBUniface}, {"Multifaces", eBBMultiface}, {nullptr, 0}};

}  // namespace QvZin
