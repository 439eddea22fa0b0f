#pragma once
// Message boxes of the program: a caption, a text and one or two buttons.
//
// ShowMessageBox blocks until the user answers. A box asked for on another thread is shown by the
// main thread between frames while the main thread serves its queue (platform/main_thread.h),
// and on the asking thread otherwise. Without a display the text is written to stderr as
// "[caption] text" and the no-display answer is returned at once.
#include <string>

namespace platform {

enum class MessageBoxKind { Info, Error, YesNo };

enum class MessageBoxAnswer { Ok, Yes, No, NoDisplay };

// Shows the box; may be called from any thread (see above). Returns the button the user
// pressed (closing a Yes/No box counts as No), or NoDisplay when no box could be shown.
MessageBoxAnswer ShowMessageBox(MessageBoxKind kind, const std::string& caption, const std::string& text);

}  // namespace platform
