// The provider of an image data block: writes its image's picture while the
// document is serialised. Holds a reference to the image.
#pragma once

#include "ZinComPtr.h"
#include "manager/image.h"

namespace QvZin {

class CImageProvider final : public QuorveXML::IXMLCData {
public:
  explicit CImageProvider(CZinImage* image) : mImage(image) {}

  /// Writes the block; any failure gives false, which fails the document write.
  bool Write(QuorveXML::XIXMLWriteStream* stream, int, QuorveXML::XIXMLData*) override {
    try {
      mImage->writeBlock(stream);
      return true;
    } catch (...) {
      return false;
    }
  }
  IXMLCData* Duplicate() override { return new CImageProvider(mImage.get()); }
  CZinImage* image() const { return mImage.get(); }

private:
  TZinComPtr<CZinImage> mImage;
};

}  // namespace QvZin
