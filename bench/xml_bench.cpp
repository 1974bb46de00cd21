// The XML engine on a 50 MB scene-like document: building the tree from a client
// stream served in 1024-byte pieces, writing the tree to a counting stream, and on the
// same bytes expat (callbacks only) and pugixml (copying parse into its tree; save
// with tab indentation) as references.
//
//   zin_xml_bench                      the warm-heap benchmarks (Google Benchmark)
//   zin_xml_bench --fresh=zin|pugixml|expat
//                                      one parse in this new process, timed once
#include <benchmark/benchmark.h>
#include <expat.h>
#include <malloc.h>

#include <pugixml.hpp>

#include <algorithm>
#include <cinttypes>
#include <ctime>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "xml/node_heap.h"
#include "xml/tree_reader.h"

using namespace QuorveXML;

namespace {

constexpr int kObjects = 100000;

// ---- the document

class CDocumentMaker {
public:
  std::string Make() {
    std::string out;
    out.reserve(56u << 20);
    out += "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<Zin.File\n\t Version=\"5.1.1\"\n\t Creator=\"bench\">\n";
    out += "\t<Objects>";
    for (int i = 0; i < kObjects; ++i) Object(out, i);
    out += "\n\t</Objects>\n</Zin.File>\n";
    return out;
  }

private:
  uint32_t Random() {
    mState ^= mState << 13;
    mState ^= mState >> 17;
    mState ^= mState << 5;
    return mState;
  }
  void Id(std::string& out) {
    static const char kDigits[] = "0123456789ABCDEF";
    for (int i = 0; i < 32; ++i) out += kDigits[Random() & 15];
  }
  void Number(std::string& out, double value) {
    char text[64];
    std::snprintf(text, sizeof text, "%lf", value);
    out += text;
  }
  double Coordinate() { return (static_cast<int>(Random() % 2000000) - 1000000) / 1000.0; }
  void Point(std::string& out, const char* tag) {
    out += "\n\t\t\t<";
    out += tag;
    for (const char* axis : {"X", "Y", "Z"}) {
      out += "\n\t\t\t\t ";
      out += axis;
      out += "=\"";
      Number(out, Coordinate());
      out += '"';
    }
    out += "/>";
  }
  void Text(std::string& out, const char* tag, const std::string& text) {
    out += "\n\t\t\t<";
    out += tag;
    out += '>';
    out += text;
    out += "</";
    out += tag;
    out += '>';
  }
  void Flag(std::string& out, const char* tag) {
    out += "\n\t\t\t<";
    out += tag;
    out += "/>";
  }
  void Object(std::string& out, int index) {
    out += "\n\t\t<Object\n\t\t\t Id=\"";
    Id(out);
    out += "\"\n\t\t\t Definition=\"";
    Id(out);
    out += "\">";
    Text(out, "Name", "Object " + std::to_string(index));
    Point(out, "Position");
    Point(out, "Rotation");
    Point(out, "Scale");
    Text(out, "Layer", std::to_string(Random() % 64));
    Text(out, "Priority", std::to_string(Random() % 10));
    std::string number;
    Number(number, (Random() % 1000) / 1000.0);
    Text(out, "Opacity", number);
    Text(out, "Seed", std::to_string(Random()));
    Flag(out, "Visible");
    Flag(out, "CastShadows");
    if (Random() & 1) Flag(out, "ReceiveShadows");
    if ((Random() & 7) == 0) Flag(out, "Locked");
    out += "\n\t\t\t<Material Id=\"";
    Id(out);
    out += "\"/>";
    std::string id;
    Id(id);
    Text(out, "UserId", id);
    number.clear();
    Number(number, (Random() % 100000) / 100.0);
    Text(out, "Time", number);
    Text(out, "Frame", std::to_string(Random() % 1000));
    Flag(out, "Selectable");
    out += "\n\t\t</Object>";
  }

