#pragma once
// TextPainter: text drawn into a Canvas from a TrueType or OpenType font file (FreeType), for
// the desktop's own windows. The program's 8-bit text is shown as the desktop would show it:
// valid UTF-8 as such, anything else as Latin-1; characters the font lacks are skipped.
#include <memory>
#include <string>
#include <vector>

#include "desktop/canvas.h"

class TextPainter {
 public:
  TextPainter();
  ~TextPainter();
  TextPainter(const TextPainter&) = delete;
  TextPainter& operator=(const TextPainter&) = delete;

  // Loads the font at pixelSize; false when the file is missing or no font.
  bool Load(const std::string& fontPath, int pixelSize);
  bool Loaded() const;

  // Pixel height of one line and the baseline's distance from its top.
  int LineHeight() const;
  int Ascent() const;
  // Advance width of text in pixels.
  int Width(const std::string& text) const;
  // Draws text with the top of its line at (x, y).
  void Draw(Canvas& canvas, int x, int y, const std::string& text, Rgba colour) const;

  // The texts these return are UTF-8, ready for Width and Draw.
  // text shortened with "..." so it fits maxWidth (unchanged when it fits).
  std::string Ellipsize(const std::string& text, int maxWidth) const;
  // text broken into lines of at most maxWidth, at spaces where possible (a word wider than a line
  // is broken between characters), at most maxLines; when text does not fit, the last line ends
  // with "...".
  std::vector<std::string> Wrap(const std::string& text, int maxWidth, int maxLines) const;

 private:
  struct Impl;
  std::unique_ptr<Impl> impl_;
};
