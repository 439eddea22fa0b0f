// The tree view's frame: background, wheel, hover and context menu opening, the rows (only those
// inside the clip are drawn; the widest row is measured over all of them), both scroll bars with
// their input, and the context menu with its actions.
#include <algorithm>

#include "core/log.h"
#include "gui/draw_primitives.h"
#include "gui/tree_view.h"
#include "gui/vorn_gui.h"
#include "platform/clipboard.h"

namespace {

constexpr int32_t kBarSize = 16;
constexpr int32_t kGripLength = 32;
constexpr int32_t kTrackStep = 15;
constexpr int32_t kMenuWidth = 100;

Rgba Grey(float level, float alpha) { return Rgba{level, level, level, alpha}; }

Rgba KindColour(int32_t kind, float alpha) {
  switch (kind) {
    case 1: return Rgba{0, 1, 0, alpha};
    case 2: return Rgba{0.8f, 0.8f, 0.8f, alpha};
    case 3: return Rgba{0.95f, 0, 0, alpha};
    default: return Rgba{1, 1, 1, alpha};
  }
}

int32_t RowTop(const ItemRect& r, int32_t i) { return r.y + 2 + kTreeRowHeight * i; }

// The area the rows are drawn in: the item inset by 3 px at the left and top, 18 px at the
// right and 17 px at the bottom (the scroll bars take the rest).
ItemRect ClipBox(const ItemRect& r) { return ItemRect{r.x + 3, r.y + 3, r.w - 21, r.h - 20}; }

// Largest thumb positions: the vertical thumb stops 2 px before its track's end.
int32_t MaxVertical(const TreeScrollBar& bar) { return MaxThumbPosition(bar.track.h - 2, bar.thumbLength); }
int32_t MaxHorizontal(const TreeScrollBar& bar) { return MaxThumbPosition(bar.track.w, bar.thumbLength); }

void ClampThumbs(TreeView& view) {
  view.vertical.thumbPosition = std::clamp(view.vertical.thumbPosition, 0, MaxVertical(view.vertical));
  view.horizontal.thumbPosition = std::clamp(view.horizontal.thumbPosition, 0, MaxHorizontal(view.horizontal));
}

// The three arrow buttons of a bar: one before its track, two after it (back, then forward).
struct BarButtons {
  ItemRect start, back, forward;
};

BarButtons ButtonsOf(const TreeScrollBar& bar, bool vertical) {
  const ItemRect& t = bar.track;
  if (vertical) {
    return {{t.x, t.y - 15, kBarSize, kBarSize}, {t.x, t.y + t.h, kBarSize, kBarSize},
            {t.x, t.y + t.h + 17, kBarSize, kBarSize}};
  }
  return {{t.x - 15, t.y, kBarSize, kBarSize}, {t.x + t.w, t.y, kBarSize, kBarSize},
          {t.x + t.w + 17, t.y, kBarSize, kBarSize}};
}

ItemRect ThumbOf(const TreeScrollBar& bar, bool vertical) {
  const ItemRect& t = bar.track;
  if (vertical) return ItemRect{t.x, t.y + bar.thumbPosition, t.w, bar.thumbLength};
  return ItemRect{t.x + bar.thumbPosition, t.y, bar.thumbLength, t.h};
}

}  // namespace

void VornGUI::DrawTreeView(Menu& menu, TreeView& view, float alpha) {
  if (!view.tree) {
    view.vertical.needed = view.horizontal.needed = false;
    return;
  }
  GuiPainter& painter = *painter_;
  const TreeContainer& tree = *view.tree;
  const ItemRect& r = view.rect;
  view.visibleRows = std::max(0, (r.h - 16) / kTreeRowHeight);
  ClampThumbs(view);

  DrawRect(painter, r, Rgba{view.background.r, view.background.g, view.background.b, view.background.a * alpha});
  if (view.outlineOn) {
    DrawRectOutline(painter, r, Rgba{view.outline.r, view.outline.g, view.outline.b, view.outline.a * alpha});
  }
  const bool overItem = MouseOverRect(r);
  if (overItem && wheelNotches != 0) {
    view.vertical.thumbPosition -= 5 * wheelNotches;
    wheelNotches = 0;
    ClampThumbs(view);
  }

  const int32_t rows = static_cast<int32_t>(std::min<size_t>(tree.CountRows(), INT32_MAX));
  // A rebuilt tree may no longer hold the row whose menu is open.
  if (view.menuOpen && (view.menuRow < 0 || view.menuRow >= rows)) view.menuOpen = false, view.menuRow = -1;
  view.firstRow = FirstRowForThumb(view.vertical, rows, view.visibleRows);
  view.horizontalScroll = ScrollForThumb(view.horizontal, view.widestRow);
  if (!view.horizontal.needed) view.horizontal.thumbPosition = 0;

  const int32_t rowsToDraw = std::max(0, rows - view.firstRow);
  const int32_t reacting = std::min(rowsToDraw, view.visibleRows);
  TrackTreeHover(menu, view);
  DrawTreeRows(view, rowsToDraw, reacting, overItem, alpha);
  DrawTreeBars(menu, view, rows, rowsToDraw, alpha);
  DrawTreeMenu(menu, view, alpha);
}

