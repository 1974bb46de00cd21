#include "scene/image_effects.h"

namespace QvZin {

// "Gradiant" is the format's own spelling.
const CZinLabel kBackgroundPictureTypes[] = {{"None", eBackgroundPictureNone},
                                             {"User.Gradiant", eBackgroundPictureGradient},
                                             {"Picture.2D", eBackgroundPicture2D},
                                             {"Movie.3D", eBackgroundPictureMovie3D},
                                             {"User.Gradiant.4.Colors", eBackgroundPictureGradient4Colors},
                                             {"HDRI", eBackgroundPictureHDRI},
                                             {nullptr, 0}};
const CZinLabel kDepthOfFieldTypes[] = {{"FromPoint", eDepthFromPoint},
                                        {"FromTarget", eDepthFromTarget},
                                        {"FromInfinity", eDepthFromInfinity},
                                        {"FromDistance", eDepthFromDistance},
                                        {nullptr, 0}};

}  // namespace QvZin
