#include "gui/hotkey_name.h"

namespace {

const char* NamedKey(unsigned code) {
  switch (code) {
    case 0x08: return "BACKSPACE";
    case 0x09: return "TAB";
    case 0x0D: return "ENTER";
    case 0x10: return "SHIFT";
    case 0x11: return "CONTROL";
    case 0x13: return "PAUSE";
    case 0x1B: return "ESCAPE";
    case 0x20: return "SPACE";
    case 0x21: return "PAGEUP";
    case 0x22: return "PAGEDOWN";
    case 0x23: return "END";
    case 0x24: return "HOME";
    case 0x25: return "LEFT";
    case 0x26: return "UP";
    case 0x27: return "RIGHT";
    case 0x28: return "DOWN";
    case 0x2D: return "INSERT";
    case 0x2E: return "DELETE";
    case 0x6A: return "MULTIPLY";
    case 0x6B: return "ADD";
    case 0x6D: return "SUBTRACT";
    case 0x6E: return "DECIMAL";
    case 0x6F: return "DIVIDE";
    case 0xA0: return "L shift";
    case 0xA1: return "R shift";
    case 0xA2: return "L control";
    case 0xA3: return "R control";
    default: return nullptr;
  }
}

}  // namespace

std::string HotkeyName(Hotkey key) {
  const unsigned code = key & 0xFFu;
  if ((key & 0xFF00u) == 0) {
    if (code == 0) return std::string();
    const char c = static_cast<char>(code);
    return std::string(1, c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c);
  }
  if ((code >= '0' && code <= '9') || (code >= 'A' && code <= 'Z')) return std::string(1, static_cast<char>(code));
  if (code >= 0x60 && code <= 0x69) return "NUMPAD " + std::to_string(code - 0x60);
  if (code >= 0x70 && code <= 0x7B) return "F" + std::to_string(code - 0x70 + 1);
  const char* name = NamedKey(code);
  return name ? name : "Unknown";
}
