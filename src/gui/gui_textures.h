#pragma once
// The GUI's textures: LoadDDSTexture, the GUI's own DDS loader (gui/dds_reader.h reads the file,
// this uploads it), and GuiTextures, the TextureMap from GUI texture names ("default",
// "mouse_cursor", "identitynormalmap", "button_hi", ...) to the GL textures it owns.
//
// Every format shows its stored first row at the top of a GUI quad (texture coordinate t = 1).
// No filter parameters are set; the texture's top level is its last stored level, so a file
// without a full mipmap chain still draws with the default filters.
//
// Threads: main thread only, with the window's context current (start-up, drawing, shutdown).
#include <cstdint>
#include <map>
#include <string>

#include "image/image_result.h"

using TextureMap = std::map<std::string, uint32_t>;

// LoadDSS's failure value.
inline constexpr uint32_t kTextureLoadFailed = 0xFFFFFFFF;

// Reads the DDS file at path (ReadDds) and uploads it as a new GL_TEXTURE_2D that repeats in s and
// t, one GL level per stored level, into texture. Results: Success; NoPermission or CantOpenFile
// when the file cannot be read; NotDds, FormatError, ShortRead from ReadDds; UploadFormat when GL
// refuses the levels (e.g. larger than the driver allows). On failure no texture is left and
// texture is 0. The unpack state is restored.
ImageResult LoadDDSTexture(const std::string& path, uint32_t* texture);

class GuiTextures {
 public:
  GuiTextures() = default;
  GuiTextures(const GuiTextures&) = delete;
  GuiTextures& operator=(const GuiTextures&) = delete;

  // Loads the file at path under name and returns its texture. kTextureLoadFailed when the name is
  // already present (nothing loaded; the first texture stays) or the file fails to load (warning
  // "LoadDSS: <path>: <result text>", no entry left).
  uint32_t LoadDSS(const std::string& path, const std::string& name);
  // LoadDDSTexture into the entry "default" / "mouse_cursor" (replacing and deleting a texture
  // loaded there before). True on Success; on failure the entry is absent.
  bool LoadDefaultTexture(const std::string& path);
  bool LoadCursorTexture(const std::string& path);
  // map[name] := a GL texture made elsewhere; from now on this owns it (a texture it replaces is
  // not deleted: it may stand under another name too).
  void SetTexture(const std::string& name, uint32_t texture);

  // The texture of name. A name that is not present is added with texture 0, so drawing with a
  // name that was never loaded binds no texture.
  uint32_t Lookup(const std::string& name);
  bool Has(const std::string& name) const { return textureMap_.count(name) != 0; }
  const TextureMap& Map() const { return textureMap_; }

  // Deletes every texture and empties the map (shutdown, context current).
  void DeleteAll();

 private:
  bool LoadNamed(const std::string& path, const std::string& name);
  // Deletes the texture of name, when present, and removes the entry.
  void Forget(const std::string& name);

  TextureMap textureMap_;
};
