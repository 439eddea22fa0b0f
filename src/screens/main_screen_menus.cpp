// The main screen around the 3D view, built in its order: the first menu, the three model
// windows, the tool bar, the windows' buttons, the model list and the light settings.
#include "screens/build_menus.h"
#include "screens/main_screen_parts.h"

void BuildMainScreenMenus(ScreenContext& ctx) {
  BuildFirstMenu(ctx);
  BuildModelWindows(ctx);
  BuildToolBar(ctx);
  BuildWindowButtons(ctx);
  BuildModelListMenus(ctx);
  BuildLightSettingsMenu(ctx);
}
