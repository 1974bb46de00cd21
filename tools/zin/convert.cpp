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
#include <atomic>
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
    aiString name;
    if (scene->mMaterials[i]->Get(AI_MATKEY_NAME, name) == AI_SUCCESS) property->getBasicData()->setName(name.C_Str());
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

class CMeshSink final : public IZinExtStorageReader {
public:
  explicit CMeshSink(CProgress& progress) : mProgress(progress) {}

  struct CMesh {
    std::vector<aiVector3D> vertices, uvs;
    std::vector<std::vector<unsigned>> faces;
    std::unordered_map<int32_t, unsigned> fromPoint;  // scene point -> mesh vertex
    bool mapped = false;
  };
  std::vector<double> points;  // xyz of the scene's own geometry
  std::map<int32_t, CMesh> meshes;
  uint64_t skipped = 0;  // polygons naming points that do not exist

  class CReader final : public IReader {
  public:
    CReader(CMeshSink& sink, bool own) : mSink(sink), mOwn(own) {}
    void destroy() override { delete this; }
    void setPointCount(int) override {}
    bool setPoint(const double* xyz, int) override {
      if (mOwn) mSink.points.insert(mSink.points.end(), xyz, xyz + 3);
      return !gCancelled;
    }
    void setPolygonCount(int) override {}
    bool setPolygon(const IZinPolygon* constPolygon, int) override {
      if (!mOwn) return !gCancelled;
      IZinPolygon* polygon = const_cast<IZinPolygon*>(constPolygon);  // read only
      TZinObjectMgr<CZinVertex>* contour = polygon->getContour();
      const size_t pointCount = mSink.points.size() / 3;
      for (uint32_t i = 0; i < contour->getCount(); ++i) {
        const int32_t index = contour->getZinObject(i)->mPointIndex;
        if (index < 0 || static_cast<size_t>(index) >= pointCount) {
          ++mSink.skipped;
          return !gCancelled;
        }
      }
      // Holes have no counterpart in the exported formats: the outer contour goes.
      CMesh& mesh = mSink.meshes[polygon->getPropertyIndex()];
      std::vector<unsigned> face;
      for (uint32_t i = 0; i < contour->getCount(); ++i) {
        const CZinVertex* vertex = contour->getZinObject(i);
        auto [it, added] = mesh.fromPoint.emplace(vertex->mPointIndex, static_cast<unsigned>(mesh.vertices.size()));
        if (added) {
          const double* p = &mSink.points[static_cast<size_t>(vertex->mPointIndex) * 3];
          mesh.vertices.emplace_back(static_cast<ai_real>(p[0]), static_cast<ai_real>(p[1]), static_cast<ai_real>(p[2]));
          mesh.uvs.emplace_back(0, 0, 0);
        }
        if (vertex->mFlags & CZinVertex::kMapped) {
          mesh.uvs[it->second] = aiVector3D(vertex->mU, vertex->mV, 0);
          mesh.mapped = true;
        }
        face.push_back(it->second);
      }
      mesh.faces.push_back(std::move(face));
      return !gCancelled;
    }

  private:
    CMeshSink& mSink;
    bool mOwn;
  };

  IReader* createGeometryReader(const CZinUUID& id, bool) override {
    // The scene's own geometry; definitions' geometry is not placed by this converter.
    return new CReader(*this, id == CZinUUID());
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
  if (sink.skipped) std::fprintf(stderr, "warning: %llu polygons name points that do not exist; left out\n",
                                 static_cast<unsigned long long>(sink.skipped));
  // The scene's ownership follows Assimp's: its destructor frees every array.
  auto scene = std::make_unique<aiScene>();
  TZinObjectMgr<IZinProperty>* properties = hold.mgr->getProperties();
  const unsigned materials = std::max<unsigned>(1, properties->getCount());
  scene->mNumMaterials = materials;
  scene->mMaterials = new aiMaterial*[materials];
  for (unsigned i = 0; i < materials; ++i) {
    scene->mMaterials[i] = new aiMaterial();
    aiString name(i < properties->getCount() ? properties->getZinObject(i)->getBasicData()->getName() : "Default");
    scene->mMaterials[i]->AddProperty(&name, AI_MATKEY_NAME);
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
