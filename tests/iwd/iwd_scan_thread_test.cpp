// The scan thread: cancel, exit during a scan, one scan at a time, the frame's progress and
// mailbox, and the permission failure that ends the scan at once.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <future>

#include "game_root.h"
#include "iwd/iwd_box.h"
#include "support/unprivileged.h"

using testfiles::PatternBytes;
using testfiles::ZipBuilder;

namespace {

// Archive k (1-based) of a set: "iwd_<k>.iwd" with images "images/a<k>_<n>.iwi", n = 1..entries.
void MakeArchives(const GameRoot& game, int archives, int entries) {
  for (int k = 1; k <= archives; ++k) {
    ZipBuilder zip;
    for (int n = 1; n <= entries; ++n) {
      zip.Add("images/a" + std::to_string(k) + "_" + std::to_string(n) + ".iwi", PatternBytes(20000, k * 100 + n));
    }
    game.Archive("iwd_" + std::to_string(k) + ".iwd", zip);
  }
}

// Every file in raw/images is whole: equal to the bytes its archive holds.
void ExpectOnlyWholeImages(const GameRoot& game) {
  for (const std::string& file : game.FilesOutsideMain()) {
    int k = 0, n = 0;
    ASSERT_EQ(std::sscanf(file.c_str(), "raw/images/a%d_%d.iwi", &k, &n), 2) << file;
    EXPECT_EQ(game.Read(file), PatternBytes(20000, k * 100 + n)) << file;
  }
}

// Holds the scan thread inside the entry hook at a chosen image until the test lets it go.
class EntryGate {
 public:
  explicit EntryGate(int archive) : archive_(archive) {}
  void Install(VornIWDUtils& tool) {
    tool.SetEntryHook([this, &tool] {
      if (passed_ || tool.GetProgress().currentIwd != archive_) return;
      passed_ = true;
      reached_.set_value();
      release_.get_future().wait();
    });
  }
  void WaitReached() { reached_.get_future().wait(); }
  void Release() { release_.set_value(); }

 private:
  int archive_;
  bool passed_ = false;  // scan thread only
  std::promise<void> reached_;
  std::promise<void> release_;
};

}  // namespace

// Cancel during the third of five archives: it stops at its next entry, the others only move the
// text on, only whole files exist, and the mailbox closes the box without a message.
TEST(IwdScanThread, CancelStopsWithinOneEntry) {
  GameRoot game;
  MakeArchives(game, 5, 4);
  VornIWDUtils tool;
  game.CheckWith(tool);
  EntryGate gate(3);
  gate.Install(tool);
  ASSERT_TRUE(tool.RunScan());
  gate.WaitReached();
  tool.RequestCancel();
  gate.Release();
  ASSERT_TRUE(testing_support::WaitUntil([&] { return !tool.GetProgress().running; }));

  const std::vector<std::string> files = game.FilesOutsideMain();
  EXPECT_EQ(files.size(), 4u + 4u + 1u) << "two whole archives and the one entry of the third";
  EXPECT_TRUE(std::filesystem::exists(game.Path("raw/images/a3_1.iwi")));
  ExpectOnlyWholeImages(game);
  const IWDProgress progress = tool.GetProgress();
  EXPECT_EQ(progress.progressText, "3/5");
  EXPECT_EQ(progress.currentIwd, 3);
  EXPECT_EQ(GameRoot::TakeClosingMessage(tool), "");
}

// Ending the program (Stop, or the object's end) during a scan joins the scan thread.
TEST(IwdScanThread, ExitDuringAScanJoinsTheThread) {
  GameRoot game;
  MakeArchives(game, 3, 3);
  for (const bool byDestructor : {false, true}) {
    std::filesystem::remove_all(game.Path("raw/images"));
    std::filesystem::create_directory(game.Path("raw/images"));
    auto tool = std::make_unique<VornIWDUtils>();
    game.CheckWith(*tool);
    std::promise<void> started;
    std::atomic<bool> first{true};
    tool->SetEntryHook([&] {
      if (first.exchange(false)) started.set_value();
    });
    ASSERT_TRUE(tool->RunScan());
    started.get_future().wait();
    if (!byDestructor) {
      tool->Stop();
      EXPECT_FALSE(tool->GetProgress().running);
    }
    tool.reset();
    ExpectOnlyWholeImages(game);
  }
}

