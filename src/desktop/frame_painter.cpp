#include "desktop/frame_painter.h"

#include <GL/glew.h>

#include "core/log.h"
#include "desktop/desktop_look.h"

namespace {

struct PictureFile {
  int id;  // the number the fatal error names
  const char* path;
};

// In the painter's picture order; the ids follow the icon numbers the frame has always reported.
constexpr PictureFile kPictureFiles[] = {
    {107, "images/frame/caption_icon.bmp"}, {165, "images/frame/close.bmp"},
    {160, "images/frame/close_hover.bmp"},  {166, "images/frame/maximise.bmp"},
    {163, "images/frame/maximise_hover.bmp"}, {168, "images/frame/restore.bmp"},
    {164, "images/frame/restore_hover.bmp"}, {167, "images/frame/minimise.bmp"},
    {161, "images/frame/minimise_hover.bmp"},
};

constexpr int kTitlePixelSize = 14;

void Vertex(const FrameColour& c, int x, int y) {
  glColor4ub(static_cast<GLubyte>(c.r >> 8), static_cast<GLubyte>(c.g >> 8), static_cast<GLubyte>(c.b >> 8), 255);
  glVertex2i(x, y);
}

// A rectangle from colour a to colour b, left to right (horizontal) or top to bottom.
void GradientRect(int x, int y, int width, int height, const FrameColour& a, const FrameColour& b, bool horizontal) {
  glBegin(GL_QUADS);
  Vertex(a, x, y);
  Vertex(horizontal ? b : a, x + width, y);
  Vertex(b, x + width, y + height);
  Vertex(horizontal ? a : b, x, y + height);
  glEnd();
}

void SolidRect(int x, int y, int width, int height, uint32_t packed) {
  glColor4ub(packed & 0xFF, (packed >> 8) & 0xFF, (packed >> 16) & 0xFF, 255);
  glRecti(x, y, x + width, y + height);
}

Rgba RgbaFromPacked(uint32_t packed, uint8_t alpha) {
  return {static_cast<uint8_t>(packed), static_cast<uint8_t>(packed >> 8), static_cast<uint8_t>(packed >> 16), alpha};
}

}  // namespace

void FramePainter::LoadPictures() {
  for (int i = 0; i < kPictureCount; ++i) {
    if (!ReadBmpFile(kPictureFiles[i].path, pictures_[i])) VornLog::FatalErrorf("Cannot load icon. ID:%i", kPictureFiles[i].id);
  }
  if (!titleFont_.Load(desktop_look::kRegularFont, kTitlePixelSize)) {
    VornLog::Warningf("Window frame: cannot load font '%s'", desktop_look::kRegularFont);
  }
  loaded_ = true;
}

void FramePainter::Upload(Texture& texture, const Canvas& canvas) {
  if (texture.id == 0) glGenTextures(1, &texture.id);
  glBindTexture(GL_TEXTURE_2D, texture.id);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
  glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
  glPixelStorei(GL_UNPACK_ROW_LENGTH, 0);
  glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, canvas.Width(), canvas.Height(), 0, GL_RGBA, GL_UNSIGNED_BYTE, canvas.Pixels());
  texture.width = canvas.Width();
  texture.height = canvas.Height();
}

void FramePainter::Draw(const WindowFrame& frame, const ThemeColours& theme, const std::string& title) {
  const int w = frame.WindowWidth(), h = frame.WindowHeight();
  if (w <= 0 || h <= 0) return;
  GLint program = 0, viewport[4];
  glGetIntegerv(GL_CURRENT_PROGRAM, &program);
  glGetIntegerv(GL_VIEWPORT, viewport);
  glPushAttrib(GL_ALL_ATTRIB_BITS);
  glUseProgram(0);
  glViewport(0, 0, w, h);
  glMatrixMode(GL_PROJECTION);
  glPushMatrix();
  glLoadIdentity();
  glOrtho(0.0, w, h, 0.0, -1.0, 1.0);
  glMatrixMode(GL_MODELVIEW);
  glPushMatrix();
  glLoadIdentity();
  glDisable(GL_DEPTH_TEST);
  glDisable(GL_LIGHTING);
  glDisable(GL_CULL_FACE);
  glDisable(GL_SCISSOR_TEST);
  glDisable(GL_ALPHA_TEST);
  glDisable(GL_TEXTURE_2D);
  glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
  glEnable(GL_BLEND);
  glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);

  DrawGradients(frame, theme.Corners(frame.Active()));
  DrawEdges(frame, theme);
  if (loaded_) {
    for (int i = 0; i < kPictureCount; ++i) {
      if (textures_[i].id == 0) Upload(textures_[i], pictures_[i]);
    }
    const FrameBox icon = frame.IconBox();
    DrawPicture(textures_[kIcon], icon.x, icon.y);
    DrawTitle(frame, theme, title);
    static constexpr Picture kButtonPictures[kFrameButtonCount][2] = {
        {kClose, kCloseHover}, {kMaximise, kMaximiseHover}, {kRestore, kRestoreHover}, {kMinimise, kMinimiseHover}};
    for (int i = 0; i < kFrameButtonCount; ++i) {
      const auto button = static_cast<FrameButton>(i);
      if (const auto box = frame.ButtonBox(button)) {
        DrawPicture(textures_[kButtonPictures[i][frame.Hovered(button) ? 1 : 0]], box->x, box->y);
      }
    }
  }

  glBindTexture(GL_TEXTURE_2D, 0);
  glMatrixMode(GL_PROJECTION);
  glPopMatrix();
  glMatrixMode(GL_MODELVIEW);
  glPopMatrix();
  glPopAttrib();
  glViewport(viewport[0], viewport[1], viewport[2], viewport[3]);
  glUseProgram(static_cast<GLuint>(program));
}

