// The model list: folded, only its edge and an arrow show at the right border ("open_xmodel_list");
// unfolded, it slides in from the right ("xmodel_list") with the models of the active game, a
// search box that filters them and an arrow that folds it again. A click on a row loads that model.
#include "gui/item_layout.h"
#include "screens/callbacks.h"
#include "screens/screen_colours.h"
#include "screens/main_screen_parts.h"

namespace colours = screen_colours;

namespace {

constexpr ItemRect kNoRect{0, 0, 0, 0, ITEM_FIXED};
constexpr uint32_t kRightEdge = ITEM_MOVE_X | ITEM_GROW_H;       // beside the right border, full height
constexpr uint32_t kRightBottom = ITEM_MOVE_X | ITEM_MOVE_Y;     // in the lower right corner
constexpr uint32_t kRightMiddle = ITEM_MOVE_X | ITEM_CENTER_Y;   // at the right border, half way down

// The row callback of "xmodels": queues the load of the chosen model of the listed folder.
void OnXmodelSelected(ScreenContext& ctx, const std::string& name) {
  ctx.xmodelThread.QueueXmodelLoad(ctx.xmodelList.GetFolder(), name);
}

// A fold arrow without a label: grey at rest, white under the pointer.
void AddFoldArrow(VornGUI& gui, const ItemRect& rect, int16_t labelX, const char* script) {
  gui.AddTextButton(rect, colours::kArrowLabel, colours::kWhite, "list_arrow", "list_arrow", "", labelX, 15, script,
                    false);
}

void BuildFoldedListEdge(VornGUI& gui, bool listShown) {
  gui.BeginMenu("open_xmodel_list", kNoRect, {625, 230, 15, 15, kRightMiddle}, !listShown);
  gui.AddImage({625, 25, 285, 440, kRightEdge}, "menu_frame", colours::kFoldedListEdge);
  AddFoldArrow(gui, {620, 230, 15, 15, kRightMiddle}, 15, "open xmodel_list;");
}

void BuildModelList(ScreenContext& ctx) {
  VornGUI& gui = ctx.gui;
  bool& shown = ctx.settings.xmodel_win_vis[kModelListFlag];
  Menu& list = gui.BeginSlideMenu("xmodel_list", kNoRect, {350, 30, 290, 425, kRightEdge}, shown, SLIDE_RIGHT,
                                  SLIDE_RIGHT, 0.25f);
  list.visibilityMirror = &shown;
  gui.SetOpenScript("close open_xmodel_list;");
  gui.SetCloseScript("open open_xmodel_list;");

  gui.AddFontLabel({455, 47, 0, 0, ITEM_MOVE_X}, "XMODEL LIST", colours::kListTitle, 0, 11);
  gui.AddImage({335, 25, 310, 16, ITEM_MOVE_X}, "menu_frame_top", colours::kListFrame);
  gui.AddImage({335, 41, 310, 399, kRightEdge}, "menu_frame_mid", colours::kListFrame);
  gui.AddImage({335, 440, 310, 16, kRightBottom}, "menu_frame_bot", colours::kListFrame);
  const ListBoxColours rows{colours::kClear,          colours::kListOutline,     colours::kListRow,
                            colours::kListHoveredRow, colours::kListSelectedRow, colours::kWhite,
                            colours::kListHighlightedText};
  gui.AddListBox("xmodels", {348, 50, 283, 375, kRightEdge}, &ctx.xmodelListSource,
                 [&ctx](const std::string& name) { OnXmodelSelected(ctx, name); }, rows);
  gui.AddLabel({365, 443, 0, 0, kRightBottom}, "Search:", colours::kSearchLabel);
  gui.AddTextBox("xmodel_search", "Click to Search..", {412, 430, 190, 17, kRightBottom}, colours::kSearchBackground,
                 colours::kSearchOutline, colours::kWhite,
                 [&ctx](const std::string& text) { ctx.xmodelList.ApplyFilter(text); });
  gui.AddTextButton({605, 430, 16, 16, kRightBottom}, colours::kWhite, colours::kWhite, "clear_off", "clear_on", "", 16,
                    16, [&ctx] { OnClearSearch(ctx); }, false);
  AddFoldArrow(gui, {331, 230, 15, 15, kRightMiddle}, 10, "close xmodel_list;");
}

}  // namespace

void BuildModelListMenus(ScreenContext& ctx) {
  BuildFoldedListEdge(ctx.gui, ctx.settings.xmodel_win_vis[kModelListFlag]);
  BuildModelList(ctx);
}