  uint32_t mState = 0x12345678u;
};

const std::string& Document() {
  static const std::string document = CDocumentMaker().Make();
  return document;
}

// ---- streams

class CPieceStream : public XIXMLReadStream {
public:
  CPieceStream(const char* data, size_t size) : mData(data), mSize(size) {}
  uint32_t Read(void* buffer, uint32_t size) override {
    const size_t n = std::min<size_t>(size, mSize - mPosition);
    std::memcpy(buffer, mData + mPosition, n);
    mPosition += n;
    return static_cast<uint32_t>(n);
  }

private:
  const char* mData;
  size_t mSize;
  size_t mPosition = 0;
};

class CCountingStream : public XIXMLWriteStream {
public:
  int32_t Write(const char*, int32_t count) override {
    mBytes += static_cast<uint64_t>(count);
    return count;
  }
  uint64_t mBytes = 0;
};

struct CPugiCounter : pugi::xml_writer {
  void write(const void*, size_t size) override { mBytes += size; }
  uint64_t mBytes = 0;
};

XCXMLTree* ParseZin(const std::string& document) {
  CPieceStream stream(document.data(), document.size());
  CXMLTreeReader reader;
  return reader.Read(&stream);
}

// Expat with empty handlers: the bare cost of its tokenizer.
void StartElement(void*, const XML_Char*, const XML_Char**) {}
void EndElement(void*, const XML_Char*) {}
void Characters(void*, const XML_Char*, int) {}

bool ParseExpat(const std::string& document) {
  XML_Parser parser = XML_ParserCreate(nullptr);
  XML_SetElementHandler(parser, StartElement, EndElement);
  XML_SetCharacterDataHandler(parser, Characters);
  const bool ok = XML_Parse(parser, document.data(), static_cast<int>(document.size()), 1) != XML_STATUS_ERROR;
  XML_ParserFree(parser);
  return ok;
}

size_t HeapInUse() {
  const struct mallinfo2 info = mallinfo2();
  return info.uordblks + info.hblkhd;
}

// ---- warm-heap benchmarks

void BM_ZinParseTree(benchmark::State& state) {
  const std::string& document = Document();
  delete ParseZin(document);  // warms the heap
  double ratio = 0;
  for (auto _ : state) {
    const size_t before = HeapInUse();
    XCXMLTree* tree = ParseZin(document);
    state.PauseTiming();
    ratio = static_cast<double>(HeapInUse() - before) / static_cast<double>(document.size());
    delete tree;
    state.ResumeTiming();
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * document.size()));
  state.counters["tree/doc"] = ratio;
}

void BM_ZinWrite(benchmark::State& state) {
  const std::string& document = Document();
  std::unique_ptr<XCXMLTree> tree(ParseZin(document));
  uint64_t bytes = 0;
  for (auto _ : state) {
    CCountingStream out;
    tree->GetRoot()->Write(&out);
    bytes = out.mBytes;
  }
  if (bytes != document.size()) state.SkipWithError("the written document differs in size from the parsed one");
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * bytes));
  state.counters["MB"] = static_cast<double>(bytes) / 1e6;
}

void BM_ZinDestroy(benchmark::State& state) {
  const std::string& document = Document();
  for (auto _ : state) {
    state.PauseTiming();
    XCXMLTree* tree = ParseZin(document);
    state.ResumeTiming();
    delete tree;
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * document.size()));
}

void BM_ExpatParse(benchmark::State& state) {
  const std::string& document = Document();
  for (auto _ : state)
    if (!ParseExpat(document)) state.SkipWithError("expat refused the document");
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * document.size()));
}

void BM_PugiParse(benchmark::State& state) {
  const std::string& document = Document();
  double ratio = 0;
  {
    pugi::xml_document warm;
    warm.load_buffer(document.data(), document.size());
  }
  for (auto _ : state) {
    const size_t before = HeapInUse();
    pugi::xml_document doc;
    if (!doc.load_buffer(document.data(), document.size())) state.SkipWithError("pugixml refused the document");
    state.PauseTiming();
    ratio = static_cast<double>(HeapInUse() - before) / static_cast<double>(document.size());
    doc.reset();
    state.ResumeTiming();
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * document.size()));
  state.counters["tree/doc"] = ratio;
}

void BM_PugiSave(benchmark::State& state) {
  const std::string& document = Document();
  pugi::xml_document doc;
  doc.load_buffer(document.data(), document.size());
  uint64_t bytes = 0;
  for (auto _ : state) {
    CPugiCounter out;
    doc.save(out, "\t", pugi::format_indent);
    bytes = out.mBytes;
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * bytes));
  state.counters["MB"] = static_cast<double>(bytes) / 1e6;
}

