#include "core/settings.h"

#include <gtest/gtest.h>

#include <climits>
#include <sstream>

#include "support/temp_folder.h"

namespace {

const std::string kGoldenPath = std::string(DELVIX_SOURCE_DIR) + "/tests/core/golden/settings.xml";

// Every stored field set away from its default, with values that differ between neighbours, so a
// key that is not read or read into another field shows in the saved file.
VornSettings Distinct() {
  VornSettings s;
  s.dir_cod2 = "/games/cod2";
  s.dir_cod4 = "/games/cod4";
  s.dir_cod5 = "/games/Cod 5";
  s.dir_bo1 = "/games/bo1";
  s.dir_export = "/home/me/exported";
  s.dir_gdt = "/home/me/gdts";
  s.vsync = true;
  s.wireframe = true;
  s.draw_grid = false;
  s.draw_axis = true;
  s.draw_bones = false;
  s.disable_all = true;
  s.sound_focus = false;
  s.sound_accept = false;
  s.sound_export = false;
  s.sound_welcome = false;
  s.sound_leave = false;
  s.mtl = false;
  s.mel_bind = false;
  s.sub_folder = false;
  s.exp_images = false;
  s.images_local = false;
  s.images_col = true;
  s.tags_local = true;
  s.export_lods = false;
  s.as_tga = 1;
  s.scale = 1.5f;
  s.log_xmodel = false;
  s.log_warn = true;
  s.log_genral = false;
  s.log_type = 1;
  s.active_game = 2;
  s.volume = 0.75f;
  s.fps_sleep = 30;
  s.fps_active = 60;
  s.color_txt = 0x00112233;
  s.color_background = 0x00445566;
  s.color_grid = 0x00778899;
  s.tray_icon = false;
  s.auto_update_check = false;
  s.draw_bounding_box = true;
  s.draw_central_locator = true;
  s.draw_tangents = true;
  s.use_vertex_col = false;
  s.bump_mapping = false;
  s.draw_LODS = true;
  s.clear_list_on_change = true;
  s.xmodel_win_prop = {1, 2, 3, 4};
  s.xmodel_win_prop_size = {5, 6, 7, 8};
  s.xmodel_win_log = {9, 10, 11, 12};
  s.xmodel_win_log_size = {13, 14, 15, 16};
  s.xmodel_win_tags = {17, 18, 19, 20};
  s.xmodel_win_tags_size = {21, 22, 23, 24};
  s.xmodel_win_vis[0] = true;   // prop
  s.xmodel_win_vis[1] = true;   // log
  s.xmodel_win_vis[2] = false;  // list
  s.xmodel_win_vis[3] = true;   // tags
  s.save_menu_states = false;
  s.save_window_rect = false;
  s.window_on_top = true;
  s.main_window = {-30, 40, 1024, 768};
  for (int i = 0; i < HK_COUNT; ++i) s.hotkeys[i] = static_cast<Hotkey>((i % 2 ? 0x100 : 0) | (0x41 + i));
  s.mouse_style = 2;
  s.draw_bounding_box_units = true;
  s.light_enable[0] = true;
  s.light_enable[1] = true;
  s.active_frame_theme = 3;
  s.donate_shown = true;
  s.donate_actions = 12;
  s.donate_last = 7;
  return s;
}

void SetDistinctLights() {
  for (int i = 0; i < 2; ++i) {
    Light& light = SceneLights.lights[i];
    light.color[0] = 0.25f + i * 0.5f;
    light.color[1] = 0.125f;
    light.color[2] = 1.0f;
    light.ambient_intensity = 0.5f;
    light.diffuse_intensity = 0.75f - i * 0.5f;
    light.attenuation_constant = 0.5f;
    light.attenuation_linear = 0.0625f + i * 0.5f;
    light.attenuation_exp = 0.375f;
  }
}

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

class SettingsFile : public ::testing::Test {
 protected:
  void SetUp() override {
    SceneLights = SceneLightsData{};
    SettingsResetPending = false;
  }
  void TearDown() override {
    SceneLights = SceneLightsData{};
    SettingsResetPending = false;
  }

