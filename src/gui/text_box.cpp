// The text box: starts and ends editing, shows the text (its end when it is too wide) with a
// blinking caret, pastes on Control+V or through its "Paste Text" context menu, and reports the
// text. The typing itself is the input filter's (gui_input.cpp), which edits the text the GUI
// points at.
#include <algorithm>

#include "gui/draw_primitives.h"
#include "gui/vorn_gui.h"

namespace {

constexpr float kCaretBlinkMs = 750.0f;
constexpr const char* kPasteText = "Paste Text";

Rgba Scaled(Rgba colour, float alpha) {
  colour.a *= alpha;
  return colour;
}

}  // namespace

void VornGUI::DrawTextBox(TextBox& box, float alpha) {
  const ItemRect& r = box.rect;
  DrawField(r, box.background, box.outline, box.hover, box.fade, box.editing, alpha);
  TextBoxEditing(box);

  // The placeholder (or the last value) while empty and idle; else the text's end that fits.
  std::string shown = box.text.empty() && !box.editing ? box.committed : box.text;
  size_t dropped = 0;
  while (dropped < shown.size() && painter_->TextWidth(shown.substr(dropped)) > static_cast<float>(r.w)) ++dropped;
  shown.erase(0, dropped);
  painter_->SetColour(Scaled(box.textColour, alpha));
  painter_->PrintText(r.x + 3, r.y + r.h - 4, shown);
  if (box.editing) {
    TextBoxCaret(box, shown, dropped, alpha);
    if (rightDown && MouseInRect(r)) {
      rightDown = false;
      box.contextOpen = true;
    }
    if (pasteRequested) {
      pasteRequested = false;
      TextBoxPaste(box);
    }
  }
  if (box.contextOpen) TextBoxContextMenu(box, alpha);
  TextBoxReport(box);
}

void VornGUI::TextBoxEditing(TextBox& box) {
  const float now = NowMs();
  // A key bind that captures holds the keys; another text box gives them up on this press.
  const bool keyCapture = textEntryActive && editedText == nullptr;
  if (!box.readOnly && !box.contextOpen && !keyCapture && leftDown && MouseInRect(box.rect)) {
    leftDown = false;
    box.fade.start = box.blinkTime = now;
    box.editing = true;
    box.fade.justDone = false;
    box.caretVisible = true;
    textEntryActive = true;
    editedText = &box.text;
    caret = static_cast<int32_t>(box.text.size());
    // A Control+V or Enter typed while no text box edited is not meant for this one.
    pasteRequested = commitRequested = false;
    return;
  }
  // Any later press (or Enter) ends editing.
  const bool ended = leftPressTime > box.fade.start || (commitRequested && editedText == &box.text);
  if (!box.editing || !ended) return;
  if (editedText == &box.text) {
    textEntryActive = false;
    editedText = nullptr;
    caret = 0;
    commitRequested = false;
  }
  box.editing = false;
  box.fade.justDone = true;
  box.fade.start = now;
  box.caretVisible = false;
}

void VornGUI::TextBoxCaret(TextBox& box, const std::string& shown, size_t dropped, float alpha) {
  const float now = NowMs();
  if (now - box.blinkTime > kCaretBlinkMs) {
    box.caretVisible = !box.caretVisible;
    box.blinkTime = now;
  }
  if (!box.caretVisible) return;
  // The caret counts characters of the whole text; the shown part starts dropped characters in.
  const size_t at = static_cast<size_t>(std::max<int64_t>(static_cast<int64_t>(caret) - static_cast<int64_t>(dropped), 0));
  const auto width = static_cast<int32_t>(painter_->TextWidth(shown.substr(0, std::min(at, shown.size()))));
  const int32_t x = shown.empty() ? box.rect.x + 3 + width : box.rect.x - 3 + width;
  DrawRect(*painter_, ItemRect{x, box.rect.y + box.rect.h - 13, 2, 10}, Rgba{1, 0, 0, alpha});
}

void VornGUI::TextBoxPaste(TextBox& box) {
  box.text = PasteClipboard();
  if (editedText == &box.text) caret = static_cast<int32_t>(box.text.size());
  PlaySound("menu_accept", 1);
}

void VornGUI::TextBoxContextMenu(TextBox& box, float alpha) {
  const int32_t cx = box.rect.x + box.rect.w / 2, cy = box.rect.y;
  DrawRect(*painter_, ItemRect{cx, cy, 100, 15}, Rgba{0.2f, 0.2f, 0.2f, alpha * 0.9f});
  const ItemRect entry{cx + 1, cy, 98, 13};
  DrawRect(*painter_, entry,
           MouseOverRect(entry) ? Rgba{0.8f, 0.1f, 0.1f, alpha * 0.5f} : Rgba{0.5f, 0.5f, 0.5f, alpha * 0.1f});
  if (leftDown || rightDown) {
    if (leftDown && MouseInRect(entry)) TextBoxPaste(box);
    box.contextOpen = false;
    leftDown = false;
  }
  DrawRectOutline(*painter_, ItemRect{cx, cy, 100, 15}, Rgba{1, 1, 1, 1});
  painter_->PrintText(cx + 5, cy + 12, kPasteText);
}

void VornGUI::TextBoxReport(TextBox& box) {
  if (box.filter) {
    // Compared as text, so a replacement of the same length filters again.
    if (box.text != box.filtered) {
      box.filtered = box.text;
      box.filter(box.text);
    }
  } else if (!box.editing && box.text != box.committed) {
    box.committed = box.text;
    if (box.onChange) box.onChange(box.committed);
  }
}
