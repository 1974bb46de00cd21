// zin dump, diff and check, run on files these tests build.
#include <gtest/gtest.h>

#include <functional>
#include <set>
#include <string>
#include <vector>

#include "ZinFileStreams.h"
#include "ZinSDK.h"
#include "test_support.h"
#include "tool_runner.h"

using namespace QvZin;
using QvZinTest::Replaced;

namespace {

// A small clean scene: two triangles, a light in a group, a camera and a layer.
std::string BaseScene(const std::function<void(IZinMgr*)>& edit = nullptr) {
  IZinMgr* mgr = nullptr;
  CZinEntryPoints::newZinMgr(&mgr);
  const CZinPoint corners[] = {{0, 0, 0}, {1, 0, 0}, {1, 1, 0}, {0, 1, 0.5}};
  for (const CZinPoint& p : corners) *mgr->getPoints()->newZinObject(kZinEndOfList) = p;
  for (const auto& face : {std::vector<int32_t>{0, 1, 2}, std::vector<int32_t>{0, 2, 3}}) {
    IZinPolygon* polygon = mgr->getPolygons()->newZinObject(kZinEndOfList);
    for (int32_t index : face) polygon->getContour()->newZinObject(kZinEndOfList)->mPointIndex = index;
  }
  IZinLightsGroup* group = mgr->getLightsGroups()->newZinObject(kZinEndOfList);
  group->getBasicData()->setName("Hall");
  for (const char* name : {"Lamp", "Spot"}) {
    IZinLight* light = mgr->getLights()->newZinObject(kZinEndOfList);
    light->getBasicData()->setName(name);
    light->setPower(60);
    *light->getLightsGroups()->newZinObject(kZinEndOfList) = *group->getBasicData()->getId();
  }
  mgr->getPerspectiveViews()->newZinObject(kZinEndOfList)->getBasicData()->setName("Door");
  mgr->getLayers()->newZinObject(kZinEndOfList)->getBasicData()->setName("Walls");
  if (edit) edit(mgr);
  CZinMemoryWriteStream out;
  EXPECT_TRUE(mgr->write(&out, nullptr));
  mgr->Release();
  return out.bytes();
}

std::string Id(IZinBasic* object) {
  char text[33];
  object->getBasicData()->getId()->toText(text);
  return text;
}

std::string Save(const std::string& name, const std::string& bytes) {
  const std::string path = ::testing::TempDir() + name;
  WriteFile(path, bytes);
  return path;
}

}  // namespace

TEST(ZinInspect, DumpOfTheDemoSceneHoldsEveryCollectionAndIsStable) {
  const std::string dir = ::testing::TempDir() + "zin_dump_demo";
  ASSERT_EQ(0, std::system(("mkdir -p " + dir + " && cd " + dir + " && " ZIN_TOOL_PATH " demo >/dev/null 2>&1").c_str()));
  const std::string file = dir + "/zin-demo.zin";
  const CommandResult first = RunTool("dump --json " + file);
  ASSERT_EQ(0, first.status);
  EXPECT_EQ(first.output, RunTool("dump --json " + file).output);  // the same bytes every run
  const nlohmann::json dump = nlohmann::json::parse(first.output);
  EXPECT_EQ(file, dump["file"]);
  const nlohmann::json& scene = dump["Zin.File"];
  for (const char* collection :
       {"Preview.Image", "File.Info", "Images", "Points", "Polygons", "InternalComponentDefinitions", "Heliodons",
        "Properties", "Billboards", "Lights", "Lights.Groups", "Perspective.Views", "Parallel.Views", "PanoramasV2",
        "Animations", "View.Objects", "Working.Window", "Object.Instances", "Scenarios", "Paths.3D", "Grounds",
        "Layers", "Layers.Info", "Tmp.Render.Parameters"})
    EXPECT_TRUE(scene.contains(collection)) << collection;
  ASSERT_EQ(2u, scene["Lights"]["Light"].size());
  EXPECT_EQ("Ceiling", scene["Lights"]["Light"][0]["Name"]["en"]);
  EXPECT_EQ("Porch", scene["Lights"]["Light"][1]["Name"]["en"]);
  EXPECT_EQ("60.000000", scene["Lights"]["Light"][0]["Power"]);
  EXPECT_EQ(4u, scene["Perspective.Views"]["Perspective.View"].size());
  EXPECT_EQ(nlohmann::json::parse(R"({"count":13,"bounds":{"min":[0.0,0.0,0.0],"max":[4000.0,3000.0,3200.0]}})"),
            scene["Points"]);
  EXPECT_EQ(nlohmann::json::parse(R"({"count":5,"vertices":22,"holes":1})"), scene["Polygons"]);
  EXPECT_EQ(nlohmann::json::parse(R"({"width":0,"height":0})"), scene["Preview.Image"]);
  // Keys keep the file's order.
  const nlohmann::ordered_json ordered = nlohmann::ordered_json::parse(first.output);
  EXPECT_EQ("Preview.Image", ordered["Zin.File"].begin().key());
  EXPECT_EQ("file", ordered.begin().key());

  // --geometry lists every point and polygon.
  const nlohmann::json full = nlohmann::json::parse(RunTool("dump --json --geometry " + file).output);
  EXPECT_EQ(13u, full["Zin.File"]["Points"]["points"].size());
  EXPECT_EQ(nlohmann::json::parse(R"({"property":0,"smooth":false,"contours":[[0,1,5,4],[8,9,10,11]]})"),
            full["Zin.File"]["Polygons"]["polygons"][1]);
}

