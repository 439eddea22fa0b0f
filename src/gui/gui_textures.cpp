// The GUI's DDS loader and texture map.
#include "gui/gui_textures.h"

#include <GL/glew.h>

#include <bit>
#include <cerrno>
#include <set>
#include <vector>

#include "core/log.h"
#include "image/dds_reader.h"
#include "platform/files.h"

namespace {

// The unpack state the upload changes, put back afterwards.
struct SavedUnpackState {
  GLint alignment = 4, rowLength = 0, swapBytes = 0;
  SavedUnpackState() {
    glGetIntegerv(GL_UNPACK_ALIGNMENT, &alignment);
    glGetIntegerv(GL_UNPACK_ROW_LENGTH, &rowLength);
    glGetIntegerv(GL_UNPACK_SWAP_BYTES, &swapBytes);
  }
  ~SavedUnpackState() {
    glPixelStorei(GL_UNPACK_ALIGNMENT, alignment);
    glPixelStorei(GL_UNPACK_ROW_LENGTH, rowLength);
    glPixelStorei(GL_UNPACK_SWAP_BYTES, swapBytes);
  }
};

// Uploads every level of contents (read from bytes) into the bound texture, each turned so that
// its stored first row lands at t = 1.
void UploadLevels(const DdsContents& contents, const uint8_t* bytes) {
  const DdsFormatRow& row = kDdsFormats[contents.format];
  glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
  glPixelStorei(GL_UNPACK_ROW_LENGTH, 0);
  // DDS stores 16-bit texels little-endian; GL reads them in the host's order.
  glPixelStorei(GL_UNPACK_SWAP_BYTES, row.swap && std::endian::native == std::endian::big ? GL_TRUE : GL_FALSE);
  std::vector<uint8_t> turned;
  for (size_t i = 0; i < contents.levels.size(); ++i) {
    const DdsLevel& level = contents.levels[i];
    const uint8_t* stored = bytes + level.offset;
    const GLint index = static_cast<GLint>(i);
    const GLsizei w = static_cast<GLsizei>(level.width), h = static_cast<GLsizei>(level.height);
    if (row.compressed) {
      turned.assign(stored, stored + level.size);
      FlipDxtLevel(contents.format, turned.data(), level.width, level.height);
      glCompressedTexImage2D(GL_TEXTURE_2D, index, row.glInternalFormat, w, h, 0, static_cast<GLsizei>(level.size),
                             turned.data());
      continue;
    }
    if (row.palette) {
      turned.resize(size_t(level.width) * level.height * 4);
      ExpandPalette(stored, level.stride, level.width, level.height, bytes + contents.paletteOffset, turned.data());
    } else {
      turned.resize(level.size);  // width x height x bytes per pixel, checked by the reader
      const size_t rowBytes = size_t{level.width} * row.bytes;
      FlipRows(stored, rowBytes, rowBytes, level.height, turned.data());
    }
    glTexImage2D(GL_TEXTURE_2D, index, static_cast<GLint>(row.glInternalFormat), w, h, 0, row.glDataFormat,
                 row.glDataType, turned.data());
  }
}

}  // namespace

ImageResult LoadDDSTexture(const std::string& path, uint32_t* texture) {
  *texture = 0;
  std::vector<uint8_t> bytes;
  errno = 0;
  if (!platform::ReadWholeFile(path, bytes))
    return errno == EACCES ? ImageResult::NoPermission : ImageResult::CantOpenFile;
  DdsContents contents;
  const ImageResult read = ReadDds(bytes.data(), bytes.size(), contents);
  if (read != ImageResult::Success) return read;

  while (glGetError() != GL_NO_ERROR) {
  }
  GLint previous = 0;
  glGetIntegerv(GL_TEXTURE_BINDING_2D, &previous);
  GLuint name = 0;
  glGenTextures(1, &name);
  glBindTexture(GL_TEXTURE_2D, name);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_REPEAT);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_REPEAT);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAX_LEVEL, static_cast<GLint>(contents.levels.size()) - 1);
  {
    SavedUnpackState saved;
    UploadLevels(contents, bytes.data());
  }
  const bool refused = glGetError() != GL_NO_ERROR;
  glBindTexture(GL_TEXTURE_2D, static_cast<GLuint>(previous));
  if (refused) {
    glDeleteTextures(1, &name);
    while (glGetError() != GL_NO_ERROR) {
    }
    return ImageResult::UploadFormat;
  }
  *texture = name;
  return ImageResult::Success;
}

uint32_t GuiTextures::LoadDSS(const std::string& path, const std::string& name) {
  if (Has(name)) return kTextureLoadFailed;
  return LoadNamed(path, name) ? textureMap_[name] : kTextureLoadFailed;
}

bool GuiTextures::LoadDefaultTexture(const std::string& path) {
  Forget("default");
  return LoadNamed(path, "default");
}

bool GuiTextures::LoadCursorTexture(const std::string& path) {
  Forget("mouse_cursor");
  return LoadNamed(path, "mouse_cursor");
}

void GuiTextures::Forget(const std::string& name) {
  const auto entry = textureMap_.find(name);
  if (entry == textureMap_.end()) return;
  const GLuint texture = entry->second;
  if (texture != 0) glDeleteTextures(1, &texture);
  textureMap_.erase(entry);
}

bool GuiTextures::LoadNamed(const std::string& path, const std::string& name) {
  uint32_t texture = 0;
  const ImageResult result = LoadDDSTexture(path, &texture);
  if (result != ImageResult::Success) {
    VornLog::Warningf("LoadDSS: %s: %s", path.c_str(), ImageResultText(result).c_str());
    return false;
  }
  textureMap_[name] = texture;
  return true;
}

void GuiTextures::SetTexture(const std::string& name, uint32_t texture) { textureMap_[name] = texture; }

uint32_t GuiTextures::Lookup(const std::string& name) { return textureMap_[name]; }

void GuiTextures::DeleteAll() {
  // One texture may stand under several names (SetTexture); each is deleted once.
  std::set<GLuint> textures;
  for (const auto& [name, texture] : textureMap_) {
    if (texture != 0) textures.insert(texture);
  }
  for (GLuint texture : textures) glDeleteTextures(1, &texture);
  textureMap_.clear();
}
