// The bound list (lines of another owner, follow mode, its scroll bar) and the framed windows
// (move and resize with their limits, close, saved rectangles, covering, bring to front).
#include <gtest/gtest.h>

#include <atomic>
#include <mutex>
#include <thread>

#include "gui/item_layout.h"
#include "recording_painter.h"

namespace {

// Lines kept by an owner under its own mutex, as the log keeps its message lines.
struct KeptLines {
  std::mutex mutex;
  std::vector<std::string> lines;

  size_t Copy(size_t first, size_t count, std::vector<std::string>& out) {
    std::lock_guard<std::mutex> lock(mutex);
    out.clear();
    for (size_t i = first; i < lines.size() && out.size() < count; ++i) out.push_back(lines[i]);
    return lines.size();
  }
  void Add(size_t n) {
    std::lock_guard<std::mutex> lock(mutex);
    for (size_t i = 0; i < n; ++i) lines.push_back("line " + std::to_string(lines.size()));
  }
};

class BoundListTest : public ::testing::Test {
 protected:
  BoundListTest() {
    Menu& menu = f.AddMenu("xmodel_log");
    menu.visible = true;
    BoundList list;
    list.name = "XmodelLog";
    list.rect = {4, 22, 191, 300};
    list.textColour = {1, 1, 1, 1};
    list.follow = true;
    list.lines = [this](size_t first, size_t count, std::vector<std::string>& out) {
      return kept.Copy(first, count, out);
    };
    menu.boundLists.push_back(list);
    f.gui.mouseInside = true;
  }
  BoundList& List() { return f.gui.FindMenu("xmodel_log")->boundLists[0]; }
  std::vector<std::string> Drawn() const {
    std::vector<std::string> texts;
    for (const PaintCall& call : f.painter.Of("coloured")) texts.push_back(call.text);
    return texts;
  }

