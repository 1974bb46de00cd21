// Objects in documents: the kinds a class selects, a scene of every kind written
// and read back byte for byte, what no kind models kept, the older spellings and
// layer maps, and the legacy link of the first instance.
#include <gtest/gtest.h>

#include <cstring>

#include "ZinFileStreams.h"
#include "framework/recording_link.h"
#include "scene/objects.h"
#include "scene/scene_documents.h"

using namespace QvZin;
using namespace QvZinTest;

namespace {

template <class I>
I* Kind(IZinBasic* object) {
  I* kind = nullptr;
  object->QueryInterface(I::sIID, reinterpret_cast<void**>(&kind));
  if (kind) kind->Release();  // borrowed: the instance holds it
  return kind;
}

}  // namespace

TEST(Objects, TheClassSelectsTheKindInterfaces) {
  const struct {
    const char* name;
    bool library, billboard, animated, plant, group, component;
  } cases[] = {
      {"ZinObject", true, false, false, false, false, false},
      {"LightObject", true, false, false, false, false, false},
      {"Billboard", true, true, false, false, false, false},
      {"AnimatedObject", true, false, true, false, false, false},
      {"3DPlant", false, false, false, true, false, false},
      {"3DPlantGroupInstances", false, false, false, true, true, false},
      {"ModelObject", false, false, false, false, false, true},
      {"zinobject", false, false, false, false, false, false},
      {"", false, false, false, false, false, false},
  };
  ManagerHold mgr;
  IZinObjectInstance* instance = mgr->getObjectInstances()->newZinObject(kZinEndOfList);
  for (const auto& c : cases) {
    instance->setClass(c.name);
    EXPECT_EQ(c.library, Kind<IZinZinObjectInstance>(instance) != nullptr) << c.name;
    EXPECT_EQ(c.billboard, Kind<IZinBBObjectInstance>(instance) != nullptr) << c.name;
    EXPECT_EQ(c.animated, Kind<IZinAnimatedObjectInstance>(instance) != nullptr) << c.name;
    EXPECT_EQ(c.plant, Kind<IZin3DPlantRef>(instance) != nullptr) << c.name;
    EXPECT_EQ(c.group, Kind<IZinGroupInstances>(instance) != nullptr) << c.name;
    EXPECT_EQ(c.component, Kind<IZinInternalComponentInstance>(instance) != nullptr) << c.name;
  }
  // A kind interface counts on its instance and leads back to it.
  instance->setClass("Billboard");
  IZinBBObjectInstance* billboard = nullptr;
  ASSERT_EQ(kZinOk, instance->QueryInterface(IZinBBObjectInstance::sIID, reinterpret_cast<void**>(&billboard)));
  IZinObjectInstance* back = nullptr;
  ASSERT_EQ(kZinOk, billboard->QueryInterface(IZinObjectInstance::sIID, reinterpret_cast<void**>(&back)));
  EXPECT_EQ(instance, back);
  EXPECT_EQ(instance->getBasicData(), billboard->getBasicData());
  back->Release();
  billboard->Release();
  EXPECT_EQ(kZinInvalidArg, instance->QueryInterface(IZinBBObjectInstance::sIID, nullptr));

  IZinZinObjectDefinition* definition =
      mgr->getObjectDefinitions()->getDefinitions()->newZinObject(kZinEndOfList);
  EXPECT_EQ(nullptr, Kind<IZin3DPlant>(definition));
  definition->setClass("3DPlant");
  EXPECT_NE(nullptr, Kind<IZin3DPlant>(definition));
  EXPECT_EQ(nullptr, Kind<IZinAnimatedObject>(definition));
  definition->setClass("AnimatedObject");
  EXPECT_NE(nullptr, Kind<IZinAnimatedObject>(definition));
}

