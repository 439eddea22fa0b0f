#include "export/bone_poses.h"

#include <cmath>

#include "model/rotation.h"

namespace {

Mat33d ToMat33d(const Matrix33& matrix) {
  Mat33d out;
  for (int i = 0; i < 9; ++i) out.m[i] = matrix.m[i];
  return out;
}

Matrix33 ToMatrix33(const Mat33d& matrix) {
  Matrix33 out;
  for (int i = 0; i < 9; ++i) out.m[i] = matrix.m[i];
  return out;
}

// The quaternion is the identity up to the pose writer's tolerance (either sign of w).
bool NearlyIdentity(const Quaternion& q) {
  return Vec3dNearlyEqual({q.x, q.y, q.z}, {}) && Vec3dNearlyEqual({q.w, 0.0, 0.0}, {1.0, 0.0, 0.0});
}

}  // namespace

std::vector<BonePose> ComputeBonePoses(const std::vector<XmodelBone>& bones, int rootCount,
                                       double offsetScale, int* badParents) {
  std::vector<BonePose> poses(bones.size());
  const BonePose origin;
  int bad = 0;
  for (size_t c = rootCount > 0 ? static_cast<size_t>(rootCount) : 0; c < bones.size(); ++c) {
    const XmodelBone& bone = bones[c];
    const bool parentBefore = bone.parent < c;
    if (!parentBefore) ++bad;
    const BonePose& parent = parentBefore ? poses[bone.parent] : origin;

    // The offset turned into model space by the parent's rotation (skipped when that is the
    // identity, which changes nothing but rounding).
    Vec3d v{bone.offset[0] * offsetScale, bone.offset[1] * offsetScale, bone.offset[2] * offsetScale};
    const Quaternion parentQuat = Matrix33ToQuat(ToMatrix33(parent.rotation));
    if (!NearlyIdentity(parentQuat)) v = Quatd{parentQuat.x, parentQuat.y, parentQuat.z, parentQuat.w}.Rotate(v);

    BonePose& pose = poses[c];
    pose.position[0] = static_cast<float>(parent.position[0] + v.x);
    pose.position[1] = static_cast<float>(parent.position[1] + v.y);
    pose.position[2] = static_cast<float>(parent.position[2] + v.z);
    Matrix33 own = QuatToMatrix33(bone.rotation);
    Matrix33ClearNaN(own);
    pose.rotation = parent.rotation.Multiply(ToMat33d(own));
  }
  if (badParents) *badParents = bad;
  return poses;
}
