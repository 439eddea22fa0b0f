// The GUI's DDS reader without GL: which headers it takes and refuses, where it finds the levels,
// that no truncated or hostile file gets past it, and that the block flip mirrors the decoded
// picture (checked against libsquish, an independent DXT decoder).
#include "image/dds_reader.h"

#include <gtest/gtest.h>
#include <squish.h>

#include <algorithm>
#include <cstring>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include "support/dds_builder.h"

namespace {

using testfiles::DdsShape;
using testfiles::MakeDds;

std::vector<uint8_t> Filler(size_t size, uint8_t seed = 1) {
  std::vector<uint8_t> bytes(size);
  for (size_t i = 0; i < size; ++i) bytes[i] = uint8_t(seed + i * 7);
  return bytes;
}

ImageResult Read(const std::vector<uint8_t>& file, DdsContents& contents) {
  return ReadDds(file.data(), file.size(), contents);
}

// ---------------------------------------------------------------------------------------------
// Headers and levels

TEST(DdsReader, FindsTheLevelsOfEveryFormat) {
  struct Case {
    const char* what;
    DdsShape shape;
    size_t payload;
    DdsFormatIndex format;
    std::vector<size_t> levelSizes;
  };
  DdsShape paddedIndexed = DdsShape::Indexed(3, 2);
  paddedIndexed.flags |= 0x8;
  paddedIndexed.pitch = 4;
  DdsShape unpaddedIndexed = DdsShape::Indexed(3, 2);
  unpaddedIndexed.pitch = 4;  // no pitch flag: the pitch is not trusted
  DdsShape singleLevelWithMore = DdsShape::Bgra8(4, 4);
  DdsShape mipFlagWithoutCount = DdsShape::Bgra8(2, 2);
  mipFlagWithoutCount.flags |= 0x20000;
  const Case cases[] = {
      {"DXT1 chain", DdsShape::Dxt("DXT1", 8, 8, 4), 32 + 8 + 8 + 8, kDdsDxt1, {32, 8, 8, 8}},
      {"DXT3 non-multiple of 4", DdsShape::Dxt("DXT3", 6, 5), 64, kDdsDxt3, {64}},
      {"DXT5 chain", DdsShape::Dxt("DXT5", 4, 4, 3), 48, kDdsDxt5, {16, 16, 16}},
      {"BGRA8 odd sizes", DdsShape::Bgra8(5, 3, 3), 60 + 8 + 4, kDdsBgra8, {60, 8, 4}},
      {"BGR5A1", DdsShape::Bgr5A1(3, 3), 18, kDdsBgr5A1, {18}},
      {"BGR565", DdsShape::Bgr565(2, 2), 8, kDdsBgr565, {8}},
      {"indexed with pitch", paddedIndexed, 1024 + 8, kDdsIndex8, {8}},
      {"indexed, pitch flag clear", unpaddedIndexed, 1024 + 6, kDdsIndex8, {6}},
      {"no mip flag: one level", singleLevelWithMore, 64 + 16 + 4, kDdsBgra8, {64}},
      {"mip count past 1x1 capped", DdsShape::Bgra8(4, 4, 20), 64 + 16 + 4, kDdsBgra8, {64, 16, 4}},
      {"mip flag with count 0", mipFlagWithoutCount, 16, kDdsBgra8, {16}},
  };
  for (const Case& c : cases) {
    const DdsShape& shape = c.shape;
    DdsContents contents;
    ASSERT_EQ(Read(MakeDds(shape, Filler(c.payload)), contents), ImageResult::Success) << c.what;
    EXPECT_EQ(contents.format, c.format) << c.what;
    EXPECT_EQ(contents.width, shape.width) << c.what;
    ASSERT_EQ(contents.levels.size(), c.levelSizes.size()) << c.what;
    size_t offset = kDdsHeaderBytes + (c.format == kDdsIndex8 ? kDdsPaletteBytes : 0);
    for (size_t i = 0; i < c.levelSizes.size(); ++i) {
      EXPECT_EQ(contents.levels[i].size, c.levelSizes[i]) << c.what << " level " << i;
      EXPECT_EQ(contents.levels[i].offset, offset) << c.what << " level " << i;
      offset += c.levelSizes[i];
    }
  }
}

TEST(DdsReader, RefusesWhatIsNotAGuiDds) {
  auto with = [](DdsShape shape, auto change) {
    change(shape);
    return MakeDds(shape, Filler(4096));
  };
  std::vector<uint8_t> badMagic = MakeDds(DdsShape::Bgra8(4, 4), Filler(64));
  badMagic[3] = 'X';
  std::vector<uint8_t> badHeaderSize = MakeDds(DdsShape::Bgra8(4, 4), Filler(64));
  badHeaderSize[4] = 100;
  const struct {
    const char* what;
    std::vector<uint8_t> file;
    ImageResult expected;
  } cases[] = {
      {"24-bit RGB", MakeDds(DdsShape::Bgr8(4, 4), Filler(48)), ImageResult::FormatError},
      {"FourCC DXT2", MakeDds(DdsShape::Dxt("DXT2", 4, 4), Filler(16)), ImageResult::FormatError},
      {"FourCC ATI2", MakeDds(DdsShape::Dxt("ATI2", 4, 4), Filler(16)), ImageResult::FormatError},
      {"32-bit RGBA masks", with(DdsShape::Bgra8(4, 4), [](DdsShape& s) { s.masks[0] = 0xFF; }), ImageResult::FormatError},
      {"width 0", with(DdsShape::Bgra8(4, 4), [](DdsShape& s) { s.width = 0; }), ImageResult::FormatError},
      {"no pixel format flag", with(DdsShape::Bgra8(4, 4), [](DdsShape& s) { s.flags = 0x7; }), ImageResult::NotDds},
      {"no caps flag", with(DdsShape::Bgra8(4, 4), [](DdsShape& s) { s.flags = 0x1006; }), ImageResult::NotDds},
      {"bad magic", badMagic, ImageResult::NotDds},
      {"header size 100", badHeaderSize, ImageResult::NotDds},
      {"empty", {}, ImageResult::NotDds},
  };
  for (const auto& c : cases) {
    DdsContents contents;
    EXPECT_EQ(Read(c.file, contents), c.expected) << c.what;
    EXPECT_TRUE(contents.levels.empty()) << c.what;
  }
}

// Every prefix of a valid file is refused: the header as NotDds, the palette or a level as
// ShortRead. Hostile sizes are refused before anything is allocated for them.
TEST(DdsReader, TruncatedAndHostileFilesAreRefused) {
  const std::vector<std::vector<uint8_t>> files = {
      MakeDds(DdsShape::Dxt("DXT5", 8, 8, 4), Filler(64 + 16 * 3)),
      MakeDds(DdsShape::Bgra8(3, 5, 3), Filler(60 + 8 + 4)),
      MakeDds(DdsShape::Indexed(4, 4), Filler(1024 + 16)),
  };
  for (const std::vector<uint8_t>& file : files) {
    DdsContents contents;
    ASSERT_EQ(Read(file, contents), ImageResult::Success);
    for (size_t size = 0; size < file.size(); ++size) {
      const std::vector<uint8_t> prefix(file.begin(), file.begin() + static_cast<std::ptrdiff_t>(size));
      const ImageResult result = Read(prefix, contents);
      EXPECT_EQ(result, size < kDdsHeaderBytes ? ImageResult::NotDds : ImageResult::ShortRead) << "size " << size;
    }
  }

  DdsShape huge = DdsShape::Dxt("DXT1", 0xFFFFFFFF, 0xFFFFFFFF, 0xFFFFFFFF);
  DdsContents contents;
  EXPECT_EQ(Read(MakeDds(huge, Filler(4096)), contents), ImageResult::FormatError);
  DdsShape hugeIndexed = DdsShape::Indexed(kMaxImageSide, kMaxImageSide);  // pitch x height: 2^47
  hugeIndexed.flags |= 0x8;
  hugeIndexed.pitch = 0xFFFFFFFF;
  EXPECT_EQ(Read(MakeDds(hugeIndexed, Filler(4096)), contents), ImageResult::ShortRead);
}

// Headers whose level sizes wrapped to 0 in 64 bits, so that the reader took them with empty levels
// and the upload hung (DXT: 0 block rows) or overran its buffer (BGRA8): refused as format errors.
TEST(DdsReader, HeadersWhoseLevelSizesWouldWrapAreFormatErrors) {
  std::vector<DdsShape> shapes;
  for (uint32_t width : {0xFFFFFFFDu, 0xFFFFFFFEu, 0xFFFFFFFFu})
    for (uint32_t height : {0xFFFFFFFDu, 0xFFFFFFFEu, 0xFFFFFFFFu}) shapes.push_back(DdsShape::Dxt("DXT5", width, height));
  shapes.push_back(DdsShape::Bgra8(0x80000000u, 0x80000000u));
  for (const DdsShape& shape : shapes) {
    DdsContents contents;
    EXPECT_EQ(Read(MakeDds(shape, Filler(4096)), contents), ImageResult::FormatError)
        << std::hex << shape.width << " x " << shape.height;
    EXPECT_TRUE(contents.levels.empty());
  }
}

// Wide enough that no level size of 32-bit sides wraps.
__extension__ using Wide = unsigned __int128;

// Every DDS format with sides at the edges of the header's 32-bit fields: a level is either read
// with its true size (computed here in 128 bits) or refused, never taken with a wrapped size.
TEST(DdsReader, EveryFormatAtTheEdgesOfItsSidesIsReadOrRefused) {
  const struct {
    const char* what;
    DdsShape (*shape)(uint32_t, uint32_t);
    DdsFormatIndex format;
    bool read;  // a format the reader takes
  } formats[] = {
      {"DXT1", [](uint32_t w, uint32_t h) { return DdsShape::Dxt("DXT1", w, h); }, kDdsDxt1, true},
      {"DXT3", [](uint32_t w, uint32_t h) { return DdsShape::Dxt("DXT3", w, h); }, kDdsDxt3, true},
      {"DXT5", [](uint32_t w, uint32_t h) { return DdsShape::Dxt("DXT5", w, h); }, kDdsDxt5, true},
      {"BGR8", DdsShape::Bgr8, kDdsBgr8, false},
      {"BGRA8", [](uint32_t w, uint32_t h) { return DdsShape::Bgra8(w, h); }, kDdsBgra8, true},
      {"BGR5A1", DdsShape::Bgr5A1, kDdsBgr5A1, true},
      {"BGR565", DdsShape::Bgr565, kDdsBgr565, true},
      {"indexed", DdsShape::Indexed, kDdsIndex8, true},
  };
  const uint32_t sides[] = {1, 4, kMaxImageSide, 65535, 0x80000000u, 0xFFFFFFFFu};
  constexpr size_t kLargestBuilt = size_t{1} << 20;
  for (const auto& f : formats) {
    const DdsFormatRow& row = kDdsFormats[f.format];
    const size_t palette = row.palette ? kDdsPaletteBytes : 0;
    for (uint32_t w : sides) {
      for (uint32_t h : sides) {
        SCOPED_TRACE(testing::Message() << f.what << " " << w << " x " << h);
        const Wide blockSide = row.blockSide;
        const Wide trueSize = (w + blockSide - 1) / blockSide * ((h + blockSide - 1) / blockSide) * row.bytes;
        const bool tooLarge = w > kMaxImageSide || h > kMaxImageSide;
        DdsContents contents;
        if (!f.read || tooLarge) {
          EXPECT_EQ(Read(MakeDds(f.shape(w, h), Filler(4096)), contents), ImageResult::FormatError);
          EXPECT_TRUE(contents.levels.empty());
          continue;
        }
        if (trueSize > kLargestBuilt) {
          EXPECT_EQ(Read(MakeDds(f.shape(w, h), Filler(4096)), contents), ImageResult::ShortRead);
          continue;
        }
        const size_t size = static_cast<size_t>(trueSize);
        EXPECT_EQ(Read(MakeDds(f.shape(w, h), Filler(palette + size - 1)), contents), ImageResult::ShortRead);
        ASSERT_EQ(Read(MakeDds(f.shape(w, h), Filler(palette + size)), contents), ImageResult::Success);
        ASSERT_EQ(contents.levels.size(), 1u);
        EXPECT_EQ(contents.levels[0].size, size);
      }
    }
  }
}

// The one size that every reader, converter and upload takes from header sides: exact up to
// kMaxImageSide, empty past it, for every format row.
TEST(DdsLevelSize, ExactUpToTheLargestSideAndEmptyPastIt) {
  const uint32_t sides[] = {0, 1, 3, 4, 65535, kMaxImageSide, kMaxImageSide + 1, 0x80000000u, 0xFFFFFFFFu};
  for (const DdsFormatRow& row : kDdsFormats) {
    for (uint32_t w : sides) {
      for (uint32_t h : sides) {
        SCOPED_TRACE(testing::Message() << "bytes " << row.bytes << " block " << row.blockSide << ": " << w << " x " << h);
        const std::optional<size_t> size = DdsLevelSize(row, w, h);
        if (w > kMaxImageSide || h > kMaxImageSide) {
          EXPECT_FALSE(size.has_value());
          continue;
        }
        const uint64_t across = (std::max(w, 1u) + uint64_t{row.blockSide} - 1) / row.blockSide;
        const uint64_t down = (std::max(h, 1u) + uint64_t{row.blockSide} - 1) / row.blockSide;
        ASSERT_TRUE(size.has_value());
        EXPECT_EQ(*size, across * down * row.bytes);
      }
    }
  }
}

// ---------------------------------------------------------------------------------------------
// Turning levels upside down

// Decodes a DXT level into w x h RGBA pixels with libsquish.
std::vector<uint8_t> Decode(DdsFormatIndex format, const std::vector<uint8_t>& level, uint32_t w, uint32_t h) {
  const int flags = format == kDdsDxt1 ? squish::kDxt1 : format == kDdsDxt3 ? squish::kDxt3 : squish::kDxt5;
  std::vector<uint8_t> rgba(size_t(w) * h * 4);
  squish::DecompressImage(rgba.data(), int(w), int(h), level.data(), flags);
  return rgba;
}

TEST(DdsReader, FlippedBlocksDecodeToTheMirroredPicture) {
  std::mt19937 random(7);
  const struct {
    uint32_t w, h;
  } sizes[] = {{8, 8}, {4, 4}, {12, 8}, {8, 2}, {2, 2}, {4, 1}, {1, 1}};
  for (DdsFormatIndex format : {kDdsDxt1, kDdsDxt3, kDdsDxt5}) {
    for (const auto& size : sizes) {
      std::vector<uint8_t> level(DdsLevelSize(kDdsFormats[format], size.w, size.h).value());
      for (uint8_t& b : level) b = uint8_t(random());
      const std::vector<uint8_t> before = Decode(format, level, size.w, size.h);
      FlipDxtLevel(format, level.data(), size.w, size.h);
      const std::vector<uint8_t> after = Decode(format, level, size.w, size.h);
      for (uint32_t y = 0; y < size.h; ++y) {
        const size_t rowBytes = size_t(size.w) * 4;
        EXPECT_EQ(0, std::memcmp(&after[y * rowBytes], &before[(size.h - 1 - y) * rowBytes], rowBytes))
            << "format " << format << " " << size.w << "x" << size.h << " row " << y;
      }
    }
  }
}

TEST(DdsReader, PaletteExpandsToBlueFirstTexelsBottomRowFirst) {
  std::vector<uint8_t> palette(kDdsPaletteBytes, 0);
  const uint8_t entries[3][4] = {{10, 20, 30, 40}, {50, 60, 70, 80}, {90, 100, 110, 120}};
  for (int i = 0; i < 3; ++i) std::memcpy(&palette[size_t(i) * 4], entries[i], 4);
  const uint8_t indices[] = {0, 1, 99, 2, 0, 99};  // two rows of 2, padded to a stride of 3
  std::vector<uint8_t> out(2 * 2 * 4);
  ExpandPalette(indices, 3, 2, 2, palette.data(), out.data());
  const std::vector<uint8_t> expected = {110, 100, 90, 120, 30, 20, 10, 40,   // stored row 1 first
                                         30, 20, 10, 40,   70, 60, 50, 80};
  EXPECT_EQ(out, expected);
}

}  // namespace
