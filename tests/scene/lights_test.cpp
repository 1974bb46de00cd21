#include "serialization/field_walk.h"

#include <cstring>

#include "fuzz/fuzz_support.h"
#include "scene/effects_texts.h"
#include "scene/lights.h"
#include "xml/tree_reader.h"

using namespace QvZin;
using namespace QvZinTest;

namespace {

const char kLightConeText[] = "<Light.Cone>\n\t<Power>0.000000</Power>\n</Light.Cone>";

std::string LightText(const std::string& id = kZeroId) {
  return "<Light\n\t Type=\"Point\"\n\t Shadow.Type=\"Traced\"\n\t UUID=\"" + id + "\"\n\t Object.Id=\"" + kZeroId +
         "\"\n\t Target.type=\"Fixed.Vertex\"\n\t IES=\"D174E7C83EF6C841BB95ACAE11258616\">\n\t<Name en=\"\"/>"
         "\n\t<Active/>" + Child(Colour("Color", 127, 127, 127)) +
         "\n\t<Power>3.000000</Power>\n\t<Distance.Near>0.000000</Distance.Near>"
         "\n\t<Distance.Far>0.000000</Distance.Far>" + Child(Point("Position", "200.000000", "200.000000", "-200.000000")) +
         Child(ZeroPoint("Target")) +
         "\n\t<Cone.Angle>20.000000</Cone.Angle>\n\t<Sharpness>0.500000</Sharpness>"
         "\n\t<Shadow.Power>0.100000</Shadow.Power>\n\t<Map.Size>0</Map.Size>\n\t<Bias>0.300000</Bias>"
         "\n\t<Global.Illumination.Power>0.500000</Global.Illumination.Power>"
         "\n\t<Global.Illumination.Quality>0</Global.Illumination.Quality>\n\t<UI.Value>0</UI.Value>"
         "\n\t<Lights.Groups/>" + Child(kLensFlareText) + Child(kLightConeText) + "\n\t<Radiosity/>\n</Light>";
}

std::string GroupText(const std::string& id = kZeroId) {
  return "<Lights.Group ID=\"" + id + "\">\n\t<Name en=\"\"/>\n\t<UI.Value>0</UI.Value>\n</Lights.Group>";
}

}  // namespace

ZIN_FIELD_WALK(CZinLightCone, kLightConeText)
ZIN_FIELD_WALK(CLight, LightText())
ZIN_FIELD_WALK(CZinLightsGroup, GroupText())

// A client reading a light from an element of its own: what the element lacks or
// holds wrongly reaches the light's link as one warning with kZinFail, never as a throw.
TEST(Lights, ReadingABadElementWarns) {
  struct Case {
    const char* from;
    const char* to;
    const char* warning;  // null: the element reads
  };
  const Case cases[] = {
      {"", "", nullptr},
      {"Type=\"Point\"", "Type=\"point\"", "CZinXMLBasicData::initWithXML - Invalid label (point) [Point..Parallel]"},
      {"<Name en=\"\"/>", "", "CZinXMLBasicData::initWithXML - CZinXMLGet::GetElement - NULL ptr for tag Name"},
      // A number that does not scan: the document model's scan error.
      {"<Power>3.000000</Power>", "<Power>bright</Power>", "CZinXMLBasicData::initWithXML - exception"},
      {" UUID=", " ID=", "CZinXMLBasicData::initWithXML - CZinXMLGet::GetUUID - NULL ptr for tag UUID"},
  };
  for (const Case& c : cases) {
    std::string text = LightText();
    if (*c.from) text.replace(text.find(c.from), std::strlen(c.from), c.to);
    QuorveXML::CXMLTreeReader reader;
    ZinFuzz::CBytesReadStream stream(text);
    std::unique_ptr<QuorveXML::XCXMLTree> tree(reader.Read(&stream));
    RecordingLink link;
    TZinComPtr<CLight> light(CreateZinObject<CLight>(&link));
    const int32_t result = light->getBasicData()->initWithXML(tree->GetRoot()->GetFirstElement());
    EXPECT_EQ(c.warning ? kZinFail : kZinOk, result) << c.to;
    EXPECT_EQ(c.warning ? Texts{c.warning} : Texts{}, link.take()) << c.to;
  }
}

TEST(Lights, NewLightsAndGroupsInANewManagersDocument) {
  ManagerHold mgr;
  const std::string empty = WriteToText(mgr.mgr);
  EXPECT_NE(std::string::npos, empty.find("\n\t<Lights/>\n\t<Lights.Groups/>\n"));
  IZinLight* light = mgr->getLights()->newZinObject(kZinEndOfList);
  IZinLightsGroup* group = mgr->getLightsGroups()->newZinObject(kZinEndOfList);
  const std::string text = WriteToText(mgr.mgr);
  EXPECT_EQ("<Lights>\n\t\t" + Nested(LightText(ToText(*light->getBasicData()->getId())), 2) + "\n\t</Lights>",
            Section(text, "<Lights>", "</Lights>"));
  EXPECT_EQ("<Lights.Groups>\n\t\t" + Nested(GroupText(ToText(*group->getBasicData()->getId())), 2) +
                "\n\t</Lights.Groups>",
            Section(text, "\n\t<Lights.Groups>", "\n\t</Lights.Groups>").substr(2, std::string::npos));
}

