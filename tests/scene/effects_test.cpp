#include "ZinFileStreams.h"
#include "ZinSDK.h"
#include "test_support.h"
#include "materials/graph_walk.h"
#include "scene/atmosphere.h"
#include "scene/background.h"
#include "scene/effects_texts.h"
#include "scene/environment.h"
#include "scene/ground.h"
#include "scene/view_info.h"
#include "scene/views.h"
#include "serialization/field_walk.h"
#include "xml/tree_reader.h"

using namespace QvZin;
using namespace QvZinTest;

namespace {

std::string BackgroundText() {
  return "<Background\n\t Image.Type=\"None\"\n\t Color.Type=\"Graduated\">" + Child(White("Color")) +
         Child(Colour("Second.Color", 0, 100, 255)) + Child(Point("Up.Direction", "1.296153", "1.000000", "0.000000")) +
         "\n\t<Line.Power>1.000000</Line.Power>\n\t<URL></URL>\n\t<Origin>1.000000</Origin>\n\t<Use.Default/>"
         "\n\t<Direction.Angle>1.000000</Direction.Angle>\n</Background>";
}

std::string AtmosphereText() {
  return "<Atmosphere>" + Child(Colour("Color", 221, 221, 221)) +
         "\n\t<Density.High>0.600000</Density.High>\n\t<Density.Medium>0.600000</Density.Medium>"
         "\n\t<Density.Low>0.600000</Density.Low>\n\t<Scale>2.000000</Scale>"
         "\n\t<Distance.Minimum>0.000000</Distance.Minimum>\n\t<Distance.Maximum>0.000000</Distance.Maximum>"
         "\n\t<Noise>0.000000</Noise>\n\t<Use.Default/>\n</Atmosphere>";
}

std::string EnvironmentText() {
  return "<Environment UUID=\"" + kZeroId + "\">\n\t<Name en=\"\"/>" + Child(FogText()) + Child(kCloudsText) +
         Child(BackgroundPictureText()) + Child(ForegroundText()) + "\n</Environment>";
}

std::string GroundText() {
  return "<Ground UUID=\"" + kZeroId + "\">\n\t<Name en=\"\"/>\n\t<Height>0.000000</Height>" + Child(kPropertyText) +
         "\n</Ground>";
}

}  // namespace

ZIN_FIELD_WALK(CZinForeground, ForegroundText())
ZIN_FIELD_WALK(CZinBackgroundPicture, BackgroundPictureText())
ZIN_FIELD_WALK(CZinDepthOfField, DepthOfFieldText())
ZIN_FIELD_WALK(CZinClippingBox, ClippingBoxText())
ZIN_FIELD_WALK(CZinCameraLight, CameraLightText("Camera.Light"))
ZIN_FIELD_WALK(CZinFilters, FiltersText())
ZIN_FIELD_WALK(CZinToneSettings, ToneSettingsText())
ZIN_FIELD_WALK(CBackground, BackgroundText())
ZIN_FIELD_WALK(CAtmosphere, AtmosphereText())
ZIN_FIELD_WALK(CZinEnvironment, EnvironmentText())
ZIN_FIELD_WALK(CZinGround, GroundText())

// The atmosphere's and background's clip rules are their field walks'.
TEST(ImageEffects, EachLightOfAViewKnowsWhichItIs) {
  CZinViewInfo info;
  EXPECT_FALSE(info.partCameraLight().isRadiosityLight());
  EXPECT_TRUE(info.partRadiosityLight().isRadiosityLight());
}

