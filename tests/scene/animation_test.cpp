#include "scene/animation.h"

#include <cstdint>
#include <functional>

#include "scene/animatable_values.h"
#include "scene/effects_texts.h"
#include "serialization/field_walk.h"

namespace QvZin {

// The walk moves a key frame's values by giving them another kind.
inline void MoveAway(CZinKeyValues& values, const ZinKeyValues&) {
  values.setType(eKeyDate);
  values.set(CZinKeyValues::kValue, CZinKeyValue::Date(-5000000000LL), nullptr);
  values.set(CZinKeyValues::kCPAfter, CZinKeyValue::Date(7), nullptr);
}

}  // namespace QvZin

using namespace QvZin;
using namespace QvZinTest;

namespace {

const std::string kOne = "11111111111111111111111111111111";
const std::string kTwo = "22222222222222222222222222222222";

std::string KeyFrameText(const char* tag = "KeyFrame") {
  return std::string("<") + tag + "\n\t Type=\"Coord3D\"\n\t Interpolation.Type=\"Linear\">\n\t<Time>0</Time>" +
         "\n\t<Visible/>" + Child(ZeroPoint("Value")) + Child(ZeroPoint("CPBefore")) + Child(ZeroPoint("CPAfter")) + "\n</" +
         tag + ">";
}

std::string InterpolatedValueText() {
  return "<Interpolated.Value\n\t Type=\"Camera.Position\"\n\t Path.Id=\"" + kZeroId +
         "\">\n\t<Nb.Loops>0</Nb.Loops>" + Child(KeyFrameText("Default.Value")) +
         "\n\t<KeyFrames/>\n</Interpolated.Value>";
}

std::string SequenceText() {
  return "<Sequence\n\t UUID=\"" + kZeroId + "\"\n\t Target.Type=\"Fixed.Vertex\"\n\t Object.UUID=\"" + kZeroId +
         "\">\n\t<Start.Frame>0</Start.Frame>\n\t<End.Frame>250</End.Frame>\n\t<Name en=\"Sequence 0\"/>"
         "\n\t<View.Flags>2</View.Flags>\n\t<Focal>50.000000</Focal>" +
         Child(Point("Position", "50.000000", "50.000000", "-60.000000")) +
         "\n\t<Target.Distance>100.000000</Target.Distance>\n\t<Horizontal.Angle>0.000000</Horizontal.Angle>"
         "\n\t<Vertical.Angle>0.000000</Vertical.Angle>" + Child(Point("Current.Path.Tangent", "1.000000", "0.000000", "0.000000")) +
         Child(Point("Target", "50.000000", "50.000000", "50.000000")) + "\n\t<Roll>0.000010</Roll>" + Child(ViewInfoText()) +
         Child(OptionsText()) + "\n</Sequence>";
}

const char kScenarioText[] =
    "<Scenario>\n\t<Name en=\"\"/>\n\t<Current.Frame>0</Current.Frame>\n\t<Current.Sequence>0</Current.Sequence>"
    "\n\t<Max.Time>500</Max.Time>\n\t<FPS>25</FPS>\n\t<Start.Visible.Time>0</Start.Visible.Time>"
    "\n\t<End.Visible.Time>500</End.Visible.Time>\n\t<Sequences/>\n\t<Animated.Elements/>\n\t<Time.Guides/>"
    "\n\t<Snds/>\n</Scenario>";

std::string BezierPointText() {
  return "<Bezier.Point>" + Child(ZeroPoint("Position")) + Child(ZeroPoint("CPBefore")) + Child(ZeroPoint("CPAfter")) +
         "\n</Bezier.Point>";
}

std::string CamKeyText() {
  return "<Camera.Key Key.Type=\"Timing\">\n\t<Pitch>0.000000</Pitch>\n\t<Focal>50.000000</Focal>"
         "\n\t<Fading.Duration>0</Fading.Duration>\n\t<Fading.Nb.Images>0</Fading.Nb.Images>"
         "\n\t<Horizontal.Angle>0.000000</Horizontal.Angle>\n\t<Vertical.Angle>0.000000</Vertical.Angle>"
         "\n\t<Anticipation>0.000000</Anticipation>\n\t<Bezier.Section>0</Bezier.Section>"
         "\n\t<Bezier.T>0.000000</Bezier.T>\n\t<Bezier.Transition>0</Bezier.Transition>"
         "\n\t<Bezier.Transition.T>0.000000</Bezier.Transition.T>" + Child(ZeroPoint("Target")) + "\n</Camera.Key>";
}

std::string CameraPathText() {
  return "<Camera.Path>\n\t<Name en=\"\"/>\n\t<View.Flags>2</View.Flags>\n\t<Movie.Duration>0.000000</Movie.Duration>"
         "\n\t<Nb.Images.Extra>0</Nb.Images.Extra>\n\t<Speed>0.000000</Speed>\n\t<Points/>\n\t<Camera.Keys>\n\t\t" +
         Nested(ViewInfoText(), 2) + "\n\t\t<Current.Time>0.000000</Current.Time>\n\t</Camera.Keys>\n</Camera.Path>";
}

std::string AnimationText() {
  return "<Animation>\n\t<Name en=\"\"/>\n\t<Camera.Paths/>" + Child(OptionsText("QTime")) +
         "\n\t<Current>0</Current>\n</Animation>";
}

}  // namespace

