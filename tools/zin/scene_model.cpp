// zin dump and zin diff: a generic walk of the document a manager writes.
#include "scene_model.h"

#include <algorithm>
#include <cstdio>
#include <stdexcept>
#include <unordered_map>

#include "ZinFileStreams.h"

using namespace QvZin;
using QuorveXML::XIXMLAttribute;
using QuorveXML::XIXMLData;
using QuorveXML::XIXMLElement;

namespace ZinTool {

namespace {

// Beyond this depth an element is shown as a note: the tool reads strangers' files and
// its walk and the JSON printer recurse.
constexpr int kMaxDepth = 200;
// Vertices with a bad point index kept for the report; the rest are only counted.
constexpr size_t kMaxBadIndices = 1000;

// Collects the geometry blocks of a file, by id.
class CGeometryCollector final : public IZinExtStorageReader {
public:
  CGeometryCollector(std::map<std::string, CGeometry>& blocks, bool keep) : mBlocks(blocks), mKeep(keep) {}

  class CReader final : public IReader {
  public:
    CReader(CGeometry& geometry, bool keep) : mGeometry(geometry), mKeep(keep) {}
    void destroy() override { delete this; }
    void setPointCount(int) override {}
    bool setPoint(const double* xyz, int) override {
      CGeometry& g = mGeometry;
      for (int axis = 0; axis < 3; ++axis) {
        g.min[axis] = g.points ? std::min(g.min[axis], xyz[axis]) : xyz[axis];
        g.max[axis] = g.points ? std::max(g.max[axis], xyz[axis]) : xyz[axis];
      }
      ++g.points;
      if (mKeep) g.xyz.insert(g.xyz.end(), xyz, xyz + 3);
      return true;
    }
    void setPolygonCount(int) override {}
    bool setPolygon(const IZinPolygon* constPolygon, int) override {
      // The interface's getters are not const; the polygon is only read.
      IZinPolygon* polygon = const_cast<IZinPolygon*>(constPolygon);
      CGeometry& g = mGeometry;
      CGeometry::CFace face{polygon->getPropertyIndex(), polygon->isSmooth(), {}};
      TZinObjectMgr<IZinPolygon::IZinHole>* holes = polygon->getHoles();
      const uint32_t contours = 1 + holes->getCount();
      for (uint32_t c = 0; c < contours; ++c) {
        TZinObjectMgr<CZinVertex>* contour = c ? holes->getZinObject(c - 1)->getContour() : polygon->getContour();
        const uint32_t count = contour->getCount();
        std::vector<int32_t> indices;
        for (uint32_t v = 0; v < count; ++v) {
          const int32_t index = contour->getZinObject(v)->mPointIndex;
          if (index < 0 || static_cast<uint32_t>(index) >= g.points) {
            // Checked again at the end: a file may put its points after its polygons.
            ++g.badIndexCount;
            if (g.badIndices.size() < kMaxBadIndices) g.badIndices.push_back({g.polygons, c, v, index});
          }
          if (mKeep) indices.push_back(index);
        }
        g.vertices += count;
        if (mKeep) face.contours.push_back(std::move(indices));
      }
      g.holes += contours - 1;
      ++g.polygons;
      if (mKeep) g.faces.push_back(std::move(face));
      return true;
    }

  private:
    CGeometry& mGeometry;
    bool mKeep;
  };

