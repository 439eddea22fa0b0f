// The main screen of the running program, driven as a user drives it with real input through an
// X server of the test's own: the tool bar's buttons open the model windows, a row of the tags
// window marks its bone in the 3D view, the hot keys toggle the menus, the view settings and the
// light panel change the view, the tool bar exports, and the screen keeps its parts inside the
// window from the smallest window to 1920 x 1080. Screenshots of each step are kept in
// <build>/tests/screenshots/main_screen_*.png for a person to look at.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <functional>
#include <string>
#include <thread>

#include "app/vorn_opengl.h"
#include "platform/files.h"
#include "program_driver.h"
#include "screens/model_info_panel.h"
#include "support/game_files.h"
#include "support/pillow_reader.h"
#include "support/wait_until.h"
#include "view/bone_display.h"

namespace {

using namespace testing_support;

bool RealDataPresent() { return platform::IsDirectory(testfiles::RealDataPath("cod4/raw/xmodel")); }

bool MenuVisible(const std::string& name) {
  return OnMainThread([&] {
    const Menu* menu = gOpenGL->gui.FindMenu(name);
    return menu && menu->visible;
  });
}

// Waits until the menu's transition has ended (a menu that animates takes no new request).
bool Settled(const std::string& name) {
  return WaitUntil([&] {
    return OnMainThread([&] {
      const Menu* menu = gOpenGL->gui.FindMenu(name);
      return menu && !menu->animating;
    });
  });
}

// A pixel of a screenshot read back through Pillow.
struct Shot {
  testfiles::ReadBackImage image;
  bool Read(const ProgramFolder& folder) {
    std::vector<testfiles::ReadBackImage> images;
    std::string error;
    if (!testfiles::ReadWithPillow({folder.Path("VornDelvix_screenshot.dds")}, images, error)) return false;
    image = images[0];
    return true;
  }
  // Pixels in [x0, x1) x [y0, y1) that pass test(r, g, b).
  int Count(int x0, int y0, int x1, int y1, const std::function<bool(int, int, int)>& test) const {
    int n = 0;
    for (int y = std::max(y0, 0); y < std::min<int>(y1, image.height); ++y) {
      for (int x = std::max(x0, 0); x < std::min<int>(x1, image.width); ++x) {
        const uint8_t* p = &image.rgba[(static_cast<size_t>(y) * image.width + static_cast<size_t>(x)) * 4];
        n += test(p[0], p[1], p[2]) ? 1 : 0;
      }
    }
    return n;
  }
};

// The mean brightness (r + g + b) of the pixels that are not the background in the middle of the
// view left of the model list, from a new screenshot; -1 without Pillow.
double ModelBrightness(const ProgramFolder& folder) {
  Shot shot;
  if (!TakeScreenShot(folder) || !testfiles::PillowAvailable() || !shot.Read(folder)) return -1;
  double sum = 0;
  const int lit = shot.Count(150, 150, 480, 450, [&sum](int r, int g, int b) {
    if (r + g + b < 30) return false;
    sum += r + g + b;
    return true;
  });
  return lit ? sum / lit : 0;
}

// Takes a screenshot and keeps it as main_screen_<name>.png.
void KeepStep(const ProgramFolder& folder, const std::string& name) {
  ASSERT_TRUE(TakeScreenShot(folder));
  if (testfiles::PillowAvailable()) {
    EXPECT_FALSE(KeepScreenshot(folder, "main_screen_" + name).empty());
  }
}

// The settings of a run: Cod4's real models, the bones drawn, the tags window tall enough for
// a good part of a skeleton.
std::string WindowLayout(bool listShown, bool windowsShown = false) {
  const std::string windows = windowsShown ? "true" : "false";
  return std::string("<layout>\n\t<xmodel_win_tags value=\"20,60,0,0\" />\n\t<xmodel_win_tags_size value=\"0,0,240,330\" />\n") +
         "\t<xmodel_win_prop value=\"270,60,0,0\" />\n\t<xmodel_win_prop_size value=\"0,0,230,200\" />\n" +
         "\t<xmodel_win_log value=\"270,300,0,0\" />\n\t<xmodel_win_log_size value=\"0,0,300,200\" />\n" +
         "\t<xmodel_win_list_vis value=\"" + (listShown ? "true" : "false") + "\" />\n" +
         "\t<xmodel_win_prop_vis value=\"" + windows + "\" />\n\t<xmodel_win_log_vis value=\"" + windows + "\" />\n" +
         "\t<xmodel_win_tags_vis value=\"" + windows + "\" />\n</layout>\n";
}

}  // namespace

