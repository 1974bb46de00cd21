// A scene of objects: 100,000 instances of every kind (with their instance data),
// 1,000 definitions with setups and 10,000 lights, read into a new manager and
// written from it, beside the bare parse of the same file into a document and the
// bare write of that document; the same at four times the objects.
//
//   zin_objects_bench
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <string>

#include "ZinFileStreams.h"
#include "ZinSDK.h"
#include "xml/root.h"
#include "xml/tree_reader.h"

using namespace QvZin;

namespace {

struct CManager {
  IZinMgr* mgr = nullptr;
  CManager() { CZinEntryPoints::newZinMgr(&mgr, eZinVersionCurrent, nullptr); }
  ~CManager() { mgr->Release(); }
};

// Counts what it is given, keeps nothing.
class CCountingStream final : public IZinWriteStream, public QuorveXML::XIXMLWriteStream {
public:
  int write(const void*, int size) override { return bytes += size, size; }
  int32_t Write(const char*, int32_t count) override { return bytes += count, count; }
  int64_t bytes = 0;
};

// Serves a text in the parser's 1024-byte pieces.
class CTextStream final : public QuorveXML::XIXMLReadStream {
public:
  explicit CTextStream(const std::string& text) : mText(text) {}
  uint32_t Read(void* buffer, uint32_t size) override {
    const size_t n = std::min<size_t>(size, mText.size() - mAt);
    std::memcpy(buffer, mText.data() + mAt, n);
    mAt += n;
    return static_cast<uint32_t>(n);
  }

private:
  const std::string& mText;
  size_t mAt = 0;
};

const char* const kClasses[] = {"ZinObject", "LightObject", "Billboard", "3DPlant", "3DPlantGroupInstances",
                                "AnimatedObject", "ModelObject", "Sculpture"};

std::string MakeScene(int scale) {
  CManager scene;
  IZinMgr* mgr = scene.mgr;
  for (int i = 0; i < 1000 * scale; ++i) {
    IZinZinObjectDefinition* d = mgr->getObjectDefinitions()->getDefinitions()->newZinObject(kZinEndOfList);
    d->setClass("ZinObject");
    d->getNames()->set(ZinLanguageCode("en"), "Chair");
    d->getNames()->set(ZinLanguageCode("fr"), "Chaise");
    d->setAnchor(CZinVector3D(i, 0.5, -i));
    d->getSetups()->newZinObject(kZinEndOfList)->getNames()->set(ZinLanguageCode("en"), "Default");
  }
  for (int i = 0; i < 10000 * scale; ++i) {
    IZinLight* light = mgr->getLights()->newZinObject(kZinEndOfList);
    light->setPower(10 + i % 90);
    light->setPosition(CZinVector3D(i * 0.25, 300, -i * 0.5));
  }
  for (int i = 0; i < 100000 * scale; ++i) {
    IZinObjectInstance* instance = mgr->getObjectInstances()->newZinObject(kZinEndOfList);
    instance->setClass(kClasses[i % 8]);
    instance->getBasicData()->setName("Object");
    instance->setTranslation(CZinVector3D(i * 1.5, i % 100, -0.25 * i));
    instance->setRotation(CZinVector3D(0, i % 360, 0));
  }
  CZinMemoryWriteStream out;
  mgr->write(&out, nullptr);
  return out.bytes();
}

const std::string& Scene(int scale) {
  static std::unique_ptr<std::string> scenes[5];
  if (!scenes[scale]) scenes[scale] = std::make_unique<std::string>(MakeScene(scale));
  return *scenes[scale];
}

void SetRate(benchmark::State& state, const std::string& text) {
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(text.size()));
  state.counters["MB"] = static_cast<double>(text.size()) / 1e6;
}

void BareParse(benchmark::State& state) {
  const std::string& text = Scene(static_cast<int>(state.range(0)));
  for (auto _ : state) {
    CTextStream in(text);
    QuorveXML::CXMLTreeReader reader;
    std::unique_ptr<QuorveXML::XCXMLTree> tree(reader.Read(&in));
    benchmark::DoNotOptimize(tree.get());
  }
  SetRate(state, text);
}

void Read(benchmark::State& state) {
  const std::string& text = Scene(static_cast<int>(state.range(0)));
  for (auto _ : state) {
    CManager copy;
    CZinMemoryReadStream in(text);
    if (!copy.mgr->read(&in, nullptr)) state.SkipWithError("read failed");
  }
  SetRate(state, text);
}

void BareWrite(benchmark::State& state) {
  const std::string& text = Scene(static_cast<int>(state.range(0)));
  CTextStream in(text);
  QuorveXML::CXMLTreeReader reader;
  std::unique_ptr<QuorveXML::XCXMLTree> tree(reader.Read(&in));
  for (auto _ : state) {
    CCountingStream out;
    tree->GetRoot()->Write(&out);
    benchmark::DoNotOptimize(out.bytes);
  }
  SetRate(state, text);
}

void Write(benchmark::State& state) {
  const std::string& text = Scene(static_cast<int>(state.range(0)));
  CManager copy;
  CZinMemoryReadStream in(text);
  copy.mgr->read(&in, nullptr);
  for (auto _ : state) {
    CCountingStream out;
    if (!copy.mgr->write(&out, nullptr)) state.SkipWithError("write failed");
  }
  SetRate(state, text);
}

BENCHMARK(BareParse)->Arg(1)->Arg(4)->Unit(benchmark::kMillisecond);
BENCHMARK(Read)->Arg(1)->Arg(4)->Unit(benchmark::kMillisecond);
BENCHMARK(BareWrite)->Arg(1)->Arg(4)->Unit(benchmark::kMillisecond);
BENCHMARK(Write)->Arg(1)->Arg(4)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
