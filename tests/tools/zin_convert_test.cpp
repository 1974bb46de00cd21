// zin convert, over files these tests build and over the models of assimp-testmodels.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cmath>
#include <dirent.h>
#include <functional>
#include <set>
#include <string>
#include <vector>

#include "ZinFileStreams.h"
#include "ZinSDK.h"
#include "scene/objects.h"
#include "tool_runner.h"

using namespace QvZin;

namespace {

const char* const kCorpus = "/usr/share/assimp/models";

bool Exists(const std::string& path) {
  struct stat info;
  return stat(path.c_str(), &info) == 0;
}

bool ConvertBuilt() { return RunTool("convert --help").status == 0; }

std::vector<std::string> Models() {
  std::vector<std::string> models;
  for (const char* folder : {"OBJ", "PLY", "STL", "invalid"}) {
    const std::string dir = std::string(kCorpus) + "/" + folder;
    DIR* d = opendir(dir.c_str());
    if (!d) continue;
    while (dirent* entry = readdir(d)) {
      const std::string name = entry->d_name;
      const size_t dot = name.rfind('.');
      const std::string ext = dot == std::string::npos ? "" : name.substr(dot + 1);
      if (ext == "obj" || ext == "ply" || ext == "stl") models.push_back(dir + "/" + name);
    }
    closedir(d);
  }
  return models;
}

void ExpectNear(const nlohmann::json& a, const nlohmann::json& b, const std::string& what) {
  for (int i = 0; i < 3; ++i) {
    const double x = a[i], y = b[i];
    EXPECT_NEAR(x, y, 1e-5 * std::max(1.0, std::fabs(x))) << what;
  }
}

}  // namespace

TEST(ZinConvert, TwoTrianglesBecomeAnObjOfFourVerticesAndTwoFaces) {
  if (!ConvertBuilt()) GTEST_SKIP() << "the tool was built without libassimp-dev";
  IZinMgr* mgr = nullptr;
  CZinEntryPoints::newZinMgr(&mgr);
  const CZinPoint corners[] = {{0, 0, 0}, {2, 0, 0}, {2, 1, 0}, {0, 1, 0.5}};
  for (const CZinPoint& p : corners) *mgr->getPoints()->newZinObject(kZinEndOfList) = p;
  for (const auto& face : {std::vector<int32_t>{0, 1, 2}, std::vector<int32_t>{0, 2, 3}}) {
    IZinPolygon* polygon = mgr->getPolygons()->newZinObject(kZinEndOfList);
    for (int32_t index : face) polygon->getContour()->newZinObject(kZinEndOfList)->mPointIndex = index;
  }
  const std::string zin = ::testing::TempDir() + "convert_two.zin";
  {
    CZinFileWriteStream out(zin.c_str());
    ASSERT_TRUE(mgr->write(&out, nullptr));
  }
  mgr->Release();
  const std::string obj = ::testing::TempDir() + "convert_two.obj";
  ASSERT_EQ(0, RunTool("convert " + zin + " -o " + obj).status);
  std::set<std::string> vertices;
  std::vector<std::vector<int>> faces;
  std::istringstream lines(ReadFile(obj));
  for (std::string line; std::getline(lines, line);) {
    if (line.rfind("v ", 0) == 0) vertices.insert(line);
    if (line.rfind("f ", 0) != 0) continue;
    std::istringstream corners(line.substr(2));
    std::vector<int> face;
    for (std::string corner; corners >> corner;) face.push_back(std::stoi(corner));  // "i", "i/t" or "i//n"
    faces.push_back(face);
  }
  EXPECT_EQ((std::set<std::string>{"v 0 0 0", "v 2 0 0", "v 2 1 0", "v 0 1 0.5"}), vertices);
  EXPECT_EQ((std::vector<std::vector<int>>{{1, 2, 3}, {1, 3, 4}}), faces);
  // Back into ZIN: the same counts.
  const std::string again = ::testing::TempDir() + "convert_two_again.zin";
  ASSERT_EQ(0, RunTool("convert " + obj + " -o " + again).status);
  const nlohmann::json dump = nlohmann::json::parse(RunTool("dump --json " + again).output);
  EXPECT_EQ(4, dump["Zin.File"]["Points"]["count"]);
  EXPECT_EQ(2, dump["Zin.File"]["Polygons"]["count"]);
}