namespace {

const CZinUUID kLayerA = CZinUUID::fromText("0000000000000000000000000000AAA1");
const CZinUUID kLayerB = CZinUUID::fromText("0000000000000000000000000000BBB2");

// One instance of each kind, two definitions with setups, a plant with setups,
// an animated object with takes, a billboard, layers and their information.
void BuildObjects(IZinMgr* mgr) {
  TZinObjectMgr<IZinZinObjectDefinition>* definitions = mgr->getObjectDefinitions()->getDefinitions();
  for (const char* name : {"Chair", "Table"}) {
    IZinZinObjectDefinition* d = definitions->newZinObject(kZinEndOfList);
    d->setClass("ZinObject");
    d->getNames()->set(ZinLanguageCode("en"), name);
    d->getNames()->set(ZinLanguageCode("fr"), "Meuble");
    d->setAnchor(CZinVector3D(1, 2, 3));
    d->setPlacement(ePlacementVertical);
    d->setModelOrigin(eOriginCenterXYTop);
    CZinMatrix m;
    for (int i = 0; i < 16; ++i) m.m[i] = i * 0.5;
    d->setModelRotationMatrix(m);
    d->getProperties()->newZinObject(kZinEndOfList)->getBasicData()->setName("Oak");
    d->getDescription1()->set(ZinLanguageCode("en"), "Seat & back");
    for (int s = 0; s < 2; ++s)
      d->getSetups()->newZinObject(kZinEndOfList)->getNames()->set(ZinLanguageCode("en"), s ? "Low" : "High");
  }
  IZinZinObjectDefinition* plantDefinition = definitions->newZinObject(kZinEndOfList);
  plantDefinition->setClass("3DPlant");
  IZin3DPlant* plant = Kind<IZin3DPlant>(plantDefinition);
  plant->setPlantType(ePlantPalmTree);
  for (int s = 0; s < 2; ++s) {
    IZin3DPlant::IPlantSetUp* setup = plant->getPlantSetups()->newZinObject(kZinEndOfList);
    setup->setColor(s ? eFlowerRose : eFlowerYellow);
    setup->getStartTime()->setMonth(3 + s);
  }
  IZinZinObjectDefinition* animatedDefinition = definitions->newZinObject(kZinEndOfList);
  animatedDefinition->setClass("AnimatedObject");
  IZinAnimatedObject* animated = Kind<IZinAnimatedObject>(animatedDefinition);
  animated->setExternalFile("walk.fbx");
  animated->setExternalFileType(eAnimationFBX);
  for (int t = 0; t < 2; ++t) {
    IZinTake* take = animated->getTakes()->newZinObject(kZinEndOfList);
    take->setDuration(100 + t);
    take->setType(t ? eTakeOnPath : eTakePredefined);
    take->getNames()->set(ZinLanguageCode("en"), t ? "Run" : "Walk");
  }

  TZinObjectMgr<IZinObjectInstance>* instances = mgr->getObjectInstances();
  for (const char* name : {"ZinObject", "LightObject", "Billboard", "3DPlant", "3DPlantGroupInstances",
                           "AnimatedObject", "ModelObject", "Sculpture"}) {
    IZinObjectInstance* i = instances->newZinObject(kZinEndOfList);
    i->setClass(name);
    i->getBasicData()->setName(name);
    i->setTranslation(CZinVector3D(10, -20, 30.5));
    i->setTransparency(0.25);
    i->setLayerId(kLayerA);
    i->setVisible(false);
    i->setBoundingBoxMax(CZinVector3D(1, 1, 1));
  }
  Kind<IZinZinObjectInstance>(instances->getZinObject(0))->setCurrentOverload(kLayerB);
  Kind<IZinZinObjectInstance>(instances->getZinObject(1))->getLights()->newZinObject(kZinEndOfList)->setPower(70);
  IZinBBObjectInstance* bb = Kind<IZinBBObjectInstance>(instances->getZinObject(2));
  bb->setKind(eBBMultiface);
  bb->setShininess(0.5);
  bb->setOrientWithCamera(true);
  bb->getDefinitionName()->set(ZinLanguageCode("en"), "Tree");
  IZin3DPlantRef* plantRef = Kind<IZin3DPlantRef>(instances->getZinObject(3));
  plantRef->setColor(eFlowerRed);
  plantRef->setHeliodonAttached(true);
  plantRef->getTime()->setYear(2020);
  Kind<IZinGroupInstances>(instances->getZinObject(4))->setColor(eFlowerWhite);
  IZinAnimatedObjectInstance* walker = Kind<IZinAnimatedObjectInstance>(instances->getZinObject(5));
  walker->setCurrentTake(1);
  walker->setStartFrame(12);
  Kind<IZinInternalComponentInstance>(instances->getZinObject(6))->setComponentId(kLayerB);

  IZinBBMgrData* data = mgr->getMgrEx(eZinVersionCurrent)->getBBMgrData()->newZinObject(kZinEndOfList);
  IZinBillboard* billboard = data->getBillboard();
  billboard->setBehavior(eBBMultiface);
  billboard->setNbFaces(4);
  billboard->setTextureWidth(2.5);
  QuorveXML::XIXMLElement* triangles = billboard->getQuads()->newZinObject(kZinEndOfList)->getTriangles();
  triangles->AddElement(triangles->GetKey("Triangle"));

  IZinLayer* a = mgr->getLayers()->newZinObject(kZinEndOfList);
  a->getBasicData()->setId(kLayerA);
  a->getBasicData()->setName("Trees");
  mgr->getLayers()->newZinObject(kZinEndOfList)->getBasicData()->setId(kLayerB);
  IZinLayerInfo* info = mgr->getLayersInfo();
  info->setActiveLayer(kLayerB);
  info->setDefaultLayer("3DPlant", kLayerA);
  info->setDefaultLayer("Billboard", kLayerB);
}

}  // namespace

