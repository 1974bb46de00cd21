#include "manager/scene_collections.h"

namespace QvZin {

namespace {

template <class T>
TZinComPtr<T> NewObject(IZinMgrRef* link) {
  return TZinComPtr<T>(CreateZinObject<T>(link));
}

// The layers information is held through its control block, not an interface.
TZinStrongPtr<CZinLayerInfo> NewLayersInfo(IZinMgrRef* link) {
  CZinLayerInfo* info = CreateZinObject<CZinLayerInfo>(link);
  return TZinStrongPtr<CZinLayerInfo>(static_cast<TSharedPtr<CZinLayerInfo>*>(info->selfLink()));
}

}  // namespace

CZinSceneCollections::~CZinSceneCollections() {
  releaseScene();
  releaseImages();
  releaseRest();
}

void CZinSceneCollections::createFront(IZinMgrRef* link) {
  mAnimations = NewZinCollection<CZinAnimationList>(link);
  mPanoramas = NewZinCollection<CZinPanoramaList>(link);
  mPreviewImage = NewObject<CZinImage>(link);
  mImages = NewZinCollection<CZinImageList>(link);
}

void CZinSceneCollections::createBack(IZinMgrRef* link) {
  mObjectDefinitions = NewObject<CZinObjectDefinitionMgr>(link);
  mObjectInstances = NewZinCollection<CZinObjectInstanceList>(link);
  mShaderProperties = NewZinCollection<CZinPropertyList>(link);
  mScenarios = NewZinCollection<CZinScenarioList>(link);
  m3DPaths = NewZinCollection<CZin3DPathList>(link);
  mEnvironments = NewZinCollection<CZinEnvironmentList>(link);
  mGrounds = NewZinCollection<CZinGroundList>(link);
  mLayers = NewZinCollection<CZinLayerList>(link);
  mHeliodons = NewZinCollection<CZinHeliodonList>(link);
  mHeliodons->newZinObject(kZinEndOfList);
  mPerspectiveViews = NewZinCollection<CZinCameraList>(link);
  mPolygons = NewZinCollection<CZinPolygonList>(link);
  mPoints = NewZinCollection<CZinPointList>(link, kZinInitialPointCapacity);
  mProperties = NewZinCollection<CZinPropertyList>(link);
  mLights = NewZinCollection<CZinLightList>(link);
  mViewObjects = NewZinCollection<CZinViewObjectList>(link);
  mBBMgrData = NewZinCollection<CZinBBMgrDataList>(link);
  mParallelViews = NewZinCollection<CZinParallelViewList>(link);
  mWorkingWindows = NewZinCollection<CZinParallelViewList>(link);
  mLightsGroups = NewZinCollection<CZinLightsGroupList>(link);
  mLayersInfo = NewLayersInfo(link);
  mInternalComponentDefinitions = NewZinCollection<CZinObjectDefinitionList>(link);
}

void CZinSceneCollections::releaseScene() {
  mHeliodons.reset();
  mPerspectiveViews.reset();
  mPolygons.reset();
  mPoints.reset();
  mProperties.reset();
  mLights.reset();
  mViewObjects.reset();
  mBBMgrData.reset();
  mParallelViews.reset();
  mWorkingWindows.reset();
  mLightsGroups.reset();
  mLayersInfo.reset();
  mInternalComponentDefinitions.reset();
}

void CZinSceneCollections::releaseImages() {
  mImages.reset();
  mPreviewImage.reset();
}

void CZinSceneCollections::releaseRest() {
  mAnimations.reset();
  mPanoramas.reset();
  mObjectDefinitions.reset();
  mObjectInstances.reset();
  mShaderProperties.reset();
  mScenarios.reset();
  m3DPaths.reset();
  mEnvironments.reset();
  mGrounds.reset();
  mLayers.reset();
}

}  // namespace QvZin
