#pragma once
// BubblePainter: draws the notification bubble: a dark panel with a thin border and an accent
// strip, the title in the accent colour, the program's icon, and the text wrapped into the lines
// that fit (the last one ending in "..." when the text is longer).
#include <string>

#include "desktop/canvas.h"
#include "desktop/text_painter.h"

class BubblePainter {
 public:
  static constexpr int kWidth = 340;
  static constexpr int kHeight = 108;

  // Loads the icon and the fonts from the program folder (the working folder). False when a font
  // is missing: the bubble cannot show text. A missing icon only leaves it out.
  bool Load();
  Canvas Paint(const std::string& title, const std::string& text, bool hovered) const;

 private:
  Canvas icon_;
  TextPainter titleFont_;
  TextPainter textFont_;
};
