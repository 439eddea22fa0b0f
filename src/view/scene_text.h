#pragma once
// SceneText: the text output the 3D pass uses for labels it places in the scene (the sizes of
// the bounding boxes). The view has no fonts: the application plugs in the GUI's default font.
// Texts are laid out in the current model-view matrix from a cursor as the GUI lays them out:
// the baseline along +x, glyphs rising towards -y, a point size in units of the matrix.
#include <functional>

#include "view/vec3.h"

struct SceneTextStyle {
  float pointSize = 10.0f;
  float slant = 0.0f;
  float alphaRef = 0.1f;  // glyph pixels with an alpha not above it are discarded
};

struct SceneText {
  // The width of text in the style (right minus left of its bounding box).
  std::function<float(const char* text, const SceneTextStyle& style)> width;
  // Draws text in the style from cursor, in the current GL colour, with the font's texture (2D
  // texturing must be on) and the style's alpha test, which is off again afterwards.
  std::function<void(const char* text, const SceneTextStyle& style, Vec3 cursor)> draw;

  bool IsPlugged() const { return width && draw; }
};
