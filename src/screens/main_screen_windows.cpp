// The first menu and the three movable model windows: the log, the model information and the
// model's tags. Each window starts where, as large and as open as the settings keep it, and
// writes every change back into them.
#include "core/log.h"
#include "gui/item_layout.h"
#include "screens/callbacks.h"
#include "screens/screen_colours.h"
#include "screens/main_screen_parts.h"
#include "screens/model_info_panel.h"

namespace colours = screen_colours;

namespace {

constexpr float kWindowFadeSeconds = 0.5f;

// What a window shows fills it below its title bar: 4 pixels in from the left, 22 from the
// top, 5 from the right and 3 from the bottom, and keeps those margins as the window is resized.
ItemRect WindowContent(const Menu& window) {
  return {4, 22, window.hitRect.w - 9, window.hitRect.h - 25, ITEM_GROW_W | ITEM_GROW_H};
}

// A framed window over the settings' position and size; its visibility is mirrored into the
// settings' flag. The open and close scripts switch its button pair.
Menu& BeginModelWindow(ScreenContext& ctx, ItemRect& position, ItemRect& size, const char* name, const char* title,
                       MirroredMenuFlag flag, const char* openScript, const char* closeScript) {
  VornGUI& gui = ctx.gui;
  bool& shown = ctx.settings.xmodel_win_vis[flag];
  Menu& window = gui.BeginWindow(&position, &size, name, title, shown, kWindowFadeSeconds);
  window.visibilityMirror = &shown;
  gui.SetOpenScript(openScript);
  gui.SetCloseScript(closeScript);
  return window;
}

// The log's kept message lines from first, at most count of them, copied under the log's lock;
// returns how many lines the log keeps.
size_t CopyKeptMessages(size_t first, size_t count, std::vector<std::string>& out) {
  size_t total = 0;
  out.clear();
  VornLog::WithKeptMessages([&](const std::vector<std::string>& lines) {
    total = lines.size();
    for (size_t i = first; i < total && out.size() < count; ++i) out.push_back(lines[i]);
  });
  return total;
}

}  // namespace

void BuildFirstMenu(ScreenContext& ctx) {
  VornGUI& gui = ctx.gui;
  gui.BeginFadeMenu("bug_fixer", {0, 0, 0, 0, ITEM_FIXED}, {0, 0, 0, 0, ITEM_FIXED}, true, 0.5f);
  gui.AddFilledRect({0, 0, 1, 1, ITEM_FIXED}, colours::kFirstMenuFill);
}

void BuildModelWindows(ScreenContext& ctx) {
  VornGUI& gui = ctx.gui;
  VornSettings& s = ctx.settings;

  const Menu& log = BeginModelWindow(ctx, s.xmodel_win_log, s.xmodel_win_log_size, "xmodel_log", "Xmodel Log",
                                     kLogWindowFlag, "close open_xmodel_log; open close_xmodel_log",
                                     "close close_xmodel_log; open open_xmodel_log");
  // The log keeps its message lines from now on; the list shows them and follows new ones.
  VornLog::KeepMessages(true);
  gui.AddBoundList("XmodelLog", WindowContent(log), colours::kClear, colours::kWhite, CopyKeptMessages, true);

  const Menu& prop = BeginModelWindow(ctx, s.xmodel_win_prop, s.xmodel_win_prop_size, "xmodel_prop",
                                      "Xmodel Properties", kPropWindowFlag,
                                      "close open_xmodel_prop; open close_xmodel_prop;",
                                      "close close_xmodel_prop; open open_xmodel_prop;");
  gui.AddTreeView("Xmodel_properties", WindowContent(prop), colours::kTreeBackground, colours::kClear,
                  &ModelInfoPanel::infoTree, nullptr, false);

  const Menu& tags = BeginModelWindow(ctx, s.xmodel_win_tags, s.xmodel_win_tags_size, "xmodel_tags", "Xmodel Tags",
                                      kTagsWindowFlag, "close open_xmodel_tags; open close_xmodel_tags;",
                                      "close close_xmodel_tags; open open_xmodel_tags;");
  // While a tag row is highlighted, its bone is marked in the 3D view.
  gui.AddTreeView("Xmodel_tags", WindowContent(tags), colours::kTreeBackground, colours::kClear,
                  &ModelInfoPanel::tagTree, [&ctx](TreeRow* row) { OnTagRowClicked(ctx, row); }, false);
}
