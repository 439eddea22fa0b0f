#include "support/gl_canvas.h"

#include <GL/glew.h>

#include <algorithm>
#include <cmath>

#include "support/graphics_driver.h"

GlCanvas* GlCanvas::Shared() {
  static GlCanvas* canvas = [] {
    auto* opened = new GlCanvas;  // never closed: the window system is not reopened
    opened->Open(kSize);
    return opened;
  }();
  if (!canvas->IsOpen()) return canvas;
  glBindFramebuffer(GL_FRAMEBUFFER, canvas->framebuffer_);
  glViewport(0, 0, kSize, kSize);
  glUseProgram(0);
  for (GLenum mode : {GL_PROJECTION, GL_MODELVIEW}) {
    glMatrixMode(mode);
    glLoadIdentity();
  }
  glColor4f(1, 1, 1, 1);
  glDisable(GL_DEPTH_TEST);
  glDepthMask(GL_TRUE);
  glActiveTexture(GL_TEXTURE1);
  glBindTexture(GL_TEXTURE_2D, 0);
  glActiveTexture(GL_TEXTURE0);
  glBindTexture(GL_TEXTURE_2D, 0);
  while (glGetError() != GL_NO_ERROR) {
  }
  return canvas;
}

bool GlCanvas::Open(int size) {
  platform::WindowOptions options;
  options.title = "Delvix view test";
  options.width = options.height = size;
  if (window_.Create(options) != platform::WindowStatus::Ok) {
    error_ = "no GL window: " + window_.ErrorText();
    return false;
  }
  testing_support::KeepGraphicsDriversLoaded();
  size_ = size;
  if (!MakeFramebuffer(size, size, framebuffer_, colour_, &depth_)) {
    error_ = "offscreen framebuffer incomplete";
    return false;
  }
  return true;
}

bool MakeFramebuffer(int width, int height, unsigned& framebuffer, unsigned& colour, unsigned* depth) {
  glGenRenderbuffers(1, &colour);
  glBindRenderbuffer(GL_RENDERBUFFER, colour);
  glRenderbufferStorage(GL_RENDERBUFFER, GL_RGBA8, width, height);
  glGenFramebuffers(1, &framebuffer);
  glBindFramebuffer(GL_FRAMEBUFFER, framebuffer);
  glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_RENDERBUFFER, colour);
  if (depth) {
    glGenRenderbuffers(1, depth);
    glBindRenderbuffer(GL_RENDERBUFFER, *depth);
    glRenderbufferStorage(GL_RENDERBUFFER, GL_DEPTH_COMPONENT24, width, height);
    glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_DEPTH_ATTACHMENT, GL_RENDERBUFFER, *depth);
  }
  glViewport(0, 0, width, height);
  return glCheckFramebufferStatus(GL_FRAMEBUFFER) == GL_FRAMEBUFFER_COMPLETE;
}

GlPicture::GlPicture(int width, int height) : width_(width), height_(height) {
  complete_ = GlCanvas::Shared()->IsOpen() && MakeFramebuffer(width, height, framebuffer_, colour_, nullptr);
}

GlPicture::~GlPicture() {
  glDeleteFramebuffers(1, &framebuffer_);
  glDeleteRenderbuffers(1, &colour_);
  GlCanvas::Shared();  // binds the canvas's own framebuffer again
}

std::vector<uint8_t> GlPicture::Read() const {
  const size_t stride = static_cast<size_t>(width_) * 3;
  std::vector<uint8_t> bottomUp(stride * static_cast<size_t>(height_)), topDown(bottomUp.size());
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glReadPixels(0, 0, width_, height_, GL_RGB, GL_UNSIGNED_BYTE, bottomUp.data());
  for (int y = 0; y < height_; ++y) {
    std::copy_n(bottomUp.data() + static_cast<size_t>(height_ - 1 - y) * stride, stride,
                topDown.data() + static_cast<size_t>(y) * stride);
  }
  return topDown;
}

Rgb GlPicture::At(const std::vector<uint8_t>& pixels, int x, int y) const {
  const size_t i = (static_cast<size_t>(y) * static_cast<size_t>(width_) + static_cast<size_t>(x)) * 3;
  return Rgb{pixels[i], pixels[i + 1], pixels[i + 2]};
}

void GlCanvas::Clear(float r, float g, float b) {
  glClearColor(r, g, b, 1);
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
}

namespace {

void ReadPixel(int x, int y, unsigned char (&p)[4]) {
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glReadPixels(x, y, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, p);
}

}  // namespace

Rgb GlCanvas::Pixel(int x, int y) const {
  unsigned char p[4] = {};
  ReadPixel(x, y, p);
  return {p[0], p[1], p[2]};
}

int GlCanvas::Alpha(int x, int y) const {
  unsigned char p[4] = {};
  ReadPixel(x, y, p);
  return p[3];
}

Rgb GlCanvas::PixelBelowTop(float x, float y) const {
  const int yDown = static_cast<int>(std::floor(y));
  return Pixel(static_cast<int>(std::floor(x)), size_ - 1 - yDown);
}

std::unique_ptr<platform::SharedGlContext> GlCanvas::CreateSharedContext() {
  std::unique_ptr<platform::SharedGlContext> shared = window_.CreateSharedContext();
  glBindFramebuffer(GL_FRAMEBUFFER, framebuffer_);
  return shared;
}
