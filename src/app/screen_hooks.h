#pragma once
// What the screens' callbacks ask of the application object: its window title, the 3D view's
// grid and clear colours, the job folders and game, the folder chooser over its window, and the
// update check. Main thread.
#include "app/vorn_opengl.h"

// Fills app.screens.hooks with app's own operations. Start-up calls it before the first game
// switch; app must outlive its screens' context (it owns it).
void FillScreenHooks(VornOpenGL& app);
