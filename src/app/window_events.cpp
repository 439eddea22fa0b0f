// The window procedure: what the main window's events do to the application.
#include "app/vorn_opengl.h"
#include "core/settings.h"
#include "desktop/custom_frame.h"

void VornOpenGL::HandleEvent(const platform::Event& event) {
  using platform::EventType;
  // The frame takes the pointer over it; the GUI sees the pointer leave when it goes there.
  const WindowFrame::EventResponse frame = gWindowFrame.HandleEvent(event);
  if (frame.pointerLeftClient) gui.HandleInput({.type = EventType::MouseLeave});
  if (frame.consumed) return;
  if (gui.HandleInput(event)) return;
  switch (event.type) {
    case EventType::Moved:
      gSettings.main_window.x = event.x;
      gSettings.main_window.y = event.y;
      break;
    case EventType::Resized:
      // Sizes from 4000 up are the window system's passing values while minimising: the view
      // keeps its size, the GUI is laid out again.
      if (event.x < 4000 && event.y < 4000) {
        ReSizeGLScene(event.x, event.y);
      } else {
        gui.ItemScale();
      }
      break;
    case EventType::Activated: active = event.active; break;
    case EventType::CloseRequested:
    case EventType::Quit: quitRequested = true; break;
    case EventType::KeyDown: KeyDownTable[event.keyCode & 0xFF] = true; break;
    // A release waits for the end of the next per-frame update, so a tap shorter than a frame
    // still reaches the hot keys.
    case EventType::KeyUp: releasedKeys.push_back(static_cast<uint8_t>(event.keyCode & 0xFF)); break;
    case EventType::Char: CharTable[event.character] = true; break;
    case EventType::Command:
      if (gSettings.tray_icon) RunTrayCommand(event.command);
      break;
    case EventType::Minimized: renderEnabled = false; break;
    case EventType::Restored:
      renderEnabled = true;
      gui.ItemScale();  // a restore without a new size brings no Resized
      break;
    case EventType::Maximized: renderEnabled = true; break;
    case EventType::MouseMove:
    case EventType::ButtonDown:
    case EventType::ButtonUp:
      mouseX = event.x;
      mouseY = event.y;
      cameraController.MouseMove(event.modifiers, event.x, event.y, gSettings.mouse_style, gui.mouseOverGui);
      break;
    default: break;
  }
}