namespace {

const CZinUUID kLobby = CZinUUID::fromText("0000000000000000000000000000A0B1");
const CZinUUID kGarden = CZinUUID::fromText("0000000000000000000000000000A0B2");

// Three lights of three kinds, two groups and a light cone in use.
void BuildLights(IZinMgr* mgr) {
  TZinObjectMgr<IZinLightsGroup>* groups = mgr->getLightsGroups();
  IZinLightsGroup* lobby = groups->newZinObject(kZinEndOfList);
  lobby->getBasicData()->setId(kLobby);
  lobby->getBasicData()->setName("Lobby & hall");
  lobby->getBasicData()->setUIValue(4);
  groups->newZinObject(kZinEndOfList)->getBasicData()->setId(kGarden);

  TZinObjectMgr<IZinLight>* lights = mgr->getLights();
  IZinLight* point = lights->newZinObject(kZinEndOfList);
  point->getBasicData()->setName("Ceiling");
  point->setColor(CZinColor(255, 240, 200));
  point->setPower(40);
  point->setPosition(CZinVector3D(1.25, -2, 300));
  *point->getLightsGroups()->newZinObject(kZinEndOfList) = kLobby;
  *point->getLightsGroups()->newZinObject(kZinEndOfList) = kGarden;
  point->getLensFlare()->setUsed(true);
  point->getLensFlare()->setType(eHalo2);

  IZinLight* spot = lights->newZinObject(kZinEndOfList);
  spot->setType(eLightSpot);
  spot->setConeAngle(35.5);
  spot->setSharpness(0.75);
  spot->setShadowType(eShadowSoft);
  spot->setShadowMapSize(2048);
  spot->setTargetType(1);
  spot->setTargetObjectId(CZinUUID::fromText("00112233445566778899AABBCCDDEEFF"));
  spot->getLightCone()->setUsed(true);
  spot->getLightCone()->setPower(0.4);
  *spot->getLightsGroups()->newZinObject(kZinEndOfList) = kGarden;

  IZinLight* sun = lights->newZinObject(kZinEndOfList);
  sun->setType(eLightParallel);
  sun->setActive(false);
  sun->setRadiosity(false);
  sun->setGlobalIllumination(true);
  sun->setGlobalIlluminationQuality(3);
  sun->setLocked(true);
  sun->setIESProfileId(CZinUUID::fromText("FFEEDDCCBBAA99887766554433221100"));
  sun->getBasicData()->setUIValue(-9);
}

}  // namespace

TEST(Lights, ASceneOfLightsReadsBackFieldByField) {
  ManagerHold mgr;
  BuildLights(mgr.mgr);
  const std::string text = WriteToText(mgr.mgr);
  ManagerHold copy;
  ASSERT_TRUE(Read(copy.mgr, text));
  ASSERT_EQ(3u, copy->getLights()->getCount());
  for (uint32_t i = 0; i < 3; ++i) {
    auto& original = static_cast<CLight&>(*mgr->getLights()->getZinObject(i));
    auto& read = static_cast<CLight&>(*copy->getLights()->getZinObject(i));
    for (const auto& check : ChecksOf<CLight>()) check.compare(original, read);
  }
  EXPECT_EQ(text, WriteToText(copy.mgr));

  // Reading into a manager that holds other lights and groups gives the same manager.
  ManagerHold used;
  BuildLights(used.mgr);
  BuildLights(used.mgr);
  ASSERT_TRUE(Read(used.mgr, text));
  EXPECT_EQ(text, WriteToText(used.mgr));
}

