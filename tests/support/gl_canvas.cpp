#include "support/gl_canvas.h"

#include <GL/glew.h>

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
  glGenRenderbuffers(1, &colour_);
  glBindRenderbuffer(GL_RENDERBUFFER, colour_);
  glRenderbufferStorage(GL_RENDERBUFFER, GL_RGBA8, size, size);
  glGenRenderbuffers(1, &depth_);
  glBindRenderbuffer(GL_RENDERBUFFER, depth_);
  glRenderbufferStorage(GL_RENDERBUFFER, GL_DEPTH_COMPONENT24, size, size);
  glGenFramebuffers(1, &framebuffer_);
  glBindFramebuffer(GL_FRAMEBUFFER, framebuffer_);
  glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_RENDERBUFFER, colour_);
  glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_DEPTH_ATTACHMENT, GL_RENDERBUFFER, depth_);
  if (glCheckFramebufferStatus(GL_FRAMEBUFFER) != GL_FRAMEBUFFER_COMPLETE) {
    error_ = "offscreen framebuffer incomplete";
    return false;
  }
  glViewport(0, 0, size, size);
  return true;
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
