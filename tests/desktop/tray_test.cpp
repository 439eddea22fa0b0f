// The tray icon under a test's own X server with a real XEmbed tray host (trayer) and a private
// D-Bus session whose notification server records the balloons.
#include <gtest/gtest.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <thread>

#include "desktop/system_tray.h"
#include "platform/desktop_thread.h"
#include "platform/events.h"
#include "platform/tray.h"
#include "support/desktop_session.h"
#include "support/temp_folder.h"
#include "support/x_server.h"

namespace {

using testing_support::RunTool;
using testing_support::WaitUntil;

std::string Hex(uint64_t id) {
  char text[32];
  std::snprintf(text, sizeof text, "0x%llx", static_cast<unsigned long long>(id));
  return text;
}

// The next tray command that reaches the main loop's event queue within timeoutMs; 0 for none.
int NextCommand(int timeoutMs = 10000) {
  int command = 0;
  WaitUntil(
      [&] {
        platform::Event event;
        while (platform::PollEvent(event)) {
          if (event.type == platform::EventType::Command) {
            command = event.command;
            return true;
          }
        }
        return false;
      },
      timeoutMs);
  return command;
}

// True when the window id sits in the tray host's window tree.
bool DockedInTrayHost(uint64_t id) {
  std::string tree;
  RunTool({"xwininfo", "-tree", "-name", "panel"}, &tree);
  return id != 0 && tree.find(Hex(id)) != std::string::npos;
}

// One X server and one session bus for the whole suite: GTK and D-Bus keep their first connections
// for the life of the process.
class Tray : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    folder_ = new TempFolder;
    x_ = new testing_support::PrivateXServer;
    session_ = new testing_support::DesktopSession;
    std::string error;
    ready_ = x_->Start(error) && session_->StartBus(folder_->Path("notices.txt"), error);
    if (!ready_) std::fprintf(stderr, "%s\n", error.c_str());
  }
  static void TearDownTestSuite() {
    platform::StopDesktopThread();
    delete session_;
    delete x_;
    delete folder_;
  }
  void SetUp() override {
    ASSERT_TRUE(ready_);
    // The program folder holds the icon picture the tray shows.
    ASSERT_EQ(::chdir(DELVIX_PROGRAM_DIR), 0);
    noticesBefore_ = session_->Notices().size();
  }
  void TearDown() override {
    gSystemTray.RemoveIcon();
    session_->StopTrayHost();
  }
  size_t NewNotices() const { return session_->Notices().size() - noticesBefore_; }

  static inline TempFolder* folder_ = nullptr;
  static inline testing_support::PrivateXServer* x_ = nullptr;
  static inline testing_support::DesktopSession* session_ = nullptr;
  static inline bool ready_ = false;
  size_t noticesBefore_ = 0;
};

TEST_F(Tray, WithoutATrayHostTheIconFailsAtOnceAndBalloonsAreDropped) {
  ASSERT_TRUE(platform::StartDesktopThread());  // GTK's start-up is not part of the wait
  const auto start = std::chrono::steady_clock::now();
  EXPECT_FALSE(gSystemTray.Create());
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(1500));
  EXPECT_FALSE(gSystemTray.ShowBalloon("Screen Shot saved: 'VornDelvix_screenshot.dds"));
  EXPECT_TRUE(gSystemTray.RemoveIcon());
  std::this_thread::sleep_for(std::chrono::milliseconds(300));
  EXPECT_EQ(NewNotices(), 0u);
}

