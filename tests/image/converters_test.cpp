// Texture converters: the block rules by hand, orientation and clipping, and agreement with
// libsquish (the reference S3TC decoder) on random blocks and on every DXT level of the real images.
#include "image/converters.h"

#include <gtest/gtest.h>
#include <squish.h>

#include <algorithm>
#include <random>

#include "image/iwi_image.h"
#include "support/real_images.h"

namespace {

struct Rgba {
  uint32_t r, g, b, a;
  bool operator==(const Rgba&) const = default;
};
std::ostream& operator<<(std::ostream& out, const Rgba& c) {
  return out << "(" << c.r << "," << c.g << "," << c.b << "," << c.a << ")";
}
Rgba Unpack(uint32_t p) { return {(p >> 16) & 255, (p >> 8) & 255, p & 255, p >> 24}; }

// Output pixel (x, y) of a TGA image as R,G,B,A.
Rgba OutputPixel(const Converters::TgaImage& image, uint32_t x, uint32_t y) {
  const uint8_t* p = image.pixels.data() + (size_t(y) * image.width + x) * 4;
  return {p[2], p[1], p[0], p[3]};
}

int SquishFlags(uint8_t format) { return format == 11 ? squish::kDxt1 : format == 12 ? squish::kDxt3 : squish::kDxt5; }

// Our bottom-up B,G,R,A output against libsquish's top-down R,G,B,A decode of the same blocks.
void ExpectSameAsSquish(uint8_t format, const uint8_t* blocks, size_t size, uint32_t width, uint32_t height) {
  Converters::TgaImage ours;
  ASSERT_TRUE(ConvertPixels(format, blocks, size, width, height, ours));
  // squish::Decompress block by block (DecompressImage spreads small images over OpenMP threads,
  // which makes it slow here): pixel (x, y) of the picture lands on output row height - 1 - y.
  std::vector<uint8_t> expected(size_t(width) * height * 4);
  const size_t blockBytes = format == 11 ? 8 : 16;
  const uint8_t* block = blocks;
  for (uint32_t by = 0; by < height; by += 4) {
    for (uint32_t bx = 0; bx < width; bx += 4, block += blockBytes) {
      uint8_t rgba[64];
      squish::Decompress(rgba, block, SquishFlags(format));
      for (uint32_t y = by; y < std::min(by + 4, height); ++y) {
        for (uint32_t x = bx; x < std::min(bx + 4, width); ++x) {
          const uint8_t* from = rgba + ((y - by) * 4 + (x - bx)) * 4;
          uint8_t* to = expected.data() + (size_t(height - 1 - y) * width + x) * 4;
          to[0] = from[2], to[1] = from[1], to[2] = from[0], to[3] = from[3];
        }
      }
    }
  }
  if (std::equal(expected.begin(), expected.end(), ours.pixels.begin())) return;
  for (size_t i = 0; i < expected.size(); ++i) {
    const uint32_t x = uint32_t(i / 4 % width), y = uint32_t(height - 1 - i / 4 / width);
    ASSERT_EQ(ours.pixels[i], expected[i]) << "pixel " << x << "," << y << " byte " << i % 4;
  }
}

}  // namespace

TEST(DxtPalette, ColourRulesOfTheBlock) {
  // c0 = c1: three colours, index 3 transparent black.
  const uint8_t equal[8] = {0x34, 0x12, 0x34, 0x12};
  uint32_t palette[4];
  EXPECT_EQ(BuildDxtPalette(equal, true, palette), 3);
  EXPECT_EQ(palette[3], 0u);
  // The same block in DXT3/DXT5 always has four opaque colours.
  EXPECT_EQ(BuildDxtPalette(equal, false, palette), 4);
  EXPECT_EQ(Unpack(palette[3]).a, 255u);

  // Pure red over pure blue: colour 2 is two thirds red, one third blue.
  const uint8_t redBlue[8] = {0x00, 0xF8, 0x1F, 0x00};
  EXPECT_EQ(BuildDxtPalette(redBlue, true, palette), 4);
  EXPECT_EQ(Unpack(palette[0]), (Rgba{255, 0, 0, 255}));
  EXPECT_EQ(Unpack(palette[2]), (Rgba{170, 0, 85, 255}));
  EXPECT_EQ(Unpack(palette[3]), (Rgba{85, 0, 170, 255}));

  // Blue over red (c0 < c1): DXT1 takes the midpoint, DXT3/5 the thirds.
  const uint8_t blueRed[8] = {0x1F, 0x00, 0x00, 0xF8};
  EXPECT_EQ(BuildDxtPalette(blueRed, true, palette), 3);
  EXPECT_EQ(Unpack(palette[2]), (Rgba{127, 0, 127, 255}));
  BuildDxtPalette(blueRed, false, palette);
  EXPECT_EQ(Unpack(palette[2]), (Rgba{85, 0, 170, 255}));
}