ZIN_FIELD_WALK(CZinKeyFrame, KeyFrameText())
ZIN_FIELD_WALK(CZinInterpolatedValue, InterpolatedValueText())
ZIN_FIELD_WALK(CZinAnimatedElement, "<Animated.Element\n\t Type=\"Sequence\"\n\t UUID=\"" + kZeroId +
                                        "\">\n\t<Interpolated.Values/>\n</Animated.Element>")
ZIN_FIELD_WALK(CZinSequence, SequenceText())
ZIN_FIELD_WALK(CZinScenarioTimeGuide, "<Time.Guide>\n\t<Time>0</Time>\n</Time.Guide>")
ZIN_FIELD_WALK(CZinSnd, "<Snd UUID=\"" + kZeroId + "\">\n\t<Start.Frame>0</Start.Frame>\n\t<URL></URL>\n</Snd>")
ZIN_FIELD_WALK(CZinScenario, kScenarioText)
ZIN_FIELD_WALK(CZinBezierPoint, BezierPointText())
ZIN_FIELD_WALK(CZin3DPath, "<Path.3D UUID=\"" + kZeroId + "\">\n\t<Bezier.points/>\n</Path.3D>")
ZIN_FIELD_WALK(CCamKey, CamKeyText())
ZIN_FIELD_WALK(CAnimation, CameraPathText())
// A movie's options start with the output type eOutputQTime, not the rendering row's
// default; the default element pins it.
TEST(FieldWalk, CZinAnimation) {
  std::vector<FieldCheck<CZinAnimation>> checks = ChecksOf<CZinAnimation>();
  int patched = 0;
  for (FieldCheck<CZinAnimation>& check : checks)
    if (check.name == "Options.RenderingOpt.OutputType" && ++patched)
      check.checkDefault = [](CZinAnimation& a) { EXPECT_EQ(eOutputQTime, a.getRenderingOpt()->getOutputType()); };
  EXPECT_EQ(1, patched);
  WalkFields(checks, AnimationText());
}

namespace {

/// A key frame of kind type with the three values given, its time 12.
TZinComPtr<CZinKeyFrame> KeyFrame(IZinMgrRef* link, int32_t type, const CZinKeyValue& value,
                                  const CZinKeyValue& before, const CZinKeyValue& after) {
  TZinComPtr<CZinKeyFrame> key(CreateZinObject<CZinKeyFrame>(link));
  key->setType(type);
  key->setValue(value);
  key->setCPBefore(before);
  key->setCPAfter(after);
  key->setTime(12);
  return key;
}

}  // namespace

