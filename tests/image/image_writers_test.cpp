// DDS and TGA files: header fields byte for byte, output names, write errors, and every real image
// written both ways and read back by an independent reader (Pillow).
#include "image/image_writers.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>

#include <cstring>
#include <filesystem>

#include "image/converters.h"
#include "image/iwi_image.h"
#include "support/game_files.h"
#include "support/iwi_builder.h"
#include "support/log_capture.h"
#include "support/pillow_reader.h"
#include "support/real_images.h"
#include "support/temp_folder.h"

using testfiles::IwiSpec;

namespace {

uint32_t U32At(const std::string& bytes, size_t at) {
  uint32_t value = 0;
  std::memcpy(&value, bytes.data() + at, 4);
  return value;
}

// An image read from a built file at folder/name.
IwiImage BuiltImage(const TempFolder& folder, const std::string& name, const IwiSpec& shape) {
  IwiImage image;
  testfiles::WriteGameFile(folder.Path(name), testfiles::MakeIwi(shape));
  EXPECT_EQ(image.SetFile(folder.Path(name)), ImageResult::Success);
  EXPECT_EQ(image.LoadIWI(), ImageResult::Success);
  return image;
}

std::string LevelBytes(const IwiImage& image, size_t count) {
  std::string bytes;
  for (size_t i = 0; i < count; ++i)
    bytes.append(reinterpret_cast<const char*>(image.Level(i).data), image.Level(i).size);
  return bytes;
}

// Level 0 of image as our converters decode it, top row first, R,G,B,A.
std::vector<uint8_t> DecodedRgba(const IwiImage& image) {
  Converters::TgaImage out;
  const IwiLevel level = image.Level(0);
  ConvertPixels(image.Format(), level.data, level.size, level.width, level.height, out);
  std::vector<uint8_t> rgba(out.size);
  for (uint32_t y = 0; y < out.height; ++y) {
    const uint8_t* from = out.pixels.data() + size_t(out.height - 1 - y) * out.width * 4;
    uint8_t* to = rgba.data() + size_t(y) * out.width * 4;
    for (uint32_t x = 0; x < out.width * 4; x += 4)
      to[x] = from[x + 2], to[x + 1] = from[x + 1], to[x + 2] = from[x], to[x + 3] = from[x + 3];
  }
  return rgba;
}

}  // namespace

TEST(WriteDDS, HeaderAndLevelsOfEachKindOfImage) {
  TempFolder folder;
  struct Case {
    IwiSpec shape;
    size_t fileSize;
    uint32_t flags, mipCount, pixelFlags, fourCC, bitCount, alphaMask, caps;
    size_t levelsWritten;
  };
  const Case cases[] = {
      {{6, 11, 0, 256, 256, 0}, 128 + 43704, 0x21007, 9, 0x4, DdsFourCC("DXT1"), 0, 0, 0x401008, 9},
      {{13, 13, 0, 16, 16, 1}, 128 + 256, 0x21007, 1, 0x4, DdsFourCC("DXT5"), 0, 0, 0x401008, 1},
      {{8, 12, 0, 8, 4, 0}, 128 + 32 + 16 + 16 + 16, 0x21007, 4, 0x4, DdsFourCC("DXT3"), 0, 0, 0x401008, 4},
      {{6, 1, 0, 4, 4, 1}, 128 + 64, 0x1007, 0, 0x41, 0, 32, 0xFF000000, 0x1000, 1},
      {{6, 2, 0, 4, 4, 0}, 128 + 48, 0x1007, 0, 0x40, 0, 24, 0, 0x1000, 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "format " << int(c.shape.format));
    const IwiImage image = BuiltImage(folder, "in.iwi", c.shape);
    ASSERT_EQ(WriteDDS(image, folder.Path("out.dds")), ImageResult::Success);
    const std::string file = folder.Read("out.dds");
    ASSERT_EQ(file.size(), c.fileSize);
    EXPECT_EQ(file.substr(0, 4), "DDS ");
    EXPECT_EQ(U32At(file, 4), 124u);
    EXPECT_EQ(U32At(file, 8), c.flags);
    EXPECT_EQ(U32At(file, 12), uint32_t(c.shape.height));
    EXPECT_EQ(U32At(file, 16), uint32_t(c.shape.width));
    EXPECT_EQ(U32At(file, 28), c.mipCount);
    EXPECT_EQ(U32At(file, 76), 32u);
    EXPECT_EQ(U32At(file, 80), c.pixelFlags);
    EXPECT_EQ(U32At(file, 84), c.fourCC);
    EXPECT_EQ(U32At(file, 88), c.bitCount);
    EXPECT_EQ(U32At(file, 92), c.bitCount ? 0x00FF0000u : 0u);
    EXPECT_EQ(U32At(file, 100), c.bitCount ? 0x000000FFu : 0u);
    EXPECT_EQ(U32At(file, 104), c.alphaMask);
    EXPECT_EQ(U32At(file, 108), c.caps);
    EXPECT_EQ(file.substr(128), LevelBytes(image, c.levelsWritten));
  }
}

