// Texts of the 3D view drawn with the GUI's fonts: the size labels of the bounding boxes (their
// values, and where they sit beside a box seen from above) and the queued screen labels.
#include <GL/glew.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cmath>
#include <limits>

#include "core/settings.h"
#include "app/scene_text_font.h"
#include "app/screen_labels.h"
#include "gui/gui_2d.h"
#include "gui/text_output.h"
#include "support/gl_canvas.h"
#include "view/looking_camera.h"
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
    bounds_.count = 1;
    bounds_.blocks[0].lodBox = BoundsBox({-10, -10, 0}, {10, 10, 20});
    ray_.origin = {0, 0, 90};
    ray_.SetDirection({0, 0, 1});  // away from the box: drawn half transparent
  }
  void TearDown() override { fonts_.Shutdown(); }

  // Draws the box from above (+Y up on the screen) and collects the text pixels beside its
  // right side (the "W" label) and below its front side (the "D" label), in window pixels.
  void Draw(bool units) {
    options_.drawBoundingBoxUnits = units;
    canvas_->Clear(0, 0, 0);
    camera_ = CameraLookingAtOrigin({0, 0, 90});
    GlSetCameraMatrices(camera_);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    DrawBoundingBox(ray_, bounds_, options_, true, SceneTextFromFonts(fonts_));
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
  ViewOptions options_;
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

// Draws the queued labels once, in white at 20 points, and empties the queue.
TEST(ScreenLabels, AreDrawnOnceAtTwentyPoints) {
  GlCanvas* canvas = GlCanvas::Shared();
  ASSERT_TRUE(canvas->IsOpen()) << canvas->Error();
  TextFonts fonts;
  fonts.LoadFonts(DELVIX_PROGRAM_DIR);
  canvas->Clear(0, 0, 0);
  SetTextState(fonts.HelveticaBold(), 10.0f, 0.0f, 0.1f);
  Begin2D(kSize, kSize);
  glColor4f(1, 1, 1, 1);
  std::vector<ScreenLabel> labels = {{20.0f, 40.0f, "%s%n"}, {1e30f, 5.0f, "far away"}};
  DrawScreenLabels(labels);
  End2D();
  EXPECT_TRUE(labels.empty());
  EXPECT_EQ(gTextState.pointSize, 10.0f);  // set back
  int left = kSize, top = kSize, bottom = -1;
  for (int y = 0; y < kSize; ++y) {
    for (int x = 0; x < kSize; ++x) {
      const Rgb c = canvas->Pixel(x, kSize - 1 - y);
      if (c.r == 0 && c.g == 0 && c.b == 0) continue;
      left = std::min(left, x), top = std::min(top, y), bottom = std::max(bottom, y);
    }
  }
  ASSERT_GE(bottom, 0);
  EXPECT_GE(left, 15);                             // 20 - 4.31 and a little side bearing
  EXPECT_TRUE(bottom >= 38 && bottom <= 47) << bottom;  // baseline 42.54, "%" descends
  EXPECT_GE(bottom - top, 17);                     // twice the 10-point height
  fonts.Shutdown();
}

}  // namespace
