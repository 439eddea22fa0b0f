// IWI reading: the real game files, every version and format built byte for byte, and malformed
// files.
#include "image/iwi_image.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "support/game_files.h"
#include "support/iwi_builder.h"
#include "support/real_images.h"
#include "support/temp_folder.h"
#include "support/unprivileged.h"

using testfiles::IwiSpec;
using testfiles::MakeIwi;

namespace {

size_t HeaderBytes(int version) { return version == 13 ? 48 : version == 8 ? 32 : 28; }

size_t LevelBytesTotal(const IwiImage& image) {
  size_t total = 0;
  for (size_t i = 0; i < image.LevelCount(); ++i) total += image.Level(i).size;
  return total;
}

}  // namespace

// Every real file reads, and its level chain covers the file exactly from the header to the end.
TEST(IwiImageRealData, EveryFileReadsWithItsWholeLevelChain) {
  const auto files = testfiles::RealIwiFiles();
  ASSERT_GE(files.size(), 30u);
  for (const auto& file : files) {
    SCOPED_TRACE(file.relative);
    IwiImage image;
    ASSERT_EQ(image.SetFile(file.path), ImageResult::Success);
    ASSERT_EQ(image.LoadIWI(), file.expected);
    if (file.expected != ImageResult::Success) {
      EXPECT_FALSE(image.IsLoaded());
      EXPECT_EQ(image.LevelCount(), 0u);
      continue;
    }
    const auto size = std::filesystem::file_size(file.path);
    const int version = file.path.find("/codbo/") != std::string::npos ? 13 : 6;
    EXPECT_EQ(HeaderBytes(version) + LevelBytesTotal(image), size);
    const IwiLevel last = image.Level(image.LevelCount() - 1);
    EXPECT_TRUE(image.LevelCount() == 1 || (last.width == 1 && last.height == 1));
  }
}

TEST(IwiImageRealData, SizesAndFormatsOfNotableFiles) {
  struct Case {
    const char* file;
    uint8_t format;
    uint32_t width, height;
    size_t levels;
  };
  const Case cases[] = {
      {"cod4/raw/images/$identitynormalmap.iwi", 13, 4, 4, 1},
      {"cod5/raw/images/side_small.iwi", 13, 16, 16, 1},
      {"cod5/raw/images/leaderboard.iwi", 2, 700, 750, 1},
      {"cod5/raw/images/hud_fuse.iwi", 1, 128, 125, 8},
      {"cod5/raw/images/katana.iwi", 1, 512, 512, 10},
      {"cod4/raw/images/drgibs.iwi", 12, 256, 256, 9},
      {"cod4/raw/images/weapon_tomahawk.iwi", 11, 512, 256, 10},
      {"codbo/raw/images/$default.iwi", 2, 16, 16, 1},
      {"codbo/raw/images/~~-g_char_head_spec-rgb&char_~4834c592.iwi", 13, 2048, 1024, 12},
      {"codbo/raw/images/~-gstatic_berlin_bed_frame_wire_c.iwi", 12, 128, 128, 8},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.file);
    IwiImage image;
    ASSERT_EQ(image.SetFile(std::string(DELVIX_REALDATA) + "/" + c.file), ImageResult::Success);
    ASSERT_EQ(image.LoadIWI(), ImageResult::Success);
    EXPECT_EQ(image.Format(), c.format);
    EXPECT_EQ(image.Width(), c.width);
    EXPECT_EQ(image.Height(), c.height);
    EXPECT_EQ(image.LevelCount(), c.levels);
  }
}

// Every version and format, at sizes that are powers of two, not multiples of 4, or under a block.
TEST(IwiImageRead, EveryVersionFormatAndSizeGivesItsLevels) {
  const int versions[] = {5, 6, 8, 13};
  const uint8_t formats[] = {1, 2, 11, 12, 13};
  const std::pair<int16_t, int16_t> sizes[] = {{256, 256}, {64, 16}, {6, 6}, {5, 3}, {128, 125}, {2, 2}, {1, 1}};
  for (int version : versions) {
    for (uint8_t format : formats) {
      for (auto [w, h] : sizes) {
        for (int levels : {0, 1}) {
          IwiSpec shape{version, format, 0, w, h, levels};
          SCOPED_TRACE(testing::Message() << "v" << version << " format " << int(format) << " " << w << "x" << h
                                          << " levels " << levels);
          const auto expected = testfiles::PatternLevels(shape);
          IwiImage image;
          ASSERT_EQ(image.ReadIwi(MakeIwi(shape)), ImageResult::Success);
          EXPECT_EQ(image.Width(), uint32_t(w));
          EXPECT_EQ(image.Height(), uint32_t(h));
          ASSERT_EQ(image.LevelCount(), expected.size());
          for (size_t i = 0; i < expected.size(); ++i) {
            const IwiLevel level = image.Level(i);
            ASSERT_EQ(std::vector<uint8_t>(level.data, level.data + level.size), expected[i]) << "level " << i;
          }
        }
      }
    }
  }
}

