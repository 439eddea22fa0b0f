#pragma once
// The GUI pass's screen labels: the texts queued for one frame (the hovered joints' names).
#include <vector>

#include "view/screen_label.h"

// Draws every queued label in white at point size 20 in the current font, its text as given (no
// format directives), at its position truncated to whole pixels; then empties the queue. The
// point size is set back afterwards. Inside the GUI pass (Begin2D .. End2D).
void DrawScreenLabels(std::vector<ScreenLabel>& labels);
