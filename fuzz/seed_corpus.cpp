// Writes the seed folders of the fuzz targets from documents and blocks that the
// library's own writers produce: `zin_fuzz_seeds <fuzz/corpus>`. The seeds are
// committed; run this again when the file format's output changes.
#include <sys/stat.h>

#include <cstdio>
#include <string>
#include <vector>

#include "ZinFileStreams.h"
#include "ZinSDK.h"
#include "fuzz/xml_targets.h"
#include "manager/mgr.h"
#include "scene/objects.h"
#include "xml/colliding_names.h"
#include "xml/data.h"
#include "xml/image.h"
#include "xml/tree.h"

using namespace QvZin;

namespace {

std::string gRoot;

void Put(const std::string& target, const std::string& name, const std::string& bytes) {
  const std::string folder = gRoot + "/" + target;
  mkdir(folder.c_str(), 0755);
  const std::string path = folder + "/" + name;
  std::FILE* file = std::fopen(path.c_str(), "wb");
  if (!file || std::fwrite(bytes.data(), 1, bytes.size(), file) != bytes.size()) {
    std::fprintf(stderr, "cannot write %s\n", path.c_str());
    std::exit(1);
  }
  std::fclose(file);
}

std::vector<uint8_t> Gradient(uint32_t width, uint32_t height) {
  std::vector<uint8_t> pixels;
  for (uint32_t y = 0; y < height; ++y)
    for (uint32_t x = 0; x < width; ++x) {
      const bool flat = x < width / 2;  // half the picture in one colour: repeat runs
      pixels.push_back(flat ? 200 : static_cast<uint8_t>(x * 16));
      pixels.push_back(flat ? 10 : static_cast<uint8_t>(y * 32));
      pixels.push_back(static_cast<uint8_t>(flat ? 0 : x ^ y));
      pixels.push_back(255);
    }
  return pixels;
}

// A property with every setting away from its default and a tree of every kind.
void FillMaterial(IZinProperty* property) {
  property->getBasicData()->setName("Brick");
  property->getBasicData()->setUIValue(3);
  property->setVisible(false);
  property->setUVDefined(true);
  property->setBillboard(true);
  property->setSmooth(0.25);
  property->setBevel(0.125);
  property->setScale(2.5);
  property->setOverloadId(CZinUUID::fromText("0123456789ABCDEF0123456789ABCDEF"));
  IZinTCE* graph = property->getTCE();
  graph->setURL("shaders/brick.tce");
  graph->setShaderId(CZinUUID::fromText("FEDCBA9876543210FEDCBA9876543210"));
  graph->getShaderName()->set(ZinLanguageCode("en"), "Brick");
  graph->getShaderName()->set(ZinLanguageCode("fr"), "Brique");
  graph->setUIValue(-1);
  graph->setEditorName("Seed editor");
  // Chess over Fresnel over Leaf, and a custom node holding one of each other kind.
  auto add = [graph](ITCENode* parent, ETCENodeType kind) {
    ITCENode* node = graph->createNode(kind);
    parent->addChild(node);
    node->Release();
    return node;
  };
  ITCENode* chess = add(graph->getRootNode(), eChessNode);
  add(add(chess, eFresnelNode), eLeafNode)->setShader(true);
  ITCENode* custom = add(chess, eCustomNode);
  for (ETCENodeType kind : {eMappingNode, eTurbulenceNode, eFresnelDiffuseNode, eGlazingNode, eAltitudeNode,
                            eMultiTextureNode, eWangTilesNode})
    add(custom, kind)->setUIValue(kind);
  // Each kind's settings away from a new node's, its lists and tables filled.
  IChessNode* board = chess->asChessNode();
  board->setGeometry(1);
  board->setChecker(true);
  board->setSize(CZinVector3D(2, 2, 2));
  board->getTable3()->setLength(2);
  board->getTable3()->setValue(1, 0.75f);
  chess->getChild(0)->asFresnelNode()->setMinReflection(0.2);
  chess->getChild(0)->getChild(0)->asLeafNode()->setShape(2);
  chess->getChild(0)->getChild(0)->asLeafNode()->setEmittingColor(CZinColor(250, 200, 10));
  custom->asCustomNode()->setClass("Ivy");
  IMappingNode* mapping = custom->getChild(0)->asMappingNode();
  mapping->setProjection(6);
  mapping->setCutOut1Flag(true);
  mapping->setCutOut1(CZinColor(0, 255, 0));
  mapping->setMipmap(true);
  IZinMap* map = mapping->getMaps()->newZinObject(kZinEndOfList);
  map->setType(4);
  map->setURL("maps/brick.png");
  mapping->addLinkedMap(custom->getChild(0)->getId());
  add(custom->getChild(0), eMappingNode)->asMappingNode()->setFrame(12);
  custom->getChild(1)->asTurbulenceNode()->getTable()->setLength(1);
  custom->getChild(2)->asFresnelDiffuseNode()->setPowerFactor(3);
  custom->getChild(3)->asGlazingNode()->setAnimation(true);
  IAltitudeNode* altitude = custom->getChild(4)->asAltitudeNode();
  altitude->setMix(true);
  IZinMultiMaps* band = altitude->getSubParts()->newZinObject(kZinEndOfList)->getMaps()->newZinObject(kZinEndOfList);
  band->setType(7);
  band->setWidth(0.5);
  band->setURL("maps/rock.png");
  custom->getChild(5)->asMultiTextureNode()->setThreshold2(0.9);
  custom->getChild(5)->asMultiTextureNode()->getSubParts()->newZinObject(kZinEndOfList);
  IWangTilesNode* wang = custom->getChild(6)->asWangTilesNode();
  wang->setProjection(8);
  wang->getMaps()->newZinObject(kZinEndOfList)->setURL("maps/tile.png");
}

CZinVertex Vertex(int32_t index, uint32_t flags = 0, float u = 0, float v = 0) { return {index, flags, u, v}; }

// A scene with something in every collection the format reads back, geometry of its
// own and of one internal component, a preview, an image and an origin.
void BuildScene(IZinMgr* mgr, bool withComponent) {
  mgr->setApplication("Orvelle", "5.1");
  mgr->getBasicData()->setName("Seed scene");
  for (const char* name : {"Entrance", "Garden"})
    mgr->getPerspectiveViews()->newZinObject(kZinEndOfList)->getBasicData()->setName(name);
  mgr->getLights()->newZinObject(kZinEndOfList)->getBasicData()->setName("Porch");
  FillMaterial(mgr->getProperties()->newZinObject(kZinEndOfList));
  mgr->getLayers()->newZinObject(kZinEndOfList)->getBasicData()->setName("Walls");
  mgr->getLightsGroups()->newZinObject(kZinEndOfList);
  mgr->getParallelViews()->newZinObject(kZinEndOfList);
  mgr->getViewObjects()->newZinObject(kZinEndOfList);
  mgr->getPanoramas()->newZinObject(kZinEndOfList);
  mgr->getScenarios()->newZinObject(kZinEndOfList);
  mgr->getGrounds()->newZinObject(kZinEndOfList);
  mgr->getObjectInstances()->newZinObject(kZinEndOfList);
  mgr->setComment("seed", 0);
  mgr->setURL("file:///seed.zin");
  const std::vector<uint8_t> preview = Gradient(8, 4);
  mgr->getPreviewImage().setPixels(8, 4, preview.data());
  const std::vector<uint8_t> picture = Gradient(3, 3);
  mgr->getImages().newZinObject(kZinEndOfList)->setPixels(3, 3, picture.data());
  const double origin[3] = {1.5, -2.25, 1000};
  mgr->getFileInfo()->setOrigin(origin);

  const CZinPoint corners[] = {{0, 0, 0}, {4000, 0, 0}, {4000, 3000.125, 0}, {0, 3000, -0.5}, {1e40, 1.0 / 3, 7}};
  for (const CZinPoint& corner : corners) *mgr->getPoints()->newZinObject(kZinEndOfList) = corner;
  IZinPolygon* flat = mgr->getPolygons()->newZinObject(kZinEndOfList);
  for (int i = 0; i < 4; ++i) *flat->getContour()->newZinObject(kZinEndOfList) = Vertex(i);
  IZinPolygon* smooth = mgr->getPolygons()->newZinObject(kZinEndOfList);
  smooth->setSmooth(true);
  smooth->setPropertyIndex(-3);
  *smooth->getContour()->newZinObject(kZinEndOfList) = Vertex(0, CZinVertex::kMapped, 0.5f, 0.25f);
  *smooth->getContour()->newZinObject(kZinEndOfList) = Vertex(1, CZinVertex::kMarked);
  *smooth->getContour()->newZinObject(kZinEndOfList) = Vertex(2, CZinVertex::kMarked | CZinVertex::kMapped, 1, -1);
  IZinPolygon* holed = mgr->getPolygons()->newZinObject(kZinEndOfList);
  holed->setPropertyIndex(2);
  for (int i = 0; i < 4; ++i) *holed->getContour()->newZinObject(kZinEndOfList) = Vertex(i);
  IZinPolygon::IZinHole* hole = holed->getHoles()->newZinObject(kZinEndOfList);
  for (int i = 1; i < 4; ++i) *hole->getContour()->newZinObject(kZinEndOfList) = Vertex(i);

  if (!withComponent) return;
  auto* component = static_cast<CZinZinObjectDefinition*>(
      mgr->getInternalComponentDefinitions()->newZinObject(kZinEndOfList));
  component->setGeometryLevel(1);
  *component->points().newZinObject(kZinEndOfList) = CZinPoint{1, 2, 3};
  *component->points().newZinObject(kZinEndOfList) = CZinPoint{-1, -2, -3};
  *component->polygons().newZinObject(kZinEndOfList)->getContour()->newZinObject(kZinEndOfList) = Vertex(1);

}

// Every kind of view with its settings away from the defaults: view information
// with its id lists, rendering options with the renderer's own data, an insertion
// object, an up vector, a working window.
void BuildViews(IZinMgr* mgr) {
  mgr->setApplication("Orvelle", "5.1");
  IZinCamera* camera = mgr->getPerspectiveViews()->newZinObject(kZinEndOfList);
  camera->getBasicData()->setName("Hall");
  camera->setPosition(CZinVector3D(1.5, -2, 3000));
  camera->setTarget(CZinVector3D(0, 0, 0.125));
  camera->setUpVector(CZinVector3D(0, 0, 1));
  camera->setViewFlags(7);
  camera->setRoll(1.25);
  camera->setFocal(35);
  camera->setTargetType(eTargetOnObject);
  camera->setTargetObjectId(CZinUUID::fromText("00112233445566778899AABBCCDDEEFF"));
  camera->setArchitectFlag(true);
  IZinViewInfo* info = camera->getViewInfo();
  info->setLocked(true);
  info->setUIValue(-4);
  info->setHeliodonName("Summer & noon");
  *info->getLightsGroups()->newZinObject(kZinEndOfList) = CZinUUID::fromText("0000000000000000000000000000000A");
  *info->getNeonShaders()->newZinObject(kZinEndOfList) = CZinUUID::fromText("0000000000000000000000000000000B");
  *info->getLayers()->newZinObject(kZinEndOfList) = CZinUUID::fromText("0000000000000000000000000000000C");
  info->setEnvironment(CZinUUID::fromText("0000000000000000000000000000000D"));
  info->setGround(CZinUUID::fromText("0000000000000000000000000000000E"));
  IZinRenderingOpt* options = camera->getRenderingOpt();
  options->setWidth(1920);
  options->setHeight(1080);
  options->setCropX(10);
  options->setAlpha(true);
  options->setOutputType(eOutputTiff);
  options->setAntialias(eAntialiasSpecial);
  options->setOutputURL("file:///renders/hall.tif");
  options->setRadiosity(false);
  options->setRadiosityQuality(8.5);
  options->setColorBehavior(eColorAutolum);
  options->setRendererIdentifier("Raylux 3");
  QuorveXML::XIXMLElement* data = options->getExtendedData();
  QuorveXML::XIXMLElement* setting = data->AddElement(data->GetKey("Setting"));
  setting->AddAttribute(setting->GetKey("Samples"), "64");
  setting->AddData("caustics");
  IZinInsertionObject* insertion = camera->getInsertionObject();
  insertion->setAxesPosition(1, CZinVector2D(0.5, -0.5));
  insertion->setPerpectiveToolPosition(5, CZinVector2D(3, 4));
  insertion->setReperePosition(2, CZinVector3D(1, 2, 3));
  insertion->setSizeAxis(eSizeYAxis);
  insertion->setYAxeInverted(true);
  IZinParallelView* plan = mgr->getParallelViews()->newZinObject(kZinEndOfList);
  plan->getBasicData()->setName("Plan");
  plan->setType(eParallelAxono);
  plan->setNorthAngle(30);
  plan->setSize(5000);
  plan->setSpecialShading(true);
  plan->getRenderingOpt()->setParallelScale(50);
  IZinViewObject* turn = mgr->getViewObjects()->newZinObject(kZinEndOfList);
  turn->setFocal(60);
  turn->setRadius(250);
  turn->setHorizontalStep(36);
  turn->setVerticalShift(-2);
  turn->setOriginAngle(45);
  IZinParallelView* window = mgr->getMgrEx(eZinVersionCurrent)->getWorkingWindows()->newZinObject(kZinEndOfList);
  window->setType(eParallelFront);
  window->setPosition(CZinVector3D(-1, -1, -1));
}

// A view's image effects and the scene's grounds, each away from its defaults.
void BuildEffects(IZinMgr* mgr) {
  mgr->setApplication("Orvelle", "5.1");
  IZinViewInfo* info = mgr->getPerspectiveViews()->newZinObject(kZinEndOfList)->getViewInfo();
  IZinForeground* foreground = info->getForeground();
  foreground->setURL("file:///overlays/frame & logo.png");
  foreground->setPositionX(0.25);
  foreground->setSizeY(0.5);
  foreground->setPictureId(CZinUUID::fromText("F0000000000000000000000000000001"));
  foreground->setKeepProportions(false);
  IZinDepthOfField* depth = info->getDepthOfField();
  depth->setUsed(true);
  depth->setType(eDepthFromDistance);
  depth->setClearnessPoint(CZinVector3D(10, 20, -30));
  depth->setInvClearnessSize(0.01);
  IZinClippingBox* box = info->getClippingBox();
  box->setMinimum(CZinVector3D(-5, -5, 0));
  box->setMaximum(CZinVector3D(5, 5, 3));
  box->setVisible(true);
  box->setActive(true);
  box->setAngle(45);
  info->getCameraLight()->setUsed(true);
  info->getCameraLight()->setColor(CZinColor(255, 200, 100));
  info->getRadiosityLight()->setPower(2.5);
  IZinFilters* filters = info->getFilters();
  filters->getImageSettingsFilter()->setActive(false);
  filters->getImageSettingsFilter()->setUseMixColor(true);
  filters->getImageSettingsFilter()->setMixColor(CZinColor(10, 20, 30));
  filters->getGrainFilter()->setActive(true);
  filters->getExposureFilter()->setSize(0.75);
  filters->getHatchingFilter()->setUseTransparency(false);
  filters->getHatchingFilter()->setTransparency(0.25);
  IZinBackgroundPicture* background = info->getBackgroundPicture();
  background->setType(eBackgroundPictureGradient4Colors);
  background->setFourthColor(CZinColor(0, 0, 128));
  background->set3D(true);
  background->setLightingFlag(true);
  background->setHorizontalRoll(90);
  info->getToneSettings()->setLightTones(0.3);
  info->getToneSettings()->setDarkTones(-0.2);
  for (const char* name : {"Lawn", "Gravel"}) {
    IZinGround* ground = mgr->getGrounds()->newZinObject(kZinEndOfList);
    ground->getBasicData()->setName(name);
    ground->setActive(true);
    ground->setHeight(-0.5);
  }
  // The lawn's material: a green leaf under a Fresnel node.
  IZinProperty* lawn = mgr->getGrounds()->getZinObject(0)->getProperty();
  lawn->getBasicData()->setName("Lawn green");
  lawn->setSmooth(0.5);
  IZinTCE* graph = lawn->getTCE();
  TZinComPtr<ITCENode> top, leaf;
  top.attach(graph->createNode(eFresnelNode));
  leaf.attach(graph->createNode(eLeafNode));
  leaf->setShader(true);
  leaf->asLeafNode()->setDiffuse(CZinColor(30, 160, 40));
  top->addChild(leaf.get());
  graph->getRootNode()->addChild(top.get());
}

// Lights of every kind in two groups, and two heliodons, each part of them away
// from its defaults.
void BuildLights(IZinMgr* mgr) {
  mgr->setApplication("Orvelle", "5.1");
  const CZinUUID hall = CZinUUID::fromText("0000000000000000000000000000A0B1");
  const CZinUUID garden = CZinUUID::fromText("0000000000000000000000000000A0B2");
  IZinLightsGroup* group = mgr->getLightsGroups()->newZinObject(kZinEndOfList);
  group->getBasicData()->setId(hall);
  group->getBasicData()->setName("Hall & stairs");
  group->getBasicData()->setUIValue(3);
  mgr->getLightsGroups()->newZinObject(kZinEndOfList)->getBasicData()->setId(garden);
  IZinLight* point = mgr->getLights()->newZinObject(kZinEndOfList);
  point->getBasicData()->setName("Ceiling");
  point->setColor(CZinColor(255, 240, 200));
  point->setPower(40);
  point->setNearDistance(0.5);
  point->setFarDistance(900);
  point->setPosition(CZinVector3D(1.25, -2, 300));
  point->setLocked(true);
  *point->getLightsGroups()->newZinObject(kZinEndOfList) = hall;
  *point->getLightsGroups()->newZinObject(kZinEndOfList) = garden;
  point->getLensFlare()->setUsed(true);
  point->getLensFlare()->setType(eHalo2);
  point->getLensFlare()->setSize(2.5);
  IZinLight* spot = mgr->getLights()->newZinObject(kZinEndOfList);
  spot->setType(eLightSpot);
  spot->setTarget(CZinVector3D(0, 0, -1));
  spot->setConeAngle(35.5);
  spot->setSharpness(0.75);
  spot->setShadowType(eShadowSoft);
  spot->setShadowPower(0.6);
  spot->setShadowMapSize(2048);
  spot->setBias(0.05);
  spot->setTargetType(eTargetOnObject);
  spot->setTargetObjectId(CZinUUID::fromText("00112233445566778899AABBCCDDEEFF"));
  spot->getLightCone()->setUsed(true);
  spot->getLightCone()->setPower(0.4);
  IZinLight* parallel = mgr->getLights()->newZinObject(kZinEndOfList);
  parallel->setType(eLightParallel);
  parallel->setActive(false);
  parallel->setShadowType(eShadowNone);
  parallel->setGlobalIllumination(true);
  parallel->setGlobalIlluminationPower(0.9);
  parallel->setGlobalIlluminationQuality(3);
  parallel->setRadiosity(false);
  parallel->setIESProfileId(CZinUUID::fromText("FFEEDDCCBBAA99887766554433221100"));

  IZinHeliodon* sun = mgr->getHeliodons()->getZinObject(0);
  sun->getBasicData()->setName("June");
  IZinTime* time = sun->getTime();
  time->setMonth(6);
  time->setDay(21);
  time->setHour(13);
  time->setMinute(5);
  time->setYear(2031);
  sun->getPlace()->setLongitude(-122);
  sun->getPlace()->setLatitude(37);
  sun->getPlace()->setTimeZone(-480);
  sun->getPlace()->setDaylight(true);
  sun->setActive(false);
  sun->setSunshine(0.7);
  sun->setNorthAngle(-15);
  sun->setTheta(0.5);
  sun->setShadow(false);
  sun->setShadowBlur(40);
  sun->setGlobalIllumination(true);
  sun->setColoredSun(true);
  sun->setColor(4, CZinColor(1, 2, 3));
  sun->setSunPowerFlag(true);
  sun->setRadiosity(true);
  sun->setCloudCoverage(0.9);
  sun->setCloudMaskSun(true);
  sun->setPlacementKind(eSun45Degree);
  sun->setColorType(eColorUser);
  sun->getLensFlare()->setUsed(true);
  sun->getGodRays()->setUsed(true);
  sun->getGodRays()->setPower(2);
  IZinSkylight* sky = sun->getSkylight();
  sky->setUsed(true);
  sky->setSkyType(eColorUser);
  sky->setBackground(true);
  sky->setMixColorFlag(true);
  sky->setMixColor(CZinColor(9, 8, 7));
  sky->setPowerFlag(true);
  sky->setSkyColorFlag(true);
  IZinClouds* clouds = sun->getClouds();
  clouds->setActive(true);
  clouds->setCirrusSeed(77);
  clouds->setWindActive(true);
  clouds->setWindDirection(270);
  sun->getFog()->setActive(true);
  sun->getFog()->setAltitude(12);
  IZinHeliodon* winter = mgr->getHeliodons()->newZinObject(kZinEndOfList);
  winter->getBasicData()->setName("December");
  winter->setPlacementKind(eSunManual);
  winter->setPhi(0.2);
}

// Both animation models and a panorama away from their defaults: a scenario with
// two sequences, a key frame of every kind, a time guide and a sound; a 3D path; a
// camera animation with two paths, points and keys; a panorama with nodes, links
// (one along the path) and parallel views.
void BuildAnimation(IZinMgr* mgr) {
  const CZinUUID one = CZinUUID::fromText("0000000000000000000000000000000A");
  const CZinUUID two = CZinUUID::fromText("0000000000000000000000000000000B");
  IZinScenario* scenario = mgr->getScenarios()->newZinObject(kZinEndOfList);
  scenario->getBasicData()->setName("Walk");
  scenario->setCurrentFrame(12);
  scenario->setCurrentSequence(1);
  scenario->setMaxTime(900);
  scenario->setFPS(30);
  scenario->setStartVisibleTime(10);
  scenario->setEndVisibleTime(600);
  IZinSequence* hall = scenario->getSequences()->newZinObject(kZinEndOfList);
  hall->setEndFrame(120);
  hall->setViewFlags(3);
  hall->setFocal(35);
  hall->setTargetType(eSequenceObjectInstance);
  hall->setTargetObjectId(one);
  hall->setRoll(0.5);
  hall->getViewInfo()->setHeliodonName("Noon");
  IZinSequence* garden = scenario->getSequences()->newZinObject(kZinEndOfList);
  garden->setStartFrame(120);
  garden->setTargetType(eSequenceForwardPath);
  garden->setTargetDistance(40);
  garden->setCurrentPathTangent(CZinVector3D(0, 1, 0));
  garden->setArchitectFlag(true);
  garden->getRenderingOpt()->setWidth(1280);
  IZinAnimatedElement* element = scenario->getAnimatedElements()->newZinObject(kZinEndOfList);
  element->setType(eAnimatedObject);
  element->setObjectId(two);
  IZinInterpolatedValue* value = element->getInterpolatedValues()->newZinObject(kZinEndOfList);
  value->setType(47);
  value->setLoop(true);
  value->setNbLoops(3);
  value->setPathId(two);
  value->getDefaultValue()->setType(eKeyDouble);
  value->getDefaultValue()->setValue(CZinKeyValue::Double(1.5));
  const CZinKeyValue kinds[] = {CZinKeyValue::Coord3D(CZinVector3D(1, 2, 3)), CZinKeyValue::Color(CZinColor(9, 8, 7)),
                                CZinKeyValue::Double(-0.5),  CZinKeyValue::Boolean(true),
                                CZinKeyValue::Integer(42),   CZinKeyValue::Date(1234567890123LL),
                                CZinKeyValue::UUID(one),     CZinKeyValue::Enum(2)};
  int32_t time = 0;
  for (const CZinKeyValue& kind : kinds) {
    IZinKeyFrame* key = value->getKeyFrames()->newZinObject(kZinEndOfList);
    key->setType(kind.type);
    key->setValue(kind);
    key->setCPBefore(kind);
    key->setTime(time += 10);
    key->setVisible(false);
    key->setInterpolationType(eInterpolationBezier);
    key->setAreLocked(true);
  }
  element->getInterpolatedValues()->newZinObject(kZinEndOfList)->setType(268);
  scenario->getTimeGuides()->newZinObject(kZinEndOfList)->setTime(45);
  IZinSnd* sound = scenario->getSnds()->newZinObject(kZinEndOfList);
  sound->setStartFrame(10);
  sound->setURL("file:///sounds/rain.wav");
  IZin3DPath* path = mgr->get3DPaths()->newZinObject(kZinEndOfList);
  path->getBasicData()->setId(two);
  path->setClosed(true);
  IZinBezierPoint* point = path->getBezierPoints()->newZinObject(kZinEndOfList);
  point->setPosition(CZinVector3D(1, 0, -1));
  point->setCPBefore(CZinVector3D(0.5, 0, -1));
  point->setAreLocked(true);
  path->getBezierPoints()->newZinObject(kZinEndOfList)->setCPAfter(CZinVector3D(2, 2, 2));

  IZinAnimation* animation = mgr->getMgrEx(eZinVersionCurrent)->getAnimations()->newZinObject(kZinEndOfList);
  animation->getBasicData()->setName("Tour");
  for (int i = 0; i < 2; ++i) {
    IZinCameraPath* camera = animation->getCameraPaths()->newZinObject(kZinEndOfList);
    camera->setViewFlags(i);
    camera->setActive(i == 1);
    camera->setDuration(12.5);
    camera->setNbXImage(4);
    camera->setSpeedOn(true);
    camera->setSpeed(1.25);
    camera->setPathClosed(true);
    for (int p = 0; p < 3; ++p) *camera->getPoints()->newZinObject(kZinEndOfList) = CZinPoint{p * 1.5, -p * 1.0, 1e3};
    camera->getViewInfo()->setLocked(true);
    camera->setCurrentTime(2.25);
    IZinCamKey* key = camera->getCamKeys()->newZinObject(kZinEndOfList);
    key->setPitch(0.1);
    key->setKeyType(eCamKeyTarget);
    key->setFadingDuration(5);
    key->setBezierSection(1);
    key->setBezierT(0.75);
    key->setTarget(CZinVector3D(5, 5, 5));
    camera->getCamKeys()->newZinObject(kZinEndOfList)->setKeyType(eCamKeyGlobal);
  }
  animation->setCurrentPath(1);
  animation->getCompressionOpt()->setFrameRate(30);

  IZinPanoramaV2* panorama = mgr->getPanoramas()->newZinObject(kZinEndOfList);
  panorama->getBasicData()->setName("Visit");
  panorama->getBasicData()->setUIValue(-4);
  panorama->setDirection(CZinVector3D(0, 0, 1));
  panorama->setFocal(70);
  panorama->setViewFlags(5);
  panorama->setCurrentDirection(CZinVector3D(1, 0, 0));
  panorama->setCurrentFocal(60);
  panorama->setStartNodeId(one);
  panorama->getRenderingOpt()->setPanoramaResolution(3);
  IZinPanoNodeV2* node = panorama->getNodes()->newZinObject(kZinEndOfList);
  node->getBasicData()->setId(one);
  node->getBasicData()->setName("Hall");
  node->setPosition(CZinVector3D(1, 1.5, 0));
  IZinPanoNodeV2* stairs = panorama->getNodes()->newZinObject(kZinEndOfList);
  stairs->setDirection(CZinVector3D(0, -1, 0));
  panorama->setCurrentNodeId(*stairs->getBasicData()->getId());
  IZinPanoLinkV2* walk = panorama->getLinks()->newZinObject(kZinEndOfList);
  walk->setStartNodeId(one);
  walk->setEndNodeId(*stairs->getBasicData()->getId());
  IZinPanoLinkV2* climb = panorama->getLinks()->newZinObject(kZinEndOfList);
  climb->setStartNodeId(*stairs->getBasicData()->getId());
  climb->setPathId(two);
  *panorama->getParallelViews()->newZinObject(kZinEndOfList) = two;
}

// Definitions (a plant with setups, an animated object with takes), an instance of
// every kind with its instance data, a billboard, layers and their information, all
// away from their defaults.
void BuildObjects(IZinMgr* mgr) {
  auto kind = [](IZinBasic* object, const CZinUUID& iid) {
    IZinBasic* found = nullptr;
    object->QueryInterface(iid, reinterpret_cast<void**>(&found));
    if (found) found->Release();
    return found;
  };
  const CZinUUID layer = CZinUUID::fromText("0000000000000000000000000000AAA1");
  TZinObjectMgr<IZinZinObjectDefinition>* definitions = mgr->getObjectDefinitions()->getDefinitions();
  IZinZinObjectDefinition* chair = definitions->newZinObject(kZinEndOfList);
  chair->setClass("ZinObject");
  chair->getNames()->set(ZinLanguageCode("en"), "Chair");
  chair->getNames()->set(ZinLanguageCode("fr"), "Chaise");
  chair->setPlacement(ePlacementVertical);
  chair->setModelOrigin(eOriginCameraTarget);
  chair->setUpVector(CZinVector3D(0, 0, 1));
  CZinMatrix matrix;
  for (int i = 0; i < 16; ++i) matrix.m[i] = i % 5 == 0 ? 1 : 0.5;
  chair->setModelRotationMatrix(matrix);
  chair->getSetups()->newZinObject(kZinEndOfList)->getNames()->set(ZinLanguageCode("en"), "Folded");
  FillMaterial(chair->getProperties()->newZinObject(kZinEndOfList));
  QuorveXML::XIXMLElement* extended = chair->getExtendedData();
  extended->AddElement(extended->GetKey("Vendor.Data"))->AddData("kept");
  definitions->newZinObject(kZinEndOfList);  // an empty class: an empty element
  IZinZinObjectDefinition* palm = definitions->newZinObject(kZinEndOfList);
  palm->setClass("3DPlant");
  auto* plant = static_cast<IZin3DPlant*>(kind(palm, IZin3DPlant::sIID));
  plant->setPlantType(ePlantPalmTree);
  for (int i = 0; i < 2; ++i) {
    IZin3DPlant::IPlantSetUp* setup = plant->getPlantSetups()->newZinObject(kZinEndOfList);
    setup->setColor(i ? eFlowerRose : eFlowerBrown);
    setup->getEndTime()->setMonth(9 + i);
  }
  IZinZinObjectDefinition* walker = definitions->newZinObject(kZinEndOfList);
  walker->setClass("AnimatedObject");
  auto* animated = static_cast<IZinAnimatedObject*>(kind(walker, IZinAnimatedObject::sIID));
  animated->setExternalFile("walk.fbx");
  animated->setExternalFileType(eAnimationFBX);
  animated->setInitialMatrix(matrix);
  IZinTake* take = animated->getTakes()->newZinObject(kZinEndOfList);
  take->setDuration(120);
  take->setType(eTakeOnPath);
  take->getNames()->set(ZinLanguageCode("en"), "Stroll");

  for (const char* name : {"ZinObject", "LightObject", "Billboard", "3DPlant", "3DPlantGroupInstances",
                           "AnimatedObject", "ModelObject", "Sculpture"}) {
    IZinObjectInstance* instance = mgr->getObjectInstances()->newZinObject(kZinEndOfList);
    instance->setClass(name);
    instance->getBasicData()->setName(name);
    instance->setScale(CZinVector3D(2, 2, 2));
    instance->setTransparency(0.5);
    instance->setLayerId(layer);
    instance->setAnimationBehavior(eBehaviorFollowOnPathXY);
    instance->setScaleLocked(true);
    if (auto* library = static_cast<IZinZinObjectInstance*>(kind(instance, IZinZinObjectInstance::sIID))) {
      library->setCurrentOverload(layer);
      library->getLights()->newZinObject(kZinEndOfList)->setPower(55);
    }
    if (auto* billboard = static_cast<IZinBBObjectInstance*>(kind(instance, IZinBBObjectInstance::sIID))) {
      billboard->setKind(eBBMultiface);
      billboard->setRenderType(eBBRenderDisplay);
      billboard->setVerticalFlip(true);
    }
    if (auto* ref = static_cast<IZin3DPlantRef*>(kind(instance, IZin3DPlantRef::sIID))) {
      ref->setColor(eFlowerLightBlue);
      ref->setHeliodonAttached(true);
    }
    if (auto* moving = static_cast<IZinAnimatedObjectInstance*>(kind(instance, IZinAnimatedObjectInstance::sIID)))
      moving->setCurrentFrame(33);
    if (auto* part = static_cast<IZinInternalComponentInstance*>(kind(instance, IZinInternalComponentInstance::sIID)))
      part->setComponentId(layer);
  }
  QuorveXML::XIXMLElement* data = mgr->getObjectInstances()->getZinObject(7)->getInstanceData();
  data->AddAttribute(data->GetKey("Mood"), "calm");

  IZinBillboard* billboard = mgr->getMgrEx(eZinVersionCurrent)->getBBMgrData()->newZinObject(kZinEndOfList)->getBillboard();
  billboard->setBehavior(eBBUniface);
  billboard->setNormal(CZinVector3D(0, 0, 1));
  QuorveXML::XIXMLElement* quad = billboard->getQuads()->newZinObject(kZinEndOfList)->getTriangles();
  quad->AddElement(quad->GetKey("Triangle"))->AddElement(quad->GetKey("Pt.0"));

  mgr->getLayers()->newZinObject(kZinEndOfList)->getBasicData()->setId(layer);
  mgr->getLayersInfo()->setActiveLayer(layer);
  mgr->getLayersInfo()->setDefaultLayer("LightObject", layer);
}

std::string WriteManager(IZinMgr* mgr) {
  CZinMemoryWriteStream out;
  if (!mgr->write(&out, nullptr)) {
    std::fprintf(stderr, "the seed scene does not write\n");
    std::exit(1);
  }
  return out.bytes();
}

// The content of the first data block held by element tag.
std::string BlockOf(const std::string& document, const std::string& tag) {
  const size_t open = document.find("<" + tag + ">");
  const size_t start = document.find("<![CDATA[", open);
  const size_t end = document.find("]]>", start);
  if (open == std::string::npos || start == std::string::npos || end == std::string::npos) return "";
  return document.substr(start + 9, end - start - 9);
}

std::string WriteImage(uint32_t width, uint32_t height, const std::vector<uint8_t>& pixels) {
  auto* raw = Quorve::XCXMLImage::AllocatePixels(uint64_t{width} * height);
  std::memcpy(raw, pixels.data(), pixels.size());
  auto* image = new Quorve::XCXMLImage(width, height, raw);
  image->Duplicate();
  ZinFuzz::CStringWriteStream out;
  image->Write(&out);
  image->Release();
  return out.mText;
}

// The byte-reversed form, which nothing writes: little-endian numbers, and pixels of
// which only the first byte counts.
std::string ReversedBlock() {
  auto number = [](uint32_t v) {
    char text[9];
    std::snprintf(text, sizeof text, "%02X%02X%02X%02X", v & 0xFF, v >> 8 & 0xFF, v >> 16 & 0xFF, v >> 24);
    return std::string(text);
  };
  return number(1) + number(3) + number(2) + number(2) + "7F000000" + number(4) + "10203040" + "11000000" +
         "FF0000AA" + "00000001";
}

std::string XmlSample() {
  return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
         "<!DOCTYPE Zin.File PUBLIC \"-//ZIN//Scene\" 'zin.dtd' [<!ENTITY e \"v\">]>\n"
         "<!-- a comment -- with - hyphens --->\n"
         "<Zin.File Version='5.1' Name=\"a &amp; b &lt;c&gt; &#x263a; &#65;\">\n"
         "\t<Object UUID=\"0123456789ABCDEF0123456789ABCDEF\" Flags=''>\n"
         "\t\t<Point X=\"1.500000\" Y=\"-2.250000\" Z=\"0.000000\"/>\n"
         "\t\t<Text>trailing  &quot;quoted&quot; &apos;x&apos;  </Text>\n"
         "\t\t<Empty></Empty>\n"
         "\t\t<Block><![CDATA[raw <b>&amp;</b> ]] ]> ]]]></Block>\n"
         "\t\t<Old><[CDATA[0000000100000001]]></Old>\n"
         "\t</Object>\n"
         "\t<?app one two?>\n"
         "</Zin.File>\n"
         "<!-- epilog -->\n";
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: zin_fuzz_seeds <corpus folder>\n");
    return 2;
  }
  gRoot = argv[1];
  mkdir(gRoot.c_str(), 0755);