  IReader* createGeometryReader(const CZinUUID& id, bool) override {
    char text[33] = {};
    if (!(id == CZinUUID())) id.toText(text);
    return new CReader(mBlocks[text], mKeep);
  }

private:
  std::map<std::string, CGeometry>& mBlocks;
  bool mKeep;
};

Json Triple(const double* v) { return Json::array({v[0], v[1], v[2]}); }

Json GeometryJson(const CGeometry& g, bool points, bool keep) {
  Json out = Json::object();
  if (points) {
    out["count"] = g.points;
    if (g.points) out["bounds"] = {{"min", Triple(g.min)}, {"max", Triple(g.max)}};
    if (keep) {
      Json list = Json::array();
      for (size_t i = 0; i + 2 < g.xyz.size(); i += 3) list.push_back(Triple(&g.xyz[i]));
      out["points"] = std::move(list);
    }
    return out;
  }
  out["count"] = g.polygons;
  out["vertices"] = g.vertices;
  out["holes"] = g.holes;
  if (keep) {
    Json list = Json::array();
    for (const CGeometry::CFace& face : g.faces)
      list.push_back({{"property", face.property}, {"smooth", face.smooth}, {"contours", face.contours}});
    out["polygons"] = std::move(list);
  }
  return out;
}

}  // namespace

const char* ElementText(XIXMLElement* element) {
  XIXMLData* data = element->GetData();
  if (!data) return nullptr;
  try {
    return data->GetText();
  } catch (const std::exception&) {
    return nullptr;  // a data block: its bytes exist only while the document is written
  }
}

std::string ElementId(XIXMLElement* element) {
  if (XIXMLAttribute* attribute = element->FindAttribute(element->GetKey("UUID"))) return attribute->GetValue();
  if (XIXMLElement* child = element->FindElement(element->GetKey("UUID")))
    if (const char* text = ElementText(child)) return text;
  return "";
}

bool IsListItem(XIXMLElement* parent, XIXMLElement* child, int sameName, int siblings) {
  if (sameName > 1 || !ElementId(child).empty()) return true;
  return siblings == 1 && child->GetFirstElement() && !parent->GetFirstAttribute() && !ElementText(parent);
}

bool CLoadedScene::load(const std::string& path, bool keepGeometry) {
  mKeepGeometry = keepGeometry;
  if (!hold.mgr) {
    error = "cannot create a manager";
    return false;
  }
  CZinFileReadStream in(path.c_str());
  if (!in.isOpen()) {
    error = "cannot open " + path;
    return false;
  }
  if (!hold.mgr->read(&in, nullptr)) {
    error = feedback.warnings.empty() ? "cannot be read" : feedback.warnings.back();
    readWarnings = feedback.warnings;
    return false;
  }
  readWarnings = feedback.warnings;
  if (beforeRewrite) {
    QuorveXML::XIXMLElement* file = documentRoot();
    if (file) beforeRewrite(file);
  }
  // Writing brings the manager's document up to date from every collection; its
  // tree is then the file as this library understands it.
  CZinMemoryWriteStream written;
  if (!hold.mgr->write(&written, nullptr)) {
    error = "cannot be written again";
    return false;
  }
  mFile = documentRoot();
  if (!mFile) {
    error = "has no document";
    return false;
  }
  // The geometry comes from the written bytes, through a scratch manager whose
  // transformation is the identity, so coordinates are the file's own.
  CManagerHold scratch(nullptr);
  CGeometryCollector collector(geometry, keepGeometry);
  CZinMemoryReadStream again(written.bytes());
  if (scratch.mgr) scratch.mgr->readGeometry(&again, &collector);
  return true;
}

XIXMLElement* CLoadedScene::documentRoot() {
  // The document is reached from the client's own data element, which a write
  // deletes again; it is removed at once so the walks do not see it.
  XIXMLElement* own = hold.mgr->getApplicationData("zin.tool");
  XIXMLElement* data = own ? own->GetNode()->GetParent() : nullptr;
  XIXMLElement* file = data ? data->GetNode()->GetParent() : nullptr;
  if (data) data->GetNode()->Delete();
  return file;
}

Json CLoadedScene::block(XIXMLElement* element) {
  const std::string name = element->GetKeyRef();
  if (name == "Points" || name == "Polygons") {
    XIXMLElement* parent = element->GetNode()->GetParent();
    const std::string id = parent && parent != mFile ? ElementId(parent) : "";
    std::string key = id;
    std::transform(key.begin(), key.end(), key.begin(), ::toupper);
    auto found = geometry.find(key);
    return GeometryJson(found == geometry.end() ? CGeometry() : found->second, name == "Points", mKeepGeometry);
  }
  IZinImage* image = nullptr;
  if (name == "Preview.Image") {
    image = &hold.mgr->getPreviewImage();
  } else {
    const std::string id = ElementId(element);
    TZinObjectMgr<IZinImage>& images = hold.mgr->getImages();
    for (uint32_t i = 0; i < images.getCount() && !image; ++i) {
      char text[33];
      images.getZinObject(i)->getImageId()->toText(text);
      if (id == text) image = images.getZinObject(i);
    }
  }
  if (!image) return "data block";
  uint32_t width = 0, height = 0;
  image->getPixels(&width, &height, nullptr);
  return {{"width", width}, {"height", height}};
}

Json CLoadedScene::element(XIXMLElement* node, int depth) {
  XIXMLAttribute* attribute = node->GetFirstAttribute();
  XIXMLElement* child = node->GetFirstElement();
  const bool hasData = node->GetData() != nullptr;
  const char* text = ElementText(node);
  if (hasData && !text) {
    Json out = block(node);
    if (!attribute || !out.is_object()) return out;
    Json withAttributes = Json::object();
    for (; attribute; attribute = attribute->GetNext()) withAttributes[attribute->GetKeyRef()] = attribute->GetValue();
    withAttributes.update(out);
    return withAttributes;
  }
  if (!attribute && !child) return text ? text : "";
  Json out = Json::object();
  for (; attribute; attribute = attribute->GetNext()) out[attribute->GetKeyRef()] = attribute->GetValue();
  if (text) out["#text"] = text;
  if (depth >= kMaxDepth) {
    out["#nested"] = "deeper than " + std::to_string(kMaxDepth) + " levels";
    return out;
  }
  // A name that repeats among the children, or that names objects with ids, is a
  // list: its elements go into an array under that name, in file order.
  std::unordered_map<const char*, int> counts;
  int siblings = 0;
  for (XIXMLElement* c = child; c; c = c->GetNextElement(), ++siblings) ++counts[c->GetKeyRef()];
  for (XIXMLElement* c = child; c; c = c->GetNextElement()) {
    const char* name = c->GetKeyRef();
    Json value = element(c, depth + 1);
    if (IsListItem(node, c, counts[name], siblings)) {
      Json& list = out[name];
      if (!list.is_array()) list = Json::array();
      list.push_back(std::move(value));
    } else {
      out[name] = std::move(value);
    }
  }
  return out;
}

Json CLoadedScene::model() {
  Json out = Json::object();
  if (mFile) out[mFile->GetKeyRef()] = element(mFile, 0);
  return out;
}

// ---- text form

namespace {

std::string Scalar(const Json& value) {
  if (value.is_string()) return value.get<std::string>();
  return value.dump(-1, ' ', false, Json::error_handler_t::replace);
}

// A short array of plain values (a coordinate triple, a contour) stays on one line.
bool IsFlat(const Json& value) {
  if (!value.is_array()) return false;
  for (const Json& item : value)
    if (item.is_structured() && !IsFlat(item)) return false;
  return true;
}

void Text(const std::string& name, const Json& value, int depth, std::string& out) {
  const std::string indent(static_cast<size_t>(depth) * 2, ' ');
  if (!value.is_structured() || IsFlat(value)) {
    out += indent + name;
    const std::string text = Scalar(value);
    if (!text.empty()) out += " " + text;
    out += "\n";
    return;
  }
  if (value.is_array()) {
    for (size_t i = 0; i < value.size(); ++i) Text(name + "[" + std::to_string(i + 1) + "]", value[i], depth, out);
    return;
  }
  out += indent + name + "\n";
  for (auto it = value.begin(); it != value.end(); ++it) Text(it.key(), it.value(), depth + 1, out);
}

}  // namespace

std::string ModelText(const Json& model) {
  std::string out;
  for (auto it = model.begin(); it != model.end(); ++it) Text(it.key(), it.value(), 0, out);
  return out;
}

}  // namespace ZinTool
