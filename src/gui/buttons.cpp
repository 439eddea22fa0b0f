// The buttons' shared protocol (hover, focus sound, one press, accept sound) and the image and
// flat buttons. The text button is drawn by the pass itself (gui_render.cpp).
#include "gui/draw_primitives.h"
#include "gui/vorn_gui.h"

bool VornGUI::ButtonPressed(const Menu& menu, bool& hover, const ItemRect& rect) {
  const bool wasHover = hover;
  // A menu in a transition has no hovered buttons.
  hover = menu.animating ? false : MouseOverRect(rect);
  if (hover && !wasHover) PlaySound("menu_focus", 1);
  if (!hover || !leftDown || !MouseInRect(rect)) return false;
  leftDown = false;  // the press acts once
  PlaySound("menu_accept", 1);
  return true;
}

void VornGUI::DrawImageButton(Menu& menu, ImageButton& button, float alpha) {
  const bool wasHover = button.hover;
  if (ButtonPressed(menu, button.hover, button.rect)) Processcmd(button.commands);
  Rgba colour = button.hover ? button.hoverColour : button.colour;
  colour.a *= alpha;
  painter_->SetColour(colour);
  painter_->SetTexturing(true);
  DrawSkinRect(*painter_, textures, wasHover ? button.hoverTexture : button.texture, button.rect);
  painter_->SetTexturing(false);
}

void VornGUI::DrawFlatButton(Menu& menu, FlatButton& button, float alpha) {
  if (ButtonPressed(menu, button.hover, button.rect)) {
    if (button.callback) {
      button.callback();
    } else {
      Processcmd(button.commands);
    }
  }
  const Rgba top = button.hover ? Rgba{0.8f, 0.2f, 0.2f, alpha} : Rgba{0.6f, 0.1f, 0.1f, alpha};
  const Rgba bottom = button.hover ? Rgba{0.2f, 0.0f, 0.0f, alpha} : Rgba{0.1f, 0.0f, 0.0f, alpha};
  const Rgba corners[4] = {top, bottom, bottom, top};
  painter_->QuadColours(button.rect, corners);
  DrawBevel(*painter_, button.rect, Rgba{1, 1, 1, alpha}, Rgba{0.3f, 0.3f, 0.3f, alpha});
  painter_->SetColour(Rgba{1, 1, 1, alpha});
  painter_->PrintTextBlend(button.rect.x + button.labelX, button.rect.y + button.labelY, button.label);
}
