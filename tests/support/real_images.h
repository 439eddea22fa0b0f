#pragma once
// The IWI files of the real game data (DELVIX_REALDATA/<game>/raw/images), with what reading each
// one should give.
#include <string>
#include <vector>

#include "image/image_result.h"

namespace testfiles {

struct RealImage {
  std::string path;      // full path
  std::string relative;  // below DELVIX_REALDATA, for messages
  ImageResult expected;  // Success, except the file with a bad magic and the one of format 6
};

// Every .iwi file of the three games, sorted by relative path.
std::vector<RealImage> RealIwiFiles();

}  // namespace testfiles
