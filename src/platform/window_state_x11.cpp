// What the X server knows now and SDL may not yet: the window's real state (normal, minimised,
// maximised) and whether the left mouse button is down.
//
// SDL records a maximise or restore the moment it is asked for, whether or not the window manager
// carries it out, and then reports no change when it happens; the properties the window manager
// sets on the window say what actually is. For the same reason state changes are asked of the
// window manager here, from the state the X server reports, not from SDL's record.
#include <SDL.h>
#include <SDL_syswm.h>
#include <X11/Xatom.h>
#include <X11/Xlib.h>

#include "platform/video_sdl.h"

namespace platform::sdl {

namespace {

// The 32-bit items of a window property (atoms or cardinals); empty when it is not set.
std::vector<unsigned long> ReadProperty(Display* display, Window window, const char* name, Atom type) {
  std::vector<unsigned long> items;
  Atom property = XInternAtom(display, name, True);
  if (property == None) return items;
  Atom actualType;
  int format;
  unsigned long count, remaining;
  unsigned char* data = nullptr;
  if (XGetWindowProperty(display, window, property, 0, 64, False, type, &actualType, &format, &count, &remaining,
                         &data) == Success &&
      data && format == 32) {
    const unsigned long* values = reinterpret_cast<const unsigned long*>(data);
    items.assign(values, values + count);
  }
  if (data) XFree(data);
  return items;
}

// The X display and window behind an SDL window; false when it is no X11 window.
bool X11Window(SDL_Window* sdlWindow, Display*& display, Window& window) {
  SDL_SysWMinfo info;
  SDL_VERSION(&info.version);
  if (!sdlWindow || !SDL_GetWindowWMInfo(sdlWindow, &info) || info.subsystem != SDL_SYSWM_X11) return false;
  display = info.info.x11.display;
  window = info.info.x11.window;
  return true;
}

}  // namespace

WindowState QueryWindowState(SDL_Window* sdlWindow) {
  Display* display = nullptr;
  Window window = 0;
  if (!X11Window(sdlWindow, display, window)) return WindowState::Normal;

  constexpr unsigned long kIconicState = 3;  // ICCCM WM_STATE
  Atom wmState = XInternAtom(display, "WM_STATE", True);
  if (wmState != None) {
    std::vector<unsigned long> state = ReadProperty(display, window, "WM_STATE", wmState);
    if (!state.empty() && state[0] == kIconicState) return WindowState::Minimized;
  }
  bool vertical = false, horizontal = false;
  Atom hidden = XInternAtom(display, "_NET_WM_STATE_HIDDEN", True);
  Atom maxVert = XInternAtom(display, "_NET_WM_STATE_MAXIMIZED_VERT", True);
  Atom maxHorz = XInternAtom(display, "_NET_WM_STATE_MAXIMIZED_HORZ", True);
  for (unsigned long atom : ReadProperty(display, window, "_NET_WM_STATE", XA_ATOM)) {
    if (atom == hidden) return WindowState::Minimized;
    vertical |= atom == maxVert;
    horizontal |= atom == maxHorz;
  }
  return vertical && horizontal ? WindowState::Maximized : WindowState::Normal;
}

namespace {

// Asks the window manager to add (1) or remove (0) both maximised states (EWMH).
void SendMaximizedState(Display* display, Window window, long action) {
  XEvent event{};
  event.xclient.type = ClientMessage;
  event.xclient.window = window;
  event.xclient.message_type = XInternAtom(display, "_NET_WM_STATE", False);
  event.xclient.format = 32;
  event.xclient.data.l[0] = action;
  event.xclient.data.l[1] = static_cast<long>(XInternAtom(display, "_NET_WM_STATE_MAXIMIZED_VERT", False));
  event.xclient.data.l[2] = static_cast<long>(XInternAtom(display, "_NET_WM_STATE_MAXIMIZED_HORZ", False));
  event.xclient.data.l[3] = 1;  // from a normal application
  XSendEvent(display, DefaultRootWindow(display), False, SubstructureRedirectMask | SubstructureNotifyMask, &event);
}

// Maps an iconified window and asks for it to be the active one (EWMH).
void Deiconify(Display* display, Window window) {
  XMapRaised(display, window);
  XEvent event{};
  event.xclient.type = ClientMessage;
  event.xclient.window = window;
  event.xclient.message_type = XInternAtom(display, "_NET_ACTIVE_WINDOW", False);
  event.xclient.format = 32;
  event.xclient.data.l[0] = 1;  // from a normal application
  event.xclient.data.l[1] = CurrentTime;
  XSendEvent(display, DefaultRootWindow(display), False, SubstructureRedirectMask | SubstructureNotifyMask, &event);
}

}  // namespace

bool RequestWindowState(SDL_Window* sdlWindow, WindowState wanted) {
  Display* display = nullptr;
  Window window = 0;
  if (!X11Window(sdlWindow, display, window)) return false;
  const WindowState now = QueryWindowState(sdlWindow);
  if (now == wanted) return true;
  switch (wanted) {
    case WindowState::Minimized: XIconifyWindow(display, window, DefaultScreen(display)); break;
    case WindowState::Maximized:
      if (now == WindowState::Minimized) Deiconify(display, window);
      SendMaximizedState(display, window, 1);
      break;
    case WindowState::Normal:
      if (now == WindowState::Minimized) Deiconify(display, window);
      else SendMaximizedState(display, window, 0);
      break;
  }
  XFlush(display);
  return true;
}

bool LeftButtonHeld(SDL_Window* sdlWindow) {
  Display* display = nullptr;
  Window window = 0;
  if (!X11Window(sdlWindow, display, window)) return false;
  Window root, child;
  int rootX, rootY, x, y;
  unsigned int mask = 0;
  if (!XQueryPointer(display, window, &root, &child, &rootX, &rootY, &x, &y, &mask)) return false;
  return (mask & Button1Mask) != 0;
}

}  // namespace platform::sdl
