#include "gui/menu.h"

#include <algorithm>

#include "gui/item_layout.h"

void Menu::SetSlide(int32_t direction, float u, int32_t layoutWidth, int32_t layoutHeight) {
  const float w = static_cast<float>(layoutWidth), h = static_cast<float>(layoutHeight);
  switch (direction) {
    case SLIDE_RIGHT: slideX = u * w; break;
    case SLIDE_LEFT: slideX = -u * w; break;
    case SLIDE_DOWN: slideY = u * h; break;
    case SLIDE_UP: slideY = -u * h; break;
    default: break;
  }
}

void Menu::UpdateTransition(float nowMs, int32_t layoutWidth, int32_t layoutHeight) {
  if (!animating) return;
  // A transition without a duration (or a clock that went back) ends at once.
  float t = durationMs > 0.0f ? (nowMs - startMs) / durationMs : 1.0f;
  t = std::clamp(t, 0.0f, 1.0f);
  if (transition == TRANSITION_SLIDE) {
    SetSlide(opening ? openDirection : closeDirection, opening ? 1.0f - t : t, layoutWidth, layoutHeight);
  } else if (transition == TRANSITION_FADE) {
    alpha = opening ? t : 1.0f - t;
  }
  if (t >= 1.0f) animating = false;
}

namespace {

template <class Item>
void AdjustAll(std::vector<Item>& items, float dw, float dh) {
  for (Item& item : items) AdjustRect(item.rect, dw, dh);
}

}  // namespace

void Menu::ItemScale(float dw, float dh) {
  AdjustAll(textButtons, dw, dh);
  AdjustAll(flatButtons, dw, dh);
  AdjustAll(checkBoxes, dw, dh);
  AdjustAll(progressBars, dw, dh);
  AdjustAll(plainLabels, dw, dh);
  AdjustAll(labels, dw, dh);
  AdjustAll(fontLabels, dw, dh);
  AdjustAll(listBoxes, dw, dh);
  AdjustAll(boundLists, dw, dh);
  AdjustAll(textBoxes, dw, dh);
  AdjustAll(filledRects, dw, dh);
  AdjustAll(images, dw, dh);
  AdjustAll(treeViews, dw, dh);
}