TEST(Lights, FilesReadAsTheirLayoutsSay) {
  ManagerHold source;
  BuildLights(source.mgr);
  const std::string text = WriteToText(source.mgr);
  ManagerHold mgr;
  // The older name of the first lens flare type reads as it and is written anew.
  const std::string standard = Replaced(text, "Lens.Flare Type=\"LensFlare1\"", "Lens.Flare Type=\"Standard\"");
  ASSERT_NE(text, standard);
  ASSERT_TRUE(Read(mgr.mgr, standard));
  EXPECT_EQ(eLensFlare1, mgr->getLights()->getZinObject(1)->getLensFlare()->getType());
  EXPECT_EQ(text, WriteToText(mgr.mgr));
  // Only "Light" children are lights, and only "Lights.Group" children groups.
  ASSERT_TRUE(Read(mgr.mgr, Replaced(Replaced(text, "<Lights>", "<Lights><Lamp/>"), "\n\t<Lights.Groups>",
                                   "\n\t<Lights.Groups><Light UUID=\"" + kZeroId + "\"/>")));
  EXPECT_EQ(3u, mgr->getLights()->getCount());
  EXPECT_EQ(2u, mgr->getLightsGroups()->getCount());
  // Labels and required values: a bad one fails the read with one warning naming it.
  ExpectEachEditFailsTheRead(text, {
      {"Type=\"Spot\"", "Type=\"spot\"", "Invalid label (spot) [Point..Parallel]"},
      {"Shadow.Type=\"Soft\"", "Shadow.Type=\"Hard\"", "Invalid label (Hard) [None..Soft]"},
      {"Lens.Flare Type=\"Halo2\"", "Lens.Flare Type=\"standard\"", "Invalid label (standard) [LensFlare1..Halo2]"},
      {"Target.type=\"On.Object\"", "Target.type=\"Object\"", "Invalid label (Object) [Fixed.Vertex..On.Object]"},
      {"<Light.Cone>", "<Light.Cones>", "CZinXMLGet::GetElement - NULL ptr for tag Light.Cone"},
      {"\t<Light UUID=", "\t<Light ID=", "CZinXMLGet::GetUUID - NULL ptr for tag UUID"},
      {"<Lights.Group ID=", "<Lights.Group UUID=", "CZinXMLGet::GetUUID - NULL ptr for tag ID"},
  });
}

TEST(Lights, EveryElementInItsPlace) {
  ManagerHold mgr;
  IZinLight* light = mgr->getLights()->newZinObject(kZinEndOfList);
  // Every flag on and two groups, so that each one's element shows where it goes.
  light->setGlobalIllumination(true);
  light->setLocked(true);
  light->getLensFlare()->setUsed(true);
  light->getLightCone()->setUsed(true);
  *light->getLightsGroups()->newZinObject(kZinEndOfList) = kLobby;
  *light->getLightsGroups()->newZinObject(kZinEndOfList) = kGarden;
  EXPECT_EQ(
      "Lights: Light\n"
      "Light: Name Active Color Power Distance.Near Distance.Far Position Target Cone.Angle Sharpness Shadow.Power "
      "Map.Size Bias Global.Illumination Global.Illumination.Power Global.Illumination.Quality Locked UI.Value "
      "Lights.Groups Lens.Flare Light.Cone Radiosity\n"
      "Lights.Groups: Light Light\n"
      "Lens.Flare: Used Size Intensity\n"
      "Light.Cone: Used Power\n",
      Outline(WriteToText(mgr.mgr), "<Lights>", "</Lights>"));
}

TEST(Lights, ValuesWithoutALabelFailTheWrite) {
  auto light = [](IZinMgr* mgr) { return mgr->getLights()->newZinObject(kZinEndOfList); };
  ExpectEachValueFailsTheWrite({
      {"type", [&](IZinMgr* m) { light(m)->setType(3); }, "No label for the value (3) [Point..Parallel]"},
      {"shadow type", [&](IZinMgr* m) { light(m)->setShadowType(-1); }, "No label for the value (-1) [None..Soft]"},
      {"lens flare", [&](IZinMgr* m) { light(m)->getLensFlare()->setType(4); },
       "No label for the value (4) [LensFlare1..Halo2]"},
  });
}

TEST(Lights, ObjectLightsShowTheirLight) {
  RecordingLink link;
  {
    CZinObjectLight carried(&link);
    const CZinObjectLight& constCarried = carried;
    ASSERT_NE(nullptr, carried.getLight());
    EXPECT_EQ(carried.getLight(), constCarried.getLight());
    EXPECT_EQ(&link, carried.getLight()->getBasicData()->getMgrRef());
    EXPECT_EQ(3.0, carried.getLight()->getPower());

    // A shown light outlives its removal from the collection that held it.
    auto lights = NewZinCollection<TComObjectMgr<CLight, IZinLight>>(&link);
    IZinLight* light = lights->newZinObject(kZinEndOfList);
    CZinObjectLightRef shown(light);
    const CZinObjectLightRef& constShown = shown;
    lights->removeObject(kZinEndOfList);
    EXPECT_EQ(light, shown.getLight());
    EXPECT_EQ(light, constShown.getLight());
    shown.getLight()->setConeAngle(400);
    EXPECT_EQ(360.0, light->getConeAngle());
    EXPECT_EQ(nullptr, CZinObjectLightRef(nullptr).getLight());
  }
  EXPECT_TRUE(link.take().empty());
  EXPECT_EQ(0, link.mCount);
}
