// The dialog boxes in the running program, driven with real input on the test's own X server: the
// update box that a check against a local HTTPS server opens, its download with progress and its
// Cancel, and a failed download; the whole update once for real, through the installation to the
// start of the new program; the IWD image mover's box proposed once a game root with few images is
// chosen in the folder chooser, its scan with progress and its end message; the about box from
// the tray, the donation box and the message box. Screenshots are kept for a person to look at in
// <build>/tests/screenshots (update_box*.png, iwd_box*.png, iwd_end_message.png, about_box.png,
// donate_box.png, message_box.png).
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "app/update_plugs.h"
#include "app/vorn_opengl.h"
#include "core/project_site.h"
#include "desktop/system_tray.h"
#include "desktop/window_frame.h"
#include "iwd/iwd_box.h"
#include "iwd/iwd_utils.h"
#include "platform/open.h"
#include "program_driver.h"
#include "support/local_server.h"
#include "support/temp_folder.h"
#include "support/wait_until.h"
#include "support/x_server.h"
#include "support/zip_builder.h"

namespace {

namespace fs = std::filesystem;
using testing_support::PickFolderInSettings;
using testing_support::MenuHidden;
using testing_support::MenuShown;
using testing_support::OnMainThread;
using testing_support::ProgramFolder;
using testing_support::WaitUntil;
using testing_support::Xdotool;

// The 640 x 480 layout's boxes are centred in the 800 x 600 client area: their items move by half
// of the difference.
constexpr int kCentreX = (800 - 640) / 2;
constexpr int kCentreY = (600 - 480) / 2;

constexpr const char* kCheckAtStart = "\t<auto_update_check value=\"true\" />\n";

// A program folder whose settings are only these (a setting missing from a section that is there
// reads as off: the update check runs only when asked for).
void WriteSettings(const ProgramFolder& folder, const std::string& general) {
  std::ofstream(folder.Path("settings.xml")) << "<?xml version=\"1.0\"?>\n<genral>\n\t<tray_icon value=\"false\" />\n"
                                             << general << "</genral>\n";
}

// The environment variable name holds value while the object lives.
class ScopedEnvironment {
 public:
  ScopedEnvironment(const char* name, const std::string& value) : name_(name) { ::setenv(name, value.c_str(), 1); }
  ~ScopedEnvironment() { ::unsetenv(name_); }
  ScopedEnvironment(const ScopedEnvironment&) = delete;
  ScopedEnvironment& operator=(const ScopedEnvironment&) = delete;

 private:
  const char* name_;
};

// Runs the program in folder on an X server of the test's own; drive gets its window.
void RunOnOwnScreen(const ProgramFolder& folder, const std::function<void(const std::string& window)>& drive) {
  testing_support::OwnXServer x;
  ASSERT_TRUE(x.Running());
  EXPECT_EQ(testing_support::RunProgramWith(folder, [&] {
              const std::string window = testing_support::ProgramWindow();
              ASSERT_FALSE(window.empty());
              drive(window);
            }),
            0);
}

// Clicks the point (x, y) of the 640 x 480 layout of a centred box.
bool ClickBox(const std::string& window, int x, int y) {
  return testing_support::XdotoolClick(window, kCentreX + x, kCentreY + y);
}

// Keeps the frame the program draws next as <build>/tests/screenshots/<name>.png.
void KeepShot(const ProgramFolder& folder, const std::string& name) {
  ASSERT_TRUE(testing_support::TakeScreenShot(folder));
  testing_support::KeepScreenshot(folder, name);
}

int Progress(const std::string& name) { return OnMainThread([name] { return gOpenGL->gui.Progress(name); }); }
std::string ErrorText() { return OnMainThread([] { return gOpenGL->gui.errorText; }); }

// An update service on 127.0.0.1 offering version 1.05 with a package at route "package".
class UpdateService {
 public:
  // The package's entries (make_package.py) and further settings of its route.
  UpdateService(const std::string& entries, const std::string& routeExtras) {
    MakePackage(server.BodyPath("package.zip"), entries);
    server.Route("package", R"({"body": "package.zip")" + routeExtras + "}");
    server.Route("check", R"({"text": "{\"latest_version\": \"1.05\", \"update_url\": \")" + server.Url("package") +
                              R"(\"}"})");
  }
  // A request for route name has come.
  bool Asked(const std::string& name) const {
    for (const std::string& request : server.Requests()) {
      if (request.find("\"/" + name + "\"") != std::string::npos) return true;
    }
    return false;
  }