void VornGUI::TrackTreeHover(Menu& menu, TreeView& view) {
  if (view.hoveredRow < 0) return;
  const ItemRect& r = view.rect;
  const ItemRect row{r.x + 3, RowTop(r, view.hoveredRow), r.w - 27, 12};
  if (!MouseOverRect(row)) {
    view.hoveredRow = -1;
    return;
  }
  if (view.menuOpen || !MouseInRect(row)) return;
  if (leftDown) {
    leftDown = false;  // a left click on a row does nothing else
  } else if (rightDown) {
    view.menuOpen = true;
    view.menuRow = view.firstRow + view.hoveredRow;
    view.menuX = pressX - menu.rect.x + 4;
    view.menuY = pressY - menu.rect.y + 4;
    rightDown = false;
  }
}

void VornGUI::DrawTreeRows(TreeView& view, int32_t rowsToDraw, int32_t reacting, bool overItem, float alpha) {
  GuiPainter& painter = *painter_;
  TreeContainer& tree = *view.tree;
  const ItemRect& r = view.rect;
  const ItemRect clip = ClipBox(r);
  const int32_t clipBottom = clip.y + clip.h;
  const int32_t baseX = r.x + 5 - view.horizontalScroll;
  int32_t widest = 0;
  painter.ClipTo(clip);
  TreeIterator it = tree.Advance(tree.Begin(), static_cast<size_t>(view.firstRow));
  for (int32_t i = 0; i < rowsToDraw && it.node && it.node != tree.Foot(); ++i, ++it) {
    TreeNode& node = *it.node;
    const int32_t rowX = baseX + 10 * static_cast<int32_t>(node.depth);
    const int32_t top = RowTop(r, i);
    if (node.textWidth < 0) node.textWidth = painter.TextWidth(node.row.text);
    widest = std::max(widest, static_cast<int32_t>(node.textWidth) + rowX - baseX);
    if (top > clipBottom) continue;  // below the clip: measured, not drawn

    const bool highlighted =
        i < reacting && ((!view.menuOpen && overItem && MouseOverRect(ItemRect{baseX - 2, top, r.w - 22, 12})) ||
                         (view.menuOpen && i == view.menuRow - view.firstRow));
    if (highlighted) {
      if (view.rowCallback) view.rowCallback(&node.row);
      view.hoveredRow = i;
      DrawRect(painter, ItemRect{baseX - 2, top, r.w - 20, 13}, Rgba{0.4f, 0.4f, 0.4f, 1});
    }
    if (node.row.connector) DrawConnector(tree, node, rowX, top, clip.y, alpha);
    if (!node.row.icon.empty()) {
      painter.SetColour(Rgba{1, 1, 1, alpha});
      painter.SetTexturing(true);
      DrawSkinRect(painter, textures, node.row.icon, ItemRect{rowX, top + 2, 8, 8});
      painter.SetTexturing(false);
    }
    if (highlighted) {
      painter.SetColour(Rgba{0, 0, 0, alpha});
      painter.PrintTextBlend(rowX + 12, top + 10, node.row.text);
    } else {
      painter.SetColour(KindColour(node.row.kind, alpha));
      painter.PrintText(rowX + 12, top + 10, node.row.text);
    }
  }
  painter.SetColour(Rgba{1, 1, 1, alpha});
  painter.ClearClip();
  view.widestRow = widest;
}

// Dots 2 px apart: four going left from the row's middle, then a run going up to the row above
// that is not deeper (the previous sibling, or the parent); dots above the clip are skipped.
void VornGUI::DrawConnector(const TreeContainer& tree, const TreeNode& node, int32_t rowX, int32_t top,
                            int32_t clipTop, float alpha) {
  GuiPainter& painter = *painter_;
  painter.SetColour(Grey(0.4f, alpha));
  const int32_t y = top + 6;
  for (int32_t k = 0; k < 4; ++k) painter.Quad(ItemRect{rowX - 2 * k, y, 1, 1});
  int64_t between = 0;
  if (node.previous) between = static_cast<int64_t>(tree.IndexOf(&node)) - tree.IndexOf(node.previous) - 1;
  const int64_t dots = 6 + 7 * between;
  for (int64_t k = 1; k <= dots; ++k) {
    const int64_t dotY = y - 2 * k;
    if (dotY < clipTop - 1) break;
    painter.Quad(ItemRect{rowX - 6, static_cast<int32_t>(dotY), 1, 1});
  }
}

