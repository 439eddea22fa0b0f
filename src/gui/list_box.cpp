// The list box: a scrolled list of names read from its source under the source's mutex (held for
// the whole frame of the list, callbacks included), with a hover fade per row, a selection that
// the arrow keys move, a draggable knob, track clicks and a "Copy Name" context menu.
//
// Geometry (relative to the menu): rows 14 pixels apart from (x + 5, y + 2), each (w - 15) x 12;
// the knob's y runs from y + 5 (top) to y + h - 15 (bottom).
#include <algorithm>
#include <chrono>
#include <cmath>

#include "core/log.h"
#include "gui/draw_primitives.h"
#include "gui/list_source.h"
#include "gui/vorn_gui.h"

namespace {

constexpr int32_t kRowPitch = 14;
constexpr float kRowFadeMs = 100.0f;
constexpr const char* kCopyName = "Copy Name";

Rgba Scaled(Rgba colour, float alpha) {
  colour.a *= alpha;
  return colour;
}

float ClampScroll(const ListBox& list, float position) {
  const float top = static_cast<float>(list.rect.y + 5);
  const float bottom = static_cast<float>(list.rect.y + list.rect.h - 15);
  return std::clamp(position, top, std::max(top, bottom));
}

// Knob pixels per wheel notch: 5 minus the number of decimal digits of count, at least 1.
float WheelSpeed(size_t count) {
  int digits = 0;
  for (size_t c = count; c > 0; c /= 10) ++digits;
  return static_cast<float>(std::max(1, 5 - digits));
}

ItemRect RowRect(const ListBox& list, int32_t i) {
  return ItemRect{list.rect.x + 5, list.rect.y + 2 + kRowPitch * i, list.rect.w - 15, 12};
}

// The full name of shown row index: the name the source kept when the row was shortened.
std::string FullRowName(ListSource& source, const std::vector<std::string>& names, int32_t index) {
  std::string full = source.FullName(index);
  return full.empty() ? names[static_cast<size_t>(index)] : full;
}

// text cut to fit width: its last two characters replaced by "." until it fits; a text that
// cannot fit at all ends as ".".
std::string Shortened(GuiPainter& painter, std::string text, float width) {
  while (text.size() > 1 && painter.TextWidth(text) > width) {
    text.erase(text.size() - std::min<size_t>(2, text.size()));
    text += '.';
  }
  return text;
}

}  // namespace

void ListBox::UpdateScroll(size_t count) {
  appliedScroll = scrollPosition;
  const int32_t track = rect.h - 20;
  if (count == 0 || track <= 0) {
    firstVisible = 0;
    return;
  }
  const auto n = static_cast<int64_t>(count);
  int64_t first = static_cast<int64_t>((scrollPosition - 5.0f - static_cast<float>(rect.y)) /
                                       static_cast<float>(track) * static_cast<float>(count));
  first = std::max<int64_t>(first, 0);
  // At the bottom the last page ends with one empty row.
  if (n >= visibleRows && first > n - visibleRows) first = n - visibleRows + 1;
  firstVisible = static_cast<int32_t>(std::min<int64_t>(first, n));
}

