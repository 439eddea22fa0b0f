#include "gui/field_outline.h"

#include "gui/draw_primitives.h"
#include "gui/vorn_gui.h"

namespace {
constexpr Rgba kGrey{0.4f, 0.4f, 0.4f, 0.5f};
constexpr float kLeaveFadeMs = 500.0f;
constexpr float kDoneFadeMs = 1000.0f;
}  // namespace

Rgba FieldOutline(const Rgba& outline, bool active, FieldFade& fade, float nowMs, float menuAlpha) {
  Rgba colour = outline;
  if (active) {
    colour.a *= menuAlpha;
  } else if (fade.fading) {
    if (FadeColor(outline, kGrey, kLeaveFadeMs, nowMs - fade.start, colour)) fade.fading = false;
  } else if (fade.justDone) {
    if (FadeColor(outline, kGrey, kDoneFadeMs, nowMs - fade.start, colour)) fade.justDone = false;
  } else {
    colour = Rgba{kGrey.r, kGrey.g, kGrey.b, menuAlpha * 0.5f};
  }
  return colour;
}

void VornGUI::DrawField(const ItemRect& r, const Rgba& background, const Rgba& outline, bool& hover, FieldFade& fade,
                        bool busy, float alpha) {
  const float now = NowMs();
  DrawRect(*painter_, r, background);
  const bool wasHover = hover;
  hover = MouseOverRect(r);
  if (wasHover && !hover && !busy) {
    fade.fading = true;
    fade.start = now;
  }
  DrawRectOutline(*painter_, r, FieldOutline(outline, busy || hover, fade, now, alpha));
}
