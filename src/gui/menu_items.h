#pragma once
// The records of a menu's items, one struct per kind. Rectangles are relative to the menu;
// colours are r, g, b, a in 0..1 (drawn with the menu's alpha multiplied in). The builder copies
// them into the menu's lists; bound pointers point at objects that outlive the GUI.
//
// Each kind has its own list in Menu (gui/menu.h), drawn by the GUI pass in a fixed order of
// kinds, and either follows window resizes (Menu::ItemScale) or never does. A new kind adds its
// record here, its list to Menu, and one line each to the pass and to Menu::ItemScale.
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "core/item_rect.h"
#include "gui/gui_painter.h"

// Shapes.
struct FilledRect {
  ItemRect rect;
  Rgba colour;
};
struct RoundedRect {
  ItemRect rect;
  Rgba colour;
};
struct ImageItem {
  ItemRect rect;
  Rgba colour;
  std::string texture;  // GUI texture name
};

// A skinned button with a label: runs its callback when it has one, else its command list.
struct TextButton {
  ItemRect rect;
  Rgba labelColour;
  Rgba hoverLabelColour;
  std::string skin;       // texture name; with capped, also skin + "_sl" and skin + "_sr"
  std::string hoverSkin;
  std::vector<std::string> commands;
  bool hover = false;
  bool capped = false;    // drawn in three slices: left cap, middle, right cap
  std::string label;
  int16_t labelX = 0;     // label offset inside the button
  int16_t labelY = 0;
  std::function<void()> callback;
};

// Texts. A Label uses only its rect's x and y; its alpha is the menu's.
struct PlainLabel {
  ItemRect rect;
  std::string text;  // drawn in the GUI's text colour
};
struct Label {
  ItemRect rect;
  std::string text;
  Rgba colour;
};
// Shows the GUI's text-map value of key (VornGUI::SetTextVar).
struct ValueLabel {
  ItemRect rect;
  std::string key;
  Rgba colour;
};
// A label at its own point size; with titleFont, in Bookman-Demi (slanted).
struct FontLabel {
  ItemRect rect;
  std::string text;
  Rgba colour;
  bool titleFont = false;
  int8_t pointSize = 10;
};

// The parts of the list and text kinds that the GUI object itself addresses by name
// (VornGUI::ResetListbox, VornGUI::SetText); their drawing comes with those kinds.
struct ListBox {
  std::string name;
  ItemRect rect;
  float scrollPosition = 0.0f;  // the list's top row position; y + 5 is the top
};
struct TextBox {
  std::string name;
  ItemRect rect;
  std::string text;
};
