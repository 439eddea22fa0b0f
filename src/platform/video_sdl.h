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

// The window whose events PollEvent delivers (0: none).
void SetMainWindowId(uint32_t windowId);

// The main window's frame insets: mouse positions and sizes in events are made client-relative.
void SetMainWindowInsets(const FrameInsets& insets);
// What the latest hit test of the main window answered; a window event reports that the window
// system acted on it (a caption press, for the double click).
void NoteHitArea(HitArea area);

// The state of a window as the window manager carries it out.
enum class WindowState { Normal, Minimized, Maximized };
WindowState QueryWindowState(SDL_Window* window);

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
