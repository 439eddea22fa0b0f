#pragma once
// Opening a folder, a file or a web address with the desktop's own program for it (xdg-open).
#include <functional>
#include <string>

namespace platform {

// Starts the desktop's opener for target and returns at once; the opener runs on its own and
// is never waited for. target goes to the opener as one argument, with no shell in between; a
// relative path starting with '-' is passed as "./-..." so it cannot read as an option.
// False when the opener could not be started. Any thread.
bool OpenWithDesktop(const std::string& target);

// Test seam: while set, OpenWithDesktop calls hook with the target (as it would be passed) and
// returns true instead of starting anything. An empty function restores the opener.
void SetOpenHook(std::function<void(const std::string& target)> hook);

}  // namespace platform
