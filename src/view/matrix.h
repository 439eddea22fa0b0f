#pragma once
// Mat44 and Mat33: float matrices in column-major order, the order OpenGL loads them.
//
// Element (row r, column c) of a Mat44 is m[4c + r], so the translation of an affine matrix is at
// indices 12, 13, 14; a Mat33 keeps (r, c) at m[3c + r]. Points are column vectors: M transforms p
// as M x p, and the product A x B applies B first.
//
// Index: Mat33 (At, Transposed) | Mat44 (Identity, At, Multiply, MultiplyAssign, Translate,
//        TransformPoint, AffineInverse, AlignZAxis, UpperLeft33)
#include "view/vec3.h"

struct Mat33 {
  float m[9] = {1, 0, 0, 0, 1, 0, 0, 0, 1};  // identity

  float& At(int row, int col) { return m[3 * col + row]; }
  float At(int row, int col) const { return m[3 * col + row]; }

  // The transpose.
  Mat33 Transposed() const;
};
static_assert(sizeof(Mat33) == 36, "Mat33 is nine packed floats");

struct Mat44 {
  float m[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};  // identity

  static Mat44 Identity() { return {}; }

  float& At(int row, int col) { return m[4 * col + row]; }
  float At(int row, int col) const { return m[4 * col + row]; }

  // This x b, into a new matrix (b is applied first).
  Mat44 Multiply(const Mat44& b) const;
  // this := this x b.
  void MultiplyAssign(const Mat44& b);
  // this := this x T, T the translation by t (the translation happens before this matrix).
  void Translate(Vec3 t);
  // this x (p, 1) divided by the resulting fourth component. For an affine matrix that is the
  // plain affine transform; for a projection it is the perspective division (a point with
  // w' = 0, on the eye plane, gives infinities).
  Vec3 TransformPoint(Vec3 p) const;
  // Inverse of an affine matrix: the 3x3 block inverted by cofactors, the translation
  // -(inverted block x translation), bottom row (0, 0, 0, 1). When |determinant| <= 4.37114e-5
  // (a zero scale on some axis) the result is the identity, never a matrix of infinities.
  Mat44 AffineInverse() const;
  // Rotation (no translation) that turns the z axis into the direction t and the y axis as close
  // to the up direction u as possible. A zero t counts as (0, 0, 1), a zero u as (0, 1, 0); when u
  // is parallel to t, u is replaced by t x (1, 0, 0), or by t x (0, 0, 1) when that is zero too.
  // Columns 0, 1, 2 are then p = u x t, u' = t x p and t, each normalised.
  static Mat44 AlignZAxis(Vec3 t, Vec3 u);
  // The upper-left 3x3 block.
  Mat33 UpperLeft33() const;
};
static_assert(sizeof(Mat44) == 64, "Mat44 is sixteen packed floats, loadable by glLoadMatrixf");