void VornGUI::DrawListBox(ListBox& list, float alpha) {
  if (!list.source) return;
  ListSource& source = *list.source;
  std::lock_guard<std::mutex> lock(source.Mutex());
  std::vector<std::string>* shown = source.ShownNames();
  if (!shown) return;
  std::vector<std::string>& names = *shown;
  const size_t count = names.size();
  const ItemRect& r = list.rect;

  const int32_t visible = std::max(r.h / kRowPitch, 0);
  if (visible != list.visibleRows) {
    list.visibleRows = visible;
    list.rowFades.resize(static_cast<size_t>(visible));
  }
  const bool hover = MouseOverRect(r);
  if (hover && wheelNotches != 0) ListBoxWheel(list, count);

  const ItemRect frame{r.x + 5, r.y, r.w - 5, r.h};
  DrawRect(*painter_, frame, Scaled(list.background, alpha));
  DrawRectOutline(*painter_, frame, Scaled(list.outline, alpha));
  if (source.ListReady() && list.scrollPosition != list.appliedScroll) list.UpdateScroll(count);
  const int64_t remaining = static_cast<int64_t>(count) - list.firstVisible;
  const auto drawn = static_cast<int32_t>(std::clamp<int64_t>(std::min<int64_t>(visible, remaining), 0, count));

  ListBoxArrowKey(list, names);
  if (list.hovered >= 0) {
    const ItemRect row = RowRect(list, list.hovered);
    if (!MouseOverRect(row)) {
      list.hovered = -1;
    } else if (!list.contextOpen) {
      ListBoxRowClick(list, names, row);
    }
  }
  ListBoxRows(list, names, drawn, hover);
  if (source.ShortenPending()) ShortenListNames(list, names);

  // Texts: the hovered and the selected row in the highlighted colour; none while the menu fades.
  Rgba text = list.text;
  if (alpha != 1.0f) text.a = 0.0f;
  painter_->SetColour(text);
  for (int32_t i = 0; i < drawn; ++i) {
    const std::string& name = names[static_cast<size_t>(list.firstVisible + i)];
    const int32_t y = r.y + 12 + kRowPitch * i;
    if (i == list.hovered || i == list.selected - list.firstVisible) {
      painter_->SetColour(list.highlightedText);
      painter_->PrintTextBlend(r.x + 8, y, name);
      painter_->SetColour(text);
    } else {
      painter_->PrintText(r.x + 8, y, name);
    }
  }
  ListBoxScrollBar(list);
  if (list.contextOpen) ListBoxContextMenu(list, names, alpha);

  // A press on the track moves the knob there.
  if (!list.draggingKnob && MouseInRect(ItemRect{r.x + r.w - 7, r.y + 2, 10, r.h}) && leftDown) {
    list.scrollPosition = ClampScroll(list, static_cast<float>(pressY - Absolute(ItemRect{}).y));
    leftDown = false;
  }
}

void VornGUI::ListBoxWheel(ListBox& list, size_t count) {
  list.scrollPosition = ClampScroll(list, list.scrollPosition - WheelSpeed(count) * static_cast<float>(wheelNotches));
  wheelNotches = 0;
}

void VornGUI::ListBoxArrowKey(ListBox& list, std::vector<std::string>& names) {
  if (list.selected < 0 || upDownKey == 0) return;
  const int32_t step = upDownKey;
  upDownKey = 0;
  const int32_t next = list.selected + step;
  if (next < 0 || next >= static_cast<int32_t>(names.size())) return;
  list.selected = next;
  PlaySound("menu_accept", 1);
  if (list.rowCallback) list.rowCallback(FullRowName(*list.source, names, next));
  const int32_t drawnEnd = list.firstVisible + list.visibleRows;
  if (next < list.firstVisible || next >= drawnEnd) {
    // Scroll so that the selected row is the last one shown.
    const float perRow = static_cast<float>(list.rect.h - 20) / static_cast<float>(names.size());
    const float position = static_cast<float>(list.rect.y + 5) + perRow * static_cast<float>(next - list.visibleRows + 1);
    list.scrollPosition = ClampScroll(list, std::ceil(position));
  }
}

void VornGUI::ListBoxRowClick(ListBox& list, std::vector<std::string>& names, const ItemRect& row) {
  if (!MouseInRect(row)) return;
  const int32_t index = list.firstVisible + list.hovered;
  if (leftDown) {
    leftDown = false;
    // The status row of a listing that runs answers nothing.
    if (!list.source->ListReady() || index >= static_cast<int32_t>(names.size())) return;
    PlaySound("menu_accept", 1);
    list.selected = index;
    if (list.rowCallback) list.rowCallback(FullRowName(*list.source, names, index));
  } else if (rightDown) {
    rightDown = false;
    if (index >= static_cast<int32_t>(names.size())) return;
    const ItemRect origin = Absolute(ItemRect{});
    list.contextOpen = true;
    list.contextRow = index;
    list.contextX = pressX - origin.x;
    list.contextY = pressY - origin.y;
  }
}

