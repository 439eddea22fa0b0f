#pragma once
// The outline colour of the fields that take typing (text box, key bind): their own outline
// colour while active or hovered; after the mouse left, a 500 ms fade to grey; after an edit or a
// capture ended, a 1000 ms fade to grey; otherwise grey at half the menu alpha.
#include "gui/gui_painter.h"

struct FieldFade {
  bool fading = false;    // the mouse left; fading since start
  bool justDone = false;  // an edit or capture ended; fading since start
  float start = 0.0f;     // ms
};

// The colour for this frame at nowMs; clears fade.fading or fade.justDone once its fade is over.
Rgba FieldOutline(const Rgba& outline, bool active, FieldFade& fade, float nowMs, float menuAlpha);
