#include "app/update_plugs.h"

#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "app/vorn_opengl.h"
#include "core/log.h"
#include "platform/main_thread.h"
#include "update/program_digest.h"

VornUpdater* gUpdater = nullptr;

std::unique_ptr<VornUpdater> MakeUpdater(const std::string& programPath, const std::string& folder,
                                         std::atomic<bool>& restartRequested) {
  UpdateConfig config;
  config.checkUrl = UpdateServiceUrl();
  config.downloadPageUrl = DefaultDownloadPage(config.checkUrl);
  config.programPath = programPath;
  config.installFolder = folder;
  config.digestText = ComputeProgramDigest(programPath);

  UpdateHooks hooks;
  hooks.runCommand = [](const std::string& script) {
    VornLog::Printf("A newer version is available, but the update box is not built yet (%s)", script.c_str());
  };
  hooks.showMessage = [](const std::string& text) {
    VornLog::Printf("The message box is not built yet: %s", text.c_str());
  };
  hooks.restart = [&restartRequested] {
    restartRequested = true;
    platform::PostToMainThread([] {
      if (gOpenGL) gOpenGL->quitRequested = true;
    });
  };
  return std::make_unique<VornUpdater>(std::move(config), std::move(hooks));
}

void RestartProgram(const std::string& programPath) {
  char* const argv[] = {const_cast<char*>(programPath.c_str()), nullptr};
  ::execv(programPath.c_str(), argv);
  VornLog::Warningf("Could not start the updated program %s (%s)", programPath.c_str(), std::strerror(errno));
}
