#include "serialization/field_walk.h"

#include <cmath>
#include <limits>

#include "ZinFileStreams.h"
#include "ZinSDK.h"
#include "manager/feedback_recorder.h"
#include "scene/effects_texts.h"
#include "scene/views.h"

using namespace QvZin;
using QvZinTest::FeedbackRecorder;
using QvZinTest::ManagerHold;
using QvZinTest::WriteToText;
using QvZinTest::RecordingLink;
using QvZinTest::Heard;
using QvZinTest::Read;
using QvZinTest::Section;
using Texts = std::vector<std::string>;

namespace {

const std::string kZeroId(32, '0');

// The element moved depth levels down: a tab more after every line break.
std::string Nested(const std::string& element, int depth) {
  std::string out;
  for (char c : element) {
    out += c;
    if (c == '\n') out.append(static_cast<size_t>(depth), '\t');
  }
  return out;
}

std::string Point(const char* tag, const char* x, const char* y, const char* z = nullptr) {
  std::string text = std::string("<") + tag + "\n\t X=\"" + x + "\"\n\t Y=\"" + y + "\"";
  return text + (z ? std::string("\n\t Z=\"") + z + "\"" : "") + "/>";
}

std::string ViewInfoText(const std::string& id = kZeroId) { return QvZinTest::ViewInfoText(id); }

std::string RenderingText(const char* outputType = "CmpTGA") {
  return std::string("<Rendering\n\t Antialias=\"No\"\n\t Output.Type=\"") + outputType +
         "\"\n\t Color.Behavior=\"IsoShutter\">\n\t<Raytracing/>\n\t<Shadow/>\n\t<Transparency/>"
         "\n\t<Nb.Reflections>2</Nb.Reflections>\n\t<Nb.Refractions>6</Nb.Refractions>\n\t<Width>320</Width>"
         "\n\t<Height>240</Height>\n\t<Crop.X>0</Crop.X>\n\t<Crop.Y>0</Crop.Y>\n\t<Crop.Width>0</Crop.Width>"
         "\n\t<Crop.Height>0</Crop.Height>\n\t<Render.All/>\n\t<Render.First>0</Render.First>"
         "\n\t<Render.Last>0</Render.Last>\n\t<URL></URL>\n\t<Scale.On/>\n\t<Scale>100</Scale>"
         "\n\t<Resolution>72</Resolution>\n\t<Resolution.Level>1</Resolution.Level>\n\t<Radiosity/>"
         "\n\t<Radiosity.Factor>1.000000</Radiosity.Factor>\n\t<Radiosity.Quality>4.000000</Radiosity.Quality>"
         "\n\t<Contrast>1.000000</Contrast>\n\t<Luminosity>0.000000</Luminosity>\n\t<Long.Range>96.000000</Long.Range>"
         "\n\t<Short.Range>4.000000</Short.Range>\n\t<First.Bounce>4.000000</First.Bounce>"
         "\n\t<Next.Bounces>1.000000</Next.Bounces>\n\t<Attenuation>0.300000</Attenuation>"
         "\n\t<ColorBleeding>1.000000</ColorBleeding>\n\t<ISO>200</ISO>\n\t<ShutterSpeed>500</ShutterSpeed>"
         "\n\t<Renderer Identifier=\"\"/>\n\t<Extended.Datas/>\n</Rendering>";
}

const char kCompressionText[] =
    "<Compression>\n\t<Codec>1918990112</Codec>\n\t<Depth>0</Depth>\n\t<Spacial.Quality>512</Spacial.Quality>"
    "\n\t<Temporal.Quality>512</Temporal.Quality>\n\t<Frame.Rate>25.000000</Frame.Rate>"
    "\n\t<Key.Frame.Rate>10</Key.Frame.Rate>\n</Compression>";

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

std::string OptionsText(bool insertion) {
  return "<Options>\n\t" + Nested(RenderingText(), 1) + "\n\t" + Nested(kCompressionText, 1) +
         (insertion ? "\n\t" + Nested(InsertionText(), 1) : "") + "\n</Options>";
}

std::string CameraText(const std::string& viewInfoId = kZeroId) {
  return "<Perspective.View\n\t Object.Id=\"" + kZeroId + "\"\n\t Target.type=\"Fixed.Vertex\">" +
         "\n\t<Name en=\"View 0\"/>\n\t<View.Flags>2</View.Flags>\n\t" +
         Nested(Point("Position", "50.000000", "50.000000", "-60.000000"), 1) + "\n\t" +
         Nested(Point("Target", "50.000000", "50.000000", "50.000000"), 1) +
         "\n\t<Roll>0.000010</Roll>\n\t<Focal>50.000000</Focal>\n\t" + Nested(ViewInfoText(viewInfoId), 1) + "\n\t" +
         Nested(OptionsText(true), 1) + "\n</Perspective.View>";
}

std::string ParallelText(const std::string& viewInfoId = kZeroId) {
  return "<Parallel.View PV.Type=\"Plan\">\n\t<Name en=\"\"/>\n\t<View.Flags>2</View.Flags>"
         "\n\t<North.Angle>0.000000</North.Angle>\n\t<Size>0.000000</Size>\n\t" +
         Nested(Point("Position", "0.000000", "0.000000", "0.000000"), 1) + "\n\t" +
         Nested(Point("Target", "0.000000", "0.000000", "0.000000"), 1) + "\n\t" + Nested(ViewInfoText(viewInfoId), 1) +
         "\n\t" + Nested(OptionsText(false), 1) + "\n</Parallel.View>";
}

std::string ViewObjectText(const std::string& viewInfoId = kZeroId) {
  return "<View.Object>\n\t<Name en=\"Vue objet 1\"/>\n\t<View.Flags>2</View.Flags>\n\t<Focal>50.000000</Focal>\n\t" +
         Nested(Point("Center", "50.000000", "50.000000", "50.000000"), 1) +
         "\n\t<Radius>110.000000</Radius>\n\t<Horizontal>\n\t\t<Angle>360</Angle>\n\t\t<Step>10</Step>"
         "\n\t\t<Shift>0</Shift>\n\t\t<Start>270.000000</Start>\n\t</Horizontal>\n\t<Vertical>\n\t\t<Angle>180</Angle>"
         "\n\t\t<Step>10</Step>\n\t\t<Shift>0</Shift>\n\t\t<Start>0.000000</Start>\n\t</Vertical>"
         "\n\t<Origin.Angle>-90</Origin.Angle>\n\t" +
         Nested(ViewInfoText(viewInfoId), 1) + "\n\t" + Nested(OptionsText(false), 1) + "\n</View.Object>";
}

}  // namespace

