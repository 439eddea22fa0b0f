#pragma once
// ItemRect: the rectangle of every GUI menu and item, and of the layout rectangles kept in the
// settings. The flag bits say how the rectangle follows a resize of the window; the GUI owns
// their meaning. ITEM_FIXED means the rectangle never moves.
#include <cstdint>

constexpr uint32_t ITEM_FIXED = 0xFFFFFFFFu;

struct ItemRect {
  int32_t x = 0;
  int32_t y = 0;
  int32_t w = 0;
  int32_t h = 0;
  uint32_t flags = ITEM_FIXED;
};
static_assert(sizeof(ItemRect) == 20, "ItemRect is a 20-byte record");
