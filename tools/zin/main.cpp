// zin: a command-line client of the ZIN SDK.
#include <CLI/CLI.hpp>

#include <cstdio>
#include <string>
#include <type_traits>
#include <vector>

#include "ZinFileStreams.h"
#include "ZinSDK.h"
#include "commands.h"
#include "parallel.h"
#include "scene_model.h"

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

// Creates an element at the end of list and names it.
template <class I>
I* AddNamed(TZinObjectMgr<I>* list, const char* name) {
  I* element = list->newZinObject(kZinEndOfList);
  if (element) element->getBasicData()->setName(name);
  return element;
}

// A small scene built through the public interfaces only.
void BuildScene(IZinMgr* mgr) {
  TZinObjectMgr<IZinCamera>* cameras = mgr->getPerspectiveViews();
  for (const char* name : {"Entrance", "Garden", "Roof terrace"}) AddNamed(cameras, name);
  cameras->newZinObject(kZinEndOfList);  // keeps its default name
  cameras->moveObject(2, 0);             // the roof terrace first
  // The roof terrace looks down on the garden at sunset, in a wide image.
  IZinCamera* terrace = cameras->getZinObject(0);
  terrace->setPosition(CZinVector3D(2000, 1500, 9000));
  terrace->setTarget(CZinVector3D(2000, 12000, 0));
  terrace->setUpVector(CZinVector3D(0, 0, 1));
  terrace->setFocal(28);
  terrace->setFocal(200);  // clipped to 180: the feedback object hears about it
  terrace->setFocal(28);
  terrace->setRoll(-0.1);  // stored as 2 pi - 0.1
  terrace->getViewInfo()->setHeliodonName("Heliodon");
  IZinRenderingOpt* wide = terrace->getRenderingOpt();
  wide->setWidth(1920);
  wide->setHeight(1080);
  wide->setAntialias(eAntialiasExcellent);
  wide->setOutputType(eOutputJPEG);
  wide->setOutputURL("renders/roof-terrace.jpg");
  wide->setLuminosity(0.2);
  cameras->getZinObject(1)->setTargetType(eTargetOnObject);
  // A plan and an axonometric view of the room, and a turn round its middle.
  IZinParallelView* plan = AddNamed(mgr->getParallelViews(), "Plan");
  plan->setSize(5000);
  plan->setPosition(CZinVector3D(2000, 1500, 10000));
  plan->setTarget(CZinVector3D(2000, 1500, 0));
  IZinParallelView* axono = AddNamed(mgr->getParallelViews(), "Axonometry");
  axono->setType(eParallelAxono);
  axono->setNorthAngle(30);
  axono->setSpecialShading(true);
  axono->getRenderingOpt()->setRadiosity(false);
  IZinViewObject* turn = AddNamed(mgr->getViewObjects(), "Turntable");
  turn->setCenter(CZinVector3D(2000, 1500, 1250));
  turn->setRadius(6000);
  turn->setHorizontalStep(36);
  turn->setVerticalAngle(0);
  AddNamed(mgr->getMgrEx(eZinVersionCurrent)->getWorkingWindows(), "Top");
  for (const char* name : {"Ceiling", "Desk lamp", "Porch"}) AddNamed(mgr->getLights(), name);
  mgr->getLights()->removeObject(1);  // the desk lamp goes
  for (const char* name : {"Brick", "Glass", "Oak"}) AddNamed(mgr->getProperties(), name);
  for (const char* name : {"Walls", "Furniture", "Plants"}) AddNamed(mgr->getLayers(), name);
  IZinLightsGroup* interior = AddNamed(mgr->getLightsGroups(), "Interior");
  IZinLight* ceiling = mgr->getLights()->getZinObject(0);
  ceiling->setPosition(CZinVector3D(2000, 1500, 2400));
  ceiling->setColor(CZinColor(255, 236, 210));
  ceiling->setPower(60);
  *ceiling->getLightsGroups()->newZinObject(kZinEndOfList) = *interior->getBasicData()->getId();
  IZinLight* porch = mgr->getLights()->getZinObject(1);
  porch->setType(eLightSpot);
  porch->setPosition(CZinVector3D(2000, -500, 2200));
  porch->setConeAngle(50);
  porch->setShadowType(eShadowSoft);
  porch->getLightCone()->setUsed(true);
  porch->getLensFlare()->setUsed(true);
  // The sun of a June afternoon in Paris, with a sky light and clouds.
  IZinHeliodon* sun = mgr->getHeliodons()->getZinObject(0);
  IZinTime* time = sun->getTime();
  time->setYear(2026);
  time->setMonth(6);
  time->setDay(21);
  time->setHour(15);
  time->setMinute(30);
  sun->getPlace()->setLongitude(2);
  sun->getPlace()->setLatitude(48);
  sun->getPlace()->setTimeZone(60);
  sun->getPlace()->setDaylight(true);
  sun->setNorthAngle(-20);  // stored as 340
  sun->getSkylight()->setUsed(true);
  sun->getClouds()->setActive(true);
  // A room in millimetres: the floor's corners, the ceiling's, and a window in the
  // front wall.
  TZinObjectMgr<CZinPoint>* points = mgr->getPoints();
  const CZinPoint corners[] = {{0, 0, 0},       {4000, 0, 0},    {4000, 3000, 0},    {0, 3000, 0},
                               {0, 0, 2500},    {4000, 0, 2500}, {4000, 3000, 2500}, {0, 3000, 2500},
                               {1000, 0, 900},  {3000, 0, 900},  {3000, 0, 2100},    {1000, 0, 2100},
                               {2000, 1500, 3200}};
  for (const CZinPoint& corner : corners) *points->newZinObject(kZinEndOfList) = corner;
  struct Face {
    int32_t property;
    bool smooth;
    std::vector<int32_t> outer, hole;
    bool mapped;
  };
  const Face faces[] = {
      {0, false, {0, 1, 2, 3}, {}, true},               // the floor, tiled: mapping coordinates per corner
      {0, false, {0, 1, 5, 4}, {8, 9, 10, 11}, false},  // the front wall with its window
      {1, true, {4, 5, 12}, {}, false},                 // the roof, smoothed
      {1, true, {5, 6, 12}, {}, false},
      {2, false, {1, 2, 6, 5}, {}, false},              // the side wall
  };
  for (const Face& face : faces) {
    IZinPolygon* polygon = mgr->getPolygons()->newZinObject(kZinEndOfList);
    polygon->setPropertyIndex(face.property);
    polygon->setSmooth(face.smooth);
    for (size_t i = 0; i < face.outer.size(); ++i) {
      CZinVertex* vertex = polygon->getContour()->newZinObject(kZinEndOfList);
      vertex->mPointIndex = face.outer[i];
      if (face.mapped) {
        vertex->mFlags = CZinVertex::kMapped;
        vertex->mU = i == 1 || i == 2 ? 4.0f : 0.0f;
        vertex->mV = i >= 2 ? 3.0f : 0.0f;
      }
    }
    if (face.hole.empty()) continue;
    TZinObjectMgr<CZinVertex>* hole = polygon->getHoles()->newZinObject(kZinEndOfList)->getContour();
    for (int32_t index : face.hole) hole->newZinObject(kZinEndOfList)->mPointIndex = index;
  }
  mgr->getLights()->getZinObject(7);  // a bad index: a warning, no crash
}

