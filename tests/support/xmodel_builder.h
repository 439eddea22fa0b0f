#pragma once
// Builds xmodel files (the header of a model) in the layout of each game:
//   Cod4:   preset at 27 (or byte 27 = 0 and the distances at 28), then the common part
//   Cod5:   preset at 27 and one byte more (or byte 27 = 0 and the distances at 29)
//   Cod BO: preset at 30, a second string, 5 bytes (or byte 31 = 0 and the distances at 37)
// Common part: four (distance, LOD name), collision LOD byte, 3 bytes, collision count,
// collision entries (n, 36 bytes, n x 48 bytes), one material block per LOD (count, 1 byte, names).
#include <cstdint>
#include <string>
#include <vector>

#include "model/game_id.h"

namespace testfiles {

struct XmodelFileSpec {
  GameId game = GameId::Cod5;
  uint16_t version = 25;
  std::string physicsPreset;         // empty: none (Cod BO needs at least 2 characters)
  std::string boSecondString = "gib";
  float distances[4] = {0.0f, 250.0f, 500.0f, 1000.0f};
  std::string lodNames[4];
  uint8_t collisionLod = 255;        // 255: none
  int32_t collisionCountField = 0;   // the count written when collisionLod is 255
  std::vector<int32_t> collisionEntries;  // n of each entry, written when collisionLod != 255
  std::vector<std::vector<std::string>> lodMaterials;  // one block per entry
  size_t minSize = 65;               // padded with fill bytes to at least this size
};

std::vector<uint8_t> BuildXmodelFile(const XmodelFileSpec& shape);

// The offset where the first distance starts in a file built from shape.
size_t XmodelDistanceOffset(const XmodelFileSpec& shape);

}  // namespace testfiles
