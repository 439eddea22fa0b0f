// PictureWindow on X11: an override-redirect window (no decoration, never managed or focused)
// whose background is the picture, so the server paints it without our help.
// The program's header comes first: X11's macros (None, ...) would break its names.
#include "platform/picture_window.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <poll.h>
#include <sys/eventfd.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstring>
#include <vector>

namespace platform {

struct PictureWindow::Impl {
  Display* display = nullptr;
  Window window = 0;
  int wakeFd = -1;
  ScreenRect rect;
};

namespace {

unsigned long LowestBit(unsigned long mask) { return mask & (~mask + 1); }

// The channel value placed under one of the visual's colour masks.
unsigned long Channel(uint8_t value, unsigned long mask) {
  if (mask == 0) return 0;
  const unsigned long unit = LowestBit(mask);
  const unsigned long max = mask / unit;
  return ((value * max + 127) / 255) * unit;
}

void SetAtomProperty(Display* display, Window window, const char* name, const char* value) {
  const Atom atom = XInternAtom(display, value, False);
  XChangeProperty(display, window, XInternAtom(display, name, False), XA_ATOM, 32, PropModeReplace,
                  reinterpret_cast<const unsigned char*>(&atom), 1);
}

}  // namespace

PictureWindow::PictureWindow() : impl_(std::make_unique<Impl>()) {}

PictureWindow::~PictureWindow() {
  if (impl_->display) {
    if (impl_->window) XDestroyWindow(impl_->display, impl_->window);
    XCloseDisplay(impl_->display);
  }
  if (impl_->wakeFd >= 0) ::close(impl_->wakeFd);
}

bool PictureWindow::Create(const std::string& name, PictureWindowKind kind, const ScreenRect& rect) {
  Impl& p = *impl_;
  if (p.display) return false;
  p.display = XOpenDisplay(nullptr);
  if (!p.display) return false;
  p.wakeFd = ::eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC);
  XSetWindowAttributes attributes{};
  attributes.override_redirect = True;
  attributes.background_pixel = BlackPixel(p.display, DefaultScreen(p.display));
  attributes.event_mask = EnterWindowMask | LeaveWindowMask | PointerMotionMask | ButtonPressMask;
  p.rect = rect;
  p.window = XCreateWindow(p.display, DefaultRootWindow(p.display), rect.x, rect.y,
                           static_cast<unsigned>(rect.width > 0 ? rect.width : 1),
                           static_cast<unsigned>(rect.height > 0 ? rect.height : 1), 0, CopyFromParent, InputOutput,
                           CopyFromParent, CWOverrideRedirect | CWBackPixel | CWEventMask, &attributes);
  if (!p.window) return false;
  XStoreName(p.display, p.window, name.c_str());
  XChangeProperty(p.display, p.window, XInternAtom(p.display, "_NET_WM_NAME", False),
                  XInternAtom(p.display, "UTF8_STRING", False), 8, PropModeReplace,
                  reinterpret_cast<const unsigned char*>(name.data()), static_cast<int>(name.size()));
  SetAtomProperty(p.display, p.window, "_NET_WM_WINDOW_TYPE",
                  kind == PictureWindowKind::Splash ? "_NET_WM_WINDOW_TYPE_SPLASH" : "_NET_WM_WINDOW_TYPE_NOTIFICATION");
  XFlush(p.display);
  return true;
}

bool PictureWindow::IsOpen() const { return impl_->window != 0; }

void PictureWindow::SetPicture(int width, int height, const uint8_t* rgbx) {
  Impl& p = *impl_;
  if (!p.window || width <= 0 || height <= 0) return;
  const int screen = DefaultScreen(p.display);
  Visual* visual = DefaultVisual(p.display, screen);
  const int depth = DefaultDepth(p.display, screen);
  XImage* image = XCreateImage(p.display, visual, static_cast<unsigned>(depth), ZPixmap, 0, nullptr,
                               static_cast<unsigned>(width), static_cast<unsigned>(height), 32, 0);
  if (!image) return;
  std::vector<char> data(static_cast<size_t>(image->bytes_per_line) * height);
  image->data = data.data();
  for (int y = 0; y < height; ++y) {
    const uint8_t* row = rgbx + static_cast<size_t>(y) * width * 4;
    for (int x = 0; x < width; ++x) {
      const uint8_t* px = row + x * 4;
      XPutPixel(image, x, y,
                Channel(px[0], visual->red_mask) | Channel(px[1], visual->green_mask) | Channel(px[2], visual->blue_mask));
    }
  }
  Pixmap pixmap = XCreatePixmap(p.display, p.window, static_cast<unsigned>(width), static_cast<unsigned>(height),
                                static_cast<unsigned>(depth));
  GC gc = XCreateGC(p.display, pixmap, 0, nullptr);
  XPutImage(p.display, pixmap, gc, image, 0, 0, 0, 0, static_cast<unsigned>(width), static_cast<unsigned>(height));
  XFreeGC(p.display, gc);
  image->data = nullptr;  // ours, freed with the vector
  XDestroyImage(image);
  XSetWindowBackgroundPixmap(p.display, p.window, pixmap);
  XFreePixmap(p.display, pixmap);  // the window keeps its own reference
  XClearWindow(p.display, p.window);
  XFlush(p.display);
}

