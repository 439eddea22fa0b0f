// What the X server knows now and SDL may not yet: the window's real state (normal, minimised,
// maximised) and whether the left mouse button is down.
//
// SDL records a maximise or restore the moment it is asked for, whether or not the window manager
// carries it out, and then reports no change when it happens; the properties the window manager
// sets on the window say what actually is.
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
