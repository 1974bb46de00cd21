// The manager's document: building it, its data-block skeleton, and the
// operations on its comments, URL and application data.
#include <cstdio>
#include <cstring>

#include "manager/collection_layouts.h"
#include "manager/geometry_blocks.h"
#include "manager/image_provider.h"
#include "manager/mgr.h"
#include "support/raise.h"
#include "xml/root.h"

namespace QvZin {

using QuorveXML::XIXMLElement;
using QuorveXML::XIXMLNode;

namespace {

// The first child element of parent named name, or null.
XIXMLElement* Child(XIXMLElement* parent, const char* name) { return parent->FindElement(parent->GetKey(name)); }

// Moves node to immediately after anchor: before the first element sibling that
// follows anchor, or to the end when none does.
void PlaceAfter(XIXMLElement* parent, XIXMLNode* node, XIXMLElement* anchor) {
  XIXMLElement* next = anchor ? anchor->GetNextElement() : nullptr;
  if (next == node->AsElement()) next = next->GetNextElement();
  parent->MoveNode(node, next ? next->GetNode() : nullptr);
}

XIXMLElement* AddAfter(XIXMLElement* parent, const char* name, XIXMLElement* anchor) {
  XIXMLElement* added = parent->AddElement(parent->GetKey(name));
  Quorve::CheckPointer(added, "%s - NULL ptr for tag %s", "CZinXMLAdd::AddElement", name);
  PlaceAfter(parent, added->GetNode(), anchor);
  return added;
}

// Runs operation, reporting what it throws through the feedback object as
// "Exception in <where> : <text>" and giving failure instead.
template <class R, class F>
R Guarded(CZIN& manager, const char* where, R failure, F&& operation) {
  try {
    return operation();
  } catch (const std::exception& e) {
    char text[1024];
    std::snprintf(text, sizeof text, "Exception in %s : %s", where, e.what());
    manager.feedbackWarning(text);
  } catch (...) {
    char text[1024];
    std::snprintf(text, sizeof text, "Unknown exception in %s", where);
    manager.feedbackWarning(text);
  }
  return failure;
}

}  // namespace

void CZIN::newDocument() {
  mFileNode = nullptr;
  mApplicationPI = mHeaderPI = nullptr;
  mTree.reset();
  auto tree = std::make_unique<QuorveXML::XCXMLTree>();
  QuorveXML::XCXMLRoot* root = tree->GetRoot();
  root->AddPI("xml", "version=\"1.0\" encoding=\"UTF-8\"");
  mHeaderPI = root->AddPI("Zin", "library=\"2.01\" file=\"5.0\"");
  mApplicationPI = root->AddPI("Application", "name=\"\" version=\"\"");
  mFileNode = root->AddElement(root->GetKey("Zin.File"));
  mTree = std::move(tree);
  buildSkeleton();
}

void CZIN::buildSkeleton() {
  XIXMLElement* file = mFileNode;
  Quorve::CheckPointer(file, "mFileNode is NULL");
  XIXMLElement* preview = Child(file, "Preview.Image");
  if (!preview) {
    preview = file->AddElement(file->GetKey("Preview.Image"));
    preview->AddData(new CImageProvider(mScene.mPreviewImage.get()));
  }
  if (!Child(file, "Images")) AddAfter(file, "Images", preview);
  DeleteChildElements(file, "Points");
  DeleteChildElements(file, "Polygons");
  if (mScene.mInternalComponentDefinitions->getCount() > 0) {
    if (!Child(file, "InternalComponentDefinitions")) AddAfter(file, "InternalComponentDefinitions", preview);
    return;
  }
  XIXMLElement* points = AddAfter(file, "Points", preview);
  points->AddData(new CPointsProvider(this));
  XIXMLElement* polygons = AddAfter(file, "Polygons", points);
  polygons->AddData(new CPolygonsProvider(this));
}

// ---- comments

const char* CZIN::getComment(int index) {
  return Guarded<const char*>(*this, "IZinMgr::getComment", nullptr, [&]() -> const char* {
    Quorve::CheckPointer(mTree.get(), "mTree is NULL");
    int seen = 0;
    for (XIXMLNode* node = mTree->GetRoot()->GetFirstNode(); node; node = node->GetNext())
      if (QuorveXML::XIXMLComment* comment = node->AsComment()) {
        if (seen++ == index) return comment->GetText();
      }
    return nullptr;
  });
}

int CZIN::setComment(const char* text, int index) {
  return Guarded<int>(*this, "IZinMgr::setComment", -1, [&]() -> int {
    Quorve::CheckPointer(mTree.get(), "mTree is NULL");
    QuorveXML::XCXMLRoot* root = mTree->GetRoot();
    int seen = 0;
    for (XIXMLNode* node = root->GetFirstNode(); node; node = node->GetNext()) {
      QuorveXML::XIXMLComment* comment = node->AsComment();
      if (!comment || seen++ != index) continue;
      if (text)
        comment->SetText(text);
      else
        node->Delete();
      return index;
    }
    if (!text) return -1;
    QuorveXML::XIXMLComment* added = root->AddComment(text);
    root->MoveNode(added->GetNode(), mFileNode ? mFileNode->GetNode() : nullptr);
    return seen;
  });
}

// ---- URL and application data

const char* CZIN::getURL() {
  return Guarded<const char*>(*this, "IZinMgr::getURL", "", [&]() -> const char* {
    Quorve::CheckPointer(mFileNode, "mFileNode is NULL");
    XIXMLElement* url = Child(mFileNode, "Save.Url");
    QuorveXML::XIXMLData* data = url ? url->GetData() : nullptr;
    return data ? data->GetText() : "";
  });
}

void CZIN::setURL(const char* text) {
  Guarded<int>(*this, "IZinMgr::setURL", 0, [&]() -> int {
    Quorve::CheckPointer(mFileNode, "mFileNode is NULL");
    XIXMLElement* url = Child(mFileNode, "Save.Url");
    if (!url) url = mFileNode->AddElement(mFileNode->GetKey("Save.Url"));
    if (QuorveXML::XIXMLData* data = url->GetData())
      data->GetNode()->Delete();
    url->AddData(text ? text : "");
    return 0;
  });
}

XIXMLElement* CZIN::getApplicationData(const char* tag) {
  return Guarded<XIXMLElement*>(*this, "IZinMgr::getApplicationData", nullptr, [&]() -> XIXMLElement* {
    Quorve::CheckPointer(mFileNode, "mFileNode is NULL");
    Quorve::CheckAssertion(tag && tag[0], "Invalid application tag");
    XIXMLElement* data = Child(mFileNode, "Application.Data");
    if (!data) data = mFileNode->AddElement(mFileNode->GetKey("Application.Data"));
    XIXMLElement* own = Child(data, tag);
    return own ? own : data->AddElement(data->GetKey(tag));
  });
}

}  // namespace QvZin
