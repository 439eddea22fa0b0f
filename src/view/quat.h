#pragma once
// Quat: a float quaternion stored x, y, z, w (vector part first, scalar last); the identity is
// (0, 0, 0, 1). Applying a unit quaternion to a vector rotates the vector; products are Hamilton
// products, and p (x) q applies q first, as matrices do.
#include "view/matrix.h"
#include "view/vec3.h"

struct Quat {
  float x = 0.0f;
  float y = 0.0f;
  float z = 0.0f;
  float w = 1.0f;

  // q / |q|; the identity when |q| is 0 (also when its squared length underflows), so a zero
  // quaternion never yields an undefined rotation.
  Quat Normalized() const;
  // This (unit) quaternion applied to v: with m = 2 (xyz . v), c = 2w and p = c w - 1, the result
  // is p v + m xyz + c (xyz x v).
  Vec3 Rotate(Vec3 v) const;
  // Hamilton product this (x) q: the rotation that applies q first, then this.
  Quat Multiply(const Quat& q) const;
  // Rotation by angle radians about axis, which is normalised here (right-hand rule). A zero axis
  // has no direction to turn about and gives the identity.
  static Quat FromAxisAngle(Vec3 axis, float angle);
  // Quaternion of the rotation held in the upper-left 3x3 block of m (which must be a rotation;
  // the result is not normalised). Picks the numerically safe branch: the trace when it is
  // positive, else the largest diagonal element.
  static Quat FromMatrix(const Mat44& m);
};
static_assert(sizeof(Quat) == 16, "Quat is four packed floats");

// True when | |a.w| - |b.w| | < 0.0001 and the vector parts pass Vec3NearlyEqual. Signs are
// ignored, so q and -q (the same rotation) count as equal.
bool QuatNearlyEqual(const Quat& a, const Quat& b);
