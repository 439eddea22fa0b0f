#include "gui/gl_painter.h"

#include <GL/glew.h>

#include <algorithm>
#include <cmath>

#include "gui/gui_2d.h"
#include "gui/text_output.h"

namespace {

// The corners of rect in the GUI's quad order.
void Corners(const ItemRect& rect, float x[4], float y[4]) {
  const float left = static_cast<float>(rect.x), top = static_cast<float>(rect.y);
  const float right = left + static_cast<float>(rect.w), bottom = top + static_cast<float>(rect.h);
  x[0] = left, y[0] = top;
  x[1] = left, y[1] = bottom;
  x[2] = right, y[2] = bottom;
  x[3] = right, y[3] = top;
}

}  // namespace

void GlPainter::Begin2D(int32_t layoutWidth, int32_t layoutHeight) {
  layoutWidth_ = std::max(layoutWidth, 1);
  layoutHeight_ = std::max(layoutHeight, 1);
  ::Begin2D(layoutWidth, layoutHeight);
}

void GlPainter::End2D() { ::End2D(); }

void GlPainter::PushOffset(float x, float y) {
  glPushMatrix();
  glTranslatef(x, y, 0.0f);
}

void GlPainter::PopOffset() { glPopMatrix(); }

void GlPainter::SetColour(const Rgba& c) { glColor4f(c.r, c.g, c.b, c.a); }

void GlPainter::SetBlending(bool on) { on ? glEnable(GL_BLEND) : glDisable(GL_BLEND); }

void GlPainter::SetTexturing(bool on) { on ? glEnable(GL_TEXTURE_2D) : glDisable(GL_TEXTURE_2D); }

void GlPainter::BindTexture(uint32_t texture) { glBindTexture(GL_TEXTURE_2D, texture); }

void GlPainter::Quad(const ItemRect& rect) {
  float x[4], y[4];
  Corners(rect, x, y);
  glBegin(GL_QUADS);
  for (int i = 0; i < 4; ++i) glVertex2f(x[i], y[i]);
  glEnd();
}

void GlPainter::QuadColours(const ItemRect& rect, const Rgba corners[4]) {
  float x[4], y[4];
  Corners(rect, x, y);
  glBegin(GL_QUADS);
  for (int i = 0; i < 4; ++i) {
    glColor4f(corners[i].r, corners[i].g, corners[i].b, corners[i].a);
    glVertex2f(x[i], y[i]);
  }
  glEnd();
}

void GlPainter::TexturedQuad(const ItemRect& rect, const QuadTexCoords& coords) {
  float x[4], y[4];
  Corners(rect, x, y);
  glBegin(GL_QUADS);
  for (int i = 0; i < 4; ++i) {
    glTexCoord2f(coords.s[i], coords.t[i]);
    glVertex2f(x[i], y[i]);
  }
  glEnd();
}

void GlPainter::Lines(const GuiPoint* points, size_t count, LineMode mode) {
  glBegin(mode == LineMode::Lines ? GL_LINES : mode == LineMode::LineStrip ? GL_LINE_STRIP : GL_LINE_LOOP);
  for (size_t i = 0; i < count; ++i) glVertex2f(points[i].x, points[i].y);
  glEnd();
}

void GlPainter::SetTextStyle(const TextStyle& style) {
  TextFont* font = style.font == GuiFont::BookmanDemi ? fonts_.BookmanDemi() : fonts_.HelveticaBold();
  SetTextState(font, style.pointSize, style.slant, style.alphaRef);
}

TextStyle GlPainter::CurrentTextStyle() const {
  const GuiFont font =
      gTextState.font && gTextState.font == fonts_.BookmanDemi() ? GuiFont::BookmanDemi : GuiFont::HelveticaBold;
  return TextStyle{font, gTextState.pointSize, gTextState.slant, gTextState.alphaRef};
}

void GlPainter::PrintText(int32_t x, int32_t y, const std::string& text) { ::PrintText(x, y, text.c_str()); }

void GlPainter::PrintTextBlend(int32_t x, int32_t y, const std::string& text) {
  ::PrintTextBlend(x, y, text.c_str());
}

void GlPainter::PrintTextColoured(int32_t x, int32_t y, const std::string& text) {
  if (!gTextState.font) return;
  BeginText(x, y);
  gTextState.font->putsColoured(gTextState.cursor, gTextState.pointSize, gTextState.slant, text.c_str());
  EndText();
}

float GlPainter::TextWidth(const std::string& text) { return ::TextWidth(text.c_str()); }

void GlPainter::ClipTo(const ItemRect& rect) {
  GLfloat matrix[16];
  glGetFloatv(GL_MODELVIEW_MATRIX, matrix);
  GLint viewport[4];
  glGetIntegerv(GL_VIEWPORT, viewport);
  const float sx = static_cast<float>(viewport[2]) / static_cast<float>(layoutWidth_);
  const float sy = static_cast<float>(viewport[3]) / static_cast<float>(layoutHeight_);
  const float left = (static_cast<float>(rect.x) + matrix[12]) * sx;
  const float bottom = (static_cast<float>(rect.y + rect.h) + matrix[13]) * sy;
  glEnable(GL_SCISSOR_TEST);
  glScissor(viewport[0] + static_cast<GLint>(std::lround(left)),
            viewport[1] + viewport[3] - static_cast<GLint>(std::lround(bottom)),
            std::max(0, static_cast<GLint>(std::lround(static_cast<float>(rect.w) * sx))),
            std::max(0, static_cast<GLint>(std::lround(static_cast<float>(rect.h) * sy))));
}

void GlPainter::ClearClip() { glDisable(GL_SCISSOR_TEST); }
