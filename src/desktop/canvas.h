#pragma once
// Canvas: a picture in memory that the desktop's own windows (splash, notification bubble) are
// drawn into before a PictureWindow (platform/picture_window.h) shows it. Pixels are red, green,
// blue, alpha bytes, rows top down. Drawing clips to the canvas.
#include <cstdint>
#include <string>
#include <vector>

struct Rgba {
  uint8_t r = 0, g = 0, b = 0, a = 255;
};

class Canvas {
 public:
  Canvas() = default;
  Canvas(int width, int height, Rgba fill = {});

  int Width() const { return width_; }
  int Height() const { return height_; }
  bool Empty() const { return width_ == 0 || height_ == 0; }
  const uint8_t* Pixels() const { return pixels_.data(); }
  Rgba At(int x, int y) const;

  // Replaces the pixel, alpha included.
  void Set(int x, int y, Rgba colour);
  // Blends colour over the pixel with coverage 0..255 (times the colour's own alpha).
  void Blend(int x, int y, Rgba colour, uint8_t coverage = 255);
  void FillRect(int x, int y, int width, int height, Rgba colour);
  // A rectangle with round corners of the given radius, edges smoothed.
  void FillRoundedRect(int x, int y, int width, int height, int radius, Rgba colour);
  // Draws picture with its top-left corner at (x, y), blended by its alpha.
  void Draw(const Canvas& picture, int x, int y);

 private:
  int width_ = 0, height_ = 0;
  std::vector<uint8_t> pixels_;
};

// Reads an uncompressed BMP picture of 24 bits (opaque) or 32 bits (blue, green, red, alpha) per
// pixel, rows bottom-up or top-down. False (canvas untouched) for any other or a damaged file.
bool ReadBmpFile(const std::string& path, Canvas& canvas);
// The same from bytes in memory.
bool ReadBmp(const uint8_t* bytes, size_t size, Canvas& canvas);