TEST(ZinInspect, TextDumpIsOneFieldALine) {
  const std::string file = Save("inspect_text.zin", BaseScene());
  const CommandResult result = RunTool("dump " + file);
  ASSERT_EQ(0, result.status);
  const std::string& text = result.output;
  EXPECT_EQ(0u, text.find(file + "\nZin.File\n  Preview.Image\n    width 0\n    height 0\n  File.Info\n    Origin\n"
                                 "      X 0.000000\n      Y 0.000000\n      Z 0.000000\n  Images\n  Points\n"
                                 "    count 4\n    bounds\n      min [0.0,0.0,0.0]\n      max [1.0,1.0,0.5]\n"
                                 "  Polygons\n    count 2\n    vertices 6\n    holes 0\n"))
      << text.substr(0, 600);
  EXPECT_NE(std::string::npos, text.find("\n  Lights\n    Light[1]\n"));
  EXPECT_NE(std::string::npos, text.find("\n      Name\n        en Lamp\n"));
  EXPECT_NE(std::string::npos, text.find("\n    Light[2]\n"));
}

TEST(ZinInspect, DiffNamesExactlyTheChangedField) {
  const std::string base = BaseScene();
  const std::string a = Save("inspect_diff_a.zin", base);
  const std::string resaved = ::testing::TempDir() + "inspect_diff_resaved.zin";
  ASSERT_EQ(0, RunTool("resave " + a + " -o " + resaved).status);
  CommandResult same = RunTool("diff " + a + " " + resaved);
  EXPECT_EQ(0, same.status);
  EXPECT_EQ("", same.output);

  const std::string changed = Save("inspect_diff_b.zin", Replaced(base, "<Power>60.000000</Power>", "<Power>75</Power>"));
  const CommandResult one = RunTool("diff " + a + " " + changed);
  EXPECT_EQ(1, one.status);
  EXPECT_EQ("~ /Zin.File/Lights/Light[1]/Power \"60.000000\" -> \"75.000000\"\n", one.output);
  const nlohmann::json json = nlohmann::json::parse(RunTool("diff --json " + a + " " + changed).output);
  EXPECT_EQ(false, json["equal"]);
  EXPECT_EQ(nlohmann::json::parse(R"([{"path":"/Zin.File/Lights/Light[1]/Power","a":"60.000000","b":"75.000000"}])"),
            json["differences"]);

  // Objects with ids are matched by id: the same file with its two lights swapped
  // is the same scene.
  const std::string original = a;
  const std::string bytes = base;
  const size_t first = bytes.find("\t\t<Light\n"), second = bytes.find("\t\t<Light\n", first + 1);
  const size_t end = bytes.find("\t</Lights>");
  ASSERT_TRUE(first != std::string::npos && second != std::string::npos && end != std::string::npos);
  const std::string reordered = bytes.substr(0, first) + bytes.substr(second, end - second) +
                                bytes.substr(first, second - first) + bytes.substr(end);
  const std::string reorderedPath = Save("inspect_diff_reordered.zin", reordered);
  CommandResult byId = RunTool("diff " + original + " " + reorderedPath);
  EXPECT_EQ(0, byId.status) << byId.output;
  EXPECT_EQ(2, RunTool("diff " + original + " " + ::testing::TempDir() + "inspect_nothing.zin").status);
}

