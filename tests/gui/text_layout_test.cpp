// The text layout rules without GL: glyph positions, missing glyphs, line breaks and colour codes,
// through a sink that records what an output makes.
#include "gui/text_layout.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// Every printable character half a unit wide and one unit tall, except: no blank (a missing
// blank advances half the size), no 'q' (drawn as 'Q'), no '~' (nothing at all).
GlyphTable TestFont() {
  GlyphTable font;
  for (int c = 33; c <= 126; ++c) {
    if (c == 'q' || c == '~') continue;
    GlyphMetrics& g = font.glyphs[c];
    g.exists = true;
    g.advance = 0.5f;
    g.left = 0.0f, g.right = 0.4f, g.bottom = 0.0f, g.top = 1.0f;
  }
  return font;
}

struct Drawn {
  char character;
  float x, y;  // the quad's bottom-left corner
  std::string colour;
};

class Recorder : public GlyphSink {
 public:
  void Glyph(const GlyphQuad& quad) override {
    drawn.push_back({static_cast<char>(quad.character), quad.x[0], quad.y[0], colour});
    quads.push_back(quad);
  }
  void SetColour(float r, float g, float b) override {
    colour.clear();
    for (const ColorCode& code : kColorCodes) {
      if (code.r == r && code.g == g && code.b == b) colour = std::string("^") + code.digit;
    }
    colour = colour == "^7" ? "^0" : colour;  // both codes are white
    ++colourChanges;
  }

  // The drawn characters, each run of one colour prefixed by its code when it has one.
  std::string Text() const {
    std::string text, current;
    for (const Drawn& d : drawn) {
      if (d.colour != current) text += "[" + d.colour + "]";
      current = d.colour;
      text += d.character;
    }
    return text;
  }

  std::vector<Drawn> drawn;
  std::vector<GlyphQuad> quads;
  std::string colour;
  int colourChanges = 0;
};

constexpr float kSize = 10.0f;

Recorder Coloured(const std::string& text) {
  Recorder recorder;
  LayOutColouredText(TestFont(), {0, 0, 0}, kSize, 0.0f, text, recorder);
  return recorder;
}

Recorder Plain(const std::string& text, TextCursor cursor = {0, 0, 0}) {
  Recorder recorder;
  LayOutText(TestFont(), cursor, kSize, 0.0f, text, recorder);
  return recorder;
}

TEST(ColouredText, CodesSetColoursAndOtherCaretsAreGlyphs) {
  struct Case {
    const char* text;
    const char* drawn;  // [^n] marks where a colour starts
  };
  const Case cases[] = {
      {"^1word^7rest", "[^1]word[^0]rest"},
      {"^6x", "^6x"},                        // no code 6: caret and digit are glyphs
      {"^ax", "^ax"},                        // caret before a letter
      {"^1^2word", "[^1]^2word"},            // the character after a code is always a glyph
      {"ab^1", "ab"},                        // a code at the very end ends the text
      {"ab^", "ab^"},                        // a lone caret at the end is a glyph
      {"^0a^1b^2c^3d^4e^5f^7g", "[^0]a[^1]b[^2]c[^3]d[^4]e[^5]f[^0]g"},
  };
  for (const Case& c : cases) EXPECT_EQ(Coloured(c.text).Text(), c.drawn) << c.text;
}

TEST(ColouredText, TableColoursAreExact) {
  Recorder recorder;
  const std::string codes = "^4^5";
  ApplyColorCode(codes, 0, recorder);
  EXPECT_EQ(recorder.colour, "^4");
  EXPECT_EQ(ApplyColorCode(codes, 2, recorder), 4u);
  EXPECT_EQ(recorder.colour, "^5");
  EXPECT_EQ(kColorCodes[4].g, 0.45f);
  EXPECT_EQ(kColorCodes[5].r, 0.35f);
  EXPECT_EQ(kColorCodes[5].g, 0.75f);
  // No code: the caret's own position comes back and no colour is set.
  Recorder none;
  EXPECT_EQ(ApplyColorCode("^6", 0, none), 0u);
  EXPECT_EQ(ApplyColorCode("^", 0, none), 0u);
  EXPECT_EQ(none.colourChanges, 0);
}

