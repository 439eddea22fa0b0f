#pragma once
// The texture formats that DDS files, IWI images and the GPU upload share: one DdsFormatRow per
// layout, with its block geometry and the OpenGL formats that take its bytes unchanged, and the
// 128-byte DDS header ("DDS " and the 124-byte header) as this program writes it.
//
// Byte order of the uncompressed rows: blue first (B,G,R and B,G,R,A), as the games store their
// uncompressed IWI images and as DDS declares them with the masks of a little-endian A8R8G8B8.
#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>

struct DdsFormatRow {
  bool compressed;
  bool swap;      // 16-bit data that needs byte swapping
  bool palette;
  uint32_t blockSide;  // pixels per block edge: 4 for the DXT rows, 1 otherwise
  uint32_t bytes;      // bytes per block or per pixel
  uint32_t glInternalFormat;
  uint32_t glDataFormat;
  uint32_t glDataType;
};

enum DdsFormatIndex : int {
  kDdsDxt1, kDdsDxt3, kDdsDxt5, kDdsBgr8, kDdsBgra8, kDdsBgr5A1, kDdsBgr565, kDdsIndex8, kDdsFormatCount
};

extern const DdsFormatRow kDdsFormats[kDdsFormatCount];

// The largest width or height of any image this program reads, converts or uploads: the largest
// GL texture side of current hardware, and more than the 16-bit signed sides of an IWI header hold.
// A 32768 x 32768 level of 4-byte pixels is 4 GiB, so no size of a capped level wraps.
inline constexpr uint32_t kMaxImageSide = 32768;

// Blocks of blockSide pixels along a side of `side` pixels; partial blocks count whole and a side of
// 0 counts as 1. In size_t: a side near 2^32 must not wrap to 0 blocks.
inline size_t DdsBlocks(uint32_t side, uint32_t blockSide) {
  return (size_t{side > 0 ? side : 1u} + blockSide - 1) / blockSide;
}

// Bytes of one level of width x height pixels in the row's layout. Partial blocks count whole, so
// sizes that are not multiples of 4 (and levels under 4x4) hold every pixel. Empty when a side is
// over kMaxImageSide or the size would not fit a size_t: every size computed from the sides of a
// file goes through here, so none can wrap.
std::optional<size_t> DdsLevelSize(const DdsFormatRow& row, uint32_t width, uint32_t height);

// Size of the next smaller mipmap level: half, rounded down, never below 1.
inline uint32_t NextMipSize(uint32_t size) { return size > 1 ? size / 2 : 1; }

inline constexpr uint32_t kDdsHeaderBytes = 128;

// What the DDS header of an image says. fourCC is 0 for an uncompressed image.
struct DdsHeaderInfo {
  uint32_t width = 0;
  uint32_t height = 0;
  uint32_t mipMapCount = 0;   // 0 leaves the mipmap-count flag clear
  uint32_t fourCC = 0;        // e.g. DdsFourCC("DXT1")
  uint32_t rgbBitCount = 0;   // uncompressed: 24 or 32
  bool alpha = false;         // uncompressed: the alpha mask 0xFF000000 is present
};

constexpr uint32_t DdsFourCC(const char (&text)[5]) {
  return uint32_t(uint8_t(text[0])) | uint32_t(uint8_t(text[1])) << 8 | uint32_t(uint8_t(text[2])) << 16 |
         uint32_t(uint8_t(text[3])) << 24;
}

// The 128 header bytes for info: flags 0x1007 (+0x20000 with a mipmap count); a compressed image
// declares its FourCC and the caps 0x401008, an uncompressed one the RGB(A) masks of a blue-first
// layout and the caps 0x1000.
std::array<uint8_t, kDdsHeaderBytes> MakeDdsHeader(const DdsHeaderInfo& info);
