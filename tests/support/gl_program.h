#pragma once
// GLSL programs made from source text in tests (the program's own shaders come from files and end
// the process on errors; a test wants a failure with the compiler's log instead).
#include <GL/glew.h>

namespace testing_support {

// A new program with a vertex and a fragment shader compiled from the sources and attached, not
// yet linked, so the caller can bind attribute and output locations first. A shader that does not
// compile is a test failure with its log; the program is returned all the same.
GLuint CompileTestProgram(const char* vertexSource, const char* fragmentSource);
// Links program; false (a test failure with the link log) when it does not link.
bool LinkTestProgram(GLuint program);

}  // namespace testing_support
