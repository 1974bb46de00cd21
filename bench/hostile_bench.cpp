// Time on hostile shapes (tests/hostile/hostile_shapes.h): each shape made at 4 MiB
// and at 16 MiB and fed to its entry point; the least time of three runs of each.
// Work that grows linearly takes about 4 times as long on the larger input; the
// limit is 5 times, and 2 seconds for either.
//
// The C allocator is told to keep freed memory (benchmark only): otherwise each
// large buffer comes as new pages from the system, whose first touch costs about 3 ms
// per MiB on the reference machine and would be measured instead of the parser.
#include <benchmark/benchmark.h>
#if __has_include(<malloc.h>)
#include <malloc.h>
#endif

#include <algorithm>
#include <chrono>
#include <string>

#include "hostile/hostile_shapes.h"

namespace {

constexpr size_t kMiB = size_t{1} << 20;

double LeastSeconds(const HostileShapes::CShape& shape, const std::string& text, benchmark::State& state) {
  double least = 1e9;
  for (int run = 0; run < 3; ++run) {
    const auto start = std::chrono::steady_clock::now();
    const std::string error = shape.read(text);
    least = std::min(least, std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
    if (!error.empty()) state.SkipWithError(error.c_str());
  }
  return least;
}

void BM_HostileShape(benchmark::State& state, const HostileShapes::CShape* shape) {
  const std::string small = shape->make(4 * kMiB);
  const std::string large = shape->make(16 * kMiB);
  for (auto _ : state) {
    const double smallSeconds = LeastSeconds(*shape, small, state);
    const double largeSeconds = LeastSeconds(*shape, large, state);
    state.SetIterationTime(largeSeconds);
    state.counters["4MiB_ms"] = smallSeconds * 1e3;
    state.counters["16MiB_ms"] = largeSeconds * 1e3;
    state.counters["ratio"] = largeSeconds / std::max(smallSeconds, 1e-6);
  }
}

const bool kRegistered = [] {
#if __has_include(<malloc.h>)
  mallopt(M_MMAP_MAX, 0);
  mallopt(M_TRIM_THRESHOLD, -1);
#endif
  for (const HostileShapes::CShape& shape : HostileShapes::Shapes())
    benchmark::RegisterBenchmark(shape.name, BM_HostileShape, &shape)
        ->Iterations(1)
        ->UseManualTime()
        ->Unit(benchmark::kMillisecond);
  return true;
}();

}  // namespace

BENCHMARK_MAIN();