ZIN_FIELD_WALK(CCamera, CameraText())
ZIN_FIELD_WALK(CZinParallelView, ParallelText())
ZIN_FIELD_WALK(CViewObject, ViewObjectText())
ZIN_FIELD_WALK(CZinViewInfo, ViewInfoText())
ZIN_FIELD_WALK(CRenderingOpt, RenderingText())
ZIN_FIELD_WALK(CZinInsertionObject, InsertionText())

namespace {

std::string IdText(const CZinUUID& id) { return QvZinTest::ToText(id); }

}  // namespace

TEST(Views, NewViewsInANewManagersDocument) {
  ManagerHold mgr;
  IZinCamera* camera = mgr->getPerspectiveViews()->newZinObject(kZinEndOfList);
  IZinParallelView* parallel = mgr->getParallelViews()->newZinObject(kZinEndOfList);
  IZinViewObject* object = mgr->getViewObjects()->newZinObject(kZinEndOfList);
  IZinParallelView* window = mgr->getMgrEx(eZinVersionCurrent)->getWorkingWindows()->newZinObject(kZinEndOfList);
  const std::string text = WriteToText(mgr.mgr);
  EXPECT_EQ("<Perspective.Views>\n\t\t" + Nested(CameraText(IdText(camera->getViewInfo()->getId())), 2) +
                "\n\t</Perspective.Views>",
            Section(text, "<Perspective.Views>", "</Perspective.Views>"));
  EXPECT_EQ("<Parallel.Views>\n\t\t" + Nested(ParallelText(IdText(parallel->getViewInfo()->getId())), 2) +
                "\n\t</Parallel.Views>",
            Section(text, "<Parallel.Views>", "</Parallel.Views>"));
  EXPECT_EQ("<View.Objects>\n\t\t" + Nested(ViewObjectText(IdText(object->getViewInfo()->getId())), 2) +
                "\n\t</View.Objects>",
            Section(text, "<View.Objects>", "</View.Objects>"));
  EXPECT_EQ("<Working.Window>\n\t\t<Parallel.Views>\n\t\t\t" +
                Nested(ParallelText(IdText(window->getViewInfo()->getId())), 3) +
                "\n\t\t</Parallel.Views>\n\t</Working.Window>",
            Section(text, "<Working.Window>", "</Working.Window>"));
  // Each view information draws its own id.
  EXPECT_NE(camera->getViewInfo()->getId(), parallel->getViewInfo()->getId());
  EXPECT_FALSE(object->getViewInfo()->getId().isNull());
}