  ZinFuzz::CManager empty(nullptr);
  const std::string emptyDocument = WriteManager(empty.get());
  ZinFuzz::CManager scene(nullptr);
  BuildScene(scene.get(), false);
  const std::string sceneDocument = WriteManager(scene.get());
  ZinFuzz::CManager components(nullptr);
  BuildScene(components.get(), true);
  const std::string componentsDocument = WriteManager(components.get());
  ZinFuzz::CManager views(nullptr);
  BuildViews(views.get());
  const std::string viewsDocument = WriteManager(views.get());
  ZinFuzz::CManager effects(nullptr);
  BuildEffects(effects.get());
  const std::string effectsDocument = WriteManager(effects.get());

  // Shader files: the seed scene's material, one node of each kind, an older root.
  {
    IZinMgrEx* ex = scene->getMgrEx(eZinVersionCurrent);
    auto shader = [ex](IZinProperty* property) {
      CZinMemoryWriteStream out;
      if (!ex->writeShader(property, &out)) std::exit(1);
      return out.bytes();
    };
    const std::string material = shader(scene->getProperties()->getZinObject(0));
    Put("shader_file", "material.xml", material);
    std::string older = material;
    for (size_t at; (at = older.find("Zin.Shader")) != std::string::npos;) older.replace(at, 10, "Quorve.Shader");
    Put("shader_file", "older_root.xml", older);
    for (int kind = eChessNode; kind <= eCustomNode; ++kind) {
      IZinProperty* single = ex->newShaderProperty();
      ITCENode* node = single->getTCE()->createNode(static_cast<ETCENodeType>(kind));
      single->getTCE()->getRootNode()->addChild(node);
      node->Release();
      Put("shader_file", "kind_" + std::to_string(kind) + ".xml", shader(single));
    }
    // The whole property, the form that reads every setting too.
    QuorveXML::XCXMLTree whole;
    QuorveXML::XIXMLElement* root = whole.GetRoot()->AddElement(whole.GetRoot()->GetKey("Zin.Shader"));
    scene->getProperties()->getZinObject(0)->getBasicData()->putInXML(root);
    Put("shader_file", "whole_property.xml", ZinFuzz::WriteElement(whole.GetRoot()));
  }
  ZinFuzz::CManager lights(nullptr);
  BuildLights(lights.get());
  const std::string lightsDocument = WriteManager(lights.get());
  ZinFuzz::CManager animation(nullptr);
  BuildAnimation(animation.get());
  const std::string animationDocument = WriteManager(animation.get());
  ZinFuzz::CManager objects(nullptr);
  BuildObjects(objects.get());
  const std::string objectsDocument = WriteManager(objects.get());

