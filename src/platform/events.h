#pragma once
// Input and window events of the main window, in the terms the program uses: keys as Windows
// virtual-key codes (platform/key_codes.h), typed characters as 8-bit codes, mouse positions in
// client coordinates.
//
// A key press gives KeyDown, then the Char events it types. Control characters are produced
// like on Windows: Backspace 8, Tab 9, Enter 13, Escape 27, Control+A..Z 1..26 (Control+V is
// 0x16). Typed text arrives as Latin-1 codes; characters beyond 0xFF are dropped. Holding a key
// repeats KeyDown (repeat set) and its characters.
//
// PollEvent and WaitEvent run on the main thread while the main window exists. PostEvent may be
// called from any thread.
#include <cstdint>

namespace platform {

enum class EventType {
  None,
  KeyDown,         // keyCode, repeat, modifiers
  KeyUp,           // keyCode, modifiers
  Char,            // character
  MouseMove,       // x, y (client), modifiers (buttons held)
  ButtonDown,      // button, x, y, modifiers (including this button)
  ButtonUp,        // button, x, y, modifiers (without this button)
  Wheel,           // wheelNotches (positive: away from the user), x, y, modifiers
  MouseLeave,      // the pointer left the window
  Moved,           // x, y: the window's new position on the desktop
  Resized,         // x, y: the new client width and height
  Activated,       // active: the window gained (true) or lost (false) the keyboard focus
  Minimized,
  Maximized,
  Restored,        // back from minimised or maximised
  CaptionDoubleClick,  // a double click on a custom frame's caption (MainWindow::SetCustomFrame)
  CloseRequested,  // the user asked to close the window; nothing is destroyed
  Quit,            // the program is asked to end (also on SIGINT and SIGTERM)
  Command,         // command: an application-defined number posted from another thread
};

enum class MouseButton { None, Left, Right, Middle };

// Bits of Event::modifiers. The low bits have the values of Windows' MK_* flags, which the
// camera's mouse handling takes as they are.
inline constexpr uint32_t kModLeftButton = 0x01;
inline constexpr uint32_t kModRightButton = 0x02;
inline constexpr uint32_t kModShift = 0x04;
inline constexpr uint32_t kModControl = 0x08;
inline constexpr uint32_t kModMiddleButton = 0x10;
inline constexpr uint32_t kModAlt = 0x100;

struct Event {
  EventType type = EventType::None;
  int x = 0, y = 0;
  int keyCode = 0;           // virtual-key code, 1..254
  uint8_t character = 0;     // 8-bit character code
  MouseButton button = MouseButton::None;
  int wheelNotches = 0;
  uint32_t modifiers = 0;    // kMod* bits
  bool repeat = false;       // KeyDown from keyboard auto-repeat
  bool active = false;       // Activated
  int command = 0;           // Command
};

// Takes the next event of the main window, if any. Events of other windows are dropped.
// Main thread. False when none is waiting.
bool PollEvent(Event& event);

// Like PollEvent, but waits up to timeoutMs for an event. Returns false when the time ran out or
// when work was posted to the main thread (platform/main_thread.h), so the caller can run it.
bool WaitEvent(Event& event, int timeoutMs);

// Drops the button presses, wheel turns, key presses and typed characters that wait for the
// main window: input given to it while a modal dialog kept the main thread waiting. Releases and
// moves stay, so no button or key is left held. Main thread; nothing while no window system runs.
void DiscardPendingPresses();

// Queues event for the main thread's PollEvent, in order with the window's own events. Any
// thread; while no main window exists the event waits for the next PollEvent.
void PostEvent(const Event& event);

}  // namespace platform
