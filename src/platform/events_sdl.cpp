// Events of the main window: SDL events translated into the program's terms.
//
//   Translator            per-event translation; keeps the modifier, button and window state
//   control characters    the characters a key press types on Windows but SDL never sends as text
//   posted events         PostEvent's queue, merged in order through a wake-up event
//   PollEvent, WaitEvent  the main thread's entry points
#include <SDL.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdlib>
#include <deque>
#include <mutex>

#include "platform/events.h"
#include "platform/key_codes.h"
#include "platform/text_utf8.h"
#include "platform/video_sdl.h"

namespace platform {

namespace {

// Our SDL event type: "events were posted or work waits for the main thread".
std::atomic<uint32_t> gWakeType{0};
std::atomic<bool> gEventsRunning{false};

// PostEvent's queue (any thread).
std::mutex gPostedMutex;
std::deque<Event> gPosted;

uint32_t ModifiersFromSdl(uint16_t mod) {
  uint32_t m = 0;
  if (mod & KMOD_SHIFT) m |= kModShift;
  if (mod & KMOD_CTRL) m |= kModControl;
  if (mod & KMOD_ALT) m |= kModAlt;
  return m;
}

// The character a key press types that SDL gives no text for; 0 for none.
uint8_t ControlCharacter(int keyCode, uint32_t modifiers) {
  switch (keyCode) {
    case vk::kBackspace: return 8;
    case vk::kTab: return 9;
    case vk::kReturn: return 13;
    case vk::kEscape: return 27;
    default: break;
  }
  bool control = (modifiers & kModControl) && !(modifiers & kModAlt);
  if (control && keyCode >= 'A' && keyCode <= 'Z') return static_cast<uint8_t>(keyCode - 'A' + 1);
  return 0;
}

MouseButton ButtonFromSdl(uint8_t button) {
  switch (button) {
    case SDL_BUTTON_LEFT: return MouseButton::Left;
    case SDL_BUTTON_RIGHT: return MouseButton::Right;
    case SDL_BUTTON_MIDDLE: return MouseButton::Middle;
    default: return MouseButton::None;
  }
}

uint32_t ButtonBit(MouseButton button) {
  switch (button) {
    case MouseButton::Left: return kModLeftButton;
    case MouseButton::Right: return kModRightButton;
    case MouseButton::Middle: return kModMiddleButton;
    default: return 0;
  }
}

// Turns SDL events into Events, in order; one SDL event may give none, one or several.
// Main thread only.
class Translator {
 public:
  void SetMainWindow(uint32_t id) {
    mainWindow_ = id;
    state_ = sdl::WindowState::Normal;
  }
  // A requested change is looked for until it shows (a busy window manager may take seconds),
  // and a little after, in case it passes through a second state; at most 30 s.
  void WatchState() { watchUntil_ = std::chrono::steady_clock::now() + std::chrono::seconds(30); }
  bool Watching() const { return mainWindow_ != 0 && std::chrono::steady_clock::now() < watchUntil_; }
  // Called when SDL's queue is empty: while a requested state change may still be under way,
  // look whether it happened.
  void Idle() {
    if (Watching()) ProbeState();
  }
  bool TakeReady(Event& event) {
    if (ready_.empty()) return false;
    event = ready_.front();
    ready_.pop_front();
    return true;
  }
  void MovePosted() {
    std::lock_guard<std::mutex> lock(gPostedMutex);
    while (!gPosted.empty()) {
      ready_.push_back(gPosted.front());
      gPosted.pop_front();
    }
  }
  void Translate(const SDL_Event& e);
  void SetFrame(const FrameInsets& insets, const HitTestFunction* hitTest) {
    insets_ = insets;
    frameHitTest_ = hitTest;
  }
  bool NoteFramePress(HitArea area, int screenX, int screenY);

 private:
  void ShapePointer(int windowX, int windowY);
  // Keyboard and text events of no window (no focus yet) count as the main window's.
  bool IsMain(uint32_t windowId, bool allowNone) const {
    return windowId == mainWindow_ || (allowNone && windowId == 0);
  }
  void Push(Event event) { ready_.push_back(event); }
  void TranslateWindowEvent(const SDL_WindowEvent& w);
  void TranslateKey(const SDL_KeyboardEvent& k);
  void TranslateText(const SDL_TextInputEvent& t);
  void TranslateMouse(const SDL_Event& e);
  void ProbeState();

