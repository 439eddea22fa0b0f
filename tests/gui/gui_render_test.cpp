// The GUI pass's order and what it draws, through the recording painter; the drawing primitives.
#include <gtest/gtest.h>

#include <cmath>

#include "gui/draw_primitives.h"
#include "recording_painter.h"
#include "support/log_capture.h"

namespace {

TEST(GuiPass, DrawsLabelsMenusTooltipMessagesOverlayAndCursorInThatOrder) {
  GuiFixture f;
  f.gui.textures.SetTexture("mouse_cursor", 7);
  f.gui.textures.SetTexture("panel", 8);
  f.gui.layoutHeight = 480;
  Menu& menu = f.AddMenu("main");
  menu.visible = true;
  menu.rect = {100, 50};
  menu.filledRects.push_back(FilledRect{.rect = {0, 0, 10, 10}, .colour = {1, 0, 0, 0.5f}});
  menu.images.push_back(ImageItem{.rect = {0, 0, 64, 64}, .texture = "panel"});
  menu.textButtons.push_back(TextButton{.rect = {5, 5, 80, 20}, .skin = "panel", .label = "Button", .labelX = 4, .labelY = 14});
  menu.fontLabels.push_back(FontLabel{.rect = {5, 40}, .text = "Title", .titleFont = true, .pointSize = 16});
  f.gui.tooltip = "tip";
  f.gui.errorText = "error";
  f.gui.showError = true;
  f.gui.mouseInside = true;
  f.gui.mouseX = 300, f.gui.mouseY = 200;

  std::vector<std::string> order;
  GuiFrame frame;
  frame.framesPerSecond = 42.5f;
  frame.drawScreenLabels = [&](GuiPainter& painter) { painter.PrintText(1, 1, "label"); };
  f.painter.calls.clear();
  f.gui.Render(frame);
  EXPECT_EQ(f.painter.Texts(), (std::vector<std::string>{"label", "Button", "Title", "tip", "error", "FPS: 42.50",
                                                          "1.041", "Delvix - delvix.org"}));
  const auto& calls = f.painter.calls;
  EXPECT_EQ(calls.front().op, "begin2d");
  EXPECT_EQ(calls.back().op, "end2d");
  // The menu's items are drawn at the menu's position; the title in Bookman-Demi.
  const PaintCall* button = f.painter.FindText("Button");
  EXPECT_EQ(button->op, "blend");
  EXPECT_FLOAT_EQ(button->x, 100);
  EXPECT_EQ(button->rect.x, 9);
  EXPECT_EQ(button->style, (TextStyle{GuiFont::HelveticaBold, 9.0f, 0.0f, 0.15f}));
  EXPECT_EQ(f.painter.FindText("Title")->style.font, GuiFont::BookmanDemi);
  EXPECT_EQ(f.painter.FindText("FPS: 42.50")->style, (TextStyle{GuiFont::BookmanDemi, 11.0f, 0.4f, 0.15f}));
  EXPECT_EQ(f.painter.FindText("1.041")->rect.y, 450);
  // The fill with its alpha times the menu's; the cursor last, 32 x 32 at the mouse.
  EXPECT_FLOAT_EQ(f.painter.Of("quad")[0].colour.a, 0.5f);
  const PaintCall cursor = f.painter.Of("textured").back();
  EXPECT_EQ(cursor.texture, 7u);
  EXPECT_EQ(cursor.rect.x, 300);
  EXPECT_EQ(cursor.rect.w, 32);
  EXPECT_FLOAT_EQ(cursor.x, 0);
}

TEST(GuiPass, NoTooltipBoxWithoutATipNoCursorOutsideAndAFastFrameRateShowsTwoNines) {
  GuiFixture f;
  GuiFrame frame;
  frame.framesPerSecond = 240;
  f.painter.calls.clear();
  f.gui.Render(frame);
  EXPECT_TRUE(f.painter.Of("quad").empty());
  EXPECT_TRUE(f.painter.Of("textured").empty());
  EXPECT_NE(f.painter.FindText("FPS: 99.99"), nullptr);
}

TEST(GuiPass, NothingIsDrawnWithoutAPainter) {
  VornSettings settings;
  VornGUI gui;
  gui.settings = &settings;
  gui.Render(GuiFrame{});  // no painter: no crash, nothing to see
  SUCCEED();
}

TEST(GuiTextures, MissingNamesAreReportedOnceAndDrawTheDefault) {
  LogCapture log;
  GuiFixture f;
  f.gui.textures.SetTexture("default", 3);
  f.gui.textures.SetTexture("button", 4);
  Menu& menu = f.AddMenu("main");
  for (int i = 0; i < 3; ++i) menu.images.push_back(ImageItem{.texture = "nowhere"});
  menu.textButtons.push_back(TextButton{.skin = "button", .hoverSkin = "button_gone"});
  f.gui.CheckMaterials();
  EXPECT_EQ(log.Count("------ WARNING: Missing Material: nowhere"), 1);
  EXPECT_EQ(log.Count("------ WARNING: Missing Material: button_gone"), 1);
  for (const ImageItem& image : menu.images) EXPECT_EQ(image.texture, "default");
  EXPECT_EQ(menu.textButtons[0].skin, "button");
  EXPECT_EQ(menu.textButtons[0].hoverSkin, "default");
  EXPECT_EQ(f.gui.missingTextures, (std::vector<std::string>{"button_gone", "nowhere"}));  // buttons first
}

TEST(DrawPrimitives, ArcsTurnByAboutAQuarterInTwentyPointsOfRadiusTwenty) {
  const auto points = ArcPoints(100, 100, 0.0f);
  EXPECT_FLOAT_EQ(points[0].x, 120);
  EXPECT_FLOAT_EQ(points[0].y, 100);
  const float endAngle = std::atan2(points[19].y - 100, points[19].x - 100);
  EXPECT_NEAR(endAngle, -1.55f, 0.02f);
  for (const GuiPoint& p : points) EXPECT_NEAR(std::hypot(p.x - 100, p.y - 100), 20.0f, 0.5f);
}

TEST(DrawPrimitives, OutlineBevelAndRoundedRect) {
  RecordingPainter painter;
  DrawRectOutline(painter, ItemRect{10, 20, 30, 40});
  EXPECT_EQ(painter.calls.back().op, "lines");
  EXPECT_FLOAT_EQ(painter.calls.back().x, 10);
  painter.calls.clear();
  DrawRoundedRect(painter, ItemRect{0, 0, 100, 60});
  ASSERT_EQ(painter.Of("lines").size(), 5u);  // the edges, then four arcs
  EXPECT_EQ(painter.Of("lines")[0].rect.w, 8);
  EXPECT_EQ(painter.Of("lines")[1].rect.w, 20);
}

TEST(DrawPrimitives, FadesRunTheAlphaDownAndUpAndEnd) {
  Rgba colour;
  const Rgba red{1, 0, 0, 1}, green{0, 1, 0, 1};
  EXPECT_FALSE(FadeColor(red, green, 1000, 250, colour));
  EXPECT_EQ(colour, (Rgba{1, 0, 0, 0.75f}));
  EXPECT_FALSE(FadeColor(red, green, 1000, 750, colour));
  EXPECT_EQ(colour, (Rgba{0, 1, 0, 0.5f}));
  EXPECT_TRUE(FadeColor(red, green, 1000, 1001, colour));
  Rgba fading{1, 1, 1, 0.8f};
  EXPECT_FALSE(FadeOut(fading, 2000, 1000));
  EXPECT_FLOAT_EQ(fading.a, 0.4f);
}

}  // namespace
