// make_txf_font: renders the printable ASCII characters of a TrueType or OpenType font with
// FreeType into a TXF texture font, the format the GUI's font library loads.
//
//   make_txf_font <font file> <output .txf> <ascent in pixels>
//
// The ascent is the font's unit: the GUI draws a text at point size p with the tallest glyph p
// pixels high, so a font rendered with ascent A shows its texels one to one at p = A. The size
// of the face is chosen as the largest one whose tallest printable glyph fits in A pixels.
//
// TXF layout (all integers little-endian, as the loader reads them natively):
//   header   0xFF 't' 'x' 'f', u32 0x12345678, u32 format (0: one coverage byte per texel),
//            u32 texture width, u32 texture height, i32 max ascent, i32 max descent,
//            u32 glyph count
//   glyphs   12 bytes each: u16 character, u8 width, u8 height, i8 x offset, i8 y offset
//            (bottom of the bitmap relative to the baseline), i8 advance, u8 padding,
//            i16 x, i16 y (bottom-left corner in the texture)
//   texels   width x height bytes, bottom row first
#include <ft2build.h>
#include FT_FREETYPE_H

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

constexpr int kFirstChar = 32;
constexpr int kLastChar = 126;
constexpr int kTextureWidth = 256;
// Empty texels around every glyph, so that neither sampling nor the smaller mipmap levels
// pick up a neighbour's ink.
constexpr int kPadding = 2;

struct Glyph {
  int character = 0;
  int width = 0, height = 0;  // bitmap size in pixels
  int left = 0, top = 0;      // bitmap origin relative to the pen: x right, y up
  int advance = 0;            // whole pixels
  std::vector<uint8_t> coverage;  // rows top-down, as FreeType renders them
  int x = 0, y = 0;               // bottom-left in the texture
};

// Light hinting snaps the vertical stems and the baseline to the pixel grid (crisp at the size
// rendered) and keeps the glyph shapes and advances of the design.
constexpr FT_Int32 kLoadFlags = FT_LOAD_RENDER | FT_LOAD_TARGET_LIGHT;

bool RenderGlyph(FT_Face face, int character, Glyph& glyph) {
  if (FT_Load_Char(face, static_cast<FT_ULong>(character), kLoadFlags) != 0) return false;
  const FT_GlyphSlot slot = face->glyph;
  const FT_Bitmap& bitmap = slot->bitmap;
  if (bitmap.pixel_mode != FT_PIXEL_MODE_GRAY && bitmap.rows != 0) return false;
  glyph.character = character;
  glyph.width = static_cast<int>(bitmap.width);
  glyph.height = static_cast<int>(bitmap.rows);
  glyph.left = slot->bitmap_left;
  glyph.top = slot->bitmap_top;
  glyph.advance = static_cast<int>((slot->advance.x + 32) >> 6);
  glyph.coverage.assign(static_cast<size_t>(glyph.width) * glyph.height, 0);
  for (int row = 0; row < glyph.height; ++row) {
    const uint8_t* source = bitmap.buffer + static_cast<ptrdiff_t>(row) * bitmap.pitch;
    std::copy(source, source + glyph.width, glyph.coverage.begin() + static_cast<ptrdiff_t>(row) * glyph.width);
  }
  return true;
}

// The tallest printable glyph's top, in pixels above the baseline, at the face's current size.
int TallestTop(FT_Face face) {
  int tallest = 0;
  for (int c = kFirstChar + 1; c <= kLastChar; ++c) {
    if (FT_Load_Char(face, static_cast<FT_ULong>(c), kLoadFlags) != 0) continue;
    tallest = std::max(tallest, face->glyph->bitmap_top);
  }
  return tallest;
}

// Sets the largest size (in 1/64 pixel steps of 1/8 pixel) whose tallest glyph fits in ascent.
bool FitSize(FT_Face face, int ascent) {
  for (FT_F26Dot6 size = ascent * 64 * 2; size >= 64; size -= 8) {
    if (FT_Set_Char_Size(face, 0, size, 72, 72) != 0) return false;
    if (TallestTop(face) <= ascent) return true;
  }
  return false;
}

// Shelf packing into rows of kTextureWidth; returns the texture height (a power of two), or 0
// when a glyph is wider than the texture.
int Pack(std::vector<Glyph>& glyphs) {
  std::vector<Glyph*> byHeight;
  for (Glyph& g : glyphs) byHeight.push_back(&g);
  std::stable_sort(byHeight.begin(), byHeight.end(), [](const Glyph* a, const Glyph* b) { return a->height > b->height; });
  int x = kPadding, shelfTop = kPadding, shelfHeight = 0;  // measured downwards from the top
  for (Glyph* g : byHeight) {
    if (g->width + 2 * kPadding > kTextureWidth) return 0;
    if (x + g->width + kPadding > kTextureWidth) {
      shelfTop += shelfHeight + kPadding;
      x = kPadding;
      shelfHeight = 0;
    }
    g->x = x;
    g->y = shelfTop;  // top row, turned into the bottom-left corner below
    x += g->width + kPadding;
    shelfHeight = std::max(shelfHeight, g->height);
  }
  const int used = shelfTop + shelfHeight + kPadding;
  int height = 16;
  while (height < used) height *= 2;
  for (Glyph& g : glyphs) g.y = height - g.y - g.height;
  return height;
}