namespace {

// A file of the scene that build makes.
std::string SceneFile(const std::string& name, const std::function<void(IZinMgr*)>& build) {
  IZinMgr* mgr = nullptr;
  CZinEntryPoints::newZinMgr(&mgr);
  build(mgr);
  const std::string path = ::testing::TempDir() + name;
  {
    CZinFileWriteStream out(path.c_str());
    EXPECT_TRUE(mgr->write(&out, nullptr));
  }
  mgr->Release();
  return path;
}

void AddPolygon(TZinObjectMgr<IZinPolygon>* polygons, std::vector<int32_t> outer,
                std::vector<std::vector<int32_t>> holes = {}) {
  IZinPolygon* polygon = polygons->newZinObject(kZinEndOfList);
  for (int32_t index : outer) polygon->getContour()->newZinObject(kZinEndOfList)->mPointIndex = index;
  for (const std::vector<int32_t>& hole : holes) {
    IZinPolygon::IZinHole* made = polygon->getHoles()->newZinObject(kZinEndOfList);
    for (int32_t index : hole) made->getContour()->newZinObject(kZinEndOfList)->mPointIndex = index;
  }
}

// The "v" lines of an OBJ, sorted, its faces as lists of vertex numbers, and the area
// its faces cover (each face taken as a fan).
struct CObj {
  std::vector<std::string> vertices;
  std::vector<std::vector<int>> faces;
  double area = 0;
};

CObj ReadObj(const std::string& path) {
  CObj obj;
  std::vector<std::array<double, 3>> at;
  std::istringstream lines(ReadFile(path));
  for (std::string line; std::getline(lines, line);) {
    std::istringstream fields(line.substr(std::min<size_t>(2, line.size())));
    if (line.rfind("v ", 0) == 0) {
      obj.vertices.push_back(line);
      std::array<double, 3> p{};
      fields >> p[0] >> p[1] >> p[2];
      at.push_back(p);
    }
    if (line.rfind("f ", 0) != 0) continue;
    std::vector<int> face;
    for (std::string corner; fields >> corner;) face.push_back(std::stoi(corner));
    for (size_t i = 1; i + 1 < face.size(); ++i) {
      const auto &a = at[face[0] - 1], &b = at[face[i] - 1], &c = at[face[i + 1] - 1];
      const double u[3] = {b[0] - a[0], b[1] - a[1], b[2] - a[2]}, v[3] = {c[0] - a[0], c[1] - a[1], c[2] - a[2]};
      const double n[3] = {u[1] * v[2] - u[2] * v[1], u[2] * v[0] - u[0] * v[2], u[0] * v[1] - u[1] * v[0]};
      obj.area += std::sqrt(n[0] * n[0] + n[1] * n[1] + n[2] * n[2]) / 2;
    }
    obj.faces.push_back(face);
  }
  std::sort(obj.vertices.begin(), obj.vertices.end());
  return obj;
}

}  // namespace

