#include "app/win_main.h"

#include <unistd.h>

#include <chrono>
#include <memory>
#include <thread>

#include "app/job_plugs.h"
#include "app/vorn_opengl.h"
#include "core/log.h"
#include "core/paths.h"
#include "core/settings.h"
#include "core/timer.h"
#include "iwd/iwd_utils.h"
#include "platform/events.h"
#include "platform/key_codes.h"
#include "platform/main_thread.h"

namespace {

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
    if (!app.renderEnabled) {
      std::this_thread::sleep_for(std::chrono::milliseconds(250));
      continue;
    }
    if (KeyDownTable[platform::vk::kEscape] || app.quitRequested) break;
    app.RenderFrame();
  }
  platform::StopMainThreadService();
}

}  // namespace

int RunProgram(const std::string& programFolder) {
  // Run from the program's own folder, as a normal start does, so settings.xml, Log.txt and the
  // export folders sit beside the program.
  const std::string folder = programFolder.empty() ? GetRunningDirectory() : programFolder;
  if (!folder.empty() && ::chdir(folder.c_str()) != 0) return 1;

  VornLog::SetFileName("Log.txt");
  VornLog::SetMode(VornLog::kModeSync);
  VornLog::Start();
  gSettings.Load();
  VornLog::SwitchModeForSetting(gSettings.log_type);

  const int clientWidth = gSettings.main_window.w;
  const int clientHeight = gSettings.main_window.h;
  auto app = std::make_unique<VornOpenGL>();
  gOpenGL = app.get();
  PlugExportSteps(app->xmodelThread.Steps());
  if (!app->Create(clientWidth, clientHeight)) {
    gOpenGL = nullptr;
    return 0;
  }
  app->ReSizeGLScene(clientWidth > 0 ? clientWidth : 800, clientHeight > 0 ? clientHeight : 600);
  Timer::Init();
  VornLog::Printf("--- Program Ready ---\n");

  MainLoop(*app);

  VornLog::Printf("\n--- Closing Down ---");
  gIWDUtils.Stop();  // the image count and a scan still running end before anything they use
  gSettings.Save();
  app->Shutdown();
  app->xmodelList.StopListing();
  app->xmodelList.Reset();
  gOpenGL = nullptr;
  app.reset();
  VornLog::Close();
  return 0;
}
