// Reading a whole document: the header check, one parse during which the data
// blocks are decoded as they pass, the document swap, then every collection
// refilled from its element.
#include <cstdio>
#include <cstring>
#include <set>
#include <string>

#include "manager/geometry_blocks.h"
#include "manager/collection_layouts.h"
#include "manager/image_provider.h"
#include "manager/mgr.h"
#include "manager/stream_adapter.h"
#include "scene/objects.h"
#include "serialization/parts.h"
#include "support/platform.h"
#include "support/raise.h"
#include "xml/root.h"
#include "xml/tree_reader.h"

namespace QvZin {

using QuorveXML::XIXMLElement;
using QuorveXML::XIXMLReadStream;

namespace {

bool NameIs(XIXMLElement* element, const char* name) {
  const char* key = element ? element->GetKeyRef() : nullptr;
  return key && std::strcmp(key, name) == 0;
}

// Gives provider to element. AddData takes it over only when it succeeds: an element
// that already holds a text refuses a second data node, and the provider goes.
void Attach(XIXMLElement* element, QuorveXML::IXMLCData* provider) {
  try {
    element->AddData(provider);
  } catch (...) {
    provider->Release();
    throw;
  }
}

// Calls destroy() on a storage reader whatever happens.
struct CReaderGuard {
  IZinExtStorageReader::IReader* reader;
  ~CReaderGuard() {
    if (reader) reader->destroy();
  }
};

// The parser's handler for data blocks: routes each block by the name of the
// element that holds it.
class CZINCDATAReader final : public QuorveXML::IXMLCDataReader {
public:
  CZINCDATAReader(CZIN* manager, IZinExtStorageReader* storage) : mManager(manager), mStorage(storage) {}

  bool Read(XIXMLElement* element, XIXMLReadStream* stream) override {
    const char* name = element && element->GetKeyRef() ? element->GetKeyRef() : "";
    try {
      ReadCData(element, stream);
      return true;
    } catch (const std::exception& e) {
      const std::string text = std::string("Error \"") + e.what() + "\" while parsing '" + name + "' data block";
      mManager->feedbackWarning(text.c_str());
    } catch (...) {
      const std::string text = std::string("Unknownm exception while parsing '") + name + "' data block";
      mManager->feedbackWarning(text.c_str());
    }
    return false;
  }

private:
  void ReadCData(XIXMLElement* element, XIXMLReadStream* stream) {
    CZinSceneCollections& scene = mManager->scene();
    if (NameIs(element, "Preview.Image")) {
      scene.mPreviewImage->readBlock(stream);
      Attach(element, new CImageProvider(scene.mPreviewImage.get()));
      return;
    }
    if (NameIs(element, "Image")) {
      auto* image = static_cast<CZinImage*>(scene.mImages->newZinObject(kZinEndOfList));
      Quorve::CheckPointer(image, "newZinObject: Can't allocate object");
      if (QuorveXML::XIXMLAttribute* uuid = element->FindAttribute(element->GetKey("UUID"))) {
        const CZinUUID id = CZinUUID::fromText(uuid->GetValue());
        image->setImageId(&id);
      }
      image->readBlock(stream);
      Attach(element, new CImageProvider(image));
      return;
    }
    const bool points = NameIs(element, "Points");
    if (!points && !NameIs(element, "Polygons")) throw std::runtime_error("CData block unknown");

    XIXMLElement* parent = element->GetNode()->GetParent();
    Quorve::CheckPointer(parent, "CZINCDATAReader::ReadCData - No parent node");
    CZinUUID id;
    int level = 0;
    if (NameIs(parent, "InternalComponentDefinition")) {
      QuorveXML::XIXMLAttribute* uuid = parent->FindAttribute(parent->GetKey("UUID"));
      Quorve::CheckPointer(uuid, "CZINCDATAReader::ReadCData - No UUID attributes");
      id = CZinUUID::fromText(uuid->GetValue());
      Quorve::CheckAssertion(!id.isNull(), "CZINCDATAReader::ReadCData - NULL UUID");
      XIXMLElement* levelElement = parent->FindElement(parent->GetKey("Geometry.Level"));
      Quorve::CheckPointer(levelElement, "CZINCDATAReader::ReadCData - No Geometry.Level element");
      QuorveXML::XIXMLData* levelText = levelElement->GetData();
      Quorve::CheckPointer(levelText, "CZINCDATAReader::ReadCData - No Geometry.Level data");
      levelText->Scan("%d", &level);
      DefinitionFor(id, level);
    }
    IZinExtStorageReader::IReader* reader = mStorage->createGeometryReader(id, level == 0);
    // A storage must not answer null; one that does fails this block, not the process.
    Quorve::CheckPointer(reader, "CZINCDATAReader::ReadCData - No geometry reader");
    CReaderGuard guard{reader};
    if (!stream) throw std::runtime_error("exception");
    if (points) {
      ReadPointsBlock(mManager, reader, stream);
      Attach(element, new CPointsProvider(mManager));
    } else {
      ReadPolygonsBlock(mManager, reader, stream);
      Attach(element, new CPolygonsProvider(mManager));
    }
  }

