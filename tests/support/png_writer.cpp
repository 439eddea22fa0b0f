#include "support/png_writer.h"

#include <zlib.h>

#include <filesystem>
#include <fstream>

namespace {

void PutBigEndian(std::string& out, uint32_t value) {
  for (int shift = 24; shift >= 0; shift -= 8) out += static_cast<char>((value >> shift) & 0xFF);
}

void PutChunk(std::string& out, const char* type, const std::string& data) {
  PutBigEndian(out, static_cast<uint32_t>(data.size()));
  const std::string body = std::string(type, 4) + data;
  out += body;
  PutBigEndian(out, static_cast<uint32_t>(
                        crc32(0, reinterpret_cast<const Bytef*>(body.data()), static_cast<uInt>(body.size()))));
}

}  // namespace

bool WritePng(const std::string& path, int width, int height, const std::vector<uint8_t>& rgb) {
  if (width <= 0 || height <= 0 || rgb.size() != static_cast<size_t>(width) * height * 3) return false;
  const size_t stride = static_cast<size_t>(width) * 3;
  std::string rows;
  for (int y = 0; y < height; ++y) {
    rows += '\0';  // no filter
    rows.append(reinterpret_cast<const char*>(rgb.data()) + y * stride, stride);
  }
  uLongf packedSize = compressBound(static_cast<uLong>(rows.size()));
  std::string packed(packedSize, '\0');
  if (compress2(reinterpret_cast<Bytef*>(packed.data()), &packedSize, reinterpret_cast<const Bytef*>(rows.data()),
                static_cast<uLong>(rows.size()), Z_BEST_SPEED) != Z_OK)
    return false;
  packed.resize(packedSize);

  std::string header;
  PutBigEndian(header, static_cast<uint32_t>(width));
  PutBigEndian(header, static_cast<uint32_t>(height));
  header += std::string("\x08\x02\x00\x00\x00", 5);  // 8 bits, RGB, deflate, no filter, no interlace
  std::string png("\x89PNG\r\n\x1a\n", 8);
  PutChunk(png, "IHDR", header);
  PutChunk(png, "IDAT", packed);
  PutChunk(png, "IEND", "");
  std::ofstream out(path, std::ios::binary);
  out.write(png.data(), static_cast<std::streamsize>(png.size()));
  return static_cast<bool>(out);
}

std::string ScreenshotFolder() {
  const std::string folder = std::string(DELVIX_PROGRAM_DIR) + "/../tests/screenshots/";
  std::error_code ignored;
  std::filesystem::create_directories(folder, ignored);
  return folder;
}