void VornGUI::DrawTreeBars(Menu& menu, TreeView& view, int32_t rows, int32_t rowsToDraw, float alpha) {
  GuiPainter& painter = *painter_;
  const ItemRect& r = view.rect;
  TreeScrollBar& vertical = view.vertical;
  TreeScrollBar& horizontal = view.horizontal;
  if (rowsToDraw == 0) {
    vertical.needed = horizontal.needed = false;
  } else {
    vertical.needed = view.visibleRows < rows;
    horizontal.needed = view.widestRow > r.w - 26;
  }
  if (!horizontal.needed) view.horizontalScroll = 0;

  const ItemRect clip = ClipBox(r);
  const ItemRect band{r.x, clip.y + clip.h, r.w, kBarSize};
  DrawRect(painter, ItemRect{r.x + r.w - kBarSize, r.y, kBarSize, r.h - 1}, Grey(0.2f, alpha));
  DrawRect(painter, band, Grey(0.2f, alpha));
  vertical.track = ItemRect{r.x + r.w - kBarSize, r.y + 15, kBarSize, r.h - 66};
  horizontal.track = ItemRect{r.x + 15, band.y, r.w - 65, kBarSize};
  vertical.thumbLength = vertical.needed ? VerticalThumbLength(vertical.track.h, rows, view.visibleRows) : 35;
  horizontal.thumbLength = horizontal.needed ? HorizontalThumbLength(horizontal.track.w, view.widestRow) : 35;
  ClampThumbs(view);

  DrawTreeBar(vertical, true, alpha);
  DrawTreeBar(horizontal, false, alpha);
  if (leftDown && menu.dragState == 0) {
    TreeBarInput(menu, vertical, true);
    TreeBarInput(menu, horizontal, false);
  }
  if (!leftDown) vertical.dragging = horizontal.dragging = false;
  ClampThumbs(view);
}

void VornGUI::DrawTreeBar(const TreeScrollBar& bar, bool vertical, float alpha) {
  GuiPainter& painter = *painter_;
  const ItemRect& t = bar.track;
  const BarButtons buttons = ButtonsOf(bar, vertical);
  painter.SetTexturing(true);
  painter.SetColour(Rgba{1, 1, 1, alpha});
  DrawSkinRect(painter, textures, vertical ? "s_v_bck" : "s_h_bck", t);
  const char* button = bar.needed ? "s_but_light" : "s_but_dark";
  for (const ItemRect& b : {buttons.start, buttons.back, buttons.forward}) {
    painter.SetColour(Rgba{1, 1, 1, alpha});
    DrawSkinRect(painter, textures, button, b);
  }
  // Chevrons: the start and back buttons point back (up or left), the last one forward.
  painter.SetColour(Grey(0.85f, alpha));
  for (const ItemRect& b : {buttons.start, buttons.back}) {
    if (vertical) DrawSkinRect(painter, textures, "s_chev", b);
    else DrawTurnedLeftSkin(painter, textures, "s_chev", b);
  }
  if (vertical) DrawFlippedSkin(painter, textures, "s_chev", buttons.forward);
  else DrawTurnedRightSkin(painter, textures, "s_chev", buttons.forward);

  const char* grip = vertical ? "s_v_insert" : "s_h_insert";
  if (!bar.needed) {
    painter.SetColour(Rgba{0.8f, 0.8f, 0.8f, 0.75f * alpha});
    const ItemRect middle = vertical ? ItemRect{t.x, t.y + (t.h - kGripLength) / 2, t.w, kGripLength}
                                     : ItemRect{t.x + (t.w - kGripLength) / 2, t.y, kGripLength, t.h};
    DrawSkinRect(painter, textures, grip, middle);
    painter.SetTexturing(false);
    return;
  }
  painter.SetTexturing(false);
  const ItemRect thumb = ThumbOf(bar, vertical);
  const float level = (bar.dragging || MouseOverRect(thumb)) ? 0.5f : 0.35f;
  const Rgba centre = Grey(level, alpha), edge = Grey(0.2f, alpha);
  // Corners in quad order: top left, bottom left, bottom right, top right.
  const Rgba shade[4] = {centre, vertical ? centre : edge, edge, vertical ? edge : centre};
  painter.QuadColours(thumb, shade);
  if ((vertical ? thumb.h : thumb.w) > kGripLength + 2) {
    painter.SetTexturing(true);
    painter.SetColour(Rgba{1, 1, 1, alpha});
    const ItemRect middle = vertical ? ItemRect{thumb.x, thumb.y + (thumb.h - kGripLength) / 2, thumb.w, kGripLength}
                                     : ItemRect{thumb.x + (thumb.w - kGripLength) / 2, thumb.y, kGripLength, thumb.h};
    DrawSkinRect(painter, textures, grip, middle);
    painter.SetTexturing(false);
  }
}

