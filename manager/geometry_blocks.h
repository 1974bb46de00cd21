// The points and polygons blocks: their text both ways, the providers that
// stream them while a document is written, the manager as default storage, and
// the progress reports that let a client follow or cancel.
#pragma once

#include <cstdint>

#include "ZinMgr.h"
#include "ZinStorage.h"
#include "ZinXML.h"

namespace QvZin {

class CZIN;
class CPolygon;

/// Progress of one block loop: reports base + span x i / count out of range,
/// checking every 100 items and reporting only when more than 100 ms passed since
/// the last report. A false answer throws "Operation cancelled".
class CZinProgress {
public:
  /// The millisecond clock that spaces the reports: the platform's, unless a test
  /// sets its own.
  using CClock = uint64_t (*)();
  static CClock sClock;

  CZinProgress(CZIN* manager, int base, int span, int64_t count);
  void step(int64_t i) {
    if (i >= mNextCheck) check(i);
  }
  /// The report after the last item (under the same spacing).
  void finish() { check(mCount, true); }

private:
  void check(int64_t i, bool last = false);

  CZIN* mManager;
  IZinFeedback* mFeedback;
  uint64_t mLastReport;
  int mBase, mSpan;
  int64_t mCount;
  int64_t mNextCheck;
};

/// Reads a points block into reader (applying the manager's transformation).
void ReadPointsBlock(CZIN* manager, IZinExtStorageReader::IReader* reader, QuorveXML::XIXMLReadStream* block);
/// Reads a polygons block into reader.
void ReadPolygonsBlock(CZIN* manager, IZinExtStorageReader::IReader* reader, QuorveXML::XIXMLReadStream* block);

/// The provider of a "Points" element: streams the points of its geometry (the
/// scene's, or of the internal component named by the parent's "UUID").
class CPointsProvider final : public QuorveXML::IXMLCData {
public:
  explicit CPointsProvider(CZIN* manager) : mManager(manager) {}
  bool Write(QuorveXML::XIXMLWriteStream* stream, int depth, QuorveXML::XIXMLData* dataNode) override;
  IXMLCData* Duplicate() override { return new CPointsProvider(mManager); }
  /// Writes the block; throws with the block's messages.
  void Write2(QuorveXML::XIXMLWriteStream* stream, QuorveXML::XIXMLData* dataNode);

private:
  CZIN* mManager;
};

/// The provider of a "Polygons" element.
class CPolygonsProvider final : public QuorveXML::IXMLCData {
public:
  explicit CPolygonsProvider(CZIN* manager) : mManager(manager) {}
  bool Write(QuorveXML::XIXMLWriteStream* stream, int depth, QuorveXML::XIXMLData* dataNode) override;
  IXMLCData* Duplicate() override { return new CPolygonsProvider(mManager); }
  void Write2(QuorveXML::XIXMLWriteStream* stream, QuorveXML::XIXMLData* dataNode);

private:
  CZIN* mManager;
};

}  // namespace QvZin
