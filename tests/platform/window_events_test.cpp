// Events of a real window under a private Xvfb, driven by xdotool: keys, typed text, mouse,
// placement; events and work posted from other threads; quit on signals; the clipboard.
#include <gtest/gtest.h>

#include <csignal>
#include <functional>
#include <thread>
#include <vector>

#include "platform/clipboard.h"
#include "platform/events.h"
#include "platform/key_codes.h"
#include "platform/main_thread.h"
#include "platform/window.h"
#include "support/graphics_driver.h"
#include "support/x_server.h"

namespace {

using platform::Event;
using platform::EventType;
using platform::MouseButton;
namespace vk = platform::vk;
using testing_support::RunTool;

constexpr int kWindowX = 100, kWindowY = 50;

class WindowEvents : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string error;
    ASSERT_TRUE(server_.Start(error)) << error;
    PrepareServer();
    platform::WindowOptions options;
    options.title = "Delvix events test";
    options.x = kWindowX;
    options.y = kWindowY;
    options.width = 320;
    options.height = 240;
    options.borderless = true;
    options.visible = true;
    ASSERT_EQ(window_.Create(options), platform::WindowStatus::Ok) << window_.ErrorText();
    testing_support::KeepGraphicsDriversLoaded();
    id_ = std::to_string(window_.NativeId());
  }

  virtual void PrepareServer() {}

  // Gives the window the keyboard focus (no window manager: focus is set directly).
  void Focus() {
    ASSERT_EQ(RunTool({"xdotool", "windowfocus", "--sync", id_}), 0);
    Collect([](const Event& e) { return e.type == EventType::Activated && e.active; });
  }

  // Takes events until one satisfies done (included) or 30 s passed; returns them all.
  std::vector<Event> Collect(const std::function<bool(const Event&)>& done) {
    std::vector<Event> events;
    testing_support::WaitUntil(
        [&] {
          Event e;
          while (platform::WaitEvent(e, 20)) {
            events.push_back(e);
            if (done(e)) return true;
          }
          return false;
        },
        30000);
    EXPECT_TRUE(!events.empty() && done(events.back())) << "the expected event never came";
    return events;
  }

  static std::vector<int> Select(const std::vector<Event>& events, EventType type) {
    std::vector<int> out;
    for (const Event& e : events) {
      if (e.type == type) out.push_back(type == EventType::Char ? e.character : e.keyCode);
    }
    return out;
  }

  testing_support::PrivateXServer server_;
  platform::MainWindow window_;
  std::string id_;
};

TEST_F(WindowEvents, KeysArriveAsVirtualKeyCodesWithTheCharactersTheyType) {
  Focus();
  ASSERT_EQ(RunTool({"xdotool", "key", "--delay", "30", "a", "shift+a", "5", "F5", "Escape", "Return", "BackSpace",
                     "Tab", "Delete", "Left", "space", "ctrl+v", "semicolon"}),
            0);
  auto events = Collect([](const Event& e) { return e.type == EventType::KeyUp && e.keyCode == vk::kSemicolon; });
  EXPECT_EQ(Select(events, EventType::KeyDown),
            (std::vector<int>{'A', vk::kShift, 'A', '5', vk::kF1 + 4, vk::kEscape, vk::kReturn, vk::kBackspace,
                              vk::kTab, vk::kDelete, vk::kLeft, vk::kSpace, vk::kControl, 'V', vk::kSemicolon}));
  EXPECT_EQ(Select(events, EventType::Char), (std::vector<int>{'a', 'A', '5', 27, 13, 8, 9, ' ', 0x16, ';'}));
  // Every key went up again, and each character follows its key's KeyDown.
  EXPECT_EQ(Select(events, EventType::KeyUp).size(), Select(events, EventType::KeyDown).size());
  for (size_t i = 0; i < events.size(); ++i) {
    if (events[i].type == EventType::Char) {
      ASSERT_GT(i, 0u);
      EXPECT_EQ(events[i - 1].type, EventType::KeyDown) << "char " << int(events[i].character);
    }
  }
}

TEST_F(WindowEvents, HeldKeyRepeatsWithItsCharacter) {
  Focus();
  // Xvfb repeats a held key after 660 ms, every 40 ms.
  ASSERT_EQ(RunTool({"xdotool", "keydown", "b", "sleep", "1.2", "keyup", "b"}), 0);
  auto events = Collect([](const Event& e) { return e.type == EventType::KeyUp && e.keyCode == 'B'; });
  int downs = 0, repeats = 0, chars = 0;
  for (const Event& e : events) {
    if (e.type == EventType::KeyDown && e.keyCode == 'B') ++(e.repeat ? repeats : downs);
    if (e.type == EventType::Char && e.character == 'b') ++chars;
  }
  EXPECT_EQ(downs, 1);
  EXPECT_GE(repeats, 1);
  EXPECT_EQ(chars, downs + repeats);
}

