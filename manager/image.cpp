#include "manager/image.h"

#include <cstring>
#include <new>

namespace QvZin {

using Quorve::XCXMLImage;

CZinImage::~CZinImage() { replacePicture(nullptr); }

void CZinImage::replacePicture(XCXMLImage* picture) {
  XCXMLImage* old = mPicture;
  mPicture = picture;
  if (old) old->Release();
}

void CZinImage::getPixels(uint32_t* width, uint32_t* height, const uint8_t** pixels) {
  const bool full = mPicture && mPicture->GetWidth() && mPicture->GetHeight();
  if (width) *width = full ? mPicture->GetWidth() : 0;
  if (height) *height = full ? mPicture->GetHeight() : 0;
  if (pixels) *pixels = full ? reinterpret_cast<const uint8_t*>(mPicture->GetPixels()) : nullptr;
}

void CZinImage::setPixels(uint32_t width, uint32_t height, const uint8_t* pixels) {
  if (!width || !height || !pixels) {
    replacePicture(nullptr);
    return;
  }
  const uint64_t count = uint64_t{width} * height;
  auto* copy = XCXMLImage::AllocatePixels(count);  // bad_alloc beyond 4 GiB
  std::memcpy(copy, pixels, count * 4);
  XCXMLImage* picture = new (std::nothrow) XCXMLImage(width, height, copy);
  if (!picture) {
    std::free(copy);
    throw std::bad_alloc();
  }
  picture->Duplicate();
  replacePicture(picture);
}

void CZinImage::readBlock(QuorveXML::XIXMLReadStream* stream) { replacePicture(XCXMLImage::ReadNew(stream)); }

void CZinImage::writeBlock(QuorveXML::XIXMLWriteStream* stream) const {
  if (mPicture) mPicture->Write(stream);
}

}  // namespace QvZin
