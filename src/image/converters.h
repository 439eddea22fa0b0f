#pragma once
// Texture converters: level 0 of an IWI image to 32-bit B,G,R,A pixels for the TGA export.
//
//   TgaImage               the output: width x height pixels, the first stored row is the picture's
//                          bottom row (a TGA with a bottom-left origin)
//   Converters::DDS_Convert base: Convert walks the image, ConvertBlock converts one 4x4 block (DXT)
//                          or one pixel (RGBA, RGB); one virtual call per block or pixel
//   DXT1 / DXT3 / DXT5     S3TC block decoders; DXT3 and DXT5 colour blocks always use four colours
//   ARGB8 / RGB8           the uncompressed IWI formats, stored blue first (B,G,R,A and B,G,R)
//   RunConverter           checks the source, sizes the output once, runs Convert
//   block helpers          BuildDxtPalette, DecodeDxtColorBlock, DecodeDxt3Alpha, DecodeDxt5Alpha
//
// Pixels travel as uint32 B | G << 8 | R << 16 | A << 24, which is B,G,R,A in memory.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

#include "image/dds_format.h"

namespace Converters {

// The output image. Allocate sizes it for a conversion; the buffer only grows.
struct TgaImage {
  uint32_t bytesPerPixel = 4;
  uint32_t width = 0;
  uint32_t height = 0;
  uint8_t imageType = 2;  // uncompressed true-colour
  uint8_t bitsPerPixel = 32;
  size_t size = 0;        // width * height * 4
  std::vector<uint8_t> pixels;
  bool done = false;

  // Sizes the image for newWidth x newHeight pixels and marks it not done; false, leaving the
  // size as it was, when a side is over kMaxImageSide.
  bool Allocate(uint32_t newWidth, uint32_t newHeight);
};

// The one output image of the TGA export (job thread only).
TgaImage& SharedTgaImage();

class DDS_Convert {
 public:
  explicit DDS_Convert(const DdsFormatRow& row) : row_(row) {}
  virtual ~DDS_Convert() = default;

  // Converts the whole image into output, then marks it done.
  virtual void Convert() = 0;
  // Converts one block whose top-left output pixel is (x, y), or one pixel at (x, y), and advances
  // source past its bytes. y may be negative for the last block row of a height that is not a
  // multiple of 4: output rows outside the image are not written.
  virtual void ConvertBlock(uint32_t x, int32_t y) = 0;

  // The source layout (block side and bytes per block or pixel).
  const DdsFormatRow& Row() const { return row_; }

  uint32_t width = 0;
  uint32_t height = 0;
  const uint8_t* source = nullptr;
  size_t sourceSize = 0;  // bytes readable at source
  TgaImage* output = nullptr;
  uint32_t blocksAcross = 0;  // (width + 3) / 4
  uint32_t blocksDown = 0;    // (height + 3) / 4
  uint32_t blockWidth = 0;    // min(width, 4)
  uint32_t blockHeight = 0;   // min(height, 4)

 private:
  const DdsFormatRow& row_;
};

class DXT1 : public DDS_Convert {
 public:
  DXT1() : DDS_Convert(kDdsFormats[kDdsDxt1]) {}
  // Block rows in source order; block row by lands on output rows height - 4 * (by + 1) .. + 3,
  // its rows reversed, so the picture ends up bottom-up.
  void Convert() override;
  void ConvertBlock(uint32_t x, int32_t y) override;

 protected:
  explicit DXT1(const DdsFormatRow& row) : DDS_Convert(row) {}
};

class DXT3 : public DXT1 {
 public:
  DXT3() : DXT1(kDdsFormats[kDdsDxt3]) {}
  void ConvertBlock(uint32_t x, int32_t y) override;
};

class DXT5 : public DXT1 {
 public:
  DXT5() : DXT1(kDdsFormats[kDdsDxt5]) {}
  void ConvertBlock(uint32_t x, int32_t y) override;
};

class ARGB8 : public DDS_Convert {
 public:
  ARGB8() : DDS_Convert(kDdsFormats[kDdsBgra8]) {}
  // Source row y goes to output row height - 1 - y.
  void Convert() override;
  void ConvertBlock(uint32_t x, int32_t y) override;

 protected:
  explicit ARGB8(const DdsFormatRow& row) : DDS_Convert(row) {}
};

class RGB8 : public ARGB8 {
 public:
  RGB8() : ARGB8(kDdsFormats[kDdsBgr8]) {}
  void ConvertBlock(uint32_t x, int32_t y) override;
};

// The converter of an IWI format byte (1 ARGB8, 2 RGB8, 11 DXT1, 12 DXT3, 13 DXT5); null for
// any other format.
std::unique_ptr<DDS_Convert> ForFormat(uint8_t iwiFormat);

}  // namespace Converters

// Runs converter: nothing when its source or output is null, its size is 0 or a side is over
// kMaxImageSide, or the source holds fewer bytes than width x height needs in its layout (the
// output then stays not done). Otherwise allocates the output, sets the block counts and calls
// Convert.
void RunConverter(Converters::DDS_Convert& converter);

// Decodes width x height pixels of data, laid out in an IWI format, into out (bottom row first,
// B,G,R,A). False for an unknown format or when data holds too few bytes.
bool ConvertPixels(uint8_t iwiFormat, const uint8_t* data, size_t size, uint32_t width, uint32_t height,
                   Converters::TgaImage& out);

// The four colours of an 8-byte DXT colour block as B,G,R,A pixels. Endpoints widen 5:6:5 by bit
// replication; with c0 > c1, or always when threeColourAllowed is false (DXT3, DXT5), colours 2 and
// 3 are (2 c0 + c1) / 3 and (c0 + 2 c1) / 3 and 4 is returned; otherwise colour 2 is (c0 + c1) / 2,
// colour 3 transparent black, and 3 is returned.
int BuildDxtPalette(const uint8_t* block, bool threeColourAllowed, uint32_t palette[4]);
// The 16 pixels of a colour block, row by row (pixel (c, r) uses bits 2c, 2c + 1 of byte 4 + r).
void DecodeDxtColorBlock(const uint8_t* block, bool threeColourAllowed, uint32_t pixels[16]);
// Replaces the alpha of the 16 pixels from a DXT3 alpha block (4 bits each, times 17).
void DecodeDxt3Alpha(const uint8_t* block, uint32_t pixels[16]);
// The DXT5 alpha ramp of a0, a1: eight interpolated values when a0 > a1, else six and 0, 255.
void BuildDxt5AlphaRamp(uint8_t a0, uint8_t a1, uint8_t ramp[8]);
// Replaces the alpha of the 16 pixels from a DXT5 alpha block (3-bit ramp indices from bit 16).
void DecodeDxt5Alpha(const uint8_t* block, uint32_t pixels[16]);
