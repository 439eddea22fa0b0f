// The window frame's global object and its wiring to the platform window.
#include "desktop/custom_frame.h"

#include "core/global_order.h"
#include "core/lifetime.h"
#include "desktop/colour_themes.h"
#include "desktop/frame_painter.h"

CustomWindowFrame gWindowFrame DELVIX_GLOBAL(kRankWindowFrame);
static const LifetimeMark windowFrameMark DELVIX_GLOBAL(kRankWindowFrame){"WindowFrame"};

CustomWindowFrame::CustomWindowFrame() : painter_(std::make_unique<FramePainter>()) {}

CustomWindowFrame::~CustomWindowFrame() = default;

void CustomWindowFrame::LoadPictures() { painter_->LoadPictures(); }

void CustomWindowFrame::ReleaseGl() { painter_->ReleaseGl(); }

void CustomWindowFrame::Attach(platform::MainWindow& window) {
  window_ = &window;
  window.SetCustomFrame(WindowFrame::Insets(), [this](int x, int y) {
    // The hit test runs while events are read, possibly before the resize event: measure now.
    int width = 0, height = 0;
    window_->WindowSize(width, height);
    frame.SetWindowSize(width, height);
    return frame.HitTest(x, y);
  });
  int width = 0, height = 0;
  window.WindowSize(width, height);
  frame.SetWindowSize(width, height);
}

WindowFrame::EventResponse CustomWindowFrame::HandleEvent(const platform::Event& event) {
  const WindowFrame::EventResponse response = frame.HandleEvent(event);
  if (!window_) return response;
  switch (response.action) {
    case FrameAction::None: break;
    case FrameAction::Close: platform::PostEvent({.type = platform::EventType::CloseRequested}); break;
    case FrameAction::Maximise: window_->Maximize(); break;
    case FrameAction::Restore: window_->Restore(); break;
    case FrameAction::Minimise: window_->Minimize(); break;
  }
  return response;
}

void CustomWindowFrame::Draw() {
  if (!window_) return;
  int width = 0, height = 0;
  window_->WindowSize(width, height);
  frame.SetWindowSize(width, height);
  painter_->Draw(frame, gThemeManager.Current(), window_->Title());
}
