// The scan: the right images land whole with equal bytes; hostile and damaged archives leave nothing
// outside raw/images and nothing half-written, and the scan goes on.
#include <gtest/gtest.h>

#include "game_root.h"
#include "support/log_capture.h"

using testfiles::PatternBytes;
using testfiles::ZipBuilder;
using testfiles::ZipMethod;

namespace {

std::string Bytes(int seed, size_t size = 3000) { return PatternBytes(size, static_cast<uint32_t>(seed)); }

}  // namespace

TEST(IwdScan, CopiesEveryImageOnceKeepingExistingFiles) {
  GameRoot game;
  std::filesystem::create_directories(game.Path("raw/images/sub"));
  game.Write("raw/images/kept.iwi", "mine");
  game.Write("raw/images/Dup_Case.iwi", "mine too");
  // Visited as A_first.IWD, b_second.iwd, c_third.iwd whatever the listing order.
  game.Archive("b_second.iwd", ZipBuilder()
                                   .Add("images/dup.iwi", Bytes(100))
                                   .Add("images/late.iwi", Bytes(7), ZipMethod::Stored)
                                   .Add("images/dup_case.iwi", Bytes(101)));
  game.Archive("A_first.IWD", ZipBuilder()
                                  .Folder("images/")
                                  .Folder("images/x.iwi/")
                                  .Add("images/stored.iwi", Bytes(1), ZipMethod::Stored)
                                  .Add("images/deflated.iwi", Bytes(2, 400000))
                                  .Add("images/UPPER.IWI", Bytes(3))
                                  .Add("images/sub/nested.iwi", Bytes(4))
                                  .Add("images/nosub/lost.iwi", Bytes(5))
                                  .Add("images/kept.iwi", Bytes(6))
                                  .Add("images/dup.iwi", Bytes(8))
                                  .Add("materials/mtl_thing", "not an image")
                                  .Add("images/empty.iwi", ""));
  game.Archive("c_third.iwd", ZipBuilder().Add("images/third.iwi", Bytes(9)));
  std::filesystem::create_directory(game.Path("main/folder.iwd"));  // never an archive
  game.Write("main/readme.txt", "not an archive");

  LogCapture log;
  VornIWDUtils tool;
  game.CheckWith(tool);
  EXPECT_EQ(tool.IWDList(), (std::vector<std::string>{"A_first.IWD", "b_second.iwd", "c_third.iwd"}));
  GameRoot::ScanAndWait(tool);

  EXPECT_EQ(game.FilesOutsideMain(),
            (std::vector<std::string>{"raw/images/Dup_Case.iwi", "raw/images/UPPER.IWI", "raw/images/deflated.iwi",
                                      "raw/images/dup.iwi", "raw/images/empty.iwi", "raw/images/kept.iwi",
                                      "raw/images/late.iwi", "raw/images/stored.iwi", "raw/images/sub/nested.iwi",
                                      "raw/images/third.iwi"}));
  EXPECT_EQ(game.Read("raw/images/stored.iwi"), Bytes(1));
  EXPECT_EQ(game.Read("raw/images/deflated.iwi"), Bytes(2, 400000));
  EXPECT_EQ(game.Read("raw/images/UPPER.IWI"), Bytes(3));
  EXPECT_EQ(game.Read("raw/images/sub/nested.iwi"), Bytes(4));
  EXPECT_EQ(game.Read("raw/images/kept.iwi"), "mine");
  EXPECT_EQ(game.Read("raw/images/Dup_Case.iwi"), "mine too");  // same name in another case: kept
  EXPECT_EQ(game.Read("raw/images/dup.iwi"), Bytes(8));         // the first archive in order wins
  EXPECT_EQ(game.Read("raw/images/late.iwi"), Bytes(7));
  EXPECT_EQ(game.Read("raw/images/third.iwi"), Bytes(9));
  // A missing subfolder is not created: the image is reported and the scan goes on.
  EXPECT_EQ(log.Count("------ WARNING: Copy IWI Error: Can't OpenFile"), 1);

  const IWDProgress progress = tool.GetProgress();
  EXPECT_EQ(progress.progressText, "2/3");
  EXPECT_EQ(progress.currentIwd, 3);
  EXPECT_EQ(progress.iwdCount, 3);
  EXPECT_EQ(progress.moved, 1);  // the last archive's numbers
  EXPECT_EQ(GameRoot::TakeClosingMessage(tool), "");
}

