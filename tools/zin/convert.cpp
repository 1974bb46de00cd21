// zin convert: ZIN to and from the formats of the Open Asset Import Library. The
// geometry never passes through a manager's collections: on the way in the ZIN
// writer pulls it from the imported meshes through the external storage interface,
// on the way out the ZIN reader pushes it into the meshes being built.
#include <assimp/Exporter.hpp>
#include <assimp/Importer.hpp>
#include <assimp/ProgressHandler.hpp>
#include <assimp/postprocess.h>
#include <assimp/scene.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <atomic>
#include <cmath>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <map>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "ZinFileStreams.h"
#include "commands.h"
#include "triangulate.h"

using namespace QvZin;

namespace ZinTool {

namespace {

std::atomic<bool> gCancelled{false};

extern "C" void OnInterrupt(int) { gCancelled = true; }

// The progress bar on standard error (only on a terminal), and the cancel flag that
// Ctrl-C raises; every callback of both libraries asks it.
class CProgress {
public:
  explicit CProgress(long cancelAfter) : mTerminal(isatty(2) != 0), mCancelAfter(cancelAfter) {}
  ~CProgress() {
    if (mShown) std::fprintf(stderr, "\n");
  }
  // fraction in [0, 1]; false once cancelled.
  bool step(double fraction) {
    if (mCancelAfter >= 0 && ++mSteps > mCancelAfter) gCancelled = true;
    if (gCancelled) return false;
    const int percent = fraction < 0 ? 0 : fraction > 1 ? 100 : static_cast<int>(fraction * 100);
    if (mTerminal && percent != mPercent) {
      mPercent = percent;
      mShown = true;
      char bar[41];
      for (int i = 0; i < 40; ++i) bar[i] = i < percent * 40 / 100 ? '#' : ' ';
      bar[40] = 0;
      std::fprintf(stderr, "\r[%s] %3d%% %s", bar, percent, mStage);
    }
    return true;
  }
  const char* mStage = "";

private:
  bool mTerminal;
  bool mShown = false;
  int mPercent = -1;
  long mCancelAfter;  // for tests: cancel after this many steps (-1: never)
  long mSteps = 0;
};

class CAssimpProgress final : public Assimp::ProgressHandler {
public:
  explicit CAssimpProgress(CProgress& progress) : mProgress(progress) {}
  bool Update(float percentage) override { return mProgress.step(percentage < 0 ? 0 : percentage); }

private:
  CProgress& mProgress;
};

class CFeedback final : public IZinFeedback {
public:
  explicit CFeedback(CProgress& progress) : mProgress(progress) {}
  bool warning(IZinMgr*, const char* message) override {
    if (!gCancelled) std::fprintf(stderr, "warning: %s\n", message ? message : "");
    return true;
  }
  bool progress(IZinMgr*, int position, int range) override {
    return mProgress.step(range > 0 ? double(position) / range : 0);
  }

private:
  CProgress& mProgress;
};

// ---- materials: a property's diffuse colour and texture, in its shader graph

// What the other formats keep of a material: its diffuse colour and its texture.
struct CMaterialLook {
  bool colored = false;
  CZinColor diffuse;
  std::string texture;  // empty: none
};

constexpr int32_t kDiffuseMap = 1;  // the map channel "Diffuse"

uint8_t ColorByte(float value) {
  if (!(value > 0)) return 0;
  return value >= 1 ? 255 : static_cast<uint8_t>(std::lround(value * 255));
}

// The graph of an imported material: a leaf of the diffuse colour under the root,
// or under a mapping node holding the texture's diffuse map.
void SetLook(IZinProperty* property, const CMaterialLook& look) {
  if (!look.colored && look.texture.empty()) return;
  IZinTCE* tce = property->getTCE();
  TZinComPtr<ITCENode> leaf;
  leaf.attach(tce->createNode(eLeafNode));
  if (!leaf) return;
  if (look.colored) leaf->asLeafNode()->setDiffuse(look.diffuse);
  if (look.texture.empty()) {
    tce->getRootNode()->addChild(leaf.get());
    return;
  }
  TZinComPtr<ITCENode> mapping;
  mapping.attach(tce->createNode(eMappingNode));
  if (!mapping) return;
  if (IZinMap* map = mapping->asMappingNode()->getMaps()->newZinObject(kZinEndOfList)) {
    map->setType(kDiffuseMap);
    map->setURL(look.texture.c_str());
  }
  mapping->addChild(leaf.get());
  tce->getRootNode()->addChild(mapping.get());
}

// The first leaf's diffuse colour and the first diffuse map of a mapping node, in a
// depth-first walk of the property's graph (a stack, not recursion: graphs come
// from files).
CMaterialLook LookOf(IZinProperty* property) {
  CMaterialLook look;
  std::vector<ITCENode*> stack{property->getTCE()->getRootNode()};
  while (!stack.empty() && (!look.colored || look.texture.empty())) {
    ITCENode* node = stack.back();
    stack.pop_back();
    if (!node) continue;
    if (ILeafNode* leaf = node->asLeafNode(); leaf && !look.colored) {
      look.colored = true;
      look.diffuse = leaf->getDiffuse();
    }
    if (IMappingNode* mapping = node->asMappingNode(); mapping && look.texture.empty()) {
      TZinObjectMgr<IZinMap>* maps = mapping->getMaps();
      for (uint32_t i = 0; i < maps->getCount() && look.texture.empty(); ++i)
        if (maps->getZinObject(i)->getType() == kDiffuseMap) look.texture = maps->getZinObject(i)->getURL();
    }
    for (uint32_t i = node->getChildCount(); i-- > 0;) stack.push_back(node->getChild(i));
  }
  return look;
}

void PutLook(aiMaterial* material, const CMaterialLook& look) {
  if (look.colored) {
    const aiColor3D diffuse(look.diffuse.red / 255.0f, look.diffuse.green / 255.0f, look.diffuse.blue / 255.0f);
    material->AddProperty(&diffuse, 1, AI_MATKEY_COLOR_DIFFUSE);
  }
  if (!look.texture.empty()) {
    const aiString texture(look.texture);
    material->AddProperty(&texture, AI_MATKEY_TEXTURE_DIFFUSE(0));
  }
}

// ---- model to ZIN: the meshes, seen as one geometry

class CMeshSource final : public IZinExtStorageWriter {
public:
  CMeshSource(const aiScene* scene, CProgress& progress) : mScene(scene), mProgress(progress) {
    for (unsigned m = 0; m < scene->mNumMeshes; ++m) {
      const aiMesh* mesh = scene->mMeshes[m];
      mPointBase.push_back(mPoints);
      mPoints += mesh->mNumVertices;
      for (unsigned f = 0; f < mesh->mNumFaces; ++f)
        if (mesh->mFaces[f].mNumIndices >= 3) mFaces.push_back({m, f});
    }
  }
  int points() const { return static_cast<int>(mPoints); }
  int polygons() const { return static_cast<int>(mFaces.size()); }

