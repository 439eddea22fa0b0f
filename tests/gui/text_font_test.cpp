// The generated fonts loaded through the font library, and the text outputs drawn under Xvfb.
#include <GL/glew.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "gui/gui_2d.h"
#include "gui/text_fonts.h"
#include "gui/text_output.h"
#include "core/byte_reader.h"
#include "platform/files.h"
#include "support/log_capture.h"
#include "support/temp_folder.h"
#include "support/gl_canvas.h"

namespace {

constexpr int kSize = GlCanvas::kSize;

// The lit pixels of the canvas, in GUI coordinates (y down).
struct Ink {
  int left = kSize, right = -1, top = kSize, bottom = -1;
  int count = 0;
  bool Any() const { return count > 0; }
};

bool IsLit(Rgb c) { return c.r > 0 || c.g > 0 || c.b > 0; }

Ink FindInk(GlCanvas& canvas, bool (*lit)(Rgb) = IsLit) {
  Ink ink;
  for (int y = 0; y < kSize; ++y) {
    for (int x = 0; x < kSize; ++x) {
      if (!lit(canvas.Pixel(x, kSize - 1 - y))) continue;
      ink.left = std::min(ink.left, x), ink.right = std::max(ink.right, x);
      ink.top = std::min(ink.top, y), ink.bottom = std::max(ink.bottom, y);
      ++ink.count;
    }
  }
  return ink;
}

// Both fonts loaded from the program folder for the whole test program (a GL context is needed).
class TextFontTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    canvas_ = GlCanvas::Shared();
    if (!canvas_->IsOpen()) return;
    fonts_ = new TextFonts;
    fonts_->LoadFonts(DELVIX_PROGRAM_DIR);
  }
  static void TearDownTestSuite() {
    delete fonts_;
    fonts_ = nullptr;
  }
  void SetUp() override {
    canvas_ = GlCanvas::Shared();
    ASSERT_TRUE(canvas_->IsOpen()) << canvas_->Error();
    canvas_->Clear(0, 0, 0);
    SetTextState(fonts_->HelveticaBold(), 10.0f, 0.0f, 0.1f);
    Begin2D(kSize, kSize);
    glColor4f(1, 1, 1, 1);
  }
  void TearDown() override { End2D(); }

  static GlCanvas* canvas_;
  static TextFonts* fonts_;
};
GlCanvas* TextFontTest::canvas_ = nullptr;
TextFonts* TextFontTest::fonts_ = nullptr;

TEST_F(TextFontTest, GeneratedFontsHaveEveryPrintableCharacter) {
  for (TextFont* font : {fonts_->HelveticaBold(), fonts_->BookmanDemi()}) {
    ASSERT_NE(font, nullptr);
    for (int c = 32; c <= 126; ++c) EXPECT_TRUE(font->Glyphs().glyphs[c].exists) << c;
    EXPECT_FALSE(font->Glyphs().glyphs[127].exists);
    EXPECT_EQ(font->Glyphs().gap, 0.0f);
    // The tallest glyph is one unit: capitals and brackets reach it, no glyph passes it.
    float top = 0.0f;
    for (int c = 33; c <= 126; ++c) top = std::max(top, font->Glyphs().glyphs[c].top);
    EXPECT_FLOAT_EQ(top, 1.0f);
  }
  // The blank keeps the font's own advance (narrower than the library's half a point size).
  const GlyphMetrics& blank = fonts_->HelveticaBold()->Glyphs().glyphs[' '];
  EXPECT_GT(blank.advance, 0.2f);
  EXPECT_LT(blank.advance, 0.5f);
}

TEST_F(TextFontTest, LoadingStartsTheTextStateAndShutdownLogsTheUnloads) {
  LogCapture log;
  TextFonts fonts;
  fonts.LoadFonts(DELVIX_PROGRAM_DIR);
  EXPECT_TRUE(fonts.FontsLoaded());
  EXPECT_TRUE(log.Has("Loaded Font: 'Helvetica-Bold'"));
  EXPECT_TRUE(log.Has("Loaded Font: 'Bookman-Demi'"));
  EXPECT_EQ(gTextState.font, fonts.HelveticaBold());
  EXPECT_EQ(gTextState.pointSize, 10.0f);
  EXPECT_EQ(gTextState.slant, 0.4f);
  TextFont* first = fonts.HelveticaBold();
  fonts.LoadFonts(DELVIX_PROGRAM_DIR);  // once only
  EXPECT_EQ(fonts.HelveticaBold(), first);
  EXPECT_EQ(log.Count("Loaded Font: 'Helvetica-Bold'"), 1);

  fonts.Shutdown();
  EXPECT_EQ(gTextState.font, nullptr);
  EXPECT_EQ(fonts.HelveticaBold(), nullptr);
  EXPECT_TRUE(log.Has("UnloadedFont: 'Helvetica-Bold.'"));
  EXPECT_TRUE(log.Has("UnloadedFont: 'Bookman-Demi'"));
  fonts.Shutdown();  // nothing left: no second pair of lines
  EXPECT_EQ(log.Count("UnloadedFont: 'Bookman-Demi'"), 1);
  // Without a font the outputs draw and measure nothing.
  EXPECT_EQ(TextWidth("abc"), 0.0f);
  PrintText(20, 30, "abc");
  EXPECT_FALSE(FindInk(*canvas_).Any());
}

