// The tree container and the tree view's logic, drawn through the recording painter with the
// fixture's clock: row walks, scroll bars and their bounds, hover and the row callback, the
// context menu and its actions (clipboard, notice, image export), a rebuild under an open menu,
// and the cost of a 60,000-row tree.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "gui/recording_painter.h"
#include "gui/tree_view.h"
#include "support/log_capture.h"

namespace {

std::vector<std::string> Walk(const TreeContainer& tree) {
  std::vector<std::string> texts;
  for (TreeIterator it = tree.Begin(); it.node != tree.Foot(); ++it) texts.push_back(it->text);
  return texts;
}

TEST(TreeContainer, InsertsAppendsWalksAndClears) {
  TreeContainer tree;
  EXPECT_EQ(tree.CountRows(), 0u);
  EXPECT_EQ(tree.Begin().node, tree.Foot());
  TreeIterator a = tree.Insert({}, TreeRow("a", ""));
  TreeIterator c = tree.Insert({}, TreeRow("c", ""));
  tree.Insert(c, TreeRow("b", ""));  // before c, at the top level
  TreeIterator a1 = tree.AppendChild(a, TreeRow("a1", ""));
  tree.AppendChild(a, TreeRow("a2", ""));
  tree.AppendChild(a1, TreeRow("a1x", "", 2, true));
  EXPECT_EQ(Walk(tree), (std::vector<std::string>{"a", "a1", "a1x", "a2", "b", "c"}));
  EXPECT_EQ(tree.CountRows(), 6u);
  EXPECT_EQ(tree.RowAt(2)->depth, 2u);
  EXPECT_EQ(tree.IndexOf(tree.RowAt(3)), 3u);
  EXPECT_EQ(tree.RowAt(6), nullptr);
  // Advancing never goes past the foot, whatever the count.
  EXPECT_EQ(tree.Advance(tree.Begin(), 6).node, tree.Foot());
  EXPECT_EQ(tree.Advance(tree.Begin(), 1000).node, tree.Foot());
  // The last top-level node steps to the foot.
  TreeIterator last{tree.RowAt(5)};
  EXPECT_EQ((++last).node, tree.Foot());

  TreeContainer other;
  other.Insert({}, TreeRow("new", ""));
  TreeNode* kept = other.RowAt(0);
  tree.Swap(other);
  EXPECT_EQ(tree.RowAt(0), kept);  // nodes keep their addresses
  EXPECT_EQ(Walk(tree), std::vector<std::string>{"new"});
  EXPECT_EQ(other.CountRows(), 6u);
  other.Clear();
  EXPECT_EQ(other.CountRows(), 0u);
  EXPECT_TRUE(Walk(other).empty());
}

TEST(TreeViewLayout, TextsOfTheActions) {
  struct Case {
    std::string text, parent, iwiName, jobPath;
  } cases[] = {
      {"colorMap: a.iwi", "mtl_x", "a.iwi", "colorMap:mtl_x"},
      {"abc", "m", "abc", "abcm"},
      {"x:", "m", "x:", "x:m"},
      {"x: ", "m", "x: ", "x:m"},
      {"normalMap: n: b.iwi", "m", "n: b.iwi", "normalMap:m"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(IwiNameOf(c.text), c.iwiName) << c.text;
    EXPECT_EQ(ImageJobPath(c.text, c.parent), c.jobPath) << c.text;
  }
  EXPECT_EQ(TreeMenuEntries("Name: body"), std::vector<std::string>{"Copy Text"});
  EXPECT_EQ(TreeMenuEntries("colorMap: a.iwi").size(), 4u);
}

TEST(TreeViewLayout, ThumbsStayInsideTheirTracks) {
  // Huge counts and widths keep a thumb of a few pixels; a track with no room gives offset 0.
  EXPECT_GE(VerticalThumbLength(100, 10000000, 10), 8);
  EXPECT_LE(VerticalThumbLength(100, 11, 10), 100);
  EXPECT_GE(HorizontalThumbLength(200, 1000000), 8);
  TreeScrollBar bar;
  bar.needed = true;
  bar.track = {0, 0, 16, 35};
  bar.thumbLength = 35;
  bar.thumbPosition = 10;
  EXPECT_EQ(FirstRowForThumb(bar, 50, 3), 0);
  bar.track.h = 100;
  bar.thumbPosition = 65;
  EXPECT_EQ(FirstRowForThumb(bar, 50, 0), 49);  // never past the last row
}

TEST(TreeViewLayout, TheThumbAtTheBottomShowsTheLastRowOfAnyTree) {
  // The vertical track of a 200-pixel view holds 13 rows; its thumb travels track - thumb - 2.
  constexpr int32_t kTrack = 200 - 66, kVisible = (200 - 16) / 14;
  for (const int32_t rows : {14, 100, 500, 60001}) {
    TreeScrollBar bar;
    bar.needed = true;
    bar.track = {0, 0, 16, kTrack};
    bar.thumbLength = VerticalThumbLength(kTrack, rows, kVisible);
    bar.thumbPosition = 0;
    EXPECT_EQ(FirstRowForThumb(bar, rows, kVisible), 0) << rows;
    bar.thumbPosition = kTrack - bar.thumbLength - 2;
    EXPECT_EQ(FirstRowForThumb(bar, rows, kVisible), rows - kVisible) << rows;
    bar.thumbPosition /= 2;
    EXPECT_NEAR(FirstRowForThumb(bar, rows, kVisible), (rows - kVisible) / 2.0, (rows - kVisible) * 0.02 + 1) << rows;
  }
}

// A tree view at (4, 22) in a menu at (100, 50), over a test tree.
class TreeViewTest : public ::testing::Test {
 protected:
  TreeViewTest() {
    Menu& menu = fx.AddMenu("tree_menu");
    menu.rect = {100, 50, 0, 0};
    menu.visible = true;
    menu.treeViews.push_back(MakeTreeView("tree", ItemRect{4, 22, 300, 200}, &tree));
    view().rowCallback = [this](TreeRow* row) { called.push_back(row->text); };
    fx.gui.treeHooks.setClipboard = [this](const std::string& text) {
      clipboard = text;
      return clipboardWorks;
    };
    fx.gui.treeHooks.showNotice = [this](const std::string& text) { notices.push_back(text); };
    fx.gui.treeHooks.exportImage = [this](const std::string& path, bool tga) {
      exports.push_back(path + (tga ? " tga" : " dds"));
    };
  }
  TreeView& view() { return fx.gui.Menus()[0]->treeViews[0]; }
  void Fill(int rows, int from = 0) {
    for (int i = from; i < from + rows; ++i) tree.Insert({}, TreeRow("row " + std::to_string(i), "tree_node"));
  }
  // The absolute point in the middle of shown row i's text.
  void MoveToRow(int i) { Move(100 + 4 + 40, 50 + 22 + 2 + 14 * i + 6); }
  void Move(float x, float y) { fx.gui.mouseX = x, fx.gui.mouseY = y, fx.gui.mouseInside = true; }
  void Press(bool right) {
    fx.gui.pressX = static_cast<int32_t>(fx.gui.mouseX), fx.gui.pressY = static_cast<int32_t>(fx.gui.mouseY);
    (right ? fx.gui.rightDown : fx.gui.leftDown) = true;
  }
  void Release() { fx.gui.leftDown = fx.gui.rightDown = false; }
  // Opens the context menu of shown row i and returns where its entry k lies.
  void OpenMenuOn(int i) {
    MoveToRow(i);
    fx.Frame();  // hover
    Press(true);
    fx.Frame();  // opens the menu
    Release();
  }
  void ClickEntry(int k) {
    Move(100 + view().menuX + 20, 50 + view().menuY + 12 + 14 * k - 4);
    fx.Frame();
    Press(false);
    fx.Frame();
    Release();
  }

  GuiFixture fx;
  TreeContainer tree;
  std::vector<std::string> called, notices, exports;
  std::string clipboard;
  bool clipboardWorks = true;
};

TEST_F(TreeViewTest, EmptyTreeDrawsTheBackgroundOnly) {
  fx.Frame();
  EXPECT_FALSE(view().vertical.needed);
  EXPECT_FALSE(view().horizontal.needed);
  EXPECT_EQ(view().firstRow, 0);
  EXPECT_TRUE(fx.painter.Texts().size() == 3u);  // only the pass's own overlay texts
  view().tree = nullptr;
  fx.Frame();
  EXPECT_TRUE(fx.painter.Of("clip").empty());
}

TEST_F(TreeViewTest, VerticalBarAppearsWithOneRowMoreThanFits) {
  const int visible = (200 - 16) / 14;
  Fill(visible);
  fx.Frame();
  EXPECT_EQ(view().visibleRows, visible);
  EXPECT_FALSE(view().vertical.needed);
  Fill(1, visible);
  fx.Frame();
  ASSERT_TRUE(view().vertical.needed);
  const int track = 200 - 66;
  EXPECT_NEAR(view().vertical.thumbLength, track * visible / (visible + 1), 1);
  // Rows are drawn indented at their depth inside the clip box; rows below it are not drawn.
  const PaintCall* first = fx.painter.FindText("row 0");
  ASSERT_NE(first, nullptr);
  EXPECT_EQ(first->rect.x, 4 + 5 + 12);
  EXPECT_EQ(first->rect.y, 22 + 2 + 10);
  const std::vector<PaintCall> clips = fx.painter.Of("clip");
  ASSERT_EQ(clips.size(), 1u);
  EXPECT_EQ(clips[0].rect.x, 7);
  EXPECT_EQ(clips[0].rect.y, 25);
  EXPECT_EQ(clips[0].rect.w, 279);
  EXPECT_EQ(clips[0].rect.h, 180);
}

TEST_F(TreeViewTest, WheelAndThumbScrollWithinBounds) {
  Fill(100);
  fx.Frame();
  MoveToRow(3);
  fx.gui.wheelNotches = -4;  // down: thumb +20
  fx.Frame();
  EXPECT_EQ(view().vertical.thumbPosition, 20);
  EXPECT_EQ(fx.gui.wheelNotches, 0);
  fx.Frame();
  EXPECT_GT(view().firstRow, 0);
  fx.gui.wheelNotches = -1000;
  fx.Frame();
  fx.Frame();
  const TreeScrollBar& bar = view().vertical;
  EXPECT_EQ(bar.thumbPosition, bar.track.h - 2 - bar.thumbLength);
  EXPECT_LE(view().firstRow, 99);
  EXPECT_NE(fx.painter.FindText("row 99"), nullptr);  // the last row can be reached

  // Dragging the thumb back to the top.
  Move(100 + bar.track.x + 8, 50 + bar.track.y + bar.thumbPosition + 5);
  Press(false);
  fx.Frame();
  EXPECT_TRUE(view().vertical.dragging);
  Move(fx.gui.mouseX, 0);
  fx.Frame();
  fx.Frame();
  EXPECT_EQ(view().vertical.thumbPosition, 0);
  EXPECT_EQ(view().firstRow, 0);
  Release();
  fx.Frame();
  EXPECT_FALSE(view().vertical.dragging);

  // A click on the track below the thumb moves it 15 px, once.
  Move(100 + bar.track.x + 8, 50 + bar.track.y + 100);
  Press(false);
  fx.Frame();
  fx.Frame();
  EXPECT_EQ(view().vertical.thumbPosition, 15);
  EXPECT_FALSE(fx.gui.leftDown);
}

TEST_F(TreeViewTest, AWideRowBringsTheHorizontalBarAtTheLeft) {
  Fill(2);
  tree.Insert({}, TreeRow(std::string(200, 'w') + ".end", ""));
  fx.Frame();
  fx.Frame();
  EXPECT_TRUE(view().horizontal.needed);
  EXPECT_EQ(view().horizontalScroll, 0);
  EXPECT_EQ(view().horizontal.thumbPosition, 0);
  // The whole text is kept and handed to the painter; only the clip cuts it.
  EXPECT_NE(fx.painter.FindText(std::string(200, 'w') + ".end"), nullptr);
}

TEST_F(TreeViewTest, HoverHighlightsCallsBackAndLeftClickIsConsumed) {
  Fill(5);
  MoveToRow(2);
  fx.Frame();
  EXPECT_EQ(view().hoveredRow, 2);
  EXPECT_EQ(called, std::vector<std::string>{"row 2"});
  const PaintCall* text = fx.painter.FindText("row 2");
  ASSERT_NE(text, nullptr);
  EXPECT_EQ(text->op, "blend");  // the highlighted row, in black
  EXPECT_EQ(text->colour, (Rgba{0, 0, 0, 1}));
  fx.Frame();
  EXPECT_EQ(called.size(), 2u);  // every frame while highlighted
  Press(false);
  fx.Frame();
  EXPECT_FALSE(fx.gui.leftDown);
  Release();
  Move(100 + 4 + 40, 50 + 22 + 150);  // below the rows
  fx.Frame();
  fx.Frame();
  EXPECT_EQ(view().hoveredRow, -1);
}

TEST_F(TreeViewTest, ContextMenuOffersImageActionsOnlyForImageRows) {
  TreeIterator material = tree.Insert({}, TreeRow("mtl_body", "tree_folder"));
  tree.AppendChild(material, TreeRow("colorMap: body_c.iwi", "tree_tick"));
  OpenMenuOn(0);
  EXPECT_TRUE(view().menuOpen);
  EXPECT_EQ(view().menuRow, 0);
  fx.Frame();
  EXPECT_NE(fx.painter.FindText("Copy Text"), nullptr);
  EXPECT_EQ(fx.painter.FindText("Export To DDS"), nullptr);
  // A click outside closes it, and the press does not reach the rows.
  Move(100 + 250, 50 + 200);
  Press(false);
  fx.Frame();
  EXPECT_FALSE(view().menuOpen);
  EXPECT_EQ(view().menuRow, -1);
  EXPECT_FALSE(fx.gui.leftDown);
  Release();

  OpenMenuOn(1);
  fx.Frame();
  for (const char* entry : {"Copy Text", "Copy IWI Name", "Export To DDS", "Export To TGA"}) {
    EXPECT_NE(fx.painter.FindText(entry), nullptr) << entry;
  }
  ClickEntry(2);
  EXPECT_FALSE(view().menuOpen);
  EXPECT_EQ(exports, std::vector<std::string>{"colorMap:mtl_body dds"});
  OpenMenuOn(1);
  ClickEntry(3);
  EXPECT_EQ(exports.back(), "colorMap:mtl_body tga");
}

TEST_F(TreeViewTest, CopyPutsTheTextOnTheClipboardWithANotice) {
  LogCapture log;
  TreeIterator material = tree.Insert({}, TreeRow("mtl_%s", "tree_folder"));
  tree.AppendChild(material, TreeRow("colorMap: 100%_c.iwi", "tree_tick"));
  OpenMenuOn(1);
  ClickEntry(1);  // Copy IWI Name
  EXPECT_EQ(clipboard, "100%_c.iwi");
  ASSERT_EQ(notices.size(), 1u);
  EXPECT_EQ(notices[0], "Copied text to clipboard: 100%_c.iwi");
  EXPECT_TRUE(log.Has("Copied text to clipboard: 100%_c.iwi"));  // "%" logged unchanged

  clipboardWorks = false;
  OpenMenuOn(0);
  ClickEntry(0);
  EXPECT_EQ(notices.back(), "Failed to open clipboard.");
  EXPECT_TRUE(log.Has("Failed to open clipboard."));
}

TEST_F(TreeViewTest, ARebuildClosesAMenuWhoseRowIsGone) {
  Fill(10);
  OpenMenuOn(8);
  ASSERT_TRUE(view().menuOpen);
  TreeContainer smaller;
  smaller.Insert({}, TreeRow("only", ""));
  tree.Swap(smaller);
  fx.Frame();
  EXPECT_FALSE(view().menuOpen);
  EXPECT_EQ(view().menuRow, -1);
  EXPECT_NE(fx.painter.FindText("only"), nullptr);
}

TEST_F(TreeViewTest, ExportOnARowWithoutMaterialDoesNothing) {
  tree.Insert({}, TreeRow("Name: odd.iwi", "tree_node"));
  OpenMenuOn(0);
  ClickEntry(2);
  EXPECT_TRUE(exports.empty());
  EXPECT_FALSE(view().menuOpen);
}

TEST_F(TreeViewTest, ConnectorsReachThePreviousSibling) {
  TreeIterator root = tree.Insert({}, TreeRow("Tags: 3", "tree_node", 1));
  TreeIterator a = tree.AppendChild(root, TreeRow("a", "joint", 2, true));
  tree.AppendChild(a, TreeRow("a1", "joint", 2, true));
  tree.AppendChild(root, TreeRow("b", "joint", 2, true));
  fx.Frame();
  // Three connector rows: 4 + 6 dots each, plus 7 for the one row between b and its sibling a.
  size_t dots = 0;
  for (const PaintCall& quad : fx.painter.Of("quad")) dots += quad.rect.w == 1 && quad.rect.h == 1;
  EXPECT_EQ(dots, 3u * 10u + 7u);
}

TEST_F(TreeViewTest, EveryRowIsShownAtItsDepthAndNoClickFoldsAParent) {
  // Rows have no folded state: a parent's rows follow it, whatever is clicked.
  TreeIterator surfaces = tree.Insert({}, TreeRow("Surfaces", "tree_arrow_right"));
  TreeIterator lod = tree.AppendChild(surfaces, TreeRow("body_lod0", "tree_mesh", 1));
  tree.AppendChild(lod, TreeRow("LOD distance: 0", "tree_node"));
  tree.Insert({}, TreeRow("after", "tree_node"));
  const auto shownRows = [this] {
    std::vector<std::string> rows;
    for (const char* text : {"Surfaces", "body_lod0", "LOD distance: 0", "after"}) {
      const PaintCall* call = fx.painter.FindText(text);
      if (call) rows.push_back(std::string(text) + " " + std::to_string(call->rect.x) + "," + std::to_string(call->rect.y));
    }
    return rows;
  };
  const std::vector<std::string> all = {"Surfaces 21,34", "body_lod0 31,48", "LOD distance: 0 41,62", "after 21,76"};
  fx.Frame();
  EXPECT_EQ(shownRows(), all);

  // A click, then a second one at once (a double click), on the parent's text and on its icon.
  for (const float x : {100.0f + 4 + 40, 100.0f + 4 + 5 + 4}) {
    Move(x, 50 + 22 + 2 + 6);
    fx.Frame();
    for (int click = 0; click < 2; ++click) {
      Press(false);
      fx.Frame();
      EXPECT_FALSE(fx.gui.leftDown) << "the press is consumed";
      Release();
      fx.Frame();
    }
    EXPECT_EQ(shownRows(), all) << x;
  }
  // A child row is hit-tested where it is drawn.
  called.clear();
  MoveToRow(2);
  fx.Frame();
  EXPECT_EQ(view().hoveredRow, 2);
  EXPECT_EQ(called, std::vector<std::string>{"LOD distance: 0"});
}

TEST_F(TreeViewTest, SixtyThousandRowsStayResponsive) {
  TreeIterator parent = tree.Insert({}, TreeRow("Tags: 60000", "tree_node", 1));
  for (int i = 0; i < 60000; ++i) {
    TreeIterator row = tree.AppendChild(parent, TreeRow("bone_" + std::to_string(i), "joint", 2, true));
    if (i % 3 == 0) parent = row;  // a deep chain with branches
  }
  fx.Frame();  // measures every row once
  constexpr int kFrames = 20;
  const auto msPerFrame = [this] {
    const auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < kFrames; ++i) fx.Frame();
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count() / kFrames;
  };
  // Drawing alone, at the top (every row below is still walked for the widest row).
  Move(10, 10);
  const double drawTop = msPerFrame();
  EXPECT_EQ(view().firstRow, 0);
  // Scrolled to the end, with the mouse over a row: hover hit tests and the row callback.
  fx.gui.wheelNotches = -1000;
  MoveToRow(4);
  const double hoverEnd = msPerFrame();
  EXPECT_GT(view().firstRow, 50000);
  EXPECT_EQ(called.back(), tree.RowAt(static_cast<size_t>(view().firstRow + 4))->row.text);
  EXPECT_NE(fx.painter.FindText("bone_59999"), nullptr);  // the thumb at the bottom shows the last row
  // A right click on that row opens its context menu; its frames find the row by its index and
  // hit-test the entries.
  Press(true);
  fx.Frame();
  Release();
  const double menuOpen = msPerFrame();
  EXPECT_TRUE(view().menuOpen);
  EXPECT_EQ(view().menuRow, view().firstRow + 4);
  std::printf("60,000-row tree view, ms per frame: %.3f drawing at the top, %.3f with hover hit tests at the end, "
              "%.3f with the row's context menu open\n",
              drawTop, hoverEnd, menuOpen);
  for (const double ms : {drawTop, hoverEnd, menuOpen}) EXPECT_LT(ms, 50.0);
  EXPECT_LT(fx.painter.Texts().size(), 40u);  // only the shown rows are drawn
}

}  // namespace
