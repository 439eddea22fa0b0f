// The folder callbacks of the general settings: the game roots and the output folders (pick and
// reset), the folder chooser they use, and the IWD image mover.
#include "core/log.h"
#include "platform/events.h"
#include "platform/folder_picker.h"
#include "screens/callbacks.h"

namespace {

// One of the three game roots of the general settings.
struct GameRootField {
  std::string VornSettings::*root;
  const char* box;          // the text box that shows it
  const char* pickerTitle;
  const char* gameName;     // as the refusal names the game
};

constexpr GameRootField kCod4Root{&VornSettings::dir_cod4, "output_cod4", "Select COD 4 'root' folder", "cod4"};
constexpr GameRootField kCod5Root{&VornSettings::dir_cod5, "output_cod5", "Select COD 5 'root' folder", "cod5"};
constexpr GameRootField kCodBORoot{&VornSettings::dir_bo1, "output_cod_bo", "Select COD Black Ops 'root' folder",
                                   "cod BO"};

// One of the two output folders: the export folder and the GDT folder.
struct OutputFolderField {
  std::string VornSettings::*folder;
  const char* box;
  const char* pickerTitle;
  std::function<void(const std::string&)> ScreenHooks::*apply;  // hands the folder to the jobs
};

const OutputFolderField kExportFolder{&VornSettings::dir_export, "output_dir", "Select export Folder",
                                      &ScreenHooks::setExportFolder};
const OutputFolderField kGDTFolder{&VornSettings::dir_gdt, "output_GDT_dir", "Select folder to place GDT's",
                                   &ScreenHooks::setGDTFolder};

// The folder the user picks with title: through the context's chooser, else the desktop's.
std::string ChooseFolder(ScreenContext& ctx, const std::string& title) {
  return ctx.hooks.pickFolder ? ctx.hooks.pickFolder(title) : PickFolder(ctx.gui, title);
}

// Why path cannot be a game root, or "" when it can: the model list reads "raw/xmodel", and the
// IWD tool writes into "raw".
std::string GameRootProblem(const std::string& path, const char* gameName) {
  const std::string advice = std::string(" make sure you select the root ") + gameName +
                             " directory and have mod tools installed.";
  if (!platform::HasRawFolder(path, "raw")) return "No 'raw' folder found" + advice;
  if (!platform::HasRawFolder(path + "/raw", "xmodel")) return "No 'raw/xmodel' folder found" + advice;
  return {};
}

void PickGameRoot(ScreenContext& ctx, const GameRootField& field) {
  const std::string path = ChooseFolder(ctx, field.pickerTitle);
  if (path.empty()) return;  // cancelled
  const std::string problem = GameRootProblem(path, field.gameName);
  if (!problem.empty()) {
    ctx.gui.ShowError(problem);
    return;
  }
  ctx.settings.*field.root = path;
  ctx.gui.SetText(field.box, path);
  ctx.iwd.SetPath(path);
  ctx.iwd.CheckForImagesAndCount();
}

void ResetGameRoot(ScreenContext& ctx, const GameRootField& field) {
  ctx.settings.*field.root = kSetPath;
  ctx.gui.SetText(field.box, kSetPath);
}

void SetOutputFolder(ScreenContext& ctx, const OutputFolderField& field, const std::string& shown,
                     const std::string& forJobs) {
  ctx.settings.*field.folder = shown;
  ctx.gui.SetText(field.box, shown);
  if (ctx.hooks.*field.apply) (ctx.hooks.*field.apply)(forJobs);
}

void PickOutputFolder(ScreenContext& ctx, const OutputFolderField& field) {
  const std::string path = ChooseFolder(ctx, field.pickerTitle);
  if (!path.empty()) SetOutputFolder(ctx, field, path, path);
}

}  // namespace

std::string PickFolder(VornGUI& gui, const std::string& title, uint64_t ownerWindow) {
  std::string start = platform::HomeFolder();
  if (start.empty()) {
    VornLog::Printf("Failed to find HOME For Folder Browse (Trying Desktop)");
    start = platform::DesktopFolder();
  }
  if (start.empty()) {
    gui.ShowError("Failed To Find a folder to browse from (no home or desktop folder).");
    return {};
  }
  std::string error;
  const std::string path = platform::BrowseForFolder(title, start, ownerWindow, &error);
  // What was given to the program's window while the chooser was open is not acted on.
  platform::DiscardPendingPresses();
  if (!error.empty()) {
    VornLog::Warningf("Folder Browse: %s", error.c_str());
    gui.ShowError(error);
  }
  return path;
}

// ---- Game roots ---------------------------------------------------------------------------------

void OnPickCod4Root(ScreenContext& ctx) { PickGameRoot(ctx, kCod4Root); }
void OnPickCod5Root(ScreenContext& ctx) { PickGameRoot(ctx, kCod5Root); }
void OnPickCodBORoot(ScreenContext& ctx) { PickGameRoot(ctx, kCodBORoot); }

void OnResetCod4Path(ScreenContext& ctx) { ResetGameRoot(ctx, kCod4Root); }
void OnResetCod5Path(ScreenContext& ctx) { ResetGameRoot(ctx, kCod5Root); }
void OnResetCodBOPath(ScreenContext& ctx) { ResetGameRoot(ctx, kCodBORoot); }

// ---- Output folders -----------------------------------------------------------------------------

void OnPickExportFolder(ScreenContext& ctx) { PickOutputFolder(ctx, kExportFolder); }
void OnPickGDTFolder(ScreenContext& ctx) { PickOutputFolder(ctx, kGDTFolder); }

void OnResetExportFolder(ScreenContext& ctx) { SetOutputFolder(ctx, kExportFolder, kRunningDirectory, ""); }
void OnResetGDTFolder(ScreenContext& ctx) { SetOutputFolder(ctx, kGDTFolder, kRunningDirectory, ""); }

// ---- IWD image mover ----------------------------------------------------------------------------

bool OnIWDGameChanged(ScreenContext& ctx, int index) {
  if (index < 0 || index > 2) return false;
  ctx.iwdGame = index;
  return true;
}

void OnMoveIWDs(ScreenContext& ctx) {
  if (ctx.iwdGame < 0 || ctx.iwdGame > 2) {
    ctx.gui.ShowError("Unkown Game selected in dropbox.");
    return;  // no root to check: the tool never works on a folder of nobody's choosing
  }
  ctx.gui.SetTextVar("iwd_progress_text", "0");
  ctx.gui.SetTextVar("iwi_progress_text", "\n\n0\n\n0");
  ctx.gui.SetProgress("IWD_SCAN_progress", 1);
  ctx.iwd.SetPath(ctx.settings.GameRoot(ctx.iwdGame));
  ctx.iwd.CheckForImages();
}
