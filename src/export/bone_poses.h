#pragma once
// Bone poses in model space, for the skeleton block of the XMODEL_EXPORT file: each bone's
// position and the three axes of its rotation, built down the hierarchy from the offsets and
// rotations that the skeleton file gives relative to the parent.
#include <vector>

#include "model/maths_double.h"
#include "model/xmodel_records.h"

struct BonePose {
  float position[3] = {0.0f, 0.0f, 0.0f};  // kept in single precision, as the file prints it
  Mat33d rotation;  // identity; columns: the bone's x, y and z axes
};

// The poses of every bone, in bone order. The first rootCount bones are roots and stay at the
// origin with the identity rotation. A child's offset is multiplied by offsetScale (to undo a
// load scale), rotated into model space by its parent's rotation and added to the parent's
// position; its rotation is the parent's times its own. A child whose parent does not come
// before it (out of range, itself or later) is placed as a child of the origin; badParents
// counts them.
std::vector<BonePose> ComputeBonePoses(const std::vector<XmodelBone>& bones, int rootCount,
                                       double offsetScale, int* badParents = nullptr);
