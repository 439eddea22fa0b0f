#pragma once
// The pieces of the main screen, each appending its menus to ctx.gui in the order BuildMainScreenMenus
// calls them (screens/build_menus.h gives the whole order). Internal to the screens.
//
//   the first menu and the three model windows        main_screen_windows.cpp
//   the tool bar and the buttons along its bottom      tool_bar_menus.cpp
//   the model list and its folded edge                 model_list_menus.cpp
//   the light settings and the view settings panel     light_settings_menu.cpp
#include "screens/screen_context.h"

// The elements of VornSettings::xmodel_win_vis: which of the four mirrored menus were open.
enum MirroredMenuFlag { kPropWindowFlag = 0, kLogWindowFlag = 1, kModelListFlag = 2, kTagsWindowFlag = 3 };

// "bug_fixer": the one-pixel menu drawn first.
void BuildFirstMenu(ScreenContext& ctx);
// The framed windows "xmodel_log", "xmodel_prop" and "xmodel_tags", as the settings keep them.
void BuildModelWindows(ScreenContext& ctx);
// "ToolBar" along the top and bottom edges.
void BuildToolBar(ScreenContext& ctx);
// The open and close button pairs of the three windows, then "open_xmodel_fastfile".
void BuildWindowButtons(ScreenContext& ctx);
// "open_xmodel_list" (the folded list's edge) and "xmodel_list" (the list sliding in).
void BuildModelListMenus(ScreenContext& ctx);
// "light_settings": the moving lights, the main light, the shader options.
void BuildLightSettingsMenu(ScreenContext& ctx);