void VornGUI::TreeBarInput(Menu& menu, TreeScrollBar& bar, bool vertical) {
  if (!leftDown) return;
  const int32_t menuAt = vertical ? menu.rect.y : menu.rect.x;
  const int32_t trackStart = vertical ? bar.track.y : bar.track.x;
  const int32_t press = vertical ? pressY : pressX;
  const float mouse = vertical ? mouseY : mouseX;
  const ItemRect thumb = ThumbOf(bar, vertical);
  if (bar.needed && !bar.dragging && MouseInRect(thumb)) {
    bar.dragging = true;
    bar.grabOffset = press - (menuAt + trackStart + bar.thumbPosition);
  }
  if (bar.dragging) {
    bar.thumbPosition = static_cast<int32_t>(mouse - static_cast<float>(menuAt + bar.grabOffset + trackStart));
    mouseOverGui = true;
    return;
  }
  if (bar.needed && MouseInRect(bar.track)) {
    const bool forward = press > menuAt + trackStart + bar.thumbPosition;
    bar.thumbPosition += forward ? kTrackStep : -kTrackStep;
    leftDown = false;  // one step per click
    return;
  }
  const BarButtons buttons = ButtonsOf(bar, vertical);
  if (MouseInRect(buttons.start) || MouseInRect(buttons.back)) {
    bar.thumbPosition -= 1;
  } else if (MouseInRect(buttons.forward)) {
    bar.thumbPosition += 1;
  }
}

void VornGUI::DrawTreeMenu(Menu& menu, TreeView& view, float alpha) {
  if (!view.menuOpen || view.menuRow < 0) return;
  const TreeNode* node = view.tree->RowAt(static_cast<size_t>(view.menuRow));
  if (!node) return;
  GuiPainter& painter = *painter_;
  const std::vector<std::string> entries = TreeMenuEntries(node->row.text);
  const int32_t count = static_cast<int32_t>(entries.size());
  const ItemRect box{view.menuX, view.menuY, kMenuWidth, 15 * count};
  DrawRect(painter, box, Grey(0.2f, 0.9f * alpha));
  for (int32_t k = 0; k < count && view.menuOpen; ++k) {
    const int32_t ty = view.menuY + 12 + kTreeRowHeight * k;
    const ItemRect entry{view.menuX + 1, ty - 10, kMenuWidth - 2, 12};
    if (MouseOverRect(entry)) {
      DrawRect(painter, entry, Rgba{0.8f, 0.1f, 0.1f, 0.5f * alpha});
      painter.SetColour(Rgba{1, 1, 1, alpha});
      painter.PrintText(view.menuX + 5, ty, entries[static_cast<size_t>(k)]);
      RunTreeViewAction(view, k, entry);
      continue;
    }
    painter.SetColour(Rgba{1, 1, 1, alpha});
    painter.PrintText(view.menuX + 5, ty, entries[static_cast<size_t>(k)]);
  }
  DrawRectOutline(painter, box, Rgba{1, 1, 1, alpha});
  if (!view.menuOpen) return;
  if (MouseInRect(box)) return;  // marks the mouse as over the GUI
  if (leftDown || rightDown) {
    view.menuOpen = false;
    view.menuRow = -1;
    leftDown = false;
  }
  (void)menu;
}

void VornGUI::RunTreeViewAction(TreeView& view, int32_t action, const ItemRect& entry) {
  if (!leftDown || !MouseInRect(entry)) return;
  const TreeNode* node = view.tree ? view.tree->RowAt(static_cast<size_t>(std::max(view.menuRow, 0))) : nullptr;
  if (node && view.menuRow >= 0) {
    const std::string text = node->row.text;
    if (action == 0 || action == 1) {
      CopyToClipboard(action == 0 ? text : IwiNameOf(text));
    } else if (action == 2 || action == 3) {
      if (!node->parent) {
        VornLog::Warningf("No material row above '%s': nothing to export", text.c_str());
      } else if (treeHooks.exportImage) {
        treeHooks.exportImage(ImageJobPath(text, node->parent->row.text), action == 3);
      }
    }
  }
  view.menuOpen = false;
  view.menuRow = -1;
  leftDown = false;
}

void VornGUI::CopyToClipboard(const std::string& text) {
  const bool copied = treeHooks.setClipboard ? treeHooks.setClipboard(text) : platform::SetClipboardText(text);
  const std::string notice = copied ? "Copied text to clipboard: " + text : "Failed to open clipboard.";
  VornLog::Printf("%s", notice.c_str());
  if (treeHooks.showNotice) treeHooks.showNotice(notice);
}
