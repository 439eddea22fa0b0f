// Starting and stopping SDL's video for the windows of the program.
#include <SDL.h>

#include "platform/video_sdl.h"

namespace platform::sdl {

namespace {
int gVideoUsers = 0;  // main thread only
}  // namespace

bool AcquireVideo(std::string& error) {
  if (gVideoUsers == 0) {
    // GLEW loads its entry points through GLX, so the X11 driver is required even where
    // another one would be picked.
    SDL_SetHintWithPriority(SDL_HINT_VIDEODRIVER, "x11", SDL_HINT_OVERRIDE);
    // Closing the main window is a request the program answers, never an automatic quit.
    SDL_SetHint(SDL_HINT_QUIT_ON_LAST_WINDOW_CLOSE, "0");
    // The click that activates the window also reaches it, as on other desktops.
    SDL_SetHint(SDL_HINT_MOUSE_FOCUS_CLICKTHROUGH, "1");
    // Before SDL's start, so that the handler SDL puts back when video stops is this one too:
    // SDL's second display connection, which wakes the event loop, learns of its errors only
    // when it closes then.
    KeepXErrorsNonFatal();
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) {
      error = SDL_GetError();
      return false;
    }
    // After SDL's start, whose own handler passes errors on to the default, fatal one.
    KeepXErrorsNonFatal();
    StartEvents();
  }
  ++gVideoUsers;
  return true;
}

void ReleaseVideo() {
  if (gVideoUsers > 0 && --gVideoUsers == 0) {
    StopEvents();
    FreePointerShapes();
    SDL_QuitSubSystem(SDL_INIT_VIDEO);
  }
}

}  // namespace platform::sdl
