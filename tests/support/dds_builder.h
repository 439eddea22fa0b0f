#pragma once
// Builds DDS files byte for byte for the GUI loader's tests: a 128-byte header with every field
// the loader looks at, then the payload (palette and levels) as given.
//
//   testfiles::DdsShape shape = testfiles::DdsShape::Bgra8(4, 4, 3);   // 3 levels, mip flag set
//   std::vector<uint8_t> file = testfiles::MakeDds(shape, payload);
#include <cstdint>
#include <string>
#include <vector>

namespace testfiles {

struct DdsShape {
  uint32_t flags = 0x1007;  // caps, height, width, pixel format; +0x20000 mipmap count, +0x8 pitch
  uint32_t width = 4;
  uint32_t height = 4;
  uint32_t pitch = 0;
  uint32_t mipMapCount = 0;
  uint32_t pixelFlags = 0;  // 0x4 FourCC, 0x40 RGB, 0x1 alpha, 0x20 indexed
  uint32_t fourCC = 0;
  uint32_t bitCount = 0;
  uint32_t masks[4] = {0, 0, 0, 0};  // red, green, blue, alpha

  // Common shapes; levels > 0 sets the mipmap-count flag and count.
  static DdsShape Dxt(const char (&fourCC)[5], uint32_t width, uint32_t height, uint32_t levels = 0);
  static DdsShape Bgra8(uint32_t width, uint32_t height, uint32_t levels = 0);
  static DdsShape Bgr8(uint32_t width, uint32_t height);
  static DdsShape Bgr5A1(uint32_t width, uint32_t height);
  static DdsShape Bgr565(uint32_t width, uint32_t height);
  static DdsShape Indexed(uint32_t width, uint32_t height);
};

// Header of shape followed by payload.
std::vector<uint8_t> MakeDds(const DdsShape& shape, const std::vector<uint8_t>& payload);

// Writes bytes to path; false on failure.
bool WriteBytes(const std::string& path, const std::vector<uint8_t>& bytes);

}  // namespace testfiles
