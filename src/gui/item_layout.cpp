#include "gui/item_layout.h"

namespace {

int32_t Moved(int32_t field, float change) { return static_cast<int32_t>(static_cast<float>(field) + change); }

}  // namespace

void AdjustRect(ItemRect& rect, float dw, float dh) {
  const uint32_t flags = rect.flags;
  if (flags == ITEM_FIXED) return;
  if (flags & ITEM_MOVE_X) rect.x = Moved(rect.x, dw);
  if (flags & ITEM_MOVE_Y) rect.y = Moved(rect.y, dh);
  if (flags & ITEM_GROW_W) rect.w = Moved(rect.w, dw);
  if (flags & ITEM_GROW_H) rect.h = Moved(rect.h, dh);
  if (flags & ITEM_CENTER_X) rect.x = Moved(rect.x, dw * 0.5f);
  if (flags & ITEM_CENTER_Y) rect.y = Moved(rect.y, dh * 0.5f);
}
