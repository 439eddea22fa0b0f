// The builder operations: what each begin operation sets, what the item operations derive, and
// the scripts that run while the menus are built.
#include <gtest/gtest.h>

#include "recording_painter.h"
#include "support/log_capture.h"

namespace {

class BuilderTest : public ::testing::Test {
 protected:
  LogCapture log;
  GuiFixture f;
};

TEST_F(BuilderTest, BeginOperationsSetTransitionDurationAndFrame) {
  ItemRect position{10, 20, 0, 0, 0};
  ItemRect size{0, 0, 300, 200, 0};
  Menu& plain = f.gui.BeginMenu("plain", {1, 2, 3, 4, 0}, {5, 6, 7, 8, 0}, true);
  Menu& fade = f.gui.BeginFadeMenu("fade", {}, {}, false, 0.25f);
  Menu& slide = f.gui.BeginSlideMenu("slide", {}, {}, false, SLIDE_RIGHT, SLIDE_UP, 0.5f);
  Menu& window = f.gui.BeginWindow(&position, &size, "window", "Title", false, 1.0f);

  EXPECT_EQ(plain.transition, TRANSITION_NONE);
  EXPECT_TRUE(plain.visible);
  EXPECT_EQ(plain.rect.x, 1);
  EXPECT_EQ(plain.hitRect.w, 7);
  EXPECT_EQ(fade.transition, TRANSITION_FADE);
  EXPECT_FLOAT_EQ(fade.durationMs, 250.0f);
  EXPECT_EQ(slide.transition, TRANSITION_SLIDE);
  EXPECT_EQ(slide.openDirection, SLIDE_RIGHT);
  EXPECT_EQ(slide.closeDirection, SLIDE_UP);
  EXPECT_FLOAT_EQ(slide.durationMs, 500.0f);
  EXPECT_TRUE(window.framed);
  EXPECT_EQ(window.title, "Title");
  EXPECT_EQ(window.transition, TRANSITION_FADE);
  EXPECT_EQ(window.rect.y, 20);
  EXPECT_EQ(window.hitRect.w, 300);
  EXPECT_EQ(window.savedPosition, &position);
  EXPECT_EQ(f.gui.lastFramedIndex, 3);
  for (Menu* menu : {&plain, &fade, &slide, &window}) {
    EXPECT_EQ(menu->visibilityMirror, nullptr);
    EXPECT_FALSE(menu->framed && menu != &window);
  }
  ASSERT_EQ(f.gui.Menus().size(), 4u);
  EXPECT_EQ(f.gui.Menus()[2].get(), &slide);  // appended in the order begun
}

TEST_F(BuilderTest, OpenScriptRunsAtOnceOnlyForAVisibleMenuAndFindsOnlyEarlierMenus) {
  Menu& earlier = f.gui.BeginMenu("earlier", {}, {}, false);
  f.gui.BeginMenu("shown", {}, {}, true);
  f.gui.SetOpenScript("open earlier; open later;");
  f.gui.SetCloseScript("close earlier;");
  Menu& later = f.gui.BeginMenu("later", {}, {}, false);
  f.gui.BeginMenu("hidden", {}, {}, false);
  f.gui.SetOpenScript("close earlier;");

  EXPECT_TRUE(earlier.visible);  // run during the build
  EXPECT_FALSE(later.visible);   // did not exist yet when the script ran
  const Menu* shown = f.gui.FindMenu("shown");
  EXPECT_EQ(shown->openCommands.size(), 2u);
  EXPECT_EQ(shown->closeCommands.size(), 1u);
}

TEST_F(BuilderTest, ItemOperationsDeriveTheirStartingValues) {
  f.gui.BeginMenu("items", {}, {}, true);
  f.gui.AddListBox("list", {0, 30, 200, 100, 0}, nullptr, nullptr, ListBoxColours{});
  f.gui.AddBoundList("lines", {0, 0, 100, 151, 0}, {}, {}, nullptr, true);
  f.gui.AddProgressBar("bar", 2000.0f, {0, 0, 120, 10, 0}, {});
  f.gui.SetProgress("bar", 55);
  f.gui.AddProgressBar("bar", 2000.0f, {0, 0, 120, 10, 0}, {});  // a new bar starts the value again
  f.gui.AddTextButton({}, {1, 0, 0, 0.5f}, {0, 1, 0, 1}, "button", "button_hi", "Go", 3, 4, "open x; close y;", true);
  f.gui.AddTextButton({}, {}, {}, "button", "button_hi", "Call", 0, 0, [] {}, false);
  f.gui.AddLabel({7, 8, 99, 99, 0x10}, "text", {});
  f.gui.AddColorPicker({5, 6, 0, 0, 0}, {}, 1.0f, 0.0f, 0.0f, nullptr);

  const Menu& menu = *f.gui.BuildingMenu();
  const ListBox& list = menu.listBoxes[0];
  EXPECT_EQ(list.visibleRows, 7);  // 100 / 14
  EXPECT_FLOAT_EQ(list.scrollPosition, 35.0f);
  EXPECT_EQ(list.selected, -1);
  EXPECT_EQ(list.hovered, -1);
  EXPECT_EQ(list.contextRow, -1);
  EXPECT_EQ(list.rowFades.size(), 7u);
  EXPECT_EQ(menu.boundLists[0].visibleRows, 10);  // 151 / 15 until its first frame
  EXPECT_EQ(menu.progressBars[1].fullWidth, 120);
  EXPECT_EQ(f.gui.Progress("bar"), 0);

  const TextButton& scripted = menu.textButtons[0];
  EXPECT_EQ(scripted.commands.size(), 2u);
  EXPECT_FALSE(scripted.callback);
  EXPECT_EQ(scripted.labelColour.a, 0.0f);
  EXPECT_EQ(scripted.labelColour.r, 1.0f);
  EXPECT_TRUE(scripted.capped);
  EXPECT_TRUE(menu.textButtons[1].callback);
  EXPECT_TRUE(menu.textButtons[1].commands.empty());

  EXPECT_EQ(menu.labels[0].rect.w, 0);  // placed by x, y and flags only
  EXPECT_EQ(menu.labels[0].rect.flags, 0x10u);
  const ColorPicker& picker = menu.colorPickers[0];
  EXPECT_EQ(picker.hue, 0);
  EXPECT_FLOAT_EQ(picker.saturation, 100.0f);
  EXPECT_FLOAT_EQ(picker.inverseValue, 0.0f);
}

TEST_F(BuilderTest, KeyBindShowsTheKeyBoundWhenBuilt) {
  Hotkey key = 'F';
  f.gui.BeginMenu("keys", {}, {}, true);
  f.gui.AddKeyBind(&key, "bind", {0, 0, 80, 16, 0}, {}, {}, {});
  key = 'G';  // later changes are shown only when the bind itself changes the key
  EXPECT_EQ(f.gui.BuildingMenu()->keyBinds[0].shownKey, "F");
}

TEST_F(BuilderTest, DropDownWithAnIndexOutsideItsOptionsShowsNoOptionAndAddsNone) {
  f.gui.BeginMenu("drop", {}, {}, true);
  f.gui.AddDropDown({10, 10, 100, 16, 0}, {{0, "Dark Theme"}, {1, "Grey Theme"}, {2, "Blue Theme"}}, nullptr, 3);
  f.Frame();
  const DropDown& dropDown = f.gui.BuildingMenu()->dropDowns[0];
  EXPECT_EQ(dropDown.options.size(), 3u);
  for (const std::string& text : f.painter.Texts()) EXPECT_EQ(text.find("Theme"), std::string::npos);
}

TEST_F(BuilderTest, ItemBeforeAnyMenuGoesToAnUnnamedHiddenMenu) {
  f.gui.AddFilledRect({}, {});
  ASSERT_NE(f.gui.BuildingMenu(), nullptr);
  EXPECT_FALSE(f.gui.BuildingMenu()->visible);
  EXPECT_EQ(f.gui.BuildingMenu()->filledRects.size(), 1u);
}

}  // namespace
