#include "scene/instance_kinds.h"

namespace QvZin {

const CZinLabel kBBRenderTypes[] = {{"Normal", eBBRenderNormal}, {"Display", eBBRenderDisplay}, {nullptr, 0}};
// An instance spells the third kind "Multiface", a billboard "Multifaces".
const CZinLabel kBBInstanceKinds[] = {
    {"Flat", eBBFlat}, {"Uniface", eBBUniface}, {"Multiface", eBBMultiface}, {nullptr, 0}};

}  // namespace QvZin
