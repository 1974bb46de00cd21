#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <iterator>
#include <string>
#include <type_traits>
#include <vector>

#include "framework/object_mgr.h"
#include "framework/recording_link.h"
#include "framework/uuid_x.h"
#include "geometry/polygon_store.h"
#include "manager/image.h"
#include "materials/property.h"
#include "materials/sub_part.h"
#include "scene/animation.h"
#include "scene/environment.h"
#include "scene/ground.h"
#include "scene/heliodon.h"
#include "scene/lights.h"
#include "scene/objects.h"
#include "scene/panoramas.h"
#include "scene/views.h"

using namespace QvZin;
using QvZinTest::RecordingLink;

namespace {

bool Answers(IUnknown* object, const CZinUUID& iid) {
  void* out = nullptr;
  if (object->QueryInterface(iid, &out) != kZinOk) return false;
  static_cast<IUnknown*>(out)->Release();
  return out != nullptr;
}

// One instance of the collection table: its kind, the element identifier it
// reports, and what a new element looks like.
struct Row {
  const char* collection;
  const char* itemIID;
  std::function<void(const Row&)> check;
  const char* defaultName = "";
  bool view = false;
};

template <class M, class I>
Row Collection(const char* name, const char* iid, const char* defaultName = "", bool view = false) {
  Row row{name, iid, nullptr, defaultName, view};
  row.check = [](const Row& r) {
    RecordingLink link;
    {
      auto list = NewZinCollection<M>(&link);
      EXPECT_EQ(CZinUUID::fromText(r.itemIID), list->getItemIID());
      I* element = list->newZinObject(kZinEndOfList);
      ASSERT_NE(nullptr, element);
      if constexpr (std::is_base_of<IZinBasic, I>::value) {
        EXPECT_EQ(CZinUUID::fromText(r.itemIID), I::sIID);
        EXPECT_TRUE(Answers(element, I::sIID));
        EXPECT_TRUE(Answers(element, IID_IUnknown));
        EXPECT_TRUE(Answers(element, kIID_ZinBasicObject));
        EXPECT_EQ(r.view, Answers(element, kIID_ZinViewBasic));
        EXPECT_EQ(kZinInvalidArg, element->QueryInterface(I::sIID, nullptr));
        EXPECT_STREQ(r.defaultName, element->getBasicData()->getName());
        EXPECT_EQ(&link, element->getBasicData()->getMgrRef());
        EXPECT_EQ(static_cast<IZinObjectLink*>(&link), element->getObjectLink());
        EXPECT_FALSE(element->getBasicData()->getId()->isNull());
        EXPECT_EQ(0, element->getBasicData()->getUIValue());
      }
      EXPECT_TRUE(link.take().empty());
    }
    EXPECT_EQ(0, link.mCount);
  };
  return row;
}

// The table's collections by ownership kind: counted, held strongly, or plain.
template <class C, class I>
Row Com(const char* name, const char* iid, const char* defaultName = "", bool view = false) {
  return Collection<TComObjectMgr<C, I>, I>(name, iid, defaultName, view);
}
template <class C, class I>
Row Strong(const char* name, const char* iid, const char* defaultName = "") {
  return Collection<TObject2Mgr<C, I>, I>(name, iid, defaultName);
}
template <class C, class I>
Row Plain(const char* name, const char* iid) {
  return Collection<TObjectMgr<C, I>, I>(name, iid);
}

}  // namespace

