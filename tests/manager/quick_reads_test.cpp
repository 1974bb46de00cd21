#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "test_support.h"

using namespace QvZin;
using namespace QvZinTest;

namespace {

std::string Header(const char* library, const char* creator) {
  std::string text = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<?Zin " + std::string(library) + "?>\n";
  if (creator) text += "<?Application name=\"" + std::string(creator) + "\" version=\"1\"?>\n";
  return text + "<Zin.File>\n</Zin.File>\n";
}

struct CheckResult {
  bool readable;
  eReadability readability;
  CZinVersion version;
  std::string creator;
};

CheckResult Check(const std::string& bytes, int creatorSize = 64) {
  CZinMemoryReadStream in(bytes);
  CheckResult r{};
  std::vector<char> creator(static_cast<size_t>(std::max(creatorSize, 1)), 'x');
  r.readable = IZinMgr::checkFormat2(&in, &r.readability, &r.version, creatorSize ? creator.data() : nullptr,
                                     creatorSize);
  if (creatorSize && r.readable) r.creator = creator.data();
  EXPECT_EQ(0, in.tell());  // left where it was found
  return r;
}

std::string SceneHead(bool withPreview) {
  ManagerHold mgr;
  if (withPreview) {
    std::vector<uint8_t> pixels(64 * 64 * 4);
    for (size_t i = 0; i < pixels.size(); ++i) pixels[i] = static_cast<uint8_t>(i * 7);
    mgr->getPreviewImage().setPixels(64, 64, pixels.data());
  }
  const double origin[3] = {10, 20, 30};
  mgr->getFileInfo()->setOrigin(origin);
  // Cut after "Images": what follows is filler.
  const std::string text = WriteToText(mgr.mgr);
  return text.substr(0, text.find("\t<Points>"));
}

}  // namespace

TEST(QuickReads, ReadabilityOfEveryKind) {
  struct Case {
    const char* library;
    const char* creator;
    bool readable;
    eReadability readability;
    const char* version;
  } cases[] = {
      {"library=\"2.01\" file=\"5.0\"", nullptr, true, eOlderFile, "2.0.1"},
      {"library=\"5.1.0\" file=\"5.0\" min_version=\"5.1.0\" safe_version=\"5.1.0\"", "Orvelle", true, eOldFile,
       "5.1.0"},
      {"library=\"5.1.1\" file=\"5.0\" min_version=\"5.1.0\" safe_version=\"5.1.0\"", "Orvelle", true, eSameVersion,
       "5.1.1"},
      {"library=\"5.1.1\" file=\"5.0\" min_version=\"5.1.0\" safe_version=\"5.1.0\"", "Shapewright", true,
       eSameVersion, "5.1.1"},
      {"library=\"6.0.0\" file=\"5.0\" min_version=\"5.1.0\" safe_version=\"5.1.0\"", nullptr, true, eNewerFile,
       "6.0.0"},
      {"library=\"5.1.1\" file=\"5.0\" min_version=\"5.1.0\" safe_version=\"5.2.0\"", nullptr, true, eUnsafeFile,
       "5.1.1"},
      {"library=\"5.1.1\" file=\"5.0\" min_version=\"5.2.0\" safe_version=\"5.2.0\"", nullptr, false, eTooNewFile,
       "5.1.1"},
      {"library=\"6.0.0\" file=\"5.0\" min_version=\"5.1.0\" safe_version=\"5.1.0\"", "Other", false, eTooNewFile,
       "6.0.0"},
      {"library=\"5.1.1\" file=\"5.0\" min_version=\"5.1.0\" safe_version=\"5.1.0\"", "Other", true, eForeignFile,
       "5.1.1"},
      {"library=\"5.1.1\" file=\"4.5\" min_version=\"5.1.0\" safe_version=\"5.1.0\"", "My Tool 2", true,
       eForeignFile, "5.1.1"},
  };
  for (const Case& c : cases) {
    const CheckResult r = Check(Header(c.library, c.creator));
    EXPECT_EQ(c.readable, r.readable) << c.library << " " << (c.creator ? c.creator : "");
    EXPECT_EQ(c.readability, r.readability) << c.library << " " << (c.creator ? c.creator : "");
    EXPECT_EQ(c.version, std::to_string(r.version.major) + "." + std::to_string(r.version.minor) + "." +
                             std::to_string(r.version.build));
  }
  // The creator text names the file format, whoever wrote the file.
  EXPECT_EQ("Orvelle (4.5)", Check(Header(cases[9].library, "My Tool 2")).creator);
  EXPECT_EQ("Orvelle (5.0)", Check(Header(cases[0].library, nullptr)).creator);
  // It is cut to the buffer.
  EXPECT_EQ("Orv", Check(Header(cases[2].library, "Orvelle"), 4).creator);
  EXPECT_TRUE(Check(Header(cases[2].library, "Orvelle"), 0).readable);
}

