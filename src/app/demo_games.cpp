#include "app/demo_games.h"

#include "core/log.h"
#include "core/settings.h"
#include "platform/files.h"

bool UseDemoGameRoots(VornSettings& settings, const std::string& programFolder) {
  const std::string demo = programFolder + "/demo";
  if (programFolder.empty() || !platform::IsDirectory(demo)) return false;
  settings.dir_cod4 = demo + "/cod4";
  settings.dir_cod5 = demo + "/cod5";
  settings.dir_bo1 = demo + "/bo";
  VornLog::Printf("No settings yet: the game roots are the demo games in '%s'", demo.c_str());
  return true;
}
