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
#include <map>
#include <string>
#include <vector>

#include "core/item_rect.h"
#include "core/settings.h"
#include "gui/field_outline.h"
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

// A textured button: colour and texture follow the hover state; runs its command list.
struct ImageButton {
  ItemRect rect;
  Rgba colour;
  Rgba hoverColour;
  std::string texture;
  std::string hoverTexture;
  std::vector<std::string> commands;
  bool hover = false;
};

// A red, shaded button with a white label: runs its callback when it has one, else its commands.
struct FlatButton {
  ItemRect rect;
  std::string label;
  bool hover = false;
  int16_t labelX = 0;
  int16_t labelY = 0;
  std::vector<std::string> commands;
  std::function<void()> callback;
};

// A 15 x 15 box with a tick and a label; a click inverts *value.
struct CheckBox {
  std::string name;
  std::string label;
  ItemRect rect;  // the box and its label
  bool* value = nullptr;
};

// A horizontal slider from minimum to maximum; reports its value while dragged (or, release
// only, once when the drag ends) and always once at the end of a drag.
struct Slider {
  std::string name;
  ItemRect rect;
  float minimum = 0.0f;
  float maximum = 1.0f;
  float value = 0.0f;
  std::function<void(float)> callback;
  bool dragging = false;
  bool releaseOnly = false;
};

// Shows the GUI's progress value of name (the filled width in pixels); a full bar fades its fill
// out over fadeMs and stays empty until the value changes.
struct ProgressBar {
  ItemRect rect;  // w follows the value every frame
  Rgba colour;
  std::string name;
  bool fading = false;
  bool done = false;
  float fadeMs = 2000.0f;
  float fadeStart = 0.0f;
  int32_t fullWidth = 0;  // the width at creation
};

// A 205 x 110 colour picker: a saturation/value square, a hue bar, a swatch and the values.
struct ColorPicker {
  ItemRect rect;  // x and y only
  Rgba frame;
  bool hover = false;
  float r = 0.0f, g = 0.0f, b = 0.0f;           // the picked colour, 0..1
  float hueR = 1.0f, hueG = 0.0f, hueB = 0.0f;  // the hue at full saturation and value
  int32_t hue = 0;                              // degrees
  float saturation = 0.0f;                      // 0..100, also the marker's x in the square
  float inverseValue = 0.0f;                    // 100 - value, also the marker's y
  float hueBarPosition = 0.0f;                  // 0..95
  std::function<void(float, float, float)> callback;

  // Starts the picker at the colour (r, g, b), with its markers where that colour lies.
  void SetColour(float red, float green, float blue);
};

// A closed box showing the selected option that opens a list of options; the callback decides
// whether a chosen option is taken.
struct DropDown {
  ItemRect rect;
  bool hover = false;
  bool open = false;
  int16_t selected = 0;
  float leaveTime = 0.0f;
  bool fading = false;
  std::map<int16_t, std::string> options;  // keyed 0 .. n - 1
  std::function<bool(int)> callback;
};

// Shows a hot key's name; a click captures the next key into *target.
struct KeyBind {
  std::string name;
  std::string shownKey;  // HotkeyName of *target; empty shows "Not Bound"
  ItemRect rect;
  Rgba background, outline, textColour;
  FieldFade fade;
  bool hover = false;
  bool capturing = false;
  Hotkey previous = 0;  // the key before the capture, kept when the new one cannot be bound
  Hotkey* target = nullptr;
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

class ListSource;

// A scrolled list of names (the model list) read from a ListSource; a row click, an arrow key
// or the row's "Copy Name" entry act on the row's full name.
struct ListBox {
  struct RowFade {
    float time = 0.0f;   // when the mouse was last over the row, ms
    bool active = false;
  };
  std::string name;
  ItemRect rect;
  float scrollPosition = 0.0f;  // the knob's y: rect.y + 5 (top) .. rect.y + rect.h - 15 (bottom)
  Rgba background, outline, row, hoveredRow, selectedRow, text, highlightedText;
  int32_t visibleRows = 0;      // rect.h / 14
  int32_t selected = -1;        // index into the shown names
  int32_t hovered = -1;         // index among the drawn rows
  int32_t contextRow = -1;      // index into the shown names of the row whose menu is open
  int32_t contextX = 0, contextY = 0;
  int32_t firstVisible = 0;
  float appliedScroll = 0.0f;   // the scroll position firstVisible was computed from
  bool contextOpen = false;
  bool draggingKnob = false;
  ListSource* source = nullptr;
  std::vector<RowFade> rowFades;  // one per visible row
  std::function<void(const std::string& name)> rowCallback;

  // Recomputes firstVisible from the scroll position for count names; at the bottom the last
  // page ends with one empty row.
  void UpdateScroll(size_t count);
};

// A read-only, scrolled list of text lines kept by another object (the log's message lines),
// drawn with their colour codes. lines(first, count, out) copies up to count lines from first
// into out under the owner's lock and returns how many lines there are; unset, the list shows
// that it is not active. With follow, the list jumps to its end when lines are added.
struct BoundList {
  std::string name;
  ItemRect rect;
  Rgba background, textColour;
  int32_t visibleRows = 0;    // (h - 10) / 14
  int32_t lastLineCount = 0;  // the count when the list last jumped to its end
  int32_t firstVisible = 0;
  bool follow = false;
  std::function<size_t(size_t first, size_t count, std::vector<std::string>& out)> lines;
  bool dragging = false;
  bool scrollable = false;
  int32_t knobPosition = 0;  // pixels below the top of the track
  int32_t grabOffset = 0;
  int32_t knobLength = 5;
  ItemRect track{0, 0, 16, 0, ITEM_FIXED};
};

// A one-line text field. The filter form (filter set) reports the text whenever it changes,
// also while typing; the value form (onChange set) reports it once editing ends and the text
// differs from the value last reported. A read-only box takes text only from VornGUI::SetText.
struct TextBox {
  std::string name;
  ItemRect rect;
  std::string text;        // the text being edited and shown
  std::string committed;   // value form: the value last reported; filter form: the placeholder
  Rgba background, outline, textColour;
  FieldFade fade;          // fade.start is also when editing began
  float blinkTime = 0.0f;  // ms
  bool hover = false, editing = false, caretVisible = false;
  bool contextOpen = false;
  bool readOnly = false;
  std::string filtered;    // filter form: the text last reported
  std::function<void(const std::string& text)> filter;
  std::function<void(const std::string& text)> onChange;
};