TEST(DxtAlpha, RampsAndNibbles) {
  uint8_t ramp[8];
  BuildDxt5AlphaRamp(255, 0, ramp);
  EXPECT_EQ(std::vector<uint8_t>(ramp, ramp + 8), (std::vector<uint8_t>{255, 0, 218, 182, 145, 109, 72, 36}));
  BuildDxt5AlphaRamp(0, 255, ramp);
  EXPECT_EQ(std::vector<uint8_t>(ramp, ramp + 8), (std::vector<uint8_t>{0, 255, 51, 102, 153, 204, 0, 255}));

  const uint8_t dxt3[8] = {0x1F};  // pixel 0: 15, pixel 1: 1, the rest 0
  uint32_t pixels[16] = {};
  DecodeDxt3Alpha(dxt3, pixels);
  EXPECT_EQ(pixels[0] >> 24, 255u);
  EXPECT_EQ(pixels[1] >> 24, 17u);
  EXPECT_EQ(pixels[2] >> 24, 0u);
}

TEST(Converters, DxtTurnsThePictureUpsideDown) {
  // 8x8 DXT1, four blocks: only the first block's top-left pixel uses colour 1 (white).
  std::vector<uint8_t> blocks(32, 0);
  for (int b = 0; b < 4; ++b) {
    blocks[b * 8 + 0] = 0x00, blocks[b * 8 + 1] = 0x00;  // c0 black
    blocks[b * 8 + 2] = 0xFF, blocks[b * 8 + 3] = 0xFF;  // c1 white
  }
  blocks[4] = 0x01;  // pixel (0, 0) of block 0: index 1
  Converters::TgaImage out;
  ASSERT_TRUE(ConvertPixels(11, blocks.data(), blocks.size(), 8, 8, out));
  EXPECT_EQ(OutputPixel(out, 0, 7), (Rgba{255, 255, 255, 255}));
  EXPECT_EQ(OutputPixel(out, 0, 0), (Rgba{0, 0, 0, 255}));
  EXPECT_EQ(OutputPixel(out, 0, 3), (Rgba{0, 0, 0, 255}));
}

TEST(Converters, ByteFormatsAreStoredBlueFirstAndTurned) {
  // RGB: bytes 10, 20, 30 are blue, green, red; the top row ends up last.
  const uint8_t rgb[] = {10, 20, 30, 1, 2, 3};
  Converters::TgaImage out;
  ASSERT_TRUE(ConvertPixels(2, rgb, sizeof rgb, 1, 2, out));
  EXPECT_EQ(std::vector<uint8_t>(out.pixels.begin(), out.pixels.begin() + 8),
            (std::vector<uint8_t>{1, 2, 3, 255, 10, 20, 30, 255}));
  const uint8_t rgba[] = {10, 20, 30, 40, 1, 2, 3, 4};
  ASSERT_TRUE(ConvertPixels(1, rgba, sizeof rgba, 2, 1, out));
  EXPECT_EQ(std::vector<uint8_t>(out.pixels.begin(), out.pixels.begin() + 8),
            (std::vector<uint8_t>{10, 20, 30, 40, 1, 2, 3, 4}));
}

TEST(Converters, ShortOrMissingSourceLeavesOutputNotDone) {
  std::vector<uint8_t> blocks(8 * 3);  // 8x8 DXT1 needs four blocks
  Converters::TgaImage out;
  EXPECT_FALSE(ConvertPixels(11, blocks.data(), blocks.size(), 8, 8, out));
  EXPECT_FALSE(ConvertPixels(11, nullptr, 0, 4, 4, out));
  EXPECT_FALSE(ConvertPixels(11, blocks.data(), blocks.size(), 0, 4, out));
  EXPECT_TRUE(ConvertPixels(11, blocks.data(), blocks.size(), 4, 4, out));
}