  // The bytes Save writes for s.
  std::string Saved(const VornSettings& s) {
    EXPECT_TRUE(s.Save(folder_.Path("saved.xml")));
    return folder_.Read("saved.xml");
  }
  // s after loading text as settings.xml over it.
  VornSettings LoadedOver(VornSettings s, const std::string& text) {
    folder_.Write("settings.xml", text);
    s.Load(folder_.Path("settings.xml"));
    return s;
  }

  TempFolder folder_;
};

// Hand-checked: sections and keys in file order, folders holding a placeholder written empty,
// pugixml's declaration without encoding and tab indent.
TEST_F(SettingsFile, DefaultsAreWrittenExactlyAsTheGoldenFile) {
  std::string golden = TempFolder::ReadFileBytes(kGoldenPath);
  ASSERT_FALSE(golden.empty()) << "golden file missing: " << kGoldenPath;
  EXPECT_EQ(Saved(VornSettings()), golden);
}

TEST_F(SettingsFile, EveryStoredFieldSurvivesARoundTrip) {
  std::string golden = TempFolder::ReadFileBytes(kGoldenPath);
  ASSERT_FALSE(golden.empty()) << "golden file missing: " << kGoldenPath;

  // The distinct record touches every key: each value line differs from the default file.
  SetDistinctLights();
  std::string distinct = Saved(Distinct());
  std::vector<std::string> distinctLines = Lines(distinct), goldenLines = Lines(golden);
  ASSERT_EQ(distinctLines.size(), goldenLines.size());
  for (size_t i = 0; i < goldenLines.size(); ++i) {
    if (goldenLines[i].find("value=") != std::string::npos) {
      EXPECT_NE(distinctLines[i], goldenLines[i]);
    }
  }

  // Distinct values read over defaults give the distinct file again...
  SceneLights = SceneLightsData{};
  VornSettings loaded = LoadedOver(VornSettings(), distinct);
  EXPECT_EQ(Saved(loaded), distinct);
  EXPECT_TRUE(loaded.clear_list_on_change);
  EXPECT_EQ(loaded.dir_cod5, "/games/Cod 5");
  EXPECT_EQ(loaded.main_window.x, -30);
  EXPECT_EQ(loaded.main_window.flags, ITEM_FIXED);
  EXPECT_EQ(loaded.hotkeys[1], 0x0142);
  EXPECT_FLOAT_EQ(SceneLights.lights[1].attenuation_linear, 0.5625f);

  // ...and the default file read over distinct values gives the defaults back, except the
  // folders: their empty values keep whatever the fields held.
  SceneLights = SceneLightsData{};
  VornSettings start = Distinct();
  start.dir_cod2 = start.dir_cod4 = start.dir_cod5 = start.dir_bo1 = kSetPath;
  start.dir_export = start.dir_gdt = kRunningDirectory;
  EXPECT_EQ(Saved(LoadedOver(start, golden)), golden);
}

TEST_F(SettingsFile, KeysFillTheirOwnFields) {
  VornSettings s = LoadedOver(VornSettings(), R"(<layout>
    <xmodel_win_prop_vis value="true" /><xmodel_win_log_vis value="false" />
    <xmodel_win_tags_vis value="true" /><xmodel_win_list_vis value="false" /></layout>
    <genral><clear_job_list_on_change value="true" /><active_game value="-4" /></genral>
    <sound><volume value="-2.5" /><export value="false" /></sound>
    <opengl><color_txt value="65280" /></opengl>)");
  EXPECT_TRUE(s.xmodel_win_vis[0]);   // prop
  EXPECT_FALSE(s.xmodel_win_vis[1]);  // log
  EXPECT_FALSE(s.xmodel_win_vis[2]);  // list
  EXPECT_TRUE(s.xmodel_win_vis[3]);   // tags
  EXPECT_TRUE(s.clear_list_on_change);
  EXPECT_EQ(s.active_game, -4);  // taken as read
  EXPECT_FLOAT_EQ(s.volume, -2.5f);
  EXPECT_FALSE(s.sound_export);
  EXPECT_EQ(s.color_txt, 0x0000FF00u);
}

TEST_F(SettingsFile, MissingSectionsKeepValuesAndMissingKeysReadAsZero) {
  VornSettings start = Distinct();
  start.log_xmodel = true;

  // No genral section at all: message lines stay on.
  EXPECT_TRUE(LoadedOver(start, "<theme><active_frame_theme value=\"1\" /></theme>").log_xmodel);

  // A genral section without log_xmodel turns them off; the other keys read as false or 0, but
  // clear_job_list_on_change keeps its value while its element is missing.
  VornSettings s = LoadedOver(start, "<genral><log_warn value=\"true\" /></genral>");
  EXPECT_FALSE(s.log_xmodel);
  EXPECT_TRUE(s.log_warn);
  EXPECT_FALSE(s.tray_icon);
  EXPECT_EQ(s.active_game, 0);
  EXPECT_EQ(s.log_type, 0);
  EXPECT_TRUE(s.clear_list_on_change);
  EXPECT_EQ(LoadedOver(start, "<genral><clear_job_list_on_change /></genral>").clear_list_on_change, false);

  // Folders and rectangles keep their values when the key is missing or empty.
  s = LoadedOver(start, "<dirs><cod4 value=\"\" /><cod5 /></dirs><layout />");
  EXPECT_EQ(s.dir_cod4, "/games/cod4");
  EXPECT_EQ(s.dir_cod5, "/games/Cod 5");
  EXPECT_EQ(s.dir_gdt, "/home/me/gdts");
  EXPECT_EQ(s.xmodel_win_log.y, 10);
  EXPECT_EQ(s.main_window.w, 1024);
  EXPECT_FALSE(s.save_menu_states);  // a bool of a present section reads false

  // Only the sections present change anything (and a missing hotkeys section, which always
  // sets the default hot keys again).
  SetDistinctLights();
  VornSettings expected = start;
  expected.SetDefaultHotkeys();
  std::string before = Saved(expected);
  s = LoadedOver(start, "<donate><Shown value=\"true\" /></donate>");
  EXPECT_EQ(s.donate_actions, 0);
  s.donate_actions = start.donate_actions;
  s.donate_last = start.donate_last;
  EXPECT_EQ(Saved(s), before);
}

TEST_F(SettingsFile, ValuesOutOfRangeAreClamped) {
  struct Case {
    const char* xml;
    int fpsSleep, fpsActive, mouseStyle, theme;
    float scale;
  };
  const Case cases[] = {
      {"<opengl><fps_sleep value=\"5\" /><fps_active value=\"3\" /></opengl>", 10, 10, 0, 0, 2.54f},
      {"<opengl><fps_sleep value=\"50\" /><fps_active value=\"2000\" /></opengl>", 50, 999, 0, 0, 2.54f},
      {"<opengl><fps_sleep value=\"1200\" /><fps_active value=\"40\" /></opengl>", 999, 999, 0, 0, 2.54f},
      {"<export><scale value=\"-3\" /></export>", 24, 40, 0, 0, 0.0f},
      {"<export><scale value=\"5000\" /></export>", 24, 40, 0, 0, 1000.0f},
      {"<export><scale value=\"1e999\" /></export>", 24, 40, 0, 0, 1000.0f},
      {"<export><scale value=\"nan\" /></export>", 24, 40, 0, 0, 0.0f},
      {"<hotkeys><mouse_style value=\"7\" /></hotkeys>", 24, 40, 2, 0, 2.54f},
      {"<hotkeys><mouse_style value=\"-2\" /></hotkeys>", 24, 40, 0, 0, 2.54f},
      {"<theme><active_frame_theme value=\"-1\" /></theme>", 24, 40, 0, 0, 2.54f},
      {"<theme><active_frame_theme value=\"9\" /></theme>", 24, 40, 0, 3, 2.54f},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.xml);
    VornSettings s = LoadedOver(VornSettings(), c.xml);
    EXPECT_EQ(s.fps_sleep, c.fpsSleep);
    EXPECT_EQ(s.fps_active, c.fpsActive);
    EXPECT_EQ(s.mouse_style, c.mouseStyle);
    EXPECT_EQ(s.active_frame_theme, c.theme);
    EXPECT_FLOAT_EQ(s.scale, c.scale);
  }
}

