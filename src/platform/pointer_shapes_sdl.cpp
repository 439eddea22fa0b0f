// The desktop pointer's shapes over the program's windows: SDL's system cursors, made once and
// kept until video stops.
#include <SDL.h>

#include "platform/video_sdl.h"

namespace platform::sdl {

namespace {

constexpr int kShapeCount = 5;

SDL_Cursor* gCursors[kShapeCount] = {};  // main thread only, by PointerShape (the arrow stays null)

SDL_SystemCursor SystemCursor(PointerShape shape) {
  switch (shape) {
    case PointerShape::ResizeNwSe: return SDL_SYSTEM_CURSOR_SIZENWSE;
    case PointerShape::ResizeNeSw: return SDL_SYSTEM_CURSOR_SIZENESW;
    case PointerShape::ResizeWestEast: return SDL_SYSTEM_CURSOR_SIZEWE;
    case PointerShape::ResizeNorthSouth: return SDL_SYSTEM_CURSOR_SIZENS;
    case PointerShape::Arrow: break;
  }
  return SDL_SYSTEM_CURSOR_ARROW;
}

}  // namespace

// The arrow is SDL's default cursor, the one the window had from the start.
void ShowPointerShape(PointerShape shape) {
  if (ShownPointerShape() == shape) return;
  if (shape == PointerShape::Arrow) {
    if (SDL_Cursor* standard = SDL_GetDefaultCursor()) SDL_SetCursor(standard);
    return;
  }
  SDL_Cursor*& cursor = gCursors[static_cast<int>(shape)];
  if (!cursor) cursor = SDL_CreateSystemCursor(SystemCursor(shape));
  if (cursor) SDL_SetCursor(cursor);
}

// SDL's default cursor, or any cursor not made here, is the arrow.
PointerShape ShownPointerShape() {
  const SDL_Cursor* current = SDL_GetCursor();
  for (int i = 0; i < kShapeCount; ++i) {
    if (current && gCursors[i] == current) return static_cast<PointerShape>(i);
  }
  return PointerShape::Arrow;
}

void FreePointerShapes() {
  if (SDL_Cursor* standard = SDL_GetDefaultCursor()) SDL_SetCursor(standard);
  for (SDL_Cursor*& cursor : gCursors) {
    if (cursor) SDL_FreeCursor(cursor);
    cursor = nullptr;
  }
}

}  // namespace platform::sdl
