// The model pass's GLSL programs: the shipped programs compile, link and light as designed; the
// loader's failures (missing or empty file, compile error, link error, missing sampler) are
// reported as the program's users expect.
#include "view/shader.h"

#include <GL/glew.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <string>
#include <vector>

#include "core/log.h"
#include "support/gl_canvas.h"
#include "looking_camera.h"
#include "support/log_capture.h"
#include "support/temp_folder.h"
#include "view/shader_registry.h"

namespace {

constexpr int kSize = GlCanvas::kSize;

std::vector<std::string> boxes;  // "caption: text" of every shader box shown
void RecordBox(const std::string& caption, const std::string& text) { boxes.push_back(caption + ": " + text); }
// The fatal error's box goes to stderr, where a death test reads it.
void BoxToStderr(const std::string& caption, const std::string& text) {
  std::fprintf(stderr, "%s: %s\n", caption.c_str(), text.c_str());
}

class ShaderTest : public ::testing::Test {
 protected:
  void SetUp() override {
    canvas_ = GlCanvas::Shared();
    ASSERT_TRUE(canvas_->IsOpen()) << canvas_->Error();
    boxes.clear();
    SetShaderBoxHook(RecordBox);
    VornLog::SetBoxHook(BoxToStderr);
  }
  void TearDown() override {
    registry_.DeleteAll();
    DeleteAllShaders();
    SetShaderBoxHook(nullptr);
    VornLog::SetBoxHook(nullptr);
  }

