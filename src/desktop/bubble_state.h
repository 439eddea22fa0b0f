#pragma once
// BubbleState: what the notification bubble shows and when, apart from any window or clock, so
// its rules can be checked with made-up times.
//
//   Start     a notice begins: the bubble slides in and its countdown runs from that moment
//   Replace   a notice that arrives while one shows: its text, action and time replace the
//             current ones and the countdown starts again; the title shown stays
//   pointer   while the pointer rests on the bubble it stays; every movement over it restarts
//             the countdown, which runs again once the pointer has left
//   Hide      the bubble slides out (time up, or a click whose action returned true)
//   Tick      moves the phases on with the time
#include <functional>
#include <string>

struct BubbleNotice {
  std::string title;
  std::string text;
  std::function<bool()> action;  // run on a left click; true hides the bubble. May be empty.
  int durationMs = 0;
};

enum class BubblePhase { SlidingIn, Showing, SlidingOut, Gone };

class BubbleState {
 public:
  static constexpr double kSlideMs = 300.0;

  void Start(BubbleNotice notice, double nowMs);
  // False (nothing changed) once the bubble slides out or is gone: the notice needs a new bubble.
  bool Replace(BubbleNotice notice, double nowMs);
  void PointerMoved(double nowMs);  // entering counts as a movement
  void PointerLeft();
  void Hide(double nowMs);
  void Tick(double nowMs);

  BubblePhase Phase() const { return phase_; }
  bool Hovered() const { return hovered_; }
  const BubbleNotice& Notice() const { return notice_; }
  // How much of the bubble is out, 0 (hidden) to 1 (all of it).
  double Shown(double nowMs) const;
  // Milliseconds until Tick may change something (a slide step, or the countdown's end).
  double NextChangeInMs(double nowMs) const;

 private:
  BubbleNotice notice_;
  BubblePhase phase_ = BubblePhase::Gone;
  double startMs_ = 0;      // the countdown's start
  double slideFromMs_ = 0;  // the current slide's start
  bool hovered_ = false;
};