  class CWriter final : public IWriter {
  public:
    explicit CWriter(CMeshSource& source) : mSource(source) {}
    void destroy() override { delete this; }
    int getPointCount() override { return mSource.points(); }
    bool getPoint(double* xyz, int index) override {
      if (!mSource.tick(index, mSource.mPoints)) return false;
      // Meshes in order: find the mesh holding index.
      while (mMesh + 1 < mSource.mPointBase.size() && mSource.mPointBase[mMesh + 1] <= static_cast<unsigned>(index))
        ++mMesh;
      const aiVector3D& v = mSource.mScene->mMeshes[mMesh]->mVertices[index - mSource.mPointBase[mMesh]];
      xyz[0] = v.x;
      xyz[1] = v.y;
      xyz[2] = v.z;
      return true;
    }
    int getPolygonCount() override { return mSource.polygons(); }
    bool getPolygon(IZinPolygon* polygon, int index) override {
      if (!mSource.tick(index, mSource.mFaces.size())) return false;
      const auto [m, f] = mSource.mFaces[static_cast<size_t>(index)];
      const aiMesh* mesh = mSource.mScene->mMeshes[m];
      const aiFace& face = mesh->mFaces[f];
      polygon->setPropertyIndex(static_cast<int32_t>(mesh->mMaterialIndex));
      TZinObjectMgr<CZinVertex>* contour = polygon->getContour();
      for (unsigned i = 0; i < face.mNumIndices; ++i) {
        CZinVertex* vertex = contour->newZinObject(kZinEndOfList);
        const unsigned point = face.mIndices[i];
        vertex->mPointIndex = static_cast<int32_t>(mSource.mPointBase[m] + point);
        if (mesh->mTextureCoords[0] && point < mesh->mNumVertices) {
          vertex->mFlags = CZinVertex::kMapped;
          vertex->mU = mesh->mTextureCoords[0][point].x;
          vertex->mV = mesh->mTextureCoords[0][point].y;
        }
      }
      return true;
    }

