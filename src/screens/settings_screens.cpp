// The settings screen: one panel that slides in from the right with eight tab buttons and the
// Reset, Close and Save buttons, and the tab menus that fade in over it one at a time. Also the
// small tabs (sounds, misc, theme, shaders) and what every tab shares.
#include <limits>

#include "screens/build_menus.h"
#include "screens/callbacks.h"
#include "screens/settings_tabs.h"

using namespace settings_style;

namespace {

// A tab button: its label, where it sits on the row of tabs, and the tab menu it shows.
struct TabButton {
  const char* label;
  int32_t x, w;
  int16_t labelX;
  const char* tab;
};

constexpr TabButton kTabButtons[] = {
    {"GENERAL", 50, 65, 10, "Settings_genral"},  {"SOUNDS", 116, 61, 9, "Settings_sounds"},
    {"EXPORT", 178, 60, 10, "Settings_export"},  {"OPEN GL", 239, 65, 10, "Settings_OpenGL"},
    {"HOT KEYS", 305, 70, 10, "Settings_hotkeys"}, {"MISC", 376, 42, 10, "Settings_misc"},
    {"THEME", 419, 54, 10, "Settings_theme"},    {"SHADERS", 474, 68, 10, "Settings_shaders"},
};

// Hides every tab at once (without its fade) except keep.
std::string CloseTabsScript(const std::string& keep) {
  std::string script;
  for (const TabButton& button : kTabButtons) {
    if (button.tab != keep) script += "force_close " + std::string(button.tab) + "; ";
  }
  return script;
}

void BuildSettingsPanel(VornGUI& gui) {
  gui.BeginSlideMenu("Settings", {0, 0, 0, 0, kCentredMenu}, {30, 30, 580, 410}, false, SLIDE_RIGHT, SLIDE_DOWN, 0.65f);
  gui.AddImage({20, 20, 600, 430}, "menu_frame", {0.15f, 0.15f, 0.15f, 0.95f});
  for (const TabButton& tab : kTabButtons) {
    // The other tabs hide at once, this one fades in.
    gui.AddTextButton({tab.x, 60, tab.w, 20}, kGreyLabel, kWhite, "button", "button_hi", tab.label, tab.labelX, 15,
                      CloseTabsScript(tab.tab) + "open " + tab.tab + ";", false);
  }
  gui.AddImage({30, 81, 580, 4}, "faded_lne", {1, 1, 1, 0.9f});
  gui.AddFlatButton({410, 410, 55, 20}, "Reset", 10, 15, "toggle_menu Settings; reset_settings;");
  gui.AddFlatButton({470, 410, 55, 20}, "Close", 10, 15, "toggle_menu Settings;");
  gui.AddFlatButton({530, 410, 53, 20}, "Save", 10, 15, "toggle_menu Settings; save settings;");
  // Opening the panel shows the general tab once most of the slide is done; closing it hides every
  // tab at once.
  gui.SetOpenScript("wait 600; open Settings_genral;");
  gui.SetCloseScript(CloseTabsScript(""));
}

}  // namespace

void BeginSettingsTab(VornGUI& gui, const std::string& name, const std::string& title) {
  gui.BeginFadeMenu(name, {0, 0, 0, 0, kCentredMenu}, {42, 85, 560, 310}, false, 1.0f);
  gui.AddFontLabel({235, 55}, title, kRed, 1, 16);
}

void AddSettingsLabel(VornGUI& gui, int32_t x, int32_t y, const std::string& text, const Rgba& colour) {
  gui.AddLabel({x, y}, text, colour);
}

void AddSettingsTextBox(VornGUI& gui, const std::string& name, const std::string& text, const ItemRect& rect,
                        std::function<void(const std::string&)> onChange, bool readOnly) {
  gui.AddTextBox(name, text, rect, kFieldBackground, kFieldOutline, kFieldText, std::move(onChange), readOnly);
}

