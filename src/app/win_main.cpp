#include "app/win_main.h"

#include <unistd.h>

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <ctime>
#include <memory>
#include <thread>

#include "app/demo_games.h"
#include "app/job_plugs.h"
#include "app/update_plugs.h"
#include "app/vorn_opengl.h"
#include "audio/vorn_sound.h"
#include "core/log.h"
#include "core/paths.h"
#include "core/settings.h"
#include "core/timer.h"
#include "iwd/iwd_utils.h"
#include "platform/events.h"
#include "platform/files.h"
#include "platform/key_codes.h"
#include "platform/desktop_thread.h"
#include "platform/main_thread.h"
#include "desktop/colour_themes.h"
#include "desktop/custom_frame.h"
#include "desktop/splash.h"
#include "update/http_transfer.h"
#include "update/package_installer.h"

namespace {

// The greeting, when the splash screen closes (or at once when there is none).
void PlayHelloSound() { gSound.Playsound("hello"); }

// The main loop: events first; frames while none wait; asleep while minimised.
void MainLoop(VornOpenGL& app) {
  platform::StartMainThreadService();
  for (;;) {
    platform::Event event;
    if (platform::PollEvent(event)) {
      app.HandleEvent(event);
      continue;
    }
    platform::RunPostedTasks();
    TryCloseSplash();
    app.gui.RunDueCommands();
    // A close asked for while minimised ends the program too.
    if (KeyDownTable[platform::vk::kEscape] || app.quitRequested) break;
    if (!app.renderEnabled) {
      std::this_thread::sleep_for(std::chrono::milliseconds(250));
      continue;
    }
    app.RenderFrame();
  }
  platform::StopMainThreadService();
}

// A fatal error ends the process on the main thread: the threads that may run by then stop first,
// so that none runs on while the globals end.
void StopThreadsBeforeFatalExit() {
  if (gOpenGL) {
    gOpenGL->xmodelList.StopListing();
    gOpenGL->StopWorkers();
  }
  gIWDUtils.Stop();
  platform::StopDesktopThread();
}

}  // namespace

int RunProgram(const std::string& programFolder) {
  // The program's own file, read before anything runs: an installed update moves it aside.
  const std::string programPath = platform::ProgramPath();
  HttpLibraryStart();
  // Run from the program's own folder, as a normal start does, so settings.xml, Log.txt and the
  // export folders sit beside the program.
  const std::string folder = programFolder.empty() ? GetRunningDirectory() : programFolder;
  if (!folder.empty() && ::chdir(folder.c_str()) != 0) {
    HttpLibraryStop();
    return 1;
  }
  SetRunningDirectory(folder);

  VornLog::SetFileName("Log.txt");
  VornLog::SetMode(VornLog::kModeSync);
  VornLog::Start();
  gSound.Init();
  // A first start, before any settings file, opens the demo games the build puts beside the
  // program; the roots are then saved with the settings like any the user picks.
  const bool firstStart = !platform::IsRegularFile("settings.xml");
  gSettings.Load();
  if (firstStart) UseDemoGameRoots(gSettings, folder);
  VornLog::SwitchModeForSetting(gSettings.log_type);
  RemoveOldExecutable(programPath);
  // The theme and the frame's pictures, which the window and the splash over it are drawn with.
  gThemeManager.Setup();
  gWindowFrame.LoadPictures();

  const int clientWidth = gSettings.main_window.w;
  const int clientHeight = gSettings.main_window.h;
  auto app = std::make_unique<VornOpenGL>();
  gOpenGL = app.get();
  // The splash stands in for the main window, which stays hidden until the splash closes; the
  // log's error boxes take the splash down first.
  VornLog::SetBeforeBoxHook(CloseSplashForErrorBox);
  VornLog::SetBeforeExitHook(StopThreadsBeforeFatalExit);
  const bool splash = ShowSplash([] { gOpenGL->ShowMainWindow(); }, PlayHelloSound);
  PlugExportSteps(app->xmodelThread.Steps());
  PlugNoticeStep(app->xmodelThread.Steps(), [thread = &app->xmodelThread] { return thread->OpenOutputFolder(); });
  app->Create(clientWidth, clientHeight);
  app->BuildGUI(clientWidth, clientHeight);
  // The GUI is ready.
  if (splash) {
    SplashDone();
  } else {
    app->ShowMainWindow();
    PlayHelloSound();
  }
  Timer::Init();
  std::srand(static_cast<unsigned>(std::time(nullptr)));  // the donation reminder draws from it
  std::atomic<bool> restartRequested{false};
  std::unique_ptr<VornUpdater> updater = MakeUpdater(programPath, folder, app->gui, restartRequested);
  gUpdater = updater.get();
  PlugUpdaterCommands(app->gui, *updater);
  if (gSettings.auto_update_check) updater->CheckForUpdates(false);
  VornLog::Printf("--- Program Ready ---\n");

  MainLoop(*app);

  VornLog::Printf("\n--- Closing Down ---");
  gIWDUtils.Stop();  // the image count and a scan still running end before anything they use
  updater->StopDownloadThread();
  gSound.Shutdown();
  gSettings.Save();
  VornLog::SetBeforeExitHook(nullptr);
  app->Shutdown();
  app->xmodelList.StopListing();
  app->xmodelList.Reset();
  gOpenGL = nullptr;
  app.reset();
  platform::StopDesktopThread();
  gUpdater = nullptr;
  updater.reset();
  if (restartRequested) VornLog::Printf("Restarting: %s", programPath.c_str());
  VornLog::Close();
  HttpLibraryStop();
  if (restartRequested) RestartProgram(programPath);
  return 0;
}
