#pragma once
// The main window's own frame as the application uses it: one global object (its place in the
// order of globals is core/global_order.h's kRankWindowFrame) joining the frame's logic and its
// painter, and the calls that wire it to the platform window.
//
//   start-up   LoadPictures (before the window), Attach (after it is created, before it shows)
//   events     HandleEvent, first in the window procedure
//   frames     Draw, after the GUI pass
//   shutdown   ReleaseGl, while the context is current
#include <memory>

#include "desktop/window_frame.h"
#include "platform/events.h"
#include "platform/window.h"

class FramePainter;

class CustomWindowFrame {
 public:
  CustomWindowFrame();
  ~CustomWindowFrame();
  // Reads the frame's pictures and title font from the program folder (fatal when a picture is
  // missing). Start-up, before the window exists.
  void LoadPictures();
  // Takes the window's decorations away and gives it this frame: its insets and its hit test.
  // Once per window.
  void Attach(platform::MainWindow& window);
  // Applies the window event to the frame and carries out what a frame press or caption double
  // click asks (maximise, restore, minimise; close posts CloseRequested). The response says
  // whether the event was the frame's own and whether the pointer just left the client area.
  WindowFrame::EventResponse HandleEvent(const platform::Event& event);
  // Draws the frame for the window's current size, title, state and the current theme.
  void Draw();
  void ReleaseGl();

  WindowFrame frame;

 private:
  platform::MainWindow* window_ = nullptr;
  std::unique_ptr<FramePainter> painter_;  // its own header: its picture type is the desktop's
};

extern CustomWindowFrame gWindowFrame;
