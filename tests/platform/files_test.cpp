#include "platform/files.h"

#include <gtest/gtest.h>
#include <sys/resource.h>

#include <algorithm>
#include <csignal>
#include <filesystem>

#include "support/temp_folder.h"

namespace {

namespace fs = std::filesystem;

// Names of the entries in folder.
std::vector<std::string> Entries(const std::string& folder) {
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(folder)) names.push_back(entry.path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}

TEST(FileChecks, RegularFilesAndFolders) {
  TempFolder folder;
  folder.Write("file", "x");
  fs::create_directory(folder.Path("dir"));
  EXPECT_TRUE(platform::IsRegularFile(folder.Path("file")));
  EXPECT_FALSE(platform::IsRegularFile(folder.Path("dir")));
  EXPECT_FALSE(platform::IsRegularFile(folder.Path("missing")));
  EXPECT_TRUE(platform::IsDirectory(folder.Path("dir")));
  EXPECT_FALSE(platform::IsDirectory(folder.Path("file")));
  EXPECT_FALSE(platform::IsDirectory(folder.Path("missing")));
}

TEST(ReadWholeFile, ReadsRegularFilesOnly) {
  TempFolder folder;
  folder.Write("data", std::string("a\0b", 3));
  folder.Write("empty", "");
  fs::create_directory(folder.Path("dir"));
  std::vector<uint8_t> bytes{1, 2};
  EXPECT_TRUE(platform::ReadWholeFile(folder.Path("data"), bytes));
  EXPECT_EQ(bytes, (std::vector<uint8_t>{'a', 0, 'b'}));
  EXPECT_TRUE(platform::ReadWholeFile(folder.Path("empty"), bytes));
  EXPECT_TRUE(bytes.empty());
  EXPECT_FALSE(platform::ReadWholeFile(folder.Path("dir"), bytes));
  EXPECT_FALSE(platform::ReadWholeFile(folder.Path("missing"), bytes));
  EXPECT_TRUE(bytes.empty());
}

TEST(CreateFolders, MakesEveryMissingParent) {
  TempFolder folder;
  EXPECT_TRUE(platform::CreateFolders(folder.Path("a/b/c")));
  EXPECT_TRUE(platform::IsDirectory(folder.Path("a/b/c")));
  EXPECT_TRUE(platform::CreateFolders(folder.Path("a/b/c")));      // already there
  EXPECT_TRUE(platform::CreateFolders(folder.Path("x/y/")));       // a trailing separator
  folder.Write("a/file", "x");
  EXPECT_FALSE(platform::CreateFolders(folder.Path("a/file/sub")));  // a file in the way
}

// Game files name their parts in another case than the files on disk: the Cod4 tomahawk's LOD is
// "Tomahawk1", its surface file "tomahawk1".
TEST(ResolvePathCaseInsensitive, FindsRealGameFilesWhateverTheCase) {
  const std::string root = std::string(DELVIX_REALDATA) + "/cod4/raw";
  if (!platform::IsDirectory(root)) GTEST_SKIP() << "real game files not found at " << root;
  EXPECT_EQ(platform::ResolvePathCaseInsensitive(root + "/xmodelsurfs/Tomahawk1"), root + "/xmodelsurfs/tomahawk1");
  EXPECT_EQ(platform::ResolvePathCaseInsensitive(root + "/XMODELSURFS/TOMAHAWK1"), root + "/xmodelsurfs/tomahawk1");
  EXPECT_EQ(platform::ResolvePathCaseInsensitive(root + "/xmodelparts/Tomahawk1"), root + "/xmodelparts/Tomahawk1");
  EXPECT_EQ(platform::ResolvePathCaseInsensitive(root + "/xmodelparts/playermodel_aot_alice2"),
            root + "/xmodelparts/playermodel_AoT_alice2");
  EXPECT_EQ(platform::ResolvePathCaseInsensitive(root + "/xmodelsurfs/Tomahawk2"), "");
}

TEST(ResolvePathCaseInsensitive, ExactNameFirstThenAnyCase) {
  TempFolder folder;
  fs::create_directory(folder.Path("Sub"));
  folder.Write("Sub/Part", "upper");
  folder.Write("Sub/part", "lower");
  folder.Write("Sub/only.IWI", "x");

  const std::pair<std::string, std::string> cases[] = {
      {"Sub/Part", "Sub/Part"},          // exact names win over a case-insensitive match
      {"Sub/part", "Sub/part"},
      {"sub/part", "Sub/part"},          // folder by folder: the folder matched, then the exact file
      {"SUB/ONLY.iwi", "Sub/only.IWI"},
      {"sub/./only.iwi", "Sub/only.IWI"},
      {"Sub/missing", ""},
      {"missing/part", ""},
      {"Sub/only.IWI/more", ""},
  };
  for (const auto& [asked, found] : cases) {
    std::string expected = found.empty() ? "" : folder.Path(found);
    EXPECT_EQ(platform::ResolvePathCaseInsensitive(folder.Path(asked)), expected) << asked;
  }
  // Neither exact spelling asked: one of the two files, whichever the folder lists first.
  std::string either = platform::ResolvePathCaseInsensitive(folder.Path("sub/PART"));
  EXPECT_TRUE(either == folder.Path("Sub/Part") || either == folder.Path("Sub/part")) << either;
  EXPECT_EQ(platform::ResolvePathCaseInsensitive(""), "");
}

TEST(ReplaceFileAtomically, ReplacesTheWholeFile) {
  TempFolder folder;
  folder.Write("settings.xml", "old contents that are longer than the new ones");
  const std::string text = "new";
  ASSERT_TRUE(platform::ReplaceFileAtomically(folder.Path("settings.xml"), text.data(), text.size()));
  EXPECT_EQ(folder.Read("settings.xml"), "new");
  EXPECT_EQ(Entries(folder.Root()), std::vector<std::string>{"settings.xml"});  // no temporary left
  ASSERT_TRUE(platform::ReplaceFileAtomically(folder.Path("fresh.xml"), text.data(), text.size()));
  EXPECT_EQ(folder.Read("fresh.xml"), "new");
}

// A write that fails part way (here: the file-size limit, as a full disk would) leaves the old
// file as it was and no temporary file behind.
TEST(ReplaceFileAtomically, AFailedWriteLeavesTheOldFileIntact) {
  TempFolder folder;
  const std::string old = "the user's settings";
  folder.Write("settings.xml", old);
  const std::string big(256 * 1024, 'n');

  rlimit saved{};
  ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &saved), 0);
  rlimit small = saved;
  small.rlim_cur = 4096;
  auto previous = std::signal(SIGXFSZ, SIG_IGN);
  ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
  bool written = platform::ReplaceFileAtomically(folder.Path("settings.xml"), big.data(), big.size());
  ::setrlimit(RLIMIT_FSIZE, &saved);
  std::signal(SIGXFSZ, previous);

  EXPECT_FALSE(written);
  EXPECT_EQ(folder.Read("settings.xml"), old);
  EXPECT_EQ(Entries(folder.Root()), std::vector<std::string>{"settings.xml"});
}

TEST(ReplaceFileAtomically, FailsWhenTheFileCannotBePlaced) {
  TempFolder folder;
  fs::create_directory(folder.Path("dir"));
  folder.Write("dir/keep", "x");
  const std::string text = "new";
  EXPECT_FALSE(platform::ReplaceFileAtomically(folder.Path("dir"), text.data(), text.size()));  // a folder
  EXPECT_TRUE(platform::IsDirectory(folder.Path("dir")));
  EXPECT_FALSE(platform::ReplaceFileAtomically(folder.Path("missing/file"), text.data(), text.size()));
  EXPECT_EQ(Entries(folder.Root()), std::vector<std::string>{"dir"});
}

TEST(ProgramFolder, HoldsTheRunningProgram) {
  std::string folder = platform::ProgramFolder();
  ASSERT_FALSE(folder.empty());
  EXPECT_NE(folder.back(), '/');
  EXPECT_EQ(platform::ProgramPath(), folder + "/delvix_platform_tests");
}

}  // namespace