  LocalServer server{LocalServer::kHttps};
  ScopedEnvironment url{"DELVIX_UPDATE_URL", server.Url("check")};
  ScopedEnvironment authority{"DELVIX_UPDATE_CA_FILE", server.CaFile()};
};

// The update box's buttons, in the layout.
constexpr int kDownloadX = 150 + 128, kDownloadY = 250 + 32;
constexpr int kCancelX = 150 + 37, kCancelY = 285 + 10;

TEST(UpdateBoxProgram, CheckOpensTheBoxDownloadShowsProgressAndCancelStopsIt) {
  // A package that takes seconds to arrive; it lacks the program file, so it could never install.
  UpdateService service(R"([{"name": "data.bin", "text": "0123456789", "repeat": 300000, "stored": true}])",
                        R"(, "pace": 0.01)");
  ProgramFolder folder;
  WriteSettings(folder, kCheckAtStart);
  std::vector<int> seen;
  RunOnOwnScreen(folder, [&](const std::string& window) {
    EXPECT_TRUE(service.Asked("check"));
    ASSERT_TRUE(MenuShown("update_menu") && MenuShown("update_menu_download")) << folder.Log();
    EXPECT_TRUE(MenuShown("update_menu_background"));
    KeepShot(folder, "update_box");

    ASSERT_TRUE(ClickBox(window, kDownloadX, kDownloadY));
    ASSERT_TRUE(WaitUntil([] { return Progress("download_progress") > 0; }));
    EXPECT_TRUE(MenuShown("update_menu_cancel"));
    EXPECT_TRUE(MenuHidden("update_menu_download"));
    for (int i = 0; i < 5; ++i) {
      seen.push_back(Progress("download_progress"));
      std::this_thread::sleep_for(std::chrono::milliseconds(300));
    }
    KeepShot(folder, "update_box_downloading");

    ASSERT_TRUE(ClickBox(window, kCancelX, kCancelY));
    EXPECT_TRUE(WaitUntil([] { return OnMainThread([] { return !gUpdater->DownloadRunning(); }); }, 5000));
    EXPECT_TRUE(MenuHidden("update_menu"));
    EXPECT_TRUE(MenuHidden("update_menu_background"));
    EXPECT_TRUE(MenuHidden("update_menu_cancel"));
    EXPECT_LT(Progress("download_progress"), 150);
  });
  ASSERT_GE(seen.size(), 2u);
  EXPECT_LT(seen.front(), seen.back()) << "the bar did not move";
  const std::string log = folder.Log();
  EXPECT_NE(log.find("Download cancelled"), std::string::npos);
  EXPECT_EQ(log.find("Downloaded Update"), std::string::npos);
  EXPECT_FALSE(fs::exists(folder.Path("updates/VornDelvix_update_1.05.rar")));
}

TEST(UpdateBoxProgram, FailedDownloadClosesTheBoxAndSaysWhy) {
  UpdateService service(R"([{"name": "data.bin", "text": "x"}])", R"(, "status": 404)");
  ProgramFolder folder;
  WriteSettings(folder, kCheckAtStart);
  RunOnOwnScreen(folder, [&](const std::string& window) {
    ASSERT_TRUE(MenuShown("update_menu_download"));
    ASSERT_TRUE(ClickBox(window, kDownloadX, kDownloadY));
    ASSERT_TRUE(MenuShown("error_menu"));
    EXPECT_TRUE(MenuHidden("update_menu"));
    EXPECT_NE(ErrorText().find("Can't open url"), std::string::npos) << ErrorText();
    KeepShot(folder, "update_box_failed");
  });
}

// The real program, started as a process of its own from a copy in a folder of its own: the update
// box's download installs the package and the program starts the new program file after its normal
// shutdown. The new "program" is a script that leaves a mark.
TEST(UpdateBoxProgram, DownloadInstallsAndRestartsTheRealProgram) {
  UpdateService service(R"([{"name": "delvix", "text": "#!/bin/sh\necho restarted > restarted.txt\n"},
                            {"name": "shaders/new.glsl", "text": "// new\n"}])",
                        "");
  ProgramFolder folder;
  WriteSettings(folder, kCheckAtStart);
  // The package brings a file into shaders/: the folder gets one of its own.
  fs::remove(folder.Path("shaders"));
  fs::create_directory(folder.Path("shaders"));
  for (const auto& shader : fs::directory_iterator(std::string(DELVIX_PROGRAM_DIR) + "/shaders")) {
    fs::create_symlink(shader.path(), folder.Path("shaders/" + shader.path().filename().string()));
  }
  const std::string program = folder.Path("delvix");
  fs::copy_file(std::string(DELVIX_PROGRAM_DIR) + "/delvix", program);
  const std::string programBytes = folder.Read("delvix");

  testing_support::OwnXServer x;
  ASSERT_TRUE(x.Running());
  const int pid = testing_support::StartProcess({program});
  ASSERT_GT(pid, 0);
  std::string window;
  const bool found = WaitUntil([&] { return !(window = testing_support::ProgramWindow()).empty(); }, 30000) &&
                     WaitUntil([&] { return service.Asked("check"); });
  // The box fades in; the click is repeated until the package is asked for (a loaded machine draws
  // slowly, and a click between two frames can pass unseen).
  const std::string click = "mousemove --window " + window + " " +
                            std::to_string(WindowFrame::kBorder + kCentreX + kDownloadX) + " " +
                            std::to_string(WindowFrame::kCaptionArea + kCentreY + kDownloadY) +
                            " sleep 0.3 mousedown 1 sleep 0.3 mouseup 1";
  const bool downloading = found && WaitUntil([&] {
    std::this_thread::sleep_for(std::chrono::milliseconds(1000));
    Xdotool(click);
    return WaitUntil([&] { return service.Asked("package"); }, 3000);
  }, 40000);
  const bool restarted = downloading && WaitUntil([&] { return fs::exists(folder.Path("restarted.txt")); }, 60000);
  if (!restarted) ::kill(pid, SIGKILL);
  int status = -1;
  ::waitpid(pid, &status, 0);
  ASSERT_TRUE(found) << "the program's window did not show";
  ASSERT_TRUE(downloading) << "the download did not start";
  ASSERT_TRUE(restarted) << folder.Log();
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
  EXPECT_EQ(folder.Read("delvix.old"), programBytes);
  EXPECT_EQ(folder.Read("shaders/new.glsl"), "// new\n");
  const std::string log = folder.Log();
  EXPECT_NE(log.find("Downloaded Update"), std::string::npos);
  // The normal shutdown ran before the new program started.
  EXPECT_LT(log.find("--- Closing Down ---"), log.find("Restarting: " + program)) << log;
  EXPECT_LT(log.find("VornOpenGL Shutdown"), log.find("Restarting: " + program));
}

