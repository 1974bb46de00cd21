// zin info and zin preview: answers from the first bytes of files.
#include <png.h>

#include <cstdio>
#include <nlohmann/json.hpp>

#include "ZinFileStreams.h"
#include "commands.h"

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

int RunInfo(const std::vector<std::string>& files, bool json) {
  bool allReadable = true;
  for (const std::string& path : files) {
    const CFileFacts facts = Inspect(path);
    allReadable = allReadable && facts.readable;
    const bool hasPreview = facts.previewWidth && facts.previewHeight;
    if (json) {
      nlohmann::json line;
      line["file"] = path;
      line["readable"] = facts.readable;
      line["readability"] = static_cast<int>(facts.readability);
      line["readabilityName"] = kReadabilityNames[facts.readability];
      line["library"] = facts.library.major ? nlohmann::json(VersionText(facts.library)) : nlohmann::json(nullptr);
      line["creator"] = facts.readable ? nlohmann::json(facts.creator) : nlohmann::json(nullptr);
      line["origin"] = {facts.origin[0], facts.origin[1], facts.origin[2]};
      line["preview"] = hasPreview ? nlohmann::json{{"width", facts.previewWidth}, {"height", facts.previewHeight}}
                                   : nlohmann::json(nullptr);
      // Texts from files need not be UTF-8: bad bytes are replaced, never thrown on.
      std::printf("%s\n", line.dump(-1, ' ', false, nlohmann::json::error_handler_t::replace).c_str());
      continue;
    }
    std::printf("%s\n", path.c_str());
    if (!facts.opened) {
      std::printf("  cannot be opened\n");
      continue;
    }
    std::printf("  readability  %s (%d)%s\n", kReadabilityNames[facts.readability], facts.readability,
                facts.readable ? "" : ", not readable");
    std::printf("  library      %s\n", facts.library.major ? VersionText(facts.library).c_str() : "none found");
    if (facts.readable) std::printf("  creator      %s\n", facts.creator);
    std::printf("  origin       %g, %g, %g\n", facts.origin[0], facts.origin[1], facts.origin[2]);
    if (hasPreview)
      std::printf("  preview      %u x %u\n", facts.previewWidth, facts.previewHeight);
    else
      std::printf("  preview      none\n");
  }
  return allReadable ? 0 : 1;
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
