// The real program with its desktop: splash screen first, then the main window; the tray icon in a
// tray host; F2's balloon as one notification; an export's bubble, whose click opens the export
// folder. Runs in-process under the test's own X server, with a private D-Bus session.
#include <gtest/gtest.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <fstream>
#include <mutex>
#include <thread>

#include "app/vorn_opengl.h"
#include "app/win_main.h"
#include "core/log.h"
#include "desktop/bubble.h"
#include "desktop/splash.h"
#include "jobs/job_flags.h"
#include "platform/events.h"
#include "platform/files.h"
#include "platform/key_codes.h"
#include "platform/main_thread.h"
#include "platform/open.h"
#include "program_driver.h"
#include "support/desktop_session.h"
#include "support/game_files.h"
#include "support/temp_folder.h"
#include "support/x_server.h"

namespace {

using testing_support::RunTool;
using testing_support::WaitUntil;

using testing_support::OnMainThread;


// A program folder with the built assets and the real Cod4 files as the active game.
void WriteProgramFolder(const TempFolder& folder, bool trayIcon) {
  for (const char* asset : {"shaders", "images", "Fonts"}) {
    const std::string built = std::string(DELVIX_PROGRAM_DIR) + "/" + asset;
    ASSERT_EQ(::symlink(built.c_str(), folder.Path(asset).c_str()), 0);
  }
  std::ofstream(folder.Path("settings.xml"))
      << "<?xml version=\"1.0\"?>\n<genral>\n\t<active_game value=\"0\" />\n\t<tray_icon value=\""
      << (trayIcon ? "true" : "false") << "\" />\n</genral>\n<dirs>\n\t<cod4 value=\""
      << testfiles::RealDataPath("cod4") << "\" />\n\t<export value=\"" << folder.Path("exported")
      << "\" />\n</dirs>\n";
  ASSERT_TRUE(platform::CreateFolders(folder.Path("exported")));
}

TEST(DesktopProgram, SplashThenMainWindowTrayBalloonAndExportBubble) {
  if (!platform::IsDirectory(testfiles::RealDataPath("cod4/raw/xmodel"))) GTEST_SKIP() << "real game files not found";
  TempFolder folder;
  testing_support::PrivateXServer x;
  testing_support::DesktopSession session;
  std::string error;
  ASSERT_TRUE(x.Start(error)) << error;
  ASSERT_TRUE(session.StartBus(folder.Path("notices.txt"), error)) << error;
  ASSERT_TRUE(session.StartTrayHost(error)) << error;
  WriteProgramFolder(folder, true);
  VornLog::SetBoxHook([](const std::string& caption, const std::string& text) {
    std::fprintf(stderr, "error box: %s: %s\n", caption.c_str(), text.c_str());
  });
  std::mutex openedMutex;
  std::vector<std::string> opened;
  platform::SetOpenHook([&](const std::string& target) {
    std::lock_guard<std::mutex> lock(openedMutex);
    opened.push_back(target);
  });

  // The window list over time, from the start: the splash must come before the main window.
  std::atomic<bool> watching{true};
  std::atomic<double> splashSeenMs{-1}, mainSeenMs{-1}, splashGoneMs{-1};
  const auto start = std::chrono::steady_clock::now();
  auto sinceStart = [&] {
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
  };
  std::thread watcher([&] {
    while (watching) {
      const bool splash = testing_support::WindowShown("Delvix\"");
      const bool main = testing_support::WindowShown("Vorn_Kesh Delvix");
      if (splash && splashSeenMs < 0) splashSeenMs = sinceStart();
      if (main && mainSeenMs < 0) mainSeenMs = sinceStart();
      if (!splash && splashSeenMs >= 0 && splashGoneMs < 0) splashGoneMs = sinceStart();
      std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
  });

  const int exitCode = testing_support::RunProgramDriven(folder.Root(), [&] {
    EXPECT_TRUE(WaitUntil([&] { return mainSeenMs >= 0 && splashGoneMs >= 0; }, 20000));
    // F2: the screenshot's balloon.
    platform::Event key;
    key.type = platform::EventType::KeyDown;
    key.keyCode = platform::vk::kF1 + 1;
    platform::PostEvent(key);
    EXPECT_TRUE(WaitUntil([&] { return session.Notices().size() == 1; }, 20000));
    // Two exports in a row: one bubble, the second text.
    if (!WaitUntil([] { return OnMainThread([] { return !gOpenGL->xmodelList.IsLoading(); }); })) return;
    OnMainThread([] {
      gOpenGL->xmodelThread.QueueXmodelLoad(gOpenGL->xmodelList.GetFolder(), "weapon_mp_m1garand_rifle");
      gOpenGL->xmodelThread.QueueExport(ExportObj);
      gOpenGL->xmodelThread.QueueExport(ExportObj);
      return true;
    });
    EXPECT_TRUE(WaitUntil([] { return gBubble.WindowId() != 0; }, 60000));
    const uint64_t window = gBubble.WindowId();
    std::this_thread::sleep_for(std::chrono::milliseconds(1500));
    EXPECT_EQ(gBubble.WindowId(), window);
    EXPECT_NE(gBubble.Showing().text.find("weapon_mp_m1garand_rifle"), std::string::npos);
    RunTool({"xdotool", "mousemove", "--window", std::to_string(window), "150", "60", "click", "1"});
    EXPECT_TRUE(WaitUntil([&] {
      std::lock_guard<std::mutex> lock(openedMutex);
      return !opened.empty();
    }, 10000));
    EXPECT_TRUE(WaitUntil([] { return !gBubble.Running(); }, 10000));
  });
  watching = false;
  watcher.join();
  platform::SetOpenHook(nullptr);
  EXPECT_EQ(exitCode, 0);

  // Start-up to the main window shown, measured (not asserted: the machine may be loaded).
  std::printf("splash seen at %.0f ms, main window shown at %.0f ms, splash gone at %.0f ms\n",
              splashSeenMs.load(), mainSeenMs.load(), splashGoneMs.load());
  ::testing::Test::RecordProperty("main_window_shown_ms", std::to_string(mainSeenMs.load()));
  EXPECT_GE(splashSeenMs, 0.0);
  EXPECT_LT(splashSeenMs, mainSeenMs);
  EXPECT_GE(splashGoneMs - splashSeenMs, 700.0);  // at least its 800 ms (seen a poll late)

  const std::vector<std::string> notices = session.Notices();
  ASSERT_EQ(notices.size(), 1u);
  EXPECT_NE(notices[0].find("\"summary\": \"Delvix\""), std::string::npos);
  EXPECT_NE(notices[0].find("Screen Shot saved: 'VornDelvix_screenshot.dds"), std::string::npos);
  ASSERT_FALSE(opened.empty());
  EXPECT_EQ(opened[0], folder.Path("exported") + "/weapon_mp_m1garand_rifle");

  const std::string log = TempFolder::ReadFileBytes(folder.Path("Log.txt"));
  EXPECT_NE(log.find("Tray Icon Created"), std::string::npos);
  EXPECT_LT(log.find("TrayIcon Removed"), log.find("VornOpenGL Shutdown"));
}

}  // namespace

namespace {

// With tray_icon off: no icon, and F2's screenshot sends no notification.
TEST(DesktopProgram, WithTheTrayOffTheScreenshotSendsNoNotification) {
  TempFolder folder;
  testing_support::PrivateXServer x;
  testing_support::DesktopSession session;
  std::string error;
  ASSERT_TRUE(x.Start(error)) << error;
  ASSERT_TRUE(session.StartBus(folder.Path("notices.txt"), error)) << error;
  ASSERT_TRUE(session.StartTrayHost(error)) << error;
  WriteProgramFolder(folder, false);
  VornLog::SetBoxHook([](const std::string&, const std::string&) {});
  EXPECT_EQ(testing_support::RunProgramDriven(folder.Root(), [&] {
    platform::Event key;
    key.type = platform::EventType::KeyDown;
    key.keyCode = platform::vk::kF1 + 1;
    platform::PostEvent(key);
    EXPECT_TRUE(WaitUntil([&] { return platform::IsRegularFile(folder.Path("VornDelvix_screenshot.dds")); }));
    std::this_thread::sleep_for(std::chrono::milliseconds(1500));
  }), 0);
  EXPECT_TRUE(session.Notices().empty());
  const std::string log = TempFolder::ReadFileBytes(folder.Path("Log.txt"));
  EXPECT_EQ(log.find("Tray Icon"), std::string::npos);
}

}  // namespace
