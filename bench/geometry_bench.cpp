// Geometry blocks at scale: a scene of 10 million points and 5 million polygons
// (triangles and quads, one in twenty with a hole, one in five with mapping
// coordinates) written to a file and read back into a new manager, and each block
// routine beside the C library's and the standard library's conversions of the same
// numbers.
//
// The whole-file cases run first, in a process that holds nothing else yet, so that
// their resident sizes are the file's own: peak_rss is the highest resident size
// during the operation (the kernel's mark is reset just before), rss_after the
// resident size once it is done, added_rss the peak over the size before.
#include <benchmark/benchmark.h>
#if __has_include(<malloc.h>)
#include <malloc.h>
#endif

#include <sys/mman.h>

#include <algorithm>
#include <chrono>
#include <charconv>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "ZinFileStreams.h"
#include "ZinSDK.h"
#include "manager/geometry_blocks.h"
#include "geometry/polygon_store.h"
#include "manager/mgr.h"

using namespace QvZin;

namespace {

constexpr uint32_t kPoints = 10000000;
constexpr uint32_t kPolygons = 5000000;
constexpr double kMiB = 1024.0 * 1024.0;

// ---- resident size (Linux)

int64_t StatusKiB(const char* field) {
  std::ifstream status("/proc/self/status");
  std::string line;
  const size_t length = std::strlen(field);
  while (std::getline(status, line))
    if (line.compare(0, length, field) == 0) return std::atoll(line.c_str() + length + 1);
  return 0;
}

double ResidentMiB() { return StatusKiB("VmRSS") / 1024.0; }
double PeakMiB() { return StatusKiB("VmHWM") / 1024.0; }

// Gives freed memory back and starts a new peak from the current size.
void ResetPeak() {
#if __has_include(<malloc.h>)
  malloc_trim(0);
#endif
  std::ofstream("/proc/self/clear_refs") << "5";
}

// ---- the scene, made from the index alone

uint64_t Mix(uint64_t x) {
  x += 0x9E3779B97F4A7C15ull;
  x = (x ^ (x >> 30)) * 0xBF58476D1CE4E5B9ull;
  x = (x ^ (x >> 27)) * 0x94D049BB133111EBull;
  return x ^ (x >> 31);
}

// Millimetre coordinates of a building: x to the micrometre, y with whatever
// fraction the arithmetic leaves, z on storey heights.
void ScenePoint(uint32_t i, double* xyz) {
  const uint64_t h = Mix(i);
  xyz[0] = static_cast<double>(h % 100000000) / 1000.0 - 50000.0;
  xyz[1] = static_cast<double>((h >> 27) % 60000000) / 7.0 - 4000000.0 / 7.0;
  xyz[2] = static_cast<double>((h >> 54) % 40) * 250.0;
}

struct CShape {
  int corners;
  bool hole, mapped, smooth;
};

CShape SceneShape(uint32_t i) {
  const bool hole = i % 20 == 0;
  return {i % 10 < 6 ? 3 : 4, hole, i % 5 == 1, !hole && i % 7 == 0};
}

CZinVertex SceneVertex(uint32_t i, int corner, bool mapped) {
  const uint64_t h = Mix((uint64_t{i} << 3) + static_cast<uint64_t>(corner));
  CZinVertex vertex{static_cast<int32_t>(h % kPoints), mapped ? CZinVertex::kMapped : 0u, 0.0f, 0.0f};
  if (mapped) {
    vertex.mU = static_cast<float>((h >> 32) % 1000) / 1000.0f;
    vertex.mV = static_cast<float>((h >> 42) % 4096) / 4096.0f;
  }
  return vertex;
}

// A client's storage that makes the scene as the library asks for it: the write of
// a scene that lives in the client's own structures.
class CSceneStorage final : public IZinExtStorageWriter, public IZinExtStorageWriter::IWriter {
public:
  IZinExtStorageWriter::IWriter* createGeometryWriter(const CZinUUID&) override { return this; }
  void destroy() override {}
  int getPointCount() override { return kPoints; }
  bool getPoint(double* xyz, int index) override {
    ScenePoint(static_cast<uint32_t>(index), xyz);
    return true;
  }
  int getPolygonCount() override { return kPolygons; }
  bool getPolygon(IZinPolygon* polygon, int index) override {
    const auto i = static_cast<uint32_t>(index);
    const CShape shape = SceneShape(i);
    polygon->setSmooth(shape.smooth);
    polygon->setPropertyIndex(static_cast<int32_t>(i % 16));
    TZinObjectMgr<CZinVertex>* contour = polygon->getContour();
    for (int c = 0; c < shape.corners; ++c) *contour->newZinObject(kZinEndOfList) = SceneVertex(i, c, shape.mapped);
    if (shape.hole) {
      TZinObjectMgr<CZinVertex>* hole = polygon->getHoles()->newZinObject(kZinEndOfList)->getContour();
      for (int c = 4; c < 7; ++c) *hole->newZinObject(kZinEndOfList) = SceneVertex(i, c, false);
    }
    return true;
  }
};

// Takes everything and keeps a sum: the cost of the block code alone.
class CDiscardingReader final : public IZinExtStorageReader, public IZinExtStorageReader::IReader {
public:
  IZinExtStorageReader::IReader* createGeometryReader(const CZinUUID&, bool) override { return this; }
  void destroy() override {}
  void setPointCount(int) override {}
  bool setPoint(const double* xyz, int) override {
    mSum += xyz[0];
    return true;
  }
  void setPolygonCount(int) override {}
  bool setPolygon(const IZinPolygon*, int) override {
    ++mPolygons;
    return true;
  }
  double mSum = 0;
  int64_t mPolygons = 0;
};

class CCountingStream final : public QuorveXML::XIXMLWriteStream {
public:
  int32_t Write(const char*, int32_t count) override {
    mBytes += count;
    return count;
  }
  int64_t mBytes = 0;
};

class CTextStream final : public QuorveXML::XIXMLWriteStream {
public:
  int32_t Write(const char* bytes, int32_t count) override {
    mText.append(bytes, static_cast<size_t>(count));
    return count;
  }
  std::string mText;
};

class CTextReadStream final : public QuorveXML::XIXMLReadStream {
public:
  explicit CTextReadStream(const std::string& text) : mText(text) {}
  uint32_t Read(void* buffer, uint32_t size) override {
    const size_t n = std::min<size_t>(size, mText.size() - mPos);
    std::memcpy(buffer, mText.data() + mPos, n);
    mPos += n;
    return static_cast<uint32_t>(n);
  }

private:
  const std::string& mText;
  size_t mPos = 0;
};

struct CManager {
  IZinMgr* mgr = nullptr;
  CManager() { CZinEntryPoints::newZinMgr(&mgr, eZinVersionCurrent, nullptr); }
  ~CManager() {
    if (mgr) mgr->Release();
  }
  CZIN* zin() const { return static_cast<CZIN*>(mgr); }
};

std::string ScenePath(const char* name) { return (std::filesystem::temp_directory_path() / name).string(); }

// ---- whole files

void BM_FileWriteFromClientStorage(benchmark::State& state) {
  const std::string path = ScenePath("zin_geometry_bench.zin");
  CSceneStorage scene;
  int64_t bytes = 0;
  for (auto _ : state) {
    CManager manager;
    ResetPeak();
    const double before = ResidentMiB();
    CZinFileWriteStream out(path.c_str());
    if (!manager.mgr->write(&out, &scene) || !out.close()) state.SkipWithError("write failed");
    bytes = out.bytesWritten();
    state.counters["added_rss_MiB"] = PeakMiB() - before;
  }
  state.counters["file_MiB"] = static_cast<double>(bytes) / kMiB;
  state.SetBytesProcessed(state.iterations() * bytes);
}

// The manager of the last read, kept for the write that follows.
std::unique_ptr<CManager> gReadManager;
// The best time of the read that keeps nothing, in this process.
double gBestDiscardingSeconds = 0;

void BM_FileRead(benchmark::State& state) {
  const std::string path = ScenePath("zin_geometry_bench.zin");
  int64_t bytes = 0;
  for (auto _ : state) {
    state.PauseTiming();
    gReadManager.reset();
    ResetPeak();
    const double before = ResidentMiB();
    state.ResumeTiming();
    const auto start = std::chrono::steady_clock::now();
    auto manager = std::make_unique<CManager>();
    CZinFileReadStream in(path.c_str());
    if (!manager->mgr->read(&in, nullptr)) state.SkipWithError("read failed");
    bytes = in.bytesDelivered();
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    state.PauseTiming();
    const double after = ResidentMiB();
    if (gBestDiscardingSeconds > 0) state.counters["read_vs_discarding"] = gBestDiscardingSeconds / seconds;
    const auto* polygons = static_cast<const CPolygonStore*>(manager->mgr->getPolygons());
    state.counters["polygon_store_MiB"] = static_cast<double>(polygons->bytesUsed()) / kMiB;
    state.counters["rss_before_MiB"] = before;
    state.counters["peak_rss_MiB"] = PeakMiB();
    state.counters["rss_after_MiB"] = after;
    state.counters["peak_over_after"] = PeakMiB() / after;
    if (manager->mgr->getPoints()->getCount() != kPoints || manager->mgr->getPolygons()->getCount() != kPolygons)
      state.SkipWithError("wrong counts");
    gReadManager = std::move(manager);
    state.ResumeTiming();
  }
  state.SetBytesProcessed(state.iterations() * bytes);
}

// The parse of the whole file with a storage that keeps nothing: the XML engine's
// block stream and the block code, without the cost of new memory for the scene.
// It runs before the read into a manager, which reports its time against the best
// of these runs (read_vs_discarding: 1 would be the speed of the block code alone).
void BM_FileReadGeometryDiscarding(benchmark::State& state) {
  gReadManager.reset();
  const std::string path = ScenePath("zin_geometry_bench.zin");
  int64_t bytes = 0;
  for (auto _ : state) {
    const auto start = std::chrono::steady_clock::now();
    CManager manager;
    CDiscardingReader storage;
    CZinFileReadStream in(path.c_str());
    manager.mgr->readGeometry(&in, &storage);
    bytes = in.bytesDelivered();
    if (storage.mPolygons != kPolygons) state.SkipWithError("wrong count");
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    if (gBestDiscardingSeconds == 0 || seconds < gBestDiscardingSeconds) gBestDiscardingSeconds = seconds;
  }
  state.SetBytesProcessed(state.iterations() * bytes);
}

// What this machine charges for memory never touched before: the bound of any read
// that builds a scene of that size.
void BM_FreshMemory(benchmark::State& state) {
  const size_t size = size_t{1} << 30;
  for (auto _ : state) {
    void* block = mmap(nullptr, size, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (block == MAP_FAILED) {
      state.SkipWithError("mmap failed");
      break;
    }
    std::memset(block, 1, size);
    benchmark::DoNotOptimize(block);
    munmap(block, size);
  }
  state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(size));
}

void BM_FileWriteFromManager(benchmark::State& state) {
  if (!gReadManager) {
    state.SkipWithError("no manager read");
    return;
  }
  const std::string path = ScenePath("zin_geometry_bench_again.zin");
  int64_t bytes = 0;
  for (auto _ : state) {
    ResetPeak();
    const double before = ResidentMiB();
    CZinFileWriteStream out(path.c_str());
    if (!gReadManager->mgr->write(&out, nullptr) || !out.close()) state.SkipWithError("write failed");
    bytes = out.bytesWritten();
    state.counters["added_rss_MiB"] = PeakMiB() - before;
  }
  state.SetBytesProcessed(state.iterations() * bytes);
  std::remove(path.c_str());
}

// ---- the points block beside the conversions it competes with

const std::vector<double>& Coordinates() {
  static const std::vector<double> values = [] {
    std::vector<double> out(size_t{kPoints} * 3);
    for (uint32_t i = 0; i < kPoints; ++i) ScenePoint(i, &out[size_t{i} * 3]);
    return out;
  }();
  return values;
}

class CCoordinateStorage final : public IZinExtStorageWriter, public IZinExtStorageWriter::IWriter {
public:
  IZinExtStorageWriter::IWriter* createGeometryWriter(const CZinUUID&) override { return this; }
  void destroy() override {}
  int getPointCount() override { return kPoints; }
  bool getPoint(double* xyz, int index) override {
    std::memcpy(xyz, &Coordinates()[size_t(index) * 3], 3 * sizeof(double));
    return true;
  }
  int getPolygonCount() override { return 0; }
  bool getPolygon(IZinPolygon*, int) override { return false; }
};

const std::string& PointsText() {
  static const std::string text = [] {
    CManager manager;
    CCoordinateStorage storage;
    manager.mgr->setGeometryWriter(&storage);
    CTextStream out;
    CPointsProvider(manager.zin()).Write2(&out, nullptr);
    return out.mText;
  }();
  return text;
}

const std::string& PolygonsText() {
  static const std::string text = [] {
    CManager manager;
    CSceneStorage storage;
    manager.mgr->setGeometryWriter(&storage);
    CTextStream out;
    CPolygonsProvider(manager.zin()).Write2(&out, nullptr);
    return out.mText;
  }();
  return text;
}

void BM_PointsFromCharsLoop(benchmark::State& state) {
  const std::string& text = PointsText();
  for (auto _ : state) {
    const char* p = text.data();
    const char* const end = p + text.size();
    double sum = 0;
    while (p < end) {
      while (p < end && (*p == ' ' || *p == '\n')) ++p;
      if (p == end) break;
      double value;
      p = std::from_chars(p, end, value, std::chars_format::fixed).ptr;
      sum += value;
    }
    benchmark::DoNotOptimize(sum);
  }
  state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(text.size()));
}

