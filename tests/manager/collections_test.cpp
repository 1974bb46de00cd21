#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <memory>
#include <string>
#include <type_traits>
#include <vector>

#include "manager/mgr.h"
#include "test_support.h"

using namespace QvZin;
using namespace QvZinTest;

namespace {

IZinMgrEx* Ex(IZinMgr* mgr) { return mgr->getMgrEx(eZinVersionCurrent); }

bool Answers(IUnknown* object, const CZinUUID& iid) {
  void* out = nullptr;
  if (object->QueryInterface(iid, &out) != kZinOk) return false;
  static_cast<IUnknown*>(out)->Release();
  return out != nullptr;
}

// One collection getter of the manager and what a new manager's collection holds.
struct Row {
  const char* name;
  std::function<IZinObjectMgrBase*(IZinMgr*)> get;
  CZinUUID itemIID;
  uint32_t count;
  const char* defaultName;  // of a new element; null for records
  bool view;                // elements answer the view-basic identifier
  // Creates an element at the end and checks its identity; returns false on a failure.
  std::function<void(IZinMgr*, const Row&)> checkNewElement;
};

template <class I>
Row MakeRow(const char* name, TZinObjectMgr<I>* (*get)(IZinMgr*), const char* iid, uint32_t count,
            const char* defaultName = "", bool view = false) {
  Row row{name, get, CZinUUID::fromText(iid), count, defaultName, view, nullptr};
  row.checkNewElement = [get](IZinMgr* mgr, const Row& r) {
    TZinObjectMgr<I>* list = get(mgr);
    I* element = list->newZinObject(kZinEndOfList);
    ASSERT_NE(nullptr, element) << r.name;
    EXPECT_EQ(r.count + 1, list->getCount()) << r.name;
    if constexpr (std::is_base_of<IZinBasic, I>::value) {
      EXPECT_TRUE(Answers(element, r.itemIID)) << r.name;
      EXPECT_TRUE(Answers(element, IID_IUnknown)) << r.name;
      EXPECT_TRUE(Answers(element, kIID_ZinBasicObject)) << r.name;
      EXPECT_EQ(r.view, Answers(element, kIID_ZinViewBasic)) << r.name;
      EXPECT_FALSE(Answers(element, kIID_ZinObjectMgr)) << r.name;
      EXPECT_STREQ(r.defaultName, element->getBasicData()->getName()) << r.name;
      EXPECT_EQ(mgr->getBasicData()->getMgrRef(), element->getBasicData()->getMgrRef()) << r.name;
      EXPECT_EQ(mgr->getObjectLink(), element->getObjectLink()) << r.name;
    } else {
      const I zero{};
      EXPECT_EQ(0, std::memcmp(&zero, element, sizeof(I))) << r.name;
    }
    list->removeObject(kZinEndOfList);
    EXPECT_EQ(r.count, list->getCount()) << r.name;
  };
  return row;
}

std::vector<Row> Rows() {
  return {
      MakeRow<IZinCamera>("perspective views", [](IZinMgr* m) { return m->getPerspectiveViews(); },
                          "B60F6146384C440B942E81AA5F822019", 0, "View 0", true),
      MakeRow<IZinPolygon>("polygons", [](IZinMgr* m) { return m->getPolygons(); },
                           "F30DC520463B4D53950CEE9DFAF36FF2", 0),
      MakeRow<CZinPoint>("points", [](IZinMgr* m) { return m->getPoints(); }, "C821EB72833F4FFDBB6A3122214E5B64", 0),
      MakeRow<IZinProperty>("properties", [](IZinMgr* m) { return m->getProperties(); },
                            "CD5B3D7D4175487F9E6AE05DEFC83B5C", 0, "Material #0"),
      MakeRow<IZinLight>("lights", [](IZinMgr* m) { return m->getLights(); }, "1254F117563C4EED972802DD0AB0C778", 0),
      MakeRow<IZinViewObject>("view objects", [](IZinMgr* m) { return m->getViewObjects(); },
                              "9201CC60367947AAA12F1B45DC526B0D", 0, "Vue objet 1"),
      MakeRow<IZinParallelView>("parallel views", [](IZinMgr* m) { return m->getParallelViews(); },
                                "B76B9ACD18034DD586D5A542E2C5B27F", 0, "", true),
      MakeRow<IZinHeliodon>("heliodons", [](IZinMgr* m) { return m->getHeliodons(); },
                            "341D943027194BF7938ADC54ED8A391B", 1, "Heliodon"),
      MakeRow<IZinLightsGroup>("light groups", [](IZinMgr* m) { return m->getLightsGroups(); },
                               "22CEF1BFC12745C694A05C0EFA85E3F1", 0),
      MakeRow<IZinImage>("images", [](IZinMgr* m) { return &m->getImages(); }, "8697F44E6B7A4284970D3FB3C7447206", 0),
      MakeRow<IZinObjectInstance>("object instances", [](IZinMgr* m) { return m->getObjectInstances(); },
                                  "A0993482906A4F35B5818FBC15823458", 0),
      MakeRow<IZinScenario>("scenarios", [](IZinMgr* m) { return m->getScenarios(); },
                            "AA07FC601C724B4193F8D884D10FEA66", 0),
      MakeRow<IZin3DPath>("3D paths", [](IZinMgr* m) { return m->get3DPaths(); }, "B27CF0E2236148A1BFCD9043D59B5726",
                          0),
      MakeRow<IZinEnvironment>("environments", [](IZinMgr* m) { return m->getEnvironments(); },
                               "11F79C88B9DF4F309F90F6259D5A6998", 0),
      MakeRow<IZinGround>("grounds", [](IZinMgr* m) { return m->getGrounds(); }, "5DA0F7A7048A4D318FB25F92C1159D7E",
                          0),
      MakeRow<IZinLayer>("layers", [](IZinMgr* m) { return m->getLayers(); }, "44B3C0649EB84B6CB315019357CFCA06", 0),
      MakeRow<IZinLayer>("layers 2", [](IZinMgr* m) { return m->getLayers2(); }, "44B3C0649EB84B6CB315019357CFCA06",
                         0),
      MakeRow<IZinZinObjectDefinition>("internal component definitions",
                                       [](IZinMgr* m) { return m->getInternalComponentDefinitions(); },
                                       "D66FB65A4D0D4A4B876154F36A73045E", 0),
      MakeRow<IZinPanoramaV2>("panoramas", [](IZinMgr* m) { return m->getPanoramas(); },
                              "E746CA7862344968A0DACF66003DFDA7", 0, "", true),
      MakeRow<IZinAnimation>("animations", [](IZinMgr* m) { return Ex(m)->getAnimations(); },
                             "F29F8DF27BE94522ADC5FF107041EBA8", 0),
      MakeRow<IZinBBMgrData>("billboard data", [](IZinMgr* m) { return Ex(m)->getBBMgrData(); },
                             "69CD816C01F74E708B0380DAB7E3C399", 0),
      MakeRow<IZinParallelView>("working windows", [](IZinMgr* m) { return Ex(m)->getWorkingWindows(); },
                                "B76B9ACD18034DD586D5A542E2C5B27F", 0, "", true),
  };
}

// A client value whose last release records its label.
struct CReleaseLog final : IUnknown {
  CReleaseLog(std::vector<std::string>* log, std::string label) : mLog(log), mLabel(std::move(label)) {}
  ZinResult QueryInterface(const CZinUUID&, void** out) override { return *out = nullptr, kZinNoInterface; }
  int32_t AddRef() override { return ++mCount, 1; }
  int32_t Release() override { return (--mCount == 0 ? mLog->push_back(mLabel) : void()), 1; }
  std::vector<std::string>* mLog;
  std::string mLabel;
  int mCount = 0;
};

}  // namespace

