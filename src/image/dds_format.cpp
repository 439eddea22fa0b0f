#include "image/dds_format.h"

#include <cstring>

namespace {

constexpr uint32_t kGlRgb = 0x1907, kGlRgb5 = 0x8050, kGlRgb8 = 0x8051, kGlRgb5A1 = 0x8057, kGlRgba8 = 0x8058;
constexpr uint32_t kGlBgr = 0x80E0, kGlBgra = 0x80E1;
constexpr uint32_t kGlUnsignedByte = 0x1401, kGlUnsignedShort565 = 0x8363, kGlUnsignedShort1555Rev = 0x8366;
constexpr uint32_t kGlDxt1 = 0x83F1, kGlDxt3 = 0x83F2, kGlDxt5 = 0x83F3;

void PutU32(uint8_t* at, uint32_t value) {
  at[0] = uint8_t(value);
  at[1] = uint8_t(value >> 8);
  at[2] = uint8_t(value >> 16);
  at[3] = uint8_t(value >> 24);
}

}  // namespace

const DdsFormatRow kDdsFormats[kDdsFormatCount] = {
    {true, false, false, 4, 8, kGlDxt1, 0, 0},
    {true, false, false, 4, 16, kGlDxt3, 0, 0},
    {true, false, false, 4, 16, kGlDxt5, 0, 0},
    {false, false, false, 1, 3, kGlRgb8, kGlBgr, kGlUnsignedByte},
    {false, false, false, 1, 4, kGlRgba8, kGlBgra, kGlUnsignedByte},
    {false, true, false, 1, 2, kGlRgb5A1, kGlBgra, kGlUnsignedShort1555Rev},
    {false, true, false, 1, 2, kGlRgb5, kGlRgb, kGlUnsignedShort565},
    {false, false, true, 1, 1, kGlRgb8, kGlBgra, kGlUnsignedByte},
};

std::optional<size_t> DdsLevelSize(const DdsFormatRow& row, uint32_t width, uint32_t height) {
  if (width > kMaxImageSide || height > kMaxImageSide) return std::nullopt;
  size_t blocks = 0, size = 0;
  if (__builtin_mul_overflow(DdsBlocks(width, row.blockSide), DdsBlocks(height, row.blockSide), &blocks) ||
      __builtin_mul_overflow(blocks, size_t{row.bytes}, &size))
    return std::nullopt;
  return size;
}

std::array<uint8_t, kDdsHeaderBytes> MakeDdsHeader(const DdsHeaderInfo& info) {
  std::array<uint8_t, kDdsHeaderBytes> header{};
  uint8_t* h = header.data();
  std::memcpy(h, "DDS ", 4);
  PutU32(h + 4, 124);
  PutU32(h + 8, 0x1007 | (info.mipMapCount != 0 ? 0x20000 : 0));
  PutU32(h + 12, info.height);
  PutU32(h + 16, info.width);
  PutU32(h + 28, info.mipMapCount);
  PutU32(h + 76, 32);
  if (info.fourCC != 0) {
    PutU32(h + 80, 0x4);
    PutU32(h + 84, info.fourCC);
    PutU32(h + 108, 0x401008);
  } else {
    PutU32(h + 80, info.alpha ? 0x41 : 0x40);
    PutU32(h + 88, info.rgbBitCount);
    PutU32(h + 92, 0x00FF0000);
    PutU32(h + 96, 0x0000FF00);
    PutU32(h + 100, 0x000000FF);
    PutU32(h + 104, info.alpha ? 0xFF000000 : 0);
    PutU32(h + 108, 0x1000);
  }
  return header;
}