TEST(QuickReads, NotZinFiles) {
  const std::string sameVersion =
      Header("library=\"5.1.1\" file=\"5.0\" min_version=\"5.1.0\" safe_version=\"5.1.0\"", "Orvelle");
  const std::string cases[] = {
      "",
      " " + sameVersion,           // a blank first
      "\xEF\xBB\xBF" + sameVersion,  // a byte-order mark first
      "<Zin.File/>",               // no header before the first element
      "<?Zin garbage?><Zin.File/>",
      "<?Zin library=\"5.1.1\" file=\"5.0\"?>",  // dotted form needs all ten values
      "not xml at all",
  };
  for (const std::string& bytes : cases) {
    const CheckResult r = Check(bytes);
    EXPECT_FALSE(r.readable) << bytes;
    EXPECT_EQ(eNotZin, r.readability) << bytes;
  }
  eReadability readability = eSameVersion;
  EXPECT_FALSE(IZinMgr::checkFormat2(nullptr, &readability, nullptr, nullptr, 0));
  EXPECT_EQ(eNotZin, readability);
  CZinMemoryReadStream in(sameVersion);
  EXPECT_FALSE(IZinMgr::checkFormat2(&in, nullptr, nullptr, nullptr, 0));
}

TEST(QuickReads, OriginScanStops) {
  struct Case {
    const char* body;
    double x, y, z;
    const char* diagnostic;
  } cases[] = {
      {"<Zin.File><Preview.Image/><File.Info><Origin X=\"1.5\" Y=\"2\" Z=\"-3\"/></File.Info></Zin.File>", 1.5, 2,
       -3, ""},
      {"<Zin.File><File.Info><Origin Z=\"9\" X=\"1\" Y=\"2\"/></File.Info></Zin.File>", 0, 0, 9, ""},
      {"<Zin.File><Images/><File.Info><Origin X=\"1\" Y=\"2\" Z=\"3\"/></File.Info></Zin.File>", 0, 0, 0, ""},
      {"<Zin.File><File.Info><Origin X=\"1\" W=\"2\" Z=\"3\"/></File.Info></Zin.File>", 1, 0, 0,
       "CZinMgr::readOrigin - Exception Unexpected attribute\n"},
      {"<Zin.File><File.Info><Origin X=\"abc\" Z=\"3\"/></File.Info></Zin.File>", 0, 0, 0,
       "CZinMgr::readOrigin - Exception Not a double value\n"},
      {"<Zin.File><File.Info><Origin X=\"1\"", 1, 0, 0, nullptr},
  };
  for (const Case& c : cases) {
    const std::string bytes = std::string("<?Zin library=\"2.01\" file=\"5.0\"?>") + c.body;
    CZinMemoryReadStream in(bytes);
    in.seek(0);
    IZinFileInfo* info = reinterpret_cast<IZinFileInfo*>(1);  // overwritten, not released
    testing::internal::CaptureStderr();
    CZinEntryPoints::readFileInfo(&info, &in);
    const std::string diagnostic = testing::internal::GetCapturedStderr();
    ASSERT_NE(nullptr, info);
    EXPECT_EQ(c.x, info->getOrigin()[0]) << c.body;
    EXPECT_EQ(c.y, info->getOrigin()[1]) << c.body;
    EXPECT_EQ(c.z, info->getOrigin()[2]) << c.body;
    if (c.diagnostic) {
      EXPECT_EQ(c.diagnostic, diagnostic) << c.body;
    } else {
      EXPECT_FALSE(diagnostic.empty()) << c.body;  // a cut file: some parse error
    }
    EXPECT_EQ(0, in.tell());
    info->Release();
  }
}

