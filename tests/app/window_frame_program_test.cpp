// The real program's own window frame under a window manager (openbox): no decorations of the
// window manager; the caption drag moves the window, the corner drag resizes it, a caption double
// click maximises and restores; the frame in the Dark and the Blue theme (screenshots kept for a
// person to look at: <build>/tests/screenshots/frame_{dark,blue}.png); the minimise button
// minimises and the close button ends the program in order.
#include <gtest/gtest.h>
#include <unistd.h>

#include <atomic>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <functional>
#include <string>
#include <thread>

#include "app/win_main.h"
#include "core/log.h"
#include "desktop/colour_themes.h"
#include "platform/events.h"
#include "platform/files.h"
#include "platform/main_thread.h"
#include "program_driver.h"
#include "support/graphics_driver.h"
#include "support/temp_folder.h"
#include "support/x_server.h"

namespace {

using testing_support::RunTool;
using testing_support::WaitUntil;

using testing_support::OnMainThread;

std::string Tool(const std::vector<std::string>& argv) {
  std::string out;
  RunTool(argv, &out, 10000);
  return out;
}

struct Geometry {
  int x = 0, y = 0, width = 0, height = 0;
};

Geometry WindowGeometry(const std::string& id) {
  Geometry g;
  const std::string out = Tool({"xdotool", "getwindowgeometry", "--shell", id});
  auto value = [&](const char* key) {
    const size_t at = out.find(std::string("\n") + key + "=");
    return at == std::string::npos ? -1 : std::atoi(out.c_str() + at + std::strlen(key) + 2);
  };
  g.x = value("X"), g.y = value("Y"), g.width = value("WIDTH"), g.height = value("HEIGHT");
  return g;
}

std::string WindowState(const std::string& id) { return Tool({"xprop", "-id", id, "_NET_WM_STATE", "WM_STATE"}); }

// A press and release as a person makes it: the window manager must see the button held when the
// program hands it the move.
void Click(int x, int y) {
  RunTool({"xdotool", "mousemove", std::to_string(x), std::to_string(y), "sleep", "0.2", "mousedown", "1", "sleep",
           "0.08", "mouseup", "1"});
}

void DoubleClick(int x, int y) {
  RunTool({"xdotool", "mousemove", std::to_string(x), std::to_string(y), "mousedown", "1", "sleep", "0.08",
           "mouseup", "1", "sleep", "0.12", "mousedown", "1", "sleep", "0.08", "mouseup", "1"});
}

void Drag(int fromX, int fromY, int dx, int dy) {
  RunTool({"xdotool", "mousemove", std::to_string(fromX), std::to_string(fromY), "mousedown", "1", "sleep", "0.1",
           "mousemove", std::to_string(fromX + dx / 2), std::to_string(fromY + dy / 2), "sleep", "0.1", "mousemove",
           std::to_string(fromX + dx), std::to_string(fromY + dy), "sleep", "0.2", "mouseup", "1"});
}

std::string KeepScreenshot(const std::string& name, const Geometry& g) {
  const std::string folder = std::string(DELVIX_PROGRAM_DIR) + "/../tests/screenshots";
  platform::CreateFolders(folder);
  const std::string path = folder + "/" + name + ".png";
  RunTool({"import", "-window", "root", "-crop",
           std::to_string(g.width) + "x" + std::to_string(g.height) + "+" + std::to_string(g.x) + "+" + std::to_string(g.y),
           path});
  return path;
}

// The screen's pixel at (x, y) as "r,g,b".
std::string ScreenPixel(int x, int y) {
  std::string out = Tool({"import", "-window", "root", "-crop", "1x1+" + std::to_string(x) + "+" + std::to_string(y),
                          "-depth", "8", "-format", "%[fx:int(255*r)],%[fx:int(255*g)],%[fx:int(255*b)]", "info:"});
  while (!out.empty() && (out.back() == '\n' || out.back() == ' ')) out.pop_back();
  return out;
}

void WriteProgramFolder(const TempFolder& folder) {
  for (const char* asset : {"shaders", "images", "Fonts"}) {
    const std::string built = std::string(DELVIX_PROGRAM_DIR) + "/" + asset;
    ASSERT_EQ(::symlink(built.c_str(), folder.Path(asset).c_str()), 0);
  }
  std::ofstream(folder.Path("settings.xml")) << "<?xml version=\"1.0\"?>\n<genral>\n\t<tray_icon value=\"false\" />\n"
                                                "</genral>\n<theme>\n\t<active_frame_theme value=\"0\" />\n</theme>\n";
}

// Runs the program in a folder of its own under an X server with openbox; drive gets the main
// window's id once it shows. The program ends by itself (closeByDriver) or by a Quit afterwards.
void RunFramedProgram(const std::function<void(const std::string& id)>& drive, bool closeByDriver) {
  TempFolder folder;
  testing_support::PrivateXServer x;
  std::string error;
  ASSERT_TRUE(x.Start(error)) << error;
  ASSERT_TRUE(x.StartWindowManager(error)) << error;
  WriteProgramFolder(folder);
  VornLog::SetBoxHook([](const std::string&, const std::string&) {});
  std::atomic<bool> ended{false};
  std::thread driver([&] {
    // However the steps go, the program ends.
    struct QuitUnlessEnded {
      std::atomic<bool>* ended;
      ~QuitUnlessEnded() {
        if (!WaitUntil([&] { return ended->load(); }, 10000)) platform::PostEvent({.type = platform::EventType::Quit});
      }
    } quitAtEnd{&ended};
    std::string id;
    ASSERT_TRUE(WaitUntil([&] {
      id = Tool({"xdotool", "search", "--onlyvisible", "--name", "Vorn_Kesh Delvix"});
      return !id.empty();
    }, 30000));
    id = id.substr(0, id.find('\n'));
    // The GL context exists now: keep its driver loaded so leak reports stay attributable.
    testing_support::KeepGraphicsDriversLoaded();
    std::this_thread::sleep_for(std::chrono::milliseconds(1500));
    drive(id);
    if (closeByDriver) {
      EXPECT_TRUE(WaitUntil([&] { return ended.load(); }, 10000)) << "the close button did not end the program";
    } else {
      platform::PostEvent({.type = platform::EventType::Quit});
    }
  });
  EXPECT_EQ(RunProgram(folder.Root()), 0);
  ended = true;
  driver.join();
  const std::string log = TempFolder::ReadFileBytes(folder.Path("Log.txt"));
  EXPECT_NE(log.find("--- Closing Down ---"), std::string::npos);
  EXPECT_NE(log.find("VornOpenGL Shutdown"), std::string::npos);
}

TEST(WindowFrameProgram, ThemesMoveResizeMaximiseAndCloseThroughItsOwnFrame) {
  RunFramedProgram([](const std::string& id) {
    // No window-manager decorations: the window is its own frame.
    EXPECT_NE(Tool({"xprop", "-id", id, "_NET_FRAME_EXTENTS"}).find("= 0, 0, 0, 0"), std::string::npos);
    Geometry start = WindowGeometry(id);
    EXPECT_EQ(start.width, 800 + 16);
    EXPECT_EQ(start.height, 600 + 39);
    KeepScreenshot("frame_dark", start);

    // Theme switch: the caption's top-left pixel takes the Blue theme's corner colour.
    ASSERT_TRUE(OnMainThread([] { return OnThemeChanged(2); }));
    std::string corner;
    EXPECT_TRUE(WaitUntil([&] {
      corner = ScreenPixel(start.x + 1, start.y + 1);
      return corner == "27,67,119" || corner == "22,57,99";
    }, 20000)) << corner;
    KeepScreenshot("frame_blue", start);

    // Caption drag moves the window.
    Drag(start.x + 300, start.y + 15, 100, 80);
    EXPECT_TRUE(WaitUntil([&] { return WindowGeometry(id).x == start.x + 100; }, 20000));
    Geometry moved = WindowGeometry(id);
    EXPECT_EQ(moved.y, start.y + 80);
    EXPECT_EQ(moved.width, start.width);

    // Bottom-right corner drag resizes it (the window manager measures the drag from where it
    // sees the pointer when it takes over).
    Drag(moved.x + moved.width - 3, moved.y + moved.height - 3, 60, 40);
    EXPECT_TRUE(WaitUntil([&] {
      const Geometry g = WindowGeometry(id);
      return g.width >= moved.width + 30 && g.height >= moved.height + 20;
    }, 5000)) << WindowGeometry(id).width << "x" << WindowGeometry(id).height;

    // Double click on the caption maximises, and again restores.
    DoubleClick(moved.x + 300, moved.y + 15);
    EXPECT_TRUE(WaitUntil([&] { return WindowState(id).find("MAXIMIZED_HORZ") != std::string::npos; }, 20000));
    std::this_thread::sleep_for(std::chrono::milliseconds(500));
    const Geometry max = WindowGeometry(id);
    KeepScreenshot("frame_blue_maximised", {max.x, max.y, max.width, 60});
    DoubleClick(max.x + 300, max.y + 15);
    EXPECT_TRUE(WaitUntil([&] { return WindowState(id).find("MAXIMIZED_HORZ") == std::string::npos; }, 20000));
    std::this_thread::sleep_for(std::chrono::milliseconds(500));

    // The close button (rightmost) ends the program.
    const Geometry g = WindowGeometry(id);
    Click(g.x + g.width - 22 + 7, g.y + 10);
  }, true);
}

TEST(WindowFrameProgram, MinimiseButtonMinimises) {
  RunFramedProgram([](const std::string& id) {
    const Geometry g = WindowGeometry(id);
    Click(g.x + g.width - 60 + 7, g.y + 10);  // third from the right
    EXPECT_TRUE(WaitUntil([&] { return WindowState(id).find("Iconic") != std::string::npos; }, 20000));
  }, false);
}

}  // namespace
