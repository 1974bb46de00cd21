// Allocation failures during a reference import: for every k until the import runs
// without reaching it, the k-th allocation fails. The import must stop with one
// report through the target's feedback object, throw nothing, leak nothing, and leave
// a target that writes a whole document.
#include <gtest/gtest.h>

#include <cstdio>
#include <set>
#include <string>
#include <vector>

#include "ZinFileStreams.h"
#include "ZinSDK.h"
#include "counting_allocator.h"
#include "fuzz/fuzz_support.h"

namespace {

using namespace QvZin;

class CImportFeedback final : public IZinFeedback {
public:
  bool warning(IZinMgr*, const char* message) override {
    HostileTest::CNoFailures paused;
    mWarnings.push_back(message ? message : "<null>");
    return true;
  }
  bool progress(IZinMgr*, int, int) override { return true; }
  std::vector<std::string> mWarnings;
};

void FillSource(IZinMgr* mgr) {
  mgr->getLayers()->newZinObject(kZinEndOfList)->getBasicData()->setName("Walls");
  for (const char* name : {"Porch", "Hall", "Porch"})
    mgr->getLights()->newZinObject(kZinEndOfList)->getBasicData()->setName(name);
  for (const char* name : {"Entrance", "Garden"}) {
    IZinCamera* view = mgr->getPerspectiveViews()->newZinObject(kZinEndOfList);
    view->getBasicData()->setName(name);
    *view->getViewInfo()->getLayers()->newZinObject(kZinEndOfList) =
        *mgr->getLayers()->getZinObject(0)->getBasicData()->getId();
  }
  IZinZinObjectDefinition* definition = mgr->getObjectDefinitions()->getDefinitions()->newZinObject(kZinEndOfList);
  definition->setClass("ZinObject");
  IZinObjectInstance* chair = mgr->getObjectInstances()->newZinObject(kZinEndOfList);
  chair->setClass("ZinObject");
  chair->setOverloadId(*definition->getBasicData()->getId());
  mgr->getProperties()->newZinObject(kZinEndOfList)->getBasicData()->setName("Brick");
  mgr->getScenarios()->newZinObject(kZinEndOfList)->getBasicData()->setName("Story");
}

TEST(AllocationFailures, AnImportStopsAtAFailureWithOneReportAndTheTargetStillWrites) {
  const std::string prefix = "Exception in doImportReference : ";
  ZinFuzz::CManager source(nullptr);
  FillSource(source.get());
  int failed = 0, absorbed = 0;
  uint64_t runs = 0;
  std::set<std::string> texts;
  for (uint64_t k = 1;; ++k) {
    CImportFeedback feedback;
    ZinFuzz::CManager target(&feedback);
    target->getLights()->newZinObject(kZinEndOfList)->getBasicData()->setName("Hall");
    target->getLayers()->newZinObject(kZinEndOfList)->getBasicData()->setName("Roof");
    bool reached;
    {
      HostileTest::FailAllocation(k);
      IZinMgr::doImportReference(target.get(), source.get(), 0x40 | 0x10 | 0x80 | 0x800);
      reached = HostileTest::FailureHappened();
      HostileTest::FailAllocation(0);
    }
    int reports = 0;
    for (const std::string& text : feedback.mWarnings)
      if (text.compare(0, prefix.size(), prefix) == 0) {
        ++reports;
        texts.insert(text);
      }
    EXPECT_LE(reports, 1) << "allocation " << k;
    CZinMemoryWriteStream out;
    EXPECT_TRUE(target->write(&out, nullptr)) << "allocation " << k;
    runs = k;
    if (!reached) {
      EXPECT_EQ(0, reports);
      EXPECT_EQ(2u, target->getLights()->getCount());
      EXPECT_EQ(2u, target->getPerspectiveViews()->getCount());
      break;
    }
    ++(reports ? failed : absorbed);
  }
  std::printf("  imports: %llu allocations swept, %d reported, %d absorbed\n", static_cast<unsigned long long>(runs),
              failed, absorbed);
  EXPECT_GT(failed, 0);
  EXPECT_EQ(1u, texts.count(prefix + "std::bad_alloc"));
}

}  // namespace
