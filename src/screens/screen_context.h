#pragma once
// ScreenContext: everything the callbacks of the screens act on. The application owns one,
// fills it at start-up and hands it to the menus, which bind the callbacks with lambdas that
// capture it. The objects are the program's own (the globals by default); what only the
// application object can do (its window, its clear colour, its job folders) is reached through
// ScreenHooks. Tests build a context over their own objects and hooks.
//
// Threads: the main thread only, like the GUI pass that runs the callbacks.
#include <functional>
#include <string>

#include "audio/vorn_sound.h"
#include "core/settings.h"
#include "desktop/colour_themes.h"
#include "gui/vorn_gui.h"
#include "iwd/iwd_utils.h"
#include "jobs/xmodel_threaded.h"
#include "model/game_id.h"
#include "model/vorn_loader.h"
#include "screens/model_list_source.h"
#include "view/bone_display.h"
#include "view/scene_pass.h"

// What the callbacks ask of the application object. An empty hook is skipped (a test need not
// give them all), except pickFolder, which defaults to the desktop's folder chooser.
struct ScreenHooks {
  // The window title becomes "Vorn_Kesh Delvix - " + text.
  std::function<void(const std::string& text)> setTitle;
  // The 3D view's grid colour and the GL clear colour (channels 0..1; the clear alpha is 1).
  std::function<void(float r, float g, float b)> setGridColour;
  std::function<void(float r, float g, float b)> setClearColour;
  // The folders the jobs queued from now on write to: an empty path (or one that is no folder)
  // means "exported" ("GDTs") in the program's folder.
  std::function<void(const std::string& path)> setExportFolder;
  std::function<void(const std::string& path)> setGDTFolder;
  // The game whose file layouts the jobs queued from now on read.
  std::function<void(GameId game)> setJobGame;
  // A modal folder chooser with title: the chosen folder, or "" when cancelled. Default: PickFolder
  // (screens/callbacks.h), the desktop's chooser.
  std::function<std::string(const std::string& title)> pickFolder;
  // Starts the update check in manual mode; empty when the program has no updater.
  std::function<void()> checkForUpdates;
};

struct ScreenContext {
  ScreenContext(VornGUI& gui, VornLoader& xmodelList, XmodelThreaded& xmodelThread)
      : gui(gui), xmodelList(xmodelList), xmodelThread(xmodelThread) {}

  VornGUI& gui;
  VornLoader& xmodelList;        // the model list of the active game
  XmodelThreaded& xmodelThread;  // the job queue
  XmodelListSource xmodelListSource{xmodelList};  // what the list box "xmodels" reads
  VornSettings& settings = gSettings;
  SceneLightsData& lights = SceneLights;  // the two moving lights
  ShadingParams& shading = gShading;      // the main light and the specular values
  BoneDisplay& bones = gBoneDisplay;
  VornSound& sound = gSound;
  VornIWDUtils& iwd = gIWDUtils;
  VornThemeManger& themes = gThemeManager;
  ScreenHooks hooks;

  // The IWD image mover's game choice: 0 Cod4, 1 Cod5, 2 Cod BO.
  int iwdGame = 0;
};
