#include "scene/animation.h"

namespace QvZin {

const CZinLabel kCamKeyTypes[] = {{"Timing", eCamKeyTiming}, {"Path", eCamKeyPath},     {"Local", eCamKeyLocal},
                                  {"Global", eCamKeyGlobal}, {"Target", eCamKeyTarget}, {nullptr, 0}};

void CZinAnimation::setCurrentPath(int32_t index) {
  if (index >= 0 && static_cast<uint32_t>(index) < mCameraPaths.list()->getCount()) {
    mCurrentPath.value = index;
    return;
  }
  if (IZinWarning* sink = warningSink()) sink->warning("IZinAnimation::setCurrentPath - index invalid");
}

}  // namespace QvZin
