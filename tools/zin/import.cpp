// zin import: chosen kinds of content of one scene merged into another.
#include <cstdio>
#include <cstring>
#include <sstream>

#include "ZinFileStreams.h"
#include "commands.h"

using namespace QvZin;

namespace ZinTool {

namespace {

// The words of --what and the import bits each selects.
struct CImportWord {
  const char* word;
  int flags;
};
const CImportWord kImportWords[] = {{"lights", 0x10},   {"heliodons", 0x20},  {"objects", 0x40},
                                    {"views", 0x380},   {"panoramas", 0x400}, {"scenarios", 0x800}};

// The bits of a comma-separated list of words, or -1 (reported) for an unknown word.
int FlagsOf(const std::string& what) {
  int flags = 0;
  std::istringstream words(what);
  std::string word;
  while (std::getline(words, word, ',')) {
    bool known = false;
    for (const CImportWord& row : kImportWords)
      if (word == row.word) {
        flags |= row.flags;
        known = true;
      }
    if (!known) {
      std::fprintf(stderr, "zin import: unknown kind \"%s\" (lights, heliodons, objects, views, panoramas, scenarios)\n",
                   word.c_str());
      return -1;
    }
  }
  return flags;
}

bool ReadScene(IZinMgr* mgr, const std::string& path) {
  CZinFileReadStream in(path.c_str());
  if (!in.isOpen()) {
    std::fprintf(stderr, "zin: cannot open %s\n", path.c_str());
    return false;
  }
  if (!mgr->read(&in, nullptr)) {
    std::fprintf(stderr, "zin: %s could not be read\n", path.c_str());
    return false;
  }
  return true;
}

}  // namespace

int RunImport(const std::string& target, const std::string& source, const std::string& what,
              const std::string& output) {
  const int flags = FlagsOf(what);
  if (flags < 0) return 2;
  CCollectingFeedback feedback(true);
  CManagerHold into(&feedback), from(&feedback);
  if (!ReadScene(into.mgr, target) || !ReadScene(from.mgr, source)) return 2;
  const size_t before = feedback.warnings.size();
  IZinMgr::doImportReference(into.mgr, from.mgr, flags);
  const bool failed = feedback.warnings.size() > before;
  CZinFileWriteStream out(output.c_str());
  if (!out.isOpen()) {
    std::fprintf(stderr, "zin: cannot create %s\n", output.c_str());
    return 2;
  }
  const bool written = into.mgr->write(&out, nullptr);
  if (!out.close() || !written) {
    std::fprintf(stderr, "zin: %s could not be written\n", output.c_str());
    return 2;
  }
  std::printf("%s written: %u lights, %u heliodons, %u objects, %u perspective views, %u parallel views, "
              "%u view objects, %u panoramas, %u scenarios (%zu warnings)\n",
              output.c_str(), into.mgr->getLights()->getCount(), into.mgr->getHeliodons()->getCount(),
              into.mgr->getObjectInstances()->getCount(), into.mgr->getPerspectiveViews()->getCount(),
              into.mgr->getParallelViews()->getCount(), into.mgr->getViewObjects()->getCount(),
              into.mgr->getPanoramas()->getCount(), into.mgr->getScenarios()->getCount(), feedback.warnings.size());
  // A failed import still writes what it merged, but says so in its status.
  return failed ? 1 : 0;
}

}  // namespace ZinTool
