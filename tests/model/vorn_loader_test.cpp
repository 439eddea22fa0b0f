// The model list: listing a folder on the listing thread, the status rows, the filter, and the
// listing thread's life (one at a time, joined at exit).
#include "model/vorn_loader.h"

#include <gtest/gtest.h>

#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <thread>

#include "core/settings.h"
#include "support/log_capture.h"
#include "support/temp_folder.h"
#include "support/wait_until.h"

namespace {

using Names = std::vector<std::string>;

// Waits until the listing has ended and its thread is joined.
void WaitForListing(VornLoader& loader) {
  ASSERT_TRUE(testing_support::WaitUntil([&] { return !loader.IsLoading(); })) << "listing did not end";
  loader.StopListing();  // joins the ended thread
}

Names Shown(VornLoader& loader) {
  std::lock_guard<std::mutex> lock(LoaderMutex);
  return loader.shownNames ? *loader.shownNames : Names{};
}

// Records what the loader asks of the GUI; a test may hold the listing thread at one status row.
struct HookLog {
  std::mutex mutex;
  std::condition_variable changed;
  std::vector<int> counts;
  std::vector<Names> rowsAtCount;  // the shown rows when each status row came
  int resets = 0;
  int holdAt = -1;  // the listing thread waits at this count until released
  bool reached = false;
  bool released = false;

  VornLoaderHooks Hooks() {
    VornLoaderHooks hooks;
    hooks.resetListBox = [this] {
      std::lock_guard<std::mutex> lock(mutex);
      ++resets;
    };
    hooks.statusRow = [this](int count) { OnStatus(count); };
    return hooks;
  }
  void Attach(VornLoader& loader) {
    loader_ = &loader;
    loader.SetHooks(Hooks());
  }
  void OnStatus(int count) {
    Names rows = Shown(*loader_);
    std::unique_lock<std::mutex> lock(mutex);
    counts.push_back(count);
    rowsAtCount.push_back(rows);
    if (count == holdAt) {
      reached = true;
      changed.notify_all();
      changed.wait(lock, [this] { return released; });
    }
  }
  void WaitUntilHeld() {
    std::unique_lock<std::mutex> lock(mutex);
    ASSERT_TRUE(changed.wait_for(lock, std::chrono::seconds(60), [this] { return reached; }));
  }
  void Release() {
    std::lock_guard<std::mutex> lock(mutex);
    released = true;
    changed.notify_all();
  }
  int Resets() {
    std::lock_guard<std::mutex> lock(mutex);
    return resets;
  }

 private:
  VornLoader* loader_ = nullptr;
};

const std::string kWarning = "------ WARNING: ";

}  // namespace

TEST(ModelList, TrimLeftAndGetFolder) {
  std::string text = " \t\n ak 47 ";
  TrimLeft(text);
  EXPECT_EQ(text, "ak 47 ");

  TempFolder temp;
  VornLoader loader;
  EXPECT_EQ(loader.GetFolder(), "");
  loader.SetFolder(temp.Root());
  EXPECT_EQ(loader.GetFolder(), temp.Root());
  loader.SetFolder(temp.Root() + "/");
  EXPECT_EQ(loader.GetFolder(), temp.Root());
}

TEST(ModelList, GameXmodelFolderFollowsTheGameRoot) {
  VornSettings settings;
  settings.dir_cod4 = "/games/cod4";
  settings.dir_cod5 = "/games/cod5/";
  settings.dir_bo1 = kSetPath;
  EXPECT_EQ(GameXmodelFolder(settings.GameRoot(0)), "/games/cod4/raw/xmodel");
  EXPECT_EQ(GameXmodelFolder(settings.GameRoot(1)), "/games/cod5/raw/xmodel");
  EXPECT_EQ(GameXmodelFolder(settings.GameRoot(2)), "");
  EXPECT_EQ(GameXmodelFolder(settings.GameRoot(3)), "");
}

TEST(ModelList, ListDataPairs) {
  ListData data;
  data.AddRow("first_full_name", 4);
  data.AddRow("second", 9);
  EXPECT_EQ(data.RowName(), "");
  EXPECT_TRUE(data.IndexOfValue(9));
  EXPECT_EQ(data.RowName(), "second");
  EXPECT_FALSE(data.IndexOfValue(5));
  EXPECT_EQ(data.selection, 1);
  data.Clear();
  EXPECT_EQ(data.selection, -1);
  EXPECT_TRUE(data.rows.empty() && data.values.empty());
}

