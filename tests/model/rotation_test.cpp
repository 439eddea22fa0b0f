#include "model/rotation.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

const double kHalf = std::sqrt(0.5);  // sin 45 = cos 45

void ExpectMatrix(const Matrix33& actual, const Matrix33& expected) {
  for (int i = 0; i < 9; ++i) EXPECT_NEAR(actual.m[i], expected.m[i], 1e-12) << "entry " << i;
}

void ExpectQuat(const Quaternion& actual, const Quaternion& expected) {
  EXPECT_NEAR(actual.x, expected.x, 1e-12);
  EXPECT_NEAR(actual.y, expected.y, 1e-12);
  EXPECT_NEAR(actual.z, expected.z, 1e-12);
  EXPECT_NEAR(actual.w, expected.w, 1e-12);
}

struct RotationCase {
  const char* label;
  Quaternion q;
  Matrix33 matrix;     // images of the x, y and z axes
  EulerDegrees euler;  // in QuatToEuler's order
};

}  // namespace

TEST(Rotation, HandComputedQuarterTurnsAndIdentity) {
  const RotationCase cases[] = {
      {"identity", {0, 0, 0, 1}, {{1, 0, 0, 0, 1, 0, 0, 0, 1}}, {0, 0, 0}},
      {"90 about x", {kHalf, 0, 0, kHalf}, {{1, 0, 0, 0, 0, 1, 0, -1, 0}}, {90, 0, 0}},
      // The sine of the middle angle rounds to 1.0000000000000002 here: clamped, not NaN.
      {"90 about y", {0, kHalf, 0, kHalf}, {{0, 0, -1, 0, 1, 0, 1, 0, 0}}, {0, 90, 0}},
      {"90 about z", {0, 0, kHalf, kHalf}, {{0, 1, 0, -1, 0, 0, 0, 0, 1}}, {0, 0, 90}},
  };
  for (const RotationCase& c : cases) {
    SCOPED_TRACE(c.label);
    ExpectMatrix(QuatToMatrix33(c.q), c.matrix);
    ExpectQuat(Matrix33ToQuat(c.matrix), c.q);
    EulerDegrees euler = QuatToEuler(c.q);
    for (int i = 0; i < 3; ++i) EXPECT_NEAR(euler[i], c.euler[i], 1e-9) << "angle " << i;
  }
}

TEST(Rotation, HalfTurnsTakeEachBranchOfMatrixToQuat) {
  // Trace -1: the largest diagonal entry picks the component.
  ExpectQuat(Matrix33ToQuat({{1, 0, 0, 0, -1, 0, 0, 0, -1}}), {1, 0, 0, 0});
  ExpectQuat(Matrix33ToQuat({{-1, 0, 0, 0, 1, 0, 0, 0, -1}}), {0, 1, 0, 0});
  ExpectQuat(Matrix33ToQuat({{-1, 0, 0, 0, -1, 0, 0, 0, 1}}), {0, 0, 1, 0});
}

TEST(Rotation, MatrixRoundTripUpToSign) {
  const Quaternion samples[] = {{0.1, -0.7, 0.2, 0.1}, {0.9, 0.1, -0.3, 0.2}, {-0.2, 0.1, 0.95, -0.1}, {0.3, 0.3, 0.3, 0.8}};
  for (Quaternion q : samples) {
    double n = std::sqrt(q.x * q.x + q.y * q.y + q.z * q.z + q.w * q.w);
    q = {q.x / n, q.y / n, q.z / n, q.w / n};
    Quaternion back = Matrix33ToQuat(QuatToMatrix33(q));
    double sign = (back.w * q.w + back.x * q.x + back.y * q.y + back.z * q.z) < 0 ? -1.0 : 1.0;
    ExpectQuat({back.x * sign, back.y * sign, back.z * sign, back.w * sign}, q);
  }
}

TEST(Rotation, ClearNaNZeroesOnlyNaNEntries) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  Matrix33 m{{nan, nan, nan, 0.5, 1, 0, 0, 0, 1}};
  Matrix33ClearNaN(m);
  ExpectMatrix(m, {{0, 0, 0, 0.5, 1, 0, 0, 0, 1}});
}

TEST(Rotation, PackedRotations) {
  ExpectQuat(QuatFromPacked(0, 0, 0), QuatIdentity());
  Quaternion full = QuatFromPacked(32767, 0, 0);  // just past 1: the sum is clamped, w = 0
  EXPECT_GT(full.x, 1.0);
  EXPECT_EQ(full.w, 0.0);
  Quaternion half = QuatFromPacked(0, -16383, 0);
  EXPECT_DOUBLE_EQ(half.y, -16383 / 32766.5);
  EXPECT_DOUBLE_EQ(half.w, std::sqrt(1.0 - half.y * half.y));
}

TEST(Rotation, EulerOfNaNQuaternionIsZero) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  EulerDegrees euler = QuatToEuler({nan, 0, 0, 0.5});
  EXPECT_EQ(euler, (EulerDegrees{0, 0, 0}));
}
