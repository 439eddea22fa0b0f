// The settings screens built on a real GUI: the eleven menus in order with their transitions and
// their items per kind, every script made of known command words naming menus that exist, what
// the items copy or point at in the settings, the drop-downs at the stored choices (an index
// outside the options shows none), and the tab buttons, the panel's scripts and the mouse pictures
// at work.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <vector>

#include "core/strings.h"
#include "gui/hotkey_name.h"
#include "gui/item_layout.h"
#include "jobs/xmodel_threaded.h"
#include "model/vorn_loader.h"
#include "platform/files.h"
#include "screens/build_menus.h"
#include "screens/screen_context.h"
#include "support/log_capture.h"
#include "support/temp_folder.h"

namespace {

const std::vector<std::string> kTabs = {"Settings_genral", "Settings_sounds", "Settings_export", "Settings_OpenGL",
                                        "Settings_hotkeys", "Settings_misc",   "Settings_theme",  "Settings_shaders"};

class SettingsScreensTest : public ::testing::Test {
 protected:
  void SetUp() override {
    saved_ = gSettings;
    gui.SetClock([this] { return nowMs; });
    gui.settingsPath = folder.Path("settings.xml");
  }
  void TearDown() override {
    gSettings = saved_;
    SettingsResetPending = false;
  }

  // Builds the settings screens over the settings as they are now.
  void Build() { BuildSettingsScreens(ctx); }
  Menu& M(const std::string& name) {
    Menu* menu = gui.FindMenu(name);
    EXPECT_NE(menu, nullptr) << name;
    return *menu;
  }
  bool Visible(const std::string& name) { return M(name).visible; }
  std::vector<std::string> VisibleTabs() {
    std::vector<std::string> shown;
    for (const std::string& tab : kTabs) {
      if (Visible(tab)) shown.push_back(tab);
    }
    return shown;
  }
  // Runs the commands of the first text button labelled label in the panel, as its click does.
  void PressTab(const std::string& label) {
    for (const TextButton& button : M("Settings").textButtons) {
      if (button.label == label) return gui.Processcmd(button.commands);
    }
    ADD_FAILURE() << "no tab button " << label;
  }
  // Time passes: delayed commands run and transitions step as a frame steps them.
  void Advance(float ms) {
    nowMs += ms;
    gui.RunDueCommands();
    for (const auto& menu : gui.Menus()) {
      if (menu->animating) menu->UpdateTransition(nowMs, gui.layoutWidth, gui.layoutHeight);
    }
  }

  LogCapture log;
  TempFolder folder;
  VornGUI gui;
  VornLoader list;
  XmodelThreaded jobs;
  ScreenContext ctx{gui, list, jobs};
  float nowMs = 1000.0f;