// The bare loop storing its numbers in new memory, as a read into a new manager does.
void BM_PointsFromCharsIntoNewVector(benchmark::State& state) {
  const std::string& text = PointsText();
  for (auto _ : state) {
    std::vector<double> values;
    values.reserve(size_t{kPoints} * 3 + 1);
    const char* p = text.data();
    const char* const end = p + text.size();
    while (p < end) {
      while (p < end && (*p == ' ' || *p == '\n')) ++p;
      if (p == end) break;
      double value;
      p = std::from_chars(p, end, value, std::chars_format::fixed).ptr;
      values.push_back(value);
    }
    benchmark::DoNotOptimize(values.data());
  }
  state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(text.size()));
}

void BM_PointsStrtodLoop(benchmark::State& state) {
  const std::string& text = PointsText();
  for (auto _ : state) {
    const char* p = text.c_str();
    double sum = 0;
    for (;;) {
      char* next = nullptr;
      const double value = std::strtod(p, &next);
      if (next == p) break;
      sum += value;
      p = next;
    }
    benchmark::DoNotOptimize(sum);
  }
  state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(text.size()));
}

void BM_PointsBlockRead(benchmark::State& state) {
  const std::string& text = PointsText();
  CManager manager;
  for (auto _ : state) {
    CDiscardingReader reader;
    CTextReadStream in(text);
    ReadPointsBlock(manager.zin(), &reader, &in);
    benchmark::DoNotOptimize(reader.mSum);
  }
  state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(text.size()));
}

