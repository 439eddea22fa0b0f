// The progress bar: its filled width is the GUI's progress value of its name; once the value
// reaches the full width the fill fades out and stays away until the value changes.
#include <algorithm>

#include "gui/draw_primitives.h"
#include "gui/vorn_gui.h"

void VornGUI::DrawProgressBar(ProgressBar& bar, float alpha) {
  const int32_t value = Progress(bar.name);
  const float now = NowMs();
  bar.rect.w = value;
  if (value == bar.fullWidth && !bar.fading && !bar.done) {
    bar.fading = true;
    bar.fadeStart = now;
  } else if (value != bar.fullWidth) {
    if (bar.done) {
      bar.done = false;
    } else {
      bar.fading = false;
    }
  }
  const ItemRect& r = bar.rect;
  DrawRect(*painter_, ItemRect{r.x, r.y, bar.fullWidth, r.h}, Rgba{0.2f, 0.2f, 0.2f, 1});
  if (value == 0) {
    bar.done = false;
  } else if (!bar.done) {
    Rgba fill = bar.colour;
    if (bar.fading) {
      const float elapsed = now - bar.fadeStart;
      fill.a *= std::max(0.0f, 1.0f - elapsed / bar.fadeMs);
      if (elapsed > bar.fadeMs) {
        bar.fading = false;
        bar.done = true;
      }
    } else {
      fill.a *= alpha;
    }
    DrawRect(*painter_, ItemRect{r.x, r.y, value, r.h}, fill);
  }
  painter_->SetColour(Rgba{1, 1, 1, 0.75f});
  painter_->SetTexturing(true);
  DrawSkinRect(*painter_, textures, "progress_top", ItemRect{r.x, r.y, bar.fullWidth, r.h});
  painter_->SetTexturing(false);
}
