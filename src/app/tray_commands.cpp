// The tray menu's commands, run in the main loop: quit, the about box, and opening the program's
// folders with the desktop's file manager.
#include "app/vorn_opengl.h"
#include "core/paths.h"
#include "core/settings.h"
#include "desktop/system_tray.h"
#include "platform/message_box.h"
#include "platform/open.h"

namespace {

// A game root: opened when set, else a box says so and nothing opens.
void OpenGameRoot(const std::string& root, const char* notSetText) {
  if (root == kSetPath) {
    platform::ShowMessageBox(platform::MessageBoxKind::Info, "Vorn_Kesh - Open Path", notSetText);
    return;
  }
  platform::OpenWithDesktop(root);
}

}  // namespace

void VornOpenGL::RunTrayCommand(int command) {
  switch (command) {
    case kTrayExit: quitRequested = true; break;
    case kTrayAbout: gui.ExecCmd("open about_menu;"); break;
    case kTrayOutputDirectory:
      platform::OpenWithDesktop(gSettings.dir_export == kRunningDirectory ? GetRunningDirectory() : gSettings.dir_export);
      break;
    case kTrayCod4Root: OpenGameRoot(gSettings.dir_cod4, "Cod4 Path Is Not Set"); break;
    case kTrayCod5Root: OpenGameRoot(gSettings.dir_cod5, "Cod5 Path Is Not Set"); break;
    case kTrayCodBoRoot: OpenGameRoot(gSettings.dir_bo1, "Cod BO Path Is Not Set"); break;
    case kTrayRunningDirectory: platform::OpenWithDesktop(GetRunningDirectory()); break;
    default: break;
  }
}