  private:
    CMeshSource& mSource;
    size_t mMesh = 0;
  };

  IWriter* createGeometryWriter(const CZinUUID&) override { return new CWriter(*this); }

private:
  bool tick(int index, size_t count) {
    if ((index & 1023) == 0) return mProgress.step(count ? double(index) / double(count) : 1);
    return !gCancelled;
  }
  const aiScene* mScene;
  CProgress& mProgress;
  unsigned mPoints = 0;
  std::vector<unsigned> mPointBase;
  std::vector<std::pair<unsigned, unsigned>> mFaces;  // mesh, face
};

int ModelToZin(const std::string& input, const std::string& temporary, CProgress& progress) {
  Assimp::Importer importer;
  importer.SetProgressHandler(new CAssimpProgress(progress));  // the importer owns it
  progress.mStage = "reading";
  const aiScene* scene = importer.ReadFile(input, aiProcess_JoinIdenticalVertices | aiProcess_PreTransformVertices);
  if (gCancelled) return 130;
  if (!scene) {
    std::fprintf(stderr, "zin: %s: %s\n", input.c_str(), importer.GetErrorString());
    return 2;
  }
  CFeedback feedback(progress);
  CManagerHold hold(&feedback);
  IZinMgr* mgr = hold.mgr;
  mgr->setApplication("zin convert", "1.0");
  for (unsigned i = 0; i < scene->mNumMaterials; ++i) {
    IZinProperty* property = mgr->getProperties()->newZinObject(kZinEndOfList);
    const aiMaterial* material = scene->mMaterials[i];
    aiString name;
    if (material->Get(AI_MATKEY_NAME, name) == AI_SUCCESS) property->getBasicData()->setName(name.C_Str());
    CMaterialLook look;
    aiColor3D diffuse;
    if (material->Get(AI_MATKEY_COLOR_DIFFUSE, diffuse) == AI_SUCCESS) {
      look.colored = true;
      look.diffuse = CZinColor(ColorByte(diffuse.r), ColorByte(diffuse.g), ColorByte(diffuse.b));
    }
    aiString texture;
    if (material->GetTexture(aiTextureType_DIFFUSE, 0, &texture) == AI_SUCCESS) look.texture = texture.C_Str();
    SetLook(property, look);
  }
  for (unsigned i = 0; i < scene->mNumCameras; ++i) {
    const aiCamera* from = scene->mCameras[i];
    IZinCamera* camera = mgr->getPerspectiveViews()->newZinObject(kZinEndOfList);
    camera->getBasicData()->setName(from->mName.C_Str());
    camera->setPosition(CZinVector3D(from->mPosition.x, from->mPosition.y, from->mPosition.z));
    const aiVector3D target = from->mPosition + from->mLookAt;
    camera->setTarget(CZinVector3D(target.x, target.y, target.z));
  }
  for (unsigned i = 0; i < scene->mNumLights; ++i) {
    const aiLight* from = scene->mLights[i];
    IZinLight* light = mgr->getLights()->newZinObject(kZinEndOfList);
    light->getBasicData()->setName(from->mName.C_Str());
    light->setPosition(CZinVector3D(from->mPosition.x, from->mPosition.y, from->mPosition.z));
  }
  CMeshSource source(scene, progress);
  progress.mStage = "writing";
  CZinFileWriteStream out(temporary.c_str());
  const bool written = mgr->write(&out, &source);
  const bool closed = out.close();
  if (gCancelled) return 130;
  if (!written || !closed) {
    std::fprintf(stderr, "zin: cannot write %s\n", temporary.c_str());
    return 2;
  }
  return 0;
}

// ---- ZIN to model: the geometry goes straight into meshes, one per property index

// Where a piece of geometry lands: scale, then rotations about X, Y and Z (degrees),
// then the translation, as an instance places its component.
struct CPlacement {
  double scale[3] = {1, 1, 1};
  double rotation[9] = {1, 0, 0, 0, 1, 0, 0, 0, 1};  // row major
  double translation[3] = {0, 0, 0};

