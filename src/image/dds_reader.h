#pragma once
// The GUI's DDS files in memory: ReadDds checks the 128-byte header, chooses the format row
// (image/dds_format.h) and finds every mipmap level inside the bytes, without GL, so a truncated
// or hostile file is refused before anything is allocated or uploaded. The turning helpers put a
// level's stored first row at the texture's top edge (t = 1), as the GUI's quads expect.
//
//   DdsContents        what the file holds: format row, size, levels, palette
//   ReadDds            header and level spans of a file's bytes, or the ImageResult why not
//   FlipDxtLevel       a block-compressed level upside down, a block row and a pixel row at a time
//   FlipRows           an uncompressed level upside down
//   ExpandPalette      8-bit indices to 4-byte texels of the palette
#include <cstddef>
#include <cstdint>
#include <vector>

#include "image/dds_format.h"
#include "image/image_result.h"

// One mipmap level: its pixels and where its bytes lie in the file.
struct DdsLevel {
  uint32_t width = 0;
  uint32_t height = 0;
  size_t offset = 0;  // from the start of the file
  size_t size = 0;    // bytes: DdsLevelSize, or pitch x height for an indexed first level
  uint32_t stride = 0;  // indexed levels: bytes per stored row (the pitch may pad the first)
};

struct DdsContents {
  DdsFormatIndex format = kDdsFormatCount;
  uint32_t width = 0;
  uint32_t height = 0;
  std::vector<DdsLevel> levels;  // largest first
  size_t paletteOffset = 0;      // indexed rows: 256 entries of 4 bytes after the header
};

// The palette of an indexed file: 256 entries of 4 bytes.
inline constexpr size_t kDdsPaletteBytes = 256 * 4;

// Reads the header and locates the levels of a DDS file held in bytes:
//   NotDds       shorter than the header, no "DDS " magic, header size not 124, or the flags
//                0x1000 (pixel format) and 0x1 (caps) not both set;
//   FormatError  a pixel format other than DXT1/3/5, 32-bit BGRA, 16-bit BGR5A1, 16-bit BGR565 and
//                8-bit indexed (24-bit RGB among them), or a width or height of 0 or over
//                kMaxImageSide;
//   ShortRead    the palette or a level runs past the end of the bytes.
// Levels: the mipmap count when the header flag 0x20000 is set (at least 1), else 1; never more
// than the full chain down to 1 x 1. Each level is half the one before, rounded down, at least 1.
ImageResult ReadDds(const uint8_t* bytes, size_t size, DdsContents& out);

// Turns a level of a DXT row (kDdsDxt1/3/5) of width x height pixels upside down in place: block
// rows in reverse order and, inside each block, its pixel rows reversed (only the first height
// rows of a block when height is under 4, so the 2- and 1-pixel levels stay whole). data holds
// DdsLevelSize bytes (the sides are those of a level ReadDds accepted).
void FlipDxtLevel(DdsFormatIndex format, uint8_t* data, uint32_t width, uint32_t height);

// Copies height rows of rowBytes each from source to out in reverse order. out holds
// rowBytes x height bytes; source rows lie sourceStride bytes apart.
void FlipRows(const uint8_t* source, size_t sourceStride, size_t rowBytes, uint32_t height, uint8_t* out);

// Expands width x height indices (rows sourceStride bytes apart) through the palette into B,G,R,A
// texels, the stored first row last: each palette entry R,G,B,A has its first and third bytes
// exchanged. out holds width x height x 4 bytes.
void ExpandPalette(const uint8_t* indices, size_t sourceStride, uint32_t width, uint32_t height,
                   const uint8_t* palette, uint8_t* out);
