#include "support/gl_program.h"

#include <gtest/gtest.h>

#include <utility>

namespace testing_support {

GLuint CompileTestProgram(const char* vertexSource, const char* fragmentSource) {
  const GLuint program = glCreateProgram();
  for (auto [type, source] : {std::pair{GL_VERTEX_SHADER, vertexSource}, std::pair{GL_FRAGMENT_SHADER, fragmentSource}}) {
    const GLuint shader = glCreateShader(type);
    glShaderSource(shader, 1, &source, nullptr);
    glCompileShader(shader);
    GLint ok = 0;
    glGetShaderiv(shader, GL_COMPILE_STATUS, &ok);
    if (!ok) {
      char log[512] = "";
      glGetShaderInfoLog(shader, sizeof log, nullptr, log);
      ADD_FAILURE() << "shader does not compile: " << log;
    }
    glAttachShader(program, shader);
    glDeleteShader(shader);
  }
  return program;
}

bool LinkTestProgram(GLuint program) {
  glLinkProgram(program);
  GLint linked = 0;
  glGetProgramiv(program, GL_LINK_STATUS, &linked);
  if (!linked) {
    char log[512] = "";
    glGetProgramInfoLog(program, sizeof log, nullptr, log);
    ADD_FAILURE() << "program does not link: " << log;
  }
  return linked != 0;
}

}  // namespace testing_support
