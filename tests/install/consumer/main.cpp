#include <cstdio>

#include <ZinSDK.h>

int main() {
  QvZin::IZinMgr* mgr = nullptr;
  QvZin::CZinEntryPoints::newZinMgr(&mgr);
  if (!mgr || QvZin::IZinMgr::getZINVersion() != 50) return 1;
  mgr->Release();
  std::printf("consumer ok\n");
  return 0;
}
