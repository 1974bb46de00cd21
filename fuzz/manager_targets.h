// The fuzz targets of the manager: the quick reads, the geometry blocks (into the
// manager and into a client storage) and whole documents. Each returns 0 and stops
// the process when an oracle fails.
#pragma once

#include <algorithm>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "ZinFileStreams.h"
#include "fuzz/fuzz_support.h"
#include "fuzz/xml_targets.h"
#include "manager/collection_layouts.h"
#include "manager/geometry_blocks.h"
#include "manager/image.h"
#include "manager/mgr.h"
#include "scene/objects.h"

namespace ZinFuzz {

// ---- quick reads

inline std::string PixelsOf(QvZin::IZinImage* image) {
  uint32_t width = 0, height = 0;
  const uint8_t* pixels = nullptr;
  image->getPixels(&width, &height, &pixels);
  if (size_t{width} * height == 0) return "empty";
  return std::to_string(width) + "x" + std::to_string(height) + ":" +
         std::string(reinterpret_cast<const char*>(pixels), size_t{width} * height * 4);
}

inline int QuickReads(const uint8_t* data, size_t size) {
  QvZin::CZinMemoryReadStream stream(data, size);

  QvZin::eReadability readability = QvZin::eNewerFile;
  QvZin::CZinVersion version;
  char creator[12];
  const bool readable = QvZin::IZinMgr::checkFormat2(&stream, &readability, &version, creator,
                                                     static_cast<int>(size % sizeof creator));
  ZIN_FUZZ_CHECK(stream.tell() == 0, "checkFormat2 moved the stream");
  ZIN_FUZZ_CHECK(readable == ((readability >= QvZin::eOlderFile && readability <= QvZin::eUnsafeFile) ||
                              readability == QvZin::eForeignFile),
                 "result and readability disagree: " + std::to_string(readability));

  QvZin::IZinFileInfo* info = nullptr;
  QvZin::CZinEntryPoints::readFileInfo(&info, &stream);
  ZIN_FUZZ_CHECK(info != nullptr, "readFileInfo gave no object");
  ZIN_FUZZ_CHECK(stream.tell() == 0, "readFileInfo moved the stream");
  info->Release();

  // A preview image re-encodes to a block that decodes to the same pixels.
  QvZin::IZinImage* image = nullptr;
  QvZin::CZinEntryPoints::readPreviewImage(&image, &stream);
  if (image) {
    const std::string pixels = PixelsOf(image);
    CStringWriteStream out;
    static_cast<QvZin::CZinImage*>(image)->writeBlock(&out);
    QvZin::TZinComPtr<QvZin::CZinImage> copy(QvZin::CreateZinObject<QvZin::CZinImage>(nullptr));
    CBytesReadStream in(out.mText);
    copy->readBlock(&in);
    ZIN_FUZZ_CHECK(PixelsOf(copy.get()) == pixels, "preview pixels differ after re-encoding");
    image->Release();
  }

  stream.seek(0);
  CRecordingFeedback feedback;
  CManager mgr(&feedback);
  ZIN_FUZZ_CHECK(mgr->readMediaInfo(&stream), "readMediaInfo is always true");
  return 0;
}

// ---- geometry blocks

// Reads the block of the element it is given through a piecewise stream into a
// client storage, as the manager's data-block reader does.
class CGeometryBlockReader final : public QuorveXML::IXMLCDataReader {
public:
  CGeometryBlockReader(QvZin::CZIN* manager, QvZin::IZinExtStorageReader* storage, bool points, uint32_t piece)
      : mManager(manager), mStorage(storage), mPoints(points), mPiece(piece) {}
  bool Read(XIXMLElement*, XIXMLReadStream* stream) override {
    CPiecewiseReadStream pieces(stream, mPiece);
    mError = ReadBlock(mManager, mStorage, mPoints, &pieces);
    return true;
  }
  static std::string ReadBlock(QvZin::CZIN* manager, QvZin::IZinExtStorageReader* storage, bool points,
                               XIXMLReadStream* stream) {
    QvZin::IZinExtStorageReader::IReader* reader = storage->createGeometryReader(QvZin::CZinUUID(), true);
    const std::string error = MessageOf([&] {
      if (points)
        QvZin::ReadPointsBlock(manager, reader, stream);
      else
        QvZin::ReadPolygonsBlock(manager, reader, stream);
    });
    reader->destroy();
    return error;
  }

