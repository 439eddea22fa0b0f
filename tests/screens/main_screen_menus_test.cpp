// The whole GUI as the program builds it (BuildMenus over a real VornGUI with the program's GUI
// textures): the main screen's menus in their order with their items by kind, every texture an
// item names loaded, every script made of known commands over existing menus; the mirrored
// windows' button pairs, the saved sizes' lower bound, the layout at the program's window size and
// the values the light panel starts at.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "core/log.h"
#include "gui/command_words.h"
#include "gui/vorn_gui.h"
#include "jobs/xmodel_threaded.h"
#include "model/vorn_loader.h"
#include "screens/build_menus.h"
#include "support/gl_canvas.h"
#include "support/log_capture.h"

namespace {

const std::string kProgramDir = DELVIX_PROGRAM_DIR;

// Every menu BuildMenus makes, in its order: the main screen, the settings screens, the view
// settings panel, the dialogs.
const std::vector<std::string> kMenuOrder = {
    "bug_fixer", "xmodel_log", "xmodel_prop", "xmodel_tags", "ToolBar", "open_xmodel_log", "close_xmodel_log",
    "open_xmodel_prop", "close_xmodel_prop", "open_xmodel_tags", "close_xmodel_tags", "open_xmodel_fastfile",
    "open_xmodel_list", "xmodel_list", "light_settings",
    "Settings", "Settings_genral", "Settings_sounds", "Settings_export", "Settings_OpenGL", "Settings_hotkeys",
    "Settings_hotkeys_mouse_maya", "Settings_hotkeys_mouse_assView", "Settings_misc", "Settings_theme",
    "Settings_shaders",
    "opengl_mini_settings",
    "update_menu_background", "update_menu", "update_menu_download", "update_menu_cancel", "iwd_images_menu_lock",
    "iwd_images_menu", "about_menu", "donate_menu_lock", "donate_menu", "error_menu", "msg_box_menu"};

using Counts = std::map<std::string, size_t>;

// The item lists of menu that hold something, by kind.
Counts CountItems(const Menu& m) {
  const Counts all{{"FilledRect", m.filledRects.size()}, {"Image", m.images.size()},
                   {"RoundedRect", m.roundedRects.size()}, {"ProgressBar", m.progressBars.size()},
                   {"TextButton", m.textButtons.size()},  {"ImageButton", m.imageButtons.size()},
                   {"FlatButton", m.flatButtons.size()},  {"ListBox", m.listBoxes.size()},
                   {"BoundList", m.boundLists.size()},    {"TextBox", m.textBoxes.size()},
                   {"KeyBind", m.keyBinds.size()},        {"CheckBox", m.checkBoxes.size()},
                   {"Slider", m.sliders.size()},          {"ColorPicker", m.colorPickers.size()},
                   {"DropDown", m.dropDowns.size()},      {"PlainLabel", m.plainLabels.size()},
                   {"Label", m.labels.size()},            {"ValueLabel", m.valueLabels.size()},
                   {"FontLabel", m.fontLabels.size()},    {"TreeView", m.treeViews.size()}};
  Counts held;
  for (const auto& [kind, n] : all) {
    if (n) held[kind] = n;
  }
  return held;
}

struct MenuShape {
  const char* name;
  MenuTransition transition;
  bool framed;
  Counts items;
};

const Counts kWindowButton{{"TextButton", 1}};

// The main screen's menus: menus 0 to 14 and the view settings panel.
const std::vector<MenuShape> kMainScreen = {
    {"bug_fixer", TRANSITION_FADE, false, {{"FilledRect", 1}}},
    {"xmodel_log", TRANSITION_FADE, true, {{"BoundList", 1}}},
    {"xmodel_prop", TRANSITION_FADE, true, {{"TreeView", 1}}},
    {"xmodel_tags", TRANSITION_FADE, true, {{"TreeView", 1}}},
    {"ToolBar", TRANSITION_FADE, false,
     {{"Image", 4}, {"ImageButton", 1}, {"TextButton", 9}, {"ProgressBar", 1}, {"CheckBox", 1}}},
    {"open_xmodel_log", TRANSITION_FADE, false, kWindowButton},
    {"close_xmodel_log", TRANSITION_FADE, false, kWindowButton},
    {"open_xmodel_prop", TRANSITION_FADE, false, kWindowButton},
    {"close_xmodel_prop", TRANSITION_FADE, false, kWindowButton},
    {"open_xmodel_tags", TRANSITION_FADE, false, kWindowButton},
    {"close_xmodel_tags", TRANSITION_FADE, false, kWindowButton},
    {"open_xmodel_fastfile", TRANSITION_FADE, false, kWindowButton},
    {"open_xmodel_list", TRANSITION_NONE, false, {{"Image", 1}, {"TextButton", 1}}},
    {"xmodel_list", TRANSITION_SLIDE, false,
     {{"FontLabel", 1}, {"Image", 3}, {"ListBox", 1}, {"Label", 1}, {"TextBox", 1}, {"TextButton", 2}}},
    {"light_settings", TRANSITION_NONE, false,
     {{"Image", 4}, {"FontLabel", 3}, {"CheckBox", 5}, {"Label", 14}, {"Slider", 10}, {"ColorPicker", 3},
      {"DropDown", 1}}},
    {"opengl_mini_settings", TRANSITION_NONE, false, {{"FilledRect", 1}, {"CheckBox", 5}}},
};

std::vector<std::string> MenuNames(const VornGUI& gui) {
  std::vector<std::string> names;
  for (const auto& menu : gui.Menus()) names.push_back(menu->name);
  return names;
}

// Every texture name an item of menu draws with.
std::set<std::string> TexturesOf(const Menu& menu) {
  std::set<std::string> names;
  for (const TextButton& b : menu.textButtons) {
    for (const std::string& skin : {b.skin, b.hoverSkin}) {
      names.insert(skin);
      if (b.capped) names.insert({skin + "_sl", skin + "_sr"});
    }
  }
  for (const ImageItem& image : menu.images) names.insert(image.texture);
  for (const ImageButton& b : menu.imageButtons) names.insert({b.texture, b.hoverTexture});
  return names;
}

// Every command list of menu: its open and close scripts and its buttons' scripts.
std::vector<std::vector<std::string>> ScriptsOf(const Menu& menu) {
  std::vector<std::vector<std::string>> scripts{menu.openCommands, menu.closeCommands};
  for (const TextButton& b : menu.textButtons) scripts.push_back(b.commands);
  for (const ImageButton& b : menu.imageButtons) scripts.push_back(b.commands);
  for (const FlatButton& b : menu.flatButtons) scripts.push_back(b.commands);
  return scripts;
}

// The program's objects the menus bind, and the settings put back after each test.
class MainScreenTest : public ::testing::Test {
 protected:
  void TearDown() override {
    gui.Shutdown();
    gSettings = savedSettings;
    SceneLights = savedLights;
    gShading = savedShading;
    VornLog::KeepMessages(false);
  }
  // Builds every menu; with textures, over the program's GUI textures (needs the GL canvas).
  void Build(bool withTextures) {
    if (withTextures) {
      GlCanvas* canvas = GlCanvas::Shared();
      ASSERT_TRUE(canvas->IsOpen()) << canvas->Error();
      ASSERT_EQ(gui.LoadGUITextures(kProgramDir + "/gui_textures.txt", kProgramDir), 69);
    }
    BuildMenus(ctx);
  }
  Menu& Find(const std::string& name) {
    Menu* menu = gui.FindMenu(name);
    EXPECT_NE(menu, nullptr) << name;
    static Menu none;
    return menu ? *menu : none;
  }
  bool Visible(const std::string& name) { return Find(name).visible; }

