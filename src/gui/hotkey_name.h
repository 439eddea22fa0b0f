#pragma once
// The display name of a hot key (low byte: the key code; high byte: set for a virtual-key code,
// clear for a typed character).
#include <string>

#include "core/settings.h"

// "" for no key; a character upper-cased; a virtual key by its name ("F1", "NUMPAD 3", "L shift"),
// digits and letters as themselves, any other virtual key "Unknown".
std::string HotkeyName(Hotkey key);
