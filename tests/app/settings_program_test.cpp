// The settings screens of the running program, driven with real input through the test's own X
// server: the settings hot key slides the panel in and shows the general tab, a click on each tab
// button shows that tab alone, the image format and the theme are chosen in their drop-downs, a hot
// key is rebound in its key field and works at once, and the choices are in settings.xml after the
// program ends and come back after a restart. A screenshot of every tab is kept for a person to
// look at: <build>/tests/screenshots/settings_<tab>.png, and the theme drop-down open:
// settings_theme_choices.png.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <string>
#include <thread>

#include "app/vorn_opengl.h"
#include "program_driver.h"
#include "support/wait_until.h"
#include "support/x_server.h"

namespace {

using testing_support::ClickInMenu;
using testing_support::KeepScreenshot;
using testing_support::MenuHidden;
using testing_support::MenuShown;
using testing_support::OnMainThread;
using testing_support::OpenDropDown;
using testing_support::PickOption;
using testing_support::ProgramFolder;
using testing_support::ProgramWindow;
using testing_support::RunProgramWith;
using testing_support::TakeScreenShot;
using testing_support::WaitUntil;
using testing_support::Xdotool;
using testing_support::XdotoolClick;
using testing_support::XdotoolMove;

// Types key into the focused program window, held for a few frames as a hand holds it (a hot key
// is looked at once per frame, while it is down).
void PressKey(const std::string& key) {
  Xdotool("keydown " + key + " sleep 0.3 keyup " + key);
  std::this_thread::sleep_for(std::chrono::milliseconds(300));
}

// The tab buttons as the panel lays them out: the tab menu they show, the screenshot's name and the
// middle of the button.
struct Tab {
  const char* menu;
  const char* shot;
  int x;
};
constexpr Tab kTabs[] = {
    {"Settings_genral", "general", 82},   {"Settings_sounds", "sounds", 146}, {"Settings_export", "export", 208},
    {"Settings_OpenGL", "opengl", 271},   {"Settings_hotkeys", "hotkeys", 340}, {"Settings_misc", "misc", 397},
    {"Settings_theme", "theme", 446},     {"Settings_shaders", "shaders", 508},
};

// Shows tab by its button and keeps a screenshot of it, with the pointer moved off the panel.
void ShowTabAndKeepIt(const ProgramFolder& folder, const std::string& window, const Tab& tab) {
  ASSERT_TRUE(ClickInMenu(window, "Settings", tab.x, 70)) << tab.menu;
  ASSERT_TRUE(MenuShown(tab.menu)) << tab.menu;
  for (const Tab& other : kTabs) {
    if (other.menu != tab.menu) {
      EXPECT_FALSE(OnMainThread([&] { return gOpenGL->gui.FindMenu(other.menu)->visible; }));
    }
  }
  ASSERT_TRUE(XdotoolMove(window, 5, 590));
  ASSERT_TRUE(TakeScreenShot(folder));
  const std::string png = KeepScreenshot(folder, std::string("settings_") + tab.shot);
  if (!png.empty()) std::printf("settings tab: %s\n", png.c_str());
}

}  // namespace