// What goes out beyond the scene's own polygons: a material's diffuse colour and
// texture, polygons with holes (as triangles that leave the holes open), instances
// of internal components (their component's geometry, placed by the instance); and
// what comes in: a model's material colour and texture, which go out again.
TEST(ZinConvert, MaterialsHolesAndInstancesGoOut) {
  if (!ConvertBuilt()) GTEST_SKIP() << "the tool was built without libassimp-dev";
  const std::string mtlIn = ::testing::TempDir() + "convert_look.mtl";
  WriteFile(mtlIn, "newmtl Brick\nKd 1 0.5 0\nmap_Kd brick.png\n");
  const std::string objIn = ::testing::TempDir() + "convert_look.obj";
  WriteFile(objIn, "mtllib convert_look.mtl\nv 0 0 0\nv 1 0 0\nv 0 1 0\nusemtl Brick\nf 1 2 3\n");
  const std::string lookZin = ::testing::TempDir() + "convert_look.zin";
  ASSERT_EQ(0, RunTool("convert " + objIn + " -o " + lookZin).status);

  struct Case {
    const char* name;
    std::string zin;
    std::vector<std::string> vertices;  // sorted "v" lines
    size_t faces;
    double area;
    std::vector<std::string> mtl;  // lines the material library holds
  };
  const std::vector<Case> cases = {
      {"material",
       SceneFile("convert_material.zin",
                 [](IZinMgr* mgr) {
                   IZinProperty* property = mgr->getProperties()->newZinObject(kZinEndOfList);
                   property->getBasicData()->setName("Wood");
                   IZinTCE* tce = property->getTCE();
                   ITCENode* mapping = tce->createNode(eMappingNode);
                   IZinMap* map = mapping->asMappingNode()->getMaps()->newZinObject(kZinEndOfList);
                   map->setType(1);
                   map->setURL("oak.png");
                   ITCENode* leaf = tce->createNode(eLeafNode);
                   leaf->asLeafNode()->setDiffuse(CZinColor(255, 0, 51));
                   mapping->addChild(leaf);
                   tce->getRootNode()->addChild(mapping);
                   leaf->Release();
                   mapping->Release();
                   for (const CZinPoint& p : {CZinPoint{0, 0, 0}, CZinPoint{1, 0, 0}, CZinPoint{0, 1, 0}})
                     *mgr->getPoints()->newZinObject(kZinEndOfList) = p;
                   AddPolygon(mgr->getPolygons(), {0, 1, 2});
                 }),
       {"v 0 0 0", "v 0 1 0", "v 1 0 0"},
       1,
       0.5,
       {"newmtl Wood", "Kd 1 0 0.200000003", "map_Kd oak.png"}},
      {"holes",
       SceneFile("convert_holes.zin",
                 [](IZinMgr* mgr) {
                   // A 4 x 4 square with a 2 x 2 hole, and a triangle with a hole of
                   // two corners (no hole at all).
                   for (const CZinPoint& p : {CZinPoint{0, 0, 0}, CZinPoint{4, 0, 0}, CZinPoint{4, 4, 0},
                                              CZinPoint{0, 4, 0}, CZinPoint{1, 1, 0}, CZinPoint{3, 1, 0},
                                              CZinPoint{3, 3, 0}, CZinPoint{1, 3, 0}})
                     *mgr->getPoints()->newZinObject(kZinEndOfList) = p;
                   AddPolygon(mgr->getPolygons(), {0, 1, 2, 3}, {{4, 5, 6, 7}});
                   AddPolygon(mgr->getPolygons(), {0, 1, 2}, {{4, 5}});
                 }),
       {"v 0 0 0", "v 0 4 0", "v 1 1 0", "v 1 3 0", "v 3 1 0", "v 3 3 0", "v 4 0 0", "v 4 4 0"},
       9,
       12 + 8,
       {}},
      {"holes in a concave outline",
       SceneFile("convert_concave.zin",
                 [](IZinMgr* mgr) {
                   // An L standing in the plane y = 0 with two square holes, all three
                   // contours turning the same way.
                   const double corners[][2] = {{0, 0}, {6, 0}, {6, 2}, {2, 2}, {2, 6}, {0, 6}, {0.5, 0.5},
                                                {1.5, 0.5}, {1.5, 1.5}, {0.5, 1.5}, {4, 0.5}, {5, 0.5}, {5, 1.5}, {4, 1.5}};
                   for (const auto& c : corners) *mgr->getPoints()->newZinObject(kZinEndOfList) = CZinPoint{c[0], 0, c[1]};
                   AddPolygon(mgr->getPolygons(), {0, 1, 2, 3, 4, 5}, {{6, 7, 8, 9}, {10, 11, 12, 13}});
                 }),
       {"v 0 0 0", "v 0 0 6", "v 0.5 0 0.5", "v 0.5 0 1.5", "v 1.5 0 0.5", "v 1.5 0 1.5", "v 2 0 2", "v 2 0 6",
        "v 4 0 0.5", "v 4 0 1.5", "v 5 0 0.5", "v 5 0 1.5", "v 6 0 0", "v 6 0 2"},
       16,
       20 - 2,
       {}},
      {"instances",
       SceneFile("convert_instances.zin",
                 [](IZinMgr* mgr) {
                   auto* component = static_cast<CZinZinObjectDefinition*>(
                       mgr->getInternalComponentDefinitions()->newZinObject(kZinEndOfList));
                   for (const CZinPoint& p : {CZinPoint{0, 0, 0}, CZinPoint{1, 0, 0}, CZinPoint{0, 1, 0}})
                     *component->points().newZinObject(kZinEndOfList) = p;
                   IZinPolygon* polygon = component->polygons().newZinObject(kZinEndOfList);
                   for (int32_t index : {0, 1, 2}) polygon->getContour()->newZinObject(kZinEndOfList)->mPointIndex = index;
                   // Two instances of it (the second scaled by 2, turned 90 degrees about
                   // Z and moved by 10 along X) and one of a component that is not there.
                   for (int i = 0; i < 3; ++i) {
                     IZinObjectInstance* instance = mgr->getObjectInstances()->newZinObject(kZinEndOfList);
                     instance->setClass("ModelObject");
                     IZinInternalComponentInstance* kind = nullptr;
                     ASSERT_EQ(kZinOk, instance->QueryInterface(IZinInternalComponentInstance::sIID,
                                                                reinterpret_cast<void**>(&kind)));
                     kind->setComponentId(i < 2 ? *component->getBasicData()->getId() : CZinUUID());
                     kind->Release();
                     if (i == 1) {
                       instance->setScale(CZinVector3D(2, 2, 2));
                       instance->setRotation(CZinVector3D(0, 0, 90));
                       instance->setTranslation(CZinVector3D(10, 0, 0));
                     }
                   }
                 }),
       {"v 0 0 0", "v 0 1 0", "v 1 0 0", "v 10 0 0", "v 10 2 0", "v 8 0 0"},
       2,
       0.5 + 2,
       {}},
      {"material read", lookZin, {"v 0 0 0", "v 0 1 0", "v 1 0 0"}, 1, 0.5,
       {"newmtl Brick", "Kd 1 0.501960814 0", "map_Kd brick.png"}},
  };
  for (const Case& c : cases) {
    const std::string obj = ::testing::TempDir() + "convert_out_" + std::to_string(&c - cases.data()) + ".obj";
    ASSERT_EQ(0, RunTool("convert " + c.zin + " -o " + obj).status) << c.name;
    const CObj got = ReadObj(obj);
    EXPECT_EQ(c.vertices, got.vertices) << c.name;
    EXPECT_EQ(c.faces, got.faces.size()) << c.name;
    EXPECT_NEAR(c.area, got.area, 1e-9) << c.name;
    const std::string mtl = ReadFile(obj.substr(0, obj.size() - 4) + ".mtl");
    for (const std::string& line : c.mtl) EXPECT_NE(std::string::npos, mtl.find(line + "\n")) << c.name << ": " << mtl;
  }
}

