// zin info and zin preview: answers from the first bytes of files.
#include <png.h>

#include <cstdio>
#include <nlohmann/json.hpp>

#include "ZinFileStreams.h"
#include "commands.h"
#include "parallel.h"

using namespace QvZin;

namespace ZinTool {

namespace {

const char* const kReadabilityNames[] = {"eNotZin",     "eOlderFile",  "eOldFile",     "eSameVersion",
                                         "eNewerFile",  "eUnsafeFile", "eTooNewFile",  "eForeignFile"};

struct CFileFacts {
  bool opened = false;
  bool readable = false;
  eReadability readability = eNotZin;
  CZinVersion library;
  char creator[256] = {};
  double origin[3] = {0, 0, 0};
  uint32_t previewWidth = 0, previewHeight = 0;
};

CFileFacts Inspect(const std::string& path) {
  CFileFacts facts;
  CZinFileReadStream stream(path.c_str());
  if (!stream.isOpen()) return facts;
  facts.opened = true;
  facts.readable =
      IZinMgr::checkFormat2(&stream, &facts.readability, &facts.library, facts.creator, sizeof facts.creator);
  IZinFileInfo* info = nullptr;
  CZinEntryPoints::readFileInfo(&info, &stream);
  if (info) {
    const double* origin = info->getOrigin();
    for (int i = 0; i < 3; ++i) facts.origin[i] = origin[i];
    info->Release();
  }
  IZinImage* preview = nullptr;
  CZinEntryPoints::readPreviewImage(&preview, &stream);
  if (preview) {
    preview->getPixels(&facts.previewWidth, &facts.previewHeight, nullptr);
    preview->Release();
  }
  return facts;
}

std::string VersionText(const CZinVersion& v) {
  return std::to_string(v.major) + "." + std::to_string(v.minor) + "." + std::to_string(v.build);
}

}  // namespace

int RunInfo(const std::vector<std::string>& files, bool json, unsigned jobs) {
  const int status = RunFiles(files, jobs, [&](const std::string& path) {
    CFileResult result;
    const CFileFacts facts = Inspect(path);
    result.status = facts.readable ? 0 : 1;
    const bool hasPreview = facts.previewWidth && facts.previewHeight;
    char line[512];
    if (json) {
      nlohmann::json out;
      out["file"] = path;
      out["readable"] = facts.readable;
      out["readability"] = static_cast<int>(facts.readability);
      out["readabilityName"] = kReadabilityNames[facts.readability];
      out["library"] = facts.library.major ? nlohmann::json(VersionText(facts.library)) : nlohmann::json(nullptr);
      out["creator"] = facts.readable ? nlohmann::json(facts.creator) : nlohmann::json(nullptr);
      out["origin"] = {facts.origin[0], facts.origin[1], facts.origin[2]};
      out["preview"] = hasPreview ? nlohmann::json{{"width", facts.previewWidth}, {"height", facts.previewHeight}}
                                  : nlohmann::json(nullptr);
      // Texts from files need not be UTF-8: bad bytes are replaced, never thrown on.
      result.output = out.dump(-1, ' ', false, nlohmann::json::error_handler_t::replace) + "\n";
      return result;
    }
    result.output = path + "\n";
    if (!facts.opened) {
      result.output += "  cannot be opened\n";
      return result;
    }
    std::snprintf(line, sizeof line, "  readability  %s (%d)%s\n", kReadabilityNames[facts.readability],
                  facts.readability, facts.readable ? "" : ", not readable");
    result.output += line;
    result.output += "  library      " + (facts.library.major ? VersionText(facts.library) : "none found") + "\n";
    if (facts.readable) result.output += std::string("  creator      ") + facts.creator + "\n";
    std::snprintf(line, sizeof line, "  origin       %g, %g, %g\n", facts.origin[0], facts.origin[1], facts.origin[2]);
    result.output += line;
    if (hasPreview)
      std::snprintf(line, sizeof line, "  preview      %u x %u\n", facts.previewWidth, facts.previewHeight);
    else
      std::snprintf(line, sizeof line, "  preview      none\n");
    result.output += line;
    return result;
  });
  return status ? 1 : 0;
}

int RunPreview(const std::string& file, const std::string& output) {
  CZinFileReadStream stream(file.c_str());
  if (!stream.isOpen()) {
    std::fprintf(stderr, "zin: cannot open %s\n", file.c_str());
    return 1;
  }
  IZinImage* preview = nullptr;
  CZinEntryPoints::readPreviewImage(&preview, &stream);
  uint32_t width = 0, height = 0;
  const uint8_t* pixels = nullptr;
  if (preview) preview->getPixels(&width, &height, &pixels);
  if (!pixels) {
    if (preview) preview->Release();
    std::fprintf(stderr, "zin: %s has no preview image\n", file.c_str());
    return 1;
  }
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  image.width = width;
  image.height = height;
  image.format = PNG_FORMAT_RGBA;
  const int written = png_image_write_to_file(&image, output.c_str(), 0, pixels, 0, nullptr);
  preview->Release();
  if (!written) {
    std::fprintf(stderr, "zin: cannot write %s: %s\n", output.c_str(), image.message);
    return 1;
  }
  std::printf("%s: %u x %u preview written to %s\n", file.c_str(), width, height, output.c_str());
  return 0;
}

}  // namespace ZinTool