TEST(QuickReads, PreviewImage) {
  const std::string withPreview = SceneHead(true);
  CZinMemoryReadStream in(withPreview);
  IZinImage* image = nullptr;
  CZinEntryPoints::readPreviewImage(&image, &in);
  ASSERT_NE(nullptr, image);
  uint32_t width = 0, height = 0;
  const uint8_t* pixels = nullptr;
  image->getPixels(&width, &height, &pixels);
  EXPECT_EQ(128u, width + height);
  EXPECT_EQ(static_cast<uint8_t>(5 * 7), pixels[5]);
  image->Release();

  // A new manager's preview is empty: no image; so is a file whose first element
  // is something else, and a damaged block.
  std::string damaged = withPreview;
  damaged[damaged.find("<![CDATA[") + 12] = 'z';
  for (const std::string& bytes : {SceneHead(false), std::string("<?Zin library=\"2.01\"?><Other/>"), damaged}) {
    CZinMemoryReadStream other(bytes);
    IZinImage* none = reinterpret_cast<IZinImage*>(1);
    CZinEntryPoints::readPreviewImage(&none, &other);
    EXPECT_EQ(nullptr, none);
  }
}

TEST(QuickReads, AHundredMegabyteFileIsAnsweredFromItsHead) {
  const std::string head = SceneHead(true);
  for (int read = 0; read < 3; ++read) {
    CGeneratedReadStream stream(head, "\t<Filler a=\"1\"/>\n", size_t{100} << 20);
    eReadability readability;
    IZinFileInfo* info = nullptr;
    IZinImage* image = nullptr;
    if (read == 0) {
      EXPECT_TRUE(IZinMgr::checkFormat2(&stream, &readability, nullptr, nullptr, 0));
    } else if (read == 1) {
      CZinEntryPoints::readFileInfo(&info, &stream);
      EXPECT_EQ(30, info->getOrigin()[2]);
      info->Release();
    } else {
      CZinEntryPoints::readPreviewImage(&image, &stream);
      ASSERT_NE(nullptr, image);
      image->Release();
    }
    EXPECT_LT(stream.delivered, 64 * 1024) << read;
  }
}

TEST(QuickReads, MediaInfoNames) {
  const std::string bytes =
      "<?Zin library=\"5.1.1\" file=\"5.0\" min_version=\"5.1.0\" safe_version=\"5.1.0\"?>"
      "<Zin.File><Name en=\"not this\"/><Points><![CDATA[\n1 \n1.0 2.0 3.0 \n]]></Points>"
      "<InternalComponentDefinitions><InternalComponentDefinition UUID=\"01\"><Object.Definition>"
      "<Name en=\"nested\"/></Object.Definition></InternalComponentDefinition></InternalComponentDefinitions>"
      "<Object.Definition><Class en=\"no\"/><Name en=\"Chair\" fr=\"Chaise\" de=\"Stuhl\"/><Other de=\"no\"/>"
      "<Properties><Property><Name en=\"oak\"/></Property></Properties>"
      "</Object.Definition><Name de=\"not this either\"/>"
      "<Object.Definition><Name en=\"Armchair\" \xE9s=\"Sill\xF3n\"/><Setups><Setup><Name en=\"setup\"/></Setup>"
      "</Setups><Name fr=\"Fauteuil\"/></Object.Definition></Zin.File>";
  ManagerHold mgr;
  IZinString* names = mgr->getObjectDefinitions()->getNames();
  names->set(ZinLanguageCode("it"), "left from before");
  CZinMemoryReadStream in(bytes);
  EXPECT_TRUE(mgr->readMediaInfo(&in));
  std::string found;
  for (uint32_t i = 0; i < names->getCount(); ++i)
    found += std::to_string(names->getLanguageAt(i)) + "=" + names->get(names->getLanguageAt(i)) + " ";
  // Later definitions replace a language's name; the code is made of unsigned bytes.
  EXPECT_EQ(std::to_string(ZinLanguageCode("en")) + "=Armchair " + std::to_string(ZinLanguageCode("fr")) +
                "=Fauteuil " + std::to_string(ZinLanguageCode("de")) + "=Stuhl " + std::to_string(0xE9 * 256 + 's') +
                "=Sill\xF3n ",
            found);
  EXPECT_EQ(0u, mgr->getPoints()->getCount());  // blocks are passed over
}