// The generated default font's bytes, with one change made by edit.
std::string EditedFont(const std::function<void(std::string&)>& edit) {
  std::vector<uint8_t> bytes;
  EXPECT_TRUE(platform::ReadWholeFile(std::string(DELVIX_PROGRAM_DIR) + "/Fonts/Helvetica-Bold.txf", bytes));
  std::string font(bytes.begin(), bytes.end());
  edit(font);
  return font;
}

void Put32(std::string& font, size_t at, uint32_t value) { std::memcpy(&font[at], &value, 4); }

// The offset of a character's glyph record.
size_t GlyphRecord(const std::string& font, char character) {
  uint32_t count = 0;
  std::memcpy(&count, &font[28], 4);
  for (size_t at = 32; at < 32 + size_t{count} * 12; at += 12) {
    if (static_cast<uint8_t>(font[at]) == static_cast<uint8_t>(character) && font[at + 1] == 0) return at;
  }
  return 0;
}

TEST_F(TextFontTest, DamagedFontFilesFailCleanly) {
  struct Case {
    const char* what;
    std::string bytes;
  };
  const Case cases[] = {
      {"no font at all", "not a font at all"},
      {"header cut short", std::string("\xFFtxf\x78\x56\x34\x12", 8)},
      {"texture width not a power of two", EditedFont([](std::string& f) { Put32(f, 12, 100); })},
      {"texels missing", EditedFont([](std::string& f) { f.resize(f.size() - 1); })},
      {"more glyphs than the file holds", EditedFont([](std::string& f) { Put32(f, 28, 0x10000000); })},
      {"a character beyond 255", EditedFont([](std::string& f) { f[GlyphRecord(f, 'A') + 1] = 1; })},
  };
  for (const Case& c : cases) {
    TempFolder folder;
    ASSERT_TRUE(std::filesystem::create_directory(folder.Path("Fonts")));
    folder.Write("Fonts/Damaged.txf", c.bytes);
    std::string error;
    EXPECT_EQ(LoadGuiFont(folder.Root(), "Damaged", error), nullptr) << c.what;
    EXPECT_FALSE(error.empty()) << c.what;
  }
  std::string error;
  EXPECT_EQ(LoadGuiFont("/nonexistent", "Helvetica-Bold", error), nullptr);
  EXPECT_NE(error.find("/nonexistent/Fonts/Helvetica-Bold.txf"), std::string::npos) << error;
}

// A font without a blank advances half a point size for it, in the layout and the width alike.
TEST_F(TextFontTest, AFontWithoutABlankAdvancesHalfAPointSize) {
  TempFolder folder;
  ASSERT_TRUE(std::filesystem::create_directory(folder.Path("Fonts")));
  folder.Write("Fonts/NoBlank.txf", EditedFont([](std::string& f) { f[GlyphRecord(f, ' ')] = 127; }));
  std::string error;
  std::unique_ptr<TextFont> font = LoadGuiFont(folder.Root(), "NoBlank", error);
  ASSERT_NE(font, nullptr) << error;
  EXPECT_FALSE(font->Glyphs().glyphs[' '].exists);
  SetTextState(font.get(), 10.0f, 0.0f, 0.1f);
  EXPECT_FLOAT_EQ(TextWidth(" "), 5.0f);
  SetTextState(fonts_->HelveticaBold(), 10.0f, 0.0f, 0.1f);
  EXPECT_LT(TextWidth(" "), 5.0f);  // the generated font's own blank is narrower
}

TEST_F(TextFontTest, TextWidthIsZeroForNoTextAndGrowsWithIt) {
  EXPECT_EQ(TextWidth(""), 0.0f);
  EXPECT_EQ(TextWidth(nullptr), 0.0f);
  const float w1 = TextWidth("W"), w2 = TextWidth("WW"), w3 = TextWidth("WW W");
  EXPECT_GT(w1, 5.0f);
  EXPECT_FLOAT_EQ(w2, w1 + fonts_->HelveticaBold()->Glyphs().glyphs['W'].advance * 10.0f);
  EXPECT_GT(w3, w2);
  gTextState.pointSize = 20.0f;
  EXPECT_FLOAT_EQ(TextWidth("W"), 2.0f * w1);
}

// The coverage bytes of one glyph of a generated TXF font, top row first.
struct GlyphBitmap {
  int width = 0, height = 0;
  std::vector<uint8_t> coverage;
  int At(int x, int y) const { return coverage[static_cast<size_t>(y) * width + x]; }
};

