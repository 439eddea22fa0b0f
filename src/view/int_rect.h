#pragma once
// IntRect: an integer rectangle (a viewport) with x1 <= x2 and y1 <= y2.
#include <algorithm>
#include <cstdint>

struct IntRect {
  int32_t x1 = 0;
  int32_t y1 = 0;
  int32_t x2 = 0;
  int32_t y2 = 0;

  // From two corners (xa, ya) and (xb, yb) in any order: x1/x2 the smaller/larger x, likewise y.
  void Set(int32_t xa, int32_t ya, int32_t xb, int32_t yb) {
    x1 = std::min(xa, xb);
    x2 = std::max(xa, xb);
    y1 = std::min(ya, yb);
    y2 = std::max(ya, yb);
  }
};
static_assert(sizeof(IntRect) == 16, "IntRect is four int32");
