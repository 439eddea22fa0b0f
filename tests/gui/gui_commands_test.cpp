// The command language: every command word with its value and its errors, and "wait".
#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "core/project_site.h"
#include "platform/files.h"
#include "platform/main_thread.h"
#include "platform/open.h"
#include "recording_painter.h"
#include "support/log_capture.h"
#include "support/temp_folder.h"

namespace {

constexpr const char* kBlankWarning = "------ WARNING: Processcmd:: Blank (cmd || value) value";

class CommandsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    f.gui.settingsPath = folder.Path("settings.xml");
    f.gui.hooks.queueJob = [this](CommandJob job) { jobs.push_back(job); };
    platform::SetOpenHook([this](const std::string& target) { opened.push_back(target); });
    for (const char* name : {"Settings", "error_menu", "donate_menu", "Settings_hotkeys_mouse_maya",
                             "Settings_hotkeys_mouse_assView"}) {
      f.AddMenu(name);
    }
  }
  void TearDown() override {
    platform::SetOpenHook(nullptr);
    SettingsResetPending = false;
  }
  bool Visible(const char* name) { return f.gui.FindMenu(name)->visible; }

  TempFolder folder;
  LogCapture log;
  GuiFixture f;
  std::vector<CommandJob> jobs;
  std::vector<std::string> opened;
};

TEST_F(CommandsTest, ScriptsSplitAtSemicolonsAndATrailingBlankWarnsOnce) {
  f.gui.ExecCmd("open Settings;");
  EXPECT_TRUE(Visible("Settings"));
  EXPECT_EQ(log.Count(kBlankWarning), 0);
  f.gui.ExecCmd("close Settings; ");
  EXPECT_FALSE(Visible("Settings"));
  EXPECT_EQ(log.Count(kBlankWarning), 1);
}

TEST_F(CommandsTest, WordAndValueAreSplitAtTheFirstBlankAfterLeadingWhiteSpace) {
  f.gui.ExecCmd(" \t toggle_menu Settings;");
  EXPECT_TRUE(Visible("Settings"));
  f.gui.ExecCmd("toggle_menu  Settings;");  // value " Settings": no such menu
  EXPECT_TRUE(Visible("Settings"));
  f.gui.ExecCmd("TOGGLE_MENU Settings;");
  EXPECT_TRUE(Visible("Settings"));
  EXPECT_TRUE(log.Has("------ WARNING: Unkown Menu Cmd: TOGGLE_MENU"));
  f.gui.ExecCmd("open nothing; close nothing; force_open nothing;");  // unknown menus: silent
  EXPECT_EQ(log.Count(kBlankWarning), 0);
}

TEST_F(CommandsTest, MenuWords) {
  f.gui.ExecCmd("force_open Settings;");
  EXPECT_TRUE(Visible("Settings"));
  f.gui.ExecCmd("force_close Settings;");
  EXPECT_FALSE(Visible("Settings"));
  f.gui.ExecCmd("error");
  EXPECT_TRUE(Visible("error_menu"));
}

TEST_F(CommandsTest, ErrorAndMessageSwitches) {
  f.gui.ExecCmd("display_error; display_msg");
  EXPECT_TRUE(f.gui.showError);
  EXPECT_TRUE(f.gui.showMessage);
  f.gui.ExecCmd("hide_error;hide_msg;");
  EXPECT_FALSE(f.gui.showError);
  EXPECT_FALSE(f.gui.showMessage);
}

TEST_F(CommandsTest, ExportWordsQueueTheirJobAndCountTheExport) {
  f.gui.ExecCmd("export_ma; export_obj; export_XE; view_tags; dump_GDT;");
  EXPECT_EQ(jobs, (std::vector<CommandJob>{CommandJob::ExportMaya, CommandJob::ExportObj,
                                           CommandJob::ExportXmodelExport, CommandJob::ViewTags,
                                           CommandJob::DumpGdt}));
  EXPECT_EQ(f.settings.export_count, 3);
  EXPECT_EQ(f.settings.donate_actions, 3);
}

TEST_F(CommandsTest, TheDonationMenuFirstOpensAtTheTenthExport) {
  f.gui.random = [] { return 0; };
  for (int i = 0; i < 9; ++i) f.gui.ExecCmd("export_obj");
  EXPECT_FALSE(Visible("donate_menu"));
  f.gui.ExecCmd("export_obj");
  EXPECT_TRUE(Visible("donate_menu"));
  EXPECT_TRUE(f.settings.donate_shown);
  EXPECT_EQ(f.settings.donate_last, 10);
  EXPECT_TRUE(platform::IsRegularFile(f.gui.settingsPath));
  // Afterwards only more than 20 + rand() % 979 exports later, with rand() % 100 >= 51.
  f.gui.ForceVis("donate_menu", false);
  f.gui.random = [] { return 60; };  // 20 + 60 more, then 60 % 100 >= 51 shows
  for (int i = 0; i < 80; ++i) f.gui.ExecCmd("export_ma");
  EXPECT_FALSE(Visible("donate_menu"));
  f.gui.ExecCmd("export_ma");
  EXPECT_TRUE(Visible("donate_menu"));
}

