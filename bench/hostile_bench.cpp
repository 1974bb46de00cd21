// Time on hostile shapes (tests/hostile/hostile_shapes.h): each shape made at 4 MiB
// and at 16 MiB and fed to its entry point; the least time of the runs of each.
// Work that grows linearly takes about 4 times as long on the larger input; the
// limit is 5 times, and 2 seconds for either.
//
//   zin_hostile_bench --once=N:MiB:RUNS   makes shape N (0-based, in the order listed)
//                                         at MiB and reads it RUNS times, untimed: for
//                                         bench/hostile_instructions.sh, which counts
//                                         the instructions of the reads alone
//
// What is timed is the library's work on memory it has had before. The C allocator
// is told to keep freed memory (benchmark only), and the two sizes run in turns, at
// least 6 rounds and until each has had three runs in a row that took no new page
// from the system (30 rounds at most): a new page costs about 3 ms per MiB on the
// reference machine, and the allocator's heap takes several runs of a large input to
// settle. Taking turns puts both sizes under the same host: the reference machine's
// speed changes by half within minutes.
#include <benchmark/benchmark.h>
#if __has_include(<malloc.h>)
#include <malloc.h>
#endif
#if __has_include(<sys/resource.h>)
#include <sys/resource.h>
#endif

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "hostile/hostile_shapes.h"

namespace {

constexpr size_t kMiB = size_t{1} << 20;
constexpr int kFewestRounds = 6, kMostRounds = 30;

// Pages the process has taken from the system so far (0 where that is not known).
long PagesTaken() {
#if __has_include(<sys/resource.h>)
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return usage.ru_minflt + usage.ru_majflt;
#else
  return 0;
#endif
}

// The least time of one input's runs, and whether its last runs took no new page.
struct CRuns {
  double mLeast = 1e9;
  int mSettled = 0;  // runs in a row that took no new page

  void Run(const HostileShapes::CShape& shape, const std::string& text, benchmark::State& state) {
    const long pages = PagesTaken();
    const auto start = std::chrono::steady_clock::now();
    const std::string error = shape.read(text);
    mLeast = std::min(mLeast, std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
    mSettled = PagesTaken() == pages ? mSettled + 1 : 0;
    if (!error.empty()) state.SkipWithError(error.c_str());
  }
};

void BM_HostileShape(benchmark::State& state, const HostileShapes::CShape* shape) {
  const std::string small = shape->make(4 * kMiB);
  const std::string large = shape->make(16 * kMiB);
  for (auto _ : state) {
    // The sizes take turns, so that a change in the host's speed falls on both.
    CRuns smallRuns, largeRuns;
    for (int round = 0; round < kMostRounds; ++round) {
      smallRuns.Run(*shape, small, state);
      largeRuns.Run(*shape, large, state);
      if (round + 1 >= kFewestRounds && smallRuns.mSettled >= 3 && largeRuns.mSettled >= 3) break;
    }
    const double smallSeconds = smallRuns.mLeast, largeSeconds = largeRuns.mLeast;
    state.SetIterationTime(largeSeconds);
    state.counters["4MiB_ms"] = smallSeconds * 1e3;
    state.counters["16MiB_ms"] = largeSeconds * 1e3;
    state.counters["ratio"] = largeSeconds / std::max(smallSeconds, 1e-6);
  }
}

int Once(const char* request) {
  unsigned index = 0, mib = 0, runs = 0;
  const auto& shapes = HostileShapes::Shapes();
  if (std::sscanf(request, "%u:%u:%u", &index, &mib, &runs) != 3 || index >= shapes.size() || mib == 0) {
    std::fprintf(stderr, "--once=N:MiB:RUNS, N below %zu\n", shapes.size());
    return 2;
  }
  const std::string text = shapes[index].make(mib * kMiB);
  for (unsigned run = 0; run < runs; ++run) {
    const std::string error = shapes[index].read(text);
    if (!error.empty()) {
      std::fprintf(stderr, "%s: %s\n", shapes[index].name, error.c_str());
      return 1;
    }
  }
  std::printf("%s\n", shapes[index].name);
  return 0;
}

void Register() {
  for (const HostileShapes::CShape& shape : HostileShapes::Shapes())
    benchmark::RegisterBenchmark(shape.name, BM_HostileShape, &shape)
        ->Iterations(1)
        ->UseManualTime()
        ->Unit(benchmark::kMillisecond);
}

}  // namespace

int main(int argc, char** argv) {
  for (int i = 1; i < argc; ++i)
    if (std::strncmp(argv[i], "--once=", 7) == 0) return Once(argv[i] + 7);
#if __has_include(<malloc.h>)
  mallopt(M_MMAP_MAX, 0);
  mallopt(M_TRIM_THRESHOLD, -1);
#endif
  Register();
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
