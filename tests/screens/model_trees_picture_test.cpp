// The two model trees as a person sees them: the information tree and the tag tree of the
// 98-bone character drawn by the GL painter in their framed windows, with the program's textures
// and fonts, a hovered bone and an image row's context menu. The picture is kept as
// <build>/tests/screenshots/model_trees.png; the test checks the places that show each part.
#include <GL/glew.h>  // the picture is cleared with GL
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "gui/gl_painter.h"
#include "gui/vorn_gui.h"
#include "model/material_list.h"
#include "model/xmodel.h"
#include "screens/model_info_panel.h"
#include "support/gl_canvas.h"
#include "support/png_writer.h"
#include "support/synthetic_model.h"

namespace {

constexpr int kWidth = 900, kHeight = 580;
constexpr int32_t kTop = 30;  // the windows' y, below the frame-rate overlay
constexpr ItemRect kWindow{0, 0, 430, 520};
constexpr ItemRect kTreeRect{4, 22, 422, 494};

Menu& AddWindow(VornGUI& gui, const std::string& name, const std::string& title, int32_t x, TreeView view) {
  Menu& menu = gui.AddMenu(name);
  menu.framed = true;
  menu.visible = true;
  menu.title = title;
  menu.rect = {x, kTop};
  menu.hitRect = kWindow;
  menu.treeViews.push_back(std::move(view));
  return menu;
}

TEST(ModelTreesPicture, TheCharactersTreesInTheirWindows) {
  GlCanvas* canvas = GlCanvas::Shared();
  ASSERT_TRUE(canvas->IsOpen()) << canvas->Error();
  MaterialList materials;
  Xmodel model(materials);
  ASSERT_EQ(LoadRealModel(model, testmodels::kSkinnedCharacter), ResultCode::Success);
  ModelInfoPanel::Rebuild(model, materials);

  const std::string programDir = DELVIX_PROGRAM_DIR;
  VornSettings settings;
  VornGUI gui;
  gui.settings = &settings;
  gui.fonts.LoadFonts(programDir);
  ASSERT_EQ(gui.LoadGUITextures(programDir + "/gui_textures.txt", programDir), 69);
  GlPainter painter(gui.fonts);
  gui.SetPainter(&painter);
  gui.layoutWidth = gui.windowWidth = kWidth;
  gui.layoutHeight = gui.windowHeight = kHeight;
  std::vector<std::string> marked;
  AddWindow(gui, "xmodel_prop", "Xmodel Properties", 10, ModelInfoPanel::MakeInfoTreeView(kTreeRect));
  AddWindow(gui, "xmodel_tags", "Xmodel Tags", 460,
            ModelInfoPanel::MakeTagTreeView(kTreeRect, [&](const std::string& bone) {
              marked.push_back(bone);
              return true;
            }));
  gui.lastFramedIndex = 1;
  // The GUI's own cursor is left out of the picture (its texture is loaded by the start-up).
  gui.mouseInside = false;
  const auto rowY = [](int row) { return kTop + kTreeRect.y + 2 + 14 * row + 6; };

  GlPicture picture(kWidth, kHeight);
  ASSERT_TRUE(picture.Complete());
  const auto frame = [&] {
    glClearColor(0.15f, 0.2f, 0.3f, 1);
    glClear(GL_COLOR_BUFFER_BIT);
    gui.Render(GuiFrame{});
    glFinish();
  };
  // A right click on the first image row of the information tree opens its menu.
  int imageRow = -1;
  for (TreeIterator it = ModelInfoPanel::infoTree.Begin(); it.node != ModelInfoPanel::infoTree.Foot(); ++it) {
    if (it->text.find(".iwi") != std::string::npos) {
      imageRow = static_cast<int>(ModelInfoPanel::infoTree.IndexOf(it.node));
      break;
    }
  }
  ASSERT_GE(imageRow, 0);
  ASSERT_LT(imageRow, 30);
  gui.mouseX = 10 + 60, gui.mouseY = static_cast<float>(rowY(imageRow));
  frame();
  gui.pressX = static_cast<int32_t>(gui.mouseX), gui.pressY = static_cast<int32_t>(gui.mouseY);
  gui.rightDown = true;
  frame();
  gui.rightDown = false;
  const TreeView& info = gui.Menus()[0]->treeViews[0];
  ASSERT_TRUE(info.menuOpen);
  // The pointer on the tag tree's sixth shown row: that bone is marked while it stays there.
  gui.mouseX = 460 + 80, gui.mouseY = static_cast<float>(rowY(5));
  frame();
  frame();
  ASSERT_FALSE(marked.empty());
  EXPECT_EQ(marked.back(), ModelInfoPanel::tagTree.RowAt(5)->row.text);
  const std::vector<uint8_t> pixels = picture.Read();
  const std::string path = ScreenshotFolder() + "model_trees.png";
  EXPECT_TRUE(WritePng(path, kWidth, kHeight, pixels)) << path;

  // The hovered row's grey band, at its right end where no text is.
  EXPECT_EQ(picture.At(pixels, 460 + kTreeRect.x + 5 - 2 + 380, rowY(5)), (Rgb{102, 102, 102}));
  // The context menu's box, dark grey, below the entries' texts at its right.
  const int menuX = 10 + info.menuX, menuY = kTop + info.menuY;
  const Rgb box = picture.At(pixels, menuX + 95, menuY + 58);
  EXPECT_LT(box.r, 80);
  EXPECT_NEAR(box.r, box.g, 2);
  // Between the windows the picture's own background stays.
  const Rgb between = picture.At(pixels, 450, 300);
  EXPECT_NEAR(between.r, 38, 1);
  EXPECT_NEAR(between.g, 51, 1);
  EXPECT_NEAR(between.b, 77, 1);
  // Each tree's vertical bar is needed: more rows than its window shows.
  EXPECT_TRUE(gui.Menus()[1]->treeViews[0].vertical.needed);
  gui.SetPainter(nullptr);
  gui.Shutdown();
  ModelInfoPanel::infoTree.Clear();
  ModelInfoPanel::tagTree.Clear();
}

}  // namespace