TEST(ModelListThread, ListsEachRealGameFolder) {
  struct Case {
    int game;
    Names models;
  };
  const Case cases[] = {
      {0, {"body_alice", "gib_abdomen", "weapon_bo_tomahawk", "weapon_mp_m1garand_rifle"}},
      {1, {"tom_katana_model", "viewmodel_richtofen_diary_pencil", "vm_mp_skin_c_type99_rifle"}},
      {2, {"c_usa_pent_jfk_fb_zt", "char_ger_honorgd_body1_g_larmspawn", "static_peleliu_wood_ammo_box"}},
  };
  const std::string roots[] = {DELVIX_REALDATA "/cod4", DELVIX_REALDATA "/cod5", DELVIX_REALDATA "/codbo"};
  VornLoader loader;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.game);
    loader.SetFolder(GameXmodelFolder(roots[c.game]));
    loader.LoadList();
    WaitForListing(loader);
    EXPECT_EQ(Shown(loader), c.models);
    std::lock_guard<std::mutex> lock(LoaderMutex);
    EXPECT_TRUE(loader.listReady);
    EXPECT_TRUE(loader.shortenPending);
  }
}

// A folder of 20,000 model names, a few files with extensions and a folder named like a model.
class ModelListThreadLarge : public ::testing::Test {
 protected:
  static constexpr int kModels = 20000;
  static void SetUpTestSuite() {
    temp_ = new TempFolder;
    // Three names with letters in other cases; every other name is m_<number>_x.
    temp_->Write("AK47_Rifle", "");
    temp_->Write("ak74_u", "");
    temp_->Write("viewmodel_Ak_mag", "");
    char name[32];
    for (int i = 3; i < kModels; ++i) {
      std::snprintf(name, sizeof name, "m_%05d_x", i);
      temp_->Write(name, "");
    }
    for (const char* other : {"readme.txt", "model.bak", ".hidden", "a.b.c", "tank.iwi"}) temp_->Write(other, "");
    std::filesystem::create_directory(temp_->Path("folder_named_like_a_model"));
  }
  static void TearDownTestSuite() {
    delete temp_;
    temp_ = nullptr;
  }
  static Names Expected() {
    Names names = {"AK47_Rifle", "ak74_u"};
    char name[32];
    for (int i = 3; i < kModels; ++i) {
      std::snprintf(name, sizeof name, "m_%05d_x", i);
      names.push_back(name);
    }
    names.push_back("viewmodel_Ak_mag");
    return names;
  }
  // Lists the folder to its end.
  static void ListFolder(VornLoader& loader, HookLog& hooks) {
    hooks.Attach(loader);
    loader.SetFolder(temp_->Root());
    loader.LoadList();
    WaitForListing(loader);
  }
  // Starts a listing of the folder whose thread waits at the status row of count.
  static void StartListingHeldAt(VornLoader& loader, HookLog& hooks, int count) {
    hooks.holdAt = count;
    hooks.Attach(loader);
    loader.SetFolder(temp_->Root());
    loader.LoadList();
    hooks.WaitUntilHeld();
  }
  static TempFolder* temp_;
};
TempFolder* ModelListThreadLarge::temp_ = nullptr;

TEST_F(ModelListThreadLarge, StatusRowsEveryHundredEntriesThenSortedNames) {
  VornLoader loader;
  HookLog hooks;
  ListFolder(loader, hooks);

  // 20,006 entries plus "." and ".."; every entry after the first is counted, so the counts
  // run to 20,007 and a status row comes at each multiple of 100.
  std::vector<int> expectedCounts;
  for (int count = 0; count <= 20000; count += 100) expectedCounts.push_back(count);
  EXPECT_EQ(hooks.counts, expectedCounts);
  for (size_t k = 0; k < hooks.counts.size(); ++k) {
    EXPECT_EQ(hooks.rowsAtCount[k], Names{"Loading: " + std::to_string(hooks.counts[k])});
  }
  EXPECT_EQ(Shown(loader), Expected());
  EXPECT_EQ(hooks.Resets(), 0);  // no search text: nothing to reset
}

TEST_F(ModelListThreadLarge, FilterTable) {
  VornLoader loader;
  HookLog hooks;
  ListFolder(loader, hooks);
  const Names all = Expected();
  const Names ak = {"AK47_Rifle", "ak74_u", "viewmodel_Ak_mag"};

  struct Case {
    const char* search;
    const Names* expected;  // null: no rows at all
    bool resetsListBox;
  };
  const Case cases[] = {
      {"zzz", nullptr, true},   // matches nothing: an empty list, not the status row
      {"_", &all, true},        // matches every name
      {"ak", &ak, true},        // letters match either case
      {"  AK", &ak, true},      // leading blanks dropped, upper case typed
      {"", &all, false},        // cleared: all names again, nothing to reset
      {" \t", &all, false},     // only blanks is no search
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.search);
    int resetsBefore = hooks.Resets();
    loader.ApplyFilter(c.search);
    Names shown = Shown(loader);
    if (c.expected) {
      EXPECT_EQ(shown, *c.expected);
    } else {
      EXPECT_TRUE(shown.empty());
    }
    EXPECT_EQ(hooks.Resets() - resetsBefore, c.resetsListBox ? 1 : 0);
  }
}