 private:
  VornSettings saved_;
};

// Items of a menu per kind, in the order of the columns below.
struct KindCounts {
  size_t images, roundedRects, textButtons, flatButtons, textBoxes, keyBinds, checkBoxes, sliders, colorPickers,
      dropDowns, labels, fontLabels;
  bool operator==(const KindCounts&) const = default;
};

KindCounts CountKinds(const Menu& m) {
  return {m.images.size(),    m.roundedRects.size(), m.textButtons.size(), m.flatButtons.size(),
          m.textBoxes.size(), m.keyBinds.size(),     m.checkBoxes.size(),  m.sliders.size(),
          m.colorPickers.size(), m.dropDowns.size(), m.labels.size(),      m.fontLabels.size()};
}

std::ostream& operator<<(std::ostream& out, const KindCounts& c) {
  return out << "images " << c.images << ", rounded " << c.roundedRects << ", text buttons " << c.textButtons
             << ", flat buttons " << c.flatButtons << ", text boxes " << c.textBoxes << ", key binds " << c.keyBinds
             << ", check boxes " << c.checkBoxes << ", sliders " << c.sliders << ", pickers " << c.colorPickers
             << ", drop-downs " << c.dropDowns << ", labels " << c.labels << ", font labels " << c.fontLabels;
}

TEST_F(SettingsScreensTest, ElevenMenusInOrderWithTheirTransitionsAndItemsPerKind) {
  Build();
  const struct {
    const char* name;
    MenuTransition transition;
    float durationMs;
    KindCounts items;
  } expected[] = {
      //                                               img rnd txt flat box key chk sld pick drop lbl font
      {"Settings", TRANSITION_SLIDE, 650, {2, 0, 8, 3, 0, 0, 0, 0, 0, 0, 0, 0}},
      {"Settings_genral", TRANSITION_FADE, 1000, {0, 2, 10, 1, 5, 0, 8, 0, 0, 2, 8, 1}},
      {"Settings_sounds", TRANSITION_FADE, 1000, {1, 1, 0, 0, 0, 0, 6, 1, 0, 0, 1, 1}},
      {"Settings_export", TRANSITION_FADE, 1000, {0, 3, 0, 0, 1, 0, 8, 0, 0, 1, 7, 1}},
      {"Settings_OpenGL", TRANSITION_FADE, 1000, {0, 1, 0, 0, 2, 0, 14, 0, 2, 0, 4, 1}},
      {"Settings_hotkeys", TRANSITION_FADE, 1000, {0, 0, 0, 0, 3, 13, 0, 0, 0, 1, 14, 1}},
      {"Settings_hotkeys_mouse_maya", TRANSITION_NONE, 0, {1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}},
      {"Settings_hotkeys_mouse_assView", TRANSITION_NONE, 0, {1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}},
      {"Settings_misc", TRANSITION_FADE, 1000, {0, 1, 0, 1, 0, 0, 0, 0, 0, 1, 2, 1}},
      {"Settings_theme", TRANSITION_FADE, 1000, {0, 0, 0, 0, 0, 0, 0, 0, 0, 1, 2, 1}},
      {"Settings_shaders", TRANSITION_FADE, 1000, {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1, 1}},
  };
  ASSERT_EQ(gui.Menus().size(), std::size(expected));
  for (size_t i = 0; i < std::size(expected); ++i) {
    const Menu& menu = *gui.Menus()[i];
    SCOPED_TRACE(menu.name);
    EXPECT_EQ(menu.name, expected[i].name);
    EXPECT_EQ(menu.transition, expected[i].transition);
    EXPECT_FLOAT_EQ(menu.durationMs, expected[i].durationMs);
    EXPECT_EQ(CountKinds(menu), expected[i].items);
    // Hidden, centred in the window, no mirror; every other item list empty.
    EXPECT_FALSE(menu.visible);
    EXPECT_EQ(menu.rect.flags, ITEM_CENTER_X | ITEM_CENTER_Y);
    EXPECT_EQ(menu.visibilityMirror, nullptr);
    EXPECT_TRUE(menu.filledRects.empty() && menu.imageButtons.empty() && menu.listBoxes.empty() &&
                menu.boundLists.empty() && menu.progressBars.empty() && menu.valueLabels.empty() &&
                menu.treeViews.empty());
    // The tabs share the panel's area below the tab buttons and show their title first.
    if (menu.transition == TRANSITION_FADE) {
      EXPECT_EQ(menu.hitRect.x, 42);
      EXPECT_EQ(menu.hitRect.h, 310);
      EXPECT_EQ(menu.fontLabels[0].text.rfind("Settings - ", 0), 0u);
      EXPECT_TRUE(menu.fontLabels[0].titleFont);
    }
  }
  EXPECT_EQ(M("Settings").openDirection, SLIDE_RIGHT);
  EXPECT_EQ(M("Settings").closeDirection, SLIDE_DOWN);
}

// The words a settings script may use, and whether their value names a menu.
bool KnownWord(const std::string& word, bool& namesMenu) {
  static const std::set<std::string> menuWords = {"open", "close", "force_open", "force_close", "toggle_menu"};
  static const std::set<std::string> otherWords = {"wait", "save", "reset_settings", "set_mouse_cntrl_display"};
  namesMenu = menuWords.count(word) > 0;
  return namesMenu || otherWords.count(word) > 0;
}

TEST_F(SettingsScreensTest, EveryScriptIsMadeOfKnownWordsAndNamesMenusThatExist) {
  Build();
  const auto menus = gui.Menus().size();
  int scripts = 0;
  const auto check = [&](const std::string& where, const std::vector<std::string>& commands) {
    SCOPED_TRACE(where);
    ++scripts;
    for (size_t i = 0; i < commands.size(); ++i) {
      std::string command = commands[i];
      command.erase(0, command.find_first_not_of(' '));
      // A script may end in "; ", which leaves one blank piece at its end.
      if (command.empty()) {
        EXPECT_EQ(i + 1, commands.size()) << "a blank command inside the script";
        continue;
      }
      const size_t blank = command.find(' ');
      const std::string word = command.substr(0, blank);
      const std::string value = blank == std::string::npos ? word : command.substr(blank + 1);
      bool namesMenu = false;
      EXPECT_TRUE(KnownWord(word, namesMenu)) << command;
      if (namesMenu) EXPECT_NE(gui.FindMenu(value), nullptr) << command;
      int delay = 0;
      if (word == "wait") EXPECT_TRUE(from_string(delay, value, std::dec)) << command;
      if (word == "save") EXPECT_EQ(value, "settings");
    }
  };
  for (const auto& menu : gui.Menus()) {
    if (!menu->openCommands.empty()) check(menu->name + " open", menu->openCommands);
    if (!menu->closeCommands.empty()) check(menu->name + " close", menu->closeCommands);
    for (const TextButton& b : menu->textButtons) {
      // Every button does something: a callback or a script.
      EXPECT_NE(static_cast<bool>(b.callback), !b.commands.empty()) << menu->name << " " << b.label;
      if (!b.commands.empty()) check(menu->name + " " + b.label, b.commands);
    }
    for (const FlatButton& b : menu->flatButtons) {
      EXPECT_NE(static_cast<bool>(b.callback), !b.commands.empty()) << menu->name << " " << b.label;
      if (!b.commands.empty()) check(menu->name + " " + b.label, b.commands);
    }
  }
  EXPECT_EQ(gui.Menus().size(), menus);
  EXPECT_EQ(scripts, 2 + 2 + 8 + 3);  // the panel's and the hot-keys tab's, 8 tabs, Reset/Close/Save
}

TEST_F(SettingsScreensTest, ItemsShowAndEditTheSettingsOfTheBuild) {
  gSettings.dir_cod4 = "/games/cod4";
  gSettings.dir_gdt = "/out/gdt";
  gSettings.scale = 0.5f;
  gSettings.fps_active = 120;
  gSettings.fps_sleep = 15;
  gSettings.color_grid = 0x00FF8000;  // blue 255, green 128, red 0
  gSettings.hotkeys[HK_DRAW_BONES] = 0x0170;
  Build();

  const auto box = [&](const std::string& menu, const std::string& name) -> const TextBox& {
    for (const TextBox& b : M(menu).textBoxes) {
      if (b.name == name) return b;
    }
    static TextBox none;
    ADD_FAILURE() << "no text box " << name;
    return none;
  };
  const struct {
    const char* menu;
    const char* name;
    std::string text;
    bool readOnly;
  } boxes[] = {
      {"Settings_genral", "output_cod4", "/games/cod4", true},
      {"Settings_genral", "output_cod5", kSetPath, true},
      {"Settings_genral", "output_cod_bo", kSetPath, true},
      {"Settings_genral", "output_dir", kRunningDirectory, true},
      {"Settings_genral", "output_GDT_dir", "/out/gdt", true},
      {"Settings_export", "model_scale", "0.5", false},
      {"Settings_OpenGL", "active_fps", "120", false},
      {"Settings_OpenGL", "sleep_fps", "15", false},
      {"Settings_hotkeys", "mouse_angle", "Angle", true},
  };
  for (const auto& b : boxes) {
    SCOPED_TRACE(b.name);
    EXPECT_EQ(box(b.menu, b.name).text, b.text);
    EXPECT_EQ(box(b.menu, b.name).readOnly, b.readOnly);
    EXPECT_TRUE(static_cast<bool>(box(b.menu, b.name).onChange));
  }

  // Check boxes point at the settings' flags; the OpenGL tab's alpha box at the view's flag.
  const struct {
    const char* menu;
    const char* name;
    const bool* flag;
  } flags[] = {
      {"Settings_genral", "hide_warnings", &gSettings.log_warn},
      {"Settings_genral", "clear_load_list_on_change", &gSettings.clear_list_on_change},
      {"Settings_sounds", "sound_Leaving", &gSettings.sound_leave},
      {"Settings_export", "export_images_col_only", &gSettings.images_col},
      {"Settings_export", "tags_directoy", &gSettings.tags_local},
      {"Settings_OpenGL", "normal_maps", &gSettings.bump_mapping},
      {"Settings_OpenGL", "disable_alpha", &ctx.shading.disableAlpha},
  };
  for (const auto& f : flags) {
    const std::vector<CheckBox>& checks = M(f.menu).checkBoxes;
    const auto found = std::find_if(checks.begin(), checks.end(), [&](const CheckBox& c) { return c.name == f.name; });
    ASSERT_NE(found, checks.end()) << f.name;
    EXPECT_EQ(found->value, f.flag) << f.name;
  }

  // Thirteen key fields at x 200, none for export_XE; each shows its key as it was.
  const Menu& hotkeys = M("Settings_hotkeys");
  std::set<const Hotkey*> bound;
  for (const KeyBind& bind : hotkeys.keyBinds) {
    bound.insert(bind.target);
    EXPECT_EQ(bind.rect.x, 200);
    EXPECT_EQ(bind.shownKey, HotkeyName(*bind.target)) << bind.name;
  }
  EXPECT_EQ(bound.size(), 13u);
  EXPECT_EQ(bound.count(&gSettings.hotkeys[HK_EXPORT_XE]), 0u);
  EXPECT_EQ(hotkeys.keyBinds.back().name, "draw_bones");
  EXPECT_EQ(hotkeys.keyBinds.back().shownKey, "F1");

  // The grid picker starts at the stored colour; the volume slider reports only on release.
  const ColorPicker& grid = M("Settings_OpenGL").colorPickers[0];
  EXPECT_FLOAT_EQ(grid.r, 0.0f);
  EXPECT_FLOAT_EQ(grid.g, 128.0f / 255.0f);
  EXPECT_FLOAT_EQ(grid.b, 1.0f);
  const Slider& volume = M("Settings_sounds").sliders[0];
  EXPECT_EQ(volume.name, "master_volume");
  EXPECT_TRUE(volume.releaseOnly);
  EXPECT_FLOAT_EQ(volume.maximum, 1.0f);

  // The items reach their callbacks with this context.
  EXPECT_TRUE(M("Settings_export").dropDowns[0].callback(1));
  EXPECT_EQ(gSettings.as_tga, 1);
  box("Settings_export", "model_scale").onChange("3");
  EXPECT_FLOAT_EQ(gSettings.scale, 3.0f);
  EXPECT_TRUE(M("Settings_hotkeys").dropDowns[0].callback(1));
  EXPECT_EQ(gSettings.mouse_style, 1);
  EXPECT_TRUE(Visible("Settings_hotkeys_mouse_assView"));
}

// The drop-downs, in build order: log mode, active game, image format, mouse scheme, IWD game,
// theme.
std::vector<const DropDown*> DropDowns(VornGUI& gui) {
  std::vector<const DropDown*> found;
  for (const auto& menu : gui.Menus()) {
    for (const DropDown& d : menu->dropDowns) found.push_back(&d);
  }
  return found;
}

TEST_F(SettingsScreensTest, DropDownsStartAtTheStoredChoicesAndAnIndexOutsideShowsNoneAndAddsNone) {
  const struct {
    int32_t logType, activeGame, asTga, mouseStyle, theme;
    std::vector<int16_t> shown;
  } cases[] = {
      {0, 0, 0, 0, 0, {0, 0, 0, 0, 0, 0}},
      {1, 2, 1, 1, 2, {1, 2, 1, 1, 0, 2}},
      // What the settings file may hold unclamped: a theme of 3 (clamped to 0..3 for three themes),
      // a mouse style of 2, a log type or game far outside (even past 16 bits).
      {70000, -1, 1, 2, 3, {-1, -1, 1, 2, 0, 3}},
      {65536, 5, 0, 0, 1, {-1, 5, 0, 0, 0, 1}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.logType);
    gSettings.log_type = c.logType;
    gSettings.active_game = c.activeGame;
    gSettings.as_tga = c.asTga;
    gSettings.mouse_style = c.mouseStyle;
    gSettings.active_frame_theme = c.theme;
    VornGUI built;
    ScreenContext own{built, list, jobs};
    BuildSettingsScreens(own);
    const std::vector<const DropDown*> drops = DropDowns(built);
    ASSERT_EQ(drops.size(), c.shown.size());
    const std::vector<size_t> optionCounts = {2, 3, 2, 2, 3, 3};
    for (size_t i = 0; i < drops.size(); ++i) {
      EXPECT_EQ(drops[i]->selected, c.shown[i]) << "drop-down " << i;
      EXPECT_EQ(drops[i]->options.size(), optionCounts[i]) << "drop-down " << i;
      // An index outside the options finds none (it is never looked up by inserting).
      if (c.shown[i] < 0 || static_cast<size_t>(c.shown[i]) >= optionCounts[i]) {
        EXPECT_EQ(drops[i]->options.count(drops[i]->selected), 0u);
      }
    }
  }
}

TEST_F(SettingsScreensTest, OpeningShowsTheGeneralTabLaterATabButtonShowsOnlyItsTabAndClosingHidesAll) {
  Build();
  gui.ExecCmd("toggle_menu Settings;");
  EXPECT_TRUE(Visible("Settings"));
  Advance(599);
  EXPECT_TRUE(VisibleTabs().empty());
  Advance(1);
  EXPECT_EQ(VisibleTabs(), std::vector<std::string>{"Settings_genral"});

  const std::vector<std::string> labels = {"GENERAL", "SOUNDS", "EXPORT", "OPEN GL", "HOT KEYS", "MISC", "THEME",
                                           "SHADERS"};
  for (size_t i = 0; i < labels.size(); ++i) {
    PressTab(labels[i]);
    Advance(1000);  // the fade
    EXPECT_EQ(VisibleTabs(), std::vector<std::string>{kTabs[i]}) << labels[i];
  }

  // Closing the panel while a tab fades in hides every tab at once.
  PressTab("EXPORT");
  ASSERT_TRUE(M("Settings_export").animating);
  for (const FlatButton& button : M("Settings").flatButtons) {
    if (button.label == "Close") gui.Processcmd(button.commands);
  }
  EXPECT_FALSE(Visible("Settings"));
  EXPECT_TRUE(VisibleTabs().empty());
}

TEST_F(SettingsScreensTest, ATabPressedBeforeTheDelayedGeneralTabLeavesBothShowing) {
  Build();
  gui.ExecCmd("toggle_menu Settings;");
  Advance(300);
  PressTab("THEME");
  Advance(300);
  EXPECT_EQ(VisibleTabs(), (std::vector<std::string>{"Settings_genral", "Settings_theme"}));
}

TEST_F(SettingsScreensTest, TheHotKeysTabShowsThePictureOfTheStoredMouseSchemeAndHidesBothOnClosing) {
  for (const int32_t style : {0, 1}) {
    SCOPED_TRACE(style);
    gSettings.mouse_style = style;
    VornGUI built;
    built.SetClock([this] { return nowMs; });
    ScreenContext own{built, list, jobs};
    BuildSettingsScreens(own);
    built.ExecCmd("open Settings_hotkeys;");
    EXPECT_EQ(built.FindMenu("Settings_hotkeys_mouse_maya")->visible, style == 0);
    EXPECT_EQ(built.FindMenu("Settings_hotkeys_mouse_assView")->visible, style == 1);
    built.ExecCmd("force_close Settings_hotkeys;");
    EXPECT_FALSE(built.FindMenu("Settings_hotkeys_mouse_maya")->visible);
    EXPECT_FALSE(built.FindMenu("Settings_hotkeys_mouse_assView")->visible);
  }
}

TEST_F(SettingsScreensTest, SaveWritesTheChangedSettingsAndResetDeletesTheFile) {
  Build();
  const auto press = [&](const std::string& label) {
    for (const FlatButton& button : M("Settings").flatButtons) {
      if (button.label == label) gui.Processcmd(button.commands);
    }
  };
  gui.ExecCmd("toggle_menu Settings;");
  Advance(700);
  gSettings.tags_local = true;  // as its check box does
  press("Save");
  EXPECT_FALSE(Visible("Settings"));
  Advance(700);  // the slide out
  EXPECT_NE(folder.Read("settings.xml").find("<tags_local value=\"true\""), std::string::npos);

  gui.ExecCmd("toggle_menu Settings;");
  Advance(700);
  press("Reset");
  EXPECT_FALSE(Visible("Settings"));
  EXPECT_FALSE(platform::IsRegularFile(folder.Path("settings.xml")));
}

}  // namespace
