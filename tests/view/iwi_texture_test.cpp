// IWI images as OpenGL textures: every real image the reader accepts uploads without a GL error
// and reads back at its size; packed RGB rows arrive whole; an image is uploaded once.
#include "view/iwi_texture.h"

#include <GL/glew.h>
#include <gtest/gtest.h>

#include <vector>

#include "support/gl_canvas.h"
#include "image/iwi_image.h"
#include "support/iwi_builder.h"
#include "support/real_images.h"

namespace {

class IwiTexture : public ::testing::Test {
 protected:
  void SetUp() override {
    GlCanvas* canvas = GlCanvas::Shared();
    ASSERT_TRUE(canvas->IsOpen()) << canvas->Error();
  }
};

TEST_F(IwiTexture, RealImagesUploadAtTheirSize) {
  int uploaded = 0;
  for (const testfiles::RealImage& file : testfiles::RealIwiFiles()) {
    IwiImage image;
    image.SetFile(file.path);
    if (image.LoadIWI() != ImageResult::Success) continue;
    uint32_t texture = 0;
    EXPECT_EQ(UploadIwiTexture(image, texture), ImageResult::Success) << file.relative;
    EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR)) << file.relative;
    GLint width = 0, height = 0;
    glBindTexture(GL_TEXTURE_2D, texture);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &width);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_HEIGHT, &height);
    glBindTexture(GL_TEXTURE_2D, 0);
    EXPECT_EQ(width, static_cast<GLint>(image.Width())) << file.relative;
    EXPECT_EQ(height, static_cast<GLint>(image.Height())) << file.relative;

    uint32_t again = 0;
    EXPECT_EQ(UploadIwiTexture(image, again), ImageResult::Success);
    EXPECT_EQ(again, texture) << "an image is uploaded once";
    DeleteIwiTexture(image);
    EXPECT_FALSE(glIsTexture(texture));
    EXPECT_EQ(image.Texture(), -1);
    ++uploaded;
  }
  EXPECT_GT(uploaded, 20);
}

// A 5 x 3 RGB image: rows of 15 bytes, not a multiple of 4. Every pixel arrives, red and blue in
// their places (the file stores B, G, R).
TEST_F(IwiTexture, PackedRgbRowsArriveWhole) {
  testfiles::IwiSpec shape;
  shape.format = 2;
  shape.width = 5;
  shape.height = 3;
  shape.levels = 1;
  std::vector<uint8_t> level;
  for (int p = 0; p < 15; ++p) level.insert(level.end(), {uint8_t(p), uint8_t(100 + p), uint8_t(200 + p)});
  IwiImage image;
  ASSERT_EQ(image.ReadIwi(testfiles::MakeIwi(shape, {level})), ImageResult::Success);
  uint32_t texture = 0;
  ASSERT_EQ(UploadIwiTexture(image, texture), ImageResult::Success);

  std::vector<uint8_t> rgb(15 * 3);
  glBindTexture(GL_TEXTURE_2D, texture);
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glGetTexImage(GL_TEXTURE_2D, 0, GL_RGB, GL_UNSIGNED_BYTE, rgb.data());
  glBindTexture(GL_TEXTURE_2D, 0);
  for (int p = 0; p < 15; ++p) {
    EXPECT_EQ(rgb[p * 3 + 0], 200 + p) << "pixel " << p;
    EXPECT_EQ(rgb[p * 3 + 1], 100 + p) << "pixel " << p;
    EXPECT_EQ(rgb[p * 3 + 2], p) << "pixel " << p;
  }
  GLint alignment = 0;
  glGetIntegerv(GL_UNPACK_ALIGNMENT, &alignment);
  EXPECT_EQ(alignment, 4) << "the unpack alignment is restored";
  DeleteIwiTexture(image);
}

TEST_F(IwiTexture, ImageNotLoadedMakesNoTexture) {
  IwiImage image;
  uint32_t texture = 7;
  EXPECT_EQ(UploadIwiTexture(image, texture), ImageResult::NotLoaded);
  EXPECT_EQ(texture, 7u);
  EXPECT_EQ(image.Texture(), -1);
}

}  // namespace
