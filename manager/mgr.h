// The concrete manager.
#pragma once

#include <memory>
#include <string>

#include "ZinMgr.h"
#include "framework/obj_link_ref.h"
#include "manager/mgr_ref.h"
#include "manager/file_info.h"
#include "manager/scene_collections.h"
#include "serialization/xml_add.h"
#include "serialization/xml_get.h"
#include "xml/tree.h"

namespace QvZin {

class CZIN final : public TZinCOMObjLinkRef<IZinMgr>,
                   public TZinFrontier<IZinMgrEx>,
                   public IZinExtStorageReader,
                   public IZinExtStorageWriter {
public:
  /// Builds a manager bound to its control block self. Throws "Client is newer than
  /// Zin Library!" above generation 50 and "Client is obsolete for this Zin
  /// Library!" below 30.
  CZIN(TSharedPtr<CZIN>* self, EVersionZIN clientVersion, IZinFeedback* feedback);
  ~CZIN() override;

  /// Creates a manager with no reference yet; the caller takes the first one.
  static CZIN* Create(EVersionZIN clientVersion, IZinFeedback* feedback);

  // IUnknown
  ZinResult QueryInterface(const CZinUUID& iid, void** out) override;

  // IZinMgr
  void setApplication(const char* name, const char* version) override;
  IZinFileInfo* getFileInfo() override { return mFileInfo.get(); }
  IZinFileInfo* getFileInfo2() override { return mFileInfo.get(); }
  IZinMgrEx* getMgrEx(EVersionZIN clientVersion) override;
  const CZinVersion* getFileVersion() override { return &mFileVersion; }
  bool read(IZinReadStream* stream, IZinExtStorageReader* storage) override;
  bool write(IZinWriteStream* stream, IZinExtStorageWriter* storage) override {
    return writeEx(stream, storage, nullptr);
  }
  bool getFileFormat(int* major, int* minor) override;
  TZinObjectMgr<IZinCamera>* getPerspectiveViews() override { return mScene.mPerspectiveViews.get(); }
  TZinObjectMgr<IZinPolygon>* getPolygons() override { return mScene.mPolygons.get(); }
  TZinObjectMgr<CZinPoint>* getPoints() override { return mScene.mPoints.get(); }
  TZinObjectMgr<IZinProperty>* getProperties() override { return mScene.mProperties.get(); }
  TZinObjectMgr<IZinLight>* getLights() override { return mScene.mLights.get(); }
  TZinObjectMgr<IZinViewObject>* getViewObjects() override { return mScene.mViewObjects.get(); }
  TZinObjectMgr<IZinParallelView>* getParallelViews() override { return mScene.mParallelViews.get(); }
  TZinObjectMgr<IZinHeliodon>* getHeliodons() override { return mScene.mHeliodons.get(); }
  TZinObjectMgr<IZinLightsGroup>* getLightsGroups() override { return mScene.mLightsGroups.get(); }
  IZinImage& getPreviewImage() override { return *mScene.mPreviewImage; }
  TZinObjectMgr<IZinImage>& getImages() override { return *mScene.mImages; }
  IZinObjectDefinitionMgr* getObjectDefinitions() override { return mScene.mObjectDefinitions.get(); }
  TZinObjectMgr<IZinObjectInstance>* getObjectInstances() override { return mScene.mObjectInstances.get(); }
  const char* getLanguage() override { return link().getLanguage(); }
  void setLanguage(const char* language) override { link().setLanguage(language); }
  const char* getComment(int index) override;
  int setComment(const char* text, int index) override;
  const char* getURL() override;
  void setURL(const char* url) override;
  QuorveXML::XIXMLElement* getApplicationData(const char* tag) override;
  TZinObjectMgr<IZinScenario>* getScenarios() override { return mScene.mScenarios.get(); }
  TZinObjectMgr<IZin3DPath>* get3DPaths() override { return mScene.m3DPaths.get(); }
  TZinObjectMgr<IZinEnvironment>* getEnvironments() override { return mScene.mEnvironments.get(); }
  TZinObjectMgr<IZinGround>* getGrounds() override { return mScene.mGrounds.get(); }
  TZinObjectMgr<IZinLayer>* getLayers() override { return mScene.mLayers.get(); }
  TZinObjectMgr<IZinLayer>* getLayers2() override { return mScene.mLayers.get(); }
  IZinLayerInfo* getLayersInfo() override { return mScene.mLayersInfo.getPtr(); }
  TZinObjectMgr<IZinZinObjectDefinition>* getInternalComponentDefinitions() override {
    return mScene.mInternalComponentDefinitions.get();
  }
  IZinExtStorageWriter* setGeometryWriter(IZinExtStorageWriter* writer) override;
  void readGeometry(IZinReadStream* stream, IZinExtStorageReader* storage) override;
  bool writeEx(IZinWriteStream* stream, IZinExtStorageWriter* storage, const CZinVersion* version) override;
  bool readMediaInfo(IZinReadStream* stream) override;
  TZinObjectMgr<IZinPanoramaV2>* getPanoramas() override { return mScene.mPanoramas.get(); }
  const double* getTransformation() override { return link().getTransformation(); }
  void setTransformation(const double* matrix) override { link().setTransformation(matrix); }

  // IZinMgrEx
  TZinObjectMgr<IZinAnimation>* getAnimations() override { return mScene.mAnimations.get(); }
  TZinObjectMgr<IZinBBMgrData>* getBBMgrData() override { return mScene.mBBMgrData.get(); }
  bool readShader(IZinProperty* property, IZinReadStream* stream) override;
  bool writeShader(IZinProperty* property, IZinWriteStream* stream) override;
  TZinObjectMgr<IZinParallelView>* getWorkingWindows() override { return mScene.mWorkingWindows.get(); }
  IZinProperty* newShaderProperty() override;
  void removeShaderProperty(IZinProperty* property) override;
  CZinRenderConfig* getRenderConfig() override { return &mRenderConfig; }

  // The manager as its own geometry storage.
  IZinExtStorageReader::IReader* createGeometryReader(const CZinUUID& id, bool levelZero) override;
  IZinExtStorageWriter::IWriter* createGeometryWriter(const CZinUUID& id) override;

  /// The geometry storage of the write in progress; throws "CZIN::getGeometryWriter -
  /// No external geometry reader set (pointer is NULL)" when none is set.
  IZinExtStorageWriter* getGeometryWriter() const;
  /// The internal component definition with that id (the last of several), or null;
  /// constant time.
  CZinZinObjectDefinition* findComponent(const CZinUUID& id);

  // ---- the document (manager/document*.cpp)
  QuorveXML::XCXMLTree* tree() const { return mTree.get(); }
  QuorveXML::XIXMLElement* fileNode() const { return mFileNode; }
  /// Destroys the document and builds a new one: declaration, header and
  /// application instructions, "Zin.File", then the skeleton.
  void newDocument();
  /// Ensures the data-block elements and their providers under "Zin.File".
  void buildSkeleton();

  /// The scene collections, for the document code.
  CZinSceneCollections& scene() { return mScene; }

  IZinFeedback* getFeedback() const { return mFeedback; }
  EVersionZIN getClientVersion() const { return mClientVersion; }
  /// Sends message to the feedback object with this manager, when there is one.
  void feedbackWarning(const char* message);
  /// The link object; throws "TZinComPtr::operator->() - Dereferencing NULL" when missing.
  CZinMgrRef& link() const;

private:
  static IZinMgrRef* NewLink(TSharedPtr<CZIN>* self);

  TZinComPtr<IZinMgrRef> mLink;
  CZinMgrRef* mLinkObject = nullptr;
  int32_t mFileFormatMajor = 5;
  int32_t mFileFormatMinor = 1;
  EVersionZIN mClientVersion;
  IZinFeedback* mFeedback;
  std::string mApplicationName;
  std::string mApplicationVersion;
  CZinVersion mFileVersion;
  CZinSceneCollections mScene;
  TZinComPtr<CZinFileInfo> mFileInfo;
  IZinExtStorageWriter* mGeometryWriter = nullptr;
  std::unique_ptr<QuorveXML::XCXMLTree> mTree;
  QuorveXML::XIXMLElement* mFileNode = nullptr;
  QuorveXML::XIXMLPI* mApplicationPI = nullptr;
  QuorveXML::XIXMLPI* mHeaderPI = nullptr;
  CZinRenderConfig mRenderConfig;

  // Writing and reading (manager/document_write.cpp, document_read.cpp).
  void writeTopLevel(CZinXMLAdd& root);
  void readTopLevel(CZinXMLGet& root);
  void useDocument(std::unique_ptr<QuorveXML::XCXMLTree> tree);
  void legacyFixUp();
};

}  // namespace QvZin
