#include "support/iwi_builder.h"

#include <algorithm>

#include "support/byte_writer.h"

namespace testfiles {

std::vector<uint8_t> IwiHeader(const IwiSpec& spec) {
  ByteWriter out;
  out.Raw("IWi", 3).U8(uint8_t(spec.version));
  if (spec.version == 8) out.Fill(4);
  out.U8(spec.format).U8(spec.usage).I16(spec.width).I16(spec.height).I16(1);
  if (spec.version == 13) out.U32(0);  // four zero bytes, then eight level offsets (not read)
  return out.PadTo(spec.version == 13 ? 48 : spec.version == 8 ? 32 : 28).Bytes();
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

std::vector<std::vector<uint8_t>> PatternLevels(const IwiSpec& spec) {
  std::vector<std::vector<uint8_t>> levels;
  uint32_t w = uint32_t(std::max<int>(spec.width, 1)), h = uint32_t(std::max<int>(spec.height, 1));
  for (int k = 0;; ++k) {
    std::vector<uint8_t> level(IwiLevelBytes(spec.format, w, h));
    for (size_t i = 0; i < level.size(); ++i) level[i] = uint8_t(i * 7 + k * 31 + (i >> 8));
    levels.push_back(std::move(level));
    const bool last = spec.levels > 0 ? int(levels.size()) == spec.levels : (w == 1 && h == 1);
    if (last) break;
    w = std::max<uint32_t>(w / 2, 1);
    h = std::max<uint32_t>(h / 2, 1);
  }
  return levels;
}

std::vector<uint8_t> MakeIwi(const IwiSpec& spec, const std::vector<std::vector<uint8_t>>& levels) {
  std::vector<uint8_t> bytes = IwiHeader(spec);
  for (auto level = levels.rbegin(); level != levels.rend(); ++level)
    bytes.insert(bytes.end(), level->begin(), level->end());
  return bytes;
}

std::vector<uint8_t> MakeIwi(const IwiSpec& spec) { return MakeIwi(spec, PatternLevels(spec)); }

}  // namespace testfiles
