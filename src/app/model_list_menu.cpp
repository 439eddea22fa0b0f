#include "app/model_list_menu.h"

#include <memory>

#include "app/vorn_opengl.h"
#include "gui/list_source.h"
#include "gui/item_layout.h"

namespace {

// The model list loader as the list box's source: LoaderMutex guards all of it.
class ModelListSource : public ListSource {
 public:
  explicit ModelListSource(VornLoader& loader) : loader_(loader) {}
  std::mutex& Mutex() override { return LoaderMutex; }
  std::vector<std::string>* ShownNames() override { return loader_.shownNames; }
  bool ShortenPending() const override { return loader_.shortenPending; }
  void ClearShortenPending() override { loader_.shortenPending = false; }
  bool ListReady() const override { return loader_.listReady; }
  void ClearFullNames() override {
    if (loader_.shownList) loader_.shownList->Clear();
  }
  void AddFullName(const std::string& fullName, int index) override {
    if (loader_.shownList) loader_.shownList->AddRow(fullName, index);
  }
  std::string FullName(int index) override {
    ListData* data = loader_.shownList;
    return data && data->IndexOfValue(index) ? data->RowName() : std::string();
  }

 private:
  VornLoader& loader_;
};

constexpr Rgba kFrameColour{0.25f, 0.25f, 0.25f, 0.95f};

}  // namespace

void BuildModelListMenu(VornOpenGL& app) {
  static std::unique_ptr<ModelListSource> source;  // lives as long as the program's one model list
  source = std::make_unique<ModelListSource>(app.xmodelList);

  VornGUI& gui = app.gui;
  Menu& menu = gui.AddMenu("xmodel_list");
  menu.hitRect = {350, 30, 290, 425, ITEM_MOVE_X | ITEM_GROW_H};
  menu.transition = TRANSITION_SLIDE;
  menu.openDirection = menu.closeDirection = SLIDE_RIGHT;
  menu.durationMs = 250.0f;
  menu.visible = gSettings.xmodel_win_vis[2];
  menu.visibilityMirror = &gSettings.xmodel_win_vis[2];

  menu.images.push_back({{335, 25, 310, 16, ITEM_MOVE_X}, kFrameColour, "menu_frame_top"});
  menu.images.push_back({{335, 41, 310, 399, ITEM_MOVE_X | ITEM_GROW_H}, kFrameColour, "menu_frame_mid"});
  menu.images.push_back({{335, 440, 310, 16, ITEM_MOVE_X | ITEM_MOVE_Y}, kFrameColour, "menu_frame_bot"});
  menu.fontLabels.push_back({{455, 47, 0, 0, ITEM_MOVE_X}, "XMODEL LIST", {1, 0, 0, 0.8f}, false, 11});
  menu.labels.push_back({{365, 443, 0, 0, ITEM_MOVE_X | ITEM_MOVE_Y}, "Search:", {0, 1, 0, 0.3f}});

  ListBox list;
  list.name = "xmodels";
  list.rect = {348, 50, 283, 375, ITEM_MOVE_X | ITEM_GROW_H};
  list.scrollPosition = static_cast<float>(list.rect.y + 5);
  list.background = {0, 0, 0, 0};
  list.outline = {0.5f, 0.5f, 0.5f, 0};
  list.row = {0.8f, 0.8f, 0.8f, 0.1f};
  list.hoveredRow = {0.5f, 0.5f, 0.5f, 0.75f};
  list.selectedRow = {1, 1, 1, 0.5f};
  list.text = {1, 1, 1, 1};
  list.highlightedText = {0, 0, 0, 1};
  list.visibleRows = list.rect.h / 14;
  list.rowFades.resize(static_cast<size_t>(list.visibleRows));
  list.source = source.get();
  list.rowCallback = [&app](const std::string& name) {
    app.xmodelThread.QueueXmodelLoad(app.xmodelList.GetFolder(), name);
  };
  menu.listBoxes.push_back(std::move(list));

  TextBox search;
  search.name = "xmodel_search";
  search.rect = {412, 430, 190, 17, ITEM_MOVE_X | ITEM_MOVE_Y};
  search.committed = "Click to Search..";
  search.background = {0.5f, 0.5f, 0.5f, 0.1f};
  search.outline = {0, 1, 0, 0.3f};
  search.textColour = {1, 1, 1, 1};
  search.filter = [&app](const std::string& text) { app.xmodelList.ApplyFilter(text); };
  menu.textBoxes.push_back(std::move(search));

  TextButton clear;
  clear.rect = {605, 430, 16, 16, ITEM_MOVE_X | ITEM_MOVE_Y};
  clear.labelColour = clear.hoverLabelColour = {1, 1, 1, 0};
  clear.skin = "clear_off";
  clear.hoverSkin = "clear_on";
  clear.labelX = clear.labelY = 16;
  clear.callback = [&gui] { gui.SetText("xmodel_search", ""); };
  menu.textButtons.push_back(std::move(clear));

  // The loader asks for the list's scroll bar to go back to the top from either thread; the
  // command runs on the main thread between frames.
  VornLoaderHooks hooks;
  hooks.resetListBox = [&gui] { gui.PostCommands("reset_listbox xmodels;"); };
  app.xmodelList.SetHooks(std::move(hooks));
}
