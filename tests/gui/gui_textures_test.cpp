// The GUI's DDS textures under Xvfb and Mesa: the generated fallback textures load and draw with
// the default filters, every format reaches GL with its stored first row at the top, and the
// texture map names each texture once and reports what fails.
#include "gui/gui_textures.h"

#include <GL/glew.h>
#include <gtest/gtest.h>
#include <squish.h>

#include <algorithm>
#include <cstdlib>
#include <random>
#include <string>
#include <vector>

#include "support/gl_canvas.h"
#include "image/dds_reader.h"
#include "support/dds_builder.h"
#include "support/log_capture.h"
#include "support/temp_folder.h"

namespace {

using testfiles::DdsShape;
using testfiles::MakeDds;

const std::string kImages = std::string(DELVIX_PROGRAM_DIR) + "/images/";

class GuiTexturesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    canvas_ = GlCanvas::Shared();
    ASSERT_TRUE(canvas_->IsOpen()) << canvas_->Error();
  }
  void TearDown() override {
    for (GLuint texture : made_) glDeleteTextures(1, &texture);
  }

  // Writes file into the test's folder and loads it; the texture is deleted after the test.
  ImageResult Load(const std::vector<uint8_t>& file, uint32_t& texture) {
    const std::string path = folder_.Path("t.dds");
    EXPECT_TRUE(testfiles::WriteBytes(path, file));
    return LoadAndKeep(path, texture);
  }
  ImageResult LoadAndKeep(const std::string& path, uint32_t& texture) {
    const ImageResult result = LoadDDSTexture(path, &texture);
    if (texture != 0) made_.push_back(texture);
    return result;
  }

  // Level `level` of texture as RGBA bytes, GL's row 0 (t = 0) first.
  static std::vector<uint8_t> ReadBack(uint32_t texture, int level, int& width, int& height) {
    glBindTexture(GL_TEXTURE_2D, texture);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, level, GL_TEXTURE_WIDTH, &width);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, level, GL_TEXTURE_HEIGHT, &height);
    std::vector<uint8_t> rgba(size_t(std::max(width, 0)) * std::max(height, 0) * 4);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    if (!rgba.empty()) glGetTexImage(GL_TEXTURE_2D, level, GL_RGBA, GL_UNSIGNED_BYTE, rgba.data());
    glBindTexture(GL_TEXTURE_2D, 0);
    return rgba;
  }

  static int LiveTextures() {
    int live = 0;
    for (GLuint name = 1; name <= 4096; ++name) live += glIsTexture(name) ? 1 : 0;
    return live;
  }

  GlCanvas* canvas_ = nullptr;
  TempFolder folder_;
  std::vector<GLuint> made_;
};

// The rows of an RGBA picture of the given width in reverse order.
std::vector<uint8_t> Mirrored(const std::vector<uint8_t>& rgba, int width) {
  const size_t rowBytes = size_t(width) * 4;
  std::vector<uint8_t> out;
  for (size_t end = rgba.size(); end >= rowBytes; end -= rowBytes) out.insert(out.end(), rgba.begin() + end - rowBytes, rgba.begin() + end);
  return out;
}

bool Near(const std::vector<uint8_t>& a, const std::vector<uint8_t>& b, int tolerance) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    if (std::abs(int(a[i]) - int(b[i])) > tolerance) return false;
  }
  return true;
}

// ---------------------------------------------------------------------------------------------
// The generated fallback textures