  static CPlacement Of(IZinObjectInstance* instance) {
    CPlacement placement;
    const CZinVector3D &s = instance->getScale(), &r = instance->getRotation(), &t = instance->getTranslation();
    const double scale[3] = {s.x, s.y, s.z}, translation[3] = {t.x, t.y, t.z};
    std::copy(scale, scale + 3, placement.scale);
    std::copy(translation, translation + 3, placement.translation);
    double cx, sx, cy, sy, cz, sz;
    CosSin(r.x, cx, sx);
    CosSin(r.y, cy, sy);
    CosSin(r.z, cz, sz);
    // Rz * Ry * Rx: X first.
    const double m[9] = {cz * cy, cz * sy * sx - sz * cx, cz * sy * cx + sz * sx,
                         sz * cy, sz * sy * sx + cz * cx, sz * sy * cx - cz * sx,
                         -sy,     cy * sx,                cy * cx};
    std::copy(m, m + 9, placement.rotation);
    return placement;
  }
  // Quarter turns exactly, so that a model turned by 90 degrees keeps round coordinates.
  static void CosSin(double degrees, double& c, double& s) {
    const double turn = std::fmod(degrees, 360.0);
    if (turn == std::floor(turn) && std::fmod(turn, 90.0) == 0) {
      static const double kCos[] = {1, 0, -1, 0}, kSin[] = {0, 1, 0, -1};
      const int quarter = (static_cast<int>(turn / 90) % 4 + 4) % 4;
      c = kCos[quarter];
      s = kSin[quarter];
      return;
    }
    const double radians = degrees * 3.14159265358979323846 / 180;
    c = std::cos(radians);
    s = std::sin(radians);
  }
  aiVector3D apply(const double* p) const {
    const double s[3] = {p[0] * scale[0], p[1] * scale[1], p[2] * scale[2]};
    double out[3];
    for (int row = 0; row < 3; ++row)
      out[row] = rotation[row * 3] * s[0] + rotation[row * 3 + 1] * s[1] + rotation[row * 3 + 2] * s[2] + translation[row];
    return aiVector3D(static_cast<ai_real>(out[0]), static_cast<ai_real>(out[1]), static_cast<ai_real>(out[2]));
  }
};

class CMeshSink final : public IZinExtStorageReader {
public:
  explicit CMeshSink(CProgress& progress) : mProgress(progress) {}

  // A polygon as read: its property, its outer contour and its holes.
  struct CFace {
    int32_t property = 0;
    std::vector<CZinVertex> outer;
    std::vector<std::vector<CZinVertex>> holes;
  };
  // A piece of geometry: the scene's own, or an internal component's.
  struct CGeometry {
    std::vector<double> points;  // xyz
    std::vector<CFace> faces;    // kept for a component only: the scene's go straight to the meshes
  };
  struct CMesh {
    std::vector<aiVector3D> vertices, uvs;
    std::vector<std::vector<unsigned>> faces;
    std::unordered_map<uint64_t, unsigned> fromPoint;  // (placement, point) -> mesh vertex
    bool mapped = false;
  };
  CGeometry own;
  std::map<std::string, CGeometry> components;  // by id text
  std::map<int32_t, CMesh> meshes;
  uint64_t skipped = 0;       // polygons naming points that do not exist
  uint64_t holesDropped = 0;  // polygons whose holes could not be triangulated

