#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include "ZinFileStreams.h"
#include "ZinSDK.h"
#include "feedback_recorder.h"
#include "recording_read_stream.h"
#include "scene/objects.h"

using namespace QvZin;
using QvZinTest::CRecordingReadStream;
using QvZinTest::FeedbackRecorder;
using Texts = std::vector<std::string>;

namespace {

struct ManagerHold {
  IZinMgr* mgr = nullptr;
  explicit ManagerHold(FeedbackRecorder* feedback = nullptr) {
    CZinEntryPoints::newZinMgr(&mgr, eZinVersionCurrent, feedback);
  }
  ~ManagerHold() {
    if (mgr) mgr->Release();
  }
  IZinMgr* operator->() const { return mgr; }
};

std::string WriteToText(IZinMgr* mgr, const CZinVersion* version = nullptr) {
  CZinMemoryWriteStream out;
  EXPECT_TRUE(mgr->writeEx(&out, nullptr, version));
  return out.bytes();
}

// Replaces every run of 32 upper-case hexadecimal digits (an identifier) by "<id>".
std::string MaskIds(const std::string& text) {
  auto hex = [](char c) { return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F'); };
  std::string out;
  for (size_t i = 0; i < text.size();) {
    size_t run = 0;
    while (i + run < text.size() && hex(text[i + run])) ++run;
    if (run == 32) {
      out += "<id>";
      i += run;
    } else {
      out.append(text, i, run ? run : 1);
      i += run ? run : 1;
    }
  }
  return out;
}

// Keeps every byte and answers 0, as clients may: the result of write means nothing.
struct CZeroAnsweringWriteStream final : IZinWriteStream {
  int write(const void* data, int size) override {
    bytes.append(static_cast<const char*>(data), static_cast<size_t>(size));
    return 0;
  }
  std::string bytes;
};

const char kRenderDefaults[] =
    "\t\t<Double%d>0.000000</Double%d>\n\t\t<Double%d.Min>0.000000</Double%d.Min>\n\t\t<Double%d.Max>100.000000</"
    "Double%d.Max>\n\t\t<STR%d en=\"\"/>\n\t\t<COLOR%d\n\t\t\t R=\"0\"\n\t\t\t G=\"0\"\n\t\t\t B=\"0\"/>\n";

std::string NewManagerText() {
  std::string text =
      "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
      "<?Zin library=\"5.1.1\" file=\"5.0\" min_version=\"5.1.0\" safe_version=\"5.1.0\"?>\n"
      "<?Application name=\"\" version=\"\"?>\n"
      "<Zin.File>\n"
      "\t<Preview.Image><![CDATA[]]>\n\t</Preview.Image>\n"
      "\t<File.Info>\n\t\t<Origin\n\t\t\t X=\"0.000000\"\n\t\t\t Y=\"0.000000\"\n\t\t\t Z=\"0.000000\"/>\n\t</File.Info>\n"
      "\t<Images/>\n"
      "\t<Points><![CDATA[\n0 \n]]>\n\t</Points>\n"
      "\t<Polygons><![CDATA[\n0 \n]]>\n\t</Polygons>\n"
      "\t<InternalComponentDefinitions/>\n"
      "\t<Heliodons>\n\t\t<Heliodon UUID=\"<id>\">\n\t\t\t<Name en=\"Heliodon\"/>\n\t\t\t<UI.Value>0</UI.Value>\n"
      "\t\t</Heliodon>\n\t</Heliodons>\n"
      "\t<Properties/>\n\t<Billboards/>\n\t<Lights/>\n\t<Lights.Groups/>\n\t<Perspective.Views/>\n"
      "\t<Parallel.Views/>\n\t<PanoramasV2/>\n\t<Animations/>\n\t<View.Objects/>\n"
      "\t<Working.Window>\n\t\t<Parallel.Views/>\n\t</Working.Window>\n"
      "\t<Object.Instances/>\n\t<Scenarios/>\n\t<Paths.3D/>\n\t<Grounds/>\n\t<Layers/>\n\t<Layers.Info/>\n"
      "\t<Tmp.Render.Parameters>\n\t\t<Config.Name en=\"Unknown_Config\"/>\n";
  for (int i = 1; i <= 12; ++i) {
    char block[1024];
    std::snprintf(block, sizeof block, kRenderDefaults, i, i, i, i, i, i, i, i);
    text += block;
  }
  return text + "\t</Tmp.Render.Parameters>\n</Zin.File>\n";
}

// A scene with something in most collections, names, images and geometry.
void FillScene(IZinMgr* mgr) {
  mgr->setApplication("Test app", "2.5");
  mgr->getPerspectiveViews()->newZinObject(kZinEndOfList)->getBasicData()->setName("Camera A");
  mgr->getPerspectiveViews()->newZinObject(kZinEndOfList)->getBasicData()->setName("Camera B");
  IZinLight* light = mgr->getLights()->newZinObject(kZinEndOfList);
  light->getBasicData()->setName("Sun lamp & <friends>");
  light->getBasicData()->setUIValue(7);
  mgr->getLayers()->newZinObject(kZinEndOfList)->getBasicData()->setName("Walls");
  mgr->getLightsGroups()->newZinObject(kZinEndOfList)->getBasicData()->setName("Group \"1\"");
  const uint8_t pixels[8] = {255, 0, 0, 255, 0, 255, 0, 128};
  mgr->getPreviewImage().setPixels(2, 1, pixels);
  IZinImage* image = mgr->getImages().newZinObject(kZinEndOfList);
  image->setPixels(1, 2, pixels);
  const CZinUUID imageId = CZinUUID::fromText("00112233445566778899AABBCCDDEEFF");
  image->setImageId(&imageId);
  for (int i = 0; i < 4; ++i) {
    CZinPoint* p = mgr->getPoints()->newZinObject(kZinEndOfList);
    p->mX = i;
    p->mY = i * 0.5;
    p->mZ = -i;
  }
  IZinPolygon* polygon = mgr->getPolygons()->newZinObject(kZinEndOfList);
  polygon->setPropertyIndex(3);
  for (int i = 0; i < 3; ++i) polygon->getContour()->newZinObject(kZinEndOfList)->mPointIndex = i;
  const double origin[3] = {1.5, -2, 3};
  mgr->getFileInfo()->setOrigin(origin);
  mgr->getMgrEx(eZinVersionCurrent)->getRenderConfig()->name = "Renderer X";
  mgr->getMgrEx(eZinVersionCurrent)->getRenderConfig()->flags[3] = true;
}

}  // namespace

TEST(Document, NewManagerFileByteForByte) {
  ManagerHold mgr;
  EXPECT_EQ(NewManagerText(), MaskIds(WriteToText(mgr.mgr)));
  const CZinVersion older{5, 0, 3};
  const std::string text = WriteToText(mgr.mgr, &older);
  EXPECT_NE(std::string::npos,
            text.find("<?Zin library=\"5.1.1\" file=\"5.0\" min_version=\"5.0.3\" safe_version=\"5.0.3\"?>"));
}

TEST(Document, WriteReadWriteGivesTheSameBytes) {
  FeedbackRecorder feedback;
  ManagerHold first(&feedback);
  FillScene(first.mgr);
  const std::string once = WriteToText(first.mgr);
  EXPECT_TRUE(feedback.warnings.empty());

  ManagerHold second(&feedback);
  // The application instruction names whoever writes: the reader's own declaration.
  second->setApplication("Test app", "2.5");
  CZinMemoryReadStream in(once);
  ASSERT_TRUE(second->read(&in, nullptr)) << ::testing::PrintToString(feedback.texts());
  EXPECT_TRUE(feedback.warnings.empty()) << ::testing::PrintToString(feedback.texts());
  EXPECT_EQ(once, WriteToText(second.mgr));

  EXPECT_EQ(CZinVersion({5, 1, 1}), *second->getFileVersion());
  ASSERT_EQ(2u, second->getPerspectiveViews()->getCount());
  EXPECT_STREQ("Camera B", second->getPerspectiveViews()->getZinObject(1)->getBasicData()->getName());
  EXPECT_STREQ("Sun lamp & <friends>", second->getLights()->getZinObject(0)->getBasicData()->getName());
  EXPECT_EQ(7, second->getLights()->getZinObject(0)->getBasicData()->getUIValue());
  EXPECT_EQ(1u, second->getHeliodons()->getCount());
  uint32_t width = 0, height = 0;
  const uint8_t* pixels = nullptr;
  second->getPreviewImage().getPixels(&width, &height, &pixels);
  ASSERT_EQ(2u, width);
  EXPECT_EQ(128, pixels[7]);
  ASSERT_EQ(1u, second->getImages().getCount());
  EXPECT_EQ(CZinUUID::fromText("00112233445566778899AABBCCDDEEFF"),
            *second->getImages().getZinObject(0)->getImageId());
  ASSERT_EQ(4u, second->getPoints()->getCount());
  EXPECT_EQ(1.5, second->getPoints()->getZinObject(3)->mY);
  ASSERT_EQ(1u, second->getPolygons()->getCount());
  EXPECT_EQ(3, second->getPolygons()->getZinObject(0)->getPropertyIndex());
  EXPECT_EQ(-2, second->getFileInfo()->getOrigin()[1]);
  EXPECT_EQ("Renderer X", second->getMgrEx(eZinVersionCurrent)->getRenderConfig()->name);
  EXPECT_TRUE(second->getMgrEx(eZinVersionCurrent)->getRenderConfig()->flags[3]);
}

TEST(Document, KeepsUnknownElementsAndDropsTheObsoleteOnes) {
  FeedbackRecorder feedback;
  ManagerHold source;
  std::string text = WriteToText(source.mgr);
  const std::string extra =
      "\t<Heliodon/>\n\t<Ambient/>\n\t<Custom.Thing a=\"1\">kept</Custom.Thing>\n\t<Application.Data>\n"
      "\t\t<Mine/>\n\t</Application.Data>\n";
  text.insert(text.find("\t<Heliodons>"), extra);
  ManagerHold mgr(&feedback);
  CZinMemoryReadStream in(text);
  ASSERT_TRUE(mgr->read(&in, nullptr));
  const std::string again = WriteToText(mgr.mgr);
  EXPECT_EQ(std::string::npos, again.find("<Heliodon/>"));
  EXPECT_EQ(std::string::npos, again.find("<Ambient/>"));
  EXPECT_EQ(std::string::npos, again.find("Application.Data"));
  // The unknown element stays where it was; the collection elements are written
  // again at the end, so they now follow it.
  const size_t custom = again.find("\t<Custom.Thing a=\"1\">kept</Custom.Thing>\n");
  ASSERT_NE(std::string::npos, custom);
  EXPECT_GT(custom, again.find("</Polygons>"));
  EXPECT_LT(custom, again.find("<InternalComponentDefinitions/>"));
  EXPECT_LT(custom, again.find("<Heliodons>"));
}

TEST(Document, FailuresGiveExactlyTheirWarnings) {
  ManagerHold good;
  FillScene(good.mgr);
  const std::string file = WriteToText(good.mgr);

  {  // no header
    FeedbackRecorder feedback;
    ManagerHold mgr(&feedback);
    mgr->getLights()->newZinObject(kZinEndOfList);
    const std::string bare = "<Zin.File/>";
    CZinMemoryReadStream in(bare);
    EXPECT_FALSE(mgr->read(&in, nullptr));
    EXPECT_EQ(Texts{"Not a valid zin file"}, feedback.texts());
    EXPECT_EQ(mgr.mgr, feedback.warnings[0].mgr);
    EXPECT_EQ(1u, mgr->getLights()->getCount());  // untouched
    EXPECT_FALSE(mgr->read(nullptr, nullptr));
  }
  {  // a header and no "Zin.File": the manager keeps a document it can write
    FeedbackRecorder feedback;
    ManagerHold mgr(&feedback);
    mgr->getLights()->newZinObject(kZinEndOfList)->getBasicData()->setName("Kept");
    const std::string rootless = "<?Zin library=\"2.01\" file=\"5.0\"?>\n<Other/>\n";
    CZinMemoryReadStream in(rootless);
    EXPECT_FALSE(mgr->read(&in, nullptr));
    EXPECT_EQ(Texts{"CZinXMLGet::CZinXMLGet - NULL ptr"}, feedback.texts());
    EXPECT_STREQ("", mgr->getURL());
    EXPECT_NE(std::string::npos, WriteToText(mgr.mgr).find("<Name en=\"Kept\"/>"));
    EXPECT_EQ(1u, feedback.warnings.size());
  }
  {  // no "Working.Window": the earlier collections are read
    FeedbackRecorder feedback;
    ManagerHold mgr(&feedback);
    std::string text = file;
    const size_t at = text.find("\t<Working.Window>");
    text.erase(at, text.find("</Working.Window>\n") + 18 - at);
    CZinMemoryReadStream in(text);
    EXPECT_FALSE(mgr->read(&in, nullptr));
    EXPECT_EQ(Texts{"exception (pointer is NULL)"}, feedback.texts());
    EXPECT_EQ(1u, mgr->getLightsGroups()->getCount());
  }
  {  // a data block where none belongs
    FeedbackRecorder feedback;
    ManagerHold mgr(&feedback);
    std::string text = file;
    text.insert(text.find("<UI.Value>0</UI.Value>\n\t\t</Heliodon>"), "<![CDATA[xyz]]>");
    CZinMemoryReadStream in(text);
    EXPECT_FALSE(mgr->read(&in, nullptr));
    EXPECT_EQ((Texts{"Error \"CData block unknown\" while parsing 'Heliodon' data block",
                     "exception (assertion failed)"}),
              feedback.texts());
  }
  {  // a bad image block
    FeedbackRecorder feedback;
    ManagerHold mgr(&feedback);
    std::string text = file;
    const size_t block = text.find("<Preview.Image><![CDATA[") + 24;
    text[block] = 'g';
    CZinMemoryReadStream in(text);
    EXPECT_FALSE(mgr->read(&in, nullptr));
    EXPECT_EQ((Texts{"Error \"XCXMLImage::ReadHex - Invalid hex value\" while parsing 'Preview.Image' data block",
                     "exception (assertion failed)"}),
              feedback.texts());
  }
  {  // a stream that answers 0 to every write receives the whole document
    FeedbackRecorder feedback;
    ManagerHold mgr(&feedback);
    FillScene(mgr.mgr);
    for (int i = 0; i < 10000; ++i) mgr->getPoints()->newZinObject(kZinEndOfList)->mX = i / 7.0;
    CZeroAnsweringWriteStream out;
    EXPECT_TRUE(mgr->write(&out, nullptr));
    EXPECT_EQ(Texts{}, feedback.texts());
    EXPECT_EQ(WriteToText(mgr.mgr), out.bytes);
    EXPECT_GT(out.bytes.size(), size_t{64 * 1024});  // several pieces, each answered 0
    FeedbackRecorder quiet;
    ManagerHold again(&quiet);
    EXPECT_FALSE(again->write(nullptr, nullptr));
    EXPECT_EQ(1u, quiet.warnings.size());
  }
}

TEST(Document, CallsOnTheClientReadStream) {
  ManagerHold source;
  const std::string file = WriteToText(source.mgr);
  ManagerHold mgr;
  CRecordingReadStream in(file);
  ASSERT_TRUE(mgr->read(&in, nullptr));
  // tell; the header scan (one piece is enough here); seek back; one full parse.
  ASSERT_GE(in.calls.size(), 5u);
  EXPECT_EQ("tell", in.calls[0]);
  EXPECT_EQ("read 1024->1024", in.calls[1]);
  EXPECT_EQ("seek 0", in.calls[2]);
  size_t reads = 0;
  for (size_t i = 3; i < in.calls.size(); ++i) {
    EXPECT_EQ(0u, in.calls[i].rfind("read 1024->", 0)) << in.calls[i];
    ++reads;
  }
  EXPECT_EQ((file.size() + 1023) / 1024 + (file.size() % 1024 == 0), reads);
}

TEST(Document, CommentsURLAndApplicationData) {
  FeedbackRecorder feedback;
  ManagerHold mgr(&feedback);
  EXPECT_EQ(0, mgr->setComment("a", 5));
  EXPECT_EQ(1, mgr->setComment("b", 5));
  EXPECT_STREQ("b", mgr->getComment(1));
  EXPECT_EQ(0, mgr->setComment(nullptr, 0));
  EXPECT_STREQ("b", mgr->getComment(0));
  EXPECT_EQ(-1, mgr->setComment(nullptr, 7));
  EXPECT_EQ(nullptr, mgr->getComment(3));
  EXPECT_EQ(0, mgr->setComment("c", 0));
  EXPECT_STREQ("", mgr->getURL());
  mgr->setURL("file:///scene.zin");
  mgr->setURL("file:///other.zin");
  EXPECT_STREQ("file:///other.zin", mgr->getURL());
  QuorveXML::XIXMLElement* mine = mgr->getApplicationData("My.App");
  ASSERT_NE(nullptr, mine);
  EXPECT_EQ(mine, mgr->getApplicationData("My.App"));
  EXPECT_EQ(nullptr, mgr->getApplicationData(""));
  EXPECT_EQ(nullptr, mgr->getApplicationData(nullptr));
  EXPECT_EQ((Texts{"Exception in IZinMgr::getApplicationData : Invalid application tag (assertion failed)",
                   "Exception in IZinMgr::getApplicationData : Invalid application tag (assertion failed)"}),
            feedback.texts());
  const std::string text = WriteToText(mgr.mgr);
  EXPECT_NE(std::string::npos, text.find("<!--c-->\n<Zin.File>"));
  EXPECT_NE(std::string::npos, text.find("<Save.Url>file:///other.zin</Save.Url>"));
  EXPECT_EQ(std::string::npos, text.find("My.App"));
  // Comments and URL survive a read.
  ManagerHold back;
  CZinMemoryReadStream in(text);
  ASSERT_TRUE(back->read(&in, nullptr));
  EXPECT_STREQ("c", back->getComment(0));
  EXPECT_STREQ("file:///other.zin", back->getURL());
}

TEST(Document, RenderConfigurationReadsAsFarAsItCan) {
  ManagerHold source;
  CZinRenderConfig* config = source->getMgrEx(eZinVersionCurrent)->getRenderConfig();
  config->values[0] = 1.25;
  config->texts[0] = "first";
  config->values[5] = 6.5;
  std::string text = WriteToText(source.mgr);
  // Damage parameter 3: parameters 1 and 2 keep what they read, the rest keep defaults.
  text.replace(text.find("<Double3.Min>"), 13, "<Broken.Min>");
  text.replace(text.find("</Double3.Min>"), 14, "</Broken.Min>");
  ManagerHold mgr;
  CZinMemoryReadStream in(text);
  testing::internal::CaptureStderr();
  EXPECT_TRUE(mgr->read(&in, nullptr));
  EXPECT_EQ("GetTmpRenderParameters thrown error\n", testing::internal::GetCapturedStderr());
  CZinRenderConfig* read = mgr->getMgrEx(eZinVersionCurrent)->getRenderConfig();
  EXPECT_EQ(1.25, read->values[0]);
  EXPECT_EQ("first", read->texts[0]);
  EXPECT_EQ(0.0, read->values[5]);
}

TEST(Document, WrittenFilesAreWellFormedForAnIndependentParser) {
  if (std::system("command -v xmllint >/dev/null 2>&1") != 0) GTEST_SKIP() << "xmllint is not installed";
  ManagerHold mgr;
  FillScene(mgr.mgr);
  mgr->setComment("made -- by a test", 0);
  const std::string path = ::testing::TempDir() + "zin_wellformed.zin";
  {
    CZinFileWriteStream out(path.c_str());
    ASSERT_TRUE(mgr->write(&out, nullptr));
    ASSERT_TRUE(out.close());
  }
  // A comment may not hold "--" for a strict parser: write one without it.
  mgr->setComment("made by a test", 0);
  {
    CZinFileWriteStream out(path.c_str());
    ASSERT_TRUE(mgr->write(&out, nullptr));
    ASSERT_TRUE(out.close());
  }
  EXPECT_EQ(0, std::system(("xmllint --noout " + path).c_str()));
  std::remove(path.c_str());
}

namespace {

const CZinUUID kComponentId = CZinUUID::fromText("00000000000000000000000000000001");

// A scene with one internal component definition of three points and one image.
std::string ComponentFile() {
  ManagerHold mgr;
  auto* component = static_cast<CZinZinObjectDefinition*>(
      mgr->getInternalComponentDefinitions()->newZinObject(kZinEndOfList));
  component->setId(kComponentId);
  for (int i = 0; i < 3; ++i) component->points().newZinObject(kZinEndOfList)->mX = i + 1;
  const CZinUUID imageId = CZinUUID::fromText("00112233445566778899AABBCCDDEEFF");
  mgr->getImages().newZinObject(kZinEndOfList)->setImageId(&imageId);
  return WriteToText(mgr.mgr);
}

std::string Replaced(std::string text, const std::string& from, const std::string& to) {
  const size_t at = text.find(from);
  EXPECT_NE(std::string::npos, at) << from;
  if (at != std::string::npos) text.replace(at, from.size(), to);
  return text;
}

// A client storage that breaks its contract: it answers null.
struct CNullStorage final : IZinExtStorageReader {
  IReader* createGeometryReader(const CZinUUID&, bool) override { return nullptr; }
};

}  // namespace

TEST(Document, DataBlockFailuresNameTheirBlock) {
  const std::string file = ComponentFile();
  const std::string item = "<InternalComponentDefinition UUID=\"00000000000000000000000000000001\">";
  const std::string parse = "exception (assertion failed)";  // the parse that the false answer ends
  CNullStorage nullStorage;
  struct Case {
    std::string bytes;
    IZinExtStorageReader* storage;
    Texts warnings;
  } cases[] = {
      {Replaced(file, item, "<InternalComponentDefinition>"), nullptr,
       {"Error \"CZINCDATAReader::ReadCData - No UUID attributes (pointer is NULL)\" while parsing 'Points' data "
        "block",
        parse}},
      {Replaced(file, "00000000000000000000000000000001", "00000000000000000000000000000000"), nullptr,
       {"Error \"CZINCDATAReader::ReadCData - NULL UUID (assertion failed)\" while parsing 'Points' data block", parse}},
      {Replaced(file, "<Geometry.Level>0</Geometry.Level>", ""), nullptr,
       {"Error \"CZINCDATAReader::ReadCData - No Geometry.Level element (pointer is NULL)\" while parsing 'Points' "
        "data block",
        parse}},
      {Replaced(file, "<Geometry.Level>0</Geometry.Level>", "<Geometry.Level/>"), nullptr,
       {"Error \"CZINCDATAReader::ReadCData - No Geometry.Level data (pointer is NULL)\" while parsing 'Points' data "
        "block",
        parse}},
      {Replaced(file, "UUID=\"00112233445566778899AABBCCDDEEFF\"", "UUID=\"0011223344556677889\""), nullptr,
       {"Error \"Invalid hex value\" while parsing 'Image' data block", parse}},
      {file, &nullStorage,
       {"Error \"CZINCDATAReader::ReadCData - No geometry reader (pointer is NULL)\" while parsing 'Points' data "
        "block",
        parse}},
  };
  for (const Case& c : cases) {
    FeedbackRecorder feedback;
    ManagerHold mgr(&feedback);
    CZinMemoryReadStream in(c.bytes);
    EXPECT_FALSE(mgr->read(&in, c.storage));
    EXPECT_EQ(c.warnings, feedback.texts());
    for (const auto& warning : feedback.warnings) EXPECT_EQ(mgr.mgr, warning.mgr);
  }

  // An image element without "UUID" keeps the identifier its new image was made with.
  FeedbackRecorder feedback;
  ManagerHold mgr(&feedback);
  const std::string anonymous = Replaced(file, " UUID=\"00112233445566778899AABBCCDDEEFF\"", "");
  CZinMemoryReadStream in(anonymous);
  ASSERT_TRUE(mgr->read(&in, nullptr)) << ::testing::PrintToString(feedback.texts());
  ASSERT_EQ(1u, mgr->getImages().getCount());
  EXPECT_TRUE(mgr->getImages().getZinObject(0)->getImageId()->isNull());
}

TEST(Document, RepeatedComponentsFeedOneDefinition) {
  std::string file = ComponentFile();
  const size_t begin = file.find("\t\t<InternalComponentDefinition ");
  const std::string end = "</InternalComponentDefinition>\n";
  const size_t after = file.find(end, begin) + end.size();
  file.insert(after, file.substr(begin, after - begin));

  ManagerHold mgr;
  CZinMemoryReadStream in(file);
  ASSERT_TRUE(mgr->read(&in, nullptr));
  // Both blocks went into the one definition, which the file lists once.
  ASSERT_EQ(1u, mgr->getInternalComponentDefinitions()->getCount());
  auto* component = static_cast<CZinZinObjectDefinition*>(mgr->getInternalComponentDefinitions()->getZinObject(0));
  EXPECT_EQ(kComponentId, *component->getBasicData()->getId());
  EXPECT_EQ(6u, component->points().getCount());
  const std::string again = WriteToText(mgr.mgr);
  EXPECT_EQ(again.find("<InternalComponentDefinition "), again.rfind("<InternalComponentDefinition "));
  EXPECT_NE(std::string::npos, again.find("<Points><![CDATA[\n6 \n1.0 0.0 0.0 \n2.0 0.0 0.0 \n3.0 0.0 0.0 \n1.0 "));

  // Many components, each with its own block, come back in document order.
  std::string many = "<?Zin library=\"2.01\" file=\"5.0\"?>\n<Zin.File><InternalComponentDefinitions>";
  constexpr int kCount = 3000;
  for (int i = 0; i < kCount; ++i) {
    char element[256];
    std::snprintf(element, sizeof element,
                  "<InternalComponentDefinition UUID=\"%032X\"><Geometry.Level>%d</Geometry.Level>"
                  "<Points><![CDATA[\n1 \n%d.0 0.0 0.0 \n]]></Points></InternalComponentDefinition>",
                  kCount - i, i % 3, i);
    many += element;
  }
  many += "</InternalComponentDefinitions><Working.Window/></Zin.File>";
  FeedbackRecorder feedback;
  ManagerHold big(&feedback);
  CZinMemoryReadStream bigIn(many);
  ASSERT_TRUE(big->read(&bigIn, nullptr)) << ::testing::PrintToString(feedback.texts());
  TZinObjectMgr<IZinZinObjectDefinition>* components = big->getInternalComponentDefinitions();
  ASSERT_EQ(static_cast<uint32_t>(kCount), components->getCount());
  for (uint32_t i = 0; i < components->getCount(); i += 499) {
    auto* c = static_cast<CZinZinObjectDefinition*>(components->getZinObject(i));
    EXPECT_EQ(static_cast<uint8_t>((kCount - i) & 0xFF), c->getBasicData()->getId()->mBytes[15]);
    EXPECT_EQ(static_cast<int32_t>(i % 3), c->geometryLevel());
    ASSERT_EQ(1u, c->points().getCount());
    EXPECT_EQ(static_cast<double>(i), c->points().getZinObject(0)->mX);
  }
}

namespace {

// Client objects that throw something other than a standard exception.
struct CThrowingWriteStream final : IZinWriteStream {
  int write(const void*, int) override { throw 7; }
};

class CThrowingReadStream final : public IZinReadStream {
public:
  explicit CThrowingReadStream(const std::string& bytes) : mInner(bytes) {}
  // The header scan reads; after the seek back, the full parse meets the throw.
  int read(void* buffer, int size) override {
    if (mSeeks > 0) throw 7;
    return mInner.read(buffer, size);
  }
  int64_t tell() override { return mInner.tell(); }
  void seek(int64_t position) override {
    ++mSeeks;
    mInner.seek(position);
  }

private:
  CZinMemoryReadStream mInner;
  int mSeeks = 0;
};

struct CThrowingStorage final : IZinExtStorageReader, IZinExtStorageReader::IReader {
  IZinExtStorageReader::IReader* createGeometryReader(const CZinUUID&, bool) override { return this; }
  void destroy() override { ++destroyed; }
  void setPointCount(int) override { throw 7; }
  bool setPoint(const double*, int) override { return true; }
  void setPolygonCount(int) override {}
  bool setPolygon(const IZinPolygon*, int) override { return true; }
  int destroyed = 0;
};

}  // namespace

TEST(Document, ForeignExceptionsGiveTheirOwnTexts) {
  ManagerHold source;
  source->getPoints()->newZinObject(kZinEndOfList);
  const std::string file = WriteToText(source.mgr);
  {
    FeedbackRecorder feedback;
    ManagerHold mgr(&feedback);
    CThrowingWriteStream out;
    EXPECT_FALSE(mgr->write(&out, nullptr));
    EXPECT_EQ(Texts{"Unknownm exception while writting"}, feedback.texts());
    EXPECT_EQ(mgr.mgr, feedback.warnings[0].mgr);
    // The write put its storage back: none was set before it.
    EXPECT_EQ(nullptr, mgr->setGeometryWriter(nullptr));
  }
  {
    FeedbackRecorder feedback;
    ManagerHold mgr(&feedback);
    CThrowingReadStream in(file);
    EXPECT_FALSE(mgr->read(&in, nullptr));
    EXPECT_EQ(Texts{"Unknown reading error"}, feedback.texts());
  }
  {
    FeedbackRecorder feedback;
    ManagerHold mgr(&feedback);
    CThrowingStorage storage;
    CZinMemoryReadStream in(file);
    EXPECT_FALSE(mgr->read(&in, &storage));
    EXPECT_EQ((Texts{"Unknownm exception while parsing 'Points' data block", "exception (assertion failed)"}),
              feedback.texts());
    EXPECT_EQ(1, storage.destroyed);  // the reader is given back whatever happens
  }
}

TEST(Document, InstructionsOfAReadFile) {
  ManagerHold source;
  std::string file = WriteToText(source.mgr);
  // An older header, and no application instruction at all.
  file = Replaced(file, "<?Zin library=\"5.1.1\" file=\"5.0\" min_version=\"5.1.0\" safe_version=\"5.1.0\"?>",
                  "<?Zin library=\"2.01\" file=\"4.5\"?>");
  file = Replaced(file, "<?Application name=\"\" version=\"\"?>\n", "");
  ManagerHold mgr;
  CZinMemoryReadStream in(file);
  ASSERT_TRUE(mgr->read(&in, nullptr));
  EXPECT_EQ(CZinVersion({2, 0, 1}), *mgr->getFileVersion());
  int major = 0, minor = 0;
  EXPECT_TRUE(mgr->getFileFormat(&major, &minor));
  EXPECT_EQ(4, major);
  EXPECT_EQ(5, minor);
  // The header is brought up to date; no application instruction is added.
  mgr->setApplication("Writer", "1");
  const std::string again = WriteToText(mgr.mgr);
  EXPECT_EQ(0u, again.find("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                           "<?Zin library=\"5.1.1\" file=\"5.0\" min_version=\"5.1.0\" safe_version=\"5.1.0\"?>\n"
                           "<Zin.File>\n"));
  EXPECT_EQ(std::string::npos, again.find("Application"));
}