void BM_PointsBlockReadIntoManager(benchmark::State& state) {
  const std::string& text = PointsText();
  for (auto _ : state) {
    state.PauseTiming();
    auto manager = std::make_unique<CManager>();
    state.ResumeTiming();
    IZinExtStorageReader::IReader* reader = manager->zin()->createGeometryReader(CZinUUID(), true);
    CTextReadStream in(text);
    ReadPointsBlock(manager->zin(), reader, &in);
    reader->destroy();
    state.PauseTiming();
    manager.reset();
    state.ResumeTiming();
  }
  state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(text.size()));
}

void BM_PointsSnprintf(benchmark::State& state) {
  const std::vector<double>& values = Coordinates();
  std::vector<char> out(values.size() * 48);
  int64_t bytes = 0;
  for (auto _ : state) {
    char* p = out.data();
    for (double value : values) p += std::snprintf(p, 48, "%lf ", value);
    bytes = p - out.data();
    benchmark::DoNotOptimize(out.data());
  }
  state.SetBytesProcessed(state.iterations() * bytes);
}

void BM_PointsToCharsShortest(benchmark::State& state) {
  const std::vector<double>& values = Coordinates();
  std::vector<char> out(values.size() * 48);
  int64_t bytes = 0;
  for (auto _ : state) {
    char* p = out.data();
    for (double value : values) {
      p = std::to_chars(p, p + 47, value).ptr;
      *p++ = ' ';
    }
    bytes = p - out.data();
    benchmark::DoNotOptimize(out.data());
  }
  state.SetBytesProcessed(state.iterations() * bytes);
}