// One scan at a time; a finished scan needs a new check before the next.
TEST(IwdScanThread, SecondScanCannotStartWhileOneRuns) {
  GameRoot game;
  MakeArchives(game, 2, 2);
  VornIWDUtils tool;
  EXPECT_FALSE(tool.RunScan()) << "no folders checked";
  game.CheckWith(tool);
  EntryGate gate(1);
  gate.Install(tool);
  ASSERT_TRUE(tool.RunScan());
  gate.WaitReached();
  EXPECT_FALSE(tool.RunScan());
  tool.CheckForImages();
  EXPECT_FALSE(tool.RunScan()) << "still running";
  gate.Release();
  ASSERT_TRUE(testing_support::WaitUntil([&] { return !tool.GetProgress().running; }));
  tool.SetEntryHook(nullptr);
  EXPECT_TRUE(tool.RunScan()) << "the check made during the scan made it available again";
  ASSERT_TRUE(testing_support::WaitUntil([&] { return !tool.GetProgress().running; }));
  EXPECT_FALSE(tool.RunScan());
  tool.CheckForImages();
  EXPECT_TRUE(tool.RunScan());
  tool.Stop();
}

// The frame: while the scan runs, the box's values; afterwards the mailbox, error text first.
TEST(IwdScanThread, FrameShowsProgressThenEmptiesTheMailbox) {
  GameRoot game;
  MakeArchives(game, 4, 2);
  game.Write("raw/images/a2_2.iwi", "kept");
  game.Write("main/iwd_5.iwd", "not an archive, but long enough to be searched for a directory");
  VornIWDUtils tool;
  std::vector<std::string> calls;
  tool.SetGuiHooks({[&](const std::string& text) { calls.push_back("error: " + text.substr(0, 30)); },
                    [&](const std::string& script) { calls.push_back("exec: " + script); },
                    [&](const std::string& key, const std::string& text) { calls.push_back(key + " = " + text); },
                    [&](const std::string& key, int value) { calls.push_back(key + " = " + std::to_string(value)); }});
  game.CheckWith(tool);
  calls.clear();
  tool.FrameUpdate();
  EXPECT_TRUE(calls.empty());

  // Held after the second image of the second archive (one written, one kept).
  int images = 0;
  std::promise<void> reached, release;
  tool.SetEntryHook([&] {
    if (++images != 4) return;
    reached.set_value();
    release.get_future().wait();
  });
  ASSERT_TRUE(tool.RunScan());
  reached.get_future().wait();
  tool.FrameUpdate();
  EXPECT_EQ(calls, (std::vector<std::string>{"iwd_progress_text = 1/5", "iwi_progress_text = \n\n1\n\n1",
                                              "IWD_SCAN_progress = 60"}));
  release.set_value();
  ASSERT_TRUE(testing_support::WaitUntil([&] { return !tool.GetProgress().running; }));
  calls.clear();
  tool.FrameUpdate();
  EXPECT_EQ(calls, (std::vector<std::string>{"error: Some IWD files could not be re", "exec: close iwd_images_menu;"}));
  calls.clear();
  tool.FrameUpdate();
  EXPECT_TRUE(calls.empty()) << "the mailbox was emptied";
}

namespace {

// In the unprivileged child: scans, and returns 0 when the scan ended as it should.
int ScanAsNobody(const GameRoot& game) {
  VornIWDUtils tool;
  tool.SetPath(game.Root());
  tool.CheckForImages();
  if (!tool.RunScan()) return 4;
  while (tool.GetProgress().running) std::this_thread::sleep_for(std::chrono::milliseconds(2));
  std::string command;
  std::string message;
  if (!tool.TakePending(command, message)) return 5;
  if (command != kCloseIwdBoxScript || message != kIwdPermissionMessage) return 6;
  if (tool.GetProgress().currentIwd != 1 || tool.GetProgress().entriesDone != 0) return 7;
  tool.Stop();
  return 0;
}

}  // namespace

// A raw folder the program may not write to: the first image gives the permission message and the
// scan ends at once. Permission bits do not bind root, so the case runs as "nobody" in a child
// process (not a "Thread" suite: the sanitizer for threads does not follow a fork).
TEST(IwdPermission, PermissionFailureEndsTheScan) {
  GameRoot game;
  MakeArchives(game, 2, 2);
  testing_support::LetOthersIn(game.Root());
  ::chmod(game.Path("raw/images").c_str(), 0555);
  EXPECT_EQ(testing_support::RunUnprivileged([&] { return ScanAsNobody(game); }), 0);
  ::chmod(game.Path("raw/images").c_str(), 0755);
  EXPECT_TRUE(game.FilesOutsideMain().empty());
}