  GuiFixture f;
  KeptLines kept;
};

TEST_F(BoundListTest, ShowsTheRowsItsHeightHoldsAndFollowsNewLines) {
  for (const int h : {300, 295}) {
    List().rect.h = h;
    f.Frame();
    EXPECT_EQ(List().visibleRows, 20) << h;
  }
  List().rect.h = 300;
  kept.Add(5);
  f.Frame();
  EXPECT_EQ(Drawn().size(), 5u);
  EXPECT_EQ(List().knobPosition, 0);
  EXPECT_FALSE(List().scrollable);
  EXPECT_EQ(f.painter.Of("coloured")[0].rect.y, 22 + 5 + 14);
  kept.Add(16);  // 21 lines in 20 rows: the knob goes to the bottom, the end shows
  f.Frame();
  f.Frame();
  EXPECT_TRUE(List().scrollable);
  EXPECT_EQ(List().knobPosition, List().track.h - List().knobLength - 2);
  EXPECT_EQ(Drawn().front(), "line 1");
  EXPECT_EQ(Drawn().back(), "line 20");
  kept.Add(1);
  f.Frame();
  f.Frame();
  EXPECT_EQ(Drawn().back(), "line 21");
  // Scrolled up with the wheel, the list stays there until another line comes.
  f.gui.mouseX = 50, f.gui.mouseY = 100;
  f.gui.wheelNotches = 1;
  const int32_t bottom = List().knobPosition;
  f.Frame();
  EXPECT_EQ(List().knobPosition, bottom - 5);
  f.Frame();
  EXPECT_EQ(List().knobPosition, bottom - 5);
  kept.Add(1);
  f.Frame();
  EXPECT_EQ(List().knobPosition, List().track.h - List().knobLength - 2);
}

TEST_F(BoundListTest, LinesKeepTheirColourCodesAndAreCutAtTheirEndMeasuredWithThem) {
  kept.lines = {"^2Done ^1Failed", std::string(50, 'x'), "^1" + std::string(39, 'y')};
  f.Frame();
  const auto drawn = Drawn();
  ASSERT_EQ(drawn.size(), 3u);
  EXPECT_EQ(drawn[0], "^2Done ^1Failed");
  EXPECT_EQ(drawn[1], std::string(40, 'x'));  // 201 pixels at 5 each: 40 characters
  EXPECT_EQ(drawn[2], "^1" + std::string(38, 'y'));
}

TEST_F(BoundListTest, AnUnboundListSaysItIsNotActive) {
  List().lines = nullptr;
  f.Frame();
  const PaintCall* text = f.painter.FindText("'XmodelLog' List not active");
  ASSERT_NE(text, nullptr);
  EXPECT_EQ(text->rect.x, 6);
  EXPECT_EQ(text->rect.y, 32);
}

TEST_F(BoundListTest, HoldingTheDownButtonScrollsAPixelPerFrameToTheBottom) {
  List().follow = false;
  kept.Add(100);
  f.Frame();
  f.Frame();
  ASSERT_TRUE(List().scrollable);
  ASSERT_EQ(List().knobPosition, 0);
  // The down button sits at (x + w - 15, h - 12) of the menu.
  f.gui.mouseX = 185, f.gui.mouseY = 292;
  f.gui.pressX = 185, f.gui.pressY = 292;
  f.gui.leftDown = true;
  f.Frame();
  EXPECT_EQ(List().knobPosition, 1);
  f.Frame();
  EXPECT_EQ(List().knobPosition, 2);
  for (int i = 0; i < 400; ++i) f.Frame();
  EXPECT_EQ(List().knobPosition, List().track.h - List().knobLength - 2);
  EXPECT_EQ(Drawn().back(), "line 99");
}

TEST_F(BoundListTest, AWindowTooShortForItsKnobDoesNotScroll) {
  kept.Add(200);
  for (const int h : {70, 40, 10, -20}) {
    List().rect.h = h;
    f.Frame();
    f.Frame();
    EXPECT_FALSE(List().scrollable) << h;
    EXPECT_EQ(List().firstVisible, 0) << h;
  }
}

TEST(BoundListThread, LinesAddedByAnotherThreadWhileFramesDraw) {
  GuiFixture f;
  KeptLines kept;
  Menu& menu = f.AddMenu("xmodel_log");
  menu.visible = true;
  BoundList list;
  list.rect = {4, 22, 191, 300};
  list.follow = true;
  list.lines = [&](size_t first, size_t count, std::vector<std::string>& out) { return kept.Copy(first, count, out); };
  menu.boundLists.push_back(list);
  std::atomic<bool> done{false};
  std::thread writer([&] {
    for (int i = 0; i < 5000; ++i) {
      kept.Add(1);
      if (i % 16 == 0) std::this_thread::yield();
    }
    done = true;
  });
  int frames = 0;
  for (; !done.load() || frames < 50; ++frames) f.Frame();
  writer.join();
  f.Frame();
  f.Frame();
  ASSERT_FALSE(f.painter.Of("coloured").empty());
  EXPECT_EQ(f.painter.Of("coloured").back().text, kept.lines.back());
}

// A 300 x 200 window at (100, 100) in a 640 x 480 layout.
class FrameTest : public ::testing::Test {
 protected:
  FrameTest() : window(f.AddMenu("xmodel_log")) {
    window.framed = true;
    window.visible = true;
    window.title = "Xmodel Log";
    window.rect = {100, 100};
    window.hitRect = {0, 0, 300, 200};
    window.savedPosition = &f.settings.xmodel_win_log;
    window.savedSize = &f.settings.xmodel_win_log_size;
    f.gui.mouseInside = true;
  }
  void Press(float x, float y) {
    f.gui.mouseX = x, f.gui.mouseY = y;
    f.Frame();
    f.gui.pressX = static_cast<int32_t>(x), f.gui.pressY = static_cast<int32_t>(y);
    f.gui.leftDown = true;
    f.Frame();
  }
  void DragTo(float x, float y) {
    f.gui.mouseX = x, f.gui.mouseY = y;
    f.Frame();
  }
  void Release() {
    f.gui.leftDown = false;
    f.Frame();
  }

