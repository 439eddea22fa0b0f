#include "view/screenshot.h"

#include <GL/glew.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <new>
#include <vector>

#include "core/log.h"

namespace {

void PutU32(uint8_t* at, uint32_t value) {
  at[0] = static_cast<uint8_t>(value);
  at[1] = static_cast<uint8_t>(value >> 8);
  at[2] = static_cast<uint8_t>(value >> 16);
  at[3] = static_cast<uint8_t>(value >> 24);
}

}  // namespace

void VornScreenShot::FillHeader(uint8_t (&header)[128], int32_t width, int32_t height) {
  std::memset(header, 0, sizeof header);
  std::memcpy(header, "DDS ", 4);
  PutU32(header + 4, 124);
  PutU32(header + 8, 0x1007);  // caps, height, width, pixel format
  PutU32(header + 12, static_cast<uint32_t>(height));
  PutU32(header + 16, static_cast<uint32_t>(width));
  PutU32(header + 76, 32);
  PutU32(header + 80, 0x40);  // RGB
  PutU32(header + 88, 24);
  PutU32(header + 92, 0xFF0000);
  PutU32(header + 96, 0xFF00);
  PutU32(header + 100, 0xFF);
  PutU32(header + 108, 0x1000);  // texture
}

bool VornScreenShot::Save(const std::string& fileName, int32_t width, int32_t height) {
  if (width <= 0 || height <= 0) return false;
  const size_t rowBytes = static_cast<size_t>(width) * 3;
  std::vector<uint8_t> pixels;
  try {
    pixels.resize(rowBytes * static_cast<size_t>(height));
  } catch (const std::bad_alloc&) {
    return false;
  }
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glReadBuffer(GL_BACK);
  GLint viewport[4];  // the 3D view's area: the window's frame lies outside it
  glGetIntegerv(GL_VIEWPORT, viewport);
  glReadPixels(viewport[0], viewport[1], width, height, GL_BGR, GL_UNSIGNED_BYTE, pixels.data());

  // GL's first row is the bottom one; the file's is the top one.
  std::vector<uint8_t> swap(rowBytes);
  for (int32_t r = 0; r < height / 2; ++r) {
    uint8_t* top = pixels.data() + static_cast<size_t>(r) * rowBytes;
    uint8_t* bottom = pixels.data() + static_cast<size_t>(height - 1 - r) * rowBytes;
    std::memcpy(swap.data(), top, rowBytes);
    std::memcpy(top, bottom, rowBytes);
    std::memcpy(bottom, swap.data(), rowBytes);
  }

  FILE* file = std::fopen(fileName.c_str(), "wb");
  if (!file) {
    VornLog::Warningf(errno == EACCES ? "VornScreenShot::Failed To Save DDS (invalid permissions)"
                                      : "VornScreenShot::Failed To Save DDS");
    return false;
  }
  uint8_t header[128];
  FillHeader(header, width, height);
  bool written = std::fwrite(header, 1, sizeof header, file) == sizeof header &&
                 std::fwrite(pixels.data(), 1, pixels.size(), file) == pixels.size();
  if (std::fclose(file) != 0) written = false;
  if (!written) VornLog::Warningf("VornScreenShot::Failed To Save DDS");
  return written;
}
