// FolderIndex and FolderIndexes: files of a game folder found ignoring case, the folder listed once
// per change and never for a name found as written; one index per folder, shared by every thread.
#include "model/folder_index.h"

#include <gtest/gtest.h>

#include <atomic>
#include <filesystem>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "support/game_files.h"
#include "support/temp_folder.h"

namespace fs = std::filesystem;

namespace {

// A game folder whose xmodelsurfs folder holds "tank_lod0" and "tank_lod1".
class FolderIndexTest : public testing::Test {
 protected:
  void SetUp() override {
    Write("xmodelsurfs/tank_lod0");
    Write("xmodelsurfs/tank_lod1");
  }
  void Write(const std::string& name) const { testfiles::WriteGameFile(root.Path(name), {1, 2, 3}); }

  TempFolder root;
};

// A change made to the game folder between two lookups of one name through one index.
struct FolderChange {
  const char* what;
  const char* folder;  // the folder the index serves, below the root
  std::function<void(const TempFolder&)> change;
  const char* asked;   // the name looked up
  const char* before;  // the file found before the change, below the root ("" for none)
  const char* after;   // the file found after it
};

const FolderChange kChanges[] = {
    {"file added in another case", "xmodelsurfs",
     [](const TempFolder& root) { testfiles::WriteGameFile(root.Path("xmodelsurfs/Tank_Lod2"), {1}); },
     "tank_LOD2", "", "xmodelsurfs/Tank_Lod2"},
    {"file renamed to another case", "xmodelsurfs",
     [](const TempFolder& root) { fs::rename(root.Path("xmodelsurfs/tank_lod1"), root.Path("xmodelsurfs/TANK_LOD1")); },
     "tank_LOD1", "xmodelsurfs/tank_lod1", "xmodelsurfs/TANK_LOD1"},
    {"file renamed to the case asked for", "xmodelsurfs",
     [](const TempFolder& root) { fs::rename(root.Path("xmodelsurfs/tank_lod1"), root.Path("xmodelsurfs/tank_LOD1")); },
     "tank_LOD1", "xmodelsurfs/tank_lod1", "xmodelsurfs/tank_LOD1"},
    {"file removed", "xmodelsurfs",
     [](const TempFolder& root) { fs::remove(root.Path("xmodelsurfs/tank_lod1")); },
     "tank_LOD1", "xmodelsurfs/tank_lod1", ""},
    {"file replaced by a folder", "xmodelsurfs",
     [](const TempFolder& root) {
       fs::remove(root.Path("xmodelsurfs/tank_lod1"));
       fs::create_directory(root.Path("xmodelsurfs/tank_lod1"));
     },
     "tank_LOD1", "xmodelsurfs/tank_lod1", ""},
    {"folder renamed to another case", "xmodelsurfs",
     [](const TempFolder& root) { fs::rename(root.Path("xmodelsurfs"), root.Path("XModelSurfs")); },
     "tank_LOD1", "xmodelsurfs/tank_lod1", "XModelSurfs/tank_lod1"},
    {"missing folder created", "xmodelparts",
     [](const TempFolder& root) { testfiles::WriteGameFile(root.Path("XMODELPARTS/Tank_Lod0"), {1}); },
     "tank_LOD0", "", "XMODELPARTS/Tank_Lod0"},
};

// Each change is seen by the next lookup, whether the folder was fresh (changed moments ago) or
// settled long ago, and whether it settled again after the change.
enum class Age { Fresh, Settled, SettledAgain };

}  // namespace

TEST(FolderIndex, FileAddedRenamedOrRemovedIsSeenByTheNextLookup) {
  for (Age age : {Age::Fresh, Age::Settled, Age::SettledAgain}) {
    for (const FolderChange& change : kChanges) {
      SCOPED_TRACE(std::string(change.what) + ", age " + std::to_string(int(age)));
      TempFolder game;
      testfiles::WriteGameFile(game.Path("xmodelsurfs/tank_lod0"), {1});
      testfiles::WriteGameFile(game.Path("xmodelsurfs/tank_lod1"), {1});
      if (age != Age::Fresh) testfiles::SettleFolders(game.Root());
      FolderIndex index(game.Path(change.folder));
      auto expected = [&](const char* name) { return *name ? game.Path(name) : std::string(); };

      EXPECT_EQ(index.FindFile(change.asked), expected(change.before));
      EXPECT_EQ(index.FindFile("no_such_file"), "");  // the listing is taken now at the latest
      change.change(game);
      if (age == Age::SettledAgain) testfiles::SettleFolders(game.Root());
      EXPECT_EQ(index.FindFile(change.asked), expected(change.after));
      EXPECT_TRUE(index.Exists());
    }
  }
}

TEST_F(FolderIndexTest, ListsOncePerChangeOfTheFolderAndNeverForANameAsWritten) {
  testfiles::SettleFolders(root.Root());
  FolderIndex index(root.Path("xmodelsurfs/"));
  EXPECT_TRUE(index.Exists());
  EXPECT_EQ(index.FindFile("tank_lod0"), root.Path("xmodelsurfs/tank_lod0"));
  EXPECT_EQ(index.Listings(), 0u);

  for (int round = 0; round < 3; ++round) {
    EXPECT_EQ(index.FindFile("TANK_LOD1"), root.Path("xmodelsurfs/tank_lod1"));
    EXPECT_EQ(index.FindFile("tank_LOD2"), "");
  }
  EXPECT_EQ(index.Listings(), 1u);

  Write("xmodelsurfs/Tank_Lod2");
  testfiles::SettleFolders(root.Root());
  for (int round = 0; round < 3; ++round) {
    EXPECT_EQ(index.FindFile("tank_LOD2"), root.Path("xmodelsurfs/Tank_Lod2"));
    EXPECT_EQ(index.FindFile("tank_LOD3"), "");
  }
  EXPECT_EQ(index.FindFile("tank_lod0"), root.Path("xmodelsurfs/tank_lod0"));
  EXPECT_EQ(index.Listings(), 2u);
}