  // Adds face of geometry, placed, to the mesh of its property; placement numbers
  // the placed copy, so each copy gets vertices of its own.
  void place(const CFace& face, const CGeometry& geometry, const CPlacement& placement, uint32_t copy) {
    const size_t pointCount = geometry.points.size() / 3;
    auto valid = [&](const std::vector<CZinVertex>& contour) {
      for (const CZinVertex& vertex : contour)
        if (vertex.mPointIndex < 0 || static_cast<size_t>(vertex.mPointIndex) >= pointCount) return false;
      return true;
    };
    if (!valid(face.outer)) {
      ++skipped;
      return;
    }
    CMesh& mesh = meshes[face.property];
    auto vertexOf = [&](const CZinVertex& vertex) {
      const uint64_t key = (uint64_t{copy} << 32) | static_cast<uint32_t>(vertex.mPointIndex);
      auto [it, added] = mesh.fromPoint.emplace(key, static_cast<unsigned>(mesh.vertices.size()));
      if (added) {
        mesh.vertices.push_back(placement.apply(&geometry.points[static_cast<size_t>(vertex.mPointIndex) * 3]));
        mesh.uvs.emplace_back(0, 0, 0);
      }
      if (vertex.mFlags & CZinVertex::kMapped) {
        mesh.uvs[it->second] = aiVector3D(vertex.mU, vertex.mV, 0);
        mesh.mapped = true;
      }
      return it->second;
    };
    std::vector<const std::vector<CZinVertex>*> contours{&face.outer};
    for (const std::vector<CZinVertex>& hole : face.holes)
      if (hole.size() >= 3 && valid(hole)) contours.push_back(&hole);
    if (contours.size() > 1) {
      // The formats have no holes: the polygon goes as triangles that leave them open.
      std::vector<std::array<double, 3>> corners;
      std::vector<std::vector<unsigned>> indices;
      std::vector<const CZinVertex*> cornerVertices;
      for (const std::vector<CZinVertex>* contour : contours) {
        indices.emplace_back();
        for (const CZinVertex& vertex : *contour) {
          const double* p = &geometry.points[static_cast<size_t>(vertex.mPointIndex) * 3];
          indices.back().push_back(static_cast<unsigned>(corners.size()));
          corners.push_back({p[0], p[1], p[2]});
          cornerVertices.push_back(&vertex);
        }
      }
      const std::vector<std::array<unsigned, 3>> triangles = Triangulate(corners, indices);
      if (!triangles.empty()) {
        for (const std::array<unsigned, 3>& triangle : triangles)
          mesh.faces.push_back({vertexOf(*cornerVertices[triangle[0]]), vertexOf(*cornerVertices[triangle[1]]),
                                vertexOf(*cornerVertices[triangle[2]])});
        return;
      }
      ++holesDropped;
    }
    std::vector<unsigned> indices;
    for (const CZinVertex& vertex : face.outer) indices.push_back(vertexOf(vertex));
    mesh.faces.push_back(std::move(indices));
  }

  class CReader final : public IReader {
  public:
    CReader(CMeshSink& sink, CGeometry& geometry, bool own) : mSink(sink), mGeometry(geometry), mOwn(own) {}
    void destroy() override { delete this; }
    void setPointCount(int) override {}
    bool setPoint(const double* xyz, int) override {
      mGeometry.points.insert(mGeometry.points.end(), xyz, xyz + 3);
      return !gCancelled;
    }
    void setPolygonCount(int) override {}
    bool setPolygon(const IZinPolygon* constPolygon, int) override {
      IZinPolygon* polygon = const_cast<IZinPolygon*>(constPolygon);  // read only
      CFace face;
      face.property = polygon->getPropertyIndex();
      Collect(polygon->getContour(), face.outer);
      if (TZinObjectMgr<IZinPolygon::IZinHole>* holes = polygon->getHoles())
        for (uint32_t h = 0; h < holes->getCount(); ++h) {
          face.holes.emplace_back();
          Collect(holes->getZinObject(h)->getContour(), face.holes.back());
        }
      if (mOwn)
        mSink.place(face, mGeometry, CPlacement(), 0);
      else
        mGeometry.faces.push_back(std::move(face));
      return !gCancelled;
    }

  private:
    static void Collect(TZinObjectMgr<CZinVertex>* contour, std::vector<CZinVertex>& into) {
      for (uint32_t i = 0; contour && i < contour->getCount(); ++i) into.push_back(*contour->getZinObject(i));
    }
    CMeshSink& mSink;
    CGeometry& mGeometry;
    bool mOwn;
  };

  IReader* createGeometryReader(const CZinUUID& id, bool) override {
    if (id == CZinUUID()) return new CReader(*this, own, true);
    char text[33];
    id.toText(text);
    return new CReader(*this, components[text], false);
  }

