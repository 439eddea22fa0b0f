#include "gui/text_font.h"

#include <plib/fnt.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <vector>

#include "core/byte_reader.h"
#include "platform/files.h"

namespace {

// The font library reports problems through one callback; without it, it prints them and ends
// the process. The last message is kept as the reason of a failed load; a fatal one (such as no
// current GL context) fails the load even when the library goes on.
std::string gLastFontError;
bool gFontErrorFatal = false;

void KeepFontError(ulSeverity severity, char* message) {
  gLastFontError = message ? message : "";
  if (severity == UL_FATAL) gFontErrorFatal = true;
}

// What the GUI needs from a TXF file beyond the library's glyph table.
struct TxfFacts {
  int textureWidth = 0, textureHeight = 0;
  int ascent = 0;
  int blankAdvance = -1;  // -1: the file has no blank
};

bool IsPowerOfTwo(uint32_t v) { return v != 0 && (v & (v - 1)) == 0; }

// Reads and checks a TXF file before the library sees it: the library trusts the header's
// sizes and counts, so a damaged file could make it read garbage for a long time.
bool ReadTxfFacts(const std::string& path, TxfFacts& facts, std::string& error) {
  std::vector<uint8_t> bytes;
  if (!platform::ReadWholeFile(path, bytes)) {
    error = "cannot read the font file " + path;
    return false;
  }
  error = "not a TXF font: " + path;
  ByteReader reader(bytes.data(), bytes.size());
  const uint8_t magic[4] = {0xFF, 't', 'x', 'f'};
  uint8_t head[4] = {};
  if (!reader.Bytes(head, 4) || std::memcmp(head, magic, 4) != 0) return false;
  const uint32_t mark = reader.U32();
  const bool swapped = mark == 0x78563412u;
  if (!swapped && mark != 0x12345678u) return false;
  auto u32 = [&] { return swapped ? __builtin_bswap32(reader.U32()) : reader.U32(); };
  auto u16 = [&] { return swapped ? __builtin_bswap16(reader.U16()) : reader.U16(); };
  const uint32_t format = u32();  // 0: a byte per texel, 1: a bit per texel
  const uint32_t width = u32(), height = u32();
  const uint32_t ascent = u32();
  u32();  // descent
  const uint32_t count = u32();
  constexpr uint32_t kMaxTexture = 4096;
  if (reader.Failed() || format > 1 || !IsPowerOfTwo(width) || !IsPowerOfTwo(height) || width > kMaxTexture ||
      height > kMaxTexture || ascent == 0 || ascent > 1000 || !reader.Fits(count, 12)) {
    return false;
  }
  for (uint32_t i = 0; i < count; ++i) {
    const uint16_t character = u16();
    reader.Skip(4);  // width, height, x and y offset
    const int8_t advance = static_cast<int8_t>(reader.U8());
    reader.Skip(5);
    if (character >= 256) return false;  // the library keeps 256 glyphs and does not check
    if (character == ' ') facts.blankAdvance = advance;
  }
  const size_t texelBytes = format == 0 ? size_t{width} * height : size_t{(width + 7) / 8} * height;
  if (reader.Failed() || reader.Remaining() < texelBytes) return false;
  facts.textureWidth = static_cast<int>(width);
  facts.textureHeight = static_cast<int>(height);
  facts.ascent = static_cast<int>(ascent);
  error.clear();
  return true;
}

// The library places texture coordinates at (cell edge + 0.5) / size; back onto the edge.
float OnTexelEdge(float coordinate, int size) {
  const float scaled = coordinate * static_cast<float>(size);
  return std::floor(scaled) / static_cast<float>(size);
}

// Draws the layout's glyphs as triangle strips in the current GL colour.
class GlGlyphSink : public GlyphSink {
 public:
  void Glyph(const GlyphQuad& q) override {
    glBegin(GL_TRIANGLE_STRIP);
    for (int k = 0; k < 4; ++k) {
      glTexCoord2f(q.s[k], q.t[k]);
      glVertex3f(q.x[k], q.y[k], q.z);
    }
    glEnd();
  }
  void SetColour(float r, float g, float b) override { glColor4f(r, g, b, 1.0f); }
};

}  // namespace

TextFont::TextFont() : font_(new fntTexFont) {}

TextFont::~TextFont() { delete font_; }

bool TextFont::load(const std::string& path, GLenum magFilter, GLenum minFilter, std::string* error) {
  std::string reason;
  TxfFacts facts;
  if (!ReadTxfFacts(path, facts, reason)) {
    if (error) *error = reason;
    return false;
  }
  ulSetErrorCallback(KeepFontError);
  gLastFontError.clear();
  gFontErrorFatal = false;
  if (font_->load(path.c_str(), magFilter, minFilter) == 0 || gFontErrorFatal) {
    if (error) *error = gLastFontError.empty() ? "the font library refused " + path : gLastFontError;
    return false;
  }
  font_->setGap(0.0f);
  if (facts.blankAdvance >= 0) {
    font_->setGlyph(' ', static_cast<float>(facts.blankAdvance) / static_cast<float>(facts.ascent), 0, 0, 0, 0, 0, 0, 0, 0);
  }
  glyphs_ = GlyphTable();
  glyphs_.gap = font_->getGap();
  glyphs_.fixedPitch = font_->isFixedPitch() != 0;
  glyphs_.fixedWidth = font_->getWidth();
  for (int c = 0; c < 256; ++c) {
    GlyphMetrics& g = glyphs_.glyphs[c];
    g.exists = font_->getGlyph(static_cast<char>(c), &g.advance, &g.texLeft, &g.texRight, &g.texBottom, &g.texTop,
                               &g.left, &g.right, &g.bottom, &g.top) != 0;
    if (!g.exists) {
      g = GlyphMetrics();
      continue;
    }
    g.texLeft = OnTexelEdge(g.texLeft, facts.textureWidth);
    g.texRight = OnTexelEdge(g.texRight, facts.textureWidth);
    g.texBottom = OnTexelEdge(g.texBottom, facts.textureHeight);
    g.texTop = OnTexelEdge(g.texTop, facts.textureHeight);
  }
  return true;
}

void TextFont::getBBox(const char* text, float size, float slant, float* left, float* right, float* bottom,
                       float* top) {
  float l = 0.0f, r = 0.0f, b = 0.0f, t = 0.0f;
  if (text && *text) font_->getBBox(text, size, slant, &l, &r, &b, &t);
  if (left) *left = l;
  if (right) *right = r;
  if (bottom) *bottom = b;
  if (top) *top = t;
}

void TextFont::puts(const TextCursor& cursor, float size, float slant, const char* text) {
  if (!text) return;
  GlGlyphSink sink;
  font_->begin();
  LayOutText(glyphs_, cursor, size, slant, text, sink);
  font_->end();
}

void TextFont::putsColoured(const TextCursor& cursor, float size, float slant, const char* text) {
  if (!text) return;
  GlGlyphSink sink;
  font_->begin();
  LayOutColouredText(glyphs_, cursor, size, slant, text, sink);
  font_->end();
}
