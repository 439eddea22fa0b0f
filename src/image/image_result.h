#pragma once
// ImageResult: the result codes of the image operations (IWI reading, DDS and TGA writing, the GUI's
// DDS loader). The numbers are stable: they appear in log lines through ErrorCodeText, which holds
// their texts (core/log.h).
#include <cstdint>
#include <string>

enum class ImageResult : int32_t {
  FileNotFound = 3,
  CantOpenFile = 5,
  NoPermission = 6,
  NotLoaded = 7,
  NotDds = 11,
  FormatError = 12,
  BadMagic = 16,
  BadVersion = 17,
  ShortRead = 19,      // the level data does not fit the file
  UnknownFormat = 20,
  UploadFormat = 21,
  ConvertFormat = 22,  // no converter for the format, or the conversion produced no pixels
  NotPossible = 23,
  Success = 24,
};

// The text of result for log lines and message boxes (ErrorCodeText of its number).
std::string ImageResultText(ImageResult result);
