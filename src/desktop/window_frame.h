#pragma once
// WindowFrame: the logic of the main window's own frame, apart from drawing: its geometry, the
// caption buttons with their visibility and hover states, what each point of the window is
// (hit test), and what window events and presses do to it.
//
// The frame is a border of kBorder pixels around the client area with a caption band of
// kCaptionArea pixels on top. The caption holds the icon, the title and, right to left from the
// right edge, the buttons close, maximise or restore, and minimise, 19 pixels apart. While the
// window is maximised the icon, title and buttons sit a little lower (SizeOffset, ButtonTop).
// Coordinates are window coordinates (frame included) unless a name says client.
#include <optional>

#include "platform/events.h"
#include "platform/window.h"

// The caption buttons, by slot.
enum class FrameButton { Close = 0, Maximise = 1, Restore = 2, Minimise = 3 };
inline constexpr int kFrameButtonCount = 4;

// What a press or a double click on the frame asks of the window.
enum class FrameAction { None, Close, Maximise, Restore, Minimise };

struct FrameBox {
  int x = 0, y = 0, width = 0, height = 0;
  bool Contains(int px, int py) const { return px >= x && px < x + width && py >= y && py < y + height; }
};

class WindowFrame {
 public:
  static constexpr int kBorder = 8;                              // side and bottom border
  static constexpr int kCaptionHeight = 23;
  static constexpr int kCaptionArea = kCaptionHeight + kBorder;  // the band above the client area
  static constexpr int kButtonSize = 16;                         // button and icon pictures
  static constexpr int kButtonSpacing = 19;
  static constexpr int kResizeReach = 4;    // corners at the top reach this far in from the edge
  static constexpr int kEdgeReach = 2;      // edges beside the caption band

  // The frame's widths around the client area.
  static platform::FrameInsets Insets() { return {kBorder, kCaptionArea, kBorder, kBorder}; }

  WindowFrame();

  // ---- State from the window ---------------------------------------------------------------
  void SetWindowSize(int width, int height);
  int WindowWidth() const { return windowWidth_; }
  int WindowHeight() const { return windowHeight_; }
  int ClientWidth() const;
  int ClientHeight() const;
  bool Active() const { return active_; }
  bool Maximised() const { return maximised_; }
  void SetActive(bool active) { active_ = active; }
  // Maximised windows show restore in place of maximise, and their caption contents sit lower.
  void SetMaximised(bool maximised);

  // ---- Geometry -------------------------------------------------------------------------------
  // 2 while maximised, else 0: added to the vertical position of the icon and the title.
  int SizeOffset() const { return maximised_ ? 2 : 0; }
  int ButtonTop() const { return maximised_ ? 9 : 3; }
  // Where the button is drawn and pressed (kButtonSize square); none while it is hidden.
  std::optional<FrameBox> ButtonBox(FrameButton button) const;
  FrameBox ClientBox() const { return {kBorder, kCaptionArea, ClientWidth(), ClientHeight()}; }
  FrameBox IconBox() const { return {9, SizeOffset() + kBorder, kButtonSize, kButtonSize}; }
  // The band the title is written in, up to 70 pixels before the right edge.
  FrameBox TitleBox() const;

  // ---- Buttons --------------------------------------------------------------------------------
  bool Visible(FrameButton button) const { return slots_[Index(button)].visible; }
  bool Hovered(FrameButton button) const { return slots_[Index(button)].hover; }
  // The visible button whose press box holds the point, if any.
  std::optional<FrameButton> ButtonAt(int x, int y) const;

  // ---- Hit test and input ---------------------------------------------------------------------
  // What the point is: the client area for every point inside it, a button, the caption (moves
  // the window), an edge or corner (resizes it). While maximised the frame does not resize: its
  // edges are inert frame.
  platform::HitArea HitTest(int x, int y) const;
  // Moves the hover state to the button under the point (none outside the buttons); true when
  // a hover state changed.
  bool UpdateHover(int x, int y);
  // A left press at the point: the action of the button there.
  FrameAction Press(int x, int y) const;
  // A double click on the caption: maximise, or restore while maximised.
  FrameAction CaptionDoubleClick() const { return maximised_ ? FrameAction::Restore : FrameAction::Maximise; }

  // What a window event means to the frame. Mouse events over the frame are the frame's own
  // (consumed); events inside the client area, button releases and moves with a button held
  // (a drag that started in the client area) go on to the program.
  struct EventResponse {
    bool consumed = false;
    bool pointerLeftClient = false;  // the pointer just went from the client area onto the frame
    FrameAction action = FrameAction::None;
  };
  EventResponse HandleEvent(const platform::Event& event);

 private:
  struct Slot {
    bool visible = false;
    bool hover = false;
  };
  static int Index(FrameButton button) { return static_cast<int>(button); }
  platform::HitArea EdgeAt(int x, int y) const;

  Slot slots_[kFrameButtonCount];
  int windowWidth_ = 0, windowHeight_ = 0;
  bool active_ = false;
  bool maximised_ = false;
  bool pointerInClient_ = false;
};