TEST_F(GuiTexturesTest, DefaultTextureIsALightNeutralCheckerThatDrawsWithDefaultFilters) {
  uint32_t texture = 0;
  ASSERT_EQ(LoadAndKeep(kImages + "default.dds", texture), ImageResult::Success);
  int w = 0, h = 0;
  const std::vector<uint8_t> rgba = ReadBack(texture, 0, w, h);
  EXPECT_EQ(w, 128);
  EXPECT_EQ(h, 128);
  long sum = 0;
  int lightest = 0, darkest = 255;
  for (size_t i = 0; i < rgba.size(); i += 4) {
    ASSERT_EQ(rgba[i], rgba[i + 1]) << "neutral grey";
    ASSERT_EQ(rgba[i], rgba[i + 2]) << "neutral grey";
    ASSERT_EQ(rgba[i + 3], 255) << "opaque";
    sum += rgba[i];
    lightest = std::max<int>(lightest, rgba[i]);
    darkest = std::min<int>(darkest, rgba[i]);
  }
  const double mean = double(sum) / (rgba.size() / 4);
  EXPECT_GT(mean, 170.0) << "light";
  EXPECT_LT(mean, 220.0) << "not white";
  EXPECT_GT(lightest - darkest, 5) << "a checker";
  EXPECT_LT(lightest - darkest, 30) << "a faint one";

  // The whole chain is there: with the default minification filter the texture is complete.
  int smallest = 0;
  ReadBack(texture, 7, w, smallest);
  EXPECT_EQ(w, 1);
  canvas_->Clear(0, 0, 0);
  glEnable(GL_TEXTURE_2D);
  glBindTexture(GL_TEXTURE_2D, texture);
  glBegin(GL_QUADS);
  glTexCoord2f(0, 0), glVertex2f(-1, -1);
  glTexCoord2f(8, 0), glVertex2f(1, -1);  // minified: 8 repeats on 64 pixels
  glTexCoord2f(8, 8), glVertex2f(1, 1);
  glTexCoord2f(0, 8), glVertex2f(-1, 1);
  glEnd();
  glDisable(GL_TEXTURE_2D);
  glBindTexture(GL_TEXTURE_2D, 0);
  const Rgb centre = canvas_->Pixel(32, 32);
  EXPECT_GT(centre.r, 170) << centre;
  EXPECT_EQ(centre.r, centre.b) << centre;
}

TEST_F(GuiTexturesTest, IdentityNormalMapIsTheFlatNormalAtEveryLevel) {
  uint32_t texture = 0;
  ASSERT_EQ(LoadAndKeep(kImages + "$identitynormalmap.dds", texture), ImageResult::Success);
  for (int level = 0; level < 3; ++level) {
    int w = 0, h = 0;
    const std::vector<uint8_t> rgba = ReadBack(texture, level, w, h);
    ASSERT_EQ(w, 4 >> level);
    for (size_t i = 0; i < rgba.size(); i += 4) {
      ASSERT_EQ(std::vector<uint8_t>(rgba.begin() + i, rgba.begin() + i + 4), (std::vector<uint8_t>{128, 128, 255, 255}));
    }
  }
}

// ---------------------------------------------------------------------------------------------
// Formats

TEST_F(GuiTexturesTest, BlockFormatsReachGlTurnedWithTheirWholeChain) {
  std::mt19937 random(11);
  const struct {
    const char fourCC[5];
    DdsFormatIndex format;
    int squishFlag;
  } rows[] = {{"DXT1", kDdsDxt1, squish::kDxt1}, {"DXT3", kDdsDxt3, squish::kDxt3}, {"DXT5", kDdsDxt5, squish::kDxt5}};
  for (const auto& row : rows) {
    std::vector<std::vector<uint8_t>> levels;
    std::vector<uint8_t> payload;
    for (uint32_t side = 8; side >= 1; side /= 2) {
      std::vector<uint8_t> level(DdsLevelSize(kDdsFormats[row.format], side, side).value());
      for (uint8_t& b : level) b = uint8_t(random());
      payload.insert(payload.end(), level.begin(), level.end());
      levels.push_back(level);
    }
    uint32_t texture = 0;
    ASSERT_EQ(Load(MakeDds(DdsShape::Dxt(row.fourCC, 8, 8, 4), payload), texture), ImageResult::Success) << row.fourCC;
    for (int i = 0; i < 4; ++i) {
      const int side = 8 >> i;
      std::vector<uint8_t> stored(size_t(side) * side * 4);
      squish::DecompressImage(stored.data(), side, side, levels[size_t(i)].data(), row.squishFlag);
      int w = 0, h = 0;
      const std::vector<uint8_t> gl = ReadBack(texture, i, w, h);
      EXPECT_EQ(w, side);
      EXPECT_TRUE(Near(gl, Mirrored(stored, side), 4)) << row.fourCC << " level " << i << ": GL's row 0 is the stored last row";
    }
  }
}

