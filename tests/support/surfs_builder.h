#pragma once
// Builds xmodelsurfs files (the surfaces of one LOD) in the Cod4/Cod5 or the Cod BO layout:
// version, surface count, then per surface 3 bytes, vertex and triangle counts, the bone values
// of one of the four weighting cases, the vertex records and the triangles.
#include <array>
#include <cstdint>
#include <optional>
#include <vector>

#include "model/game_id.h"

namespace testfiles {

// How the bone values of a surface are written (W is the first value, lo its low half):
enum class BoneValues {
  Chain,    // W and the further values (all with lo != 0), then (0, total); weighted
  SkipTwo,  // W with 0 < lo < vertex count, a 16-bit 0, the 16-bit total; weighted
  Rigid,    // W with lo >= vertex count, a 16-bit 0; not weighted
  ZeroLow,  // W = (0, total); weighted
};

struct SurfsVertexSpec {
  float position[3] = {0, 0, 0};
  float normal[3] = {0, 0, 1};
  uint8_t color[4] = {255, 255, 255, 255};
  float u = 0.0f;
  float v = 0.0f;
  float binormal[3] = {1, 0, 0};
  float tangent[3] = {0, 1, 0};
  // Weighted surfaces: influence count, main bone, and the influence values written (for Cod4/
  // Cod5 a count above 99 has none in the file).
  uint8_t influenceCount = 0;
  int16_t mainBone = 0;
  std::vector<uint32_t> influences;
  bool tension = false;  // Cod BO: tag 0x46D60A00 and 48 bytes of tension data
};

struct SurfsSurfaceSpec {
  BoneValues boneCase = BoneValues::Rigid;
  // The bone values kept in the bone list: W first (its low half is replaced by 0 for ZeroLow,
  // and by the vertex count for Rigid when it is 0), then the chain's further values.
  std::vector<uint32_t> boneValues = {0};
  std::optional<uint16_t> influenceTotal;  // default: the sum of the vertices' influence counts
  std::vector<SurfsVertexSpec> vertices;
  std::vector<std::array<uint16_t, 3>> triangles;
};

struct SurfsFileSpec {
  GameId game = GameId::Cod5;
  std::vector<SurfsSurfaceSpec> surfaces;
  size_t trailingBytes = 0;
};

std::vector<uint8_t> BuildSurfsFile(const SurfsFileSpec& shape);

// A surface of vertexCount vertices with recognisable values (vertex i at (i, i + 0.5, -i),
// v = 0.25) and a fan of triangles; weighted cases give vertex i (i % 3) influences on bone 1.
SurfsSurfaceSpec MakeSurface(BoneValues boneCase, int vertexCount);

}  // namespace testfiles
