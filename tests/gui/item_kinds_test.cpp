// The simple item kinds: buttons, check box, slider, progress bar, colour picker, drop-down and
// key bind, driven through the GUI pass with the recording painter and a clock of the test's own;
// and the hot key names and HSV conversions they show.
#include <gtest/gtest.h>

#include <cmath>

#include "gui/colour_hsv.h"
#include "gui/hotkey_name.h"
#include "platform/events.h"
#include "recording_painter.h"

namespace {

TEST(HotkeyName, NamesCharactersAndVirtualKeys) {
  struct Case {
    Hotkey key;
    const char* name;
  };
  const Case cases[] = {
      {0x0000, ""},        {0x0141, "A"},        {0x0070, "P"},        {0x0170, "F1"},      {0x017B, "F12"},
      {0x01FF, "Unknown"}, {0x0135, "5"},        {0x0163, "NUMPAD 3"}, {0x0120, "SPACE"},   {0x01A0, "L shift"},
      {0x01A3, "R control"}, {0x002E, "."},      {0x016F, "DIVIDE"},   {0x0100, "Unknown"}, {0x0128, "DOWN"},
  };
  for (const Case& c : cases) EXPECT_EQ(HotkeyName(c.key), c.name) << std::hex << c.key;
}

TEST(ColourHsv, ConversionsKeepThePickersIntegerSteps) {
  struct Case {
    float h, s, v;
    float r, g, b;  // times 255
  };
  const Case cases[] = {
      {0, 100, 100, 254, 0, 0},       {30, 50, 100, 254, 190.5f, 127}, {400, 100, 100, 0, 0, 0},
      {360, 100, 100, 254, 0, 0},     {120, 100, 100, 0, 254, 0},      {240, 100, 50, 0, 0, 127},
      {200, 0, 100, 254, 254, 254},   {330, 100, 100, 254, 0, 127},    {0, 1, 1, 2, 1, 1},
  };
  for (const Case& c : cases) {
    const RgbColour rgb = HsvToRgb(c.h, c.s, c.v);
    EXPECT_NEAR(rgb.r * 255, c.r, 1e-3) << c.h << " " << c.s << " " << c.v;
    EXPECT_NEAR(rgb.g * 255, c.g, 1e-3) << c.h << " " << c.s << " " << c.v;
    EXPECT_NEAR(rgb.b * 255, c.b, 1e-3) << c.h << " " << c.s << " " << c.v;
  }
  const HsvColour grey = RgbToHsv(0.5f, 0.5f, 0.5f);
  EXPECT_FLOAT_EQ(grey.h, 300);
  EXPECT_FLOAT_EQ(grey.s, 0);
  EXPECT_FLOAT_EQ(grey.v, 50);
  const HsvColour red = RgbToHsv(1, 0, 0);
  EXPECT_FLOAT_EQ(red.h, 0);
  EXPECT_FLOAT_EQ(red.s, 100);
  EXPECT_FLOAT_EQ(RgbToHsv(0, 0, 1).h, 240);
  EXPECT_FLOAT_EQ(RgbToHsv(0, 0, 0).v, 0);
  // A round trip through the picker's steps stays within one step of 255.
  for (const float hue : {0.0f, 59.0f, 60.0f, 181.0f, 359.0f}) {
    const RgbColour rgb = HsvToRgb(hue, 100, 100);
    EXPECT_NEAR(RgbToHsv(rgb.r, rgb.g, rgb.b).h, hue, 1.5f) << hue;
  }
}

class ItemsTest : public ::testing::Test {
 protected:
  ItemsTest() : menu(f.AddMenu("items")) {
    menu.visible = true;
    f.gui.mouseInside = true;
  }
  void MoveTo(float x, float y) { f.gui.mouseX = x, f.gui.mouseY = y; }
  void PressAt(float x, float y) {
    MoveTo(x, y);
    f.gui.pressX = static_cast<int32_t>(x), f.gui.pressY = static_cast<int32_t>(y);
    f.gui.leftDown = true;
    f.gui.leftPressTime = f.nowMs;
  }
  // Moves there, draws, presses, draws, releases.
  void Click(float x, float y) {
    MoveTo(x, y);
    f.Frame();
    PressAt(x, y);
    f.Frame();
    f.gui.leftDown = false;
  }
  int Count(const std::string& sound) const { return static_cast<int>(std::count(f.sounds.begin(), f.sounds.end(), sound)); }

