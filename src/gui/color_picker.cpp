// The colour picker: pressing or dragging in the saturation/value square or on the hue bar picks
// a colour and reports it; the swatch and the R, G, B and hue values show the pick.
#include <cmath>
#include <cstdio>

#include "gui/colour_hsv.h"
#include "gui/draw_primitives.h"
#include "gui/vorn_gui.h"

namespace {

constexpr int32_t kWidth = 205, kHeight = 110;
constexpr int32_t kSquare = 100;
constexpr int32_t kHueBarHeight = 95;

void PickFromMarkers(ColorPicker& picker) {
  const RgbColour colour = HsvToRgb(static_cast<float>(picker.hue), picker.saturation, 100.0f - picker.inverseValue);
  picker.r = colour.r, picker.g = colour.g, picker.b = colour.b;
  if (picker.callback) picker.callback(picker.r, picker.g, picker.b);
}

void PrintValue(GuiPainter& painter, int32_t x, int32_t y, const char* format, int value) {
  char text[32];
  std::snprintf(text, sizeof text, format, value);
  painter.PrintText(x, y, text);
}

}  // namespace

void ColorPicker::SetColour(float red, float green, float blue) {
  r = red, g = green, b = blue;
  const HsvColour hsv = RgbToHsv(red, green, blue);
  hue = static_cast<int32_t>(hsv.h);
  saturation = hsv.s;
  inverseValue = 100.0f - hsv.v;
  hueBarPosition = 95.0f - 95.0f * static_cast<float>(hue) / 360.0f;
  const RgbColour pure = HsvToRgb(static_cast<float>(hue), 100.0f, 100.0f);
  hueR = pure.r, hueG = pure.g, hueB = pure.b;
}

void VornGUI::DrawColorPicker(ColorPicker& picker, float alpha) {
  const int32_t x = picker.rect.x, y = picker.rect.y;
  const int32_t sx = x + 5, sy = y + 5;
  const ItemRect whole{x, y, kWidth, kHeight};
  const ItemRect square{sx, sy, kSquare, kSquare};
  const ItemRect hueBar{x + 110, sy, 32, kHueBarHeight};
  picker.hover = MouseOverRect(whole);
  const float lift = picker.hover ? 0.2f : 0.0f;
  DrawRectOutline(*painter_, whole,
                  Rgba{picker.frame.r + lift, picker.frame.g + lift, picker.frame.b + lift, picker.frame.a * alpha});
  const ItemRect origin = Absolute(ItemRect{});
  const float mx = mouseX - static_cast<float>(origin.x), my = mouseY - static_cast<float>(origin.y);
  // The press is not consumed: moving with the button held keeps picking.
  if (picker.hover && leftDown && MouseInRect(square) && MouseOverRect(square)) {
    picker.saturation = mx - static_cast<float>(sx);
    picker.inverseValue = my - static_cast<float>(sy);
    PickFromMarkers(picker);
  }
  if (picker.hover && leftDown && MouseInRect(hueBar) && MouseOverRect(hueBar)) {
    picker.hueBarPosition = my - static_cast<float>(sy);
    picker.hue = static_cast<int32_t>(360.0f - picker.hueBarPosition * 360.0f / static_cast<float>(kHueBarHeight));
    const RgbColour pure = HsvToRgb(static_cast<float>(picker.hue), 100.0f, 100.0f);
    picker.hueR = pure.r, picker.hueG = pure.g, picker.hueB = pure.b;
    PickFromMarkers(picker);
  }

  DrawRect(*painter_, square, Rgba{picker.hueR, picker.hueG, picker.hueB, alpha});
  painter_->SetColour(Rgba{1, 1, 1, alpha});
  painter_->SetTexturing(true);
  DrawSkinRect(*painter_, textures, "color_picker_main", square);
  DrawSkinRect(*painter_, textures, "color_picker_hue", ItemRect{x + 110, sy, 32, 128});
  DrawSkinRect(*painter_, textures, "color_picker_circle",
               ItemRect{static_cast<int32_t>(static_cast<float>(sx) + picker.saturation - 3.0f),
                        static_cast<int32_t>(static_cast<float>(sy) + picker.inverseValue - 3.0f), 8, 8});
  DrawSkinRect(*painter_, textures, "color_picker_slider",
               ItemRect{x + 110, static_cast<int32_t>(static_cast<float>(sy) + picker.hueBarPosition), 32, 8});
  painter_->SetTexturing(false);
  const ItemRect swatch{x + 150, y + 6, 48, 18};
  DrawRect(*painter_, swatch, Rgba{picker.r, picker.g, picker.b, alpha});
  const Rgba grey{0.4f, 0.4f, 0.4f, alpha};
  DrawRectOutline(*painter_, square, grey);
  DrawRectOutline(*painter_, swatch, grey);
  PrintValue(*painter_, x + 150, y + 51, "R: %i", static_cast<int>(picker.r * 255.0f));
  PrintValue(*painter_, x + 150, y + 66, "G: %i", static_cast<int>(picker.g * 255.0f));
  PrintValue(*painter_, x + 150, y + 81, "B: %i", static_cast<int>(picker.b * 255.0f));
  PrintValue(*painter_, x + 150, y + 96, "HUE: %i", picker.hue);
}