TEST(Views, WhatAClientSeesOfTheSetters) {
  FeedbackRecorder feedback;
  ManagerHold mgr(&feedback);
  IZinCamera* camera = mgr->getPerspectiveViews()->newZinObject(kZinEndOfList);
  IZinViewObject* object = mgr->getViewObjects()->newZinObject(kZinEndOfList);
  TZinComPtr<CCamera> detached(CreateZinObject<CCamera>(nullptr));
  const double kTwoPi = 6.283185307179586, kNaN = std::numeric_limits<double>::quiet_NaN();
  const std::string focalWarning = "Method setFocal has clipped a value out of range.";
  struct Case {
    const char* what;
    std::function<double()> act;
    double stored;
    Texts warnings;
  };
  const Case cases[] = {
      {"focal 200 in a manager", [&] { camera->setFocal(200); return camera->getFocal(); }, 180, {focalWarning}},
      {"focal -1 in a manager", [&] { camera->setFocal(-1); return camera->getFocal(); }, 0, {focalWarning}},
      {"focal 200 outside", [&] { detached->setFocal(200); return detached->getFocal(); }, 200, {}},
      {"roll -0.5", [&] { camera->setRoll(-0.5); return camera->getRoll(); }, kTwoPi - 0.5, {}},
      {"roll 7", [&] { camera->setRoll(7); return camera->getRoll(); }, 7 - kTwoPi, {}},
      {"roll NaN keeps 7 - 2 pi", [&] { camera->setRoll(kNaN); return camera->getRoll(); }, 7 - kTwoPi, {}},
      {"roll -infinity keeps it",
       [&] { camera->setRoll(-std::numeric_limits<double>::infinity()); return camera->getRoll(); }, 7 - kTwoPi, {}},
      {"roll 1e299 wraps at once", [&] { camera->setRoll(1e299); return camera->getRoll(); },
       std::fmod(1e299, kTwoPi), {}},
      {"roll -1e299", [&] { camera->setRoll(-1e299); return camera->getRoll(); }, std::fmod(-1e299, kTwoPi) + kTwoPi,
       {}},
      {"target type 2", [&] { camera->setTargetType(2); return double(camera->getTargetType()); }, 0, {}},
      {"width -5 in a manager",
       [&] { camera->getRenderingOpt()->setWidth(-5); return double(camera->getRenderingOpt()->getWidth()); }, 0,
       {"class CRenderingOpt: Method setWidth has clipped a value out of range."}},
      {"width -5 outside",
       [&] { detached->getRenderingOpt()->setWidth(-5); return double(detached->getRenderingOpt()->getWidth()); }, 0,
       {}},
      {"luminosity 2",
       [&] { camera->getRenderingOpt()->setLuminosity(2); return camera->getRenderingOpt()->getLuminosity(); }, 1,
       {"CRenderingOpt::setLuminosity value must be between -1 and 1."}},
      {"radiosity factor -1",
       [&] { camera->getRenderingOpt()->setRadiosityFactor(-1); return camera->getRenderingOpt()->getRadiosityFactor(); },
       0, {"class CRenderingOpt:Method setRadiosityFactor has clipped a value out of range."}},
      {"view object step 0", [&] { object->setHorizontalStep(0); return double(object->getHorizontalStep()); }, 1, {}},
      {"view object step -3", [&] { object->setVerticalStep(-3); return double(object->getVerticalStep()); }, -3, {}},
      {"view object focal 0.5", [&] { object->setFocal(0.5); return object->getFocal(); }, 1, {}},
      {"insertion object axis 4",
       [&] { return camera->getInsertionObject()->getAxesPosition(4).x; }, 0, {"getAxesPosition: index out of range"}},
      {"insertion object tool -1",
       [&] { camera->getInsertionObject()->setPerpectiveToolPosition(-1, CZinVector2D(1, 1)); return 0.0; }, 0,
       {"setPerpectiveToolPosition: index out of range"}},
  };
  for (const Case& c : cases) {
    feedback.warnings.clear();
    EXPECT_DOUBLE_EQ(c.stored, c.act()) << c.what;
    EXPECT_EQ(c.warnings, feedback.texts()) << c.what;
  }
  CCompressionOpt compression;
  compression.setFrameRate(0.5);
  EXPECT_EQ(1.0, compression.getFrameRate());
  CAnimRenderingOpt movie;
  EXPECT_EQ(eOutputQTime, movie.getRenderingOpt()->getOutputType());
  EXPECT_EQ(25.0, movie.getCompressionOpt()->getFrameRate());

  // Target type 2 was stored as 0: written as its label. The up vector is written
  // only once set, even to its default.
  const std::string before = Section(WriteToText(mgr.mgr), "<Perspective.View", "</Perspective.View>");
  EXPECT_NE(std::string::npos, before.find("Target.type=\"Fixed.Vertex\""));
  EXPECT_EQ(std::string::npos, before.find("<Up"));
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
    options.setRadiosityQuality(3e9);
    EXPECT_EQ(2147483647.0, control->getQuality());
    EXPECT_EQ(Texts{"class CRenderingOpt: Method setRadiosityQuality has clipped a value out of range."},
              link.take());
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
  IZinCamera* camera = fresh->getPerspectiveViews()->getZinObject(0);
  EXPECT_STREQ("Hall", camera->getBasicData()->getName());
  EXPECT_STREQ("Summer <noon>", camera->getViewInfo()->getHeliodonName());
  EXPECT_EQ(CZinVector3D(0, 0, 1), camera->getUpVector());
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
  auto edit = [&](const std::string& from, const std::string& to) {
    std::string edited = text;
    edited.replace(edited.find(from), from.size(), to);
    return edited;
  };
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
  const struct {
    std::string from, to, warning;
  } failures[] = {
      {"<Focal>35.000000</Focal>", "", "CZinXMLGet::GetElement - NULL ptr for tag Focal"},
      {"<Horizontal>", "<Horizontals>", "CZinXMLGet::GetElement - NULL ptr for tag Horizontal"},
      {"PV.Type=\"Axono\"", "PV.Type=\"axono\"", "Invalid label (axono) [Front..Axono]"},
      {"<Layer UUID=", "<Layer ID=", "CZinXMLGet::GetUUID - NULL ptr for tag UUID"},
      {"<Renderer Identifier=", "<Renderer Id=", "CZinXMLGet::GetAttributeText - NULL ptr for tag Identifier"},
  };
  for (const auto& f : failures) {
    FeedbackRecorder heard;
    ManagerHold failing(&heard);
    EXPECT_FALSE(Read(failing.mgr, edit(f.from, f.to))) << f.warning;
    EXPECT_EQ(Texts{f.warning}, Heard(heard));
  }
}
