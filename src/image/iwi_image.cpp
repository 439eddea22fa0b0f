// IWI reading: header per version, then the level chain walked back from the end of the file.
#include "image/iwi_image.h"

#include <cerrno>
#include <cstring>
#include <optional>
#include <utility>

#include "core/byte_reader.h"
#include "core/log.h"
#include "core/paths.h"
#include "platform/files.h"

namespace {

constexpr uint32_t kHeaderEndV6 = 28;
constexpr uint32_t kHeaderEndV13 = 48;
constexpr uint32_t kHeaderEndV8 = 32;

}  // namespace

const DdsFormatRow* IwiFormatRow(uint8_t format) {
  switch (static_cast<IwiFormat>(format)) {
    case IwiFormat::DXT1: return &kDdsFormats[kDdsDxt1];
    case IwiFormat::DXT3: return &kDdsFormats[kDdsDxt3];
    case IwiFormat::DXT5: return &kDdsFormats[kDdsDxt5];
    case IwiFormat::RGB: return &kDdsFormats[kDdsBgr8];
    case IwiFormat::RGBA: return &kDdsFormats[kDdsBgra8];
  }
  return nullptr;
}

void IwiImage::DropLevels() {
  loaded_ = false;
  mipCount_ = 0;
  width_ = height_ = 0;
  levels_.clear();
  bytes_.clear();
  bytes_.shrink_to_fit();
}

void IwiImage::Clear() {
  DropLevels();
  found_ = false;
  name_.clear();
  shortName_.clear();
  filePath_.clear();
}

ImageResult IwiImage::SetFile(const std::string& path) {
  Clear();
  const size_t cut = path.find_last_of("/\\");
  if (cut == std::string::npos) return ImageResult::NotPossible;
  return SetFoundFile(path.substr(cut + 1), platform::ResolvePathCaseInsensitive(path));
}

ImageResult IwiImage::SetFoundFile(const std::string& name, const std::string& onDiskPath) {
  Clear();
  if (onDiskPath.empty() || !platform::IsRegularFile(onDiskPath)) return ImageResult::FileNotFound;
  found_ = true;
  name_ = shortName_ = name;
  filePath_ = onDiskPath;
  return ImageResult::Success;
}

IwiLevel IwiImage::Level(size_t index) const {
  if (index >= levels_.size()) return {};
  const LevelSpan& span = levels_[index];
  return {bytes_.data() + span.offset, span.size, span.width, span.height};
}

ImageResult IwiImage::LoadIWI() {
  DropLevels();
  std::vector<uint8_t> bytes;
  errno = 0;
  if (filePath_.empty() || !platform::ReadWholeFile(filePath_, bytes))
    return errno == EACCES ? ImageResult::NoPermission : ImageResult::CantOpenFile;
  return ReadIwi(std::move(bytes));
}

ImageResult IwiImage::ReadIwi(std::vector<uint8_t> bytes) {
  DropLevels();
  bytes_ = std::move(bytes);
  ByteReader in(bytes_.data(), bytes_.size());
  const uint8_t* magic = in.Take(3);
  ImageResult result = ImageResult::BadMagic;
  if (magic && std::memcmp(magic, "IWi", 3) == 0) {
    const uint8_t version = in.U8();
    if (in.Failed()) result = ImageResult::BadVersion;
    else if (version == 5 || version == 6) result = ReadIwiV6(in, kHeaderEndV6);
    else if (version == 13) result = ReadIwiV6(in, kHeaderEndV13);
    else if (version == 8) result = ReadIwiV8(in);
    else result = ImageResult::BadVersion;
  }
  if (result != ImageResult::Success) DropLevels();
  return result;
}

// Versions 5, 6 and 13: the fields follow the version byte; only the header length differs.
ImageResult IwiImage::ReadIwiV6(ByteReader& in, uint32_t headerEnd) { return ReadFieldsAndLevels(in, headerEnd, true); }

// Version 8: four bytes before the fields; the chain has no 1x1 stop.
ImageResult IwiImage::ReadIwiV8(ByteReader& in) {
  in.Skip(4);
  return ReadFieldsAndLevels(in, kHeaderEndV8, false);
}

// Reads format, usage, width, height and depth at the reader's position, then the levels.
ImageResult IwiImage::ReadFieldsAndLevels(ByteReader& in, uint32_t headerEnd, bool stopAtOnePixel) {
  format_ = in.U8();
  usage_ = in.U8();
  const int16_t width = in.I16(), height = in.I16();
  depth_ = in.I16();
  if (in.Failed() || bytes_.size() < headerEnd) return ImageResult::ShortRead;
  width_ = width > 0 ? uint32_t(width) : 0;
  height_ = height > 0 ? uint32_t(height) : 0;
  return ReadLevels(headerEnd, stopAtOnePixel);
}

// Walks the chain back from the end of the file: level 0 ends at the end, each smaller level ends
// where the previous one starts. Stops after the level that starts at the header, after a 1x1
// level (versions 5, 6, 13), after kMaxLevels, or before a level that would reach into the header.
ImageResult IwiImage::ReadLevels(uint32_t headerEnd, bool stopAtOnePixel) {
  const DdsFormatRow* row = IwiFormatRow(format_);
  if (!row) return ImageResult::UnknownFormat;
  if (width_ == 0 || height_ == 0) return ImageResult::ShortRead;

  size_t pos = bytes_.size();
  uint32_t w = width_, h = height_;
  for (int k = 0; k < kMaxLevels; ++k) {
    const std::optional<size_t> size = DdsLevelSize(*row, w, h);
    if (!size || *size > pos - headerEnd) {
      VornLog::Messagef("IWI: (%s) failed to read correct block size.", name_.c_str());
      if (k == 0) return ImageResult::ShortRead;
      break;
    }
    pos -= *size;
    levels_.push_back({pos, *size, w, h});
    if (pos == headerEnd) {
      if (k == 0) mipCount_ = 1;
      break;
    }
    ++mipCount_;
    if (stopAtOnePixel && w == 1 && h == 1) break;
    w = NextMipSize(w);
    h = NextMipSize(h);
  }
  loaded_ = true;
  return ImageResult::Success;
}

ImageResult ReadIwiInFolder(IwiImage& image, const std::string& folder, const std::string& iwiName) {
  const bool plain = IsPlainFileName(iwiName);
  return ReadFoundIwi(image, iwiName, plain ? platform::ResolvePathCaseInsensitive(folder + iwiName) : std::string());
}

ImageResult ReadFoundIwi(IwiImage& image, const std::string& iwiName, const std::string& onDiskPath) {
  if (!IsPlainFileName(iwiName)) {
    image.Clear();
    return ImageResult::NotPossible;
  }
  const ImageResult found = image.SetFoundFile(iwiName, onDiskPath);
  return found == ImageResult::Success ? image.LoadIWI() : found;
}