template <class I>
void PrintList(const char* title, TZinObjectMgr<I>* list) {
  const uint32_t count = list->getCount();
  std::printf("  %-31s %3u", title, count);
  if constexpr (std::is_base_of<IZinBasic, I>::value) {
    for (uint32_t i = 0; i < count; ++i)
      std::printf("%s\"%s\"", i ? ", " : "  ", list->getZinObject(i)->getBasicData()->getName());
  }
  std::printf("\n");
}

void PrintCollections(IZinMgr* mgr) {
  IZinMgrEx* ex = mgr->getMgrEx(eZinVersionCurrent);
  std::printf("collections\n");
  PrintList("animations", ex->getAnimations());
  PrintList("panoramas", mgr->getPanoramas());
  PrintList("images", &mgr->getImages());
  PrintList("object instances", mgr->getObjectInstances());
  PrintList("scenarios", mgr->getScenarios());
  PrintList("3D paths", mgr->get3DPaths());
  PrintList("environments", mgr->getEnvironments());
  PrintList("grounds", mgr->getGrounds());
  PrintList("layers", mgr->getLayers());
  PrintList("heliodons", mgr->getHeliodons());
  PrintList("perspective views", mgr->getPerspectiveViews());
  PrintList("polygons", mgr->getPolygons());
  PrintList("points", mgr->getPoints());
  PrintList("properties", mgr->getProperties());
  PrintList("lights", mgr->getLights());
  PrintList("view objects", mgr->getViewObjects());
  PrintList("billboard data", ex->getBBMgrData());
  PrintList("parallel views", mgr->getParallelViews());
  PrintList("working windows", ex->getWorkingWindows());
  PrintList("light groups", mgr->getLightsGroups());
  PrintList("internal component definitions", mgr->getInternalComponentDefinitions());
  TZinObjectMgr<IZinCamera>* cameras = mgr->getPerspectiveViews();
  for (uint32_t i = 0; i < cameras->getCount(); ++i) {
    IZinCamera* camera = cameras->getZinObject(i);
    IZinRenderingOpt* options = camera->getRenderingOpt();
    const CZinVector3D& at = camera->getPosition();
    std::printf("  camera %-24s focal %5.1f  at (%g, %g, %g)  %dx%d\n", camera->getBasicData()->getName(),
                camera->getFocal(), at.x, at.y, at.z, options->getWidth(), options->getHeight());
  }
  static const char* const kLightTypes[] = {"point", "spot", "parallel"};
  TZinObjectMgr<IZinLight>* lights = mgr->getLights();
  for (uint32_t i = 0; i < lights->getCount(); ++i) {
    IZinLight* light = lights->getZinObject(i);
    const int32_t type = light->getType();
    std::printf("  light %-25s %s, power %g, in %u group(s)\n", light->getBasicData()->getName(),
                type >= 0 && type < 3 ? kLightTypes[type] : "?", light->getPower(),
                light->getLightsGroups()->getCount());
  }
  TZinObjectMgr<IZinHeliodon>* heliodons = mgr->getHeliodons();
  for (uint32_t i = 0; i < heliodons->getCount(); ++i) {
    IZinHeliodon* sun = heliodons->getZinObject(i);
    IZinTime* time = sun->getTime();
    std::printf("  heliodon %-22s %04d-%02d-%02d %02d:%02d, north %g\n", sun->getBasicData()->getName(), time->getYear(),
                time->getMonth(), time->getDay(), time->getHour(), time->getMinute(), sun->getNorthAngle());
  }
  static const char* const kTypes[] = {"front", "plan", "axonometric"};
  TZinObjectMgr<IZinParallelView>* parallels = mgr->getParallelViews();
  for (uint32_t i = 0; i < parallels->getCount(); ++i) {
    IZinParallelView* view = parallels->getZinObject(i);
    const int32_t type = view->getType();
    std::printf("  parallel view %-17s %s, size %g\n", view->getBasicData()->getName(),
                type >= 0 && type < 3 ? kTypes[type] : "?", view->getSize());
  }
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
  BuildScene(mgr);
  PrintCollections(mgr);
  std::printf("  warnings       %d\n", feedback.warnings());

  // The scene goes to a file and comes back into a second manager.
  const char* path = "zin-demo.zin";
  {
    CZinFileWriteStream out(path);
    if (!mgr->write(&out, nullptr) || !out.close()) {
      std::fprintf(stderr, "zin: cannot write %s\n", path);
      return 1;
    }
  }
  CManagerHold second;
  CZinEntryPoints::newZinMgr(&second.mgr, eZinVersionCurrent, &feedback);
  second.mgr->setApplication("zin demo", "1.0");
  CZinFileReadStream in(path);
  if (!second.mgr->read(&in, nullptr)) {
    std::fprintf(stderr, "zin: cannot read %s back\n", path);
    return 1;
  }
  std::printf("\nread back from %s\n", path);
  PrintCollections(second.mgr);
  CZinMemoryWriteStream first, again;
  mgr->write(&first, nullptr);
  second.mgr->write(&again, nullptr);
  const bool same = first.bytes() == again.bytes();
  std::printf("\nthe two managers %s (%zu bytes written by each)\n", same ? "match" : "DIFFER", first.bytes().size());
  return same ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
  CLI::App app{"zin - inspect, check and convert ZIN scene files"};
  app.require_subcommand(1);
  CLI::App* version = app.add_subcommand("version", "print the library version and interface generation");
  CLI::App* demo = app.add_subcommand("demo", "build a sample scene, write it, read it back and compare");

  std::vector<std::string> infoFiles;
  bool infoJson = false;
  CLI::App* info = app.add_subcommand("info", "what the first bytes of files tell: version, creator, origin, preview");
  info->add_option("files", infoFiles, "ZIN files")->required();
  info->add_flag("--json", infoJson, "one JSON object per file, one per line");
  unsigned infoJobs = ZinTool::DefaultJobs();
  info->add_option("-j,--jobs", infoJobs, "files read in parallel (default: all cores)")->check(CLI::PositiveNumber);

  std::string previewFile, previewOut;
  CLI::App* preview = app.add_subcommand("preview", "write the preview image of a file as a PNG");
  preview->add_option("file", previewFile, "ZIN file")->required();
  preview->add_option("-o,--output", previewOut, "PNG file to write")->required();

  std::vector<std::string> checkFiles, checkIgnore;
  bool checkJson = false, checkStrict = false, checkCodes = false;
  size_t checkMax = 0;
  unsigned checkJobs = ZinTool::DefaultJobs();
  CLI::App* check = app.add_subcommand("check", "read files fully and report every finding with a code and a path");
  check->add_option("files", checkFiles, "ZIN files");
  check->add_flag("--json", checkJson, "one JSON object per file, one per line");
  check->add_flag("--strict", checkStrict, "warnings fail (exit status 1)");
  check->add_option("--max-issues", checkMax, "findings listed per file (0: all)");
  check->add_option("--ignore", checkIgnore, "a code or name not to report (repeatable)")->allow_extra_args(false);
  check->add_option("-j,--jobs", checkJobs, "files read in parallel (default: all cores)")->check(CLI::PositiveNumber);
  check->add_flag("--codes", checkCodes, "print the table of codes and stop");

  std::string resaveIn, resaveOut;
  CLI::App* resave = app.add_subcommand("resave", "read a file and write it again with this library");
  resave->add_option("input", resaveIn, "ZIN file to read")->required();
  resave->add_option("-o,--output", resaveOut, "ZIN file to write")->required();

  std::string importTarget, importSource, importWhat, importOut;
  CLI::App* importCommand = app.add_subcommand("import", "merge chosen kinds of content of one scene into another");
  importCommand->add_option("target", importTarget, "ZIN file that receives the content")->required();
  importCommand->add_option("source", importSource, "ZIN file the content comes from")->required();
  importCommand->add_option("--what", importWhat, "lights,heliodons,objects,views,panoramas,scenarios")->required();
  importCommand->add_option("-o,--output", importOut, "ZIN file to write")->required();

  std::vector<std::string> dumpFiles;
  bool dumpJson = false, dumpGeometry = false;
  unsigned dumpJobs = ZinTool::DefaultJobs();
  CLI::App* dump = app.add_subcommand("dump", "every collection, object and field of scenes, by element name");
  dump->add_option("files", dumpFiles, "ZIN files")->required();
  dump->add_flag("--json", dumpJson, "JSON with keys in file order");
  dump->add_flag("--geometry", dumpGeometry, "every point and polygon, not only counts and bounds");
  dump->add_option("-j,--jobs", dumpJobs, "files read in parallel (default: all cores)")->check(CLI::PositiveNumber);

  std::string diffA, diffB;
  bool diffJson = false;
  CLI::App* diff = app.add_subcommand("diff", "the fields that differ between two scenes; status 1 when any does");
  diff->add_option("a", diffA, "first ZIN file")->required();
  diff->add_option("b", diffB, "second ZIN file")->required();
  diff->add_flag("--json", diffJson, "the differences as JSON");

#ifdef ZIN_TOOL_CONVERT
  std::string convertIn, convertOut;
  long convertCancel = -1;
  CLI::App* convert = app.add_subcommand("convert", "a model (OBJ, PLY, STL, glTF, ...) to ZIN, or ZIN to a model");
  convert->add_option("input", convertIn, "file to read")->required();
  convert->add_option("-o,--output", convertOut, "file to write; its extension chooses the format")->required();
  convert->add_option("--cancel-after", convertCancel, "cancel after N progress steps (for tests)")->group("");
  std::string statsIn;
  CLI::App* stats = app.add_subcommand("model-stats", "what Assimp reads from a model (for tests)")->group("");
  stats->add_option("input", statsIn, "model")->required();
#endif

  CLI11_PARSE(app, argc, argv);
#ifdef ZIN_TOOL_CONVERT
  if (convert->parsed()) return ZinTool::RunConvert(convertIn, convertOut, convertCancel);
  if (stats->parsed()) return ZinTool::RunModelStats(statsIn);
#endif
  if (version->parsed()) return RunVersion();
  if (demo->parsed()) return RunDemo();
  if (info->parsed()) return ZinTool::RunInfo(infoFiles, infoJson, infoJobs);
  if (preview->parsed()) return ZinTool::RunPreview(previewFile, previewOut);
  if (check->parsed()) {
    if (checkCodes) return ZinTool::RunCheckCodes();
    if (checkFiles.empty()) {
      std::fprintf(stderr, "zin check: no files\n");
      return 2;
    }
    return ZinTool::RunCheck(checkFiles, checkJson, checkStrict, checkMax, checkIgnore, checkJobs);
  }
  if (resave->parsed()) return ZinTool::RunResave(resaveIn, resaveOut);
  if (importCommand->parsed()) return ZinTool::RunImport(importTarget, importSource, importWhat, importOut);
  if (dump->parsed()) return ZinTool::RunDump(dumpFiles, dumpJson, dumpGeometry, dumpJobs);
  if (diff->parsed()) return ZinTool::RunDiff(diffA, diffB, diffJson);
  return 1;
}
