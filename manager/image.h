// The picture object that clients see: the preview image, the entries of the
// images collection, and what readPreviewImage returns.
#pragma once

#include "ZinImage.h"
#include "framework/scene_object.h"
#include "xml/image.h"

namespace QvZin {

class CZinImage final : public TZinSceneObject<IZinImage> {
public:
  /// owner: the collection's owner, or the manager's link for the preview image.
  explicit CZinImage(IZinMgrRef* owner) : TZinSceneObject(owner) {}
  ~CZinImage() override;

  void getPixels(uint32_t* width, uint32_t* height, const uint8_t** pixels) override;
  void setPixels(uint32_t width, uint32_t height, const uint8_t* pixels) override;
  const CZinUUID* getImageId() override { return &mImageId; }
  const CZinUUID* setImageId(const CZinUUID* id) override {
    if (id) mImageId = *id;
    return id;
  }

  /// Decodes one image block from stream into a new picture and takes it. On failure
  /// the exception goes on and the image keeps its previous picture.
  void readBlock(QuorveXML::XIXMLReadStream* stream);
  /// Writes the picture as an image block; an empty image writes nothing.
  void writeBlock(QuorveXML::XIXMLWriteStream* stream) const;

private:
  // Takes picture (a reference already held) and releases the previous one.
  void replacePicture(Quorve::XCXMLImage* picture);

  Quorve::XCXMLImage* mPicture = nullptr;  // one counted reference, or null: empty
  CZinUUID mImageId;
};

}  // namespace QvZin