void VornGUI::ListBoxRows(ListBox& list, std::vector<std::string>&, int32_t drawn, bool hover) {
  const float now = NowMs();
  for (int32_t i = 0; i < drawn; ++i) {
    const ItemRect row = RowRect(list, i);
    ListBox::RowFade& fade = list.rowFades[static_cast<size_t>(i)];
    bool under = false;
    if (hover) under = list.contextOpen ? i == list.contextRow - list.firstVisible : MouseOverRect(row);
    Rgba colour = list.row;
    if (under) {
      colour = list.hoveredRow;
      list.hovered = i;
      fade = {now, true};
    } else if (fade.active) {
      const float elapsed = now - fade.time;
      colour = list.hoveredRow;
      colour.a *= std::max(0.0f, 1.0f - elapsed / kRowFadeMs);
      if (elapsed > kRowFadeMs) fade.active = false;
    }
    if (i == list.selected - list.firstVisible) colour = list.selectedRow;
    DrawRect(*painter_, row, colour);
  }
}

void VornGUI::ShortenListNames(ListBox& list, std::vector<std::string>& names) {
  ListSource& source = *list.source;
  source.ClearShortenPending();
  source.ClearFullNames();
  list.selected = -1;
  VornLog::Printf("Performing single pass listbox overflowcheck. (for '%i' items)", static_cast<int>(names.size()));
  const auto start = std::chrono::steady_clock::now();
  const float width = static_cast<float>(list.rect.w - 10);
  int trimmed = 0;
  for (size_t k = 0; k < names.size(); ++k) {
    if (painter_->TextWidth(names[k]) <= width) continue;
    ++trimmed;
    source.AddFullName(names[k], static_cast<int>(k));
    names[k] = Shortened(*painter_, names[k], width);
  }
  const double ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
  VornLog::Printf("Single pass listbox overflowcheck completed in: %fms (%i trimmed)", ms, trimmed);
}

void VornGUI::ListBoxScrollBar(ListBox& list) {
  const ItemRect& r = list.rect;
  const ItemRect bar{r.x + r.w - 12, r.y + 2, 15, r.h};
  const float a = menus_[currentMenu]->alpha;
  painter_->SetTexturing(true);
  painter_->SetColour(MouseOverRect(bar) ? Rgba{1, 1, 1, a} : Rgba{0.8f, 0.8f, 0.8f, a});
  DrawSkinRect(*painter_, textures, "scroll_bar", bar);
  const auto knobY = static_cast<int32_t>(list.scrollPosition);
  const ItemRect knobHit{r.x + r.w - 8, knobY - 2, 12, 14};
  if (list.draggingKnob || MouseOverRect(knobHit)) {
    painter_->SetColour(Rgba{1, 1, 1, 1});
    if (list.draggingKnob) {
      mouseOverGui = true;
      const float y = std::trunc(mouseY) - static_cast<float>(Absolute(ItemRect{}).y);
      list.scrollPosition = ClampScroll(list, y);
      if (!leftDown) list.draggingKnob = false;
    } else if (leftDown && MouseInRect(knobHit)) {
      list.draggingKnob = true;
    }
  } else {
    painter_->SetColour(Rgba{1, 1, 1, 0.5f});
  }
  DrawSkinRect(*painter_, textures, "scroll_bar_block", ItemRect{r.x + r.w - 12, knobY, 15, 10});
  painter_->SetTexturing(false);
}

void VornGUI::ListBoxContextMenu(ListBox& list, std::vector<std::string>& names, float alpha) {
  const int32_t cx = list.contextX, cy = list.contextY;
  DrawRect(*painter_, ItemRect{cx, cy, 100, 15}, Rgba{0.2f, 0.2f, 0.2f, alpha * 0.9f});
  const ItemRect entry{cx + 1, cy, 98, 13};
  DrawRect(*painter_, entry,
           MouseOverRect(entry) ? Rgba{0.8f, 0.1f, 0.1f, alpha * 0.5f} : Rgba{0.5f, 0.5f, 0.5f, alpha * 0.1f});
  if (leftDown || rightDown) {
    if (leftDown && MouseInRect(entry) && list.contextRow >= 0 && list.contextRow < static_cast<int32_t>(names.size())) {
      CopyToClipboard(FullRowName(*list.source, names, list.contextRow));
    }
    list.contextOpen = false;
    list.contextRow = -1;
    leftDown = false;
  }
  DrawRectOutline(*painter_, ItemRect{cx, cy, 100, 15}, Rgba{1, 1, 1, 1});
  painter_->PrintText(cx + 5, cy + 12, kCopyName);
}