// Each code fires on the file made for it, at the given path, and nothing else does.
TEST(ZinInspect, EachCheckCodeFiresOnItsFileAndNothingElse) {
  std::string groupId, lampId, layerId;
  const std::string base = BaseScene([&](IZinMgr* mgr) {
    groupId = Id(mgr->getLightsGroups()->getZinObject(0));
    lampId = Id(mgr->getLights()->getZinObject(0));
    layerId = Id(mgr->getLayers()->getZinObject(0));
  });
  const std::string notGroup(32, 'A');
  // A material whose mapping node links one map and holds a leaf node.
  const std::string linked = "0123456789ABCDEF0123456789ABCDEF";
  const std::string shaded = BaseScene([&](IZinMgr* mgr) {
    IZinTCE* tce = mgr->getProperties()->newZinObject(kZinEndOfList)->getTCE();
    ITCENode* mapping = tce->createNode(eMappingNode);
    mapping->asMappingNode()->addLinkedMap(CZinUUID::fromText(linked.c_str()));
    ITCENode* leaf = tce->createNode(eLeafNode);
    mapping->addChild(leaf);
    tce->getRootNode()->addChild(mapping);
    leaf->Release();
    mapping->Release();
  });
  const std::string mapNode = "<Map.Node Id=\"" + linked + "\"/>";
  struct Case {
    const char* name;
    std::string bytes;  // empty: no file at all
    std::vector<std::string> codes;
    std::string path;  // of the first finding
  };
  const std::vector<Case> cases = {
      {"clean", base, {}, ""},
      {"missing", "", {"ZIN-E001"}, ""},
      {"not-zin", "<Zin.File/>", {"ZIN-E002"}, ""},
      {"invalid-label", Replaced(base, "Type=\"Point\"", "Type=\"Pointy\""), {"ZIN-E003"}, ""},
      {"missing-element", Replaced(base, "<Working.Window>", "<Working.Windows>"), {"ZIN-E004"}, ""},
      {"clipped-value", Replaced(base, "<Focal>50.000000</Focal>", "<Focal>500</Focal>"), {"ZIN-W101"},
       "/Zin.File/Perspective.Views/Perspective.View[1]"},
      {"non-finite-number", Replaced(base, "\n1.0 0.0 0.0 ", "\n1.0 NaN 0.0 "), {"ZIN-W103"}, "/Zin.File/Points"},
      {"polygon-type", Replaced(base, "\np\t0 3 0 1 2 ", "\nx\t0 3 0 1 2 "), {"ZIN-W104"}, "/Zin.File/Polygons"},
      {"data-block", Replaced(base, "\n1.0 0.0 0.0 ", "\n1.0 zero 0.0 "), {"ZIN-W105", "ZIN-E099"},
       "/Zin.File/Points"},
      {"point-index", Replaced(base, "\np\t0 3 0 2 3 ", "\np\t0 3 0 2 4 "), {"ZIN-W201"}, "/Zin.File/Polygons"},
      {"dangling-id", Replaced(base, "<Light UUID=\"" + groupId, "<Light UUID=\"" + notGroup), {"ZIN-W202"},
       "/Zin.File/Lights/Light[1]/Lights.Groups/Light[1]@UUID"},
      {"duplicate-id", Replaced(base, "<Layer UUID=\"" + layerId, "<Layer UUID=\"" + lampId), {"ZIN-W203"},
       "/Zin.File/Layers/Layer[1]"},
      {"older-form", Replaced(base, "<Color\n\t\t\t\t R=\"127\"\n\t\t\t\t G=\"127\"\n\t\t\t\t B=\"127\"/>",
                             "<Color><Red>127</Red><Green>127</Green><Blue>127</Blue></Color>"),
       {"ZIN-W204"}, "/Zin.File/Lights/Light[1]/Color"},
      {"shaded", shaded, {}, ""},
      {"unknown-node", Replaced(shaded, "Type=\"Leaf\"", "Type=\"Root\""), {"ZIN-W106", "ZIN-E099"}, ""},
      {"other-warning", Replaced(shaded, mapNode, mapNode + mapNode), {"ZIN-W199"}, "/Zin.File/Properties/Property[1]"},
  };
  for (const Case& c : cases) {
    const std::string path = c.bytes.empty() ? ::testing::TempDir() + "inspect_none.zin"
                                             : Save(std::string("inspect_check_") + c.name + ".zin", c.bytes);
    const CommandResult result = RunTool("check --json " + path);
    const std::vector<nlohmann::json> lines = JsonLines(result.output);
    ASSERT_EQ(1u, lines.size()) << c.name;
    std::vector<std::string> codes;
    for (const nlohmann::json& issue : lines[0]["issues"]) codes.push_back(issue["code"]);
    EXPECT_EQ(c.codes, codes) << c.name << ": " << result.output;
    if (!c.path.empty() && !codes.empty()) {
      EXPECT_EQ(c.path, lines[0]["issues"][0]["path"]) << c.name;
    }
    const bool error = !c.codes.empty() && c.codes.back()[4] == 'E';
    EXPECT_EQ(error ? 2 : 0, result.status) << c.name;
  }
  // An empty points block announces no points: a scene without geometry.
  const std::string empty = Save("inspect_check_count.zin", BaseScene([](IZinMgr* mgr) {
                                   mgr->getPolygons()->removeAll();
                                   mgr->getPoints()->removeAll();
                                 }));
  const nlohmann::json count = JsonLines(RunTool("check --json " + empty).output)[0];
  EXPECT_EQ(nlohmann::json::parse(R"([{"code":"ZIN-W102","name":"geometry-count","severity":"warning",)"
                                  R"("path":"/Zin.File/Points","message":"Numbers of points seems wrong"},)"
                                  R"({"code":"ZIN-W102","name":"geometry-count","severity":"warning",)"
                                  R"("path":"/Zin.File/Polygons","message":"Numbers of polygons seems wrong"}])"),
            count["issues"]);

  // The text form: a result line, then one line a finding.
  const std::string clipped = ::testing::TempDir() + "inspect_check_clipped-value.zin";
  EXPECT_EQ(clipped + ": warnings (1 issue)\n  ZIN-W101 warning /Zin.File/Perspective.Views/Perspective.View[1]: "
                      "Method setFocal has clipped a value out of range.\n",
            RunTool("check " + clipped).output);
  // --ignore by code or name, --max-issues, --strict.
  EXPECT_EQ(clipped + ": ok\n", RunTool("check --ignore ZIN-W101 " + clipped).output);
  EXPECT_EQ(clipped + ": ok\n", RunTool("check --ignore clipped-value " + clipped).output);
  EXPECT_EQ(1, RunTool("check --strict " + clipped).status);
  EXPECT_EQ(2, RunTool("check --ignore ZIN-W999 " + clipped).status);
  const nlohmann::json capped = JsonLines(RunTool("check --json --max-issues 1 " + empty).output)[0];
  EXPECT_EQ(1u, capped["issues"].size());
  EXPECT_EQ(2, capped["total"]);
  // The code table lists every code once.
  const std::string table = RunTool("check --codes").output;
  for (const char* code : {"ZIN-E001", "ZIN-E099", "ZIN-W101", "ZIN-W199", "ZIN-W201", "ZIN-W204"})
    EXPECT_NE(std::string::npos, table.find(std::string("| ") + code + " |")) << code;
}

