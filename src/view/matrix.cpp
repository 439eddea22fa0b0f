#include "view/matrix.h"

#include <cmath>

Mat33 Mat33::Transposed() const {
  Mat33 t;
  for (int r = 0; r < 3; ++r)
    for (int c = 0; c < 3; ++c) t.At(r, c) = At(c, r);
  return t;
}

Mat44 Mat44::Multiply(const Mat44& b) const {
  Mat44 p;
  for (int r = 0; r < 4; ++r) {
    for (int c = 0; c < 4; ++c) {
      float sum = 0.0f;
      for (int k = 0; k < 4; ++k) sum += At(r, k) * b.At(k, c);
      p.At(r, c) = sum;
    }
  }
  return p;
}

void Mat44::MultiplyAssign(const Mat44& b) { *this = Multiply(b); }

void Mat44::Translate(Vec3 t) {
  // Only the last column changes: it gains the first three columns weighted by t.
  for (int r = 0; r < 4; ++r) At(r, 3) += At(r, 0) * t.x + At(r, 1) * t.y + At(r, 2) * t.z;
}

Vec3 Mat44::TransformPoint(Vec3 p) const {
  const float w = At(3, 0) * p.x + At(3, 1) * p.y + At(3, 2) * p.z + At(3, 3);
  return {(At(0, 0) * p.x + At(0, 1) * p.y + At(0, 2) * p.z + At(0, 3)) / w,
          (At(1, 0) * p.x + At(1, 1) * p.y + At(1, 2) * p.z + At(1, 3)) / w,
          (At(2, 0) * p.x + At(2, 1) * p.y + At(2, 2) * p.z + At(2, 3)) / w};
}

Mat44 Mat44::AffineInverse() const {
  // Cofactors of the 3x3 block; the inverse is their transpose over the determinant.
  const float a = At(0, 0), b = At(0, 1), c = At(0, 2);
  const float d = At(1, 0), e = At(1, 1), f = At(1, 2);
  const float g = At(2, 0), h = At(2, 1), i = At(2, 2);
  const float c00 = e * i - f * h, c01 = f * g - d * i, c02 = d * h - e * g;
  const float det = a * c00 + b * c01 + c * c02;
  Mat44 inv;
  if (std::fabs(det) <= 4.37114e-5f) return inv;
  const float s = 1.0f / det;
  inv.At(0, 0) = c00 * s;
  inv.At(0, 1) = (c * h - b * i) * s;
  inv.At(0, 2) = (b * f - c * e) * s;
  inv.At(1, 0) = c01 * s;
  inv.At(1, 1) = (a * i - c * g) * s;
  inv.At(1, 2) = (c * d - a * f) * s;
  inv.At(2, 0) = c02 * s;
  inv.At(2, 1) = (b * g - a * h) * s;
  inv.At(2, 2) = (a * e - b * d) * s;
  const Vec3 t{At(0, 3), At(1, 3), At(2, 3)};
  for (int r = 0; r < 3; ++r)
    inv.At(r, 3) = -(inv.At(r, 0) * t.x + inv.At(r, 1) * t.y + inv.At(r, 2) * t.z);
  return inv;
}

static bool IsZero(Vec3 v) { return v.x == 0.0f && v.y == 0.0f && v.z == 0.0f; }

Mat44 Mat44::AlignZAxis(Vec3 t, Vec3 u) {
  // Normalising first changes no direction below, and makes "zero" and "parallel" exact tests
  // on unit-sized values instead of ones that may underflow.
  t = Normalized(t);
  u = Normalized(u);
  if (IsZero(t)) t = {0.0f, 0.0f, 1.0f};
  if (IsZero(u)) u = {0.0f, 1.0f, 0.0f};
  if (IsZero(Cross(u, t))) {
    u = Cross(t, {1.0f, 0.0f, 0.0f});
    if (IsZero(u)) u = Cross(t, {0.0f, 0.0f, 1.0f});
  }
  const Vec3 p = Normalized(Cross(u, t));
  const Vec3 up = Normalized(Cross(t, p));
  const Vec3 columns[3] = {p, up, t};
  Mat44 m;
  for (int c = 0; c < 3; ++c) {
    m.At(0, c) = columns[c].x;
    m.At(1, c) = columns[c].y;
    m.At(2, c) = columns[c].z;
  }
  return m;
}

Mat33 Mat44::UpperLeft33() const {
  Mat33 b;
  for (int r = 0; r < 3; ++r)
    for (int c = 0; c < 3; ++c) b.At(r, c) = At(r, c);
  return b;
}
