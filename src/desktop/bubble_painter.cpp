// Drawing the notification bubble.
#include "desktop/bubble_painter.h"

#include "desktop/desktop_look.h"

namespace {
constexpr int kAccentStrip = 4;
constexpr int kPadding = 12;
constexpr int kIconSide = 64;
}  // namespace

bool BubblePainter::Load() {
  ReadBmpFile(desktop_look::kIconPicture, icon_);
  return titleFont_.Load(desktop_look::kBoldFont, 16) && textFont_.Load(desktop_look::kRegularFont, 13);
}

Canvas BubblePainter::Paint(const std::string& title, const std::string& text, bool hovered) const {
  using namespace desktop_look;
  Canvas canvas(kWidth, kHeight, kBorder);
  canvas.FillRect(1, 1, kWidth - 2, kHeight - 2, hovered ? kHoverBackground : kBackground);
  canvas.FillRect(1, 1, kAccentStrip, kHeight - 2, kAccent);

  const int left = 1 + kAccentStrip + kPadding;
  const int right = kWidth - kPadding;
  titleFont_.Draw(canvas, left, 8, titleFont_.Ellipsize(title, right - left), kAccent);

  const int bodyTop = 8 + titleFont_.LineHeight() + 4;
  int textLeft = left;
  if (!icon_.Empty()) {
    const int iconTop = bodyTop + (kHeight - 6 - bodyTop - kIconSide) / 2;
    canvas.Draw(icon_, left - 4, iconTop);
    textLeft = left - 4 + kIconSide + 10;
  }
  const int lineHeight = textFont_.LineHeight() > 0 ? textFont_.LineHeight() : 1;
  const int maxLines = (kHeight - 8 - bodyTop) / lineHeight;
  int y = bodyTop + 2;
  for (const std::string& line : textFont_.Wrap(text, right - textLeft, maxLines)) {
    textFont_.Draw(canvas, textLeft, y, line, kText);
    y += lineHeight;
  }
  return canvas;
}
