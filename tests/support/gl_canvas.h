#pragma once
// GlCanvas: a hidden main window whose compatibility-profile context is current, drawing into an
// offscreen framebuffer of kSize x kSize pixels (RGBA8 colour, 24-bit depth) that tests read back.
// The window's own surface is never read: a hidden window's pixels are undefined.
//
// One canvas serves every test of the process (GlCanvas::Shared): opening the window system
// again after closing it is not reliable under Xvfb, and one window is also faster.
//
//   GlCanvas* canvas = GlCanvas::Shared();
//   ASSERT_TRUE(canvas->IsOpen()) << canvas->Error();
//   canvas->Clear(0, 0, 0);
//   ... draw ...
//   EXPECT_EQ(canvas->Pixel(32, 32), (Rgb{255, 0, 0}));
#include <cstdint>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "platform/window.h"

struct Rgb {
  int r = 0, g = 0, b = 0;
  bool operator==(const Rgb&) const = default;
};
inline std::ostream& operator<<(std::ostream& os, const Rgb& c) {
  return os << "(" << c.r << ", " << c.g << ", " << c.b << ")";
}

class GlCanvas {
 public:
  static constexpr int kSize = 64;

  // The process's canvas of kSize x kSize, opened at the first call and kept until the process
  // ends. Each call binds its framebuffer again, sets the viewport to all of it and resets the
  // state a test may have changed (matrices, colour, program, depth test, textures).
  static GlCanvas* Shared();

  GlCanvas(const GlCanvas&) = delete;
  GlCanvas& operator=(const GlCanvas&) = delete;

  bool IsOpen() const { return framebuffer_ != 0 && error_.empty(); }
  const std::string& Error() const { return error_; }

  // Clears colour (to r, g, b, each 0..1) and depth.
  void Clear(float r, float g, float b);
  // The pixel at GL window coordinates (x, y), origin bottom-left.
  Rgb Pixel(int x, int y) const;
  // The alpha (0..255) of the pixel at GL window coordinates (x, y).
  int Alpha(int x, int y) const;
  // The pixel under a window position with y measured down (a point with x and y, such as the
  // view's cinder::Camera::WorldToScreen gives).
  template <class Point>
  Rgb PixelAt(Point p) const {
    return PixelBelowTop(p.x, p.y);
  }
  Rgb PixelBelowTop(float x, float y) const;

  // A context sharing objects with the canvas's, for a job thread (null on failure); the canvas's
  // context is current again afterwards. Destroy it on this thread once the job released it.
  std::unique_ptr<platform::SharedGlContext> CreateSharedContext();

 private:
  GlCanvas() = default;
  // Opens the window and the framebuffer and binds it.
  bool Open(int size);

  platform::MainWindow window_;
  unsigned framebuffer_ = 0;
  unsigned colour_ = 0;
  unsigned depth_ = 0;
  int size_ = 0;
  std::string error_;
};

// Makes an RGBA8 colour renderbuffer (and, with depth, a 24-bit depth one) of width x height and
// a framebuffer with them, binds it and sets the viewport to it. True when it is complete.
bool MakeFramebuffer(int width, int height, unsigned& framebuffer, unsigned& colour, unsigned* depth);

// An offscreen picture of any size on the shared canvas's context, bound while it lives, for
// drawings larger than the canvas (a screen's worth of GUI). Its end binds the canvas's own
// framebuffer again.
class GlPicture {
 public:
  GlPicture(int width, int height);
  ~GlPicture();
  GlPicture(const GlPicture&) = delete;
  GlPicture& operator=(const GlPicture&) = delete;

  bool Complete() const { return complete_; }
  // The pixels as RGB bytes, rows from the top (as WritePng takes them).
  std::vector<uint8_t> Read() const;
  // The pixel at (x, y), y down, of pixels that Read gave.
  Rgb At(const std::vector<uint8_t>& pixels, int x, int y) const;

 private:
  int width_, height_;
  unsigned framebuffer_ = 0, colour_ = 0;
  bool complete_ = false;
};