TEST_F(ModelListThreadLarge, FilterSearchesTheFullNamesOfShortenedRows) {
  VornLoader loader;
  HookLog hooks;
  ListFolder(loader, hooks);
  {
    // What the list box does with a name too wide for it: it shortens the shown text and keeps
    // the full name in the shown ListData under the row's index.
    std::lock_guard<std::mutex> lock(LoaderMutex);
    ASSERT_EQ((*loader.shownNames)[0], "AK47_Rifle");
    loader.shownList->AddRow("AK47_Rifle", 0);
    (*loader.shownNames)[0] = "AK4.";
  }
  loader.ApplyFilter("rifle");
  std::lock_guard<std::mutex> lock(LoaderMutex);
  EXPECT_EQ(*loader.shownNames, Names{"AK4."});
  ASSERT_EQ(loader.shownList->rows, Names{"AK47_Rifle"});
  EXPECT_EQ(loader.shownList->values, std::vector<int>{0});
}

TEST_F(ModelListThreadLarge, SearchInForceDuringANewListing) {
  VornLoader loader;
  HookLog hooks;
  hooks.Attach(loader);
  loader.SetFolder(temp_->Root());
  loader.ApplyFilter("ak");
  loader.LoadList();
  WaitForListing(loader);

  ASSERT_GE(hooks.counts.size(), 2u);
  EXPECT_EQ(hooks.counts[0], 0);
  EXPECT_TRUE(hooks.rowsAtCount[0].empty());  // "Loading: 0" is filtered away at once
  EXPECT_EQ(hooks.rowsAtCount[1], Names{"Loading: 100"});
  EXPECT_EQ(Shown(loader), (Names{"AK47_Rifle", "ak74_u", "viewmodel_Ak_mag"}));
  EXPECT_EQ(hooks.Resets(), 3);  // the filter itself, the listing's start and its end
}

TEST_F(ModelListThreadLarge, SecondListingWhileOneRunsIsRefused) {
  LogCapture log;
  VornLoader loader;
  HookLog hooks;
  StartListingHeldAt(loader, hooks, 1000);

  EXPECT_TRUE(loader.IsLoading());
  loader.LoadList();
  EXPECT_TRUE(log.Has(kWarning + "VornLoader::LoadList called while already loading directroy"));
  EXPECT_EQ(Shown(loader), Names{"Loading: 1000"});  // the running listing goes on

  hooks.Release();
  WaitForListing(loader);
  EXPECT_EQ(Shown(loader).size(), static_cast<size_t>(kModels));
  EXPECT_EQ(hooks.counts.front(), 0);
  EXPECT_EQ(hooks.counts.back(), 20000);
}

TEST_F(ModelListThreadLarge, ShutdownDuringAListingEndsCleanly) {
  auto loader = std::make_unique<VornLoader>();
  HookLog hooks;
  StartListingHeldAt(*loader, hooks, 500);

  // Program exit: the loader is reset while the listing runs, then destroyed.
  loader->Reset();
  // The listing goes on once the destructor has (almost surely) asked it to end; it then stops
  // at the next entry instead of listing the folder to its end.
  std::thread releaser([&hooks] {
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    hooks.Release();
  });
  auto start = std::chrono::steady_clock::now();
  loader.reset();
  releaser.join();
  auto ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
  EXPECT_LT(ms, 2000.0);
  EXPECT_LT(hooks.counts.back(), 20000);
}

TEST_F(ModelListThreadLarge, ListsAgainAfterAStoppedListing) {
  VornLoader loader;
  HookLog hooks;
  StartListingHeldAt(loader, hooks, 300);
  std::thread releaser([&hooks] { hooks.Release(); });
  loader.StopListing();
  releaser.join();
  EXPECT_FALSE(loader.IsLoading());

  loader.LoadList();
  WaitForListing(loader);
  EXPECT_EQ(Shown(loader), Expected());
}

TEST(ModelListThread, MissingFolderMessages) {
  LogCapture log;
  TempFolder temp;
  VornLoader loader;
  loader.SetFolder(temp.Path("no_such_folder"));
  EXPECT_TRUE(log.Has(kWarning + "VornLoader Folder dose not exsist: " + temp.Path("no_such_folder")));
  loader.LoadList();
  EXPECT_TRUE(log.Has(kWarning + "VornLoader::LoadList called when path is not valid."));
  EXPECT_FALSE(loader.IsLoading());
  EXPECT_EQ(Shown(loader), Names{});

  // A folder that vanishes between choosing it and listing it: the listing's error line, and
  // the listing ends with no names.
  std::string gone = temp.Path("gone");
  std::filesystem::create_directory(gone);
  loader.SetFolder(gone);
  std::remove(gone.c_str());
  loader.LoadList();
  WaitForListing(loader);
  EXPECT_TRUE(log.Has(kWarning + "VornLoader::LoadList Error: 2"));
  std::lock_guard<std::mutex> lock(LoaderMutex);
  EXPECT_TRUE(loader.listReady);
  ASSERT_NE(loader.shownNames, nullptr);
  EXPECT_TRUE(loader.shownNames->empty());
}
