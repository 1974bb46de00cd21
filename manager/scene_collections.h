// The manager's scene collections. Every collection is owned through one strong
// reference and given the manager's link object as owner, so that the objects it
// creates reach the manager without keeping it alive.
#pragma once

#include "ZinComPtr.h"
#include "ZinGeometry.h"
#include "framework/object_mgr.h"
#include "geometry/polygon_store.h"
#include "manager/image.h"
#include "materials/property.h"
#include "scene/animation.h"
#include "scene/environment.h"
#include "scene/ground.h"
#include "scene/heliodon.h"
#include "scene/lights.h"
#include "scene/objects.h"
#include "scene/panoramas.h"
#include "scene/views.h"

namespace QvZin {

using CZinHeliodonList = TComObjectMgr<CHeliodon, IZinHeliodon>;
using CZinCameraList = TComObjectMgr<CCamera, IZinCamera>;
using CZinPolygonList = CPolygonStore;
using CZinPointList = TSimpleMgr<CZinPoint>;
using CZinLightList = TComObjectMgr<CLight, IZinLight>;
using CZinViewObjectList = TComObjectMgr<CViewObject, IZinViewObject>;
using CZinBBMgrDataList = TObject2Mgr<CZinBBMgrData, IZinBBMgrData>;
using CZinParallelViewList = TComObjectMgr<CZinParallelView, IZinParallelView>;
using CZinLightsGroupList = TObject2Mgr<CZinLightsGroup, IZinLightsGroup>;
using CZinAnimationList = TObject2Mgr<CZinAnimation, IZinAnimation>;
using CZinPanoramaList = TComObjectMgr<CZinPanoramaV2, IZinPanoramaV2>;
using CZinObjectInstanceList = TComObjectMgr<CZinObjectInstance, IZinObjectInstance>;
using CZinScenarioList = TObject2Mgr<CZinScenario, IZinScenario>;
using CZin3DPathList = TComObjectMgr<CZin3DPath, IZin3DPath>;
using CZinEnvironmentList = TObject2Mgr<CZinEnvironment, IZinEnvironment>;
using CZinGroundList = TObject2Mgr<CZinGround, IZinGround>;
using CZinLayerList = TComObjectMgr<CZinLayer, IZinLayer>;
using CZinImageList = TComObjectMgr<CZinImage, IZinImage>;

/// The initial capacity of the scene's point collection.
constexpr uint32_t kZinInitialPointCapacity = 1024;

/// The scene containers of one manager, created and released in the manager's
/// fixed orders. The manager creates its file information between createFront and
/// createBack, and releases it between releaseScene and releaseImages.
struct CZinSceneCollections {
  CZinSceneCollections() = default;
  CZinSceneCollections(const CZinSceneCollections&) = delete;
  CZinSceneCollections& operator=(const CZinSceneCollections&) = delete;
  /// Releases what is left, in the order of the three release steps.
  ~CZinSceneCollections();

  /// Animations, panoramas, the preview image and the images.
  void createFront(IZinMgrRef* link);
  /// Object definitions, object instances, shader properties, scenarios, 3D paths,
  /// environments, grounds, layers, heliodons (with the one heliodon of a new
  /// manager), perspective views, polygons, points, properties, lights, view
  /// objects, billboard data, parallel views, working windows, light groups, layers
  /// information, internal component definitions.
  void createBack(IZinMgrRef* link);

  /// Heliodons, perspective views, polygons, points, properties, lights, view
  /// objects, billboard data, parallel views, working windows, light groups, layers
  /// information, internal component definitions.
  void releaseScene();
  /// The images, then the preview image.
  void releaseImages();
  /// The remaining collections, in creation order.
  void releaseRest();

  TZinComPtr<CZinAnimationList> mAnimations;
  TZinComPtr<CZinPanoramaList> mPanoramas;
  TZinComPtr<CZinImage> mPreviewImage;
  TZinComPtr<CZinImageList> mImages;
  TZinComPtr<CZinObjectDefinitionMgr> mObjectDefinitions;
  TZinComPtr<CZinObjectInstanceList> mObjectInstances;
  TZinComPtr<CZinPropertyList> mShaderProperties;
  TZinComPtr<CZinScenarioList> mScenarios;
  TZinComPtr<CZin3DPathList> m3DPaths;
  TZinComPtr<CZinEnvironmentList> mEnvironments;
  TZinComPtr<CZinGroundList> mGrounds;
  TZinComPtr<CZinLayerList> mLayers;
  TZinComPtr<CZinHeliodonList> mHeliodons;
  TZinComPtr<CZinCameraList> mPerspectiveViews;
  TZinComPtr<CZinPolygonList> mPolygons;
  TZinComPtr<CZinPointList> mPoints;
  TZinComPtr<CZinPropertyList> mProperties;
  TZinComPtr<CZinLightList> mLights;
  TZinComPtr<CZinViewObjectList> mViewObjects;
  TZinComPtr<CZinBBMgrDataList> mBBMgrData;
  TZinComPtr<CZinParallelViewList> mParallelViews;
  TZinComPtr<CZinParallelViewList> mWorkingWindows;
  TZinComPtr<CZinLightsGroupList> mLightsGroups;
  TZinStrongPtr<CZinLayerInfo> mLayersInfo;
  TZinComPtr<CZinObjectDefinitionList> mInternalComponentDefinitions;
};

}  // namespace QvZin
