// The general tab: the log options, the update check, the window and list options, the active
// game, and the five folders (three game roots, the export and the GDT folder). The folder boxes
// only show their path: the "..." button beside each picks a folder, the reset button restores
// its placeholder, and both update the box.
#include "screens/callbacks.h"
#include "screens/settings_tabs.h"

using namespace settings_style;

namespace {

// One folder row: its label, its read-only box and the two buttons to its right.
struct FolderRow {
  const char* label;
  int32_t labelX, labelY;
  int32_t y;  // the box's top
  const char* box;
  std::string VornSettings::*path;
  Rgba pickLabel;  // the "..." label colour (hover: white)
  void (*pick)(ScreenContext&);
  void (*reset)(ScreenContext&);
};

void AddFolderRow(ScreenContext& ctx, const FolderRow& row) {
  VornGUI& gui = ctx.gui;
  AddSettingsLabel(gui, row.labelX, row.labelY, row.label);
  AddSettingsTextBox(gui, row.box, ctx.settings.*row.path, {335, row.y, 225, 17},
                     [&ctx](const std::string& text) { OnTextChanged(ctx, text); }, true);
  const auto pick = row.pick;
  const auto reset = row.reset;
  gui.AddTextButton({562, row.y + 1, 16, 16}, row.pickLabel, kWhite, "button_semi_hi", "button_semi", "...", 5, 12,
                    [&ctx, pick] { pick(ctx); }, false);
  gui.AddTextButton({580, row.y, 16, 16}, kWhite, kWhite, "reset_path_dark", "reset_path", "", 0, 0,
                    [&ctx, reset] { reset(ctx); }, false);
}

void AddLogAndUpdateGroups(ScreenContext& ctx) {
  VornGUI& gui = ctx.gui;
  VornSettings& s = ctx.settings;
  AddSettingsLabel(gui, 125, 108, "LOGS", kRed);
  gui.AddRoundedRect({70, 110, 150, 150}, kSection);
  gui.AddCheckBox("xmodel_log", "Xmodel Log", {80, 135, 120, 20}, &s.log_xmodel);
  gui.AddCheckBox("hide_warnings", "Hide Warnings", {80, 160, 120, 20}, &s.log_warn);
  gui.AddCheckBox("hide_msgs", "Hide Genral Msg", {80, 185, 120, 20}, &s.log_genral);
  AddSettingsLabel(gui, 115, 283, "UPDATES", kRed);
  gui.AddRoundedRect({70, 285, 150, 60}, kSection);
  gui.AddFlatButton({80, 305, 130, 20}, "Check for Updates", 10, 15, [&ctx] { OnCheckForUpdates(ctx); });
}

void AddWindowAndListOptions(ScreenContext& ctx) {
  VornGUI& gui = ctx.gui;
  VornSettings& s = ctx.settings;
  gui.AddCheckBox("tray_icon", "Create Tray Icon", {80, 360, 130, 20}, &s.tray_icon);
  gui.AddCheckBox("window_on_top", "Window On Top", {80, 385, 130, 20}, &s.window_on_top);
  gui.AddCheckBox("clear_load_list_on_change", "Load selected item on change", {335, 315, 140, 20},
                  &s.clear_list_on_change);
  gui.AddCheckBox("save_menu_states", "Save Menu States", {335, 340, 140, 20}, &s.save_menu_states);
  gui.AddCheckBox("save_main_menu_rect", "Save Main Window Size", {335, 365, 140, 20}, &s.save_window_rect);
}

void AddModeAndGameChoices(ScreenContext& ctx) {
  VornGUI& gui = ctx.gui;
  gui.AddDropDown({80, 220, 120, 18}, {{0, "Normal Mode"}, {1, "SYNC writes"}},
                  [&ctx](int index) { return OnLoggingMode(ctx, index); }, StoredDropDownIndex(ctx.settings.log_type));
  gui.AddDropDown({335, 260, 120, 18}, {{0, "COD 4"}, {1, "COD 5"}, {2, "COD BO"}},
                  [&ctx](int index) { return OnActiveGameChanged(ctx, index); },
                  StoredDropDownIndex(ctx.settings.active_game));
  AddSettingsLabel(gui, 250, 272, "Active Game:");
}

}  // namespace

void BuildGeneralTab(ScreenContext& ctx) {
  BeginSettingsTab(ctx.gui, "Settings_genral", "Settings - General");
  AddLogAndUpdateGroups(ctx);
  AddWindowAndListOptions(ctx);
  AddModeAndGameChoices(ctx);
  const FolderRow rows[] = {
      {"   Cod4:", 280, 137, 122, "output_cod4", &VornSettings::dir_cod4, kWhite, OnPickCod4Root, OnResetCod4Path},
      {"   Cod5:", 280, 159, 144, "output_cod5", &VornSettings::dir_cod5, kWhite, OnPickCod5Root, OnResetCod5Path},
      {"Cod BO:", 280, 181, 166, "output_cod_bo", &VornSettings::dir_bo1, kWhite, OnPickCodBORoot, OnResetCodBOPath},
      {"Export Folder:", 243, 216, 204, "output_dir", &VornSettings::dir_export, kGreyLabel, OnPickExportFolder,
       OnResetExportFolder},
      {"GDT Folder:", 256, 238, 226, "output_GDT_dir", &VornSettings::dir_gdt, kGreyLabel, OnPickGDTFolder,
       OnResetGDTFolder},
  };
  for (const FolderRow& row : rows) AddFolderRow(ctx, row);
}
