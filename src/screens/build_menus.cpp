#include "screens/build_menus.h"

#include "gui/item_layout.h"

void BuildMenus(ScreenContext& ctx) {
  VornGUI& gui = ctx.gui;
  BuildMainScreenMenus(ctx);
  BuildSettingsScreens(ctx);
  BuildMiniSettingsMenu(ctx);
  BuildDialogMenus(ctx);
  // Error and message texts: centred in the window, wrapped at 150 pixels.
  gui.SetMessageLayout({280, 220, 150, 180, ITEM_CENTER_X | ITEM_CENTER_Y});
  gui.CheckMaterials();
}
