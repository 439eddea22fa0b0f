#include "view/model_bounds.h"

#include <algorithm>

#include "model/xmodel.h"

BoundsBox ComputeBox(const XmodelSurface& surface) {
  if (surface.vertices.empty()) return BoundsBox(Vec3{}, Vec3{});
  const float* first = surface.vertices.front().position;
  Vec3 lo{first[0], first[1], first[2]};
  Vec3 hi = lo;
  for (const XmodelVertex& vertex : surface.vertices) {
    lo.x = std::min(lo.x, vertex.position[0]);
    lo.y = std::min(lo.y, vertex.position[1]);
    lo.z = std::min(lo.z, vertex.position[2]);
    hi.x = std::max(hi.x, vertex.position[0]);
    hi.y = std::max(hi.y, vertex.position[1]);
    hi.z = std::max(hi.z, vertex.position[2]);
  }
  return BoundsBox(lo, hi);
}

void BuildBounds(ModelBounds& bounds, const Xmodel& model) {
  bounds = ModelBounds{};
  const auto& lods = model.info.lods;
  bounds.count = static_cast<uint32_t>(std::min<size_t>(lods.size(), ModelBounds::kMaxLods));
  if (!model.loaded) return;
  for (uint32_t i = 0; i < bounds.count; ++i) {
    BoundsBlock& block = bounds.blocks[i];
    const XmodelLod& lod = lods[i];
    if (!lod.loaded) continue;
    block.scale = lod.appliedScale;
    for (size_t j = 0; j < lod.surfaces.size(); ++j) {
      BoundsBox box = ComputeBox(lod.surfaces[j]);
      if (j == 0) {
        block.lodBox = box;
      } else {
        BoxMerge(block.lodBox, box);
      }
      if (j < BoundsBlock::kMaxSurfaces) block.surfaceBoxes[block.surfaceCount++] = box;
    }
  }
}

void CopyBounds(const ModelBounds& source, ModelBounds& destination) { destination = source; }
