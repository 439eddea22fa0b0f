// Drawing into a Canvas.
#include "desktop/canvas.h"

#include <algorithm>
#include <cmath>

Canvas::Canvas(int width, int height, Rgba fill)
    : width_(std::max(width, 0)), height_(std::max(height, 0)), pixels_(static_cast<size_t>(width_) * height_ * 4) {
  for (size_t i = 0; i < pixels_.size(); i += 4) {
    pixels_[i] = fill.r, pixels_[i + 1] = fill.g, pixels_[i + 2] = fill.b, pixels_[i + 3] = fill.a;
  }
}

Rgba Canvas::At(int x, int y) const {
  if (x < 0 || y < 0 || x >= width_ || y >= height_) return {0, 0, 0, 0};
  const uint8_t* p = &pixels_[(static_cast<size_t>(y) * width_ + x) * 4];
  return {p[0], p[1], p[2], p[3]};
}

void Canvas::Set(int x, int y, Rgba colour) {
  if (x < 0 || y < 0 || x >= width_ || y >= height_) return;
  uint8_t* p = &pixels_[(static_cast<size_t>(y) * width_ + x) * 4];
  p[0] = colour.r, p[1] = colour.g, p[2] = colour.b, p[3] = colour.a;
}

void Canvas::Blend(int x, int y, Rgba colour, uint8_t coverage) {
  if (x < 0 || y < 0 || x >= width_ || y >= height_) return;
  const unsigned alpha = (static_cast<unsigned>(colour.a) * coverage + 127) / 255;
  if (alpha == 0) return;
  uint8_t* p = &pixels_[(static_cast<size_t>(y) * width_ + x) * 4];
  const uint8_t src[4] = {colour.r, colour.g, colour.b, 255};
  for (int c = 0; c < 4; ++c) p[c] = static_cast<uint8_t>((src[c] * alpha + p[c] * (255 - alpha) + 127) / 255);
}

void Canvas::FillRect(int x, int y, int width, int height, Rgba colour) {
  const int x0 = std::max(x, 0), y0 = std::max(y, 0);
  const int x1 = std::min(x + width, width_), y1 = std::min(y + height, height_);
  for (int py = y0; py < y1; ++py) {
    for (int px = x0; px < x1; ++px) Blend(px, py, colour);
  }
}

void Canvas::FillRoundedRect(int x, int y, int width, int height, int radius, Rgba colour) {
  radius = std::clamp(radius, 0, std::min(width, height) / 2);
  for (int py = 0; py < height; ++py) {
    for (int px = 0; px < width; ++px) {
      // Distance outside the corner circle decides the edge coverage; inside the straight parts
      // every pixel is covered.
      const float cx = static_cast<float>(std::clamp(px, radius, width - 1 - radius));
      const float cy = static_cast<float>(std::clamp(py, radius, height - 1 - radius));
      const float dx = static_cast<float>(px) - cx, dy = static_cast<float>(py) - cy;
      const float outside = std::sqrt(dx * dx + dy * dy) - static_cast<float>(radius) + 0.5f;
      const float cover = std::clamp(1.0f - outside, 0.0f, 1.0f);
      if (radius == 0 || cover >= 1.0f) {
        Blend(x + px, y + py, colour);
      } else if (cover > 0.0f) {
        Blend(x + px, y + py, colour, static_cast<uint8_t>(cover * 255.0f + 0.5f));
      }
    }
  }
}

void Canvas::Draw(const Canvas& picture, int x, int y) {
  for (int py = 0; py < picture.Height(); ++py) {
    for (int px = 0; px < picture.Width(); ++px) {
      const Rgba c = picture.At(px, py);
      Blend(x + px, y + py, {c.r, c.g, c.b, 255}, c.a);
    }
  }
}
