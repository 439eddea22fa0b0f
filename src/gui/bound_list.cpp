// The bound list: text lines kept by another object (the log window's message lines), drawn with
// their colour codes, with a scroll bar of its own: a knob to drag, a track to click, two up
// buttons and a down button, and the wheel. The lines are copied under the owner's lock and
// drawn after it is released, so nothing drawn here can meet the owner's writers.
//
// The scroll bar is laid out for a list 22 pixels below the top of its window reaching to 4
// pixels above its bottom: the lower up button and the down button take their y from the menu,
// not from the list, and leave the window's resize grip free.
#include <algorithm>

#include "gui/draw_primitives.h"
#include "gui/vorn_gui.h"

namespace {

constexpr int32_t kLinePitch = 14;
constexpr int32_t kWheelStep = 5;
constexpr int32_t kTrackStep = 15;

Rgba Scaled(Rgba colour, float alpha) {
  colour.a *= alpha;
  return colour;
}

int32_t KnobRange(const BoundList& list) { return std::max(list.track.h - list.knobLength - 2, 0); }

void ClampKnob(BoundList& list) { list.knobPosition = std::clamp(list.knobPosition, 0, KnobRange(list)); }

struct ScrollButtons {
  ItemRect up, secondUp, down;
};

ScrollButtons ButtonsOf(const BoundList& list) {
  const int32_t sx = list.rect.x + list.rect.w - 16;
  return ScrollButtons{{sx + 1, list.rect.y + 1, 16, 16}, {sx + 1, list.rect.h - 29, 16, 16}, {sx + 1, list.rect.h - 12, 16, 16}};
}

}  // namespace

void VornGUI::DrawBoundList(Menu& menu, BoundList& list, float alpha) {
  const ItemRect& r = list.rect;
  if (!list.lines) {
    painter_->SetColour(Scaled(list.textColour, alpha));
    painter_->PrintText(r.x + 2, r.y + 10, "'" + list.name + "' List not active");
    return;
  }
  list.visibleRows = std::max((r.h - 10) / kLinePitch, 0);
  list.track = ItemRect{r.x + r.w - 16, r.y + 15, 16, r.h - 66, ITEM_FIXED};
  ClampKnob(list);
  if (MouseOverRect(r) && wheelNotches != 0) {
    list.knobPosition -= kWheelStep * wheelNotches;
    ClampKnob(list);
    wheelNotches = 0;
  }
  DrawRect(*painter_, r, Scaled(list.background, alpha));
  BoundListLines(list, alpha);
  const ItemRect knob{r.x + r.w - 14, r.y + 17 + list.knobPosition, 14, list.knobLength};
  BoundListScrollBar(menu, list, alpha);
  BoundListInput(menu, list, knob);
}

void VornGUI::BoundListLines(BoundList& list, float alpha) {
  const ItemRect& r = list.rect;
  std::vector<std::string> shown;
  const auto count = static_cast<int64_t>(list.lines(0, 0, shown));
  const int64_t visible = list.visibleRows;
  // The knob's range maps onto the first lines 0 .. count - visible, so the knob at the bottom
  // shows the last line however long the list is. A track no longer than the knob cannot scroll
  // (a window made very short).
  const int32_t range = KnobRange(list);
  if (count > visible && list.scrollable && range > 0) {
    const auto first = static_cast<int64_t>(static_cast<double>(list.knobPosition) / range * static_cast<double>(count - visible));
    list.firstVisible = static_cast<int32_t>(std::clamp<int64_t>(first, 0, count - visible));
  } else {
    list.firstVisible = 0;
  }
  const int64_t drawn = std::clamp<int64_t>(std::min(visible, count - list.firstVisible), 0, count);
  list.lines(static_cast<size_t>(list.firstVisible), static_cast<size_t>(drawn), shown);

  painter_->SetColour(Scaled(list.textColour, alpha));
  const float widest = static_cast<float>(r.w + 10);
  int32_t y = r.y + 5;
  for (std::string& line : shown) {
    y += kLinePitch;
    // Measured with the colour codes counted as characters.
    while (!line.empty() && painter_->TextWidth(line) > widest) line.pop_back();
    painter_->PrintTextColoured(r.x + 8, y, line);
  }

  if (shown.empty()) {
    list.scrollable = false;
  } else if (count <= visible) {
    list.knobPosition = 0;
    list.firstVisible = 0;
    list.scrollable = false;
  } else {
    list.scrollable = true;
    list.knobLength = std::max(static_cast<int32_t>(static_cast<int64_t>(list.track.h) * visible / count), 5);
  }
  if (list.track.h - list.knobLength <= 0) list.scrollable = false;
  if (list.follow && count > list.lastLineCount && count > visible) {
    list.lastLineCount = static_cast<int32_t>(count);
    list.knobPosition = KnobRange(list);
  }
}

