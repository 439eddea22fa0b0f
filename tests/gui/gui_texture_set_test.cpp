// The GUI texture set that the build draws into the program folder: every file of the GUI texture
// list loads through the GUI's DDS loader under Xvfb and Mesa with its whole mipmap chain (so it
// draws with the default filters and nothing falls back to "default"), the cursor's tip sits at
// the quad's top-left corner, and the contact sheet of the set exists.
#include <GL/glew.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <cstring>
#include <fstream>
#include <set>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "gui/gui_texture_list.h"
#include "gui/gui_textures.h"
#include "gui/vorn_gui.h"
#include "platform/files.h"
#include "support/gl_canvas.h"
#include "support/log_capture.h"

namespace {

const std::string kProgramDir = DELVIX_PROGRAM_DIR;
const std::string kTextureList = std::string(DELVIX_SOURCE_DIR) + "/assets/gui_textures.txt";
// The generator writes the sheet into the build tree's tools folder, beside the program folder.
const std::string kContactSheet = kProgramDir + "/../tools/gui_textures_sheet.png";

struct TextureEntry {
  std::string section;  // "gui" or "start-up"
  std::string name;
  std::string file;  // relative to the program folder
};

// The entries of the GUI texture list, in order: the textures the GUI loads by name, then the
// one start-up loads by itself.
std::vector<TextureEntry> ReadTextureList() {
  std::vector<uint8_t> bytes;
  EXPECT_TRUE(platform::ReadWholeFile(kTextureList, bytes)) << kTextureList;
  const std::string text(bytes.begin(), bytes.end());
  std::vector<TextureEntry> entries;
  for (const char* section : {"gui", "start-up"}) {
    for (const GuiTextureEntry& e : ParseGuiTextureList(text, section)) entries.push_back({section, e.name, e.file});
  }
  return entries;
}

class GuiTextureSetTest : public ::testing::Test {
 protected:
  void SetUp() override {
    canvas_ = GlCanvas::Shared();
    ASSERT_TRUE(canvas_->IsOpen()) << canvas_->Error();
  }
  GlCanvas* canvas_ = nullptr;
};

// The size of a texture's level, 0 x 0 when the level is absent.
std::pair<int, int> LevelSize(uint32_t texture, int level) {
  int width = 0, height = 0;
  glBindTexture(GL_TEXTURE_2D, texture);
  glGetTexLevelParameteriv(GL_TEXTURE_2D, level, GL_TEXTURE_WIDTH, &width);
  glGetTexLevelParameteriv(GL_TEXTURE_2D, level, GL_TEXTURE_HEIGHT, &height);
  glBindTexture(GL_TEXTURE_2D, 0);
  return {width, height};
}

TEST_F(GuiTextureSetTest, EveryListedTextureLoadsWithItsWholeMipChain) {
  const std::vector<TextureEntry> entries = ReadTextureList();
  const auto gui = std::count_if(entries.begin(), entries.end(), [](const TextureEntry& e) { return e.section == "gui"; });
  EXPECT_EQ(gui, 69) << "the textures the GUI loads by name";
  ASSERT_EQ(entries.size(), 70u) << kTextureList;
  EXPECT_EQ(entries.back().section, "start-up");
  EXPECT_EQ(entries.back().file, "images/cursor.dds");
  std::set<std::string> names, files;
  for (const TextureEntry& e : entries) {
    EXPECT_TRUE(names.insert(e.name).second) << "name listed twice: " << e.name;
    EXPECT_TRUE(files.insert(e.file).second) << "file listed twice: " << e.file;
  }

  LogCapture log;
  GuiTextures textures;
  for (const TextureEntry& e : entries) {
    const std::string path = kProgramDir + "/" + e.file;
    const uint32_t texture = e.section == "gui" ? textures.LoadDSS(path, e.name)
                                                : (textures.LoadCursorTexture(path) ? textures.Lookup("mouse_cursor") : 0);
    ASSERT_NE(texture, kTextureLoadFailed) << path;
    ASSERT_NE(texture, 0u) << path;
    // With the default minification filter a texture draws only with every level down to 1 x 1.
    const auto [width, height] = LevelSize(texture, 0);
    ASSERT_GT(width, 0) << path;
    const int last = std::bit_width(unsigned(std::max(width, height))) - 1;
    EXPECT_EQ(LevelSize(texture, last), std::make_pair(std::max(width >> last, 1), std::max(height >> last, 1))) << path;
  }
  for (const std::string& line : log.Lines()) ADD_FAILURE() << "logged: " << line;
  EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
  textures.DeleteAll();
}

// The GUI draws the cursor as a 32 x 32 quad whose top-left corner is the mouse position, so
// the arrow's tip must be the texture's top-left corner and the rest of the square see-through.
TEST_F(GuiTextureSetTest, CursorTipIsAtTheTopLeftCorner) {
  uint32_t texture = 0;
  ASSERT_EQ(LoadDDSTexture(kProgramDir + "/images/cursor.dds", &texture), ImageResult::Success);
  const auto [width, height] = LevelSize(texture, 0);
  ASSERT_EQ(width, 32);
  ASSERT_EQ(height, 32);
  std::vector<uint8_t> rgba(32 * 32 * 4);
  glBindTexture(GL_TEXTURE_2D, texture);
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glGetTexImage(GL_TEXTURE_2D, 0, GL_RGBA, GL_UNSIGNED_BYTE, rgba.data());
  glBindTexture(GL_TEXTURE_2D, 0);
  glDeleteTextures(1, &texture);
  // GL's row 0 is the quad's bottom edge (t = 0).
  auto alpha = [&](int x, int yFromTop) { return rgba[(size_t(31 - yFromTop) * 32 + x) * 4 + 3]; };
  EXPECT_GT(alpha(1, 2), 200) << "the tip";
  EXPECT_GT(alpha(4, 12), 200) << "the arrow's body";
  for (int y = 28; y < 32; ++y) {
    for (int x = 0; x < 32; ++x) ASSERT_EQ(alpha(x, y), 0) << x << ", " << y << ": below the arrow";
  }
  for (int x = 20; x < 32; ++x) EXPECT_EQ(alpha(x, 4), 0) << x << ": right of the arrow";
}

TEST(GuiTextureSheetTest, ContactSheetOfTheSetExists) {
  std::vector<uint8_t> bytes;
  ASSERT_TRUE(platform::ReadWholeFile(kContactSheet, bytes)) << kContactSheet;
  ASSERT_GT(bytes.size(), 8u);
  EXPECT_EQ(std::memcmp(bytes.data(), "\x89PNG\r\n\x1a\n", 8), 0) << "a PNG file";
}

// The program's start-up loads the list that the build copies beside it: every texture of it, so
// menus that use the list's names need no "default".
TEST_F(GuiTextureSetTest, TheGuiLoadsEveryTextureOfTheListInTheProgramFolder) {
  LogCapture log;
  VornGUI gui;
  EXPECT_EQ(gui.LoadGUITextures(kProgramDir + "/gui_textures.txt", kProgramDir), 69);
  Menu& menu = gui.AddMenu("toolbar");
  menu.textButtons.push_back(TextButton{.skin = "button", .hoverSkin = "button_hi"});
  menu.images.push_back(ImageItem{.texture = "logo_missing_here"});
  gui.CheckMaterials();
  EXPECT_EQ(gui.missingTextures, (std::vector<std::string>{"logo_missing_here"}));
  EXPECT_EQ(gui.LoadGUITextures(kProgramDir + "/gui_textures.txt", kProgramDir), 0);  // names already there
  gui.Shutdown();
}

}  // namespace
