// Window states that go through the window manager (openbox on a private Xvfb): maximise,
// minimise, restore, always-on-top and the close request. A window with a frame of the program's
// own, driven by real pointer input: the pointer's shape over the frame's edges and corners, the
// caption's double click (maximise, and restore to the old rectangle), and presses that the
// program reads only after their release.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "platform/events.h"
#include "platform/key_codes.h"
#include "platform/window.h"
#include "support/graphics_driver.h"
#include "support/x_server.h"

namespace {

using platform::Event;
using platform::EventType;
using platform::HitArea;
using platform::PointerShape;
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
    ASSERT_EQ(window_.Create(options), platform::WindowStatus::Ok) << window_.ErrorText();
    testing_support::KeepGraphicsDriversLoaded();
    BeforeShow();
    window_.Show();
    id_ = std::to_string(window_.NativeId());
    ASSERT_TRUE(WaitFor(EventType::Activated));  // managed and focused by the window manager
  }

  // What the window needs before it shows.
  virtual void BeforeShow() {}
  // Does what the test's program does with an event; keeps it.
  virtual void Take(const Event& e) { events_.push_back(e); }

  // Takes events until done holds after one (true), or 30 s passed (false).
  bool WaitFor(const std::function<bool(const Event&)>& done) {
    return WaitUntil(
        [&] {
          Event e;
          while (platform::WaitEvent(e, 20)) {
            Take(e);
            if (done(e)) return true;
          }
          return false;
        },
        30000);
  }
  bool WaitFor(EventType type) {
    return WaitFor([type](const Event& e) { return e.type == type; });
  }
  // Takes the events of the next ms milliseconds.
  void TakeEventsFor(int ms) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
    Event e;
    while (std::chrono::steady_clock::now() < end) {
      if (platform::WaitEvent(e, 20)) Take(e);
    }
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

constexpr int kBorder = 8, kCaption = 31;

// A frame like the program's: 8-pixel sides and bottom, a caption band of 31 pixels, corners
// reaching 16 pixels along each edge, a top edge of 3 pixels above the caption.
HitArea FrameHitTest(int x, int y, int width, int height) {
  const bool left = x < kBorder, right = x >= width - kBorder, top = y < 3, bottom = y >= height - kBorder;
  const bool nearLeft = x < 2 * kBorder, nearRight = x >= width - 2 * kBorder, nearBottom = y >= height - 2 * kBorder;
  if ((bottom && nearLeft) || (left && nearBottom)) return HitArea::BottomLeft;
  if ((bottom && nearRight) || (right && nearBottom)) return HitArea::BottomRight;
  if (top && left) return HitArea::TopLeft;
  if (top && right) return HitArea::TopRight;
  if (top) return HitArea::Top;
  if (bottom) return HitArea::Bottom;
  if (left) return HitArea::Left;
  if (right) return HitArea::Right;
  return y < kCaption ? HitArea::Caption : HitArea::Client;
}

struct Rect {
  int x = 0, y = 0, width = 0, height = 0;
  bool operator==(const Rect& o) const { return x == o.x && y == o.y && width == o.width && height == o.height; }
};

std::ostream& operator<<(std::ostream& out, const Rect& r) {
  return out << r.width << "x" << r.height << "+" << r.x << "+" << r.y;
}

// A window with a frame of its own that answers caption double clicks as the program does
// (maximise, or restore while maximised).
class CustomFrameWindow : public WindowManaged {
 protected:
  void BeforeShow() override {
    window_.SetCustomFrame({kBorder, kCaption, kBorder, kBorder}, [this](int x, int y) {
      int width = 0, height = 0;
      window_.WindowSize(width, height);
      return FrameHitTest(x, y, width, height);
    });
  }
  void Take(const Event& e) override {
    WindowManaged::Take(e);
    if (e.type == EventType::CaptionDoubleClick) window_.IsMaximized() ? window_.Restore() : window_.Maximize();
  }
  // Runs the pointer tool while the event loop goes on, as a person's input meets a running
  // program; then takes what is left.
  void WhileTakingEvents(const std::vector<std::string>& xdotool) {
    std::thread input([&] { RunTool(xdotool); });
    TakeEventsFor(100);
    input.join();
    TakeEventsFor(600);
  }

