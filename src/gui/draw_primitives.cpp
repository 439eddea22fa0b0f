#include "gui/draw_primitives.h"

#include <cmath>

void DrawRect(GuiPainter& painter, const ItemRect& rect) { painter.Quad(rect); }

void DrawRect(GuiPainter& painter, const ItemRect& rect, const Rgba& colour) {
  painter.SetColour(colour);
  painter.Quad(rect);
}

void DrawRectOutline(GuiPainter& painter, const ItemRect& rect) {
  const float x = static_cast<float>(rect.x), y = static_cast<float>(rect.y);
  const float w = static_cast<float>(rect.w), h = static_cast<float>(rect.h);
  const GuiPoint loop[4] = {{x, y}, {x - 1, y + h}, {x + w, y + h}, {x + w, y}};
  painter.Lines(loop, 4, LineMode::LineLoop);
}

void DrawRectOutline(GuiPainter& painter, const ItemRect& rect, const Rgba& colour) {
  painter.SetColour(colour);
  DrawRectOutline(painter, rect);
}

void DrawRectGradient(GuiPainter& painter, const ItemRect& rect, const Rgba& left, const Rgba& right) {
  const Rgba corners[4] = {left, left, right, right};
  painter.QuadColours(rect, corners);
}

void DrawBevel(GuiPainter& painter, const ItemRect& rect, const Rgba& light, const Rgba& dark) {
  const float x = static_cast<float>(rect.x), y = static_cast<float>(rect.y);
  const float w = static_cast<float>(rect.w), h = static_cast<float>(rect.h);
  const GuiPoint lit[4] = {{x + w, y}, {x, y}, {x, y}, {x, y + h}};
  const GuiPoint shaded[4] = {{x - 1, y + h}, {x + w, y + h}, {x + w, y}, {x + w, y + h}};
  painter.SetColour(light);
  painter.Lines(lit, 4, LineMode::Lines);
  painter.SetColour(dark);
  painter.Lines(shaded, 4, LineMode::Lines);
}

void DrawTexturedRect(GuiPainter& painter, const ItemRect& rect) { painter.TexturedQuad(rect, kTexUpright); }

namespace {

void BindNamed(GuiPainter& painter, GuiTextures& textures, const std::string& name) {
  if (!name.empty()) painter.BindTexture(textures.Lookup(name));
}

}  // namespace

void DrawSkinRect(GuiPainter& painter, GuiTextures& textures, const std::string& name, const ItemRect& rect) {
  painter.BindTexture(textures.Lookup(name));
  painter.TexturedQuad(rect, kTexUpright);
}

void DrawTiledSkin(GuiPainter& painter, GuiTextures& textures, const std::string& name, const ItemRect& rect,
                   float tileHeight, float tileWidth) {
  painter.BindTexture(textures.Lookup(name));
  const float s = tileWidth == -1.0f ? 1.0f : static_cast<float>(rect.w) / tileWidth;
  const float t = tileHeight == -1.0f ? 1.0f : static_cast<float>(rect.h) / tileHeight;
  painter.TexturedQuad(rect, QuadTexCoords{{0, 0, s, s}, {t, 0, 0, t}});
}

void DrawFlippedSkin(GuiPainter& painter, GuiTextures& textures, const std::string& name, const ItemRect& rect) {
  BindNamed(painter, textures, name);
  painter.TexturedQuad(rect, kTexFlipped);
}

void DrawTurnedLeftSkin(GuiPainter& painter, GuiTextures& textures, const std::string& name, const ItemRect& rect) {
  BindNamed(painter, textures, name);
  painter.TexturedQuad(rect, kTexTurnedLeft);
}

void DrawTurnedRightSkin(GuiPainter& painter, GuiTextures& textures, const std::string& name, const ItemRect& rect) {
  BindNamed(painter, textures, name);
  painter.TexturedQuad(rect, kTexTurnedRight);
}

void DrawEndCap(GuiPainter& painter, GuiTextures& textures, const ItemRect& rect) {
  painter.BindTexture(textures.Lookup("s_slider_dark_end_h"));
  painter.TexturedQuad(rect, kTexHalfTurn);
}

std::array<GuiPoint, 20> ArcPoints(float cx, float cy, float startAngle) {
  // The step is -1.55 (as a float) in 19 parts; each point turns the last by it.
  const double step = static_cast<double>(-1.55f) / 19.0;
  const float tangent = static_cast<float>(std::tan(step));
  const float radial = static_cast<float>(std::cos(step));
  float px = 20.0f * std::cos(startAngle), py = 20.0f * std::sin(startAngle);
  std::array<GuiPoint, 20> points;
  for (GuiPoint& point : points) {
    point = {cx + px, cy + py};
    const float nx = (px - py * tangent) * radial;
    const float ny = (py + px * tangent) * radial;
    px = nx;
    py = ny;
  }
  return points;
}

void DrawArc(GuiPainter& painter, float cx, float cy, float startAngle) {
  const std::array<GuiPoint, 20> points = ArcPoints(cx, cy, startAngle);
  painter.Lines(points.data(), points.size(), LineMode::LineStrip);
}

void DrawRoundedRect(GuiPainter& painter, const ItemRect& rect) {
  const float x = static_cast<float>(rect.x), y = static_cast<float>(rect.y);
  const float w = static_cast<float>(rect.w), h = static_cast<float>(rect.h);
  const GuiPoint edges[8] = {{x, y + 20},     {x, y + h - 20},     {x + 20, y},     {x + w - 20, y},
                             {x + 20, y + h}, {x + w - 20, y + h}, {x + w, y + 20}, {x + w, y + h - 20}};
  painter.Lines(edges, 8, LineMode::Lines);
  DrawArc(painter, x + 20, y + h - 20, 22.0f);
  DrawArc(painter, x + 20, y + 20, 4.7f);
  DrawArc(painter, x + w - 20, y + 20, -0.05f);
  DrawArc(painter, x + w - 20, y + h - 20, 1.5f);
}

bool FadeColor(const Rgba& first, const Rgba& second, float d, float e, Rgba& colour) {
  if (e < d / 2) {
    colour = {first.r, first.g, first.b, first.a * (1.0f - e / d)};
  } else {
    colour = {second.r, second.g, second.b, second.a * (e - d / 2) / (d / 2)};
  }
  return d < e;
}

bool FadeOut(Rgba& colour, float d, float e) {
  colour.a *= 1.0f - e / d;
  return d < e;
}