  // The XML engine's own writer: a tree read from the sample, written out.
  std::string message;
  const std::string sample = XmlSample();
  auto tree = ZinFuzz::ReadTree(sample.data(), sample.size(), &message);
  const std::string written = tree ? ZinFuzz::WriteElement(tree->GetRoot()) : sample;

  for (const char* target : {"tree_reader", "document_read", "quick_reads"}) {
    Put(target, "empty_manager.zin", emptyDocument);
    Put(target, "scene.zin", sceneDocument);
    Put(target, "scene_components.zin", componentsDocument);
  }
  Put("document_read", "views.zin", viewsDocument);
  Put("document_read", "effects.zin", effectsDocument);
  Put("document_read", "lights.zin", lightsDocument);
  Put("document_read", "animation.zin", animationDocument);
  Put("document_read", "objects.zin", objectsDocument);
  Put("quick_reads", "objects.zin", objectsDocument);
  Put("tree_reader", "all_node_kinds.xml", written);
  // Element and attribute names built to collide in the key table, some twice: the
  // tree reader gives such names their keys a few at a time.
  const std::vector<std::string> colliding = XMLTest::CollidingNames(24);
  std::string collidingText = "<r>";
  for (size_t i = 0; i < 40; ++i)
    collidingText += "<" + colliding[i % 20] + " " + colliding[23 - i % 4] + "=\"" + std::to_string(i) + "\">" +
                     (i == 25 ? "text" : "") + "</" + colliding[i % 20] + ">";
  collidingText += "</r>";
  auto collidingTree = ZinFuzz::ReadTree(collidingText.data(), collidingText.size(), &message);
  Put("tree_reader", "colliding_names.xml", collidingTree ? ZinFuzz::WriteElement(collidingTree->GetRoot()) : collidingText);
  Put("quick_reads", "header_only.zin",
      "<?xml version=\"1.0\"?>\n<?Zin library=\"2.01\" file=\"5.0\"?>\n<?Application name=\"Shapewright\" "
      "version=\"1\"?>\n<Zin.File>\n\t<File.Info>\n\t\t<Origin X=\"1.0\" Y=\"2.0\" Z=\"3.0\"/>\n\t</File.Info>\n"
      "</Zin.File>\n");
  Put("quick_reads", "media.zin",
      "<?Zin library=\"5.1.1\" file=\"5.0\" min_version=\"5.1.0\" safe_version=\"5.1.0\"?>\n<Zin.File>\n"
      "\t<Object.Definition>\n\t\t<Name en=\"Chair\" fr=\"Chaise\"/>\n\t</Object.Definition>\n</Zin.File>\n");

