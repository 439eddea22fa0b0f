// Delvix entry point.
#include <cstdio>
#include <unistd.h>

#include "core/log.h"
#include "core/paths.h"
#include "core/settings.h"

int main() {
  // Run from the program's own folder, as a normal start does, so settings.xml, Log.txt and the
  // export folders sit beside the program.
  std::string folder = GetRunningDirectory();
  if (!folder.empty() && ::chdir(folder.c_str()) != 0) std::perror("chdir");

  VornLog::SetFileName("Log.txt");
  VornLog::SetMode(VornLog::kModeSync);
  VornLog::Start();
  gSettings.Load();
  VornLog::SwitchModeForSetting(gSettings.log_type);
  std::printf("Delvix %s: core services are built (log and settings in %s).\n"
              "The window, the 3D view and the GUI are not built yet, so there is nothing to show.\n",
              kVersionNumber, folder.c_str());
  gSettings.Save();
  VornLog::Close();
  return 0;
}