TEST(Objects, ASceneOfEveryKindRoundTripsByteExact) {
  ManagerHold mgr;
  BuildObjects(mgr.mgr);
  const std::string text = WriteToText(mgr.mgr);
  ManagerHold copy;
  ASSERT_TRUE(Read(copy.mgr, text));
  EXPECT_EQ(text, WriteToText(copy.mgr));
}

TEST(Objects, WhatNoKindModelsSurvives) {
  ManagerHold mgr;
  IZinObjectInstance* unknown = mgr->getObjectInstances()->newZinObject(kZinEndOfList);
  unknown->setClass("Sculpture");
  IZinObjectInstance* known = mgr->getObjectInstances()->newZinObject(kZinEndOfList);
  known->setClass("ModelObject");
  const std::string text = WriteToText(mgr.mgr);
  const std::string unknownData =
      "<Instance.Data Mood=\"calm\">\n\t\t\t\t<Pose Angle=\"3\"/>\n\t\t\t\t<!--kept-->\n\t\t\t</Instance.Data>";
  const std::string knownData =
      "<Instance.Data\n\t\t\t\t Extra=\"1\"\n\t\t\t\t Component.UUID=\"0123456789ABCDEF0123456789ABCDEF\">"
      "\n\t\t\t\t<Note>n</Note>\n\t\t\t\t<Properties/>\n\t\t\t</Instance.Data>";
  std::string edited = Replaced(text, "<Instance.Data/>", unknownData);
  edited = Replaced(edited,
                    "<Instance.Data Component.UUID=\"" + kZeroId +
                        "\">\n\t\t\t\t<Properties/>\n\t\t\t</Instance.Data>",
                    knownData);
  ASSERT_NE(std::string::npos, edited.find("<Note>"));
  ManagerHold copy;
  ASSERT_TRUE(Read(copy.mgr, edited));
  const std::string again = WriteToText(copy.mgr);
  EXPECT_NE(std::string::npos, again.find(unknownData)) << again;
  EXPECT_NE(std::string::npos, again.find(knownData)) << again;
  EXPECT_EQ(CZinUUID::fromText("0123456789ABCDEF0123456789ABCDEF"),
            Kind<IZinInternalComponentInstance>(copy->getObjectInstances()->getZinObject(1))->getComponentId());
  // The kind's values replace what the client left in the block under their names.
  IZinObjectInstance* second = copy->getObjectInstances()->getZinObject(1);
  QuorveXML::XIXMLElement* block = second->getInstanceData();
  block->AddElement(block->GetKey("Properties"));
  EXPECT_EQ(again, WriteToText(copy.mgr));
}

TEST(Objects, EmptyDefinitionsAndTransparencySpellings) {
  ManagerHold mgr;
  IZinZinObjectDefinition* empty = mgr->getObjectDefinitions()->getDefinitions()->newZinObject(kZinEndOfList);
  empty->setAnchor(CZinVector3D(5, 5, 5));  // not written: the class is empty
  mgr->getObjectInstances()->newZinObject(kZinEndOfList);
  const std::string text = WriteToText(mgr.mgr);
  EXPECT_NE(std::string::npos, text.find("\n\t<Object.Definition/>\n\t<Object.Instances>")) << text;

  ManagerHold copy;
  ASSERT_TRUE(Read(copy.mgr, text));
  IZinZinObjectDefinition* read = copy->getObjectDefinitions()->getDefinitions()->getZinObject(0);
  EXPECT_TRUE(read->getBasicData()->getId()->isNull());
  EXPECT_EQ(CZinVector3D(0, 1, 0), read->getUpVector());
  EXPECT_EQ(CZinVector3D(0, 0, 0), read->getAnchor());

  const struct {
    const char* elements;
    double transparency;
  } cases[] = {{"<Tansparency>0.7</Tansparency><Transparency>0.2</Transparency>", 0.7},
               {"<Transparency>0.2</Transparency><Tansparency>0.7</Tansparency>", 0.7},
               {"<Transparency>0.2</Transparency>", 0.2},
               {"", 0.0}};
  const std::string written = "<Transparency>0.000000</Transparency>";
  ASSERT_NE(std::string::npos, text.find(written));
  for (const auto& c : cases) {
    ManagerHold reader;
    ASSERT_TRUE(Read(reader.mgr, Replaced(text, written, c.elements))) << c.elements;
    EXPECT_EQ(c.transparency, reader->getObjectInstances()->getZinObject(0)->getTransparency()) << c.elements;
  }
}

