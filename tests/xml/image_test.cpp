#include "xml/image.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <random>
#include <stdexcept>
#include <string>
#include <vector>

#include "xml_test_support.h"

using namespace Quorve;
using namespace XMLTest;
using QuorveXML::IXMLCData;
using Pixel = imx_pixel_RGBAn8;

namespace {

// One counted reference to a picture, released at the end of the scope.
struct CImageRef {
  explicit CImageRef(XCXMLImage* image) : mImage(image) {}
  ~CImageRef() { mImage->Release(); }
  CImageRef(const CImageRef&) = delete;
  CImageRef& operator=(const CImageRef&) = delete;
  XCXMLImage* operator->() const { return mImage; }
  XCXMLImage& operator*() const { return *mImage; }
  XCXMLImage* mImage;
};

XCXMLImage* MakeImage(uint32_t width, uint32_t height, const std::vector<Pixel>& pixels) {
  Pixel* data = XCXMLImage::AllocatePixels(uint64_t{width} * height);
  if (!pixels.empty()) std::memcpy(data, pixels.data(), pixels.size() * sizeof(Pixel));
  return (new XCXMLImage(width, height, data))->Duplicate();
}

std::string Hex(std::initializer_list<uint32_t> numbers) {
  std::string text;
  char digits[9];
  for (uint32_t n : numbers) {
    std::snprintf(digits, sizeof digits, "%08X", n);
    text += digits;
  }
  return text;
}

// The block number of a pixel: alpha, red, green, blue.
uint32_t Argb(const Pixel& p) {
  return uint32_t{p.mAlpha} << 24 | uint32_t{p.mRed} << 16 | uint32_t{p.mGreen} << 8 | p.mBlue;
}

std::string WriteBlock(const XCXMLImage& image) {
  CStringWriteStream out;
  image.Write(&out);
  return out.mText;
}

std::string ReadError(const std::string& text) {
  CStringReadStream in(text);
  return ErrorOf([&] { CImageRef image(XCXMLImage::ReadNew(&in)); });
}

std::vector<Pixel> PixelsOf(const XCXMLImage& image) {
  const Pixel* p = image.GetPixels();
  return p ? std::vector<Pixel>(p, p + image.GetPixelCount()) : std::vector<Pixel>();
}

bool Same(const std::vector<Pixel>& a, const std::vector<Pixel>& b) {
  return a.size() == b.size() && (a.empty() || std::memcmp(a.data(), b.data(), a.size() * sizeof(Pixel)) == 0);
}

const char kWrongData[] = "XCXMLImage::Read - Wrong data (assertion failed)";
const char kInvalidHex[] = "XCXMLImage::ReadHex - Invalid hex value";
const char kReadError[] = "XCXMLImage::ReadHex - Read stream error (assertion failed)";
const char kWriteError[] = "XCXMLImage::WriteHex - Write stream error (assertion failed)";

const Pixel kA{1, 2, 3, 4}, kB{5, 6, 7, 8}, kC{9, 10, 11, 12}, kD{0xFE, 0xDC, 0xBA, 0x98};

}  // namespace

