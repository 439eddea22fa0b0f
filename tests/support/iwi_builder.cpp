#include "support/iwi_builder.h"

#include <algorithm>

#include "support/byte_writer.h"

namespace testfiles {

std::vector<uint8_t> IwiHeader(const IwiSpec& shape) {
  ByteWriter out;
  out.Raw("IWi", 3).U8(uint8_t(shape.version));
  if (shape.version == 8) out.Fill(4);
  out.U8(shape.format).U8(shape.usage).I16(shape.width).I16(shape.height).I16(1);
  if (shape.version == 13) out.U32(0);  // four zero bytes, then eight level offsets (not read)
  return out.PadTo(shape.version == 13 ? 48 : shape.version == 8 ? 32 : 28).Bytes();
}

size_t IwiLevelBytes(uint8_t format, uint32_t width, uint32_t height) {
  const size_t blocks = size_t((width + 3) / 4) * ((height + 3) / 4);
  switch (format) {
    case 1: return size_t(width) * height * 4;
    case 2: return size_t(width) * height * 3;
    case 11: return blocks * 8;
    default: return blocks * 16;
  }
}

std::vector<std::vector<uint8_t>> PatternLevels(const IwiSpec& shape) {
  std::vector<std::vector<uint8_t>> levels;
  uint32_t w = uint32_t(std::max<int>(shape.width, 1)), h = uint32_t(std::max<int>(shape.height, 1));
  for (int k = 0;; ++k) {
    std::vector<uint8_t> level(IwiLevelBytes(shape.format, w, h));
    for (size_t i = 0; i < level.size(); ++i) level[i] = uint8_t(i * 7 + k * 31 + (i >> 8));
    levels.push_back(std::move(level));
    const bool last = shape.levels > 0 ? int(levels.size()) == shape.levels : (w == 1 && h == 1);
    if (last) break;
    w = std::max<uint32_t>(w / 2, 1);
    h = std::max<uint32_t>(h / 2, 1);
  }
  return levels;
}

std::vector<uint8_t> MakeIwi(const IwiSpec& shape, const std::vector<std::vector<uint8_t>>& levels) {
  std::vector<uint8_t> bytes = IwiHeader(shape);
  for (auto level = levels.rbegin(); level != levels.rend(); ++level)
    bytes.insert(bytes.end(), level->begin(), level->end());
  return bytes;
}

std::vector<uint8_t> MakeIwi(const IwiSpec& shape) { return MakeIwi(shape, PatternLevels(shape)); }

}  // namespace testfiles