  VornSettings savedSettings = gSettings;
  SceneLightsData savedLights = SceneLights;
  ShadingParams savedShading = gShading;
  LogCapture log;
  VornGUI gui;
  VornLoader loader;
  XmodelThreaded thread;
  ScreenContext ctx{gui, loader, thread};
};

TEST_F(MainScreenTest, TheWholeGuiHasTheMainScreenInOrderItsTexturesAndScriptsThatParse) {
  Build(true);
  const std::vector<std::string> built = MenuNames(gui);

  // The built menus are the menus of the order, in it; the main screen's are all there, the
  // first fifteen at the front.
  std::vector<std::string> expected;
  std::copy_if(kMenuOrder.begin(), kMenuOrder.end(), std::back_inserter(expected),
               [&](const std::string& name) { return std::count(built.begin(), built.end(), name) != 0; });
  EXPECT_EQ(built, expected);
  for (size_t i = 0; i < 15; ++i) EXPECT_EQ(built.at(i), kMainScreen[i].name) << i;
  for (const MenuShape& shape : kMainScreen) {
    SCOPED_TRACE(shape.name);
    const Menu& menu = Find(shape.name);
    EXPECT_EQ(menu.transition, shape.transition);
    EXPECT_EQ(menu.framed, shape.framed);
    EXPECT_EQ(CountItems(menu), shape.items);
  }

  // Every texture an item names is loaded: none was replaced by "default".
  for (const auto& menu : gui.Menus()) {
    for (const std::string& texture : TexturesOf(*menu)) {
      EXPECT_TRUE(gui.textures.Has(texture)) << menu->name << ": " << texture;
      EXPECT_NE(texture, "default") << menu->name;
    }
  }
  EXPECT_TRUE(gui.missingTextures.empty()) << gui.missingTextures.front();

  // Every command is a known word with a value; a menu it names is one of the GUI's. Blanks
  // after a script's last ";" are no command (the runner passes over them).
  const std::set<std::string> allMenus(kMenuOrder.begin(), kMenuOrder.end());
  for (const auto& menu : gui.Menus()) {
    for (const std::vector<std::string>& script : ScriptsOf(*menu)) {
      for (const std::string& command : script) {
        if (command.find_first_not_of(" \t") == std::string::npos && &command == &script.back()) continue;
        std::string word, value;
        EXPECT_TRUE(ParseCommand(command, word, value)) << menu->name << ": '" << command << "'";
        EXPECT_TRUE(IsCommandWord(word)) << menu->name << ": '" << command << "'";
        if (IsMenuCommandWord(word)) {
          EXPECT_EQ(allMenus.count(value), 1u) << menu->name << ": '" << command << "'";
        }
      }
    }
  }
  EXPECT_EQ(gui.Progress("progress_bar"), 0);
}

// The four mirrored menus start as the settings keep them; each window's button pair shows the
// live button while the window is hidden and the grey one while it shows, whatever opens or closes
// the window, and the settings follow.
TEST_F(MainScreenTest, MirroredMenusStartAsSavedAndTheirButtonPairsFollowThem) {
  for (bool open : {false, true}) {
    SCOPED_TRACE(open ? "saved open" : "saved closed");
    for (bool& flag : gSettings.xmodel_win_vis) flag = open;
    gui.Shutdown();
    Build(false);
    for (const char* window : {"xmodel_log", "xmodel_prop", "xmodel_tags"}) {
      EXPECT_EQ(Visible(window), open) << window;
      EXPECT_EQ(Visible(std::string("open_") + window), !open) << window;
      EXPECT_EQ(Visible(std::string("close_") + window), open) << window;
    }
    EXPECT_EQ(Visible("xmodel_list"), open);
    EXPECT_EQ(Visible("open_xmodel_list"), !open);
  }

  // Closed by its frame's script, a button, a toggle: the pair and the settings follow.
  gui.SetClock([] { return 0.0f; });
  gui.ExecCmd("close xmodel_log;");
  EXPECT_FALSE(gSettings.xmodel_win_vis[1]);
  EXPECT_TRUE(Visible("open_xmodel_log"));
  EXPECT_FALSE(Visible("close_xmodel_log"));
  float now = 0.0f;
  gui.SetClock([&now] { return now; });
  now = 1000.0f;  // the fades are over
  for (const auto& menu : gui.Menus()) menu->UpdateTransition(now, gui.layoutWidth, gui.layoutHeight);
  gui.Processcmd(Find("close_xmodel_prop").textButtons[0].commands);
  EXPECT_FALSE(gSettings.xmodel_win_vis[0]);
  EXPECT_TRUE(Visible("open_xmodel_prop"));
  gui.ExecCmd("toggle_menu xmodel_list;");
  EXPECT_FALSE(gSettings.xmodel_win_vis[2]);
  EXPECT_TRUE(Visible("open_xmodel_list"));
  EXPECT_TRUE(gSettings.xmodel_win_vis[3]);  // untouched
}

// A saved window size below the window's minimum is raised to it before the window's list or
// tree is laid out from it, and the settings keep the raised size.
TEST_F(MainScreenTest, SavedWindowSizesBelowTheMinimumAreRaisedBeforeTheContentIsLaidOut) {
  gSettings.xmodel_win_log_size = {0, 0, 20, -40, ITEM_FIXED};
  gSettings.xmodel_win_tags_size = {0, 0, 400, 10, ITEM_FIXED};
  Build(false);
  const ItemRect log = Find("xmodel_log").boundLists.at(0).rect;
  EXPECT_EQ(log.w, 190 - 9);
  EXPECT_EQ(log.h, 150 - 25);
  const ItemRect tags = Find("xmodel_tags").treeViews.at(0).rect;
  EXPECT_EQ(tags.w, 400 - 9);
  EXPECT_EQ(tags.h, 150 - 25);
  EXPECT_EQ(gSettings.xmodel_win_log_size.w, 190);
  EXPECT_EQ(gSettings.xmodel_win_tags_size.h, 150);
  EXPECT_GT(Find("xmodel_tags").treeViews.at(0).visibleRows, 0);
}

// At the program's 800 x 600 window the menus built for 640 x 480 follow the right and bottom
// edges: the model list moves right and grows, the bottom bar moves down and widens, the top bar's
// buttons move right; a framed window's content keeps its margins when the window is resized.
TEST_F(MainScreenTest, TheMainScreenFollowsTheWindowSize) {
  Build(false);
  gui.windowWidth = 800;
  gui.windowHeight = 600;
  gui.ItemScale();
  const ListBox& list = Find("xmodel_list").listBoxes.at(0);
  EXPECT_EQ(list.rect.x, 348 + 160);
  EXPECT_EQ(list.rect.h, 375 + 120);
  const Menu& toolBar = Find("ToolBar");
  const ImageItem& bottom = toolBar.images.at(3);  // the bottom bar
  EXPECT_EQ(bottom.rect.y, 455 + 120);
  EXPECT_EQ(bottom.rect.w, 640 + 160);
  EXPECT_EQ(toolBar.textButtons.at(6).rect.x, 589 + 160);  // "ABOUT" at the right edge
  EXPECT_EQ(toolBar.textButtons.at(6).rect.x + toolBar.textButtons.at(6).rect.w, 639 + 160);
  EXPECT_EQ(Find("open_xmodel_list").hitRect.y, 230 + 60);
  EXPECT_EQ(Find("opengl_mini_settings").filledRects.at(0).rect.y, 340 + 120);

  Menu& log = Find("xmodel_log");
  const ItemRect before = log.boundLists.at(0).rect;
  log.ItemScale(100, 50);  // what the window's grip does
  const ItemRect after = log.boundLists.at(0).rect;
  EXPECT_EQ(after.x, before.x);
  EXPECT_EQ(after.y, before.y);
  EXPECT_EQ(after.w, before.w + 100);
  EXPECT_EQ(after.h, before.h + 50);
}

// The light panel's sliders and pickers start at the values the lights hold when the menus are
// built, and its shader drop-down shows a stored index no option has as no option, without
// adding one.
TEST_F(MainScreenTest, TheLightPanelStartsAtTheLightsValuesAndKeepsItsShaderOptions) {
  SceneLights.lights[0].attenuation_linear = 0.01f;
  SceneLights.lights[1].attenuation_linear = 0.0005f;
  SceneLights.lights[0].color[0] = 0.25f;
  gShading.specularPower = 0.75f;
  gSettings.light_model = 7;
  Build(false);
  const Menu& panel = Find("light_settings");
  std::map<std::string, std::vector<float>> values;
  for (const Slider& slider : panel.sliders) values[slider.name].push_back(slider.value);
  EXPECT_EQ(values["light_att_linear"], (std::vector<float>{0.01f, 0.0005f}));
  EXPECT_EQ(values["light_SpecPower"], (std::vector<float>{0.75f}));
  EXPECT_FLOAT_EQ(panel.colorPickers.at(0).r, 0.25f);
  const DropDown& shader = panel.dropDowns.at(0);
  EXPECT_EQ(shader.selected, 7);
  EXPECT_EQ(shader.options, (std::map<int16_t, std::string>{{0, "Default"}, {1, "Phong"}}));

  // The view settings' boxes each toggle their own flag, though three share a name.
  const Menu& view = Find("opengl_mini_settings");
  std::set<bool*> flags;
  for (const CheckBox& box : view.checkBoxes) flags.insert(box.value);
  EXPECT_EQ(flags, (std::set<bool*>{&gSettings.draw_LODS, &gSettings.draw_tangents, &gSettings.draw_bones,
                                    &gSettings.draw_bounding_box, &gSettings.draw_central_locator}));
}

}  // namespace
