#pragma once
// The splash screen: the start-up picture in a borderless window centred on the desktop, shown
// while the main window stays hidden. It closes once the GUI is ready and at least 800 ms have
// passed since it appeared; closing it shows and focuses the main window and then calls its
// onClose (the greeting sound).
//
//   ShowSplash      at start-up, before the main window is built
//   SplashDone      the GUI is ready (the end of start-up); closes when the time has passed
//   TryCloseSplash  every main-loop turn: closes when both hold
//   CloseSplash     closes now
//   CloseSplashForErrorBox  the log's fatal and GL error boxes: the window goes, nothing else
//
// Main thread, except CloseSplashForErrorBox (any thread).
#include <functional>

// The rule that decides when the splash closes.
struct SplashCloseRule {
  static constexpr double kMinimumMs = 800.0;
  double shownAtMs = 0;
  bool guiReady = false;
  bool ShouldClose(double nowMs) const { return guiReady && nowMs - shownAtMs >= kMinimumMs; }
};

// Shows the splash picture (images/splash.bmp of the program folder). showMainWindow brings up the
// main window when the splash closes; onClose runs after it. False when no splash could be shown
// (an error box says why when there is a display): the caller shows the main window itself.
bool ShowSplash(std::function<void()> showMainWindow, std::function<void()> onClose);
void SplashDone();
void TryCloseSplash();
void CloseSplash();
void CloseSplashForErrorBox();
// True while the splash window is up.
bool SplashShowing();
