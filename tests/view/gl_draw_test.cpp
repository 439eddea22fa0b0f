// The 3D view's fixed-function helpers, drawn into an offscreen framebuffer and read back.
#include "view/gl_draw.h"

#include <GL/glew.h>
#include <gtest/gtest.h>

#include <cmath>

#include "support/gl_canvas.h"
#include "looking_camera.h"

namespace {

constexpr int kSize = GlCanvas::kSize;
constexpr Rgb kBlack{0, 0, 0};

class GlDraw : public ::testing::Test {
 protected:
  void SetUp() override {
    canvas_ = GlCanvas::Shared();
    ASSERT_TRUE(canvas_->IsOpen()) << canvas_->Error();
    canvas_->Clear(0, 0, 0);
    camera_ = CameraLookingAtOrigin({0, 0, 10});
    GlSetCameraMatrices(camera_);
  }

  // The pixel under world point p.
  Rgb PixelOf(Vec3 p) const { return canvas_->PixelAt(camera_.WorldToScreen(p, kSize, kSize)); }

  // True when a pixel within one of the one under world point p has colour c (a one-pixel line
  // may be rasterised on either side of its exact projection).
  bool LitNear(Vec3 p, Rgb c) const {
    const ScreenPoint s = camera_.WorldToScreen(p, kSize, kSize);
    for (int dy = -1; dy <= 1; ++dy) {
      for (int dx = -1; dx <= 1; ++dx) {
        if (canvas_->PixelBelowTop(s.x + dx, s.y + dy) == c) return true;
      }
    }
    return false;
  }

  // What every helper must leave behind: model-view mode, no client array, no GL error.
  static void ExpectCleanState() {
    GLint mode = 0;
    glGetIntegerv(GL_MATRIX_MODE, &mode);
    EXPECT_EQ(mode, GL_MODELVIEW);
    EXPECT_FALSE(glIsEnabled(GL_VERTEX_ARRAY));
    EXPECT_FALSE(glIsEnabled(GL_NORMAL_ARRAY));
    EXPECT_FALSE(glIsEnabled(GL_TEXTURE_COORD_ARRAY));
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
  }