TEST(KeyFrames, EachKindWritesItsFormAndReadsBack) {
  const std::string head = "\n\t Interpolation.Type=\"Linear\">\n\t<Time>12</Time>\n\t<Visible/>";
  auto element = [&](const char* label, const std::string& values) {
    return std::string("<KeyFrame\n\t Type=\"") + label + "\"" + head + values + "\n</KeyFrame>";
  };
  const CZinUUID one = CZinUUID::fromText(kOne.c_str()), two = CZinUUID::fromText(kTwo.c_str());
  const struct {
    int32_t type;
    CZinKeyValue value, before, after;
    std::string text;
  } cases[] = {
      {eKeyCoord3D, CZinKeyValue::Coord3D(CZinVector3D(1.5, -2, 3)), CZinKeyValue::Coord3D(CZinVector3D()),
       CZinKeyValue::Coord3D(CZinVector3D(0, 0, 1e6)),
       element("Coord3D", Child(Point("Value", "1.500000", "-2.000000", "3.000000")) + Child(ZeroPoint("CPBefore")) +
                              Child(Point("CPAfter", "0.000000", "0.000000", "1000000.000000")))},
      {eKeyColor, CZinKeyValue::Color(CZinColor(1, 2, 3)), CZinKeyValue::Color(CZinColor(255, 0, 7)),
       CZinKeyValue::Color(CZinColor()),
       element("Color", Child(Colour("Value", 1, 2, 3)) + Child(Colour("CPBefore", 255, 0, 7)) + Child(Colour("CPAfter", 0, 0, 0)))},
      {eKeyDouble, CZinKeyValue::Double(0.25), CZinKeyValue::Double(-1), CZinKeyValue::Double(1e9),
       element("Double", "\n\t<Value>0.250000</Value>\n\t<CPBefore>-1.000000</CPBefore>"
                         "\n\t<CPAfter>1000000000.000000</CPAfter>")},
      // A false boolean is an absent element.
      {eKeyBoolean, CZinKeyValue::Boolean(true), CZinKeyValue::Boolean(false), CZinKeyValue::Boolean(true),
       element("Boolean", "\n\t<Value/>\n\t<CPAfter/>")},
      {eKeyInteger, CZinKeyValue::Integer(-7), CZinKeyValue::Integer(2147483647), CZinKeyValue::Integer(0),
       element("Integer", "\n\t<Value>-7</Value>\n\t<CPBefore>2147483647</CPBefore>\n\t<CPAfter>0</CPAfter>")},
      // Dates need their 64 bits.
      {eKeyDate, CZinKeyValue::Date(9000000000000000000LL), CZinKeyValue::Date(-4294967296LL),
       CZinKeyValue::Date(INT64_MIN),
       element("Date", "\n\t<Value>9000000000000000000</Value>\n\t<CPBefore>-4294967296</CPBefore>"
                       "\n\t<CPAfter>-9223372036854775808</CPAfter>")},
      // Ids are attributes of the key frame itself.
      {eKeyUUID, CZinKeyValue::UUID(one), CZinKeyValue::UUID(CZinUUID()), CZinKeyValue::UUID(two),
       "<KeyFrame\n\t Type=\"UUID\"\n\t Value=\"" + kOne + "\"\n\t CPBefore=\"" + kZeroId + "\"\n\t CPAfter=\"" + kTwo +
           "\"" + head + "\n</KeyFrame>"},
      {eKeyEnum, CZinKeyValue::Enum(3), CZinKeyValue::Enum(0), CZinKeyValue::Enum(-1),
       element("Enum", "\n\t<Value>3</Value>\n\t<CPBefore>0</CPBefore>\n\t<CPAfter>-1</CPAfter>")},
  };
  for (const auto& c : cases) {
    TZinComPtr<CZinKeyFrame> key = KeyFrame(nullptr, c.type, c.value, c.before, c.after);
    Document document;
    QuorveXML::XIXMLElement* written = WriteRows(document, "KeyFrame", *key);
    EXPECT_EQ(c.text, TextOf(written)) << c.type;
    TZinComPtr<CZinKeyFrame> copy(CreateZinObject<CZinKeyFrame>(nullptr));
    ReadRows(written, *copy);
    EXPECT_EQ(c.type, copy->getType());
    Document again;
    EXPECT_EQ(c.text, TextOf(WriteRows(again, "KeyFrame", *copy))) << c.type;
  }
}

