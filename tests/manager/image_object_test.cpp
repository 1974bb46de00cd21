#include <gtest/gtest.h>

#include <cstring>
#include <new>
#include <string>
#include <vector>

#include "test_support.h"

using namespace QvZin;
using namespace QvZinTest;

TEST(ImageObject, PixelsAreCopiedAndEmptied) {
  ManagerHold hold;
  IZinImage& image = hold->getPreviewImage();
  uint32_t width = 9, height = 9;
  const uint8_t* pixels = reinterpret_cast<const uint8_t*>(1);
  image.getPixels(&width, &height, &pixels);
  EXPECT_EQ(0u, width + height);
  EXPECT_EQ(nullptr, pixels);

  uint8_t client[8] = {1, 2, 3, 4, 5, 6, 7, 8};
  image.setPixels(2, 1, client);
  image.getPixels(&width, &height, &pixels);
  EXPECT_EQ(3u, width + height);
  EXPECT_NE(static_cast<const uint8_t*>(client), pixels);  // the image holds its own copy
  client[0] = 99;
  EXPECT_EQ(0, std::memcmp(pixels, "\x01\x02\x03\x04\x05\x06\x07\x08", 8));
  image.getPixels(nullptr, nullptr, nullptr);  // every pointer is optional

  image.setPixels(0, 5, client);
  image.getPixels(&width, &height, &pixels);
  EXPECT_EQ(0u, width);
  EXPECT_EQ(nullptr, pixels);
  image.setPixels(2, 1, client);
  image.setPixels(5, 5, nullptr);
  image.getPixels(&width, nullptr, nullptr);
  EXPECT_EQ(0u, width);

  // A size beyond what 32 bits of bytes hold fails the allocation and keeps the picture.
  image.setPixels(2, 1, client);
  EXPECT_THROW(image.setPixels(65536, 65536, client), std::bad_alloc);
  image.getPixels(&width, nullptr, nullptr);
  EXPECT_EQ(2u, width);
}

TEST(ImageObject, IdentifiersAndBlocks) {
  ManagerHold hold;
  IZinImage* image = hold->getImages().newZinObject(kZinEndOfList);
  const CZinUUID basicId = *image->getBasicData()->getId();
  const CZinUUID id = CZinUUID::fromText("FEDCBA98765432100123456789ABCDEF");
  EXPECT_EQ(&id, image->setImageId(&id));
  EXPECT_EQ(id, *image->getImageId());
  EXPECT_EQ(basicId, *image->getBasicData()->getId());
  EXPECT_EQ(nullptr, image->setImageId(nullptr));
  EXPECT_EQ(id, *image->getImageId());

  // An empty image writes an empty block; a picture writes its block text.
  EXPECT_NE(std::string::npos,
            WriteToText(hold.mgr).find("<Image UUID=\"FEDCBA98765432100123456789ABCDEF\"><![CDATA[]]>"));
  const uint8_t red[4] = {255, 0, 0, 255};
  image->setPixels(1, 1, red);
  EXPECT_NE(std::string::npos, WriteToText(hold.mgr).find("<![CDATA[0000000100000001000000010000000" "1FFFF0000]]>"));
  // The client keeps an image beyond its removal with its own reference.
  image->AddRef();
  hold->getImages().removeObject(0);
  uint32_t width = 0;
  image->getPixels(&width, nullptr, nullptr);
  EXPECT_EQ(1u, width);
  image->Release();
}
