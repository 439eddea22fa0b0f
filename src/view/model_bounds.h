#pragma once
// Model bounds: the extent of the loaded model per level of detail (LOD), for the bounding box and
// its size labels, the central locator, the spacing of LODs drawn side by side and the path of the
// moving lights.
//
// The job thread rebuilds its set (BuildBounds) under XmodelThreaded::boundsMutex after loading the
// surfaces; the renderer copies it (CopyBounds) under the same mutex once per frame into a copy of
// its own, which everything drawn after the model reads without a lock.
#include <cstdint>

#include "view/bounds_box.h"

class Xmodel;
struct XmodelSurface;

struct BoundsBlock {
  static constexpr uint32_t kMaxSurfaces = 64;

  uint32_t surfaceCount = 0;  // valid entries of surfaceBoxes
  float scale = 1.0f;         // the unit scale the LOD's load applied to its positions
  BoundsBox lodBox;           // the whole LOD: the union of its surface boxes
  BoundsBox surfaceBoxes[kMaxSurfaces];
};

struct ModelBounds {
  static constexpr uint32_t kMaxLods = 4;

  uint32_t count = 0;  // LODs whose blocks are valid, 0..4
  BoundsBlock blocks[kMaxLods];
};

// The box of a surface's vertex positions (all zero for a surface without vertices), corners
// included.
BoundsBox ComputeBox(const XmodelSurface& surface);

// Rebuilds all four blocks from the model. A LOD's box is the union of its surface boxes: it takes
// in the origin only when the model does. A LOD without loaded surfaces gets no surface boxes and
// an all-zero box. Surfaces after the 64th are not given boxes of their own but still enlarge the
// LOD's box.
void BuildBounds(ModelBounds& bounds, const Xmodel& model);

// Copies the count and every block.
void CopyBounds(const ModelBounds& source, ModelBounds& destination);
