#include "support/real_images.h"

#include <algorithm>
#include <filesystem>

#include "support/game_files.h"

namespace testfiles {

std::vector<RealImage> RealIwiFiles() {
  namespace fs = std::filesystem;
  const fs::path root = RealDataPath("");
  std::vector<RealImage> images;
  for (const char* game : {"cod4", "cod5", "codbo"}) {
    std::error_code error;
    for (const auto& entry : fs::directory_iterator(root / game / "raw" / "images", error)) {
      if (entry.path().extension() != ".iwi") continue;
      RealImage image{entry.path().string(), fs::relative(entry.path(), root).string(), ImageResult::Success};
      const std::string name = entry.path().filename().string();
      if (name == "~-gmp_berlin_signs_caution_c.iwi") image.expected = ImageResult::BadMagic;
      if (name == "hud_icon_v_pist_tec9.iwi") image.expected = ImageResult::UnknownFormat;
      images.push_back(std::move(image));
    }
  }
  std::sort(images.begin(), images.end(), [](const RealImage& a, const RealImage& b) { return a.relative < b.relative; });
  return images;
}

}  // namespace testfiles