TEST(IwiImageRead, MipCountLeavesOutTheLevelAtTheHeader) {
  // 256x256 DXT1, 9 levels: level 0 is the last 32,768 bytes; the 1x1 level starts at the header.
  const auto bytes = MakeIwi({6, 11, 0, 256, 256, 0});
  IwiImage image;
  ASSERT_EQ(image.ReadIwi(bytes), ImageResult::Success);
  EXPECT_EQ(image.LevelCount(), 9u);
  EXPECT_EQ(image.MipCount(), 8);
  EXPECT_EQ(image.Level(0).size, 32768u);
  EXPECT_EQ(image.Level(0).data[0], bytes[bytes.size() - 32768]);

  // A single level counts one.
  ASSERT_EQ(image.ReadIwi(MakeIwi({8, 1, 0, 4, 4, 1})), ImageResult::Success);
  EXPECT_EQ(image.LevelCount(), 1u);
  EXPECT_EQ(image.MipCount(), 1);
  EXPECT_EQ(image.Level(0).size, 64u);

  // A DXT5 level of 2x2 is one block.
  ASSERT_EQ(image.ReadIwi(MakeIwi({6, 13, 0, 2, 2, 1})), ImageResult::Success);
  EXPECT_EQ(image.Level(0).size, 16u);
}

TEST(IwiImageRead, RefusesWhatItCannotRead) {
  auto withMagic = MakeIwi({6, 11, 0, 8, 8, 0});
  withMagic[2] = 'I';
  auto version7 = MakeIwi({6, 11, 0, 8, 8, 0});
  version7[3] = 7;
  const auto v13 = MakeIwi({13, 11, 0, 4, 4, 1});
  struct Case {
    const char* what;
    std::vector<uint8_t> bytes;
    ImageResult expected;
  };
  const Case cases[] = {
      {"upper-case IWI", withMagic, ImageResult::BadMagic},
      {"empty file", {}, ImageResult::BadMagic},
      {"magic only", {'I', 'W', 'i'}, ImageResult::BadVersion},
      {"version 7", version7, ImageResult::BadVersion},
      {"format 6", MakeIwi({6, 6, 0, 8, 8, 1}), ImageResult::UnknownFormat},
      {"header cut short", std::vector<uint8_t>(v13.begin(), v13.begin() + 40), ImageResult::ShortRead},
      {"zero width", MakeIwi({6, 11, 0, 0, 8, 1}), ImageResult::ShortRead},
      {"negative height", testfiles::MakeIwi({6, 1, 0, 4, -4, 1}, {std::vector<uint8_t>(64)}), ImageResult::ShortRead},
      {"huge size, tiny file", testfiles::MakeIwi({6, 1, 0, 32767, 32767, 1}, {std::vector<uint8_t>(64)}),
       ImageResult::ShortRead},
      {"level 0 larger than the data", testfiles::MakeIwi({6, 11, 0, 8, 8, 1}, {std::vector<uint8_t>(24)}),
       ImageResult::ShortRead},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    IwiImage image;
    EXPECT_EQ(image.ReadIwi(c.bytes), c.expected);
    EXPECT_FALSE(image.IsLoaded());
    EXPECT_EQ(image.LevelCount(), 0u);
  }
}

// Cut at every length: the reader never reads outside the bytes (ASan) and every level it keeps
// lies between the header and the end.
TEST(IwiImageRead, TruncatedAtEveryLength) {
  for (int version : {6, 8, 13}) {
    const auto whole = MakeIwi({version, 13, 0, 16, 8, 0});
    for (size_t length = 0; length < whole.size(); ++length) {
      IwiImage image;
      const ImageResult result = image.ReadIwi(std::vector<uint8_t>(whole.begin(), whole.begin() + length));
      if (result != ImageResult::Success) {
        EXPECT_EQ(image.LevelCount(), 0u);
        continue;
      }
      EXPECT_LE(HeaderBytes(version) + LevelBytesTotal(image), length);
    }
  }
}

