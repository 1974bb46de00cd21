#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "ZinSDK.h"
#include "manager/mgr.h"
#include "scene/objects.h"
#include "test_support.h"

using namespace QvZin;
using QvZinTest::FeedbackRecorder;
using QvZinTest::ManagerHold;
using QvZinTest::Texts;
using QvZinTest::WriteToText;

namespace {

struct Manager {
  FeedbackRecorder feedback;
  ManagerHold hold{&feedback};
  IZinMgr* operator->() const { return hold.mgr; }
  IZinMgr* get() const { return hold.mgr; }
};

std::string IdText(const CZinUUID& id) {
  char text[33];
  id.toText(text);
  return text;
}

// One kind of content merged by name: its flag, its collection, and a value that
// tells the content of two objects apart.
struct Kind {
  const char* what;
  int flag;
  std::function<uint32_t(IZinMgr*)> count;
  std::function<IZinBasic*(IZinMgr*, uint32_t)> at;
  std::function<IZinBasic*(IZinMgr*)> add;
  std::function<void(IZinMgr*)> clear;
  std::function<void(IZinBasic*, double)> mark;
  std::function<double(IZinBasic*)> markOf;
};

template <class I>
Kind MakeKind(const char* what, int flag, TZinObjectMgr<I>* (IZinMgr::*list)(), void (I::*set)(double),
              double (I::*get)()) {
  return Kind{what,
              flag,
              [list](IZinMgr* m) { return (m->*list)()->getCount(); },
              [list](IZinMgr* m, uint32_t i) -> IZinBasic* { return (m->*list)()->getZinObject(i); },
              [list](IZinMgr* m) -> IZinBasic* { return (m->*list)()->newZinObject(kZinEndOfList); },
              [list](IZinMgr* m) { (m->*list)()->removeAll(); },
              [set](IZinBasic* o, double v) { (static_cast<I*>(o)->*set)(v); },
              [get](IZinBasic* o) { return (static_cast<I*>(o)->*get)(); }};
}

std::vector<Kind> NamedKinds() {
  return {MakeKind<IZinLight>("lights", 0x10, &IZinMgr::getLights, &IZinLight::setPower, &IZinLight::getPower),
          MakeKind<IZinHeliodon>("heliodons", 0x20, &IZinMgr::getHeliodons, &IZinHeliodon::setNorthAngle,
                                 &IZinHeliodon::getNorthAngle),
          MakeKind<IZinCamera>("perspective views", 0x80, &IZinMgr::getPerspectiveViews, &IZinCamera::setFocal,
                               &IZinCamera::getFocal),
          MakeKind<IZinParallelView>("parallel views", 0x100, &IZinMgr::getParallelViews, &IZinParallelView::setSize,
                                     &IZinParallelView::getSize),
          MakeKind<IZinViewObject>("view objects", 0x200, &IZinMgr::getViewObjects, &IZinViewObject::setRadius,
                                   &IZinViewObject::getRadius),
          MakeKind<IZinPanoramaV2>("panoramas", 0x400, &IZinMgr::getPanoramas, &IZinPanoramaV2::setFocal,
                                   &IZinPanoramaV2::getFocal)};
}

IZinBasic* AddNamed(const Kind& kind, IZinMgr* mgr, const char* name, double mark) {
  IZinBasic* object = kind.add(mgr);
  object->getBasicData()->setName(name);
  kind.mark(object, mark);
  return object;
}

std::string Names(const Kind& kind, IZinMgr* mgr) {
  std::string text;
  for (uint32_t i = 0; i < kind.count(mgr); ++i) {
    IZinBasic* object = kind.at(mgr, i);
    text += std::string(text.empty() ? "" : " ") + object->getBasicData()->getName() + "=" +
            std::to_string(static_cast<int>(kind.markOf(object)));
  }
  return text;
}

constexpr int kEveryFlag = 0x1 | 0x10 | 0x20 | 0x40 | 0x80 | 0x100 | 0x200 | 0x400 | 0x800;

TEST(ReferenceImport, MergesEachNamedKindByNameOverwritingSameNamedAndAppendingTheRest) {
  for (const Kind& kind : NamedKinds()) {
    SCOPED_TRACE(kind.what);
    Manager target, source;
    kind.clear(target.get());
    kind.clear(source.get());
    IZinBasic* side = AddNamed(kind, target.get(), "Side", 11);
    AddNamed(kind, target.get(), "Top", 12);
    AddNamed(kind, source.get(), "Front", 21);
    IZinBasic* sourceSide = AddNamed(kind, source.get(), "Side", 22);
    const CZinUUID sideId = *side->getBasicData()->getId();
    const CZinUUID sourceSideId = *sourceSide->getBasicData()->getId();

    // The other bits leave this kind alone.
    IZinMgr::doImportReference(target.get(), source.get(), kEveryFlag & ~kind.flag);
    EXPECT_EQ("Side=11 Top=12", Names(kind, target.get()));

    IZinMgr::doImportReference(target.get(), source.get(), kind.flag);
    EXPECT_EQ("Side=22 Top=12 Front=21", Names(kind, target.get()));
    EXPECT_EQ(side, kind.at(target.get(), 0));
    EXPECT_EQ(sideId, *side->getBasicData()->getId());
    EXPECT_NE(sourceSideId, sideId);
    EXPECT_NE(*kind.at(source.get(), 0)->getBasicData()->getId(), *kind.at(target.get(), 2)->getBasicData()->getId());
    EXPECT_EQ("Front=21 Side=22", Names(kind, source.get()));

    // Of two source objects with one name, the second overwrites the first.
    AddNamed(kind, source.get(), "Back", 31);
    AddNamed(kind, source.get(), "Back", 32);
    IZinMgr::doImportReference(target.get(), source.get(), kind.flag);
    EXPECT_EQ("Side=22 Top=12 Front=21 Back=32", Names(kind, target.get()));
    EXPECT_EQ(Texts{}, QvZinTest::Heard(target.feedback));
  }
}

TEST(ReferenceImport, AManagerImportedIntoItselfKeepsItsObjectsAndFirstOfANameTakesTheLast) {
  for (const Kind& kind : NamedKinds()) {
    SCOPED_TRACE(kind.what);
    Manager one;
    kind.clear(one.get());
    AddNamed(kind, one.get(), "A", 1);
    AddNamed(kind, one.get(), "B", 2);
    AddNamed(kind, one.get(), "A", 3);
    IZinMgr::doImportReference(one.get(), one.get(), kEveryFlag);
    EXPECT_EQ("A=3 B=2 A=3", Names(kind, one.get()));
  }
}

// A source holding something of every kind, with references between them.
void FillEverything(IZinMgr* mgr) {
  mgr->getLayers()->newZinObject(kZinEndOfList)->getBasicData()->setName("Walls");
  mgr->getLightsGroups()->newZinObject(kZinEndOfList)->getBasicData()->setName("Group");
  IZinLight* light = mgr->getLights()->newZinObject(kZinEndOfList);
  light->getBasicData()->setName("Lamp");
  *light->getLightsGroups()->newZinObject(kZinEndOfList) = *mgr->getLightsGroups()->getZinObject(0)->getBasicData()->getId();
  mgr->getPerspectiveViews()->newZinObject(kZinEndOfList)->getBasicData()->setName("Front");
  mgr->getParallelViews()->newZinObject(kZinEndOfList)->getBasicData()->setName("Plan");
  mgr->getViewObjects()->newZinObject(kZinEndOfList)->getBasicData()->setName("Turn");
  mgr->getPanoramas()->newZinObject(kZinEndOfList)->getBasicData()->setName("Tour");
  mgr->getScenarios()->newZinObject(kZinEndOfList)->getBasicData()->setName("Story");
  IZinObjectInstance* chair = mgr->getObjectInstances()->newZinObject(kZinEndOfList);
  chair->setClass("ZinObject");
  chair->getBasicData()->setName("Chair");
}

TEST(ReferenceImport, NoContentBitsRunOnlyTheLayerAndClosingStepsWhichChangeNothing) {
  const struct {
    const char* what;
    int flags;
  } cases[] = {{"no bits", 0},
               {"the first step's bit", 0x1},
               {"unused low bits", 0x2 | 0x4 | 0x8},
               {"unused high bits", ~0xFFF},
               {"every unused bit", ~(0x10 | 0x20 | 0x40 | 0x80 | 0x100 | 0x200 | 0x400 | 0x800)}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    Manager target, source;
    FillEverything(source.get());
    target->getLayers()->newZinObject(kZinEndOfList)->getBasicData()->setName("Walls");
    target->getPerspectiveViews()->newZinObject(kZinEndOfList)->getBasicData()->setName("Front");
    const std::string before = WriteToText(target.get());
    IZinMgr::doImportReference(target.get(), source.get(), c.flags);
    EXPECT_EQ(before, WriteToText(target.get()));
    EXPECT_EQ(Texts{}, QvZinTest::Heard(target.feedback));
  }
}

TEST(ReferenceImport, NullManagersDoNothing) {
  Manager one;
  FillEverything(one.get());
  const std::string before = WriteToText(one.get());
  IZinMgr::doImportReference(nullptr, one.get(), kEveryFlag);
  IZinMgr::doImportReference(one.get(), nullptr, kEveryFlag);
  IZinMgr::doImportReference(nullptr, nullptr, kEveryFlag);
  EXPECT_EQ(before, WriteToText(one.get()));
  EXPECT_EQ(Texts{}, QvZinTest::Heard(one.feedback));
}

TEST(ReferenceImport, TheFirstScenarioGoesIntoTheTargetsFirstMadeWhenThereIsNone) {
  const struct {
    const char* what;
    Texts target, source;
    Texts expected;
  } cases[] = {
      {"into none", {}, {"Story", "Other"}, {"Story"}},
      {"into the first of two", {"Mine", "Second"}, {"Story"}, {"Story", "Second"}},
      {"from none", {"Mine"}, {}, {"Mine"}},
      {"none into none", {}, {}, {}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    Manager target, source;
    for (const std::string& name : c.target)
      target->getScenarios()->newZinObject(kZinEndOfList)->getBasicData()->setName(name.c_str());
    for (const std::string& name : c.source) {
      IZinScenario* scenario = source->getScenarios()->newZinObject(kZinEndOfList);
      scenario->getBasicData()->setName(name.c_str());
      scenario->setFPS(30);
    }
    // A second import changes nothing more: the first scenario takes it again.
    for (int twice = 0; twice < 2; ++twice) IZinMgr::doImportReference(target.get(), source.get(), 0x800);
    Texts names;
    for (uint32_t i = 0; i < target->getScenarios()->getCount(); ++i)
      names.push_back(target->getScenarios()->getZinObject(i)->getBasicData()->getName());
    EXPECT_EQ(c.expected, names);
    if (!c.source.empty()) {
      EXPECT_EQ(30, target->getScenarios()->getZinObject(0)->getFPS());
    }
  }
}

TEST(ReferenceImport, ImportedContentPointsOnlyIntoTheTargetAndItsDocumentReadsBackToTheSameBytes) {
  Manager target, source;
  auto layer = [](IZinMgr* mgr, const char* name) {
    IZinLayer* made = mgr->getLayers()->newZinObject(kZinEndOfList);
    made->getBasicData()->setName(name);
    return *made->getBasicData()->getId();
  };
  const CZinUUID targetWalls = layer(target.get(), "Walls"), targetOnly = layer(target.get(), "Roof");
  const CZinUUID sourceWalls = layer(source.get(), "Walls"), sourceOnly = layer(source.get(), "Garden");
  IZinLightsGroup* group = source->getLightsGroups()->newZinObject(kZinEndOfList);
  const CZinUUID sourceGroup = *group->getBasicData()->getId();
  const CZinUUID sourceEnvironment = *source->getEnvironments()->newZinObject(kZinEndOfList)->getBasicData()->getId();
  IZinProperty* brick = source->getProperties()->newZinObject(kZinEndOfList);
  brick->getBasicData()->setName("Brick");
  const CZinUUID sourceBrick = *brick->getBasicData()->getId();
  target->getProperties()->newZinObject(kZinEndOfList)->getBasicData()->setName("Glass");
  source->getProperties()->newZinObject(kZinEndOfList)->getBasicData()->setName("Glass");
  source->getProperties()->newZinObject(kZinEndOfList)->getBasicData()->setName("Unused");

  // A library object on its definition, wearing Brick and Glass.
  IZinZinObjectDefinition* chairDefinition = source->getObjectDefinitions()->getDefinitions()->newZinObject(kZinEndOfList);
  chairDefinition->setClass("ZinObject");
  chairDefinition->getNames()->set(ZinLanguageCode("en"), "Chair");
  const CZinUUID chairDefinitionId = *chairDefinition->getBasicData()->getId();
  IZinObjectInstance* chair = source->getObjectInstances()->newZinObject(kZinEndOfList);
  chair->setClass("ZinObject");
  chair->getBasicData()->setName("Chair");
  chair->setOverloadId(chairDefinitionId);
  chair->setLayerId(sourceOnly);
  IZinZinObjectInstance* library = nullptr;
  ASSERT_EQ(kZinOk, chair->QueryInterface(IZinZinObjectInstance::sIID, reinterpret_cast<void**>(&library)));
  library->getProperties()->newZinObject(kZinEndOfList)->getBasicData()->setName("Brick");
  library->getProperties()->newZinObject(kZinEndOfList)->getBasicData()->setName("Glass");
  const CZinUUID sourceChairLight = *library->getLights()->newZinObject(kZinEndOfList)->getBasicData()->getId();
  library->Release();
  const CZinUUID sourceChair = *chair->getBasicData()->getId();

  // An internal component with its geometry, on the Walls layer.
  auto* component =
      static_cast<CZinZinObjectDefinition*>(source->getInternalComponentDefinitions()->newZinObject(kZinEndOfList));
  component->setClass("ZinObject");
  component->setGeometryLevel(2);
  for (int i = 0; i < 3; ++i) *component->points().newZinObject(kZinEndOfList) = CZinPoint{1.0 * i, 2, 3};
  IZinPolygon* triangle = component->polygons().newZinObject(kZinEndOfList);
  for (int i = 0; i < 3; ++i) {
    CZinVertex vertex{};
    vertex.mPointIndex = i;
    *triangle->getContour()->newZinObject(kZinEndOfList) = vertex;
  }
  IZinObjectInstance* model = source->getObjectInstances()->newZinObject(kZinEndOfList);
  model->setClass("ModelObject");
  model->setLayerId(sourceWalls);
  model->setAttachId(sourceChair);
  IZinInternalComponentInstance* shown = nullptr;
  ASSERT_EQ(kZinOk, model->QueryInterface(IZinInternalComponentInstance::sIID, reinterpret_cast<void**>(&shown)));
  shown->setComponentId(*component->getId());
  shown->Release();
  // A plant group is not among the kinds an import moves.
  source->getObjectInstances()->newZinObject(kZinEndOfList)->setClass("3DPlantGroupInstances");

  IZinLight* lamp = source->getLights()->newZinObject(kZinEndOfList);
  lamp->getBasicData()->setName("Lamp");
  *lamp->getLightsGroups()->newZinObject(kZinEndOfList) = sourceGroup;
  lamp->setTargetObjectId(sourceChair);
  const CZinUUID sourceLamp = *lamp->getBasicData()->getId();
  IZinCamera* front = source->getPerspectiveViews()->newZinObject(kZinEndOfList);
  front->getBasicData()->setName("Front");
  front->setTargetObjectId(sourceChair);
  IZinViewInfo* info = front->getViewInfo();
  *info->getLayers()->newZinObject(kZinEndOfList) = sourceOnly;
  *info->getLayers()->newZinObject(kZinEndOfList) = sourceWalls;
  *info->getLightsGroups()->newZinObject(kZinEndOfList) = sourceGroup;
  info->setEnvironment(sourceEnvironment);
  const CZinUUID sourceFront = *front->getBasicData()->getId();

  IZinMgr::doImportReference(target.get(), source.get(), 0x40 | 0x10 | 0x80);
  EXPECT_EQ(Texts{}, QvZinTest::Heard(target.feedback));

  ASSERT_EQ(2u, target->getObjectInstances()->getCount());
  IZinObjectInstance* chairCopy = target->getObjectInstances()->getZinObject(0);
  IZinObjectInstance* modelCopy = target->getObjectInstances()->getZinObject(1);
  EXPECT_EQ(CZinUUID(), chairCopy->getLayerId());
  EXPECT_EQ(chairDefinitionId, chairCopy->getOverloadId());
  EXPECT_EQ(targetWalls, modelCopy->getLayerId());
  EXPECT_EQ(*chairCopy->getBasicData()->getId(), modelCopy->getAttachId());
  EXPECT_EQ(*chairCopy->getBasicData()->getId(), target->getLights()->getZinObject(0)->getTargetObjectId());
  EXPECT_EQ(0u, target->getLights()->getZinObject(0)->getLightsGroups()->getCount());
  ASSERT_EQ(1u, target->getObjectDefinitions()->getDefinitions()->getCount());
  EXPECT_EQ(chairDefinitionId, *target->getObjectDefinitions()->getDefinitions()->getZinObject(0)->getBasicData()->getId());
  ASSERT_EQ(1u, target->getInternalComponentDefinitions()->getCount());
  auto* componentCopy = static_cast<CZinZinObjectDefinition*>(target->getInternalComponentDefinitions()->getZinObject(0));
  EXPECT_EQ(*component->getId(), *componentCopy->getId());
  EXPECT_EQ(3u, componentCopy->points().getCount());
  EXPECT_EQ(1u, componentCopy->polygons().getCount());
  EXPECT_EQ(2, componentCopy->geometryLevel());
  // Glass was there already; Brick came along, Unused did not.
  Texts materials;
  for (uint32_t i = 0; i < target->getProperties()->getCount(); ++i)
    materials.push_back(target->getProperties()->getZinObject(i)->getBasicData()->getName());
  EXPECT_EQ((Texts{"Glass", "Brick"}), materials);
  IZinViewInfo* frontCopy = target->getPerspectiveViews()->getZinObject(0)->getViewInfo();
  ASSERT_EQ(2u, frontCopy->getLayers()->getCount());
  EXPECT_EQ(targetWalls, *frontCopy->getLayers()->getZinObject(0));
  EXPECT_EQ(targetOnly, *frontCopy->getLayers()->getZinObject(1));
  EXPECT_EQ(0u, frontCopy->getLightsGroups()->getCount());
  EXPECT_EQ(CZinUUID(), frontCopy->getEnvironment());

  const std::string file = WriteToText(target.get());
  for (const CZinUUID& id : {sourceWalls, sourceOnly, sourceGroup, sourceEnvironment, sourceBrick, sourceChair,
                             sourceLamp, sourceFront, sourceChairLight})
    EXPECT_EQ(std::string::npos, file.find(IdText(id))) << IdText(id);
  EXPECT_NE(std::string::npos, file.find("<Points><![CDATA[\n3 \n0.0 2.0 3.0 \n1.0 2.0 3.0 \n2.0 2.0 3.0 \n]]>"));
  Manager again;
  ASSERT_TRUE(QvZinTest::Read(again.get(), file));
  EXPECT_EQ(file, WriteToText(again.get()));
}

TEST(ReferenceImport, PanoramasAndTheScenarioNameWhatCameWithThemAndNothingOfTheSource) {
  Manager target, source;
  IZinParallelView* plan = target->getParallelViews()->newZinObject(kZinEndOfList);
  plan->getBasicData()->setName("Plan");
  const CZinUUID targetPlan = *plan->getBasicData()->getId();
  IZinParallelView* sourcePlan = source->getParallelViews()->newZinObject(kZinEndOfList);
  sourcePlan->getBasicData()->setName("Plan");
  IZinParallelView* sourceSection = source->getParallelViews()->newZinObject(kZinEndOfList);
  sourceSection->getBasicData()->setName("Section");
  IZinLight* lamp = source->getLights()->newZinObject(kZinEndOfList);
  lamp->getBasicData()->setName("Lamp");
  const CZinUUID sourceOnly = *source->getLayers()->newZinObject(kZinEndOfList)->getBasicData()->getId();

  IZinPanoramaV2* tour = source->getPanoramas()->newZinObject(kZinEndOfList);
  tour->getBasicData()->setName("Tour");
  for (IZinParallelView* view : {sourcePlan, sourceSection})
    *tour->getParallelViews()->newZinObject(kZinEndOfList) = *view->getBasicData()->getId();
  *tour->getParallelViews()->newZinObject(kZinEndOfList) = sourceOnly;  // names no view at all

  IZinScenario* story = source->getScenarios()->newZinObject(kZinEndOfList);
  IZinAnimatedElement* moving = story->getAnimatedElements()->newZinObject(kZinEndOfList);
  moving->setObjectId(*lamp->getBasicData()->getId());
  IZinAnimatedElement* gone = story->getAnimatedElements()->newZinObject(kZinEndOfList);
  gone->setObjectId(sourceOnly);

  IZinMgr::doImportReference(target.get(), source.get(), 0x10 | 0x100 | 0x400 | 0x800);
  ASSERT_EQ(2u, target->getParallelViews()->getCount());
  const CZinUUID targetSection = *target->getParallelViews()->getZinObject(1)->getBasicData()->getId();
  TZinObjectMgr<CZinUUID>* views = target->getPanoramas()->getZinObject(0)->getParallelViews();
  ASSERT_EQ(2u, views->getCount());
  EXPECT_EQ(targetPlan, *views->getZinObject(0));
  EXPECT_EQ(targetSection, *views->getZinObject(1));
  TZinObjectMgr<IZinAnimatedElement>* elements = target->getScenarios()->getZinObject(0)->getAnimatedElements();
  ASSERT_EQ(2u, elements->getCount());
  EXPECT_EQ(*target->getLights()->getZinObject(0)->getBasicData()->getId(), elements->getZinObject(0)->getObjectId());
  EXPECT_EQ(CZinUUID(), elements->getZinObject(1)->getObjectId());
  EXPECT_EQ(Texts{}, QvZinTest::Heard(target.feedback));
}

}  // namespace
