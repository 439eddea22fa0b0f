#pragma once
// The program's icon in the desktop's notification area (the system tray of the XEmbed protocol,
// hosted by panels and tray programs), with a tooltip, a menu on a right click and a command on a
// double click. Chosen menu entries and the double click reach the main thread as Command events
// (platform/events.h), so they run in the main loop.
//
// The icon lives on the desktop thread (platform/desktop_thread.h), which these calls start when
// needed. When the tray host goes away and a new one appears, the icon docks in the new one by
// itself. Any thread.
#include <cstdint>
#include <string>
#include <vector>

namespace platform {

struct TrayMenuEntry {
  std::string label;
  int command = 0;                     // posted when chosen; entries with a submenu have none
  bool isDefault = false;              // shown bold: the entry a double click runs
  std::vector<TrayMenuEntry> submenu;  // non-empty: the entry opens this submenu
};

struct TrayIconOptions {
  std::string tooltip;
  int iconWidth = 0, iconHeight = 0;
  std::vector<uint8_t> iconRgba;  // iconWidth * iconHeight * 4 bytes, rows top down
  std::vector<TrayMenuEntry> menu;
  int doubleClickCommand = 0;     // posted on a double click with the left button (0: none)
};

// Adds the icon and waits up to waitMs for a tray host to take it. False at once when no tray host
// runs or the desktop thread cannot start; false too when no host took the icon in time (the icon
// is then removed again). An icon already there is replaced.
bool CreateTrayIcon(const TrayIconOptions& options, int waitMs);

// Removes the icon. True when it is gone (also when there was none).
bool RemoveTrayIcon();

// True while the icon exists and sits in a tray host.
bool TrayIconDocked();

// Test seam: the X window of the icon while it is docked (0 otherwise), so tests can click it.
uint64_t TrayIconWindow();

}  // namespace platform