  GlCanvas* canvas_ = nullptr;
  cinder::CameraPersp camera_;
};

TEST_F(GlDraw, CameraMatricesAreLoadedIntoBothStacks) {
  float projection[16], modelView[16];
  glGetFloatv(GL_PROJECTION_MATRIX, projection);
  glGetFloatv(GL_MODELVIEW_MATRIX, modelView);
  for (int i = 0; i < 16; ++i) {
    EXPECT_FLOAT_EQ(projection[i], camera_.projectionMatrix.m[i]) << i;
    EXPECT_FLOAT_EQ(modelView[i], camera_.modelViewMatrix.m[i]) << i;
  }
  ExpectCleanState();
}

TEST_F(GlDraw, LineAppearsWhereTheCameraProjectsIt) {
  glColor3f(1, 0, 0);
  GlDrawLine({-2, 1, 0}, {2, 1, 0});
  for (float x : {-1.5f, 0.0f, 1.5f}) EXPECT_TRUE(LitNear({x, 1, 0}, {255, 0, 0})) << x;
  EXPECT_EQ(PixelOf({0, -1, 0}), kBlack);
  EXPECT_EQ(PixelOf({2.8f, 1, 0}), kBlack);  // beyond its end
  ExpectCleanState();
}

TEST_F(GlDraw, WireBoxDrawsItsEdgesAndLeavesItsFacesOpen) {
  glColor3f(0, 1, 0);
  GlDrawWireBox({0.5f, 0, 0}, {3, 2, 2});  // x -1..2, y -1..1, z -1..1
  const Rgb green{0, 255, 0};
  EXPECT_TRUE(LitNear({0.5f, 1, 1}, green));   // front face, top edge
  EXPECT_TRUE(LitNear({-1, 0, 1}, green));     // front face, left edge
  EXPECT_TRUE(LitNear({2, -0.5f, 1}, green));  // front face, right edge
  EXPECT_EQ(PixelOf({0.5f, 0, 1}), kBlack);    // inside the front face
  EXPECT_EQ(PixelOf({-1.6f, 0, 1}), kBlack);   // left of the box
  ExpectCleanState();
}

TEST_F(GlDraw, WireBoxOfZeroSizeDrawsWithoutError) {
  GlDrawWireBox({1, 1, 1}, {0, 0, 0});
  ExpectCleanState();
}

TEST_F(GlDraw, SphereIsSolidRoundAndOfItsRadius) {
  glColor3f(0, 0, 1);
  GlDrawSphere({0, 0, 0}, 2, 20);
  const Rgb blue{0, 0, 255};
  for (Vec3 p : {Vec3{0, 0, 2}, Vec3{1.7f, 0, 0.9f}, Vec3{0, -1.7f, 0.9f}, Vec3{0, 1.7f, 0.9f}}) {
    EXPECT_EQ(PixelOf(p), blue) << p.x << " " << p.y;
  }
  for (Vec3 p : {Vec3{2.7f, 0, 0}, Vec3{0, -2.7f, 0}, Vec3{1.9f, 1.9f, 0}}) {
    EXPECT_EQ(PixelOf(p), kBlack) << p.x << " " << p.y;
  }
  ExpectCleanState();
}

// With an odd count the top band must still reach the pole. Three segments make the coarsest
// sphere: bands of 120 degrees, so without the closing band everything above 30 degrees of
// latitude would be missing. (0, 1.5, 0.3) lies inside the top cap, (0, -1.5, 0.3) inside the
// bottom one.
TEST_F(GlDraw, SphereOfOddCountHasNoHoleAtTheTop) {
  glColor3f(1, 1, 1);
  GlDrawSphere({0, 0, 0}, 2, 3);
  EXPECT_EQ(PixelOf({0, 1.5f, 0.3f}), (Rgb{255, 255, 255}));
  EXPECT_EQ(PixelOf({0, -1.5f, 0.3f}), (Rgb{255, 255, 255}));
  ExpectCleanState();
}

TEST_F(GlDraw, SphereOfFewerThanTwoSegmentsDrawsNothing) {
  glColor3f(1, 1, 1);
  for (int32_t segments : {-4, 0, 1}) {
    GlDrawSphere({0, 0, 0}, 2, segments);
    EXPECT_EQ(PixelOf({0, 0, 2}), kBlack) << segments;
    ExpectCleanState();
  }
}

TEST_F(GlDraw, ModelViewPushAndPopWorkFromAnyMatrixMode) {
  float before[16], after[16];
  glGetFloatv(GL_MODELVIEW_MATRIX, before);
  glMatrixMode(GL_PROJECTION);
  GlPushModelView();
  glTranslatef(5, 6, 7);
  glMatrixMode(GL_PROJECTION);
  GlPopModelView();
  glGetFloatv(GL_MODELVIEW_MATRIX, after);
  for (int i = 0; i < 16; ++i) EXPECT_FLOAT_EQ(after[i], before[i]) << i;
  ExpectCleanState();
}

TEST_F(GlDraw, ViewportAndDepthSwitchesReachTheContext) {
  IntRect rect;
  rect.Set(50, 60, 10, 20);
  GlSetViewport(rect);
  GLint viewport[4] = {};
  glGetIntegerv(GL_VIEWPORT, viewport);
  EXPECT_EQ(viewport[0], 10);
  EXPECT_EQ(viewport[1], 20);
  EXPECT_EQ(viewport[2], 40);
  EXPECT_EQ(viewport[3], 40);

  for (bool on : {true, false}) {
    GlDepthTest(on);
    GlDepthWrite(on);
    GLboolean mask = !on;
    glGetBooleanv(GL_DEPTH_WRITEMASK, &mask);
    EXPECT_EQ(glIsEnabled(GL_DEPTH_TEST) == GL_TRUE, on);
    EXPECT_EQ(mask == GL_TRUE, on);
  }
}

TEST_F(GlDraw, ClearErrorsDrainsEveryPendingError) {
  glEnable(0x1234);        // invalid enum
  glLineWidth(-1.0f);      // invalid value
  GlClearErrors();
  EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

}  // namespace
