// Whole-program journeys: the running program driven only through real input (xdotool on an X
// server of the test's own), as a user meets it. The test looks at the program's state to know
// when a step has happened, never to make it happen. Each journey keeps its screenshots in
// <build>/tests/screenshots/journey_*.png for a person to look at, and prints what it measured.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "app/vorn_opengl.h"
#include "core/settings.h"
#include "model/vorn_loader.h"
#include "platform/files.h"
#include "platform/open.h"
#include "platform/tray.h"
#include "program_driver.h"
#include "support/desktop_session.h"
#include "support/game_files.h"
#include "support/pillow_reader.h"
#include "support/png_writer.h"
#include "support/temp_folder.h"
#include "support/wait_until.h"
#include "support/x_server.h"

namespace {

using namespace testing_support;
using Clock = std::chrono::steady_clock;

double MsSince(Clock::time_point start) {
  return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

bool RealDataPresent() {
  for (const char* game : {"cod4", "cod5", "codbo"}) {
    if (!platform::IsDirectory(testfiles::RealDataPath(std::string(game) + "/raw/xmodel"))) return false;
  }
  return true;
}

bool ListReady() {
  return WaitUntil([] { return OnMainThread([] { return !gOpenGL->xmodelList.IsLoading(); }); });
}

// A key pressed on the keyboard while the program's window has the focus.
void PressKey(const std::string& window, const std::string& key) {
  Xdotool("windowfocus --sync " + window);
  Xdotool("key " + key);
}

// F2 on the keyboard; the screenshot it writes is kept as journey_<name>.png.
void ScreenshotByF2(const std::string& window, const ProgramFolder& folder, const std::string& name) {
  const std::string shot = folder.Path("VornDelvix_screenshot.dds");
  ::unlink(shot.c_str());
  Xdotool("mousemove --window " + window + " 300 420");  // the pointer off the GUI
  std::this_thread::sleep_for(std::chrono::milliseconds(300));
  PressKey(window, "F2");
  ASSERT_TRUE(WaitUntil([&] { return platform::IsRegularFile(shot); })) << "F2 wrote no screenshot";
  std::this_thread::sleep_for(std::chrono::milliseconds(200));
  if (testfiles::PillowAvailable()) {
    EXPECT_FALSE(KeepScreenshot(folder, "journey_" + name).empty());
  }
}

// Types search into the model list's search box (emptied first), clicks the one row left and
// waits until model is drawn; returns the milliseconds from the button's press on the row to
// the first frame with the model (the press is held a few frames, as a hand does).
double SearchAndLoad(const std::string& window, const std::string& search, const std::string& model) {
  EXPECT_TRUE(ClickItem(window, "xmodel_list", "TextBox"));
  EXPECT_TRUE(WaitUntil([] { return OnMainThread([] { return gOpenGL->gui.textEntryActive; }); }));
  Xdotool("key --delay 40 --repeat 40 BackSpace");
  Xdotool("type --delay 120 " + search);
  if (!WaitUntil([] { return ShownModelCount() == 1; })) {
    ADD_FAILURE() << "the list is not filtered to one row by \"" << search << "\"";
    return -1;
  }
  const ItemRect list = ItemOnScreen("xmodel_list", "ListBox");
  EXPECT_TRUE(XdotoolMove(window, list.x + 60, list.y + 8));
  // Watched beside the click, which holds the button for a while.
  const Clock::time_point press = Clock::now();
  std::atomic<double> drawnMs{-1};
  std::thread watcher([&] {
    if (WaitUntil([&] { return DrawnModelName() == model; })) {
      drawnMs = MsSince(press);
    }
  });
  EXPECT_TRUE(XdotoolPress(list.x + 60, list.y + 8));
  watcher.join();
  if (drawnMs < 0) ADD_FAILURE() << "the picked model was not drawn";
  return drawnMs;
}

// F1 switches to the next game; waits for its list.
void SwitchGameByF1(const std::string& window, int expectedGame) {
  ASSERT_TRUE(ListReady());
  PressKey(window, "F1");
  ASSERT_TRUE(WaitUntil([&] { return OnMainThread([] { return gSettings.active_game; }) == expectedGame; }))
      << "F1 did not switch to game " << expectedGame;
  ASSERT_TRUE(ListReady());
}

}  // namespace

// Search and load a real model of each game: Cod4's rifle, then F1 to Cod5 and its katana, then F1
// to Cod BO and its ammunition box, each searched by typing, picked by a click and shown; F2 takes
// the screenshot of each. Start-up to the listed main screen and each model's click-to-drawn time
// are printed.
TEST(Journey, SearchesAndLoadsARealModelOfEachGameAndTakesItsScreenshotWithF2) {
  if (!RealDataPresent()) GTEST_SKIP() << "real game files not found";
  if (!XdotoolAvailable()) GTEST_SKIP() << "xdotool not installed";
  OwnXServer server;
  ASSERT_TRUE(server.Running()) << "Xvfb did not start";
  ProgramFolder folder;
  const Clock::time_point start = Clock::now();
  struct Pick {
    int game;
    const char* search;
    const char* model;
    const char* shot;
  };
  const Pick picks[] = {{0, "garand", "weapon_mp_m1garand_rifle", "cod4_rifle"},
                        {1, "katana", "tom_katana_model", "cod5_katana"},
                        {2, "ammo_box", "static_peleliu_wood_ammo_box", "bo_ammo_box"}};
  std::vector<double> loadMs;
  const int exitCode = RunProgramWith(folder, [&] {
    const std::string window = ProgramWindow();
    ASSERT_FALSE(window.empty()) << "no program window";
    std::printf("start-up to the listed main screen: %.0f ms\n", MsSince(start));
    ::testing::Test::RecordProperty("startup_to_main_screen_ms", std::to_string(static_cast<int>(MsSince(start))));
    ASSERT_TRUE(MenuShown("xmodel_list"));
    for (const Pick& pick : picks) {
      SCOPED_TRACE(pick.model);
      if (pick.game != 0) SwitchGameByF1(window, pick.game);
      loadMs.push_back(SearchAndLoad(window, pick.search, pick.model));
      ScreenshotByF2(window, folder, pick.shot);
    }
  });
  EXPECT_EQ(exitCode, 0);
  const std::string log = folder.Log();
  for (size_t i = 0; i < std::size(picks); ++i) {
    EXPECT_NE(log.find(std::string("Passing Xmodel: '") + picks[i].model + "' to background loader"), std::string::npos)
        << picks[i].model;
    if (i < loadMs.size()) {
      std::printf("%s: press on its row to the first frame with it %.0f ms\n", picks[i].model, loadMs[i]);
      ::testing::Test::RecordProperty(std::string("click_to_drawn_ms_") + picks[i].shot,
                                      std::to_string(static_cast<int>(loadMs[i])));
    }
  }
}

// Every format from the tool bar's buttons on a real boned model of three LODs: Maya ASCII with its
// bind script, OBJ with its MTL, XMODEL_EXPORT, the GDT, and the tags page, which opens in the
// desktop's browser. Every file is found where the settings put it.
TEST(Journey, ExportsEveryFormatFromTheToolBarAndOpensTheTagsPage) {
  if (!RealDataPresent()) GTEST_SKIP() << "real game files not found";
  if (!XdotoolAvailable()) GTEST_SKIP() << "xdotool not installed";
  OwnXServer server;
  ASSERT_TRUE(server.Running()) << "Xvfb did not start";
  ProgramFolder folder;
  std::mutex openedMutex;
  std::vector<std::string> opened;
  platform::SetOpenHook([&](const std::string& target) {
    std::lock_guard<std::mutex> lock(openedMutex);
    opened.push_back(target);
  });
  const int exitCode = RunProgramWith(folder, [&] {
    const std::string window = ProgramWindow();
    ASSERT_FALSE(window.empty()) << "no program window";
    ASSERT_TRUE(MenuShown("xmodel_list"));
    ASSERT_GT(SearchAndLoad(window, "garand", "weapon_mp_m1garand_rifle"), 0);
    // EXPORT MA, EXPORT OBJ, EXPORT XE, VIEW TAGS, CREATE GDT.
    for (size_t button = 0; button < 5; ++button) ASSERT_TRUE(ClickItem(window, "ToolBar", "TextButton", button));
    const std::string lod = folder.Path("exported/weapon_mp_m1garand_rifle/weapon_usa_m1garand_rifle_LOD01");
    for (const std::string& file : {lod + ".ma", lod + "_bind.mel", lod + ".obj", lod + ".mtl", lod + ".XMODEL_EXPORT",
                                    folder.Path("Tags/weapon_mp_m1garand_rifle_tags.html")}) {
      EXPECT_TRUE(WaitUntil([&] { return platform::IsRegularFile(file); })) << file;
    }
    const std::string gdt = folder.Path("GDTs/weapon_mp_m1garand_rifle.gdt");  // the GDT folder: the program's
    EXPECT_TRUE(WaitUntil([&] { return platform::IsRegularFile(gdt); })) << gdt;
    EXPECT_TRUE(WaitUntil([&] {
      std::lock_guard<std::mutex> lock(openedMutex);
      return !opened.empty();
    })) << "the tags page was not opened";
    ScreenshotByF2(window, folder, "exports");
  });
  platform::SetOpenHook(nullptr);
  EXPECT_EQ(exitCode, 0);
  ASSERT_FALSE(opened.empty());
  EXPECT_EQ(opened[0], folder.Path("Tags/weapon_mp_m1garand_rifle_tags.html"));
}

// With the tray icon on, under a desktop with a tray: the icon's menu, opened by a right click,
// ends the program through its "Exit" entry, and the program shuts down in order.
TEST(Journey, QuitsFromTheTrayMenu) {
  if (!RealDataPresent()) GTEST_SKIP() << "real game files not found";
  if (!XdotoolAvailable()) GTEST_SKIP() << "xdotool not installed";
  PrivateXServer x;
  DesktopSession session;
  TempFolder notices;
  std::string error;
  ASSERT_TRUE(x.Start(error)) << error;
  ASSERT_TRUE(session.StartBus(notices.Path("notices.txt"), error)) << error;
  ASSERT_TRUE(session.StartTrayHost(error)) << error;
  ProgramFolder folder;
  {
    std::string settings = folder.Read("settings.xml");
    const std::string off = "<tray_icon value=\"false\" />";
    settings.replace(settings.find(off), off.size(), "<tray_icon value=\"true\" />");
    std::ofstream(folder.Path("settings.xml"), std::ios::trunc) << settings;
  }
  bool endedByTheTray = false;
  const int exitCode = RunProgramWith(folder, [&] {
    ASSERT_TRUE(WaitUntil([] { return platform::TrayIconDocked(); }, 30000)) << "the icon is not in the tray";
    const std::string icon = std::to_string(platform::TrayIconWindow());
    RunTool({"import", "-window", "root", ScreenshotFolder() + "journey_tray.png"});
    // A right click opens the menu; its last entry is "Exit".
    RunTool({"xdotool", "mousemove", "--window", icon, "8", "8", "click", "3"});
    std::this_thread::sleep_for(std::chrono::milliseconds(800));
    RunTool({"import", "-window", "root", ScreenshotFolder() + "journey_tray_menu.png"});
    RunTool({"xdotool", "key", "Up", "Return"});
    endedByTheTray = WaitUntil([] { return !platform::TryPostToMainThread([] {}); }, 30000);
  });
  EXPECT_TRUE(endedByTheTray) << "the program did not end from the tray menu";
  EXPECT_EQ(exitCode, 0);
  const std::string log = folder.Log();
  EXPECT_NE(log.find("Tray Icon Created"), std::string::npos);
  // Every component stopped, in the order of the shutdown: the job thread before the GUI and the
  // window it draws with.
  size_t at = 0;
  for (const char* line : {"--- Closing Down ---", "OpenAL ShutDown", "Xmodel thread Stopped", "VornGUI Shutdown",
                           "TrayIcon Removed", "VornOpenGL Shutdown"}) {
    const size_t found = log.find(line, at);
    EXPECT_NE(found, std::string::npos) << line << " missing or out of order in:\n" << log;
    if (found != std::string::npos) at = found;
  }
}