TEST(ImageEffects, ObjectsPlacedAloneReplaceAndAcceptTheOldName) {
  Document document;
  CZinXMLAdd parent(document.owner);
  parent.AddElement("Backgroung");
  parent.AddElement("Atmosphere");
  parent.AddElement("Background");
  parent.AddElement("Other");
  CBackground background;
  background.setLinePower(42);
  kBackgroundPlacement.put(parent, background);
  CAtmosphere atmosphere;
  kAtmospherePlacement.put(parent, atmosphere);
  // Earlier ones go under both names; the others keep their place.
  EXPECT_EQ("<Owner>\n\t<Other/>" + Child(Replaced(BackgroundText(), "1.000000</Line", "42.000000</Line")) +
                Child(AtmosphereText()) + "\n</Owner>",
            TextOf(document.owner));

  auto withPower = [](const char* tag, const char* power) {
    std::string text = Replaced(BackgroundText(), "1.000000</Line", std::string(power) + "</Line");
    text = Replaced(text, "<Background\n", std::string("<") + tag + "\n");
    return Replaced(text, "</Background>", std::string("</") + tag + ">");
  };
  struct Case {
    const char* what;
    std::string document;
    bool found;
    double power;
  };
  const Case cases[] = {
      {"the older name", "<Owner>" + withPower("Backgroung", "12") + "</Owner>", true, 12},
      {"both: the right name wins",
       "<Owner>" + withPower("Backgroung", "12") + withPower("Background", "13") + "</Owner>", true, 13},
      {"neither: untouched", "<Owner><Backgrounds/></Owner>", false, 42},
  };
  for (const Case& c : cases) {
    CStringReadStream in(c.document);
    std::unique_ptr<QuorveXML::XCXMLTree> tree(QuorveXML::CXMLTreeReader().Read(&in));
    CZinXMLGet owner(tree->GetRoot()->GetFirstElement());
    CBackground read;
    read.setLinePower(42);
    EXPECT_EQ(c.found, kBackgroundPlacement.get(owner, read)) << c.what;
    EXPECT_EQ(c.power, read.getLinePower()) << c.what;
  }
}

TEST(ImageEffects, LabelsOutsideTheirTables) {
  FeedbackRecorder feedback;
  ManagerHold mgr(&feedback);
  IZinViewInfo* info = mgr->getPerspectiveViews()->newZinObject(kZinEndOfList)->getViewInfo();
  const std::string good = WriteToText(mgr.mgr);
  struct Case {
    const char* what;
    std::string document;
    std::string warning;
  };
  const Case cases[] = {
      {"depth of field", Replaced(good, "Type=\"FromPoint\"", "Type=\"fromPoint\""),
       "Invalid label (fromPoint) [FromPoint..FromDistance]"},
      {"background picture, spelt right", Replaced(good, "<Background.Picture Type=\"None\"", "<Background.Picture Type=\"User.Gradient\""),
       "Invalid label (User.Gradient) [None..HDRI]"},
  };
  for (const Case& c : cases) {
    feedback.warnings.clear();
    ManagerHold reader(&feedback);
    EXPECT_FALSE(Read(reader.mgr, c.document)) << c.what;
    EXPECT_EQ(Texts{c.warning}, Heard(feedback)) << c.what;
  }
  feedback.warnings.clear();
  info->getBackgroundPicture()->setType(eBackgroundPictureGradient);
  EXPECT_NE(std::string::npos, WriteToText(mgr.mgr).find("<Background.Picture Type=\"User.Gradiant\">"));
  info->getDepthOfField()->setType(9);
  CZinMemoryWriteStream out;
  EXPECT_FALSE(mgr->write(&out, nullptr));
  EXPECT_EQ(Texts{"Error \"No label for the value (9) [FromPoint..FromDistance]\" while writting"}, Heard(feedback));

  // The older background's own tables.
  Document document;
  CZinXMLAdd parent(document.owner);
  CBackground background;
  kBackgroundPlacement.put(parent, background);
  QuorveXML::XIXMLElement* element = document.owner->GetFirstElement();
  element->FindAttribute(element->GetKey("Image.Type"))->SetValue("Tiled");
  CZinXMLGet owner(document.owner);
  EXPECT_EQ("Invalid label (Tiled) [None..QTVRCubic]", ErrorOf([&] { kBackgroundPlacement.get(owner, background); }));
  element->FindAttribute(element->GetKey("Image.Type"))->SetValue("QTVRCubic");
  element->FindAttribute(element->GetKey("Color.Type"))->SetValue("Gradient");
  EXPECT_EQ("Invalid label (Gradient) [None..Graduated.Line]",
            ErrorOf([&] { kBackgroundPlacement.get(owner, background); }));
}

