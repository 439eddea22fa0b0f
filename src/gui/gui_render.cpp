// The GUI pass: every visible menu with its items in the fixed order of kinds, the tooltip, the
// error or message text, the frame-rate and version overlay and the GUI's own cursor.
#include <cstdio>

#include "core/log.h"
#include "gui/draw_primitives.h"
#include "gui/vorn_gui.h"

namespace {

// Under the progress bar, whose invisible button opens the web page; it fits the bar's 150 pixels.
constexpr const char* kBanner = "Delvix - delvix.org";

constexpr TextStyle kButtonText{GuiFont::HelveticaBold, 9.0f, 0.0f, 0.15f};
constexpr TextStyle kDefaultText{GuiFont::HelveticaBold, 10.0f, 0.0f, 0.1f};

Rgba WithAlpha(Rgba colour, float alpha) {
  colour.a = alpha;
  return colour;
}

}  // namespace

void VornGUI::Render(const GuiFrame& frame) {
  if (!painter_) return;
  GuiPainter& painter = *painter_;
  painter.Begin2D(layoutWidth, layoutHeight);
  if (frame.drawScreenLabels) frame.drawScreenLabels(painter);

  mouseOverGui = false;
  ApplyBringToFront();
  for (size_t i = 0; i < menus_.size(); ++i) {
    currentMenu = static_cast<int16_t>(i);
    Menu& menu = *menus_[i];
    if (!menu.visible && !menu.animating) continue;
    DrawMenu(menu);
  }
  // The first passes keep what the input recorded before the menus existed.
  if (++passCount_ >= 3) wheelNotches = upDownKey = 0;
  DrawTooltip();
  DrawMessages();
  painter.SetBlending(false);

  DrawOverlay(frame.framesPerSecond);
  DrawCursor();
  painter.End2D();
}

void VornGUI::DrawMenu(Menu& menu) {
  GuiPainter& painter = *painter_;
  // The items draw with the alpha the menu had before this frame's step.
  const float alpha = menu.alpha;
  if (menu.animating) menu.UpdateTransition(NowMs(), layoutWidth, layoutHeight);
  painter.PushOffset(static_cast<float>(menu.rect.x) + menu.slideX, static_cast<float>(menu.rect.y) + menu.slideY);
  if (menu.framed) DrawMenuFrame(menu);
  for (const FilledRect& shape : menu.filledRects) {
    DrawRect(painter, shape.rect, WithAlpha(shape.colour, shape.colour.a * alpha));
  }
  painter.SetTexturing(true);
  for (const ImageItem& image : menu.images) {
    painter.SetColour(WithAlpha(image.colour, image.colour.a * alpha));
    DrawSkinRect(painter, textures, image.texture, image.rect);
  }
  painter.SetTexturing(false);
  for (const RoundedRect& shape : menu.roundedRects) {
    painter.SetColour(WithAlpha(shape.colour, shape.colour.a * alpha));
    DrawRoundedRect(painter, shape.rect);
  }
  for (ProgressBar& bar : menu.progressBars) DrawProgressBar(bar, alpha);
  painter.SetTextStyle(kButtonText);
  for (TextButton& button : menu.textButtons) DrawTextButton(menu, button, alpha);
  painter.SetTextStyle(kDefaultText);
  for (ImageButton& button : menu.imageButtons) DrawImageButton(menu, button, alpha);
  for (FlatButton& button : menu.flatButtons) DrawFlatButton(menu, button, alpha);
  for (ListBox& list : menu.listBoxes) DrawListBox(list, alpha);
  for (BoundList& list : menu.boundLists) DrawBoundList(menu, list, alpha);
  for (TextBox& box : menu.textBoxes) DrawTextBox(box, alpha);
  for (KeyBind& bind : menu.keyBinds) DrawKeyBind(bind, alpha);
  for (CheckBox& box : menu.checkBoxes) DrawCheckBox(box, alpha);
  for (Slider& slider : menu.sliders) DrawSlider(slider, alpha);
  for (ColorPicker& picker : menu.colorPickers) DrawColorPicker(picker, alpha);
  for (DropDown& dropDown : menu.dropDowns) DrawDropDown(dropDown, alpha);
  for (TreeView& view : menu.treeViews) DrawTreeView(menu, view, alpha);
  DrawLabels(menu, alpha);
  if (menu.framed) DrawResizeDots(menu);
  painter.PopOffset();
  // Over the menu's own area the 3D view ignores the mouse, unless another menu covers it there.
  MouseOverRect(menu.hitRect);
}