TEST(ZinConvert, ACancelledOrFailedConversionLeavesNoFile) {
  if (!ConvertBuilt()) GTEST_SKIP() << "the tool was built without libassimp-dev";
  const std::string out = ::testing::TempDir() + "convert_cancelled.zin";
  std::remove(out.c_str());
  EXPECT_EQ(130, RunTool("convert --cancel-after 1 " + std::string(kCorpus) + "/OBJ/spider.obj -o " + out).status);
  EXPECT_FALSE(Exists(out));
  // Assimp's own message, status 2, nothing written.
  const std::string command = std::string(ZIN_TOOL_PATH) + " convert " + kCorpus + "/invalid/malformed.obj -o " + out +
                              " 2>&1";
  FILE* pipe = popen(command.c_str(), "r");
  char buffer[512] = {};
  const size_t got = fread(buffer, 1, sizeof buffer - 1, pipe);
  const int status = pclose(pipe);
  EXPECT_EQ(2, WEXITSTATUS(status));
  EXPECT_EQ("zin: " + std::string(kCorpus) + "/invalid/malformed.obj: OBJ: Invalid face index.\n",
            std::string(buffer, got));
  EXPECT_FALSE(Exists(out));
}

// Every OBJ, PLY and STL model of the corpus: into ZIN with the counts and bounds Assimp
// reads from the original, and back into its format with the same faces and bounds;
// what Assimp cannot read fails cleanly.
TEST(ZinConvert, TheCorpusGoesIntoZinAndBack) {
  if (!ConvertBuilt()) GTEST_SKIP() << "the tool was built without libassimp-dev";
  const std::vector<std::string> models = Models();
  if (models.empty()) GTEST_SKIP() << "assimp-testmodels is not installed";
  int converted = 0, refused = 0;
  for (const std::string& model : models) {
    const std::string name = model.substr(model.rfind('/') + 1);
    const std::string zin = ::testing::TempDir() + "corpus_" + name + ".zin";
    const std::string back = ::testing::TempDir() + "corpus_back_" + name;
    const CommandResult original = RunTool("model-stats " + model);
    const CommandResult into = RunTool("convert " + model + " -o " + zin);
    if (original.status != 0) {
      EXPECT_EQ(2, into.status) << name;
      EXPECT_FALSE(Exists(zin)) << name;
      ++refused;
      continue;
    }
    ASSERT_EQ(0, into.status) << name;
    const nlohmann::json stats = nlohmann::json::parse(original.output);
    const nlohmann::json scene = nlohmann::json::parse(RunTool("dump --json " + zin).output)["Zin.File"];
    EXPECT_EQ(stats["vertices"], scene["Points"]["count"]) << name;
    EXPECT_EQ(stats["faces"], scene["Polygons"]["count"]) << name;
    if (stats["vertices"] > 0) {
      ExpectNear(stats["min"], scene["Points"]["bounds"]["min"], name);
      ExpectNear(stats["max"], scene["Points"]["bounds"]["max"], name);
    }
    ASSERT_EQ(0, RunTool("convert " + zin + " -o " + back).status) << name;
    if (stats["faces"] == 0) continue;  // lines and points have no faces to carry back
    const CommandResult again = RunTool("model-stats " + back);
    ASSERT_EQ(0, again.status) << name;
    const nlohmann::json returned = nlohmann::json::parse(again.output);
    EXPECT_EQ(stats["faces"], returned["faces"]) << name;
    ExpectNear(stats["min"], returned["min"], name);
    ExpectNear(stats["max"], returned["max"], name);
    ++converted;
  }
  EXPECT_GE(converted, 25);
  EXPECT_GE(refused, 5);
}
