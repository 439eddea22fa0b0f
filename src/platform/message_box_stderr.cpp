// Fallback message box: writes the box to stderr. The windowed box replaces it once the
// window system layer exists; until then every box answers NoDisplay.
#include "platform/message_box.h"

#include <cstdio>

namespace platform {

MessageBoxAnswer ShowMessageBox(MessageBoxKind, const std::string& caption, const std::string& text) {
  std::fprintf(stderr, "[%s] %s\n", caption.c_str(), text.c_str());
  return MessageBoxAnswer::NoDisplay;
}

}  // namespace platform
