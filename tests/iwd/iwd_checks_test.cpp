// The folder checks and the background count of loose images that proposes the tool.
#include <gtest/gtest.h>

#include "game_root.h"
#include "iwd/iwd_box.h"
#include "support/log_capture.h"

namespace {

// Records what the tool asks of the GUI.
struct GuiRecord {
  std::vector<std::string> calls;
  IWDGuiHooks Hooks() {
    return {[this](const std::string& text) { calls.push_back("error: " + text); },
            [this](const std::string& script) { calls.push_back("exec: " + script); },
            [this](const std::string& key, const std::string& text) { calls.push_back(key + " = " + text); },
            [this](const std::string& key, int value) { calls.push_back(key + " = " + std::to_string(value)); }};
  }
};

const std::string kInvalid = "CheckForImages:: in-valid Path";
const std::string kMissing = "CheckForImages:: Could not find 'main' / 'raw/images'";

}  // namespace

TEST(IwdChecks, FolderChecks) {
  const struct {
    const char* what;
    void (*arrange)(GameRoot&);
    std::string root;  // relative to the game root; "-" for an empty root
    std::string error;
  } cases[] = {
      {"complete", [](GameRoot&) {}, "", ""},
      {"empty root", [](GameRoot&) {}, "-", kInvalid},
      {"missing root", [](GameRoot&) {}, "nowhere", kInvalid},
      {"root is a file", [](GameRoot& g) { g.Write("file", "x"); }, "file", kInvalid},
      {"no main", [](GameRoot& g) { std::filesystem::remove(g.Path("main")); }, "", kMissing},
      {"main is a file",
       [](GameRoot& g) {
         std::filesystem::remove(g.Path("main"));
         g.Write("main", "x");
       },
       "", kMissing},
      {"no raw/images", [](GameRoot& g) { std::filesystem::remove(g.Path("raw/images")); }, "", kMissing},
      {"folders in another case",
       [](GameRoot& g) {
         std::filesystem::rename(g.Path("main"), g.Path("Main"));
         std::filesystem::rename(g.Path("raw/images"), g.Path("raw/Images"));
         std::filesystem::rename(g.Path("raw"), g.Path("Raw"));
       },
       "", ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    GameRoot game;
    c.arrange(game);
    LogCapture log;
    GuiRecord gui;
    VornIWDUtils tool;
    tool.SetGuiHooks(gui.Hooks());
    tool.SetPath(c.root == "-" ? "" : c.root.empty() ? game.Root() : game.Path(c.root));
    tool.CheckForImages();
    if (c.error.empty()) {
      EXPECT_TRUE(tool.PathsValid());
      EXPECT_TRUE(tool.ScanAvailable());
      EXPECT_EQ(gui.calls, std::vector<std::string>{"exec: open iwd_images_menu;"});
      EXPECT_TRUE(std::filesystem::is_directory(tool.RawImagesPath())) << tool.RawImagesPath();
      EXPECT_TRUE(std::filesystem::is_directory(tool.MainPath())) << tool.MainPath();
    } else {
      EXPECT_FALSE(tool.PathsValid());
      EXPECT_FALSE(tool.ScanAvailable());
      EXPECT_EQ(gui.calls, std::vector<std::string>{"error: " + c.error});
      EXPECT_TRUE(log.Has("------ WARNING: " + c.error));
    }
  }
}

TEST(IwdChecks, PathsOfARootWithoutTrailingSeparator) {
  GameRoot game;
  VornIWDUtils tool;
  game.CheckWith(tool);
  EXPECT_EQ(tool.RawImagesPath(), game.Root() + "/raw/images");
  EXPECT_EQ(tool.MainPath(), game.Root() + "/main");
}

// Fewer than 2,500 loose images propose the tool through the mailbox; a.iwi.bak counts as an image,
// a folder named x.iwi does not; upper-case names count.
TEST(IwdCountThread, ProposesTheToolBelow2500Images) {
  for (const int files : {2497, 2498}) {
    SCOPED_TRACE(files);
    GameRoot game;
    for (int i = 0; i < files; ++i) game.Write("raw/images/img" + std::to_string(i) + ".iwi", "");
    game.Write("raw/images/a.iwi.bak", "");
    game.Write("raw/images/B.IWI", "");
    game.Write("raw/images/notes.txt", "");
    std::filesystem::create_directory(game.Path("raw/images/x.iwi"));
    const int images = files + 2;
    LogCapture log;
    VornIWDUtils tool;
    tool.SetPath(game.Root());
    tool.CheckForImagesAndCount();
    ASSERT_TRUE(testing_support::WaitUntil([&] { return !tool.Counting(); }));
    const bool proposed = images < 2500;
    EXPECT_EQ(tool.ScanAvailable(), proposed);
    std::string command, message;
    EXPECT_EQ(tool.TakePending(command, message), proposed);
    if (proposed) {
      EXPECT_EQ(command, "open iwd_images_menu;");
      EXPECT_EQ(message, "");
      EXPECT_TRUE(log.Has("ImageCheck:: 'raw/images' looks incomplete with only: '2499 iwis' suggested user to run "
                          "Oxbrin, Path: '" + tool.RawImagesPath() + "'"));
    }
  }
}

TEST(IwdCountThread, UnreadableFolderMakesNoDecision) {
  GameRoot game;
  LogCapture log;
  VornIWDUtils tool;
  game.CheckWith(tool);
  std::filesystem::remove(game.Path("raw/images"));
  ASSERT_TRUE(tool.StartImageCount());
  ASSERT_TRUE(testing_support::WaitUntil([&] { return !tool.Counting(); }));
  EXPECT_TRUE(log.Has("------ WARNING: DirectoryCount:: Error: 2"));
  std::string command, message;
  EXPECT_FALSE(tool.TakePending(command, message));
}

// A new root stops a count still running; ending the object mid-count joins the thread.
TEST(IwdCountThread, CountIsStoppedBySetPathAndAtExit) {
  GameRoot game;
  for (int i = 0; i < 3000; ++i) game.Write("raw/images/i" + std::to_string(i) + ".iwi", "");
  for (int round = 0; round < 3; ++round) {
    auto tool = std::make_unique<VornIWDUtils>();
    tool->SetPath(game.Root());
    tool->CheckForImagesAndCount();
    if (round == 1) tool->SetPath(game.Root());
    tool.reset();  // joins
  }
}
