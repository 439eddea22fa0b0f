#include "app/update_plugs.h"

#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "app/vorn_opengl.h"
#include "core/log.h"
#include "platform/main_thread.h"
#include "update/program_digest.h"

VornUpdater* gUpdater = nullptr;

namespace {

constexpr const char* kDownloadProgress = "download_progress";

}  // namespace

std::unique_ptr<VornUpdater> MakeUpdater(const std::string& programPath, const std::string& folder, VornGUI& gui,
                                         std::atomic<bool>& restartRequested) {
  UpdateConfig config;
  config.checkUrl = UpdateServiceUrl();
  config.downloadPageUrl = DefaultDownloadPage(config.checkUrl);
  config.checkLimits.caFile = config.downloadLimits.caFile = UpdateServiceCaFile();
  config.programPath = programPath;
  config.installFolder = folder;
  config.digestText = ComputeProgramDigest(programPath);

  UpdateHooks hooks;
  hooks.runCommand = [&gui](const std::string& script) { gui.ExecCmd(script); };
  hooks.showMessage = [&gui](const std::string& text) { gui.ShowMessage(text); };
  hooks.downloadProgress = [&gui](int value) { gui.SetProgress(kDownloadProgress, value); };
  hooks.downloadFailed = [&gui](const std::string& reason) {
    platform::TryPostToMainThread([&gui, reason] {
      gui.ExecCmd("close update_menu;");
      gui.ShowError(reason + "\n\nThe program is unchanged. See Log.txt for details.");
    });
  };
  hooks.restart = [&restartRequested] {
    restartRequested = true;
    platform::PostToMainThread([] {
      if (gOpenGL) gOpenGL->quitRequested = true;
    });
  };
  return std::make_unique<VornUpdater>(std::move(config), std::move(hooks));
}

void PlugUpdaterCommands(VornGUI& gui, VornUpdater& updater) {
  gui.hooks.startDownload = [&gui, &updater] {
    // A new download's bar starts empty; a running one keeps its progress.
    if (!updater.DownloadRunning()) gui.SetProgress(kDownloadProgress, 0);
    updater.StartDownload();
  };
  gui.hooks.cancelDownload = [&updater] { updater.CancelDownload(); };
}

void RestartProgram(const std::string& programPath) {
  char* const argv[] = {const_cast<char*>(programPath.c_str()), nullptr};
  ::execv(programPath.c_str(), argv);
  VornLog::Warningf("Could not start the updated program %s (%s)", programPath.c_str(), std::strerror(errno));
}
