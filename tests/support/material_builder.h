#pragma once
// Builds material files: 48 unread bytes, the texture count at 48, 12 skipped bytes, the texture
// table at 64 (slot-name offset, an unread word, image-name offset per entry), then the names.
#include <cstdint>
#include <string>
#include <vector>

namespace testfiles {

struct MaterialSlotSpec {
  std::string slotName;
  std::string imageName;  // without extension
};

std::vector<uint8_t> BuildMaterialFile(const std::vector<MaterialSlotSpec>& slots);

}  // namespace testfiles
