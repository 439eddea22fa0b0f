#pragma once
// PictureWindow: a small borderless window of the program's own that shows a picture the program
// drew itself, kept above other windows and never decorated, moved or focused by the window
// manager: the splash screen and the notification bubble.
//
// Each window has its own connection to the display, so the thread that owns it (the main thread
// for the splash, the bubble's thread for the bubble) needs no other thread's event loop. The X
// server repaints the picture by itself when the window is uncovered: a window whose owner is busy
// still shows its picture. One thread uses a window; only Wake may be called from others.
#include <cstdint>
#include <memory>
#include <string>

namespace platform {

struct ScreenRect {
  int x = 0, y = 0, width = 0, height = 0;
};

enum class PictureEventType { None, Enter, Leave, Motion, ButtonDown };

struct PictureEvent {
  PictureEventType type = PictureEventType::None;
  int x = 0, y = 0;  // pointer position in the window
  int button = 0;    // ButtonDown: 1 left, 2 middle, 3 right
};

// What a window's name tells the desktop it is.
enum class PictureWindowKind { Splash, Notification };

class PictureWindow {
 public:
  PictureWindow();
  ~PictureWindow();  // closes the window and its connection
  PictureWindow(const PictureWindow&) = delete;
  PictureWindow& operator=(const PictureWindow&) = delete;

  // Opens the connection and creates the window at rect, hidden. False when there is no display
  // or the window cannot be made. name is the window's title for tools that look for it.
  bool Create(const std::string& name, PictureWindowKind kind, const ScreenRect& rect);
  bool IsOpen() const;

  // The picture, rows top down, 4 bytes per pixel (red, green, blue, ignored). Its top-left corner
  // stays at the window's top-left corner whatever the window's size.
  void SetPicture(int width, int height, const uint8_t* rgbx);
  void Show();  // maps the window above all others
  void Hide();
  void SetRect(const ScreenRect& rect);
  ScreenRect Rect() const;

  // The whole screen, and the part of it that panels leave free (the window manager's work area;
  // the whole screen when no window manager says).
  ScreenRect ScreenBounds() const;
  ScreenRect WorkArea() const;

  // Waits up to timeoutMs for a pointer event of the window. False when the time ran out or Wake
  // was called. Sends every request made so far to the display first.
  bool WaitEvent(PictureEvent& event, int timeoutMs);
  // Ends a WaitEvent in progress (or the next one) early. Any thread.
  void Wake();

  // The window system's id of the window (the X11 window), for tools that address it.
  uint64_t NativeId() const;

  struct Impl;

 private:
  std::unique_ptr<Impl> impl_;
};

}  // namespace platform