TEST_F(GuiTexturesTest, UncompressedFormatsReachGlTurnedInTheirColours) {
  // 32-bit B,G,R,A, odd sizes, three levels.
  std::vector<uint8_t> payload(5 * 3 * 4 + 2 * 1 * 4 + 4);
  for (size_t i = 0; i < payload.size(); ++i) payload[i] = uint8_t(i * 13 + 1);
  uint32_t texture = 0;
  ASSERT_EQ(Load(MakeDds(DdsShape::Bgra8(5, 3, 3), payload), texture), ImageResult::Success);
  const int sizes[3][2] = {{5, 3}, {2, 1}, {1, 1}};
  size_t offset = 0;
  for (int i = 0; i < 3; ++i) {
    const int w = sizes[i][0], h = sizes[i][1];
    std::vector<uint8_t> stored;
    for (int p = 0; p < w * h; ++p, offset += 4) {
      stored.insert(stored.end(), {payload[offset + 2], payload[offset + 1], payload[offset], payload[offset + 3]});
    }
    int gw = 0, gh = 0;
    EXPECT_EQ(ReadBack(texture, i, gw, gh), Mirrored(stored, w)) << "level " << i;
    EXPECT_EQ(gw, w);
    EXPECT_EQ(gh, h);
  }

  // 16-bit texels stored little-endian; 2 x 2, first row red and green, second blue and white.
  auto sixteen = [](std::initializer_list<uint16_t> texels) {
    std::vector<uint8_t> bytes;
    for (uint16_t t : texels) bytes.insert(bytes.end(), {uint8_t(t), uint8_t(t >> 8)});
    return bytes;
  };
  const std::vector<uint8_t> bottomFirst = {0, 0, 255, 255, 255, 255, 255, 255, 255, 0, 0, 255, 0, 255, 0, 255};
  ASSERT_EQ(Load(MakeDds(DdsShape::Bgr565(2, 2), sixteen({0xF800, 0x07E0, 0x001F, 0xFFFF})), texture), ImageResult::Success);
  int w = 0, h = 0;
  EXPECT_EQ(ReadBack(texture, 0, w, h), bottomFirst) << "BGR565";
  ASSERT_EQ(Load(MakeDds(DdsShape::Bgr5A1(2, 2), sixteen({0xFC00, 0x83E0, 0x801F, 0x7FFF})), texture), ImageResult::Success);
  std::vector<uint8_t> withAlpha = bottomFirst;
  withAlpha[7] = 0;  // white has alpha bit 0
  EXPECT_EQ(ReadBack(texture, 0, w, h), withAlpha) << "BGR5A1";

  // 8-bit indices into a palette of R,G,B,A entries, rows padded to the pitch.
  std::vector<uint8_t> indexed(1024, 0);
  const uint8_t entries[2][4] = {{200, 100, 50, 0}, {10, 20, 30, 0}};
  std::copy(entries[0], entries[0] + 4, indexed.begin());
  std::copy(entries[1], entries[1] + 4, indexed.begin() + 4);
  indexed.insert(indexed.end(), {0, 1, 7, 1, 1, 7});
  DdsShape shape = DdsShape::Indexed(2, 2);
  shape.flags |= 0x8;
  shape.pitch = 3;
  ASSERT_EQ(Load(MakeDds(shape, indexed), texture), ImageResult::Success);
  EXPECT_EQ(ReadBack(texture, 0, w, h),
            (std::vector<uint8_t>{10, 20, 30, 255, 10, 20, 30, 255, 200, 100, 50, 255, 10, 20, 30, 255}))
      << "indexed";
}

TEST_F(GuiTexturesTest, WithoutTheMipFlagOnlyTheFirstLevelIsUploaded) {
  uint32_t texture = 0;
  ASSERT_EQ(Load(MakeDds(DdsShape::Bgra8(2, 2), std::vector<uint8_t>(16 + 4, 90)), texture), ImageResult::Success);
  int w = 0, h = 0;
  EXPECT_EQ(ReadBack(texture, 0, w, h).size(), 16u);
  ReadBack(texture, 1, w, h);
  EXPECT_EQ(w, 0) << "no level 1";
}

