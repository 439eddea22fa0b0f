#pragma once
// Builds xmodelparts files (skeletons): version, child count, root count, one 19-byte record per
// child (parent, offset, packed rotation), then every name (roots first), then bone count + 1
// trailing bytes as real files carry.
#include <cstdint>
#include <string>
#include <vector>

namespace testfiles {

struct PartsChildSpec {
  std::string name;
  uint8_t parent = 0;
  float offset[3] = {0.0f, 0.0f, 0.0f};
  int16_t packed[3] = {0, 0, 0};
};

struct PartsFileSpec {
  std::vector<std::string> rootNames;
  std::vector<PartsChildSpec> children;
  bool trailingBytes = true;
};

std::vector<uint8_t> BuildPartsFile(const PartsFileSpec& shape);

}  // namespace testfiles
