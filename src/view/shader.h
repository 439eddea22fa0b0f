#pragma once
// The GLSL programs of the model pass.
//
// Shader compiles and links one program from a vertex and a fragment file, binds the fixed
// attribute locations of the GPU vertex layout and the fragment output, and looks up the uniform
// locations the model pass sets. Shader_CNS is the normal-mapping program: it also assigns the
// samplers "ColorMap" (texture unit 0) and "NormalMap" (unit 1). A location is -1 when the linked
// program has no active uniform of that name; the model pass skips such locations.
//
// GL objects are released only by Release(), with a context current (the registry's release at
// shutdown); the destructor never calls GL, so a shader destroyed after its context is gone, or
// during exit, is safe.
//
// Threads: the main thread, with the window's context current.
//
//   Load                compile, link, locate; loaded on success
//   ReadSource          the whole text of a shader file
//   LogCompileError     fatal error for a stage that failed to compile with a log
//   LogLinkResult       warning for a failed link; validation log otherwise
//   FindExtraUniforms   (virtual) per-program samplers, called with the program current
//   Release             deletes the program and its two stages
#include <cstdint>
#include <optional>
#include <string>

// Attribute locations of the GPU vertex layout, bound before linking.
enum ShaderAttribute : uint32_t {
  kAttribPosition = 0,   // "v_position"
  kAttribNormal = 1,     // "v_normal"
  kAttribTexcoord = 2,   // "v_texcoord"
  kAttribColor = 3,      // "v_color"
  kAttribTangent = 4,    // "v_tangent"
  kAttribBinormal = 5,   // "v_binormals"
};

// Which surface textures the model pass binds for a program (Shader::textureFlags).
inline constexpr int32_t kTextureColorMap = 1;  // the colour texture on unit 0
inline constexpr int32_t kTextureNormalMap = 2; // with kTextureColorMap: the normal map on unit 1

// Indices into Shader::mainLightLocations and one row of Shader::pointLightLocations.
enum MainLightUniform { kMainLightColor, kMainLightAmbient, kMainLightDiffuse, kMainLightDirection };
enum PointLightUniform {
  kPointLightColor,
  kPointLightAmbient,
  kPointLightDiffuse,
  kPointLightPosition,
  kPointLightAttenConstant,
  kPointLightAttenLinear,
  kPointLightAttenExp,
};

class Shader {
 public:
  // A shader for the two files, not yet loaded. The paths must outlive the shader (constants).
  Shader(const char* vertexPath, const char* fragmentPath);
  // Frees the object only; GL objects must have been released with Release().
  virtual ~Shader();
  Shader(const Shader&) = delete;
  Shader& operator=(const Shader&) = delete;

  // Reads both files (fatal error "Either 'vertex' or 'fragment' shader not found" when either
  // gives no text), compiles both stages (fatal error for a stage whose compile log is not
  // empty), links with the attribute and output bindings, looks up every uniform location and
  // calls FindExtraUniforms with the program current. loaded is true when the program linked;
  // a failed link logs a warning and leaves it false. Needs a current context.
  void Load();

  // Deletes the program and both stages (detached first) when a program exists, and forgets
  // them. Needs the context the shader was loaded in, current. Safe to call twice.
  void Release();

  // The whole text of the file at path, or nothing when path is null, the file does not open or
  // it is empty.
  static std::optional<std::string> ReadSource(const char* path);

  // When the stage did not compile and its log (at most 511 characters) is not empty: fatal
  // error "Shader %i (%s) compile error: %s" with the stage's name, path ("" for none) and log.
  // Returns true.
  static bool LogCompileError(uint32_t shader, const char* path);

  // False when the program failed to link (warning "Program %i Link error(%i): %s"). Otherwise
  // validates it, logs "Program %i Validation results at: %s" when the validation log is not
  // empty, and returns true.
  static bool LogLinkResult(uint32_t program);

  // Per-program uniforms beyond the common ones, called by Load with the program current.
  virtual void FindExtraUniforms() {}

  // Fields, in this order.
  bool loaded = false;
  const char* vertexPath = nullptr;
  const char* fragmentPath = nullptr;
  uint32_t program = 0;
  uint32_t vertexShader = 0;
  uint32_t fragmentShader = 0;
  // Uniform locations, -1 until Load finds the uniform.
  int32_t colorMapLocation = -1;           // "ColorMap" (Shader_CNS only)
  int32_t normalMapLocation = -1;          // "NormalMap" (Shader_CNS only)
  int32_t mvpLocation = -1;                // "MVP"
  int32_t normalMatrixLocation = -1;       // "NormalMatrix"
  int32_t useVertexColLocation = -1;       // "gUseVertexCol"
  int32_t disableAlphaLocation = -1;       // "gDisableAlpha"
  int32_t specularIntensityLocation = -1;  // "gMatSpecularIntensity"
  int32_t specularPowerLocation = -1;      // "gSpecularPower"
  int32_t eyeWorldPosLocation = -1;        // "gEyeWorldPos"
  int32_t numPointLightsLocation = -1;     // "gNumPointLights"
  int32_t mainLightLocations[4] = {-1, -1, -1, -1};  // by MainLightUniform
  int32_t pointLightLocations[2][7] = {{-1, -1, -1, -1, -1, -1, -1}, {-1, -1, -1, -1, -1, -1, -1}};
  // Surface textures the model pass binds (kTextureColorMap, kTextureNormalMap). The plain
  // programs sample "ColorMap" on unit 0 (a sampler's default unit), so they get the colour map.
  int32_t textureFlags = kTextureColorMap;
};

// The normal-mapping program: samplers "ColorMap" on unit 0 and "NormalMap" on unit 1.
class Shader_CNS : public Shader {
 public:
  using Shader::Shader;

  // Looks up and assigns both samplers; shows the box "Bump Shader missing a ColorMap uniform
  // sampler." (caption "Vorn_Kesh") when "ColorMap" is missing and goes on; textureFlags := 3.
  void FindExtraUniforms() override;
};

// Shows the message boxes of the shaders instead of the platform's box (tests); null = the box.
using ShaderBoxHook = void (*)(const std::string& caption, const std::string& text);
void SetShaderBoxHook(ShaderBoxHook hook);
