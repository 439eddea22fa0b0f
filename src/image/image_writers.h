#pragma once
// DDS and TGA files of an IWI image.
//
//   WriteDDS   the 128-byte DDS header, then every level (DXT) or level 0 (RGB, RGBA) unchanged
//   WriteTGA   an 18-byte TGA header, then level 0 converted to 32-bit B,G,R,A, bottom row first
//   ExportDDS / ExportTGA  the same into a folder, named after the image with "~" made "_", or
//              beside the image's IWI file when the folder is empty
//
// Results: Success only when the whole file reached the disk. NotLoaded for an image without
// levels, NoPermission or CantOpenFile when the file cannot be created, CantOpenFile also when a
// write fails (the partial file is removed; a DDS logs "DDS: (<name>) failed to write correct
// block size."), ConvertFormat when the TGA conversion produced no pixels.
// The TGA writer uses the one shared converter output: job thread only.
#include <string>

#include "image/image_result.h"

class IwiImage;

ImageResult WriteDDS(const IwiImage& image, const std::string& path);
ImageResult WriteTGA(const IwiImage& image, const std::string& path);

// The file an export of image with extension ("dds" or "tga") writes. Empty folder: the IWI file's
// path with its extension replaced (empty when the file name has none). Otherwise folder + "/" +
// the image's name with every "~" made "_" and its extension replaced.
std::string ImageExportPath(const IwiImage& image, const std::string& folder, const std::string& extension);

ImageResult ExportDDS(const IwiImage& image, const std::string& folder);
ImageResult ExportTGA(const IwiImage& image, const std::string& folder);