TEST(ZinInspect, ManyFilesGiveOneResultEachInInputOrder) {
  const std::string clean = Save("inspect_many_clean.zin", BaseScene());
  const std::string clipped = Save("inspect_many_clipped.zin", Replaced(BaseScene(), "<Focal>50.000000</Focal>", "<Focal>-1</Focal>"));
  const std::string missing = ::testing::TempDir() + "inspect_many_missing.zin";
  std::vector<std::string> files;
  std::string arguments;
  for (int i = 0; i < 9; ++i) {
    files.push_back(i % 3 == 0 ? clean : i % 3 == 1 ? clipped : missing);
    arguments += " " + files.back();
  }
  for (const char* jobs : {"-j 1", "-j 3"}) {
    const CommandResult result = RunTool(std::string("check --json ") + jobs + arguments);
    EXPECT_EQ(2, result.status);  // the worst of all files
    const std::vector<nlohmann::json> lines = JsonLines(result.output);
    ASSERT_EQ(files.size(), lines.size());
    for (size_t i = 0; i < files.size(); ++i) {
      EXPECT_EQ(files[i], lines[i]["file"]) << jobs;
      EXPECT_EQ(i % 3 == 0 ? "ok" : i % 3 == 1 ? "warnings" : "errors", lines[i]["verdict"]) << jobs;
    }
  }
  const CommandResult dumps = RunTool("dump -j 2 " + clean + " " + clipped);
  EXPECT_EQ(0u, dumps.output.find(clean + "\nZin.File\n"));
  EXPECT_NE(std::string::npos, dumps.output.find("\n" + clipped + "\nZin.File\n"));
}
