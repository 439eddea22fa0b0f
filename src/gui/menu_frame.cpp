// Framed windows: a menu with a title bar that moves it, a close button, a resize grip, and a
// press anywhere in it that brings it in front of the other windows. While the user drags, the
// position and size are written into the settings' rectangles, so the settings always hold them.
// A window always keeps part of itself on the view; a resize never makes it smaller than 190 x 150
// unless it sits too low for that height above the bottom of the view.
#include <algorithm>
#include <cmath>

#include "gui/draw_primitives.h"
#include "gui/vorn_gui.h"

namespace {

constexpr TextStyle kTitleText{GuiFont::BookmanDemi, 11.0f, 0.3f, 0.15f};
constexpr TextStyle kDefaultText{GuiFont::HelveticaBold, 10.0f, 0.0f, 0.1f};
constexpr int32_t kTitleBarHeight = 20;

ItemRect TitleBar(const Menu& m) { return ItemRect{3, 3, m.hitRect.w - 35, 20}; }
ItemRect CloseButton(const Menu& m) { return ItemRect{m.hitRect.w - 19, 3, 16, 16}; }
ItemRect Grip(const Menu& m) { return ItemRect{m.hitRect.w - 21, m.hitRect.h - 20, 16, 16}; }

}  // namespace

void VornGUI::DrawMenuFrame(Menu& menu) {
  const float a = menu.alpha;
  const int32_t w = menu.hitRect.w, h = menu.hitRect.h;
  DrawRect(*painter_, menu.hitRect, Rgba{0.1f, 0.1f, 0.1f, a * 0.95f});
  DrawRect(*painter_, ItemRect{0, 1, w - 1, 19}, Rgba{0, 0, 0, a});
  DrawBevel(*painter_, ItemRect{3, 20, w - 6, h - 23}, Rgba{0.2f, 0.2f, 0.2f, a}, Rgba{0.4f, 0.4f, 0.4f, a});
  const Rgba black{0, 0, 0, a};
  DrawRect(*painter_, ItemRect{0, 20, 2, h - 20}, black);
  DrawRect(*painter_, ItemRect{2, h - 2, w - 5, 2}, black);
  DrawRect(*painter_, ItemRect{w - 2, 20, 2, h - 20}, black);
  DrawRectOutline(*painter_, menu.hitRect, Rgba{0.1f, 0.1f, 0.1f, a});
  painter_->SetColour(Rgba{1, 0, 0, a * 0.5f});
  painter_->SetTextStyle(kTitleText);
  painter_->PrintText(7, 15, menu.title);
  painter_->SetTextStyle(kDefaultText);
  MenuFrameInput(menu);
}

void VornGUI::MenuFrameInput(Menu& menu) {
  const float a = menu.alpha;
  const int32_t w = menu.hitRect.w;
  const bool closeWasHovered = menu.closeHover;
  if (menu.dragState == 0) {
    const bool gripWas = menu.gripHover;
    menu.gripHover = MouseOverRect(Grip(menu));
    if (menu.gripHover && !gripWas) PlaySound("menu_focus", 1);
    if (menu.gripHover && leftDown && MouseInRect(Grip(menu))) menu.dragState = 2;
  }
  bool closing = false;
  if (menu.dragState == 0) {
    menu.closeHover = MouseOverRect(CloseButton(menu));
    if (menu.closeHover && !closeWasHovered) PlaySound("menu_focus", 1);
    if (menu.closeHover && leftDown && MouseInRect(CloseButton(menu))) {
      PlaySound("menu_accept", 1);
      leftDown = false;
      closing = true;
    }
  }
  painter_->SetColour(closeWasHovered && menu.dragState == 0 ? Rgba{0.5f, 0.5f, 0.5f, a} : Rgba{0.3f, 0.3f, 0.3f, a});
  painter_->SetTexturing(true);
  DrawSkinRect(*painter_, textures, "close_x", CloseButton(menu));
  painter_->SetTexturing(false);
  if (closing) ExecCmd("close " + menu.name + ";");

  if (menu.dragState == 0 && leftDown && MouseOverRect(TitleBar(menu)) && MouseInRect(TitleBar(menu))) {
    menu.dragState = 1;
    menu.dragAnchor.x = pressX - menu.rect.x;
    menu.dragAnchor.y = pressY - menu.rect.y;
  }
  if (menu.dragState == 1) {
    int32_t x = static_cast<int32_t>(mouseX - static_cast<float>(menu.dragAnchor.x));
    int32_t y = static_cast<int32_t>(mouseY - static_cast<float>(menu.dragAnchor.y));
    if (x < 75 - w) x = 75 - w;  // 75 pixels stay visible on the left
    if (x > layoutWidth - 50) x = x > 20000 ? 75 - w : layoutWidth - 50;
    y = std::max(y, 30);
    if (y > layoutHeight - 50) y = layoutHeight - 50;
    menu.rect.x = x;
    menu.rect.y = y;
  } else if (menu.dragState == 2) {
    int32_t width = std::max(static_cast<int32_t>(mouseX + 11.0f) - menu.rect.x, kFramedWindowMinWidth);
    int32_t height = std::max(static_cast<int32_t>(mouseY + 11.0f) - menu.rect.y, kFramedWindowMinHeight);
    // The window ends 30 pixels above the bottom of the view, even when that leaves it lower than
    // the smallest height; never lower than its title bar (a stored position below the view).
    height = std::max(std::min(height, layoutHeight - menu.rect.y - 30), kTitleBarHeight);
    const float dw = static_cast<float>(width - menu.hitRect.w), dh = static_cast<float>(height - menu.hitRect.h);
    menu.hitRect.w = width;
    menu.hitRect.h = height;
    menu.ItemScale(dw, dh);
  }
  if (menu.dragState > 0) {
    mouseOverGui = true;
    if (menu.savedPosition) *menu.savedPosition = menu.rect;
    if (menu.savedSize) *menu.savedSize = menu.hitRect;
    if (!leftDown) menu.dragState = 0;
  }
  const auto index = static_cast<int32_t>(currentMenu);
  if (lastFramedIndex > index && leftDown && MouseInRect(menu.hitRect)) bringToFront = index;
}

void VornGUI::DrawResizeDots(Menu& menu) {
  const float a = menu.alpha;
  painter_->SetColour(menu.dragState == 2 || menu.gripHover ? Rgba{1, 1, 1, a} : Rgba{0.3f, 0.3f, 0.3f, a});
  painter_->SetTexturing(true);
  DrawSkinRect(*painter_, textures, "resize_dots", Grip(menu));
  painter_->SetTexturing(false);
}
