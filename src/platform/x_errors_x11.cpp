// X protocol errors that are not the program's end.
//
// Xlib's default handler ends the process on any error, and errors arrive late, after the
// request that caused them: a window that the window manager or a tool destroyed a moment
// before a request naming it gives BadWindow although nothing is wrong with the program. The
// errors are reported on standard error and the program goes on.
#include <X11/Xlib.h>

#include <cstdio>

#include "platform/video_sdl.h"

namespace platform::sdl {

namespace {

int ReportXError(Display* display, XErrorEvent* error) {
  char text[160] = {};
  XGetErrorText(display, error->error_code, text, sizeof text - 1);
  std::fprintf(stderr, "X error (ignored): %s, request %d.%d, resource 0x%lx\n", text, error->request_code,
               error->minor_code, error->resourceid);
  return 0;
}

}  // namespace

void KeepXErrorsNonFatal() { XSetErrorHandler(ReportXError); }

}  // namespace platform::sdl