TEST(IwdScan, ArchiveWithoutImagesIsDoneWithZeroCounters) {
  GameRoot game;
  game.Archive("_weapons.iwd", ZipBuilder().Folder("weapons/").Add("weapons/mp/dog_mp", Bytes(1)));
  VornIWDUtils tool;
  game.CheckWith(tool);
  EXPECT_EQ(tool.ExtractIWD(game.Path("main/_weapons.iwd")), IWDResult::Done);
  const IWDProgress progress = tool.GetProgress();
  EXPECT_EQ(progress.entriesDone + progress.moved + progress.skipped, 0);
  EXPECT_TRUE(game.FilesOutsideMain().empty());
}

// Each hostile or damaged archive: its result, nothing written outside raw/images, no temporary
// file, and a good image of the same archive still lands where one exists.
TEST(IwdScan, HostileAndDamagedArchives) {
  const std::string good = Bytes(50);
  const std::string evil = Bytes(66);
  const std::string whole = ZipBuilder().Add("images/good.iwi", good).Add("images/other.iwi", Bytes(51)).Build();
  const struct {
    const char* what;
    std::string (*archive)(const std::string& root, const std::string& good, const std::string& evil,
                           const std::string& whole);
    IWDResult result;
    bool goodLands;
  } cases[] = {
      {"traversal",
       [](const std::string&, const std::string& g, const std::string& e, const std::string&) {
         return ZipBuilder().Add("../../evil.iwi", e).Add("images/../../../evil.iwi", e).Add("images/good.iwi", g).Build();
       },
       IWDResult::EntryFailed, true},
      {"absolute",
       [](const std::string& root, const std::string& g, const std::string& e, const std::string&) {
         return ZipBuilder().Add(root + "/evil.iwi", e).Add("images/good.iwi", g).Build();
       },
       IWDResult::EntryFailed, true},
      {"drive letter and backslashes",
       [](const std::string&, const std::string& g, const std::string& e, const std::string&) {
         return ZipBuilder().Add("C:/evil.iwi", e).Add("images\\..\\..\\evil.iwi", e).Add("images/good.iwi", g).Build();
       },
       IWDResult::EntryFailed, true},
      {"over-long name",
       [](const std::string&, const std::string& g, const std::string& e, const std::string&) {
         return ZipBuilder().Add("images/" + std::string(300, 'a') + ".iwi", e).Add("images/good.iwi", g).Build();
       },
       IWDResult::EntryFailed, true},
      {"bad CRC, stored",
       [](const std::string&, const std::string& g, const std::string& e, const std::string&) {
         return ZipBuilder().Add("images/evil.iwi", e, ZipMethod::Stored).Crc(7).Add("images/good.iwi", g).Build();
       },
       IWDResult::CrcError, true},
      {"bad CRC, deflated",
       [](const std::string&, const std::string& g, const std::string& e, const std::string&) {
         return ZipBuilder().Add("images/evil.iwi", e).Crc(7).Add("images/good.iwi", g).Build();
       },
       IWDResult::CrcError, true},
      {"wrong length",
       [](const std::string&, const std::string& g, const std::string& e, const std::string&) {
         return ZipBuilder().Add("images/evil.iwi", e).DeclaredSize(100000).Add("images/good.iwi", g).Build();
       },
       IWDResult::CrcError, true},
      {"zip bomb ratio",
       [](const std::string&, const std::string& g, const std::string&, const std::string&) {
         return ZipBuilder().Add("images/evil.iwi", std::string(40u << 20, '\0')).Add("images/good.iwi", g).Build();
       },
       IWDResult::EntryFailed, true},
      {"truncated archive",
       [](const std::string&, const std::string&, const std::string&, const std::string& w) {
         return w.substr(0, w.size() * 2 / 3);
       },
       IWDResult::NotOpened, false},
      {"damaged directory",
       [](const std::string&, const std::string&, const std::string&, const std::string& w) {
         std::string damaged = w;  // the second directory record loses its signature
         const std::string signature("PK\x01\x02", 4);
         damaged[damaged.find(signature, damaged.find(signature) + 4) + 3] = 9;
         return damaged;
       },
       IWDResult::DirectoryDamaged, false},
      {"empty file",
       [](const std::string&, const std::string&, const std::string&, const std::string&) { return std::string(); },
       IWDResult::NotOpened, false},
      {"not a ZIP",
       [](const std::string&, const std::string&, const std::string&, const std::string&) {
         return std::string("IWi\x06 this is an image, not an archive, with enough bytes to search");
       },
       IWDResult::NotOpened, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    GameRoot game;
    game.Write("main/hostile.iwd", c.archive(game.Root(), good, evil, whole));
    LogCapture log;
    VornIWDUtils tool;
    game.CheckWith(tool);
    EXPECT_EQ(tool.ExtractIWD(game.Path("main/hostile.iwd")), c.result);
    const std::vector<std::string> expected =
        c.goodLands ? std::vector<std::string>{"raw/images/good.iwi"} : std::vector<std::string>{};
    EXPECT_EQ(game.FilesOutsideMain(), expected);
    if (c.goodLands) {
      EXPECT_EQ(game.Read("raw/images/good.iwi"), good);
    }
    EXPECT_FALSE(std::filesystem::exists(game.Path("../evil.iwi")));
    bool warned = false;
    for (const std::string& line : log.Lines()) warned |= line.rfind("------ WARNING: ExtractIWD:: ", 0) == 0;
    EXPECT_TRUE(warned);
  }
}

// Damaged archives do not stop the scan: the later ones are extracted, the log names each failure
// and the end message the first of them.
TEST(IwdScan, FailedArchivesAreNamedAndTheScanGoesOn) {
  LogCapture log;
  GameRoot game;
  game.Write("main/a_empty.iwd", "");
  game.Write("main/b_foreign.iwd", "PK but not really an archive at all, long enough to look for one");
  game.Archive("c_crc.iwd", ZipBuilder().Add("images/c.iwi", Bytes(1)).Crc(3));
  game.Archive("d_good.iwd", ZipBuilder().Add("images/d.iwi", Bytes(2)));
  VornIWDUtils tool;
  game.CheckWith(tool);
  GameRoot::ScanAndWait(tool);
  EXPECT_EQ(game.FilesOutsideMain(), std::vector<std::string>{"raw/images/d.iwi"});
  // The end message names the first failure and counts the others; the log names each.
  const std::string message = GameRoot::TakeClosingMessage(tool);
  EXPECT_NE(message.find("a_empty.iwd: not a ZIP archive"), std::string::npos) << message;
  EXPECT_NE(message.find("... and 2 more"), std::string::npos) << message;
  EXPECT_EQ(message.find("d_good"), std::string::npos) << message;
  EXPECT_TRUE(log.Has("------ WARNING: ExtractIWD:: 'b_foreign.iwd' failed: not a ZIP archive (or cut short)"));
  EXPECT_TRUE(log.Has("------ WARNING: ExtractIWD:: 'images/c.iwi' in 'c_crc.iwd' not copied: CRC error"));
}

// The real archives of the three games: every ".iwi" entry lands with the bytes Python's zipfile
// reads from it; an archive without images adds nothing.
TEST(IwdScan, RealGameArchives) {
  const char* kReference = R"(
import os, sys, zipfile
main, out = sys.argv[1], sys.argv[2]
for name in sorted(os.listdir(main), key=str.lower):
    with zipfile.ZipFile(os.path.join(main, name)) as z:
        for entry in z.namelist():
            target = os.path.join(out, entry)
            if '.iwi' in entry.lower() and not entry.endswith('/') and not os.path.exists(target):
                os.makedirs(os.path.dirname(target), exist_ok=True)
                open(target, 'wb').write(z.read(entry))
)";
  for (const char* game : {"cod4", "cod5", "codbo"}) {
    const std::string main = std::string(DELVIX_REALDATA) + "/" + game + "/main";
    if (!std::filesystem::is_directory(main)) GTEST_SKIP() << "no real data under " << DELVIX_REALDATA;
    SCOPED_TRACE(game);
    GameRoot root;
    for (const auto& item : std::filesystem::directory_iterator(main)) {
      std::filesystem::copy_file(item.path(), root.Path("main/" + item.path().filename().string()));
    }
    TempFolder reference;
    reference.Write("extract.py", kReference);
    ASSERT_EQ(std::system(("python3 " + reference.Path("extract.py") + " " + main + " " + reference.Path("raw")).c_str()), 0);

    VornIWDUtils tool;
    root.CheckWith(tool);
    GameRoot::ScanAndWait(tool);
    EXPECT_EQ(GameRoot::TakeClosingMessage(tool), "");
    const std::vector<std::string> files = root.FilesOutsideMain();
    EXPECT_FALSE(files.empty());
    size_t referenceFiles = 0;
    for (const auto& item : std::filesystem::recursive_directory_iterator(reference.Path("raw"))) {
      referenceFiles += item.is_regular_file() ? 1 : 0;
    }
    EXPECT_EQ(files.size(), referenceFiles);
    for (const std::string& file : files) {
      EXPECT_EQ(root.Read(file), reference.Read(file)) << file;
    }
  }
}