// The caption band left to right, then the left, right and bottom borders over it.
void FramePainter::DrawGradients(const WindowFrame& frame, const FrameColour corners[4]) {
  const int w = frame.WindowWidth(), h = frame.WindowHeight(), b = WindowFrame::kBorder;
  GradientRect(0, 0, w, WindowFrame::kCaptionArea, corners[kTopLeft], corners[kTopRight], true);
  GradientRect(0, 0, b, h, corners[kTopLeft], corners[kBottomLeft], false);
  GradientRect(w - b, 0, b, h, corners[kTopRight], corners[kBottomRight], false);
  GradientRect(0, h - b, w, b, corners[kBottomLeft], corners[kBottomRight], true);
}

// One-pixel lines just outside the client area: above and left in the first inner-line colour,
// right and below in the second.
void FramePainter::DrawEdges(const WindowFrame& frame, const ThemeColours& theme) {
  const FrameBox c = frame.ClientBox();
  SolidRect(c.x - 1, c.y - 1, c.width + 2, 1, theme.firstInnerLine);
  SolidRect(c.x - 1, c.y, 1, c.height + 1, theme.firstInnerLine);
  SolidRect(c.x + c.width, c.y, 1, c.height + 1, theme.secondInnerLine);
  SolidRect(c.x, c.y + c.height, c.width, 1, theme.secondInnerLine);
}

void FramePainter::DrawPicture(const Texture& texture, int x, int y) {
  if (texture.id == 0) return;
  glEnable(GL_TEXTURE_2D);
  glBindTexture(GL_TEXTURE_2D, texture.id);
  glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
  glColor4ub(255, 255, 255, 255);
  glBegin(GL_QUADS);
  glTexCoord2f(0, 0), glVertex2i(x, y);
  glTexCoord2f(1, 0), glVertex2i(x + texture.width, y);
  glTexCoord2f(1, 1), glVertex2i(x + texture.width, y + texture.height);
  glTexCoord2f(0, 1), glVertex2i(x, y + texture.height);
  glEnd();
  glDisable(GL_TEXTURE_2D);
}

// The title, cut with "..." to its band's width and centred on the band vertically (descenders
// may reach below the band); rendered again only when the text, its colour or the band changes.
void FramePainter::DrawTitle(const WindowFrame& frame, const ThemeColours& theme, const std::string& title) {
  const FrameBox band = frame.TitleBox();
  if (!titleFont_.Loaded() || band.width <= 0 || band.height <= 0) return;
  const int lineHeight = titleFont_.LineHeight();
  const std::string key = title + '\n' + std::to_string(theme.captionText) + '\n' + std::to_string(band.width);
  if (key != titleKey_ || titleTexture_.id == 0) {
    Canvas text(band.width, lineHeight, RgbaFromPacked(theme.captionText, 0));
    titleFont_.Draw(text, 0, 0, titleFont_.Ellipsize(title, band.width), RgbaFromPacked(theme.captionText, 255));
    Upload(titleTexture_, text);
    titleKey_ = key;
  }
  DrawPicture(titleTexture_, band.x, band.y + (band.height - lineHeight) / 2);
}

void FramePainter::ReleaseGl() {
  for (Texture& texture : textures_) {
    if (texture.id != 0) glDeleteTextures(1, &texture.id);
    texture = {};
  }
  if (titleTexture_.id != 0) glDeleteTextures(1, &titleTexture_.id);
  titleTexture_ = {};
  titleKey_.clear();
}
