#include "scene/animated_object.h"

namespace QvZin {

const CZinLabel kAnimationFileTypes[] = {{"Skeleton", eAnimationSkeleton}, {"FBX", eAnimationFBX}, {nullptr, 0}};
const CZinLabel kTakeTypes[] = {{"Predefined", eTakePredefined}, {"OnPath", eTakeOnPath}, {nullptr, 0}};

}  // namespace QvZin
