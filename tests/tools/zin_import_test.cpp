// zin import, run on files this test builds.
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "ZinFileStreams.h"
#include "ZinSDK.h"
#include "tool_runner.h"

using namespace QvZin;

namespace {

std::string Scene(const std::function<void(IZinMgr*)>& fill) {
  IZinMgr* mgr = nullptr;
  CZinEntryPoints::newZinMgr(&mgr);
  fill(mgr);
  CZinMemoryWriteStream out;
  EXPECT_TRUE(mgr->write(&out, nullptr));
  mgr->Release();
  return out.bytes();
}

void AddCamera(IZinMgr* mgr, const char* name, double focal) {
  IZinCamera* camera = mgr->getPerspectiveViews()->newZinObject(kZinEndOfList);
  camera->getBasicData()->setName(name);
  camera->setFocal(focal);
}

TEST(ZinImport, MergesTheNamedKindsAndWritesWhatTheLibraryWould) {
  auto target = [](IZinMgr* mgr) {
    AddCamera(mgr, "Side", 20);
    AddCamera(mgr, "Top", 30);
    mgr->getLights()->newZinObject(kZinEndOfList)->getBasicData()->setName("Hall");
  };
  auto source = [](IZinMgr* mgr) {
    AddCamera(mgr, "Front", 40);
    AddCamera(mgr, "Side", 50);
    mgr->getLights()->newZinObject(kZinEndOfList)->getBasicData()->setName("Porch");
    mgr->getScenarios()->newZinObject(kZinEndOfList)->getBasicData()->setName("Story");
  };
  const std::string dir = ::testing::TempDir();
  WriteFile(dir + "import_target.zin", Scene(target));
  WriteFile(dir + "import_source.zin", Scene(source));
  const std::string files = dir + "import_target.zin " + dir + "import_source.zin ";

  const CommandResult result = RunTool("import " + files + "--what views,scenarios -o " + dir + "import_out.zin");
  EXPECT_EQ(0, result.status);
  // The warnings are the reader's, one per empty geometry block of the two files.
  EXPECT_EQ(dir +
                "import_out.zin written: 1 lights, 1 heliodons, 0 objects, 3 perspective views, 0 parallel views, "
                "0 view objects, 0 panoramas, 1 scenarios (4 warnings)\n",
            result.output);
  // The same import through the library gives the same bytes.
  IZinMgr* into = nullptr;
  IZinMgr* from = nullptr;
  CZinEntryPoints::newZinMgr(&into);
  CZinEntryPoints::newZinMgr(&from);
  target(into);
  source(from);
  IZinMgr::doImportReference(into, from, 0x80 | 0x100 | 0x200 | 0x800);
  CZinMemoryWriteStream expected;
  EXPECT_TRUE(into->write(&expected, nullptr));
  into->Release();
  from->Release();
  const std::string written = ReadFile(dir + "import_out.zin");
  EXPECT_EQ(expected.bytes().size(), written.size());

  EXPECT_EQ(2, RunTool("import " + files + "--what views,cameras -o " + dir + "import_bad.zin").status);
  EXPECT_EQ("", ReadFile(dir + "import_bad.zin"));
  EXPECT_EQ(2, RunTool("import " + dir + "missing.zin " + dir + "import_source.zin --what lights -o " + dir +
                       "import_bad.zin")
                   .status);
}

}  // namespace
