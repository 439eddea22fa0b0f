#include "view/quat.h"

#include <cmath>

Quat Quat::Normalized() const {
  const float lengthSquared = x * x + y * y + z * z + w * w;
  if (!(lengthSquared > 0.0f)) return {};
  const float length = std::sqrt(lengthSquared);
  return {x / length, y / length, z / length, w / length};
}

Vec3 Quat::Rotate(Vec3 v) const {
  const Vec3 u{x, y, z};
  const float m = 2.0f * Dot(u, v);
  const float c = 2.0f * w;
  const float p = c * w - 1.0f;
  return p * v + m * u + c * Cross(u, v);
}

Quat Quat::Multiply(const Quat& q) const {
  const Vec3 pv{x, y, z};
  const Vec3 qv{q.x, q.y, q.z};
  const Vec3 v = w * qv + q.w * pv + Cross(pv, qv);
  return {v.x, v.y, v.z, w * q.w - Dot(pv, qv)};
}

Quat Quat::FromAxisAngle(Vec3 axis, float angle) {
  const Vec3 a = ::Normalized(axis);
  if (a.x == 0.0f && a.y == 0.0f && a.z == 0.0f) return {};
  const float s = std::sin(angle * 0.5f);
  return {a.x * s, a.y * s, a.z * s, std::cos(angle * 0.5f)};
}

Quat Quat::FromMatrix(const Mat44& m) {
  const float trace = m.At(0, 0) + m.At(1, 1) + m.At(2, 2);
  if (trace > 0.0f) {
    const float s = std::sqrt(trace + 1.0f);
    const float r = 0.5f / s;
    return {(m.At(2, 1) - m.At(1, 2)) * r, (m.At(0, 2) - m.At(2, 0)) * r,
            (m.At(1, 0) - m.At(0, 1)) * r, s * 0.5f};
  }
  int i = 0;
  if (m.At(1, 1) > m.At(0, 0)) i = 1;
  if (m.At(2, 2) > m.At(i, i)) i = 2;
  const int j = (i + 1) % 3;
  const int k = (j + 1) % 3;
  const float s = std::sqrt(m.At(i, i) - m.At(j, j) - m.At(k, k) + 1.0f);
  const float r = 0.5f / s;
  float v[3];
  v[i] = s * 0.5f;
  v[j] = (m.At(j, i) + m.At(i, j)) * r;
  v[k] = (m.At(k, i) + m.At(i, k)) * r;
  return {v[0], v[1], v[2], (m.At(k, j) - m.At(j, k)) * r};
}

bool QuatNearlyEqual(const Quat& a, const Quat& b) {
  return std::fabs(std::fabs(a.w) - std::fabs(b.w)) < 0.0001f &&
         Vec3NearlyEqual({a.x, a.y, a.z}, {b.x, b.y, b.z});
}
