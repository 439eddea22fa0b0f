#pragma once
// GlPainter: the GUI's drawing interface on immediate-mode OpenGL (a compatibility-profile
// context) with the GUI's texture fonts. The one place where the GUI's drawing meets GL.
// Main thread, with the window's context current.
#include <vector>

#include "gui/gui_painter.h"
#include "gui/text_fonts.h"

class GlPainter : public GuiPainter {
 public:
  // fonts must outlive the painter; texts draw nothing while they are not loaded.
  explicit GlPainter(TextFonts& fonts) : fonts_(fonts) {}

  void Begin2D(int32_t layoutWidth, int32_t layoutHeight) override;
  void End2D() override;
  void PushOffset(float x, float y) override;
  void PopOffset() override;
  void SetColour(const Rgba& colour) override;
  void SetBlending(bool on) override;
  void SetTexturing(bool on) override;
  void BindTexture(uint32_t texture) override;
  void Quad(const ItemRect& rect) override;
  void QuadColours(const ItemRect& rect, const Rgba corners[4]) override;
  void TexturedQuad(const ItemRect& rect, const QuadTexCoords& coords) override;
  void Lines(const GuiPoint* points, size_t count, LineMode mode) override;
  void SetTextStyle(const TextStyle& style) override;
  TextStyle CurrentTextStyle() const override;
  void PrintText(int32_t x, int32_t y, const std::string& text) override;
  void PrintTextBlend(int32_t x, int32_t y, const std::string& text) override;
  void PrintTextColoured(int32_t x, int32_t y, const std::string& text) override;
  float TextWidth(const std::string& text) override;
  // A scissor box over rect, converted from the layout to the window's pixels.
  void ClipTo(const ItemRect& rect) override;
  void ClearClip() override;

 private:
  TextFonts& fonts_;
  int32_t layoutWidth_ = 1, layoutHeight_ = 1;
};