TEST(KeyFrames, KindsAndValuesMustAgree) {
  RecordingLink link;
  {
    TZinComPtr<CZinKeyFrame> key(CreateZinObject<CZinKeyFrame>(&link));
    key->setValue(CZinKeyValue::Coord3D(CZinVector3D(1, 2, 3)));
    // A value of another kind changes nothing and names the kind the key frame holds.
    key->setValue(CZinKeyValue::Color(CZinColor(1, 1, 1)));
    key->setCPBefore(CZinKeyValue::Double(2));
    EXPECT_EQ(Texts(2, "Invalid choice of mCoord3D to initialize CZinKeyFrame::uValue union"), link.take());
    EXPECT_EQ(CZinVector3D(1, 2, 3), key->getValue().coord3D);
    EXPECT_EQ(eKeyCoord3D, key->getCPBefore().type);
    // The same kind keeps the values; another makes them its zero.
    key->setType(eKeyCoord3D);
    EXPECT_EQ(CZinVector3D(1, 2, 3), key->getValue().coord3D);
    key->setType(eKeyDate);
    EXPECT_EQ(eKeyDate, key->getCPAfter().type);
    EXPECT_EQ(0, key->getValue().date);
    key->setCPAfter(CZinKeyValue::Integer(1));
    key->setType(42);
    key->setValue(CZinKeyValue::Enum(1));
    EXPECT_EQ((Texts{"Invalid choice of mDate to initialize CZinKeyFrame::uValue union",
                     "Invalid choice of mUnknown to initialize CZinKeyFrame::uValue union"}),
              link.take());
    // Without a manager the refusal is silent.
    TZinComPtr<CZinKeyFrame> detached(CreateZinObject<CZinKeyFrame>(nullptr));
    detached->setValue(CZinKeyValue::Boolean(true));
    EXPECT_EQ(eKeyCoord3D, detached->getValue().type);
  }
  EXPECT_TRUE(link.take().empty());
}

namespace {

/// A manager's scenario holding one key frame of kind type, in one interpolated
/// value of one animated element.
IZinKeyFrame* AddKeyFrame(IZinMgr* mgr, int32_t type) {
  IZinKeyFrame* key = mgr->getScenarios()
                          ->newZinObject(kZinEndOfList)
                          ->getAnimatedElements()
                          ->newZinObject(kZinEndOfList)
                          ->getInterpolatedValues()
                          ->newZinObject(kZinEndOfList)
                          ->getKeyFrames()
                          ->newZinObject(kZinEndOfList);
  key->setType(type);
  return key;
}

}  // namespace

TEST(KeyFrames, WhatAFileOrAWriteCannotTake) {
  {
    // The kind is checked before anything of it is written.
    FeedbackRecorder heard;
    ManagerHold mgr(&heard);
    AddKeyFrame(mgr.mgr, 8);
    CZinMemoryWriteStream out;
    EXPECT_FALSE(mgr->write(&out, nullptr));
    EXPECT_EQ(Texts{"Error \"CZinXMLIO::AddKeyFrame : Unknow value type\" while writting"}, Heard(heard));
    TZinComPtr<CZinKeyFrame> key(CreateZinObject<CZinKeyFrame>(nullptr));
    key->setType(-1);
    Document document;
    CZinXMLAdd element(CZinXMLAdd(document.owner).AddElement("KeyFrame"));
    EXPECT_THROW(key->putFields(element), std::runtime_error);
    EXPECT_EQ("<KeyFrame>\n\t<Time>0</Time>\n\t<Visible/>\n</KeyFrame>", TextOf(element.GetElement()));
  }
  ManagerHold source;
  AddKeyFrame(source.mgr, eKeyDouble);
  const std::string file = WriteToText(source.mgr);
  // The first "Interpolation.Type" is the default value's.
  ExpectEachEditFailsTheRead(file, {
      {"Type=\"Double\"", "Type=\"Quaternion\"", "Invalid label (Quaternion) [Coord3D..Enum]"},
      {"Type=\"Double\"", "Type=\"double\"", "Invalid label (double) [Coord3D..Enum]"},
      {"Type=\"Double\"", "Kind=\"Double\"", "CZinXMLGet::GetAttributeLabel - NULL ptr for tag Type"},
      {"<CPAfter>0.000000</CPAfter>", "", "CZinXMLGet::GetElement - NULL ptr for tag CPAfter"},
      {"<CPAfter>0.000000</CPAfter>", "<CPAfter>x</CPAfter>", "exception"},
      {"Interpolation.Type=\"Linear\"", "Interpolation.Type=\"Cubic\"",
       "Invalid label (Cubic) [Linear..DateInterpolation]"},
      {"<Default.Value", "<Default.Values", "CZinXMLGet::GetElement - NULL ptr for tag Default.Value"},
  });
}

