// The main window's GL context under Xvfb and Mesa: compatibility profile, fixed-function and
// GLSL 1.30 drawing, and a job-thread context whose uploads the window draws.
#include <GL/glew.h>
#include <gtest/gtest.h>

#include <array>
#include <thread>

#include "platform/window.h"
#include "support/gl_program.h"
#include "support/graphics_driver.h"
#include "support/x_server.h"

namespace {

constexpr int kSize = 64;

struct Rgb {
  int r, g, b;
  bool operator==(const Rgb&) const = default;
};

std::ostream& operator<<(std::ostream& os, const Rgb& c) {
  return os << "(" << c.r << "," << c.g << "," << c.b << ")";
}

// The back buffer's pixel at x, y (before the swap, which leaves the back buffer undefined).
Rgb PixelAt(int x, int y) {
  std::array<unsigned char, 4> p{};
  glReadBuffer(GL_BACK);
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glReadPixels(x, y, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, p.data());
  return {p[0], p[1], p[2]};
}

class GlWindow : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string error;
    ASSERT_TRUE(server_.Start(error)) << error;
  }
  platform::WindowStatus Open(int glMajor = 3, int glMinor = 2) {
    platform::WindowOptions options;
    options.title = "Delvix GL test";
    options.width = options.height = kSize;
    options.visible = true;
    options.glMajor = glMajor;
    options.glMinor = glMinor;
    platform::WindowStatus status = window_.Create(options);
    testing_support::KeepGraphicsDriversLoaded();
    return status;
  }
  void ClearTo(float r, float g, float b) {
    glViewport(0, 0, kSize, kSize);
    glClearColor(r, g, b, 1);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  }
  static void DrawCentreQuad() {
    glBegin(GL_QUADS);
    glVertex2f(-0.5f, -0.5f);
    glVertex2f(0.5f, -0.5f);
    glVertex2f(0.5f, 0.5f);
    glVertex2f(-0.5f, 0.5f);
    glEnd();
  }

  testing_support::PrivateXServer server_;  // outlives the window
  platform::MainWindow window_;
};

TEST_F(GlWindow, CompatibilityContextDrawsFixedFunctionAndGlsl130) {
  ASSERT_EQ(Open(), platform::WindowStatus::Ok) << window_.ErrorText();
  const platform::GlContextInfo& gl = window_.GlInfo();
  EXPECT_TRUE(gl.compatibility);
  EXPECT_FALSE(gl.legacy);
  EXPECT_GE(gl.major * 10 + gl.minor, 32) << gl.version;
  EXPECT_TRUE(gl.glewResult == 0 || gl.glewResult == 4) << gl.glewResult;

  // Fixed-function: a red quad on blue.
  ClearTo(0, 0, 1);
  glColor3f(1, 0, 0);
  DrawCentreQuad();
  EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
  EXPECT_EQ(PixelAt(kSize / 2, kSize / 2), (Rgb{255, 0, 0}));
  EXPECT_EQ(PixelAt(2, 2), (Rgb{0, 0, 255}));
  window_.SwapBuffers();

  // GLSL 1.30 with a uniform colour, fed by the same fixed-function vertices.
  const char* vs = "#version 130\nvoid main() { gl_Position = gl_Vertex; }\n";
  const char* fs = "#version 130\nuniform vec4 tint;\nout vec4 colour;\nvoid main() { colour = tint; }\n";
  const GLuint program = testing_support::CompileTestProgram(vs, fs);
  ASSERT_TRUE(testing_support::LinkTestProgram(program));
  glUseProgram(program);
  glUniform4f(glGetUniformLocation(program, "tint"), 0, 1, 0, 1);
  ClearTo(0, 0, 0);
  DrawCentreQuad();
  EXPECT_EQ(PixelAt(kSize / 2, kSize / 2), (Rgb{0, 255, 0}));
  EXPECT_EQ(PixelAt(2, 2), (Rgb{0, 0, 0}));
  glUseProgram(0);
  glDeleteProgram(program);
  EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
}

// A version no driver offers stands in for a driver without versioned contexts: the window
// falls back to the default context, which still draws fixed-function.
TEST_F(GlWindow, FallsBackToLegacyContextWhenTheVersionedRequestFails) {
  ASSERT_EQ(Open(9, 9), platform::WindowStatus::Ok) << window_.ErrorText();
  EXPECT_TRUE(window_.GlInfo().legacy);
  EXPECT_TRUE(window_.GlInfo().compatibility);
  ClearTo(0, 0, 0);
  glColor3f(1, 1, 0);
  DrawCentreQuad();
  EXPECT_EQ(PixelAt(kSize / 2, kSize / 2), (Rgb{255, 255, 0}));
}

