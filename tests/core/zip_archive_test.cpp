// ZipArchive: entries read back with equal bytes; damaged, truncated and hostile archives give a
// clear status and never a crash; extraction leaves a whole file or none.
#include "core/zip_archive.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "support/temp_folder.h"
#include "support/zip_builder.h"

using testfiles::PatternBytes;
using testfiles::ZipBuilder;
using testfiles::ZipMethod;

namespace {

// Reads the entry through the sink and returns its bytes; status in *status.
std::string ReadAll(ZipArchive& zip, const ZipEntry& entry, ZipStatus* status, int* chunks = nullptr) {
  std::string bytes;
  int count = 0;
  *status = zip.ReadEntry(entry, [&](const uint8_t* data, size_t size) {
    bytes.append(reinterpret_cast<const char*>(data), size);
    ++count;
    return true;
  });
  if (chunks) *chunks = count;
  return bytes;
}

// The names in folder, hidden ones (temporary files) included.
std::vector<std::string> FolderNames(const std::string& folder) {
  std::vector<std::string> names;
  for (const auto& item : std::filesystem::directory_iterator(folder)) names.push_back(item.path().filename());
  std::sort(names.begin(), names.end());
  return names;
}

}  // namespace

TEST(ZipArchive, ListsEntriesAndStreamsTheirBytes) {
  TempFolder folder;
  const std::string big = PatternBytes(1 << 20, 7);  // several chunks
  const std::string small = PatternBytes(5000, 3);
  ASSERT_TRUE(ZipBuilder()
                  .Folder("images/")
                  .Add("images/big.iwi", big)
                  .Add("images/small.IWI", small, ZipMethod::Stored)
                  .Add("empty.txt", "")
                  .WriteTo(folder.Path("a.iwd")));
  ZipArchive zip;
  ASSERT_EQ(zip.Open(folder.Path("a.iwd")), ZipStatus::Ok);
  const auto& entries = zip.Entries();
  ASSERT_EQ(entries.size(), 4u);
  EXPECT_TRUE(entries[0].isFolder);
  EXPECT_EQ(entries[1].name, "images/big.iwi");
  EXPECT_EQ(entries[1].method, 8);
  EXPECT_EQ(entries[1].size, big.size());
  EXPECT_LT(entries[1].compressedSize, big.size());
  EXPECT_EQ(entries[2].method, 0);
  EXPECT_EQ(entries[2].compressedSize, small.size());

  ZipStatus status;
  int chunks = 0;
  EXPECT_EQ(ReadAll(zip, entries[1], &status, &chunks), big);
  EXPECT_EQ(status, ZipStatus::Ok);
  EXPECT_GT(chunks, 1);
  // Entries are found again in any order.
  EXPECT_EQ(ReadAll(zip, entries[3], &status), "");
  EXPECT_EQ(status, ZipStatus::Ok);
  EXPECT_EQ(ReadAll(zip, entries[2], &status), small);
  EXPECT_EQ(status, ZipStatus::Ok);
}

TEST(ZipArchive, ArchivesThatCannotBeOpened) {
  TempFolder folder;
  folder.Write("empty.iwd", "");
  folder.Write("text.iwd", "this is not an archive at all, just some text that is long enough");
  std::filesystem::create_directory(folder.Path("folder.iwd"));
  const std::string whole = ZipBuilder().Add("a.iwi", PatternBytes(3000, 1)).Build();
  folder.Write("cut.iwd", whole.substr(0, whole.size() / 2));
  folder.Write("cut_directory.iwd", whole.substr(0, whole.size() - 10));
  const struct {
    const char* name;
    ZipStatus expected;
  } cases[] = {
      {"missing.iwd", ZipStatus::NotFound}, {"folder.iwd", ZipStatus::NotFound}, {"empty.iwd", ZipStatus::NotZip},
      {"text.iwd", ZipStatus::NotZip},      {"cut.iwd", ZipStatus::NotZip},
      {"cut_directory.iwd", ZipStatus::Damaged},
  };
  for (const auto& c : cases) {
    ZipArchive zip;
    EXPECT_EQ(zip.Open(folder.Path(c.name)), c.expected) << c.name;
    EXPECT_FALSE(zip.IsOpen()) << c.name;
    EXPECT_TRUE(zip.Entries().empty()) << c.name;
  }
}

