// zin convert, over files these tests build and over the models of assimp-testmodels.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cmath>
#include <dirent.h>
#include <set>
#include <string>
#include <vector>

#include "ZinFileStreams.h"
#include "ZinSDK.h"
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
