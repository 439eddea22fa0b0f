#pragma once
// How GUI rectangles follow a change of the window size. The flag bits of ItemRect::flags are
// tested one after the other and add up; ITEM_FIXED (all bits) is not read as bits and keeps the
// rectangle where it is.
//
//   ITEM_MOVE_X    x += dw              ITEM_GROW_W    w += dw
//   ITEM_MOVE_Y    y += dh              ITEM_GROW_H    h += dh
//   ITEM_CENTER_X  x += dw / 2 (after ITEM_MOVE_X, from the x it left)
//   ITEM_CENTER_Y  y += dh / 2 (after ITEM_MOVE_Y)
//
// Each changed field becomes the integer part (toward zero) of the field plus the float change.
#include <cstdint>

#include "core/item_rect.h"

constexpr uint32_t ITEM_MOVE_X = 0x01;
constexpr uint32_t ITEM_MOVE_Y = 0x02;
constexpr uint32_t ITEM_GROW_W = 0x04;
constexpr uint32_t ITEM_GROW_H = 0x08;
constexpr uint32_t ITEM_CENTER_X = 0x10;
constexpr uint32_t ITEM_CENTER_Y = 0x20;

// Applies the flag table of rect to a size change of dw x dh pixels.
void AdjustRect(ItemRect& rect, float dw, float dh);