TEST(Sequences, TargetTypesWriteTheFirstLabelAndReadBoth) {
  const struct {
    int32_t set;
    int32_t stored;
    const char* written;  // null: the write fails
  } cases[] = {
      {eSequenceFixedVertex, 0, "Fixed.Vertex"}, {eSequenceForwardPath, 2, "Forward.Path"},
      {eSequenceObjectInstance, 3, "Object.Instance"}, {1, 1, nullptr},
      {9, 0, "Fixed.Vertex"}, {-1, 0, "Fixed.Vertex"},
  };
  for (const auto& c : cases) {
    FeedbackRecorder heard;
    ManagerHold mgr(&heard);
    IZinSequence* sequence = mgr->getScenarios()->newZinObject(kZinEndOfList)->getSequences()->newZinObject(0);
    sequence->setTargetType(c.set);
    EXPECT_EQ(c.stored, sequence->getTargetType()) << c.set;
    CZinMemoryWriteStream out;
    EXPECT_EQ(c.written != nullptr, mgr->write(&out, nullptr)) << c.set;
    if (c.written)
      EXPECT_NE(std::string::npos, out.bytes().find(std::string("Target.Type=\"") + c.written + "\"")) << c.set;
    else
      EXPECT_EQ(Texts{"Error \"No label for the value (1) [Fixed.Vertex..Object.Instance]\" while writting"},
                Heard(heard));
  }
  ManagerHold source;
  source->getScenarios()->newZinObject(kZinEndOfList)->getSequences()->newZinObject(0);
  const std::string file = WriteToText(source.mgr);
  for (const char* label : {"Forward.Path", "Relative.Angle"}) {
    ManagerHold mgr;
    ASSERT_TRUE(Read(mgr.mgr, Replaced(file, "Target.Type=\"Fixed.Vertex\"", std::string("Target.Type=\"") + label + "\"")));
    EXPECT_EQ(eSequenceForwardPath, mgr->getScenarios()->getZinObject(0)->getSequences()->getZinObject(0)->getTargetType())
        << label;
  }
  FeedbackRecorder heard;
  ManagerHold mgr(&heard);
  EXPECT_FALSE(Read(mgr.mgr, Replaced(file, "Target.Type=\"Fixed.Vertex\"", "Target.Type=\"On.Object\"")));
  EXPECT_EQ(Texts{"Invalid label (On.Object) [Fixed.Vertex..Object.Instance]"}, Heard(heard));
}

