// The callbacks of the screens: each callback's effect on the settings and the program's objects,
// the numbers the text boxes take or refuse, the game roots the picker may or may not set, the
// game switch with its refusals, and the folder checks. The folder chooser is injected through
// the context's hooks; the text boxes the callbacks write are real GUI text boxes.
#include <gtest/gtest.h>

#include <clocale>
#include <locale>
#include <mutex>
#include <filesystem>
#include <string>
#include <vector>

#include "core/log.h"
#include "core/settings.h"
#include "platform/folder_picker.h"
#include "screens/callbacks.h"
#include "support/log_capture.h"
#include "support/temp_folder.h"
#include "support/wait_until.h"

namespace {

// The text boxes the callbacks show values in.
const char* const kBoxes[] = {"output_cod4", "output_cod5", "output_cod_bo", "output_dir", "output_GDT_dir",
                              "active_fps",  "sleep_fps",   "model_scale",   "xmodel_search"};

// A context over the program's global objects (reset to their defaults), a GUI with the boxes,
// and hooks that record what the callbacks ask of the application.
class CallbacksTest : public ::testing::Test {
 protected:
  CallbacksTest() {
    gSettings = VornSettings();
    SceneLights = SceneLightsData();
    gShading = ShadingParams();
    gui.AddMenu("settings");
    for (const char* box : kBoxes) gui.AddTextBox(box, "", {0, 0, 100, 20}, {}, {}, {}, nullptr, false);
    ctx.hooks.setTitle = [this](const std::string& text) { title = text; };
    ctx.hooks.setGridColour = [this](float r, float g, float b) { grid = {r, g, b}; };
    ctx.hooks.setClearColour = [this](float r, float g, float b) { clear = {r, g, b}; };
    ctx.hooks.setExportFolder = [this](const std::string& path) { exportFolders.push_back(path); };
    ctx.hooks.setGDTFolder = [this](const std::string& path) { gdtFolders.push_back(path); };
    ctx.hooks.setJobGame = [this](GameId game) { jobGame = game; };
    ctx.hooks.pickFolder = [this](const std::string& title) {
      pickerTitles.push_back(title);
      return picked;
    };
    IWDGuiHooks iwd;
    iwd.showError = [this](const std::string& text) { iwdErrors.push_back(text); };
    iwd.execCmd = [this](const std::string& script) { iwdScripts.push_back(script); };
    gIWDUtils.SetGuiHooks(std::move(iwd));
  }
  ~CallbacksTest() override {
    xmodelList.StopListing();
    gIWDUtils.Stop();
    gIWDUtils.SetGuiHooks({});
    gIWDUtils.SetPath("");
    gSettings = VornSettings();
  }

  std::string Box(const std::string& name) {
    for (const auto& menu : gui.Menus()) {
      for (const TextBox& box : menu->textBoxes) {
        if (box.name == name) return box.text;
      }
    }
    return "<no box>";
  }

  // A game root with "raw/xmodel" and a few model files.
  std::string MakeGameRoot(const std::string& name, std::vector<std::string> models = {"body_a", "body_b"}) {
    const std::string root = folder.Path(name);
    std::filesystem::create_directories(root + "/raw/xmodel");
    for (const std::string& model : models) folder.Write(name + "/raw/xmodel/" + model, "x");
    return root;
  }

  void WaitForListing() {
    ASSERT_TRUE(testing_support::WaitUntil([&] { return !xmodelList.IsLoading(); }, 10000));
  }

  TempFolder folder;
  VornGUI gui;
  VornLoader xmodelList;
  XmodelThreaded xmodelThread;
  ScreenContext ctx{gui, xmodelList, xmodelThread};