TEST_F(FolderIndexTest, AMissingFolderFindsNothingAndIsNeverListed) {
  testfiles::SettleFolders(root.Root());
  FolderIndex index(root.Path("images"));
  for (int round = 0; round < 3; ++round) {
    EXPECT_FALSE(index.Exists());
    EXPECT_EQ(index.FindFile("body_col.iwi"), "");
  }
  EXPECT_EQ(index.Listings(), 0u);
}

TEST_F(FolderIndexTest, NamesThatCouldLeaveTheFolderOrNameAFolderFindNothing) {
  fs::create_directory(root.Path("xmodelsurfs/Sub"));
  Write("outside");
  FolderIndex index(root.Path("xmodelsurfs"));
  for (const char* name : {"", ".", "..", "../outside", "..\\outside", "sub", "Sub", "tank_lod0/"}) {
    EXPECT_EQ(index.FindFile(name), "") << name;
  }
}

TEST(FolderIndexes, OneIndexPerFolderAndNoneSharedBetweenTwoGames) {
  TempFolder cod4, cod5;
  for (const TempFolder* game : {&cod4, &cod5}) {
    testfiles::WriteGameFile(game->Path("raw/xmodelsurfs/tank_lod0"), {1});
  }
  testfiles::WriteGameFile(cod4.Path("raw/xmodelsurfs/Tank_Lod1"), {1});  // only Cod4 has it

  std::shared_ptr<FolderIndex> surfs4 = gFolderIndexes.For(cod4.Path("raw/xmodelsurfs"));
  std::shared_ptr<FolderIndex> surfs5 = gFolderIndexes.For(cod5.Path("raw/xmodelsurfs"));
  EXPECT_EQ(surfs4, gFolderIndexes.For(cod4.Path("raw/xmodelsurfs/")));
  EXPECT_TRUE(surfs4->Serves(cod4.Path("raw/xmodelsurfs//")));
  EXPECT_NE(surfs4, surfs5);
  EXPECT_FALSE(surfs5->Serves(cod4.Path("raw/xmodelsurfs")));
  EXPECT_NE(surfs4, gFolderIndexes.For(cod4.Path("raw/xmodelparts")));

  EXPECT_EQ(surfs4->FindFile("TANK_LOD1"), cod4.Path("raw/xmodelsurfs/Tank_Lod1"));
  EXPECT_EQ(surfs5->FindFile("TANK_LOD1"), "");
  EXPECT_EQ(surfs5->FindFile("TANK_LOD0"), cod5.Path("raw/xmodelsurfs/tank_lod0"));
}

// Lookups on several threads while another thread renames, adds and removes files: names that
// never change are always found, and the index ends up agreeing with the folder.
TEST(FolderIndexThread, LookupsWhileTheFolderChangesOnAnotherThread) {
  TempFolder game;
  const std::string folder = game.Path("raw/xmodelsurfs");
  constexpr int kStable = 50;
  for (int i = 0; i < kStable; ++i) testfiles::WriteGameFile(folder + "/stable_lod" + std::to_string(i), {1});
  testfiles::WriteGameFile(folder + "/moving_lod0", {1});
  std::shared_ptr<FolderIndex> index = gFolderIndexes.For(folder);

  std::atomic<bool> stop{false};
  std::atomic<int> wrong{0};
  std::atomic<int> rounds{0};
  std::vector<std::thread> readers;
  for (int t = 0; t < 3; ++t) {
    readers.emplace_back([&, t] {
      for (int round = 0; !stop.load(); ++round) {
        const int i = (round + t) % kStable;
        const std::string path = gFolderIndexes.For(folder)->FindFile("STABLE_LOD" + std::to_string(i));
        if (path != folder + "/stable_lod" + std::to_string(i)) ++wrong;
        index->FindFile("Moving_LOD0");  // found or not, depending on the moment
        index->Exists();
        ++rounds;
      }
    });
  }
  // At least 200 changes while the readers run, and an even number of renames.
  for (int change = 0; change < 200 || rounds.load() < 300 || change % 2; ++change) {
    const std::string from = folder + (change % 2 ? "/MOVING_LOD0" : "/moving_lod0");
    const std::string to = folder + (change % 2 ? "/moving_lod0" : "/MOVING_LOD0");
    fs::rename(from, to);
    testfiles::WriteGameFile(folder + "/extra" + std::to_string(change % 7), {1});
    fs::remove(folder + "/extra" + std::to_string((change + 3) % 7));
  }
  stop = true;
  for (std::thread& reader : readers) reader.join();

  EXPECT_EQ(wrong.load(), 0);
  EXPECT_EQ(index->FindFile("Moving_LOD0"), folder + "/moving_lod0");  // an even number of renames
  EXPECT_EQ(index->FindFile("EXTRA2"), fs::exists(folder + "/extra2") ? folder + "/extra2" : "");
}