TEST(InterpolatedValues, TheTableOfAnimatableValues) {
  const std::string range = "[Camera.Position..Sequence.ToneSettings.DarkTones]";
  ManagerHold source;
  source->getScenarios()->newZinObject(kZinEndOfList)->getAnimatedElements()->newZinObject(0)
      ->getInterpolatedValues()->newZinObject(0);
  const std::string file = WriteToText(source.mgr);
  // Codes between named ends of a range have no label, nor do 0 and 223.
  const struct {
    int32_t code;
    const char* label;  // null: no label
  } cases[] = {
      {1, "Camera.Position"}, {3, "Focal"}, {38, "Object.Position"}, {107, "Target.Object.UUID"},
      {134, "Instance.Animated.Position"}, {138, "Texture.Animated"}, {139, "MappingNode.Angle"},
      {170, "MappingNode.Brightness"}, {188, "WangTilesNode.YRefAxis"}, {209, "MultiTextureNode.YRefAxis"},
      {222, "Property.Power.Factor"}, {225, "Property.Glazing.Propertion"}, {231, "Property.Glazing.WaterSpeed"},
      {265, "Sequence.Background.Color3"}, {268, "Sequence.ToneSettings.DarkTones"},
      {0, nullptr}, {140, nullptr}, {180, nullptr}, {200, nullptr}, {223, nullptr}, {224, nullptr}, {269, nullptr},
  };
  for (const auto& c : cases) {
    FeedbackRecorder heard;
    ManagerHold mgr(&heard);
    mgr->getScenarios()->newZinObject(kZinEndOfList)->getAnimatedElements()->newZinObject(0)
        ->getInterpolatedValues()->newZinObject(0)->setType(c.code);
    CZinMemoryWriteStream out;
    ASSERT_EQ(c.label != nullptr, mgr->write(&out, nullptr)) << c.code;
    if (!c.label) {
      EXPECT_EQ(Texts{"Error \"No label for the value (" + std::to_string(c.code) + ") " + range + "\" while writting"},
                Heard(heard));
      continue;
    }
    EXPECT_NE(std::string::npos, out.bytes().find(std::string("<Interpolated.Value\n\t\t\t\t\t\t\t Type=\"") + c.label + "\""))
        << c.code;
    ManagerHold read;
    ASSERT_TRUE(Read(read.mgr, Replaced(file, "Type=\"Camera.Position\"", std::string("Type=\"") + c.label + "\"")));
    EXPECT_EQ(c.code, read->getScenarios()->getZinObject(0)->getAnimatedElements()->getZinObject(0)
                          ->getInterpolatedValues()->getZinObject(0)->getType());
  }
  FeedbackRecorder heard;
  ManagerHold mgr(&heard);
  EXPECT_FALSE(Read(mgr.mgr, Replaced(file, "Type=\"Camera.Position\"", "Type=\"Camera.position\"")));
  EXPECT_EQ(Texts{"Invalid label (Camera.position) " + range}, Heard(heard));
}

TEST(Animation, WhatAClientSeesOfTheSetters) {
  FeedbackRecorder feedback;
  ManagerHold mgr(&feedback);
  IZinAnimation* animation = mgr->getMgrEx(eZinVersionCurrent)->getAnimations()->newZinObject(kZinEndOfList);
  IZinCameraPath* path = animation->getCameraPaths()->newZinObject(kZinEndOfList);
  animation->getCameraPaths()->newZinObject(kZinEndOfList);
  IZinScenario* scenario = mgr->getScenarios()->newZinObject(kZinEndOfList);
  IZinSequence* sequence = scenario->getSequences()->newZinObject(kZinEndOfList);
  const std::string index = "IZinAnimation::setCurrentPath - index invalid";
  const struct {
    const char* what;
    std::function<double()> act;
    double result;
    Texts warnings;
  } cases[] = {
      // Paths and sequences made in the manager are in the manager (the rules are the walks').
      {"duration -1", [&] { path->setDuration(-1); return path->getDuration(); }, 0,
       {"Method setDuration has clipped a value out of range."}},
      {"sequence focal 200", [&] { sequence->setFocal(200); return sequence->getFocal(); }, 180,
       {"Method setFocal has clipped a value out of range."}},
      {"current path 1 of 2", [&] { animation->setCurrentPath(1); return double(animation->getCurrentPath()); }, 1, {}},
      {"current path 2 of 2", [&] { animation->setCurrentPath(2); return double(animation->getCurrentPath()); }, 1,
       {index}},
      {"current path -1", [&] { animation->setCurrentPath(-1); return double(animation->getCurrentPath()); }, 1,
       {index}},
      // The lists follow the collection rules, warning through the manager.
      {"remove from no time guides", [&] { scenario->getTimeGuides()->removeObject(kZinEndOfList); return 0.0; }, 0,
       {"removeObject: Bad index value"}},
      {"remove from no points", [&] { path->getPoints()->removeObject(kZinEndOfList); return 0.0; }, 0,
       {"removeObject: no more object to remove"}},
      {"key 0 of none", [&] { return double(path->getCamKeys()->getZinObject(0) != nullptr); }, 0,
       {"getZinObject: Bad index value"}},
      {"key frame at 2 of none",
       [&] {
         IZinInterpolatedValue* value =
             scenario->getAnimatedElements()->newZinObject(0)->getInterpolatedValues()->newZinObject(0);
         return double(value->getKeyFrames()->newZinObject(2) != nullptr);
       },
       0, {"newZinObject: Bad index value"}},
  };
  for (const auto& c : cases) {
    feedback.warnings.clear();
    EXPECT_DOUBLE_EQ(c.result, c.act()) << c.what;
    EXPECT_EQ(c.warnings, feedback.texts()) << c.what;
  }
  // The sequence's view-flag bits, as a camera's.
  sequence->setFlagBit0();
  sequence->setFlagBit1(false);
  EXPECT_EQ(1, sequence->getViewFlags());
  EXPECT_EQ(eOutputQTime, animation->getRenderingOpt()->getOutputType());
}

