// Window states that go through the window manager (openbox on a private Xvfb): maximise,
// minimise, restore, always-on-top and the close request.
#include <gtest/gtest.h>

#include <functional>

#include "platform/events.h"
#include "platform/key_codes.h"
#include "platform/window.h"
#include "support/graphics_driver.h"
#include "support/x_server.h"

namespace {

using platform::Event;
using platform::EventType;
using testing_support::RunTool;
using testing_support::WaitUntil;

class WindowManaged : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string error;
    ASSERT_TRUE(server_.Start(error)) << error;
    ASSERT_TRUE(server_.StartWindowManager(error)) << error;
    platform::WindowOptions options;
    options.title = "Delvix managed window test";
    options.x = options.y = 40;
    options.width = 400;
    options.height = 300;
    options.visible = true;
    ASSERT_EQ(window_.Create(options), platform::WindowStatus::Ok) << window_.ErrorText();
    testing_support::KeepGraphicsDriversLoaded();
    id_ = std::to_string(window_.NativeId());
    ASSERT_TRUE(WaitFor(EventType::Activated));  // managed and focused by the window manager
  }

  // Takes events until one is of type (true), or 30 s passed (false).
  bool WaitFor(EventType type) {
    return WaitUntil(
        [&] {
          Event e;
          while (platform::WaitEvent(e, 20)) {
            events_.push_back(e);
            if (e.type == type) return true;
          }
          return false;
        },
        30000);
  }

  bool StateHas(const std::string& atom) {
    std::string out;
    RunTool({"xprop", "-id", id_, "_NET_WM_STATE"}, &out, 10000);
    return out.find(atom) != std::string::npos;
  }

  testing_support::PrivateXServer server_;
  platform::MainWindow window_;
  std::string id_;
  std::vector<Event> events_;
};

TEST_F(WindowManaged, MaximiseMinimiseAndRestoreAreReported) {
  window_.Maximize();
  ASSERT_TRUE(WaitFor(EventType::Maximized));
  EXPECT_TRUE(window_.IsMaximized());
  window_.Restore();
  ASSERT_TRUE(WaitFor(EventType::Restored));
  EXPECT_FALSE(window_.IsMaximized());

  window_.Minimize();
  ASSERT_TRUE(WaitFor(EventType::Minimized));
  EXPECT_TRUE(window_.IsMinimized());
  window_.Restore();
  ASSERT_TRUE(WaitFor(EventType::Restored));
  EXPECT_FALSE(window_.IsMinimized());
}

TEST_F(WindowManaged, AlwaysOnTopIsSetAndCleared) {
  window_.SetAlwaysOnTop(true);
  EXPECT_TRUE(WaitUntil([&] { return StateHas("_NET_WM_STATE_ABOVE"); }, 30000));
  window_.SetAlwaysOnTop(false);
  EXPECT_TRUE(WaitUntil([&] { return !StateHas("_NET_WM_STATE_ABOVE"); }, 30000));
}

// Alt+F4 makes the window manager ask the window to close: the program hears the request and
// the window stays until the program closes it.
TEST_F(WindowManaged, CloseThroughTheWindowManagerIsARequest) {
  ASSERT_EQ(RunTool({"xdotool", "windowactivate", "--sync", id_}), 0);
  ASSERT_EQ(RunTool({"xdotool", "key", "alt+F4"}), 0);
  ASSERT_TRUE(WaitFor(EventType::CloseRequested));
  for (const Event& e : events_) EXPECT_NE(e.type, EventType::Quit);
  EXPECT_TRUE(window_.IsOpen());
  EXPECT_EQ(RunTool({"xwininfo", "-id", id_}), 0);  // still on the screen
}

}  // namespace
