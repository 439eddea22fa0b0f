#include "program_driver.h"

#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <thread>

#include "app/vorn_opengl.h"
#include "app/win_main.h"
#include "core/log.h"
#include "platform/events.h"
#include "platform/files.h"
#include "platform/key_codes.h"
#include "support/dds_builder.h"
#include "support/game_files.h"
#include "support/graphics_driver.h"
#include "support/pillow_reader.h"
#include "support/wait_until.h"

namespace testing_support {

int RunProgramDriven(const std::string& programFolder, const std::function<void()>& drive) {
  std::thread driver([&] {
    struct QuitAtEnd {
      ~QuitAtEnd() {
        platform::Event quit;
        quit.type = platform::EventType::Quit;
        platform::PostEvent(quit);
      }
    } quitAtEnd;
    if (!WaitUntil([] { return platform::TryPostToMainThread([] {}); })) return;
    KeepGraphicsDriversLoaded();
    drive();
  });
  const int exitCode = RunProgram(programFolder);
  driver.join();
  return exitCode;
}

ProgramFolder::ProgramFolder(const std::string& extraOpenglSettings, const std::string& extraSections) {
  for (const char* asset : {"shaders", "images", "Fonts", "sounds", "gui_textures.txt"}) {
    const std::string built = std::string(DELVIX_PROGRAM_DIR) + "/" + asset;
    if (platform::PathExists(built)) {
      EXPECT_EQ(::symlink(built.c_str(), Path(asset).c_str()), 0);
    }
  }
  // Exports go to the folder's own "exported".
  EXPECT_TRUE(platform::CreateFolders(Path("exported")));
  std::ofstream settings(Path("settings.xml"));
  settings << "<?xml version=\"1.0\"?>\n<genral>\n\t<active_game value=\"0\" />\n\t<tray_icon value=\"false\" />\n"
           << "\t<log_xmodel value=\"true\" />\n</genral>\n<dirs>\n\t<cod4 value=\"" << testfiles::RealDataPath("cod4")
           << "\" />\n\t<export value=\"" << Path("exported") << "\" />\n</dirs>\n<opengl>\n" << extraOpenglSettings
           << "</opengl>\n" << extraSections;
}

void ProgramFolder::ReplaceImage(const std::string& name, const std::vector<uint8_t>& bytes) const {
  const std::string built = std::string(DELVIX_PROGRAM_DIR) + "/images";
  ASSERT_EQ(::unlink(Path("images").c_str()), 0);
  ASSERT_TRUE(platform::CreateFolders(Path("images")));
  for (const auto& entry : std::filesystem::directory_iterator(built)) {
    const std::string image = entry.path().filename().string();
    if (image != name) {
      ASSERT_EQ(::symlink(entry.path().c_str(), Path("images/" + image).c_str()), 0);
    }
  }
  ASSERT_TRUE(testfiles::WriteBytes(Path("images/" + name), bytes));
}

int RunProgramWith(const ProgramFolder& folder, const std::function<void()>& drive) {
  // An error box waits for a click that never comes under the test's X server: a fatal error
  // (a missing asset, say) must end the test with its log line instead of hanging it.
  VornLog::SetBoxHook([](const std::string& caption, const std::string& text) {
    std::fprintf(stderr, "error box: %s: %s\n", caption.c_str(), text.c_str());
  });
  return RunProgramDriven(folder.Root(), [&] {
    // The model list of the active game first.
    if (!WaitUntil([] { return OnMainThread([] { return !gOpenGL->xmodelList.IsLoading(); }); })) return;
    drive();
  });
}

bool TakeScreenShot(const ProgramFolder& folder) {
  const std::string shot = folder.Path("VornDelvix_screenshot.dds");
  ::unlink(shot.c_str());
  platform::Event key;
  key.type = platform::EventType::KeyDown;
  key.keyCode = platform::vk::kF1 + 1;
  platform::PostEvent(key);
  const bool written = WaitUntil([&] { return platform::IsRegularFile(shot); });
  std::this_thread::sleep_for(std::chrono::milliseconds(200));
  return written;
}

std::string KeepScreenshot(const ProgramFolder& folder, const std::string& name) {
  if (!testfiles::PillowAvailable()) return "";
  const std::string shots = std::string(DELVIX_PROGRAM_DIR) + "/../tests/screenshots";
  if (!platform::CreateFolders(shots)) return "";
  const std::string png = shots + "/" + name + ".png";
  const std::string command =
      "/usr/bin/python3 -c 'import sys; from PIL import Image; Image.open(sys.argv[1]).save(sys.argv[2])' '" +
      folder.Path("VornDelvix_screenshot.dds") + "' '" + png + "'";
  return std::system(command.c_str()) == 0 ? png : "";
}

std::string Xdotool(const std::string& args) {
  std::string out;
  if (FILE* pipe = ::popen(("xdotool " + args + " 2>/dev/null").c_str(), "r")) {
    char buffer[256];
    while (std::fgets(buffer, sizeof buffer, pipe)) out += buffer;
    ::pclose(pipe);
  }
  while (!out.empty() && (out.back() == '\n' || out.back() == ' ')) out.pop_back();
  return out;
}

std::string ProgramWindow() {
  const std::string windows = Xdotool("search --name \"Vorn_Kesh Delvix\"");
  return windows.substr(0, windows.find('\n'));
}

bool XdotoolMove(const std::string& window, int x, int y) {
  // x and y are client coordinates; the window's own frame lies around the client area.
  const platform::FrameInsets insets = OnMainThread([] { return gOpenGL->window->Insets(); });
  Xdotool("mousemove --window " + window + " " + std::to_string(x + insets.left) + " " +
          std::to_string(y + insets.top));
  const bool seen = WaitUntil([&] {
    return OnMainThread([&] {
      return gOpenGL->gui.mouseX == static_cast<float>(x) && gOpenGL->gui.mouseY == static_cast<float>(y);
    });
  });
  std::this_thread::sleep_for(std::chrono::milliseconds(300));
  return seen;
}

bool XdotoolPress(int x, int y, bool release) {
  Xdotool("mousedown 1");
  const bool seen = WaitUntil([&] {
    return OnMainThread([&] { return gOpenGL->gui.pressX == x && gOpenGL->gui.pressY == y; });
  });
  std::this_thread::sleep_for(std::chrono::milliseconds(300));
  if (release) Xdotool("mouseup 1");
  std::this_thread::sleep_for(std::chrono::milliseconds(300));
  return seen;
}

bool XdotoolClick(const std::string& window, int x, int y) { return XdotoolMove(window, x, y) && XdotoolPress(x, y); }

}  // namespace testing_support