// Failures leave no texture behind, in GL or in the map, and say why in the log.
TEST_F(GuiTexturesTest, FailuresLeaveNothingAndAreReported) {
  const int before = LiveTextures();
  const std::vector<uint8_t> whole = MakeDds(DdsShape::Dxt("DXT1", 8, 8, 4), std::vector<uint8_t>(56, 0x55));
  struct Case {
    const char* what;
    std::vector<uint8_t> file;
    ImageResult expected;
  };
  std::vector<Case> cases = {
      {"truncated level", std::vector<uint8_t>(whole.begin(), whole.end() - 1), ImageResult::ShortRead},
      {"truncated header", std::vector<uint8_t>(whole.begin(), whole.begin() + 100), ImageResult::NotDds},
      {"larger than any image", MakeDds(DdsShape::Bgra8(1u << 16, 1), std::vector<uint8_t>((1u << 16) * 4, 1)),
       ImageResult::FormatError},
  };
  GLint glMaxSide = 0;
  glGetIntegerv(GL_MAX_TEXTURE_SIZE, &glMaxSide);
  const uint32_t pastGl = static_cast<uint32_t>(glMaxSide) + 1;
  if (pastGl <= kMaxImageSide) {  // the reader takes it, GL does not
    cases.push_back({"larger than GL allows", MakeDds(DdsShape::Bgra8(pastGl, 1), std::vector<uint8_t>(pastGl * 4, 1)),
                     ImageResult::UploadFormat});
  }
  for (const auto& c : cases) {
    uint32_t texture = 99;
    EXPECT_EQ(Load(c.file, texture), c.expected) << c.what;
    EXPECT_EQ(texture, 0u) << c.what;
  }
  uint32_t texture = 99;
  EXPECT_EQ(LoadAndKeep(folder_.Path("missing.dds"), texture), ImageResult::CantOpenFile);
  EXPECT_EQ(LiveTextures(), before);
  EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR)) << "GL's refusal is not left for the next caller";

  LogCapture log;
  GuiTextures textures;
  const std::string rgb24 = folder_.Path("rgb24.dds");
  ASSERT_TRUE(testfiles::WriteBytes(rgb24, MakeDds(DdsShape::Bgr8(4, 4), std::vector<uint8_t>(48, 1))));
  EXPECT_EQ(textures.LoadDSS(rgb24, "rgb24"), kTextureLoadFailed);
  EXPECT_TRUE(log.Has("------ WARNING: LoadDSS: " + rgb24 + ": Format Error")) << log.Path();
  EXPECT_FALSE(textures.Has("rgb24"));
  EXPECT_FALSE(textures.LoadDefaultTexture(folder_.Path("missing.dds")));
  EXPECT_FALSE(textures.Has("default"));
  EXPECT_EQ(LiveTextures(), before);
}

TEST_F(GuiTexturesTest, TextureMapNamesEachTextureOnceAndOwnsThem) {
  const int before = LiveTextures();
  GuiTextures textures;
  const uint32_t first = textures.LoadDSS(kImages + "default.dds", "button");
  ASSERT_NE(first, kTextureLoadFailed);
  EXPECT_TRUE(glIsTexture(first));
  EXPECT_EQ(textures.LoadDSS(kImages + "$identitynormalmap.dds", "button"), kTextureLoadFailed)
      << "a name already present loads nothing";
  EXPECT_EQ(textures.Lookup("button"), first);

  ASSERT_TRUE(textures.LoadDefaultTexture(kImages + "default.dds"));
  const uint32_t firstDefault = textures.Lookup("default");
  ASSERT_TRUE(textures.LoadDefaultTexture(kImages + "default.dds"));
  EXPECT_FALSE(glIsTexture(firstDefault)) << "a reloaded default texture replaces the old one";
  ASSERT_TRUE(textures.LoadCursorTexture(kImages + "default.dds"));
  EXPECT_NE(textures.Lookup("mouse_cursor"), 0u);

  EXPECT_FALSE(textures.Has("never_loaded"));
  EXPECT_EQ(textures.Lookup("never_loaded"), 0u);
  EXPECT_TRUE(textures.Has("never_loaded")) << "a lookup adds the name with no texture";

  textures.SetTexture("alias", first);
  textures.DeleteAll();
  EXPECT_TRUE(textures.Map().empty());
  EXPECT_EQ(LiveTextures(), before);
  EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
}

}  // namespace