// The three window buttons of the bottom bar open the log, the model information and the tags
// windows (each button then shows pressed, and the settings keep the windows open); with the
// pointer on a row of the tags window, that bone is marked in the 3D view: its chain red, its name
// written beside it.
TEST(ProgramMainScreen, TheToolBarOpensTheModelWindowsAndATagRowMarksItsBone) {
  if (!RealDataPresent()) GTEST_SKIP() << "real game files not found";
  if (!XdotoolAvailable()) GTEST_SKIP() << "xdotool not installed";
  OwnXServer server;
  ASSERT_TRUE(server.Running()) << "Xvfb did not start";
  ProgramFolder folder("\t<draw_bones value=\"true\" />\n", WindowLayout(false));
  std::string markedBone;
  ScreenPoint joint{-1, -1};
  const int exitCode = RunProgramWith(folder, [&] {
    const std::string window = ProgramWindow();
    ASSERT_FALSE(window.empty()) << "no program window";
    Xdotool("windowfocus --sync " + window);
    ASSERT_TRUE(LoadAndWaitUntilDrawn("body_alice"));
    for (const char* name : {"xmodel_log", "xmodel_prop", "xmodel_tags"}) {
      SCOPED_TRACE(name);
      EXPECT_FALSE(MenuVisible(name));
      ASSERT_TRUE(ClickItem(window, std::string("open_") + name, "TextButton"));
      ASSERT_TRUE(WaitUntil([&] { return MenuVisible(name); }));
      EXPECT_TRUE(MenuVisible(std::string("close_") + name));
      EXPECT_FALSE(MenuVisible(std::string("open_") + name));
      ASSERT_TRUE(Settled(name));
    }
    EXPECT_TRUE(OnMainThread([] {
      const bool* vis = gSettings.xmodel_win_vis;
      return vis[0] && vis[1] && vis[3];
    }));
    Xdotool("mousemove --window " + window + " 600 300");
    std::this_thread::sleep_for(std::chrono::milliseconds(500));
    KeepStep(folder, "windows");

    // The information and log windows closed by their pressed buttons; the whole character in
    // view, right of the tags window.
    for (const char* name : {"xmodel_prop", "xmodel_log"}) {
      ASSERT_TRUE(ClickItem(window, std::string("close_") + name, "TextButton"));
      ASSERT_TRUE(WaitUntil([&] { return !MenuVisible(name) && MenuVisible(std::string("open_") + name); })) << name;
    }
    testing_support::LookAtWholeModel();

    // The pointer on the tags window's sixth row: a bone of the skeleton.
    const ItemRect tree = ItemOnScreen("xmodel_tags", "TreeView");
    const int row = 5;
    markedBone = OnMainThread([&] {
      TreeIterator it = ModelInfoPanel::tagTree.Advance(ModelInfoPanel::tagTree.Begin(), row);
      return it.node ? it->text : std::string();
    });
    ASSERT_NE(OnMainThread([&] { return gBoneDisplay.FindByName(markedBone) != nullptr; }), false) << markedBone;
    ASSERT_TRUE(XdotoolMove(window, tree.x + 40, tree.y + 2 + 14 * row + 6));
    EXPECT_TRUE(WaitUntil([&] {
      return OnMainThread([&] {
        const BoneDisplayNode* node = gBoneDisplay.FindByName(markedBone);
        return node && node->selected == 1;
      });
    })) << "the bone of the row is not marked";
    joint = OnMainThread([&] {
      const BoneDisplayNode* node = gBoneDisplay.FindByName(markedBone);
      return gOpenGL->cameraController.currentCamera.WorldToScreen(node->worldPosition, static_cast<float>(gOpenGL->width),
                                                                   static_cast<float>(gOpenGL->height));
    });
    KeepStep(folder, "tag_marks_bone");
  });
  EXPECT_EQ(exitCode, 0);
  std::printf("marked bone: %s\n", markedBone.c_str());

  if (!testfiles::PillowAvailable()) GTEST_SKIP() << "Pillow not available";
  Shot shot;
  ASSERT_TRUE(shot.Read(folder));
  // The marked bone's name is written in white just above its joint.
  const int x = static_cast<int>(joint.x), y = static_cast<int>(joint.y);
  EXPECT_GT(shot.Count(x - 5, y - 45, x + 200, y - 5, [](int r, int g, int b) { return r > 220 && g > 220 && b > 220; }),
            30)
      << "no name beside the marked joint at " << x << ", " << y;
}

