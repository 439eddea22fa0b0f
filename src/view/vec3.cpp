#include "view/vec3.h"

#include <cmath>

float Length(Vec3 v) { return std::sqrt(Dot(v, v)); }

Vec3 Normalized(Vec3 v) {
  const float lengthSquared = Dot(v, v);
  if (!(lengthSquared > 0.0f)) return v;
  const float length = std::sqrt(lengthSquared);
  return {v.x / length, v.y / length, v.z / length};
}

static bool MagnitudesNear(float a, float b) { return std::fabs(std::fabs(a) - std::fabs(b)) < 0.0001f; }

bool Vec3NearlyEqual(Vec3 a, Vec3 b) {
  return MagnitudesNear(a.x, b.x) && MagnitudesNear(a.y, b.y) && MagnitudesNear(a.z, b.z);
}

void RotateAxisAngle(Vec3& v, Vec3 axis, float angle) {
  const float c = std::cos(angle);
  const float s = std::sin(angle);
  const float t = 1.0f - c;
  const float x = axis.x, y = axis.y, z = axis.z;
  const Vec3 in = v;
  v.x = (c + t * x * x) * in.x + (t * x * y - s * z) * in.y + (t * x * z + s * y) * in.z;
  v.y = (t * x * y + s * z) * in.x + (c + t * y * y) * in.y + (t * y * z - s * x) * in.z;
  v.z = (t * x * z - s * y) * in.x + (t * y * z + s * x) * in.y + (c + t * z * z) * in.z;
}
