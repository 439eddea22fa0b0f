// DDS header checks, level spans and the row turning of the GUI's DDS loader.
#include "image/dds_reader.h"

#include <algorithm>
#include <cstring>
#include <utility>

#include "core/byte_reader.h"

namespace {

constexpr uint32_t kFlagCaps = 0x1, kFlagPitch = 0x8, kFlagPixelFormat = 0x1000, kFlagMipMapCount = 0x20000;
constexpr uint32_t kPixelAlpha = 0x1, kPixelFourCC = 0x4, kPixelIndexed = 0x20, kPixelRgb = 0x40;

struct PixelFormat {
  uint32_t flags, fourCC, bitCount, red, green, blue, alpha;
};

// The format row of a pixel format, in the order the loader tries them; kDdsFormatCount for none.
DdsFormatIndex ChooseFormat(const PixelFormat& p) {
  if (p.flags & kPixelFourCC) {
    if (p.fourCC == DdsFourCC("DXT1")) return kDdsDxt1;
    if (p.fourCC == DdsFourCC("DXT3")) return kDdsDxt3;
    if (p.fourCC == DdsFourCC("DXT5")) return kDdsDxt5;
  }
  const bool rgb = p.flags & kPixelRgb, alpha = p.flags & kPixelAlpha;
  if (rgb && alpha && p.bitCount == 32 && p.red == 0x00FF0000 && p.green == 0x0000FF00 && p.blue == 0x000000FF &&
      p.alpha == 0xFF000000)
    return kDdsBgra8;
  if (rgb && alpha && p.bitCount == 16 && p.red == 0x7C00 && p.green == 0x03E0 && p.blue == 0x001F && p.alpha == 0x8000)
    return kDdsBgr5A1;
  if (rgb && !alpha && p.bitCount == 16 && p.red == 0xF800 && p.green == 0x07E0 && p.blue == 0x001F) return kDdsBgr565;
  if ((p.flags & kPixelIndexed) && p.bitCount == 8) return kDdsIndex8;
  return kDdsFormatCount;
}

// Levels of the full chain of a width x height image: down to 1 x 1.
uint32_t FullChainLength(uint32_t width, uint32_t height) {
  uint32_t length = 1;
  for (uint32_t side = std::max(width, height); side > 1; side /= 2) ++length;
  return length;
}

}  // namespace

ImageResult ReadDds(const uint8_t* bytes, size_t size, DdsContents& out) {
  out = DdsContents{};
  ByteReader in(bytes, size);
  const uint8_t* magic = in.Take(4);
  const uint32_t headerSize = in.U32();
  const uint32_t flags = in.U32();
  const uint32_t height = in.U32();
  const uint32_t width = in.U32();
  const uint32_t pitch = in.U32();
  in.Skip(4);  // depth
  const uint32_t mipMapCount = in.U32();
  in.Seek(80);  // the pixel format's flags, after its size
  PixelFormat pixel{};
  pixel.flags = in.U32();
  pixel.fourCC = in.U32();
  pixel.bitCount = in.U32();
  pixel.red = in.U32();
  pixel.green = in.U32();
  pixel.blue = in.U32();
  pixel.alpha = in.U32();
  if (in.Failed() || size < kDdsHeaderBytes || std::memcmp(magic, "DDS ", 4) != 0 || headerSize != 124 ||
      (flags & (kFlagPixelFormat | kFlagCaps)) != (kFlagPixelFormat | kFlagCaps))
    return ImageResult::NotDds;

  const DdsFormatIndex format = ChooseFormat(pixel);
  if (format == kDdsFormatCount || width == 0 || height == 0) return ImageResult::FormatError;
  const DdsFormatRow& row = kDdsFormats[format];
  // Every later level is smaller than the first: when its size is known, theirs are too.
  if (!DdsLevelSize(row, width, height)) return ImageResult::FormatError;

  in.Seek(kDdsHeaderBytes);
  if (row.palette) {
    out.paletteOffset = in.Position();
    if (!in.Skip(kDdsPaletteBytes)) return ImageResult::ShortRead;
  }
  uint32_t count = (flags & kFlagMipMapCount) ? std::max<uint32_t>(mipMapCount, 1) : 1;
  count = std::min(count, FullChainLength(width, height));

  uint32_t w = width, h = height;
  for (uint32_t i = 0; i < count; ++i) {
    DdsLevel level{w, h, in.Position(), 0, 0};
    if (row.palette) {
      // The first level's rows may be padded to the pitch; the pitch is only trusted when it
      // covers a row (writers often leave it 0).
      level.stride = i == 0 && (flags & kFlagPitch) && pitch >= w ? pitch : w;
      level.size = size_t{level.stride} * h;  // at most 2^32 x kMaxImageSide: no wrap
    } else {
      level.size = *DdsLevelSize(row, w, h);
    }
    if (!in.Skip(level.size)) return ImageResult::ShortRead;
    out.levels.push_back(level);
    w = NextMipSize(w);
    h = NextMipSize(h);
  }
  out.format = format;
  out.width = width;
  out.height = height;
  return ImageResult::Success;
}

