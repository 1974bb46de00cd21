// The view of one data block during a parse: delivers the block's bytes and stops at
// its closing "]]>", which it consumes without delivering. Bulk data (geometry,
// pictures) is read through it while the parser stands inside the block, so it never
// sits in memory as text.
#pragma once

#include <cstdint>

#include "ZinXML.h"

namespace QuorveXML {

class CCharSource;

class CXMLCDataStream final : public XIXMLReadStream {
public:
  explicit CXMLCDataStream(CCharSource& source) : mSource(source) {}

  /// Up to size bytes of the block; 0 once the block has ended (closed or cut off
  /// by the end of the data). A pending "]" or "]]" is delivered when a byte other
  /// than the one completing the closing sequence follows it.
  uint32_t Read(void* buffer, uint32_t size) override;

  /// Reads and drops the rest of the block.
  void Drain();
  bool Ended() const { return mEnded; }
  /// True when the block ended with its closing sequence.
  bool ClosedProperly() const { return mClosedProperly; }

private:
  CCharSource& mSource;
  uint32_t mPending = 0;  // closing brackets seen and not yet delivered (0 to 2)
  bool mEnded = false;
  bool mClosedProperly = false;
};

}  // namespace QuorveXML
