// Collections on the geometry path: a points block appends one record per point,
// a polygons block one counted polygon (with its two contour collections) per
// polygon.
#include <benchmark/benchmark.h>

#include "ZinGeometry.h"
#include "framework/object_mgr.h"
#include "geometry/polygon.h"

using namespace QvZin;

namespace {

void AppendPoints(benchmark::State& state) {
  const auto count = static_cast<uint32_t>(state.range(0));
  const bool announced = state.range(1) != 0;
  for (auto _ : state) {
    auto points = NewZinCollection<TSimpleMgr<CZinPoint>>(nullptr, 1024);
    if (announced) points->reserve(count);
    for (uint32_t i = 0; i < count; ++i) {
      CZinPoint* p = points->newZinObject(kZinEndOfList);
      p->mX = i;
      p->mY = 1;
      p->mZ = 2;
    }
    benchmark::DoNotOptimize(points->getZinObject(count - 1));
  }
  state.SetItemsProcessed(state.iterations() * count);
}
BENCHMARK(AppendPoints)->Args({1000000, 0})->Args({1000000, 1})->Unit(benchmark::kMillisecond);

void AppendPolygons(benchmark::State& state) {
  const auto count = static_cast<uint32_t>(state.range(0));
  for (auto _ : state) {
    auto polygons = NewZinCollection<TObject2Mgr<CPolygon, IZinPolygon>>(nullptr);
    polygons->reserve(count);
    for (uint32_t i = 0; i < count; ++i) {
      TZinObjectMgr<CZinVertex>* contour = polygons->newZinObject(kZinEndOfList)->getContour();
      for (int32_t v = 0; v < 3; ++v) contour->newZinObject(kZinEndOfList)->mPointIndex = v;
    }
    benchmark::DoNotOptimize(polygons->getCount());
  }
  state.SetItemsProcessed(state.iterations() * count);
}
BENCHMARK(AppendPolygons)->Arg(100000)->Unit(benchmark::kMillisecond);

void MoveFrontToBack(benchmark::State& state) {
  auto points = NewZinCollection<TSimpleMgr<CZinPoint>>(nullptr);
  for (int64_t i = 0; i < state.range(0); ++i) points->newZinObject(kZinEndOfList);
  const auto last = static_cast<uint32_t>(state.range(0) - 1);
  for (auto _ : state) points->moveObject(0, last);
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(MoveFrontToBack)->Arg(100000);

}  // namespace

BENCHMARK_MAIN();
