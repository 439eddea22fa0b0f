// Block and pixel decoders for the TGA export. Each block decodes into 16 packed pixels and is
// stored row by row into the bottom-up output.
#include "image/converters.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <optional>

static_assert(std::endian::native == std::endian::little, "pixels are packed as little-endian B,G,R,A");

namespace {

constexpr uint32_t kOpaque = 0xFF000000u;

uint32_t Load16(const uint8_t* at) { return uint32_t(at[0]) | uint32_t(at[1]) << 8; }
uint32_t Load32(const uint8_t* at) {
  uint32_t value;
  std::memcpy(&value, at, 4);
  return value;
}
uint64_t Load64(const uint8_t* at) {
  uint64_t value;
  std::memcpy(&value, at, 8);
  return value;
}

uint32_t Pack(uint32_t r, uint32_t g, uint32_t b, uint32_t a) { return b | g << 8 | r << 16 | a << 24; }

// Writes the 16 pixels of a block: block row r lands on output row y + 3 - r, clipped to the image.
inline void StoreBlock(Converters::TgaImage& out, uint32_t x, int32_t y, const uint32_t pixels[16]) {
  uint8_t* base = out.pixels.data() + size_t(x) * 4;
  const size_t pitch = size_t(out.width) * 4;
  if (y >= 0 && x + 4 <= out.width) {  // the whole block lies inside: four 16-byte rows
    for (int r = 0; r < 4; ++r) std::memcpy(base + size_t(y + 3 - r) * pitch, pixels + 4 * r, 16);
    return;
  }
  const uint32_t columns = std::min<uint32_t>(4, out.width - x);
  for (int r = 0; r < 4; ++r) {
    const int32_t row = y + 3 - r;
    if (row < 0) continue;
    std::memcpy(base + size_t(row) * pitch, pixels + 4 * r, columns * 4);
  }
}

void BuildDxt5AlphaRamp8(uint32_t a0, uint32_t a1, uint8_t ramp[8]) {
  for (uint32_t i = 1; i < 7; ++i) ramp[1 + i] = uint8_t(((7 - i) * a0 + i * a1) / 7);
}

void BuildDxt5AlphaRamp6(uint32_t a0, uint32_t a1, uint8_t ramp[8]) {
  for (uint32_t i = 1; i < 5; ++i) ramp[1 + i] = uint8_t(((5 - i) * a0 + i * a1) / 5);
  ramp[6] = 0;
  ramp[7] = 255;
}

}  // namespace

int BuildDxtPalette(const uint8_t* block, bool threeColourAllowed, uint32_t palette[4]) {
  const uint32_t c0 = Load16(block), c1 = Load16(block + 2);
  const uint32_t r0 = c0 >> 11, g0 = (c0 >> 5) & 63, b0 = c0 & 31;
  const uint32_t r1 = c1 >> 11, g1 = (c1 >> 5) & 63, b1 = c1 & 31;
  const uint32_t R0 = r0 << 3 | r0 >> 2, G0 = g0 << 2 | g0 >> 4, B0 = b0 << 3 | b0 >> 2;
  const uint32_t R1 = r1 << 3 | r1 >> 2, G1 = g1 << 2 | g1 >> 4, B1 = b1 << 3 | b1 >> 2;
  palette[0] = Pack(R0, G0, B0, 255);
  palette[1] = Pack(R1, G1, B1, 255);
  if (c0 > c1 || !threeColourAllowed) {
    palette[2] = Pack((2 * R0 + R1) / 3, (2 * G0 + G1) / 3, (2 * B0 + B1) / 3, 255);
    palette[3] = Pack((R0 + 2 * R1) / 3, (G0 + 2 * G1) / 3, (B0 + 2 * B1) / 3, 255);
    return 4;
  }
  palette[2] = Pack((R0 + R1) / 2, (G0 + G1) / 2, (B0 + B1) / 2, 255);
  palette[3] = 0;
  return 3;
}

void DecodeDxtColorBlock(const uint8_t* block, bool threeColourAllowed, uint32_t pixels[16]) {
  uint32_t palette[4];
  BuildDxtPalette(block, threeColourAllowed, palette);
  const uint32_t indices = Load32(block + 4);
  for (int i = 0; i < 16; ++i) pixels[i] = palette[(indices >> (2 * i)) & 3];
}

void DecodeDxt3Alpha(const uint8_t* block, uint32_t pixels[16]) {
  const uint64_t bits = Load64(block);
  for (int i = 0; i < 16; ++i) {
    const uint32_t alpha = uint32_t(bits >> (4 * i)) & 15;
    pixels[i] = (pixels[i] & ~kOpaque) | (alpha * 17) << 24;
  }
}

void BuildDxt5AlphaRamp(uint8_t a0, uint8_t a1, uint8_t ramp[8]) {
  ramp[0] = a0;
  ramp[1] = a1;
  if (a0 > a1) BuildDxt5AlphaRamp8(a0, a1, ramp);
  else BuildDxt5AlphaRamp6(a0, a1, ramp);
}

