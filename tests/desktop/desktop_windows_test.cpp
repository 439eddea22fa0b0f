// The program's own desktop windows on a test's X server with a window manager and a panel: the
// notification bubble in the work area's bottom-right corner, and the splash screen centred. The
// screenshots are kept for a person to look at: <build>/tests/screenshots/{bubble,splash}.png.
#include <gtest/gtest.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <sstream>
#include <thread>

#include "desktop/bubble.h"
#include "desktop/splash.h"
#include "platform/files.h"
#include "support/desktop_session.h"
#include "support/x_server.h"

namespace {

using testing_support::RunTool;
using testing_support::WaitUntil;

struct Geometry {
  int x = -1, y = -1, width = 0, height = 0;
  bool viewable = false;
};

Geometry WindowGeometry(uint64_t id) {
  std::string out;
  Geometry g;
  if (RunTool({"xwininfo", "-id", std::to_string(id)}, &out) != 0) return g;
  std::istringstream lines(out);
  for (std::string line; std::getline(lines, line);) {
    auto value = [&](const char* key, int& field) {
      const size_t at = line.find(key);
      if (at != std::string::npos) field = std::stoi(line.substr(at + std::string(key).size()));
    };
    value("Absolute upper-left X:", g.x);
    value("Absolute upper-left Y:", g.y);
    value("Width:", g.width);
    value("Height:", g.height);
    if (line.find("IsViewable") != std::string::npos) g.viewable = true;
  }
  return g;
}

// The window manager's work area: x, y, width, height.
Geometry WorkArea() {
  std::string out;
  RunTool({"xprop", "-root", "_NET_WORKAREA"}, &out);
  Geometry g;
  const size_t eq = out.find('=');
  if (eq != std::string::npos) {
    std::istringstream values(out.substr(eq + 1));
    char comma;
    values >> g.x >> comma >> g.y >> comma >> g.width >> comma >> g.height;
  }
  return g;
}

// Counts the windows named name that are on screen.
int VisibleWindowsNamed(const std::string& name) {
  std::string out;
  RunTool({"xdotool", "search", "--onlyvisible", "--name", name}, &out);
  int count = 0;
  for (char c : out) count += c == '\n';
  return count;
}

std::string KeepScreenshot(const std::string& name, int x, int y, int width, int height) {
  const std::string folder = std::string(DELVIX_PROGRAM_DIR) + "/../tests/screenshots";
  platform::CreateFolders(folder);
  const std::string path = folder + "/" + name + ".png";
  RunTool({"import", "-window", "root", "-crop",
           std::to_string(width) + "x" + std::to_string(height) + "+" + std::to_string(x) + "+" + std::to_string(y),
           path});
  return path;
}

class DesktopWindows : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    x_ = new testing_support::PrivateXServer;
    session_ = new testing_support::DesktopSession;
    std::string error;
    ready_ = x_->Start(error) && x_->StartWindowManager(error) && session_->StartTrayHost(error);
    if (!ready_) std::fprintf(stderr, "%s\n", error.c_str());
  }
  static void TearDownTestSuite() {
    delete session_;
    delete x_;
  }
  void SetUp() override {
    ASSERT_TRUE(ready_);
    ASSERT_EQ(::chdir(DELVIX_PROGRAM_DIR), 0);  // the pictures and fonts of the program folder
  }
  static inline testing_support::PrivateXServer* x_ = nullptr;
  static inline testing_support::DesktopSession* session_ = nullptr;
  static inline bool ready_ = false;
};