  GuiFixture f;
  Menu& window;
};

TEST_F(FrameTest, MovingKeepsPartOfTheWindowOnTheView) {
  struct Case {
    float mouseX, mouseY;
    int32_t x, y;
  };
  const Case cases[] = {
      {-2000, 110, 75 - 300, 100}, {150, -500, 100, 30}, {5000, 110, 640 - 50, 100},
      {150, 5000, 100, 480 - 50},  {350, 310, 300, 300},
  };
  for (const Case& c : cases) {
    window.rect = {100, 100};
    Press(150, 110);  // the title bar
    ASSERT_EQ(window.dragState, 1);
    DragTo(c.mouseX, c.mouseY);
    EXPECT_EQ(window.rect.x, c.x) << c.mouseX << ", " << c.mouseY;
    EXPECT_EQ(window.rect.y, c.y) << c.mouseX << ", " << c.mouseY;
    EXPECT_EQ(f.settings.xmodel_win_log.x, c.x);  // written on every frame of the drag
    EXPECT_EQ(f.settings.xmodel_win_log.y, c.y);
    Release();
    EXPECT_EQ(window.dragState, 0);
  }
}

TEST_F(FrameTest, ResizingStopsAtTheSmallestSizeAndAboveTheBottomAndMovesItsItems) {
  window.boundLists.push_back(BoundList{.rect = {4, 22, 291, 175, ITEM_GROW_W | ITEM_GROW_H}});
  // The grip: (w - 21, h - 20, 16, 16) of the window.
  Press(100 + 285, 100 + 186);
  ASSERT_EQ(window.dragState, 2);
  DragTo(120, 120);
  EXPECT_EQ(window.hitRect.w, 190);
  EXPECT_EQ(window.hitRect.h, 150);
  EXPECT_EQ(window.boundLists[0].rect.w, 291 - 110);
  DragTo(600, 900);
  EXPECT_EQ(window.hitRect.w, 600 + 11 - 100);
  EXPECT_EQ(window.hitRect.h, 480 - 100 - 30);
  EXPECT_EQ(f.settings.xmodel_win_log_size.h, 350);
  Release();
  // A window too low for the smallest height gets the height left 30 pixels above the bottom,
  // where it stays; its list shrinks with it and still draws.
  window.rect = {100, 400};
  window.hitRect = {0, 0, 300, 200};
  const int32_t listHeight = window.boundLists[0].rect.h;
  Press(100 + 285, 400 + 186);
  DragTo(300, 470);
  EXPECT_EQ(window.hitRect.h, 480 - 400 - 30);
  EXPECT_EQ(window.rect.y, 400);
  EXPECT_EQ(f.settings.xmodel_win_log_size.h, 50);
  EXPECT_EQ(window.boundLists[0].rect.h, listHeight - 150);
  Release();
  EXPECT_NE(f.painter.FindText("Xmodel Log"), nullptr);
}

TEST_F(FrameTest, TheCloseButtonRunsTheCloseCommand) {
  Press(100 + 290, 100 + 10);
  EXPECT_FALSE(window.visible);
  EXPECT_FALSE(f.gui.leftDown);
  EXPECT_EQ(window.dragState, 0);
  EXPECT_NE(std::find(f.sounds.begin(), f.sounds.end(), "menu_accept@1"), f.sounds.end());
}

TEST_F(FrameTest, ACoveredWindowStartsNoDragAndAPressBringsItToTheFront) {
  Menu& upper = f.AddMenu("xmodel_prop");
  upper.framed = true;
  upper.visible = true;
  upper.title = "Xmodel Properties";
  upper.rect = {120, 90};
  upper.hitRect = {0, 0, 300, 200};
  f.gui.lastFramedIndex = 1;
  Press(150, 110);  // the log's title bar, covered there by the properties window
  EXPECT_EQ(window.dragState, 0);
  EXPECT_EQ(upper.dragState, 1);
  Release();
  EXPECT_EQ(f.gui.Menus()[1]->name, "xmodel_prop");
  // A press in the uncovered part of the log window brings it in front.
  Press(105, 250);
  Release();
  EXPECT_EQ(f.gui.Menus()[1]->name, "xmodel_log");
  Press(150, 110);  // now the log is on top there
  EXPECT_EQ(window.dragState, 1);
  Release();
  EXPECT_NE(f.painter.FindText("Xmodel Log"), nullptr);
}

}  // namespace
