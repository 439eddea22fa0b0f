#include "app/screen_hooks.h"

#include <GL/glew.h>

#include "app/update_plugs.h"
#include "core/log.h"
#include "screens/callbacks.h"

void FillScreenHooks(VornOpenGL& app) {
  ScreenHooks& hooks = app.screens.hooks;
  hooks.setTitle = [&app](const std::string& text) { app.SetTitle(text); };
  hooks.setGridColour = [&app](float r, float g, float b) {
    app.scene.gridColour[0] = r;
    app.scene.gridColour[1] = g;
    app.scene.gridColour[2] = b;
  };
  hooks.setClearColour = [](float r, float g, float b) { glClearColor(r, g, b, 1.0f); };
  hooks.setExportFolder = [&app](const std::string& path) { app.SetExportFolder(path); };
  hooks.setGDTFolder = [&app](const std::string& path) { app.SetGDTFolder(path); };
  hooks.setJobGame = [&app](GameId game) { app.SetJobGame(game); };
  hooks.pickFolder = [&app](const std::string& title) {
    return PickFolder(app.gui, title, app.window ? app.window->NativeId() : 0);
  };
  hooks.checkForUpdates = [] {
    if (gUpdater) {
      gUpdater->CheckForUpdates(true);
    } else {
      VornLog::Warningf("Check for Updates: the updater has not started yet");
    }
  };
}

bool SetActiveGame(int index, bool withMessages) {
  return gOpenGL && SetActiveGame(gOpenGL->screens, index, withMessages);
}
