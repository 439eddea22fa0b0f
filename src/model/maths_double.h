#pragma once
// Double-precision twins of the view's 3-vector, quaternion and 3x3 matrix, for the bone records
// of the model, which hold doubles, and the XMODEL_EXPORT writer that poses them. The orders and
// conventions are those of the float types: quaternions x, y, z, w with identity (0, 0, 0, 1) and
// Hamilton products (p (x) q applies q first); Mat33d column-major, element (r, c) at m[3c + r];
// A x B applies B first.

struct Vec3d {
  double x = 0.0;
  double y = 0.0;
  double z = 0.0;
};

struct Quatd {
  double x = 0.0;
  double y = 0.0;
  double z = 0.0;
  double w = 1.0;

  // This (unit) quaternion applied to v: with m = 2 (xyz . v), c = 2w and p = c w - 1, the result
  // is p v + m xyz + c (xyz x v).
  Vec3d Rotate(Vec3d v) const;
};

struct Mat33d {
  double m[9] = {1, 0, 0, 0, 1, 0, 0, 0, 1};  // identity

  double& At(int row, int col) { return m[3 * col + row]; }
  double At(int row, int col) const { return m[3 * col + row]; }

  // This x b, into a new matrix (b is applied first).
  Mat33d Multiply(const Mat33d& b) const;
};

// Hamilton product p (x) q on doubles: the rotation that applies q first, then p.
Quatd QuatMultiply(const Quatd& p, const Quatd& q);

// True when, for each of x, y, z, | |a| - |b| | < 0.0001, the single-precision tolerance
// (9.999999747378752e-05) the pose writer compares with. Signs are ignored.
bool Vec3dNearlyEqual(Vec3d a, Vec3d b);
