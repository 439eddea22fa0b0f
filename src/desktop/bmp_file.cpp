// Reading the BMP pictures the build makes (the splash picture, the program's icon).
#include <cstring>
#include <fstream>
#include <iterator>

#include "desktop/canvas.h"

namespace {

uint32_t U32(const uint8_t* p) { return p[0] | (p[1] << 8) | (p[2] << 16) | (static_cast<uint32_t>(p[3]) << 24); }
uint16_t U16(const uint8_t* p) { return static_cast<uint16_t>(p[0] | (p[1] << 8)); }

constexpr int kMaxSide = 8192;

}  // namespace

bool ReadBmp(const uint8_t* bytes, size_t size, Canvas& canvas) {
  // File header (14 bytes) and at least the 40-byte information header.
  if (size < 54 || bytes[0] != 'B' || bytes[1] != 'M') return false;
  const uint32_t dataOffset = U32(bytes + 10);
  const uint32_t headerSize = U32(bytes + 14);
  const int32_t width = static_cast<int32_t>(U32(bytes + 18));
  const int32_t rawHeight = static_cast<int32_t>(U32(bytes + 22));
  const uint16_t bits = U16(bytes + 28);
  const uint32_t compression = U32(bytes + 30);
  if (headerSize < 40 || (bits != 24 && bits != 32) || (compression != 0 && !(compression == 3 && bits == 32))) {
    return false;
  }
  const bool topDown = rawHeight < 0;
  const int64_t height = topDown ? -static_cast<int64_t>(rawHeight) : rawHeight;
  if (width <= 0 || height <= 0 || width > kMaxSide || height > kMaxSide) return false;
  const size_t stride = ((static_cast<size_t>(width) * bits / 8) + 3) & ~size_t{3};
  if (dataOffset > size || size - dataOffset < stride * static_cast<size_t>(height)) return false;
  Canvas picture(width, static_cast<int>(height), {0, 0, 0, 0});
  const int step = bits / 8;
  for (int y = 0; y < height; ++y) {
    const uint8_t* row = bytes + dataOffset + stride * static_cast<size_t>(topDown ? y : height - 1 - y);
    for (int x = 0; x < width; ++x) {
      const uint8_t* p = row + static_cast<size_t>(x) * step;
      const uint8_t alpha = bits == 32 ? p[3] : 255;
      picture.Set(x, y, {p[2], p[1], p[0], alpha});
    }
  }
  canvas = std::move(picture);
  return true;
}

bool ReadBmpFile(const std::string& path, Canvas& canvas) {
  std::ifstream file(path, std::ios::binary);
  if (!file) return false;
  const std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
  return ReadBmp(bytes.data(), bytes.size(), canvas);
}
