#include "gui/gui_2d.h"

#include <GL/glew.h>

#include "gui/text_output.h"

namespace {
bool g2DOpen = false;
}  // namespace

void Begin2D(int32_t layoutWidth, int32_t layoutHeight) {
  if (g2DOpen) return;
  g2DOpen = true;
  glMatrixMode(GL_MODELVIEW);
  glPushMatrix();
  glLoadIdentity();
  glMatrixMode(GL_PROJECTION);
  glPushMatrix();
  glLoadIdentity();
  glOrtho(0.0, static_cast<double>(layoutWidth), static_cast<double>(layoutHeight), 0.0, -1.0, 1.0);
  // The pass pushes and translates per menu and per text: on the model-view stack, which is
  // deep enough for that, not on the projection stack.
  glMatrixMode(GL_MODELVIEW);
  glEnable(GL_TEXTURE_2D);
  ResetTextCursor();
}

void End2D() {
  glBindTexture(GL_TEXTURE_2D, 0);
  if (!g2DOpen) return;
  g2DOpen = false;
  glMatrixMode(GL_PROJECTION);
  glPopMatrix();
  glMatrixMode(GL_MODELVIEW);
  glDisable(GL_TEXTURE_2D);
  glPopMatrix();
}

bool Is2DOpen() { return g2DOpen; }