TEST(ZipArchive, DamagedEntriesGiveTheirStatus) {
  TempFolder folder;
  const std::string bytes = PatternBytes(40000, 9);
  const std::string zeros(20u << 20, '\0');  // 20 MiB deflate to about 20 KiB
  ASSERT_TRUE(ZipBuilder()
                  .Add("stored_crc.iwi", bytes, ZipMethod::Stored).Crc(0x12345678)
                  .Add("deflated_crc.iwi", bytes).Crc(0x12345678)
                  .Add("longer.iwi", bytes).DeclaredSize(50000)
                  .Add("shorter.iwi", bytes).DeclaredSize(30000)
                  .Add("bomb.iwi", zeros)
                  .Add("fine.iwi", bytes)
                  .WriteTo(folder.Path("bad.iwd")));
  ZipArchive zip;
  ASSERT_EQ(zip.Open(folder.Path("bad.iwd")), ZipStatus::Ok);
  const ZipStatus expected[] = {ZipStatus::BadCrc, ZipStatus::BadCrc, ZipStatus::BadLength,
                                ZipStatus::BadCrc, ZipStatus::TooLarge, ZipStatus::Ok};
  ASSERT_EQ(zip.Entries().size(), std::size(expected));
  for (size_t i = 0; i < std::size(expected); ++i) {
    ZipStatus status;
    const std::string read = ReadAll(zip, zip.Entries()[i], &status);
    EXPECT_EQ(status, expected[i]) << zip.Entries()[i].name;
    if (expected[i] == ZipStatus::TooLarge) {
      EXPECT_TRUE(read.empty()) << "a bomb is refused before reading";
    }
  }
  // A sink that stops ends the reading at once.
  int calls = 0;
  EXPECT_EQ(zip.ReadEntry(zip.Entries()[5], [&](const uint8_t*, size_t) { return ++calls > 5; }),
            ZipStatus::SinkRefused);
  EXPECT_EQ(calls, 1);
}

// Every cut and every damaged byte of a small archive gives some status: no crash, no hang, no
// bytes beyond an entry's declared size.
TEST(ZipArchive, SurvivesEveryTruncationAndDamagedByte) {
  TempFolder folder;
  const std::string whole = ZipBuilder()
                                .Folder("images/")
                                .Add("images/a.iwi", PatternBytes(200, 1))
                                .Add("images/b.iwi", PatternBytes(60, 2), ZipMethod::Stored)
                                .Build();
  const std::string path = folder.Path("x.iwd");
  auto readEverything = [&](const std::string& bytes) {
    folder.Write("x.iwd", bytes);
    ZipArchive zip;
    if (zip.Open(path) != ZipStatus::Ok) return;
    for (const ZipEntry& entry : zip.Entries()) {
      uint64_t total = 0;
      zip.ReadEntry(entry, [&](const uint8_t*, size_t size) {
        total += size;
        return true;
      });
      EXPECT_LE(total, entry.size);
    }
  };
  for (size_t cut = 0; cut < whole.size(); ++cut) readEverything(whole.substr(0, cut));
  for (size_t at = 0; at < whole.size(); ++at) {
    std::string damaged = whole;
    damaged[at] = static_cast<char>(damaged[at] ^ 0xFF);
    readEverything(damaged);
  }
}

