#pragma once
// VornScreenShot: saves what the 3D view shows as an uncompressed 24-bit DDS file (blue, green, red;
// rows from the top of the image down; no row padding).
#include <cstdint>
#include <string>

class VornScreenShot {
 public:
  // Reads the back buffer of the current context (width x height pixels from the bottom-left of
  // the viewport) and
  // writes fileName. Call inside the frame, before the buffers are swapped. False, with a warning,
  // when the file cannot be written (a read-only file stays as it was).
  bool Save(const std::string& fileName, int32_t width, int32_t height);

  // The 128-byte file header (magic and DDS header) for an image of this size.
  static void FillHeader(uint8_t (&header)[128], int32_t width, int32_t height);
};