  Rect Geometry() {
    std::string out;
    RunTool({"xdotool", "getwindowgeometry", "--shell", id_}, &out, 10000);
    auto value = [&](const char* key) {
      const size_t at = out.find(std::string(key) + "=");
      return at == std::string::npos ? -1 : std::atoi(out.c_str() + at + std::strlen(key) + 1);
    };
    return {value("\nX"), value("\nY"), value("WIDTH"), value("HEIGHT")};
  }
  bool Maximised() { return StateHas("MAXIMIZED_HORZ"); }
  // xdotool steps of a double click at a window point: presses and releases 80 ms long.
  std::vector<std::string> DoubleClickAt(int x, int y) {
    return {"xdotool", "mousemove", "--window", id_, std::to_string(x), std::to_string(y), "mousedown", "1", "sleep",
            "0.08", "mouseup", "1", "sleep", "0.12", "mousedown", "1", "sleep", "0.08", "mouseup", "1"};
  }
};

TEST_F(CustomFrameWindow, PointerShowsTheResizeDirectionOverEdgesAndCornersOnly) {
  const int w = 400 + 2 * kBorder, h = 300 + kCaption + kBorder;
  struct Case {
    int x, y;
    PointerShape shape;
  };
  const Case cases[] = {
      {w - 3, h - 3, PointerShape::ResizeNwSe},   {1, 1, PointerShape::ResizeNwSe},
      {w - 2, 1, PointerShape::ResizeNeSw},       {3, h - 2, PointerShape::ResizeNeSw},
      {2, 150, PointerShape::ResizeWestEast},     {w - 4, 150, PointerShape::ResizeWestEast},
      {200, 1, PointerShape::ResizeNorthSouth},   {200, h - 3, PointerShape::ResizeNorthSouth},
      {200, 15, PointerShape::Arrow},             {200, 150, PointerShape::Arrow},
  };
  for (const Case& c : cases) {
    RunTool({"xdotool", "mousemove", "--window", id_, std::to_string(c.x), std::to_string(c.y)});
    EXPECT_TRUE(WaitFor([&](const Event&) { return window_.CurrentPointerShape() == c.shape; }))
        << c.x << "," << c.y << " shows " << static_cast<int>(window_.CurrentPointerShape());
  }
  // A drag from the client area keeps its shape over the frame.
  RunTool({"xdotool", "mousedown", "1", "mousemove", "--window", id_, std::to_string(w - 3), std::to_string(h - 3)});
  EXPECT_TRUE(WaitFor([](const Event& e) { return e.type == EventType::MouseMove && e.x > 400; }));
  EXPECT_EQ(window_.CurrentPointerShape(), PointerShape::Arrow);
  RunTool({"xdotool", "mouseup", "1"});
  EXPECT_TRUE(WaitFor([](const Event& e) { return e.type == EventType::ButtonUp; }));
}

// Each double click is tried twice: read while it happens, and read only after it is over
// (the event loop busy meanwhile, as after a slow frame).
TEST_F(CustomFrameWindow, CaptionDoubleClickMaximisesAndRestoresTheOldRectangle) {
  const Rect start = Geometry();
  ASSERT_EQ(start.width, 400 + 2 * kBorder);
  for (const bool late : {false, true}) {
    SCOPED_TRACE(late ? "read late" : "read at once");
    const auto clickTwice = [&](int x, int y) {
      if (late) {
        RunTool(DoubleClickAt(x, y));
        TakeEventsFor(600);
      } else {
        WhileTakingEvents(DoubleClickAt(x, y));
      }
    };
    clickTwice(200, 15);
    ASSERT_TRUE(WaitUntil([&] { return Maximised(); }, 10000));
    TakeEventsFor(300);
    EXPECT_EQ(Geometry().width, 1024);
    clickTwice(300, 15);
    EXPECT_TRUE(WaitUntil([&] { return !Maximised(); }, 10000));
    TakeEventsFor(500);
    EXPECT_EQ(Geometry(), start) << "back in its old rectangle";
  }
}

// A caption press read only after its release must not leave the window manager moving the
// window: the window stays when the pointer moves on, and the next press reaches the program.
TEST_F(CustomFrameWindow, ACaptionClickReadAfterItsReleaseMovesNothing) {
  const Rect start = Geometry();
  RunTool({"xdotool", "mousemove", "--window", id_, "200", "15", "mousedown", "1", "sleep", "0.05", "mouseup", "1"});
  TakeEventsFor(400);
  events_.clear();
  WhileTakingEvents({"xdotool", "mousemove_relative", "--sync", "120", "90", "sleep", "0.2", "mousemove", "--window",
                     id_, "200", "150", "click", "1"});
  EXPECT_EQ(Geometry(), start);
  bool pressed = false;
  for (const Event& e : events_) pressed |= e.type == EventType::ButtonDown && e.button == platform::MouseButton::Left;
  EXPECT_TRUE(pressed) << "the window manager kept the pointer";
}

}  // namespace
