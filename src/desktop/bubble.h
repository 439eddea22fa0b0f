#pragma once
// VornBubble: the notification bubble. A small window of the program's own slides up from the
// bottom-right corner of the desktop's work area (above the panel), shows a title, the program's
// icon and a text, stays for its time (longer while the pointer rests on it), runs its action on
// a left click and slides away (see desktop/bubble_state.h for the rules).
//
// One bubble at a time: a notice that arrives while one shows replaces its text, action and time
// (the title shown stays). The bubble runs its window on a thread of its own, so it shows and
// answers the pointer while the main thread is busy. A notice that arrives while the bubble slides
// away waits (only the newest) and gets a bubble of its own right after.
//
// Threads: Show from any thread; the action runs on the bubble's thread. Shutdown joins the
// thread; notices after it are dropped. BubbleLock guards the hand-over and is innermost.
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <mutex>
#include <optional>
#include <string>
#include <thread>

#include "desktop/bubble_state.h"

namespace platform {
class PictureWindow;
}

extern std::mutex BubbleLock;

class VornBubble {
 public:
  VornBubble() = default;
  ~VornBubble();  // shuts down when that has not happened
  VornBubble(const VornBubble&) = delete;
  VornBubble& operator=(const VornBubble&) = delete;

  // Shows the notice, or hands it to the bubble that shows. False when it was dropped: shutdown has
  // begun or the bubble's thread could not start.
  bool Show(const std::string& title, const std::string& text, std::function<bool()> action, int durationMs);
  // Ends the bubble at once (no animation) and joins its thread. Notices from now on are dropped.
  void Shutdown();

  // For tests: the X window of the bubble while one shows (0 otherwise), and whether one runs.
  uint64_t WindowId() const;
  bool Running() const;
  // For tests: the title and text the bubble shows now.
  BubbleNotice Showing() const;

 private:
  void ThreadMain(BubbleNotice first);
  // One bubble from slide-in to gone; returns with the state Gone, or early at shutdown.
  void RunBubble(platform::PictureWindow& window, class BubblePainter& painter, BubbleNotice notice);

  // Guarded by BubbleLock.
  bool running_ = false;
  bool shuttingDown_ = false;
  std::optional<BubbleNotice> pending_;  // the newest notice not yet taken by the thread
  platform::PictureWindow* window_ = nullptr;
  uint64_t windowId_ = 0;
  BubbleNotice showing_;
  std::thread thread_;
};

// The program's bubble (VornBubble::Show of the job thread's export notice).
extern VornBubble gBubble;