  // Each internal component instance gets a copy of its component's geometry, placed
  // by the instance's transform.
  void placeInstances(TZinObjectMgr<IZinObjectInstance>* instances) {
    for (uint32_t i = 0; i < instances->getCount() && !gCancelled; ++i) {
      IZinObjectInstance* instance = instances->getZinObject(i);
      IZinInternalComponentInstance* kind = nullptr;
      if (instance->QueryInterface(IZinInternalComponentInstance::sIID, reinterpret_cast<void**>(&kind)) != kZinOk ||
          !kind)
        continue;
      char text[33];
      kind->getComponentId().toText(text);
      kind->Release();
      const auto found = components.find(text);
      if (found == components.end()) continue;
      const CPlacement placement = CPlacement::Of(instance);
      for (const CFace& face : found->second.faces) place(face, found->second, placement, i + 1);
      mProgress.step(double(i + 1) / instances->getCount());
    }
  }

private:
  CProgress& mProgress;
};

// The exporter's format id for the output's extension, or "".
std::string ExportFormat(const std::string& output) {
  const size_t dot = output.rfind('.');
  if (dot == std::string::npos) return "";
  std::string extension = output.substr(dot + 1);
  for (char& c : extension) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  Assimp::Exporter exporter;
  for (size_t i = 0; i < exporter.GetExportFormatCount(); ++i) {
    const aiExportFormatDesc* format = exporter.GetExportFormatDescription(i);
    if (extension == format->fileExtension) return format->id;
  }
  return "";
}

int ZinToModel(const std::string& input, const std::string& temporary, const std::string& format,
               CProgress& progress) {
  CFeedback feedback(progress);
  CManagerHold hold(&feedback);
  CZinFileReadStream in(input.c_str());
  if (!in.isOpen()) {
    std::fprintf(stderr, "zin: cannot open %s\n", input.c_str());
    return 2;
  }
  CMeshSink sink(progress);
  progress.mStage = "reading";
  const bool read = hold.mgr->read(&in, &sink);
  if (gCancelled) return 130;
  if (!read) {
    std::fprintf(stderr, "zin: %s could not be read\n", input.c_str());
    return 2;
  }
  sink.placeInstances(hold.mgr->getObjectInstances());
  if (gCancelled) return 130;
  if (sink.skipped) std::fprintf(stderr, "warning: %llu polygons name points that do not exist; left out\n",
                                 static_cast<unsigned long long>(sink.skipped));
  if (sink.holesDropped)
    std::fprintf(stderr, "warning: %llu polygons have holes that could not be cut; their outer contour only\n",
                 static_cast<unsigned long long>(sink.holesDropped));
  // The scene's ownership follows Assimp's: its destructor frees every array.
  auto scene = std::make_unique<aiScene>();
  TZinObjectMgr<IZinProperty>* properties = hold.mgr->getProperties();
  const unsigned materials = std::max<unsigned>(1, properties->getCount());
  scene->mNumMaterials = materials;
  scene->mMaterials = new aiMaterial*[materials];
  for (unsigned i = 0; i < materials; ++i) {
    scene->mMaterials[i] = new aiMaterial();
    IZinProperty* property = i < properties->getCount() ? properties->getZinObject(i) : nullptr;
    aiString name(property ? property->getBasicData()->getName() : "Default");
    scene->mMaterials[i]->AddProperty(&name, AI_MATKEY_NAME);
    if (property) PutLook(scene->mMaterials[i], LookOf(property));
  }
  scene->mRootNode = new aiNode("zin");
  std::vector<aiMesh*> meshes;
  for (auto& [property, from] : sink.meshes) {
    if (from.faces.empty()) continue;
    aiMesh* mesh = new aiMesh();
    mesh->mMaterialIndex = property >= 0 && static_cast<unsigned>(property) < materials ? static_cast<unsigned>(property) : 0;
    mesh->mNumVertices = static_cast<unsigned>(from.vertices.size());
    mesh->mVertices = new aiVector3D[mesh->mNumVertices];
    std::copy(from.vertices.begin(), from.vertices.end(), mesh->mVertices);
    if (from.mapped) {
      mesh->mTextureCoords[0] = new aiVector3D[mesh->mNumVertices];
      std::copy(from.uvs.begin(), from.uvs.end(), mesh->mTextureCoords[0]);
      mesh->mNumUVComponents[0] = 2;
    }
    mesh->mNumFaces = static_cast<unsigned>(from.faces.size());
    mesh->mFaces = new aiFace[mesh->mNumFaces];
    unsigned types = 0;
    for (unsigned f = 0; f < mesh->mNumFaces; ++f) {
      std::vector<unsigned>& indices = from.faces[f];
      mesh->mFaces[f].mNumIndices = static_cast<unsigned>(indices.size());
      mesh->mFaces[f].mIndices = new unsigned[indices.size()];
      std::copy(indices.begin(), indices.end(), mesh->mFaces[f].mIndices);
      types |= indices.size() == 3 ? aiPrimitiveType_TRIANGLE : aiPrimitiveType_POLYGON;
    }
    mesh->mPrimitiveTypes = types;
    from = CMeshSink::CMesh();  // what is copied is released at once
    meshes.push_back(mesh);
  }
  scene->mNumMeshes = static_cast<unsigned>(meshes.size());
  scene->mMeshes = new aiMesh*[meshes.size() ? meshes.size() : 1];
  std::copy(meshes.begin(), meshes.end(), scene->mMeshes);
  scene->mRootNode->mNumMeshes = scene->mNumMeshes;
  scene->mRootNode->mMeshes = new unsigned[meshes.size() ? meshes.size() : 1];
  for (unsigned i = 0; i < scene->mNumMeshes; ++i) scene->mRootNode->mMeshes[i] = i;
  progress.mStage = "writing";
  Assimp::Exporter exporter;
  exporter.SetProgressHandler(new CAssimpProgress(progress));
  const aiReturn result = exporter.Export(scene.get(), format, temporary);
  if (gCancelled) return 130;
  if (result != AI_SUCCESS) {
    std::fprintf(stderr, "zin: %s: %s\n", temporary.c_str(), exporter.GetErrorString());
    return 2;
  }
  return 0;
}

bool EndsWithZin(const std::string& path) {
  // A ".zin" file name, in any letter case.
  return path.size() >= 4 && strcasecmp(path.c_str() + path.size() - 4, ".zin") == 0;
}

}  // namespace

int RunModelStats(const std::string& input) {
  Assimp::Importer importer;
  const aiScene* scene = importer.ReadFile(input, aiProcess_JoinIdenticalVertices | aiProcess_PreTransformVertices);
  if (!scene) {
    std::fprintf(stderr, "zin: %s: %s\n", input.c_str(), importer.GetErrorString());
    return 2;
  }
  unsigned long long vertices = 0, faces = 0;
  double min[3] = {0, 0, 0}, max[3] = {0, 0, 0};
  for (unsigned m = 0; m < scene->mNumMeshes; ++m) {
    const aiMesh* mesh = scene->mMeshes[m];
    for (unsigned v = 0; v < mesh->mNumVertices; ++v, ++vertices)
      for (int axis = 0; axis < 3; ++axis) {
        const double c = mesh->mVertices[v][axis];
        min[axis] = vertices ? std::min(min[axis], c) : c;
        max[axis] = vertices ? std::max(max[axis], c) : c;
      }
    for (unsigned f = 0; f < mesh->mNumFaces; ++f) faces += mesh->mFaces[f].mNumIndices >= 3;
  }
  std::printf("{\"vertices\":%llu,\"faces\":%llu,\"min\":[%.6g,%.6g,%.6g],\"max\":[%.6g,%.6g,%.6g]}\n", vertices, faces,
              min[0], min[1], min[2], max[0], max[1], max[2]);
  return 0;
}

int RunConvert(const std::string& input, const std::string& output, long cancelAfter) {
  namespace fs = std::filesystem;
  std::signal(SIGINT, OnInterrupt);
  CProgress progress(cancelAfter);
  // Written into a directory beside the output and moved at the end: a cancelled or
  // failed conversion leaves no half-written file, an existing output stays as it
  // was, and companions (an OBJ's material library) keep the names the file gives them.
  const fs::path target(output);
  const fs::path parts = target.parent_path() / (".zin-convert-" + std::to_string(getpid()));
  std::error_code error;
  fs::create_directories(parts, error);
  if (error) {
    std::fprintf(stderr, "zin: cannot create %s: %s\n", parts.c_str(), error.message().c_str());
    return 2;
  }
  const std::string temporary = (parts / target.filename()).string();
  int status;
  if (EndsWithZin(output)) {
    status = ModelToZin(input, temporary, progress);
  } else if (!EndsWithZin(input)) {
    std::fprintf(stderr, "zin: one side of a conversion must be a .zin file\n");
    status = 2;
  } else if (const std::string format = ExportFormat(output); format.empty()) {
    std::fprintf(stderr, "zin: no exporter for %s\n", output.c_str());
    status = 2;
  } else {
    status = ZinToModel(input, temporary, format, progress);
  }
  for (const fs::directory_entry& entry : fs::directory_iterator(parts, error)) {
    if (status == 0) fs::rename(entry.path(), target.parent_path() / entry.path().filename(), error);
    if (status != 0 || error) fs::remove(entry.path(), error);
  }
  fs::remove(parts, error);
  if (status == 130) std::fprintf(stderr, "zin: cancelled; nothing written\n");
  return status;
}

}  // namespace ZinTool