void VornGUI::BoundListScrollBar(Menu&, BoundList& list, float alpha) {
  const ItemRect& r = list.rect;
  const ItemRect& t = list.track;
  const int32_t sx = r.x + r.w - 16;
  DrawRect(*painter_, ItemRect{sx, r.y, 16, r.h - 1}, Rgba{0.2f, 0.2f, 0.2f, alpha});
  painter_->SetColour(Rgba{1, 1, 1, alpha});
  painter_->SetTexturing(true);
  const char* button = "s_but_light";
  if (list.scrollable) {
    DrawTiledSkin(*painter_, textures, "s_v_bck", t, 22.0f, -1.0f);
  } else {
    const ItemRect slider{t.x + 1, t.y + 1, 16, t.h};
    DrawTiledSkin(*painter_, textures, "s_slider_dark_mid", ItemRect{slider.x, slider.y + 4, 16, slider.h - 8}, 22.0f, -1.0f);
    DrawSkinRect(*painter_, textures, "s_slider_dark_end", ItemRect{slider.x, slider.y, 16, 4});
    DrawFlippedSkin(*painter_, textures, "s_slider_dark_end", ItemRect{slider.x, slider.y + slider.h - 4, 16, 4});
    button = "s_but_dark";
  }
  // A held button is drawn a pixel towards its direction.
  ScrollButtons b = ButtonsOf(list);
  if (list.scrollable && leftDown) {
    if (MouseInRect(b.up)) --b.up.y;
    if (MouseInRect(b.secondUp)) --b.secondUp.y;
    if (MouseInRect(b.down)) ++b.down.y;
  }
  DrawSkinRect(*painter_, textures, button, b.up);
  DrawSkinRect(*painter_, textures, button, b.secondUp);
  DrawFlippedSkin(*painter_, textures, button, b.down);
  painter_->SetTexturing(false);

  const ItemRect knob{sx + 2, r.y + 17 + list.knobPosition, 14, list.knobLength};
  if (list.scrollable) {
    const bool lit = list.dragging || MouseOverRect(knob);
    DrawRectGradient(*painter_, knob, Rgba{0.2f, 0.2f, 0.2f, alpha},
                     lit ? Rgba{0.5f, 0.5f, 0.5f, alpha} : Rgba{0.35f, 0.35f, 0.35f, alpha});
    DrawRectOutline(*painter_, knob, Rgba{0, 0, 0, alpha});
  }
  painter_->SetTexturing(true);
  painter_->SetColour(Rgba{0.85f, 0.85f, 0.85f, alpha});
  DrawSkinRect(*painter_, textures, "s_chev", b.up);
  DrawSkinRect(*painter_, textures, "s_chev", b.secondUp);
  DrawFlippedSkin(*painter_, textures, "s_chev", b.down);
  if (!list.scrollable) {
    painter_->SetColour(Rgba{0.8f, 0.8f, 0.8f, alpha * 0.75f});
    DrawSkinRect(*painter_, textures, "s_v_insert", ItemRect{t.x, t.y + t.h / 2 - 16, 16, 32});
  } else if (list.knobLength >= 35) {
    DrawSkinRect(*painter_, textures, "s_v_insert", ItemRect{sx + 1, knob.y + knob.h / 2 - 16, 16, 32});
  }
  painter_->SetTexturing(false);
}

void VornGUI::BoundListInput(Menu& menu, BoundList& list, const ItemRect& knob) {
  const int32_t menuY = Absolute(ItemRect{}).y;
  if (list.dragging) {
    mouseOverGui = true;
    list.knobPosition = static_cast<int32_t>(mouseY) - (menuY + list.grabOffset + list.track.y);
    ClampKnob(list);
    if (!leftDown) list.dragging = false;
  } else if (list.scrollable && leftDown && MouseOverRect(knob) && MouseInRect(knob)) {
    list.dragging = true;
    list.grabOffset = pressY - menuY - list.knobPosition - list.track.y;
  } else if (leftDown && menu.dragState == 0 && MouseInRect(list.track)) {
    // Pages by 15 pixels towards the press; a press on the knob's own place only is consumed.
    const int32_t p = pressY - menuY - list.track.y;
    if (p < list.knobPosition) list.knobPosition -= kTrackStep;
    if (p > list.knobPosition + list.knobLength) list.knobPosition += kTrackStep;
    ClampKnob(list);
    leftDown = false;
  }
  if (list.scrollable && leftDown) {
    const ScrollButtons b = ButtonsOf(list);
    if (MouseInRect(b.up) || MouseInRect(b.secondUp)) --list.knobPosition;
    if (MouseInRect(b.down)) ++list.knobPosition;
    ClampKnob(list);
  }
}
