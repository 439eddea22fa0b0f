// The key bind: a click starts capturing the next key into the bound hot key (the input filter
// stores it); a press before any key cancels the capture. A key the platform has no code for
// cannot be bound: the old key stays and the user is told.
#include "core/log.h"
#include "gui/draw_primitives.h"
#include "gui/hotkey_name.h"
#include "gui/vorn_gui.h"

namespace {
constexpr const char* kCaptureTip = "Please Any Key to bind";
constexpr const char* kNotBound = "Not Bound";
}  // namespace

void VornGUI::DrawKeyBind(KeyBind& bind, float alpha) {
  const ItemRect& r = bind.rect;
  const float now = NowMs();
  DrawField(r, bind.background, bind.outline, bind.hover, bind.fade, bind.capturing, alpha);

  if (bind.target && !bind.capturing && !textEntryActive && leftDown && MouseInRect(r)) {
    leftDown = false;
    bind.fade.start = now;
    bind.fade.justDone = false;
    bind.capturing = true;
    bind.previous = *bind.target;
    textEntryActive = true;
    captureTarget = bind.target;
    tooltip = kCaptureTip;
  }
  if (bind.capturing) {
    if (leftDown) captureTarget = nullptr;  // a press before any key cancels
    if (!captureTarget) {
      textEntryActive = false;
      bind.capturing = false;
      bind.fade.justDone = true;
      bind.fade.start = now;
      tooltip.clear();
      if (*bind.target != bind.previous && (*bind.target & 0xFF) == 0) {
        *bind.target = bind.previous;
        VornLog::Warningf("This key can not be bound.");
        ShowMessage("This key can not be bound.");
      }
      bind.shownKey = HotkeyName(*bind.target);
    }
  }

  std::string shown = bind.shownKey.empty() && !bind.capturing ? std::string(kNotBound) : bind.shownKey;
  size_t dropped = 0;
  while (dropped < shown.size() && painter_->TextWidth(shown.substr(dropped)) > static_cast<float>(r.w)) ++dropped;
  Rgba text = bind.textColour;
  text.a *= alpha;
  painter_->SetColour(text);
  painter_->PrintText(r.x + 3, r.y + r.h - 4, shown.substr(dropped));
}
