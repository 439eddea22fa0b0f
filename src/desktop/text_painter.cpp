// TextPainter over FreeType.
#include "desktop/text_painter.h"

#include <ft2build.h>
#include FT_FREETYPE_H

#include "platform/text_utf8.h"

struct TextPainter::Impl {
  FT_Library library = nullptr;
  FT_Face face = nullptr;
  int lineHeight = 0;
  int ascent = 0;
  ~Impl() {
    if (face) FT_Done_Face(face);
    if (library) FT_Done_FreeType(library);
  }
};

namespace {

// The program's text as Latin-1 bytes, one character each (see the header).
std::string Characters(const std::string& text) {
  return platform::Latin1FromUtf8(platform::DesktopTextFrom8Bit(text), '?');
}

// Latin-1 characters back as UTF-8, which Characters reads unchanged.
std::string Utf8(const std::string& latin1) {
  std::string out;
  for (unsigned char c : latin1) {
    if (c < 0x80) {
      out += static_cast<char>(c);
    } else {
      out += static_cast<char>(0xC0 | (c >> 6));
      out += static_cast<char>(0x80 | (c & 0x3F));
    }
  }
  return out;
}

}  // namespace

TextPainter::TextPainter() : impl_(std::make_unique<Impl>()) {}
TextPainter::~TextPainter() = default;

bool TextPainter::Load(const std::string& fontPath, int pixelSize) {
  impl_ = std::make_unique<Impl>();
  Impl& p = *impl_;
  if (FT_Init_FreeType(&p.library) != 0) return false;
  if (FT_New_Face(p.library, fontPath.c_str(), 0, &p.face) != 0) {
    p.face = nullptr;
    return false;
  }
  if (FT_Set_Pixel_Sizes(p.face, 0, static_cast<FT_UInt>(pixelSize)) != 0) return false;
  p.ascent = static_cast<int>((p.face->size->metrics.ascender + 63) >> 6);
  p.lineHeight = static_cast<int>((p.face->size->metrics.height + 63) >> 6);
  return true;
}

bool TextPainter::Loaded() const { return impl_->face != nullptr; }
int TextPainter::LineHeight() const { return impl_->lineHeight; }
int TextPainter::Ascent() const { return impl_->ascent; }

int TextPainter::Width(const std::string& text) const {
  FT_Face face = impl_->face;
  if (!face) return 0;
  long width = 0;
  for (unsigned char c : Characters(text)) {
    if (FT_Load_Char(face, c, FT_LOAD_DEFAULT) == 0) width += face->glyph->advance.x;
  }
  return static_cast<int>((width + 63) >> 6);
}

void TextPainter::Draw(Canvas& canvas, int x, int y, const std::string& text, Rgba colour) const {
  FT_Face face = impl_->face;
  if (!face) return;
  long penX = static_cast<long>(x) << 6;
  const int baseline = y + impl_->ascent;
  for (unsigned char c : Characters(text)) {
    if (FT_Load_Char(face, c, FT_LOAD_RENDER) != 0) continue;
    const FT_GlyphSlot glyph = face->glyph;
    const FT_Bitmap& bitmap = glyph->bitmap;
    const int left = static_cast<int>((penX + 32) >> 6) + glyph->bitmap_left;
    const int top = baseline - glyph->bitmap_top;
    for (unsigned row = 0; row < bitmap.rows; ++row) {
      const unsigned char* line = bitmap.buffer + static_cast<long>(row) * bitmap.pitch;
      for (unsigned col = 0; col < bitmap.width; ++col) {
        if (line[col]) canvas.Blend(left + static_cast<int>(col), top + static_cast<int>(row), colour, line[col]);
      }
    }
    penX += glyph->advance.x;
  }
}

std::string TextPainter::Ellipsize(const std::string& text, int maxWidth) const {
  if (Width(text) <= maxWidth) return Utf8(Characters(text));
  std::string chars = Characters(text);
  while (!chars.empty() && Width(Utf8(chars) + "...") > maxWidth) chars.pop_back();
  return Utf8(chars) + "...";
}

std::vector<std::string> TextPainter::Wrap(const std::string& text, int maxWidth, int maxLines) const {
  std::vector<std::string> lines;
  if (maxLines <= 0) return lines;
  const std::string chars = Characters(text);
  size_t start = 0;
  while (start < chars.size() && static_cast<int>(lines.size()) < maxLines) {
    while (start < chars.size() && chars[start] == ' ') ++start;
    // The longest run from start that fits; then back to the last space in it, if any.
    size_t end = start;
    while (end < chars.size() && chars[end] != '\n' && Width(Utf8(chars.substr(start, end + 1 - start))) <= maxWidth) ++end;
    if (end == start && end < chars.size() && chars[end] != '\n') ++end;  // one character always goes
    if (end < chars.size() && chars[end] != '\n' && chars[end] != ' ') {
      const size_t space = chars.rfind(' ', end);
      if (space != std::string::npos && space > start) end = space;
    }
    lines.push_back(Utf8(chars.substr(start, end - start)));
    start = end < chars.size() && chars[end] == '\n' ? end + 1 : end;
  }
  while (start < chars.size() && chars[start] == ' ') ++start;
  if (start < chars.size() && !lines.empty()) lines.back() = Ellipsize(lines.back() + "...", maxWidth);
  return lines;
}
