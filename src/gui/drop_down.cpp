// The drop-down: a press on its arrow opens the list of options; a press on an option offers it
// to the callback, which decides whether it is taken; any press outside the arrow closes the list.
#include "gui/draw_primitives.h"
#include "gui/vorn_gui.h"

namespace {
constexpr Rgba kGreen{0, 1, 0, 0.3f};
constexpr Rgba kGrey{0.4f, 0.4f, 0.4f, 0.5f};
constexpr float kLeaveFadeMs = 500.0f;
}  // namespace

void VornGUI::DrawDropDown(DropDown& dropDown, float alpha) {
  const ItemRect& r = dropDown.rect;
  const ItemRect arrow{r.x + r.w - r.h, r.y + 1, r.h - 2, r.h - 2};
  const float now = NowMs();
  DrawRect(*painter_, r, Rgba{0.5f, 0.5f, 0.5f, alpha * 0.1f});
  painter_->SetColour(Rgba{1, 1, 1, alpha});
  painter_->SetTexturing(true);
  DrawSkinRect(*painter_, textures, "down_arrow", arrow);
  painter_->SetTexturing(false);

  const bool wasHover = dropDown.hover;
  dropDown.hover = MouseOverRect(r);
  if (wasHover && !dropDown.hover) {
    dropDown.fading = true;
    dropDown.leaveTime = now;
  }
  if (dropDown.hover && !dropDown.open && leftDown && MouseInRect(arrow)) {
    PlaySound("menu_focus", 1);
    dropDown.open = true;
  }
  if (dropDown.open) {
    const auto n = static_cast<int32_t>(dropDown.options.size());
    DrawRect(*painter_, ItemRect{r.x, r.y + r.h, r.w, 17 * n}, Rgba{0.2f, 0.2f, 0.2f, alpha * 0.9f});
    int32_t i = 0;
    for (const auto& option : dropDown.options) {
      const ItemRect row{r.x + 2, r.y + r.h + 5 + 15 * i, r.w - 4, 13};
      if (MouseOverRect(row)) {
        DrawRect(*painter_, row, Rgba{0.8f, 0.1f, 0.1f, alpha * 0.5f});
        if (leftDown && MouseInRect(row)) {
          leftDown = false;  // the press chose an option: nothing under the list takes it
          PlaySound("menu_accept", 1);
          if (dropDown.callback && dropDown.callback(i)) dropDown.selected = static_cast<int16_t>(i);
        }
      } else {
        DrawRect(*painter_, row, Rgba{0.5f, 0.5f, 0.5f, alpha * 0.1f});
      }
      painter_->SetColour(Rgba{1, 1, 1, alpha});
      painter_->PrintText(r.x + 3, r.y + r.h + 17 + 14 * i, option.second);
      ++i;
    }
    if (!MouseInRect(arrow)) dropDown.open = false;
  }

  Rgba outline{kGrey.r, kGrey.g, kGrey.b, alpha * 0.5f};
  if (dropDown.hover || dropDown.open) {
    outline = Rgba{0, 1, 0, alpha * 0.3f};
  } else if (dropDown.fading) {
    if (FadeColor(kGreen, kGrey, kLeaveFadeMs, now - dropDown.leaveTime, outline)) dropDown.fading = false;
  }
  DrawRectOutline(*painter_, r, outline);
  const auto selected = dropDown.options.find(dropDown.selected);
  painter_->SetColour(Rgba{1, 1, 1, alpha});
  painter_->PrintText(r.x + 3, r.y + r.h - 4, selected == dropDown.options.end() ? std::string() : selected->second);
}
