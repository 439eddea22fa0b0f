#include "support/iwi_builder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <fstream>
#include <iterator>

namespace testsupport {

namespace {

void PutI16(std::vector<uint8_t>& bytes, size_t at, int16_t value) {
  bytes[at] = uint8_t(value);
  bytes[at + 1] = uint8_t(uint16_t(value) >> 8);
}

void PutU32(std::vector<uint8_t>& bytes, size_t at, uint32_t value) {
  for (int i = 0; i < 4; ++i) bytes[at + i] = uint8_t(value >> (8 * i));
}

}  // namespace

std::vector<uint8_t> IwiHeader(const IwiSpec& spec) {
  const size_t length = spec.version == 13 ? 48 : spec.version == 8 ? 32 : 28;
  std::vector<uint8_t> header(length, 0xA5);
  std::memcpy(header.data(), "IWi", 3);
  header[3] = uint8_t(spec.version);
  const size_t fields = spec.version == 8 ? 8 : 4;
  header[fields] = spec.format;
  header[fields + 1] = spec.usage;
  PutI16(header, fields + 2, spec.width);
  PutI16(header, fields + 4, spec.height);
  PutI16(header, fields + 6, 1);
  if (spec.version == 13) PutU32(header, 12, 0);  // the 4 bytes before the offsets are zero
  return header;
}

size_t IwiLevelBytes(uint8_t format, uint32_t width, uint32_t height) {
  switch (format) {
    case 1: return size_t(width) * height * 4;
    case 2: return size_t(width) * height * 3;
    case 11: return size_t((width + 3) / 4) * ((height + 3) / 4) * 8;
    default: return size_t((width + 3) / 4) * ((height + 3) / 4) * 16;
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

void WriteBytes(const std::string& path, const std::vector<uint8_t>& bytes) {
  std::ofstream file(path, std::ios::binary | std::ios::trunc);
  file.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
  ASSERT_TRUE(file.good()) << "cannot write " << path;
}

std::vector<uint8_t> ReadBytes(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  return std::vector<uint8_t>(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

}  // namespace testsupport
