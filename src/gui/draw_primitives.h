#pragma once
// The GUI's drawing primitives over GuiPainter, and the two colour fades the items use.
//
//   DrawRect, DrawRectOutline, DrawRectGradient, DrawBevel    plain shapes of a rectangle
//   DrawTexturedRect, DrawSkinRect, DrawTiledSkin, ...         textured rectangles
//   ArcPoints, DrawArc, DrawRoundedRect                        corners of radius 20
//   FadeColor, FadeOut                                         time-based alpha fades
#include <array>
#include <string>

#include "gui/gui_painter.h"
#include "gui/gui_textures.h"

// Quad over rect in the current colour; the variant sets colour first.
void DrawRect(GuiPainter& painter, const ItemRect& rect);
void DrawRect(GuiPainter& painter, const ItemRect& rect, const Rgba& colour);
// Line loop (x, y), (x - 1, y + h), (x + w, y + h), (x + w, y).
void DrawRectOutline(GuiPainter& painter, const ItemRect& rect);
void DrawRectOutline(GuiPainter& painter, const ItemRect& rect, const Rgba& colour);
// Quad with left at its left corners and right at its right corners.
void DrawRectGradient(GuiPainter& painter, const ItemRect& rect, const Rgba& left, const Rgba& right);
// Top and left edges in light, bottom and right edges in dark.
void DrawBevel(GuiPainter& painter, const ItemRect& rect, const Rgba& light, const Rgba& dark);

// Quad with the bound texture upright.
void DrawTexturedRect(GuiPainter& painter, const ItemRect& rect);
// Binds the texture of name (a TextureMap lookup: unknown names bind texture 0) and draws it
// upright over rect.
void DrawSkinRect(GuiPainter& painter, GuiTextures& textures, const std::string& name, const ItemRect& rect);
// As DrawSkinRect, the texture repeated every tileWidth x tileHeight pixels (-1: stretched once
// in that direction).
void DrawTiledSkin(GuiPainter& painter, GuiTextures& textures, const std::string& name, const ItemRect& rect,
                   float tileHeight, float tileWidth);
// The bound texture (or name's, when name is not empty) upside down, turned a quarter left or right.
void DrawFlippedSkin(GuiPainter& painter, GuiTextures& textures, const std::string& name, const ItemRect& rect);
void DrawTurnedLeftSkin(GuiPainter& painter, GuiTextures& textures, const std::string& name, const ItemRect& rect);
void DrawTurnedRightSkin(GuiPainter& painter, GuiTextures& textures, const std::string& name, const ItemRect& rect);
// The texture "s_slider_dark_end_h" turned by a half.
void DrawEndCap(GuiPainter& painter, GuiTextures& textures, const ItemRect& rect);

// The 20 points of a corner arc of radius 20 around (cx, cy), starting at startAngle (radians)
// and turning by about -1.55 radians in 19 equal steps (towards smaller y on the screen).
std::array<GuiPoint, 20> ArcPoints(float cx, float cy, float startAngle);
// ArcPoints as a line strip.
void DrawArc(GuiPainter& painter, float cx, float cy, float startAngle);
// Four straight edges and four corner arcs of radius 20 (whatever the size: a rectangle under
// 40 x 40 draws crossing edges).
void DrawRoundedRect(GuiPainter& painter, const ItemRect& rect);

// Cross-fade over duration d at elapsed e: before d / 2 the first colour with its alpha falling
// as 1 - e / d, then the second with its alpha rising from 0. colour receives the result.
// True once the fade is over (d < e).
bool FadeColor(const Rgba& first, const Rgba& second, float d, float e, Rgba& colour);
// colour with its alpha falling as 1 - e / d. True once the fade is over (d < e).
bool FadeOut(Rgba& colour, float d, float e);