void PictureWindow::Show() {
  Impl& p = *impl_;
  if (!p.window) return;
  XMapRaised(p.display, p.window);
  XFlush(p.display);
}

void PictureWindow::Hide() {
  Impl& p = *impl_;
  if (!p.window) return;
  XUnmapWindow(p.display, p.window);
  XFlush(p.display);
}

void PictureWindow::SetRect(const ScreenRect& rect) {
  Impl& p = *impl_;
  if (!p.window) return;
  p.rect = rect;
  XMoveResizeWindow(p.display, p.window, rect.x, rect.y, static_cast<unsigned>(rect.width > 0 ? rect.width : 1),
                    static_cast<unsigned>(rect.height > 0 ? rect.height : 1));
  XRaiseWindow(p.display, p.window);
  XFlush(p.display);
}

ScreenRect PictureWindow::Rect() const { return impl_->rect; }

ScreenRect PictureWindow::ScreenBounds() const {
  Display* d = impl_->display;
  if (!d) return {};
  const int screen = DefaultScreen(d);
  return {0, 0, DisplayWidth(d, screen), DisplayHeight(d, screen)};
}

ScreenRect PictureWindow::WorkArea() const {
  Display* d = impl_->display;
  const ScreenRect screen = ScreenBounds();
  if (!d) return screen;
  Atom type;
  int format;
  unsigned long count, remaining;
  unsigned char* data = nullptr;
  ScreenRect area = screen;
  const Atom workArea = XInternAtom(d, "_NET_WORKAREA", True);
  if (workArea != None &&
      XGetWindowProperty(d, DefaultRootWindow(d), workArea, 0, 4, False, XA_CARDINAL, &type, &format, &count,
                         &remaining, &data) == Success &&
      data && format == 32 && count >= 4) {
    const long* v = reinterpret_cast<const long*>(data);
    if (v[2] > 0 && v[3] > 0) area = {static_cast<int>(v[0]), static_cast<int>(v[1]), static_cast<int>(v[2]),
                                      static_cast<int>(v[3])};
  }
  if (data) XFree(data);
  return area;
}

bool PictureWindow::WaitEvent(PictureEvent& event, int timeoutMs) {
  Impl& p = *impl_;
  if (!p.display) return false;
  XFlush(p.display);
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs > 0 ? timeoutMs : 0);
  for (;;) {
    while (XPending(p.display) > 0) {
      XEvent e;
      XNextEvent(p.display, &e);
      if (e.xany.window != p.window) continue;
      switch (e.type) {
        case EnterNotify: event = {PictureEventType::Enter, e.xcrossing.x, e.xcrossing.y, 0}; return true;
        case LeaveNotify: event = {PictureEventType::Leave, e.xcrossing.x, e.xcrossing.y, 0}; return true;
        case MotionNotify: event = {PictureEventType::Motion, e.xmotion.x, e.xmotion.y, 0}; return true;
        case ButtonPress:
          event = {PictureEventType::ButtonDown, e.xbutton.x, e.xbutton.y, static_cast<int>(e.xbutton.button)};
          return true;
        default: break;
      }
    }
    pollfd fds[2] = {{ConnectionNumber(p.display), POLLIN, 0}, {p.wakeFd, POLLIN, 0}};
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
    const int ready = ::poll(fds, 2, left.count() > 0 ? static_cast<int>(left.count()) : 0);
    if (ready < 0 && errno == EINTR) continue;
    if (ready <= 0) return false;
    if (fds[1].revents & POLLIN) {
      uint64_t count;
      [[maybe_unused]] ssize_t n = ::read(p.wakeFd, &count, sizeof count);
      return false;
    }
    if (fds[0].revents & (POLLHUP | POLLERR)) return false;
  }
}

void PictureWindow::Wake() {
  if (impl_->wakeFd < 0) return;
  const uint64_t one = 1;
  [[maybe_unused]] ssize_t n = ::write(impl_->wakeFd, &one, sizeof one);
}

uint64_t PictureWindow::NativeId() const { return impl_->window; }

}  // namespace platform