TEST_F(CommandsTest, SaveWritesTheSettingsOnlyForTheValueSettings) {
  f.gui.ExecCmd("save; save other;");
  EXPECT_FALSE(platform::IsRegularFile(f.gui.settingsPath));
  f.gui.ExecCmd("save settings;");
  EXPECT_TRUE(platform::IsRegularFile(f.gui.settingsPath));
  EXPECT_EQ(f.gui.errorText, "");
}

TEST_F(CommandsTest, AFailedSaveIsShownInTheErrorBox) {
  f.gui.messageLayout.w = 100000;  // one line
  f.gui.settingsPath = folder.Path("missing folder/settings.xml");
  f.gui.ExecCmd("save settings;");
  EXPECT_TRUE(Visible("error_menu"));
  EXPECT_EQ(f.gui.errorText.rfind("Settings could not be saved to '" + f.gui.settingsPath + "'.", 0), 0u)
      << f.gui.errorText;
  EXPECT_TRUE(log.Has("------ WARNING: Settings could not be saved to " + f.gui.settingsPath));
}

TEST_F(CommandsTest, ResetSettingsDeletesTheFileShowsWhyAndKeepsItFromBeingWrittenAgain) {
  f.gui.messageLayout.w = 1000;
  f.gui.ExecCmd("save settings;");
  ASSERT_TRUE(platform::IsRegularFile(f.gui.settingsPath));
  f.gui.ExecCmd("reset_settings");
  EXPECT_FALSE(platform::IsRegularFile(f.gui.settingsPath));
  EXPECT_EQ(f.gui.errorText, "Settings Have been cleared, you must restart for changes to take affect.");
  EXPECT_TRUE(Visible("error_menu"));
  f.gui.ExecCmd("save settings;");
  EXPECT_FALSE(platform::IsRegularFile(f.gui.settingsPath));
}

TEST_F(CommandsTest, WebPagesOpenWithTheDesktop) {
  f.gui.ExecCmd("show_release_notes; show_website; pay_pal_donate;");
  ASSERT_EQ(opened.size(), 3u);
  EXPECT_EQ(opened[0], std::string(kProjectSite) + "/downloads/?action=release_notes&id=10");
  EXPECT_EQ(opened[1], std::string(kProjectSite) + "/community/");
  EXPECT_EQ(opened[2], std::string(kProjectSite) + "/donate/");
}

TEST_F(CommandsTest, WordsOfFacilitiesNotPluggedInSaySoAndDoNothing) {
  f.gui.hooks = CommandHooks{};
  f.gui.ExecCmd("download_update; cancel_download; run_iwd_scan; cancel_iwd_scan; exit_app; export_ma; view_tags;");
  for (const char* word : {"download_update", "cancel_download", "run_iwd_scan", "cancel_iwd_scan", "exit_app",
                           "export_ma", "view_tags"}) {
    EXPECT_TRUE(log.Has(std::string("Processcmd: '") + word +
                        "' is not available: that part of the program is not built"))
        << word;
  }
  EXPECT_EQ(f.settings.export_count, 0);  // nothing was exported

  int download = 0, stop = 0, scan = 0, cancel = 0, quit = 0;
  f.gui.hooks.startDownload = [&] { ++download; };
  f.gui.hooks.cancelDownload = [&] { ++stop; };
  f.gui.hooks.runIwdScan = [&] { ++scan; };
  f.gui.hooks.cancelIwdScan = [&] { ++cancel; };
  f.gui.hooks.requestQuit = [&] { ++quit; };
  f.gui.ExecCmd("download_update; cancel_download; run_iwd_scan; cancel_iwd_scan; exit_app;");
  EXPECT_EQ(download + stop + scan + cancel + quit, 5);
}

TEST_F(CommandsTest, MouseControlDisplayFollowsTheMouseStyle) {
  f.gui.ForceVis("Settings_hotkeys_mouse_assView", true);
  f.settings.mouse_style = 0;
  f.gui.ExecCmd("set_mouse_cntrl_display");
  EXPECT_TRUE(Visible("Settings_hotkeys_mouse_maya"));
  EXPECT_FALSE(Visible("Settings_hotkeys_mouse_assView"));
  f.settings.mouse_style = 1;
  f.gui.ExecCmd("set_mouse_cntrl_display");
  EXPECT_TRUE(Visible("Settings_hotkeys_mouse_assView"));
  EXPECT_FALSE(Visible("Settings_hotkeys_mouse_maya"));
  f.settings.mouse_style = 2;
  f.gui.ExecCmd("set_mouse_cntrl_display");
  EXPECT_TRUE(Visible("Settings_hotkeys_mouse_assView"));
}

