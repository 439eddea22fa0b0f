// DDS and TGA writing. Files go through TextWriter (binary mode, large buffer), which reports
// every failed write at Close.
#include "image/image_writers.h"

#include <array>
#include <cerrno>
#include <cstdio>
#include <string_view>

#include "core/log.h"
#include "core/paths.h"
#include "core/strings.h"
#include "core/text_writer.h"
#include "image/converters.h"
#include "image/dds_format.h"
#include "image/iwi_image.h"
#include "platform/files.h"

namespace {

std::string_view Bytes(const void* data, size_t size) { return {static_cast<const char*>(data), size}; }

ImageResult OpenFailure() { return errno == EACCES ? ImageResult::NoPermission : ImageResult::CantOpenFile; }

// Closes out; when a write failed, removes the partial file and returns false.
bool Finish(TextWriter& out, const std::string& path) {
  if (out.Close()) return true;
  if (platform::IsRegularFile(path)) std::remove(path.c_str());
  return false;
}

DdsHeaderInfo HeaderInfoOf(const IwiImage& image) {
  DdsHeaderInfo info;
  info.width = image.Width();
  info.height = image.Height();
  switch (static_cast<IwiFormat>(image.Format())) {
    case IwiFormat::DXT1: info.fourCC = DdsFourCC("DXT1"); break;
    case IwiFormat::DXT3: info.fourCC = DdsFourCC("DXT3"); break;
    case IwiFormat::DXT5: info.fourCC = DdsFourCC("DXT5"); break;
    case IwiFormat::RGB: info.rgbBitCount = 24; break;
    case IwiFormat::RGBA: info.rgbBitCount = 32, info.alpha = true; break;
  }
  if (info.fourCC != 0) info.mipMapCount = uint32_t(image.LevelCount());
  return info;
}

// The 18-byte header of an uncompressed 32-bit TGA with a bottom-left origin.
std::array<uint8_t, 18> TgaHeader(const Converters::TgaImage& pixels) {
  std::array<uint8_t, 18> header{};
  header[2] = pixels.imageType;
  header[12] = uint8_t(pixels.width), header[13] = uint8_t(pixels.width >> 8);
  header[14] = uint8_t(pixels.height), header[15] = uint8_t(pixels.height >> 8);
  header[16] = pixels.bitsPerPixel;
  return header;
}

}  // namespace

ImageResult WriteDDS(const IwiImage& image, const std::string& path) {
  if (!image.IsLoaded()) return ImageResult::NotLoaded;
  const DdsHeaderInfo info = HeaderInfoOf(image);
  TextWriter out;
  errno = 0;
  if (!out.Open(path)) return OpenFailure();
  const auto header = MakeDdsHeader(info);
  out.Put(Bytes(header.data(), header.size()));
  const size_t levels = info.fourCC != 0 ? image.LevelCount() : 1;
  for (size_t i = 0; i < levels; ++i) out.Put(Bytes(image.Level(i).data, image.Level(i).size));
  if (Finish(out, path)) return ImageResult::Success;
  VornLog::Messagef("DDS: (%s) failed to write correct block size.", image.GetName().c_str());
  return ImageResult::CantOpenFile;
}

ImageResult WriteTGA(const IwiImage& image, const std::string& path) {
  if (!image.IsLoaded()) return ImageResult::NotLoaded;
  const IwiLevel level = image.Level(0);
  Converters::TgaImage& pixels = Converters::SharedTgaImage();
  if (!ConvertPixels(image.Format(), level.data, level.size, level.width, level.height, pixels) || pixels.size == 0) {
    return ImageResult::ConvertFormat;
  }

  TextWriter out;
  errno = 0;
  if (!out.Open(path)) return OpenFailure();
  const auto header = TgaHeader(pixels);
  out.Put(Bytes(header.data(), header.size()));
  out.Put(Bytes(pixels.pixels.data(), pixels.size));
  return Finish(out, path) ? ImageResult::Success : ImageResult::CantOpenFile;
}

std::string ImageExportPath(const IwiImage& image, const std::string& folder, const std::string& extension) {
  if (folder.empty()) {
    const std::string& source = image.FilePath();
    const size_t dot = source.find_last_of('.');
    const size_t slash = source.find_last_of('/');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) return {};
    return source.substr(0, dot + 1) + extension;
  }
  std::string name = image.GetName();
  ReplaceTildes(name);
  const size_t dot = name.find_last_of('.');
  name = dot == std::string::npos ? name + "." : name.substr(0, dot + 1);
  return WithTrailingBackslash(folder) + name + extension;
}

ImageResult ExportDDS(const IwiImage& image, const std::string& folder) {
  if (!image.IsLoaded()) return ImageResult::NotLoaded;
  const std::string path = ImageExportPath(image, folder, "dds");
  return path.empty() ? ImageResult::CantOpenFile : WriteDDS(image, path);
}

ImageResult ExportTGA(const IwiImage& image, const std::string& folder) {
  if (!image.IsLoaded()) return ImageResult::NotLoaded;
  const std::string path = ImageExportPath(image, folder, "tga");
  return path.empty() ? ImageResult::CantOpenFile : WriteTGA(image, path);
}
