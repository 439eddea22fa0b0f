// The demo game roots of a first start: set from the program folder's demo games when they exist.
#include <gtest/gtest.h>

#include "app/demo_games.h"
#include "core/settings.h"
#include "platform/files.h"
#include "support/temp_folder.h"

TEST(DemoGameRoots, PointAtTheDemoGamesOnlyWhenTheFolderExists) {
  TempFolder folder;
  VornSettings settings;
  EXPECT_FALSE(UseDemoGameRoots(settings, folder.Root()));
  for (const std::string* root : {&settings.dir_cod4, &settings.dir_cod5, &settings.dir_bo1}) EXPECT_EQ(*root, kSetPath);

  ASSERT_TRUE(platform::CreateFolders(folder.Path("demo")));
  EXPECT_TRUE(UseDemoGameRoots(settings, folder.Root()));
  EXPECT_EQ(settings.dir_cod4, folder.Path("demo/cod4"));
  EXPECT_EQ(settings.dir_cod5, folder.Path("demo/cod5"));
  EXPECT_EQ(settings.dir_bo1, folder.Path("demo/bo"));
  EXPECT_EQ(settings.dir_cod2, kSetPath);
}
