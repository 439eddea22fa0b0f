// The demo games on the running program: a first start without settings.xml lists the demo model
// of the active game, and a click on its row shows it textured; a start with a settings file keeps
// the game roots it names. The screenshot is kept for a person to look at:
// <build>/tests/screenshots/demo_pillar.png.
#include <gtest/gtest.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <fstream>
#include <mutex>
#include <thread>

#include "app/vorn_opengl.h"
#include "core/log.h"
#include "core/settings.h"
#include "model/vorn_loader.h"
#include "platform/files.h"
#include "program_driver.h"
#include "support/pillow_reader.h"
#include "support/temp_folder.h"
#include "support/wait_until.h"
#include "support/x_server.h"

namespace {

using testing_support::ModelDrawn;
using testing_support::OnMainThread;
using testing_support::WaitUntil;
using testing_support::Xdotool;

// A program folder of the test's own with the built assets and the built demo games, and no
// settings file: the machine of a first start.
void MakeFirstStartFolder(const TempFolder& folder) {
  testing_support::LinkProgramAssets(folder.Root());
  const std::string demo = std::string(DELVIX_PROGRAM_DIR) + "/demo";
  ASSERT_TRUE(platform::IsDirectory(demo)) << "the build wrote no demo games";
  ASSERT_EQ(::symlink(demo.c_str(), folder.Path("demo").c_str()), 0);
}

// Runs the program from folder with drive on another thread once the model list has been read.
int RunProgramListed(const TempFolder& folder, const std::function<void()>& drive) {
  // An error box would wait for a click that never comes: its text goes to the test's output.
  VornLog::SetBoxHook([](const std::string& caption, const std::string& text) {
    std::fprintf(stderr, "error box: %s: %s\n", caption.c_str(), text.c_str());
  });
  return testing_support::RunProgramDriven(folder.Root(), [&] {
    if (WaitUntil([] { return OnMainThread([] { return !gOpenGL->xmodelList.IsLoading(); }); })) drive();
  });
}

// The rows of the model list, as the list box draws them.
std::vector<std::string> ListedModels() {
  return OnMainThread([] {
    std::lock_guard<std::mutex> lock(LoaderMutex);
    const std::vector<std::string>* names = gOpenGL->xmodelList.shownNames;
    return names ? *names : std::vector<std::string>{};
  });
}

struct GameRoots {
  std::string cod4, cod5, bo;
};

GameRoots RootsInUse() {
  return OnMainThread([] { return GameRoots{gSettings.dir_cod4, gSettings.dir_cod5, gSettings.dir_bo1}; });
}

}  // namespace

