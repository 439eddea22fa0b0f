// The hot keys tab: a key field for each hot key (a click captures the next key into the
// settings), the mouse scheme, and the picture of the scheme's buttons with their three labels.
// The two pictures are menus of their own; the tab shows the current scheme's when it opens and
// hides both when it closes. The export_XE hot key has no field here.
#include "screens/callbacks.h"
#include "screens/settings_tabs.h"

using namespace settings_style;

namespace {

struct HotkeyRow {
  const char* name;
  int32_t y;
  HotkeyIndex key;
  const char* label;
  int32_t labelY;
};

constexpr HotkeyRow kHotkeyRows[] = {
    {"change_game", 107, HK_CHANGE_ACTIVE_GAME, "Change Active Game:", 120},
    {"view_tags", 132, HK_VIEW_TAGS, "View Tags:", 145},
    {"export_ma", 157, HK_EXPORT_MA, "Export MA:", 170},
    {"export_obj", 182, HK_EXPORT_OBJ, "Export OBJ:", 195},
    {"screen_shot", 207, HK_TAKE_SCREEN_SHOT, "Screen Shot:", 220},
    {"wireframe", 232, HK_WIREFRAME, "WireFrame:", 245},
    {"toggle_xmodel_list", 257, HK_TOGGLE_XMODEL_LIST, "Toggle Xmodel List:", 270},
    {"toggle_xmodel_log", 282, HK_TOGGLE_XMODEL_LOG, "Toggle Xmodel Log:", 295},
    {"toggle_xmodel_prop", 307, HK_TOGGLE_XMODEL_PROP, "Toggle Xmodel Prop:", 320},
    {"toggle_settings_menu", 333, HK_TOGGLE_SETTING_MENU, "Toggle Settings Menu:", 345},
    {"bounding_box", 358, HK_BOUNDING_BOX, "Toggle Bounding Box:", 370},
    {"central_locator", 383, HK_CENTRAL_LOCATOR, "Toggle Central Locator:", 395},
    {"draw_bones", 407, HK_DRAW_BONES, "Toggle Bone Preview:", 420},
};

void AddMouseControls(ScreenContext& ctx) {
  VornGUI& gui = ctx.gui;
  // A little left of its place in the layout: in our font the label would touch the drop-down.
  AddSettingsLabel(gui, 372, 121, "Mouse Controls:");
  gui.AddDropDown({480, 107, 110, 18}, {{0, "Maya Style"}, {1, "Asset Viewer"}},
                  [&ctx](int index) { return OnMouseScheme(ctx, index); },
                  StoredDropDownIndex(ctx.settings.mouse_style));
  // The labels of the mouse buttons on the picture below them.
  const auto nothing = [&ctx](const std::string& text) { OnTextChanged(ctx, text); };
  AddSettingsTextBox(gui, "mouse_angle", "Angle", {340, 195, 70, 18}, nothing, true);
  AddSettingsTextBox(gui, "mouse_move", "Move", {438, 155, 70, 18}, nothing, true);
  AddSettingsTextBox(gui, "mouse_zoom", "Zoom", {523, 195, 70, 18}, nothing, true);
}

// A menu holding only the picture of one mouse scheme, shown and hidden by the tab.
void BuildMousePicture(VornGUI& gui, const std::string& name, const std::string& texture) {
  gui.BeginMenu(name, {0, 0, 0, 0, kCentredMenu}, {}, false);
  gui.AddImage({370, 140, 256, 256}, texture, kWhite);
}

}  // namespace

void BuildHotkeysTab(ScreenContext& ctx) {
  VornGUI& gui = ctx.gui;
  BeginSettingsTab(gui, "Settings_hotkeys", "Settings - HotKeys");
  for (const HotkeyRow& row : kHotkeyRows) {
    gui.AddKeyBind(&ctx.settings.hotkeys[row.key], row.name, {200, row.y, 80, 17}, kFieldBackground, kFieldOutline,
                   kFieldText);
  }
  for (const HotkeyRow& row : kHotkeyRows) AddSettingsLabel(gui, 50, row.labelY, row.label);
  AddMouseControls(ctx);
  gui.SetOpenScript("set_mouse_cntrl_display;");
  gui.SetCloseScript("force_close Settings_hotkeys_mouse_maya; force_close Settings_hotkeys_mouse_assView;");
  BuildMousePicture(gui, "Settings_hotkeys_mouse_maya", "hotkey_mouse");
  BuildMousePicture(gui, "Settings_hotkeys_mouse_assView", "hotkey_mouse_ass_view");
}