void BM_PointsToCharsFixed6(benchmark::State& state) {
  const std::vector<double>& values = Coordinates();
  std::vector<char> out(values.size() * 48);
  int64_t bytes = 0;
  for (auto _ : state) {
    char* p = out.data();
    for (double value : values) {
      p = std::to_chars(p, p + 47, value, std::chars_format::fixed, 6).ptr;
      *p++ = ' ';
    }
    bytes = p - out.data();
    benchmark::DoNotOptimize(out.data());
  }
  state.SetBytesProcessed(state.iterations() * bytes);
}

void BM_PointsBlockWrite(benchmark::State& state) {
  Coordinates();
  CManager manager;
  CCoordinateStorage storage;
  manager.mgr->setGeometryWriter(&storage);
  int64_t bytes = 0;
  for (auto _ : state) {
    CCountingStream out;
    CPointsProvider(manager.zin()).Write2(&out, nullptr);
    bytes = out.mBytes;
  }
  state.SetBytesProcessed(state.iterations() * bytes);
}

// ---- the polygons block

void BM_PolygonsBlockRead(benchmark::State& state) {
  const std::string& text = PolygonsText();
  CManager manager;
  for (auto _ : state) {
    CDiscardingReader reader;
    CTextReadStream in(text);
    ReadPolygonsBlock(manager.zin(), &reader, &in);
    benchmark::DoNotOptimize(reader.mPolygons);
  }
  state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(text.size()));
}

