#include "serialization/field_walk.h"

#include <cmath>
#include <limits>
#include <vector>

#include "ZinFileStreams.h"
#include "ZinSDK.h"
#include "scene/effects_texts.h"
#include "scene/views.h"

using namespace QvZin;
using namespace QvZinTest;

namespace {

std::string InsertionText() {
  std::string text = "<InsertionObject SizeAxis=\"XAxis\">";
  const struct {
    const char* list;
    const char* item;
    int count;
    bool threeD;
  } lists[] = {{"AxesPositions", "Vector2D", 4, false},
               {"PerpectiveToolPositions", "Vector2D", 6, false},
               {"ReperePositions", "Vector3D", 4, true}};
  for (const auto& l : lists) {
    text += std::string("\n\t<") + l.list + ">";
    for (int i = 0; i < l.count; ++i)
      text += "\n\t\t" + Nested(Point(l.item, "0.000000", "0.000000", l.threeD ? "0.000000" : nullptr), 2);
    text += std::string("\n\t</") + l.list + ">";
  }
  return text + "\n</InsertionObject>";
}

std::string CameraText(const std::string& viewInfoId = kZeroId) {
  return "<Perspective.View\n\t Object.Id=\"" + kZeroId + "\"\n\t Target.type=\"Fixed.Vertex\">" +
         "\n\t<Name en=\"View 0\"/>\n\t<View.Flags>2</View.Flags>" +
         Child(Point("Position", "50.000000", "50.000000", "-60.000000")) +
         Child(Point("Target", "50.000000", "50.000000", "50.000000")) + "\n\t<Roll>0.000010</Roll>\n\t<Focal>50.000000</Focal>" +
         Child(ViewInfoText(viewInfoId)) + Child(OptionsText("CmpTGA", Child(InsertionText()))) + "\n</Perspective.View>";
}

std::string ParallelText(const std::string& viewInfoId = kZeroId) {
  return "<Parallel.View PV.Type=\"Plan\">\n\t<Name en=\"\"/>\n\t<View.Flags>2</View.Flags>"
         "\n\t<North.Angle>0.000000</North.Angle>\n\t<Size>0.000000</Size>" + Child(ZeroPoint("Position")) +
         Child(ZeroPoint("Target")) + Child(ViewInfoText(viewInfoId)) + Child(OptionsText()) + "\n</Parallel.View>";
}

std::string ViewObjectText(const std::string& viewInfoId = kZeroId) {
  return "<View.Object>\n\t<Name en=\"Vue objet 1\"/>\n\t<View.Flags>2</View.Flags>\n\t<Focal>50.000000</Focal>" +
         Child(Point("Center", "50.000000", "50.000000", "50.000000")) +
         "\n\t<Radius>110.000000</Radius>\n\t<Horizontal>\n\t\t<Angle>360</Angle>\n\t\t<Step>10</Step>"
         "\n\t\t<Shift>0</Shift>\n\t\t<Start>270.000000</Start>\n\t</Horizontal>\n\t<Vertical>\n\t\t<Angle>180</Angle>"
         "\n\t\t<Step>10</Step>\n\t\t<Shift>0</Shift>\n\t\t<Start>0.000000</Start>\n\t</Vertical>"
         "\n\t<Origin.Angle>-90</Origin.Angle>" + Child(ViewInfoText(viewInfoId)) + Child(OptionsText()) +
         "\n</View.Object>";
}

}  // namespace

ZIN_FIELD_WALK(CCamera, CameraText())
ZIN_FIELD_WALK(CZinParallelView, ParallelText())
ZIN_FIELD_WALK(CViewObject, ViewObjectText())
ZIN_FIELD_WALK(CZinViewInfo, ViewInfoText())
ZIN_FIELD_WALK(CRenderingOpt, RenderingText())
ZIN_FIELD_WALK(CZinInsertionObject, InsertionText())

