// The tool bar along the top edge (export and page buttons, the light panel's bulb) and the bottom
// edge (progress bar, window buttons, view options), and the button menus that open and close the
// three model windows.
#include "gui/item_layout.h"
#include "screens/callbacks.h"
#include "screens/screen_colours.h"
#include "screens/main_screen_parts.h"

namespace colours = screen_colours;

namespace {

constexpr float kFadeSeconds = 0.5f;
constexpr ItemRect kNoRect{0, 0, 0, 0, ITEM_FIXED};

// A capped tool bar button in white with the label at (labelX, 15) that runs script; it follows
// the right edge of the window.
void AddToolBarButton(VornGUI& gui, const ItemRect& rect, const char* label, int16_t labelX, const char* script) {
  gui.AddTextButton(rect, colours::kWhite, colours::kWhite, "button", "button_hi", label, labelX, 15, script, true);
}

void AddTopBar(ScreenContext& ctx) {
  VornGUI& gui = ctx.gui;
  gui.AddImage({70, -5, 580, 32, ITEM_MOVE_X}, "tool_bar_top", colours::kToolBarTop);
  gui.AddImage({495, -5, 32, 32, ITEM_MOVE_X}, "tool_bar_top_div", colours::kWhite);
  gui.AddImage({-10, -5, 128, 32, ITEM_FIXED}, "timer_back", colours::kWhite);
  gui.AddImageButton({5, 30, 32, 64, ITEM_FIXED}, "light_bulb_off", "light_bulb_on", "toggle_menu light_settings;",
                     colours::kLightBulb, colours::kWhite);
  AddToolBarButton(gui, {95, 2, 79, 20, ITEM_MOVE_X}, "EXPORT MA", 9, "export_ma;");
  AddToolBarButton(gui, {176, 2, 85, 20, ITEM_MOVE_X}, "EXPORT OBJ", 9, "export_obj;");
  AddToolBarButton(gui, {264, 2, 75, 20, ITEM_MOVE_X}, "EXPORT XE", 9, "export_XE;");
  AddToolBarButton(gui, {342, 2, 76, 20, ITEM_MOVE_X}, "VIEW TAGS", 9, "view_tags;");
  AddToolBarButton(gui, {420, 2, 85, 20, ITEM_MOVE_X}, "CREATE GDT", 9, "dump_GDT;");
  AddToolBarButton(gui, {520, 2, 65, 20, ITEM_MOVE_X}, "SETTINGS", 8, "toggle_menu Settings;");
  AddToolBarButton(gui, {589, 2, 50, 20, ITEM_MOVE_X}, "ABOUT", 9, "open about_menu;");
}

void AddBottomBar(ScreenContext& ctx) {
  VornGUI& gui = ctx.gui;
  gui.AddImage({0, 455, 640, 25, ITEM_GROW_W | ITEM_MOVE_Y}, "bottom_tool_bar", colours::kToolBarBottom);
  // The model thread's load progress, and an invisible button over the whole bar that opens
  // the program's web page.
  gui.AddProgressBar("progress_bar", 2000.0f, {5, 460, 150, 16, ITEM_MOVE_Y}, colours::kProgressFill);
  gui.AddTextButton({5, 460, 150, 16, ITEM_MOVE_Y}, colours::kWebsiteLabel, colours::kWebsiteHoverLabel,
                    "blank_trans", "blank_trans", "", 15, 14, "show_website;", false);
  gui.AddTextButton({510, 457, 20, 20, ITEM_MOVE_X | ITEM_MOVE_Y}, colours::kWhite, colours::kWhite, "mini_settings",
                    "mini_settings", "", 10, 15, "toggle_menu opengl_mini_settings;", false);
  gui.AddCheckBox("wireframe", "Wireframe", {540, 460, 80, 20, ITEM_MOVE_X | ITEM_MOVE_Y}, &ctx.settings.wireframe);
}

// One menu of a window's button pair: "open_<window>" shows the live button while the window is
// hidden, "close_<window>" the pressed-looking grey one while it shows.
void AddWindowButtonMenu(VornGUI& gui, const std::string& window, const ItemRect& rect, const char* label,
                         bool windowShown, bool opens) {
  gui.BeginFadeMenu((opens ? "open_" : "close_") + window, kNoRect, kNoRect, opens ? !windowShown : windowShown,
                    kFadeSeconds);
  const Rgba& labelColour = opens ? colours::kWhite : colours::kPressedLabel;
  gui.AddTextButton(rect, labelColour, labelColour, "button", opens ? "button_hi" : "button", label, 7, 14,
                    (opens ? "open " : "close ") + window + ";", true);
}

void AddWindowButtonPair(VornGUI& gui, const std::string& window, const ItemRect& rect, const char* label,
                         bool windowShown) {
  AddWindowButtonMenu(gui, window, rect, label, windowShown, true);
  AddWindowButtonMenu(gui, window, rect, label, windowShown, false);
}

}  // namespace

void BuildToolBar(ScreenContext& ctx) {
  ctx.gui.BeginFadeMenu("ToolBar", kNoRect, {100, 0, 540, 24, ITEM_MOVE_X}, true, kFadeSeconds);
  AddTopBar(ctx);
  AddBottomBar(ctx);
}

void BuildWindowButtons(ScreenContext& ctx) {
  VornGUI& gui = ctx.gui;
  const bool* shown = ctx.settings.xmodel_win_vis;
  AddWindowButtonPair(gui, "xmodel_log", {165, 458, 86, 20, ITEM_MOVE_Y}, "XMODEL LOG", shown[kLogWindowFlag]);
  AddWindowButtonPair(gui, "xmodel_prop", {260, 458, 87, 20, ITEM_MOVE_Y}, "XMODEL INFO", shown[kPropWindowFlag]);
  AddWindowButtonPair(gui, "xmodel_tags", {355, 458, 93, 20, ITEM_MOVE_Y}, "XMODEL TAGS", shown[kTagsWindowFlag]);

  gui.BeginFadeMenu("open_xmodel_fastfile", kNoRect, kNoRect, true, kFadeSeconds);
  gui.AddTextButton({455, 458, 123, 20, ITEM_MOVE_Y}, colours::kWhite, colours::kWhite, "button", "button_hi",
                    "FASTFILE SCANNER", 9, 14, [&ctx] { OnFastFileScanner(ctx); }, true);
}