TEST(ImageBlock, ExactBlocksBothWays) {
  const struct {
    const char* name;
    uint32_t width, height;
    std::vector<Pixel> pixels;
    std::string block;
  } cases[] = {
      {"channels written alpha red green blue", 1, 1, {{0x12, 0x34, 0x56, 0x78}}, Hex({1, 1, 1, 1, 0x78123456})},
      {"three equal pixels", 3, 1, {kA, kA, kA}, Hex({1, 3, 1, 3, Argb(kA)})},
      {"four different pixels", 2, 2, {kA, kB, kC, kD}, Hex({1, 2, 2, 1, Argb(kA), 3, Argb(kB), Argb(kC), Argb(kD)})},
      // The literal run keeps the first pixel equal to its successor; the repeat run
      // after it starts one pixel later.
      {"alternating runs", 8, 1, {kA, kA, kB, kC, kC, kD, kD, kD},
       Hex({1, 8, 1, 2, Argb(kA), 2, Argb(kB), Argb(kC), 1, Argb(kC), 1, Argb(kD), 2, Argb(kD)})},
      {"pair at the end", 3, 1, {kA, kB, kB}, Hex({1, 3, 1, 1, Argb(kA), 1, Argb(kB), 1, Argb(kB)})},
      {"literal to the end", 1, 4, {kA, kB, kA, kB}, Hex({1, 1, 4, 1, Argb(kA), 3, Argb(kB), Argb(kA), Argb(kB)})},
      {"repeat, literal, repeat", 2, 3, {kB, kB, kB, kC, kD, kD},
       Hex({1, 2, 3, 3, Argb(kB), 2, Argb(kC), Argb(kD), 1, Argb(kD)})},
      {"empty", 0, 0, {}, ""},
      {"no columns", 0, 5, {}, ""},
      {"no rows", 5, 0, {}, ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    CImageRef image(MakeImage(c.width, c.height, c.pixels));
    EXPECT_EQ(c.block, WriteBlock(*image));
    CStringReadStream in(c.block);
    CImageRef back(XCXMLImage::ReadNew(&in));
    // An empty block is the empty picture, whatever size wrote nothing.
    EXPECT_EQ(c.block.empty() ? 0u : c.width, back->GetWidth());
    EXPECT_EQ(c.block.empty() ? 0u : c.height, back->GetHeight());
    EXPECT_TRUE(Same(c.pixels, PixelsOf(*back)));
    EXPECT_EQ(1, back->GetReferenceCount());
  }
  // A header of no columns but rows reads as that size, without pixels.
  CStringReadStream in(Hex({1, 0, 7}));
  CImageRef image(XCXMLImage::ReadNew(&in));
  EXPECT_EQ(7u, image->GetHeight());
  EXPECT_EQ(nullptr, image->GetPixels());
}

TEST(ImageBlock, RoundTripsRandomPictures) {
  const struct {
    uint32_t width, height;
  } shapes[] = {{1, 1}, {1, 2}, {2, 1}, {1, 777}, {777, 1}, {3, 5}, {64, 64}, {257, 3}, {1, 5000}, {300, 200}};
  std::mt19937 random(20240611);
  for (const auto& shape : shapes) {
    // Palettes of 1, 2, 3 and 2^32 colours give long repeats, short alternations and
    // pure literal runs.
    for (uint32_t palette : {1u, 2u, 3u, 0u}) {
      SCOPED_TRACE(testing::Message() << shape.width << " x " << shape.height << ", palette " << palette);
      std::vector<Pixel> pixels(uint64_t{shape.width} * shape.height);
      for (Pixel& p : pixels) {
        const uint32_t v = palette ? random() % palette * 0x01010101u + 0x10203040u : random();
        std::memcpy(&p, &v, sizeof p);
      }
      CImageRef image(MakeImage(shape.width, shape.height, pixels));
      CStringWriteStream out;
      image->Write(&out);
      EXPECT_LE(static_cast<size_t>(out.mCalls), out.mText.size() / 1024 + 1) << "pieces of 1 KiB or more";
      CStringReadStream in(out.mText);
      CImageRef back(XCXMLImage::ReadNew(&in));
      EXPECT_EQ(shape.width, back->GetWidth());
      EXPECT_TRUE(Same(pixels, PixelsOf(*back)));
      for (uint32_t request : in.mRequests) EXPECT_GE(request, 1024u);
      EXPECT_EQ(out.mText, WriteBlock(*back));
    }
  }
  // Reading into a picture replaces it; an empty block asks the stream once.
  CImageRef image(MakeImage(2, 1, {kA, kB}));
  CStringReadStream in(Hex({1, 1, 3, 3, Argb(kC)}));
  image->Read(&in);
  EXPECT_TRUE(Same({kC, kC, kC}, PixelsOf(*image)));
  CStringReadStream empty("");
  image->Read(&empty);
  EXPECT_EQ(0u, image->GetWidth());
  EXPECT_EQ(nullptr, image->GetPixels());
  EXPECT_EQ(1u, empty.mRequests.size());
}

TEST(ImageBlock, ErrorTexts) {
  const std::string header = Hex({1, 2, 1}), three = Hex({1, 3, 1}), reversed = "01000000" "03000000" "01000000";
  const struct {
    const char* name;
    std::string block;
    const char* message;  // null: reads
  } cases[] = {
      {"unknown tag", Hex({2, 1, 1, 1, 0}), "Unknown format"},
      {"tag zero", Hex({0}), "Unknown format"},
      {"lower-case pixel", Hex({1, 1, 1, 1}) + "ffff0000", kInvalidHex},
      {"lower-case tag", "0000000a", kInvalidHex},
      {"lower-case count", header + "0000000a", kInvalidHex},
      {"blank between numbers", "00000001 00000001", kInvalidHex},
      {"line break in a pixel", Hex({1, 1, 1, 1}) + "FFFF\n000", kInvalidHex},
      {"letter beyond F", Hex({1, 1, 1, 1}) + "FFFG0000", kInvalidHex},
      {"bad digit in a literal run", header + Hex({1, 0, 1}) + "0000000x", kInvalidHex},
      {"bad digit before the data ends", header + Hex({1}) + "G", kReadError},
      {"one character", "0", kReadError},
      {"seven characters", "0000000", kReadError},
      {"header only", header, kReadError},
      {"count without pixel", header + Hex({2}), kReadError},
      {"literal run cut short", header + Hex({1, 0, 1}), kReadError},
      {"size overflowing 32-bit bytes", Hex({1, 65535, 65535, 1, 0}), kWrongData},
      {"largest size", Hex({1, 0xFFFFFFFF, 0xFFFFFFFF, 1, 0}), kWrongData},
      {"one pixel too many", Hex({1, 0x10000, 0x4000, 1, 0}), kWrongData},
      // The largest size that fits passes the header and fails on the missing data.
      {"largest size that fits", Hex({1, 0xFFFF, 0x4000, 1, 0}), kReadError},
      // Run counts against the pixels left.
      {"repeat of exactly the pixels left", three + Hex({3, 0}), nullptr},
      {"repeat of one more", three + Hex({4, 0}), kWrongData},
      {"repeat that would wrap to 1", three + Hex({0xFFFFFFFE, 0}), kWrongData},
      {"largest repeat", three + Hex({0xFFFFFFFF, 0}), kWrongData},
      {"literal of exactly the pixels left", three + Hex({1, 0, 2, 0, 0}), nullptr},
      {"literal of one more", three + Hex({1, 0, 3, 0, 0, 0}), kWrongData},
      {"literal that would wrap to 2", three + Hex({1, 0, 0xFFFFFFFF}), kWrongData},
      {"empty repeat then literal of all", three + Hex({0, 0, 3, 0, 0, 0}), nullptr},
      {"empty runs alternate", three + Hex({0, 0, 0, 3, 0}), nullptr},
      {"empty runs without end", three + Hex({0, 0, 0, 0, 0, 0}), kReadError},
      // The byte-reversed form (3 x 1) checks its runs and digits alike.
      {"reversed: repeat of one more", reversed + "04000000" "00000000", kWrongData},
      {"reversed: 0x03000000 pixels", reversed + "00000003" "00000000", kWrongData},
      {"reversed: largest repeat", reversed + "FFFFFFFF" "00000000", kWrongData},
      {"reversed: literal that would wrap", reversed + "01000000" "00000000" "FEFFFFFF", kWrongData},
      {"reversed: every digit of a pixel", reversed + "01000000" "000000a0", kInvalidHex},
      {"reversed: literal cut short", reversed + "01000000" "00000000" "02000000" "00000000", kReadError},
      {"reversed: header cut short", "0100000001000000", kReadError},
      {"reversed: 65535 x 65535", "01000000FFFF0000FFFF0000", kWrongData},
      {"reversed: repeat of all", reversed + "03000000" "7F000000", nullptr},
  };
  for (const auto& c : cases) EXPECT_EQ(c.message ? c.message : "<no exception>", ReadError(c.block)) << c.name;

  CStringReadStream liar(Hex({1, 1, 1, 1, 0}));
  liar.mExtra = 0x80000000u;  // claims more than it was asked for
  EXPECT_EQ(kReadError, ErrorOf([&] { CImageRef image(XCXMLImage::ReadNew(&liar)); }));
  CImageRef image(MakeImage(1, 1, {kA}));
  EXPECT_EQ("XCXMLImage::Read - No stream (pointer is NULL)", ErrorOf([&] { image->Read(nullptr); }));
  EXPECT_EQ("XCXMLImage::Write - No stream (pointer is NULL)", ErrorOf([&] { image->Write(nullptr); }));
}

TEST(ImageBlock, WriteStreamErrors) {
  std::vector<Pixel> pixels(50000);
  for (size_t i = 0; i < pixels.size(); ++i) pixels[i] = Pixel{static_cast<unsigned char>(i), 1, 2, 3};
  CImageRef image(MakeImage(250, 200, pixels));
  const size_t full = WriteBlock(*image).size();
  IXMLCData* provider = image.mImage;
  // A stream that fails on the first, a middle or the last piece.
  for (size_t limit : {size_t{0}, full / 2, full - 1}) {
    CStringWriteStream out, asProvider;
    out.mLimit = asProvider.mLimit = limit;
    EXPECT_EQ(kWriteError, ErrorOf([&] { image->Write(&out); })) << limit;
    EXPECT_FALSE(provider->Write(&asProvider, 3, nullptr)) << limit;
  }
  CStringWriteStream out;
  EXPECT_TRUE(provider->Write(&out, 0, nullptr));
  EXPECT_EQ(full, out.mText.size());
  EXPECT_FALSE(provider->Write(nullptr, 0, nullptr));
}

TEST(ImageBlock, EveryTruncationFailsAndKeepsThePicture) {
  CImageRef image(MakeImage(5, 3, {kA, kA, kB, kC, kC, kD, kD, kD, kA, kB, kA, kB, kB, kB, kC}));
  const std::string blocks[] = {
      WriteBlock(*image),
      // byte-reversed: 3 x 1, a repeat of 2, a literal of 1
      "01000000" "03000000" "01000000" "02000000" "11000000" "01000000" "22000000",
  };
  CImageRef target(MakeImage(1, 2, {kD, kC}));
  const Pixel* before = target->GetPixels();
  for (const std::string& block : blocks) {
    for (size_t length = 1; length < block.size(); ++length) {
      CStringReadStream in(block.substr(0, length));
      EXPECT_EQ(kReadError, ErrorOf([&] { target->Read(&in); })) << length;
      EXPECT_EQ(before, target->GetPixels());
      EXPECT_EQ(2u, target->GetHeight());
      EXPECT_TRUE(Same({kD, kC}, PixelsOf(*target)));
    }
  }
}

// Damaged blocks either read as a picture of their announced size or fail with one of
// the block's messages; nothing else happens (the sanitizers watch the rest).
TEST(ImageBlock, DamagedBlocksFailCleanly) {
  std::vector<Pixel> pixels(40 * 30);
  std::mt19937 random(7);
  for (Pixel& p : pixels) p = (random() % 3 == 0) ? kA : Pixel{static_cast<unsigned char>(random()), 1, 2, 3};
  CImageRef image(MakeImage(40, 30, pixels));
  const std::string block = WriteBlock(*image);
  const char alphabet[] = "0123456789ABCDEFaz \n";
  const std::string messages[] = {kWrongData, kInvalidHex, kReadError, "Unknown format"};
  for (int trial = 0; trial < 3000; ++trial) {
    std::string damaged = block;
    for (int edits = 1 + static_cast<int>(random() % 3); edits > 0; --edits) {
      const size_t at = random() % damaged.size();
      switch (random() % 3) {
        case 0: damaged[at] = alphabet[random() % (sizeof alphabet - 1)]; break;
        case 1: damaged.erase(at, 1 + random() % 9); break;
        default: damaged.insert(at, 1 + random() % 9, alphabet[random() % 16]); break;
      }
    }
    CStringReadStream in(damaged);
    try {
      CImageRef back(XCXMLImage::ReadNew(&in));
      EXPECT_EQ(back->GetPixelCount(), damaged.empty() ? 0 : uint64_t{back->GetWidth()} * back->GetHeight());
    } catch (const std::exception& e) {
      EXPECT_NE(std::end(messages), std::find(std::begin(messages), std::end(messages), e.what())) << e.what();
    }
  }
}

TEST(ImageBlock, ByteReversedForm) {
  // Tag, width 2, height 1, a repeat of 1, a literal of 1; only the first byte of each
  // pixel survives, as red.
  CStringReadStream in("01000000" "02000000" "01000000" "01000000" "AB123456" "01000000" "CD00FF00");
  CImageRef image(XCXMLImage::ReadNew(&in));
  EXPECT_EQ(2u, image->GetWidth());
  EXPECT_TRUE(Same({{0xAB, 0, 0, 0}, {0xCD, 0, 0, 0}}, PixelsOf(*image)));
}

namespace {
// Decodes every data block of a parse into a new picture.
class CPictureReader : public QuorveXML::IXMLCDataReader {
public:
  ~CPictureReader() {
    for (XCXMLImage* picture : mPictures) picture->Release();
  }
  bool Read(QuorveXML::XIXMLElement*, QuorveXML::XIXMLReadStream* stream) override {
    mPictures.push_back(XCXMLImage::ReadNew(stream));
    return true;
  }
  std::vector<XCXMLImage*> mPictures;
};
}  // namespace

// Pictures travel through the document writer and parser as data blocks; a copied
// data node shares its picture, and the tree's nodes hold their references until
// they die. A picture handed over without a reference dies with its first release.
TEST(ImagePicture, SharedByDataNodesAndTravelsInDocuments) {
  std::vector<Pixel> pixels(300 * 200);
  std::mt19937 random(11);
  for (Pixel& p : pixels) p = (random() % 4 == 0) ? kB : Pixel{static_cast<unsigned char>(random()), 9, 8, 7};
  CImageRef picture(MakeImage(300, 200, pixels));
  CImageRef empty((new XCXMLImage())->Duplicate());
  std::string document;
  {
    QuorveXML::XCXMLTree tree;
    QuorveXML::XCXMLRoot* root = tree.GetRoot();
    QuorveXML::XIXMLElement* file = root->AddElement(root->GetKey("File"));
    QuorveXML::XIXMLData* data = file->AddElement(root->GetKey("Preview.Image"))->AddData(picture->Duplicate());
    EXPECT_EQ(2, picture->GetReferenceCount());
    data->GetNode()->CopyTo(file->AddElement(root->GetKey("Image")));
    EXPECT_EQ(3, picture->GetReferenceCount());
    file->AddElement(root->GetKey("Image"))->AddData(empty->Duplicate());
    document = Written(root);
  }
  EXPECT_EQ(1, picture->GetReferenceCount());
  EXPECT_EQ(1, empty->GetReferenceCount());
  const std::string block = WriteBlock(*picture);
  EXPECT_EQ("<File>\n\t<Preview.Image><![CDATA[" + block + "]]>\n\t</Preview.Image>\n\t<Image><![CDATA[" + block +
                "]]>\n\t</Image>\n\t<Image><![CDATA[]]>\n\t</Image>\n</File>\n",
            document);

  CPictureReader reader;
  ReadTree(document, &reader);
  ASSERT_EQ(3u, reader.mPictures.size());
  for (int i = 0; i < 2; ++i) EXPECT_TRUE(Same(pixels, PixelsOf(*reader.mPictures[i])));
  EXPECT_EQ(nullptr, reader.mPictures[2]->GetPixels());

  // A block cut by the document's end fails the parse with the picture's message.
  CPictureReader failing;
  EXPECT_EQ(kReadError, ErrorOf([&] {
              ReadTree(document.substr(0, document.find("]]>") - 3) + "]]></Preview.Image></File>", &failing);
            }));

  XCXMLImage* fresh = new XCXMLImage();  // handed over without a reference
  EXPECT_EQ(0, fresh->GetReferenceCount());
  IXMLCData* copy = static_cast<IXMLCData*>(fresh)->Duplicate();
  EXPECT_EQ(static_cast<IXMLCData*>(fresh), copy);
  EXPECT_EQ(1, fresh->GetReferenceCount());
  copy->Release();  // the last reference: gone, or the sanitizer reports a leak
}

TEST(ImxTemplates, AverageAndSizes) {
  struct CGreyPixel {
    uint16_t mLevel;
  };
  imx_timage<CGreyPixel> grey;
  CGreyPixel g{};
  EXPECT_EQ("imx_timage< _T >::average(const _T&,imx_float,const _T&,imx_float,const _T&,imx_float,"
            "const _T&,imx_float) not defined",
            ErrorOf([&] { grey.average(g, 1, g, 1, g, 1, g, 1); }));
  imx_image_RGBAn8 image;
  const imx_timage<Pixel>& base = image;  // through the virtual table
  const Pixel white{255, 255, 255, 255}, black{0, 0, 0, 0}, mixed{10, 20, 30, 40};
  const struct {
    imx_float w1, w2, w3;
    Pixel expected;
  } cases[] = {
      {1, 1, 1, {88, 91, 95, 98}},      // (255 + 0 + 10) / 3 ... truncated
      {0, 0, 2.9f, mixed},              // 2.9 counts as 2
      {1, 5, -3, {42, 42, 42, 42}},     // negative counts as 0
      {std::nanf(""), 1, 0, black},     // NaN counts as 0
  };
  for (const auto& c : cases)
    EXPECT_TRUE(Same({c.expected}, {base.average(white, c.w1, black, c.w2, mixed, c.w3, black, 0)})) << c.w3;
  // Weights that sum to 0, also by wrapping in 32 bits, are refused.
  for (imx_float big : {0.0f, 2147483648.0f})
    EXPECT_EQ("imx_image_RGBAn8::average - Weights sum to 0 (assertion failed)",
              ErrorOf([&] { base.average(white, big, black, big, mixed, big ? 0 : -1, black, 0); }));
  // Sizes beyond 32-bit byte counts are refused before anything is allocated, and
  // the picture stays as it was.
  image.Resize(2, 2);
  Pixel* kept = image.GetPixels();
  EXPECT_THROW(image.Resize(0x10000, 0x4000), std::bad_alloc);
  EXPECT_EQ(kept, image.GetPixels());
  EXPECT_TRUE(imx_image_RGBAn8::FitsSize((uint64_t{1} << 30) - 1));
  EXPECT_FALSE(imx_image_RGBAn8::FitsSize(uint64_t{1} << 30));
}
