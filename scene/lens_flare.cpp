#include "scene/lens_flare.h"

namespace QvZin {

const CZinLabel kLensFlareTypes[] = {
    {"LensFlare1", eLensFlare1}, {"LensFlare2", eLensFlare2}, {"Halo1", eHalo1}, {"Halo2", eHalo2}, {nullptr, 0}};

}  // namespace QvZin
