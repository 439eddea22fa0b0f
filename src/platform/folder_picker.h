#pragma once
// The desktop's folder chooser and the folder checks that go with it.
//
// BrowseForFolder shows a GTK folder chooser on the desktop thread and makes the calling thread
// wait for the answer, so the main loop stops while the dialog is open, as a modal dialog does.
#include <cstdint>
#include <string>

namespace platform {

// The user's home folder ($HOME, else the password database); "" when neither names one.
std::string HomeFolder();
// The user's desktop folder (the desktop's own setting, else "Desktop" in the home folder, else
// the home folder); "" when there is no home folder either.
std::string DesktopFolder();

// Shows a modal folder chooser with title (8-bit text) as its caption, opened on startFolder (when
// it is a folder), kept above and centred on the window ownerWindow (its X11 id; 0: none), and
// waits for it. Only folders can be chosen. Returns the chosen folder's path, or "" when the
// dialog was cancelled or closed, the choice has no local path, or no chooser can be shown (no
// display; then error, when given, says why). Any thread except the desktop thread.
std::string BrowseForFolder(const std::string& title, const std::string& startFolder, uint64_t ownerWindow = 0,
                            std::string* error = nullptr);

// Whether root holds a sub-folder whose name equals name exactly (case-sensitive). A missing or
// unreadable root gives false.
bool HasRawFolder(const std::string& root, const std::string& name);

}  // namespace platform