namespace {

// A scenario away from its defaults: two sequences, an animated element whose
// values hold a key frame of every kind (out of time order) and none, a time guide,
// a sound; and a 3D path.
void BuildScenario(IZinMgr* mgr) {
  IZinScenario* scenario = mgr->getScenarios()->newZinObject(kZinEndOfList);
  scenario->getBasicData()->setName("Walk <in>");
  scenario->setMaxTime(900);
  scenario->setFPS(30);
  scenario->setEndVisibleTime(600);
  IZinSequence* hall = scenario->getSequences()->newZinObject(kZinEndOfList);
  hall->getBasicData()->setName("Hall");
  hall->setEndFrame(120);
  hall->setTargetType(eSequenceObjectInstance);
  hall->setTargetObjectId(CZinUUID::fromText(kOne.c_str()));
  hall->getViewInfo()->setHeliodonName("Noon");
  IZinSequence* garden = scenario->getSequences()->newZinObject(kZinEndOfList);
  garden->setStartFrame(120);
  garden->setTargetType(eSequenceForwardPath);
  garden->setArchitectFlag(true);
  garden->getRenderingOpt()->setWidth(1280);
  IZinAnimatedElement* element = scenario->getAnimatedElements()->newZinObject(kZinEndOfList);
  element->setType(eAnimatedObject);
  element->setObjectId(CZinUUID::fromText(kTwo.c_str()));
  IZinInterpolatedValue* value = element->getInterpolatedValues()->newZinObject(kZinEndOfList);
  value->setType(47);  // "Instance.Transparency"
  value->setLoop(true);
  value->setNbLoops(3);
  value->getDefaultValue()->setType(eKeyDouble);
  value->getDefaultValue()->setValue(CZinKeyValue::Double(1.5));
  const CZinKeyValue kinds[] = {
      CZinKeyValue::Coord3D(CZinVector3D(1, 2, 3)), CZinKeyValue::Color(CZinColor(9, 8, 7)),
      CZinKeyValue::Double(-0.5),                   CZinKeyValue::Boolean(true),
      CZinKeyValue::Integer(42),                    CZinKeyValue::Date(1234567890123LL),
      CZinKeyValue::UUID(CZinUUID::fromText(kOne.c_str())), CZinKeyValue::Enum(2)};
  int32_t time = 80;
  for (const CZinKeyValue& kind : kinds) {
    IZinKeyFrame* key = value->getKeyFrames()->newZinObject(kZinEndOfList);
    key->setType(kind.type);
    key->setValue(kind);
    key->setCPAfter(kind);
    key->setTime(time -= 10);
    key->setInterpolationType(eInterpolationBezier);
    key->setAreLocked(true);
  }
  element->getInterpolatedValues()->newZinObject(kZinEndOfList)->setPathId(CZinUUID::fromText(kTwo.c_str()));
  scenario->getTimeGuides()->newZinObject(kZinEndOfList)->setTime(45);
  IZinSnd* sound = scenario->getSnds()->newZinObject(kZinEndOfList);
  sound->setStartFrame(10);
  sound->setURL("file:///sounds/rain & wind.wav");
  IZin3DPath* path = mgr->get3DPaths()->newZinObject(kZinEndOfList);
  path->setClosed(true);
  IZinBezierPoint* point = path->getBezierPoints()->newZinObject(kZinEndOfList);
  point->setPosition(CZinVector3D(1, 0, -1));
  point->setAreLocked(true);
  path->getBezierPoints()->newZinObject(kZinEndOfList)->setCPAfter(CZinVector3D(0.5, 0.5, 0.5));
}

// A camera animation with two paths, points and keys; the second path is current.
void BuildAnimation(IZinMgr* mgr) {
  IZinAnimation* animation = mgr->getMgrEx(eZinVersionCurrent)->getAnimations()->newZinObject(kZinEndOfList);
  animation->getBasicData()->setName("Tour");
  for (int i = 0; i < 2; ++i) {
    IZinCameraPath* path = animation->getCameraPaths()->newZinObject(kZinEndOfList);
    path->getBasicData()->setName(i ? "Upstairs" : "Ground floor");
    path->setActive(i == 1);
    path->setDuration(12.5 + i);
    path->setSpeedOn(true);
    for (int p = 0; p < 3; ++p) *path->getPoints()->newZinObject(kZinEndOfList) = CZinPoint{p * 1.5, -p * 1.0, 1e3};
    path->getViewInfo()->setLocked(true);
    path->setCurrentTime(2.25);
    IZinCamKey* key = path->getCamKeys()->newZinObject(kZinEndOfList);
    key->setKeyType(eCamKeyTarget);
    key->setBezierT(0.75);
    key->setTarget(CZinVector3D(5, 5, 5));
    path->getCamKeys()->newZinObject(kZinEndOfList)->setFadingNbImages(24);
  }
  animation->setCurrentPath(1);
  animation->getCompressionOpt()->setFrameRate(30);
}

}  // namespace