// On a French (AZERTY) keyboard: letters get the code of the letter they type, other keys the
// code of their position, and accented text arrives as Latin-1 characters.
class WindowEventsFrenchLayout : public WindowEvents {
  void PrepareServer() override { ASSERT_EQ(RunTool({"setxkbmap", "fr"}), 0); }
};

TEST_F(WindowEventsFrenchLayout, LettersFollowTheLayoutAndAccentsArriveAsLatin1) {
  Focus();
  ASSERT_EQ(RunTool({"xdotool", "key", "--delay", "30", "a", "eacute", "exclam"}), 0);
  auto events = Collect([](const Event& e) { return e.type == EventType::Char && e.character == '!'; });
  // "a" sits where a US keyboard has Q; "e-acute" on the key of the digit 2.
  EXPECT_EQ(Select(events, EventType::KeyDown), (std::vector<int>{'A', '2', vk::kSlash}));
  EXPECT_EQ(Select(events, EventType::Char), (std::vector<int>{'a', 0xE9, '!'}));
}

// Input given while a modal dialog kept the program waiting: presses, wheel turns, keys and
// characters are dropped; releases stay, so nothing is left held.
TEST_F(WindowEvents, PressesWaitingWhileTheProgramWasBlockedAreDiscarded) {
  Focus();
  ASSERT_EQ(RunTool({"xdotool", "mousemove", "--sync", std::to_string(kWindowX + 30), std::to_string(kWindowY + 40),
                     "click", "1", "click", "4", "key", "a", "sleep", "0.3"}),
            0);
  platform::DiscardPendingPresses();
  ASSERT_EQ(RunTool({"xdotool", "key", "b"}), 0);
  auto events = Collect([](const Event& e) { return e.type == EventType::KeyUp && e.keyCode == 'B'; });
  EXPECT_EQ(Select(events, EventType::KeyDown), std::vector<int>{'B'});
  EXPECT_EQ(Select(events, EventType::Char), std::vector<int>{'b'});
  EXPECT_EQ(Select(events, EventType::KeyUp), (std::vector<int>{'A', 'B'}));
  int buttonsDown = 0, buttonsUp = 0, wheels = 0;
  for (const Event& e : events) {
    buttonsDown += e.type == EventType::ButtonDown;
    buttonsUp += e.type == EventType::ButtonUp;
    wheels += e.type == EventType::Wheel;
  }
  EXPECT_EQ(buttonsDown, 0);
  EXPECT_EQ(wheels, 0);
  EXPECT_GE(buttonsUp, 1);
}

TEST_F(WindowEvents, MouseArrivesInClientCoordinatesWithButtonsAndWheel) {
  Focus();
  ASSERT_EQ(RunTool({"xdotool", "mousemove", "--sync", std::to_string(kWindowX + 30), std::to_string(kWindowY + 40),
                     "click", "1", "click", "3", "click", "4", "click", "5", "keydown", "shift", "click", "1",
                     "keyup", "shift", "mousemove", "5", "5"}),
            0);
  auto events = Collect([](const Event& e) { return e.type == EventType::MouseLeave; });
  std::vector<Event> mouse;
  for (const Event& e : events) {
    if (e.type == EventType::ButtonDown || e.type == EventType::ButtonUp || e.type == EventType::Wheel) {
      mouse.push_back(e);
    }
  }
  struct Expected {
    EventType type;
    MouseButton button;
    int notches;
    uint32_t modifiers;
  } expected[] = {
      {EventType::ButtonDown, MouseButton::Left, 0, platform::kModLeftButton},
      {EventType::ButtonUp, MouseButton::Left, 0, 0},
      {EventType::ButtonDown, MouseButton::Right, 0, platform::kModRightButton},
      {EventType::ButtonUp, MouseButton::Right, 0, 0},
      {EventType::Wheel, MouseButton::None, 1, 0},
      {EventType::Wheel, MouseButton::None, -1, 0},
      {EventType::ButtonDown, MouseButton::Left, 0, platform::kModLeftButton | platform::kModShift},
      {EventType::ButtonUp, MouseButton::Left, 0, platform::kModShift},
  };
  ASSERT_EQ(mouse.size(), std::size(expected));
  for (size_t i = 0; i < mouse.size(); ++i) {
    EXPECT_EQ(mouse[i].type, expected[i].type) << i;
    EXPECT_EQ(mouse[i].button, expected[i].button) << i;
    EXPECT_EQ(mouse[i].wheelNotches, expected[i].notches) << i;
    EXPECT_EQ(mouse[i].modifiers, expected[i].modifiers) << i;
    EXPECT_EQ(mouse[i].x, 30) << i;
    EXPECT_EQ(mouse[i].y, 40) << i;
  }
  bool movedInside = false;
  for (const Event& e : events) movedInside |= e.type == EventType::MouseMove && e.x == 30 && e.y == 40;
  EXPECT_TRUE(movedInside);
}