void BM_PolygonsBlockReadIntoManager(benchmark::State& state) {
  const std::string& text = PolygonsText();
  for (auto _ : state) {
    state.PauseTiming();
    auto manager = std::make_unique<CManager>();
    state.ResumeTiming();
    IZinExtStorageReader::IReader* reader = manager->zin()->createGeometryReader(CZinUUID(), true);
    CTextReadStream in(text);
    ReadPolygonsBlock(manager->zin(), reader, &in);
    reader->destroy();
    state.PauseTiming();
    manager.reset();
    state.ResumeTiming();
  }
  state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(text.size()));
}

// What a plain triangle or quad (no hole, no mapping) costs a manager that reads
// it: the heap the read adds, per polygon (bytes_per_polygon), and the resident
// size it adds (rss_per_polygon).
class CPlainStorage final : public IZinExtStorageWriter, public IZinExtStorageWriter::IWriter {
public:
  IZinExtStorageWriter::IWriter* createGeometryWriter(const CZinUUID&) override { return this; }
  void destroy() override {}
  int getPointCount() override { return 0; }
  bool getPoint(double*, int) override { return false; }
  int getPolygonCount() override { return kPolygons; }
  bool getPolygon(IZinPolygon* polygon, int index) override {
    const auto i = static_cast<uint32_t>(index);
    const CShape shape = SceneShape(i);
    polygon->setPropertyIndex(static_cast<int32_t>(i % 16));
    TZinObjectMgr<CZinVertex>* contour = polygon->getContour();
    for (int c = 0; c < shape.corners; ++c) *contour->newZinObject(kZinEndOfList) = SceneVertex(i, c, false);
    return true;
  }
};

void BM_PlainPolygonsMemory(benchmark::State& state) {
  static const std::string text = [] {
    CManager manager;
    CPlainStorage storage;
    manager.mgr->setGeometryWriter(&storage);
    CTextStream out;
    CPolygonsProvider(manager.zin()).Write2(&out, nullptr);
    return out.mText;
  }();
  for (auto _ : state) {
    state.PauseTiming();
    auto manager = std::make_unique<CManager>();
    ResetPeak();
#if __has_include(<malloc.h>)
    const double heapBefore = static_cast<double>(mallinfo2().uordblks + mallinfo2().hblkhd);
#endif
    const double before = ResidentMiB();
    state.ResumeTiming();
    IZinExtStorageReader::IReader* reader = manager->zin()->createGeometryReader(CZinUUID(), true);
    CTextReadStream in(text);
    ReadPolygonsBlock(manager->zin(), reader, &in);
    reader->destroy();
    state.PauseTiming();
#if __has_include(<malloc.h>)
    const double heapAfter = static_cast<double>(mallinfo2().uordblks + mallinfo2().hblkhd);
    state.counters["bytes_per_polygon"] = (heapAfter - heapBefore) / kPolygons;
#endif
    state.counters["rss_per_polygon"] = (ResidentMiB() - before) * kMiB / kPolygons;
    state.counters["peak_over_after"] = PeakMiB() / ResidentMiB();
    manager.reset();
    state.ResumeTiming();
  }
  state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(text.size()));
}