TEST(ImageEffects, GroundsThatCannotBeRead) {
  FeedbackRecorder feedback;
  ManagerHold mgr(&feedback);
  mgr->getGrounds()->newZinObject(kZinEndOfList)->getBasicData()->setName("Lawn");
  const std::string good = WriteToText(mgr.mgr);
  const std::string id = ToText(*mgr->getGrounds()->getZinObject(0)->getBasicData()->getId());
  const std::string noId = "CZinXMLIO::GetGround - no UUID or mGetUUID == false\n";
  const std::string material = Section(good, "\n\t\t\t<Property", "</Property>");
  ASSERT_FALSE(material.empty());
  struct Case {
    const char* what;
    std::string document;
    std::string warning;  // "" when the ground reads
    CZinUUID id;
  };
  const Case cases[] = {
      {"no property", Replaced(good, material, ""), "CZinXMLIO::GetGround : no property!", {}},
      // What a copy of the element kept whole accepted, a property's reader does not.
      {"an empty property", Replaced(good, material, "\n\t\t\t<Property/>"),
       "CZinXMLGet::GetElement - NULL ptr for tag Name", {}},
      {"a node of no kind", Replaced(good, "</Editor.Name>", "</Editor.Name><Node Id=\"" + id + "\" Type=\"Marble\"/>"),
       "Invalid label (Marble) [Root..Custom]", {}},
      {"no id", Replaced(good, "<Ground UUID=\"" + id + "\">", "<Ground>"), noId, {}},
      {"an id that does not parse", Replaced(good, id, id.substr(0, 31) + "G"), noId, {}},
      {"an id cut short", Replaced(good, id, id.substr(0, 30)), noId, {}},
      {"no id and no property",
       Replaced(Replaced(good, "<Ground UUID=\"" + id + "\">", "<Ground>"), material, ""), noId, {}},
      {"the zero id", Replaced(good, id, kZeroId), "", CZinUUID()},
      {"a lower-case id", Replaced(good, id, "00000000000000000000000000abcdef"), "",
       CZinUUID::fromText("00000000000000000000000000ABCDEF")},
  };
  for (const Case& c : cases) {
    feedback.warnings.clear();
    ManagerHold reader(&feedback);
    const bool read = Read(reader.mgr, c.document);
    EXPECT_EQ(c.warning.empty(), read) << c.what;
    EXPECT_EQ(c.warning.empty() ? Texts{} : Texts{c.warning}, Heard(feedback)) << c.what;
    if (!read) continue;
    ASSERT_EQ(1u, reader->getGrounds()->getCount()) << c.what;
    EXPECT_EQ(c.id, *reader->getGrounds()->getZinObject(0)->getBasicData()->getId()) << c.what;
    EXPECT_STREQ("Lawn", reader->getGrounds()->getZinObject(0)->getBasicData()->getName()) << c.what;
  }
}

// Environments have no element at the document's top level (each travels in its own:
// their field walk covers it).
TEST(ImageEffects, GroundsAndViewEffectsRoundTripFieldByField) {
  ManagerHold mgr;
  const auto groundChecks = ChecksOf<CZinGround>();
  const auto infoChecks = ChecksOf<CZinViewInfo>();
  std::vector<CZinGround*> grounds;
  for (int i = 0; i < 2; ++i) {
    grounds.push_back(static_cast<CZinGround*>(mgr->getGrounds()->newZinObject(kZinEndOfList)));
    for (const auto& check : groundChecks) check.setAway(*grounds.back());
  }
  // The second differs from the first.
  grounds[1]->setId(NewZinUUID());
  grounds[1]->setName("Gravel");
  grounds[1]->setHeight(-2.5);
  grounds[1]->setActive(false);
  mgr->getEnvironments()->newZinObject(kZinEndOfList);
  auto* camera = static_cast<CCamera*>(mgr->getPerspectiveViews()->newZinObject(kZinEndOfList));
  for (const auto& check : infoChecks) check.setAway(camera->partViewInfo());

  const std::string text = WriteToText(mgr.mgr);
  EXPECT_EQ(std::string::npos, text.find("<Environment"));
  ManagerHold copy;
  ASSERT_TRUE(Read(copy.mgr, text));
  EXPECT_EQ(text, WriteToText(copy.mgr));
  EXPECT_EQ(0u, copy->getEnvironments()->getCount());
  ASSERT_EQ(2u, copy->getGrounds()->getCount());
  for (uint32_t i = 0; i < 2; ++i)
    for (const auto& check : groundChecks) check.compare(*grounds[i], *static_cast<CZinGround*>(copy->getGrounds()->getZinObject(i)));
  auto* cameraCopy = static_cast<CCamera*>(copy->getPerspectiveViews()->getZinObject(0));
  for (const auto& check : infoChecks) check.compare(camera->partViewInfo(), cameraCopy->partViewInfo());
}