TEST(ManagerCollections, NewManagerHoldsOneHeliodonAndEmptyCollections) {
  FeedbackRecorder feedback;
  ManagerHold hold(&feedback);
  IZinMgr* mgr = hold.mgr;
  for (const Row& row : Rows()) {
    SCOPED_TRACE(row.name);
    IZinObjectMgrBase* list = row.get(mgr);
    EXPECT_EQ(row.count, list->getCount());
    EXPECT_EQ(row.itemIID, list->getItemIID());
    EXPECT_TRUE(Answers(list, kIID_ZinObjectMgr));
    EXPECT_FALSE(Answers(list, kIID_ZinBasicObject));
    EXPECT_EQ(mgr->getObjectLink(), list->getObjectLink());  // owned through the link object
    EXPECT_EQ(list, row.get(mgr));  // the same collection every time
    row.checkNewElement(mgr, row);
  }
  EXPECT_EQ(mgr->getLayers(), mgr->getLayers2());
  EXPECT_NE(static_cast<IZinObjectMgrBase*>(mgr->getParallelViews()), Ex(mgr)->getWorkingWindows());
  EXPECT_EQ(1024u, static_cast<CZIN*>(mgr)->scene().mPoints->capacity());
  EXPECT_TRUE(Answers(&mgr->getPreviewImage(), IZinImage::sIID));
  EXPECT_TRUE(Answers(mgr->getObjectDefinitions(), IZinObjectDefinitionMgr::sIID));
  EXPECT_TRUE(Answers(mgr->getLayersInfo(), IZinLayerInfo::sIID));

  // Index warnings reach the feedback object with the manager.
  EXPECT_EQ(nullptr, mgr->getLights()->getZinObject(0));
  mgr->getHeliodons()->moveObject(0, 1);
  mgr->getPoints()->removeObject(kZinEndOfList);
  mgr->getPerspectiveViews()->removeObject(kZinEndOfList);
  EXPECT_EQ((Texts{"getZinObject: Bad index value", "moveObject: Bad index value",
                   "removeObject: no more object to remove", "removeObject: Bad index value"}),
            feedback.texts());
  for (const auto& warning : feedback.warnings) EXPECT_EQ(mgr, warning.mgr);
}

