#pragma once
// Menu: one window or panel of the GUI. It has a name (the key of every command that addresses
// it), a position, a transition, a visibility, an open and a close command list, and one list
// per item kind. Menus are made once by the builder and live until the GUI shuts down.
//
// Transitions: a menu that is shown or hidden with TRANSITION_SLIDE slides in from (or out to) a
// side of the screen, one with TRANSITION_FADE fades its alpha; TRANSITION_NONE switches at
// once. States: hidden; opening (visible, animating, opening); shown (visible); closing (not
// visible, animating); hidden again when the closing step reaches its end.
#include <cstdint>
#include <string>
#include <vector>

#include "core/item_rect.h"
#include "gui/menu_items.h"
#include "gui/tree_view.h"

enum MenuTransition : int32_t { TRANSITION_NONE = 1, TRANSITION_SLIDE = 2, TRANSITION_FADE = 4 };

// The smallest size of a framed window: its resize grip stops there, and a saved size below it
// is raised to it when the window is built.
inline constexpr int32_t kFramedWindowMinWidth = 190;
inline constexpr int32_t kFramedWindowMinHeight = 150;

// The side a sliding menu comes from or goes to; any other value gives no offset.
enum SlideDirection : int32_t { SLIDE_RIGHT = 1, SLIDE_LEFT = 2, SLIDE_DOWN = 4, SLIDE_UP = 8 };

struct Menu {
  std::string name;
  std::string title;          // drawn by a framed window's title bar
  bool framed = false;        // a movable, resizable window
  bool gripHover = false;
  bool closeHover = false;
  int8_t dragState = 0;       // 0 none, 1 moving, 2 resizing; above 0 it covers all below it
  std::vector<std::string> openCommands;   // run when the menu is shown
  std::vector<std::string> closeCommands;  // run when it is hidden
  ItemRect rect;              // position; w and h are added to its items' extents in hit tests
  ItemRect hitRect;           // area covered for hit tests, relative to rect
  ItemRect dragAnchor;        // press position minus window position while moving
  float slideX = 0.0f;        // current slide offset, pixels
  float slideY = 0.0f;
  int32_t openDirection = 0;  // SlideDirection
  int32_t closeDirection = 0;
  MenuTransition transition = TRANSITION_NONE;
  bool visible = false;
  bool animating = false;
  bool opening = false;
  float durationMs = 0.0f;
  float startMs = 0.0f;       // when the running transition began
  float alpha = 1.0f;         // 0..1
  bool runningCommands = false;  // its open or close commands are running now

  // Item lists, in the GUI pass's drawing order of kinds.
  std::vector<FilledRect> filledRects;
  std::vector<ImageItem> images;
  std::vector<RoundedRect> roundedRects;
  std::vector<ProgressBar> progressBars;
  std::vector<TextButton> textButtons;
  std::vector<ImageButton> imageButtons;
  std::vector<FlatButton> flatButtons;
  std::vector<ListBox> listBoxes;
  std::vector<BoundList> boundLists;
  std::vector<TextBox> textBoxes;
  std::vector<KeyBind> keyBinds;
  std::vector<CheckBox> checkBoxes;
  std::vector<Slider> sliders;
  std::vector<ColorPicker> colorPickers;
  std::vector<DropDown> dropDowns;
  std::vector<PlainLabel> plainLabels;
  std::vector<Label> labels;
  std::vector<ValueLabel> valueLabels;
  std::vector<FontLabel> fontLabels;
  std::vector<TreeView> treeViews;

  ItemRect* savedPosition = nullptr;  // windows: their rectangles in the settings
  ItemRect* savedSize = nullptr;
  bool* visibilityMirror = nullptr;   // receives the visible flag on every change

  // One step of the running transition at nowMs, for a layout of layoutWidth x layoutHeight:
  // t = elapsed / duration clamped to 0..1 (1 at once for no duration); slide offset or alpha
  // follow t; at t = 1 the transition ends (a closed sliding menu keeps its last offset).
  void UpdateTransition(float nowMs, int32_t layoutWidth, int32_t layoutHeight);
  // Moves the rectangles of the kinds that follow resizes by their flags (AdjustRect); image
  // buttons, value labels, sliders, colour pickers, drop-downs, key binds and rounded rectangles
  // never follow.
  void ItemScale(float dw, float dh);
  // Sets the slide offset for a transition step: u of the layout size towards direction.
  void SetSlide(int32_t direction, float u, int32_t layoutWidth, int32_t layoutHeight);
};
