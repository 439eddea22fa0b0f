#pragma once
// The main window of the program with its OpenGL context.
//
// Create opens the window system (SDL over X11, pinned to X11 because GLEW loads entry points
// through GLX), the window and a compatibility-profile GL context, and initialises GLEW. The
// context stays current on the creating thread (the main thread), which makes every other call.
// There is one main window at a time: its events are the ones PollEvent delivers.
//
//   Create / ~MainWindow                  window system, window, GL context
//   Show Hide Raise SetTitle              visibility and caption
//   Position SetPosition ClientSize ...   placement; DesktopBounds for clamping
//   Minimize Maximize Restore ...         window state; SetAlwaysOnTop
//   ShowSystemCursor                      the desktop's mouse cursor over the window
//   SetCustomFrame WindowSize Title       a frame the program draws itself (borderless window),
//   CurrentPointerShape                   with the pointer's resize shapes over its edges
//   SwapBuffers SetVsync MakeCurrent      GL presentation
//   CreateSharedContext                   the job thread's context (platform/gl_context.h)
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "platform/gl_context.h"

namespace platform {

struct WindowOptions {
  std::string title;
  int x = 0, y = 0;                 // position of the window on the desktop
  int width = 800, height = 600;    // client size
  int minWidth = 0, minHeight = 0;  // smallest size the user can resize to (0: no limit)
  bool borderless = false;          // no decoration by the window manager
  bool resizable = true;
  bool visible = false;             // shown at once (otherwise call Show)
  bool alwaysOnTop = false;
  // GL version asked for with the compatibility profile. When the driver cannot give it, a
  // default (legacy) context is used instead.
  int glMajor = 3, glMinor = 2;
};

enum class WindowStatus {
  Ok,
  VideoFailed,        // the window system could not start (no display)
  WindowFailed,       // no window with an OpenGL pixel format
  ContextFailed,      // no GL context at all
  GlewFailed,         // glewInit failed (GlInfo().glewResult holds its code)
  NoCompatibility,    // the context has no fixed-function drawing
};

struct WindowRect {
  int x = 0, y = 0, width = 0, height = 0;
};

// What a point of a window with a custom frame is: the client area, the frame's buttons and
// inert parts of the frame behave normally (their events reach the program), the caption moves
// the window, the edges and corners resize it; the window manager carries out moves and resizes.
enum class HitArea {
  Client, Button, Frame, Caption,
  Top, Bottom, Left, Right, TopLeft, TopRight, BottomLeft, BottomRight,
};

// Shapes of the desktop's pointer over a custom frame: the arrow, or the directions a press
// there resizes the window in.
enum class PointerShape { Arrow, ResizeNwSe, ResizeNeSw, ResizeWestEast, ResizeNorthSouth };

// The pointer shape over a point of area: the resize direction over edges and corners, the
// arrow everywhere else.
constexpr PointerShape PointerShapeFor(HitArea area) {
  switch (area) {
    case HitArea::TopLeft:
    case HitArea::BottomRight: return PointerShape::ResizeNwSe;
    case HitArea::TopRight:
    case HitArea::BottomLeft: return PointerShape::ResizeNeSw;
    case HitArea::Left:
    case HitArea::Right: return PointerShape::ResizeWestEast;
    case HitArea::Top:
    case HitArea::Bottom: return PointerShape::ResizeNorthSouth;
    default: return PointerShape::Arrow;
  }
}

// Widths of the frame around the client area, in pixels.
struct FrameInsets {
  int left = 0, top = 0, right = 0, bottom = 0;
};

// Tells what the point (x, y) of the window (window coordinates, frame included) is. Called on
// the main thread while events are read.
using HitTestFunction = std::function<HitArea(int x, int y)>;

class MainWindow {
 public:
  MainWindow();
  ~MainWindow();  // releases the context, the window and the window system
  MainWindow(const MainWindow&) = delete;
  MainWindow& operator=(const MainWindow&) = delete;

  // Opens the window and its context; Ok leaves the context current on the calling thread.
  // On failure nothing stays open and ErrorText() says why.
  WindowStatus Create(const WindowOptions& options);
  bool IsOpen() const;
  std::string ErrorText() const;
  const GlContextInfo& GlInfo() const;

  void Show();
  void Hide();
  void Raise();  // brings the window to the front and asks for the keyboard focus
  void SetTitle(const std::string& title);

  // Window position on the desktop, client size, and their setters (sizes of at least 1).
  void Position(int& x, int& y) const;
  void SetPosition(int x, int y);
  void ClientSize(int& width, int& height) const;
  void SetClientSize(int width, int height);
  void SetMinimumSize(int width, int height);
  // The rectangle covering every display (the desktop).
  WindowRect DesktopBounds() const;

  // State changes go through the window manager, which carries them out later (or not at all,
  // as on a bare X server); the Minimized, Maximized and Restored events report what happened.
  void Minimize();
  void Maximize();
  void Restore();
  // The state as the window manager has carried it out.
  bool IsMinimized() const;
  bool IsMaximized() const;
  void SetAlwaysOnTop(bool onTop);

  // Gives the window a frame of its own: the window manager's decorations go, the window keeps
  // insets around its client area for the frame, and hitTest tells the window system where the
  // caption, the edges and the buttons are. From then on client sizes (ClientSize, SetClientSize,
  // SetMinimumSize, Resized events) exclude the frame, and mouse positions are client
  // coordinates: points over the frame have negative or beyond-size coordinates. A caption double
  // click arrives as CaptionDoubleClick; its second press moves nothing. A press the window
  // system reads only after its release is not handed to the window manager, which would move
  // the window until the next click, but arrives as an ordinary press. The pointer over the frame
  // takes the shape of its hit area (PointerShapeFor) while no button is held. Call before Show.
  void SetCustomFrame(const FrameInsets& insets, HitTestFunction hitTest);
  FrameInsets Insets() const;
  // The shape the desktop's pointer has over the window now.
  PointerShape CurrentPointerShape() const;
  // The whole window's size, frame included.
  void WindowSize(int& width, int& height) const;
  // The window's title as the program set it (8-bit text).
  std::string Title() const;

  // Shows or hides the desktop's cursor while it is over the window (the GUI draws its own).
  void ShowSystemCursor(bool show);

  // Presents the back buffer. Main thread, context current.
  void SwapBuffers();
  // Waits for the display's refresh at each swap (true) or not. False when the driver refused.
  bool SetVsync(bool on);
  // Makes the window's context current on the calling thread, or none (release).
  bool MakeCurrent();
  void ReleaseCurrent();

  // A context sharing objects with this window's, for a worker thread; null on failure
  // (ErrorText says why). Main thread; the window's context is current again afterwards.
  std::unique_ptr<SharedGlContext> CreateSharedContext();

  // The window system's id of the window (the X11 window), for tools that address it.
  uint64_t NativeId() const;

  struct Impl;

 private:
  std::unique_ptr<Impl> impl_;
};

}  // namespace platform
