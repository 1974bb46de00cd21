#include "scene/background.h"

namespace QvZin {

const CZinLabel kBackgroundImageTypes[] = {{"None", eBackgroundImageNone},
                                           {"Stretched", eBackgroundImageStretched},
                                           {"3D", eBackgroundImage3D},
                                           {"Motif", eBackgroundImageMotif},
                                           {"QTVRCubic", eBackgroundImageQTVRCubic},
                                           {nullptr, 0}};
const CZinLabel kBackgroundColorTypes[] = {{"None", eBackgroundColorNone},
                                           {"Uniform", eBackgroundColorUniform},
                                           {"Graduated", eBackgroundColorGraduated},
                                           {"Graduated.Line", eBackgroundColorGraduatedLine},
                                           {nullptr, 0}};

}  // namespace QvZin