TEST_F(CommandsTest, WaitRunsTheRestOfItsListAfterItsDelay) {
  f.gui.ExecCmd("wait 600; open Settings; display_msg;");
  EXPECT_FALSE(Visible("Settings"));
  f.nowMs += 599;
  f.gui.RunDueCommands();
  EXPECT_FALSE(Visible("Settings"));
  f.nowMs += 1;
  f.gui.RunDueCommands();
  EXPECT_TRUE(Visible("Settings"));
  EXPECT_TRUE(f.gui.showMessage);
  EXPECT_EQ(f.gui.PendingWaits(), 0u);
}

TEST_F(CommandsTest, AWaitThatIsNoNumberWaitsOneSecondAndWarns) {
  f.gui.ExecCmd("wait soon; open Settings;");
  EXPECT_TRUE(log.Has("------ WARNING: VornGUI::Processcmd:: Failed To Conver 'soon' to int"));
  f.nowMs += 999;
  f.gui.RunDueCommands();
  EXPECT_FALSE(Visible("Settings"));
  f.nowMs += 1;
  f.gui.RunDueCommands();
  EXPECT_TRUE(Visible("Settings"));
}

TEST_F(CommandsTest, WaitsKeepTheirOwnListsAndAWaitInADelayedListDelaysAgain) {
  f.gui.ExecCmd("wait 300; open Settings; wait 500; display_error;");
  f.nowMs += 100;
  f.gui.ExecCmd("wait 100; display_msg;");
  f.nowMs += 100;
  f.gui.RunDueCommands();
  EXPECT_TRUE(f.gui.showMessage);
  EXPECT_FALSE(Visible("Settings"));
  f.nowMs += 100;
  f.gui.RunDueCommands();
  EXPECT_TRUE(Visible("Settings"));
  EXPECT_FALSE(f.gui.showError);
  f.nowMs += 499;
  f.gui.RunDueCommands();
  EXPECT_FALSE(f.gui.showError);
  f.nowMs += 1;
  f.gui.RunDueCommands();
  EXPECT_TRUE(f.gui.showError);
}

TEST_F(CommandsTest, ShutdownDropsPendingWaits) {
  f.gui.ExecCmd("wait 10; display_msg;");
  f.gui.Shutdown();
  f.nowMs += 20;
  f.gui.RunDueCommands();
  EXPECT_FALSE(f.gui.showMessage);
}

// Lists from other threads (the model list's listing thread, the IWD count thread) run on the
// main thread between frames; their "wait" resumes there too.
TEST(CommandsThread, ListsFromOtherThreadsAndTheirWaitsRunOnTheMainThread) {
  LogCapture log;
  GuiFixture f;
  Menu& list = f.AddMenu("list");
  list.listBoxes.push_back(ListBox{.name = "xmodels", .rect = {0, 40}, .scrollPosition = 500});
  f.AddMenu("iwd_images_menu");
  std::atomic<int> quitOnMain{0}, quitElsewhere{0};
  f.gui.hooks.requestQuit = [&] { (platform::IsMainThread() ? quitOnMain : quitElsewhere)++; };

  EXPECT_FALSE(f.gui.PostCommands("display_msg;"));  // nobody serves the main thread's queue yet
  platform::StartMainThreadService();
  std::thread listing([&] { EXPECT_TRUE(f.gui.PostCommands("reset_listbox xmodels;")); });
  std::thread counting([&] { EXPECT_TRUE(f.gui.PostCommands("open iwd_images_menu; wait 50; exit_app;")); });
  listing.join();
  counting.join();
  EXPECT_FLOAT_EQ(list.listBoxes[0].scrollPosition, 500.0f);  // nothing ran on the other threads
  platform::RunPostedTasks();
  EXPECT_FLOAT_EQ(list.listBoxes[0].scrollPosition, 45.0f);
  EXPECT_TRUE(f.gui.FindMenu("iwd_images_menu")->visible);
  EXPECT_EQ(quitOnMain.load(), 0);
  f.nowMs += 50;
  f.gui.RunDueCommands();
  EXPECT_EQ(quitOnMain.load(), 1);
  EXPECT_EQ(quitElsewhere.load(), 0);
  platform::StopMainThreadService();
  EXPECT_FALSE(f.gui.showMessage);
}

}  // namespace
