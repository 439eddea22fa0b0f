// The game-root chooser in the running program, driven by real input: the settings' "..." button
// opens the real GTK dialog over the program's window, a user chooses a game folder in it, the
// active game's drop-down lists that folder's models, and the root is still there after a restart.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "app/vorn_opengl.h"
#include "core/log.h"
#include "core/settings.h"
#include "desktop/splash.h"
#include "model/vorn_loader.h"
#include "platform/files.h"
#include "program_driver.h"
#include "support/temp_folder.h"
#include "support/wait_until.h"
#include "support/x_server.h"

namespace {

using testing_support::OnMainThread;
using testing_support::WaitUntil;

constexpr const char* kPickerTitle = "Select COD 4 'root' folder";

// The names the model list shows once its listing has ended (empty while it runs).
std::vector<std::string> ListedModels() {
  return OnMainThread([] {
    if (gOpenGL->xmodelList.IsLoading()) return std::vector<std::string>{};
    std::lock_guard<std::mutex> lock(LoaderMutex);
    return gOpenGL->xmodelList.shownNames ? *gOpenGL->xmodelList.shownNames : std::vector<std::string>{};
  });
}

TEST(FolderPickerProgram, ChosenGameRootIsListedAndKeptAfterARestart) {
  testing_support::PrivateXServer x;
  std::string error;
  ASSERT_TRUE(x.Start(error)) << error;
  VornLog::SetBoxHook([](const std::string& caption, const std::string& text) {
    std::fprintf(stderr, "error box: %s: %s\n", caption.c_str(), text.c_str());
  });

  TempFolder folder;
  for (const char* asset : {"shaders", "images", "Fonts", "gui_textures.txt"}) {
    const std::string built = std::string(DELVIX_PROGRAM_DIR) + "/" + asset;
    if (platform::PathExists(built)) {
      ASSERT_EQ(::symlink(built.c_str(), folder.Path(asset).c_str()), 0);
    }
  }
  std::ofstream(folder.Path("settings.xml")) << "<?xml version=\"1.0\"?>\n<genral>\n\t<tray_icon value=\"false\" />\n"
                                                "\t<active_game value=\"0\" />\n</genral>\n";
  const std::string root = folder.Path("games/cod4 root");  // a blank in the name, as game folders have
  std::filesystem::create_directories(root + "/raw/xmodel");
  for (const char* model : {"gun_b", "gun_a"}) std::ofstream(root + "/raw/xmodel/" + model) << "x";

  // First run: no root yet. The "..." button opens the dialog on the user's home folder, which
  // here is the game root; the user chooses it.
  const char* home = std::getenv("HOME");
  const std::string savedHome = home ? home : "";
  ::setenv("HOME", root.c_str(), 1);
  testing_support::RunProgramDriven(folder.Root(), [&] {
    // The user sees the main window once the splash screen has gone.
    ASSERT_TRUE(WaitUntil([] { return OnMainThread([] { return !SplashShowing(); }); }, 30000));
    const std::string window = testing_support::ProgramWindow();
    ASSERT_FALSE(window.empty()) << "no program window";
    ASSERT_TRUE(testing_support::PickFolderInSettings(window, 0, kPickerTitle, "folder_picker_program"));
    EXPECT_EQ(OnMainThread([] { return gSettings.dir_cod4; }), root);
    // A root without the game's images says so in the error box (the image tool has nothing to
    // work on); its "Close" puts it away.
    ASSERT_TRUE(testing_support::MenuShown("error_menu"));
    ASSERT_TRUE(testing_support::XdotoolClick(window, 80 + 380 + 32, 60 + 310 + 10));
    ASSERT_TRUE(testing_support::MenuHidden("error_menu"));
    // The active game's drop-down, COD 4 picked again, lists it.
    const ItemRect activeGame{335, 260, 120, 18};
    ASSERT_TRUE(testing_support::OpenDropDown(window, "Settings_genral", activeGame));
    ASSERT_TRUE(testing_support::PickOption(window, "Settings_genral", activeGame, 0));
    std::vector<std::string> names;
    EXPECT_TRUE(WaitUntil([&] { return !(names = ListedModels()).empty(); }, 10000));
    EXPECT_EQ(names, (std::vector<std::string>{"gun_a", "gun_b"}));
  });

  ::setenv("HOME", savedHome.c_str(), 1);

  // Second run: the root came back from settings.xml and start-up lists it at once.
  gSettings = VornSettings();
  testing_support::RunProgramDriven(folder.Root(), [&] {
    EXPECT_EQ(OnMainThread([] { return gSettings.dir_cod4; }), root);
    std::vector<std::string> names;
    EXPECT_TRUE(WaitUntil([&] { return !(names = ListedModels()).empty(); }, 10000));
    EXPECT_EQ(names, (std::vector<std::string>{"gun_a", "gun_b"}));
    EXPECT_EQ(OnMainThread([] { return gOpenGL->window->Title(); }), "Vorn_Kesh Delvix - " + root);
  });
  VornLog::SetBoxHook(nullptr);
}

}  // namespace
