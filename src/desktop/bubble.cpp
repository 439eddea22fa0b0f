// The notification bubble's thread and window.
#include "desktop/bubble.h"

#include <chrono>
#include <system_error>

#include "core/global_order.h"
#include "core/lifetime.h"
#include "desktop/bubble_painter.h"
#include "platform/picture_window.h"

constinit std::mutex BubbleLock;
static const LifetimeMark bubbleLockMark DELVIX_GLOBAL(kRankBubbleLock){"BubbleLock"};

VornBubble gBubble DELVIX_GLOBAL(kRankBubble);
static const LifetimeMark bubbleMark DELVIX_GLOBAL(kRankBubble){"VornBubble"};

namespace {

double NowMs() {
  using namespace std::chrono;
  return duration<double, std::milli>(steady_clock::now().time_since_epoch()).count();
}

// Where the bubble stands with `shown` of its height out: its bottom edge on the work area's
// bottom, its right edge on the work area's right; the part that is out shows the picture's top.
platform::ScreenRect PlaceBubble(const platform::ScreenRect& work, double shown) {
  const int height = static_cast<int>(BubblePainter::kHeight * shown + 0.5);
  return {work.x + work.width - BubblePainter::kWidth, work.y + work.height - height, BubblePainter::kWidth, height};
}

}  // namespace

VornBubble::~VornBubble() { Shutdown(); }

bool VornBubble::Show(const std::string& title, const std::string& text, std::function<bool()> action,
                      int durationMs) {
  BubbleNotice notice{title, text, std::move(action), durationMs};
  std::lock_guard<std::mutex> lock(BubbleLock);
  if (shuttingDown_) return false;
  if (running_) {
    pending_ = std::move(notice);  // an older one not yet taken is replaced: nothing piles up
    if (window_) window_->Wake();
    return true;
  }
  // A thread that has ended its bubble sets running_ last: joining it here is immediate.
  if (thread_.joinable()) thread_.join();
  try {
    thread_ = std::thread(&VornBubble::ThreadMain, this, std::move(notice));
  } catch (const std::system_error&) {
    return false;
  }
  running_ = true;
  return true;
}

void VornBubble::Shutdown() {
  std::thread thread;
  {
    std::lock_guard<std::mutex> lock(BubbleLock);
    shuttingDown_ = true;
    pending_.reset();
    if (window_) window_->Wake();
    thread = std::move(thread_);
  }
  if (thread.joinable()) thread.join();
}

uint64_t VornBubble::WindowId() const {
  std::lock_guard<std::mutex> lock(BubbleLock);
  return windowId_;
}

bool VornBubble::Running() const {
  std::lock_guard<std::mutex> lock(BubbleLock);
  return running_;
}

BubbleNotice VornBubble::Showing() const {
  std::lock_guard<std::mutex> lock(BubbleLock);
  return {showing_.title, showing_.text, nullptr, showing_.durationMs};
}

void VornBubble::ThreadMain(BubbleNotice first) {
  platform::PictureWindow window;
  BubblePainter painter;
  const bool ready = painter.Load() && window.Create("Delvix notice", platform::PictureWindowKind::Notification,
                                                    PlaceBubble({}, 0.0));
  std::optional<BubbleNotice> next = std::move(first);
  if (ready) {
    std::lock_guard<std::mutex> lock(BubbleLock);
    window_ = &window;
    windowId_ = window.NativeId();
  }
  // A notice that came while the last bubble slid away gets the next one, on this thread.
  while (ready && next) {
    RunBubble(window, painter, std::move(*next));
    std::lock_guard<std::mutex> lock(BubbleLock);
    next.reset();
    if (!shuttingDown_ && pending_) {
      next = std::move(pending_);
      pending_.reset();
    }
  }
  // Without a window (no display, no font) the notice is dropped and the program goes on.
  std::lock_guard<std::mutex> lock(BubbleLock);
  window_ = nullptr;
  windowId_ = 0;
  pending_.reset();
  showing_ = {};
  running_ = false;
}

void VornBubble::RunBubble(platform::PictureWindow& window, BubblePainter& painter, BubbleNotice notice) {
  BubbleState state;
  state.Start(std::move(notice), NowMs());
  bool repaint = true;
  bool shownBefore = false;
  for (;;) {
    {
      std::lock_guard<std::mutex> lock(BubbleLock);
      if (shuttingDown_) break;
      if (pending_ && state.Replace(std::move(*pending_), NowMs())) {
        pending_.reset();
        repaint = true;
      }
      showing_ = {state.Notice().title, state.Notice().text, nullptr, state.Notice().durationMs};
    }
    const double now = NowMs();
    state.Tick(now);
    if (state.Phase() == BubblePhase::Gone) break;
    if (repaint) {
      const Canvas picture = painter.Paint(state.Notice().title, state.Notice().text, state.Hovered());
      window.SetPicture(picture.Width(), picture.Height(), picture.Pixels());
      repaint = false;
    }
    const platform::ScreenRect rect = PlaceBubble(window.WorkArea(), state.Shown(now));
    if (rect.height > 0) {
      window.SetRect(rect);
      if (!shownBefore) window.Show();
      shownBefore = true;
    }
    platform::PictureEvent event;
    const double wait = state.NextChangeInMs(NowMs());
    if (!window.WaitEvent(event, static_cast<int>(wait + 0.999))) continue;
    switch (event.type) {
      case platform::PictureEventType::Enter:
      case platform::PictureEventType::Motion:
        repaint = repaint || !state.Hovered();
        state.PointerMoved(NowMs());
        break;
      case platform::PictureEventType::Leave:
        state.PointerLeft();
        repaint = true;
        break;
      case platform::PictureEventType::ButtonDown:
        // The action runs here, outside the lock; only a true result hides the bubble.
        if (event.button == 1 && state.Notice().action && state.Notice().action()) state.Hide(NowMs());
        break;
      default: break;
    }
  }
  window.Hide();
}
