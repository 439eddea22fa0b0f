#include "gui/field_outline.h"

#include "gui/draw_primitives.h"

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
