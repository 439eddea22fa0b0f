#include "support/dds_builder.h"

#include <cstring>
#include <fstream>

namespace testfiles {

namespace {

DdsShape WithLevels(DdsShape shape, uint32_t levels) {
  if (levels > 0) {
    shape.flags |= 0x20000;
    shape.mipMapCount = levels;
  }
  return shape;
}

void Put(std::vector<uint8_t>& out, size_t at, uint32_t value) {
  for (int k = 0; k < 4; ++k) out[at + k] = uint8_t(value >> (8 * k));
}

}  // namespace

DdsShape DdsShape::Dxt(const char (&fourCC)[5], uint32_t width, uint32_t height, uint32_t levels) {
  DdsShape shape;
  shape.width = width, shape.height = height;
  shape.pixelFlags = 0x4;
  std::memcpy(&shape.fourCC, fourCC, 4);
  return WithLevels(shape, levels);
}

// An uncompressed shape: pixel-format flags, bits per pixel and the red, green, blue, alpha masks.
static DdsShape Uncompressed(uint32_t width, uint32_t height, uint32_t pixelFlags, uint32_t bitCount,
                      const uint32_t (&masks)[4]) {
  DdsShape shape;
  shape.width = width, shape.height = height;
  shape.pixelFlags = pixelFlags;
  shape.bitCount = bitCount;
  std::memcpy(shape.masks, masks, sizeof masks);
  return shape;
}

DdsShape DdsShape::Bgra8(uint32_t width, uint32_t height, uint32_t levels) {
  return WithLevels(Uncompressed(width, height, 0x41, 32, {0x00FF0000, 0x0000FF00, 0x000000FF, 0xFF000000}), levels);
}

DdsShape DdsShape::Bgr8(uint32_t width, uint32_t height) {
  return Uncompressed(width, height, 0x40, 24, {0x00FF0000, 0x0000FF00, 0x000000FF, 0});
}

DdsShape DdsShape::Bgr5A1(uint32_t width, uint32_t height) {
  return Uncompressed(width, height, 0x41, 16, {0x7C00, 0x03E0, 0x001F, 0x8000});
}

DdsShape DdsShape::Bgr565(uint32_t width, uint32_t height) {
  return Uncompressed(width, height, 0x40, 16, {0xF800, 0x07E0, 0x001F, 0});
}

DdsShape DdsShape::Indexed(uint32_t width, uint32_t height) {
  DdsShape shape;
  shape.width = width, shape.height = height;
  shape.pixelFlags = 0x20;
  shape.bitCount = 8;
  return shape;
}

std::vector<uint8_t> MakeDds(const DdsShape& shape, const std::vector<uint8_t>& payload) {
  std::vector<uint8_t> out(128, 0);
  std::memcpy(out.data(), "DDS ", 4);
  Put(out, 4, 124);
  Put(out, 8, shape.flags);
  Put(out, 12, shape.height);
  Put(out, 16, shape.width);
  Put(out, 20, shape.pitch);
  Put(out, 28, shape.mipMapCount);
  Put(out, 76, 32);
  Put(out, 80, shape.pixelFlags);
  Put(out, 84, shape.fourCC);
  Put(out, 88, shape.bitCount);
  for (int k = 0; k < 4; ++k) Put(out, 92 + 4 * k, shape.masks[k]);
  Put(out, 108, 0x1000);
  out.insert(out.end(), payload.begin(), payload.end());
  return out;
}

bool WriteBytes(const std::string& path, const std::vector<uint8_t>& bytes) {
  std::ofstream out(path, std::ios::binary);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  return static_cast<bool>(out);
}

}  // namespace testfiles