  uint32_t mainWindow_ = 0;
  FrameInsets insets_;                              // the main window's own frame
  const HitTestFunction* frameHitTest_ = nullptr;  // and its hit test
  std::chrono::steady_clock::time_point lastCaptionPress_{};  // a first press, for the double click
  int lastCaptionX_ = 0, lastCaptionY_ = 0;
  bool doubleClickDue_ = false;  // the next left press completes a caption double click
  sdl::WindowState state_ = sdl::WindowState::Normal;
  std::chrono::steady_clock::time_point watchUntil_{};
  std::deque<Event> ready_;
  uint32_t keyModifiers_ = 0;  // Shift, Control, Alt as of the latest key event
  uint32_t buttons_ = 0;       // mouse buttons held
  bool controlHeld_ = false;   // the latest key press had Control (and no Alt): it types no text
};

Translator gTranslator;

void Translator::Translate(const SDL_Event& e) {
  if (e.type == gWakeType.load() && e.type != 0) {
    MovePosted();
    return;
  }
  switch (e.type) {
    case SDL_QUIT: Push({.type = EventType::Quit}); break;
    case SDL_WINDOWEVENT: TranslateWindowEvent(e.window); break;
    case SDL_KEYDOWN:
    case SDL_KEYUP: TranslateKey(e.key); break;
    case SDL_TEXTINPUT: TranslateText(e.text); break;
    case SDL_MOUSEMOTION:
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP:
    case SDL_MOUSEWHEEL: TranslateMouse(e); break;
    default: break;
  }
}

void Translator::TranslateWindowEvent(const SDL_WindowEvent& w) {
  if (!IsMain(w.windowID, false)) return;
  switch (w.event) {
    case SDL_WINDOWEVENT_MOVED: Push({.type = EventType::Moved, .x = w.data1, .y = w.data2}); break;
    case SDL_WINDOWEVENT_SIZE_CHANGED:
      Push({.type = EventType::Resized, .x = w.data1 - insets_.left - insets_.right, .y = w.data2 - insets_.top - insets_.bottom});
      break;
    case SDL_WINDOWEVENT_FOCUS_GAINED: Push({.type = EventType::Activated, .active = true}); break;
    case SDL_WINDOWEVENT_FOCUS_LOST: Push({.type = EventType::Activated, .active = false}); break;
    case SDL_WINDOWEVENT_LEAVE: Push({.type = EventType::MouseLeave}); break;
    case SDL_WINDOWEVENT_CLOSE: Push({.type = EventType::CloseRequested}); break;
    default: break;
  }
  // Minimised, maximised and restored come from the window's real state (SDL's own events for
  // them go missing when the program asked for the change itself).
  ProbeState();
}

// The window manager takes caption presses for moving, so the program may see no button events
// there: two caption presses within the double-click time and a few pixels of each other on the
// desktop make a double click (a press that moved the window lands elsewhere on the desktop).
// The second press moves nothing: a move still under way when the double click restores the
// window would put it back where the move began, at its maximised place and size.
bool Translator::NoteFramePress(HitArea area, int screenX, int screenY) {
  constexpr auto kDoubleClickTime = std::chrono::milliseconds(500);
  constexpr int kDoubleClickReach = 4;
  const auto now = std::chrono::steady_clock::now();
  const bool second = area == HitArea::Caption && lastCaptionPress_ != std::chrono::steady_clock::time_point{} &&
                      now - lastCaptionPress_ <= kDoubleClickTime && std::abs(screenX - lastCaptionX_) <= kDoubleClickReach &&
                      std::abs(screenY - lastCaptionY_) <= kDoubleClickReach;
  doubleClickDue_ = second;
  lastCaptionPress_ = area == HitArea::Caption && !second ? now : std::chrono::steady_clock::time_point{};
  lastCaptionX_ = screenX, lastCaptionY_ = screenY;
  return !second;
}

// Over the frame the pointer shows what a press would do; not while a button is held, when the
// press went to the client area or to the window manager.
void Translator::ShapePointer(int windowX, int windowY) {
  if (!frameHitTest_ || !*frameHitTest_ || buttons_ != 0) return;
  sdl::ShowPointerShape(PointerShapeFor((*frameHitTest_)(windowX, windowY)));
}

void Translator::ProbeState() {
  sdl::WindowState now = sdl::QueryWindowState(SDL_GetWindowFromID(mainWindow_));
  if (now == state_) return;
  state_ = now;
  watchUntil_ = std::min(watchUntil_, std::chrono::steady_clock::now() + std::chrono::milliseconds(500));
  switch (now) {
    case sdl::WindowState::Minimized: Push({.type = EventType::Minimized}); break;
    case sdl::WindowState::Maximized: Push({.type = EventType::Maximized}); break;
    case sdl::WindowState::Normal: Push({.type = EventType::Restored}); break;
  }
}

void Translator::TranslateKey(const SDL_KeyboardEvent& k) {
  if (!IsMain(k.windowID, true)) return;
  keyModifiers_ = ModifiersFromSdl(k.keysym.mod);
  int keyCode = sdl::VirtualKeyFromSdl(k.keysym.sym, k.keysym.scancode);
  if (k.type == SDL_KEYUP) {
    if (keyCode != 0) Push({.type = EventType::KeyUp, .keyCode = keyCode, .modifiers = keyModifiers_});
    return;
  }
  controlHeld_ = (keyModifiers_ & kModControl) && !(keyModifiers_ & kModAlt);
  if (keyCode == 0) return;
  Push({.type = EventType::KeyDown, .keyCode = keyCode, .modifiers = keyModifiers_, .repeat = k.repeat != 0});
  if (uint8_t c = ControlCharacter(keyCode, keyModifiers_)) Push({.type = EventType::Char, .character = c});
}

void Translator::TranslateText(const SDL_TextInputEvent& t) {
  // With Control held a key types its control character (made above) or nothing.
  if (!IsMain(t.windowID, true) || controlHeld_) return;
  for (char c : Latin1FromUtf8(t.text, 0)) Push({.type = EventType::Char, .character = static_cast<uint8_t>(c)});
}

void Translator::TranslateMouse(const SDL_Event& e) {
  switch (e.type) {
    case SDL_MOUSEMOTION:
      if (!IsMain(e.motion.windowID, false)) return;
      ShapePointer(e.motion.x, e.motion.y);
      Push({.type = EventType::MouseMove, .x = e.motion.x - insets_.left, .y = e.motion.y - insets_.top, .modifiers = buttons_ | keyModifiers_});
      break;
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP: {
      MouseButton button = ButtonFromSdl(e.button.button);
      if (!IsMain(e.button.windowID, false) || button == MouseButton::None) return;
      bool down = e.type == SDL_MOUSEBUTTONDOWN;
      buttons_ = down ? (buttons_ | ButtonBit(button)) : (buttons_ & ~ButtonBit(button));
      Push({.type = down ? EventType::ButtonDown : EventType::ButtonUp, .x = e.button.x - insets_.left, .y = e.button.y - insets_.top,
            .button = button, .modifiers = buttons_ | keyModifiers_});
      if (down && button == MouseButton::Left && doubleClickDue_) {
        doubleClickDue_ = false;
        Push({.type = EventType::CaptionDoubleClick});
      }
      break;
    }
    case SDL_MOUSEWHEEL: {
      int notches = e.wheel.direction == SDL_MOUSEWHEEL_FLIPPED ? -e.wheel.y : e.wheel.y;
      if (!IsMain(e.wheel.windowID, false) || notches == 0) return;
      Push({.type = EventType::Wheel, .x = e.wheel.mouseX - insets_.left, .y = e.wheel.mouseY - insets_.top, .wheelNotches = notches,
            .modifiers = buttons_ | keyModifiers_});
      break;
    }
    default: break;
  }
}

}  // namespace

namespace sdl {

void StartEvents() {
  if (gWakeType.load() == 0) {
    uint32_t type = SDL_RegisterEvents(1);
    if (type != static_cast<uint32_t>(-1)) gWakeType.store(type);
  }
  gEventsRunning.store(true);
}

void StopEvents() { gEventsRunning.store(false); }

void SetMainWindowId(uint32_t windowId) { gTranslator.SetMainWindow(windowId); }

void SetMainWindowFrame(const FrameInsets& insets, const HitTestFunction* hitTest) { gTranslator.SetFrame(insets, hitTest); }

bool NoteFramePress(HitArea area, int screenX, int screenY) { return gTranslator.NoteFramePress(area, screenX, screenY); }

void NoteStateRequest() { gTranslator.WatchState(); }

void WakeEventLoop() {
  uint32_t type = gWakeType.load();
  if (!gEventsRunning.load() || type == 0) return;
  SDL_Event wake{};
  wake.type = type;
  SDL_PushEvent(&wake);
}

}  // namespace sdl

bool PollEvent(Event& event) {
  for (;;) {
    if (gTranslator.TakeReady(event)) return true;
    SDL_Event e;
    if (gEventsRunning.load() && SDL_PollEvent(&e)) {
      gTranslator.Translate(e);
      continue;
    }
    // SDL's queue is empty: take events posted while no wake-up could be sent.
    gTranslator.Idle();
    gTranslator.MovePosted();
    return gTranslator.TakeReady(event);
  }
}

bool WaitEvent(Event& event, int timeoutMs) {
  if (!gEventsRunning.load()) return PollEvent(event);
  uint32_t deadline = SDL_GetTicks() + static_cast<uint32_t>(timeoutMs > 0 ? timeoutMs : 0);
  for (;;) {
    gTranslator.Idle();
    if (gTranslator.TakeReady(event)) return true;
    int left = static_cast<int>(deadline - SDL_GetTicks());
    // While a state change is under way, wake now and then to look for it.
    int slice = gTranslator.Watching() && left > 50 ? 50 : left;
    SDL_Event e;
    bool got = slice > 0 ? SDL_WaitEventTimeout(&e, slice) != 0 : SDL_PollEvent(&e) != 0;
    if (!got) {
      if (slice >= left) return false;
      continue;
    }
    bool wake = e.type == gWakeType.load();
    gTranslator.Translate(e);
    if (gTranslator.TakeReady(event)) return true;
    if (wake) return false;  // work was posted to the main thread
  }
}

void DiscardPendingPresses() {
  if (!gEventsRunning.load()) return;
  SDL_PumpEvents();
  for (uint32_t type : {SDL_MOUSEBUTTONDOWN, SDL_MOUSEWHEEL, SDL_KEYDOWN, SDL_TEXTINPUT}) SDL_FlushEvent(type);
}

void PostEvent(const Event& event) {
  {
    std::lock_guard<std::mutex> lock(gPostedMutex);
    gPosted.push_back(event);
  }
  sdl::WakeEventLoop();
}

}  // namespace platform
