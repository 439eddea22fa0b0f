// Compiling, linking and locating the model pass's GLSL programs.
#include "view/shader.h"

#include <GL/glew.h>

#include <cstdio>
#include <cstring>
#include <vector>

#include "core/log.h"
#include "platform/files.h"
#include "platform/message_box.h"
#include "view/gl_draw.h"

namespace {

constexpr GLsizei kInfoLogSize = 512;

ShaderBoxHook boxHook = nullptr;

void ShowShaderBox(const std::string& caption, const std::string& text) {
  if (boxHook) {
    boxHook(caption, text);
  } else {
    platform::ShowMessageBox(platform::MessageBoxKind::Info, caption, text);
  }
}

constexpr const char* kMainLightNames[4] = {
    "gMainLight.Base.Color",
    "gMainLight.Base.AmbientIntensity",
    "gMainLight.Base.DiffuseIntensity",
    "gMainLight.Direction",
};

constexpr const char* kPointLightPatterns[7] = {
    "gLights[%i].Base.Color",
    "gLights[%i].Base.AmbientIntensity",
    "gLights[%i].Base.DiffuseIntensity",
    "gLights[%i].Position",
    "gLights[%i].Atten.Constant",
    "gLights[%i].Atten.Linear",
    "gLights[%i].Atten.Exp",
};

// Drivers end their info logs with a line end; the log line adds its own.
void TrimLineEnds(char* log) {
  size_t n = std::strlen(log);
  while (n > 0 && (log[n - 1] == '\n' || log[n - 1] == '\r')) log[--n] = '\0';
}

GLuint CompileStage(GLenum kind, const std::string& source, const char* path) {
  const GLuint shader = glCreateShader(kind);
  const GLchar* text = source.c_str();
  const GLint length = static_cast<GLint>(source.size());
  glShaderSource(shader, 1, &text, &length);
  glCompileShader(shader);
  Shader::LogCompileError(shader, path);
  return shader;
}

}  // namespace

void SetShaderBoxHook(ShaderBoxHook hook) { boxHook = hook; }

Shader::Shader(const char* vertexPath, const char* fragmentPath) : vertexPath(vertexPath), fragmentPath(fragmentPath) {}

Shader::~Shader() = default;

std::optional<std::string> Shader::ReadSource(const char* path) {
  if (path == nullptr) return std::nullopt;
  std::vector<uint8_t> bytes;
  if (!platform::ReadWholeFile(path, bytes) || bytes.empty()) return std::nullopt;
  return std::string(bytes.begin(), bytes.end());
}

bool Shader::LogCompileError(uint32_t shader, const char* path) {
  GLint status = 0;
  glGetShaderiv(shader, GL_COMPILE_STATUS, &status);
  if (status != 0) return true;
  char log[kInfoLogSize] = {};
  glGetShaderInfoLog(shader, kInfoLogSize, nullptr, log);
  TrimLineEnds(log);
  if (log[0] != '\0') {
    VornLog::FatalErrorf("Shader %i (%s) compile error: %s", static_cast<int>(shader), path ? path : "", log);
  }
  return true;
}

bool Shader::LogLinkResult(uint32_t program) {
  char log[kInfoLogSize] = {};
  GLint status = 0;
  glGetProgramiv(program, GL_LINK_STATUS, &status);
  if (status == 0) {
    glGetProgramInfoLog(program, kInfoLogSize, nullptr, log);
    TrimLineEnds(log);
    VornLog::Warningf("Program %i Link error(%i): %s", static_cast<int>(program), status, log);
    return false;
  }
  glValidateProgram(program);
  GLsizei length = 0;
  glGetProgramInfoLog(program, kInfoLogSize, &length, log);
  TrimLineEnds(log);
  if (length > 0 && log[0] != '\0') VornLog::Printf("Program %i Validation results at: %s", static_cast<int>(program), log);
  return true;
}

void Shader::Load() {
  // Both texts are read before any GL call: a missing file ends the program with nothing made.
  const std::optional<std::string> vertexText = ReadSource(vertexPath);
  const std::optional<std::string> fragmentText = ReadSource(fragmentPath);
  if (!vertexText || !fragmentText) VornLog::FatalErrorf("Either 'vertex' or 'fragment' shader not found");

  GlClearErrors();
  loaded = false;
  vertexShader = CompileStage(GL_VERTEX_SHADER, *vertexText, vertexPath);
  fragmentShader = CompileStage(GL_FRAGMENT_SHADER, *fragmentText, fragmentPath);

  program = glCreateProgram();
  glBindFragDataLocation(program, 0, "outputColor");
  glAttachShader(program, fragmentShader);
  glAttachShader(program, vertexShader);
  glBindAttribLocation(program, kAttribPosition, "v_position");
  glBindAttribLocation(program, kAttribNormal, "v_normal");
  glBindAttribLocation(program, kAttribTexcoord, "v_texcoord");
  glBindAttribLocation(program, kAttribColor, "v_color");
  glBindAttribLocation(program, kAttribTangent, "v_tangent");
  glBindAttribLocation(program, kAttribBinormal, "v_binormals");
  glLinkProgram(program);

  mvpLocation = glGetUniformLocation(program, "MVP");
  normalMatrixLocation = glGetUniformLocation(program, "NormalMatrix");
  useVertexColLocation = glGetUniformLocation(program, "gUseVertexCol");
  disableAlphaLocation = glGetUniformLocation(program, "gDisableAlpha");
  specularIntensityLocation = glGetUniformLocation(program, "gMatSpecularIntensity");
  specularPowerLocation = glGetUniformLocation(program, "gSpecularPower");
  eyeWorldPosLocation = glGetUniformLocation(program, "gEyeWorldPos");
  numPointLightsLocation = glGetUniformLocation(program, "gNumPointLights");
  for (int k = 0; k < 4; ++k) mainLightLocations[k] = glGetUniformLocation(program, kMainLightNames[k]);
  char name[128];
  for (int light = 0; light < 2; ++light) {
    for (int k = 0; k < 7; ++k) {
      std::snprintf(name, sizeof name, kPointLightPatterns[k], light);
      pointLightLocations[light][k] = glGetUniformLocation(program, name);
    }
  }

  GlClearErrors();
  glUseProgram(program);
  FindExtraUniforms();
  glUseProgram(0);
  if (LogLinkResult(program)) {
    loaded = true;
  } else {
    GlClearErrors();
  }
}

void Shader::Release() {
  if (program != 0) {
    glDetachShader(program, fragmentShader);
    glDetachShader(program, vertexShader);
    glDeleteProgram(program);
  }
  if (fragmentShader != 0) glDeleteShader(fragmentShader);
  if (vertexShader != 0) glDeleteShader(vertexShader);
  program = vertexShader = fragmentShader = 0;
  loaded = false;
}

void Shader_CNS::FindExtraUniforms() {
  colorMapLocation = glGetUniformLocation(program, "ColorMap");
  normalMapLocation = glGetUniformLocation(program, "NormalMap");
  glUniform1i(colorMapLocation, 0);
  glUniform1i(normalMapLocation, 1);
  if (colorMapLocation == -1) ShowShaderBox("Vorn_Kesh", "Bump Shader missing a ColorMap uniform sampler.");
  textureFlags = kTextureColorMap | kTextureNormalMap;
}
