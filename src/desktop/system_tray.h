#pragma once
// CSystemTray: the program's tray icon (tooltip "VornKesh Delvix", the program's icon) with its
// menu, and its balloons, shown as desktop notifications with the title "Delvix". The icon and
// the notifications live on the desktop thread (platform/tray.h); the menu's commands arrive in
// the main loop as Command events carrying the ids below.
//
// Main thread: Create, RemoveIcon. ShowBalloon: any thread.
#include <atomic>
#include <string>
#include <vector>

#include "platform/tray.h"

// The tray menu's commands.
enum TrayCommand : int {
  kTrayExit = 0x8003,
  kTrayAbout = 0x8004,
  kTrayOutputDirectory = 0x8006,
  kTrayCod5Root = 0x8007,
  kTrayCodBoRoot = 0x8009,
  kTrayRunningDirectory = 0x800A,
  kTrayCod4Root = 0x800C,
};

class CSystemTray {
 public:
  static constexpr int kBalloonTextLimit = 255;  // bytes; cut on a character boundary
  static constexpr int kBalloonTimeoutMs = 10000;
  static constexpr int kDockWaitMs = 2000;       // how long Create waits for the tray host

  // "About.." (bold: the double click's entry), "Open" > the five folders, "Exit".
  static std::vector<platform::TrayMenuEntry> Menu();
  // The balloon's text as the desktop gets it: UTF-8, at most kBalloonTextLimit bytes.
  static std::string BalloonText(const std::string& text);

  // Adds the icon; true when a tray host took it.
  bool Create();
  // Removes the icon when it was added; true when it is gone (also when it never was there).
  bool RemoveIcon();
  // Shows text as a balloon of the icon. False (dropped) when there is no icon or the desktop's
  // notification queue is full.
  bool ShowBalloon(const std::string& text);
  bool Added() const { return added_.load(); }

 private:
  std::atomic<bool> added_{false};
};

// The program's tray icon.
extern CSystemTray gSystemTray;