TEST(DemoGamesProgram, AFirstStartListsTheDemoModelAndAClickOnItsRowShowsItTextured) {
  if (std::system("command -v xdotool >/dev/null") != 0) GTEST_SKIP() << "xdotool not installed";
  testing_support::PrivateXServer server;
  std::string error;
  ASSERT_TRUE(server.Start(error)) << error;
  TempFolder folder;
  MakeFirstStartFolder(folder);
  GameRoots roots;
  std::string listFolder;
  // The splash screen shows first.
  std::atomic<bool> watching{true}, splashSeen{false};
  std::thread watcher([&] {
    while (watching && !splashSeen) {
      splashSeen = testing_support::WindowShown("Delvix\"");
      std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
  });
  const int exitCode = RunProgramListed(folder, [&] {
    roots = RootsInUse();
    listFolder = OnMainThread([] { return gOpenGL->xmodelList.GetFolder(); });
    ASSERT_EQ(ListedModels(), std::vector<std::string>{"demo_pillar"});
    // The main window comes when the splash screen has had its time. (It is found by its id: with
    // the tray icon on, its WM_NAME is of a type xdotool's name search does not read.)
    const std::string window = std::to_string(OnMainThread([] { return gOpenGL->window->NativeId(); }));
    ASSERT_TRUE(WaitUntil([&] {
      std::string info;
      testing_support::RunTool({"xwininfo", "-id", window}, &info, 5000);
      return info.find("IsViewable") != std::string::npos;
    })) << "the main window was not shown";
    Xdotool("windowfocus --sync " + window);
    // At 800 x 600 the list's first row lies at (513, 52).
    ASSERT_TRUE(testing_support::XdotoolClick(window, 560, 58)) << "the GUI did not see the pointer or the press";
    ASSERT_TRUE(WaitUntil(ModelDrawn))
        << "the demo model was not loaded";
    Xdotool("mousemove --window " + window + " 300 560");
    std::this_thread::sleep_for(std::chrono::milliseconds(500));
    Xdotool("key F2");
    ASSERT_TRUE(WaitUntil([&] { return platform::IsRegularFile(folder.Path("VornDelvix_screenshot.dds")); }));
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
  });
  watching = false;
  watcher.join();
  EXPECT_EQ(exitCode, 0);
  EXPECT_TRUE(splashSeen) << "no splash screen at the first start";
  EXPECT_EQ(roots.cod4, folder.Path("demo/cod4"));
  EXPECT_EQ(roots.cod5, folder.Path("demo/cod5"));
  EXPECT_EQ(roots.bo, folder.Path("demo/bo"));
  EXPECT_EQ(listFolder, folder.Path("demo/cod4/raw/xmodel"));
  // The roots are saved with the settings, so later starts open the demo games too.
  EXPECT_NE(folder.Read("settings.xml").find("<cod4 value=\"" + folder.Path("demo/cod4") + "\""), std::string::npos);
  EXPECT_NE(folder.Read("Log.txt").find("Passing Xmodel: 'demo_pillar' to background loader"), std::string::npos);

  if (!testfiles::PillowAvailable()) GTEST_SKIP() << "Pillow not available";
  std::vector<testfiles::ReadBackImage> images;
  ASSERT_TRUE(testfiles::ReadWithPillow({folder.Path("VornDelvix_screenshot.dds")}, images, error)) << error;
  const testfiles::ReadBackImage& shot = images[0];
  // In the middle of the view: the green bricks of Cod4's demo model and their light joints.
  int bricks = 0, joints = 0, total = 0;
  for (uint32_t y = shot.height / 4; y < 3 * shot.height / 4; y += 2) {
    for (uint32_t x = shot.width / 4; x < 3 * shot.width / 4; x += 2) {
      const uint8_t* p = &shot.rgba[(static_cast<size_t>(y) * shot.width + x) * 4];
      ++total;
      if (p[1] > p[0] + 10 && p[1] > p[2] + 20 && p[1] > 60) ++bricks;
      if (p[0] > 110 && p[1] > 110 && p[2] > 100 && std::abs(p[0] - p[2]) < 40) ++joints;
    }
  }
  EXPECT_GT(bricks, total / 20) << "no green bricks in the middle of the view";
  EXPECT_GT(joints, bricks / 30) << "the bricks show no joints: the texture is missing";
  EXPECT_TRUE(testing_support::KeepScreenshot(folder.Path("VornDelvix_screenshot.dds"), "demo_pillar", "the demo model"));
}

TEST(DemoGamesProgram, AStartWithASettingsFileKeepsItsGameRoots) {
  TempFolder folder;
  MakeFirstStartFolder(folder);
  ASSERT_TRUE(platform::CreateFolders(folder.Path("my_game/raw/xmodel")));
  folder.Write("settings.xml", "<?xml version=\"1.0\"?>\n<genral>\n\t<tray_icon value=\"false\" />\n</genral>\n<dirs>\n"
                               "\t<cod4 value=\"" + folder.Path("my_game") + "\" />\n</dirs>\n");
  GameRoots roots;
  size_t listed = 1;
  const int exitCode = RunProgramListed(folder, [&] {
    roots = RootsInUse();
    listed = ListedModels().size();
  });
  EXPECT_EQ(exitCode, 0);
  EXPECT_EQ(roots.cod4, folder.Path("my_game"));
  EXPECT_EQ(roots.cod5, kSetPath);
  EXPECT_EQ(roots.bo, kSetPath);
  EXPECT_EQ(listed, 0u);
  EXPECT_EQ(folder.Read("settings.xml").find("demo"), std::string::npos);
}