// Sides past kMaxImageSide, among them those whose sizes wrapped to 0 in 64 bits (DXT at 2^32 - 1,
// 4-byte pixels at 2^31), are refused before anything is allocated; the largest side converts.
TEST(Converters, SidesPastTheLargestAreRefusedWithoutAllocating) {
  const std::vector<uint8_t> small(4096, 0x5A);
  const std::pair<uint32_t, uint32_t> refused[] = {
      {kMaxImageSide + 1, 1}, {1, kMaxImageSide + 1}, {0x80000000u, 0x80000000u}, {0xFFFFFFFFu, 0xFFFFFFFFu}};
  for (uint8_t format : {1, 2, 11, 12, 13}) {
    for (auto [w, h] : refused) {
      SCOPED_TRACE(testing::Message() << "format " << int(format) << " " << w << " x " << h);
      Converters::TgaImage out;
      EXPECT_FALSE(ConvertPixels(format, small.data(), small.size(), w, h, out));
      EXPECT_TRUE(out.pixels.empty());
      EXPECT_EQ(out.size, 0u);
    }
    SCOPED_TRACE(testing::Message() << "format " << int(format) << " " << kMaxImageSide << " x 4");
    const size_t needed = DdsLevelSize(*IwiFormatRow(format), kMaxImageSide, 4).value();
    const std::vector<uint8_t> source(needed, 0x5A);
    Converters::TgaImage out;
    ASSERT_TRUE(ConvertPixels(format, source.data(), source.size(), kMaxImageSide, 4, out));
    EXPECT_EQ(out.size, size_t{kMaxImageSide} * 4 * 4);
  }
}

// Random blocks, every DXT format, sizes that are not multiples of 4 or smaller than a block:
// every pixel equals libsquish's, with the image turned upside down.
TEST(ConvertersAgainstSquish, RandomBlocksAtEverySize) {
  std::mt19937 random(12345);
  const std::pair<uint32_t, uint32_t> sizes[] = {{1, 1}, {2, 2}, {3, 5}, {5, 3}, {6, 6}, {13, 7}, {64, 64}, {40, 9}};
  for (uint8_t format : {11, 12, 13}) {
    for (auto [w, h] : sizes) {
      SCOPED_TRACE(testing::Message() << "format " << int(format) << " " << w << "x" << h);
      std::vector<uint8_t> blocks(size_t((w + 3) / 4) * ((h + 3) / 4) * (format == 11 ? 8 : 16));
      for (auto& byte : blocks) byte = uint8_t(random());
      ExpectSameAsSquish(format, blocks.data(), blocks.size(), w, h);
    }
  }
}

TEST(ConvertersAgainstSquish, EveryDxtLevelOfTheRealImages) {
  int levelsCompared = 0;
  for (const auto& file : testfiles::RealIwiFiles()) {
    IwiImage image;
    if (image.SetFile(file.path) != ImageResult::Success || image.LoadIWI() != ImageResult::Success) continue;
    if (image.Format() < 11) continue;
    for (size_t i = 0; i < image.LevelCount(); ++i) {
      SCOPED_TRACE(testing::Message() << file.relative << " level " << i);
      const IwiLevel level = image.Level(i);
      ExpectSameAsSquish(image.Format(), level.data, level.size, level.width, level.height);
      ++levelsCompared;
    }
  }
  EXPECT_GT(levelsCompared, 200);
}

// Uncompressed real images: the output is the source turned upside down, pixel for pixel.
TEST(Converters, RealUncompressedImagesAreTurnedUnchanged) {
  for (const char* name : {"cod5/raw/images/hud_fuse.iwi", "cod5/raw/images/leaderboard.iwi"}) {
    SCOPED_TRACE(name);
    IwiImage image;
    ASSERT_EQ(image.SetFile(std::string(DELVIX_REALDATA) + "/" + name), ImageResult::Success);
    ASSERT_EQ(image.LoadIWI(), ImageResult::Success);
    const IwiLevel level = image.Level(0);
    const uint32_t bytes = image.Format() == 1 ? 4 : 3;
    Converters::TgaImage out;
    ASSERT_TRUE(ConvertPixels(image.Format(), level.data, level.size, level.width, level.height, out));
    for (uint32_t y = 0; y < level.height; ++y) {
      for (uint32_t x = 0; x < level.width; ++x) {
        const uint8_t* s = level.data + (size_t(y) * level.width + x) * bytes;
        const Rgba expected{s[2], s[1], s[0], bytes == 4 ? s[3] : 255u};
        ASSERT_EQ(OutputPixel(out, x, level.height - 1 - y), expected) << x << "," << y;
      }
    }
  }
}