void BM_PolygonsBlockWriteFromManager(benchmark::State& state) {
  const std::string& text = PolygonsText();
  CManager manager;
  IZinExtStorageReader::IReader* reader = manager.zin()->createGeometryReader(CZinUUID(), true);
  CTextReadStream in(text);
  ReadPolygonsBlock(manager.zin(), reader, &in);
  reader->destroy();
  manager.mgr->setGeometryWriter(manager.zin());
  int64_t bytes = 0;
  for (auto _ : state) {
    CCountingStream out;
    CPolygonsProvider(manager.zin()).Write2(&out, nullptr);
    bytes = out.mBytes;
  }
  state.SetBytesProcessed(state.iterations() * bytes);
}

void BM_PolygonsBlockWriteFromClientStorage(benchmark::State& state) {
  CManager manager;
  CSceneStorage storage;
  manager.mgr->setGeometryWriter(&storage);
  int64_t bytes = 0;
  for (auto _ : state) {
    CCountingStream out;
    CPolygonsProvider(manager.zin()).Write2(&out, nullptr);
    bytes = out.mBytes;
  }
  state.SetBytesProcessed(state.iterations() * bytes);
}

}  // namespace

// Whole files first, while the process holds nothing else. Every case runs three
// times and reports each run: the machine is shared, the best run is the figure.
BENCHMARK(BM_FileWriteFromClientStorage)->Unit(benchmark::kMillisecond)->Iterations(1)->UseRealTime();
BENCHMARK(BM_FileReadGeometryDiscarding)->Unit(benchmark::kMillisecond)->Iterations(1)->Repetitions(3)->UseRealTime();
BENCHMARK(BM_FileRead)->Unit(benchmark::kMillisecond)->Iterations(1)->Repetitions(3)->UseRealTime();
BENCHMARK(BM_FileWriteFromManager)->Unit(benchmark::kMillisecond)->Iterations(1)->Repetitions(3)->UseRealTime();
BENCHMARK(BM_FreshMemory)->Unit(benchmark::kMillisecond)->Iterations(1)->Repetitions(3)->UseRealTime();

BENCHMARK(BM_PointsFromCharsLoop)->Unit(benchmark::kMillisecond)->Repetitions(3);
BENCHMARK(BM_PointsFromCharsIntoNewVector)->Unit(benchmark::kMillisecond)->Iterations(1)->Repetitions(3);
BENCHMARK(BM_PointsStrtodLoop)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(BM_PointsBlockRead)->Unit(benchmark::kMillisecond)->Repetitions(3);
BENCHMARK(BM_PointsBlockReadIntoManager)->Unit(benchmark::kMillisecond)->Iterations(1)->Repetitions(3);
BENCHMARK(BM_PointsSnprintf)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(BM_PointsToCharsShortest)->Unit(benchmark::kMillisecond)->Iterations(1)->Repetitions(3);
BENCHMARK(BM_PointsToCharsFixed6)->Unit(benchmark::kMillisecond)->Iterations(1)->Repetitions(3);
BENCHMARK(BM_PointsBlockWrite)->Unit(benchmark::kMillisecond)->Repetitions(3);
BENCHMARK(BM_PolygonsBlockRead)->Unit(benchmark::kMillisecond)->Repetitions(3);
BENCHMARK(BM_PolygonsBlockReadIntoManager)->Unit(benchmark::kMillisecond)->Iterations(1)->Repetitions(3);
BENCHMARK(BM_PlainPolygonsMemory)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(BM_PolygonsBlockWriteFromManager)->Unit(benchmark::kMillisecond)->Repetitions(3);
BENCHMARK(BM_PolygonsBlockWriteFromClientStorage)->Unit(benchmark::kMillisecond)->Iterations(1)->Repetitions(3);

BENCHMARK_MAIN();
