// The notification bubble's phases, countdown and hover rule.
#include "desktop/bubble_state.h"

#include <algorithm>

namespace {
constexpr double kSlideStepMs = 15.0;  // redraw interval while sliding
}  // namespace

void BubbleState::Start(BubbleNotice notice, double nowMs) {
  notice_ = std::move(notice);
  phase_ = BubblePhase::SlidingIn;
  startMs_ = slideFromMs_ = nowMs;
  hovered_ = false;
}

bool BubbleState::Replace(BubbleNotice notice, double nowMs) {
  if (phase_ != BubblePhase::SlidingIn && phase_ != BubblePhase::Showing) return false;
  notice_.text = std::move(notice.text);
  notice_.action = std::move(notice.action);
  notice_.durationMs = notice.durationMs;
  startMs_ = nowMs;
  return true;
}

void BubbleState::PointerMoved(double nowMs) {
  if (phase_ == BubblePhase::Gone) return;
  hovered_ = true;
  startMs_ = nowMs;
}

void BubbleState::PointerLeft() { hovered_ = false; }

void BubbleState::Hide(double nowMs) {
  if (phase_ != BubblePhase::SlidingIn && phase_ != BubblePhase::Showing) return;
  // Sliding out starts from wherever sliding in has come.
  const double shown = Shown(nowMs);
  phase_ = BubblePhase::SlidingOut;
  slideFromMs_ = nowMs - (1.0 - shown) * kSlideMs;
}

void BubbleState::Tick(double nowMs) {
  switch (phase_) {
    case BubblePhase::SlidingIn:
      if (nowMs - slideFromMs_ >= kSlideMs) phase_ = BubblePhase::Showing;
      [[fallthrough]];
    case BubblePhase::Showing:
      if (!hovered_ && nowMs - startMs_ >= notice_.durationMs) Hide(nowMs);
      break;
    case BubblePhase::SlidingOut:
      if (nowMs - slideFromMs_ >= kSlideMs) phase_ = BubblePhase::Gone;
      break;
    case BubblePhase::Gone: break;
  }
}

double BubbleState::Shown(double nowMs) const {
  const double slid = std::clamp((nowMs - slideFromMs_) / kSlideMs, 0.0, 1.0);
  switch (phase_) {
    case BubblePhase::SlidingIn: return slid;
    case BubblePhase::Showing: return 1.0;
    case BubblePhase::SlidingOut: return 1.0 - slid;
    case BubblePhase::Gone: return 0.0;
  }
  return 0.0;
}

double BubbleState::NextChangeInMs(double nowMs) const {
  switch (phase_) {
    case BubblePhase::SlidingIn:
    case BubblePhase::SlidingOut: return kSlideStepMs;
    case BubblePhase::Showing:
      return hovered_ ? 1000.0 : std::max(0.0, startMs_ + notice_.durationMs - nowMs);
    case BubblePhase::Gone: return 0.0;
  }
  return 0.0;
}