  std::string picked;  // what the injected chooser answers
  std::vector<std::string> pickerTitles;
  std::string title;
  std::vector<float> grid, clear;
  std::vector<std::string> exportFolders, gdtFolders;
  GameId jobGame = GameId::Cod5;
  std::vector<std::string> iwdErrors, iwdScripts;  // what the IWD tool asked of the GUI
};

constexpr const char* kIwdFoldersMissing = "CheckForImages:: Could not find 'main' / 'raw/images'";

// ---- Colours and lights ---------------------------------------------------------------------

TEST(ColorPacking, PackTruncatesAndMasksUnpackDividesBy255) {
  struct Case {
    float r, g, b;
    uint32_t packed;
  } cases[] = {
      {255.0f, 0.0f, 0.0f, 0x0000FF},
      {0.0f, 128.9f, 1.99f, 0x018000},  // truncated, not rounded
      {256.0f, 511.0f, -1.0f, 0xFFFF00},  // masked to 8 bits (-1 is 0xFF..FF)
      {1e12f, 0.0f, 0.0f, 0x000000},  // no integer: no channel
  };
  for (const Case& c : cases) EXPECT_EQ(PackColor(c.r, c.g, c.b), c.packed) << c.r << " " << c.g << " " << c.b;

  float r, g, b;
  UnpackColor(0x00272728, r, g, b);
  EXPECT_FLOAT_EQ(r, 40 / 255.0f);
  EXPECT_FLOAT_EQ(g, 39 / 255.0f);
  EXPECT_FLOAT_EQ(b, 39 / 255.0f);
  // Every byte survives a round trip through the channels.
  for (uint32_t v : {0x000000u, 0x0F0E0Fu, 0xFFFFFFu, 0x123456u}) {
    UnpackColor(v, r, g, b);
    EXPECT_EQ(PackColor(r * 255.0f + 0.5f, g * 255.0f + 0.5f, b * 255.0f + 0.5f), v);
  }
}

TEST_F(CallbacksTest, LightCallbacksSetTheirLightAndValue) {
  OnLight1Color(ctx, 0.1f, 0.2f, 0.3f);
  OnLight2Color(ctx, 0.4f, 0.5f, 0.6f);
  OnMainLightColor(ctx, 0.7f, 0.8f, 0.9f);
  OnLight1AttConstant(ctx, 0.5f);
  OnLight1AttLinear(ctx, 0.0005f);
  OnLight1AttExp(ctx, 0.00005f);
  OnLight2AttConstant(ctx, 0.25f);
  OnLight2AttLinear(ctx, 0.0002f);
  OnLight2AttExp(ctx, 0.00002f);
  OnMainLightDiffuse(ctx, 0.11f);
  OnMainLightAmbient(ctx, 0.22f);
  OnSpecularIntensity(ctx, 0.33f);
  OnSpecularPower(ctx, 0.44f);

  const Light& one = SceneLights.lights[0];
  const Light& two = SceneLights.lights[1];
  EXPECT_EQ(std::vector<float>(one.color, one.color + 3), (std::vector<float>{0.1f, 0.2f, 0.3f}));
  EXPECT_EQ(std::vector<float>(two.color, two.color + 3), (std::vector<float>{0.4f, 0.5f, 0.6f}));
  const float* main = gShading.mainLight.color;
  EXPECT_EQ(std::vector<float>(main, main + 3), (std::vector<float>{0.7f, 0.8f, 0.9f}));
  EXPECT_FLOAT_EQ(one.attenuation_constant, 0.5f);
  EXPECT_FLOAT_EQ(one.attenuation_linear, 0.0005f);
  EXPECT_FLOAT_EQ(one.attenuation_exp, 0.00005f);
  EXPECT_FLOAT_EQ(two.attenuation_constant, 0.25f);
  EXPECT_FLOAT_EQ(two.attenuation_linear, 0.0002f);
  EXPECT_FLOAT_EQ(two.attenuation_exp, 0.00002f);
  EXPECT_FLOAT_EQ(gShading.mainLight.diffuseIntensity, 0.11f);
  EXPECT_FLOAT_EQ(gShading.mainLight.ambientIntensity, 0.22f);
  EXPECT_FLOAT_EQ(gShading.specularIntensity, 0.33f);
  EXPECT_FLOAT_EQ(gShading.specularPower, 0.44f);
}

TEST_F(CallbacksTest, GridAndBackgroundColoursReachTheViewAndTheSettingsPacked) {
  OnGridColor(ctx, 1.0f, 0.5f, 0.0f);
  EXPECT_EQ(grid, (std::vector<float>{1.0f, 0.5f, 0.0f}));
  EXPECT_EQ(gSettings.color_grid, 0x007FFFu);  // 127.5 truncates to 127
  OnBackgroundColor(ctx, 0.0f, 0.0f, 1.0f);
  EXPECT_EQ(clear, (std::vector<float>{0.0f, 0.0f, 1.0f}));
  EXPECT_EQ(gSettings.color_background, 0xFF0000u);
}

// The drop-downs take their own indices and refuse every other one, leaving the setting.
TEST_F(CallbacksTest, DropDownsTakeTheirIndicesAndRefuseOthers) {
  struct Case {
    const char* name;
    bool (*callback)(ScreenContext&, int);
    int32_t VornSettings::*field;
    int lastIndex;
  } cases[] = {
      {"shader", OnShaderChanged, &VornSettings::light_model, 1},
      {"image format", OnImageFormat, &VornSettings::as_tga, 1},
      {"logging", OnLoggingMode, &VornSettings::log_type, 1},
      {"mouse", OnMouseScheme, &VornSettings::mouse_style, 1},
      {"theme", OnThemeChanged, &VornSettings::active_frame_theme, 2},
  };
  LogCapture log;
  const int savedMode = VornLog::Mode();
  for (const Case& c : cases) {
    for (int index = c.lastIndex; index >= 0; --index) {
      EXPECT_TRUE(c.callback(ctx, index)) << c.name << " " << index;
      EXPECT_EQ(gSettings.*c.field, index) << c.name;
    }
    for (int refused : {-1, c.lastIndex + 1, 99}) {
      EXPECT_FALSE(c.callback(ctx, refused)) << c.name << " " << refused;
      EXPECT_EQ(gSettings.*c.field, 0) << c.name;
    }
  }
  // The logging mode reaches the log, each change with its line.
  EXPECT_TRUE(log.Has("Logging Mode Changed: Sync every write"));
  EXPECT_TRUE(log.Has("Logging Mode Changed: Normal"));
  EXPECT_EQ(VornLog::Mode(), VornLog::kModeNormal);
  VornLog::SetMode(savedMode);
}

TEST_F(CallbacksTest, IwdGameChoiceAndMoveResetTheToolsProgress) {
  EXPECT_TRUE(OnIWDGameChanged(ctx, 2));
  EXPECT_EQ(ctx.iwdGame, 2);
  EXPECT_FALSE(OnIWDGameChanged(ctx, 3));
  EXPECT_EQ(ctx.iwdGame, 2);

  gSettings.dir_bo1 = MakeGameRoot("bo");
  std::filesystem::create_directories(gSettings.dir_bo1 + "/raw/images");
  std::filesystem::create_directories(gSettings.dir_bo1 + "/main");
  gui.SetProgress("IWD_SCAN_progress", 90);
  gui.SetTextVar("iwd_progress_text", "12/40");
  OnMoveIWDs(ctx);
  EXPECT_EQ(gui.textMap["iwd_progress_text"], "0");
  EXPECT_EQ(gui.textMap["iwi_progress_text"], "\n\n0\n\n0");
  EXPECT_EQ(gui.Progress("IWD_SCAN_progress"), 1);
  // The tool checked the Cod BO root and opens its box.
  EXPECT_EQ(gIWDUtils.MainPath(), gSettings.dir_bo1 + "/main");
  EXPECT_EQ(iwdErrors, std::vector<std::string>{});
  EXPECT_EQ(iwdScripts.size(), 1u);

  // A choice of no game (only a stale context can hold one) shows the error and starts no check.
  ctx.iwdGame = 7;
  gui.SetProgress("IWD_SCAN_progress", 50);
  OnMoveIWDs(ctx);
  EXPECT_EQ(gui.errorText, "Unkown Game selected in dropbox.");
  EXPECT_EQ(gui.Progress("IWD_SCAN_progress"), 50);
  EXPECT_EQ(iwdErrors, std::vector<std::string>{});
  EXPECT_EQ(iwdScripts.size(), 1u);
}

TEST_F(CallbacksTest, VolumeZeroMutesAndRaisingItSetsTheNewGain) {
  OnMasterVolume(ctx, 0.0f);
  EXPECT_TRUE(gSound.Muted());
  EXPECT_EQ(gSettings.volume, 0.0f);
  OnMasterVolume(ctx, 0.6f);
  EXPECT_FALSE(gSound.Muted());
  EXPECT_FLOAT_EQ(gSound.Volume(), 0.6f);
  EXPECT_FLOAT_EQ(gSettings.volume, 0.6f);
}

// ---- Typed numbers --------------------------------------------------------------------------

TEST_F(CallbacksTest, FrameCapsTakeNumbersAboveTheirBoundClampedAsTheSettingsFileDoes) {
  struct Case {
    const char* box;
    const char* text;
    int32_t active, sleep;  // the caps afterwards, from 40 / 24
    bool error;
  } cases[] = {
      {"active_fps", "31", 31, 24, false},
      {"active_fps", "30", 40, 24, false},   // not above 30: ignored
      {"active_fps", "25", 40, 24, false},
      {"active_fps", "  120 fps", 120, 24, false},  // the leading number
      {"active_fps", "5000", 999, 24, false},   // held to 999
      {"active_fps", "99999999999999", 999, 24, false},
      {"active_fps", "abc", 40, 24, true},      // no number: kept, and said
      {"active_fps", "", 40, 24, true},
      {"sleep_fps", "11", 40, 11, false},
      {"sleep_fps", "10", 40, 24, false},
      {"sleep_fps", "60", 60, 60, false},       // the active cap never below the inactive one
      {"sleep_fps", "-5", 40, 24, false},
      {"sleep_fps", "x1", 40, 24, true},
  };
  for (const Case& c : cases) {
    gSettings.fps_active = 40;
    gSettings.fps_sleep = 24;
    gui.errorText.clear();
    if (std::string(c.box) == "active_fps") {
      OnActiveFpsText(ctx, c.text);
    } else {
      OnSleepFpsText(ctx, c.text);
    }
    EXPECT_EQ(gSettings.fps_active, c.active) << c.box << " '" << c.text << "'";
    EXPECT_EQ(gSettings.fps_sleep, c.sleep) << c.box << " '" << c.text << "'";
    EXPECT_EQ(!gui.errorText.empty(), c.error) << c.box << " '" << c.text << "'";
    // The box shows the cap in force afterwards.
    const int32_t shown = std::string(c.box) == "active_fps" ? c.active : c.sleep;
    if (std::string(c.text) != std::to_string(shown)) EXPECT_EQ(Box(c.box), std::to_string(shown)) << c.text;
  }
}

TEST_F(CallbacksTest, FrameCapChangesAreLoggedOnce) {
  LogCapture log;
  OnActiveFpsText(ctx, "31");
  OnActiveFpsText(ctx, "31");  // the box reports its own text again: no second line
  OnSleepFpsText(ctx, "11");
  EXPECT_EQ(log.Count("ActiveFPS set to: 31"), 1);
  EXPECT_EQ(log.Count("InactiveFPS set to: 11"), 1);
}

TEST_F(CallbacksTest, ModelScaleTakesNumbersBetweenZeroAnd999) {
  struct Case {
    const char* text;
    float scale;  // afterwards, from 2.54
    const char* error;
  } cases[] = {
      {"1.5", 1.5f, ""},
      {"100cm", 100.0f, ""},  // trailing text ignored
      {"998.99", 998.99f, ""},
      {"0", 2.54f, "Model Scale: Please enter\n a scale between 0-999"},
      {"999", 2.54f, "Model Scale: Please enter\n a scale between 0-999"},
      {"-3", 2.54f, "Model Scale: Please enter\n a scale between 0-999"},
      {"nan", 2.54f, "Model Scale: Please enter\n a scale between 0-999"},
      {"inf", 2.54f, "Model Scale: Please enter\n a scale between 0-999"},
      {"scale", 2.54f, "Model Scale: Not a valid float"},
      {"", 2.54f, "Model Scale: Not a valid float"},
  };
  for (const Case& c : cases) {
    gSettings.scale = 2.54f;
    gui.errorText.clear();
    OnModelScaleText(ctx, c.text);
    EXPECT_FLOAT_EQ(gSettings.scale, c.scale) << c.text;
    EXPECT_EQ(gui.errorText, c.error) << c.text;
    if (*c.error) EXPECT_EQ(Box("model_scale"), "2.54") << c.text;  // the scale in force again
  }
}

TEST_F(CallbacksTest, ModelScaleEqualToTheCurrentChangesNothingAndANewOneIsLogged) {
  LogCapture log;
  OnModelScaleText(ctx, "2.54");
  EXPECT_TRUE(log.Lines().empty());
  OnModelScaleText(ctx, "3");
  EXPECT_TRUE(log.Has("XmodelScale SetTo: 3.00"));
  EXPECT_FLOAT_EQ(gSettings.scale, 3.0f);
}

// A locale whose numbers are written with a decimal comma.
struct DecimalComma : std::numpunct<char> {
  char do_decimal_point() const override { return ','; }
};

TEST_F(CallbacksTest, NumbersAreReadTheSameInALocaleWithADecimalComma) {
  // The program's C++ locale, and the C locale's numbers where a comma locale is installed: the
  // typed "2.5" must still read as two and a half, and "2,5" as 2.
  const std::locale saved = std::locale::global(std::locale(std::locale::classic(), new DecimalComma));
  const bool cComma = std::setlocale(LC_NUMERIC, "de_DE.UTF-8") || std::setlocale(LC_NUMERIC, "fr_FR.UTF-8");
  OnModelScaleText(ctx, "2.5");
  const float dotted = gSettings.scale;
  OnModelScaleText(ctx, "7,5");
  const float commaed = gSettings.scale;
  OnActiveFpsText(ctx, "1.200");
  std::setlocale(LC_NUMERIC, "C");
  std::locale::global(saved);
  EXPECT_FLOAT_EQ(dotted, 2.5f) << (cComma ? "with" : "without") << " a C locale of decimal commas";
  EXPECT_FLOAT_EQ(commaed, 7.0f);
  EXPECT_EQ(gSettings.fps_active, 40);  // "1" is below the bound: no thousands separators
}

// ---- Folders --------------------------------------------------------------------------------

TEST_F(CallbacksTest, PickedGameRootsAreTakenOnlyWithRawXmodel) {
  const std::string good = MakeGameRoot("cod4");
  const std::string rawOnly = folder.Path("rawonly");
  std::filesystem::create_directories(rawOnly + "/raw");
  const std::string capitalRaw = folder.Path("capital");
  std::filesystem::create_directories(capitalRaw + "/Raw/xmodel");
  const std::string noRaw = folder.Path("plain");
  std::filesystem::create_directories(noRaw);
  const std::string cod4Refusal =
      "No 'raw' folder found make sure you select the root cod4 directory and have mod tools installed.";

  struct Case {
    const char* name;
    std::string pick;
    std::string root;  // dir_cod4 afterwards, from "/old"
    std::string error;
  } cases[] = {
      {"good", good, good, ""},
      {"cancel", "", "/old", ""},
      {"no raw", noRaw, "/old", cod4Refusal},
      {"Raw spelt with a capital", capitalRaw, "/old", cod4Refusal},
      {"raw without xmodel", rawOnly, "/old",
       "No 'raw/xmodel' folder found make sure you select the root cod4 directory and have mod tools installed."},
  };
  for (const Case& c : cases) {
    gSettings.dir_cod4 = "/old";
    gui.SetText("output_cod4", "/old");
    gui.errorText.clear();
    picked = c.pick;
    OnPickCod4Root(ctx);
    EXPECT_EQ(gSettings.dir_cod4, c.root) << c.name;
    EXPECT_EQ(Box("output_cod4"), c.root) << c.name;
    EXPECT_EQ(gui.errorText, c.error) << c.name;
    EXPECT_EQ(iwdErrors.size(), c.root == good ? 1u : 0u) << c.name;  // only a taken root is checked
    iwdErrors.clear();
  }
  EXPECT_EQ(pickerTitles.back(), "Select COD 4 'root' folder");
  // The chosen root does not switch the game or the list.
  EXPECT_EQ(gSettings.active_game, 0);
  EXPECT_EQ(title, "");
}

TEST_F(CallbacksTest, EachGameRootPickerSetsItsOwnRootAndNamesItsGame) {
  struct Case {
    void (*pick)(ScreenContext&);
    void (*reset)(ScreenContext&);
    std::string VornSettings::*root;
    const char* box;
    const char* title;
    const char* game;
  } cases[] = {
      {OnPickCod4Root, OnResetCod4Path, &VornSettings::dir_cod4, "output_cod4", "Select COD 4 'root' folder", "cod4"},
      {OnPickCod5Root, OnResetCod5Path, &VornSettings::dir_cod5, "output_cod5", "Select COD 5 'root' folder", "cod5"},
      {OnPickCodBORoot, OnResetCodBOPath, &VornSettings::dir_bo1, "output_cod_bo",
       "Select COD Black Ops 'root' folder", "cod BO"},
  };
  const std::string root = MakeGameRoot("game");
  for (const Case& c : cases) {
    picked = root;
    c.pick(ctx);
    EXPECT_EQ(pickerTitles.back(), c.title);
    EXPECT_EQ(gSettings.*c.root, root) << c.title;
    EXPECT_EQ(Box(c.box), root);
    // The IWD tool checks the new root (which lacks its image folders).
    EXPECT_EQ(gIWDUtils.MainPath(), root + "/main");
    EXPECT_EQ(iwdErrors.back(), kIwdFoldersMissing);

    picked = folder.Root();  // no "raw" there
    c.pick(ctx);
    EXPECT_EQ(gui.errorText, std::string("No 'raw' folder found make sure you select the root ") + c.game +
                                 " directory and have mod tools installed.");
    EXPECT_EQ(gSettings.*c.root, root);

    c.reset(ctx);
    EXPECT_EQ(gSettings.*c.root, "Set Path");
    EXPECT_EQ(Box(c.box), "Set Path");
  }
}

TEST_F(CallbacksTest, OutputFoldersArePickedOrResetAndHandedToTheJobs) {
  picked = folder.Path("exports");
  OnPickExportFolder(ctx);
  picked = folder.Path("gdts");
  OnPickGDTFolder(ctx);
  EXPECT_EQ(pickerTitles, (std::vector<std::string>{"Select export Folder", "Select folder to place GDT's"}));
  EXPECT_EQ(gSettings.dir_export, folder.Path("exports"));
  EXPECT_EQ(gSettings.dir_gdt, folder.Path("gdts"));
  EXPECT_EQ(Box("output_dir"), folder.Path("exports"));
  EXPECT_EQ(Box("output_GDT_dir"), folder.Path("gdts"));

  picked = "";  // cancelled: nothing changes
  OnPickExportFolder(ctx);
  OnPickGDTFolder(ctx);
  EXPECT_EQ(gSettings.dir_export, folder.Path("exports"));

  OnResetExportFolder(ctx);
  OnResetGDTFolder(ctx);
  EXPECT_EQ(gSettings.dir_export, "Running Directory");
  EXPECT_EQ(gSettings.dir_gdt, "Running Directory");
  EXPECT_EQ(Box("output_dir"), "Running Directory");
  EXPECT_EQ(Box("output_GDT_dir"), "Running Directory");
  EXPECT_EQ(exportFolders, (std::vector<std::string>{folder.Path("exports"), ""}));
  EXPECT_EQ(gdtFolders, (std::vector<std::string>{folder.Path("gdts"), ""}));
}

TEST(HasRawFolder, MatchesOneSubFolderExactly) {
  TempFolder folder;
  std::filesystem::create_directories(folder.Path("good/raw"));
  std::filesystem::create_directories(folder.Path("capital/Raw"));
  std::filesystem::create_directories(folder.Path("longer/raws"));
  std::filesystem::create_directories(folder.Path("file"));
  folder.Write("file/raw", "not a folder");
  std::filesystem::create_directories(folder.Path("linked/target"));
  std::filesystem::create_directory_symlink(folder.Path("linked/target"), folder.Path("linked/raw"));
  std::filesystem::create_directories(folder.Path("empty"));

  struct Case {
    std::string root;
    bool has;
  } cases[] = {
      {folder.Path("good"), true},
      {folder.Path("good/"), true},
      {folder.Path("capital"), false},
      {folder.Path("longer"), false},
      {folder.Path("file"), false},
      {folder.Path("linked"), true},  // a link to a folder is a folder
      {folder.Path("empty"), false},
      {folder.Path("missing"), false},
      {"", false},
  };
  for (const Case& c : cases) EXPECT_EQ(platform::HasRawFolder(c.root, "raw"), c.has) << c.root;
}

// ---- Game switch ----------------------------------------------------------------------------

TEST_F(CallbacksTest, GameSwitchThreadListsTheRootAndRefusesRootsThatCannotBeListed) {
  gSettings.dir_cod4 = MakeGameRoot("cod4", {"gun_a", "gun_b", "gun_c"});
  gSettings.dir_cod5 = "Set Path";
  gSettings.dir_bo1 = folder.Path("bo_without_models");
  std::filesystem::create_directories(gSettings.dir_bo1 + "/raw");

  struct Case {
    const char* name;
    int index;
    bool result;
    const char* message;  // the message box's text
    std::string error;    // the error box's text
  } cases[] = {
      {"Cod4 root with models", 0, true, "", ""},
      {"Cod5 root not set", 1, false, "Directory Not Set", ""},
      {"Cod BO root without raw/xmodel", 2, false, "",
       "Xmodel List: '" + gSettings.dir_bo1 + "' is not a valid path"},
      {"no game", 3, false, "", "Unkown Game selected in dropbox."},
  };
  for (const Case& c : cases) {
    gui.messageText.clear();
    gui.errorText.clear();
    gSettings.active_game = 0;
    jobGame = GameId::Cod4;
    EXPECT_EQ(OnActiveGameChanged(ctx, c.index), c.result) << c.name;
    WaitForListing();
    EXPECT_EQ(gui.messageText, c.message) << c.name;
    EXPECT_EQ(gui.errorText, c.error) << c.name;
    // A game whose list cannot be shown changes neither the stored game nor the readers' game.
    EXPECT_EQ(gSettings.active_game, 0) << c.name;
    EXPECT_EQ(jobGame, GameId::Cod4) << c.name;
  }
  EXPECT_EQ(title, gSettings.dir_cod4);
  EXPECT_EQ(xmodelList.GetFolder(), gSettings.dir_cod4 + "/raw/xmodel");

  // Switching to a listable Cod5 root takes both.
  gSettings.dir_cod5 = MakeGameRoot("cod5", {"tank"});
  EXPECT_TRUE(SetActiveGame(ctx, 1, false));
  WaitForListing();
  EXPECT_EQ(gSettings.active_game, 1);
  EXPECT_EQ(jobGame, GameId::Cod5);
  EXPECT_EQ(title, gSettings.dir_cod5);
  std::lock_guard<std::mutex> lock(LoaderMutex);
  ASSERT_NE(xmodelList.shownNames, nullptr);
  EXPECT_EQ(*xmodelList.shownNames, (std::vector<std::string>{"tank"}));
}

TEST_F(CallbacksTest, GameSwitchThreadWithoutMessagesIsSilentAndRefusedWhileAListingRuns) {
  gSettings.dir_cod5 = "Set Path";
  EXPECT_FALSE(SetActiveGame(ctx, 1, false));
  EXPECT_EQ(gui.messageText, "");
  EXPECT_EQ(gui.errorText, "");

  // A listing is under way (it cannot end while the test holds the loader's lock): the switch is
  // refused with a warning and changes nothing.
  gSettings.dir_cod4 = MakeGameRoot("cod4", {"a", "b"});
  gSettings.dir_bo1 = MakeGameRoot("bo", {"x"});
  LogCapture log;
  {
    std::unique_lock<std::mutex> lock(LoaderMutex, std::defer_lock);
    ASSERT_TRUE(SetActiveGame(ctx, 0, false));
    lock.lock();
    ASSERT_TRUE(xmodelList.IsLoading());
    EXPECT_FALSE(SetActiveGame(ctx, 2, true));
    EXPECT_TRUE(log.Has("------ WARNING: User tried to switch active game while list is still loading."));
    EXPECT_EQ(gSettings.active_game, 0);
    EXPECT_EQ(jobGame, GameId::Cod4);
  }
  WaitForListing();
  EXPECT_EQ(xmodelList.GetFolder(), gSettings.dir_cod4 + "/raw/xmodel");
}

// ---- Small ones -----------------------------------------------------------------------------

TEST_F(CallbacksTest, ClearSearchTagRowFastFileAndUpdateButtons) {
  gui.SetText("xmodel_search", "gun");
  OnClearSearch(ctx);
  EXPECT_EQ(Box("xmodel_search"), "");

  XmodelBone bone;
  bone.name = "tag_flash";
  bone.parent = 255;
  gBoneDisplay.Build({bone});
  TreeRow row("tag_flash", "");
  EXPECT_TRUE(OnTagRowClicked(ctx, &row));
  EXPECT_EQ(gBoneDisplay.FindByName("tag_flash")->mark, BoneDisplayNode::kMarked);
  TreeRow other("tag_none", "");
  EXPECT_TRUE(OnTagRowClicked(ctx, &other));
  EXPECT_TRUE(OnTagRowClicked(ctx, nullptr));
  gBoneDisplay.Clear();

  OnFastFileScanner(ctx);
  EXPECT_NE(gui.messageText.find("fast file"), std::string::npos);

  int checks = 0;
  ctx.hooks.checkForUpdates = [&] { ++checks; };
  OnCheckForUpdates(ctx);
  EXPECT_EQ(checks, 1);
  ctx.hooks.checkForUpdates = nullptr;
  LogCapture log;
  OnCheckForUpdates(ctx);  // no updater: said in the log, nothing else
  EXPECT_FALSE(log.Lines().empty());
}

}  // namespace