void DecodeDxt5Alpha(const uint8_t* block, uint32_t pixels[16]) {
  uint8_t ramp[8];
  BuildDxt5AlphaRamp(block[0], block[1], ramp);
  const uint64_t indices = Load64(block) >> 16;
  for (int i = 0; i < 16; ++i) {
    const uint32_t alpha = ramp[(indices >> (3 * i)) & 7];
    pixels[i] = (pixels[i] & ~kOpaque) | alpha << 24;
  }
}

namespace Converters {

bool TgaImage::Allocate(uint32_t newWidth, uint32_t newHeight) {
  done = false;
  const std::optional<size_t> newSize = DdsLevelSize(kDdsFormats[kDdsBgra8], newWidth, newHeight);
  if (!newSize) return false;
  width = newWidth;
  height = newHeight;
  imageType = 2;
  bitsPerPixel = 32;
  bytesPerPixel = 4;
  size = *newSize;
  if (pixels.size() < size) pixels.resize(size);
  return true;
}

TgaImage& SharedTgaImage() {
  static TgaImage image;
  return image;
}

void DXT1::Convert() {
  for (uint32_t by = 0; by < blocksDown; ++by) {
    const int32_t y = int32_t(height) - 4 * int32_t(by + 1);
    for (uint32_t bx = 0; bx < blocksAcross; ++bx) ConvertBlock(4 * bx, y);
  }
  output->done = true;
}

void DXT1::ConvertBlock(uint32_t x, int32_t y) {
  uint32_t pixels[16];
  DecodeDxtColorBlock(source, true, pixels);
  StoreBlock(*output, x, y, pixels);
  source += 8;
}

// DXT3 and DXT5: an 8-byte alpha block, then a colour block that always has four colours.
template <void (*DecodeAlpha)(const uint8_t*, uint32_t*)>
void ConvertAlphaBlock(DDS_Convert& converter, uint32_t x, int32_t y) {
  uint32_t pixels[16];
  DecodeDxtColorBlock(converter.source + 8, false, pixels);
  DecodeAlpha(converter.source, pixels);
  StoreBlock(*converter.output, x, y, pixels);
  converter.source += 16;
}

void DXT3::ConvertBlock(uint32_t x, int32_t y) { ConvertAlphaBlock<DecodeDxt3Alpha>(*this, x, y); }
void DXT5::ConvertBlock(uint32_t x, int32_t y) { ConvertAlphaBlock<DecodeDxt5Alpha>(*this, x, y); }

void ARGB8::Convert() {
  for (uint32_t y = 0; y < height; ++y)
    for (uint32_t x = 0; x < width; ++x) ConvertBlock(x, int32_t(height - 1 - y));
  output->done = true;
}

void ARGB8::ConvertBlock(uint32_t x, int32_t y) {
  std::memcpy(output->pixels.data() + (size_t(y) * width + x) * 4, source, 4);
  source += 4;
}

void RGB8::ConvertBlock(uint32_t x, int32_t y) {
  const uint32_t pixel = Load16(source) | uint32_t(source[2]) << 16 | kOpaque;
  std::memcpy(output->pixels.data() + (size_t(y) * width + x) * 4, &pixel, 4);
  source += 3;
}

std::unique_ptr<DDS_Convert> ForFormat(uint8_t iwiFormat) {
  switch (iwiFormat) {
    case 1: return std::make_unique<ARGB8>();
    case 2: return std::make_unique<RGB8>();
    case 11: return std::make_unique<DXT1>();
    case 12: return std::make_unique<DXT3>();
    case 13: return std::make_unique<DXT5>();
  }
  return nullptr;
}

}  // namespace Converters

void RunConverter(Converters::DDS_Convert& converter) {
  if (!converter.source || !converter.output) return;
  converter.output->done = false;
  if (converter.width == 0 || converter.height == 0) return;
  const std::optional<size_t> sourceNeeded = DdsLevelSize(converter.Row(), converter.width, converter.height);
  if (!sourceNeeded || converter.sourceSize < *sourceNeeded) return;
  if (!converter.output->Allocate(converter.width, converter.height)) return;
  // Sides are at most kMaxImageSide here, so the block counts and the signed output rows fit.
  converter.blocksAcross = static_cast<uint32_t>(DdsBlocks(converter.width, 4));
  converter.blocksDown = static_cast<uint32_t>(DdsBlocks(converter.height, 4));
  converter.blockWidth = std::min<uint32_t>(converter.width, 4);
  converter.blockHeight = std::min<uint32_t>(converter.height, 4);
  converter.Convert();
}

bool ConvertPixels(uint8_t iwiFormat, const uint8_t* data, size_t size, uint32_t width, uint32_t height,
                   Converters::TgaImage& out) {
  out.done = false;
  auto converter = Converters::ForFormat(iwiFormat);
  if (!converter) return false;
  converter->width = width;
  converter->height = height;
  converter->source = data;
  converter->sourceSize = size;
  converter->output = &out;
  RunConverter(*converter);
  return out.done;
}
