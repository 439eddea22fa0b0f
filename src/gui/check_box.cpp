// The check box: a box with a tick while its bool is true; a click on the box or its label
// inverts the bool. It acts also while its menu slides or fades.
#include "gui/draw_primitives.h"
#include "gui/vorn_gui.h"

namespace {
constexpr TextStyle kCheckLabel{GuiFont::HelveticaBold, 12.0f, 0.0f, 0.1f};
constexpr TextStyle kDefaultText{GuiFont::HelveticaBold, 10.0f, 0.0f, 0.1f};
}  // namespace

void VornGUI::DrawCheckBox(CheckBox& box, float alpha) {
  const ItemRect& r = box.rect;
  DrawRect(*painter_, ItemRect{r.x, r.y, 15, 15}, Rgba{0.2f, 0.2f, 0.2f, alpha});
  DrawRectOutline(*painter_, ItemRect{r.x, r.y, 15, 15}, Rgba{0.5f, 0.5f, 0.5f, alpha * 0.95f});
  if (box.value && *box.value) {
    painter_->SetColour(Rgba{1, 1, 1, alpha});
    painter_->SetTexturing(true);
    DrawSkinRect(*painter_, textures, "checkbox_tick", ItemRect{r.x, r.y, 16, 16});
    painter_->SetTexturing(false);
  }
  Rgba label{0.8f, 0.8f, 0.8f, alpha};
  if (MouseOverRect(r)) {
    label = Rgba{1, 1, 1, alpha};
    if (leftDown && MouseInRect(r)) {
      leftDown = false;
      PlaySound("menu_accept", 1);
      if (box.value) *box.value = !*box.value;
    }
  }
  painter_->SetColour(label);
  painter_->SetTextStyle(kCheckLabel);
  painter_->PrintTextBlend(r.x + 20, r.y + 13, box.label);
  painter_->SetTextStyle(kDefaultText);
}