TEST(ZipArchive, ExtractsWholeFilesOrNone) {
  TempFolder folder;
  const std::string good = PatternBytes(300000, 4);
  ASSERT_TRUE(ZipBuilder()
                  .Add("good.iwi", good)
                  .Add("bad.iwi", PatternBytes(1000, 5)).Crc(1)
                  .WriteTo(folder.Path("x.iwd")));
  std::filesystem::create_directory(folder.Path("out"));
  ZipArchive zip;
  ASSERT_EQ(zip.Open(folder.Path("x.iwd")), ZipStatus::Ok);
  const ZipEntry& goodEntry = zip.Entries()[0];
  const ZipEntry& badEntry = zip.Entries()[1];
  using platform::PlaceMode;

  EXPECT_EQ(zip.ExtractToFile(goodEntry, folder.Path("out/good.iwi"), PlaceMode::KeepExisting), ZipStatus::Ok);
  EXPECT_EQ(folder.Read("out/good.iwi"), good);
  EXPECT_EQ(std::filesystem::status(folder.Path("out/good.iwi")).permissions() & std::filesystem::perms::all,
            std::filesystem::perms(0644));

  folder.Write("out/kept.iwi", "mine");
  EXPECT_EQ(zip.ExtractToFile(goodEntry, folder.Path("out/kept.iwi"), PlaceMode::KeepExisting),
            ZipStatus::TargetExists);
  EXPECT_EQ(folder.Read("out/kept.iwi"), "mine");
  EXPECT_EQ(zip.ExtractToFile(goodEntry, folder.Path("out/kept.iwi"), PlaceMode::Replace), ZipStatus::Ok);
  EXPECT_EQ(folder.Read("out/kept.iwi"), good);

  EXPECT_EQ(zip.ExtractToFile(badEntry, folder.Path("out/bad.iwi"), PlaceMode::KeepExisting), ZipStatus::BadCrc);
  int error = 0;
  EXPECT_EQ(zip.ExtractToFile(goodEntry, folder.Path("out/missing/x.iwi"), PlaceMode::KeepExisting, &error),
            ZipStatus::WriteFailed);
  EXPECT_EQ(error, ENOENT);
  // Nothing half-written, no temporary file left.
  EXPECT_EQ(FolderNames(folder.Path("out")), (std::vector<std::string>{"good.iwi", "kept.iwi"}));
}

TEST(ZipArchive, EntryNamesThatWouldLeaveTheirFolder) {
  const struct {
    std::string name;
    ZipNameCheck expected;
  } cases[] = {
      {"images/a.iwi", ZipNameCheck::Safe},
      {"a.iwi", ZipNameCheck::Safe},
      {"images/..a.iwi", ZipNameCheck::Safe},
      {"images/./a.iwi", ZipNameCheck::Safe},
      {"", ZipNameCheck::Empty},
      {"/etc/a.iwi", ZipNameCheck::Absolute},
      {"C:/a.iwi", ZipNameCheck::DriveLetter},
      {"c:a.iwi", ZipNameCheck::DriveLetter},
      {"images\\..\\..\\a.iwi", ZipNameCheck::Backslash},
      {"../a.iwi", ZipNameCheck::ParentFolder},
      {"images/../../a.iwi", ZipNameCheck::ParentFolder},
      {"images/..", ZipNameCheck::ParentFolder},
      {std::string("a.iwi\0/../x", 11), ZipNameCheck::ControlCharacter},
      {"a\nb.iwi", ZipNameCheck::ControlCharacter},
      {std::string(kMaxEntryNameLength, 'a'), ZipNameCheck::TooLong},  // one component over 255
      {"images/" + std::string(kMaxEntryNameLength - 7, 'a').replace(100, 1, "/"), ZipNameCheck::Safe},
      {std::string(kMaxEntryNameLength + 1, 'a').replace(100, 1, "/"), ZipNameCheck::TooLong},
  };
  for (const auto& c : cases) EXPECT_EQ(CheckEntryName(c.name), c.expected) << c.name;
}

// The games' own archives: every entry reads whole with a matching CRC.
TEST(ZipArchive, ReadsRealIwdArchives) {
  int archives = 0;
  for (const char* game : {"cod4", "cod5", "codbo"}) {
    const std::string main = std::string(DELVIX_REALDATA) + "/" + game + "/main";
    if (!std::filesystem::is_directory(main)) continue;
    for (const auto& item : std::filesystem::directory_iterator(main)) {
      ZipArchive zip;
      ASSERT_EQ(zip.Open(item.path()), ZipStatus::Ok) << item.path();
      ++archives;
      for (const ZipEntry& entry : zip.Entries()) {
        ZipStatus status;
        EXPECT_EQ(ReadAll(zip, entry, &status).size(), entry.size) << entry.name;
        EXPECT_EQ(status, ZipStatus::Ok) << item.path() << ": " << entry.name;
      }
    }
  }
  if (archives == 0) GTEST_SKIP() << "no real IWD archives under " << DELVIX_REALDATA;
}