TEST_F(SettingsFile, ValueTextsReadAsTheirKind) {
  const std::pair<const char*, bool> bools[] = {
      {"value=\"true\"", true}, {"value=\"True\"", true}, {"value=\"1\"", true},  {"value=\"yes\"", true},
      {"value=\"Y\"", true},    {"value=\"t\"", true},    {"value=\"false\"", false}, {"value=\"no\"", false},
      {"value=\"0\"", false},   {"value=\" true\"", false}, {"value=\"\"", false},  {"", false},
  };
  for (const auto& [attribute, expected] : bools) {
    SCOPED_TRACE(attribute);
    EXPECT_EQ(LoadedOver(VornSettings(), std::string("<genral><tray_icon ") + attribute + " /></genral>").tray_icon,
              expected);
  }

  const std::pair<const char*, int32_t> ints[] = {
      {" 42", 42}, {"12abc", 12}, {"-7", -7}, {"abc", 0}, {"", 0}, {"99999999999", INT32_MAX},
  };
  for (const auto& [text, expected] : ints) {
    SCOPED_TRACE(text);
    EXPECT_EQ(LoadedOver(VornSettings(), std::string("<donate><last value=\"") + text + "\" /></donate>").donate_last,
              expected);
  }

  const std::pair<const char*, uint32_t> colours[] = {
      {"4294967295", 0xFFFFFFFFu}, {"99999999999", 0xFFFFFFFFu}, {"-1", 0xFFFFFFFFu}, {"x", 0u},
  };
  for (const auto& [text, expected] : colours) {
    SCOPED_TRACE(text);
    EXPECT_EQ(LoadedOver(VornSettings(), std::string("<opengl><color_grid value=\"") + text + "\" /></opengl>")
                  .color_grid,
              expected);
  }

  const std::pair<const char*, float> floats[] = {{"0.5", 0.5f}, {"2,5", 2.0f}, {"  .25x", 0.25f}, {"", 0.0f}};
  for (const auto& [text, expected] : floats) {
    SCOPED_TRACE(text);
    EXPECT_FLOAT_EQ(LoadedOver(VornSettings(), std::string("<sound><volume value=\"") + text + "\" /></sound>").volume,
                    expected);
  }
}