  GlCanvas* canvas_ = nullptr;
  ShaderRegistry registry_;
  TempFolder folder_;
};

// Runs fn with the program folder as the working folder, where the shader paths point.
template <class Fn>
void InProgramFolder(Fn fn) {
  char previous[4096];
  ASSERT_NE(getcwd(previous, sizeof previous), nullptr);
  ASSERT_EQ(chdir(DELVIX_PROGRAM_DIR), 0);
  fn();
  ASSERT_EQ(chdir(previous), 0);
}

// ---------------------------------------------------------------------------------------------
// The shipped programs

TEST_F(ShaderTest, ShippedProgramsLinkWithEveryUniformAttributeAndSamplerInPlace) {
  LogCapture log;
  InProgramFolder([] { CreateShaders(); });
  Shader* normalMap = gShaderRegistry.Find(kShaderKeyNormalMap);
  Shader* phong = gShaderRegistry.Find(kShaderKeyPhong);
  ASSERT_NE(normalMap, nullptr);
  ASSERT_NE(phong, nullptr);
  EXPECT_EQ(gShaderRegistry.Current(), phong);  // the last one registered
  EXPECT_NE(dynamic_cast<Shader_CNS*>(normalMap), nullptr);
  EXPECT_EQ(normalMap->textureFlags, 3);
  EXPECT_EQ(phong->textureFlags, 1);
  EXPECT_EQ(gShaderRegistry.Find(2), nullptr);
  EXPECT_TRUE(log.Lines().empty());  // no warning, no validation log
  EXPECT_TRUE(boxes.empty());

  for (Shader* shader : {normalMap, phong}) {
    SCOPED_TRACE(shader->fragmentPath);
    EXPECT_TRUE(shader->loaded);
    std::vector<int32_t> locations = {shader->mvpLocation,
                                      shader->normalMatrixLocation,
                                      shader->useVertexColLocation,
                                      shader->disableAlphaLocation,
                                      shader->specularIntensityLocation,
                                      shader->specularPowerLocation,
                                      shader->eyeWorldPosLocation,
                                      shader->numPointLightsLocation};
    for (int32_t location : shader->mainLightLocations) locations.push_back(location);
    for (const auto& light : shader->pointLightLocations) locations.insert(locations.end(), light, light + 7);
    for (size_t k = 0; k < locations.size(); ++k) EXPECT_NE(locations[k], -1) << "uniform " << k;
    EXPECT_EQ(glGetAttribLocation(shader->program, "v_position"), 0);
    EXPECT_EQ(glGetAttribLocation(shader->program, "v_normal"), 1);
    EXPECT_EQ(glGetAttribLocation(shader->program, "v_texcoord"), 2);
    EXPECT_EQ(glGetAttribLocation(shader->program, "v_color"), 3);
    EXPECT_EQ(glGetFragDataLocation(shader->program, "outputColor"), 0);
  }
  EXPECT_EQ(glGetAttribLocation(normalMap->program, "v_tangent"), 4);
  EXPECT_EQ(glGetAttribLocation(normalMap->program, "v_binormals"), 5);
  GLint unit = -1;
  glGetUniformiv(normalMap->program, normalMap->colorMapLocation, &unit);
  EXPECT_EQ(unit, 0);
  glGetUniformiv(normalMap->program, normalMap->normalMapLocation, &unit);
  EXPECT_EQ(unit, 1);

  const uint32_t programs[2] = {normalMap->program, phong->program};
  DeleteAllShaders();
  EXPECT_TRUE(gShaderRegistry.Empty());
  EXPECT_EQ(gShaderRegistry.Current(), nullptr);
  for (uint32_t program : programs) EXPECT_FALSE(glIsProgram(program));
  EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

// One flat square at z = 0 facing +Z (normal +Z, tangent +X, binormal +Y), seen by a camera at
// (0, 0, 10); the centre pixel is read back. Every value below is 0..1.
struct LightingCase {
  const char* name;
  int32_t key;
  // main light
  Vec3 mainColor{1, 1, 1};
  float mainAmbient = 0, mainDiffuse = 0;
  Vec3 mainDirection{0, 0, 1};
  // point light 0
  int32_t pointLights = 0;
  Vec3 pointColor{1, 1, 1};
  float pointAmbient = 0, pointDiffuse = 0;
  Vec3 pointPosition{0, 0, 4};
  float attenConstant = 1, attenLinear = 0, attenExp = 0;
  // surface
  float specularIntensity = 0, specularPower = 1;
  int32_t useVertexCol = 0, disableAlpha = 0;
  uint8_t vertexColor[4] = {255, 255, 255, 255};
  uint8_t texel[4] = {255, 255, 255, 255};
  uint8_t normalTexel[4] = {128, 128, 255, 255};  // tangent-space (0, 0, 1)
  Rgb expected;
  int expectedAlpha = 255;
};

GLuint OneTexelTexture(const uint8_t (&rgba)[4]) {
  GLuint texture = 0;
  glGenTextures(1, &texture);
  glBindTexture(GL_TEXTURE_2D, texture);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
  glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, 1, 1, 0, GL_RGBA, GL_UNSIGNED_BYTE, rgba);
  return texture;
}

void SetUniforms(const Shader& s, const LightingCase& c, const cinder::Camera& camera) {
  const Mat44 mvp = camera.projectionMatrix.Multiply(camera.modelViewMatrix);
  const Mat33 normalMatrix = camera.modelViewMatrix.AffineInverse().UpperLeft33().Transposed();
  glUniformMatrix4fv(s.mvpLocation, 1, GL_FALSE, mvp.m);
  glUniformMatrix3fv(s.normalMatrixLocation, 1, GL_FALSE, normalMatrix.m);
  glUniform3f(s.eyeWorldPosLocation, camera.eyePoint.x, camera.eyePoint.y, camera.eyePoint.z);
  glUniform3f(s.mainLightLocations[kMainLightColor], c.mainColor.x, c.mainColor.y, c.mainColor.z);
  glUniform1f(s.mainLightLocations[kMainLightAmbient], c.mainAmbient);
  glUniform1f(s.mainLightLocations[kMainLightDiffuse], c.mainDiffuse);
  const Vec3 d = Normalized(c.mainDirection);
  glUniform3f(s.mainLightLocations[kMainLightDirection], d.x, d.y, d.z);
  glUniform1i(s.numPointLightsLocation, c.pointLights);
  const int32_t* light = s.pointLightLocations[0];
  glUniform3f(light[kPointLightColor], c.pointColor.x, c.pointColor.y, c.pointColor.z);
  glUniform1f(light[kPointLightAmbient], c.pointAmbient);
  glUniform1f(light[kPointLightDiffuse], c.pointDiffuse);
  glUniform3f(light[kPointLightPosition], c.pointPosition.x, c.pointPosition.y, c.pointPosition.z);
  glUniform1f(light[kPointLightAttenConstant], c.attenConstant);
  glUniform1f(light[kPointLightAttenLinear], c.attenLinear);
  glUniform1f(light[kPointLightAttenExp], c.attenExp);
  glUniform1f(s.specularIntensityLocation, c.specularIntensity);
  glUniform1f(s.specularPowerLocation, c.specularPower);
  glUniform1i(s.useVertexColLocation, c.useVertexCol);
  glUniform1i(s.disableAlphaLocation, c.disableAlpha);
}

// The square as four vertices of the GPU layout's attributes, from client memory.
void DrawSquare(const LightingCase& c) {
  static const float positions[] = {-5, -5, 0, 5, -5, 0, 5, 5, 0, -5, 5, 0};
  static const float normals[] = {0, 0, 1, 0, 0, 1, 0, 0, 1, 0, 0, 1};
  static const float tangents[] = {1, 0, 0, 1, 0, 0, 1, 0, 0, 1, 0, 0};
  static const float binormals[] = {0, 1, 0, 0, 1, 0, 0, 1, 0, 0, 1, 0};
  static const float texcoords[] = {0, 0, 1, 0, 1, 1, 0, 1};
  uint8_t colors[16];
  for (int v = 0; v < 4; ++v) std::copy(c.vertexColor, c.vertexColor + 4, colors + 4 * v);
  glVertexAttribPointer(kAttribPosition, 3, GL_FLOAT, GL_FALSE, 0, positions);
  glVertexAttribPointer(kAttribNormal, 3, GL_FLOAT, GL_FALSE, 0, normals);
  glVertexAttribPointer(kAttribTexcoord, 2, GL_FLOAT, GL_FALSE, 0, texcoords);
  glVertexAttribPointer(kAttribColor, 4, GL_UNSIGNED_BYTE, GL_TRUE, 0, colors);
  glVertexAttribPointer(kAttribTangent, 3, GL_FLOAT, GL_FALSE, 0, tangents);
  glVertexAttribPointer(kAttribBinormal, 3, GL_FLOAT, GL_FALSE, 0, binormals);
  for (GLuint a = 0; a <= 5; ++a) glEnableVertexAttribArray(a);
  glDrawArrays(GL_TRIANGLE_FAN, 0, 4);
  for (GLuint a = 0; a <= 5; ++a) glDisableVertexAttribArray(a);
}

TEST_F(ShaderTest, ShippedProgramsLightTheSurfaceAsDesigned) {
  const int32_t kCNS = kShaderKeyNormalMap, kPhong = kShaderKeyPhong;
  std::vector<LightingCase> cases;
  auto add = [&](LightingCase c) { cases.push_back(c); };
  for (int32_t key : {kCNS, kPhong}) {
    // Main light straight on: texel x colour x (ambient + diffuse).
    add({.name = "main light facing", .key = key, .mainColor = {1, 0.5f, 0.25f}, .mainAmbient = 0.2f,
         .mainDiffuse = 0.6f, .expected = {204, 102, 51}});
    // From behind: ambient only.
    add({.name = "main light behind", .key = key, .mainAmbient = 0.2f, .mainDiffuse = 0.6f,
         .mainDirection = {0, 0, -1}, .expected = {51, 51, 51}});
    // At 60 degrees: diffuse x cos 60.
    add({.name = "main light at 60 degrees", .key = key, .mainDiffuse = 1, .mainDirection = {0, 0.8660254f, 0.5f},
         .expected = {128, 128, 128}});
    // Point light 4 units in front, attenuation 0.5 + 0.125 x 4 + 4 x 4 / 16 = 2.
    add({.name = "point light attenuated", .key = key, .mainColor = {0, 0, 0}, .pointLights = 1,
         .pointDiffuse = 1, .attenConstant = 0.5f, .attenLinear = 0.125f, .attenExp = 1.0f / 16,
         .expected = {128, 128, 128}});
    // The same light switched off by the count.
    add({.name = "point light not counted", .key = key, .mainColor = {0, 0, 0}, .pointDiffuse = 1,
         .expected = {0, 0, 0}});
    // Specular only: light and eye both straight in front reflect fully.
    add({.name = "specular", .key = key, .specularIntensity = 0.5f, .specularPower = 8, .expected = {128, 128, 128}});
    // Vertex colour tint, texel colour and alpha.
    add({.name = "vertex colour used", .key = key, .mainAmbient = 1, .useVertexCol = 1,
         .vertexColor = {128, 255, 0, 255}, .texel = {255, 255, 255, 64}, .expected = {128, 255, 0},
         .expectedAlpha = 64});
    add({.name = "vertex colour ignored", .key = key, .mainAmbient = 1, .vertexColor = {128, 255, 0, 255},
         .texel = {0, 255, 255, 64}, .expected = {0, 255, 255}, .expectedAlpha = 64});
    add({.name = "alpha disabled", .key = key, .mainAmbient = 1, .disableAlpha = 1, .texel = {255, 255, 255, 64},
         .expected = {255, 255, 255}, .expectedAlpha = 255});
  }
  // The normal map turns the surface's normal to +X (tangent): a light along the vertex normal
  // then grazes it; Phong ignores the map.
  add({.name = "normal map tilts", .key = kCNS, .mainDiffuse = 1, .normalTexel = {255, 128, 128, 255},
       .expected = {0, 0, 0}});
  add({.name = "normal map tilts towards light", .key = kCNS, .mainDiffuse = 1, .mainDirection = {1, 0, 0},
       .normalTexel = {255, 128, 128, 255}, .expected = {255, 255, 255}});
  add({.name = "phong has no normal map", .key = kPhong, .mainDiffuse = 1, .normalTexel = {255, 128, 128, 255},
       .expected = {255, 255, 255}});

  InProgramFolder([] { CreateShaders(); });
  const cinder::CameraPersp camera = CameraLookingAtOrigin({0, 0, 10});
  for (const LightingCase& c : cases) {
    SCOPED_TRACE(std::string(c.name) + (c.key == kCNS ? " (normal map)" : " (phong)"));
    const Shader* shader = gShaderRegistry.Find(c.key);
    ASSERT_NE(shader, nullptr);
    canvas_->Clear(0, 0, 0);
    glActiveTexture(GL_TEXTURE1);
    const GLuint normalMap = OneTexelTexture(c.normalTexel);
    glActiveTexture(GL_TEXTURE0);
    const GLuint colorMap = OneTexelTexture(c.texel);
    glUseProgram(shader->program);
    SetUniforms(*shader, c, camera);
    DrawSquare(c);
    glUseProgram(0);
    const Rgb got = canvas_->Pixel(kSize / 2, kSize / 2);
    EXPECT_NEAR(got.r, c.expected.r, 3);
    EXPECT_NEAR(got.g, c.expected.g, 3);
    EXPECT_NEAR(got.b, c.expected.b, 3);
    EXPECT_NEAR(canvas_->Alpha(kSize / 2, kSize / 2), c.expectedAlpha, 1);
    glDeleteTextures(1, &colorMap);
    glDeleteTextures(1, &normalMap);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
  }
}

// ---------------------------------------------------------------------------------------------
// Loading failures

constexpr const char* kVertex =
    "#version 130\nin vec3 v_position;\nuniform mat4 MVP;\n"
    "void main() { gl_Position = MVP * vec4(v_position, 1.0); }\n";
constexpr const char* kFragmentColorMapOnly =
    "#version 130\nuniform sampler2D ColorMap;\nout vec4 outputColor;\n"
    "void main() { outputColor = texture(ColorMap, vec2(0.5)); }\n";
constexpr const char* kFragmentNormalMapOnly =
    "#version 130\nuniform sampler2D NormalMap;\nout vec4 outputColor;\n"
    "void main() { outputColor = texture(NormalMap, vec2(0.5)); }\n";

TEST_F(ShaderTest, ReadSourceGivesTheWholeTextOrNothing) {
  folder_.Write("text.vert", "line 1\r\nline 2\n");
  folder_.Write("empty.vert", "");
  EXPECT_EQ(Shader::ReadSource(folder_.Path("text.vert").c_str()), "line 1\r\nline 2\n");
  EXPECT_EQ(Shader::ReadSource(folder_.Path("empty.vert").c_str()), std::nullopt);
  EXPECT_EQ(Shader::ReadSource(folder_.Path("missing.vert").c_str()), std::nullopt);
  EXPECT_EQ(Shader::ReadSource(folder_.Root().c_str()), std::nullopt);  // a folder
  EXPECT_EQ(Shader::ReadSource(nullptr), std::nullopt);
}

using ShaderDeathTest = ShaderTest;

// The files are read before any GL call, so this needs no context.
TEST(ShaderFileDeathTest, MissingOrEmptyFileEndsTheProgram) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  VornLog::SetBoxHook(BoxToStderr);
  TempFolder folder;
  folder.Write("good.vert", kVertex);
  folder.Write("good.frag", kFragmentColorMapOnly);
  folder.Write("empty.frag", "");
  const std::string good = folder.Path("good.vert"), goodFrag = folder.Path("good.frag");
  const std::string missing = folder.Path("missing.vert"), empty = folder.Path("empty.frag");
  const std::vector<std::pair<std::string, std::string>> cases = {{missing, goodFrag}, {good, empty}};
  for (const auto& [vertex, fragment] : cases) {
    EXPECT_EXIT(
        {
          Shader shader(vertex.c_str(), fragment.c_str());
          shader.Load();
        },
        testing::ExitedWithCode(1), "Either 'vertex' or 'fragment' shader not found")
        << vertex << " " << fragment;
  }
  VornLog::SetBoxHook(nullptr);
}

