// The GUI's layout adjustment to a new window size.
#include <gtest/gtest.h>

#include "gui/item_layout.h"
#include "recording_painter.h"
#include "support/log_capture.h"

namespace {

TEST(AdjustRect, FlagsAddUpAndTruncateEachField) {
  struct Case {
    uint32_t flags;
    float dw, dh;
    ItemRect expected;
  } cases[] = {
      {ITEM_MOVE_X, 160, 120, {170, 20, 30, 40}},
      {ITEM_CENTER_X, 160, 120, {90, 20, 30, 40}},
      {ITEM_MOVE_X | ITEM_CENTER_X, 160, 120, {250, 20, 30, 40}},
      {ITEM_MOVE_Y | ITEM_CENTER_Y, 160, 120, {10, 200, 30, 40}},
      {ITEM_GROW_W | ITEM_GROW_H, 160, 120, {10, 20, 190, 160}},
      {ITEM_CENTER_X, 5, 0, {12, 20, 30, 40}},     // 10 + 2.5 truncated
      {ITEM_CENTER_X, -5, 0, {7, 20, 30, 40}},     // 10 - 2.5 truncated toward zero
      {ITEM_FIXED, 160, 120, {10, 20, 30, 40}},
      {0, 160, 120, {10, 20, 30, 40}},
  };
  for (const Case& c : cases) {
    ItemRect rect{10, 20, 30, 40, c.flags};
    AdjustRect(rect, c.dw, c.dh);
    EXPECT_EQ(rect.x, c.expected.x) << c.flags;
    EXPECT_EQ(rect.y, c.expected.y) << c.flags;
    EXPECT_EQ(rect.w, c.expected.w) << c.flags;
    EXPECT_EQ(rect.h, c.expected.h) << c.flags;
  }
}

class ItemScaleTest : public ::testing::Test {
 protected:
  void Resize(int32_t w, int32_t h) {
    f.gui.windowWidth = w;
    f.gui.windowHeight = h;
    f.gui.ItemScale();
  }
  LogCapture log;
  GuiFixture f;
};

TEST_F(ItemScaleTest, From640x480To800x600MovesFollowingKindsAndKeepsTheOthers) {
  Menu& menu = f.AddMenu("main");
  menu.rect = {0, 0, 0, 0, ITEM_MOVE_X};
  menu.textButtons.push_back(TextButton{.rect = {10, 10, 50, 20, ITEM_MOVE_X}});
  menu.labels.push_back(Label{.rect = {10, 10, 0, 0, ITEM_CENTER_X}});
  menu.images.push_back(ImageItem{.rect = {10, 10, 5, 5, ITEM_MOVE_X | ITEM_CENTER_X}});
  menu.filledRects.push_back(FilledRect{.rect = {10, 10, 5, 5, ITEM_FIXED}});
  menu.roundedRects.push_back(RoundedRect{.rect = {10, 10, 5, 5, ITEM_MOVE_X}});  // never follows
  menu.valueLabels.push_back(ValueLabel{.rect = {10, 10, 0, 0, ITEM_MOVE_X}});    // never follows
  f.gui.messageLayout = {100, 100, 200, 0, ITEM_MOVE_Y};

  Resize(800, 600);
  EXPECT_EQ(menu.rect.x, 160);
  EXPECT_EQ(menu.textButtons[0].rect.x, 170);
  EXPECT_EQ(menu.labels[0].rect.x, 90);
  EXPECT_EQ(menu.images[0].rect.x, 250);
  EXPECT_EQ(menu.filledRects[0].rect.x, 10);
  EXPECT_EQ(menu.roundedRects[0].rect.x, 10);
  EXPECT_EQ(menu.valueLabels[0].rect.x, 10);
  EXPECT_EQ(f.gui.messageLayout.y, 220);
  EXPECT_EQ(f.gui.layoutWidth, 800);
  EXPECT_EQ(f.settings.main_window.w, 800);
  EXPECT_EQ(f.settings.main_window.h, 600);
  EXPECT_TRUE(log.Has("VornGUI::ItemScale: Ajusting for new window size"));
}

TEST_F(ItemScaleTest, FramedWindowsAreOnlyKeptOnTheScreen) {
  Menu& window = f.AddMenu("xmodel_log");
  window.framed = true;
  window.rect = {750, 100, 0, 0, ITEM_MOVE_X | ITEM_MOVE_Y};
  window.textButtons.push_back(TextButton{.rect = {10, 10, 50, 20, ITEM_MOVE_X}});
  Resize(700, 480);
  EXPECT_EQ(window.rect.x, 640);
  EXPECT_EQ(window.rect.y, 100);
  EXPECT_EQ(window.textButtons[0].rect.x, 10);
}

TEST_F(ItemScaleTest, ATinyResizeIsIgnoredAndTheNextAppliesTheWholeDifference) {
  Menu& menu = f.AddMenu("main");
  menu.labels.push_back(Label{.rect = {10, 10, 0, 0, ITEM_MOVE_X | ITEM_MOVE_Y}});
  Resize(5, 5);
  EXPECT_EQ(menu.labels[0].rect.x, 10);
  EXPECT_EQ(f.gui.layoutWidth, 640);
  Resize(800, 600);
  EXPECT_EQ(menu.labels[0].rect.x, 170);
  EXPECT_EQ(menu.labels[0].rect.y, 130);
}

}  // namespace
