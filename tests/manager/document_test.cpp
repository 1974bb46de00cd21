#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "fuzz/manager_targets.h"
#include "fuzz_inputs.h"
#include "scene/objects.h"
#include "test_support.h"
#include "xml/node_heap.h"

using namespace QvZin;
using namespace QvZinTest;

namespace {

// Replaces every run of 32 upper-case hexadecimal digits (an identifier) by "<id>".
std::string MaskIds(const std::string& text) {
  auto hex = [](char c) { return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F'); };
  std::string out;
  for (size_t i = 0; i < text.size();) {
    size_t run = 0;
    while (i + run < text.size() && hex(text[i + run])) ++run;
    out += run == 32 ? std::string("<id>") : text.substr(i, run ? run : 1);
    i += run ? run : 1;
  }
  return out;
}

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
      "\t<Heliodons>\n\t\t<heliodon>\n\t</Heliodons>\n"
      "\t<Properties/>\n\t<Billboards/>\n\t<Lights/>\n\t<Lights.Groups/>\n\t<Perspective.Views/>\n"
      "\t<Parallel.Views/>\n\t<PanoramasV2/>\n\t<Animations/>\n\t<View.Objects/>\n"
      "\t<Working.Window>\n\t\t<Parallel.Views/>\n\t</Working.Window>\n"
      "\t<Object.Instances/>\n\t<Scenarios/>\n\t<Paths.3D/>\n\t<Grounds/>\n\t<Layers/>\n"
      "\t<Layers.Info Active.Layer=\"<id>\">\n\t\t<Default.Layer.Map\n\t\t\t Plant3D=\"<id>\"\n\t\t\t ZinObject=\"<id>\"\n"
      "\t\t\t Billboard=\"<id>\"\n\t\t\t LightObject=\"<id>\"\n\t\t\t AnimatedObject=\"<id>\"/>\n\t</Layers.Info>\n"
      "\t<Tmp.Render.Parameters>\n\t\t<Config.Name en=\"Unknown_Config\"/>\n";
  for (int i = 1; i <= 12; ++i) {
    char block[1024];
    std::snprintf(block, sizeof block,
                  "\t\t<Double%d>0.000000</Double%d>\n\t\t<Double%d.Min>0.000000</Double%d.Min>\n\t\t<Double%d.Max>"
                  "100.000000</Double%d.Max>\n\t\t<STR%d en=\"\"/>\n\t\t<COLOR%d\n\t\t\t R=\"0\"\n\t\t\t G=\"0\"\n\t\t\t"
                  " B=\"0\"/>\n",
                  i, i, i, i, i, i, i, i);
    text += block;
  }
  return text + "\t</Tmp.Render.Parameters>\n</Zin.File>\n";
}

// A scene with something in most collections, names, images and geometry.
void FillScene(IZinMgr* mgr) {
  mgr->setApplication("Test app", "2.5");
  mgr->getPerspectiveViews()->newZinObject(kZinEndOfList)->getBasicData()->setName("Camera A");
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
  for (int i = 0; i < 4; ++i) *mgr->getPoints()->newZinObject(kZinEndOfList) = CZinPoint{double(i), i * 0.5, -double(i)};
  IZinPolygon* polygon = mgr->getPolygons()->newZinObject(kZinEndOfList);
  polygon->setPropertyIndex(3);
  for (int i = 0; i < 3; ++i) polygon->getContour()->newZinObject(kZinEndOfList)->mPointIndex = i;
  const double origin[3] = {1.5, -2, 3};
  mgr->getFileInfo()->setOrigin(origin);
  mgr->getMgrEx(eZinVersionCurrent)->getRenderConfig()->name = "Renderer X";
  mgr->getMgrEx(eZinVersionCurrent)->getRenderConfig()->flags[3] = true;
}

// Reads bytes into a new manager; returns the warnings.
Texts ReadWarnings(const std::string& bytes, bool succeeds, IZinExtStorageReader* storage = nullptr) {
  FeedbackRecorder feedback;
  ManagerHold mgr(&feedback);
  CZinMemoryReadStream in(bytes);
  EXPECT_EQ(succeeds, mgr->read(&in, storage));
  for (const auto& warning : feedback.warnings) EXPECT_EQ(mgr.mgr, warning.mgr);
  return feedback.texts();
}

const CZinUUID kComponentId = CZinUUID::fromText("00000000000000000000000000000001");

// A scene with one internal component definition of three points and one image.
std::string ComponentFile() {
  ManagerHold mgr;
  auto* component =
      static_cast<CZinZinObjectDefinition*>(mgr->getInternalComponentDefinitions()->newZinObject(kZinEndOfList));
  component->setId(kComponentId);
  for (int i = 0; i < 3; ++i) component->points().newZinObject(kZinEndOfList)->mX = i + 1;
  const CZinUUID imageId = CZinUUID::fromText("00112233445566778899AABBCCDDEEFF");
  mgr->getImages().newZinObject(kZinEndOfList)->setImageId(&imageId);
  return WriteToText(mgr.mgr);
}

// Client objects that throw something other than a standard exception.
struct CThrowingWriteStream final : IZinWriteStream {
  int write(const void*, int) override { throw 7; }
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

// A client storage that breaks its contract: it answers null.
struct CNullStorage final : IZinExtStorageReader {
  IReader* createGeometryReader(const CZinUUID&, bool) override { return nullptr; }
};

// Replaces the first heliodon's element by "<heliodon>": it holds the clock's date,
// and the scene tests compare it whole.
std::string MaskHeliodon(std::string text) {
  const size_t start = text.find("<Heliodon\n"), end = text.find("</Heliodon>");
  if (start != std::string::npos && end != std::string::npos) text.replace(start, end + 11 - start, "<heliodon>");
  return text;
}

}  // namespace

TEST(Document, NewManagerFileByteForByte) {
  ManagerHold mgr;
  EXPECT_EQ(NewManagerText(), MaskHeliodon(MaskIds(WriteToText(mgr.mgr))));
  const CZinVersion older{5, 0, 3};
  EXPECT_NE(std::string::npos, WriteToText(mgr.mgr, nullptr, &older)
                                   .find("<?Zin library=\"5.1.1\" file=\"5.0\" min_version=\"5.0.3\" "
                                         "safe_version=\"5.0.3\"?>"));
}

TEST(Document, WriteReadWriteGivesTheSameBytes) {
  FeedbackRecorder feedback;
  ManagerHold first(&feedback);
  FillScene(first.mgr);
  const std::string once = WriteToText(first.mgr);
  ManagerHold second(&feedback);
  // The application instruction names whoever writes: the reader's own declaration.
  second->setApplication("Test app", "2.5");
  CZinMemoryReadStream in(once);
  ASSERT_TRUE(second->read(&in, nullptr));
  EXPECT_EQ(Texts{}, feedback.texts());
  EXPECT_EQ(once, WriteToText(second.mgr));
  // What a read holds is the manager's own: the same bytes came from it.
  EXPECT_EQ(CZinVersion({5, 1, 1}), *second->getFileVersion());
  EXPECT_STREQ("Sun lamp & <friends>", second->getLights()->getZinObject(0)->getBasicData()->getName());
  EXPECT_EQ(1.5, second->getPoints()->getZinObject(3)->mY);
  EXPECT_TRUE(second->getMgrEx(eZinVersionCurrent)->getRenderConfig()->flags[3]);
}

TEST(Document, KeepsUnknownElementsAndDropsTheObsoleteOnes) {
  ManagerHold source;
  std::string text = WriteToText(source.mgr);
  text.insert(text.find("\t<Heliodons>"),
              "\t<Heliodon/>\n\t<Ambient/>\n\t<Custom.Thing a=\"1\">kept</Custom.Thing>\n\t<Application.Data>\n"
              "\t\t<Mine/>\n\t</Application.Data>\n\t<Lights>\n\t\t<Junk/>\n\t</Lights>\n");
  ManagerHold mgr;
  CZinMemoryReadStream in(text);
  ASSERT_TRUE(mgr->read(&in, nullptr));
  const std::string again = WriteToText(mgr.mgr);
  for (const char* gone : {"<Heliodon/>", "<Ambient/>", "Application.Data", "Junk"})
    EXPECT_EQ(std::string::npos, again.find(gone)) << gone;
  // Of two collection elements of one name the first is read; both are replaced by one.
  EXPECT_EQ(again.find("<Lights/>"), again.rfind("<Lights/>"));
  EXPECT_EQ(std::string::npos, again.find("<Lights>"));
  EXPECT_EQ(again, WriteToText(mgr.mgr));
  // The unknown element stays where it was; the collection elements are written
  // again at the end, so they now follow it.
  const size_t custom = again.find("\t<Custom.Thing a=\"1\">kept</Custom.Thing>\n");
  EXPECT_GT(custom, again.find("</Polygons>"));
  EXPECT_LT(custom, again.find("<InternalComponentDefinitions/>"));
}

// Every collection element, and each object's element in it, is rebuilt from the
// nodes of the one the last write (or the read) left. Whatever the objects became
// since (each item now another object's, instances of another kind, names and
// numbers of other lengths, items gone or new), the bytes are those of a write over
// a document without the old elements.
TEST(Document, ARewriteGivesTheBytesOfAFreshWrite) {
  const char* const classes[] = {"ZinObject", "Billboard", "3DPlant", "3DPlantGroupInstances", "AnimatedObject",
                                 "ModelObject", "LightObject", "Sculpture"};
  auto rotate = [](auto* list) {
    if (list->getCount() > 1) list->moveObject(0, list->getCount() - 1);
  };
  auto edit = [&](IZinMgr* mgr, int round) {
    rotate(mgr->getLights());
    rotate(mgr->getLightsGroups());
    rotate(mgr->getPerspectiveViews());
    rotate(mgr->getParallelViews());
    rotate(mgr->getViewObjects());
    rotate(mgr->getPanoramas());
    rotate(mgr->getMgrEx(eZinVersionCurrent)->getAnimations());
    rotate(mgr->getScenarios());
    rotate(mgr->getLayers());
    rotate(mgr->getProperties());
    rotate(mgr->getMgrEx(eZinVersionCurrent)->getBBMgrData());
    rotate(mgr->getHeliodons());
    rotate(mgr->getGrounds());
    rotate(mgr->getObjectDefinitions()->getDefinitions());
    auto* instances = mgr->getObjectInstances();
    if (round == 1 && instances->getCount() > 0) instances->removeObject(0);
    IZinObjectInstance* added = instances->newZinObject(0);
    added->setClass(classes[round]);
    for (uint32_t i = 0; i < instances->getCount(); ++i) {
      IZinObjectInstance* instance = instances->getZinObject(i);
      instance->setClass(classes[(i + round) % 8]);
      instance->getBasicData()->setName(std::string(i % 4 * round + 1, 'n').c_str());
      instance->setTranslation(CZinVector3D(i * 1000.5 * round, -0.25 * round, 1e6 * (i % 3)));
      instance->setVisible(i % 2 == 0);
    }
    mgr->getLights()->newZinObject(kZinEndOfList)->setPower(round * 12345.5);
  };
  const std::vector<std::string> files = FuzzInputs::FilesOf(FuzzInputs::Repository() + "/fuzz/corpus/document_read");
  ASSERT_GE(files.size(), 8u);
  for (const std::string& path : files) {
    ManagerHold mgr;
    const std::string file = FuzzInputs::ReadFile(path);
    CZinMemoryReadStream in(file);
    ASSERT_TRUE(mgr->read(&in, nullptr)) << path;
    for (int round = 0; round < 3; ++round) {
      edit(mgr.mgr, round);
      const std::string rewritten = WriteToText(mgr.mgr);
      ZinFuzz::WithoutRebuiltElements(ZinFuzz::Concrete(mgr.mgr)->fileNode());
      ASSERT_EQ(WriteToText(mgr.mgr), rewritten) << path << " round " << round;
      edit(mgr.mgr, round);
      EXPECT_NE(rewritten, WriteToText(mgr.mgr)) << "the edits change something";
    }
  }
}

// A document saved again and again, its values changing length each time, keeps
// its footprint: a value that no longer fits its node gets a copy and its old copy
// dies, so node memory does not grow with the number of saves.
TEST(Document, SavesWithValuesOfChangingLengthKeepTheFootprint) {
  ManagerHold mgr;
  auto* instances = mgr->getObjectInstances();
  for (int i = 0; i < 1500; ++i) instances->newZinObject(kZinEndOfList)->setClass(i % 2 ? "ZinObject" : "Billboard");
  uint32_t chunks = 0;
  for (int round = 0; round < 12; ++round) {
    for (uint32_t i = 0; i < instances->getCount(); ++i) {
      const double v = round % 2 ? 123456789.125 * (i + 1) : 0.5;
      instances->getZinObject(i)->setTranslation(CZinVector3D(v, -v, v));
      instances->getZinObject(i)->getBasicData()->setName(round % 3 ? "A rather longer name than before" : "x");
    }
    WriteToText(mgr.mgr);
    if (round == 1) chunks = QuorveXML::CNodeHeap::LiveChunks();
  }
  EXPECT_LE(QuorveXML::CNodeHeap::LiveChunks(), chunks + chunks / 10 + 2);
}

TEST(Document, FailuresGiveExactlyTheirWarnings) {
  ManagerHold good;
  FillScene(good.mgr);
  const std::string file = WriteToText(good.mgr);
  const std::string parse = "exception (assertion failed)";  // the parse that a block's failure ends
  std::string noWindow = file;
  noWindow.erase(noWindow.find("\t<Working.Window>"),
                 noWindow.find("</Working.Window>\n") + 18 - noWindow.find("\t<Working.Window>"));
  std::string badImage = file;
  badImage[badImage.find("<Preview.Image><![CDATA[") + 24] = 'g';
  const struct {
    std::string bytes;
    Texts warnings;
  } cases[] = {
      {"<Zin.File/>", {"Not a valid zin file"}},
      {"<?Zin library=\"2.01\" file=\"5.0\"?>\n<Other/>\n", {"CZinXMLGet::CZinXMLGet - NULL ptr"}},
      {noWindow, {"exception (pointer is NULL)"}},
      {Replaced(file, "<UI.Value>0</UI.Value>\n\t\t</Heliodon>", "<![CDATA[xyz]]><UI.Value>0</UI.Value></Heliodon>"),
       {"Error \"CData block unknown\" while parsing 'Heliodon' data block", parse}},
      {badImage,
       {"Error \"XCXMLImage::ReadHex - Invalid hex value\" while parsing 'Preview.Image' data block", parse}},
  };
  for (const auto& c : cases) EXPECT_EQ(c.warnings, ReadWarnings(c.bytes, false)) << c.bytes.substr(0, 40);

  // A failed read leaves the manager its document, which it can still write; the
  // collections read before the failure keep what they read.
  FeedbackRecorder feedback;
  ManagerHold mgr(&feedback);
  mgr->getLights()->newZinObject(kZinEndOfList)->getBasicData()->setName("Kept");
  const std::string rootless = cases[1].bytes;
  CZinMemoryReadStream in(rootless);
  EXPECT_FALSE(mgr->read(&in, nullptr));
  EXPECT_NE(std::string::npos, WriteToText(mgr.mgr).find("<Name en=\"Kept\"/>"));
  CZinMemoryReadStream partial(noWindow);
  EXPECT_FALSE(mgr->read(&partial, nullptr));
  EXPECT_EQ(1u, mgr->getLightsGroups()->getCount());
  EXPECT_FALSE(mgr->read(nullptr, nullptr));
  EXPECT_FALSE(mgr->write(nullptr, nullptr));
  EXPECT_EQ(4u, feedback.warnings.size());

  // A stream that answers 0 to every write receives the whole document.
  for (int i = 0; i < 10000; ++i) good->getPoints()->newZinObject(kZinEndOfList)->mX = i / 7.0;
  CZeroAnsweringWriteStream out;
  EXPECT_TRUE(good->write(&out, nullptr));
  EXPECT_EQ(WriteToText(good.mgr), out.bytes);
  EXPECT_GT(out.bytes.size(), size_t{64 * 1024});  // several pieces, each answered 0
}

TEST(Document, DataBlockFailuresNameTheirBlock) {
  const std::string file = ComponentFile();
  const std::string parse = "exception (assertion failed)";
  const std::string points = "\" while parsing 'Points' data block";
  CNullStorage nullStorage;
  const struct {
    std::string bytes;
    IZinExtStorageReader* storage;
    std::string warning;
  } cases[] = {
      {Replaced(file, " UUID=\"00000000000000000000000000000001\"", ""), nullptr,
       "Error \"CZINCDATAReader::ReadCData - No UUID attributes (pointer is NULL)" + points},
      {Replaced(file, "00000000000000000000000000000001", "00000000000000000000000000000000"), nullptr,
       "Error \"CZINCDATAReader::ReadCData - NULL UUID (assertion failed)" + points},
      {Replaced(file, "<Geometry.Level>0</Geometry.Level>", ""), nullptr,
       "Error \"CZINCDATAReader::ReadCData - No Geometry.Level element (pointer is NULL)" + points},
      {Replaced(file, "<Geometry.Level>0</Geometry.Level>", "<Geometry.Level/>"), nullptr,
       "Error \"CZINCDATAReader::ReadCData - No Geometry.Level data (pointer is NULL)" + points},
      {Replaced(file, "UUID=\"00112233445566778899AABBCCDDEEFF\"", "UUID=\"0011223344556677889\""), nullptr,
       "Error \"Invalid hex value\" while parsing 'Image' data block"},
      {file, &nullStorage, "Error \"CZINCDATAReader::ReadCData - No geometry reader (pointer is NULL)" + points},
  };
  for (const auto& c : cases) EXPECT_EQ((Texts{c.warning, parse}), ReadWarnings(c.bytes, false, c.storage));

  // An image element without "UUID" keeps the identifier its new image was made with.
  ManagerHold mgr;
  const std::string anonymous = Replaced(file, " UUID=\"00112233445566778899AABBCCDDEEFF\"", "");
  CZinMemoryReadStream in(anonymous);
  ASSERT_TRUE(mgr->read(&in, nullptr));
  EXPECT_TRUE(mgr->getImages().getZinObject(0)->getImageId()->isNull());

  // Foreign exceptions give their own texts, and the reader is given back.
  CThrowingStorage throwing;
  EXPECT_EQ((Texts{"Unknownm exception while parsing 'Points' data block", parse}),
            ReadWarnings(file, false, &throwing));
  EXPECT_EQ(1, throwing.destroyed);
  FeedbackRecorder feedback;
  ManagerHold writer(&feedback);
  CThrowingWriteStream out;
  EXPECT_FALSE(writer->write(&out, nullptr));
  EXPECT_EQ(Texts{"Unknownm exception while writting"}, feedback.texts());
  EXPECT_EQ(nullptr, writer->setGeometryWriter(nullptr)) << "the write put its storage back";
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
  ManagerHold big;
  CZinMemoryReadStream bigIn(many);
  ASSERT_TRUE(big->read(&bigIn, nullptr));
  TZinObjectMgr<IZinZinObjectDefinition>* components = big->getInternalComponentDefinitions();
  ASSERT_EQ(static_cast<uint32_t>(kCount), components->getCount());
  for (uint32_t i = 0; i < components->getCount(); i += 499) {
    auto* c = static_cast<CZinZinObjectDefinition*>(components->getZinObject(i));
    EXPECT_EQ(static_cast<uint8_t>((kCount - i) & 0xFF), c->getBasicData()->getId()->mBytes[15]);
    EXPECT_EQ(static_cast<int32_t>(i % 3), c->geometryLevel());
    EXPECT_EQ(static_cast<double>(i), c->points().getZinObject(0)->mX);
  }
  // Read again, a file of fewer components leaves only its own.
  const std::string one = ComponentFile();
  CZinMemoryReadStream fewer(one);
  ASSERT_TRUE(big->read(&fewer, nullptr));
  EXPECT_EQ(1u, components->getCount());
  // Without the list, a component's blocks alone make it, at the level its element gives.
  const std::string unlisted = Replaced(Replaced(Replaced(one, "<Geometry.Level>0<", "<Geometry.Level>2<"),
                                                 "<InternalComponentDefinitions>", "<Other>"),
                                        "</InternalComponentDefinitions>", "</Other>");
  ManagerHold alone;
  CZinMemoryReadStream unlistedIn(unlisted);
  ASSERT_TRUE(alone->read(&unlistedIn, nullptr));
  ASSERT_EQ(1u, alone->getInternalComponentDefinitions()->getCount());
  EXPECT_EQ(2, static_cast<CZinZinObjectDefinition*>(alone->getInternalComponentDefinitions()->getZinObject(0))
                   ->geometryLevel());
}

TEST(Document, CommentsURLAndApplicationData) {
  FeedbackRecorder feedback;
  ManagerHold mgr(&feedback);
  EXPECT_EQ(0, mgr->setComment("a", 5));
  EXPECT_EQ(1, mgr->setComment("b", 5));
  EXPECT_EQ(0, mgr->setComment(nullptr, 0));
  EXPECT_STREQ("b", mgr->getComment(0));
  EXPECT_EQ(-1, mgr->setComment(nullptr, 7));
  EXPECT_EQ(nullptr, mgr->getComment(3));
  EXPECT_EQ(0, mgr->setComment("c", 0));
  mgr->setURL("file:///scene.zin");
  mgr->setURL("file:///other.zin");
  QuorveXML::XIXMLElement* mine = mgr->getApplicationData("My.App");
  EXPECT_EQ(mine, mgr->getApplicationData("My.App"));
  EXPECT_EQ(nullptr, mgr->getApplicationData(""));
  EXPECT_EQ(nullptr, mgr->getApplicationData(nullptr));
  EXPECT_EQ(Texts(2, "Exception in IZinMgr::getApplicationData : Invalid application tag (assertion failed)"),
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
  // Damage parameter 3: parameters 1 and 2 keep what they read, the rest keep defaults.
  const std::string text = Replaced(Replaced(WriteToText(source.mgr), "<Double3.Min>", "<Broken.Min>"),
                                    "</Double3.Min>", "</Broken.Min>");
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

TEST(Document, TheClientStreamAndAnIndependentParser) {
  ManagerHold mgr;
  FillScene(mgr.mgr);
  const std::string file = WriteToText(mgr.mgr);
  // tell; the header scan (one piece is enough here); seek back; one full parse.
  CRecordingReadStream in(file);
  ASSERT_TRUE(mgr->read(&in, nullptr));
  Texts expected = {"tell", "read 1024->1024", "seek 0"};
  for (size_t at = 0; at <= file.size(); at += 1024)
    expected.push_back("read 1024->" + std::to_string(std::min<size_t>(1024, file.size() - at)));
  EXPECT_EQ(expected, in.calls);

  if (std::system("command -v xmllint >/dev/null 2>&1") != 0) GTEST_SKIP() << "xmllint is not installed";
  const std::string path = ::testing::TempDir() + "zin_wellformed.zin";
  CZinFileWriteStream out(path.c_str());
  ASSERT_TRUE(mgr->write(&out, nullptr));
  ASSERT_TRUE(out.close());
  EXPECT_EQ(0, std::system(("xmllint --noout " + path).c_str()));
  std::remove(path.c_str());
}

TEST(Document, InstructionsOfAReadFile) {
  ManagerHold source;
  // An older header, and no application instruction at all.
  const std::string file = Replaced(
      Replaced(WriteToText(source.mgr),
               "<?Zin library=\"5.1.1\" file=\"5.0\" min_version=\"5.1.0\" safe_version=\"5.1.0\"?>",
               "<?Zin library=\"2.01\" file=\"4.5\"?>"),
      "<?Application name=\"\" version=\"\"?>\n", "");
  ManagerHold mgr;
  CZinMemoryReadStream in(file);
  ASSERT_TRUE(mgr->read(&in, nullptr));
  EXPECT_EQ(CZinVersion({2, 0, 1}), *mgr->getFileVersion());
  int major = 0, minor = 0;
  EXPECT_TRUE(mgr->getFileFormat(&major, &minor));
  EXPECT_EQ(45, major * 10 + minor);
  // The header is brought up to date; no application instruction is added.
  mgr->setApplication("Writer", "1");
  const std::string again = WriteToText(mgr.mgr);
  EXPECT_EQ(0u, again.find("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                           "<?Zin library=\"5.1.1\" file=\"5.0\" min_version=\"5.1.0\" safe_version=\"5.1.0\"?>\n"
                           "<Zin.File>\n"));
  EXPECT_EQ(std::string::npos, again.find("Application"));
}
