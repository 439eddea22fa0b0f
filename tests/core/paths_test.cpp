#include "core/paths.h"

#include <gtest/gtest.h>

#include "platform/files.h"

namespace {

TEST(TrailingSeparator, AppendedOnlyWhereMissing) {
  const std::pair<std::string, std::string> cases[] = {
      {"", ""}, {"a", "a/"}, {"/games/cod4", "/games/cod4/"}, {"a/", "a/"}, {"a\\", "a\\"}, {"/", "/"},
  };
  for (const auto& [path, expected] : cases) {
    std::string added = path, ensured = path;
    AddTrailingBackslash(added);
    EnsureTrailingBackslash(ensured);
    EXPECT_EQ(added, expected) << path;
    EXPECT_EQ(ensured, expected) << path;
    EXPECT_EQ(WithTrailingBackslash(path), expected) << path;
  }
}

TEST(FolderForCreate, ParentOfAFolderPathAndFilePathsUnchanged) {
  const std::pair<std::string, std::string> cases[] = {
      {"/out/exported/model", "/out/exported"},
      {"/out/exported/model/", "/out/exported/model"},  // the callers' form: a trailing separator
      {"/out/exported/model.ma", "/out/exported/model.ma"},
      {"/home/j.doe/out/", "/home/j.doe/out/"},  // a dot anywhere counts as a file name
      {"name", "name"},
      {"", ""},
  };
  for (const auto& [path, expected] : cases) EXPECT_EQ(FolderForCreate(path), expected) << path;
}

TEST(GetRunningDirectory, IsTheProgramsFolderWithoutATrailingSeparator) {
  std::string folder = GetRunningDirectory();
  ASSERT_FALSE(folder.empty());
  EXPECT_NE(folder.back(), '/');
  EXPECT_TRUE(platform::IsRegularFile(folder + "/delvix_core_tests"));
}

TEST(FileExists, FilesAndFolders) {
  EXPECT_TRUE(FileExists(GetRunningDirectory()));
  EXPECT_TRUE(FileExists(GetRunningDirectory() + "/delvix_core_tests"));
  EXPECT_FALSE(FileExists(GetRunningDirectory() + "/no-such-file"));
  EXPECT_TRUE(FileExistsAttr(GetRunningDirectory()));
  EXPECT_FALSE(FileExistsAttr(""));
}

}  // namespace