TEST(GlWindowNoDisplay, CreateReportsVideoFailure) {
  ::setenv("DISPLAY", ":999", 1);  // nothing listens there
  platform::MainWindow window;
  platform::WindowOptions options;
  EXPECT_EQ(window.Create(options), platform::WindowStatus::VideoFailed);
  EXPECT_FALSE(window.IsOpen());
  EXPECT_FALSE(window.ErrorText().empty());
}

// The job thread's context uploads a vertex buffer and a texture; the window's context draws
// them once the worker has finished (glFinish) and released its context.
TEST_F(GlWindow, SharedContextThreadUploadsWhatTheWindowDraws) {
  ASSERT_EQ(Open(), platform::WindowStatus::Ok) << window_.ErrorText();
  std::unique_ptr<platform::SharedGlContext> shared = window_.CreateSharedContext();
  ASSERT_TRUE(shared) << window_.ErrorText();

  shared->FailNextAttempts(2);  // the job thread retries a failed attempt
  GLuint buffer = 0, texture = 0;
  int attempts = 0;
  std::thread worker([&] {
    while (attempts < 5 && !shared->TryMakeCurrent()) ++attempts;
    if (attempts == 5) return;
    // Interleaved x, y, u, v of a quad over the middle of the window.
    const float quad[] = {-0.5f, -0.5f, 0, 0, 0.5f, -0.5f, 1, 0, 0.5f, 0.5f, 1, 1, -0.5f, 0.5f, 0, 1};
    glGenBuffers(1, &buffer);
    glBindBuffer(GL_ARRAY_BUFFER, buffer);
    glBufferData(GL_ARRAY_BUFFER, sizeof quad, quad, GL_STATIC_DRAW);
    const unsigned char orange[4 * 4] = {255, 128, 0, 255, 255, 128, 0, 255, 255, 128, 0, 255, 255, 128, 0, 255};
    glGenTextures(1, &texture);
    glBindTexture(GL_TEXTURE_2D, texture);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, 2, 2, 0, GL_RGBA, GL_UNSIGNED_BYTE, orange);
    glFinish();
    shared->Release();
  });
  worker.join();
  ASSERT_EQ(attempts, 2);
  ASSERT_NE(buffer, 0u);
  ASSERT_NE(texture, 0u);

  ClearTo(0, 0, 0);
  glColor3f(1, 1, 1);
  glEnable(GL_TEXTURE_2D);
  glBindTexture(GL_TEXTURE_2D, texture);
  glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_REPLACE);
  glBindBuffer(GL_ARRAY_BUFFER, buffer);
  glEnableClientState(GL_VERTEX_ARRAY);
  glEnableClientState(GL_TEXTURE_COORD_ARRAY);
  glVertexPointer(2, GL_FLOAT, 4 * sizeof(float), nullptr);
  glTexCoordPointer(2, GL_FLOAT, 4 * sizeof(float), reinterpret_cast<void*>(2 * sizeof(float)));
  glDrawArrays(GL_TRIANGLE_FAN, 0, 4);
  glDisableClientState(GL_VERTEX_ARRAY);
  glDisableClientState(GL_TEXTURE_COORD_ARRAY);
  glDisable(GL_TEXTURE_2D);
  EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
  EXPECT_EQ(PixelAt(kSize / 2, kSize / 2), (Rgb{255, 128, 0}));
  EXPECT_EQ(PixelAt(2, 2), (Rgb{0, 0, 0}));

  glDeleteBuffers(1, &buffer);
  glDeleteTextures(1, &texture);
  shared.reset();
}

}  // namespace

namespace {

// Closing the window closes the window system; a later window opens it afresh and draws.
TEST(GlWindowReopen, WindowOpensAgainAfterTheLastOneClosed) {
  testing_support::PrivateXServer server;
  std::string error;
  ASSERT_TRUE(server.Start(error)) << error;
  for (int round = 0; round < 3; ++round) {
    platform::MainWindow window;
    platform::WindowOptions options;
    options.width = options.height = kSize;
    options.visible = true;
    ASSERT_EQ(window.Create(options), platform::WindowStatus::Ok) << round << ": " << window.ErrorText();
    testing_support::KeepGraphicsDriversLoaded();
    glViewport(0, 0, kSize, kSize);
    glClearColor(0, 1, 1, 1);
    glClear(GL_COLOR_BUFFER_BIT);
    EXPECT_EQ(PixelAt(5, 5), (Rgb{0, 255, 255})) << round;
  }
}

}  // namespace