TEST(Objects, DefaultLayerMapsOfEveryWriter) {
  const std::string a = "0000000000000000000000000000000A", b = "0000000000000000000000000000000B";
  const struct {
    std::string attributes;
    std::string plant, group, zin;
  } cases[] = {
      {"Plant3D=\"" + a + "\" ZinObject=\"" + b + "\"", a, "", b},
      {"3DPlant=\"" + a + "\"", a, a, ""},
      {"3DPlant=\"" + a + "\" Plant3D=\"" + b + "\"", a, a, ""},
      {"Plant3D=\"" + b + "\" 3DPlant=\"" + a + "\"", a, a, ""},
      {"", "", "", ""},
  };
  ManagerHold mgr;
  const std::string text = WriteToText(mgr.mgr);
  const std::string from = Section(text, "<Default.Layer.Map", "/>");
  ASSERT_FALSE(from.empty());
  const CZinUUID previous = CZinUUID::fromText("FFFFFFFF000000000000000000000000");
  for (const auto& c : cases) {
    ManagerHold reader;
    // A missing attribute leaves its entry as it was.
    for (const char* kind : {"3DPlant", "3DPlantGroupInstances", "ZinObject"})
      reader->getLayersInfo()->setDefaultLayer(kind, previous);
    ASSERT_TRUE(Read(reader.mgr, Replaced(text, from, "<Default.Layer.Map " + c.attributes + "/>"))) << c.attributes;
    auto expect = [&](const std::string& id, const char* kind) {
      EXPECT_EQ(id.empty() ? previous : CZinUUID::fromText(id.c_str()), reader->getLayersInfo()->getDefaultLayer(kind))
          << c.attributes << " " << kind;
    };
    expect(c.plant, "3DPlant");
    expect(c.group, "3DPlantGroupInstances");
    expect(c.zin, "ZinObject");
  }
  RecordingLink link;
  TZinComPtr<CZinLayerInfo> info(CreateZinObject<CZinLayerInfo>(&link));
  info->setDefaultLayer("Tree", previous);
  info->setDefaultLayer(nullptr, previous);
  EXPECT_EQ((std::vector<std::string>{"setDefaultLayer: Unknown object kind", "setDefaultLayer: Unknown object kind"}),
            link.take());
  EXPECT_TRUE(info->getDefaultLayer("Tree").isNull());
}

TEST(Objects, LegacyFilesLinkTheirFirstInstanceToTheFirstComponent) {
  const CZinUUID component = CZinUUID::fromText("C0000000000000000000000000000001");
  const struct {
    const char* library;
    const char* firstClass;
    bool linked;
  } cases[] = {{"2.0.1", "ModelObject", true},
               {"3.0.0", "ModelObject", true},
               {"3.0.1", "ModelObject", false},
               {"5.1.1", "ModelObject", false},
               {"2.0.1", "ZinObject", false}};
  for (const auto& c : cases) {
    ManagerHold mgr;
    IZinZinObjectDefinition* definition = mgr->getInternalComponentDefinitions()->newZinObject(kZinEndOfList);
    definition->getBasicData()->setId(component);
    definition->setClass("Component");
    IZinObjectInstance* first = mgr->getObjectInstances()->newZinObject(kZinEndOfList);
    first->setClass(c.firstClass);
    mgr->getObjectInstances()->newZinObject(kZinEndOfList)->setClass("ModelObject");
    const std::string text =
        Replaced(WriteToText(mgr.mgr), "library=\"5.1.1\"", std::string("library=\"") + c.library + "\"");
    ManagerHold copy;
    ASSERT_TRUE(Read(copy.mgr, text)) << c.library;
    ASSERT_EQ(1u, copy->getInternalComponentDefinitions()->getCount());
    EXPECT_EQ(component, *copy->getInternalComponentDefinitions()->getZinObject(0)->getBasicData()->getId());
    EXPECT_STREQ("Component", copy->getInternalComponentDefinitions()->getZinObject(0)->getClass());
    IZinInternalComponentInstance* read = Kind<IZinInternalComponentInstance>(copy->getObjectInstances()->getZinObject(0));
    EXPECT_EQ(c.linked, read != nullptr && read->getComponentId() == component) << c.library << " " << c.firstClass;
    // Only the first instance is ever linked.
    EXPECT_TRUE(Kind<IZinInternalComponentInstance>(copy->getObjectInstances()->getZinObject(1))
                    ->getComponentId()
                    .isNull());
  }
}
