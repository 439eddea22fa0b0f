// The clipboard over SDL: UTF-8 on the desktop, 8-bit text in the program.
#include <SDL.h>

#include "platform/clipboard.h"
#include "platform/text_utf8.h"

namespace platform {

std::string GetClipboardText() {
  if (!SDL_WasInit(SDL_INIT_VIDEO) || !SDL_HasClipboardText()) return {};
  char* text = SDL_GetClipboardText();
  if (!text) return {};
  std::string result = Latin1FromUtf8(text, '?');
  SDL_free(text);
  return result;
}

bool SetClipboardText(const std::string& text) {
  if (!SDL_WasInit(SDL_INIT_VIDEO)) return false;
  return SDL_SetClipboardText(DesktopTextFrom8Bit(text).c_str()) == 0;
}

}  // namespace platform