TEST(ColouredText, LineBreakAfterACodeIsAGlyphNotABreak) {
  Recorder r = Coloured("^1\nx");
  ASSERT_EQ(r.drawn.size(), 1u);  // the font has no glyph for the line break
  EXPECT_EQ(r.drawn[0].character, 'x');
  EXPECT_EQ(r.drawn[0].y, 0.0f);  // still on the first line
  EXPECT_EQ(r.drawn[0].colour, "^1");
}

TEST(PlainText, ShowsCodesAsTyped) { EXPECT_EQ(Plain("^1word^7").Text(), "^1word^7"); }

TEST(TextLayout, LineBreaksReturnToTheStartAndSkipOneBlank) {
  const TextCursor start{3, 7, 0};
  struct Case {
    const char* text;
    float cx, cy;  // where 'c' lands
  };
  const Case cases[] = {
      {"ab\ncd", 3, 17},
      {"ab\n cd", 3, 17},     // the blank after the break is skipped
      {"ab\n  cd", 8, 17},    // only one: the second advances half the size (no blank glyph)
      {"ab\n\ncd", 3, 27},    // two breaks, an empty line
      {"ab\n\n cd", 3, 27},
  };
  for (const Case& c : cases) {
    for (bool coloured : {false, true}) {
      Recorder r;
      if (coloured) {
        LayOutColouredText(TestFont(), start, kSize, 0.0f, c.text, r);
      } else {
        LayOutText(TestFont(), start, kSize, 0.0f, c.text, r);
      }
      ASSERT_EQ(r.Text(), "abcd") << c.text;
      EXPECT_FLOAT_EQ(r.drawn[2].x, c.cx) << c.text;
      EXPECT_FLOAT_EQ(r.drawn[2].y, c.cy) << c.text;
    }
  }
}

TEST(TextLayout, MissingGlyphs) {
  Recorder r = Plain("q~ Q");
  ASSERT_EQ(r.Text(), "QQ");  // 'q' falls back to 'Q'; '~' draws nothing
  EXPECT_FLOAT_EQ(r.drawn[0].x, 0.0f);
  // 'Q' advanced 5; '~' nothing; the missing blank half the size.
  EXPECT_FLOAT_EQ(r.drawn[1].x, 5.0f + 0.0f + 5.0f);
}

TEST(TextLayout, GlyphQuadFollowsMetricsSlantAndGap) {
  GlyphTable font = TestFont();
  GlyphMetrics& a = font.glyphs['A'];
  a.left = 0.1f, a.right = 0.6f, a.bottom = -0.2f, a.top = 0.8f;
  a.texLeft = 0.25f, a.texRight = 0.5f, a.texBottom = 0.125f, a.texTop = 0.375f;
  font.gap = 0.1f;
  Recorder r;
  LayOutText(font, {100, 50, 2}, kSize, 0.3f, "AA", r);
  ASSERT_EQ(r.quads.size(), 2u);
  const GlyphQuad& q = r.quads[0];
  // Strip order: bottom-left, top-left, bottom-right, top-right; y grows downwards.
  const float xs[4] = {101, 104, 106, 109}, ys[4] = {52, 42, 52, 42};
  const float ss[4] = {0.25f, 0.25f, 0.5f, 0.5f}, ts[4] = {0.125f, 0.375f, 0.125f, 0.375f};
  for (int k = 0; k < 4; ++k) {
    EXPECT_FLOAT_EQ(q.x[k], xs[k]) << k;
    EXPECT_FLOAT_EQ(q.y[k], ys[k]) << k;
    EXPECT_EQ(q.s[k], ss[k]) << k;
    EXPECT_EQ(q.t[k], ts[k]) << k;
  }
  EXPECT_EQ(q.z, 2.0f);
  EXPECT_FLOAT_EQ(r.quads[1].x[0], 101 + (0.5f + 0.1f) * kSize);  // advance plus gap

  font.fixedPitch = true;
  font.fixedWidth = 0.7f;
  Recorder fixed;
  LayOutText(font, {0, 0, 0}, kSize, 0.0f, "AA", fixed);
  EXPECT_FLOAT_EQ(fixed.quads[1].x[0] - fixed.quads[0].x[0], (0.7f + 0.1f) * kSize);
}

}  // namespace
