#include "app/log_window_menu.h"

#include "app/vorn_opengl.h"
#include "core/log.h"
#include "gui/item_layout.h"

void BuildLogWindow(VornOpenGL& app) {
  VornGUI& gui = app.gui;
  Menu& window = gui.AddMenu("xmodel_log");
  window.framed = true;
  window.title = "Xmodel Log";
  window.transition = TRANSITION_FADE;
  window.durationMs = 500.0f;
  window.savedPosition = &gSettings.xmodel_win_log;
  window.savedSize = &gSettings.xmodel_win_log_size;
  window.rect = gSettings.xmodel_win_log;
  window.hitRect = gSettings.xmodel_win_log_size;
  window.visible = gSettings.xmodel_win_vis[1];
  window.visibilityMirror = &gSettings.xmodel_win_vis[1];
  gui.lastFramedIndex = static_cast<int32_t>(gui.Menus().size()) - 1;

  VornLog::KeepMessages(true);
  BoundList list;
  list.name = "XmodelLog";
  const ItemRect& size = gSettings.xmodel_win_log_size;
  list.rect = {4, 22, size.w - 9, size.h - 25, ITEM_GROW_W | ITEM_GROW_H};
  list.background = {0, 0, 0, 0};
  list.textColour = {1, 1, 1, 1};
  list.follow = true;
  // Copies only the lines the list shows, under the log's lock.
  list.lines = [](size_t first, size_t count, std::vector<std::string>& out) {
    size_t total = 0;
    out.clear();
    VornLog::WithKeptMessages([&](const std::vector<std::string>& lines) {
      total = lines.size();
      for (size_t i = first; i < total && out.size() < count; ++i) out.push_back(lines[i]);
    });
    return total;
  };
  window.boundLists.push_back(std::move(list));
}