int16_t StoredDropDownIndex(int32_t stored) {
  const bool fits = stored >= std::numeric_limits<int16_t>::min() && stored <= std::numeric_limits<int16_t>::max();
  return fits ? static_cast<int16_t>(stored) : int16_t{-1};
}

void BuildSoundsTab(ScreenContext& ctx) {
  VornGUI& gui = ctx.gui;
  VornSettings& s = ctx.settings;
  BeginSettingsTab(gui, "Settings_sounds", "Settings - Sounds");
  gui.AddCheckBox("all_sounds", "Disable All Sounds", {80, 110, 140, 20}, &s.disable_all);
  gui.AddRoundedRect({70, 135, 130, 180}, kSection);
  gui.AddCheckBox("sound_focus", "Focus", {80, 155, 120, 20}, &s.sound_focus);
  gui.AddCheckBox("sound_Accept", "Accept", {80, 180, 120, 20}, &s.sound_accept);
  gui.AddCheckBox("sound_Export", "Export", {80, 205, 120, 20}, &s.sound_export);
  gui.AddCheckBox("sound_Welcome", "Welcome", {80, 230, 120, 20}, &s.sound_welcome);
  gui.AddCheckBox("sound_Leaving", "Leaving", {80, 255, 120, 20}, &s.sound_leave);
  AddSettingsLabel(gui, 375, 130, "Volume Level");
  // Reports once, when the drag ends.
  gui.AddSlider("master_volume", {395, 140, 160, 16}, 0.0f, 1.0f, ctx.sound.Volume(),
                [&ctx](float v) { OnMasterVolume(ctx, v); }, true);
  gui.AddImage({430, 250, 150, 150}, "stickman_sound", kWhite);
}

void BuildMiscTab(ScreenContext& ctx) {
  VornGUI& gui = ctx.gui;
  BeginSettingsTab(gui, "Settings_misc", "Settings - Misc");
  AddSettingsLabel(gui, 95, 117, "IWD Image Mover", kRed);
  gui.AddRoundedRect({70, 120, 150, 130}, kSection);
  gui.AddDropDown({130, 140, 75, 18}, {{0, "COD 4"}, {1, "COD 5"}, {2, "COD BO"}},
                  [&ctx](int index) { return OnIWDGameChanged(ctx, index); }, 0);
  AddSettingsLabel(gui, 85, 152, "Game:");
  gui.AddFlatButton({85, 210, 120, 20}, "Move IWD's Over", 10, 15, [&ctx] { OnMoveIWDs(ctx); });
}

void BuildThemeTab(ScreenContext& ctx) {
  VornGUI& gui = ctx.gui;
  BeginSettingsTab(gui, "Settings_theme", "Settings - Theme");
  AddSettingsLabel(gui, 80, 120, "More Theme Options coming soon..", kRed);
  AddSettingsLabel(gui, 80, 141, "Active Theme:");
  gui.AddDropDown({180, 127, 110, 18}, {{0, "Dark Theme"}, {1, "Grey Theme"}, {2, "Blue Theme"}},
                  [&ctx](int index) { return OnThemeChanged(ctx, index); },
                  StoredDropDownIndex(ctx.settings.active_frame_theme));
}

void BuildShadersTab(ScreenContext& ctx) {
  VornGUI& gui = ctx.gui;
  BeginSettingsTab(gui, "Settings_shaders", "Settings - Shaders");
  AddSettingsLabel(gui, 80, 120, "Please click the light bulb in the top left for light / shader options", kRed);
}

void BuildSettingsScreens(ScreenContext& ctx) {
  BuildSettingsPanel(ctx.gui);
  BuildGeneralTab(ctx);
  BuildSoundsTab(ctx);
  BuildExportTab(ctx);
  BuildOpenGLTab(ctx);
  BuildHotkeysTab(ctx);
  BuildMiscTab(ctx);
  BuildThemeTab(ctx);
  BuildShadersTab(ctx);
}