GlyphBitmap ReadGlyphBitmap(const std::string& path, char character) {
  std::vector<uint8_t> bytes;
  GlyphBitmap glyph;
  if (!platform::ReadWholeFile(path, bytes) || bytes.size() < 32) return glyph;
  ByteReader reader(bytes.data(), bytes.size());
  reader.Skip(12);
  const uint32_t textureWidth = reader.U32();
  reader.Skip(12);
  const uint32_t count = reader.U32();
  const size_t texels = 32 + size_t{count} * 12;
  for (uint32_t i = 0; i < count; ++i) {
    const uint16_t c = reader.U16();
    const uint8_t w = reader.U8(), h = reader.U8();
    reader.Skip(4);
    const int16_t x = reader.I16(), y = reader.I16();
    if (c != static_cast<uint8_t>(character)) continue;
    glyph.width = w, glyph.height = h;
    for (int row = h - 1; row >= 0; --row) {  // texture rows run bottom-up
      for (int col = 0; col < w; ++col) glyph.coverage.push_back(bytes[texels + (y + row) * textureWidth + x + col]);
    }
  }
  return glyph;
}

// At 10 points the default font meets the screen texel for texel: "H" starts at x - 4.31 with its
// baseline at y + 2.54, and every pixel shows its texel's coverage (in white, modulated), or
// nothing where the coverage is not above the alpha reference.
TEST_F(TextFontTest, PrintTextDrawsTheGlyphTexelForTexelWhereTheRulesPutIt) {
  PrintText(10, 30, "H");
  const GlyphBitmap h = ReadGlyphBitmap(std::string(DELVIX_PROGRAM_DIR) + "/Fonts/Helvetica-Bold.txf", 'H');
  ASSERT_EQ(h.height, 10);
  const GlyphMetrics& metrics = fonts_->HelveticaBold()->Glyphs().glyphs['H'];
  const int left = 6 + static_cast<int>(metrics.left * 10.0f);  // pixel centres from 6.5 on
  const int top = 23;                                             // 32.54 - 10
  const Ink ink = FindInk(*canvas_);
  EXPECT_EQ(ink.top, top);
  EXPECT_EQ(ink.bottom, top + h.height - 1);
  for (int y = 0; y < h.height; ++y) {
    for (int x = 0; x < h.width; ++x) {
      const int coverage = h.At(x, y) > 0.1 * 255 ? h.At(x, y) : 0;
      const Rgb pixel = canvas_->Pixel(left + x, kSize - 1 - (top + y));
      EXPECT_NEAR(pixel.r, coverage, 1) << x << ", " << y;
    }
  }
  EXPECT_EQ(ink.count, [&] {
    int lit = 0;
    for (uint8_t c : h.coverage) lit += c > 0.1 * 255;
    return lit;
  }());
  // Blending is on again afterwards, as the GUI expects.
  EXPECT_TRUE(glIsEnabled(GL_BLEND));
  EXPECT_FALSE(glIsEnabled(GL_ALPHA_TEST));
}

TEST_F(TextFontTest, FormattedTextIsCutAt255Characters) {
  GLuint query = 0;
  glGenQueries(1, &query);
  gTextState.pointSize = 0.5f;  // keep the glyphs small; only their number counts
  glBeginQuery(GL_PRIMITIVES_GENERATED, query);
  PrintTextf(0, 0, "%s", std::string(300, 'A').c_str());
  glEndQuery(GL_PRIMITIVES_GENERATED);
  GLuint triangles = 0;
  glGetQueryObjectuiv(query, GL_QUERY_RESULT, &triangles);
  glDeleteQueries(1, &query);
  EXPECT_EQ(triangles, 255u * 2u);  // one strip of two triangles per glyph
}

bool IsRed(Rgb c) { return c.r > 60 && c.g < 30 && c.b < 30; }
bool IsWhite(Rgb c) { return c.r > 60 && c.g == c.r && c.b == c.r; }

TEST_F(TextFontTest, ColouredOutputSwitchesColoursAndPlainOutputDoesNot) {
  gTextState.cursor = {0, 0, 0};
  BeginText(4, 20);
  fonts_->HelveticaBold()->putsColoured(gTextState.cursor, 10.0f, 0.0f, "^1II^7II");
  EndText();
  const Ink red = FindInk(*canvas_, IsRed), white = FindInk(*canvas_, IsWhite);
  ASSERT_TRUE(red.Any());
  ASSERT_TRUE(white.Any());
  EXPECT_LT(red.right, white.left);  // red first, then white
  EXPECT_FALSE(gTextState.textBlockOpen);

  canvas_->Clear(0, 0, 0);
  glColor4f(1, 1, 1, 1);
  PrintText(4, 40, "^1II");
  EXPECT_FALSE(FindInk(*canvas_, IsRed).Any());
  EXPECT_TRUE(FindInk(*canvas_, IsWhite).Any());
}

}  // namespace