TEST_F(SettingsFile, RectangleRule) {
  struct Case {
    const char* element;
    int32_t x, y, w, h;
  };
  const Case cases[] = {
      {"<main_window value=\"5,6\" />", 5, 6, 0, 0},
      {"<main_window value=\"\" />", 1, 2, 3, 4},  // empty: unchanged
      {"<main_window />", 1, 2, 3, 4},
      {"<main_window value=\"10,-20,300,400,500,600\" />", 10, -20, 300, 400},  // extra numbers ignored
      {"<main_window value=\"x,7,,9\" />", 0, 7, 0, 9},
      {"<main_window value=\" 8 , 9\" />", 8, 9, 0, 0},
  };
  VornSettings start;
  start.main_window = {1, 2, 3, 4, 0x12};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.element);
    ItemRect r = LoadedOver(start, std::string("<layout>") + c.element + "</layout>").main_window;
    EXPECT_EQ(r.x, c.x);
    EXPECT_EQ(r.y, c.y);
    EXPECT_EQ(r.w, c.w);
    EXPECT_EQ(r.h, c.h);
    EXPECT_EQ(r.flags, 0x12u);  // never stored or loaded
  }
}

TEST_F(SettingsFile, HotkeyRule) {
  VornSettings start;
  start.mouse_style = 2;
  VornSettings s = LoadedOver(start, R"(<hotkeys>
      <change_active_game value="300" /><view_tags value="112" vk="true" />
      <export_ma value="97" vk="no" /></hotkeys>)");
  EXPECT_EQ(s.hotkeys[HK_CHANGE_ACTIVE_GAME], 44);  // low byte only; no vk: a character key
  EXPECT_EQ(s.hotkeys[HK_VIEW_TAGS], 0x0170);
  EXPECT_EQ(s.hotkeys[HK_EXPORT_MA], 0x0061);
  EXPECT_EQ(s.hotkeys[HK_DRAW_BONES], 0);  // missing key in a present section: unbound
  EXPECT_EQ(s.mouse_style, 0);

  // No hotkeys section: the default hot keys again, mouse_style kept.
  for (Hotkey& key : start.hotkeys) key = 0x41;
  s = LoadedOver(start, "<genral />");
  VornSettings defaults;
  for (int i = 0; i < HK_COUNT; ++i) EXPECT_EQ(s.hotkeys[i], defaults.hotkeys[i]) << i;
  EXPECT_EQ(s.mouse_style, 2);
}

