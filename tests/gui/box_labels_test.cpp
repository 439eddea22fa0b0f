// The size labels of the 3D view's bounding boxes: their values, and where the GUI's font puts
// them beside a box seen from above.
#include <GL/glew.h>
#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <limits>

#include "core/settings.h"
#include "gui/scene_text_font.h"
#include "gui/text_output.h"
#include "view/gl_canvas.h"
#include "view/gl_draw.h"
#include "view/scene_pass.h"

namespace {

TEST(BoxLabelValue, ExtentOverScaleTruncated) {
  const float inf = std::numeric_limits<float>::infinity();
  struct Case {
    float extent, scale;
    int32_t value;
  };
  const Case cases[] = {
      {30.0f, 2.54f, 11},          // 11.81 truncated
      {30.0f, 1.0f, 30},
      {-7.9f, 1.0f, -7},           // towards zero
      {0.5f, 1000.0f, 0},
      {30.0f, 0.0f, 30},           // scale 0 is refused at load: the model keeps its own units
      {0.0f, 0.0f, 0},
      {30.0f, -2.0f, 30},
      {30.0f, std::nanf(""), 30},
      {3e9f, 1.0f, INT32_MAX},     // beyond an int: the nearest int
      {1e30f, 1e-20f, INT32_MAX},
      {-1e30f, 1.0f, INT32_MIN},
      {inf, 1.0f, INT32_MAX},
      {std::nanf(""), 1.0f, 0},
  };
  for (const Case& c : cases) EXPECT_EQ(BoxLabelValue(c.extent, c.scale), c.value) << c.extent << " / " << c.scale;
}

constexpr int kSize = GlCanvas::kSize;

bool IsTextPixel(Rgb c) { return c.r > 40 && c.r == c.g && c.g == c.b; }  // the box is blue

struct Region {
  int count = 0;
  float sumX = 0, sumY = 0;
  float CentreX() const { return sumX / static_cast<float>(count); }
  float CentreY() const { return sumY / static_cast<float>(count); }
};

class BoxLabels : public ::testing::Test {
 protected:
  void SetUp() override {
    canvas_ = GlCanvas::Shared();
    ASSERT_TRUE(canvas_->IsOpen()) << canvas_->Error();
    fonts_.LoadFonts(DELVIX_PROGRAM_DIR);
    saved_ = gSettings;
    gSettings.draw_LODS = false;
    gSettings.scale = 1.0f;
    bounds_.count = 1;
    bounds_.blocks[0].lodBox = BoundsBox({-10, -10, 0}, {10, 10, 20});
    ray_.origin = {0, 0, 90};
    ray_.SetDirection({0, 0, 1});  // away from the box: drawn half transparent
  }
  void TearDown() override {
    gSettings = saved_;
    fonts_.Shutdown();
  }

  // Draws the box from above (+Y up on the screen) and collects the text pixels beside its
  // right side (the "W" label) and below its front side (the "D" label), in window pixels.
  void Draw(bool units) {
    gSettings.draw_bounding_box_units = units;
    canvas_->Clear(0, 0, 0);
    camera_ = CameraLookingAtOrigin({0, 0, 90});
    GlSetCameraMatrices(camera_);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    DrawBoundingBox(ray_, bounds_, true, SceneTextFromFonts(fonts_));
    const ScreenPoint boxRight = camera_.WorldToScreen({10, 0, 0}, kSize, kSize);
    const ScreenPoint boxFront = camera_.WorldToScreen({0, -10, 0}, kSize, kSize);
    for (int y = 0; y < kSize; ++y) {
      for (int x = 0; x < kSize; ++x) {
        if (!IsTextPixel(canvas_->Pixel(x, kSize - 1 - y))) continue;
        ++text_;
        Region* region = x > boxRight.x + 0.5f ? &w_ : y > boxFront.y + 0.5f ? &d_ : nullptr;
        if (!region) continue;
        ++region->count;
        region->sumX += static_cast<float>(x) + 0.5f;
        region->sumY += static_cast<float>(y) + 0.5f;
      }
    }
  }

  GlCanvas* canvas_ = nullptr;
  TextFonts fonts_;
  VornSettings saved_;
  ModelBounds bounds_;
  PickRay ray_;
  cinder::CameraPersp camera_;
  int text_ = 0;
  Region w_, d_;
};

TEST_F(BoxLabels, AppearBesideTheBoxWhenUnitsAreOn) {
  Draw(true);
  // "W 20" runs along the right side, centred on the box's middle; "D 20" along the front side.
  ASSERT_GT(w_.count, 10);
  ASSERT_GT(d_.count, 10);
  const ScreenPoint centre = camera_.WorldToScreen({0, 0, 0}, kSize, kSize);
  EXPECT_NEAR(w_.CentreY(), centre.y, 3.0f);
  EXPECT_NEAR(d_.CentreX(), centre.x, 3.0f);
  EXPECT_FALSE(glIsEnabled(GL_TEXTURE_2D));
  EXPECT_FALSE(glIsEnabled(GL_ALPHA_TEST));
  EXPECT_EQ(gTextState.pointSize, 5.0f);  // the labels' text state stays for the next text
  EXPECT_EQ(gTextState.alphaRef, 0.15f);
}

TEST_F(BoxLabels, AbsentWhenUnitsAreOff) {
  Draw(false);
  EXPECT_EQ(text_, 0);
}

}  // namespace
