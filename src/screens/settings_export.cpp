// The export tab: the Maya and OBJ options, how the model's images are exported and in which
// format, the model scale applied at load, and where exports and tags pages go.
#include "core/strings.h"
#include "screens/callbacks.h"
#include "screens/settings_tabs.h"

using namespace settings_style;

namespace {

void AddFormatGroups(VornGUI& gui, VornSettings& s) {
  AddSettingsLabel(gui, 145, 113, "MA", kRed);
  gui.AddRoundedRect({70, 115, 190, 70}, kSection);
  gui.AddCheckBox("bind_script", "Include Bind Script", {80, 140, 180, 20}, &s.mel_bind);
  AddSettingsLabel(gui, 145, 219, "OBJ", kRed);
  gui.AddRoundedRect({70, 220, 190, 70}, kSection);
  gui.AddCheckBox("include_mtl", "Include MTL", {80, 240, 180, 20}, &s.mtl);
}

void AddImageGroup(ScreenContext& ctx) {
  VornGUI& gui = ctx.gui;
  VornSettings& s = ctx.settings;
  AddSettingsLabel(gui, 430, 113, "IMAGES", kRed);
  gui.AddRoundedRect({330, 115, 250, 215}, kSection);
  gui.AddCheckBox("export_images", "Export Images With Model", {340, 140, 200, 20}, &s.exp_images);
  gui.AddCheckBox("export_images_local", "Export images to export folder", {340, 170, 200, 20}, &s.images_local);
  gui.AddCheckBox("export_images_col_only", "Export only color Map's", {340, 200, 200, 20}, &s.images_col);
  AddSettingsLabel(gui, 342, 290, "Note:", kSoftRed);
  AddSettingsLabel(gui, 342, 305, "All non color maps are now TGA only", kLightGrey);
  gui.AddDropDown({440, 240, 60, 18}, {{0, "DDS"}, {1, "TGA"}},
                  [&ctx](int index) { return OnImageFormat(ctx, index); }, StoredDropDownIndex(s.as_tga));
  AddSettingsLabel(gui, 342, 252, "Image Format:", kLightGrey);
}

void AddScaleAndFolderOptions(ScreenContext& ctx) {
  VornGUI& gui = ctx.gui;
  VornSettings& s = ctx.settings;
  AddSettingsLabel(gui, 80, 330, "Model Scale:", kLightGrey);
  AddSettingsTextBox(gui, "model_scale", FloatToString(s.scale), {160, 317, 80, 17},
                     [&ctx](const std::string& text) { OnModelScaleText(ctx, text); }, false);
  gui.AddCheckBox("model_sub_dir", "Create Sub directory for each model", {80, 350, 200, 20}, &s.sub_folder);
  gui.AddCheckBox("tags_directoy", "Save Tags in export folder", {80, 380, 190, 20}, &s.tags_local);
  gui.AddCheckBox("export_lods", "Export LODS", {80, 410, 190, 20}, &s.export_lods);
}

}  // namespace

void BuildExportTab(ScreenContext& ctx) {
  BeginSettingsTab(ctx.gui, "Settings_export", "Settings - Export");
  AddFormatGroups(ctx.gui, ctx.settings);
  AddImageGroup(ctx);
  AddScaleAndFolderOptions(ctx);
}