TEST(ElementClasses, EveryCollectionOfTheTable) {
  const Row rows[] = {
      Com<CZin3DPath, IZin3DPath>("3D paths", "B27CF0E2236148A1BFCD9043D59B5726"),
      Com<CZinImage, IZinImage>("images", "8697F44E6B7A4284970D3FB3C7447206"),
      Com<CZinLayer, IZinLayer>("layers", "44B3C0649EB84B6CB315019357CFCA06"),
      Com<CZinObjectInstance, IZinObjectInstance>("object instances", "A0993482906A4F35B5818FBC15823458"),
      Com<CZinPanoLinkV2, IZinPanoLinkV2>("panorama links", "DC920CE649BC43CBAD8E8A2CECF4ACF4"),
      Com<CZinPanoramaV2, IZinPanoramaV2>("panoramas", "E746CA7862344968A0DACF66003DFDA7", "", true),
      Com<CZinParallelView, IZinParallelView>("parallel views", "B76B9ACD18034DD586D5A542E2C5B27F", "", true),
      Com<CCamera, IZinCamera>("cameras", "B60F6146384C440B942E81AA5F822019", "View 0", true),
      Com<CHeliodon, IZinHeliodon>("heliodons", "341D943027194BF7938ADC54ED8A391B", "Heliodon"),
      Com<CLight, IZinLight>("lights", "1254F117563C4EED972802DD0AB0C778"),
      Com<CViewObject, IZinViewObject>("view objects", "9201CC60367947AAA12F1B45DC526B0D", "Vue objet 1"),
      Strong<CAnimation, IZinCameraPath>("camera paths", "6B01EDFAF52F432AA9AE129E481106FC"),
      Strong<CZinAnimatedElement, IZinAnimatedElement>("animated elements", "FCA532B10018429AADDE01FAA8A5402C"),
      Strong<CZinAnimation, IZinAnimation>("animations", "F29F8DF27BE94522ADC5FF107041EBA8"),
      Strong<CZinZinObjectDefinition, IZinZinObjectDefinition>("object definitions", "D66FB65A4D0D4A4B876154F36A73045E"),
      Strong<CObjectSetup, IZinZinObjectDefinition::IZinZinObjectSetup>("object setups", "068EFCD69DBD4CA3964E014A536096A9"),
      Strong<CZinBBMgrData, IZinBBMgrData>("billboard data", "69CD816C01F74E708B0380DAB7E3C399"),
      Strong<CZinBezierPoint, IZinBezierPoint>("Bezier points", "EA9FA51A5E0648098C396B2DBC3DCD7B"),
      Strong<CZinEnvironment, IZinEnvironment>("environments", "11F79C88B9DF4F309F90F6259D5A6998"),
      Strong<CZinGround, IZinGround>("grounds", "5DA0F7A7048A4D318FB25F92C1159D7E"),
      Strong<CZinInterpolatedValue, IZinInterpolatedValue>("interpolated values", "EE9B48B60FB04627805B26B0EFA340D3"),
      Strong<CZinKeyFrame, IZinKeyFrame>("key frames", "4BBC92790EB34901BB5938BD6FDA4DF1"),
      Strong<CZinLightsGroup, IZinLightsGroup>("light groups", "22CEF1BFC12745C694A05C0EFA85E3F1"),
      Strong<CZinPanoNodeV2, IZinPanoNodeV2>("panorama nodes", "C98074929E694ED5968AD99AECB8012B"),
      Strong<CZinQuad, IZinQuad>("quads", "FD1EDBBF36464892AD10ACA7F668CD5C"),
      Strong<CZinScenario, IZinScenario>("scenarios", "AA07FC601C724B4193F8D884D10FEA66"),
      Strong<CZinScenarioTimeGuide, IZinScenarioTimeGuide>("time guides", "567933ED95DE47B4AFC295D02521AAD7"),
      Strong<CZinSequence, IZinSequence>("sequences", "2E9174E2853B4A2AB49E6060145DCFE0", "Sequence 0"),
      Strong<CZinSnd, IZinSnd>("sounds", "0EA795F3EDBC4AA1B14C2CFF3E1F729E"),
      Strong<CZinTake, IZinAnimatedObject::IZinTake>("takes", "4353E20F821A4B559ABED24926213674"),
      Strong<CLoop, IZinPolygon::IZinHole>("holes", "FE405466A1354D50934C1DC31C061D78"),
      Collection<CPolygonStore, IZinPolygon>("polygons", "F30DC520463B4D53950CEE9DFAF36FF2"),
      Strong<CProperty, IZinProperty>("properties", "CD5B3D7D4175487F9E6AE05DEFC83B5C", "Material #0"),
      Plain<CZinMultiMaps, IZinMultiMaps>("maps", "57420C346A954C989B036A92F67F073E"),
      Plain<CZinSubPart, IZinSubPart>("sub-parts", "ACC4A3A5FC0F4459BF083D362B6191F9"),
      Plain<CZinUUIDX, CZinUUID>("identifiers", "4F9C1F83DEFB4453B882001C03F72FC0"),
      Plain<CCamKey, IZinCamKey>("camera keys", "D399F769F7E04435A77988B4E47ED30A"),
      Plain<CPlantSetUp, IZin3DPlant::IPlantSetUp>("plant setups", "AE92E7E3E3674EE58903EF7135AABA0F"),
      Collection<TSimpleMgr<CZinPoint>, CZinPoint>("points", "C821EB72833F4FFDBB6A3122214E5B64"),
      Collection<TSimpleMgr<CZinVertex>, CZinVertex>("vertices", "39A68E1301F14D29AE55CDAB548A807E"),
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.collection);
    row.check(row);
  }
}

