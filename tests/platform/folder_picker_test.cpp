// The folder chooser as a user meets it: a real GTK dialog on a private X server, answered with
// the keyboard through xdotool while the asking thread waits; kept above its owner window.
#include "platform/folder_picker.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <future>
#include <string>
#include <vector>

#include "platform/desktop_thread.h"
#include "platform/picture_window.h"
#include "support/temp_folder.h"
#include "support/x_server.h"

namespace {

using testing_support::FindShownWindow;
using testing_support::RunTool;
using testing_support::TypeIntoWindow;
using testing_support::WaitUntil;

// One number of xwininfo's report of window id ("Absolute upper-left X:", "Width:", ...).
int WindowValue(const std::string& id, const std::string& label) {
  std::string out;
  RunTool({"xwininfo", "-id", id}, &out, 10000);
  const size_t at = out.find(label);
  return at == std::string::npos ? -1 : std::atoi(out.c_str() + at + label.size());
}

// Without a display no chooser can be shown: the answer is "" at once, with the reason. (First in
// the file: GTK keeps the display it opens first, and the suite below opens one.)
TEST(FolderPickerNoDisplayThread, AnswersEmptyWithTheReason) {
  const char* display = std::getenv("DISPLAY");
  const std::string saved = display ? display : "";
  ::unsetenv("DISPLAY");
  ::unsetenv("WAYLAND_DISPLAY");
  std::string error;
  EXPECT_EQ(platform::BrowseForFolder("No Display", "/", 0, &error), "");
  EXPECT_FALSE(error.empty());
  platform::StopDesktopThread();  // joins the thread whose start failed
  if (!saved.empty()) ::setenv("DISPLAY", saved.c_str(), 1);
}

// One X server for the suite: GTK keeps the display it first opened for the life of the process.
// (Not run under the thread sanitizer, like the tray's tests: GTK and GLib are not instrumented,
// and their own worker threads' allocations are reported as races.)
class FolderPickerDialog : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    server = new testing_support::PrivateXServer;
    serverError = new std::string;
    if (!server->Start(*serverError)) serverError->insert(0, "no X server: ");
  }
  static void TearDownTestSuite() {
    platform::StopDesktopThread();
    delete server;
    delete serverError;
  }
  void SetUp() override { ASSERT_TRUE(serverError->empty()) << *serverError; }

  // Opens the chooser on another thread, waits for its window, lets look at it, gives it the
  // keyboard focus and types keys (xdotool arguments, one call each); returns the answer. Keys
  // that reach the dialog before it takes input are typed again.
  std::string Answer(const std::string& title, const std::string& start, const std::vector<std::vector<std::string>>& keys,
                     uint64_t owner = 0, const std::function<void(const std::string& id)>& look = nullptr) {
    auto answer = std::async(std::launch::async, [&] { return platform::BrowseForFolder(title, start, owner); });
    std::string id;
    EXPECT_TRUE(WaitUntil([&] { return !(id = FindShownWindow(title)).empty(); }, 30000)) << title;
    if (look) look(id);
    for (int attempt = 0; attempt < 5; ++attempt) {
      TypeIntoWindow(id, keys);  // no window manager: the test gives the focus
      if (answer.wait_for(std::chrono::seconds(3)) == std::future_status::ready) return answer.get();
    }
    RunTool({"xdotool", "key", "--window", id, "Escape"});  // never leave the asking thread hanging
    ADD_FAILURE() << title << ": no answer";
    return answer.get();
  }

  static testing_support::PrivateXServer* server;
  static std::string* serverError;
  TempFolder folder;
};

testing_support::PrivateXServer* FolderPickerDialog::server = nullptr;
std::string* FolderPickerDialog::serverError = nullptr;

TEST_F(FolderPickerDialog, EscapeCancelsAndReturnChoosesTheFolderShown) {
  std::filesystem::create_directories(folder.Path("game root"));
  // The dialog opens on the start folder: confirming at once chooses it.
  EXPECT_EQ(Answer("Pick Start", folder.Path("game root"), {{"key", "Return"}}), folder.Path("game root"));
  EXPECT_EQ(Answer("Pick Cancel", folder.Path("game root"), {{"key", "Escape"}}), "");
}

TEST_F(FolderPickerDialog, TypedLocationIsChosen) {
  std::filesystem::create_directories(folder.Path("one/two"));
  const std::string target = folder.Path("one/two");
  EXPECT_EQ(Answer("Pick Typed", folder.Root(),
                   // Delete drops a completion the entry may have offered after the typed name.
                   {{"key", "ctrl+l"}, {"key", "ctrl+a"}, {"type", "--delay", "10", target}, {"key", "Delete"},
                    {"key", "Return"}}),
            target);
}

TEST_F(FolderPickerDialog, DialogStaysAboveAndCentredOnItsOwner) {
  platform::PictureWindow owner;
  ASSERT_TRUE(owner.Create("Picker Owner", platform::PictureWindowKind::Splash, {112, 84, 800, 600}));
  std::vector<uint8_t> grey(800 * 600 * 4, 0x40);
  owner.SetPicture(800, 600, grey.data());
  owner.Show();
  ASSERT_TRUE(WaitUntil([] { return !FindShownWindow("Picker Owner").empty(); }, 30000));

  std::string transientFor;
  int centreX = 0, centreY = 0;
  const std::string answer = Answer("Pick Owned", folder.Root(), {{"key", "Escape"}}, owner.NativeId(),
                                    [&](const std::string& id) {
    WaitUntil([&] {
      RunTool({"xprop", "-id", id, "WM_TRANSIENT_FOR"}, &transientFor, 10000);
      return transientFor.find("window id") != std::string::npos;
    }, 10000);
    // Placed once GTK has sized it.
    WaitUntil([&] {
      centreX = WindowValue(id, "Absolute upper-left X:") + WindowValue(id, "Width:") / 2;
      centreY = WindowValue(id, "Absolute upper-left Y:") + WindowValue(id, "Height:") / 2;
      return std::abs(centreX - 512) <= 2 && std::abs(centreY - 384) <= 2;
    }, 10000);
    const std::string shots = std::string(DELVIX_PROGRAM_DIR) + "/../tests/screenshots";
    std::filesystem::create_directories(shots);
    RunTool({"import", "-window", "root", shots + "/folder_picker.png"});
  });
  EXPECT_EQ(answer, "");
  char ownerId[32];
  std::snprintf(ownerId, sizeof ownerId, "0x%llx", static_cast<unsigned long long>(owner.NativeId()));
  EXPECT_NE(transientFor.find(ownerId), std::string::npos) << transientFor;
  EXPECT_NEAR(centreX, 112 + 400, 2);
  EXPECT_NEAR(centreY, 84 + 300, 2);
}

}  // namespace