  GuiFixture f;
  Menu& menu;
};

TEST_F(ItemsTest, OnePressActsOnTheFirstButtonDrawnOnly) {
  int first = 0, second = 0;
  menu.flatButtons.push_back(FlatButton{.rect = {10, 10, 100, 20}, .label = "one", .callback = [&] { ++first; }});
  menu.flatButtons.push_back(FlatButton{.rect = {10, 10, 100, 20}, .label = "two", .callback = [&] { ++second; }});
  Click(50, 15);
  EXPECT_EQ(first, 1);
  EXPECT_EQ(second, 0);
  EXPECT_EQ(Count("menu_focus@1"), 2);
  EXPECT_EQ(Count("menu_accept@1"), 1);
  f.Frame();  // the press is spent
  EXPECT_EQ(first, 1);
}

TEST_F(ItemsTest, AnImageButtonRunsItsCommandsAndFollowsItsHover) {
  Menu& target = f.AddMenu("target");
  menu.imageButtons.push_back(ImageButton{.rect = {10, 10, 32, 32}, .colour = {0.5f, 0.5f, 0.5f, 1},
                                          .hoverColour = {1, 1, 1, 1}, .texture = "a", .hoverTexture = "b",
                                          .commands = {"open target"}});
  Click(20, 20);
  EXPECT_TRUE(target.visible);
  EXPECT_TRUE(menu.imageButtons[0].hover);
}

TEST_F(ItemsTest, AMenuInTransitionHasNoHoveredButtonsButItsCheckBoxesStillToggle) {
  menu.animating = true;
  menu.transition = TRANSITION_FADE;
  menu.durationMs = 1e9f;
  menu.startMs = f.nowMs;
  menu.opening = true;
  int pressed = 0;
  bool ticked = false;
  menu.flatButtons.push_back(FlatButton{.rect = {10, 10, 100, 20}, .callback = [&] { ++pressed; }});
  menu.checkBoxes.push_back(CheckBox{.label = "Wireframe", .rect = {10, 50, 100, 15}, .value = &ticked});
  Click(50, 15);
  Click(12, 55);
  EXPECT_EQ(pressed, 0);
  EXPECT_TRUE(f.sounds.empty() || Count("menu_focus@1") == 0);
  EXPECT_TRUE(ticked);
  Click(80, 55);  // on the label
  EXPECT_FALSE(ticked);
  EXPECT_NE(f.painter.FindText("Wireframe"), nullptr);
  EXPECT_EQ(f.painter.FindText("Wireframe")->style.pointSize, 12.0f);
}

TEST_F(ItemsTest, ASliderReachesItsEndsExactlyAndReportsAsItsModeSays) {
  struct Case {
    bool releaseOnly;
    int callsWhileDragging;
  };
  for (const Case c : {Case{false, 2}, Case{true, 0}}) {
    menu.sliders.clear();
    std::vector<float> reported;
    menu.sliders.push_back(Slider{.rect = {100, 10, 200, 16}, .minimum = 0, .maximum = 0.001f, .value = 0.0005f,
                                  .callback = [&](float v) { reported.push_back(v); }, .releaseOnly = c.releaseOnly});
    Click(200, 15);
    f.gui.leftDown = true;  // held
    ASSERT_TRUE(menu.sliders[0].dragging);
    MoveTo(900, 15);
    f.Frame();
    EXPECT_EQ(menu.sliders[0].value, 0.001f);
    MoveTo(-50, 15);
    f.Frame();
    EXPECT_EQ(menu.sliders[0].value, 0.0f);
    EXPECT_EQ(static_cast<int>(reported.size()), c.callsWhileDragging) << c.releaseOnly;
    f.gui.leftDown = false;
    f.Frame();
    EXPECT_FALSE(menu.sliders[0].dragging);
    ASSERT_EQ(static_cast<int>(reported.size()), c.callsWhileDragging + 1);
    EXPECT_EQ(reported.back(), 0.0f);
  }
}

TEST_F(ItemsTest, AFullProgressBarFadesOutAndFillsAgainWhenTheValueChanges) {
  menu.progressBars.push_back(ProgressBar{.rect = {10, 10, 200, 12}, .colour = {0, 1, 0, 1}, .name = "iwd",
                                          .fullWidth = 200});
  const auto fillAlpha = [&]() {
    for (const PaintCall& quad : f.painter.Of("quad")) {
      if (quad.rect.x == 10 && quad.rect.y == 10 && quad.colour.g == 1) return quad.colour.a;
    }
    return -1.0f;
  };
  struct Step {
    int value;
    float advanceMs;
    float alpha;  // -1: no fill
  };
  const Step steps[] = {
      {120, 0, 1},      {200, 0, 1},     {200, 1000, 0.5f}, {200, 1001, 0},
      {200, 5000, -1},  {150, 0, 1},     {200, 0, 1},       {0, 0, -1},
  };
  for (const Step& step : steps) {
    f.gui.SetProgress("iwd", step.value);
    f.nowMs += step.advanceMs;
    f.Frame();
    EXPECT_NEAR(fillAlpha(), step.alpha, 1e-3) << step.value << " after " << step.advanceMs;
    EXPECT_EQ(menu.progressBars[0].rect.w, step.value);
  }
}

TEST_F(ItemsTest, ADropDownOpensOffersTheChoiceAndClosesEitherWay) {
  std::vector<int> offered;
  bool accept = true;
  menu.dropDowns.push_back(DropDown{.rect = {10, 10, 120, 18}, .selected = 0,
                                    .options = {{0, "Cod4"}, {1, "Cod5"}, {2, "Cod BO"}},
                                    .callback = [&](int i) {
                                      offered.push_back(i);
                                      return accept;
                                    }});
  DropDown& box = menu.dropDowns[0];
  f.Frame();
  EXPECT_NE(f.painter.FindText("Cod4"), nullptr);
  Click(120, 15);  // the arrow
  EXPECT_TRUE(box.open);
  EXPECT_EQ(Count("menu_focus@1"), 1);
  // Option rows start at y + h + 5, 15 pixels apart.
  Click(50, 10 + 18 + 5 + 15 * 2 + 5);
  EXPECT_FALSE(box.open);
  EXPECT_EQ(offered, (std::vector<int>{2}));
  EXPECT_EQ(box.selected, 2);
  accept = false;
  Click(120, 15);
  Click(50, 10 + 18 + 5 + 15 * 1 + 5);
  EXPECT_EQ(offered.back(), 1);
  EXPECT_EQ(box.selected, 2);  // refused: the old choice stays
  EXPECT_FALSE(box.open);
  Click(120, 15);
  Click(400, 400);  // anywhere else
  EXPECT_FALSE(box.open);
  EXPECT_EQ(offered.size(), 2u);
}

TEST_F(ItemsTest, AKeyBindCapturesTheNextKeyOrIsCancelledByAPress) {
  Hotkey key = 0x0170;
  menu.keyBinds.push_back(KeyBind{.shownKey = "F1", .rect = {10, 10, 100, 18}, .outline = {0, 1, 0, 1}, .target = &key});
  KeyBind& bind = menu.keyBinds[0];
  Click(50, 15);
  EXPECT_TRUE(bind.capturing);
  EXPECT_EQ(f.gui.tooltip, "Please Any Key to bind");
  EXPECT_TRUE(f.gui.textEntryActive);
  // A press before any key cancels and keeps the key.
  Click(400, 400);
  EXPECT_FALSE(bind.capturing);
  EXPECT_EQ(key, 0x0170);
  EXPECT_EQ(f.gui.tooltip, "");
  EXPECT_FALSE(f.gui.textEntryActive);
  // A key is stored; the outline then fades to grey over one second.
  Click(50, 15);
  f.gui.HandleInput(platform::Event{.type = platform::EventType::KeyDown, .keyCode = 0x71});
  MoveTo(400, 400);
  f.Frame();
  EXPECT_EQ(key, 0x0171);
  EXPECT_EQ(bind.shownKey, "F2");
  EXPECT_TRUE(bind.fade.justDone);
  f.nowMs += 1001;
  f.Frame();
  EXPECT_FALSE(bind.fade.justDone);
  EXPECT_NE(f.painter.FindText("F2"), nullptr);
  // A key the platform has no code for is refused, and the user is told.
  f.gui.messageLayout.w = 400;
  Click(50, 15);
  f.gui.HandleInput(platform::Event{.type = platform::EventType::KeyDown, .keyCode = 0});
  f.Frame();
  EXPECT_EQ(key, 0x0171);
  EXPECT_EQ(f.gui.messageText, "This key can not be bound.");
  // No key shows "Not Bound".
  key = 0;
  bind.shownKey.clear();
  f.Frame();
  EXPECT_NE(f.painter.FindText("Not Bound"), nullptr);
}

TEST_F(ItemsTest, TheColourPickerPicksFromTheSquareAndTheHueBar) {
  std::vector<RgbColour> picked;
  ColorPicker picker{.rect = {20, 30}, .frame = {0.5f, 0.5f, 0.5f, 1},
                     .callback = [&](float r, float g, float b) { picked.push_back({r, g, b}); }};
  picker.SetColour(0.5f, 0.5f, 0.5f);
  EXPECT_EQ(picker.hue, 300);
  EXPECT_NEAR(picker.hueBarPosition, 95 - 95 * 300 / 360.0f, 1e-4);  // about 15.8 pixels down
  EXPECT_FLOAT_EQ(picker.inverseValue, 50);
  menu.rect = {100, 0};
  menu.colorPickers.push_back(picker);
  // The square's top right corner: full saturation and value of the hue (300: magenta).
  Click(100 + 25 + 100 - 1, 35);
  ASSERT_EQ(picked.size(), 1u);
  EXPECT_FLOAT_EQ(menu.colorPickers[0].saturation, 99);
  EXPECT_FLOAT_EQ(menu.colorPickers[0].inverseValue, 0);
  EXPECT_GT(picked[0].r, 0.9f);
  EXPECT_LT(picked[0].g, 0.05f);
  // The hue bar's top is hue 360, i.e. red.
  Click(100 + 130 + 10, 35);
  EXPECT_EQ(menu.colorPickers[0].hue, 360);
  EXPECT_GT(picked.back().r, 0.9f);
  EXPECT_LT(picked.back().b, 0.05f);
  EXPECT_NE(f.painter.FindText("HUE: 360"), nullptr);
}

}  // namespace