TEST(Views, NewViewsInANewManagersDocument) {
  ManagerHold mgr;
  IZinCamera* camera = mgr->getPerspectiveViews()->newZinObject(kZinEndOfList);
  IZinParallelView* parallel = mgr->getParallelViews()->newZinObject(kZinEndOfList);
  IZinViewObject* object = mgr->getViewObjects()->newZinObject(kZinEndOfList);
  IZinParallelView* window = mgr->getMgrEx(eZinVersionCurrent)->getWorkingWindows()->newZinObject(kZinEndOfList);
  const std::string text = WriteToText(mgr.mgr);
  EXPECT_EQ("<Perspective.Views>\n\t\t" + Nested(CameraText(ToText(camera->getViewInfo()->getId())), 2) +
                "\n\t</Perspective.Views>",
            Section(text, "<Perspective.Views>", "</Perspective.Views>"));
  EXPECT_EQ("<Parallel.Views>\n\t\t" + Nested(ParallelText(ToText(parallel->getViewInfo()->getId())), 2) +
                "\n\t</Parallel.Views>",
            Section(text, "<Parallel.Views>", "</Parallel.Views>"));
  EXPECT_EQ("<View.Objects>\n\t\t" + Nested(ViewObjectText(ToText(object->getViewInfo()->getId())), 2) +
                "\n\t</View.Objects>",
            Section(text, "<View.Objects>", "</View.Objects>"));
  EXPECT_EQ("<Working.Window>\n\t\t<Parallel.Views>\n\t\t\t" +
                Nested(ParallelText(ToText(window->getViewInfo()->getId())), 3) +
                "\n\t\t</Parallel.Views>\n\t</Working.Window>",
            Section(text, "<Working.Window>", "</Working.Window>"));
  // Each view information draws its own id.
  EXPECT_NE(camera->getViewInfo()->getId(), parallel->getViewInfo()->getId());
  EXPECT_FALSE(object->getViewInfo()->getId().isNull());
}

// The clip rules of every row are the field walks'; these are the irregular ones.
TEST(Views, WhatAClientSeesOfTheSetters) {
  FeedbackRecorder feedback;
  ManagerHold mgr(&feedback);
  IZinCamera* camera = mgr->getPerspectiveViews()->newZinObject(kZinEndOfList);
  const double kTwoPi = 6.283185307179586, kInf = std::numeric_limits<double>::infinity();
  // Rolls wrap by whole turns; a value that is not finite keeps the previous one.
  const struct {
    double set, stored;
  } rolls[] = {
      {-0.5, kTwoPi - 0.5}, {7, 7 - kTwoPi}, {std::nan(""), 7 - kTwoPi}, {-kInf, 7 - kTwoPi},
      {1e299, std::fmod(1e299, kTwoPi)}, {-1e299, std::fmod(-1e299, kTwoPi) + kTwoPi},
  };
  for (const auto& c : rolls) {
    camera->setRoll(c.set);
    EXPECT_DOUBLE_EQ(c.stored, camera->getRoll()) << c.set;
  }
  EXPECT_EQ(0, camera->getInsertionObject()->getAxesPosition(4).x);
  camera->getInsertionObject()->setPerpectiveToolPosition(-1, CZinVector2D(1, 1));
  EXPECT_EQ((Texts{"getAxesPosition: index out of range", "setPerpectiveToolPosition: index out of range"}),
            feedback.texts());
  CAnimRenderingOpt movie;
  EXPECT_EQ(eOutputQTime, movie.getRenderingOpt()->getOutputType());

  // The up vector is written only once set, even to its default.
  EXPECT_EQ(std::string::npos, Section(WriteToText(mgr.mgr), "<Perspective.View", "</Perspective.View>").find("<Up"));
  EXPECT_FALSE(camera->isUpVectorSet());
  EXPECT_EQ(CZinVector3D(0, 1, 0), camera->getUpVector());
  camera->setUpVector(CZinVector3D(0, 1, 0));
  EXPECT_TRUE(camera->isUpVectorSet());
  EXPECT_NE(std::string::npos,
            WriteToText(mgr.mgr).find("\t\t</Options>\n\t\t\t" + Nested(Point("Up", "0.000000", "1.000000", "0.000000"), 3)));
}

TEST(Views, FlagBitsAndTheRadiosityControl) {
  TZinComPtr<CCamera> camera(CreateZinObject<CCamera>(nullptr));
  EXPECT_FALSE(camera->isFlagBit0());
  EXPECT_TRUE(camera->isFlagBit1());
  camera->setFlagBit0();
  camera->setFlagBit1(false);
  EXPECT_EQ(1, camera->getViewFlags());
  camera->setViewFlags(0x70);
  camera->setFlagBit1(true);
  EXPECT_EQ(0x72, camera->getViewFlags());

  // The control holds the options' three radiosity settings and stores as given.
  RecordingLink link;
  {
    CRenderingOpt options;
    options.setLink(&link);
    IZinRadiosityControl* control = options.getRadiosityControl();
    control->setFactor(-2);
    control->setQuality(-3);
    control->setOn(false);
    EXPECT_EQ(-2.0, options.getRadiosityFactor());
    EXPECT_EQ(-3.0, options.getRadiosityQuality());
    EXPECT_FALSE(options.getRadiosity());
    EXPECT_TRUE(link.take().empty());
  }
}