// A game root whose archives hold images, with a few loose images already there; two of its
// archives fail (one holds an entry that would leave the raw folder, one is no archive at all), so
// the scan ends with a message about them.
class IwdGameRoot {
 public:
  static constexpr int kArchives = 6;
  static constexpr int kImagesPerArchive = 15;

  IwdGameRoot() {
    fs::create_directories(Path("main"));
    fs::create_directories(Path("raw/images"));
    fs::create_directories(Path("raw/xmodel"));
    std::ofstream(Path("raw/images/kept.iwi")) << "kept";
    for (int a = 0; a < kArchives; ++a) {
      testfiles::ZipBuilder zip;
      for (int i = 0; i < kImagesPerArchive; ++i) zip.Add(ImageName(a, i), Bytes(a, i));
      zip.Add("images/kept.iwi", "from the archive");
      EXPECT_TRUE(zip.WriteTo(Path("main/iw_0" + std::to_string(a) + ".iwd")));
    }
    EXPECT_TRUE(testfiles::ZipBuilder()
                    .Add("../../" + std::string(80, 'e') + ".iwi", "outside")
                    .Add("images/beside.iwi", "beside")
                    .WriteTo(Path("main/iw_98_refused_entry.iwd")));
    std::ofstream(Path("main/iw_99_damaged.iwd")) << "this is no archive";
  }
  static std::string ImageName(int archive, int image) {
    return "images/a" + std::to_string(archive) + "_" + std::to_string(image) + ".iwi";
  }
  static std::string Bytes(int archive, int image) { return testfiles::PatternBytes(3000, archive * 100 + image); }
  // The root, with a blank in its name as game folders have.
  std::string Root() const { return folder_.Path("cod4 root"); }
  std::string Path(const std::string& name) const { return Root() + "/" + name; }
  std::string Read(const std::string& name) const { return TempFolder::ReadFileBytes(Path(name)); }

 private:
  TempFolder folder_;
};

