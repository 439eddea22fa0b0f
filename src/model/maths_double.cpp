#include "model/maths_double.h"

#include <cmath>

static double Dot(Vec3d a, Vec3d b) { return a.x * b.x + a.y * b.y + a.z * b.z; }

static Vec3d Cross(Vec3d a, Vec3d b) {
  return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}

Vec3d Quatd::Rotate(Vec3d v) const {
  const Vec3d u{x, y, z};
  const double m = 2.0 * Dot(u, v);
  const double c = 2.0 * w;
  const double p = c * w - 1.0;
  const Vec3d uxv = Cross(u, v);
  return {p * v.x + m * u.x + c * uxv.x, p * v.y + m * u.y + c * uxv.y,
          p * v.z + m * u.z + c * uxv.z};
}

Mat33d Mat33d::Multiply(const Mat33d& b) const {
  Mat33d p;
  for (int r = 0; r < 3; ++r)
    for (int c = 0; c < 3; ++c)
      p.At(r, c) = At(r, 0) * b.At(0, c) + At(r, 1) * b.At(1, c) + At(r, 2) * b.At(2, c);
  return p;
}

Quatd QuatMultiply(const Quatd& p, const Quatd& q) {
  const Vec3d pv{p.x, p.y, p.z};
  const Vec3d qv{q.x, q.y, q.z};
  const Vec3d c = Cross(pv, qv);
  return {p.w * q.x + q.w * p.x + c.x, p.w * q.y + q.w * p.y + c.y, p.w * q.z + q.w * p.z + c.z,
          p.w * q.w - Dot(pv, qv)};
}

bool Vec3dNearlyEqual(Vec3d a, Vec3d b) {
  constexpr double kTolerance = static_cast<double>(0.0001f);
  return std::fabs(std::fabs(a.x) - std::fabs(b.x)) < kTolerance &&
         std::fabs(std::fabs(a.y) - std::fabs(b.y)) < kTolerance &&
         std::fabs(std::fabs(a.z) - std::fabs(b.z)) < kTolerance;
}
