#pragma once
// FramePainter: draws the main window's own frame with GL over the whole window, after the 3D
// view and the GUI have drawn the client area: the caption band and borders as four-corner
// gradients of the current theme, a thin edge around the client area, the caption icon, the
// title and the caption buttons (hover pictures while hovered).
//
// Its pictures are read from the program folder at start-up (LoadPictures, before GL exists) and
// become textures at the first Draw; ReleaseGl frees them while the context is still current.
#include <cstdint>
#include <string>

#include "desktop/canvas.h"
#include "desktop/colour_themes.h"
#include "desktop/text_painter.h"
#include "desktop/window_frame.h"

class FramePainter {
 public:
  FramePainter() = default;
  FramePainter(const FramePainter&) = delete;
  FramePainter& operator=(const FramePainter&) = delete;

  // Reads the caption icon, the button pictures (images/frame/) and the title font from the
  // program folder (the working folder). A missing picture is a fatal error; without the font
  // the title is not written.
  void LoadPictures();
  bool PicturesLoaded() const { return loaded_; }

  // Draws the frame of the window (frame's size) in theme's colours. Main thread, the window's
  // context current; GL state is left as it was found.
  void Draw(const WindowFrame& frame, const ThemeColours& theme, const std::string& title);

  // Frees the textures. Main thread, the window's context current.
  void ReleaseGl();

 private:
  enum Picture { kIcon, kClose, kCloseHover, kMaximise, kMaximiseHover, kRestore, kRestoreHover,
                 kMinimise, kMinimiseHover, kPictureCount };
  struct Texture {
    uint32_t id = 0;
    int width = 0, height = 0;
  };
  void Upload(Texture& texture, const Canvas& canvas);
  void DrawGradients(const WindowFrame& frame, const FrameColour corners[4]);
  void DrawEdges(const WindowFrame& frame, const ThemeColours& theme);
  void DrawPicture(const Texture& texture, int x, int y);
  void DrawTitle(const WindowFrame& frame, const ThemeColours& theme, const std::string& title);

  bool loaded_ = false;
  Canvas pictures_[kPictureCount];
  Texture textures_[kPictureCount];
  TextPainter titleFont_;
  Texture titleTexture_;
  std::string titleKey_;  // what the title texture shows: text, colour and band size
};
