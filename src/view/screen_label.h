#pragma once
// ScreenLabel: a text drawn for one frame only, at a position in window pixels (x right, y down).
// The bone display queues the names of hovered joints; the next GUI pass draws the queue and
// empties it.
#include <string>

struct ScreenLabel {
  float x = 0.0f;
  float y = 0.0f;
  std::string text;
};