// A 100 MB data block read by a block reader in 16 KiB pieces: the path of geometry
// and picture data. Digits with a bracket now and then, as a hostile-free block has.
void BM_ZinBlockRead(benchmark::State& state) {
  static const std::string document = [] {
    std::string text = "<r><b><![CDATA[";
    const size_t start = text.size();
    text.resize(start + (100u << 20));
    for (size_t i = start; i < text.size(); ++i) text[i] = "0123456789ABCDEF"[i * 7919 % 16];
    for (size_t i = start + 4096; i < text.size(); i += 65536) text[i] = ']';
    return text + "]]></b></r>";
  }();
  class CCounting : public IXMLCDataReader {
  public:
    bool Read(XIXMLElement*, XIXMLReadStream* stream) override {
      static char piece[16384];
      while (const uint32_t count = stream->Read(piece, sizeof piece)) mBytes += count;
      return true;
    }
    uint64_t mBytes = 0;
  } reader;
  for (auto _ : state) {
    CPieceStream stream(document.data(), document.size());
    CXMLTreeReader treeReader(&reader);
    delete treeReader.Read(&stream);
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * document.size()));
}

// The least time of the repetitions: on a shared machine the other figures measure
// the neighbours.
double Least(const std::vector<double>& values) { return *std::min_element(values.begin(), values.end()); }

BENCHMARK(BM_ZinParseTree)->Unit(benchmark::kMillisecond)->MinTime(2)->ComputeStatistics("min", Least);
BENCHMARK(BM_ZinWrite)->Unit(benchmark::kMillisecond)->MinTime(2)->ComputeStatistics("min", Least);
BENCHMARK(BM_ZinDestroy)->Unit(benchmark::kMillisecond)->MinTime(2)->ComputeStatistics("min", Least);
BENCHMARK(BM_ZinBlockRead)->Unit(benchmark::kMillisecond)->MinTime(2)->ComputeStatistics("min", Least);
BENCHMARK(BM_ExpatParse)->Unit(benchmark::kMillisecond)->MinTime(2)->ComputeStatistics("min", Least);
BENCHMARK(BM_PugiParse)->Unit(benchmark::kMillisecond)->MinTime(2)->ComputeStatistics("min", Least);
BENCHMARK(BM_PugiSave)->Unit(benchmark::kMillisecond)->MinTime(2)->ComputeStatistics("min", Least);

// ---- one parse in a fresh process

// Resident memory of the process in bytes.
uint64_t ResidentBytes() {
  uint64_t pages = 0, resident = 0;
  if (FILE* statm = std::fopen("/proc/self/statm", "r")) {
    if (std::fscanf(statm, "%" SCNu64 " %" SCNu64, &pages, &resident) != 2) resident = 0;
    std::fclose(statm);
  }
  return resident * 4096;
}

double CpuSeconds() {
  timespec now{};
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
  return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

int Fresh(const std::string& which) {
  const std::string& document = Document();
  const size_t heapBefore = HeapInUse();
  const uint64_t residentBefore = ResidentBytes();
  const double cpuStart = CpuSeconds();
  const auto start = std::chrono::steady_clock::now();
  bool ok = true;
  std::unique_ptr<XCXMLTree> zin;
  pugi::xml_document pugi;
  if (which == "zin")
    zin.reset(ParseZin(document));
  else if (which == "pugixml")
    ok = static_cast<bool>(pugi.load_buffer(document.data(), document.size()));
  else if (which == "expat")
    ok = ParseExpat(document);
  else
    return 2;
  const double cpu = CpuSeconds() - cpuStart;
  const double wall = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  const double megabytes = static_cast<double>(document.size()) / 1e6;
  const double size = static_cast<double>(document.size());
  std::printf("%-8s fresh parse of %.1f MB: %6.1f ms CPU (%4.0f MB/s), %6.1f ms wall; heap %.2f x, resident %.2f x%s\n",
              which.c_str(), megabytes, cpu * 1e3, megabytes / cpu, wall * 1e3,
              static_cast<double>(HeapInUse() - heapBefore) / size,
              static_cast<double>(ResidentBytes() - residentBefore) / size, ok ? "" : " (FAILED)");
  return ok ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
  for (int i = 1; i < argc; ++i)
    if (std::strncmp(argv[i], "--fresh=", 8) == 0) return Fresh(argv[i] + 8);
  // A warm heap for every parser alike: glibc keeps what is freed (no trimming, no
  // separate mappings), so each iteration reuses pages the previous one touched.
  mallopt(M_MMAP_THRESHOLD, 1 << 30);
  mallopt(M_TRIM_THRESHOLD, -1);
  std::printf("document: %.1f MB, %d objects\n", static_cast<double>(Document().size()) / 1e6, kObjects);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
