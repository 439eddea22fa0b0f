// The application object while RunProgram runs. The program's other long-lived objects are defined
// by the libraries that own them, in the order core/global_order.h fixes.
#include "app/vorn_opengl.h"

VornOpenGL* gOpenGL = nullptr;
