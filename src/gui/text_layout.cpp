#include "gui/text_layout.h"

const ColorCode kColorCodes[7] = {
    {'0', 1.0f, 1.0f, 1.0f}, {'1', 1.0f, 0.0f, 0.0f},  {'2', 0.0f, 1.0f, 0.0f},  {'3', 0.0f, 0.0f, 1.0f},
    {'4', 1.0f, 0.45f, 0.0f}, {'5', 0.35f, 0.75f, 1.0f}, {'7', 1.0f, 1.0f, 1.0f},
};

namespace {

// The character the font draws for c: c itself, else the other case of a letter.
unsigned char DrawnCharacter(const GlyphTable& font, unsigned char c) {
  if (font.glyphs[c].exists) return c;
  if (c >= 'A' && c <= 'Z') return static_cast<unsigned char>(c - 'A' + 'a');
  if (c >= 'a' && c <= 'z') return static_cast<unsigned char>(c - 'a' + 'A');
  return c;
}

// A line break: back to the start x, one point size down. Returns the position to go on at,
// past one blank that directly follows the break.
size_t BreakLine(TextCursor& pen, float startX, float size, std::string_view text, size_t lineBreak) {
  pen.x = startX;
  pen.y += size;
  const size_t next = lineBreak + 1;
  return next < text.size() && text[next] == ' ' ? next + 1 : next;
}

}  // namespace

void PutGlyph(const GlyphTable& font, TextCursor& pen, float size, float slant, unsigned char c, GlyphSink& sink) {
  const unsigned char drawn = DrawnCharacter(font, c);
  const GlyphMetrics& g = font.glyphs[drawn];
  if (!g.exists) {
    if (drawn == ' ') pen.x += size * 0.5f;
    return;
  }
  GlyphQuad quad;
  quad.character = drawn;
  quad.z = pen.z;
  const float left = pen.x + g.left * size, right = pen.x + g.right * size, shear = slant * size;
  const float top = pen.y - g.top * size, bottom = pen.y - g.bottom * size;
  const float xs[4] = {left, left + shear, right, right + shear};
  const float ys[4] = {bottom, top, bottom, top};
  const float ss[4] = {g.texLeft, g.texLeft, g.texRight, g.texRight};
  const float ts[4] = {g.texBottom, g.texTop, g.texBottom, g.texTop};
  for (int k = 0; k < 4; ++k) quad.x[k] = xs[k], quad.y[k] = ys[k], quad.s[k] = ss[k], quad.t[k] = ts[k];
  sink.Glyph(quad);
  pen.x += ((font.fixedPitch ? font.fixedWidth : g.advance) + font.gap) * size;
}

namespace {

// The string outputs: line breaks, then (coloured only) colour codes, then glyphs.
void LayOut(const GlyphTable& font, TextCursor cursor, float size, float slant, std::string_view text, bool coloured,
            GlyphSink& sink) {
  const float startX = cursor.x;
  for (size_t i = 0; i < text.size();) {
    if (text[i] == '\n') {
      i = BreakLine(cursor, startX, size, text, i);
      continue;
    }
    // After a code, the next character is a glyph whatever it is; a code at the end ends the text.
    if (coloured && text[i] == '^') i = ApplyColorCode(text, i, sink);
    if (i >= text.size()) break;
    PutGlyph(font, cursor, size, slant, static_cast<unsigned char>(text[i]), sink);
    ++i;
  }
}

}  // namespace

void LayOutText(const GlyphTable& font, TextCursor cursor, float size, float slant, std::string_view text,
                GlyphSink& sink) {
  LayOut(font, cursor, size, slant, text, false, sink);
}

void LayOutColouredText(const GlyphTable& font, TextCursor cursor, float size, float slant, std::string_view text,
                        GlyphSink& sink) {
  LayOut(font, cursor, size, slant, text, true, sink);
}

size_t ApplyColorCode(std::string_view text, size_t caret, GlyphSink& sink) {
  if (caret + 1 >= text.size()) return caret;
  for (const ColorCode& code : kColorCodes) {
    if (text[caret + 1] == code.digit) {
      sink.SetColour(code.r, code.g, code.b);
      return caret + 2;
    }
  }
  return caret;
}