// A chain that does not reach the header (bytes to spare) keeps its levels; one that would run
// into the header stops before it.
TEST(IwiImageRead, ChainThatDoesNotMeetTheHeader) {
  IwiSpec shape{8, 11, 0, 16, 16, 0};
  auto levels = testfiles::PatternLevels(shape);
  auto bytes = testfiles::IwiHeader(shape);
  bytes.insert(bytes.end(), 5, 0xEE);  // spare bytes before the smallest level
  for (auto level = levels.rbegin(); level != levels.rend(); ++level) bytes.insert(bytes.end(), level->begin(), level->end());
  IwiImage image;
  ASSERT_EQ(image.ReadIwi(bytes), ImageResult::Success);
  EXPECT_EQ(image.LevelCount(), levels.size());  // version 8 walks on, but the next 1x1 does not fit

  // Version 6 drops the two smallest levels: the chain ends early, keeping what fits.
  shape.version = 6;
  levels.resize(levels.size() - 2);
  bytes = testfiles::IwiHeader(shape);
  bytes.insert(bytes.end(), 12, 0xEE);
  for (auto level = levels.rbegin(); level != levels.rend(); ++level) bytes.insert(bytes.end(), level->begin(), level->end());
  ASSERT_EQ(image.ReadIwi(bytes), ImageResult::Success);
  EXPECT_EQ(image.LevelCount(), levels.size() + 1);  // one more 8-byte level fits in the 12 spare bytes
}

TEST(IwiImageFile, SetFileFindsTheFileInAnyCaseAndKeepsTheAskedName) {
  TempFolder folder;
  testfiles::WriteGameFile(folder.Path("Tank_Col.IWI"), MakeIwi({6, 11, 0, 8, 8, 0}));
  IwiImage image;
  ASSERT_EQ(image.SetFile(folder.Path("tank_col.iwi")), ImageResult::Success);
  EXPECT_TRUE(image.IsFound());
  EXPECT_EQ(image.GetName(), "tank_col.iwi");
  EXPECT_EQ(image.GetShortName(), "tank_col.iwi");
  EXPECT_EQ(image.FilePath(), folder.Path("Tank_Col.IWI"));
  EXPECT_EQ(image.LoadIWI(), ImageResult::Success);
  EXPECT_EQ(image.SetFile("tank_col.iwi"), ImageResult::NotPossible);
  EXPECT_EQ(image.SetFile(folder.Root()), ImageResult::FileNotFound);  // a folder is no image
}

// An image never keeps an earlier file's name, path or levels after a failure.
TEST(IwiImageFile, FailuresLeaveNothingOfTheEarlierFile) {
  TempFolder folder;
  testfiles::WriteGameFile(folder.Path("good.iwi"), MakeIwi({6, 11, 0, 8, 8, 0}));
  testfiles::WriteGameFile(folder.Path("bad.iwi"), {'I', 'W', 'i', 7});
  IwiImage image;
  ASSERT_EQ(image.SetFile(folder.Path("good.iwi")), ImageResult::Success);
  ASSERT_EQ(image.LoadIWI(), ImageResult::Success);

  EXPECT_EQ(image.SetFile(folder.Path("missing.iwi")), ImageResult::FileNotFound);
  EXPECT_FALSE(image.IsFound());
  EXPECT_FALSE(image.IsLoaded());
  EXPECT_EQ(image.GetName(), "");
  EXPECT_EQ(image.FilePath(), "");
  EXPECT_EQ(image.LoadIWI(), ImageResult::CantOpenFile);

  ASSERT_EQ(image.SetFile(folder.Path("good.iwi")), ImageResult::Success);
  ASSERT_EQ(image.LoadIWI(), ImageResult::Success);
  ASSERT_EQ(image.SetFile(folder.Path("bad.iwi")), ImageResult::Success);
  EXPECT_EQ(image.LoadIWI(), ImageResult::BadVersion);
  EXPECT_FALSE(image.IsLoaded());
  EXPECT_EQ(image.LevelCount(), 0u);
  EXPECT_EQ(image.GetName(), "bad.iwi");

  image.SetTexture(5);
  image.Clear();
  EXPECT_FALSE(image.IsFound());
  EXPECT_EQ(image.GetShortName(), "");
  EXPECT_EQ(image.Texture(), 5);  // the texture belongs to the upload
}

// Run as an unprivileged user (root reads every file).
TEST(IwiImageFile, UnreadableFileIsAPermissionError) {
  TempFolder folder;
  testfiles::WriteGameFile(folder.Path("locked.iwi"), MakeIwi({6, 11, 0, 8, 8, 0}));
  std::filesystem::permissions(folder.Path("locked.iwi"), std::filesystem::perms::none);
  testing_support::LetOthersIn(folder.Root());
  const int result = testing_support::RunUnprivileged([&] {
    IwiImage image;
    if (image.SetFile(folder.Path("locked.iwi")) != ImageResult::Success) return 1;
    return image.LoadIWI() == ImageResult::NoPermission ? 0 : 2;
  });
  if (result == testing_support::kCannotDropPrivileges) GTEST_SKIP() << "cannot drop privileges here";
  EXPECT_EQ(result, 0) << "1: the file was not found, 2: not a permission error";
}