TEST_F(SettingsFile, LightsSection) {
  SetDistinctLights();
  VornSettings s = LoadedOver(VornSettings(), R"(<lights>
      <light_0><enable value="yes" /><color value="1.5,,x,0.2" /><DiffuseIntensity value="1.5" />
        <AmbientIntensity value="-1" /><Attenuation><Constant value="2" /><Exp value="0.5" /></Attenuation>
      </light_0></lights>)");
  const Light& l0 = SceneLights.lights[0];
  EXPECT_TRUE(s.light_enable[0]);
  EXPECT_FLOAT_EQ(l0.color[0], 1.0f);
  EXPECT_FLOAT_EQ(l0.color[1], 0.0f);
  EXPECT_FLOAT_EQ(l0.color[2], 0.2f);
  EXPECT_FLOAT_EQ(l0.diffuse_intensity, 1.0f);
  EXPECT_FLOAT_EQ(l0.ambient_intensity, 0.0f);
  EXPECT_FLOAT_EQ(l0.attenuation_constant, 1.0f);
  EXPECT_FLOAT_EQ(l0.attenuation_exp, 0.5f);
  EXPECT_FLOAT_EQ(l0.attenuation_linear, 0.0f);  // missing inside a present Attenuation

  // light_1 is missing: enable and the intensities read as missing, colour and attenuation stay.
  const Light& l1 = SceneLights.lights[1];
  EXPECT_FALSE(s.light_enable[1]);
  EXPECT_FLOAT_EQ(l1.diffuse_intensity, 0.0f);
  EXPECT_FLOAT_EQ(l1.ambient_intensity, 0.0f);
  EXPECT_FLOAT_EQ(l1.color[0], 0.75f);
  EXPECT_FLOAT_EQ(l1.attenuation_linear, 0.5625f);

  // A colour of fewer pieces changes only the channels it gives.
  LoadedOver(VornSettings(), "<lights><light_0><color value=\"0.5\" /></light_0></lights>");
  EXPECT_FLOAT_EQ(SceneLights.lights[0].color[0], 0.5f);
  EXPECT_FLOAT_EQ(SceneLights.lights[0].color[1], 0.0f);
  EXPECT_FLOAT_EQ(SceneLights.lights[0].color[2], 0.2f);
}

TEST_F(SettingsFile, UnreadableFilesKeepEveryValue) {
  SetDistinctLights();
  const std::string expected = Saved(Distinct());
  const std::string files[] = {
      "",
      "this is not xml",
      "<genral><log_xmodel value=\"true\" />",  // never closed
      "<genral><log_xmodel value=\"true\"></dirs>",
      std::string("\x00\xff\xfe<", 4),
  };
  for (const std::string& text : files) {
    SCOPED_TRACE(text);
    EXPECT_EQ(Saved(LoadedOver(Distinct(), text)), expected);
  }
  VornSettings s = Distinct();
  s.Load(folder_.Path("no-such-file.xml"));
  EXPECT_EQ(Saved(s), expected);
}

TEST_F(SettingsFile, SaveAfterResetWritesNothing) {
  SettingsResetPending = true;
  EXPECT_FALSE(VornSettings().Save(folder_.Path("settings.xml")));
  EXPECT_FALSE(std::filesystem::exists(folder_.Path("settings.xml")));
}

TEST_F(SettingsFile, SaveReportsAFileThatCannotBeWritten) {
  EXPECT_FALSE(VornSettings().Save(folder_.Path("no/such/folder/settings.xml")));
  std::filesystem::create_directory(folder_.Path("in-the-way"));
  EXPECT_FALSE(VornSettings().Save(folder_.Path("in-the-way")));  // a folder where the file should go
}

}  // namespace
