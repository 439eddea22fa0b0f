// The active game and the model list: the game switch, the listing of a game's models, the
// search box's clear button and the tags tree's rows.
#include "core/log.h"
#include "platform/files.h"
#include "screens/callbacks.h"

namespace {

// The readers' game of each settings index (0 Cod4, 1 Cod5, 2 Cod BO).
constexpr GameId kGameOfIndex[] = {GameId::Cod4, GameId::Cod5, GameId::CodBo};

}  // namespace

bool SetActiveGame(ScreenContext& ctx, int index, bool withMessages) {
  if (ctx.xmodelList.IsLoading()) {
    VornLog::Warningf("User tried to switch active game while list is still loading.");
    return false;
  }
  if (index < 0 || index > 2) {
    ctx.gui.ShowError("Unkown Game selected in dropbox.");
    return false;
  }
  if (!LoadXmodelListForGame(ctx, ctx.settings.GameRoot(index), withMessages)) return false;
  // Only now: the list shows this game's models, so its readers must read them.
  if (ctx.hooks.setJobGame) ctx.hooks.setJobGame(kGameOfIndex[index]);
  ctx.settings.active_game = index;
  return true;
}

bool OnActiveGameChanged(ScreenContext& ctx, int index) { return SetActiveGame(ctx, index, true); }

bool LoadXmodelListForGame(ScreenContext& ctx, const std::string& root, bool withMessages) {
  const std::string folder = GameXmodelFolder(root);
  if (folder.empty()) {
    if (withMessages) ctx.gui.ShowMessage("Directory Not Set");
    return false;
  }
  if (!platform::IsDirectory(folder)) {
    if (withMessages) ctx.gui.ShowError("Xmodel List: '" + root + "' is not a valid path");
    VornLog::Warningf("Xmodel List: '%s' is not a valid path", root.c_str());
    return false;
  }
  if (ctx.hooks.setTitle) ctx.hooks.setTitle(root);
  ctx.xmodelList.SetFolder(folder);
  ctx.xmodelList.LoadList();
  return true;
}

// ---- Model list and tags tree -----------------------------------------------------------------

void OnClearSearch(ScreenContext& ctx) { ctx.gui.SetText("xmodel_search", ""); }

bool OnTagRowClicked(ScreenContext& ctx, const TreeRow* row) {
  if (row) ctx.bones.Mark(row->text);  // a name the skeleton lacks marks nothing
  return true;
}