namespace {

// Reverses the first `rows` 2-bit index rows of a colour block's 4 index bytes.
void FlipColourIndices(uint8_t* indices, uint32_t rows) {
  std::reverse(indices, indices + rows);
}

// Reverses the first `rows` 16-bit rows of a DXT3 alpha block (8 bytes, 4 rows of 4 alphas).
void FlipExplicitAlpha(uint8_t* alpha, uint32_t rows) {
  for (uint32_t a = 0, b = rows - 1; a < b; ++a, --b) {
    std::swap(alpha[2 * a], alpha[2 * b]);
    std::swap(alpha[2 * a + 1], alpha[2 * b + 1]);
  }
}

// Reverses the first `rows` 12-bit rows of a DXT5 alpha block's 48 bits of indices (bytes 2..7).
void FlipInterpolatedAlpha(uint8_t* block, uint32_t rows) {
  uint64_t bits = 0;
  for (int k = 0; k < 6; ++k) bits |= uint64_t(block[2 + k]) << (8 * k);
  uint64_t rowBits[4];
  for (int r = 0; r < 4; ++r) rowBits[r] = (bits >> (12 * r)) & 0xFFF;
  std::reverse(rowBits, rowBits + rows);
  bits = 0;
  for (int r = 0; r < 4; ++r) bits |= rowBits[r] << (12 * r);
  for (int k = 0; k < 6; ++k) block[2 + k] = uint8_t(bits >> (8 * k));
}

}  // namespace

void FlipDxtLevel(DdsFormatIndex format, uint8_t* data, uint32_t width, uint32_t height) {
  const DdsFormatRow& row = kDdsFormats[format];
  const size_t down = DdsBlocks(height, row.blockSide);
  const size_t rowBytes = DdsBlocks(width, row.blockSide) * row.bytes;
  for (size_t a = 0, b = down - 1; a < b; ++a, --b) {
    std::swap_ranges(data + a * rowBytes, data + (a + 1) * rowBytes, data + b * rowBytes);
  }
  const uint32_t rows = std::min<uint32_t>(std::max<uint32_t>(height, 1), 4);
  if (rows < 2) return;
  for (uint8_t* block = data; block < data + down * rowBytes; block += row.bytes) {
    switch (format) {
      case kDdsDxt1: FlipColourIndices(block + 4, rows); break;
      case kDdsDxt3:
        FlipExplicitAlpha(block, rows);
        FlipColourIndices(block + 12, rows);
        break;
      case kDdsDxt5:
        FlipInterpolatedAlpha(block, rows);
        FlipColourIndices(block + 12, rows);
        break;
      default: return;
    }
  }
}

void FlipRows(const uint8_t* source, size_t sourceStride, size_t rowBytes, uint32_t height, uint8_t* out) {
  for (uint32_t y = 0; y < height; ++y) {
    std::memcpy(out + size_t(height - 1 - y) * rowBytes, source + size_t(y) * sourceStride, rowBytes);
  }
}

void ExpandPalette(const uint8_t* indices, size_t sourceStride, uint32_t width, uint32_t height,
                   const uint8_t* palette, uint8_t* out) {
  for (uint32_t y = 0; y < height; ++y) {
    const uint8_t* in = indices + size_t(y) * sourceStride;
    uint8_t* texel = out + size_t(height - 1 - y) * width * 4;
    for (uint32_t x = 0; x < width; ++x, texel += 4) {
      const uint8_t* entry = palette + size_t(in[x]) * 4;
      texel[0] = entry[2];
      texel[1] = entry[1];
      texel[2] = entry[0];
      texel[3] = entry[3];
    }
  }
}
