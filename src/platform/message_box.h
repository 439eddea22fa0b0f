#pragma once
// Message boxes of the program: a caption, a text and one or two buttons.
//
// ShowMessageBox blocks until the user answers. Without a display (or before the window system
// is up) the text is written to stderr and the default answer is returned at once.
#include <string>

namespace platform {

enum class MessageBoxKind { Info, Error, YesNo };

enum class MessageBoxAnswer { Ok, Yes, No, NoDisplay };

// Shows the box; may be called from any thread. Returns the button the user pressed, or
// NoDisplay when no box could be shown (the text then went to stderr).
MessageBoxAnswer ShowMessageBox(MessageBoxKind kind, const std::string& caption, const std::string& text);

}  // namespace platform