TEST(Views, RenderersOwnDataTravelsWhole) {
  ManagerHold mgr;
  IZinRenderingOpt* options = mgr->getPerspectiveViews()->newZinObject(kZinEndOfList)->getRenderingOpt();
  QuorveXML::XIXMLElement* data = options->getExtendedData();
  QuorveXML::XIXMLElement* setting = data->AddElement(data->GetKey("Setting"));
  setting->AddAttribute(setting->GetKey("Samples"), "64");
  options->setRendererIdentifier("Raylux");
  const std::string first = WriteToText(mgr.mgr);
  EXPECT_NE(std::string::npos,
            first.find("<Renderer Identifier=\"Raylux\"/>\n\t\t\t\t\t<Extended.Datas>\n\t\t\t\t\t\t<Setting "
                       "Samples=\"64\"/>\n\t\t\t\t\t</Extended.Datas>\n\t\t\t\t</Rendering>"));

  // Reading takes a copy of the first "Extended.Datas" of "Rendering", wherever it
  // stands; none gives an empty block.
  std::string edited = first;
  edited.replace(edited.find("<Raytracing/>"), 13, "<Extended.Datas Mode=\"first\"/><Raytracing/>");
  ManagerHold second;
  ASSERT_TRUE(Read(second.mgr, edited));
  IZinRenderingOpt* read = second->getPerspectiveViews()->getZinObject(0)->getRenderingOpt();
  EXPECT_EQ("<Extended.Datas Mode=\"first\"/>", QvZinTest::TextOf(read->getExtendedData()));
  edited = first;
  edited.erase(edited.find("\t\t\t\t\t<Extended.Datas>"), edited.find("</Extended.Datas>") + 18 - edited.find("\t\t\t\t\t<Extended.Datas>"));
  ASSERT_TRUE(Read(second.mgr, edited));
  EXPECT_EQ("<Extended.Datas/>",
            QvZinTest::TextOf(second->getPerspectiveViews()->getZinObject(0)->getRenderingOpt()->getExtendedData()));
  // A client's element is copied and renamed; null empties the block.
  options->setExtendedData(setting);
  EXPECT_EQ("<Extended.Datas Samples=\"64\"/>", QvZinTest::TextOf(options->getExtendedData()));
  options->setExtendedData(nullptr);
  EXPECT_EQ("<Extended.Datas/>", QvZinTest::TextOf(options->getExtendedData()));
}

namespace {

// A scene whose views are all away from their defaults, through the interfaces.
void BuildViews(IZinMgr* mgr) {
  IZinCamera* camera = mgr->getPerspectiveViews()->newZinObject(kZinEndOfList);
  camera->getBasicData()->setName("Hall");
  camera->setPosition(CZinVector3D(1.5, -2, 3e6));
  camera->setFocal(35);
  camera->setRoll(0.25);
  camera->setTargetType(eTargetOnObject);
  camera->setTargetObjectId(CZinUUID::fromText("00112233445566778899AABBCCDDEEFF"));
  camera->setUpVector(CZinVector3D(0, 0, 1));
  camera->setArchitectFlag(true);
  IZinViewInfo* info = camera->getViewInfo();
  info->setLocked(true);
  info->setHeliodonName("Summer <noon>");
  *info->getLightsGroups()->newZinObject(kZinEndOfList) = CZinUUID::fromText("0000000000000000000000000000000A");
  *info->getLayers()->newZinObject(kZinEndOfList) = CZinUUID::fromText("0000000000000000000000000000000B");
  info->setGround(CZinUUID::fromText("0000000000000000000000000000000C"));
  IZinRenderingOpt* options = camera->getRenderingOpt();
  options->setWidth(1920);
  options->setOutputType(eOutputJPEG);
  options->setOutputURL("file:///renders/hall.jpg");
  options->setRadiosity(false);
  camera->getInsertionObject()->setReperePosition(3, CZinVector3D(1, 2, 3));
  camera->getInsertionObject()->setSizeAxis(eSizeZAxis);
  IZinParallelView* plan = mgr->getParallelViews()->newZinObject(kZinEndOfList);
  plan->setType(eParallelAxono);
  plan->setNorthAngle(12.5);
  plan->setSpecialShading(true);
  plan->getRenderingOpt()->setAntialias(eAntialiasExcellent);
  IZinViewObject* turn = mgr->getViewObjects()->newZinObject(kZinEndOfList);
  turn->setHorizontalStep(24);
  turn->setVerticalShift(-5);
  turn->getViewInfo()->setUIValue(7);
  mgr->getMgrEx(eZinVersionCurrent)->getWorkingWindows()->newZinObject(kZinEndOfList)->setSize(250);
}

}  // namespace

