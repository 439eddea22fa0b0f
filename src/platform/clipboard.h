#pragma once
// The desktop clipboard as 8-bit text. Main thread, while the main window exists.
#include <string>

namespace platform {

// The clipboard's text as Latin-1 bytes (characters beyond 0xFF become '?'); empty when the
// clipboard holds no text or cannot be read.
std::string GetClipboardText();

// Puts text on the clipboard (valid UTF-8 as it is, other bytes read as Latin-1). False on failure.
bool SetClipboardText(const std::string& text);

}  // namespace platform