// The hot keys toggle the menus: z the log, x the model information, t the tags, Space the model
// list; each button pair and the settings follow, and a second press closes again.
TEST(ProgramMainScreen, HotKeysToggleTheWindowsAndTheModelList) {
  if (!XdotoolAvailable()) GTEST_SKIP() << "xdotool not installed";
  OwnXServer server;
  ASSERT_TRUE(server.Running()) << "Xvfb did not start";
  ProgramFolder folder("", WindowLayout(true));
  const int exitCode = RunProgramWith(folder, [&] {
    const std::string window = ProgramWindow();
    ASSERT_FALSE(window.empty()) << "no program window";
    Xdotool("windowfocus --sync " + window);
    Xdotool("mousemove --window " + window + " 400 300");
    const struct {
      const char* key;
      const char* menu;
      const char* button;  // the menu shown while the toggled one is hidden
      int flag;            // its element of xmodel_win_vis
    } keys[] = {{"z", "xmodel_log", "open_xmodel_log", 1},
                {"x", "xmodel_prop", "open_xmodel_prop", 0},
                {"t", "xmodel_tags", "open_xmodel_tags", 3},
                {"space", "xmodel_list", "open_xmodel_list", 2}};
    // Each key tapped as a hand taps it, shorter than a frame of this machine may last.
    for (const auto& k : keys) {
      SCOPED_TRACE(k.key);
      const bool before = MenuVisible(k.menu);
      for (bool expected : {!before, before}) {
        XdotoolKey(window, k.key);
        ASSERT_TRUE(WaitUntil([&] { return MenuVisible(k.menu) == expected; }));
        EXPECT_EQ(MenuVisible(k.button), !expected);
        EXPECT_EQ(OnMainThread([&] { return gSettings.xmodel_win_vis[k.flag]; }), expected);
        ASSERT_TRUE(Settled(k.menu));
        ASSERT_TRUE(Settled(k.button));
        if (expected) KeepStep(folder, std::string("hot_key_") + k.menu);
      }
    }
  });
  EXPECT_EQ(exitCode, 0);
}

// The model list is found in its search box and a row clicked: the model loads. Then the tool
// bar's view options: the small panel opens from its button and its check boxes switch the
// bounding box and the bones; the bulb opens the light panel, where a slider dragged by hand changes
// the main light; the tool bar's export buttons write the three formats.
TEST(ProgramMainScreen, ViewOptionsLightPanelAndExportsFromTheToolBar) {
  if (!RealDataPresent()) GTEST_SKIP() << "real game files not found";
  if (!XdotoolAvailable()) GTEST_SKIP() << "xdotool not installed";
  OwnXServer server;
  ASSERT_TRUE(server.Running()) << "Xvfb did not start";
  ProgramFolder folder("\t<draw_bones value=\"false\" />\n\t<draw_bounding_box value=\"false\" />\n", WindowLayout(true));
  const int exitCode = RunProgramWith(folder, [&] {
    const std::string window = ProgramWindow();
    ASSERT_FALSE(window.empty()) << "no program window";
    Xdotool("windowfocus --sync " + window);
    ASSERT_TRUE(Settled("xmodel_list"));
    // Search and pick the rifle with the pointer and the keyboard.
    ASSERT_TRUE(ClickItem(window, "xmodel_list", "TextBox"));
    ASSERT_TRUE(WaitUntil([] { return OnMainThread([] { return gOpenGL->gui.textEntryActive; }); }));
    Xdotool("type --delay 120 m1garand");
    ASSERT_TRUE(WaitUntil([] { return ShownModelCount() == 1; })) << "the list is not filtered";
    const ItemRect list = ItemOnScreen("xmodel_list", "ListBox");
    ASSERT_TRUE(XdotoolClick(window, list.x + 60, list.y + 8));
    ASSERT_TRUE(WaitUntil(ModelDrawn))
        << "the picked model was not loaded";
    KeepStep(folder, "model_picked");

    // The view settings panel, its bounding box and bones boxes.
    ASSERT_TRUE(ClickItem(window, "ToolBar", "TextButton", 8));
    ASSERT_TRUE(WaitUntil([] { return MenuVisible("opengl_mini_settings"); }));
    ASSERT_TRUE(ClickItem(window, "opengl_mini_settings", "CheckBox", 3));
    ASSERT_TRUE(ClickItem(window, "opengl_mini_settings", "CheckBox", 2));
    EXPECT_TRUE(OnMainThread([] { return gSettings.draw_bounding_box && gSettings.draw_bones; }));
    ASSERT_TRUE(ClickItem(window, "ToolBar", "CheckBox"));  // wireframe
    EXPECT_TRUE(OnMainThread([] { return gSettings.wireframe; }));
    KeepStep(folder, "view_options");
    ASSERT_TRUE(ClickItem(window, "ToolBar", "TextButton", 8));
    ASSERT_TRUE(WaitUntil([] { return !MenuVisible("opengl_mini_settings"); }));

    // The light panel: the main light's diffuse slider dragged to its left end darkens the model.
    Xdotool("mousemove --window " + window + " 450 520");
    const double litBefore = ModelBrightness(folder);
    ASSERT_TRUE(ClickItem(window, "ToolBar", "ImageButton"));
    ASSERT_TRUE(WaitUntil([] { return MenuVisible("light_settings"); }));
    const float before = OnMainThread([] { return gShading.mainLight.diffuseIntensity; });
    const ItemRect slider = ItemOnScreen("light_settings", "Slider", 6);
    ASSERT_TRUE(XdotoolDrag(window, slider.x + static_cast<int>(slider.w * before), CentreY(slider), slider.x - 20,
                            CentreY(slider)));
    const float after = OnMainThread([] { return gShading.mainLight.diffuseIntensity; });
    EXPECT_LT(after, before - 0.5f) << "the slider did not change the main light";
    KeepStep(folder, "light_panel");
    ASSERT_TRUE(ClickItem(window, "ToolBar", "ImageButton"));
    ASSERT_TRUE(WaitUntil([] { return !MenuVisible("light_settings"); }));
    Xdotool("mousemove --window " + window + " 450 520");
    const double litAfter = ModelBrightness(folder);
    std::printf("the model's brightness: %.1f before, %.1f after the diffuse light went to 0\n", litBefore, litAfter);
    if (litBefore >= 0) {
      EXPECT_LT(litAfter, litBefore * 0.9) << "the lighting did not change";
    }

    // The export buttons.
    for (size_t button : {0u, 1u, 2u}) ASSERT_TRUE(ClickItem(window, "ToolBar", "TextButton", button));
    const std::string exported = folder.Path("exported/weapon_mp_m1garand_rifle/weapon_usa_m1garand_rifle_LOD01");
    for (const char* extension : {".ma", ".obj", ".XMODEL_EXPORT"}) {
      EXPECT_TRUE(WaitUntil([&] { return platform::IsRegularFile(exported + extension); })) << extension;
    }
  });
  EXPECT_EQ(exitCode, 0);
}