TEST_F(WindowEvents, MovesAndResizesByOthersAreReported) {
  ASSERT_EQ(RunTool({"xdotool", "windowmove", id_, "200", "120"}), 0);
  Collect([](const Event& e) { return e.type == EventType::Moved && e.x == 200 && e.y == 120; });
  ASSERT_EQ(RunTool({"xdotool", "windowsize", id_, "300", "200"}), 0);
  Collect([](const Event& e) { return e.type == EventType::Resized && e.x == 300 && e.y == 200; });
  int x, y, w, h;
  window_.Position(x, y);
  window_.ClientSize(w, h);
  EXPECT_EQ(x, 200);
  EXPECT_EQ(y, 120);
  EXPECT_EQ(w, 300);
  EXPECT_EQ(h, 200);
}

TEST_F(WindowEvents, PlacementSetByTheProgramIsWhereTheWindowSystemPutsIt) {
  window_.SetPosition(210, 130);
  window_.SetClientSize(310, 210);
  Collect([](const Event& e) { return e.type == EventType::Resized && e.x == 310 && e.y == 210; });
  std::string geometry;
  ASSERT_EQ(RunTool({"xdotool", "getwindowgeometry", id_}, &geometry), 0);
  EXPECT_NE(geometry.find("Position: 210,130"), std::string::npos) << geometry;
  EXPECT_NE(geometry.find("Geometry: 310x210"), std::string::npos) << geometry;
  platform::WindowRect desktop = window_.DesktopBounds();
  EXPECT_EQ(desktop.width, 1024);
  EXPECT_EQ(desktop.height, 768);
}

TEST_F(WindowEvents, TitleAndVisibilityReachTheWindowSystem) {
  window_.SetTitle("Vorn_Kesh Delvix - Caf\xE9");  // 8-bit text of the program
  std::string name;
  ASSERT_TRUE(testing_support::WaitUntil(
      [&] {
        RunTool({"xprop", "-id", id_, "_NET_WM_NAME"}, &name, 10000);
        return name.find("Delvix - Caf") != std::string::npos;
      },
      30000));
  // UTF-8 on the desktop (xprop prints it raw or as octal escapes, by locale).
  EXPECT_TRUE(name.find("Caf\xC3\xA9\"") != std::string::npos || name.find("Caf\\303\\251") != std::string::npos)
      << name;

  auto mapState = [&] {
    std::string info;
    RunTool({"xwininfo", "-id", id_}, &info, 10000);
    return info;
  };
  window_.Hide();
  EXPECT_TRUE(testing_support::WaitUntil([&] { return mapState().find("IsUnMapped") != std::string::npos; }, 30000));
  window_.Show();
  EXPECT_TRUE(testing_support::WaitUntil([&] { return mapState().find("IsViewable") != std::string::npos; }, 30000));
}

TEST_F(WindowEvents, PostedEventsAndWorkFromOtherThreadWakeTheLoop) {
  platform::StartMainThreadService();
  // A posted event arrives from WaitEvent, in order with its siblings.
  std::thread poster([] {
    platform::PostEvent({.type = EventType::Command, .command = 7});
    platform::PostEvent({.type = EventType::Command, .command = 8});
  });
  poster.join();
  auto events = Collect([](const Event& e) { return e.type == EventType::Command && e.command == 8; });
  EXPECT_EQ(events[events.size() - 2].command, 7);

  // Posted work ends the wait early (no event) so the loop can run it.
  bool ran = false;
  std::thread worker([&] { platform::PostToMainThread([&] { ran = true; }); });
  worker.join();
  Event e;
  while (platform::PollEvent(e)) {
  }
  platform::PostToMainThread([&] { ran = true; });
  auto start = std::chrono::steady_clock::now();
  EXPECT_FALSE(platform::WaitEvent(e, 20000));
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(10));
  EXPECT_EQ(platform::RunPostedTasks(), 2u);
  EXPECT_TRUE(ran);
  platform::StopMainThreadService();
}

TEST_F(WindowEvents, TerminationSignalsArriveAsQuit) {
  for (int signal : {SIGTERM, SIGINT}) {
    std::raise(signal);
    Collect([](const Event& e) { return e.type == EventType::Quit; });
  }
}

TEST_F(WindowEvents, ClipboardCarries8BitText) {
  ASSERT_TRUE(platform::SetClipboardText("Caf\xE9 r\xF4le"));  // Latin-1 text of the program
  EXPECT_EQ(platform::GetClipboardText(), "Caf\xE9 r\xF4le");
  ASSERT_TRUE(platform::SetClipboardText("\xE2\x82\xAC" "5 na\xC3\xAFve"));  // UTF-8 from the system
  EXPECT_EQ(platform::GetClipboardText(), "?5 na\xEFve");
}

}  // namespace
