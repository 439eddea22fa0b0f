// The slider: a press on its bar or knob starts a drag; the value follows the mouse between the
// bar's ends (exactly the minimum or maximum beyond them) and is reported while it changes
// (unless the slider reports on release only) and once when the button is released.
#include <algorithm>
#include <cmath>

#include "gui/draw_primitives.h"
#include "gui/vorn_gui.h"

void VornGUI::DrawSlider(Slider& slider, float alpha) {
  const ItemRect& r = slider.rect;
  if (slider.dragging) {
    const float left = static_cast<float>(Absolute(r).x);
    const float right = left + static_cast<float>(r.w);
    float value = slider.minimum;
    if (mouseX >= right) {
      value = slider.maximum;
    } else if (mouseX > left) {
      value = slider.minimum + (slider.maximum - slider.minimum) * (mouseX - left) / static_cast<float>(r.w);
    }
    const bool changed = value != slider.value;
    slider.value = value;
    if (changed && !slider.releaseOnly && slider.callback) slider.callback(value);
    mouseOverGui = true;
  }
  const float range = slider.maximum - slider.minimum;
  const float fraction = range != 0.0f ? (slider.value - slider.minimum) / range : 0.0f;

  painter_->SetColour(Rgba{0.4f, 0.4f, 0.4f, alpha});
  DrawRectOutline(*painter_, r);
  painter_->SetColour(Rgba{1, 1, 1, 1});
  painter_->SetTexturing(true);
  DrawSkinRect(*painter_, textures, "slider_back",
               ItemRect{r.x, r.y + static_cast<int32_t>(static_cast<float>(r.h) * 0.5f - 3.0f), r.w, 6});
  int32_t knobX = static_cast<int32_t>(static_cast<float>(r.x - r.h / 2) + static_cast<float>(r.w) * fraction);
  knobX = std::clamp(knobX, r.x + 5, std::max(r.x + 5, r.x + r.w - 15));
  const ItemRect knob{knobX, r.y, r.h, r.h};
  if (MouseOverRect(r) || slider.dragging) {
    painter_->SetColour(Rgba{1, 1, 1, 1});
    if (!slider.dragging && leftDown && (MouseInRect(knob) || MouseInRect(r))) slider.dragging = true;
  } else {
    painter_->SetColour(Rgba{0.6f, 0.6f, 0.6f, 1});
  }
  DrawSkinRect(*painter_, textures, "slider_knob", knob);
  painter_->SetTexturing(false);
  if (slider.dragging && !leftDown) {
    slider.dragging = false;
    if (slider.callback) slider.callback(slider.value);
  }
}
