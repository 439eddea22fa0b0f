// The dialog menus (menus 27-37). Not built yet: the builder adds none of their menus.
#include "screens/build_menus.h"

void BuildDialogMenus(ScreenContext&) {}