TEST(IwdBoxProgram, ChosenRootWithFewImagesProposesTheToolWhichScansWithProgressAndEndsWithItsMessage) {
  IwdGameRoot game;
  ProgramFolder folder;
  WriteSettings(folder, "");
  // The folder chooser opens on the user's home folder: here, the game root.
  const char* home = std::getenv("HOME");
  const std::string savedHome = home ? home : "";
  ::setenv("HOME", game.Root().c_str(), 1);
  // The scan is paced, so that its progress can be seen.
  gIWDUtils.SetEntryHook([] { std::this_thread::sleep_for(std::chrono::milliseconds(25)); });
  std::string iwdText, imageText;
  int barMidway = 0;
  RunOnOwnScreen(folder, [&](const std::string& window) {
    // The user chooses the game root with the "..." button of the general settings: the image
    // count that follows proposes the tool.
    ASSERT_TRUE(PickFolderInSettings(window, 0, "Select COD 4 'root' folder", "iwd_root_chooser"));
    ASSERT_TRUE(MenuShown("iwd_images_menu") && MenuShown("iwd_images_menu_lock")) << folder.Log();
    KeepShot(folder, "iwd_box");

    ASSERT_TRUE(ClickBox(window, 440 + 35, 336 + 10));  // "Scan"
    ASSERT_TRUE(WaitUntil([] { return gIWDUtils.GetProgress().currentIwd >= 3; }));
    std::this_thread::sleep_for(std::chrono::milliseconds(150));
    iwdText = OnMainThread([] { return gOpenGL->gui.textMap[kIwdProgressTextKey]; });
    imageText = OnMainThread([] { return gOpenGL->gui.textMap[kIwiProgressTextKey]; });
    barMidway = Progress(kIwdScanProgressKey);
    KeepShot(folder, "iwd_box_scanning");

    // The end: the box closes and the error box names the first failed archive and counts the
    // other; wrapped to the box's column, the text ends above the box's "Close".
    ASSERT_TRUE(WaitUntil([] { return OnMainThread([] { return !gIWDUtils.GetProgress().running; }); }));
    ASSERT_TRUE(MenuShown("error_menu"));
    EXPECT_TRUE(MenuHidden("iwd_images_menu"));
    EXPECT_TRUE(MenuHidden("iwd_images_menu_lock"));
    const std::string message = ErrorText();
    EXPECT_NE(message.find("iw_98_refused"), std::string::npos) << message;
    EXPECT_NE(message.find("... and 1 more"), std::string::npos) << message;
    EXPECT_LE(std::count(message.begin(), message.end(), '\n'), 8) << message;
    KeepShot(folder, "iwd_end_message");
    ASSERT_TRUE(ClickBox(window, 380 + 32, 310 + 10));  // the error box's "Close"
    EXPECT_TRUE(MenuHidden("error_menu"));
  });
  gIWDUtils.SetEntryHook(nullptr);
  ::setenv("HOME", savedHome.c_str(), 1);

  EXPECT_EQ(iwdText.find('/') != std::string::npos ? iwdText.substr(iwdText.find('/') + 1) : "", "8");
  EXPECT_EQ(imageText.rfind("\n\n", 0), 0u) << imageText;
  EXPECT_GT(barMidway, 0);
  EXPECT_LT(barMidway, 150);
  for (int a = 0; a < IwdGameRoot::kArchives; ++a) {
    for (int i = 0; i < IwdGameRoot::kImagesPerArchive; ++i) {
      EXPECT_EQ(game.Read("raw/" + IwdGameRoot::ImageName(a, i)), IwdGameRoot::Bytes(a, i)) << a << " " << i;
    }
  }
  EXPECT_EQ(game.Read("raw/images/kept.iwi"), "kept");
  EXPECT_EQ(game.Read("raw/images/beside.iwi"), "beside");  // the refused entry's archive went on
}

TEST(DialogBoxesProgram, AboutLeadsToTheDonationBoxWhoseButtonOpensTheDonationPage) {
  ProgramFolder folder;
  WriteSettings(folder, "");
  std::mutex openedMutex;
  std::vector<std::string> opened;
  platform::SetOpenHook([&](const std::string& target) {
    std::lock_guard<std::mutex> lock(openedMutex);
    opened.push_back(target);
  });
  RunOnOwnScreen(folder, [&](const std::string& window) {
    OnMainThread([] {
      gOpenGL->RunTrayCommand(kTrayAbout);  // the tray's About..
      return true;
    });
    ASSERT_TRUE(MenuShown("about_menu"));
    KeepShot(folder, "about_box");
    ASSERT_TRUE(ClickBox(window, 350 + 32, 335 + 10));  // "Donate"
    ASSERT_TRUE(MenuShown("donate_menu") && MenuShown("donate_menu_lock"));
    EXPECT_TRUE(MenuHidden("about_menu"));
    KeepShot(folder, "donate_box");
    ASSERT_TRUE(testing_support::XdotoolClick(window, 17 + 35, 255 + 15));  // the picture's "Donate"
    EXPECT_TRUE(MenuHidden("donate_menu") && MenuHidden("donate_menu_lock"));

    OnMainThread([] {
      gOpenGL->gui.ShowMessage("No updates avalible");
      return true;
    });
    ASSERT_TRUE(MenuShown("msg_box_menu"));
    KeepShot(folder, "message_box");
    ASSERT_TRUE(ClickBox(window, 380 + 32, 310 + 10));  // "Close"
    EXPECT_TRUE(MenuHidden("msg_box_menu"));
  });
  platform::SetOpenHook(nullptr);
  ASSERT_EQ(opened.size(), 1u);
  EXPECT_EQ(opened[0], std::string(kProjectSite) + "/donate/");
}

}  // namespace
