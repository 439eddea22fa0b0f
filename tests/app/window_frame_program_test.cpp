// The real program's own window frame under a window manager (openbox), driven by real input: no
// decorations of the window manager; the frame in each theme after a switch through the theme
// manager's callback; the close button's hover picture; the caption drag moves the window; the
// pointer shows the resize direction over the bottom-right corner, whose drag resizes it; the
// caption buttons and double clicks maximise and restore it to its old rectangle; the minimise
// button minimises and the close button ends the program in order. Screenshots are kept for a
// person to look at: <build>/tests/screenshots/frame_*.png.
#include <gtest/gtest.h>
#include <unistd.h>

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <functional>
#include <string>
#include <thread>

#include "app/win_main.h"
#include "core/log.h"
#include "app/vorn_opengl.h"
#include "desktop/colour_themes.h"
#include "desktop/custom_frame.h"
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

// The press is held a while before the pointer moves, as a hand does: the program hands a press to
// the window manager only while the button is still down, and frames are slow on a loaded machine.
void Drag(int fromX, int fromY, int dx, int dy) {
  RunTool({"xdotool", "mousemove", std::to_string(fromX), std::to_string(fromY), "mousedown", "1", "sleep", "0.6",
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

struct Rgb {
  int r = -1, g = -1, b = -1;
};

std::ostream& operator<<(std::ostream& out, const Rgb& c) { return out << c.r << "," << c.g << "," << c.b; }

// Within two steps per channel (gradients are interpolated across the strip).
bool Near(const Rgb& a, const Rgb& b) { return std::abs(a.r - b.r) <= 2 && std::abs(a.g - b.g) <= 2 && std::abs(a.b - b.b) <= 2; }

Rgb RgbOf(const FrameColour& c) { return {c.r >> 8, c.g >> 8, c.b >> 8}; }
Rgb RgbOfPacked(uint32_t packed) { return {int(packed & 0xFF), int(packed >> 8 & 0xFF), int(packed >> 16 & 0xFF)}; }

// The screen's pixel at (x, y).
Rgb ScreenPixel(int x, int y) {
  const std::string out = Tool({"import", "-window", "root", "-crop", "1x1+" + std::to_string(x) + "+" + std::to_string(y),
                                "-depth", "8", "-format", "%[fx:int(255*r)] %[fx:int(255*g)] %[fx:int(255*b)]", "info:"});
  Rgb c;
  std::sscanf(out.c_str(), "%d %d %d", &c.r, &c.g, &c.b);
  return c;
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

// Switches the theme through the theme manager's callback, as the theme drop-down does, and
// waits until the frame shows it: the caption's corners in the theme's colours for the window's
// active state (active: it has the keyboard focus), the edge lines around the client area in its
// line colours. Keeps a screenshot.
void ExpectFrameInTheme(const Geometry& g, int index, bool active, const std::string& screenshot) {
  ASSERT_TRUE(OnMainThread([index] { return OnThemeChanged(index); }));
  const ThemeColours& theme = gThemeManager.Theme(index);
  Rgb left;
  EXPECT_TRUE(WaitUntil([&] {
    left = ScreenPixel(g.x + 1, g.y + 1);
    return Near(left, RgbOf(theme.Corners(active)[kTopLeft]));
  }, 20000)) << "theme " << index << (active ? " active" : " inactive") << ": caption starts in " << left;
  const Rgb right = ScreenPixel(g.x + g.width - 2, g.y + 1);
  EXPECT_TRUE(Near(right, RgbOf(theme.Corners(active)[kTopRight]))) << "theme " << index << ": caption ends in " << right;
  const Rgb above = ScreenPixel(g.x + 100, g.y + WindowFrame::kCaptionArea - 1);
  const Rgb below = ScreenPixel(g.x + 100, g.y + g.height - WindowFrame::kBorder);
  EXPECT_TRUE(Near(above, RgbOfPacked(theme.firstInnerLine))) << "theme " << index << ": line above the client " << above;
  EXPECT_TRUE(Near(below, RgbOfPacked(theme.secondInnerLine))) << "theme " << index << ": line below the client " << below;
  KeepScreenshot(screenshot, g);
}

// The caption button k places from the right (0 close, 1 maximise or restore, 2 minimise): the
// centre of its picture on the screen.
void CaptionButtonCentre(const Geometry& g, bool maximised, int k, int& x, int& y) {
  x = g.x + g.width - WindowFrame::kButtonSpacing * k - 22 + 7;
  y = g.y + (maximised ? 9 : 3) + 7;
}

bool Maximised(const std::string& id) { return WindowState(id).find("MAXIMIZED_HORZ") != std::string::npos; }

// Maximises the window by clicking twice on the caption (double) or on the maximise button, and
// restores it the same way: full screen in between, its old rectangle after.
void ExpectMaximiseAndRestore(const std::string& id, bool doubleClick, const std::string& screenshot) {
  // The place of the buttons is read once the window has settled (a resize just made may still
  // be going through the window manager on a loaded machine).
  Geometry before = WindowGeometry(id);
  EXPECT_TRUE(WaitUntil([&] {
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    const Geometry now = WindowGeometry(id);
    const bool settled = now.x == before.x && now.y == before.y && now.width == before.width &&
                         now.height == before.height;
    before = now;
    return settled;
  }, 10000));
  int x = before.x + 300, y = before.y + 15;
  if (!doubleClick) CaptionButtonCentre(before, false, 1, x, y);
  doubleClick ? DoubleClick(x, y) : Click(x, y);
  ASSERT_TRUE(WaitUntil([&] { return Maximised(id); }, 20000));
  Geometry max;
  EXPECT_TRUE(WaitUntil([&] {
    max = WindowGeometry(id);
    return max.width == 1024 && max.height == 768;
  }, 10000)) << max.width << "x" << max.height;
  // The restore button stands where maximise stood; the caption's contents sit lower.
  std::this_thread::sleep_for(std::chrono::milliseconds(500));
  KeepScreenshot(screenshot, {max.x, max.y, max.width, 60});
  if (!doubleClick) CaptionButtonCentre(max, true, 1, x, y);
  else x = max.x + 300, y = max.y + 15;
  doubleClick ? DoubleClick(x, y) : Click(x, y);
  EXPECT_TRUE(WaitUntil([&] { return !Maximised(id); }, 20000));
  Geometry after;
  EXPECT_TRUE(WaitUntil([&] {
    after = WindowGeometry(id);
    return after.x == before.x && after.y == before.y && after.width == before.width && after.height == before.height;
  }, 10000)) << "restored to " << after.width << "x" << after.height << "+" << after.x << "+" << after.y << ", was "
             << before.width << "x" << before.height << "+" << before.x << "+" << before.y;
}

TEST(WindowFrameProgram, ThemesHoverMoveResizeMaximiseRestoreAndCloseThroughItsOwnFrame) {
  RunFramedProgram([](const std::string& id) {
    // No window-manager decorations: the window is its own frame.
    EXPECT_NE(Tool({"xprop", "-id", id, "_NET_FRAME_EXTENTS"}).find("= 0, 0, 0, 0"), std::string::npos);
    const Geometry start = WindowGeometry(id);
    EXPECT_EQ(start.width, 800 + 16);
    EXPECT_EQ(start.height, 600 + 39);

    ExpectFrameInTheme(start, 0, true, "frame_dark");
    ExpectFrameInTheme(start, 1, true, "frame_grey");
    ExpectFrameInTheme(start, 2, true, "frame_blue");
    // With another window in front the frame takes the theme's inactive colours.
    const int other = testing_support::StartProcess({"xmessage", "-geometry", "+700+650", "another window"});
    std::string otherId;
    EXPECT_TRUE(WaitUntil([&] {
      otherId = Tool({"xdotool", "search", "--onlyvisible", "--name", "xmessage"});
      return !otherId.empty();
    }, 10000));
    RunTool({"xdotool", "windowactivate", "--sync", otherId.substr(0, otherId.find('\n'))});
    ExpectFrameInTheme(start, 2, false, "frame_blue_inactive");
    testing_support::EndProcess(other);
    RunTool({"xdotool", "windowactivate", "--sync", id});
    EXPECT_TRUE(WaitUntil([&] { return OnMainThread([] { return gWindowFrame.frame.Active(); }); }, 10000));

    // The close button under the pointer shows its hover picture (red).
    int closeX = 0, closeY = 0;
    CaptionButtonCentre(start, false, 0, closeX, closeY);
    RunTool({"xdotool", "mousemove", std::to_string(closeX), std::to_string(closeY)});
    Rgb hover;
    EXPECT_TRUE(WaitUntil([&] {
      hover = ScreenPixel(closeX - 5, closeY);
      return hover.r > hover.g + 80;
    }, 10000)) << hover;
    KeepScreenshot("frame_close_hover", {start.x + start.width - 200, start.y, 200, 40});

    // Caption drag moves the window.
    Drag(start.x + 300, start.y + 15, 100, 80);
    EXPECT_TRUE(WaitUntil([&] { return WindowGeometry(id).x == start.x + 100; }, 20000));
    const Geometry moved = WindowGeometry(id);
    EXPECT_EQ(moved.y, start.y + 80);
    EXPECT_EQ(moved.width, start.width);

    // Over the bottom-right corner the pointer shows the resize direction; dragging it resizes
    // the window (the window manager measures the drag from where it sees the pointer when it
    // takes over).
    const int cornerX = moved.x + moved.width - 3, cornerY = moved.y + moved.height - 3;
    RunTool({"xdotool", "mousemove", std::to_string(cornerX), std::to_string(cornerY)});
    EXPECT_TRUE(WaitUntil([] {
      return OnMainThread([] { return gOpenGL->window->CurrentPointerShape(); }) == platform::PointerShape::ResizeNwSe;
    }, 10000));
    Drag(cornerX, cornerY, 60, 40);
    EXPECT_TRUE(WaitUntil([&] {
      const Geometry g = WindowGeometry(id);
      return g.width >= moved.width + 30 && g.height >= moved.height + 20;
    }, 10000)) << WindowGeometry(id).width << "x" << WindowGeometry(id).height;

    // Maximise and restore by the caption buttons, then by double clicks on the caption.
    ExpectMaximiseAndRestore(id, false, "frame_blue_maximised");
    ExpectMaximiseAndRestore(id, true, "frame_blue_maximised_by_double_click");

    // The close button (rightmost) ends the program.
    const Geometry g = WindowGeometry(id);
    CaptionButtonCentre(g, false, 0, closeX, closeY);
    Click(closeX, closeY);
  }, true);
}

TEST(WindowFrameProgram, MinimiseButtonMinimises) {
  RunFramedProgram([](const std::string& id) {
    const Geometry g = WindowGeometry(id);
    int x = 0, y = 0;
    CaptionButtonCentre(g, false, 2, x, y);
    Click(x, y);
    EXPECT_TRUE(WaitUntil([&] { return WindowState(id).find("Iconic") != std::string::npos; }, 20000));
  }, false);
}

}  // namespace
