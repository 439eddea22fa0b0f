#pragma once
// TreeView: the item kind that shows a TreeContainer as an indented list of 14-pixel rows with
// icons, dotted connectors and colour-coded texts, a vertical and a horizontal scroll bar, a row
// callback while a row is highlighted, and a right-click menu that copies a row's text or
// exports the image a row names. VornGUI::DrawTreeView (tree_view.cpp) draws it and handles its
// input once per frame; the helpers below hold its arithmetic, apart from drawing.
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "core/item_rect.h"
#include "gui/gui_painter.h"
#include "gui/tree_container.h"

// One scroll bar's state: thumb position and length in pixels along its track.
struct TreeScrollBar {
  bool dragging = false;
  bool needed = false;
  int32_t thumbPosition = 0;
  int32_t grabOffset = 0;
  int32_t thumbLength = 35;
  ItemRect track;
};

struct TreeView {
  std::string name;
  ItemRect rect;
  Rgba background{0.1f, 0.1f, 0.1f, 0.8f};
  Rgba outline{0.5f, 0.5f, 0.5f, 1.0f};
  int32_t visibleRows = 0;
  int32_t hoveredRow = -1;  // on screen, 0 = first shown row
  int32_t menuRow = -1;     // pre-order index of the row whose context menu is open
  int32_t menuX = 0, menuY = 0;  // context menu position, relative to the holding menu
  int32_t firstRow = 0;     // pre-order index of the first shown row
  int32_t horizontalScroll = 0;
  int32_t widestRow = 0;
  bool menuOpen = false;
  bool outlineOn = false;
  TreeScrollBar vertical;
  TreeScrollBar horizontal;
  std::function<void(TreeRow*)> rowCallback;  // called every frame a row is highlighted
  TreeContainer* tree = nullptr;
};

// What the tree views' actions (and the list box's "Copy Name") reach outside the GUI; the
// application sets them.
struct TreeViewHooks {
  // Puts text on the clipboard; false on failure (default: the desktop's clipboard).
  std::function<bool(const std::string& text)> setClipboard;
  // Shows a notice to the user (the tray balloon); unset: only logged.
  std::function<void(const std::string& text)> showNotice;
  // Queues the conversion of the image "<slot>:<material>" of the loaded model to DDS or TGA.
  std::function<void(const std::string& slotAndMaterial, bool tga)> exportImage;
};

// A view record with the fields a new view starts with: visible rows h / 14, no hovered or
// menu row, thumbs at 0 with length 35.
TreeView MakeTreeView(const std::string& name, const ItemRect& rect, TreeContainer* tree);

// ---- The view's arithmetic --------------------------------------------------------------------
inline constexpr int32_t kTreeRowHeight = 14;

// The largest thumb position on a track of trackLength for a thumb of thumbLength (never below 0).
int32_t MaxThumbPosition(int32_t trackLength, int32_t thumbLength);
// The first shown row for a vertical thumb: its position over its travel (track - thumb - 2)
// times the first row of the last page (rows - visible), truncated and kept within 0 .. that
// row, so the thumb at the bottom shows the last row (0 when the bar is not needed, there are no
// rows, or the track leaves the thumb no room).
int32_t FirstRowForThumb(const TreeScrollBar& bar, int32_t rows, int32_t visibleRows);
// The horizontal scroll for a horizontal thumb: thumb / (track - thumb) x (widest - track - 32),
// truncated, never below 0 (0 when the bar is not needed or the thumb has no room).
int32_t ScrollForThumb(const TreeScrollBar& bar, int32_t widestRow);
// Thumb lengths, kept within 8 .. the track's length.
int32_t VerticalThumbLength(int32_t trackLength, int32_t rows, int32_t visibleRows);
int32_t HorizontalThumbLength(int32_t trackLength, int32_t widestRow);
// The context menu's entries for a row's text.
std::vector<std::string> TreeMenuEntries(const std::string& text);
// "Copy IWI Name": the text after the first ": " when something follows it, else the whole text.
std::string IwiNameOf(const std::string& text);
// The job path of an image row: its text up to and including the ":" of its first ": " (the
// whole text when there is none), followed by the parent row's text (its material).
std::string ImageJobPath(const std::string& text, const std::string& parentText);
