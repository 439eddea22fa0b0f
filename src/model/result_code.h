#pragma once
// ResultCode: the result of every model and export operation. Callers compare with
// ResultCode::Success; ErrorText gives the text that the log and the GUI show.
#include <cstdint>
#include <string>

enum class ResultCode : int32_t {
  None = 0,  // no load has ended yet (Xmodel's last result before the first load)
  UnknownError = 1,
  FileNotValid = 2,
  FileNotFound = 3,
  AlreadyLoaded = 4,
  FileTooSmall = 5,
  InvalidPath = 6,
  CantOpenFile = 7,
  NoPermission = 8,
  InvalidVersion = 9,
  NameReadFailed = 11,
  SurfsFolderNotFound = 12,
  SurfacesNotSetUp = 13,
  LodsMissing = 14,
  NoLods = 15,
  InvalidIndex = 16,
  NoMaterials = 17,
  SkeletonLoaded = 18,
  TagsNotLoaded = 19,
  NoPartsFolder = 20,
  NotLoaded = 22,
  MaterialCorrupt = 25,
  AlreadyPresent = 27,
  Success = 28,
  WriteFailed = 29,  // an export file did not reach the disk whole (full disk, I/O error)
};

// The text of a code ("File Not Found", ...); a code without a text of its own gives
// "Error No: " followed by its decimal number (Success gives "Error No: 28").
std::string ErrorText(ResultCode code);