  // The selective parser's first byte chooses the skipped elements and the stop.
  Put("selective_parser", "no_skip.xml", std::string(1, '\0') + written);
  Put("selective_parser", "skip_some.xml", std::string(1, '\x15') + written);
  Put("selective_parser", "scene_skip.zin", std::string(1, '\x7F') + sceneDocument);
  Put("selective_parser", "stop_at_pi.zin", std::string(1, '\x90') + sceneDocument);

  Put("image_block", "red_1x1", WriteImage(1, 1, {255, 0, 0, 255}));
  Put("image_block", "flat_3x1", WriteImage(3, 1, {1, 2, 3, 4, 1, 2, 3, 4, 1, 2, 3, 4}));
  Put("image_block", "four_2x2", WriteImage(2, 2, {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1}));
  Put("image_block", "gradient_8x4", WriteImage(8, 4, Gradient(8, 4)));
  Put("image_block", "reversed_3x2", ReversedBlock());
  Put("image_block", "empty", "");

  // The geometry target's first byte: bit 0 points, bit 1 a refusing storage, bit 2
  // also through readGeometry, bit 3 level 1.
  const std::string points = BlockOf(sceneDocument, "Points");
  const std::string polygons = BlockOf(sceneDocument, "Polygons");
  Put("geometry_blocks", "points", std::string(1, '\x05') + points);
  Put("geometry_blocks", "polygons", std::string(1, '\x0C') + polygons);
  Put("geometry_blocks", "component_points", std::string(1, '\x0D') + BlockOf(componentsDocument, "Points"));
  Put("geometry_blocks", "component_polygons", std::string(1, '\x04') + BlockOf(componentsDocument, "Polygons"));
  Put("geometry_blocks", "points_refused", std::string(1, '\x0B') + points);
  Put("geometry_blocks", "nan_inf_and_odd_numbers", std::string(1, '\x01') + "\n2\n nan -INF +.5\n1. -0.0 12345678901234567890.5\n");
  Put("geometry_blocks", "unknown_type", std::string(1, '\x04') + "\n1\nx\t7 3 I M 0.5 0.25 1 2 M 1 1 3\n");

  // Tree edits: the bytes are a program; a few fixed programs to start from.
  std::string program;
  for (uint32_t x = 12345, i = 0; i < 512; ++i) {
    x = x * 1103515245u + 12345u;
    program.push_back(static_cast<char>(x >> 16));
  }
  for (size_t start = 0; start + 128 <= program.size(); start += 128)
    Put("tree_edit", "program_" + std::to_string(start / 128), program.substr(start, 128));
  Put("tree_edit", "build_then_move", std::string("\x00\x01\x00\x00\x00\x02\x06\x02\x05\x04\x41\x42\x43\x44"
                                                  "\x0b\x03\x01\x00\x02\x00\x03\x01\x04\x02\x01\x01\x03", 27));
  std::printf("seeds written to %s\n", gRoot.c_str());
  return 0;
}
