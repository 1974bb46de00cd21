// zin check and zin resave: full reads of files.
#include <cstdio>
#include <nlohmann/json.hpp>

#include "ZinFileStreams.h"
#include "commands.h"

using namespace QvZin;

namespace ZinTool {

bool CCollectingFeedback::warning(IZinMgr*, const char* message) {
  warnings.emplace_back(message ? message : "");
  if (mEcho) std::fprintf(stderr, "warning: %s\n", message ? message : "");
  return true;
}

int RunCheck(const std::vector<std::string>& files, bool json, bool strict) {
  int status = 0;
  for (const std::string& path : files) {
    CCollectingFeedback feedback;
    CManagerHold hold(&feedback);
    CZinFileReadStream stream(path.c_str());
    bool read = false;
    if (!stream.isOpen())
      feedback.warnings.push_back("cannot open " + path);
    else
      read = hold.mgr->read(&stream, nullptr);
    const char* verdict = !read ? "unreadable" : feedback.warnings.empty() ? "ok" : "warnings";
    if (!read)
      status = 2;
    else if (strict && !feedback.warnings.empty() && status == 0)
      status = 1;
    const uint32_t points = read ? hold.mgr->getPoints()->getCount() : 0;
    const uint32_t polygons = read ? hold.mgr->getPolygons()->getCount() : 0;
    if (json) {
      nlohmann::json line;
      line["file"] = path;
      line["verdict"] = verdict;
      line["warnings"] = feedback.warnings;
      line["points"] = points;
      line["polygons"] = polygons;
      std::printf("%s\n", line.dump(-1, ' ', false, nlohmann::json::error_handler_t::replace).c_str());
      continue;
    }
    std::printf("%s\n", path.c_str());
    for (const std::string& warning : feedback.warnings) std::printf("  warning: %s\n", warning.c_str());
    if (read) std::printf("  %u points, %u polygons\n", points, polygons);
    std::printf("  %s\n", verdict);
  }
  return status;
}

int RunResave(const std::string& input, const std::string& output) {
  CCollectingFeedback feedback(true);
  CManagerHold hold(&feedback);
  CZinFileReadStream in(input.c_str());
  if (!in.isOpen()) {
    std::fprintf(stderr, "zin: cannot open %s\n", input.c_str());
    return 2;
  }
  if (!hold.mgr->read(&in, nullptr)) {
    std::fprintf(stderr, "zin: %s could not be read\n", input.c_str());
    return 2;
  }
  CZinFileWriteStream out(output.c_str());
  if (!out.isOpen()) {
    std::fprintf(stderr, "zin: cannot create %s\n", output.c_str());
    return 2;
  }
  const bool written = hold.mgr->write(&out, nullptr);
  if (!out.close() || !written) {
    std::fprintf(stderr, "zin: %s could not be written\n", output.c_str());
    return 2;
  }
  std::printf("%s written (%zu warnings)\n", output.c_str(), feedback.warnings.size());
  return 0;
}

}  // namespace ZinTool
