// The application object while RunProgram runs. The program's other long-lived objects are made in
// one fixed order in src/globals.cpp.
#include "app/vorn_opengl.h"

VornOpenGL* gOpenGL = nullptr;