  QvZin::CZIN* mManager;
  QvZin::IZinExtStorageReader* mStorage;
  bool mPoints;
  uint32_t mPiece;
  std::string mError = "<not called>";
};

/// The text with every negative zero token of the data blocks ("-0.0 " after a blank
/// or a line feed, between "<![CDATA[" and "]]>") written as zero: a value just below
/// zero is written "-0.0", which reads back as a zero that is written "0.0", so only
/// that may change between a first and a second write.
inline std::string WithoutNegativeZeros(std::string text) {
  for (size_t block = text.find("<![CDATA["); block != std::string::npos; block = text.find("<![CDATA[", block)) {
    size_t end = text.find("]]>", block);
    if (end == std::string::npos) end = text.size();
    for (size_t at = text.find("-0.0 ", block); at != std::string::npos && at < end; at = text.find("-0.0 ", at)) {
      if (text[at - 1] == ' ' || text[at - 1] == '\n') {
        text.erase(at, 1);
        --end;
      } else {
        ++at;
      }
    }
    block = end;
  }
  return text;
}

inline QvZin::CZIN* Concrete(QvZin::IZinMgr* mgr) { return static_cast<QvZin::CZIN*>(mgr); }

inline int GeometryBlocks(const uint8_t* data, size_t size) {
  if (size < 1) return 0;
  const uint8_t mode = data[0];
  ++data, --size;
  const bool points = mode & 1;
  const std::string block(reinterpret_cast<const char*>(data), size);

  // Into the manager as storage.
  CRecordingFeedback managerFeedback;
  CManager mgr(&managerFeedback);
  CBytesReadStream toManager(data, size);
  const std::string managerError =
      CGeometryBlockReader::ReadBlock(Concrete(mgr.get()), Concrete(mgr.get()), points, &toManager);
  std::string managerPoints, managerPolygons;
  ManagerGeometry(mgr.get(), &managerPoints, &managerPolygons);

  // Into a client storage, which may refuse an item.
  CRecordingFeedback clientFeedback;
  CManager client(&clientFeedback);
  CRecordingStorage storage;
  if (mode & 2) storage.mAccept = mode >> 2;
  CBytesReadStream toClient(data, size);
  const std::string clientError =
      CGeometryBlockReader::ReadBlock(Concrete(client.get()), &storage, points, &toClient);
  ZIN_FUZZ_CHECK(storage.mCreated == storage.mDestroyed, "a storage reader was not destroyed");
  if (storage.mAccept < 0) {
    ZIN_FUZZ_CHECK(clientError == managerError, clientError + " / " + managerError);
    ZIN_FUZZ_CHECK(clientFeedback.mWarnings == managerFeedback.mWarnings, "warnings differ");
    ZIN_FUZZ_CHECK(storage.mPoints == managerPoints && storage.mPolygons == managerPolygons,
                   "the client storage and the manager received different geometry");
  }

  // The same block inside a document, taken in pieces of 1 and of 1024 bytes.
  if (block.find("]]>") == std::string::npos && storage.mAccept < 0) {
    const std::string document = "<Zin.File><Points><![CDATA[" + block + "]]></Points></Zin.File>";
    for (uint32_t piece : {1u, 1024u}) {
      CRecordingFeedback feedback;
      CManager pieceMgr(&feedback);
      CRecordingStorage pieceStorage;
      CGeometryBlockReader reader(Concrete(pieceMgr.get()), &pieceStorage, points, piece);
      std::string message;
      ReadTree(document.data(), document.size(), &message, &reader);
      ZIN_FUZZ_CHECK(message.empty(), "the document around the block fails: " + message);
      ZIN_FUZZ_CHECK(reader.mError == managerError, "piece " + std::to_string(piece) + ": " + reader.mError);
      ZIN_FUZZ_CHECK(pieceStorage.mPoints == storage.mPoints && pieceStorage.mPolygons == storage.mPolygons,
                     "piece " + std::to_string(piece) + ": different geometry");
    }
  }

  // Through the manager's own data-block reader, under an internal component.
  // (Only when the client storage took everything: this one refuses nothing.)
  if (block.find("]]>") == std::string::npos && (mode & 4) && storage.mAccept < 0) {
    const char* tag = points ? "Points" : "Polygons";
    const std::string document =
        std::string("<Zin.File><InternalComponentDefinitions><InternalComponentDefinition "
                    "UUID=\"00112233445566778899AABBCCDDEEFF\"><Geometry.Level>") +
        ((mode & 8) ? "1" : "0") + "</Geometry.Level><" + tag + "><![CDATA[" + block + "]]></" + tag +
        "></InternalComponentDefinition></InternalComponentDefinitions></Zin.File>";
    CRecordingFeedback feedback;
    CManager geometryMgr(&feedback);
    CRecordingStorage geometryStorage;
    QvZin::CZinMemoryReadStream in(document);
    geometryMgr->readGeometry(&in, &geometryStorage);
    ZIN_FUZZ_CHECK(geometryStorage.mCreated == geometryStorage.mDestroyed, "a storage reader was not destroyed");
    ZIN_FUZZ_CHECK(geometryStorage.mCreated == 1, "one block, one reader");
    ZIN_FUZZ_CHECK(geometryStorage.mPoints == storage.mPoints && geometryStorage.mPolygons == storage.mPolygons,
                   "readGeometry received different geometry");
  }

  // What the manager holds writes out, reads back and writes the same bytes.
  if (managerError.empty()) {
    QvZin::CZinMemoryWriteStream first;
    ZIN_FUZZ_CHECK(mgr->write(&first, nullptr), "the geometry does not write");
    CRecordingFeedback againFeedback;
    CManager again(&againFeedback);
    QvZin::CZinMemoryReadStream in(first.bytes());
    ZIN_FUZZ_CHECK(again->read(&in, nullptr), "the written geometry does not read");
    QvZin::CZinMemoryWriteStream second;
    ZIN_FUZZ_CHECK(again->write(&second, nullptr), "the geometry read back does not write");
    ZIN_FUZZ_CHECK(second.bytes() == first.bytes() || second.bytes() == WithoutNegativeZeros(first.bytes()),
                   "second write differs");
  }
  return 0;
}

// ---- whole documents: read, write, read the output, write the same bytes again

/// How many images, points and polygons the manager holds, the internal components'
/// included. Data blocks are routed by the name of the element that holds them, so a
/// block under an element the library does not know (an "Image" inside "Lmages") is
/// read too, and written again both from its collection and with the element that
/// is kept as it was: such a document grows by that block with every round.
inline std::vector<uint32_t> BlockCounts(QvZin::IZinMgr* mgr) {
  QvZin::CZinSceneCollections& scene = Concrete(mgr)->scene();
  std::vector<uint32_t> counts = {scene.mImages->getCount(), scene.mPoints->getCount(),
                                  scene.mPolygons->getCount()};
  QvZin::CZinObjectDefinitionList& components = *scene.mInternalComponentDefinitions;
  for (uint32_t i = 0; i < components.getCount(); ++i) {
    auto* definition = static_cast<QvZin::CZinZinObjectDefinition*>(components.getZinObject(i));
    counts.push_back(definition->points().getCount());
    counts.push_back(definition->polygons().getCount());
  }
  return counts;
}

/// Whether the document holds a geometry block outside the places the writer makes
/// them (under "Zin.File", or under an "InternalComponentDefinition" of the list). A
/// block is read as a component's only under an "InternalComponentDefinition", but
/// written as the component's of whatever "UUID" its element's parent has: kept inside
/// an element the library does not know, such a block reads into the scene and then,
/// written, asks for a component that does not exist or an id that is not one.
inline bool StrayGeometryBlocks(QvZin::IZinMgr* mgr) {
  XIXMLElement* file = Concrete(mgr)->fileNode();
  auto named = [](XIXMLElement* element, const char* name) {
    return element && element->GetKeyRef() && std::strcmp(element->GetKeyRef(), name) == 0;
  };
  std::vector<XIXMLElement*> stack{file};
  while (!stack.empty()) {
    XIXMLElement* element = stack.back();
    stack.pop_back();
    if (!element) continue;
    for (XIXMLElement* child = element->GetFirstElement(); child; child = child->GetNextElement()) {
      if (named(child, "Points") || named(child, "Polygons")) {
        XIXMLElement* list = element->GetNode()->GetParent();
        const bool placed = element == file || (named(element, "InternalComponentDefinition") &&
                                                named(list, "InternalComponentDefinitions") &&
                                                list->GetNode()->GetParent() == file);
        if (!placed) return true;
      }
      stack.push_back(child);
    }
  }
  return false;
}

/// Whether "Zin.File" holds two elements of one name. The reader and the writer take
/// the first of each name and keep the others as they were, in the place the writer
/// leaves them: such a document may reorder itself with each round, and a stale copy
/// may come first in the next read.
inline bool RepeatedTopElements(QvZin::IZinMgr* mgr) {
  std::vector<std::string> names;
  for (XIXMLElement* child = Concrete(mgr)->fileNode()->GetFirstElement(); child; child = child->GetNextElement())
    names.push_back(child->GetKeyRef() ? child->GetKeyRef() : "");
  std::sort(names.begin(), names.end());
  return std::adjacent_find(names.begin(), names.end()) != names.end();
}

/// Deletes the elements the writer rebuilds from the nodes of old ones (every
/// collection element and the object definitions), so that the next write builds
/// them fresh.
inline void WithoutRebuiltElements(XIXMLElement* file) {
  const QvZin::CZinListLayout* const layouts[] = {
      &QvZin::kHeliodonsLayout,     &QvZin::kPropertiesLayout,    &QvZin::kBillboardsLayout,
      &QvZin::kLightsLayout,        &QvZin::kLightsGroupsLayout,  &QvZin::kPerspectiveViewsLayout,
      &QvZin::kParallelViewsLayout, &QvZin::kPanoramasLayout,     &QvZin::kAnimationsLayout,
      &QvZin::kViewObjectsLayout,   &QvZin::kObjectInstancesLayout, &QvZin::kScenariosLayout,
      &QvZin::k3DPathsLayout,       &QvZin::kGroundsLayout,       &QvZin::kLayersLayout};
  for (const QvZin::CZinListLayout* layout : layouts) QvZin::DeleteChildElements(file, layout->listTag);
  QvZin::DeleteChildElements(file, QvZin::CZinObjectDefinitionMgr::kItemTag);
}

inline int DocumentRead(const uint8_t* data, size_t size) {
  CRecordingFeedback feedback;
  CManager mgr(&feedback);
  CRecordingStorage storage;
  QvZin::CZinMemoryReadStream in(data, size);
  // Odd sizes send the geometry to a client storage.
  const bool read = mgr->read(&in, (size & 1) ? &storage : nullptr);
  ZIN_FUZZ_CHECK(storage.mCreated == storage.mDestroyed, "a storage reader was not destroyed");
  if (!read) {
    ZIN_FUZZ_CHECK(!feedback.mWarnings.empty(), "a failed read without a warning");
    return 0;
  }
  // Taken before the write, which deletes the first of some old names.
  const bool repeated = RepeatedTopElements(mgr.get());
  QvZin::CZinMemoryWriteStream first;
  const bool written = mgr->write(&first, nullptr);
  // Blocks kept inside elements the library does not know are written by rules that
  // do not match those they were read by (see StrayGeometryBlocks): the write may fail,
  // with its warning.
  if (!written && StrayGeometryBlocks(mgr.get())) {
    ZIN_FUZZ_CHECK(!feedback.mWarnings.empty(), "a failed write without a warning");
    return 0;
  }
  ZIN_FUZZ_CHECK(written, "what was read does not write: " +
                              (feedback.mWarnings.empty() ? std::string() : feedback.mWarnings.back()));
  // The write rebuilt its elements from the nodes of those the file held, whatever
  // they were: the same objects written over a document without them give the same
  // bytes. (A top element repeated is deleted once per write, so writes differ.)
  if (!repeated) {
    WithoutRebuiltElements(Concrete(mgr.get())->fileNode());
    QvZin::CZinMemoryWriteStream fresh;
    ZIN_FUZZ_CHECK(mgr->write(&fresh, nullptr) && fresh.bytes() == first.bytes(),
                   "a rewrite differs from a fresh write:\n" + first.bytes() + "\n----\n" + fresh.bytes());
  }

  // Callbacks receive zero-terminated texts, so a name or a text holding a zero byte
  // is cut there (a name may become empty, which no document can hold): as for the
  // tree reader, no round trip.
  if (std::memchr(data, 0, size)) return 0;
  if (repeated) return 0;

  CRecordingFeedback againFeedback;
  CManager again(&againFeedback);
  QvZin::CZinMemoryReadStream written1(first.bytes());
  ZIN_FUZZ_CHECK(again->read(&written1, nullptr),
                 "the written document does not read: " +
                     (againFeedback.mWarnings.empty() ? std::string() : againFeedback.mWarnings.back()));
  QvZin::CZinMemoryWriteStream second;
  ZIN_FUZZ_CHECK(again->write(&second, nullptr), "the document read back does not write");
  if (BlockCounts(again.get()) != BlockCounts(mgr.get())) return 0;  // blocks out of place, read again
  if (HasTextStartingWithWhitespace(Concrete(mgr.get())->fileNode())) {
    // Such a text loses its leading whitespace on the next read (see the tree
    // reader's target): the document settles one round later.
    CRecordingFeedback thirdFeedback;
    CManager third(&thirdFeedback);
    QvZin::CZinMemoryReadStream written2(second.bytes());
    ZIN_FUZZ_CHECK(third->read(&written2, nullptr), "the second write does not read");
    QvZin::CZinMemoryWriteStream out;
    ZIN_FUZZ_CHECK(third->write(&out, nullptr) && out.bytes() == second.bytes(),
                   "third write differs:\n" + second.bytes() + "\n----\n" + out.bytes());
    return 0;
  }
  // Equal, or equal once negative zeros have settled (a text may hold "<![CDATA["
  // and "-0.0 " too, and stays as it is).
  ZIN_FUZZ_CHECK(second.bytes() == first.bytes() || second.bytes() == WithoutNegativeZeros(first.bytes()),
                 "second write differs:\n" + first.bytes() + "\n----\n" + second.bytes());
  return 0;
}

}  // namespace ZinFuzz
