// Writing a whole document: the skeleton brought up to date, every collection
// written into its element, the header and application instructions, then the
// serialisation onto the client's stream.
#include <cstdio>
#include <string>

#include "manager/geometry_blocks.h"
#include "manager/collection_layouts.h"
#include "manager/header.h"
#include "manager/image_provider.h"
#include "manager/mgr.h"
#include "manager/stream_adapter.h"
#include "scene/objects.h"
#include "serialization/parts.h"
#include "serialization/xml_add.h"
#include "support/raise.h"
#include "xml/root.h"

namespace QvZin {

using QuorveXML::XIXMLElement;

namespace {

XIXMLElement* Child(XIXMLElement* parent, const char* name) { return parent->FindElement(parent->GetKey(name)); }

void DeleteFirst(XIXMLElement* parent, const char* name) {
  if (XIXMLElement* child = Child(parent, name)) child->GetNode()->Delete();
}

// Moves node to immediately after anchor (before the next element sibling).
void PlaceAfter(XIXMLElement* parent, XIXMLElement* node, XIXMLElement* anchor) {
  XIXMLElement* next = anchor->GetNextElement();
  if (next == node) next = next->GetNextElement();
  parent->MoveNode(node->GetNode(), next ? next->GetNode() : nullptr);
}

void PutRenderConfig(CZinXMLAdd& root, const CZinRenderConfig& config) {
  DeleteChildElements(root.GetElement(), "Tmp.Render.Parameters");
  CZinXMLAdd out(root.AddElement("Tmp.Render.Parameters"), root);
  out.AddLanguage("Config.Name", config.name.c_str());
  for (int i = 0; i < 12; ++i) {
    const std::string index = std::to_string(i + 1);
    const std::string value = "Double" + index;
    out.AddDouble(value.c_str(), config.values[i]);
    out.AddDouble((value + ".Min").c_str(), config.minimums[i]);
    out.AddDouble((value + ".Max").c_str(), config.maximums[i]);
    out.AddBool(("BOOL" + index).c_str(), config.flags[i]);
    out.AddLanguage(("STR" + index).c_str(), config.texts[i].c_str());
    out.AddColor(("COLOR" + index).c_str(), config.colors[i]);
  }
}

void PutComponents(CZIN& manager, CZinXMLAdd& root) {
  auto& components = *manager.scene().mInternalComponentDefinitions;
  XIXMLElement* list = PutList(root, &components, kComponentsLayout);
  // One element per component, in order: its geometry blocks stream through the
  // providers when the document is written.
  XIXMLElement* item = list->GetFirstElement();
  for (uint32_t i = 0; i < components.getCount() && item; ++i, item = item->GetNextElement()) {
    auto* definition = static_cast<CZinZinObjectDefinition*>(components.getZinObject(i));
    CZinXMLAdd out(item);
    out.AddInteger("Geometry.Level", definition->geometryLevel());
    out.AddElement("Points")->AddData(new CPointsProvider(&manager));
    out.AddElement("Polygons")->AddData(new CPolygonsProvider(&manager));
    CZinXMLAdd object(out.AddElement(CZinObjectDefinitionMgr::kItemTag), out);
    definition->putDefinition(object);
  }
}

}  // namespace

void CZIN::writeTopLevel(CZinXMLAdd& root) {
  Quorve::CheckPointer(getMgrEx(eZinVersionCurrent), nullptr);
  XIXMLElement* file = root.GetElement();
  for (const char* old : {"Heliodon", "Image", "Preview", "Ambient", "Atmosphere", "Background", "Panoramas"})
    DeleteFirst(file, old);

  // The file information keeps its element; only its "Origin" is replaced.
  XIXMLElement* info = Child(file, "File.Info");
  if (!info) info = root.AddElement("File.Info");
  DeleteChildElements(info, "Origin");
  CZinXMLAdd(info).AddXYZ("Origin", mFileInfo->getOrigin());

  PutComponents(*this, root);
  PutObjects(root, *mScene.mHeliodons, kHeliodonsLayout);
  PutObjects(root, *mScene.mProperties, kPropertiesLayout);
  PutObjects(root, *mScene.mBBMgrData, kBillboardsLayout);
  PutObjects(root, *mScene.mLights, kLightsLayout);
  PutObjects(root, *mScene.mLightsGroups, kLightsGroupsLayout);
  PutObjects(root, *mScene.mPerspectiveViews, kPerspectiveViewsLayout);
  PutObjects(root, *mScene.mParallelViews, kParallelViewsLayout);
  PutObjects(root, *mScene.mPanoramas, kPanoramasLayout);
  PutObjects(root, *mScene.mAnimations, kAnimationsLayout);
  PutObjects(root, *mScene.mViewObjects, kViewObjectsLayout);
  DeleteChildElements(file, "Working.Window");
  CZinXMLAdd working(root.AddElement("Working.Window"), root);
  PutObjects(working, *mScene.mWorkingWindows, kParallelViewsLayout);
  mScene.mObjectDefinitions->putDefinitions(root);
  PutObjects(root, *mScene.mObjectInstances, kObjectInstancesLayout);
  PutObjects(root, *mScene.mScenarios, kScenariosLayout);
  PutObjects(root, *mScene.m3DPaths, k3DPathsLayout);
  PutObjects(root, *mScene.mGrounds, kGroundsLayout);
  PutObjects(root, *mScene.mLayers, kLayersLayout);
  CZinPlacement{"Layers.Info"}.put(root, *mScene.mLayersInfo.getPtr());
  PutRenderConfig(root, mRenderConfig);
  DeleteFirst(file, "Current.Id");
}

bool CZIN::writeEx(IZinWriteStream* stream, IZinExtStorageWriter* storage, const CZinVersion* version) {
  IZinExtStorageWriter* previous = mGeometryWriter;
  mGeometryWriter = storage ? storage : this;
  bool written = false;
  try {
    buildSkeleton();
    XIXMLElement* file = mFileNode;
    XIXMLElement* preview = Child(file, "Preview.Image");
    DeleteChildElements(file, "Images");
    XIXMLElement* images = file->AddElement(file->GetKey("Images"));
    PlaceAfter(file, images, preview);
    CZinImageList& list = *mScene.mImages;
    for (uint32_t i = 0; i < list.getCount(); ++i) {
      auto* image = static_cast<CZinImage*>(list.getZinObject(i));
      CZinXMLAdd item(images->AddElement(images->GetKey("Image")));
      item.AddUUID("UUID", *image->getImageId());
      item.GetElement()->AddData(new CImageProvider(image));
    }
    DeleteFirst(file, "Application.Data");
    if (!mLinkObject) throw std::runtime_error("TZinComPtr::operator*() - Dereferencing NULL");
    CZinXMLAdd root(file);
    writeTopLevel(root);

    if (mApplicationPI) {
      const std::string text = "name=\"" + mApplicationName + "\" version=\"" + mApplicationVersion + "\"";
      mApplicationPI->SetData(text.c_str());
    }
    if (mHeaderPI) {
      char text[256];
      FormatHeaderData(version, text, sizeof text);
      mHeaderPI->SetData(text);
    }
    XIXMLElement* info = Child(file, "File.Info");
    preview = Child(file, "Preview.Image");
    if (info && preview && preview->GetNextElement()) PlaceAfter(file, info, preview);

    CWriteStreamAdapter adapter(stream);
    mTree->GetRoot()->Write(&adapter);
    written = true;
  } catch (const std::exception& e) {
    const std::string text = std::string("Error \"") + e.what() + "\" while writting";
    feedbackWarning(text.c_str());
  } catch (...) {
    feedbackWarning("Unknownm exception while writting");
  }
  mGeometryWriter = previous;
  return written;
}

}  // namespace QvZin
