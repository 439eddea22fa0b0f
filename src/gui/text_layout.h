#pragma once
// Text layout of the GUI's texture fonts, apart from OpenGL: where each glyph of a text goes and
// which colour it gets. The font class (gui/text_font.h) feeds the result to GL; tests feed it
// to a recorder.
//
// Drawing rules (y grows downwards, sizes in pixels at point size p):
//   - the output works on a copy of the cursor; the caller's cursor never moves;
//   - a glyph's quad spans x + left p .. x + right p and y - top p .. y - bottom p (the font's
//     metrics grow upwards), with slant x p added to x along the top edge;
//   - after a glyph x advances by (advance, or the fixed width of a fixed-pitch font, + gap) x p;
//   - a missing letter is drawn as its other case; a missing blank advances p / 2; any other
//     missing character draws nothing;
//   - a line break returns x to where the output began and moves y down by p; one blank right
//     after the line break is skipped.
//
// The coloured output also reads colour codes: "^" and one of 0-5 or 7 sets a colour
// (kColorCodes); the character right after a code is drawn as a glyph whatever it is. "^"
// before any other character is no code and is drawn.
#include <cstddef>
#include <string_view>

// One character of a font, in units of the point size (1 = the font's tallest glyph).
struct GlyphMetrics {
  bool exists = false;
  float advance = 0.0f;
  float left = 0.0f, right = 0.0f, bottom = 0.0f, top = 0.0f;                  // quad, y up
  float texLeft = 0.0f, texRight = 0.0f, texBottom = 0.0f, texTop = 0.0f;  // texture, 0..1
};

// A font's glyphs by character code, with its spacing rules.
struct GlyphTable {
  GlyphMetrics glyphs[256];
  float gap = 0.0f;            // added to every advance
  bool fixedPitch = false;     // every advance is fixedWidth
  float fixedWidth = 1.0f;
};

// A glyph placed on the screen: corners in drawing order bottom-left, top-left, bottom-right,
// top-right (a triangle strip), y down.
struct GlyphQuad {
  unsigned char character = 0;  // the character drawn (after the case fallback)
  float x[4] = {}, y[4] = {}, z = 0.0f;
  float s[4] = {}, t[4] = {};   // texture coordinates
};

// Receives what a text output makes, in order.
class GlyphSink {
 public:
  virtual ~GlyphSink() = default;
  virtual void Glyph(const GlyphQuad& quad) = 0;
  // A colour code's colour, alpha 1 (coloured output only).
  virtual void SetColour(float r, float g, float b) = 0;
};

struct TextCursor {
  float x = 0.0f, y = 0.0f, z = 0.0f;
};

struct ColorCode {
  char digit;
  float r, g, b;
};
// "^0" white, "^1" red, "^2" green, "^3" blue, "^4" orange, "^5" light blue, "^7" white.
extern const ColorCode kColorCodes[7];

// The low-level glyph output: draws c at pen (when the font has it, or its other case) and
// advances pen.x by the rules above.
void PutGlyph(const GlyphTable& font, TextCursor& pen, float size, float slant, unsigned char c, GlyphSink& sink);

// The string output: every character as a glyph, line breaks as line breaks. Colour codes are
// drawn as typed.
void LayOutText(const GlyphTable& font, TextCursor cursor, float size, float slant, std::string_view text,
                GlyphSink& sink);

// The coloured string output: as LayOutText, with colour codes applied (ApplyColorCode).
void LayOutColouredText(const GlyphTable& font, TextCursor cursor, float size, float slant, std::string_view text,
                        GlyphSink& sink);

// At the caret text[caret]: when the next character is a code digit, sets its colour on sink and
// returns the position after the digit; otherwise returns caret (the caret is then no code).
size_t ApplyColorCode(std::string_view text, size_t caret, GlyphSink& sink);