TEST_F(Tray, DocksRunsItsMenuAndDoubleClickAndDocksAgainWhenTheHostRestarts) {
  std::string error;
  ASSERT_TRUE(session_->StartTrayHost(error)) << error;
  ASSERT_TRUE(gSystemTray.Create());
  const uint64_t icon = platform::TrayIconWindow();
  EXPECT_TRUE(DockedInTrayHost(icon));

  // A right click opens the menu; the last entry is "Exit".
  RunTool({"xdotool", "mousemove", "--window", std::to_string(icon), "8", "8", "click", "3"});
  ASSERT_TRUE(WaitUntil([] { return RunTool({"xdotool", "search", "--onlyvisible", "--class", "delvix"}) == 0 ||
                                    RunTool({"xdotool", "search", "--onlyvisible", "--name", "^$"}) == 0; },
                        10000));
  std::this_thread::sleep_for(std::chrono::milliseconds(300));
  RunTool({"xdotool", "key", "Up", "Return"});
  EXPECT_EQ(NextCommand(), kTrayExit);

  // A double click runs the bold entry, "About..".
  std::this_thread::sleep_for(std::chrono::milliseconds(300));
  RunTool({"xdotool", "mousemove", "--window", std::to_string(icon), "8", "8", "click", "--repeat", "2", "--delay",
           "80", "1"});
  EXPECT_EQ(NextCommand(), kTrayAbout);

  // The tray host goes away and comes back: the icon docks in the new one by itself.
  session_->StopTrayHost();
  ASSERT_TRUE(WaitUntil([] { return !platform::TrayIconDocked(); }, 10000));
  ASSERT_TRUE(session_->StartTrayHost(error)) << error;
  ASSERT_TRUE(WaitUntil([] { return platform::TrayIconDocked(); }, 10000));
  EXPECT_TRUE(DockedInTrayHost(platform::TrayIconWindow()));

  EXPECT_TRUE(gSystemTray.RemoveIcon());
  EXPECT_FALSE(platform::TrayIconDocked());
}

TEST_F(Tray, BalloonIsOneNotificationWithTheTitleTheCutTextAndTenSeconds) {
  std::string error;
  ASSERT_TRUE(session_->StartTrayHost(error)) << error;
  ASSERT_TRUE(gSystemTray.Create());
  ASSERT_TRUE(gSystemTray.ShowBalloon("Screen Shot saved: 'VornDelvix_screenshot.dds"));
  ASSERT_TRUE(WaitUntil([&] { return NewNotices() == 1; }, 20000));
  const std::string notice = session_->Notices().back();
  EXPECT_NE(notice.find("\"summary\": \"Delvix\""), std::string::npos) << notice;
  EXPECT_NE(notice.find("\"body\": \"Screen Shot saved: 'VornDelvix_screenshot.dds\""), std::string::npos) << notice;
  EXPECT_NE(notice.find("\"timeout\": 10000"), std::string::npos) << notice;
}

// The balloon text is cut to 255 bytes without splitting a character.
TEST(TrayBalloonText, IsCutOnACharacterBoundary) {
  const std::string e = "\xC3\xA9";  // é in UTF-8
  struct Case {
    std::string text;
    size_t expectedBytes;
  } cases[] = {
      {std::string(255, 'a'), 255},
      {std::string(300, 'a'), 255},
      {std::string(254, 'a') + e, 254},      // é would end at byte 256: it goes whole
      {std::string(253, 'a') + e + "b", 255},
      {"Caf\xE9", 5},                         // Latin-1 é becomes two UTF-8 bytes
  };
  for (const Case& c : cases) {
    const std::string cut = CSystemTray::BalloonText(c.text);
    EXPECT_EQ(cut.size(), c.expectedBytes) << c.text.size();
  }
  EXPECT_EQ(CSystemTray::BalloonText("Caf\xE9"), "Caf\xC3\xA9");
}

TEST(TrayMenu, HasAboutBoldThenTheFoldersThenExit) {
  const auto menu = CSystemTray::Menu();
  ASSERT_EQ(menu.size(), 3u);
  EXPECT_EQ(menu[0].label, "About..");
  EXPECT_TRUE(menu[0].isDefault);
  EXPECT_EQ(menu[0].command, kTrayAbout);
  ASSERT_EQ(menu[1].submenu.size(), 5u);
  const int folders[] = {kTrayOutputDirectory, kTrayCod4Root, kTrayCod5Root, kTrayCodBoRoot, kTrayRunningDirectory};
  for (size_t i = 0; i < 5; ++i) EXPECT_EQ(menu[1].submenu[i].command, folders[i]);
  EXPECT_EQ(menu[1].submenu[4].label, "Running Directory");
  EXPECT_EQ(menu[2].command, kTrayExit);
}

}  // namespace