TEST_F(ShaderDeathTest, CompileErrorEndsTheProgramWithTheStageAndItsLog) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  folder_.Write("good.vert", kVertex);
  folder_.Write("broken.frag", "#version 130\nout vec4 outputColor;\nvoid main() { outputColor = nothing; }\n");
  const std::string vertex = folder_.Path("good.vert"), fragment = folder_.Path("broken.frag");
  EXPECT_EXIT(
      {
        Shader shader(vertex.c_str(), fragment.c_str());
        shader.Load();
      },
      testing::ExitedWithCode(1), "Shader [0-9]+ \\(.*/broken\\.frag\\) compile error: .*nothing");
}

TEST_F(ShaderTest, LinkErrorIsAWarningAndLeavesTheKeyAbsent) {
  LogCapture log;
  folder_.Write("nomain.vert", "#version 130\nvoid helper() {}\n");
  folder_.Write("good.frag", kFragmentColorMapOnly);
  const std::string vertex = folder_.Path("nomain.vert"), fragment = folder_.Path("good.frag");
  registry_.LoadAndRegister(1, std::make_unique<Shader>(vertex.c_str(), fragment.c_str()));
  EXPECT_EQ(registry_.Find(1), nullptr);
  EXPECT_EQ(registry_.Current(), nullptr);
  const std::vector<std::string> lines = log.Lines();
  ASSERT_EQ(lines.size(), 1u);
  EXPECT_EQ(lines[0].rfind("------ WARNING: Program ", 0), 0u) << lines[0];
  EXPECT_NE(lines[0].find(" Link error(0): "), std::string::npos) << lines[0];
  EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST_F(ShaderTest, AKeyIsRegisteredOnceAndTheFirstProgramStays) {
  folder_.Write("good.vert", kVertex);
  folder_.Write("good.frag", kFragmentColorMapOnly);
  const std::string vertex = folder_.Path("good.vert"), fragment = folder_.Path("good.frag");
  registry_.LoadAndRegister(1, std::make_unique<Shader>(vertex.c_str(), fragment.c_str()));
  Shader* first = registry_.Find(1);
  ASSERT_NE(first, nullptr);
  registry_.LoadAndRegister(1, std::make_unique<Shader>(vertex.c_str(), fragment.c_str()));
  EXPECT_EQ(registry_.Find(1), first);
  EXPECT_EQ(registry_.Current(), first);
  EXPECT_TRUE(glIsProgram(first->program));
}

// The normal-mapping program needs "ColorMap": its absence is shown, and loading goes on; a
// missing "NormalMap" only leaves its location at -1.
TEST_F(ShaderTest, NormalMappingProgramReportsOnlyAMissingColorMap) {
  struct Case {
    const char* fragment;
    bool colorMap, normalMap;
  };
  folder_.Write("good.vert", kVertex);
  folder_.Write("color.frag", kFragmentColorMapOnly);
  folder_.Write("normal.frag", kFragmentNormalMapOnly);
  const std::string vertex = folder_.Path("good.vert");
  for (const Case& c : {Case{"color.frag", true, false}, Case{"normal.frag", false, true}}) {
    SCOPED_TRACE(c.fragment);
    boxes.clear();
    const std::string fragment = folder_.Path(c.fragment);
    Shader_CNS shader(vertex.c_str(), fragment.c_str());
    shader.Load();
    EXPECT_TRUE(shader.loaded);
    EXPECT_EQ(shader.textureFlags, 3);
    EXPECT_EQ(shader.colorMapLocation != -1, c.colorMap);
    EXPECT_EQ(shader.normalMapLocation != -1, c.normalMap);
    const std::vector<std::string> expected =
        c.colorMap ? std::vector<std::string>{}
                   : std::vector<std::string>{"Vorn_Kesh: Bump Shader missing a ColorMap uniform sampler."};
    EXPECT_EQ(boxes, expected);
    shader.Release();
    EXPECT_EQ(shader.program, 0u);
  }
  EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

}  // namespace
