#include "view/bounds_box.h"

#include <algorithm>

void PickRay::SetDirection(Vec3 d) {
  direction = d;
  inverseDirection = {1.0f / d.x, 1.0f / d.y, 1.0f / d.z};
  // The sign follows the inverse, not the component: for -0.0 the inverse is -infinity, and the
  // slab test must then take the far bound first.
  sign[0] = inverseDirection.x < 0.0f;
  sign[1] = inverseDirection.y < 0.0f;
  sign[2] = inverseDirection.z < 0.0f;
}

BoundsBox::BoundsBox(Vec3 lo, Vec3 hi) : min(lo), max(hi) {
  static constexpr float kSigns[8][3] = {{-1, -1, 1}, {1, -1, 1}, {-1, 1, 1},   {1, 1, 1},
                                         {-1, 1, -1}, {1, 1, -1}, {-1, -1, -1}, {1, -1, -1}};
  const Vec3 centre = (min + max) * 0.5f;
  const Vec3 half = (max - min) * 0.5f;
  for (int k = 0; k < 8; ++k)
    corners[k] = centre + Vec3{kSigns[k][0] * half.x, kSigns[k][1] * half.y, kSigns[k][2] * half.z};
}

bool BoundsBox::HitByRay(const PickRay& ray) const {
  const Vec3 bounds[2] = {min, max};
  const Vec3& o = ray.origin;
  const Vec3& inv = ray.inverseDirection;
  float tmin = (bounds[ray.sign[0]].x - o.x) * inv.x;
  float tmax = (bounds[1 - ray.sign[0]].x - o.x) * inv.x;
  const float tymin = (bounds[ray.sign[1]].y - o.y) * inv.y;
  const float tymax = (bounds[1 - ray.sign[1]].y - o.y) * inv.y;
  if (tmin > tymax || tymin > tmax) return false;
  if (tymin > tmin) tmin = tymin;
  if (tymax < tmax) tmax = tymax;
  const float tzmin = (bounds[ray.sign[2]].z - o.z) * inv.z;
  const float tzmax = (bounds[1 - ray.sign[2]].z - o.z) * inv.z;
  if (tmin > tzmax || tzmin > tmax) return false;
  if (tzmin > tmin) tmin = tzmin;
  return tmin > 0.0f;
}

void BoxMerge(BoundsBox& box, const BoundsBox& other) {
  box.min = {std::min(box.min.x, other.min.x), std::min(box.min.y, other.min.y),
             std::min(box.min.z, other.min.z)};
  box.max = {std::max(box.max.x, other.max.x), std::max(box.max.y, other.max.y),
             std::max(box.max.z, other.max.z)};
}
