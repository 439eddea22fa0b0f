// The input filter: what the GUI records of the main window's events, the text editing of the
// text box that has the focus and the key capture of a key bind. The items act on the recorded
// state during the next GUI pass.
#include <algorithm>

#include "core/log.h"
#include "gui/vorn_gui.h"
#include "platform/events.h"
#include "platform/key_codes.h"
#include "platform/window.h"

namespace {

using platform::Event;
using platform::EventType;
namespace vk = platform::vk;

constexpr size_t kTypedLimit = 50;  // characters a text takes by typing
constexpr size_t kPasteLimit = 45;  // characters a paste takes

}  // namespace

bool VornGUI::HandleInput(const Event& event) {
  if (event.type == EventType::KeyDown || event.type == EventType::KeyUp) keyModifiers_ = event.modifiers;

  if (textEntryActive && editedText) {
    std::string& text = *editedText;
    const size_t length = text.size();
    size_t at = static_cast<size_t>(std::clamp<int32_t>(caret, 0, static_cast<int32_t>(length)));
    if (event.type == EventType::KeyDown) {
      const int key = event.keyCode;
      if (key < vk::kBackspace || key > vk::kDelete) return true;
      if ((key == vk::kBackspace || key == vk::kDelete) && (event.modifiers & platform::kModShift)) {
        text.clear();
        caret = 0;
        return true;
      }
      if (key == vk::kDelete) {
        if (at < length) text.erase(at, 1);
        return true;
      }
      if (key == vk::kShift || key == vk::kControl || key == vk::kEscape) return false;
      if (key == vk::kLeft && at > 0) caret = static_cast<int32_t>(at - 1);
      if (key == vk::kRight && at < length) caret = static_cast<int32_t>(at + 1);
      return true;
    }
    if (event.type == EventType::Char) {
      const uint8_t c = event.character;
      if (c == 8) {
        if (at > 0) {
          text.erase(at - 1, 1);
          caret = static_cast<int32_t>(at - 1);
        }
        return true;
      }
      // Control+V pastes and Enter ends the editing, both through the text box that edits.
      if (c == 0x16) {
        pasteRequested = true;
        return true;
      }
      if (c == 13) {
        commitRequested = true;
        return true;
      }
      // Other control combinations go on to the window.
      if (keyModifiers_ & platform::kModControl) return false;
      // Enter, Tab and the other control characters are no part of a one-line text.
      if (c < 0x20 || c == 0x7F) return true;
      if (length < kTypedLimit) {
        text.insert(at, 1, static_cast<char>(c));
        caret = static_cast<int32_t>(at + 1);
      }
      return true;
    }
  } else if (textEntryActive && captureTarget) {
    if (event.type == EventType::KeyDown) {
      *captureTarget = static_cast<Hotkey>(0x100 | (event.keyCode & 0xFF));
      captureTarget = nullptr;
      return true;
    }
    if (event.type == EventType::Char) {
      *captureTarget = static_cast<Hotkey>(event.character);
      captureTarget = nullptr;
      return true;
    }
  }

  switch (event.type) {
    case EventType::MouseMove:
      if (!leaveTracking) {
        mouseInside = leaveTracking = true;
        if (systemCursorShown) {
          if (window_) window_->ShowSystemCursor(false);
          systemCursorShown = false;
        }
      }
      mouseX = static_cast<float>(event.x);
      mouseY = static_cast<float>(event.y);
      return false;
    case EventType::KeyDown:
      if (event.keyCode == vk::kDown) upDownKey = 1;
      if (event.keyCode == vk::kUp) upDownKey = -1;
      return event.keyCode == vk::kDown || event.keyCode == vk::kUp;
    case EventType::ButtonDown:
      if (event.button == platform::MouseButton::Left) {
        pressX = event.x, pressY = event.y;
        leftDown = true;
        leftPressTime = NowMs();
      } else if (event.button == platform::MouseButton::Right) {
        pressX = event.x, pressY = event.y;
        rightDown = true;
        rightPressTime = NowMs();
      }
      return false;
    case EventType::ButtonUp:
      if (event.button == platform::MouseButton::Left) leftDown = false;
      if (event.button == platform::MouseButton::Right) rightDown = false;
      return false;
    case EventType::Wheel: wheelNotches += event.wheelNotches; return false;
    case EventType::MouseLeave:
      if (!systemCursorShown) {
        if (window_) window_->ShowSystemCursor(true);
        systemCursorShown = true;
      }
      pressX = pressY = 0;
      leftDown = false;
      mouseInside = leaveTracking = false;
      return true;
    default: return false;
  }
}

std::string VornGUI::PasteClipboard() {
  std::string text = readClipboard ? readClipboard() : std::string();
  if (text.empty()) return text;
  if (text.size() > kPasteLimit) text.resize(kPasteLimit);
  VornLog::Printf("Copied Text From ClipBoard: '%s'", text.c_str());
  return text;
}
