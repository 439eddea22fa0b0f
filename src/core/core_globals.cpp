// The core services' global objects, each at its rank in the program's order (core/global_order.h):
//
//   LogWriteMutex      one line at a time in the log (made at compile time)
//   VornSettings       every setting at its default until main reads settings.xml
//   VornLog            its state is made at compile time and never destroyed; its exit step here
//                      frees the kept lines and the file name, so later lines are lost, not unsafe
//   SceneLights        both moving lights black, attenuation constant 1.0, until the GL start-up
//   VersionText        "Version: 1.041 (Beta)"
#include <mutex>
#include <string>

#include "core/global_order.h"
#include "core/lifetime.h"
#include "core/log.h"
#include "core/settings.h"

namespace {

// Runs the log's exit step when the globals end, at the log's place in the order.
struct LogExitStep {
  ~LogExitStep() { VornLog::ReleaseAtExit(); }
};

}  // namespace

constinit std::mutex LogWriteMutex;
static const LifetimeMark logWriteMutexMark DELVIX_GLOBAL(kRankLogWriteMutex){"LogWriteMutex"};

VornSettings gSettings DELVIX_GLOBAL(kRankSettings);
static const LifetimeMark settingsMark DELVIX_GLOBAL(kRankSettings){"VornSettings"};

static const LogExitStep logExitStep DELVIX_GLOBAL(kRankLog);
static const LifetimeMark logMark DELVIX_GLOBAL(kRankLog){"VornLog"};

SceneLightsData SceneLights DELVIX_GLOBAL(kRankSceneLights);
static const LifetimeMark sceneLightsMark DELVIX_GLOBAL(kRankSceneLights){"SceneLights"};

const std::string VersionText DELVIX_GLOBAL(kRankVersionText) = std::string("Version: ") + kVersionNumber + " (Beta)";
static const LifetimeMark versionTextMark DELVIX_GLOBAL(kRankVersionText){"VersionText"};
