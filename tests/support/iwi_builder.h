#pragma once
// Builds IWI files byte for byte: the header of a version (5, 6, 8 or 13) and the mipmap levels,
// smallest first, with level 0 ending the file. Unused header bytes are kFill, so a reader that
// takes a field from the wrong offset sees garbage.
#include <cstddef>
#include <cstdint>
#include <vector>

namespace testfiles {

struct IwiSpec {
  int version = 6;
  uint8_t format = 11;  // 1 RGBA, 2 RGB, 11 DXT1, 12 DXT3, 13 DXT5
  uint8_t usage = 0;
  int16_t width = 4;
  int16_t height = 4;
  int levels = 0;       // 0: the whole chain down to 1x1
};

// Header bytes of shape (28 bytes for versions 5 and 6, 32 for 8, 48 for 13).
std::vector<uint8_t> IwiHeader(const IwiSpec& shape);

// Byte size of one level of the format at width x height (whole 4x4 blocks for DXT).
size_t IwiLevelBytes(uint8_t format, uint32_t width, uint32_t height);

// Level contents for shape, largest first, each filled with a pattern that differs per level.
// Each level is half the one before (rounded down, at least 1).
std::vector<std::vector<uint8_t>> PatternLevels(const IwiSpec& shape);

// A whole file: header, then levels (given largest first) stored smallest first.
std::vector<uint8_t> MakeIwi(const IwiSpec& shape, const std::vector<std::vector<uint8_t>>& levels);
// A whole file with PatternLevels.
std::vector<uint8_t> MakeIwi(const IwiSpec& shape);

}  // namespace testfiles