TEST(QuickReads, CallsOnTheClientStream) {
  const std::string file =
      "<?Zin library=\"5.1.1\" file=\"5.0\" min_version=\"5.1.0\" safe_version=\"5.1.0\"?>"
      "<?Application name=\"Orvelle\" version=\"1\"?><Zin.File/>";
  const std::string lead(100, ' ');
  const std::string shifted = lead + file;
  CRecordingReadStream stream(shifted);
  stream.seek(100);  // the stream need not stand at its start
  stream.calls.clear();
  eReadability readability;
  EXPECT_TRUE(IZinMgr::checkFormat2(&stream, &readability, nullptr, nullptr, 0));
  EXPECT_EQ((std::vector<std::string>{"tell", "read 1->1", "seek 100", "read 1024->128", "seek 100",
                                      "read 1024->128", "seek 100"}),
            stream.calls);
  stream.calls.clear();
  IZinFileInfo* info = nullptr;
  CZinEntryPoints::readFileInfo(&info, &stream);
  info->Release();
  EXPECT_EQ((std::vector<std::string>{"tell", "read 1024->128", "seek 100"}), stream.calls);
}

TEST(ClientStreams, FileAndMemoryStreams) {
  const std::string path = ::testing::TempDir() + "zin_streams.bin";
  std::string bytes;
  for (int i = 0; i < 600000; ++i) bytes.push_back(static_cast<char>(i * 31));
  {
    CZinFileWriteStream out(path.c_str(), 4096);
    ASSERT_TRUE(out.isOpen());
    for (size_t at = 0; at < bytes.size(); at += 1000) {
      const int size = static_cast<int>(std::min<size_t>(1000, bytes.size() - at));
      EXPECT_EQ(size, out.write(bytes.data() + at, size));
    }
    EXPECT_TRUE(out.close());
    EXPECT_EQ(static_cast<int64_t>(bytes.size()), out.bytesWritten());
  }
  CZinFileReadStream in(path.c_str(), 65536);
  ASSERT_TRUE(in.isOpen());
  std::string back(bytes.size(), 0);
  int got = 0, piece;
  while ((piece = in.read(&back[static_cast<size_t>(got)], 1024)) > 0) got += piece;
  EXPECT_EQ(bytes, back);
  EXPECT_EQ(static_cast<int64_t>(bytes.size()), in.tell());
  in.seek(12345);  // far behind the buffer
  char c = 0;
  EXPECT_EQ(1, in.read(&c, 1));
  EXPECT_EQ(bytes[12345], c);
  in.seek(12340);  // inside the buffer
  EXPECT_EQ(1, in.read(&c, 1));
  EXPECT_EQ(bytes[12340], c);
  EXPECT_EQ(12341, in.tell());
  std::remove(path.c_str());
  CZinFileReadStream missing("/nonexistent/zin/file");
  EXPECT_EQ(0, missing.read(&c, 1));
  // A file that cannot be written says so at close, whatever write answered.
  CZinFileWriteStream full("/dev/full", 16);
  full.write(bytes.data(), 20);
  EXPECT_FALSE(full.close());
  CZinFileWriteStream unopened("/nonexistent/zin/file");
  EXPECT_FALSE(unopened.close());

  CZinMemoryReadStream memory(bytes);
  memory.seek(static_cast<int64_t>(bytes.size()) + 50);  // clamped to the end
  EXPECT_EQ(0, memory.read(&c, 1));
  memory.seek(-5);
  EXPECT_EQ(0, memory.tell());
}
