// The main screen's menus (0-14) and the small view-settings panel (26). Not built yet.
#include "screens/build_menus.h"

void BuildMainScreenMenus(ScreenContext&) {}
void BuildMiniSettingsMenu(ScreenContext&) {}