TEST(ElementClasses, SingleObjectsAnswerTheirIdentifier) {
  RecordingLink link;
  {
    TZinComPtr<CZinObjectDefinitionMgr> definitions(CreateZinObject<CZinObjectDefinitionMgr>(&link));
    TZinComPtr<CZinLayerInfo> layersInfo(CreateZinObject<CZinLayerInfo>(&link));
    TZinComPtr<CZinBBMgrData> data(CreateZinObject<CZinBBMgrData>(&link));
    IZinBillboard* billboard = data->getBillboard();
    EXPECT_TRUE(Answers(definitions.get(), IZinObjectDefinitionMgr::sIID));
    EXPECT_TRUE(Answers(layersInfo.get(), IZinLayerInfo::sIID));
    EXPECT_TRUE(Answers(billboard, IZinBillboard::sIID));
    EXPECT_TRUE(Answers(billboard, IZinBBMgrData::sIID));
    EXPECT_FALSE(Answers(billboard, IZinLayerInfo::sIID));
    // Made-up identifiers must not collide with one another nor with the table's.
    const CZinUUID own[] = {IZinObjectDefinitionMgr::sIID, IZinLayerInfo::sIID, IZinBillboard::sIID,
                            IZin3DPlant::sIID, IZinAnimatedObject::sIID};
    for (size_t i = 0; i < std::size(own); ++i)
      for (size_t j = i + 1; j < std::size(own); ++j) EXPECT_NE(own[i], own[j]);
  }
  EXPECT_EQ(0, link.mCount);
}

TEST(ElementClasses, PolygonHoldsItsContours) {
  RecordingLink link;
  {
    TZinComPtr<CPolygon> polygon(CreateZinObject<CPolygon>(&link));
    EXPECT_FALSE(polygon->isSmooth());
    EXPECT_EQ(0, polygon->getPropertyIndex());
    polygon->setSmooth(true);
    polygon->setPropertyIndex(-3);
    EXPECT_TRUE(polygon->isSmooth());
    EXPECT_EQ(-3, polygon->getPropertyIndex());
    CZinVertex* vertex = polygon->getContour()->newZinObject(kZinEndOfList);
    vertex->mPointIndex = 7;
    vertex->mFlags = CZinVertex::kMapped;
    IZinPolygon::IZinHole* hole = polygon->getHoles()->newZinObject(kZinEndOfList);
    hole->getContour()->newZinObject(kZinEndOfList)->mPointIndex = 9;
    EXPECT_EQ(1u, polygon->getContour()->getCount());
    EXPECT_EQ(9, polygon->getHoles()->getZinObject(0)->getContour()->getZinObject(0)->mPointIndex);
    // The contours warn through the polygon's owner.
    polygon->getHoles()->getZinObject(1);
    EXPECT_EQ(std::vector<std::string>{"getZinObject: Bad index value"}, link.take());
  }
  EXPECT_EQ(0, link.mCount);
  static_assert(std::is_trivially_copyable<CZinVertex>::value && sizeof(CZinVertex) == 16, "a packed record");
  static_assert(std::is_trivially_copyable<CZinPoint>::value && sizeof(CZinPoint) == 24, "three doubles");
}
