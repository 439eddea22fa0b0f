#include "desktop/window_frame.h"

#include <algorithm>

using platform::EventType;
using platform::HitArea;

WindowFrame::WindowFrame() {
  slots_[Index(FrameButton::Close)].visible = true;
  slots_[Index(FrameButton::Maximise)].visible = true;
  slots_[Index(FrameButton::Minimise)].visible = true;
}

void WindowFrame::SetWindowSize(int width, int height) {
  windowWidth_ = std::max(0, width);
  windowHeight_ = std::max(0, height);
}

int WindowFrame::ClientWidth() const { return std::max(0, windowWidth_ - 2 * kBorder); }
int WindowFrame::ClientHeight() const { return std::max(0, windowHeight_ - kCaptionArea - kBorder); }

void WindowFrame::SetMaximised(bool maximised) {
  maximised_ = maximised;
  slots_[Index(FrameButton::Maximise)].visible = !maximised;
  slots_[Index(FrameButton::Restore)].visible = maximised;
}

FrameBox WindowFrame::TitleBox() const {
  const int left = kBorder + 22;
  const int top = SizeOffset() + kBorder;
  return {left, top, std::max(0, windowWidth_ - 70 - left), std::max(0, kCaptionArea - 2 - top)};
}

std::optional<FrameBox> WindowFrame::ButtonBox(FrameButton button) const {
  int k = 0;
  for (int i = 0; i < kFrameButtonCount; ++i) {
    if (!slots_[i].visible) continue;
    if (i == Index(button)) return FrameBox{windowWidth_ - kButtonSpacing * k - 22, ButtonTop(), kButtonSize, kButtonSize};
    ++k;
  }
  return std::nullopt;
}

// The press box is the picture's box less its last column and two last rows (the pictures keep
// a transparent margin there), so neighbouring buttons never share a point.
std::optional<FrameButton> WindowFrame::ButtonAt(int x, int y) const {
  for (int i = 0; i < kFrameButtonCount; ++i) {
    const auto box = ButtonBox(static_cast<FrameButton>(i));
    if (box && x >= box->x && x <= box->x + 14 && y >= box->y && y <= box->y + 13) return static_cast<FrameButton>(i);
  }
  return std::nullopt;
}

HitArea WindowFrame::HitTest(int x, int y) const {
  const int w = windowWidth_;
  if (ClientBox().Contains(x, y)) return HitArea::Client;
  if (!maximised_) {
    const bool top = y <= kResizeReach, beside = y <= kCaptionArea;
    if (top && x <= kResizeReach) return HitArea::TopLeft;
    if (top && x >= w - kBorder) return HitArea::TopRight;
    if (beside && x <= kEdgeReach) return HitArea::Left;
    if (beside && x >= w - kBorder) return HitArea::Right;
    if (y <= kEdgeReach) return HitArea::Top;
  }
  if (ButtonAt(x, y)) return HitArea::Button;
  if (y <= kCaptionArea) return HitArea::Caption;
  return maximised_ ? HitArea::Frame : EdgeAt(x, y);
}

// The sizing border below the caption band: the sides and the bottom, with corners reaching
// twice the border along each edge.
HitArea WindowFrame::EdgeAt(int x, int y) const {
  const int w = windowWidth_, h = windowHeight_;
  const int corner = 2 * kBorder;
  const bool bottom = y >= h - kBorder, nearBottom = y >= h - corner;
  const bool left = x < kBorder, right = x >= w - kBorder;
  if ((bottom && x < corner) || (left && nearBottom)) return HitArea::BottomLeft;
  if ((bottom && x >= w - corner) || (right && nearBottom)) return HitArea::BottomRight;
  if (bottom) return HitArea::Bottom;
  if (left) return HitArea::Left;
  if (right) return HitArea::Right;
  return HitArea::Frame;
}

bool WindowFrame::UpdateHover(int x, int y) {
  const bool overButton = HitTest(x, y) == HitArea::Button;
  const std::optional<FrameButton> under = overButton ? ButtonAt(x, y) : std::nullopt;
  bool changed = false;
  for (int i = 0; i < kFrameButtonCount; ++i) {
    const bool hover = under && Index(*under) == i;
    changed |= slots_[i].hover != hover;
    slots_[i].hover = hover;
  }
  return changed;
}

FrameAction WindowFrame::Press(int x, int y) const {
  if (HitTest(x, y) != HitArea::Button) return FrameAction::None;
  const std::optional<FrameButton> button = ButtonAt(x, y);
  if (!button) return FrameAction::None;
  switch (*button) {
    case FrameButton::Close: return FrameAction::Close;
    case FrameButton::Maximise: return FrameAction::Maximise;
    case FrameButton::Restore: return FrameAction::Restore;
    case FrameButton::Minimise: return FrameAction::Minimise;
  }
  return FrameAction::None;
}

WindowFrame::EventResponse WindowFrame::HandleEvent(const platform::Event& event) {
  EventResponse response;
  const int x = event.x + kBorder, y = event.y + kCaptionArea;  // client to window coordinates
  const bool inClient = ClientBox().Contains(x, y);
  const bool buttonsHeld = (event.modifiers & (platform::kModLeftButton | platform::kModRightButton |
                                               platform::kModMiddleButton)) != 0;
  switch (event.type) {
    case EventType::Resized: SetWindowSize(event.x + 2 * kBorder, event.y + kCaptionArea + kBorder); break;
    case EventType::Activated: active_ = event.active; break;
    case EventType::Maximized: SetMaximised(true); break;
    case EventType::Restored: SetMaximised(false); break;
    case EventType::MouseLeave:
      UpdateHover(-1, -1);
      pointerInClient_ = false;
      break;
    case EventType::CaptionDoubleClick:
      response.action = CaptionDoubleClick();
      response.consumed = true;
      break;
    case EventType::MouseMove:
      UpdateHover(x, y);
      response.pointerLeftClient = pointerInClient_ && !inClient && !buttonsHeld;
      if (!buttonsHeld) pointerInClient_ = inClient;
      response.consumed = !inClient && !buttonsHeld;
      break;
    case EventType::ButtonDown:
      if (inClient) break;
      response.consumed = true;
      if (event.button == platform::MouseButton::Left) response.action = Press(x, y);
      break;
    case EventType::Wheel: response.consumed = !inClient; break;
    default: break;
  }
  return response;
}