void VornGUI::DrawTextButton(Menu& menu, TextButton& button, float alpha) {
  GuiPainter& painter = *painter_;
  const bool wasHover = button.hover;
  if (ButtonPressed(menu, button.hover, button.rect)) {
    if (button.callback) {
      button.callback();
    } else {
      Processcmd(button.commands);
    }
  }
  // Skin and label follow the hover state one frame late.
  painter.SetColour(Rgba{1, 1, 1, alpha});
  painter.SetTexturing(true);
  const std::string& skin = wasHover ? button.hoverSkin : button.skin;
  const ItemRect& r = button.rect;
  if (button.capped) {
    DrawSkinRect(painter, textures, skin + "_sl", ItemRect{r.x, r.y, 4, r.h});
    DrawSkinRect(painter, textures, skin + "_sr", ItemRect{r.x + r.w - 4, r.y, 4, r.h});
    DrawSkinRect(painter, textures, skin, ItemRect{r.x + 3, r.y, r.w - 6, r.h});
  } else {
    DrawSkinRect(painter, textures, skin, r);
  }
  painter.SetTexturing(false);
  painter.SetColour(WithAlpha(wasHover ? button.hoverLabelColour : button.labelColour, alpha));
  painter.PrintTextBlend(r.x + button.labelX, r.y + button.labelY, button.label);
}

void VornGUI::DrawLabels(Menu& menu, float alpha) {
  GuiPainter& painter = *painter_;
  painter.SetColour(Rgba{fonts.textColor[0], fonts.textColor[1], fonts.textColor[2], alpha});
  for (const PlainLabel& label : menu.plainLabels) {
    if (!label.text.empty()) painter.PrintText(label.rect.x, label.rect.y, label.text);
  }
  for (const Label& label : menu.labels) {
    painter.SetColour(WithAlpha(label.colour, alpha));
    painter.PrintText(label.rect.x, label.rect.y, label.text);
  }
  for (const ValueLabel& label : menu.valueLabels) {
    painter.SetColour(WithAlpha(label.colour, alpha));
    painter.PrintText(label.rect.x, label.rect.y, textMap[label.key]);
  }
  for (const FontLabel& label : menu.fontLabels) {
    painter.SetColour(WithAlpha(label.colour, alpha));
    const TextStyle before = painter.CurrentTextStyle();
    if (label.titleFont) {
      painter.SetTextStyle(TextStyle{GuiFont::BookmanDemi, static_cast<float>(label.pointSize), 0.4f, 0.15f});
      painter.PrintText(label.rect.x, label.rect.y, label.text);
      painter.SetTextStyle(kDefaultText);
    } else {
      TextStyle sized = before;
      sized.pointSize = static_cast<float>(label.pointSize);
      painter.SetTextStyle(sized);
      painter.PrintText(label.rect.x, label.rect.y, label.text);
      painter.SetTextStyle(before);
    }
  }
}

void VornGUI::DrawTooltip() {
  if (tooltip.empty()) return;
  GuiPainter& painter = *painter_;
  const int32_t w = static_cast<int32_t>(painter.TextWidth(tooltip));
  const ItemRect box{static_cast<int32_t>(mouseX), static_cast<int32_t>(mouseY + 30), w + 20, 20};
  DrawRect(painter, box, Rgba{0.1f, 0.1f, 0.1f, 0.9f});
  DrawRectOutline(painter, box, Rgba{1, 1, 1, 1});
  painter.PrintText(static_cast<int32_t>(mouseX + 10), static_cast<int32_t>(mouseY + 45), tooltip);
}

void VornGUI::DrawMessages() {
  GuiPainter& painter = *painter_;
  painter.SetColour(Rgba{1, 1, 1, 1});
  if (showError) {
    painter.PrintText(messageLayout.x, messageLayout.y, errorText);
  } else if (showMessage) {
    painter.PrintText(messageLayout.x, messageLayout.y, messageText);
  }
}

void VornGUI::DrawOverlay(float framesPerSecond) {
  GuiPainter& painter = *painter_;
  painter.SetColour(Rgba{1, 1, 1, 1});
  painter.SetTextStyle(TextStyle{GuiFont::BookmanDemi, 11.0f, 0.4f, 0.15f});
  char fps[32];
  if (framesPerSecond > 99.9f) {
    std::snprintf(fps, sizeof fps, "FPS: 99.99");
  } else {
    std::snprintf(fps, sizeof fps, "FPS: %2.2f", static_cast<double>(framesPerSecond));
  }
  painter.PrintText(8, 17, fps);
  painter.SetColour(Rgba{fonts.textColor[0], fonts.textColor[1], fonts.textColor[2], 1.0f});
  painter.SetTextStyle(TextStyle{GuiFont::HelveticaBold, 10.0f, 0.0f, 0.15f});
  painter.PrintText(5, layoutHeight - 30, kVersionNumber);
  painter.SetColour(Rgba{1, 1, 1, 1});
  painter.PrintTextBlend(12, layoutHeight - 8, kBanner);
  painter.SetTextStyle(kDefaultText);
}

void VornGUI::DrawCursor() {
  if (!mouseInside) return;
  GuiPainter& painter = *painter_;
  painter.SetColour(Rgba{1, 1, 1, 1});
  painter.SetTexturing(true);
  DrawSkinRect(painter, textures, "mouse_cursor",
               ItemRect{static_cast<int32_t>(mouseX), static_cast<int32_t>(mouseY), 32, 32});
  painter.SetTexturing(false);
}