// A ground's material is a property like the scene's: the same element, node graph
// and all, read into getProperty() and written from it.
TEST(ImageEffects, TheGroundsMaterialIsAProperty) {
  auto dress = [](IZinProperty* material, const CZinColor& diffuse) {
    material->getBasicData()->setName("Lawn green");
    material->getBasicData()->setId(CZinUUID::fromText("6000000000000000000000000000000A"));
    material->setOverloadPropIndex(CZinUUID::fromText("6000000000000000000000000000000B"));
    material->setCastShadow(false);
    material->setSmooth(0.5);
    IZinTCE* graph = material->getTCE();
    graph->setEditorName("grass");
    TZinComPtr<ITCENode> top, leaf;
    top.attach(graph->createNode(eFresnelNode));
    top->setId(CZinUUID::fromText("6000000000000000000000000000000C"));
    top->asFresnelNode()->setMinReflection(0.125);
    leaf.attach(graph->createNode(eLeafNode));
    leaf->setId(CZinUUID::fromText("6000000000000000000000000000000D"));
    leaf->setShader(true);
    leaf->asLeafNode()->setDiffuse(diffuse);
    top->addChild(leaf.get());
    graph->getRootNode()->addChild(top.get());
  };
  // The elements under "Properties" sit one level less deep than a ground's.
  auto shallower = [](std::string element) {
    for (size_t at = element.find("\n\t"); at != std::string::npos; at = element.find("\n\t", at + 1))
      element.erase(at + 1, 1);
    return element;
  };
  const CZinColor green(30, 160, 40);
  FeedbackRecorder feedback;
  ManagerHold mgr(&feedback);
  dress(mgr->getProperties()->newZinObject(kZinEndOfList), green);
  IZinGround* ground = mgr->getGrounds()->newZinObject(kZinEndOfList);
  ground->getBasicData()->setName("Lawn");
  dress(ground->getProperty(), green);
  const std::string text = WriteToText(mgr.mgr);
  const std::string grounds = text.substr(text.find("<Grounds>"));
  const std::string written = Section(grounds, "\n\t\t\t<Property", "\n\t\t\t</Property>");
  ASSERT_NE(std::string::npos, written.find("R=\"30\""));
  EXPECT_EQ(Section(text, "\n\t\t<Property", "\n\t\t</Property>"), shallower(written));

  ManagerHold copy(&feedback);
  ASSERT_TRUE(Read(copy.mgr, text));
  IZinProperty* material = copy->getGrounds()->getZinObject(0)->getProperty();
  EXPECT_STREQ("Lawn green", material->getBasicData()->getName());
  EXPECT_FALSE(material->getCastShadow());
  EXPECT_EQ(0.5, material->getSmooth());
  EXPECT_STREQ("grass", material->getTCE()->getEditorName());
  ITCENode* top = material->getTCE()->getRootNode()->getChild(0);
  ASSERT_TRUE(top && top->asFresnelNode());
  EXPECT_EQ(0.125, top->asFresnelNode()->getMinReflection());
  ITCENode* leaf = top->getChild(0);
  ASSERT_TRUE(leaf && leaf->asLeafNode());
  EXPECT_TRUE(leaf->isShader());
  EXPECT_EQ(ToText(green), ToText(leaf->asLeafNode()->getDiffuse()));
  EXPECT_EQ(text, WriteToText(copy.mgr));

  // An edit through getProperty() is written, and only there.
  leaf->asLeafNode()->setDiffuse(CZinColor(200, 10, 10));
  material->setSmooth(0.25);
  const std::string head = text.substr(0, text.size() - grounds.size());
  const std::string rgb = "R=\"%s\"\n\t\t\t\t\t\t\t G=\"%s\"\n\t\t\t\t\t\t\t B=\"%s\"";
  auto colour = [&rgb](const char* r, const char* g, const char* b) {
    return Replaced(Replaced(Replaced(rgb, "%s", r), "%s", g), "%s", b);
  };
  const std::string edited = Replaced(Replaced(grounds, "<Smooth>0.500000", "<Smooth>0.250000"),
                                      colour("30", "160", "40"), colour("200", "10", "10"));
  EXPECT_EQ(head + edited, WriteToText(copy.mgr));
  EXPECT_EQ(Texts{}, Heard(feedback));
}
