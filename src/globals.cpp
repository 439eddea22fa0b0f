// The program's global objects, in the order they are made.
//
// C++ makes the objects of one file in the order they are written and ends them in the reverse
// order, after main returns (or after exit). Every long-lived object of the program is therefore
// defined here, in this order, and nowhere else. No object's making depends on a later one; none
// reads the settings file, creates a window or starts a thread: main does all of that, and its
// shutdown stops every thread and releases the window before any object here ends.
//
// A LifetimeMark follows each object: made just after it and ended just before it, the marks record
// the order (core/lifetime.h). Objects of the program not made here: the application object lives
// inside RunProgram and ends before it returns, so the job thread, the model list and the GL
// objects it owns never outlive the objects below.
//
//   loader mutex       guards the model list's state (made at compile time)
//   LogWriteMutex      one line at a time in the log (made at compile time)
//   VornSettings       every setting at its default until main reads settings.xml
//   VornLog            its state is made at compile time and never destroyed; its exit step here
//                      frees the kept lines and the file name, so later lines are lost, not unsafe
//   SceneLights        both moving lights black, attenuation constant 1.0, until the GL start-up
//   VersionText        "Version: 1.041 (Beta)"
//   ShaderRegistry     the model pass's programs (deleted at shutdown with a context current)
//   MaterialList       the current model's material files
//   BoneDisplay        the labels of the current frame, then the joint tree (empty until a load)
#include <mutex>
#include <string>

#include "core/lifetime.h"
#include "core/log.h"
#include "core/settings.h"
#include "model/material_list.h"
#include "model/vorn_loader.h"
#include "view/bone_display.h"
#include "view/shader_registry.h"

namespace {

// Runs the log's exit step when the globals end, at the log's place in the order.
struct LogExitStep {
  ~LogExitStep() { VornLog::ReleaseAtExit(); }
};

}  // namespace

constinit std::mutex LoaderMutex;
static const LifetimeMark loaderMutexMark{"loader mutex"};

constinit std::mutex LogWriteMutex;
static const LifetimeMark logWriteMutexMark{"LogWriteMutex"};

VornSettings gSettings;
static const LifetimeMark settingsMark{"VornSettings"};

static const LogExitStep logExitStep;
static const LifetimeMark logMark{"VornLog"};

SceneLightsData SceneLights;
static const LifetimeMark sceneLightsMark{"SceneLights"};

const std::string VersionText = std::string("Version: ") + kVersionNumber + " (Beta)";
static const LifetimeMark versionTextMark{"VersionText"};

ShaderRegistry gShaderRegistry;
static const LifetimeMark shaderRegistryMark{"ShaderRegistry"};

MaterialList gMaterialList;
static const LifetimeMark materialListMark{"MaterialList"};

std::vector<ScreenLabel> BoneDisplay::labels;
static const LifetimeMark boneLabelsMark{"BoneDisplay labels"};

BoneDisplay gBoneDisplay;
static const LifetimeMark boneDisplayMark{"BoneDisplay"};
