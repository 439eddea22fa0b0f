// Showing, hiding and toggling menus with their transitions; bring-to-front; hit tests.
#include <gtest/gtest.h>

#include "recording_painter.h"
#include "support/log_capture.h"

namespace {

class MenusTest : public ::testing::Test {
 protected:
  LogCapture log;
  GuiFixture f;
};

TEST_F(MenusTest, OpenWhileSlidingInAndToggleWhileFadingOutDoNothing) {
  Menu& sliding = f.AddMenu("Settings", TRANSITION_SLIDE, 500);
  sliding.openDirection = SLIDE_LEFT;
  Menu& fading = f.AddMenu("about", TRANSITION_FADE, 500);
  fading.visible = true;

  f.gui.ExecCmd("open Settings;");
  ASSERT_TRUE(sliding.animating);
  ASSERT_TRUE(sliding.visible);
  f.gui.ExecCmd("close Settings; open Settings;");
  EXPECT_TRUE(sliding.visible);
  EXPECT_TRUE(sliding.opening);

  f.gui.ExecCmd("toggle_menu about;");
  ASSERT_TRUE(fading.animating);
  EXPECT_FALSE(fading.visible);
  f.gui.ExecCmd("toggle_menu about;");
  EXPECT_FALSE(fading.visible);
  EXPECT_FALSE(fading.opening);
}

TEST_F(MenusTest, SlideOffsetsAtStartAndEnd) {
  Menu& menu = f.AddMenu("Settings", TRANSITION_SLIDE, 400);
  menu.openDirection = SLIDE_LEFT;
  menu.closeDirection = SLIDE_UP;
  f.gui.SetVis("Settings", true);
  EXPECT_FLOAT_EQ(menu.slideX, -640.0f);  // one layout width to the left at t = 0
  f.nowMs += 200;
  menu.UpdateTransition(f.nowMs, 640, 480);
  EXPECT_FLOAT_EQ(menu.slideX, -320.0f);
  f.nowMs += 200;
  menu.UpdateTransition(f.nowMs, 640, 480);
  EXPECT_FLOAT_EQ(menu.slideX, 0.0f);
  EXPECT_FALSE(menu.animating);

  f.gui.SetVis("Settings", false);
  EXPECT_FALSE(menu.visible);
  EXPECT_TRUE(menu.animating);
  f.nowMs += 400;
  f.Frame();  // the pass steps the transition: still drawn in this frame, at its end offset
  EXPECT_FLOAT_EQ(menu.slideY, -480.0f);
  EXPECT_FALSE(menu.animating);
  f.Frame();  // hidden and no longer animating: not drawn
  EXPECT_TRUE(f.painter.Of("push").empty());
}

TEST_F(MenusTest, FadeRunsTheAlphaAndItemsDrawWithTheAlphaOfBeforeTheStep) {
  Menu& menu = f.AddMenu("about", TRANSITION_FADE, 1000);
  menu.labels.push_back(Label{.rect = {5, 5}, .text = "About", .colour = {1, 1, 1, 1}});
  f.gui.SetVis("about", true);
  EXPECT_FLOAT_EQ(menu.alpha, 0.0f);
  f.nowMs += 250;
  f.Frame();
  EXPECT_FLOAT_EQ(menu.alpha, 0.25f);
  ASSERT_NE(f.painter.FindText("About"), nullptr);
  EXPECT_FLOAT_EQ(f.painter.FindText("About")->colour.a, 0.0f);
}

TEST_F(MenusTest, AMenuWhoseOpenScriptOpensItselfRunsItOnce) {
  Menu& menu = f.AddMenu("loop");
  menu.openCommands = {"open loop", "toggle_menu loop", "force_open loop", "display_msg"};
  f.gui.SetVis("loop", true);
  EXPECT_TRUE(menu.visible);
  EXPECT_TRUE(f.gui.showMessage);
  f.gui.ForceVis("loop", true);
  EXPECT_TRUE(menu.visible);
}

TEST_F(MenusTest, ForceCloseOfAHiddenMenuStillRunsItsCloseCommandsAndMirrors) {
  bool mirror = true;
  Menu& menu = f.AddMenu("panel", TRANSITION_SLIDE, 300);
  menu.closeCommands = {"display_error"};
  menu.visibilityMirror = &mirror;
  f.gui.ExecCmd("force_close panel;");
  EXPECT_TRUE(f.gui.showError);
  EXPECT_FALSE(mirror);
  f.gui.ExecCmd("force_open panel;");
  EXPECT_TRUE(menu.visible);
  EXPECT_FALSE(menu.animating);
  EXPECT_TRUE(mirror);
}

TEST_F(MenusTest, BringToFrontMovesTheWindowAboveTheOtherFramedWindowsOnly) {
  f.AddMenu("m0");
  f.AddMenu("m1");
  f.AddMenu("A").framed = true;
  f.AddMenu("plain");
  f.AddMenu("B").framed = true;
  f.AddMenu("top");
  f.gui.lastFramedIndex = 4;
  f.gui.BringToFront(2);
  f.Frame();
  std::vector<std::string> order;
  for (const auto& menu : f.gui.Menus()) order.push_back(menu->name);
  EXPECT_EQ(order, (std::vector<std::string>{"m0", "m1", "B", "plain", "A", "top"}));
  EXPECT_EQ(f.gui.bringToFront, -1);
}

class HitTest : public MenusTest {
 protected:
  void SetUp() override {
    Menu& lower = f.AddMenu("lower");
    lower.visible = true;
    lower.rect = {100, 100};
    lower.textButtons.push_back(TextButton{.rect = {10, 10, 50, 20}, .commands = {"display_msg"}});
  }
  void MoveTo(float x, float y) {
    f.gui.mouseX = x;
    f.gui.mouseY = y;
  }
  void Press(int32_t x, int32_t y) {
    f.gui.pressX = x, f.gui.pressY = y;
    f.gui.leftDown = true;
  }
  bool Over(const ItemRect& r) {
    f.gui.currentMenu = 0;
    return f.gui.MouseOverRect(r);
  }
};

TEST_F(HitTest, RectanglesAreRelativeToTheMenuAndMarkTheMouseOverTheGui) {
  MoveTo(110, 110);
  EXPECT_TRUE(Over({10, 10, 50, 20}));
  EXPECT_TRUE(f.gui.mouseOverGui);
  MoveTo(160, 110);  // right edge excluded
  EXPECT_FALSE(Over({10, 10, 50, 20}));
  MoveTo(159.5f, 129.5f);
  EXPECT_TRUE(Over({10, 10, 50, 20}));
}

TEST_F(HitTest, APressDraggedOntoAButtonIsNoHoverWhileTheButtonIsHeld) {
  Press(50, 50);
  MoveTo(110, 110);
  EXPECT_FALSE(Over({10, 10, 50, 20}));
  f.Frame();
  EXPECT_FALSE(f.gui.Menus()[0]->textButtons[0].hover);
  EXPECT_FALSE(f.gui.showMessage);
  f.gui.leftDown = false;
  EXPECT_TRUE(Over({10, 10, 50, 20}));
}

TEST_F(HitTest, AClosingMenuDoesNotCoverTheMenusBelowButADraggedWindowCoversAll) {
  Menu& upper = f.AddMenu("upper", TRANSITION_FADE, 500);
  upper.visible = true;
  upper.rect = {100, 100};
  upper.hitRect = {0, 0, 200, 200};
  MoveTo(110, 110);
  EXPECT_FALSE(Over({10, 10, 50, 20}));
  f.gui.SetVis("upper", false);  // closing: still drawn while it fades out
  ASSERT_TRUE(upper.animating);
  EXPECT_TRUE(Over({10, 10, 50, 20}));

  Menu& window = f.AddMenu("window");
  window.visible = true;
  window.rect = {600, 400};
  window.dragState = 1;
  EXPECT_FALSE(Over({10, 10, 50, 20}));
}

TEST_F(HitTest, AButtonClickRunsItsCommandsOnceWithTheSounds) {
  MoveTo(110, 110);
  f.Frame();
  EXPECT_EQ(f.sounds, (std::vector<std::string>{"menu_focus@1"}));
  Press(110, 110);
  f.Frame();
  EXPECT_TRUE(f.gui.showMessage);
  EXPECT_FALSE(f.gui.leftDown);
  EXPECT_EQ(f.sounds, (std::vector<std::string>{"menu_focus@1", "menu_accept@1"}));
  f.gui.showMessage = false;
  f.Frame();
  EXPECT_FALSE(f.gui.showMessage);
}

TEST_F(HitTest, AButtonOfAnAnimatingMenuNeitherHoversNorFires) {
  Menu& menu = *f.gui.Menus()[0];
  menu.transition = TRANSITION_FADE;
  menu.durationMs = 500;
  menu.visible = false;
  f.gui.SetVis("lower", true);
  MoveTo(110, 110);
  Press(110, 110);
  f.Frame();
  EXPECT_FALSE(menu.textButtons[0].hover);
  EXPECT_FALSE(f.gui.showMessage);
  EXPECT_TRUE(f.sounds.empty());
}

}  // namespace