  // Makes sure an internal component definition with that id exists, appending one
  // with the level when there is none.
  void DefinitionFor(const CZinUUID& id, int level) {
    if (mManager->findComponent(id)) return;
    CZinObjectDefinitionList& components = *mManager->scene().mInternalComponentDefinitions;
    auto* definition = static_cast<CZinZinObjectDefinition*>(components.newZinObject(kZinEndOfList));
    Quorve::CheckPointer(definition, "newZinObject: Can't allocate object");
    definition->setId(id);
    definition->setGeometryLevel(level);
  }

  CZIN* mManager;
  IZinExtStorageReader* mStorage;
};

void GetRenderConfig(CZinXMLGet& root, CZinRenderConfig& config) {
  XIXMLElement* element = root.FindElement("Tmp.Render.Parameters");
  if (!element) return;
  CZinXMLGet in(element);
  config.name = in.GetAttributeLanguage("Config.Name");
  for (int i = 0; i < 12; ++i) {
    const std::string index = std::to_string(i + 1);
    const std::string value = "Double" + index;
    config.values[i] = in.GetDouble(value.c_str());
    config.minimums[i] = in.GetDouble((value + ".Min").c_str());
    config.maximums[i] = in.GetDouble((value + ".Max").c_str());
    config.flags[i] = in.HasElement(("BOOL" + index).c_str());
    const std::string text = "STR" + index;
    if (in.HasElement(text.c_str())) config.texts[i] = in.GetAttributeLanguage(text.c_str());
    config.colors[i] = in.GetColor(("COLOR" + index).c_str());
  }
}

// The internal component definitions of the file, in document order. Their
// geometry came with the parse into definitions found by id, so those are kept
// (not emptied and made again) and the rest are removed. Elements that repeat an
// id fed the one definition of that id during the parse, and stay one definition.
void GetComponents(CZinXMLGet& root, CZinObjectDefinitionList& components) {
  XIXMLElement* element = root.FindElement(kComponentsLayout.listTag);
  if (!element) return;
  // Known and placed ids, so that neither test searches the collection.
  std::set<CZinUUID> known, placedIds;
  for (uint32_t i = 0; i < components.getCount(); ++i)
    known.insert(*components.getZinObject(i)->getBasicData()->getId());
  uint32_t placed = 0;
  const char* key = element->GetKey(kComponentsLayout.itemTag);
  for (XIXMLElement* item = element->FindElement(key); item; item = item->GetNextSameElement()) {
    CZinXMLGet in(item);
    const char* uuid = in.GetAttribute("UUID");
    const CZinUUID id = uuid ? CZinUUID::fromText(uuid) : CZinUUID();
    if (uuid && !placedIds.insert(id).second) continue;
    uint32_t found = components.getCount();
    for (uint32_t i = placed; uuid && known.count(id) && i < components.getCount(); ++i)
      if (*components.getZinObject(i)->getBasicData()->getId() == id) {
        found = i;
        break;
      }
    if (found == components.getCount()) {
      if (!components.newZinObject(kZinEndOfList)) continue;
      found = components.getCount() - 1;
    }
    components.moveObject(found, placed);
    auto* definition = static_cast<CZinZinObjectDefinition*>(components.getZinObject(placed));
    if (XIXMLElement* object = in.FindElement(CZinObjectDefinitionMgr::kItemTag)) {
      CZinXMLGet objectIn(object);
      definition->getDefinition(objectIn);
    }
    // The component's own "UUID" names it, whatever its nested definition says.
    GetBasics(in, definition, kComponentsLayout);
    if (in.HasElement("Geometry.Level")) definition->setGeometryLevel(in.GetInteger("Geometry.Level"));
    ++placed;
  }
  while (components.getCount() > placed) components.removeObject(kZinEndOfList);
}

}  // namespace

void CZIN::readTopLevel(CZinXMLGet& root) {
  Quorve::CheckPointer(getMgrEx(eZinVersionCurrent), nullptr);
  if (XIXMLElement* info = root.FindElement("File.Info")) {
    CZinXMLGet in(info);
    if (in.HasElement("Origin")) {
      double origin[3];
      in.GetXYZ("Origin", origin);
      mFileInfo->setOrigin(origin);
    }
  }
  GetComponents(root, *mScene.mInternalComponentDefinitions);
  GetObjects(root, *mScene.mPerspectiveViews, kPerspectiveViewsLayout);
  GetObjects(root, *mScene.mHeliodons, kHeliodonsLayout);
  GetObjects(root, *mScene.mParallelViews, kParallelViewsLayout);
  // A panorama keeps the ids it holds as data: nothing is left to resolve after them.
  GetObjects(root, *mScene.mPanoramas, kPanoramasLayout);
  GetObjects(root, *mScene.mAnimations, kAnimationsLayout);
  GetObjects(root, *mScene.mViewObjects, kViewObjectsLayout);
  GetObjects(root, *mScene.mBBMgrData, kBillboardsLayout);
  GetObjects(root, *mScene.mProperties, kPropertiesLayout);
  GetObjects(root, *mScene.mLights, kLightsLayout);
  GetObjects(root, *mScene.mLightsGroups, kLightsGroupsLayout);
  XIXMLElement* working = root.FindElement("Working.Window");
  Quorve::CheckPointer(working, nullptr);
  CZinXMLGet workingIn(working);
  GetObjects(workingIn, *mScene.mWorkingWindows, kParallelViewsLayout);
  mScene.mObjectDefinitions->getDefinitions(root);
  GetObjects(root, *mScene.mObjectInstances, kObjectInstancesLayout);
  GetObjects(root, *mScene.mScenarios, kScenariosLayout);
  GetObjects(root, *mScene.m3DPaths, k3DPathsLayout);
  GetObjects(root, *mScene.mGrounds, kGroundsLayout);
  GetObjects(root, *mScene.mLayers, kLayersLayout);
  CZinPlacement{"Layers.Info"}.get(root, *mScene.mLayersInfo.getPtr());
  try {
    GetRenderConfig(root, mRenderConfig);
  } catch (...) {
    // The render configuration is a renderer's extra: a damaged one costs only
    // itself, and the fields read before the failure keep their values.
    Quorve::Platform::Diagnostic("GetTmpRenderParameters thrown error\n");
  }
}

void CZIN::useDocument(std::unique_ptr<QuorveXML::XCXMLTree> tree) {
  mFileNode = nullptr;
  mApplicationPI = mHeaderPI = nullptr;
  mTree = std::move(tree);
  QuorveXML::XCXMLRoot* root = mTree->GetRoot();
  mFileNode = root->FindElement(root->GetKey("Zin.File"));
  for (QuorveXML::XIXMLNode* node = root->GetFirstNode(); node && !(mApplicationPI && mHeaderPI);
       node = node->GetNext()) {
    QuorveXML::XIXMLPI* pi = node->AsPI();
    if (!pi) continue;
    if (!mApplicationPI && std::strcmp(pi->GetTarget(), "Application") == 0) mApplicationPI = pi;
    if (!mHeaderPI && std::strcmp(pi->GetTarget(), "Zin") == 0) mHeaderPI = pi;
  }
}

void CZIN::legacyFixUp() {
  // Files before 3.0.1 linked their first instance to the first internal component
  // implicitly.
  CZinObjectDefinitionList& components = *mScene.mInternalComponentDefinitions;
  CZinObjectInstanceList& instances = *mScene.mObjectInstances;
  if (components.getCount() == 0 || instances.getCount() == 0) return;
  IZinInternalComponentInstance* first = nullptr;
  instances.itemAt(0)->QueryInterface(IZinInternalComponentInstance::sIID, reinterpret_cast<void**>(&first));
  if (!first) return;
  if (first->getComponentId().isNull()) first->setComponentId(*components.itemAt(0)->getId());
  first->Release();
}

bool CZIN::read(IZinReadStream* stream, IZinExtStorageReader* storage) {
  if (!stream) {
    feedbackWarning("Not a valid zin file");
    return false;
  }
  const int64_t start = stream->tell();
  const CZinHeaderInfo header = ScanHeader(stream);
  if (header.library.major == 0) {
    feedbackWarning("Not a valid zin file");
    return false;
  }
  try {
    stream->seek(start);
    mFileFormatMajor = header.fileMajor;
    mFileFormatMinor = header.fileMinor;
    mFileVersion = header.library;
    CZINCDATAReader blocks(this, storage ? storage : this);
    QuorveXML::CXMLTreeReader reader(&blocks);
    CReadStreamAdapter adapter(stream);
    std::unique_ptr<QuorveXML::XCXMLTree> tree(reader.Read(&adapter));
    // A file without "Zin.File" fails before the swap, so the manager keeps a
    // document that it can still write.
    QuorveXML::XCXMLRoot* top = tree->GetRoot();
    CZinXMLGet root(top->FindElement(top->GetKey("Zin.File")));
    useDocument(std::move(tree));
    if (!mLinkObject) throw std::runtime_error("TZinComPtr::operator*() - Dereferencing NULL");
    readTopLevel(root);
    buildSkeleton();
    if (mFileVersion < CZinVersion{3, 0, 1}) legacyFixUp();
    return true;
  } catch (const std::exception& e) {
    feedbackWarning(e.what());
  } catch (...) {
    feedbackWarning("Unknown reading error");
  }
  return false;
}

void CZIN::readGeometry(IZinReadStream* stream, IZinExtStorageReader* storage) {
  try {
    Quorve::CheckPointer(storage, "IZinMgr::readGeometry - No geometry storage");
    CZINCDATAReader blocks(this, storage);
    QuorveXML::CXMLTreeReader reader(&blocks);
    CReadStreamAdapter adapter(stream);
    std::unique_ptr<QuorveXML::XCXMLTree> discarded(reader.Read(&adapter));
  } catch (const std::exception& e) {
    feedbackWarning(e.what());
  } catch (...) {
    feedbackWarning("Unknown reading error");
  }
}

}  // namespace QvZin
