#pragma once
// Internal to the platform layer: the state that the SDL-backed files share. Nothing outside
// src/platform/ includes this header.
#include <cstdint>
#include <string>
#include <vector>

#include "platform/gl_context.h"
#include "platform/window.h"

struct SDL_Window;

namespace platform::sdl {

// Starts SDL's video (pinned to X11, with the program's hints) for one more user; false with
// error set when it cannot start. Main thread. Every success is paired with ReleaseVideo.
bool AcquireVideo(std::string& error);
void ReleaseVideo();

// Makes X protocol errors (which arrive after the request that caused them, often about a window
// destroyed meanwhile) a line on standard error instead of the process's end. Any thread.
void KeepXErrorsNonFatal();

// The window whose events PollEvent delivers (0: none).
void SetMainWindowId(uint32_t windowId);

// The main window's own frame: its insets, by which mouse positions and sizes in events are made
// client-relative, and its hit test (null: none), which gives the pointer its shape over the frame.
// The hit test must outlive the window or be replaced first.
void SetMainWindowFrame(const FrameInsets& insets, const HitTestFunction* hitTest);
// A left press on the main window's frame, as the hit test sees it before the press is delivered
// or handed to the window manager; screenX and screenY on the desktop. Recognises the caption's
// double click, which the next left-button event reports. False when the press must not move the
// window: it is the double click's second press.
bool NoteFramePress(HitArea area, int screenX, int screenY);

// Whether the left mouse button is down now, as the X server knows it (SDL's own record lags
// behind presses it has not read yet).
bool LeftButtonHeld(SDL_Window* window);

// Shows the pointer in shape over the program's windows (created at first use); the shape SDL
// shows now; and the release of the shapes, before video stops.
void ShowPointerShape(PointerShape shape);
PointerShape ShownPointerShape();
void FreePointerShapes();

// The state of a window as the window manager carries it out.
enum class WindowState { Normal, Minimized, Maximized };
WindowState QueryWindowState(SDL_Window* window);
// Asks the window manager to put the window in state wanted, judged from its real state (SDL
// skips a change its own, possibly stale, record says is done). False when it is no X11 window.
bool RequestWindowState(SDL_Window* window, WindowState wanted);

// A state change (minimise, maximise, restore) was asked for: the event loop watches the
// window's state for a while, since the window manager carries it out later.
void NoteStateRequest();

// Wakes a WaitEvent in progress. Any thread; does nothing while video is down.
void WakeEventLoop();

// Called when video has started and before it stops: registers the program's own event types
// (once) and lets other threads wake the event loop while it runs.
void StartEvents();
void StopEvents();

// The program's key code (Windows virtual-key numbering) of an SDL key: letters and digits by
// the key's symbol, so the keyboard layout is respected; every other key by its position.
// 0 for keys the program has no code for.
int VirtualKeyFromSdl(int32_t keycode, int scancode);

}  // namespace platform::sdl

namespace platform {

// The SDL objects behind MainWindow; window_sdl.cpp and gl_context_sdl.cpp both work on them.
struct MainWindow::Impl {
  SDL_Window* window = nullptr;
  void* context = nullptr;  // SDL_GLContext
  bool videoAcquired = false;
  GlContextInfo gl;
  std::string error;
  std::string title;           // as the program set it (8-bit)
  FrameInsets insets;          // the program's own frame, if any
  HitTestFunction hitTest;
};

// Creates the window's GL context (compatibility profile, legacy fallback), initialises GLEW
// and checks for fixed-function drawing. Ok leaves the context current.
WindowStatus CreateWindowContext(MainWindow::Impl& impl, const WindowOptions& options);
// Sets the pixel format wanted for GL windows; call before creating one.
void SetGlPixelFormat();

}  // namespace platform