TEST(Views, ScenesOfViewsReadBackEqual) {
  ManagerHold mgr;
  BuildViews(mgr.mgr);
  const std::string first = WriteToText(mgr.mgr);
  ManagerHold fresh;
  ASSERT_TRUE(Read(fresh.mgr, first));
  EXPECT_EQ(first, WriteToText(fresh.mgr));
  // Reading into a manager whose views hold other values gives the same manager.
  ManagerHold used;
  BuildViews(used.mgr);
  BuildViews(used.mgr);
  used->getPerspectiveViews()->getZinObject(0)->getViewInfo()->getNeonShaders()->newZinObject(kZinEndOfList);
  ManagerHold empty;
  const std::string emptyText = WriteToText(empty.mgr);
  ASSERT_TRUE(Read(used.mgr, first));
  EXPECT_EQ(first, WriteToText(used.mgr));
  ASSERT_TRUE(Read(used.mgr, emptyText));
  EXPECT_EQ(emptyText, WriteToText(used.mgr));
}

TEST(Views, FilesReadAsTheirLayoutsSay) {
  ManagerHold source;
  BuildViews(source.mgr);
  const std::string text = WriteToText(source.mgr);
  auto edit = [&](const std::string& from, const std::string& to) { return Replaced(text, from, to); };
  ManagerHold mgr;
  // Other children of a collection are not views; a repeated value: the first wins.
  ASSERT_TRUE(Read(mgr.mgr, edit("<Perspective.View\n", "<Perspective.Viewer/><Perspective.View\n")));
  EXPECT_EQ(1u, mgr->getPerspectiveViews()->getCount());
  ASSERT_TRUE(Read(mgr.mgr, edit("<Focal>35.000000</Focal>", "<Focal>35.000000</Focal><Focal>90</Focal>")));
  EXPECT_EQ(35.0, mgr->getPerspectiveViews()->getZinObject(0)->getFocal());
  // Values pass the setters: a focal of 500 in a file is clipped, with the warning.
  {
    FeedbackRecorder heard;
    ManagerHold clipped(&heard);
    ASSERT_TRUE(Read(clipped.mgr, edit("<Focal>35.000000</Focal>", "<Focal>500</Focal>")));
    EXPECT_EQ(180.0, clipped->getPerspectiveViews()->getZinObject(0)->getFocal());
    EXPECT_EQ(Texts{"Method setFocal has clipped a value out of range."}, Heard(heard));
  }
  // "Compression" and "InsertionObject" may be missing: new ones.
  std::string bare = text;
  bare.erase(bare.find("\t\t\t\t<Compression>"),
             bare.find("</InsertionObject>") + 19 - bare.find("\t\t\t\t<Compression>"));
  ASSERT_TRUE(Read(mgr.mgr, bare));
  EXPECT_EQ(eSizeXAxis, mgr->getPerspectiveViews()->getZinObject(0)->getInsertionObject()->getSizeAxis());
  // A required value missing fails the read with one warning naming it.
  ExpectEachEditFailsTheRead(text, {
      {"<Focal>35.000000</Focal>", "", "CZinXMLGet::GetElement - NULL ptr for tag Focal"},
      {"<Horizontal>", "<Horizontals>", "CZinXMLGet::GetElement - NULL ptr for tag Horizontal"},
      {"PV.Type=\"Axono\"", "PV.Type=\"axono\"", "Invalid label (axono) [Front..Axono]"},
      {"<Layer UUID=", "<Layer ID=", "CZinXMLGet::GetUUID - NULL ptr for tag UUID"},
      {"<Renderer Identifier=", "<Renderer Id=", "CZinXMLGet::GetAttributeText - NULL ptr for tag Identifier"},
  });
}
