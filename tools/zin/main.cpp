// zin: a command-line client of the ZIN SDK.
#include <CLI/CLI.hpp>

#include <cstdio>
#include <string>
#include <vector>

#include "ZinSDK.h"

using namespace QvZin;

namespace {

// Prints every warning the library sends, prefixed, on standard error.
class CConsoleFeedback final : public IZinFeedback {
public:
  bool warning(IZinMgr*, const char* message) override {
    std::fprintf(stderr, "warning: %s\n", message);
    ++mWarnings;
    return true;
  }
  bool progress(IZinMgr*, int, int) override { return true; }
  int warnings() const { return mWarnings; }

private:
  int mWarnings = 0;
};

// Holds a manager reference for the length of a command.
struct CManagerHold {
  IZinMgr* mgr = nullptr;
  ~CManagerHold() {
    if (mgr) mgr->Release();
  }
};

int RunVersion() {
  std::printf("library 5.1.1\ninterface generation %d\n", static_cast<int>(IZinMgr::getZINVersion()));
  return 0;
}

void PrintManager(IZinMgr* mgr) {
  char id[33];
  mgr->getBasicData()->getId()->toText(id);
  int major = 0, minor = 0;
  mgr->getFileFormat(&major, &minor);
  const CZinVersion* version = mgr->getFileVersion();
  std::printf("manager %s\n", id);
  std::printf("  name           \"%s\"\n", mgr->getBasicData()->getName());
  std::printf("  language       %s\n", mgr->getLanguage());
  std::printf("  file format    %d.%d\n", major, minor);
  std::printf("  file version   %d.%d.%d\n", version->major, version->minor, version->build);
  const double* m = mgr->getTransformation();
  std::printf("  transformation\n");
  for (int row = 0; row < 4; ++row)
    std::printf("    %10.4f %10.4f %10.4f %10.4f\n", m[row * 4], m[row * 4 + 1], m[row * 4 + 2], m[row * 4 + 3]);
}

int RunDemo() {
  CConsoleFeedback feedback;
  CManagerHold hold;
  CZinEntryPoints::newZinMgr(&hold.mgr, eZinVersionCurrent, &feedback);
  if (!hold.mgr) {
    std::fprintf(stderr, "zin: cannot create a manager\n");
    return 1;
  }
  IZinMgr* mgr = hold.mgr;
  mgr->getBasicData()->setName("Demo scene");
  mgr->setApplication("zin demo", "1.0");
  mgr->setLanguage("fr");
  // Millimetres to metres, then up by 2 m: points read from geometry blocks get it.
  const double toMetres[16] = {0.001, 0, 0, 0, 0, 0.001, 0, 0, 0, 0, 0.001, 0, 0, 0, 2, 1};
  mgr->setTransformation(toMetres);
  mgr->setLanguage("french");  // refused: the feedback object hears about it
  PrintManager(mgr);
  double corner[3] = {1500, 2500, 0};
  mgr->getBasicData()->getMgrRef()->transformPoint(corner);
  std::printf("  point (1500, 2500, 0) mm -> (%g, %g, %g) m\n", corner[0], corner[1], corner[2]);
  std::printf("  warnings       %d\n", feedback.warnings());
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  CLI::App app{"zin - inspect, check and convert ZIN scene files"};
  app.require_subcommand(1);
  CLI::App* version = app.add_subcommand("version", "print the library version and interface generation");
  CLI::App* demo = app.add_subcommand("demo", "build a sample scene and show what it holds");
  CLI11_PARSE(app, argc, argv);
  if (version->parsed()) return RunVersion();
  if (demo->parsed()) return RunDemo();
  return 1;
}