TEST(ManagerCollections, ShaderProperties) {
  ManagerHold hold;
  IZinMgrEx* ex = Ex(hold.mgr);
  CZinPropertyList& shaders = *static_cast<CZIN*>(hold.mgr)->scene().mShaderProperties;
  IZinProperty* first = ex->newShaderProperty();
  IZinProperty* second = ex->newShaderProperty();
  EXPECT_STREQ("Material #0", first->getBasicData()->getName());
  EXPECT_EQ(2u, shaders.getCount());
  EXPECT_EQ(0u, hold->getProperties()->getCount());  // a separate collection
  // Absent objects are not found: nothing happens, nothing is said.
  ex->removeShaderProperty(nullptr);
  ex->removeShaderProperty(hold->getProperties()->newZinObject(kZinEndOfList));
  ex->removeShaderProperty(first);
  EXPECT_EQ(1u, shaders.getCount());
  EXPECT_EQ(second, shaders.getZinObject(0));
}

TEST(ManagerCollections, ElementsOutliveTheManagerWhichReleasesInOrder) {
  FeedbackRecorder feedback;
  IZinMgr* mgr = nullptr;
  CZinEntryPoints::newZinMgr(&mgr, eZinVersionCurrent, &feedback);
  IZinCamera* camera = mgr->getPerspectiveViews()->newZinObject(kZinEndOfList);
  camera->AddRef();
  IZinMgrRef* link = camera->getBasicData()->getMgrRef();
  EXPECT_EQ(mgr, link->getMgr());

  std::vector<std::string> log;
  std::vector<std::unique_ptr<CReleaseLog>> values;
  CZinSceneCollections& scene = static_cast<CZIN*>(mgr)->scene();
  const std::pair<IZinBasic*, const char*> marks[] = {
      {scene.mAnimations.get(), "animations"}, {scene.mPanoramas.get(), "panoramas"},
      {scene.mPreviewImage.get(), "preview image"}, {scene.mImages.get(), "images"},
      {scene.mObjectDefinitions.get(), "object definitions"}, {scene.mObjectInstances.get(), "object instances"},
      {scene.mShaderProperties.get(), "shader properties"}, {scene.mScenarios.get(), "scenarios"},
      {scene.m3DPaths.get(), "3D paths"}, {scene.mEnvironments.get(), "environments"},
      {scene.mGrounds.get(), "grounds"}, {scene.mLayers.get(), "layers"},
      {scene.mHeliodons.get(), "heliodons"}, {scene.mPerspectiveViews.get(), "perspective views"},
      {scene.mPolygons.get(), "polygons"}, {scene.mPoints.get(), "points"},
      {scene.mProperties.get(), "properties"}, {scene.mLights.get(), "lights"},
      {scene.mViewObjects.get(), "view objects"}, {scene.mBBMgrData.get(), "billboard data"},
      {scene.mParallelViews.get(), "parallel views"}, {scene.mWorkingWindows.get(), "working windows"},
      {scene.mLightsGroups.get(), "light groups"}, {scene.mLayersInfo.get(), "layers information"},
      {scene.mInternalComponentDefinitions.get(), "internal component definitions"},
  };
  for (const auto& [object, label] : marks) {
    values.push_back(std::make_unique<CReleaseLog>(&log, label));
    object->getBasicData()->setUserData(CZinUUID::fromText("10C0000000000000000000000000000B"), values.back().get());
  }
  mgr->Release();
  EXPECT_EQ((std::vector<std::string>{
                "heliodons", "perspective views", "polygons", "points", "properties", "lights", "view objects",
                "billboard data", "parallel views", "working windows", "light groups", "layers information",
                "internal component definitions", "images", "preview image", "animations", "panoramas",
                "object definitions", "object instances", "shader properties", "scenarios", "3D paths",
                "environments", "grounds", "layers"}),
            log);
  EXPECT_EQ(nullptr, link->getMgr());
  link->warning("dropped");  // no manager, no feedback
  EXPECT_STREQ("View 0", camera->getBasicData()->getName());
  camera->Release();
  EXPECT_TRUE(feedback.warnings.empty());
}
