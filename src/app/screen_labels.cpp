#include "app/screen_labels.h"

#include <GL/glew.h>

#include <cmath>

#include "gui/text_output.h"

void DrawScreenLabels(std::vector<ScreenLabel>& labels) {
  glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
  const float previousSize = gTextState.pointSize;
  gTextState.pointSize = 20.0f;
  for (const ScreenLabel& label : labels) {
    // A position no window reaches (or none at all) has no whole-pixel value to draw at.
    if (!(std::fabs(label.x) < 1e9f && std::fabs(label.y) < 1e9f)) continue;
    PrintText(static_cast<int32_t>(label.x), static_cast<int32_t>(label.y), label.text.c_str());
  }
  gTextState.pointSize = previousSize;
  labels.clear();
}