TEST(WriteTGA, HeaderThenBottomUpPixels) {
  TempFolder folder;
  const IwiImage image = BuiltImage(folder, "in.iwi", {6, 13, 0, 64, 32, 0});
  ASSERT_EQ(WriteTGA(image, folder.Path("out.tga")), ImageResult::Success);
  const std::string file = folder.Read("out.tga");
  ASSERT_EQ(file.size(), 18u + 8192u);
  const uint8_t expected[18] = {0, 0, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0, 64, 0, 32, 0, 32, 0};
  EXPECT_EQ(file.substr(0, 18), std::string(reinterpret_cast<const char*>(expected), 18));
  const Converters::TgaImage& pixels = Converters::SharedTgaImage();
  EXPECT_EQ(file.substr(18), std::string(reinterpret_cast<const char*>(pixels.pixels.data()), 8192));
}

TEST(ImageExport, NamesAndPlacesTheFiles) {
  TempFolder folder;
  std::filesystem::create_directories(folder.Path("src"));
  std::filesystem::create_directories(folder.Path("out"));
  IwiImage image = BuiltImage(folder, "src/wall~1.iwi", {6, 11, 0, 8, 8, 0});

  EXPECT_EQ(ImageExportPath(image, folder.Path("out"), "dds"), folder.Path("out/wall_1.dds"));
  EXPECT_EQ(ImageExportPath(image, folder.Path("out") + "/", "tga"), folder.Path("out/wall_1.tga"));
  EXPECT_EQ(ImageExportPath(image, "", "dds"), folder.Path("src/wall~1.dds"));

  EXPECT_EQ(ExportDDS(image, folder.Path("out")), ImageResult::Success);
  EXPECT_EQ(ExportTGA(image, folder.Path("out")), ImageResult::Success);
  EXPECT_EQ(ExportDDS(image, ""), ImageResult::Success);
  EXPECT_EQ(ExportTGA(image, ""), ImageResult::Success);
  for (const char* file : {"out/wall_1.dds", "out/wall_1.tga", "src/wall~1.dds", "src/wall~1.tga"})
    EXPECT_TRUE(std::filesystem::is_regular_file(folder.Path(file))) << file;

  EXPECT_EQ(ExportDDS(image, folder.Path("missing")), ImageResult::CantOpenFile);
  image.Clear();
  EXPECT_EQ(ExportDDS(image, folder.Path("out")), ImageResult::NotLoaded);
  EXPECT_EQ(ExportTGA(image, folder.Path("out")), ImageResult::NotLoaded);
  EXPECT_EQ(WriteDDS(image, folder.Path("out/never.dds")), ImageResult::NotLoaded);
  EXPECT_FALSE(std::filesystem::exists(folder.Path("out/never.dds")));
}

// A disk that fills up (a file-size limit here) gives a failure, the log line, and no partial file.
TEST(ImageExport, WriteErrorsAreFailures) {
  TempFolder folder;
  const IwiImage image = BuiltImage(folder, "big.iwi", {6, 1, 0, 64, 64, 1});  // 16 KiB of pixels
  LogCapture log;
  ::signal(SIGXFSZ, SIG_IGN);
  rlimit saved{};
  ::getrlimit(RLIMIT_FSIZE, &saved);
  rlimit limit = saved;
  limit.rlim_cur = 4096;
  ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &limit), 0);
  const ImageResult dds = WriteDDS(image, folder.Path("out.dds"));
  const ImageResult tga = WriteTGA(image, folder.Path("out.tga"));
  ::setrlimit(RLIMIT_FSIZE, &saved);
  EXPECT_EQ(dds, ImageResult::CantOpenFile);
  EXPECT_EQ(tga, ImageResult::CantOpenFile);
  EXPECT_FALSE(std::filesystem::exists(folder.Path("out.dds")));
  EXPECT_FALSE(std::filesystem::exists(folder.Path("out.tga")));
  EXPECT_TRUE(log.Has("DDS: (big.iwi) failed to write correct block size."));
}

// Every real image, written as DDS and as TGA, reads back through Pillow with the pixels of our
// own decode of the IWI file.
TEST(ImageExportReadBack, RealImagesReadBackByPillow) {
  if (!testfiles::PillowAvailable()) GTEST_SKIP() << "python3-pil is not installed";
  TempFolder folder;
  std::vector<IwiImage> images;
  std::vector<std::string> written;
  for (const auto& file : testfiles::RealIwiFiles()) {
    if (file.expected != ImageResult::Success) continue;
    IwiImage image;
    ASSERT_EQ(image.SetFile(file.path), ImageResult::Success);
    ASSERT_EQ(image.LoadIWI(), ImageResult::Success);
    ASSERT_EQ(ExportDDS(image, folder.Root()), ImageResult::Success) << file.relative;
    ASSERT_EQ(ExportTGA(image, folder.Root()), ImageResult::Success) << file.relative;
    written.push_back(ImageExportPath(image, folder.Root(), "dds"));
    written.push_back(ImageExportPath(image, folder.Root(), "tga"));
    images.push_back(std::move(image));
  }
  std::vector<testfiles::ReadBackImage> readBack;
  std::string error;
  ASSERT_TRUE(testfiles::ReadWithPillow(written, readBack, error)) << error;
  for (size_t i = 0; i < written.size(); ++i) {
    SCOPED_TRACE(written[i]);
    const IwiImage& image = images[i / 2];
    EXPECT_EQ(readBack[i].width, image.Width());
    EXPECT_EQ(readBack[i].height, image.Height());
    EXPECT_TRUE(readBack[i].rgba == DecodedRgba(image)) << "pixels differ";
  }
}
