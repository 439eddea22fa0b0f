// SDL keys -> the program's key codes (Windows virtual-key numbering).
#include <SDL.h>

#include "platform/key_codes.h"
#include "platform/video_sdl.h"

namespace platform::sdl {

namespace {

// Keys by their position on the keyboard (US layout names).
int VirtualKeyFromScancode(int scancode) {
  if (scancode >= SDL_SCANCODE_A && scancode <= SDL_SCANCODE_Z) return 'A' + (scancode - SDL_SCANCODE_A);
  if (scancode >= SDL_SCANCODE_1 && scancode <= SDL_SCANCODE_9) return '1' + (scancode - SDL_SCANCODE_1);
  if (scancode >= SDL_SCANCODE_F1 && scancode <= SDL_SCANCODE_F12) return vk::kF1 + (scancode - SDL_SCANCODE_F1);
  if (scancode >= SDL_SCANCODE_F13 && scancode <= SDL_SCANCODE_F24) return vk::kF1 + 12 + (scancode - SDL_SCANCODE_F13);
  if (scancode >= SDL_SCANCODE_KP_1 && scancode <= SDL_SCANCODE_KP_9) return vk::kNumpad0 + 1 + (scancode - SDL_SCANCODE_KP_1);
  switch (scancode) {
    case SDL_SCANCODE_0: return '0';
    case SDL_SCANCODE_KP_0: return vk::kNumpad0;
    case SDL_SCANCODE_RETURN: return vk::kReturn;
    case SDL_SCANCODE_KP_ENTER: return vk::kReturn;
    case SDL_SCANCODE_ESCAPE: return vk::kEscape;
    case SDL_SCANCODE_BACKSPACE: return vk::kBackspace;
    case SDL_SCANCODE_TAB: return vk::kTab;
    case SDL_SCANCODE_SPACE: return vk::kSpace;
    case SDL_SCANCODE_MINUS: return vk::kMinus;
    case SDL_SCANCODE_EQUALS: return vk::kPlus;
    case SDL_SCANCODE_LEFTBRACKET: return vk::kLeftBracket;
    case SDL_SCANCODE_RIGHTBRACKET: return vk::kRightBracket;
    case SDL_SCANCODE_BACKSLASH: return vk::kBackslash;
    case SDL_SCANCODE_NONUSHASH: return vk::kBackslash;
    case SDL_SCANCODE_SEMICOLON: return vk::kSemicolon;
    case SDL_SCANCODE_APOSTROPHE: return vk::kQuote;
    case SDL_SCANCODE_GRAVE: return vk::kBackquote;
    case SDL_SCANCODE_COMMA: return vk::kComma;
    case SDL_SCANCODE_PERIOD: return vk::kPeriod;
    case SDL_SCANCODE_SLASH: return vk::kSlash;
    case SDL_SCANCODE_NONUSBACKSLASH: return vk::kOem102;
    case SDL_SCANCODE_CAPSLOCK: return vk::kCapsLock;
    case SDL_SCANCODE_PRINTSCREEN: return vk::kPrintScreen;
    case SDL_SCANCODE_SCROLLLOCK: return vk::kScrollLock;
    case SDL_SCANCODE_PAUSE: return vk::kPause;
    case SDL_SCANCODE_INSERT: return vk::kInsert;
    case SDL_SCANCODE_HOME: return vk::kHome;
    case SDL_SCANCODE_PAGEUP: return vk::kPageUp;
    case SDL_SCANCODE_DELETE: return vk::kDelete;
    case SDL_SCANCODE_END: return vk::kEnd;
    case SDL_SCANCODE_PAGEDOWN: return vk::kPageDown;
    case SDL_SCANCODE_RIGHT: return vk::kRight;
    case SDL_SCANCODE_LEFT: return vk::kLeft;
    case SDL_SCANCODE_DOWN: return vk::kDown;
    case SDL_SCANCODE_UP: return vk::kUp;
    case SDL_SCANCODE_NUMLOCKCLEAR: return vk::kNumLock;
    case SDL_SCANCODE_KP_DIVIDE: return vk::kDivide;
    case SDL_SCANCODE_KP_MULTIPLY: return vk::kMultiply;
    case SDL_SCANCODE_KP_MINUS: return vk::kSubtract;
    case SDL_SCANCODE_KP_PLUS: return vk::kAdd;
    case SDL_SCANCODE_KP_PERIOD: return vk::kDecimal;
    case SDL_SCANCODE_APPLICATION: return vk::kMenu;
    case SDL_SCANCODE_LCTRL: return vk::kControl;
    case SDL_SCANCODE_RCTRL: return vk::kControl;
    case SDL_SCANCODE_LSHIFT: return vk::kShift;
    case SDL_SCANCODE_RSHIFT: return vk::kShift;
    case SDL_SCANCODE_LALT: return vk::kAlt;
    case SDL_SCANCODE_RALT: return vk::kAlt;
    case SDL_SCANCODE_LGUI: return vk::kLeftSystem;
    case SDL_SCANCODE_RGUI: return vk::kRightSystem;
    default: return 0;
  }
}

}  // namespace

int VirtualKeyFromSdl(int32_t keycode, int scancode) {
  if (keycode >= SDLK_a && keycode <= SDLK_z) return 'A' + (keycode - SDLK_a);
  if (keycode >= SDLK_0 && keycode <= SDLK_9) return '0' + (keycode - SDLK_0);
  return VirtualKeyFromScancode(scancode);
}

}  // namespace platform::sdl
