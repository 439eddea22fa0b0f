#pragma once
// IwiImage: one IWI texture of the games in memory: its name and path, its format and size, and its
// mipmap levels, largest first.
//
// IWI file layout (little-endian): "IWi", a version byte, then
//   versions 5, 6: format u8, usage u8, width i16, height i16, depth i16, 16 bytes -> levels at 28
//   version 13:    the same 12 bytes, 4 bytes, eight u32 offsets                  -> levels at 48
//   version 8:     4 bytes, format u8, usage u8, width, height, depth, 16 bytes    -> levels at 32
// The levels lie back to back, smallest first, and level 0 ends at the end of the file; each level
// is half the size of the one before it (rounded down, at least 1 pixel), and block formats hold
// whole 4x4 blocks. The reader walks back from the end of the file, largest level first.
#include <cstdint>
#include <string>
#include <vector>

#include "image/dds_format.h"
#include "image/image_result.h"

class ByteReader;

// The IWI format byte: RGBA (stored B,G,R,A), RGB (stored B,G,R), and the three DXT block formats.
enum class IwiFormat : uint8_t { RGBA = 1, RGB = 2, DXT1 = 11, DXT3 = 12, DXT5 = 13 };

// The DdsFormatRow of an IWI format byte, or null for a format this program does not read.
const DdsFormatRow* IwiFormatRow(uint8_t format);

// One mipmap level: its bytes (inside the image) and its size in pixels.
struct IwiLevel {
  const uint8_t* data = nullptr;
  size_t size = 0;
  uint32_t width = 0;
  uint32_t height = 0;
};

class IwiImage {
 public:
  // Most levels a file can hold (a 32768 x 32768 image has 16).
  static constexpr int kMaxLevels = 16;

  // Forgets the file and the levels: not found, not loaded, no name or path. The format and the
  // GPU texture stay (the texture belongs to the upload, which replaces it).
  void Clear();

  // Points the image at the file at path (found case-insensitively, as game files name their parts
  // in any case). Clears the image first, so a failure leaves nothing of an earlier file.
  // NotPossible when path has no "/" or "\", FileNotFound when no such regular file exists.
  ImageResult SetFile(const std::string& path);

  // Points the image at the file at onDiskPath, found on disk already (through a folder index),
  // under the name the game files give it. Clears the image first. FileNotFound when onDiskPath is
  // not a regular file.
  ImageResult SetFoundFile(const std::string& name, const std::string& onDiskPath);

  // Reads the file given to SetFile. CantOpenFile or NoPermission when it cannot be read; see
  // ReadIwi for the rest. On failure the image holds no levels and is not loaded.
  ImageResult LoadIWI();

  // Reads an IWI image from the whole content of a file. BadMagic without "IWi", BadVersion for a
  // version other than 5, 6, 8 or 13, UnknownFormat for a format byte other than 1, 2, 11, 12, 13,
  // ShortRead when the header is cut off, the size is not positive, or level 0 does not fit between
  // the header and the end of the file. Levels are taken while they fit; a level that does not
  // logs "IWI: (<name>) failed to read correct block size." and ends the chain.
  ImageResult ReadIwi(std::vector<uint8_t> bytes);

  const std::string& GetName() const { return name_; }
  const std::string& GetShortName() const { return shortName_; }
  const std::string& FilePath() const { return filePath_; }
  bool IsFound() const { return found_; }
  bool IsLoaded() const { return loaded_; }

  uint8_t Format() const { return format_; }
  uint8_t Usage() const { return usage_; }
  int Depth() const { return depth_; }
  // Width and height of level 0.
  uint32_t Width() const { return width_; }
  uint32_t Height() const { return height_; }
  // Levels the reader counted for the upload: the levels read, less a final level that starts right
  // at the header unless it is the only one.
  int MipCount() const { return mipCount_; }
  size_t LevelCount() const { return levels_.size(); }
  IwiLevel Level(size_t index) const;

  // OpenGL texture name of the uploaded image, -1 for none; set by the GPU upload.
  int32_t Texture() const { return texture_; }
  void SetTexture(int32_t texture) { texture_ = texture; }

 private:
  struct LevelSpan {
    size_t offset;
    size_t size;
    uint32_t width;
    uint32_t height;
  };

  void DropLevels();
  ImageResult ReadIwiV6(ByteReader& in, uint32_t headerEnd);
  ImageResult ReadIwiV8(ByteReader& in);
  ImageResult ReadFieldsAndLevels(ByteReader& in, uint32_t headerEnd, bool stopAtOnePixel);
  ImageResult ReadLevels(uint32_t headerEnd, bool stopAtOnePixel);

  bool loaded_ = false;
  bool found_ = false;
  std::string name_;
  std::string shortName_;
  std::string filePath_;
  int32_t texture_ = -1;
  uint8_t format_ = 0;
  uint8_t usage_ = 0;
  int16_t depth_ = 0;
  int mipCount_ = 0;
  uint32_t width_ = 0;
  uint32_t height_ = 0;
  std::vector<uint8_t> bytes_;  // the whole file; levels point into it
  std::vector<LevelSpan> levels_;
};

// Points image at the IWI file iwiName in folder (ending in "/") and reads it. NotPossible, with
// the image not found, when iwiName is not a plain file name: names from game files never leave
// their folder.
ImageResult ReadIwiInFolder(IwiImage& image, const std::string& folder, const std::string& iwiName);

// Points image at the IWI file iwiName found on disk at onDiskPath (empty when it was not found)
// and reads it; NotPossible as ReadIwiInFolder.
ImageResult ReadFoundIwi(IwiImage& image, const std::string& iwiName, const std::string& onDiskPath);
