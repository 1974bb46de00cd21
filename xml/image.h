// A picture of a document and the data-block provider that writes it: run-length
// encoded 32-bit pixels as upper-case hexadecimal text inside one CDATA block.
//
// Block text, every number eight upper-case hexadecimal digits with nothing between:
// the tag 1, width, height, then alternating runs until every pixel is covered: a
// repeat run (count n, one pixel: n copies of it) and, while pixels remain, a literal
// run (count m, m pixels). A pixel is written alpha, red, green, blue. An empty picture
// writes nothing, and an empty block reads as an empty picture. On reading, the
// byte-reversed form (tag 01000000, little-endian numbers, pixels keeping only their
// first byte as red) is accepted too; nothing writes it.
#pragma once

#include <cstdint>

#include "ZinXML.h"
#include "xml/imx.h"

namespace Quorve {

/// An 8-bit RGBA picture shared by counted references, and the provider of its data
/// block. The count starts at 0: whoever creates a picture takes the first reference
/// with Duplicate (or hands the fresh picture to a data node, whose Release then
/// destroys it). Duplicate and Release are safe from several threads at once; the
/// pixels themselves are not guarded.
class XCXMLImage : public imx_image_RGBAn8, public QuorveXML::IXMLCData {
public:
  /// An empty picture: width and height 0, no pixels.
  XCXMLImage() = default;
  /// Adopts width x height pixels allocated with AllocatePixels (freed by the picture).
  XCXMLImage(uint32_t width, uint32_t height, imx_pixel_RGBAn8* pixels)
      : imx_image_RGBAn8(width, height, pixels, true) {}

  /// Writes the block text onto stream through a staging buffer; an empty picture
  /// (width or height 0) writes nothing. A stream that takes fewer bytes than given
  /// throws "XCXMLImage::WriteHex - Write stream error (assertion failed)".
  void Write(QuorveXML::XIXMLWriteStream* stream) const;

  /// Reads one block from stream (read in pieces of 16 KiB; a short piece ends the data)
  /// and replaces size and pixels. Throws, leaving the picture as it was:
  /// "Unknown format" for a tag other than 1 or its byte-reversed form;
  /// "XCXMLImage::Read - Wrong data (assertion failed)" for a run count beyond the
  /// pixels left, or a size above kImxMaxPixelBytes;
  /// "XCXMLImage::ReadHex - Invalid hex value" for a character other than 0-9 and A-F;
  /// "XCXMLImage::ReadHex - Read stream error (assertion failed)" when the data ends
  /// inside the block. Pixel storage grows with the runs actually decoded, never with
  /// the announced size alone.
  void Read(QuorveXML::XIXMLReadStream* stream);

  /// Decodes one block into a new picture and returns it with one reference taken.
  /// Throws as Read; nothing is left behind on failure.
  static XCXMLImage* ReadNew(QuorveXML::XIXMLReadStream* stream);

  /// As a provider: Write(stream); true when written, false when anything failed.
  bool Write(QuorveXML::XIXMLWriteStream* stream, int depth, QuorveXML::XIXMLData* dataNode) override;
  /// Adds one reference and returns this picture: a copied data node shares it.
  XCXMLImage* Duplicate() override;
  /// Drops one reference; the last one destroys the picture (so does the first
  /// Release of a picture nobody ever referenced).
  void Release() override;

protected:
  /// Only Release destroys a shared picture.
  ~XCXMLImage() override = default;
};

}  // namespace Quorve
