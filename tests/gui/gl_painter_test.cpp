// The GUI pass drawn by GlPainter under Xvfb and Mesa: menus at their place in y-down GUI
// pixels, textures upright, colour codes only in the coloured output.
#include "gui/gl_painter.h"

#include <GL/glew.h>
#include <gtest/gtest.h>

#include "gui/vorn_gui.h"
#include "support/gl_canvas.h"

namespace {

constexpr int kSize = GlCanvas::kSize;

class GlPainterTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    if (!GlCanvas::Shared()->IsOpen()) return;
    fonts_ = new TextFonts;
    fonts_->LoadFonts(DELVIX_PROGRAM_DIR);
  }
  static void TearDownTestSuite() {
    delete fonts_;
    fonts_ = nullptr;
  }
  void SetUp() override {
    canvas_ = GlCanvas::Shared();
    ASSERT_TRUE(canvas_->IsOpen()) << canvas_->Error();
    canvas_->Clear(0, 0, 0);
    painter_ = std::make_unique<GlPainter>(*fonts_);
  }
  // The pixel at GUI position (x, y), y down.
  Rgb At(int x, int y) const { return canvas_->Pixel(x, kSize - 1 - y); }
  int CountPixels(bool (*test)(Rgb)) const {
    int n = 0;
    for (int y = 0; y < kSize; ++y) {
      for (int x = 0; x < kSize; ++x) n += test(canvas_->Pixel(x, y)) ? 1 : 0;
    }
    return n;
  }

  static TextFonts* fonts_;
  GlCanvas* canvas_ = nullptr;
  std::unique_ptr<GlPainter> painter_;
};
TextFonts* GlPainterTest::fonts_ = nullptr;

TEST_F(GlPainterTest, MenusDrawAtTheirPlaceWithTexturesUpright) {
  // A 2 x 2 texture whose top row (t = 1, GL's last row) is red and bottom row blue.
  const uint8_t texels[] = {0, 0, 255, 255, 0, 0, 255, 255, 255, 0, 0, 255, 255, 0, 0, 255};
  GLuint texture = 0;
  glGenTextures(1, &texture);
  glBindTexture(GL_TEXTURE_2D, texture);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
  glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, 2, 2, 0, GL_RGBA, GL_UNSIGNED_BYTE, texels);
  glBindTexture(GL_TEXTURE_2D, 0);

  VornSettings settings;
  VornGUI gui;
  gui.settings = &settings;
  gui.SetPainter(painter_.get());
  gui.layoutWidth = gui.layoutHeight = kSize;
  gui.textures.SetTexture("two_rows", texture);
  Menu& menu = gui.AddMenu("menu");
  menu.visible = true;
  menu.rect = {2, 36};  // clear of the overlay's texts above and the banner below
  menu.filledRects.push_back(FilledRect{.rect = {0, 0, 16, 8}, .colour = {0, 1, 0, 1}});
  menu.images.push_back(ImageItem{.rect = {24, 0, 16, 16}, .texture = "two_rows"});
  gui.Render(GuiFrame{});
  glFinish();

  EXPECT_EQ(At(4, 38), (Rgb{0, 255, 0}));   // inside the fill, moved by the menu's position
  EXPECT_EQ(At(4, 46), (Rgb{0, 0, 0}));     // below it
  EXPECT_EQ(At(0, 40), (Rgb{0, 0, 0}));     // left of the menu
  EXPECT_EQ(At(34, 38), (Rgb{255, 0, 0}));  // the texture's top row at the top
  EXPECT_EQ(At(34, 46), (Rgb{0, 0, 255}));
  gui.Shutdown();  // deletes the texture it owns
}

TEST_F(GlPainterTest, ColourCodesSwitchColoursOnlyInTheColouredOutput) {
  const auto red = [](Rgb c) { return c.r > 150 && c.g < 60 && c.b < 60; };
  painter_->Begin2D(kSize, kSize);
  painter_->SetTextStyle(TextStyle{GuiFont::HelveticaBold, 10.0f, 0.0f, 0.1f});
  painter_->SetColour(Rgba{1, 1, 1, 1});
  painter_->PrintText(4, 20, "^1WWW");
  painter_->End2D();
  glFinish();
  EXPECT_EQ(CountPixels(red), 0);
  canvas_->Clear(0, 0, 0);
  painter_->Begin2D(kSize, kSize);
  painter_->SetColour(Rgba{1, 1, 1, 1});
  painter_->PrintTextColoured(4, 20, "^1WWW");
  painter_->End2D();
  glFinish();
  EXPECT_GT(CountPixels(red), 20);
}

}  // namespace