TEST(Animation, ScenesOfAnimationReadBackByteForByte) {
  ManagerHold mgr;
  BuildScenario(mgr.mgr);
  BuildAnimation(mgr.mgr);
  mgr->getMgrEx(eZinVersionCurrent)->getAnimations()->newZinObject(kZinEndOfList);  // no paths, current 0: read back silently
  const std::string first = WriteToText(mgr.mgr);
  FeedbackRecorder heard;
  ManagerHold fresh(&heard);
  ASSERT_TRUE(Read(fresh.mgr, first));
  EXPECT_EQ(first, WriteToText(fresh.mgr));
  EXPECT_EQ(Texts{}, Heard(heard));
  // Reading into a manager that holds animation gives the same manager.
  ManagerHold used;
  BuildAnimation(used.mgr);
  BuildScenario(used.mgr);
  ASSERT_TRUE(Read(used.mgr, first));
  EXPECT_EQ(first, WriteToText(used.mgr));
  ManagerHold empty;
  const std::string emptyText = WriteToText(empty.mgr);
  ASSERT_TRUE(Read(used.mgr, emptyText));
  EXPECT_EQ(emptyText, WriteToText(used.mgr));
}

TEST(Paths3D, TheOlderCollectionNameReadsToo) {
  ManagerHold source;
  BuildScenario(source.mgr);
  const std::string file = WriteToText(source.mgr);
  const std::string paths = Section(file, "<Paths.3D>", "</Paths.3D>");
  ASSERT_FALSE(paths.empty());
  const std::string older = Replaced(Replaced(paths, "<Paths.3D>", "<3D.Paths>"), "</Paths.3D>", "</3D.Paths>");
  ManagerHold mgr;
  ASSERT_TRUE(Read(mgr.mgr, Replaced(file, paths, older)));
  EXPECT_EQ(paths, Section(WriteToText(mgr.mgr), "<Paths.3D>", "</Paths.3D>"));
  // Both there: "Paths.3D" wins, wherever it stands.
  const std::string other = Replaced(older, "<Path.3D", "<Path.3D Extra=\"1\"><Bezier.points/></Path.3D><Path.3D");
  ASSERT_TRUE(Read(mgr.mgr, Replaced(file, paths, other + paths)));
  EXPECT_EQ(1u, mgr->get3DPaths()->getCount());
  EXPECT_EQ(2u, mgr->get3DPaths()->getZinObject(0)->getBezierPoints()->getCount());
}