TEST(ProgramSettings, TabsShowByHandChoicesAndAReboundHotKeyAreKeptAfterQuitAndRestart) {
  if (std::system("command -v xdotool >/dev/null") != 0) GTEST_SKIP() << "xdotool not installed";
  testing_support::PrivateXServer server;
  std::string error;
  ASSERT_TRUE(server.Start(error)) << error;
  // The view options of a normal start (the defaults' frame caps and colours).
  ProgramFolder folder(
      "\t<fps_active value=\"40\" />\n\t<fps_sleep value=\"24\" />\n\t<draw_grid value=\"true\" />\n"
      "\t<draw_bones value=\"true\" />\n\t<bump_mapping value=\"true\" />\n\t<use_vertex_col value=\"true\" />\n"
      "\t<color_grid value=\"2565928\" />\n\t<color_background value=\"986639\" />\n\t<color_txt value=\"255\" />\n");
  int exitCode = RunProgramWith(folder, [&] {
    const std::string window = ProgramWindow();
    ASSERT_FALSE(window.empty()) << "no program window";
    Xdotool("windowfocus --sync " + window);
    ASSERT_TRUE(XdotoolMove(window, 5, 590));
    // The settings hot key "s" slides the panel in; the general tab follows.
    PressKey("s");
    ASSERT_TRUE(MenuShown("Settings")) << "the settings hot key did not open the panel";
    ASSERT_TRUE(MenuShown("Settings_genral"));
    for (const Tab& tab : kTabs) ShowTabAndKeepIt(folder, window, tab);

    // The export tab's image format becomes TGA, the theme tab's theme Blue.
    ASSERT_TRUE(ClickInMenu(window, "Settings", kTabs[2].x, 70));
    ASSERT_TRUE(MenuShown("Settings_export"));
    ASSERT_TRUE(OpenDropDown(window, "Settings_export", {440, 240, 60, 18}));
    ASSERT_TRUE(PickOption(window, "Settings_export", {440, 240, 60, 18}, 1));
    EXPECT_TRUE(WaitUntil([] { return OnMainThread([] { return gSettings.as_tga == 1; }); }));
    ASSERT_TRUE(ClickInMenu(window, "Settings", kTabs[6].x, 70));
    ASSERT_TRUE(MenuShown("Settings_theme"));
    ASSERT_TRUE(OpenDropDown(window, "Settings_theme", {180, 127, 110, 18}));
    ASSERT_TRUE(TakeScreenShot(folder));
    KeepScreenshot(folder, "settings_theme_choices");
    ASSERT_TRUE(PickOption(window, "Settings_theme", {180, 127, 110, 18}, 2));
    EXPECT_TRUE(WaitUntil([] { return OnMainThread([] { return gSettings.active_frame_theme == 2; }); }));

    // The settings menu's key field takes "q"; "q" closes the panel at once and opens it again.
    ASSERT_TRUE(ClickInMenu(window, "Settings", kTabs[4].x, 70));
    ASSERT_TRUE(MenuShown("Settings_hotkeys"));
    ASSERT_TRUE(ClickInMenu(window, "Settings_hotkeys", 240, 341));
    ASSERT_TRUE(WaitUntil([] { return OnMainThread([] { return gOpenGL->gui.captureTarget != nullptr; }); }));
    PressKey("q");
    // The key's press comes before its character: the virtual key of Q is bound.
    EXPECT_TRUE(WaitUntil([] { return OnMainThread([] { return gSettings.hotkeys[HK_TOGGLE_SETTING_MENU]; }) == 0x151; }));
    ASSERT_TRUE(XdotoolMove(window, 5, 590));
    PressKey("q");
    EXPECT_TRUE(MenuHidden("Settings")) << "the rebound key did not close the panel";
    EXPECT_TRUE(MenuHidden("Settings_hotkeys"));
  });
  EXPECT_EQ(exitCode, 0);
  const std::string saved = folder.Read("settings.xml");
  EXPECT_NE(saved.find("<as_tga value=\"1\""), std::string::npos) << saved;
  EXPECT_NE(saved.find("<active_frame_theme value=\"2\""), std::string::npos) << saved;
  EXPECT_NE(saved.find("<toggle_setting_menu value=\"81\" vk=\"true\""), std::string::npos) << saved;

  // After a restart the drop-downs show the choices and the rebound key opens the panel.
  exitCode = RunProgramWith(folder, [&] {
    EXPECT_EQ(OnMainThread([] { return gOpenGL->gui.FindMenu("Settings_export")->dropDowns[0].selected; }), 1);
    EXPECT_EQ(OnMainThread([] { return gOpenGL->gui.FindMenu("Settings_theme")->dropDowns[0].selected; }), 2);
    const std::string window = ProgramWindow();
    ASSERT_FALSE(window.empty());
    Xdotool("windowfocus --sync " + window);
    ASSERT_TRUE(XdotoolMove(window, 5, 590));
    PressKey("q");
    EXPECT_TRUE(MenuShown("Settings")) << "the rebound key does not open the panel after a restart";
  });
  EXPECT_EQ(exitCode, 0);
}
