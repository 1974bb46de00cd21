#include <exception>

#include "ZinMgr.h"
#include "manager/mgr.h"

namespace QvZin {

EVersionZIN IZinMgr::getZINVersion() { return eZinVersionCurrent; }

EExtendedVersionZIN IZinMgr::getExtendedZinVersion() {
  return static_cast<EExtendedVersionZIN>(getZINVersion());
}

void IZinMgr::newZinMgr(IZinMgr** mgr, EVersionZIN clientVersion, IZinFeedback* feedback) {
  if (!mgr) return;
  if (IZinMgr* previous = *mgr) {
    *mgr = nullptr;
    previous->Release();
  }
  try {
    CZIN* manager = CZIN::Create(clientVersion, feedback);
    *mgr = manager;
    manager->AddRef();
  } catch (const std::exception& e) {
    *mgr = nullptr;
    if (feedback) feedback->warning(nullptr, e.what());
  }
}

}  // namespace QvZin
