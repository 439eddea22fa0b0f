// The application's long-lived objects. The log, the settings, the material list and the shader
// registry live with their libraries; they need no other object to be created first, and the log
// (constant-initialised) outlives every object that may log. The application object itself is
// made by RunProgram and destroyed before it returns.
#include "app/vorn_opengl.h"

VornOpenGL* gOpenGL = nullptr;
