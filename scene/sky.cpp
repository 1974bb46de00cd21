#include "scene/sky.h"

namespace QvZin {

const CZinLabel kColorChoices[] = {{"Automatic", eColorAutomatic}, {"User", eColorUser}, {nullptr, 0}};

}  // namespace QvZin
