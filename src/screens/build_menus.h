#pragma once
// The GUI's menus: made once at start-up, after the settings are read and the GUI textures
// loaded, in a fixed order (later menus are drawn over earlier ones). Items copy the settings'
// values of that moment.
//
// Files, in build order:
//   menus 0-14: the main screen (log, properties and tags windows, tool bar, the
//   buttons that open and close them, the model list, light settings)   main_screen_menus.cpp
//                                              (its pieces: main_screen_parts.h)
//   menus 15-25: the settings screens                                    settings_screens.cpp
//   menu 26: the small view-settings panel                               light_settings_menu.cpp
//   menus 27-37: the dialogs (update, IWD images, about, donation, error and message boxes)
//                                                                        dialog_menus.cpp
#include "gui/vorn_gui.h"
#include "screens/screen_context.h"

// Builds every menu in order, sets the message layout and replaces missing texture names by
// "default" (VornGUI::CheckMaterials). Main thread, once.
void BuildMenus(ScreenContext& ctx);

// The pieces, each appending its menus to ctx.gui in its order.
void BuildMainScreenMenus(ScreenContext& ctx);
void BuildSettingsScreens(ScreenContext& ctx);
void BuildMiniSettingsMenu(ScreenContext& ctx);
void BuildDialogMenus(ScreenContext& ctx);
