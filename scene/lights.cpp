#include "scene/lights.h"

namespace QvZin {

const CZinLabel kLightTypes[] = {
    {"Point", eLightPoint}, {"Spot", eLightSpot}, {"Parallel", eLightParallel}, {nullptr, 0}};
const CZinLabel kShadowTypes[] = {
    {"None", eShadowNone}, {"Traced", eShadowTraced}, {"Soft", eShadowSoft}, {nullptr, 0}};

}  // namespace QvZin
