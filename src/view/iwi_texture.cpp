// Upload of IWI images as OpenGL textures.
#include "view/iwi_texture.h"

#include <GL/glew.h>

#include <algorithm>

#include "image/iwi_image.h"
#include "model/xmodel.h"

ImageResult UploadIwiTexture(IwiImage& image, uint32_t& texture) {
  if (!image.IsLoaded()) return ImageResult::NotLoaded;
  if (image.Texture() > 0) {
    texture = static_cast<uint32_t>(image.Texture());
    return ImageResult::Success;
  }
  const DdsFormatRow* row = IwiFormatRow(image.Format());
  if (!row) return ImageResult::UploadFormat;

  glGenTextures(1, &texture);
  glBindTexture(GL_TEXTURE_2D, texture);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
  image.SetTexture(static_cast<int32_t>(texture));

  // Rows of 3-byte pixels are packed: without alignment 1, GL would read past each level.
  GLint alignment = 4;
  glGetIntegerv(GL_UNPACK_ALIGNMENT, &alignment);
  glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
  ImageResult result = ImageResult::Success;
  const int levels = std::min<int>(image.MipCount(), static_cast<int>(image.LevelCount()));
  for (int i = 0; i < levels; ++i) {
    const IwiLevel level = image.Level(static_cast<size_t>(i));
    if (level.data == nullptr || level.size == 0) {
      result = ImageResult::NotPossible;
      break;
    }
    // Each level has the size the reader gave it, so its bytes and its size agree.
    const GLsizei w = static_cast<GLsizei>(std::max<uint32_t>(level.width, 1));
    const GLsizei h = static_cast<GLsizei>(std::max<uint32_t>(level.height, 1));
    if (row->compressed) {
      glCompressedTexImage2D(GL_TEXTURE_2D, i, row->glInternalFormat, w, h, 0, static_cast<GLsizei>(level.size),
                             level.data);
    } else {
      glTexImage2D(GL_TEXTURE_2D, i, static_cast<GLint>(row->glInternalFormat), w, h, 0, row->glDataFormat,
                   row->glDataType, level.data);
    }
  }
  glPixelStorei(GL_UNPACK_ALIGNMENT, alignment);
  glBindTexture(GL_TEXTURE_2D, 0);
  return result;
}

void DeleteIwiTexture(IwiImage& image) {
  if (image.Texture() <= 0) return;
  const GLuint texture = static_cast<GLuint>(image.Texture());
  glDeleteTextures(1, &texture);
  image.SetTexture(-1);
}

void DeleteModelTextures(Xmodel& model) {
  for (auto& [name, image] : model.images) DeleteIwiTexture(image);
}