TEST_F(DesktopWindows, BubbleSitsAboveThePanelReplacesItsTextOpensOnClickAndSlidesAway) {
  VornBubble bubble;
  std::atomic<int> clicks{0};
  auto open = [&] {
    ++clicks;
    return true;
  };
  RunTool({"xdotool", "mousemove", "10", "10"});  // the pointer away from the corner
  ASSERT_TRUE(bubble.Show("Exported MA", "Exported: 'weapon_mp_m1garand_rifle'  (click to open dir)", open, 3000));
  ASSERT_TRUE(WaitUntil([&] { return bubble.WindowId() != 0 && WindowGeometry(bubble.WindowId()).height == 108; },
                        10000));
  const uint64_t window = bubble.WindowId();
  const Geometry work = WorkArea();
  const Geometry g = WindowGeometry(window);
  ASSERT_GT(work.height, 0);
  EXPECT_LT(work.height, 768) << "the panel reserves its strip";
  EXPECT_EQ(g.x + g.width, work.x + work.width);
  EXPECT_EQ(g.y + g.height, work.y + work.height);
  EXPECT_TRUE(g.viewable);

  // A second notice while it shows: the same window, the new text, the title kept.
  ASSERT_TRUE(bubble.Show("Exported OBJ", "Exported: 'body_alice' (click to open dir)", open, 3000));
  ASSERT_TRUE(WaitUntil([&] { return bubble.Showing().text == "Exported: 'body_alice' (click to open dir)"; }, 5000));
  EXPECT_EQ(bubble.Showing().title, "Exported MA");
  EXPECT_EQ(bubble.WindowId(), window);
  EXPECT_EQ(VisibleWindowsNamed("Delvix notice"), 1);
  std::this_thread::sleep_for(std::chrono::milliseconds(200));
  std::printf("bubble: %s\n", KeepScreenshot("bubble", work.x + work.width - 400, work.y + work.height - 160, 400,
                                             768 - (work.y + work.height - 160)).c_str());

  // A click runs the action, which closes the bubble.
  RunTool({"xdotool", "mousemove", "--window", std::to_string(window), "150", "60", "click", "1"});
  EXPECT_TRUE(WaitUntil([&] { return clicks == 1; }, 5000));
  EXPECT_TRUE(WaitUntil([&] { return !bubble.Running(); }, 5000));
  EXPECT_EQ(VisibleWindowsNamed("Delvix notice"), 0);

  // Left alone, it slides away after its time.
  RunTool({"xdotool", "mousemove", "10", "10"});
  const auto shown = std::chrono::steady_clock::now();
  ASSERT_TRUE(bubble.Show("Export GDT", "Exported GDT (click to open dir)", open, 1000));
  ASSERT_TRUE(WaitUntil([&] { return bubble.Running() && bubble.WindowId() != 0; }, 5000));
  ASSERT_TRUE(WaitUntil([&] { return !bubble.Running(); }, 10000));
  EXPECT_GE(std::chrono::steady_clock::now() - shown, std::chrono::milliseconds(1000));
  EXPECT_EQ(clicks, 1);

  // After shutdown notices are dropped.
  bubble.Shutdown();
  EXPECT_FALSE(bubble.Show("t", "x", open, 1000));
  EXPECT_FALSE(bubble.Running());
}

TEST_F(DesktopWindows, SplashIsCentredAndClosesOnlyAfterTheGuiAndTheMinimumTime) {
  std::atomic<int> order{0}, mainShownAt{0}, closedAt{0};
  const auto start = std::chrono::steady_clock::now();
  ASSERT_TRUE(ShowSplash([&] { mainShownAt = ++order; }, [&] { closedAt = ++order; }));
  SplashDone();  // the GUI is ready at once: the splash still waits for its time
  EXPECT_TRUE(SplashShowing());
  std::string id;
  ASSERT_EQ(RunTool({"xdotool", "search", "--onlyvisible", "--name", "^Delvix$"}, &id), 0);
  const Geometry g = WindowGeometry(std::stoull(id));
  EXPECT_EQ(g.width, 640);
  EXPECT_EQ(g.height, 256);
  EXPECT_EQ(g.x, 1024 / 2 - 320);
  EXPECT_EQ(g.y, 768 / 2 - 128);
  std::printf("splash: %s\n", KeepScreenshot("splash", g.x, g.y, 640, 256).c_str());

  // Until a main-loop turn looks, the splash stays; a click on it changes nothing.
  RunTool({"xdotool", "mousemove", std::to_string(g.x + 100), std::to_string(g.y + 100), "click", "1"});
  EXPECT_TRUE(SplashShowing()) << "a click does not close it";
  ASSERT_TRUE(WaitUntil([] {
    TryCloseSplash();  // as every main-loop turn does
    return !SplashShowing();
  }));
  EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(800));
  EXPECT_EQ(mainShownAt, 1);
  EXPECT_EQ(closedAt, 2);
  EXPECT_EQ(VisibleWindowsNamed("^Delvix$"), 0);
  CloseSplash();  // a second close does nothing
  EXPECT_EQ(order, 2);
}

}  // namespace