// The main screen at the smallest window and at 1920 x 1080: the tool bar's buttons, the window
// buttons and the model list stay inside the window and clear of each other.
TEST(ProgramMainScreen, TheScreenFitsTheSmallestAndALargeWindow) {
  if (!XdotoolAvailable()) GTEST_SKIP() << "xdotool not installed";
  OwnXServer server("2000x1200x24");
  ASSERT_TRUE(server.Running()) << "Xvfb did not start";
  ProgramFolder folder("", WindowLayout(true, true));
  const int exitCode = RunProgramWith(folder, [&] {
    const std::string window = ProgramWindow();
    ASSERT_FALSE(window.empty()) << "no program window";
    const platform::FrameInsets insets = OnMainThread([] { return gOpenGL->window->Insets(); });
    const struct {
      int width, height;
      const char* name;
    } sizes[] = {{750, 600, "smallest"}, {1920, 1080, "1920x1080"}};  // the window's minimum size first
    for (const auto& size : sizes) {
      SCOPED_TRACE(size.name);
      Xdotool("windowsize " + window + " " + std::to_string(size.width + insets.left + insets.right) + " " +
              std::to_string(size.height + insets.top + insets.bottom));
      std::this_thread::sleep_for(std::chrono::milliseconds(800));
      ASSERT_TRUE(WaitUntil([&] { return OnMainThread([&] { return gOpenGL->width == size.width; }); }));
      const auto [w, h] = OnMainThread([] { return std::pair<int, int>(gOpenGL->width, gOpenGL->height); });
      EXPECT_EQ(h, size.height);
      std::printf("%s: client %d x %d\n", size.name, w, h);
      // The buttons along both bars inside the window, none over another.
      std::vector<ItemRect> buttons;
      for (size_t i = 0; i < 9; ++i) buttons.push_back(ItemOnScreen("ToolBar", "TextButton", i));
      for (const char* menu : {"close_xmodel_log", "close_xmodel_prop", "close_xmodel_tags", "open_xmodel_fastfile"}) {
        buttons.push_back(ItemOnScreen(menu, "TextButton"));
      }
      buttons.push_back(ItemOnScreen("ToolBar", "CheckBox"));
      for (size_t i = 0; i < buttons.size(); ++i) {
        const ItemRect& a = buttons[i];
        EXPECT_TRUE(a.x >= 0 && a.y >= 0 && a.x + a.w <= w && a.y + a.h <= h) << i;
        for (size_t j = i + 1; j < buttons.size(); ++j) {
          const ItemRect& b = buttons[j];
          const bool apart = a.x + a.w <= b.x || b.x + b.w <= a.x || a.y + a.h <= b.y || b.y + b.h <= a.y;
          // The invisible page button lies over the progress bar alone.
          if (i != 7 && j != 7) {
            EXPECT_TRUE(apart) << i << " and " << j;
          }
        }
      }
      const ItemRect list = ItemOnScreen("xmodel_list", "ListBox");
      EXPECT_LE(list.x + list.w, w);
      EXPECT_LE(list.y + list.h, h);
      KeepStep(folder, size.name);
    }
  });
  EXPECT_EQ(exitCode, 0);
}
