#pragma once
// Rotation operations of the bones, in double precision: the skeleton file stores each bone's
// rotation packed as three int16; the exporters need quaternions, Euler angles and 3x3 matrices.
//
//   QuatIdentity      (0, 0, 0, 1)
//   QuatFromPacked    three int16 of the skeleton file -> unit quaternion (w never negative)
//   QuatToEuler       quaternion -> three angles in degrees (Maya joints, tags page)
//   QuatToMatrix33    quaternion -> 3x3 matrix (XMODEL_EXPORT)
//   Matrix33ToQuat    3x3 matrix -> quaternion (XMODEL_EXPORT)
//   Matrix33ClearNaN  every NaN entry of a matrix becomes 0
#include <array>
#include <cstdint>

// A quaternion of four doubles, vector part first: x, y, z, then the scalar w.
struct Quaternion {
  double x = 0.0;
  double y = 0.0;
  double z = 0.0;
  double w = 1.0;
};

// A 3x3 matrix of nine doubles m[0]..m[8], in the order QuatToMatrix33 fills them: m[0..2] are
// the images of the x axis, m[3..5] of the y axis, m[6..8] of the z axis.
struct Matrix33 {
  double m[9] = {1, 0, 0, 0, 1, 0, 0, 0, 1};
};

// Three Euler angles in degrees, in the order QuatToEuler computes them.
using EulerDegrees = std::array<double, 3>;

Quaternion QuatIdentity();

// x = a / 32766.5, y = b / 32766.5, z = c / 32766.5, w = sqrt(1 - min(1, x^2 + y^2 + z^2)).
Quaternion QuatFromPacked(int16_t a, int16_t b, int16_t c);

// Angles in degrees: atan2(2(yz + xw), w^2 - x^2 - y^2 + z^2), asin(-2(xz - yw)),
// atan2(2(xy + zw), w^2 + x^2 - y^2 - z^2). The identity (x, y, z exactly 0 and w within
// 4.37114e-05 of 1) gives (0, 0, 0). The sine of the second angle is clamped to [-1, 1], so
// rounding never turns +-90 degrees into NaN; an angle that still comes out NaN is 0.
EulerDegrees QuatToEuler(const Quaternion& q);

// The rotation matrix of a unit quaternion (see Matrix33 for the order of the entries).
Matrix33 QuatToMatrix33(const Quaternion& q);

// The quaternion of a rotation matrix (the inverse of QuatToMatrix33 up to the sign of the
// quaternion). The input must be a rotation; a degenerate matrix may give NaN components.
Quaternion Matrix33ToQuat(const Matrix33& m);

// Replaces every NaN entry of m by 0, in place.
void Matrix33ClearNaN(Matrix33& m);
