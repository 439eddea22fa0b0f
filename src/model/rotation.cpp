#include "model/rotation.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr double kPackedScale = 32766.5;
constexpr double kDegreesPerRadian = 57.29577951308232;
constexpr double kIdentityTolerance = 4.37114e-05;

double ZeroIfNaN(double value) { return std::isnan(value) ? 0.0 : value; }

}  // namespace

Quaternion QuatIdentity() { return Quaternion{0.0, 0.0, 0.0, 1.0}; }

Quaternion QuatFromPacked(int16_t a, int16_t b, int16_t c) {
  Quaternion q;
  q.x = a / kPackedScale;
  q.y = b / kPackedScale;
  q.z = c / kPackedScale;
  double lengthSquared = q.x * q.x + q.y * q.y + q.z * q.z;
  q.w = std::sqrt(1.0 - std::min(1.0, lengthSquared));
  return q;
}

EulerDegrees QuatToEuler(const Quaternion& q) {
  if (std::fabs(q.w - 1.0) < kIdentityTolerance && q.x == 0.0 && q.y == 0.0 && q.z == 0.0) {
    return {0.0, 0.0, 0.0};
  }
  const double x = q.x, y = q.y, z = q.z, w = q.w;
  double first = std::atan2(2.0 * (y * z + x * w), w * w - x * x - y * y + z * z) * kDegreesPerRadian;
  // Rounding can carry the sine just past +-1 (2 * 0.7071... * 0.7071... is 1.0000000000000002);
  // clamping keeps such a rotation at +-90 degrees instead of a NaN that would read as 0.
  double sine = std::clamp(-2.0 * (x * z - y * w), -1.0, 1.0);
  double second = std::asin(sine) * kDegreesPerRadian;
  double third = std::atan2(2.0 * (x * y + z * w), w * w + x * x - y * y - z * z) * kDegreesPerRadian;
  return {ZeroIfNaN(first), ZeroIfNaN(second), ZeroIfNaN(third)};
}

Matrix33 QuatToMatrix33(const Quaternion& q) {
  const double x = q.x, y = q.y, z = q.z, w = q.w;
  Matrix33 r;
  r.m[0] = 1.0 - 2.0 * (y * y + z * z);
  r.m[1] = 2.0 * (x * y + z * w);
  r.m[2] = 2.0 * (x * z - y * w);
  r.m[3] = 2.0 * (x * y - z * w);
  r.m[4] = 1.0 - 2.0 * (x * x + z * z);
  r.m[5] = 2.0 * (y * z + x * w);
  r.m[6] = 2.0 * (x * z + y * w);
  r.m[7] = 2.0 * (y * z - x * w);
  r.m[8] = 1.0 - 2.0 * (x * x + y * y);
  return r;
}

Quaternion Matrix33ToQuat(const Matrix33& matrix) {
  const double* m = matrix.m;
  Quaternion q;
  double trace = m[0] + m[4] + m[8];
  if (trace > 0.0) {
    double r = std::sqrt(trace + 1.0);
    q.w = r * 0.5;
    double s = 0.5 / r;
    q.x = (m[5] - m[7]) * s;
    q.y = (m[6] - m[2]) * s;
    q.z = (m[1] - m[3]) * s;
    return q;
  }
  // The largest diagonal entry picks the component computed from the square root.
  int i = 0;
  if (m[0] < m[4]) i = 1;
  if (m[3 * i + i] < m[8]) i = 2;
  int j = (i + 1) % 3;
  int k = (j + 1) % 3;
  double v[3];
  double r = std::sqrt(m[3 * i + i] - m[3 * j + j] - m[3 * k + k] + 1.0);
  v[i] = r * 0.5;
  double s = 0.5 / r;
  q.w = (m[3 * j + k] - m[3 * k + j]) * s;
  v[j] = (m[3 * i + j] + m[3 * j + i]) * s;
  v[k] = (m[3 * i + k] + m[3 * k + i]) * s;
  q.x = v[0];
  q.y = v[1];
  q.z = v[2];
  return q;
}

void Matrix33ClearNaN(Matrix33& matrix) {
  for (double& entry : matrix.m) entry = ZeroIfNaN(entry);
}
