#include "program_driver.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <thread>

#include "app/vorn_opengl.h"
#include "app/win_main.h"
#include "platform/events.h"
#include "platform/files.h"
#include "support/graphics_driver.h"
#include "support/png_writer.h"
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

void LinkProgramAssets(const std::string& folder) {
  for (const char* asset : {"shaders", "images", "Fonts", "sounds", "gui_textures.txt"}) {
    const std::string built = std::string(DELVIX_PROGRAM_DIR) + "/" + asset;
    if (platform::PathExists(built)) {
      EXPECT_EQ(::symlink(built.c_str(), (folder + "/" + asset).c_str()), 0);
    }
  }
}

bool KeepScreenshot(const std::string& dds, const std::string& name, const std::string& what) {
  const std::string png = ScreenshotFolder() + name + ".png";
  const std::string command = "/usr/bin/python3 -c 'import sys; from PIL import Image; Image.open(sys.argv[1]).save(sys.argv[2])' '" +
                              dds + "' '" + png + "'";
  if (std::system(command.c_str()) != 0) return false;
  std::printf("screenshot of %s: %s\n", what.c_str(), png.c_str());
  return true;
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

bool XdotoolMove(const std::string& window, int x, int y) {
  // x and y are client coordinates; the window's own frame lies around the client area.
  const platform::FrameInsets insets = OnMainThread([] { return gOpenGL->window->Insets(); });
  Xdotool("mousemove --window " + window + " " + std::to_string(x + insets.left) + " " +
          std::to_string(y + insets.top));
  const bool seen = WaitUntil([&] {
    return OnMainThread([&] { return gOpenGL->gui.mouseX == static_cast<float>(x) && gOpenGL->gui.mouseY == static_cast<float>(y); });
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

bool XdotoolClick(const std::string& window, int x, int y) {
  return XdotoolMove(window, x, y) && XdotoolPress(x, y);
}

}  // namespace testing_support
