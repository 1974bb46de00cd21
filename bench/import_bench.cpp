// Reference import of lights: a source of n lights into a target of n lights of
// other names, so that every source light is looked up and appended. Linear time
// shows as a constant time per light from n = 10,000 to 40,000.
#include <benchmark/benchmark.h>

#include <memory>
#include <string>

#include "ZinSDK.h"

using namespace QvZin;

namespace {

struct CManager {
  IZinMgr* mgr = nullptr;
  CManager() { CZinEntryPoints::newZinMgr(&mgr); }
  ~CManager() { mgr->Release(); }
  CManager(const CManager&) = delete;
  CManager& operator=(const CManager&) = delete;
};

void AddLights(IZinMgr* mgr, const char* prefix, int count) {
  TZinObjectMgr<IZinLight>* lights = mgr->getLights();
  lights->reserve(static_cast<uint32_t>(count) * 2);
  for (int i = 0; i < count; ++i) {
    IZinLight* light = lights->newZinObject(kZinEndOfList);
    light->getBasicData()->setName((prefix + std::to_string(i)).c_str());
    light->setPower(10 + i % 90);
  }
}

void ImportLights(benchmark::State& state) {
  const int count = static_cast<int>(state.range(0));
  CManager source;
  AddLights(source.mgr, "Source ", count);
  for (auto _ : state) {
    state.PauseTiming();
    auto target = std::make_unique<CManager>();
    AddLights(target->mgr, "Target ", count);
    state.ResumeTiming();
    IZinMgr::doImportReference(target->mgr, source.mgr, 0x10);
    state.PauseTiming();
    if (target->mgr->getLights()->getCount() != static_cast<uint32_t>(2 * count)) state.SkipWithError("lights lost");
    target.reset();
    state.ResumeTiming();
  }
  state.SetItemsProcessed(state.iterations() * count);
  state.SetComplexityN(count);
}
BENCHMARK(ImportLights)->Arg(10000)->Arg(20000)->Arg(40000)->Arg(80000)->Unit(benchmark::kMillisecond)->Complexity(benchmark::oN);

}  // namespace

BENCHMARK_MAIN();
