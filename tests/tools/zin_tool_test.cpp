#include <gtest/gtest.h>
#include <png.h>

#include <array>
#include <cstdio>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "ZinFileStreams.h"
#include "ZinSDK.h"
#include "tool_runner.h"

using namespace QvZin;

namespace {

// A scene file with a 3 x 2 preview, an origin and some geometry.
std::string WriteSample(const std::string& name, std::vector<uint8_t>& pixels) {
  IZinMgr* mgr = nullptr;
  CZinEntryPoints::newZinMgr(&mgr);
  pixels.clear();
  for (int i = 0; i < 6; ++i) pixels.insert(pixels.end(), {uint8_t(i * 40), uint8_t(255 - i), 7, uint8_t(200 + i)});
  mgr->getPreviewImage().setPixels(3, 2, pixels.data());
  const double origin[3] = {1, 2, 3};
  mgr->getFileInfo()->setOrigin(origin);
  mgr->setApplication("Orvelle", "9");
  for (int i = 0; i < 3; ++i) *mgr->getPoints()->newZinObject(kZinEndOfList) = CZinPoint{double(i), 0, 0};
  const std::string path = ::testing::TempDir() + name;
  CZinFileWriteStream out(path.c_str());
  EXPECT_TRUE(mgr->write(&out, nullptr));
  EXPECT_TRUE(out.close());
  mgr->Release();
  return path;
}

}  // namespace

TEST(ZinTool, InfoJsonIsValidAndExact) {
  std::vector<uint8_t> pixels;
  const std::string good = WriteSample("tool_info.zin", pixels);
  const std::string bad = ::testing::TempDir() + "tool_not_zin.txt";
  {
    // Bytes that are not UTF-8 in the creator must not break the JSON output.
    FILE* f = std::fopen(bad.c_str(), "wb");
    std::fputs("<?Zin library=\"6.0.0\" file=\"5.0\" min_version=\"5.1.0\" safe_version=\"5.1.0\"?>"
               "<?Application name=\"Caf\xe9\" version=\"1\"?><Zin.File/>", f);
    std::fclose(f);
  }
  const CommandResult result = RunTool("info --json " + good + " " + bad);
  EXPECT_EQ(1, result.status);  // the second file is not readable
  const std::vector<nlohmann::json> lines = JsonLines(result.output);
  ASSERT_EQ(2u, lines.size());
  const nlohmann::json& first = lines[0];
  EXPECT_EQ(good, first["file"]);
  EXPECT_EQ(true, first["readable"]);
  EXPECT_EQ(3, first["readability"]);
  EXPECT_EQ("eSameVersion", first["readabilityName"]);
  EXPECT_EQ("5.1.1", first["library"]);
  EXPECT_EQ("Orvelle (5.0)", first["creator"]);
  EXPECT_EQ(nlohmann::json({1.0, 2.0, 3.0}), first["origin"]);
  EXPECT_EQ(nlohmann::json({{"width", 3}, {"height", 2}}), first["preview"]);
  EXPECT_EQ(8u, first.size());
  const nlohmann::json& second = lines[1];
  EXPECT_EQ(false, second["readable"]);
  EXPECT_EQ("eTooNewFile", second["readabilityName"]);
  EXPECT_EQ("6.0.0", second["library"]);
  EXPECT_TRUE(second["creator"].is_null());
  EXPECT_TRUE(second["preview"].is_null());
  EXPECT_EQ(0, RunTool("info " + good).status);
}

TEST(ZinTool, PreviewIsAValidPngOfTheRightPixels) {
  std::vector<uint8_t> pixels;
  const std::string file = WriteSample("tool_preview.zin", pixels);
  const std::string png = ::testing::TempDir() + "tool_preview.png";
  ASSERT_EQ(0, RunTool("preview " + file + " -o " + png).status);
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  ASSERT_TRUE(png_image_begin_read_from_file(&image, png.c_str())) << image.message;
  EXPECT_EQ(3u, image.width);
  EXPECT_EQ(2u, image.height);
  image.format = PNG_FORMAT_RGBA;
  std::vector<uint8_t> decoded(PNG_IMAGE_SIZE(image));
  ASSERT_TRUE(png_image_finish_read(&image, nullptr, decoded.data(), 0, nullptr)) << image.message;
  EXPECT_EQ(pixels, decoded);

  // A file without a preview: a message and status 1.
  IZinMgr* mgr = nullptr;
  CZinEntryPoints::newZinMgr(&mgr);
  const std::string empty = ::testing::TempDir() + "tool_no_preview.zin";
  CZinFileWriteStream out(empty.c_str());
  mgr->write(&out, nullptr);
  out.close();
  mgr->Release();
  EXPECT_EQ(1, RunTool("preview " + empty + " -o " + png + ".2").status);
}

TEST(ZinTool, CheckAndResave) {
  std::vector<uint8_t> pixels;
  const std::string file = WriteSample("tool_check.zin", pixels);
  const CommandResult check = RunTool("check --json " + file);
  const std::vector<nlohmann::json> lines = JsonLines(check.output);
  ASSERT_EQ(1u, lines.size());
  // The sample has points but no polygons: the polygons block warns about its count.
  EXPECT_EQ("warnings", lines[0]["verdict"]);
  EXPECT_EQ(nlohmann::json::parse(R"([{"code":"ZIN-W102","name":"geometry-count","severity":"warning",)"
                                  R"("path":"/Zin.File/Polygons","message":"Numbers of polygons seems wrong"}])"),
            lines[0]["issues"]);
  EXPECT_EQ(3, lines[0]["points"]);
  EXPECT_EQ(0, lines[0]["polygons"]);
  EXPECT_EQ(0, check.status);  // --strict and missing files: the check tests'
  const std::string missing = ::testing::TempDir() + "tool_missing.zin";

  const std::string resaved = ::testing::TempDir() + "tool_resaved.zin";
  EXPECT_EQ(0, RunTool("resave " + file + " -o " + resaved).status);
  EXPECT_EQ(0, RunTool("info " + resaved).status);
  EXPECT_EQ(2, RunTool("resave " + missing + " -o " + resaved).status);
}
