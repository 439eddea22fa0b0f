// The settings screens (menus 15-25). Not built yet: the builder adds none of their menus.
#include "screens/build_menus.h"

void BuildSettingsScreens(ScreenContext&) {}