void Put32(std::vector<uint8_t>& out, uint32_t v) {
  for (int i = 0; i < 4; ++i) out.push_back(static_cast<uint8_t>(v >> (8 * i)));
}
void Put16(std::vector<uint8_t>& out, uint16_t v) {
  out.push_back(static_cast<uint8_t>(v));
  out.push_back(static_cast<uint8_t>(v >> 8));
}

std::vector<uint8_t> BuildTxf(const std::vector<Glyph>& glyphs, int textureHeight, int ascent) {
  int descent = 0;
  for (const Glyph& g : glyphs) descent = std::max(descent, g.height - g.top);
  std::vector<uint8_t> out = {0xFF, 't', 'x', 'f'};
  Put32(out, 0x12345678u);
  Put32(out, 0);  // one coverage byte per texel
  Put32(out, kTextureWidth);
  Put32(out, static_cast<uint32_t>(textureHeight));
  Put32(out, static_cast<uint32_t>(ascent));
  Put32(out, static_cast<uint32_t>(descent));
  Put32(out, static_cast<uint32_t>(glyphs.size()));
  for (const Glyph& g : glyphs) {
    Put16(out, static_cast<uint16_t>(g.character));
    out.push_back(static_cast<uint8_t>(g.width));
    out.push_back(static_cast<uint8_t>(g.height));
    out.push_back(static_cast<uint8_t>(static_cast<int8_t>(g.left)));
    out.push_back(static_cast<uint8_t>(static_cast<int8_t>(g.top - g.height)));
    out.push_back(static_cast<uint8_t>(static_cast<int8_t>(g.advance)));
    out.push_back(0);
    Put16(out, static_cast<uint16_t>(g.x));
    Put16(out, static_cast<uint16_t>(g.y));
  }
  std::vector<uint8_t> texels(static_cast<size_t>(kTextureWidth) * textureHeight, 0);
  for (const Glyph& g : glyphs) {
    for (int row = 0; row < g.height; ++row) {
      // Texture rows run bottom-up: the bitmap's top row is the glyph's highest texture row.
      const int textureRow = g.y + g.height - 1 - row;
      std::copy_n(g.coverage.begin() + static_cast<ptrdiff_t>(row) * g.width, g.width,
                  texels.begin() + static_cast<ptrdiff_t>(textureRow) * kTextureWidth + g.x);
    }
  }
  out.insert(out.end(), texels.begin(), texels.end());
  return out;
}

bool WriteFile(const std::string& path, const std::vector<uint8_t>& bytes) {
  FILE* file = std::fopen(path.c_str(), "wb");
  if (!file) return false;
  const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
  return std::fclose(file) == 0 && written;
}

int Fail(const std::string& message) {
  std::fprintf(stderr, "make_txf_font: %s\n", message.c_str());
  return 1;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 4) return Fail("usage: make_txf_font <font file> <output .txf> <ascent in pixels>");
  const std::string fontPath = argv[1], outputPath = argv[2];
  const int ascent = std::atoi(argv[3]);
  if (ascent < 4 || ascent > 100) return Fail("the ascent must lie between 4 and 100 pixels");

  FT_Library library = nullptr;
  if (FT_Init_FreeType(&library) != 0) return Fail("FreeType did not start");
  FT_Face face = nullptr;
  if (FT_New_Face(library, fontPath.c_str(), 0, &face) != 0) return Fail("cannot read the font " + fontPath);
  if (!FitSize(face, ascent)) return Fail("no size of " + fontPath + " fits the ascent");

  std::vector<Glyph> glyphs;
  for (int c = kFirstChar; c <= kLastChar; ++c) {
    Glyph glyph;
    if (!RenderGlyph(face, c, glyph)) return Fail("cannot render character " + std::to_string(c));
    if (glyph.width > 255 || glyph.height > 255 || glyph.advance > 127) return Fail("glyphs too large for TXF");
    glyphs.push_back(std::move(glyph));
  }
  FT_Done_Face(face);
  FT_Done_FreeType(library);

  const int textureHeight = Pack(glyphs);
  if (textureHeight == 0 || textureHeight > 4096) return Fail("the glyphs do not fit a texture");
  if (!WriteFile(outputPath, BuildTxf(glyphs, textureHeight, ascent))) return Fail("cannot write " + outputPath);
  return 0;
}
