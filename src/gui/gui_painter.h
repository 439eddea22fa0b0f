#pragma once
// GuiPainter: the small drawing interface through which the GUI draws. The GUI's logic (menus,
// items, hit tests, the pass order) calls only this; gui/gl_painter.h implements it with
// immediate-mode OpenGL, and tests implement it with a recorder and fixed text metrics.
//
// Coordinates are GUI pixels of the 2D pass: origin at the top left, x right, y down, relative to
// the offsets pushed so far. Quads are rectangles with their corners in the order (x, y),
// (x, y + h), (x + w, y + h), (x + w, y).
//
// Text: one text style at a time (font, point size, slant, alpha-test reference); every text
// output and TextWidth use the current one, and it stays until it is set again.
#include <cstddef>
#include <cstdint>
#include <string>

#include "core/item_rect.h"

struct Rgba {
  float r = 1.0f, g = 1.0f, b = 1.0f, a = 1.0f;
  bool operator==(const Rgba&) const = default;
};

struct GuiPoint {
  float x = 0.0f, y = 0.0f;
  bool operator==(const GuiPoint&) const = default;
};

// Texture coordinates (s, t) at the four corners of a quad, in the corner order above.
struct QuadTexCoords {
  float s[4];
  float t[4];
  bool operator==(const QuadTexCoords&) const = default;
};
// The texture upright: its t = 1 edge at the top of the quad.
inline constexpr QuadTexCoords kTexUpright{{0, 0, 1, 1}, {1, 0, 0, 1}};
// Upside down.
inline constexpr QuadTexCoords kTexFlipped{{0, 0, 1, 1}, {0, 1, 1, 0}};
// A quarter turn counter-clockwise on the screen, and clockwise.
inline constexpr QuadTexCoords kTexTurnedLeft{{1, 0, 0, 1}, {1, 1, 0, 0}};
inline constexpr QuadTexCoords kTexTurnedRight{{0, 1, 1, 0}, {0, 0, 1, 1}};
// Turned by a half (the slider's end cap).
inline constexpr QuadTexCoords kTexHalfTurn{{1, 1, 0, 0}, {0, 1, 1, 0}};

enum class GuiFont { HelveticaBold, BookmanDemi };

struct TextStyle {
  GuiFont font = GuiFont::HelveticaBold;
  float pointSize = 10.0f;
  float slant = 0.0f;
  float alphaRef = 0.1f;  // glyph pixels with an alpha not above it are discarded
  bool operator==(const TextStyle&) const = default;
};

enum class LineMode { Lines, LineStrip, LineLoop };

class GuiPainter {
 public:
  virtual ~GuiPainter() = default;

  // Opens the pass's coordinate system for a layout of width x height pixels and resets the
  // text cursor; End2D closes it and unbinds the texture.
  virtual void Begin2D(int32_t layoutWidth, int32_t layoutHeight) = 0;
  virtual void End2D() = 0;
  // Moves the origin by (x, y) until the matching PopOffset.
  virtual void PushOffset(float x, float y) = 0;
  virtual void PopOffset() = 0;

  virtual void SetColour(const Rgba& colour) = 0;
  virtual void SetBlending(bool on) = 0;
  virtual void SetTexturing(bool on) = 0;
  // 0 binds no texture.
  virtual void BindTexture(uint32_t texture) = 0;

  // A filled quad in the current colour; with one colour per corner; with the bound texture.
  virtual void Quad(const ItemRect& rect) = 0;
  virtual void QuadColours(const ItemRect& rect, const Rgba corners[4]) = 0;
  virtual void TexturedQuad(const ItemRect& rect, const QuadTexCoords& coords) = 0;
  // Lines through count points in the current colour.
  virtual void Lines(const GuiPoint* points, size_t count, LineMode mode) = 0;

  virtual void SetTextStyle(const TextStyle& style) = 0;
  virtual TextStyle CurrentTextStyle() const = 0;
  // Text at (x, y) as given (no colour codes, no format directives), alpha-tested, blending off
  // (on again afterwards).
  virtual void PrintText(int32_t x, int32_t y, const std::string& text) = 0;
  // As PrintText, but the glyph edges blend (source alpha, one minus source alpha).
  virtual void PrintTextBlend(int32_t x, int32_t y, const std::string& text) = 0;
  // As PrintText, with the colour codes "^0".."^5", "^7" switching the colour.
  virtual void PrintTextColoured(int32_t x, int32_t y, const std::string& text) = 0;
  // The width of text in the current style; 0 for an empty text.
  virtual float TextWidth(const std::string& text) = 0;

  // Limits drawing to rect (in the current offset's coordinates) until ClearClip. Clips do not
  // nest.
  virtual void ClipTo(const ItemRect& rect) { (void)rect; }
  virtual void ClearClip() {}
};
