#pragma once
// TextFont: one TXF texture font of the GUI. PLIB's fnt library loads the file into a texture
// and measures texts; the string outputs are the GUI's own (gui/text_layout.h), because the GUI
// draws with y growing downwards, keeps the caller's cursor and interprets colour codes.
//
// At load the glyph table is taken over from the library with two corrections, so that a font
// drawn at the size it was rendered for shows its texels one to one:
//   - the library's texture coordinates sit half a texel off the glyph's cells; they are put back
//     on the cell edges;
//   - the library drops the blank's glyph and would advance half a point size for it; the blank
//     gets the file's own advance again.
// The font's gap is 0: the generated fonts carry their spacing in their advances.
//
// A GL context (GLX) must be current for load, puts and putsColoured. Main thread only.
#include <GL/glew.h>

#include <string>

#include "gui/text_layout.h"

class fntTexFont;

class TextFont {
 public:
  TextFont();
  ~TextFont();
  TextFont(const TextFont&) = delete;
  TextFont& operator=(const TextFont&) = delete;

  // Loads a TXF file (the name must end in lower-case ".txf") with the texture filters given.
  // False, with the font library's reason in error, when it cannot be read or is no TXF font.
  bool load(const std::string& path, GLenum magFilter, GLenum minFilter, std::string* error = nullptr);

  // The bounding box of text at size and slant (left, right, bottom, top; y up; each may be
  // null). An empty text gives all zero.
  void getBBox(const char* text, float size, float slant, float* left, float* right, float* bottom, float* top);

  // The string output: draws text from cursor by the drawing rules, with the font's texture
  // bound and GL_TEXTURE_2D enabled (left enabled). Colour codes are drawn as typed.
  void puts(const TextCursor& cursor, float size, float slant, const char* text);
  // The coloured string output: as puts, and "^0".."^5", "^7" set the GL colour (alpha 1).
  void putsColoured(const TextCursor& cursor, float size, float slant, const char* text);

  // The glyph table the outputs lay out with.
  const GlyphTable& Glyphs() const { return glyphs_; }

 private:
  fntTexFont* font_;
  GlyphTable glyphs_;
};
