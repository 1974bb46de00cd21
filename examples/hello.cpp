// The smallest ZIN client: create a manager, name the scene, release it.
#include <cstdio>

#include "ZinSDK.h"

using namespace QvZin;

// Receives every warning of the manager.
class CPrintFeedback final : public IZinFeedback {
public:
  bool warning(IZinMgr*, const char* message) override {
    std::printf("warning: %s\n", message);
    return true;
  }
  bool progress(IZinMgr*, int, int) override { return true; }  // never cancel
};

int main() {
  CPrintFeedback feedback;
  IZinMgr* mgr = nullptr;
  CZinEntryPoints::newZinMgr(&mgr, eZinVersionCurrent, &feedback);
  if (!mgr) return 1;
  mgr->getBasicData()->setName("Hello");
  mgr->setLanguage("en");
  std::printf("ZIN interface generation %d, scene \"%s\", language %s\n",
              static_cast<int>(IZinMgr::getZINVersion()), mgr->getBasicData()->getName(), mgr->getLanguage());
  mgr->Release();
  return 0;
}
